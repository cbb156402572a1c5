// The replay-file parser and the engine behind it: any trace under any settings.
// The replay ends with 0 or with 2 and a message; every line it prints is JSON.
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

#include "fuzz/fuzz_input.h"
#include "settings/settings.h"
#include "tools/status/replay_command.h"
#include "tools/status/replay_trace.h"

namespace {

using namespace norvaket;

constexpr std::size_t kSettingsBytes = 8;

// Settings drawn from the first bytes: any flag, any level, any interval.
Settings SettingsFrom(const std::uint8_t* bytes) {
  Settings s = DefaultSettings();
  const unsigned flags = bytes[0] | (bytes[1] << 8);
  Flag* const switches[] = {&s.NotifyPS0, &s.NotifyPS1, &s.NotifyPS2, &s.NotifyRT,
                            &s.NotifyCV0, &s.NotifyCV1, &s.NotifyCV2, &s.NotifyCV4,
                            &s.NotifyAtRun, &s.NotifyAtResume, &s.NotifyLifePercent,
                            &s.NotifyLifePercentAtRun, &s.UseTimeStamp};
  for (std::size_t i = 0; i < std::size(switches); ++i) *switches[i] = ToFlag(flags >> i & 1);
  s.NotifyCV0Value = bytes[2] % 101;
  s.NotifyCV2Value = bytes[3] % 101;
  s.UpdateInterval = 1000 * (1 + bytes[4] % 60);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kSettingsBytes) return 0;
  const Settings settings = SettingsFrom(data);
  const replay::TimeOfDay start{data[5] % 24, data[6] % 60, data[7] % 60};
  std::istringstream trace(std::string(fuzz::AsText(data + kSettingsBytes, size - kSettingsBytes)));
  std::ostringstream out;
  std::ostringstream err;
  const int result = replay::RunReplay(trace, settings, start, out, err);
  NORVAKET_FUZZ_CHECK(result == 0 || (result == 2 && !err.str().empty()));
  NORVAKET_FUZZ_CHECK(result == 2 || err.str().empty());

  std::istringstream printed(out.str());
  for (std::string line; std::getline(printed, line);) {
    NORVAKET_FUZZ_CHECK(nlohmann::json::accept(line));
  }

  // Each line alone: an error always comes with no event.
  std::string error;
  std::istringstream lines(std::string(fuzz::AsText(data + kSettingsBytes, size - kSettingsBytes)));
  for (std::string line; std::getline(lines, line);) {
    const auto event = replay::ParseReplayLine(line, error);
    NORVAKET_FUZZ_CHECK(!event || error.empty());
    if (event && event->kind == replay::EventKind::Clock) {
      NORVAKET_FUZZ_CHECK(event->time.hour >= 0 && event->time.hour < 24);
      NORVAKET_FUZZ_CHECK(event->time.minute >= 0 && event->time.minute < 60);
      NORVAKET_FUZZ_CHECK(event->time.second >= 0 && event->time.second < 60);
    }
  }
  return 0;
}
