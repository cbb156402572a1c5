#include "tools/status/status_json.h"

#include <cmath>

#include <nlohmann/json.hpp>

namespace norvaket::replay {

namespace {

nlohmann::ordered_json BalloonsJson(const std::vector<Balloon>& balloons) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Balloon& balloon : balloons) {
    list.push_back({{"title", balloon.title},
                    {"text", balloon.text},
                    {"icon", balloon.warning ? "warning" : "info"}});
  }
  return list;
}

// Watts to the hundredth, or null.
nlohmann::ordered_json Watts(const std::optional<double>& watts) {
  if (!watts) return nullptr;
  return std::round(*watts * 100) / 100;
}

std::string Dump(const nlohmann::ordered_json& line) {
  return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace

std::string OutcomeJson(const EventOutcome& outcome) {
  const nlohmann::ordered_json line = {
      {"event", EventName(outcome.kind)},
      {"state", static_cast<int>(outcome.status.State)},
      {"level", outcome.status.LifePercent},
      {"lifetime", outcome.status.LifeTime},
      {"icon", outcome.status.TrayIconId},
      {"tooltip", outcome.status.TrayTipText},
      {"shell", outcome.shell},
      {"balloons", BalloonsJson(outcome.balloons)},
  };
  return Dump(line);
}

std::string LiveStatusJson(const char* source, const PowerStatus& snapshot, PowerState state,
                           std::int32_t icon, const std::string& tooltip,
                           const nlohmann::ordered_json& batteries,
                           const linux_platform::DrawFigures& draws, const EventOutcome* outcome) {
  nlohmann::ordered_json line = {
      {"source", source},
      {"ACLineStatus", snapshot.ACLineStatus},
      {"BatteryFlag", snapshot.BatteryFlag},
      {"BatteryLifePercent", snapshot.BatteryLifePercent},
      {"BatteryLifeTime", snapshot.BatteryLifeTime},
      {"BatteryFullLifeTime", snapshot.BatteryFullLifeTime},
      {"state", static_cast<int>(state)},
      {"icon", icon},
      {"tooltip", tooltip},
      {"batteries", batteries},
  };
  line["draw_average_W"] = Watts(draws.average_w);
  line["draw_last_W"] = Watts(draws.last_w);
  if (outcome != nullptr) {
    line["event"] = EventName(outcome->kind);
    line["shell"] = outcome->shell;
    line["balloons"] = BalloonsJson(outcome->balloons);
  }
  return Dump(line);
}

}  // namespace norvaket::replay
