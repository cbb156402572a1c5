#include "core/time_format.h"

namespace norvaket {
namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

std::string FormatTimeOfDay(std::int64_t seconds_of_day) {
  const std::int64_t hour = seconds_of_day / 3600;
  const std::int64_t minute = (seconds_of_day / 60) % 60;
  std::string text = std::to_string(hour) + ":";
  if (minute < 10) text += "0";
  return text + std::to_string(minute);
}

std::int64_t SecondsOfDay(const LocalDateTime& time) {
  return std::int64_t{time.hour} * 3600 + std::int64_t{time.minute} * 60 + time.second;
}

}  // namespace

std::string FormatEndTime(std::int64_t seconds, const LocalDateTime& now) {
  // Whole days drop out of the time of day, so 64 bits never overflow here
  // and a remaining time of many years still gives the right clock time.
  std::int64_t end = (SecondsOfDay(now) + seconds) % kSecondsPerDay;
  if (end < 0) end += kSecondsPerDay;
  return FormatTimeOfDay(end);
}

std::string FormatClockStamp(const LocalDateTime& now) { return FormatTimeOfDay(SecondsOfDay(now)); }

}  // namespace norvaket
