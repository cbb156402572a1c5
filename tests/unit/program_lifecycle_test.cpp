#include "core/program_lifecycle.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace norvaket {
namespace {

// Writes the name of each step into one journal, so the order can be checked.
class JournalSteps final : public LifecycleSteps {
 public:
  bool IsAnotherInstanceRunning() override {
    journal.push_back("IsAnotherInstanceRunning");
    return another_instance;
  }
  void LoadSettings() override { journal.push_back("LoadSettings"); }
  void CreateWindows() override { journal.push_back("CreateWindows"); }
  void HookWindow() override { journal.push_back("HookWindow"); }
  void AddTrayIcon() override { journal.push_back("AddTrayIcon"); }
  void StartUpdateTimer() override { journal.push_back("StartUpdateTimer"); }
  void UnhookWindow() override { journal.push_back("UnhookWindow"); }
  void RemoveTrayIcon() override { journal.push_back("RemoveTrayIcon"); }
  void CloseOptionsDialog() override { journal.push_back("CloseOptionsDialog"); }
  void CloseAboutBox() override { journal.push_back("CloseAboutBox"); }
  void CloseMainWindow() override {
    journal.push_back("CloseMainWindow");
    // Destroying the main window makes the platform ask again (a close query).
    if (on_close_main_window) on_close_main_window();
  }
  void CloseMenuWindow() override { journal.push_back("CloseMenuWindow"); }

  bool another_instance = false;
  std::function<void()> on_close_main_window;
  std::vector<std::string> journal;
};

using Journal = std::vector<std::string>;

const Journal kStartUp = {"IsAnotherInstanceRunning", "LoadSettings", "CreateWindows",
                          "HookWindow", "AddTrayIcon", "StartUpdateTimer"};
Journal ShutdownOrder() {
  return {"UnhookWindow",  "RemoveTrayIcon",  "CloseOptionsDialog",
          "CloseAboutBox", "CloseMainWindow", "CloseMenuWindow"};
}

TEST(ProgramLifecycleTest, MainRunsTheStartUpStepsInOrder) {
  JournalSteps steps;
  ProgramLifecycle lifecycle(steps);
  EXPECT_TRUE(lifecycle.Main());
  EXPECT_EQ(steps.journal, kStartUp);
  EXPECT_EQ(lifecycle.State(), LifecycleState::Running);
}

TEST(ProgramLifecycleTest, SecondInstanceEndsBeforeTouchingAnything) {
  JournalSteps steps;
  steps.another_instance = true;
  ProgramLifecycle lifecycle(steps);
  EXPECT_FALSE(lifecycle.Main());
  EXPECT_EQ(steps.journal, Journal{"IsAnotherInstanceRunning"});
  EXPECT_EQ(lifecycle.State(), LifecycleState::Ended);
  lifecycle.Shutdown();
  lifecycle.EndSession(false);
  EXPECT_EQ(steps.journal, Journal{"IsAnotherInstanceRunning"});
}

TEST(ProgramLifecycleTest, ShutdownRunsItsStepsInOrderOnce) {
  JournalSteps steps;
  ProgramLifecycle lifecycle(steps);
  lifecycle.Main();
  steps.journal.clear();
  lifecycle.Shutdown();
  lifecycle.Shutdown();
  EXPECT_EQ(steps.journal, ShutdownOrder());
  EXPECT_EQ(lifecycle.State(), LifecycleState::Ended);
}

TEST(ProgramLifecycleTest, ShutdownBeforeMainDoesNothing) {
  JournalSteps steps;
  ProgramLifecycle lifecycle(steps);
  lifecycle.Shutdown();
  EXPECT_TRUE(steps.journal.empty());
  EXPECT_EQ(lifecycle.State(), LifecycleState::Starting);
}

TEST(ProgramLifecycleTest, CloseQueryCausedByShutdownItselfDoesNotReenter) {
  JournalSteps steps;
  ProgramLifecycle lifecycle(steps);
  steps.on_close_main_window = [&] { lifecycle.EndSession(false); };
  lifecycle.Main();
  steps.journal.clear();
  lifecycle.Shutdown();
  EXPECT_EQ(steps.journal, ShutdownOrder());
}

struct EndSessionCase {
  bool exit_pending;
  Journal expected;
};

class EndSessionTest : public ::testing::TestWithParam<EndSessionCase> {};

TEST_P(EndSessionTest, SessionEndShutsDownUnlessAnExitIsPending) {
  JournalSteps steps;
  ProgramLifecycle lifecycle(steps);
  lifecycle.Main();
  steps.journal.clear();
  lifecycle.EndSession(GetParam().exit_pending);
  EXPECT_EQ(steps.journal, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, EndSessionTest,
                         ::testing::Values(EndSessionCase{false, ShutdownOrder()},
                                           EndSessionCase{true, Journal{}}));

TEST(ProgramLifecycleTest, MainRunsOnlyOnce) {
  JournalSteps steps;
  ProgramLifecycle lifecycle(steps);
  lifecycle.Main();
  steps.journal.clear();
  EXPECT_FALSE(lifecycle.Main());
  EXPECT_TRUE(steps.journal.empty());
}

}  // namespace
}  // namespace norvaket
