#include "platform/win32/win32_program.h"

#include "platform/win32/process_launcher.h"

namespace norvaket::win32 {
namespace {

constexpr UINT kMouseLeftDoubleClick = WM_LBUTTONDBLCLK;  // 0x203
constexpr UINT kMouseRightButtonUp = WM_RBUTTONUP;        // 0x205

}  // namespace

int Win32Program::Run() {
  if (!lifecycle_.Main()) return 0;
  // Without its window the program could neither be seen nor ended.
  if (frmMain_.Handle() == nullptr) {
    lifecycle_.Shutdown();
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

bool Win32Program::IsAnotherInstanceRunning() { return single_instance_.IsAnotherInstanceRunning(); }

void Win32Program::LoadSettings() { settings_store_.LoadSettings(settings_); }

void Win32Program::CreateWindows() {
  frmMain_.Create(instance_);
  frmMenus_.Create();
  monitor_.emplace(settings_, power_source_, clock_, notify_icon_,
                   reinterpret_cast<WindowHandle>(frmMain_.Handle()));
}

void Win32Program::HookWindow() { hook_.HookWindow(frmMain_.Handle()); }

void Win32Program::AddTrayIcon() { monitor_->AddTrayIcon(); }

void Win32Program::StartUpdateTimer() {
  frmMain_.tmrNotifyIcon_Update().SetInterval(static_cast<UINT>(settings_.UpdateInterval));
  frmMain_.tmrNotifyIcon_Update().Enable();
}

void Win32Program::UnhookWindow() { hook_.UnhookWindow(frmMain_.Handle()); }

void Win32Program::RemoveTrayIcon() { monitor_->RemoveTrayIcon(); }

void Win32Program::CloseOptionsDialog() {
  // The options dialog is not part of this program yet; nothing can be open.
}

void Win32Program::CloseAboutBox() {
  // The about box is not part of this program yet; nothing can be open.
}

void Win32Program::CloseMainWindow() { frmMain_.Close(); }

void Win32Program::CloseMenuWindow() { frmMenus_.Destroy(); }

void Win32Program::OnUpdateTick() { monitor_->UpdatePowerStatus(); }

void Win32Program::OnExitTick() { lifecycle_.Shutdown(); }

void Win32Program::OnTrayMouse(UINT mouse_message) {
  if (mouse_message == kMouseLeftDoubleClick) {
    ShowOptions();
  } else if (mouse_message == kMouseRightButtonUp) {
    frmMenus_.Show(frmMain_.Handle());
  }
}

void Win32Program::OnMenuCommand(UINT command_id) {
  switch (command_id) {
    case mnuSystemProp:
      StartProcess(kPowerPropertiesCommand);
      break;
    case mnuOption:
      ShowOptions();
      break;
    case mnuInfo:
      ShowAbout();
      break;
    case mnuCloseWindow:
      // Deferred, so that the menu and the click are fully handled first.
      frmMain_.tmrExit().Enable();
      break;
    default:
      break;
  }
}

void Win32Program::OnSessionEnding() { lifecycle_.EndSession(frmMain_.tmrExit().Enabled()); }

void Win32Program::OnCloseRequested() {
  // A plain close (a task manager's "end task") must not take the window away
  // and leave the program running with an icon nobody can reach: it exits the
  // normal way instead, through the deferred exit.
  if (lifecycle_.State() == LifecycleState::Running) frmMain_.tmrExit().Enable();
}

void Win32Program::OnTaskbarCreated() {
  if (monitor_) monitor_->RestoreTrayIcon();
}

void Win32Program::OnDestroyed() { PostQuitMessage(0); }

void Win32Program::OnPowerResume() {
  if (monitor_) monitor_->OnPowerResume();
}

void Win32Program::ShowOptions() {
  // The options dialog comes with the dialogs; until then the command does nothing.
}

void Win32Program::ShowAbout() {
  // The about box comes with the dialogs; until then the command does nothing.
}

}  // namespace norvaket::win32
