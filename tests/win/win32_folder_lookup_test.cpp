#include "platform/win32/win32_folder_lookup.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_folder_lookup.h"
#include "win32_test_folder.h"

namespace norvaket::win32 {
namespace {

TEST(Win32FoldersTest, TheApplicationDataFolderExists) {
  const SpecialFolder folder = GetSpecialFolder(kCsidlAppData);
  ASSERT_EQ(folder.result, S_OK);
  ASSERT_FALSE(folder.path.empty());
  EXPECT_NE(folder.path.back(), '\0');
  const DWORD attributes = GetFileAttributesW(ToUtf16(folder.path).c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Win32FoldersTest, FolderAndNameMakeUpTheExecutablesPath) {
  const std::string path = ExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(ExecutableBaseName(), "win32_folder_lookup_test");
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  const std::string joined = folder.back() == '\\' ? folder : folder + "\\";
  EXPECT_EQ(joined + ExecutableBaseName() + ".exe", path);
  EXPECT_NE(GetFileAttributesW(ToUtf16(folder).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32FolderLookupTest, HandsOnTheShellsFolderAndResult) {
  Win32FolderLookup lookup;
  std::string path = "untouched";
  ASSERT_EQ(lookup.GetFolderPath(kCsidlAppData | 0x8000, path), S_OK);
  EXPECT_EQ(path, GetSpecialFolder(kCsidlAppData).path);
  // A number the shell does not know: its result comes through, the path stays.
  path = "untouched";
  const std::int32_t result = lookup.GetFolderPath(0x7F, path);
  EXPECT_NE(result, S_OK);
  EXPECT_EQ(path, "untouched");
  EXPECT_EQ(lookup.ExecutableFolder(), ExecutableFolder());
  EXPECT_EQ(lookup.PathSeparator(), "\\");
}

TEST(Win32FolderLookupTest, CreatesOneFolderWhoseParentExists) {
  testing::TestFolder folder;
  Win32FolderLookup lookup;
  const std::string child = folder.File("Norvaket");
  EXPECT_FALSE(lookup.Exists(child));
  EXPECT_FALSE(lookup.CreateFolder(folder.File("a\\b")));
  ASSERT_TRUE(lookup.CreateFolder(child));
  EXPECT_TRUE(lookup.Exists(child));
  EXPECT_TRUE(lookup.Exists(ExecutablePath()));  // files count too
  RemoveDirectoryW(ToUtf16(child).c_str());
}

TEST(Win32FoldersTest, TheFileNameKeepsItsExtension) {
  EXPECT_EQ(ExecutableFileName(), "win32_folder_lookup_test.exe");
}

}  // namespace
}  // namespace norvaket::win32
