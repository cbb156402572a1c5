#pragma once

#include <iosfwd>

#include "settings/settings.h"
#include "tools/status/replay_trace.h"

namespace norvaket::replay {

// Replays the trace in `input`, one JSON line per event on `out`. A malformed line
// stops the replay with a message naming its number on `err` and the result 2.
int RunReplay(std::istream& input, const Settings& settings, TimeOfDay start_time,
              std::ostream& out, std::ostream& err);

}  // namespace norvaket::replay
