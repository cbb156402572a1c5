#include "tools/status/status_json.h"

#include <nlohmann/json.hpp>

namespace norvaket::replay {

std::string OutcomeJson(const EventOutcome& outcome) {
  nlohmann::ordered_json balloons = nlohmann::ordered_json::array();
  for (const Balloon& balloon : outcome.balloons) {
    balloons.push_back({{"title", balloon.title},
                        {"text", balloon.text},
                        {"icon", balloon.warning ? "warning" : "info"}});
  }
  const nlohmann::ordered_json line = {
      {"event", EventName(outcome.kind)},
      {"state", static_cast<int>(outcome.status.State)},
      {"level", outcome.status.LifePercent},
      {"lifetime", outcome.status.LifeTime},
      {"icon", outcome.status.TrayIconId},
      {"tooltip", outcome.status.TrayTipText},
      {"shell", outcome.shell},
      {"balloons", balloons},
  };
  return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace norvaket::replay
