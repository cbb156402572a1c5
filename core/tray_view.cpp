#include "core/tray_view.h"

#include "core/icon_ids.h"
#include "core/time_format.h"

namespace norvaket {
namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr const char* kUnknownTime = "残り時間 不明";

std::int32_t LevelIcon(PowerState state, bool usable, int percent) {
  const std::int32_t base = static_cast<std::int32_t>(state) * 100;
  return usable ? base + IconLevel(percent) : base + kIconLevelUnknownOffset;
}

std::string BatterySecondLine(bool usable, const std::string& percent, std::int32_t life_time,
                              const LocalDateTime& now) {
  if (!usable) return kUnknownTime;
  if (life_time > 0) return FormatEndTime(life_time, now) + " まで (" + percent + ")";
  return std::string(kUnknownTime) + " (" + percent + ")";
}

}  // namespace

TrayView ChooseTrayView(PowerState state, const PowerStatus& snapshot, std::int32_t life_time,
                        const LocalDateTime& now) {
  const int percent_value = snapshot.BatteryLifePercent;
  const bool usable = IsLevelUsable(percent_value);
  const std::string percent = FormatPercent(percent_value);
  switch (state) {
    case psAC:
      return {LevelIcon(state, usable, percent_value),
              std::string("AC電源") + kLineBreak + (usable ? percent : kUnknownTime)};
    case psBattery:
      return {LevelIcon(state, usable, percent_value),
              std::string("バッテリ") + kLineBreak + BatterySecondLine(usable, percent, life_time, now)};
    case psCharging:
      return {LevelIcon(state, usable, percent_value),
              std::string("AC電源") + kLineBreak +
                  (usable ? percent + " (充電中)" : std::string(kUnknownTime) + " (充電中)")};
    case psNoBattery:
      return {kIconNoBattery, "バッテリなし"};
    default:
      return {kIconUnknown, "不明"};
  }
}

}  // namespace norvaket
