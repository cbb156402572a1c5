#include "platform/linux/upower_readings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace norvaket {

void PrintTo(const PowerStatus& s, std::ostream* os) {
  *os << "{ac " << int{s.ACLineStatus} << ", flag " << int{s.BatteryFlag} << ", percent "
      << int{s.BatteryLifePercent} << ", life " << s.BatteryLifeTime << ", full "
      << s.BatteryFullLifeTime << "}";
}

namespace linux_platform {
namespace {

PowerStatus Status(int ac, int flag, int percent, int life = -1, int full = -1) {
  return {static_cast<std::uint8_t>(ac), static_cast<std::uint8_t>(flag),
          static_cast<std::uint8_t>(percent), 0, life, full};
}

constexpr std::uint32_t kDischarging = 2;
constexpr std::uint32_t kFullyCharged = 4;
constexpr std::uint32_t kPendingCharge = 5;

UPowerReadings Battery(bool on_battery, std::uint32_t state, double percent) {
  UPowerReadings readings;
  readings.on_battery = on_battery;
  readings.display = {true, state, percent, 5400, 50.0, 10.0, 42.5};
  return readings;
}

struct SnapshotCase {
  const char* name;
  UPowerReadings readings;
  PowerStatus expected;
};

void PrintTo(const SnapshotCase& c, std::ostream* os) { *os << c.name; }

class UPowerSnapshotTest : public ::testing::TestWithParam<SnapshotCase> {};

TEST_P(UPowerSnapshotTest, MapsTheProperties) {
  EXPECT_EQ(UPowerSnapshot(GetParam().readings), GetParam().expected);
}

UPowerReadings WithLinePowerOnly(bool online) {
  UPowerReadings readings = Battery(false, kDischarging, 50);
  readings.on_battery.reset();
  readings.line_power_online = online;
  return readings;
}

UPowerReadings NoBattery() {
  UPowerReadings readings;
  readings.on_battery = false;
  readings.display.is_present = false;
  readings.display.percentage = 0;
  return readings;
}

UPowerReadings BrokenPercentage(double percent) { return Battery(true, kDischarging, percent); }

UPowerReadings AveragedDraw(bool on_battery, double mean_draw) {
  UPowerReadings readings = Battery(on_battery, kDischarging, 85);
  readings.mean_draw = mean_draw;
  return readings;
}

INSTANTIATE_TEST_SUITE_P(
    Table, UPowerSnapshotTest,
    ::testing::Values(
        // 50 Wh at 10 W: five hours for a full charge.
        SnapshotCase{"OnBattery", Battery(true, kDischarging, 85.4), Status(0, 1, 85, 5400, 18000)},
        SnapshotCase{"Charging", Battery(false, kUPowerStateCharging, 57), Status(1, 8, 57)},
        SnapshotCase{"ChargeLimitIsNotCharging", Battery(false, kPendingCharge, 80), Status(1, 1, 80)},
        SnapshotCase{"FullyCharged", Battery(false, kFullyCharged, 100), Status(1, 1, 100)},
        SnapshotCase{"UnknownState", Battery(false, kUPowerStateUnknown, 40), Status(1, 255, 40)},
        SnapshotCase{"CriticalOnBattery", Battery(true, kDischarging, 3), Status(0, 2 | 4, 3, 5400, 18000)},
        SnapshotCase{"NoBattery", NoBattery(), Status(1, 128, 255)},
        SnapshotCase{"LinePowerDecidesWithoutOnBattery", WithLinePowerOnly(true), Status(1, 0, 50)},
        SnapshotCase{"LinePowerOffline", WithLinePowerOnly(false), Status(0, 0, 50, 5400, 18000)},
        SnapshotCase{"PercentageAbove100", BrokenPercentage(100.5), Status(0, 0, 255, 5400, 18000)},
        SnapshotCase{"PercentageNotANumber", BrokenPercentage(std::nan("")), Status(0, 0, 255, 5400, 18000)},
        SnapshotCase{"NothingReceived", UPowerReadings{}, Status(255, 128, 255)},
        // 42.5 of 50 Wh at an averaged 12.5 W.
        SnapshotCase{"AveragedDrawCountsTheTimes", AveragedDraw(true, 12.5), Status(0, 1, 85, 12240, 14400)},
        SnapshotCase{"AveragedDrawOnACIsNoTime", AveragedDraw(false, 12.5), Status(1, 1, 85)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UPowerSnapshotTest, TimesOnlyOnBatteryAndOnlyWhenPositive) {
  UPowerReadings readings = Battery(true, kDischarging, 50);
  readings.display.time_to_empty = 0;
  readings.display.energy_rate = 0;
  EXPECT_EQ(UPowerSnapshot(readings), Status(0, 0, 50));
  readings.display.time_to_empty = std::int64_t{1} << 40;
  EXPECT_EQ(UPowerSnapshot(readings).BatteryLifeTime, 2147483647);
  readings.on_battery = false;
  EXPECT_EQ(UPowerSnapshot(readings), Status(1, 0, 50));
}

}  // namespace
}  // namespace linux_platform
}  // namespace norvaket
