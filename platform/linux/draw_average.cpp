#include "platform/linux/draw_average.h"

namespace norvaket::linux_platform {
namespace {

double Hours(std::chrono::nanoseconds span) {
  return std::chrono::duration<double, std::ratio<3600>>(span).count();
}

}  // namespace

bool DrawAverage::Add(MachineTime now, std::uint64_t situation, double draw,
                      std::optional<double> energy_left) {
  const std::chrono::nanoseconds sleep_total = now.since_boot - now.awake;
  const bool afresh =
      !started_ || situation != situation_ || sleep_total - sleep_total_ >= kSleepSeen;
  if (afresh) Restart(now, situation, draw);
  sleep_total_ = sleep_total;
  // Each reading stands for the time since the one before.
  const Point& previous = draws_.back();
  draws_.push_back({now.awake, previous.value + draw * Hours(now.awake - previous.at)});
  Trim(draws_, now.awake);
  if (draw != first_) steady_ = false;
  last_ = draw;
  if (energy_left) AddEnergy(now.awake, *energy_left);
  Trim(energies_, now.awake);
  return afresh;
}

void DrawAverage::Forget() {
  started_ = false;
}

void DrawAverage::Restart(MachineTime now, std::uint64_t situation, double first) {
  started_ = true;
  situation_ = situation;
  first_ = first;
  steady_ = true;
  draws_.assign(1, {now.awake, 0});
  energies_.clear();
}

void DrawAverage::AddEnergy(std::chrono::nanoseconds at, double energy_left) {
  // A value is dated by its arrival: sources refresh it only now and then.
  if (!energies_.empty() && energies_.back().value == energy_left) return;
  energies_.push_back({at, energy_left});
}

// The oldest point kept is the last one at or before the window's start.
void DrawAverage::Trim(std::deque<Point>& points, std::chrono::nanoseconds now) {
  while (points.size() > 1 && points[1].at <= now - kWindow) points.pop_front();
}

std::optional<double> DrawAverage::Mean() const {
  if (!started_) return std::nullopt;
  if (steady_) return last_;
  if (const std::optional<double> fall = MeanOfFall()) return fall;
  const Point& oldest = draws_.front();
  const Point& newest = draws_.back();
  if (newest.at == oldest.at) return last_;
  return (newest.value - oldest.value) / Hours(newest.at - oldest.at);
}

std::optional<double> DrawAverage::MeanOfFall() const {
  if (energies_.size() < 2) return std::nullopt;
  const Point& oldest = energies_.front();
  const Point& newest = energies_.back();
  if (newest.at - oldest.at < kShortestFall || newest.value >= oldest.value) return std::nullopt;
  return (oldest.value - newest.value) / Hours(newest.at - oldest.at);
}

std::optional<double> DrawAverage::Last() const {
  if (!started_) return std::nullopt;
  return last_;
}

}  // namespace norvaket::linux_platform
