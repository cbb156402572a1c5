#include "platform/qt/tray_program.h"

#include <QProcess>

#include "tray/popup_menu.h"
#include "tray/tray_mouse.h"

namespace norvaket::qt {
namespace {

constexpr int kExitDelayMs = 500;

// The mouse message an activation stands for. A StatusNotifierItem host has no
// double-click: its primary activation is what the double-click is elsewhere.
std::uint32_t MouseMessageFor(QSystemTrayIcon::ActivationReason reason, TrayKind kind) {
  switch (reason) {
    case QSystemTrayIcon::DoubleClick: return kWmLButtonDblClk;
    case QSystemTrayIcon::Trigger:
      return kind == TrayKind::StatusNotifier ? kWmLButtonDblClk : 0x201;  // WM_LBUTTONDOWN
    case QSystemTrayIcon::Context: return kWmRButtonUp;
    default: return 0x207;  // WM_MBUTTONDOWN
  }
}

}  // namespace

TrayProgram::TrayProgram(Parts parts, QObject* parent) : QObject(parent), parts_(std::move(parts)) {
  setObjectName(QStringLiteral("frmMain"));
  tmrNotifyIcon_Update.setObjectName(QStringLiteral("tmrNotifyIcon_Update"));
  tmrNotifyIcon_Update.setInterval(1000);
  tmrExit.setObjectName(QStringLiteral("tmrExit"));
  tmrExit.setInterval(kExitDelayMs);
  menu_.setObjectName(QStringLiteral("mnuMenus"));
  // Looking the program up costs a walk of PATH per candidate: done when first needed.
  connect(&menu_, &QMenu::aboutToShow, this, [this] {
    if (power_settings_action_ != nullptr) power_settings_action_->setEnabled(!PowerSettingsCommand().empty());
  });
  connect(&tmrNotifyIcon_Update, &QTimer::timeout, this, [this] { monitor_->UpdatePowerStatus(); });
  connect(&tmrExit, &QTimer::timeout, this, [this] {
    tmrExit.stop();
    Shutdown();
  });
}

TrayProgram::~TrayProgram() = default;

void TrayProgram::CreateWindows() {
  BuildMenu();
  shell_ = std::make_unique<QtNotifyShell>(parts_.icons, &menu_, notifier_, tray_watch_);
  connect(shell_.get(), &QtNotifyShell::Activated, this, &TrayProgram::OnActivated);
  notify_icon_ = std::make_unique<NotifyIcon>(*shell_, waiter_);
  monitor_ = std::make_unique<PowerMonitor>(parts_.settings, parts_.source, parts_.clock,
                                            *notify_icon_, WindowHandle{1});
}

// Neither the resume watch (a system bus connection of its own) nor the notification
// server's watch is needed for the icon: both start at the first tick, once it is up.
void TrayProgram::HookWindow() {
  connect(&tmrNotifyIcon_Update, &QTimer::timeout, this, &TrayProgram::StartAfterIcon,
          Qt::SingleShotConnection);
}

void TrayProgram::StartAfterIcon() {
  resume_watch_ = std::make_unique<LogindResumeWatch>([this] { monitor_->OnPowerResume(); });
  notifier_.Start();
}

void TrayProgram::StartUpdateTimer() {
  tmrNotifyIcon_Update.setInterval(parts_.settings.UpdateInterval);
  tmrNotifyIcon_Update.start();
}

void TrayProgram::CloseMainWindow() {
  tmrNotifyIcon_Update.stop();
  tmrExit.stop();
}

void TrayProgram::Shutdown() {
  const bool was_running = lifecycle_.State() == LifecycleState::Running;
  lifecycle_.Shutdown();
  if (was_running) emit Finished();
}

void TrayProgram::EndSession() {
  const bool exit_pending = tmrExit.isActive();
  const bool was_running = lifecycle_.State() == LifecycleState::Running;
  lifecycle_.EndSession(exit_pending);
  if (was_running && lifecycle_.State() == LifecycleState::Ended) emit Finished();
}

void TrayProgram::BuildMenu() {
  for (const MenuItem& item : kTrayMenuItems) {
    if (item.command == MenuCommand::None) {
      menu_.addSeparator()->setObjectName(QString::fromUtf8(item.name));
      continue;
    }
    QAction* action = menu_.addAction(QString::fromUtf8(item.caption));
    action->setObjectName(QString::fromUtf8(item.name));
    action->setEnabled(item.enabled);
    if (item.is_default) menu_.setDefaultAction(action);
    if (item.command == MenuCommand::SystemProperties) {
      // Unknown until the menu first opens; disabled rather than offering nothing.
      action->setEnabled(false);
      power_settings_action_ = action;
    }
    connect(action, &QAction::triggered, this,
            [this, command = item.command] { DispatchMenuCommand(command, *this, parts_.dialogs); });
  }
}

const std::vector<QString>& TrayProgram::PowerSettingsCommand() {
  if (!power_settings_command_) power_settings_command_ = parts_.find_power_settings_command();
  return *power_settings_command_;
}

void TrayProgram::OnActivated(QSystemTrayIcon::ActivationReason reason) {
  const std::uint32_t message = MouseMessageFor(reason, shell_->Kind());
  if (DispatchTrayMouseMessage(message) == TrayMouseAction::OpenOptions) {
    parts_.dialogs.OpenOptionsFromTray();
  }
}

void TrayProgram::OpenPowerSettings() {
  const std::vector<QString>& command = PowerSettingsCommand();
  if (command.empty()) return;
  QProcess::startDetached(command.front(), QStringList(command.begin() + 1, command.end()));
}

}  // namespace norvaket::qt
