#include "core/notification_rules.h"

#include "core/time_format.h"

namespace norvaket {
namespace {

constexpr const char* kEmptyBatteryText =
    "バッテリの残量が 0% です。充電を開始するには、システムをシャットダウンするか休止状態にする必要があります。";

bool IsOn(Flag flag) { return flag != 0; }

bool OnACOrBattery(PowerState state) { return state == psAC || state == psBattery; }

std::string LevelReachedText(std::int32_t level) {
  return "バッテリの残量が " + FormatPercent(level) + " に達しました。";
}

std::optional<Balloon> Show(Flag setting, Balloon balloon) {
  if (!IsOn(setting)) return std::nullopt;
  return balloon;
}

std::string StartTitle(PowerState state) {
  switch (state) {
    case psAC: return "AC電源を使用しています";
    case psBattery: return "バッテリを使用しています";
    case psCharging: return "バッテリを充電しています";
    case psNoBattery: return "バッテリがありません";
    default: return "不明な電源状態";
  }
}

struct StartMessage {
  std::string text;
  bool warning;
  bool urgent = false;
};

StartMessage StartMessageFor(const StatusRecord& current, const Settings& settings) {
  const PowerState state = current.State;
  const std::int32_t level = current.LifePercent;
  if (IsOn(settings.NotifyCV4) && level == 0 && OnACOrBattery(state)) {
    return {kEmptyBatteryText, true, true};
  }
  if (IsOn(settings.NotifyCV2) && level <= settings.NotifyCV2Value && OnACOrBattery(state)) {
    return {"バッテリの残量が低下しています", true, true};
  }
  if (IsOn(settings.NotifyPS0) && level == 100 && OnACOrBattery(state)) {
    return {"バッテリの充電は完了しています", true};
  }
  if (IsOn(settings.NotifyLifePercentAtRun)) {
    if (state == psAC || state == psBattery || state == psCharging) {
      return {"バッテリの残量は " + FormatPercent(level) + " です。", true};
    }
    if (state == psNoBattery) return {"バッテリの状態を表示できません", false};
    return {"システムの電源状態を取得できません", true};
  }
  if (state == psAC || state == psCharging) return {"システムはAC電源で動作しています", false};
  if (state == psBattery) return {"システムはバッテリで動作しています", true};
  if (state == psNoBattery) return {"バッテリの状態を表示できません", false};
  return {"システムの電源状態を取得できません", true};
}

}  // namespace

std::optional<Balloon> LevelRule(const StatusRecord& previous, const StatusRecord& current,
                                 const Settings& settings) {
  const std::int32_t level = current.LifePercent;
  if (level == previous.LifePercent) return std::nullopt;
  // Equality, not crossing: a step from 21 % to 19 % passes a threshold of 20 silently.
  if (OnACOrBattery(current.State) && level == settings.NotifyCV2Value) {
    return Show(settings.NotifyCV2, {"バッテリの低下", LevelReachedText(level), true, true});
  }
  if (current.State == psAC && level == 0) {
    return Show(settings.NotifyCV4, {"バッテリ切れ", kEmptyBatteryText, true, true});
  }
  if (current.State == psCharging && level == settings.NotifyCV0Value) {
    return Show(settings.NotifyCV0, {"バッテリ充電の進捗", LevelReachedText(level), false});
  }
  return std::nullopt;
}

std::optional<Balloon> SwitchRule(const StatusRecord& previous, const StatusRecord& current,
                                  const Settings& settings) {
  // Silent right after start or resume, when the previous state is a marker.
  if (current.State == previous.State || previous.State <= 0) return std::nullopt;
  const std::int32_t level = current.LifePercent;
  switch (current.State) {
    case psAC:
      if (previous.State == psCharging && level == 100) {
        return Show(settings.NotifyPS0, {"充電が完了しました", "バッテリの充電が完了しました。", false});
      }
      return std::nullopt;
    case psBattery:
      if (level <= settings.NotifyCV2Value) {
        return Show(settings.NotifyPS1,
                    {"バッテリに切り替わりました", "バッテリの残量が低下しています。", true, true});
      }
      return Show(settings.NotifyPS1,
                  {"バッテリに切り替わりました", "システムはバッテリで動作しています。", false});
    case psCharging:
      return Show(settings.NotifyPS2,
                  {"AC電源に切り替わりました", "バッテリを充電しています。", false});
    default:
      return std::nullopt;
  }
}

std::optional<Balloon> RemainingTimeRule(const StatusRecord& previous, const StatusRecord& current,
                                         const Settings& settings, const LocalDateTime& now) {
  // A previous time of 0 is "not known" too, but only a negative one counts here.
  if (current.State != psBattery || current.LifeTime <= 0 || previous.LifeTime >= 0) {
    return std::nullopt;
  }
  return Show(settings.NotifyRT,
              {"バッテリの持続時", "バッテリは " + FormatEndTime(current.LifeTime, now) + " まで使用可能です。",
               current.LifePercent <= settings.NotifyCV2Value});
}

std::optional<Balloon> StartRule(const StatusRecord& previous, const StatusRecord& current,
                                 const Settings& settings) {
  if (!IsOn(settings.NotifyAtRun) || current.State <= 0 || previous.State != psFresh) {
    return std::nullopt;
  }
  StartMessage message = StartMessageFor(current, settings);
  return Balloon{StartTitle(current.State), std::move(message.text), message.warning,
                 message.urgent};
}

std::vector<Balloon> NotificationRules(const StatusRecord& previous, const StatusRecord& current,
                                       const Settings& settings, const LocalDateTime& now) {
  std::vector<Balloon> balloons;
  for (auto balloon : {LevelRule(previous, current, settings), SwitchRule(previous, current, settings),
                       RemainingTimeRule(previous, current, settings, now),
                       StartRule(previous, current, settings)}) {
    if (balloon) balloons.push_back(std::move(*balloon));
  }
  return balloons;
}

}  // namespace norvaket
