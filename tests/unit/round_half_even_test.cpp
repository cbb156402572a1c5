#include "options/round_half_even.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

namespace norvaket {
namespace {

struct RoundCase {
  double value;
  std::int32_t rounded;
  friend std::ostream& operator<<(std::ostream& out, const RoundCase& c) {
    return out << c.value << " -> " << c.rounded;
  }
};

class RoundHalfToEvenTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfToEvenTest, GoesToTheNearestIntegerAndHalvesToEven) {
  EXPECT_EQ(RoundHalfToEven(GetParam().value), GetParam().rounded) << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Halves, RoundHalfToEvenTest,
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2},
                                           RoundCase{3.5, 4}, RoundCase{98.5, 98},
                                           RoundCase{97.5, 98}, RoundCase{-0.5, 0},
                                           RoundCase{-1.5, -2}, RoundCase{-2.5, -2}));

INSTANTIATE_TEST_SUITE_P(NotHalves, RoundHalfToEvenTest,
                         ::testing::Values(RoundCase{1.0, 1}, RoundCase{99.0, 99},
                                           RoundCase{98.6, 99}, RoundCase{98.4, 98},
                                           RoundCase{0.6, 1}, RoundCase{99.4, 99},
                                           RoundCase{2.5000001, 3}, RoundCase{2.4999999, 2},
                                           RoundCase{-1.2, -1}, RoundCase{-1.7, -2}));

INSTANTIATE_TEST_SUITE_P(
    OutsideTheIntegerRange, RoundHalfToEvenTest,
    ::testing::Values(RoundCase{1e12, std::numeric_limits<std::int32_t>::max()},
                      RoundCase{-1e12, std::numeric_limits<std::int32_t>::min()},
                      RoundCase{std::numeric_limits<double>::infinity(),
                                std::numeric_limits<std::int32_t>::max()},
                      RoundCase{std::numeric_limits<double>::quiet_NaN(), 0}));

}  // namespace
}  // namespace norvaket
