#pragma once

#include <QDBusConnection>
#include <QString>

namespace norvaket::qt {

// Sends balloons to the desktop's notification server (org.freedesktop.Notifications).
class DesktopNotifier {
 public:
  explicit DesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus()) : bus_(bus) {}

  // True when a notification server runs on the session bus or can be started by it.
  bool ServerAvailable() const;
  // One Notify call; calls on one connection arrive in the order they were sent.
  void Notify(const QString& title, const QString& text, bool warning) const;

 private:
  bool ServerDoesBodyMarkup() const;

  QDBusConnection bus_;
};

}  // namespace norvaket::qt
