#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>

#include "platform/linux/draw_figures.h"
#include "platform/linux/machine_time.h"

namespace norvaket::linux_platform {

// A battery's draw averaged over the last two minutes, because a laptop's draw
// wanders by a third from one second to the next and a remaining time counted
// from one reading jumps with it. Any unit goes (µW, W), as long as a source
// keeps to one. Where a source also reads the energy left (in the draw's unit
// times hours), its fall over the window is the witness of the draw, steadier
// than readings that come only a few times a minute. The average starts afresh
// when the situation (power line, set of batteries) changes and after a
// suspend; until a reading differs from the first one, the first is the mean
// as it stands, so a steady draw passes through unchanged and the first
// reading counts at once.
class DrawAverage {
 public:
  static constexpr std::chrono::seconds kWindow{120};
  // A fall seen over less time than this is too coarse to be trusted.
  static constexpr std::chrono::seconds kShortestFall{60};
  // The boot clock got this far ahead of the monotonic one: the machine slept.
  static constexpr std::chrono::seconds kSleepSeen{5};

  // Adds a reading taken at `now`; true when the average started afresh with it.
  bool Add(MachineTime now, std::uint64_t situation, double draw,
           std::optional<double> energy_left);
  // Nothing to average (on AC, no rate): the next reading starts afresh.
  void Forget();

  // The mean draw; nothing before the first reading.
  std::optional<double> Mean() const;
  std::optional<double> Last() const;
  // No reading has differed from the first since the average started.
  bool Steady() const { return steady_; }

 private:
  struct Point {
    std::chrono::nanoseconds at;
    double value;  // the draw's integral since the start, or the energy left
  };
  void Restart(MachineTime now, std::uint64_t situation, double first);
  void AddEnergy(std::chrono::nanoseconds at, double energy_left);
  static void Trim(std::deque<Point>& points, std::chrono::nanoseconds now);
  std::optional<double> MeanOfFall() const;

  bool started_ = false;
  std::uint64_t situation_ = 0;
  std::chrono::nanoseconds sleep_total_{0};
  double first_ = 0;
  double last_ = 0;
  bool steady_ = true;
  std::deque<Point> draws_;
  std::deque<Point> energies_;
};

}  // namespace norvaket::linux_platform
