#pragma once

#include <windows.h>

#include <optional>

#include "core/system_clock.h"
#include "core/power_monitor.h"
#include "core/program_lifecycle.h"
#include "platform/win32/about_box.h"
#include "platform/win32/main_window.h"
#include "platform/win32/options_dialog.h"
#include "platform/win32/painted_tray_icons.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/single_instance.h"
#include "platform/win32/win32_folder_lookup.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_notify_shell.h"
#include "platform/win32/win32_power_source.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/window_hook.h"
#include "settings/ini_settings_store.h"
#include "settings/registry_auto_run.h"
#include "settings/settings.h"
#include "tray/dialog_host.h"
#include "tray/dialog_tracker.h"
#include "tray/menu_command_target.h"
#include "tray/notify_icon.h"
#include "tray/thread_waiter.h"

namespace norvaket::win32 {

// The Windows program: one graph of objects built in wWinMain. It supplies the
// start-up and shutdown steps that ProgramLifecycle orders, and handles what
// the hidden main window reports.
class Win32Program final : private LifecycleSteps,
                           private MainWindowEvents,
                           private DialogWindows,
                           private MenuCommandTarget {
 public:
  static constexpr char kPowerPropertiesCommand[] = "CONTROL.EXE powercfg.cpl";

  explicit Win32Program(HINSTANCE instance) : instance_(instance) {}
  Win32Program(const Win32Program&) = delete;
  Win32Program& operator=(const Win32Program&) = delete;
  ~Win32Program() override = default;

  // Main, then the message loop until the last window has gone; the exit code.
  int Run();

 private:
  // LifecycleSteps
  bool IsAnotherInstanceRunning() override;
  void LoadSettings() override;
  void CreateWindows() override;
  void HookWindow() override;
  void AddTrayIcon() override;
  void StartUpdateTimer() override;
  void UnhookWindow() override;
  void RemoveTrayIcon() override;
  void CloseOptionsDialog() override;
  void CloseAboutBox() override;
  void CloseMainWindow() override;
  void CloseMenuWindow() override;

  // MainWindowEvents
  void OnUpdateTick() override;
  void OnExitTick() override;
  void OnTrayMouse(UINT mouse_message) override;
  void OnMenuCommand(UINT command_id) override;
  void OnSessionEnding() override;
  void OnCloseRequested() override;
  void OnTaskbarCreated() override;
  void OnDestroyed() override;

  // DialogWindows: a dialog shows modally, on the stack of this call.
  void ShowNew(DialogKind dialog) override;
  void Focus(DialogKind dialog) override;
  void Close(DialogKind dialog) override;

  // MenuCommandTarget
  void OpenPowerSettings() override;
  void ExitSoon() override;

  void OnPowerResume();
  ModalDialog* Open(DialogKind dialog) const;
  // Holds the dialog in `open` while it shows.
  void ShowModalAs(ModalDialog*& open, ModalDialog& dialog);

  HINSTANCE instance_;
  Settings settings_;
  Win32ProfileStore profile_files_;
  Win32FolderLookup folders_;
  IniSettingsStore settings_store_{profile_files_, folders_};
  Win32Registry registry_;
  RegistryAutoRun autorun_{
      registry_, ProgramPathWithoutExtension(ExecutableFolder(), "\\", ExecutableFileName())};
  SingleInstance single_instance_;
  Win32PowerSource power_source_;
  SystemClock clock_;
  PaintedTrayIcons tray_icons_;
  Win32NotifyShell shell_{tray_icons_};
  ThreadWaiter waiter_;
  NotifyIcon notify_icon_{shell_, waiter_};
  MainWindow frmMain_{*this};
  PopupMenu frmMenus_;
  Win32Launcher launcher_;
  DialogTracker dialogs_;
  DialogHost dialog_host_{*this, dialogs_};
  // The open dialogs; each lives on the stack of its modal call.
  ModalDialog* frmOption_ = nullptr;
  ModalDialog* frmAbout_ = nullptr;
  std::optional<PowerMonitor> monitor_;
  WindowHook hook_{[this] { OnPowerResume(); }};
  ProgramLifecycle lifecycle_{*this};
};

}  // namespace norvaket::win32
