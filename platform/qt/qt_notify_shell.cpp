#include "platform/qt/qt_notify_shell.h"

#include <QMenu>
#include <QPointer>

namespace norvaket::qt {

QString TooltipText(const std::string& tip) {
  QString text = QString::fromStdString(tip);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

QtNotifyShell::QtNotifyShell(IconSource icons, QMenu* menu, DesktopNotifier& notifier,
                             TrayWatch& tray, QObject* parent)
    : QObject(parent), icons_(std::move(icons)), menu_(menu), notifier_(notifier), tray_(tray) {
  connect(&tray_, &TrayWatch::Found, this, &QtNotifyShell::OnTrayFound);
}

QtNotifyShell::~QtNotifyShell() = default;

bool QtNotifyShell::ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) {
  switch (message) {
    case NotifyMessage::Add: Add(record); return true;
    case NotifyMessage::Modify: Modify(record); return true;
    case NotifyMessage::Delete: Delete(); return true;
  }
  return false;
}

void QtNotifyShell::Add(const TrayIconRecord& record) {
  shown_ = record;
  if (icon_) {
    ShowRecord();
    return;
  }
  wanted_ = true;
  tray_.Start();
}

void QtNotifyShell::OnTrayFound(TrayKind kind) {
  if (!wanted_ || icon_) return;
  kind_ = kind;
  icon_ = std::make_unique<QSystemTrayIcon>();
  icon_->setContextMenu(menu_);
  connect(icon_.get(), &QSystemTrayIcon::activated, this, &QtNotifyShell::Activated);
  // What is current now, not what the add once carried.
  ShowRecord();
  icon_->show();
}

void QtNotifyShell::ShowRecord() {
  icon_->setIcon(icons_(shown_.hIcon));
  icon_->setToolTip(TooltipText(shown_.szTip));
}

void QtNotifyShell::Modify(const TrayIconRecord& record) {
  // A balloon passes its tooltip without NIF_TIP: it is kept for the next plain modify.
  if (record.uFlags & kNifIcon) shown_.hIcon = record.hIcon;
  if (record.uFlags & kNifTip) shown_.szTip = record.szTip;
  if (icon_) {
    if (record.uFlags & kNifIcon) icon_->setIcon(icons_(record.hIcon));
    if (record.uFlags & kNifTip) icon_->setToolTip(TooltipText(record.szTip));
  }
  // Balloons do not depend on the tray: the notification server shows them without one.
  if (record.uFlags & kNifInfo) ShowBalloon(record);
}

void QtNotifyShell::Delete() {
  wanted_ = false;
  kind_ = TrayKind::None;
  if (!icon_) return;
  icon_->hide();
  icon_.reset();
}

void QtNotifyShell::ShowBalloon(const TrayIconRecord& record) {
  const QString title = QString::fromStdString(record.szInfoTitle);
  const QString text = QString::fromStdString(record.szInfo);
  const bool warning = record.dwInfoFlags == kNiifWarning;
  notifier_.Notify(title, text, warning, record.urgent,
                   [shell = QPointer<QtNotifyShell>(this), title, text, warning] {
                     if (shell) shell->ShowOwnBalloon(title, text, warning);
                   });
}

void QtNotifyShell::ShowOwnBalloon(const QString& title, const QString& text, bool warning) {
  // Without a tray there is nowhere left to show it.
  if (!icon_) return;
  icon_->showMessage(title, text, warning ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information);
}

}  // namespace norvaket::qt
