#include "platform/win32/win32_program.h"

#include "tray/tray_mouse.h"

namespace norvaket::win32 {

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

bool Win32Program::IsAnotherInstanceRunning() {
  return single_instance_.IsAnotherInstanceRunning();
}

void Win32Program::LoadSettings() {
  settings_store_.LoadSettings(settings_);
}

void Win32Program::CreateWindows() {
  frmMain_.Create(instance_);
  frmMenus_.Create();
  monitor_.emplace(settings_, power_source_, clock_, notify_icon_,
                   reinterpret_cast<WindowHandle>(frmMain_.Handle()));
}

void Win32Program::HookWindow() {
  hook_.HookWindow(frmMain_.Handle());
}

void Win32Program::AddTrayIcon() {
  monitor_->AddTrayIcon();
}

void Win32Program::StartUpdateTimer() {
  frmMain_.tmrNotifyIcon_Update().SetInterval(static_cast<UINT>(settings_.UpdateInterval));
  frmMain_.tmrNotifyIcon_Update().Enable();
}

void Win32Program::UnhookWindow() {
  hook_.UnhookWindow(frmMain_.Handle());
}

void Win32Program::RemoveTrayIcon() {
  monitor_->RemoveTrayIcon();
}

void Win32Program::CloseOptionsDialog() {
  dialog_host_.CloseOptions();
}

void Win32Program::CloseAboutBox() {
  dialog_host_.CloseAbout();
}

void Win32Program::CloseMainWindow() {
  frmMain_.Close();
}

void Win32Program::CloseMenuWindow() {
  frmMenus_.Destroy();
}

void Win32Program::OnUpdateTick() {
  monitor_->UpdatePowerStatus();
}

void Win32Program::OnExitTick() {
  lifecycle_.Shutdown();
}

void Win32Program::OnTrayMouse(UINT mouse_message) {
  switch (DispatchTrayMouseMessage(mouse_message)) {
    case TrayMouseAction::OpenOptions:
      dialog_host_.OpenOptionsFromTray();
      break;
    case TrayMouseAction::ShowMenu:
      frmMenus_.Show(frmMain_.Handle());
      break;
    case TrayMouseAction::None:
      break;
  }
}

void Win32Program::OnMenuCommand(UINT command_id) {
  DispatchMenuCommand(PopupMenu::CommandOfId(command_id).value_or(MenuCommand::None), *this,
                      dialog_host_);
}

void Win32Program::OpenPowerSettings() {
  launcher_.StartCommandLine(kPowerPropertiesCommand);
}

void Win32Program::ExitSoon() {
  // Deferred, so that the menu and the click are fully handled first.
  frmMain_.tmrExit().Enable();
}

void Win32Program::OnSessionEnding() {
  lifecycle_.EndSession(frmMain_.tmrExit().Enabled());
}

void Win32Program::OnCloseRequested() {
  // A plain close (a task manager's "end task") must not take the window away
  // and leave the program running with an icon nobody can reach: it exits the
  // normal way instead, through the deferred exit.
  if (lifecycle_.State() == LifecycleState::Running) frmMain_.tmrExit().Enable();
}

void Win32Program::OnTaskbarCreated() {
  if (monitor_) monitor_->RestoreTrayIcon();
}

void Win32Program::OnDestroyed() {
  PostQuitMessage(0);
}

void Win32Program::OnPowerResume() {
  if (monitor_) monitor_->OnPowerResume();
}

ModalDialog* Win32Program::Open(DialogKind dialog) const {
  if (dialog == DialogKind::Options) return frmOption_;
  return frmAbout_;
}

void Win32Program::ShowNew(DialogKind dialog) {
  if (Open(dialog) != nullptr) return;
  if (dialog == DialogKind::Options) {
    OptionsDialog shown(instance_, frmMain_.Handle(), settings_, settings_store_, autorun_,
                        dialogs_);
    ShowModalAs(frmOption_, shown);
  } else {
    AboutBox shown(instance_, frmMain_.Handle(), launcher_, dialogs_, BuiltProgramIdentity());
    ShowModalAs(frmAbout_, shown);
  }
}

void Win32Program::ShowModalAs(ModalDialog*& open, ModalDialog& dialog) {
  open = &dialog;
  dialog.ShowModal(frmMain_.Handle());
  open = nullptr;
}

void Win32Program::Focus(DialogKind dialog) {
  if (ModalDialog* open = Open(dialog)) SetForegroundWindow(open->Handle());
}

void Win32Program::Close(DialogKind dialog) {
  if (ModalDialog* open = Open(dialog)) open->Close();
}

}  // namespace norvaket::win32
