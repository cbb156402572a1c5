#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/power_monitor.h"
#include "core/program_lifecycle.h"
#include "settings/settings_store.h"
#include "tray/dialog_host.h"
#include "tray/menu_command_target.h"
#include "tray/thread_waiter.h"
#include "platform/qt/desktop_notifier.h"
#include "platform/qt/logind_resume_watch.h"
#include "platform/qt/qt_notify_shell.h"

namespace norvaket::qt {

// The hidden main object of the Linux program: the update and exit timers, the
// tray icon with its menu and the resume watch, started and taken down in the
// program's order.
class TrayProgram : public QObject, private LifecycleSteps, private MenuCommandTarget {
  Q_OBJECT

 public:
  struct Parts {
    Settings& settings;
    SettingsStore& settings_store;
    // Whether another instance holds the single-instance lock.
    std::function<bool()> another_instance_running;
    PowerSource& source;
    const Clock& clock;
    DialogHost& dialogs;
    QtNotifyShell::IconSource icons;
    // Looks up the power settings program's command line; empty when none is
    // installed. Asked when the menu first opens, not at start.
    std::function<std::vector<QString>()> find_power_settings_command;
  };

  explicit TrayProgram(Parts parts, QObject* parent = nullptr);
  ~TrayProgram() override;

  // False when another instance runs; the caller then ends at once.
  bool Main() { return lifecycle_.Main(); }
  // Takes everything down in order; runs once, whoever asks first.
  void Shutdown();
  // Log-out, shut-down or a termination signal: shuts down unless an exit is pending.
  void EndSession();

 signals:
  void Finished();

 private:
  bool IsAnotherInstanceRunning() override { return parts_.another_instance_running(); }
  void LoadSettings() override { parts_.settings_store.LoadSettings(parts_.settings); }
  void CreateWindows() override;
  void HookWindow() override;
  void AddTrayIcon() override { monitor_->AddTrayIcon(); }
  void StartUpdateTimer() override;
  void UnhookWindow() override { resume_watch_.reset(); }
  void RemoveTrayIcon() override { monitor_->RemoveTrayIcon(); }
  void CloseOptionsDialog() override { parts_.dialogs.CloseOptions(); }
  void CloseAboutBox() override { parts_.dialogs.CloseAbout(); }
  void CloseMainWindow() override;
  void CloseMenuWindow() override { menu_.close(); }

  // MenuCommandTarget
  void OpenPowerSettings() override;
  void ExitSoon() override { tmrExit.start(); }

  void StartAfterIcon();
  void BuildMenu();
  void OnActivated(QSystemTrayIcon::ActivationReason reason);
  const std::vector<QString>& PowerSettingsCommand();

  Parts parts_;
  QTimer tmrNotifyIcon_Update;
  QTimer tmrExit;
  QMenu menu_;
  QAction* power_settings_action_ = nullptr;
  std::optional<std::vector<QString>> power_settings_command_;
  DesktopNotifier notifier_;
  TrayWatch tray_watch_;
  // Never sleeps here: the Qt shell accepts every add and puts the icon up itself.
  ThreadWaiter waiter_;
  std::unique_ptr<QtNotifyShell> shell_;
  std::unique_ptr<NotifyIcon> notify_icon_;
  std::unique_ptr<PowerMonitor> monitor_;
  std::unique_ptr<LogindResumeWatch> resume_watch_;
  ProgramLifecycle lifecycle_{*this};
};

}  // namespace norvaket::qt
