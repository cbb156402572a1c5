#include "tools/status/replay_command.h"

#include <istream>
#include <ostream>
#include <string>

#include "tools/status/replay_session.h"
#include "tools/status/status_json.h"

namespace norvaket::replay {

int RunReplay(std::istream& input, const Settings& settings, TimeOfDay start_time,
              std::ostream& out, std::ostream& err) {
  ReplaySession session(settings, start_time);
  ReplayOrder order;
  std::string line;
  std::string error;
  for (int number = 1; std::getline(input, line); ++number) {
    std::optional<ReplayEvent> event = ParseReplayLine(line, error);
    if (event && error.empty()) error = order.Accept(*event);
    if (!error.empty()) {
      err << "norvaket-status: line " << number << ": " << error << "\n";
      return 2;
    }
    if (!event) continue;
    if (std::optional<EventOutcome> outcome = session.Run(*event)) {
      out << OutcomeJson(*outcome) << "\n" << std::flush;
    }
  }
  return 0;
}

}  // namespace norvaket::replay
