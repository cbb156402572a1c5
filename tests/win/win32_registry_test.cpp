#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes TextData(const std::string& utf8) {
  Bytes data(utf8.begin(), utf8.end());
  data.push_back(0);
  return data;
}

// A key of its own under HKCU for each test, deleted with everything below it.
class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = "Software\\NorvaketTest\\" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount64()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_EQ(registry.CreateKey(kHkeyCurrentUser, path, key), kRegistrySuccess);
  }
  void TearDown() override {
    registry.CloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, ToUtf16(path).c_str());
  }

  // What the registry itself holds, read past our layer.
  std::wstring NativeText(const std::string& name, DWORD& type, DWORD& size) {
    wchar_t buffer[256] = {};
    size = sizeof buffer;
    RegGetValueW(HKEY_CURRENT_USER, ToUtf16(path).c_str(), ToUtf16(name).c_str(), RRF_RT_ANY |
                 RRF_NOEXPAND, &type, buffer, &size);
    return buffer;
  }

  Win32Registry registry;
  std::string path;
  RegistryKey key = 0;
};

TEST_F(Win32RegistryTest, CurrentUserRootReachesTheRealHive) {
  HKEY native = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, ToUtf16(path).c_str(), 0, KEY_READ, &native),
            ERROR_SUCCESS);
  RegCloseKey(native);
  RegistryKey reopened = 0;
  EXPECT_EQ(registry.OpenKey(kHkeyCurrentUser, path, reopened), kRegistrySuccess);
  EXPECT_EQ(registry.CloseKey(reopened), kRegistrySuccess);
}

TEST_F(Win32RegistryTest, TextIsStoredAsUtf16WithOneNul) {
  ASSERT_EQ(registry.SetValue(key, "Norvaket", kRegSz, TextData("D:\\My Tools\\power")),
            kRegistrySuccess);
  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(NativeText("Norvaket", type, size), L"D:\\My Tools\\power");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, (17u + 1u) * sizeof(wchar_t));
}

struct TextCase {
  std::string text;
};

class TextRoundTripTest : public Win32RegistryTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextRoundTripTest, TextComesBackAsUtf8WithOneNul) {
  ASSERT_EQ(registry.SetValue(key, "値", kRegSz, TextData(GetParam().text)), kRegistrySuccess);
  std::uint32_t type = 0;
  Bytes data;
  ASSERT_EQ(registry.QueryValue(key, "値", type, data), kRegistrySuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(data, TextData(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, TextRoundTripTest,
                         ::testing::Values(TextCase{""}, TextCase{"C:\\\\power"},
                                           TextCase{"\"C:\\Program Files\\Norvaket\\norvaket\""},
                                           TextCase{"C:\\ユーザー\\電源\xF0\x9F\x94\x8B"}));

TEST_F(Win32RegistryTest, TextStoredWithoutItsNulStillGetsExactlyOne) {
  HKEY native = nullptr;
  RegOpenKeyExW(HKEY_CURRENT_USER, ToUtf16(path).c_str(), 0, KEY_SET_VALUE, &native);
  RegSetValueExW(native, L"Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), 3 * sizeof(wchar_t));
  RegCloseKey(native);
  std::uint32_t type = 0;
  Bytes data;
  ASSERT_EQ(registry.QueryValue(key, "Bare", type, data), kRegistrySuccess);
  EXPECT_EQ(data, TextData("abc"));
}

TEST_F(Win32RegistryTest, OtherKindsTravelAsRawBytes) {
  const Bytes dword = {0xFF, 0xFF, 0xFF, 0xFF};
  const Bytes binary = {0x00, 0x01, 0xFE};
  ASSERT_EQ(registry.SetValue(key, "Flag", kRegDword, dword), kRegistrySuccess);
  ASSERT_EQ(registry.SetValue(key, "Bytes", kRegBinary, binary), kRegistrySuccess);
  ASSERT_EQ(registry.SetValue(key, "Empty", kRegBinary, Bytes{}), kRegistrySuccess);
  std::uint32_t type = 0;
  Bytes data;
  ASSERT_EQ(registry.QueryValue(key, "Flag", type, data), kRegistrySuccess);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(data, dword);
  ASSERT_EQ(registry.QueryValue(key, "Bytes", type, data), kRegistrySuccess);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(data, binary);
  ASSERT_EQ(registry.QueryValue(key, "Empty", type, data), kRegistrySuccess);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_TRUE(data.empty());
}

TEST_F(Win32RegistryTest, ExpandableTextKeepsItsTypeAndIsNotExpanded) {
  ASSERT_EQ(registry.SetValue(key, "Expand", kRegExpandSz, TextData("%SystemRoot%\\x")),
            kRegistrySuccess);
  std::uint32_t type = 0;
  Bytes data;
  ASSERT_EQ(registry.QueryValue(key, "Expand", type, data), kRegistrySuccess);
  EXPECT_EQ(type, kRegExpandSz);
  EXPECT_EQ(data, TextData("%SystemRoot%\\x"));
}

TEST_F(Win32RegistryTest, DeleteRemovesTheValueAndFailsTheSecondTime) {
  ASSERT_EQ(registry.SetValue(key, "Norvaket", kRegSz, TextData("x")), kRegistrySuccess);
  EXPECT_EQ(registry.DeleteValue(key, "Norvaket"), kRegistrySuccess);
  std::uint32_t type = 0;
  Bytes data;
  EXPECT_EQ(registry.QueryValue(key, "Norvaket", type, data), ERROR_FILE_NOT_FOUND);
  EXPECT_NE(registry.DeleteValue(key, "Norvaket"), kRegistrySuccess);
}

TEST_F(Win32RegistryTest, AMissingKeyIsNotCreatedByOpening) {
  RegistryKey missing = 0;
  EXPECT_NE(registry.OpenKey(kHkeyCurrentUser, path + "\\missing", missing), kRegistrySuccess);
  HKEY native = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, ToUtf16(path + "\\missing").c_str(), 0, KEY_READ, &native),
            ERROR_SUCCESS);
}

}  // namespace
}  // namespace norvaket::win32
