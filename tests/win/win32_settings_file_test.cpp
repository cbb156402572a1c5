#include "platform/win32/win32_profile_store.h"
#include "settings/ini_settings_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "test_folder_lookup.h"
#include "win32_test_folder.h"

namespace norvaket::win32 {
namespace {

using testing::ReadBytes;
using testing::ReadText;
using testing::TestFolder;
using testing::TestFolderLookup;
using testing::WriteBytes;

// Passes every key and batch on to the real profile store; before each write it
// runs `before_write`, and it can make one write fail as a full disk would.
class WatchedProfileStore final : public ProfileStore {
 public:
  explicit WatchedProfileStore(ProfileStore& inner) : inner_(inner) {}
  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& file_path) override {
    return inner_.GetProfileString(section, key, file_path);
  }
  bool WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file_path) override {
    ++writes;
    if (before_write) before_write(file_path);
    if (writes == failing_write) return false;
    return inner_.WriteProfileString(section, key, value, file_path);
  }
  void BeginBatch() override { inner_.BeginBatch(); }
  bool CommitBatch() override { return inner_.CommitBatch(); }
  void DiscardBatch() override { inner_.DiscardBatch(); }
  std::function<void(const std::string&)> before_write;
  int failing_write = 0;  // 1-based; 0 = none
  int writes = 0;

 private:
  ProfileStore& inner_;
};

constexpr char kDefaultsFile[] =
    "[Norvaket 1.00]\r\nNotifyAtRun=Yes\r\nNotifyAtResume=Yes\r\nNotifyLifePercent=No\r\n"
    "NotifyLifePercentAtRun=No\r\nNotifyPS0=Yes\r\nNotifyPS1=No\r\nNotifyPS2=No\r\nNotifyRT=Yes\r\n"
    "NotifyCV0=No\r\nNotifyCV1=No\r\nNotifyCV2=Yes\r\nNotifyCV4=Yes\r\nNotifyCV0Value=80\r\n"
    "NotifyCV2Value=20\r\nUseTimeStamp=No\r\n";

// The Windows program's settings store: IniSettingsStore over the profile functions.
class Win32SettingsFileTest : public ::testing::Test {
 protected:
  std::string Ini() { return folder.File("Norvaket\\Norvaket.ini"); }
  void PutFile(const std::string& bytes) {
    CreateDirectoryW(ToUtf16(folder.File("Norvaket")).c_str(), nullptr);
    WriteBytes(Ini(), bytes);
  }
  std::vector<std::wstring> SettingsFolderFiles() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(ToUtf16(folder.File("Norvaket\\*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }
  void TearDown() override {
    for (const std::wstring& name : SettingsFolderFiles()) {
      DeleteFileW((ToUtf16(folder.File("Norvaket\\")) + name).c_str());
    }
    RemoveDirectoryW(ToUtf16(folder.File("Norvaket")).c_str());
  }

  TestFolder folder;
  TestFolderLookup folders{ToUtf8(folder.Path())};
  Win32ProfileStore files;
  WatchedProfileStore watched{files};
  IniSettingsStore store{watched, folders};
};

TEST_F(Win32SettingsFileTest, AFirstSaveCreatesTheFolderAndTheFifteenKeysInOrder) {
  ASSERT_TRUE(store.SaveSettings(DefaultSettings()));
  EXPECT_EQ(store.SettingsFilePath(), Ini());
  EXPECT_EQ(ReadText(Ini()), kDefaultsFile);
  EXPECT_EQ(SettingsFolderFiles(), std::vector<std::wstring>{L"Norvaket.ini"});
}

TEST_F(Win32SettingsFileTest, WhatIsSavedLoadsBack) {
  Settings saved = DefaultSettings();
  saved.NotifyPS1 = kTrue;
  saved.NotifyAtRun = kFalse;
  saved.NotifyCV0Value = 65;
  saved.NotifyCV2Value = 7;
  ASSERT_TRUE(store.SaveSettings(saved));
  Settings loaded;
  store.LoadSettings(loaded);
  EXPECT_EQ(loaded, saved);
}

TEST_F(Win32SettingsFileTest, ALoadWithoutAFileGivesTheDefaultsAndCreatesNothing) {
  Settings loaded;
  store.LoadSettings(loaded);
  EXPECT_EQ(loaded, DefaultSettings());
  EXPECT_EQ(GetFileAttributesW(ToUtf16(folder.File("Norvaket")).c_str()), INVALID_FILE_ATTRIBUTES);
}

// While the keys are written one by one, the file on disk stays the old one,
// whole: a crash at any point of a save loses the save, never the file.
TEST_F(Win32SettingsFileTest, DuringASaveTheFileOnDiskIsTheOldOne) {
  const std::string old_file = "[Norvaket 1.00]\r\nNotifyAtRun=No\r\nUpdateInterval=2500\r\n";
  PutFile(old_file);
  std::vector<std::string> seen;
  watched.before_write = [&](const std::string& path) { seen.push_back(ReadBytes(path)); };
  ASSERT_TRUE(store.SaveSettings(DefaultSettings()));
  ASSERT_EQ(seen.size(), 15u);
  for (std::size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(seen[i], old_file) << "before key " << i + 1;
  const std::string saved = ReadText(Ini());
  EXPECT_NE(saved.find("NotifyAtRun=Yes\r\nUpdateInterval=2500\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("UseTimeStamp=No\r\n"), std::string::npos) << saved;
}

struct FailureCase {
  const char* name;
  int failing_write;
};

class FailedSaveTest : public Win32SettingsFileTest,
                       public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedSaveTest, LeavesTheOldFileByteForByteAndNoCopyBehind) {
  const std::string old_file = "; mine\r\n[Norvaket 1.00]\r\nNotifyAtRun=No\r\n[Other]\r\nX=1\r\n";
  PutFile(old_file);
  watched.failing_write = GetParam().failing_write;
  EXPECT_FALSE(store.SaveSettings(DefaultSettings()));
  EXPECT_EQ(ReadBytes(Ini()), old_file);
  EXPECT_EQ(SettingsFolderFiles(), std::vector<std::wstring>{L"Norvaket.ini"});
}

INSTANTIATE_TEST_SUITE_P(Keys, FailedSaveTest,
                         ::testing::Values(FailureCase{"First", 1}, FailureCase{"Middle", 8},
                                           FailureCase{"Last", 15}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32SettingsFileTest, AFailedFirstSaveCreatesNoFile) {
  watched.failing_write = 3;
  EXPECT_FALSE(store.SaveSettings(DefaultSettings()));
  EXPECT_TRUE(SettingsFolderFiles().empty());
}

TEST_F(Win32SettingsFileTest, TheNextSaveAfterAFailedOneGoesThrough) {
  watched.failing_write = 2;
  EXPECT_FALSE(store.SaveSettings(DefaultSettings()));
  EXPECT_TRUE(store.SaveSettings(DefaultSettings()));
  EXPECT_EQ(ReadText(Ini()), kDefaultsFile);
}

}  // namespace
}  // namespace norvaket::win32
