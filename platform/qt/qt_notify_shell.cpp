#include "platform/qt/qt_notify_shell.h"

#include <QMenu>

namespace norvaket::qt {

QString TooltipText(const std::string& tip) {
  QString text = QString::fromStdString(tip);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

QtNotifyShell::QtNotifyShell(IconSource icons, QMenu* menu, DesktopNotifier& notifier,
                             TrayCheck tray_check, QObject* parent)
    : QObject(parent),
      icons_(std::move(icons)),
      menu_(menu),
      notifier_(notifier),
      tray_check_(std::move(tray_check)) {}

QtNotifyShell::~QtNotifyShell() = default;

bool QtNotifyShell::ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) {
  switch (message) {
    case NotifyMessage::Add: return Add(record);
    case NotifyMessage::Modify: return Modify(record);
    case NotifyMessage::Delete: Delete(); return true;
  }
  return false;
}

bool QtNotifyShell::Add(const TrayIconRecord& record) {
  if (!icon_) {
    // Refused until a tray exists: the caller's retries give a panel that starts
    // after the program at logon its chance.
    const TrayKind kind = tray_check_();
    if (kind == TrayKind::None) return false;
    kind_ = kind;
    icon_ = std::make_unique<QSystemTrayIcon>();
    icon_->setContextMenu(menu_);
    connect(icon_.get(), &QSystemTrayIcon::activated, this, &QtNotifyShell::Activated);
  }
  icon_->setIcon(icons_(record.hIcon));
  icon_->setToolTip(TooltipText(record.szTip));
  icon_->show();
  return true;
}

bool QtNotifyShell::Modify(const TrayIconRecord& record) {
  if (!icon_) return false;
  if (record.uFlags & kNifIcon) icon_->setIcon(icons_(record.hIcon));
  if (record.uFlags & kNifTip) icon_->setToolTip(TooltipText(record.szTip));
  if (record.uFlags & kNifInfo) ShowBalloon(record);
  return true;
}

void QtNotifyShell::Delete() {
  if (!icon_) return;
  icon_->hide();
  icon_.reset();
}

void QtNotifyShell::ShowBalloon(const TrayIconRecord& record) {
  const QString title = QString::fromStdString(record.szInfoTitle);
  const QString text = QString::fromStdString(record.szInfo);
  const bool warning = record.dwInfoFlags == kNiifWarning;
  if (notifier_.ServerAvailable()) {
    notifier_.Notify(title, text, warning);
    return;
  }
  icon_->showMessage(title, text, warning ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information);
}

}  // namespace norvaket::qt
