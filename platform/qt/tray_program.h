#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>
#include <vector>

#include "core/power_monitor.h"
#include "platform/qt/desktop_notifier.h"
#include "platform/qt/dialog_host.h"
#include "platform/qt/logind_resume_watch.h"
#include "platform/qt/qt_notify_shell.h"

namespace norvaket::qt {

// The hidden main object of the Linux program: the update and exit timers, the
// tray icon with its menu, the resume watch, and the start-up and shutdown order.
class TrayProgram : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    const Settings& settings;
    PowerSource& source;
    const Clock& clock;
    DialogHost& dialogs;
    QtNotifyShell::IconSource icons;
    // The power settings program's command line; empty when none is installed.
    std::vector<QString> power_settings_command;
  };

  explicit TrayProgram(Parts parts, QObject* parent = nullptr);
  ~TrayProgram() override;

  // From the hidden main object to the running update timer.
  void Main();
  // Takes everything down in order; runs once, whoever asks first.
  void Shutdown();
  // Log-out, shut-down or a termination signal: shuts down unless an exit is pending.
  void EndSession();

  const PowerMonitor& Monitor() const { return *monitor_; }
  QMenu& Menu() { return menu_; }

 signals:
  void Finished();

 private:
  void BuildMenu();
  void OnActivated(QSystemTrayIcon::ActivationReason reason);
  void OpenPowerSettings();

  Parts parts_;
  QTimer tmrNotifyIcon_Update;
  QTimer tmrExit;
  QMenu menu_;
  DesktopNotifier notifier_;
  ThreadWaiter waiter_;
  std::unique_ptr<QtNotifyShell> shell_;
  std::unique_ptr<NotifyIcon> notify_icon_;
  std::unique_ptr<PowerMonitor> monitor_;
  std::unique_ptr<LogindResumeWatch> resume_watch_;
  bool shut_down_ = false;
};

}  // namespace norvaket::qt
