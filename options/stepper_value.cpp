#include "options/stepper_value.h"

#include "options/round_half_even.h"
#include "options/value_reader.h"

namespace norvaket {

StepperValue::StepperValue(std::int32_t position) : position_(Clamp(position)) {}

std::int32_t StepperValue::Clamp(std::int64_t value) {
  return kPercentRange.Clamp(value);
}

std::int32_t StepperValue::Base(std::string_view text) const {
  const std::optional<double> number = ReadNumberPrefix(text);
  if (!number) return position_;
  return Clamp(RoundHalfToEven(*number));
}

std::optional<std::string> StepperValue::Step(std::string_view text, std::int32_t steps) {
  const std::int32_t base = Base(text);
  const std::int32_t next = Clamp(static_cast<std::int64_t>(base) + steps);
  if (next == base) return std::nullopt;
  position_ = next;
  return std::to_string(next);
}

}  // namespace norvaket
