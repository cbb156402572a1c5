#pragma once

namespace norvaket {

// The platform's half of start-up and shutdown. Each front end implements the
// steps with its own windows, timers and tray host; the order lives in
// ProgramLifecycle so that both programs start and end the same way.
class LifecycleSteps {
 public:
  virtual ~LifecycleSteps() = default;
  // Start-up, in the order Main calls them.
  virtual bool IsAnotherInstanceRunning() = 0;
  virtual void LoadSettings() = 0;
  // The hidden main window and the menu window; both stay hidden for good.
  virtual void CreateWindows() = 0;
  virtual void HookWindow() = 0;
  virtual void AddTrayIcon() = 0;
  // Sets the update timer's interval to UpdateInterval, then enables it.
  virtual void StartUpdateTimer() = 0;
  // Shutdown, in the order Shutdown calls them.
  virtual void UnhookWindow() = 0;
  virtual void RemoveTrayIcon() = 0;
  virtual void CloseOptionsDialog() = 0;
  virtual void CloseAboutBox() = 0;
  virtual void CloseMainWindow() = 0;
  virtual void CloseMenuWindow() = 0;
};

enum class LifecycleState { Starting, Running, ShuttingDown, Ended };

// Start-up and shutdown order of the program.
class ProgramLifecycle {
 public:
  explicit ProgramLifecycle(LifecycleSteps& steps) : steps_(steps) {}

  // False when another instance already runs: nothing else is done and the
  // caller ends at once.
  bool Main();
  // Runs once, and only after a Main that started the program; a second call
  // (the close that Shutdown itself causes, a log-off during shutdown) does nothing.
  void Shutdown();
  // The session ends (log-off, shut-down): Shutdown, unless an exit is already
  // pending, in which case the pending exit does it.
  void EndSession(bool exit_pending);

  LifecycleState State() const { return state_; }

 private:
  LifecycleSteps& steps_;
  LifecycleState state_ = LifecycleState::Starting;
};

}  // namespace norvaket
