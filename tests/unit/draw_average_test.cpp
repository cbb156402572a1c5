#include "platform/linux/draw_average.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace norvaket::linux_platform {
namespace {

using namespace std::chrono_literals;

// Readings once a second, the draw taking `draws` in turn; the energy left, when
// `energy_fall` is given, falls by that draw and is refreshed every 30 s.
struct Phase {
  std::chrono::seconds length;
  std::vector<double> draws;
  std::uint64_t situation = 1;
  std::chrono::seconds slept_before{0};
  std::optional<double> energy_fall;
};

Phase During(std::chrono::seconds length, std::vector<double> draws, std::uint64_t situation = 1,
             std::chrono::seconds slept_before = 0s,
             std::optional<double> energy_fall = std::nullopt) {
  return {length, std::move(draws), situation, slept_before, energy_fall};
}

struct AverageCase {
  const char* name;
  std::vector<Phase> phases;
  double expected_mean;
  double tolerance;
  bool expected_steady;
};

void PrintTo(const AverageCase& c, std::ostream* os) { *os << c.name; }

class DrawAverageTest : public ::testing::TestWithParam<AverageCase> {};

TEST_P(DrawAverageTest, GivesTheMeanOfTheLastMinutes) {
  DrawAverage average;
  MachineTime now{1h, 1h};
  double energy = 40;
  for (const Phase& phase : GetParam().phases) {
    now.since_boot += phase.slept_before;
    for (std::chrono::seconds second{0}; second < phase.length; ++second) {
      const double draw = phase.draws[second.count() % phase.draws.size()];
      if (phase.energy_fall && second.count() % 30 == 0) energy -= *phase.energy_fall * 30 / 3600;
      average.Add(now, phase.situation, draw,
                  phase.energy_fall ? std::optional(energy) : std::nullopt);
      now.awake += 1s;
      now.since_boot += 1s;
    }
  }
  EXPECT_NEAR(*average.Mean(), GetParam().expected_mean, GetParam().tolerance);
  EXPECT_EQ(average.Steady(), GetParam().expected_steady);
}

// Draws in W; the energy in W·h, so that its fall gives watts too.
using Case = AverageCase;
INSTANTIATE_TEST_SUITE_P(
    Table, DrawAverageTest,
    ::testing::Values(
        Case{"SteadyPassesExactly", {During(600s, {12})}, 12, 0, true},
        Case{"NoisyGivesTheMean", {During(600s, {8, 16, 10, 14})}, 12, 0.1, false},
        Case{"StepIsFollowed", {During(600s, {12}), During(121s, {24})}, 24, 0.01, false},
        Case{"SwitchStartsAfresh", {During(600s, {8, 16}), During(1s, {24}, 2)}, 24, 0, true},
        Case{
            "ResumeStartsAfresh", {During(600s, {8, 16}), During(1s, {24}, 1, 3600s)}, 24, 0, true},
        Case{"FirstReadingCountsAtOnce", {During(1s, {30})}, 30, 0, true},
        // UPower's rare readings, wrong by a third; the energy falls at 12 W.
        Case{
            "FallOfEnergyIsTheWitness", {During(600s, {8, 16, 16}, 1, 0s, 12.0)}, 12, 0.01, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace norvaket::linux_platform
