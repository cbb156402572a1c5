#include "tools/status/replay_clock.h"

namespace norvaket::replay {

LocalDateTime ReplayClock::Now() const {
  const std::chrono::year_month_day ymd{date_};
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(time_of_day_).count();
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(seconds / 3600),
          static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60)};
}

void ReplayClock::SetTimeOfDay(int hour, int minute, int second) {
  time_of_day_ = std::chrono::hours{hour} + std::chrono::minutes{minute} + std::chrono::seconds{second};
}

void ReplayClock::Advance(std::chrono::milliseconds step) {
  constexpr std::chrono::milliseconds kDay = std::chrono::hours{24};
  time_of_day_ += step;
  const auto whole_days = time_of_day_ / kDay;
  date_ += std::chrono::days{whole_days};
  time_of_day_ -= whole_days * kDay;
}

}  // namespace norvaket::replay
