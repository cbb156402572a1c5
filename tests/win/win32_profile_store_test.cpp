#include "platform/win32/win32_profile_store.h"

#include <gtest/gtest.h>

#include "win32_test_folder.h"

namespace norvaket::win32 {
namespace {

using testing::ReadBytes;
using testing::ReadText;
using testing::TestFolder;
using testing::WriteBytes;

constexpr char kSection[] = "Norvaket 1.00";

class Win32ProfileStoreTest : public ::testing::Test {
 protected:
  TestFolder folder;
  std::string ini = folder.File("Norvaket.ini");
  Win32ProfileStore store;
};

TEST_F(Win32ProfileStoreTest, AMissingFileReadsEmptyAndIsNotCreated) {
  EXPECT_EQ(store.GetProfileString(kSection, "NotifyAtRun", ini), "");
  EXPECT_TRUE(folder.Files().empty());
}

TEST_F(Win32ProfileStoreTest, WritesANewFileKeyByKeyInOrder) {
  EXPECT_TRUE(store.WriteProfileString(kSection, "NotifyAtRun", "Yes", ini));
  EXPECT_TRUE(store.WriteProfileString(kSection, "NotifyCV0Value", "80", ini));
  EXPECT_EQ(store.GetProfileString(kSection, "NotifyAtRun", ini), "Yes");
  EXPECT_EQ(store.GetProfileString(kSection, "notifycv0value", ini), "80");
  EXPECT_EQ(ReadText(ini), "[Norvaket 1.00]\r\nNotifyAtRun=Yes\r\nNotifyCV0Value=80\r\n");
}

TEST_F(Win32ProfileStoreTest, NonAsciiTextSurvivesWithoutAnyCodePage) {
  const std::string value = "バッテリ残量 \xF0\x9F\x94\x8B";
  ASSERT_TRUE(store.WriteProfileString(kSection, "メモ", value, ini));
  EXPECT_EQ(store.GetProfileString(kSection, "メモ", ini), value);
}

TEST_F(Win32ProfileStoreTest, AWriteReplacesInPlaceAndKeepsEveryOtherLine) {
  WriteBytes(ini,
             "; kept\r\n[Norvaket 1.00]\r\nNotifyAtRun=No\r\nUpdateInterval=2500\r\n"
             "[Other]\r\nNotifyAtRun=Yes\r\n");
  ASSERT_TRUE(store.WriteProfileString(kSection, "NotifyAtRun", "Yes", ini));
  ASSERT_TRUE(store.WriteProfileString(kSection, "UseTimeStamp", "No", ini));
  EXPECT_EQ(ReadText(ini),
            "; kept\r\n[Norvaket 1.00]\r\nNotifyAtRun=Yes\r\nUpdateInterval=2500\r\n"
            "UseTimeStamp=No\r\n[Other]\r\nNotifyAtRun=Yes\r\n");
}

TEST_F(Win32ProfileStoreTest, KeysOfOtherSectionsAreNotRead) {
  WriteBytes(ini, "[Other]\r\nNotifyAtRun=No\r\n");
  EXPECT_EQ(store.GetProfileString(kSection, "NotifyAtRun", ini), "");
}

TEST_F(Win32ProfileStoreTest, ReplacingLeavesNoTemporaryFileBehind) {
  for (int i = 0; i < 5; ++i) store.WriteProfileString(kSection, "NotifyAtRun", "Yes", ini);
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"Norvaket.ini"});
}

TEST_F(Win32ProfileStoreTest, AMissingFolderFailsAndCreatesNothing) {
  const std::string nowhere = folder.File("missing\\Norvaket.ini");
  EXPECT_FALSE(store.WriteProfileString(kSection, "NotifyAtRun", "Yes", nowhere));
  EXPECT_TRUE(folder.Files().empty());
  EXPECT_EQ(GetFileAttributesW(ToUtf16(folder.File("missing")).c_str()), INVALID_FILE_ATTRIBUTES);
}

// A value comes back cut to 99 bytes, never inside a character.
struct CutCase {
  std::string stored;
  std::string read;
};

class ValueCutTest : public Win32ProfileStoreTest, public ::testing::WithParamInterface<CutCase> {};

TEST_P(ValueCutTest, LongValuesAreCutOnCharacterBoundaries) {
  ASSERT_TRUE(store.WriteProfileString(kSection, "Key", GetParam().stored, ini));
  EXPECT_EQ(store.GetProfileString(kSection, "Key", ini), GetParam().read);
}

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueCutTest,
    ::testing::Values(CutCase{Repeat("x", 99), Repeat("x", 99)},
                      CutCase{Repeat("x", 150), Repeat("x", 99)},
                      CutCase{"a" + Repeat("\xC3\xA9", 49), "a" + Repeat("\xC3\xA9", 49)},
                      CutCase{"aa" + Repeat("\xC3\xA9", 49), "aa" + Repeat("\xC3\xA9", 48)},
                      CutCase{Repeat("電", 40), Repeat("電", 33)}));

}  // namespace
}  // namespace norvaket::win32
