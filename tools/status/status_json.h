#pragma once

#include <string>

#include "tools/status/replay_session.h"

namespace norvaket::replay {

// One line of JSON for an event: event, state, level, lifetime, icon, tooltip, shell, balloons.
std::string OutcomeJson(const EventOutcome& outcome);

}  // namespace norvaket::replay
