#include "platform/linux/remaining_time_hold.h"

#include <algorithm>
#include <cmath>

namespace norvaket::linux_platform {
namespace {

using Seconds = std::chrono::duration<double>;

}  // namespace

void RemainingTimeHold::Apply(PowerStatus& status, std::chrono::nanoseconds now) {
  if (status.ACLineStatus != kACLineOffline || status.BatteryLifeTime <= 0) {
    held_.reset();
    return;
  }
  const bool new_level =
      !held_ || held_->percent != status.BatteryLifePercent || held_->flag != status.BatteryFlag;
  if (new_level || EndMoved(*held_, status.BatteryLifeTime, now)) {
    held_ = Held{now, status.BatteryLifeTime, status.BatteryFullLifeTime, status.BatteryLifePercent,
                 status.BatteryFlag};
    return;
  }
  if (now - held_->at >= kLongestHold) {
    const auto passed = std::chrono::duration_cast<std::chrono::seconds>(now - held_->at).count();
    held_->life_time =
        static_cast<std::int32_t>(std::max<std::int64_t>(held_->life_time - passed, 1));
    held_->at += std::chrono::seconds(passed);
  }
  status.BatteryLifeTime = held_->life_time;
  status.BatteryFullLifeTime = held_->full_life_time;
}

bool RemainingTimeHold::EndMoved(const Held& held, std::int32_t life_time,
                                 std::chrono::nanoseconds now) const {
  const double held_end = Seconds(held.at).count() + held.life_time;
  const double new_end = Seconds(now).count() + life_time;
  const double least = std::max(Seconds(kLeastMove).count(), life_time * kLeastMovePercent / 100.0);
  return std::abs(new_end - held_end) > least;
}

}  // namespace norvaket::linux_platform
