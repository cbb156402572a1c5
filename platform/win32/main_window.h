#pragma once

#include <windows.h>

#include "platform/win32/window_timer.h"

namespace norvaket::win32 {

// What the hidden main window reports to the program.
class MainWindowEvents {
 public:
  virtual ~MainWindowEvents() = default;
  virtual void OnUpdateTick() = 0;
  // tmrExit has fired; it is already disabled again.
  virtual void OnExitTick() = 0;
  // The tray callback, with the mouse message of the event.
  virtual void OnTrayMouse(UINT mouse_message) = 0;
  virtual void OnMenuCommand(UINT command_id) = 0;
  // The session ends (log-off, shut-down); the close is never refused.
  virtual void OnSessionEnding() = 0;
  // Someone asked the window to close (WM_CLOSE, e.g. a task manager).
  virtual void OnCloseRequested() = 0;
  // The taskbar was (re)created and has forgotten every icon.
  virtual void OnTaskbarCreated() = 0;
  virtual void OnDestroyed() = 0;
};

// frmMain: the top-level window that is never shown. It owns the tray icon,
// receives the tray callback and the power broadcasts (which a message-only
// window would not get), and carries the two timers.
class MainWindow {
 public:
  static constexpr wchar_t kCaption[] = L"バッテリ残量:";
  static constexpr wchar_t kClassName[] = L"Norvaket.frmMain";
  static constexpr UINT_PTR kUpdateTimerId = 1;
  static constexpr UINT_PTR kExitTimerId = 2;
  static constexpr UINT kExitDelayMs = 500;

  explicit MainWindow(MainWindowEvents& events) : events_(events) {}
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Registers the class on first use and creates the window, hidden.
  bool Create(HINSTANCE instance);
  void Close();
  HWND Handle() const { return window_; }
  UINT TaskbarCreatedMessage() const { return taskbar_created_message_; }

  WindowTimer& tmrNotifyIcon_Update() { return update_timer_; }
  WindowTimer& tmrExit() { return exit_timer_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void HandleTimer(UINT_PTR id);

  MainWindowEvents& events_;
  HWND window_ = nullptr;
  UINT taskbar_created_message_ = 0;
  WindowTimer update_timer_{kUpdateTimerId, 1000};
  WindowTimer exit_timer_{kExitTimerId, kExitDelayMs};
};

}  // namespace norvaket::win32
