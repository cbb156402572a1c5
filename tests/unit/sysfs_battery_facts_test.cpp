#include "platform/linux/sysfs_battery_facts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_sysfs_tree.h"

namespace norvaket::linux_platform {
namespace {

using testing::FakeSysfsTree;

struct FactsCase {
  const char* name;
  std::vector<std::pair<std::string, FakeSysfsTree::Attributes>> supplies;
  std::vector<BatteryFacts> expected;
};

class SysfsBatteryFactsTest : public ::testing::TestWithParam<FactsCase> {};

TEST_P(SysfsBatteryFactsTest, ReadsOnlyWhatTheKernelReports) {
  FakeSysfsTree tree;
  for (const auto& [name, attributes] : GetParam().supplies) tree.AddSupply(name, attributes);
  EXPECT_EQ(ReadSysfsBatteryFacts(tree.ClassDir()), GetParam().expected);
}

// Every fact of an energy battery, as the status tool prints it, is checked by its integration test.
INSTANTIATE_TEST_SUITE_P(
    Batteries, SysfsBatteryFactsTest,
    ::testing::Values(
        // 4 and 3.5 Ah at the design minimum of 12 V, not at the present 12.6 V; the older threshold names.
        FactsCase{"ChargeAtTheDesignVoltage",
                  {{"BAT0",
                    {{"type", "Battery"}, {"charge_full_design", "4000000"}, {"charge_full", "3500000"},
                     {"voltage_min_design", "12000000"}, {"voltage_now", "12600000"}, {"technology", "NiMH"},
                     {"charge_start_threshold", "0"}, {"charge_stop_threshold", "100"}}}},
                  {{"BAT0", 48, 42, 87.5, {}, "nickel-metal-hydride", 0, 100}}},
        FactsCase{"ChargeWithoutVoltageGivesTheHealthOnly",
                  {{"BAT0", {{"type", "Battery"}, {"charge_full_design", "4000000"}, {"charge_full", "3000000"}}}},
                  {{"BAT0", {}, {}, 75, {}, {}, {}, {}}}},
        // 0 cycles and design, an unknown chemistry, empty, malformed and out of range.
        FactsCase{"UnreportedAndMalformedFactsStayEmpty",
                  {{"BAT0",
                    {{"type", "Battery"}, {"energy_full_design", "0"}, {"energy_full", "12abc"},
                     {"charge_full", "3000000"}, {"cycle_count", "0"}, {"technology", "Unknown"},
                     {"charge_control_start_threshold", ""}, {"charge_control_end_threshold", "101"},
                     {"charge_stop_threshold", "-5"}}}},
                  {{"BAT0", {}, {}, {}, {}, {}, {}, {}}}},
        // The batteries the power source adds up, by name.
        FactsCase{"OnlyPresentSystemBatteries",
                  {{"AC", {{"type", "Mains"}, {"online", "1"}}},
                   {"hid-mouse", {{"type", "Battery"}, {"scope", "Device"}, {"cycle_count", "5"}}},
                   {"BAT2", {{"type", "Battery"}, {"present", "0"}, {"cycle_count", "7"}}},
                   {"BAT1", {{"type", "Battery"}, {"present", "1"}, {"cycle_count", "9"}}},
                   {"BAT0", {{"type", "Battery"}, {"scope", "System"}}}},
                  {{"BAT0", {}, {}, {}, {}, {}, {}, {}}, {"BAT1", {}, {}, {}, 9, {}, {}, {}}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace norvaket::linux_platform
