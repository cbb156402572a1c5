#include "options/stepper_value.h"

#include <gtest/gtest.h>

#include <ostream>

namespace norvaket {
namespace {

TEST(StepperValueTest, StartsHeldToTheLimits) {
  EXPECT_EQ(StepperValue(50).Position(), 50);
  EXPECT_EQ(StepperValue(0).Position(), 1);
  EXPECT_EQ(StepperValue(150).Position(), 99);
}

struct StepCase {
  std::int32_t position;
  std::string text;
  std::int32_t steps;
  std::optional<std::string> written;
  friend std::ostream& operator<<(std::ostream& out, const StepCase& c) {
    return out << c.position << " \"" << c.text << "\" " << c.steps << " -> "
               << c.written.value_or("none");
  }
};

class StepperStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepperStepTest, WritesTheNewNumberOrNothingAtALimit) {
  StepperValue stepper(GetParam().position);
  EXPECT_EQ(stepper.Step(GetParam().text, GetParam().steps), GetParam().written)
      << "text \"" << GetParam().text << "\" steps " << GetParam().steps;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StepperStepTest,
    ::testing::Values(StepCase{20, "20", 1, "21"}, StepCase{20, "20", -1, "19"},
                      // Limits stop the step; nothing wraps.
                      StepCase{1, "1", -1, std::nullopt}, StepCase{99, "99", 1, std::nullopt},
                      StepCase{2, "2", -1, "1"}, StepCase{98, "98", 1, "99"},
                      // A step starts from what the user typed, held to the limits.
                      StepCase{20, "50", 1, "51"}, StepCase{20, "150", -1, "98"},
                      StepCase{20, "150", 1, std::nullopt}, StepCase{20, "0", 1, "2"},
                      StepCase{20, "-7", -1, std::nullopt}, StepCase{20, "50%", -1, "49"},
                      // A text without a number steps from the last position.
                      StepCase{30, "abc", 1, "31"}, StepCase{30, "", -1, "29"},
                      StepCase{99, "abc", 1, std::nullopt}));

TEST(StepperValueTest, RemembersTheLastPositionForTextWithoutANumber) {
  StepperValue stepper(10);
  ASSERT_EQ(stepper.Step("60", 1), "61");
  EXPECT_EQ(stepper.Position(), 61);
  EXPECT_EQ(stepper.Step("x", 1), "62");
}

TEST(StepperValueTest, ArrowsAreEnabledOnlyAwayFromTheLimits) {
  const StepperValue stepper(50);
  EXPECT_TRUE(stepper.CanStepUp("98"));
  EXPECT_FALSE(stepper.CanStepUp("99"));
  EXPECT_TRUE(stepper.CanStepDown("2"));
  EXPECT_FALSE(stepper.CanStepDown("1"));
  EXPECT_FALSE(stepper.CanStepDown("0"));
  EXPECT_TRUE(stepper.CanStepUp("abc"));
}

}  // namespace
}  // namespace norvaket
