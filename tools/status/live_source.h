#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/power_source.h"
#include "platform/linux/battery_facts.h"
#include "platform/linux/draw_figures.h"
#include "tools/status/status_options.h"

namespace norvaket::status_tool {

// The live power source the options ask for, and the wait between two readings
// (during which a D-Bus source keeps its cache current).
class LiveSource {
 public:
  virtual ~LiveSource() = default;
  virtual PowerSource& Source() = 0;
  // "upower" or "sysfs": where the last reading came from.
  virtual const char* Name() const = 0;
  // The facts of each battery, from where the last reading came from.
  virtual std::vector<linux_platform::BatteryFacts> Batteries() = 0;
  // The averaged and the last draw of the source the last reading came from.
  virtual linux_platform::DrawFigures Draws() const = 0;
  // Waits `interval`; false when `stop_fd` became readable first.
  virtual bool Wait(std::chrono::milliseconds interval, int stop_fd) = 0;
};

// Nothing, with `error` set, when the source asked for cannot be read.
std::unique_ptr<LiveSource> OpenLiveSource(const StatusOptions& options, std::string& error);

}  // namespace norvaket::status_tool
