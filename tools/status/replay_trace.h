#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/power_status.h"

namespace norvaket::replay {

enum class EventKind { Start, Tick, Resume, Clock };

struct TimeOfDay {
  int hour = 12;
  int minute = 0;
  int second = 0;
};

struct ReplayEvent {
  EventKind kind = EventKind::Tick;
  PowerStatus snapshot;  // start, tick, resume
  TimeOfDay time;        // clock
};

// "HH:MM:SS" (the hour may have one digit).
std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text);

// One line of a trace. Blank lines and # comments give an empty event and no error;
// a malformed line gives an empty event and sets `error`.
std::optional<ReplayEvent> ParseReplayLine(std::string_view line, std::string& error);

// Checks the order of events: one start, before every tick and resume; only clock
// lines before it. Feed every parsed event in turn.
class ReplayOrder {
 public:
  // An empty text when the event may come now, otherwise why not.
  std::string Accept(const ReplayEvent& event);

 private:
  bool started_ = false;
};

const char* EventName(EventKind kind);

}  // namespace norvaket::replay
