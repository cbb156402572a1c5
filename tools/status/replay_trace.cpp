#include "tools/status/replay_trace.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <vector>

namespace norvaket::replay {
namespace {

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
    if (pos > start) fields.push_back(line.substr(start, pos - start));
  }
  return fields;
}

std::optional<std::int64_t> ParseInteger(std::string_view text, std::int64_t low,
                                         std::int64_t high) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc{} || ptr != end || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<PowerStatus> ParseSnapshot(const std::vector<std::string_view>& fields,
                                         std::string& error) {
  if (fields.size() != 6) {
    error = "expected 5 numbers: AC FLAG PERCENT LIFETIME FULLLIFETIME";
    return std::nullopt;
  }
  constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
  const auto ac = ParseInteger(fields[1], 0, 255);
  const auto flag = ParseInteger(fields[2], 0, 255);
  const auto percent = ParseInteger(fields[3], 0, 255);
  const auto life = ParseInteger(fields[4], kInt32Min, kInt32Max);
  const auto full = ParseInteger(fields[5], kInt32Min, kInt32Max);
  if (!ac || !flag || !percent) {
    error = "AC, FLAG and PERCENT must be whole numbers from 0 to 255";
    return std::nullopt;
  }
  if (!life || !full) {
    error = "LIFETIME and FULLLIFETIME must be signed 32-bit whole numbers";
    return std::nullopt;
  }
  PowerStatus status;
  status.ACLineStatus = static_cast<std::uint8_t>(*ac);
  status.BatteryFlag = static_cast<std::uint8_t>(*flag);
  status.BatteryLifePercent = static_cast<std::uint8_t>(*percent);
  status.BatteryLifeTime = static_cast<std::int32_t>(*life);
  status.BatteryFullLifeTime = static_cast<std::int32_t>(*full);
  return status;
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text) {
  const std::size_t first = text.find(':');
  const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const std::string_view h = text.substr(0, first);
  const std::string_view m = text.substr(first + 1, second - first - 1);
  const std::string_view s = text.substr(second + 1);
  if (h.size() > 2 || m.size() != 2 || s.size() != 2 || !AllDigits(h) || !AllDigits(m) ||
      !AllDigits(s)) {
    return std::nullopt;
  }
  const auto hour = ParseInteger(h, 0, 23);
  const auto minute = ParseInteger(m, 0, 59);
  const auto sec = ParseInteger(s, 0, 59);
  if (!hour || !minute || !sec) return std::nullopt;
  return TimeOfDay{static_cast<int>(*hour), static_cast<int>(*minute), static_cast<int>(*sec)};
}

std::optional<ReplayEvent> ParseReplayLine(std::string_view line, std::string& error) {
  error.clear();
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const std::vector<std::string_view> fields = SplitFields(line);
  if (fields.empty() || fields[0].front() == '#') return std::nullopt;

  ReplayEvent event;
  const std::string_view keyword = fields[0];
  if (keyword == "clock") {
    std::optional<TimeOfDay> time;
    if (fields.size() == 2) time = ParseTimeOfDay(fields[1]);
    if (!time) {
      error = "expected clock HH:MM:SS";
      return std::nullopt;
    }
    event.kind = EventKind::Clock;
    event.time = *time;
    return event;
  }
  if (keyword == "start") {
    event.kind = EventKind::Start;
  } else if (keyword == "tick") {
    event.kind = EventKind::Tick;
  } else if (keyword == "resume") {
    event.kind = EventKind::Resume;
  } else {
    error = "unknown event '" + std::string(keyword) + "'";
    return std::nullopt;
  }
  std::optional<PowerStatus> snapshot = ParseSnapshot(fields, error);
  if (!snapshot) return std::nullopt;
  event.snapshot = *snapshot;
  return event;
}

std::string ReplayOrder::Accept(const ReplayEvent& event) {
  switch (event.kind) {
    case EventKind::Clock:
      return {};
    case EventKind::Start:
      if (started_) return "the program starts only once";
      started_ = true;
      return {};
    case EventKind::Tick:
    case EventKind::Resume:
      if (!started_) return "a start line must come first";
      return {};
  }
  return {};
}

const char* EventName(EventKind kind) {
  switch (kind) {
    case EventKind::Start: return "start";
    case EventKind::Tick: return "tick";
    case EventKind::Resume: return "resume";
    case EventKind::Clock: return "clock";
  }
  return "";
}

}  // namespace norvaket::replay
