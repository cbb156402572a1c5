#include "platform/win32/win32_folders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/utf16.h"

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
  EXPECT_EQ(ExecutableBaseName(), "win32_folders_test");
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  const std::string joined = folder.back() == '\\' ? folder : folder + "\\";
  EXPECT_EQ(joined + ExecutableBaseName() + ".exe", path);
  EXPECT_NE(GetFileAttributesW(ToUtf16(folder).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace norvaket::win32
