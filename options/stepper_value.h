#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_fields.h"

namespace norvaket {

// The arithmetic of a value box's stepper: a position within the battery levels that
// moves one step per arrow click or Up/Down key and never wraps. The box itself
// may hold any text; a step starts from the number the text holds (held to the
// limits) and, when the text holds none, from the last position.
class StepperValue {
 public:
  static constexpr std::int32_t kLowerLimit = kPercentRange.lowest;
  static constexpr std::int32_t kUpperLimit = kPercentRange.highest;

  explicit StepperValue(std::int32_t position);

  std::int32_t Position() const { return position_; }

  // Where a step starts for the box's current text.
  std::int32_t Base(std::string_view text) const;
  bool CanStepUp(std::string_view text) const { return Base(text) < kUpperLimit; }
  bool CanStepDown(std::string_view text) const { return Base(text) > kLowerLimit; }

  // Moves by `steps` from the text's base; the text to write into the box, or
  // nothing when a limit stops the move.
  std::optional<std::string> Step(std::string_view text, std::int32_t steps);

  static std::int32_t Clamp(std::int64_t value);

 private:
  std::int32_t position_;
};

}  // namespace norvaket
