#include "platform/win32/win32_power_source.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace norvaket::win32 {
namespace {

// Every field lands where the evaluation reads it, whatever the machine reports.
TEST(Win32PowerSourceTest, HandsOverTheSystemRecordFieldByField) {
  SYSTEM_POWER_STATUS expected{};
  ASSERT_TRUE(GetSystemPowerStatus(&expected));
  const PowerStatus status = Win32PowerSource().GetPowerStatus();
  EXPECT_EQ(status.ACLineStatus, expected.ACLineStatus);
  EXPECT_EQ(status.BatteryFlag, expected.BatteryFlag);
  EXPECT_EQ(status.BatteryLifePercent, expected.BatteryLifePercent);
  EXPECT_EQ(status.BatteryLifeTime, static_cast<std::int32_t>(expected.BatteryLifeTime));
  EXPECT_EQ(status.BatteryFullLifeTime, static_cast<std::int32_t>(expected.BatteryFullLifeTime));
}

TEST(Win32PowerSourceTest, UnknownTimesReadAsMinusOne) {
  SYSTEM_POWER_STATUS system{};
  GetSystemPowerStatus(&system);
  if (system.BatteryLifeTime != 0xFFFFFFFF) GTEST_SKIP() << "this machine knows its battery time";
  EXPECT_EQ(Win32PowerSource().GetPowerStatus().BatteryLifeTime, kBatteryTimeUnknown);
}

}  // namespace
}  // namespace norvaket::win32
