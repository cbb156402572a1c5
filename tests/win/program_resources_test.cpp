// The resources built into norvaket.exe: the painted program icon and the
// version record, both from the project's one set of facts.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/utf16.h"
#include "resources/version_info.h"

namespace norvaket::win32 {
namespace {

// Set by the test's CMake entry.
std::wstring ProgramFile() {
  const char* path = std::getenv("NORVAKET_EXE");
  return path == nullptr ? std::wstring() : ToUtf16(path);
}

class ProgramResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(program.empty()) << "NORVAKET_EXE is not set";
    module = LoadLibraryExW(program.c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
  }
  void TearDown() override {
    if (module != nullptr) FreeLibrary(module);
  }

  std::wstring VersionString(const std::vector<unsigned char>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || value == nullptr)
      return {};
    return static_cast<const wchar_t*>(value);
  }

  std::wstring program = ProgramFile();
  HMODULE module = nullptr;
};

TEST_F(ProgramResourcesTest, TheProgramIconIsThereAtTheSmallAndTheLargeSize) {
  for (int size : {16, 32, 48}) {
    HICON icon =
        static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmBitsPixel, 32);  // with its alpha channel
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST_F(ProgramResourcesTest, TheVersionRecordHoldsTheProjectsFacts) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<unsigned char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), static_cast<WORD>(version::kMajor));
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), static_cast<WORD>(version::kMinor));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), static_cast<WORD>(version::kRevision));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  EXPECT_EQ(VersionString(block, L"ProductName"), ToUtf16(version::kTitle));
  EXPECT_EQ(VersionString(block, L"FileDescription"), ToUtf16(version::kTitle));
  EXPECT_EQ(VersionString(block, L"LegalCopyright"), ToUtf16(version::kLegalNotice));
  EXPECT_EQ(VersionString(block, L"FileVersion"), ToUtf16(version::kVersionText));
  EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"norvaket.exe");
}

}  // namespace
}  // namespace norvaket::win32
