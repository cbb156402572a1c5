#include "tray/utf16_limit.h"

#include <gtest/gtest.h>

namespace norvaket {
namespace {

TEST(Utf16LimitTest, CountsCodeUnits) {
  EXPECT_EQ(Utf16Length(""), 0u);
  EXPECT_EQ(Utf16Length("AC"), 2u);
  EXPECT_EQ(Utf16Length("バッテリ"), 4u);        // 3 bytes each, 1 unit each
  EXPECT_EQ(Utf16Length("\xF0\x9F\x94\x8B"), 2u);  // outside the BMP: a surrogate pair
}

TEST(Utf16LimitTest, CutsOnlyBetweenCharacters) {
  EXPECT_EQ(CutToUtf16Units("バッテリ", 2), "バッ");
  EXPECT_EQ(CutToUtf16Units("AC電源", 3), "AC電");
  // A surrogate pair does not fit in one unit and is dropped whole.
  EXPECT_EQ(CutToUtf16Units("a\xF0\x9F\x94\x8B", 2), "a");
  EXPECT_EQ(CutToUtf16Units("a\xF0\x9F\x94\x8B", 3), "a\xF0\x9F\x94\x8B");
  EXPECT_EQ(CutToUtf16Units("short", 127), "short");
}

TEST(Utf16LimitTest, LongTooltipIsCutTo127Units) {
  std::string text;
  for (int i = 0; i < 130; ++i) text += "電";
  const std::string cut = CutToUtf16Units(text, 127);
  EXPECT_EQ(Utf16Length(cut), 127u);
  EXPECT_EQ(cut.size(), 127u * 3);
}

TEST(Utf16LimitTest, MalformedBytesCountOneEach) {
  EXPECT_EQ(Utf16Length("\xE3\x83"), 2u);  // truncated sequence
  EXPECT_EQ(CutToUtf16Units("\xFF\xFE" "ab", 3), "\xFF\xFE" "a");
}

}  // namespace
}  // namespace norvaket
