#include "platform/win32/window_hook.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace norvaket::win32 {
namespace {

// A real window whose own procedure counts each message it receives and
// answers with a value of its own, so that pass-through can be checked.
class CountingWindow {
 public:
  CountingWindow() {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &CountingWindow::Proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"NorvaketHookTest";
    RegisterClassW(&window_class);
    window_ = CreateWindowW(L"NorvaketHookTest", L"hook test", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CountingWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  HWND Handle() const { return window_; }
  static LRESULT Answer(UINT message, WPARAM wparam) { return 0x50000 + message * 0x100 + wparam; }

  std::map<UINT, int> received;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<CountingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Only the messages the tests send are answered here; the system's own
    // (creation, activation, ...) go their usual way.
    const bool sent_by_test = message == WM_POWER || message == WM_POWERBROADCAST ||
                              message == WM_TIMER || message >= WM_USER;
    if (self == nullptr || !sent_by_test) return DefWindowProcW(window, message, wparam, lparam);
    ++self->received[message];
    return Answer(message, wparam);
  }
  HWND window_;
};

constexpr UINT kPrivateMessage = WM_USER + 7;

class WindowHookTest : public ::testing::Test {
 protected:
  CountingWindow window;
  int resumes = 0;
  WindowHook hook{[this] { ++resumes; }};
};

struct MessageCase {
  UINT message;
  WPARAM wparam;
  int resumes;
};

class HookMessageTest : public WindowHookTest, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(HookMessageTest, PassesEveryMessageOnOnceAndCallsResumeOnlyForResumes) {
  hook.HookWindow(window.Handle());
  const MessageCase& c = GetParam();
  const LRESULT result = SendMessageW(window.Handle(), c.message, c.wparam, 0);
  EXPECT_EQ(result, CountingWindow::Answer(c.message, c.wparam));
  EXPECT_EQ(window.received[c.message], 1);
  EXPECT_EQ(resumes, c.resumes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HookMessageTest,
    ::testing::Values(MessageCase{WM_POWER, 2, 1},             // PWR_SUSPENDRESUME
                      MessageCase{WM_POWER, 3, 1},             // PWR_CRITICALRESUME
                      MessageCase{WM_POWER, 1, 0},             // PWR_SUSPENDREQUEST
                      MessageCase{WM_POWERBROADCAST, 0x12, 1}, // PBT_APMRESUMEAUTOMATIC
                      MessageCase{WM_POWERBROADCAST, 6, 1},    // PBT_APMRESUMECRITICAL
                      MessageCase{WM_POWERBROADCAST, 7, 1},    // PBT_APMRESUMESUSPEND
                      MessageCase{WM_POWERBROADCAST, 10, 0},   // PBT_APMPOWERSTATUSCHANGE
                      MessageCase{WM_POWERBROADCAST, 4, 0},    // PBT_APMSUSPEND
                      MessageCase{kPrivateMessage, 7, 0}, MessageCase{WM_TIMER, 2, 0}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(WindowHookTest, PostedMessagesAreWatchedToo) {
  hook.HookWindow(window.Handle());
  PostMessageW(window.Handle(), WM_POWERBROADCAST, 7, 0);
  MSG message;
  while (PeekMessageW(&message, window.Handle(), 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  EXPECT_EQ(resumes, 1);
  EXPECT_EQ(window.received[WM_POWERBROADCAST], 1);
}

TEST_F(WindowHookTest, AMessageSentDuringTheExaminationIsPassedOnButNotExamined) {
  WindowHook nesting_hook([&] {
    ++resumes;
    // What the shell may do while the evaluation runs: send the window more.
    EXPECT_EQ(SendMessageW(window.Handle(), WM_POWERBROADCAST, 7, 0),
              CountingWindow::Answer(WM_POWERBROADCAST, 7));
  });
  nesting_hook.HookWindow(window.Handle());
  SendMessageW(window.Handle(), WM_POWER, 2, 0);
  EXPECT_EQ(resumes, 1);
  EXPECT_EQ(window.received[WM_POWERBROADCAST], 1);
  EXPECT_EQ(window.received[WM_POWER], 1);
  SendMessageW(window.Handle(), WM_POWERBROADCAST, 0x12, 0);  // the flag is down again
  EXPECT_EQ(resumes, 2);
  nesting_hook.UnhookWindow(window.Handle());
}

TEST_F(WindowHookTest, UnhookPutsThePreviousProcedureBack) {
  const LONG_PTR original = GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC);
  hook.HookWindow(window.Handle());
  EXPECT_NE(GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC), original);
  EXPECT_TRUE(hook.Hooked());
  hook.UnhookWindow(window.Handle());
  EXPECT_EQ(GetWindowLongPtrW(window.Handle(), GWLP_WNDPROC), original);
  EXPECT_FALSE(hook.Hooked());
  SendMessageW(window.Handle(), WM_POWERBROADCAST, 7, 0);
  EXPECT_EQ(resumes, 0);
  EXPECT_EQ(window.received[WM_POWERBROADCAST], 1);
}

TEST_F(WindowHookTest, HookingTwiceStillPassesEachMessageOnce) {
  hook.HookWindow(window.Handle());
  hook.HookWindow(window.Handle());
  SendMessageW(window.Handle(), WM_POWER, 3, 0);
  EXPECT_EQ(window.received[WM_POWER], 1);
  EXPECT_EQ(resumes, 1);
}

TEST_F(WindowHookTest, TwoHookedWindowsKeepTheirOwnState) {
  CountingWindow other;
  int other_resumes = 0;
  WindowHook other_hook([&] { ++other_resumes; });
  hook.HookWindow(window.Handle());
  other_hook.HookWindow(other.Handle());
  SendMessageW(other.Handle(), WM_POWERBROADCAST, 7, 0);
  EXPECT_EQ(resumes, 0);
  EXPECT_EQ(other_resumes, 1);
  EXPECT_EQ(other.received[WM_POWERBROADCAST], 1);
  EXPECT_EQ(window.received[WM_POWERBROADCAST], 0);
}

TEST_F(WindowHookTest, AWindowDestroyedWhileHookedLeavesNothingBehind) {
  auto doomed = std::make_unique<CountingWindow>();
  HWND handle = doomed->Handle();
  hook.HookWindow(handle);
  DestroyWindow(handle);
  EXPECT_FALSE(hook.Hooked());
  EXPECT_EQ(GetPropW(handle, L"Norvaket.WindowHook"), nullptr);
}

}  // namespace
}  // namespace norvaket::win32
