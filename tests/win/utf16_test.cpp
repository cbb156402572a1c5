#include "platform/win32/utf16.h"

#include <gtest/gtest.h>

namespace norvaket::win32 {
namespace {

struct Case {
  const char* utf8;
  const wchar_t* utf16;
};

class Utf16RoundTripTest : public ::testing::TestWithParam<Case> {};

TEST_P(Utf16RoundTripTest, ConvertsBothWays) {
  EXPECT_EQ(ToUtf16(GetParam().utf8), GetParam().utf16);
  EXPECT_EQ(ToUtf8(GetParam().utf16), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf16RoundTripTest,
    ::testing::Values(Case{"", L""}, Case{"NotifyAtRun=Yes", L"NotifyAtRun=Yes"},
                      Case{"バッテリ残量:", L"\u30D0\u30C3\u30C6\u30EA\u6B8B\u91CF:"},
                      // Outside the basic plane: one character, two UTF-16 units.
                      Case{"\xF0\x9F\x94\x8B", L"\xD83D\xDD0B"},
                      Case{"AC電源\r\n80%", L"AC\u96FB\u6E90\r\n80%"}));

TEST(Utf16Test, EmbeddedNulsAreKept) {
  EXPECT_EQ(ToUtf16(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
  EXPECT_EQ(ToUtf8(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST(Utf16Test, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(ToUtf16("a\xFFz"), L"a\uFFFDz");
  EXPECT_EQ(ToUtf16("\xE3\x83"), L"\uFFFD");  // a character cut in half
  EXPECT_EQ(ToUtf8(L"a\xD800z"), "a\xEF\xBF\xBDz");  // a lone surrogate
}

}  // namespace
}  // namespace norvaket::win32
