#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "platform/qt/desktop_notifier.h"
#include "platform/qt/tray_watch.h"
#include "tray/notify_shell.h"

class QMenu;

namespace norvaket::qt {

// The notification area as Qt offers it: one QSystemTrayIcon (StatusNotifierItem
// or XEmbed, as Qt chooses), balloons through the desktop's notification server
// when there is one, Qt's own balloon otherwise.
//
// The add is always accepted: the shell keeps the record and puts the icon up
// itself whenever a tray appears, at start-up or any time later, so the caller's
// retries never wait on the user-interface thread.
class QtNotifyShell : public QObject, public NotifyShell {
  Q_OBJECT

 public:
  using IconSource = std::function<QIcon(std::int32_t icon_id)>;

  QtNotifyShell(IconSource icons, QMenu* menu, DesktopNotifier& notifier, TrayWatch& tray,
                QObject* parent = nullptr);
  ~QtNotifyShell() override;

  bool ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) override;

  // The kind of tray the icon was put into (None while there is no icon).
  TrayKind Kind() const { return kind_; }

 signals:
  void Activated(QSystemTrayIcon::ActivationReason reason);

 private:
  void Add(const TrayIconRecord& record);
  void Modify(const TrayIconRecord& record);
  void Delete();
  void OnTrayFound(TrayKind kind);
  // Puts the kept record's icon and tooltip on the icon.
  void ShowRecord();
  void ShowBalloon(const TrayIconRecord& record);
  void ShowOwnBalloon(const QString& title, const QString& text, bool warning);

  IconSource icons_;
  QMenu* menu_;
  DesktopNotifier& notifier_;
  TrayWatch& tray_;
  // Added and not deleted since: the icon belongs up whenever a tray is there.
  // There is an icon only while this holds.
  bool wanted_ = false;
  TrayIconRecord shown_;
  TrayKind kind_ = TrayKind::None;
  std::unique_ptr<QSystemTrayIcon> icon_;
};

// The tooltip's line break as Qt shows it.
QString TooltipText(const std::string& tip);

}  // namespace norvaket::qt
