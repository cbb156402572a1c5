#include "platform/win32/main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace norvaket::win32 {
namespace {

class JournalEvents final : public MainWindowEvents {
 public:
  void OnUpdateTick() override { journal.push_back("update"); }
  void OnExitTick() override { journal.push_back("exit"); }
  void OnTrayMouse(UINT mouse_message) override {
    journal.push_back("mouse " + std::to_string(mouse_message));
  }
  void OnMenuCommand(UINT command_id) override {
    journal.push_back("command " + std::to_string(command_id));
  }
  void OnSessionEnding() override { journal.push_back("session ending"); }
  void OnCloseRequested() override { journal.push_back("close"); }
  void OnTaskbarCreated() override { journal.push_back("taskbar"); }
  void OnDestroyed() override { journal.push_back("destroyed"); }

  std::vector<std::string> journal;
};

using Journal = std::vector<std::string>;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(frmMain.Create(GetModuleHandleW(nullptr))); }

  // Runs the window's messages until `done` or about two seconds have passed.
  template <typename Done>
  void PumpUntil(Done done) {
    const ULONGLONG deadline = GetTickCount64() + 2000;
    MSG message;
    while (!done() && GetTickCount64() < deadline) {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(5);
    }
  }

  JournalEvents events;
  MainWindow frmMain{events};
};

TEST_F(MainWindowTest, IsAHiddenTopLevelWindowWithItsCaption) {
  HWND window = frmMain.Handle();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetParent(window), nullptr);
  wchar_t caption[32] = {};
  GetWindowTextW(window, caption, 32);
  EXPECT_STREQ(caption, L"\u30D0\u30C3\u30C6\u30EA\u6B8B\u91CF:");
}

TEST_F(MainWindowTest, TimersStartDisabledWithTheirIntervals) {
  EXPECT_FALSE(frmMain.tmrNotifyIcon_Update().Enabled());
  EXPECT_FALSE(frmMain.tmrExit().Enabled());
  EXPECT_EQ(frmMain.tmrNotifyIcon_Update().Interval(), 1000u);
  EXPECT_EQ(frmMain.tmrExit().Interval(), 500u);
}

TEST_F(MainWindowTest, TheUpdateTimerTicksRepeatedlyAtItsInterval) {
  frmMain.tmrNotifyIcon_Update().SetInterval(20);
  frmMain.tmrNotifyIcon_Update().Enable();
  PumpUntil([&] { return events.journal.size() >= 3; });
  EXPECT_EQ(events.journal, (Journal{"update", "update", "update"}));
}

TEST_F(MainWindowTest, TheExitTimerFiresOnceAndDisablesItself) {
  frmMain.tmrExit().SetInterval(20);
  frmMain.tmrExit().Enable();
  PumpUntil([&] { return !events.journal.empty(); });
  EXPECT_FALSE(frmMain.tmrExit().Enabled());
  Sleep(60);
  PumpUntil([] { return false; });
  EXPECT_EQ(events.journal, Journal{"exit"});
}

TEST_F(MainWindowTest, ATickQueuedBeforeTheTimerWasDisabledIsDropped) {
  SendMessageW(frmMain.Handle(), WM_TIMER, MainWindow::kUpdateTimerId, 0);
  SendMessageW(frmMain.Handle(), WM_TIMER, MainWindow::kExitTimerId, 0);
  EXPECT_TRUE(events.journal.empty());
}

TEST_F(MainWindowTest, TrayCallbackCarriesTheMouseMessageInItsLowWord) {
  SendMessageW(frmMain.Handle(), 0x200, 1, WM_LBUTTONDBLCLK);
  SendMessageW(frmMain.Handle(), 0x200, 1, WM_RBUTTONUP);
  SendMessageW(frmMain.Handle(), 0x200, 1, MAKELPARAM(WM_MOUSEMOVE, 0));
  EXPECT_EQ(events.journal, (Journal{"mouse 515", "mouse 517", "mouse 512"}));
}

TEST_F(MainWindowTest, MenuCommandsArriveAsCommandIds) {
  SendMessageW(frmMain.Handle(), WM_COMMAND, MAKEWPARAM(106, 0), 0);
  EXPECT_EQ(events.journal, Journal{"command 106"});
}

TEST_F(MainWindowTest, TheCloseQueryNeverRefusesAndOnlyARealSessionEndCounts) {
  EXPECT_EQ(SendMessageW(frmMain.Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(frmMain.Handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // cancelled elsewhere
  EXPECT_TRUE(events.journal.empty());
  SendMessageW(frmMain.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(events.journal, Journal{"session ending"});
}

TEST_F(MainWindowTest, APlainCloseIsReportedAndDoesNotDestroyTheWindow) {
  SendMessageW(frmMain.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(events.journal, Journal{"close"});
  EXPECT_TRUE(IsWindow(frmMain.Handle()));
}

TEST_F(MainWindowTest, TheTaskbarCreatedBroadcastIsRecognised) {
  ASSERT_NE(frmMain.TaskbarCreatedMessage(), 0u);
  EXPECT_EQ(frmMain.TaskbarCreatedMessage(), RegisterWindowMessageW(L"TaskbarCreated"));
  SendMessageW(HWND_BROADCAST, frmMain.TaskbarCreatedMessage(), 0, 0);
  EXPECT_EQ(events.journal, Journal{"taskbar"});
}

TEST_F(MainWindowTest, CloseDestroysTheWindowAndStopsTheTimers) {
  HWND window = frmMain.Handle();
  frmMain.tmrNotifyIcon_Update().Enable();
  frmMain.Close();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(frmMain.Handle(), nullptr);
  EXPECT_FALSE(frmMain.tmrNotifyIcon_Update().Enabled());
  EXPECT_EQ(events.journal, Journal{"destroyed"});
}

}  // namespace
}  // namespace norvaket::win32
