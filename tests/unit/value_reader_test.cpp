#include "options/value_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace norvaket {
namespace {

struct ReadCase {
  std::string text;
  double value;
  friend std::ostream& operator<<(std::ostream& out, const ReadCase& c) {
    return out << '"' << c.text << "\" -> " << c.value;
  }
};

class ReadValueTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadValueTest, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(ReadValue(GetParam().text), GetParam().value)
      << "text: \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(PlainNumbers, ReadValueTest,
                         ::testing::Values(ReadCase{"20", 20}, ReadCase{"1", 1}, ReadCase{"99", 99},
                                           ReadCase{"0", 0}, ReadCase{"100", 100},
                                           ReadCase{"007", 7}, ReadCase{"1.5", 1.5},
                                           ReadCase{"99.4", 99.4}, ReadCase{"0.6", 0.6},
                                           ReadCase{".5", 0.5}, ReadCase{"5.", 5},
                                           ReadCase{"-3", -3}, ReadCase{"+42", 42}));

INSTANTIATE_TEST_SUITE_P(
    NoNumber, ReadValueTest,
    ::testing::Values(ReadCase{"", 0}, ReadCase{"abc", 0}, ReadCase{"   ", 0}, ReadCase{"-", 0},
                      ReadCase{"+", 0}, ReadCase{".", 0}, ReadCase{"-.e5", 0}, ReadCase{"%50", 0},
                      ReadCase{"e5", 0},
                      // Only the C locale's decimal point counts; "," ends the number.
                      ReadCase{",5", 0},
                      // Words that strtod would take as numbers.
                      ReadCase{"inf", 0}, ReadCase{"nan", 0}, ReadCase{"0x1A", 0}));

INSTANTIATE_TEST_SUITE_P(StopsAtTheFirstCharacterThatCannotContinue, ReadValueTest,
                         ::testing::Values(ReadCase{"50abc", 50}, ReadCase{"50%", 50},
                                           ReadCase{"1,5", 1}, ReadCase{"1.2.3", 1.2},
                                           ReadCase{"12 3", 12}, ReadCase{"4-5", 4},
                                           ReadCase{"7e", 7}, ReadCase{"7e+", 7},
                                           ReadCase{"7ex", 7}, ReadCase{"- 5", 0}));

INSTANTIATE_TEST_SUITE_P(LeadingBlanks, ReadValueTest,
                         ::testing::Values(ReadCase{" 5", 5}, ReadCase{"\t\t30", 30},
                                           ReadCase{"\xE3\x80\x80"
                                                    "25",
                                                    25},  // ideographic space
                                           ReadCase{"  -2.5", -2.5}));

INSTANTIATE_TEST_SUITE_P(Exponents, ReadValueTest,
                         ::testing::Values(ReadCase{"1e1", 10}, ReadCase{"5E+1", 50},
                                           ReadCase{"990e-1", 99}, ReadCase{"1.5e1", 15},
                                           ReadCase{"2.e1", 20}, ReadCase{".5e2", 50},
                                           ReadCase{"1e-999", 0}, ReadCase{"9e1%", 90}));

TEST(ReadNumberPrefixTest, TellsNoNumberFromZero) {
  EXPECT_FALSE(ReadNumberPrefix("abc").has_value());
  EXPECT_FALSE(ReadNumberPrefix("").has_value());
  ASSERT_TRUE(ReadNumberPrefix("0").has_value());
  EXPECT_EQ(*ReadNumberPrefix("0"), 0.0);
}

TEST(ReadNumberPrefixTest, HugeNumbersBecomeInfinities) {
  EXPECT_TRUE(std::isinf(ReadValue("1e999")));
  EXPECT_GT(ReadValue("1e999"), 0);
  EXPECT_LT(ReadValue("-1e999"), 0);
  EXPECT_TRUE(std::isinf(ReadValue(std::string(400, '9'))));
  // The digits, not the exponent's sign alone, say which way the range is left.
  EXPECT_TRUE(std::isinf(ReadValue("1" + std::string(400, '0') + "e-5")));
  EXPECT_EQ(ReadValue("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(ReadValue("0." + std::string(400, '0') + "1e+99999999999999999999"),
            std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace norvaket
