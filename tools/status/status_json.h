#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "platform/linux/draw_figures.h"
#include "tools/status/replay_session.h"

namespace norvaket::replay {

// One line of JSON for an event: event, state, level, lifetime, icon, tooltip, shell, balloons.
std::string OutcomeJson(const EventOutcome& outcome);

// One line of the live tool: the source's name, the snapshot's six fields, the
// state it classifies as, the icon and tooltip chosen for it, the batteries' own
// facts, the averaged and the last draw and, when watching, the event with its
// shell calls and balloons.
std::string LiveStatusJson(const char* source, const PowerStatus& snapshot, PowerState state,
                           std::int32_t icon, const std::string& tooltip,
                           const nlohmann::ordered_json& batteries,
                           const linux_platform::DrawFigures& draws, const EventOutcome* outcome);

}  // namespace norvaket::replay
