#include "platform/win32/win32_launcher.h"

#include <gtest/gtest.h>

namespace norvaket::win32 {
namespace {

TEST(Win32LauncherTest, StartsACommandLineWithArguments) {
  EXPECT_TRUE(StartProcess("cmd.exe /c exit 3"));
}

TEST(Win32LauncherTest, ReportsAProgramThatCannotBeStarted) {
  EXPECT_FALSE(StartProcess("no-such-program-norvaket.exe /x"));
  EXPECT_FALSE(StartProcess(""));
}

}  // namespace
}  // namespace norvaket::win32
