#include "core/program_lifecycle.h"

namespace norvaket {

bool ProgramLifecycle::Main() {
  if (state_ != LifecycleState::Starting) return false;
  if (steps_.IsAnotherInstanceRunning()) {
    state_ = LifecycleState::Ended;
    return false;
  }
  steps_.LoadSettings();
  steps_.CreateWindows();
  steps_.HookWindow();
  // Runs the first evaluation, which only picks icon and tooltip: no balloon yet.
  steps_.AddTrayIcon();
  steps_.StartUpdateTimer();
  state_ = LifecycleState::Running;
  return true;
}

void ProgramLifecycle::Shutdown() {
  if (state_ != LifecycleState::Running) return;
  state_ = LifecycleState::ShuttingDown;
  // The hook goes first: closing windows below must not reach the resume watch.
  steps_.UnhookWindow();
  steps_.RemoveTrayIcon();
  steps_.CloseOptionsDialog();
  steps_.CloseAboutBox();
  steps_.CloseMainWindow();
  steps_.CloseMenuWindow();
  state_ = LifecycleState::Ended;
}

void ProgramLifecycle::EndSession(bool exit_pending) {
  if (exit_pending) return;
  Shutdown();
}

}  // namespace norvaket
