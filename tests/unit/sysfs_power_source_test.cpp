#include "platform/linux/sysfs_power_source.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "fakes/fake_sysfs_tree.h"

namespace norvaket {

void PrintTo(const PowerStatus& s, std::ostream* os) {
  *os << "{ac " << int{s.ACLineStatus} << ", flag " << int{s.BatteryFlag} << ", percent "
      << int{s.BatteryLifePercent} << ", life " << s.BatteryLifeTime << ", full "
      << s.BatteryFullLifeTime << "}";
}

namespace {

using linux_platform::SysfsPowerSource;
using testing::FakeSysfsTree;
using Attributes = FakeSysfsTree::Attributes;

PowerStatus Status(int ac, int flag, int percent, int life = -1, int full = -1) {
  PowerStatus status;
  status.ACLineStatus = static_cast<std::uint8_t>(ac);
  status.BatteryFlag = static_cast<std::uint8_t>(flag);
  status.BatteryLifePercent = static_cast<std::uint8_t>(percent);
  status.BatteryLifeTime = life;
  status.BatteryFullLifeTime = full;
  return status;
}

// Looks at the listing on every call, as the program's one-second ticks do.
constexpr std::chrono::milliseconds kEveryTick{0};

const PowerStatus kNoBattery = Status(1, 128, 255);

Attributes Mains(const char* online) { return {{"type", "Mains"}, {"online", online}}; }

// A laptop battery with energy readings, in µWh and µW.
Attributes EnergyBattery(const char* status, const char* now, const char* full, const char* power) {
  return {{"type", "Battery"}, {"scope", "System"},   {"present", "1"},     {"status", status},
          {"energy_now", now}, {"energy_full", full}, {"power_now", power}, {"capacity", "1"}};
}

struct Supply {
  std::string name;
  Attributes attributes;
};

struct TreeCase {
  const char* name;
  std::vector<Supply> supplies;
  PowerStatus expected;
};

void PrintTo(const TreeCase& c, std::ostream* os) { *os << c.name; }

class SysfsTreeTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(SysfsTreeTest, GivesTheSnapshot) {
  FakeSysfsTree tree;
  for (const Supply& supply : GetParam().supplies) tree.AddSupply(supply.name, supply.attributes);
  SysfsPowerSource source(tree.ClassDir(), kEveryTick);
  EXPECT_EQ(source.GetPowerStatus(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Laptops, SysfsTreeTest,
    ::testing::Values(
        // 30 of 60 Wh at 10 W: three hours left, six for a full charge.
        TreeCase{"Discharging",
                 {{"AC", Mains("0")}, {"BAT0", EnergyBattery("Discharging", "30000000", "60000000", "10000000")}},
                 Status(0, 0, 50, 10800, 21600)},
        // Newer drivers sign the rate by direction of flow.
        TreeCase{"DischargingWithNegativeRate",
                 {{"AC", Mains("0")}, {"BAT0", EnergyBattery("Discharging", "30000000", "60000000", "-10000000")}},
                 Status(0, 0, 50, 10800, 21600)},
        TreeCase{"DischargingLowAndCritical",
                 {{"AC", Mains("0")}, {"BAT0", EnergyBattery("Discharging", "2000000", "50000000", "0")}},
                 Status(0, 2 | 4, 4)},
        TreeCase{"Charging",
                 {{"AC", Mains("1")}, {"BAT0", EnergyBattery("Charging", "34200000", "60000000", "20000000")}},
                 Status(1, 8, 57)},
        TreeCase{"ChargeLimitNotCharging",
                 {{"AC", Mains("1")}, {"BAT0", EnergyBattery("Not charging", "48000000", "60000000", "0")}},
                 Status(1, 1, 80)},
        TreeCase{"FullAndSlightlyAboveLastFullCharge",
                 {{"AC", Mains("1")}, {"BAT0", EnergyBattery("Full", "60500000", "60000000", "0")}},
                 Status(1, 1, 100)},
        // 10 + 40 of 50 + 50 Wh; only the second one drains at 10 W.
        TreeCase{"TwoBatteriesCombinedByEnergy",
                 {{"AC", Mains("0")},
                  {"BAT0", EnergyBattery("Unknown", "10000000", "50000000", "0")},
                  {"BAT1", EnergyBattery("Discharging", "40000000", "50000000", "10000000")}},
                 Status(0, 0, 50, 18000, 36000)},
        TreeCase{"EitherBatteryChargingSetsTheBit",
                 {{"AC", Mains("1")},
                  {"BAT0", EnergyBattery("Full", "50000000", "50000000", "0")},
                  {"BAT1", EnergyBattery("Charging", "40000000", "50000000", "10000000")}},
                 Status(1, 1 | 8, 90)},
        // 2 of 4 Ah at 11.1 V draining 1 A: two hours left, four for a full charge.
        TreeCase{"ChargeOnly",
                 {{"AC", Mains("0")},
                  {"BAT0",
                   {{"type", "Battery"}, {"status", "Discharging"}, {"charge_now", "2000000"},
                    {"charge_full", "4000000"}, {"voltage_min_design", "11100000"},
                    {"voltage_now", "12000000"}, {"current_now", "1000000"}}}},
                 Status(0, 0, 50, 7200, 14400)},
        // 10 of 40 Wh at 10 V and 60 of 80 Wh at 20 V: 70 of 120 Wh, not the 50 % of the charges.
        TreeCase{"ChargeOnlyBatteriesCombinedByEnergy",
                 {{"BAT0",
                   {{"type", "Battery"}, {"status", "Discharging"}, {"charge_now", "1000000"},
                    {"charge_full", "4000000"}, {"voltage_now", "10000000"}}},
                  {"BAT1",
                   {{"type", "Battery"}, {"status", "Discharging"}, {"charge_now", "3000000"},
                    {"charge_full", "4000000"}, {"voltage_now", "20000000"}}}},
                 Status(0, 0, 58)},
        TreeCase{"ChargeWithoutAnyVoltage",
                 {{"BAT0",
                   {{"type", "Battery"}, {"status", "Discharging"}, {"charge_now", "1000000"},
                    {"charge_full", "4000000"}, {"current_now", "-500000"}}}},
                 Status(0, 2, 25, 7200, 28800)},
        TreeCase{"CapacityOnly",
                 {{"AC", Mains("0")}, {"BAT0", {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "73"}}}},
                 Status(0, 1, 73)},
        TreeCase{"BatteryTakenOut",
                 {{"AC", Mains("1")}, {"BAT0", {{"type", "Battery"}, {"present", "0"}, {"capacity", "73"}}}},
                 kNoBattery}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    PowerSupplies, SysfsTreeTest,
    ::testing::Values(
        TreeCase{"DesktopWithoutAnySupply", {}, kNoBattery},
        TreeCase{"DesktopWithMainsOnly", {{"AC", Mains("1")}}, kNoBattery},
        TreeCase{"PeripheralBatteryIgnored",
                 {{"hidpp_battery_0",
                   {{"type", "Battery"}, {"scope", "Device"}, {"status", "Discharging"}, {"capacity", "5"}}}},
                 kNoBattery},
        TreeCase{"PeripheralBesideLaptopBattery",
                 {{"AC", Mains("1")},
                  {"hid-mouse", {{"type", "Battery"}, {"scope", "Device"}, {"status", "Discharging"}, {"capacity", "5"}}},
                  {"BAT0", {{"type", "Battery"}, {"status", "Charging"}, {"capacity", "70"}}}},
                 Status(1, 1 | 8, 70)},
        TreeCase{"UsbCPowerWithMainsOffline",
                 {{"AC", Mains("0")},
                  {"ucsi-source-psy-USBC000:001", {{"type", "USB"}, {"online", "1"}}},
                  {"BAT0", {{"type", "Battery"}, {"status", "Charging"}, {"capacity", "40"}}}},
                 Status(1, 8, 40)},
        TreeCase{"UsbPowerDeliveryReportsTwo",
                 {{"usb-pd", {{"type", "USB_PD"}, {"online", "2"}}},
                  {"BAT0", {{"type", "Battery"}, {"status", "Not charging"}, {"capacity", "40"}}}},
                 Status(1, 0, 40)},
        TreeCase{"WirelessCharger",
                 {{"wlc", {{"type", "Wireless"}, {"online", "1"}}},
                  {"BAT0", {{"type", "Battery"}, {"status", "Charging"}, {"capacity", "20"}}}},
                 Status(1, 2 | 8, 20)},
        TreeCase{"AllAcOfflineMeansBattery",
                 {{"AC", Mains("0")},
                  {"ucsi-source-psy-USBC000:001", {{"type", "USB"}, {"online", "0"}}},
                  {"BAT0", {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "90"}}}},
                 Status(0, 1, 90)},
        TreeCase{"NoAcListedDischarging",
                 {{"BAT0", {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "50"}}}},
                 Status(0, 0, 50)},
        TreeCase{"NoAcListedFull",
                 {{"BAT0", {{"type", "Battery"}, {"status", "Full"}, {"capacity", "100"}}}},
                 Status(1, 1, 100)},
        TreeCase{"NoAcListedUnknownStatus",
                 {{"BAT0", {{"type", "Battery"}, {"status", "Unknown"}, {"capacity", "50"}}}},
                 Status(255, 0, 50)},
        TreeCase{"UpsIsNotASystemBattery",
                 {{"ups", {{"type", "UPS"}, {"status", "Discharging"}, {"capacity", "50"}}}},
                 kNoBattery}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    BrokenValues, SysfsTreeTest,
    ::testing::Values(
        TreeCase{"GarbageEnergyFallsBackToCapacity",
                 {{"AC", Mains("yes")},
                  {"BAT0",
                   {{"type", "Battery"}, {"status", "Discharging"}, {"energy_now", "12abc"},
                    {"energy_full", "60000000"}, {"power_now", "5000000"}, {"capacity", "44"}}}},
                 Status(0, 0, 44)},
        TreeCase{"NegativeEnergyAndCapacityAbove100",
                 {{"AC", Mains("1")},
                  {"BAT0",
                   {{"type", "Battery"}, {"status", "Charging"}, {"energy_now", "-5"},
                    {"energy_full", "60000000"}, {"capacity", "150"}}}},
                 Status(1, 8, 255)},
        TreeCase{"ZeroFullEnergy",
                 {{"AC", Mains("0")},
                  {"BAT0",
                   {{"type", "Battery"}, {"status", "Discharging"}, {"energy_now", "100"},
                    {"energy_full", "0"}, {"power_now", "5000000"}}}},
                 Status(0, 0, 255)},
        TreeCase{"NothingReadableAtAll",
                 {{"AC", Mains("")},
                  {"BAT0", {{"type", "Battery"}, {"status", "\x01\xff garbage"}, {"present", "x"},
                            {"capacity", "99999999999999999999999"}}}},
                 Status(255, 255, 255)},
        TreeCase{"LongValueIsNotCutToANumber",
                 {{"AC", Mains("0")},
                  {"BAT0", {{"type", "Battery"}, {"status", "Discharging"},
                            {"capacity", std::string(70, '0') + "50"}}}},
                 Status(0, 0, 255)},
        TreeCase{"TinyRateCapsTheTime",
                 {{"AC", Mains("0")}, {"BAT0", EnergyBattery("Discharging", "9000000000000", "9000000000000", "1")}},
                 Status(0, 1, 100, 2147483647, 2147483647)},
        TreeCase{"GarbageTypeIgnored",
                 {{"AC", {{"type", "Mainsx"}, {"online", "1"}}},
                  {"BAT0", {{"type", ""}, {"status", "Discharging"}, {"capacity", "50"}}}},
                 kNoBattery}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SysfsPowerSourceTest, MissingFilesCountAsNotKnown) {
  FakeSysfsTree tree;
  tree.AddSupply("AC", {{"type", "Mains"}});
  tree.AddSupply("BAT0", {{"type", "Battery"}});
  SysfsPowerSource source(tree.ClassDir(), kEveryTick);
  EXPECT_EQ(source.GetPowerStatus(), Status(255, 255, 255));
}

TEST(SysfsPowerSourceTest, OddFilesNeitherHangNorCrash) {
  FakeSysfsTree tree;
  tree.AddSupply("BAT0", {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "61"}});
  ASSERT_EQ(::mkfifo((tree.SupplyDir("BAT0") / "energy_now").c_str(), 0600), 0);
  std::filesystem::create_directory(tree.SupplyDir("BAT0") / "energy_full");
  std::filesystem::create_symlink("power_now", tree.SupplyDir("BAT0") / "power_now");  // a loop
  std::ofstream(std::filesystem::path(tree.ClassDir()) / "not-a-folder") << "Battery\n";
  SysfsPowerSource source(tree.ClassDir(), kEveryTick);
  EXPECT_EQ(source.GetPowerStatus(), Status(0, 0, 61));
}

TEST(SysfsPowerSourceTest, SeesNewValuesOnTheNextTick) {
  FakeSysfsTree tree;
  tree.AddSupply("AC", Mains("1"));
  tree.AddSupply("BAT0", EnergyBattery("Charging", "30000000", "60000000", "0"));
  SysfsPowerSource source(tree.ClassDir(), kEveryTick);
  EXPECT_EQ(source.GetPowerStatus(), Status(1, 8, 50));
  tree.Set("AC", "online", "0");
  tree.Set("BAT0", "status", "Discharging");
  tree.Set("BAT0", "power_now", "15000000");
  EXPECT_EQ(source.GetPowerStatus(), Status(0, 0, 50, 7200, 14400));
}

TEST(SysfsPowerSourceTest, NoticesBatteriesThatComeAndGo) {
  FakeSysfsTree tree;
  tree.AddSupply("AC", Mains("0"));
  tree.AddSupply("BAT0", EnergyBattery("Discharging", "10000000", "50000000", "0"));
  tree.AddSupply("BAT1", EnergyBattery("Discharging", "40000000", "50000000", "0"));
  SysfsPowerSource source(tree.ClassDir(), kEveryTick);
  EXPECT_EQ(source.GetPowerStatus().BatteryLifePercent, 50);

  tree.RemoveSupply("BAT1");
  EXPECT_EQ(source.GetPowerStatus().BatteryLifePercent, 20);

  tree.AddSupply("BAT1", EnergyBattery("Discharging", "50000000", "50000000", "0"));
  EXPECT_EQ(source.GetPowerStatus().BatteryLifePercent, 60);

  // Gone and made again under the same name between two ticks: the new folder counts.
  tree.RemoveSupply("BAT0");
  tree.AddSupply("BAT0", EnergyBattery("Discharging", "30000000", "50000000", "0"));
  EXPECT_EQ(source.GetPowerStatus().BatteryLifePercent, 80);
}

TEST(SysfsPowerSourceTest, APluggedInBatteryShowsUpAtTheNextListing) {
  FakeSysfsTree tree;
  tree.AddSupply("BAT0", EnergyBattery("Discharging", "10000000", "50000000", "0"));
  std::chrono::steady_clock::time_point now;
  SysfsPowerSource source(tree.ClassDir(), std::chrono::seconds(10), [&now] { return now; });
  EXPECT_EQ(source.GetPowerStatus().BatteryLifePercent, 20);
  tree.AddSupply("BAT1", EnergyBattery("Discharging", "40000000", "50000000", "0"));
  now += std::chrono::seconds(9);
  EXPECT_EQ(source.GetPowerStatus().BatteryLifePercent, 20);  // steady ticks leave the listing alone
  now += std::chrono::seconds(1);
  EXPECT_EQ(source.GetPowerStatus().BatteryLifePercent, 50);
}

TEST(SysfsPowerSourceTest, SurvivesTheWholeFolderGoingAndComingBack) {
  FakeSysfsTree tree;
  tree.AddSupply("BAT0", {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "33"}});
  SysfsPowerSource source(tree.ClassDir(), kEveryTick);
  EXPECT_EQ(source.GetPowerStatus(), Status(0, 0, 33));
  tree.RemoveClassDir();
  EXPECT_EQ(source.GetPowerStatus(), kNoBattery);
  EXPECT_FALSE(source.ClassFolderReadable());
  tree.MakeClassDir();
  tree.AddSupply("BAT0", {{"type", "Battery"}, {"status", "Charging"}, {"capacity", "34"}});
  EXPECT_EQ(source.GetPowerStatus(), Status(1, 8, 34));
  EXPECT_TRUE(source.ClassFolderReadable());
}

TEST(SysfsPowerSourceTest, ASupplyWhoseTypeShowsUpLateIsLookedAtAgain) {
  FakeSysfsTree tree;
  tree.AddSupply("BAT0", {{"status", "Discharging"}, {"capacity", "42"}});
  SysfsPowerSource source(tree.ClassDir(), kEveryTick);
  EXPECT_EQ(source.GetPowerStatus(), kNoBattery);
  tree.Set("BAT0", "type", "Battery");
  EXPECT_EQ(source.GetPowerStatus(), Status(0, 0, 42));
}

TEST(SysfsPowerSourceTest, MissingClassFolderReadsAsNoBattery) {
  SysfsPowerSource source("/nonexistent/norvaket/power_supply");
  EXPECT_FALSE(source.ClassFolderReadable());
  EXPECT_EQ(source.GetPowerStatus(), kNoBattery);
}

}  // namespace
}  // namespace norvaket
