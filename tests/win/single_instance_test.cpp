#include "platform/win32/single_instance.h"

#include <gtest/gtest.h>

#include <string>

namespace norvaket::win32 {
namespace {

std::wstring UniqueName() {
  return L"Local\\Norvaket.Test." + std::to_wstring(GetCurrentProcessId()) + L"." +
         std::to_wstring(GetTickCount64());
}

TEST(SingleInstanceTest, TheFirstClaimsTheNameAndTheSecondFindsItTaken) {
  const std::wstring name = UniqueName();
  SingleInstance first(name);
  EXPECT_FALSE(first.IsAnotherInstanceRunning());
  SingleInstance second(name);
  EXPECT_TRUE(second.IsAnotherInstanceRunning());
}

TEST(SingleInstanceTest, TheNameIsFreeAgainWhenTheHolderEnds) {
  const std::wstring name = UniqueName() + L".b";
  {
    SingleInstance first(name);
    ASSERT_FALSE(first.IsAnotherInstanceRunning());
  }
  SingleInstance next(name);
  EXPECT_FALSE(next.IsAnotherInstanceRunning());
}

}  // namespace
}  // namespace norvaket::win32
