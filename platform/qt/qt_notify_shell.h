#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "platform/qt/desktop_notifier.h"
#include "platform/qt/tray_availability.h"
#include "tray/notify_shell.h"

class QMenu;

namespace norvaket::qt {

// The notification area as Qt offers it: one QSystemTrayIcon (StatusNotifierItem
// or XEmbed, as Qt chooses), balloons through the desktop's notification server
// when there is one, Qt's own balloon otherwise.
class QtNotifyShell : public QObject, public NotifyShell {
  Q_OBJECT

 public:
  using IconSource = std::function<QIcon(std::int32_t icon_id)>;
  using TrayCheck = std::function<TrayKind()>;

  QtNotifyShell(IconSource icons, QMenu* menu, DesktopNotifier& notifier,
                TrayCheck tray_check = AvailableTray, QObject* parent = nullptr);
  ~QtNotifyShell() override;

  bool ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) override;

  // The kind of tray the icon was added to (None before the first accepted add).
  TrayKind Kind() const { return kind_; }

 signals:
  void Activated(QSystemTrayIcon::ActivationReason reason);

 private:
  bool Add(const TrayIconRecord& record);
  bool Modify(const TrayIconRecord& record);
  void Delete();
  void ShowBalloon(const TrayIconRecord& record);

  IconSource icons_;
  QMenu* menu_;
  DesktopNotifier& notifier_;
  TrayCheck tray_check_;
  TrayKind kind_ = TrayKind::None;
  std::unique_ptr<QSystemTrayIcon> icon_;
};

// The tooltip's line break as Qt shows it.
QString TooltipText(const std::string& tip);

}  // namespace norvaket::qt
