#include "settings/ini_settings_store.h"

#include <gtest/gtest.h>

#include "fakes/fake_folder_lookup.h"
#include "fakes/memory_profile_store.h"
#include "settings/ini_values.h"

namespace norvaket {
namespace {

using testing::FakeFolderLookup;
using testing::MemoryProfileStore;

constexpr const char* kAppData = "C:\\Users\\ami\\AppData\\Roaming";
constexpr const char* kFolder = "C:\\Users\\ami\\AppData\\Roaming\\Norvaket";
constexpr const char* kFile = "C:\\Users\\ami\\AppData\\Roaming\\Norvaket\\Norvaket.ini";

constexpr const char* kDefaultFile =
    "[Norvaket 1.00]\n"
    "NotifyAtRun=Yes\n"
    "NotifyAtResume=Yes\n"
    "NotifyLifePercent=No\n"
    "NotifyLifePercentAtRun=No\n"
    "NotifyPS0=Yes\n"
    "NotifyPS1=No\n"
    "NotifyPS2=No\n"
    "NotifyRT=Yes\n"
    "NotifyCV0=No\n"
    "NotifyCV1=No\n"
    "NotifyCV2=Yes\n"
    "NotifyCV4=Yes\n"
    "NotifyCV0Value=80\n"
    "NotifyCV2Value=20\n"
    "UseTimeStamp=No\n";

class IniSettingsStoreTest : public ::testing::Test {
 protected:
  Settings LoadFrom(const std::string& file_text) {
    profile_.files[kFile] = file_text;
    return Load();
  }
  Settings Load() {
    Settings settings;
    store_.LoadSettings(settings);
    return settings;
  }

  MemoryProfileStore profile_;
  FakeFolderLookup folders_;
  IniSettingsStore store_{profile_, folders_};
};

TEST_F(IniSettingsStoreTest, NoFileGivesTheDefaultsAndCreatesNothing) {
  EXPECT_EQ(Load(), DefaultSettings());
  EXPECT_TRUE(profile_.files.empty());
  EXPECT_TRUE(folders_.created.empty());
  EXPECT_EQ(profile_.write_calls, 0);
}

TEST(DefaultSettingsTest, AreTheDesignedValues) {
  Settings expected;
  expected.NotifyAtRun = expected.NotifyAtResume = expected.NotifyPS0 = kTrue;
  expected.NotifyRT = expected.NotifyCV2 = expected.NotifyCV4 = kTrue;
  expected.NotifyCV0Value = 80;
  expected.NotifyCV2Value = 20;
  expected.UpdateInterval = 1000;
  EXPECT_EQ(DefaultSettings(), expected);
}

TEST_F(IniSettingsStoreTest, KeysInOtherSectionsHaveNoEffect) {
  EXPECT_EQ(LoadFrom("NotifyAtRun=No\n[Norvaket 1.01]\nNotifyAtRun=No\nNotifyCV0Value=5\n"
                     "[Norvaket 1.00]\n[Other]\nUpdateInterval=9000\n"),
            DefaultSettings());
}

TEST_F(IniSettingsStoreTest, ReadsEveryKeyFromTheFile) {
  const Settings s = LoadFrom(
      "[Norvaket 1.00]\nNotifyAtRun=No\nNotifyAtResume=no\nNotifyLifePercent=Yes\n"
      "NotifyLifePercentAtRun=YES\nNotifyPS0=No\nNotifyPS1=Yes\nNotifyPS2=Yes\nNotifyRT=No\n"
      "NotifyCV0=Yes\nNotifyCV1=Yes\nNotifyCV2=No\nNotifyCV4=No\nNotifyCV0Value=70\n"
      "NotifyCV2Value=15\nUseTimeStamp=Yes\nUpdateInterval=2500\n");
  Settings expected;
  expected.NotifyLifePercent = expected.NotifyLifePercentAtRun = expected.NotifyPS1 = kTrue;
  expected.NotifyPS2 = expected.NotifyCV0 = expected.NotifyCV1 = expected.UseTimeStamp = kTrue;
  expected.NotifyCV0Value = 70;
  expected.NotifyCV2Value = 15;
  expected.UpdateInterval = 2500;
  EXPECT_EQ(s, expected);
}

struct NumberCase {
  const char* key;
  const char* text;
  std::int32_t expected;
};

class IniSettingsNumberTest : public IniSettingsStoreTest,
                              public ::testing::WithParamInterface<NumberCase> {};

TEST_P(IniSettingsNumberTest, AppliesFallbackAndRangeRules) {
  const NumberCase& c = GetParam();
  const Settings s = LoadFrom(std::string("[Norvaket 1.00]\n") + c.key + "=" + c.text + "\n");
  const std::string key = c.key;
  const std::int32_t actual = key == "NotifyCV0Value"   ? s.NotifyCV0Value
                              : key == "NotifyCV2Value" ? s.NotifyCV2Value
                                                        : s.UpdateInterval;
  EXPECT_EQ(actual, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniSettingsNumberTest,
    ::testing::Values(
        NumberCase{"NotifyCV0Value", "0", 50}, NumberCase{"NotifyCV0Value", "100", 50},
        NumberCase{"NotifyCV0Value", "-3", 50}, NumberCase{"NotifyCV0Value", "", 80},
        NumberCase{"NotifyCV0Value", "1", 1}, NumberCase{"NotifyCV0Value", "99", 99},
        NumberCase{"NotifyCV0Value", " +42 ", 42}, NumberCase{"NotifyCV0Value", "\"42\"", 42},
        NumberCase{"NotifyCV2Value", "0", 20}, NumberCase{"NotifyCV2Value", "100", 20},
        NumberCase{"NotifyCV2Value", "1", 1}, NumberCase{"NotifyCV2Value", "99", 99},
        NumberCase{"UpdateInterval", "500", 1000}, NumberCase{"UpdateInterval", "60001", 60000},
        NumberCase{"UpdateInterval", "60000", 60000}, NumberCase{"UpdateInterval", "2500", 2500},
        NumberCase{"UpdateInterval", "-2147483648", 1000},
        // Not numbers, or too big for 32 bits: as if the key were missing.
        NumberCase{"NotifyCV0Value", "abc", 80}, NumberCase{"NotifyCV0Value", "12.5", 80},
        NumberCase{"NotifyCV0Value", "4x", 80}, NumberCase{"NotifyCV0Value", "+-4", 80},
        NumberCase{"NotifyCV0Value", "2147483648", 80},
        NumberCase{"NotifyCV2Value", "99999999999999999999", 20},
        NumberCase{"UpdateInterval", "9e3", 1000},
        NumberCase{"UpdateInterval", "4294967296000", 1000}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(IniSettingsStoreTest, RangeRulesRunAfterBothLevelsAreRead) {
  const Settings s = LoadFrom("[Norvaket 1.00]\nNotifyCV0Value=0\nNotifyCV2Value=0\n");
  EXPECT_EQ(s.NotifyCV0Value, 50);
  EXPECT_EQ(s.NotifyCV2Value, 20);
}

TEST_F(IniSettingsStoreTest, FlagsTakeYesAndNoInAnyCaseAndOtherwiseTheirDefault) {
  Settings s = LoadFrom("[Norvaket 1.00]\nNotifyAtRun=nO\nNotifyPS1=YES\nNotifyRT=no\n");
  EXPECT_EQ(s.NotifyAtRun, kFalse);
  EXPECT_EQ(s.NotifyPS1, kTrue);
  EXPECT_EQ(s.NotifyRT, kFalse);
  s = LoadFrom("[Norvaket 1.00]\nNotifyAtRun=0\nNotifyPS1=1\nNotifyPS2=true\nNotifyRT= \n");
  EXPECT_EQ(s.NotifyAtRun, kTrue);
  EXPECT_EQ(s.NotifyPS1, kFalse);
  EXPECT_EQ(s.NotifyPS2, kFalse);
  EXPECT_EQ(s.NotifyRT, kTrue);
}

TEST(IniValuesTest, YesNoRules) {
  EXPECT_EQ(ParseYesNo("yes", kFalse), kTrue);
  EXPECT_EQ(ParseYesNo("yEs", kFalse), kTrue);
  EXPECT_EQ(ParseYesNo("NO", kTrue), kFalse);
  EXPECT_EQ(ParseYesNo("", kTrue), kTrue);
  EXPECT_EQ(ParseYesNo("yes ", kFalse), kFalse);  // the store trims; the rule itself does not
  EXPECT_EQ(ParseYesNo("y", kFalse), kFalse);
  EXPECT_EQ(FormatYesNo(kTrue), "Yes");
  EXPECT_EQ(FormatYesNo(kFalse), "No");
  EXPECT_EQ(FormatYesNo(1), "Yes");
  EXPECT_EQ(FormatIniNumber(-7), "-7");
  EXPECT_EQ(FormatIniNumber(0), "0");
}

TEST_F(IniSettingsStoreTest, ASaveOfTheDefaultsWritesTheFifteenLinesInOrder) {
  EXPECT_TRUE(store_.SaveSettings(DefaultSettings()));
  EXPECT_EQ(profile_.files[kFile], kDefaultFile);
  EXPECT_EQ(folders_.created, std::vector<std::string>{kFolder});
}

TEST_F(IniSettingsStoreTest, SaveWritesTheRecordAsItStandsWithoutRangeRules) {
  Settings s = DefaultSettings();
  s.NotifyCV0Value = 0;
  s.NotifyCV2Value = -12;
  s.UpdateInterval = 5;
  s.AutoRun = kTrue;
  s.UseTimeStamp = kTrue;
  ASSERT_TRUE(store_.SaveSettings(s));
  const std::string text = profile_.files[kFile];
  EXPECT_NE(text.find("\nNotifyCV0Value=0\n"), std::string::npos);
  EXPECT_NE(text.find("\nNotifyCV2Value=-12\n"), std::string::npos);
  EXPECT_NE(text.find("\nUseTimeStamp=Yes\n"), std::string::npos);
  EXPECT_EQ(text.find("UpdateInterval"), std::string::npos);
  EXPECT_EQ(text.find("AutoRun"), std::string::npos);
}

TEST_F(IniSettingsStoreTest, HandAddedAndUnknownKeysSurviveSaves) {
  const std::string mine =
      "; my settings\n[Norvaket 1.00]\nUpdateInterval = 5000 \nNotifyRT=No\nFuture=keep me\n\n"
      "[Elsewhere]\nNotifyRT=No\n";
  profile_.files[kFile] = mine;
  folders_.existing.insert(kFolder);
  Settings s = Load();
  EXPECT_EQ(s.UpdateInterval, 5000);
  s.NotifyRT = kTrue;
  ASSERT_TRUE(store_.SaveSettings(s));
  ASSERT_TRUE(store_.SaveSettings(s));
  const std::string& text = profile_.files[kFile];
  EXPECT_EQ(text.rfind("; my settings\n[Norvaket 1.00]\nUpdateInterval = 5000 \nNotifyRT=Yes\n"
                       "Future=keep me\nNotifyAtRun=Yes\n",
                       0),
            0u)
      << text;
  EXPECT_NE(text.find("UseTimeStamp=No\n\n[Elsewhere]\nNotifyRT=No\n"), std::string::npos) << text;
  EXPECT_EQ(Load(), s);
  EXPECT_TRUE(folders_.created.empty());
}

TEST_F(IniSettingsStoreTest, SaveReportsAFailedWriteButStillTriesEveryKey) {
  profile_.writes_left = 14;
  EXPECT_FALSE(store_.SaveSettings(DefaultSettings()));
  EXPECT_EQ(profile_.write_calls, 15);
  profile_.writes_left = -1;
  EXPECT_TRUE(store_.SaveSettings(DefaultSettings()));
}

TEST_F(IniSettingsStoreTest, FolderLookupResults) {
  folders_.path = std::string(kAppData) + std::string(3, '\0') + "junk";
  EXPECT_EQ(store_.GetSpecialFolderPath(kCsidlAppData), kAppData);
  EXPECT_EQ(folders_.queried_ids.back(), 0x801A);

  folders_.result = kFolderNotThere;
  EXPECT_EQ(store_.SettingsFilePath(), "C:\\Tools\\Norvaket\\Norvaket.ini");
  folders_.result = kFolderBadId;
  EXPECT_EQ(store_.SettingsFilePath(), "C:\\Tools\\Norvaket\\Norvaket.ini");
  folders_.result = static_cast<std::int32_t>(0x80004005u);
  EXPECT_EQ(store_.SettingsFilePath(), "\\Norvaket\\Norvaket.ini");
}

TEST_F(IniSettingsStoreTest, EachLoadAndSaveLooksTheFolderUpOnceAndAfresh) {
  Load();
  EXPECT_EQ(folders_.queried_ids.size(), 1u);
  ASSERT_TRUE(store_.SaveSettings(DefaultSettings()));
  EXPECT_EQ(folders_.queried_ids.size(), 2u);
  profile_.files["D:\\Moved\\Norvaket\\Norvaket.ini"] = "[Norvaket 1.00]\nNotifyRT=No\n";
  folders_.path = "D:\\Moved";
  EXPECT_EQ(Load().NotifyRT, kFalse);
}

TEST_F(IniSettingsStoreTest, AMissingBaseFolderIsCreatedBeforeTheSettingsFolder) {
  folders_.existing = {"C:\\Users\\ami\\AppData"};
  ASSERT_TRUE(store_.SaveSettings(DefaultSettings()));
  EXPECT_EQ(folders_.created, (std::vector<std::string>{kAppData, kFolder}));
}

TEST_F(IniSettingsStoreTest, EmptyValueReadsAsTheFallback) {
  profile_.files[kFile] = "[Norvaket 1.00]\nA=\nB=x\n";
  EXPECT_EQ(store_.ReadIniString(kFile, "A", "fb"), "fb");
  EXPECT_EQ(store_.ReadIniString(kFile, "A", ""), "");
  EXPECT_EQ(store_.ReadIniString(kFile, "B", "fb"), "x");
  EXPECT_EQ(store_.ReadIniString(kFile, "C", "fb"), "fb");
}

}  // namespace
}  // namespace norvaket
