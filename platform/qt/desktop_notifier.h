#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>

namespace norvaket::qt {

// Sends balloons to the desktop's notification server (org.freedesktop.Notifications)
// without ever waiting for it: a server may be missing, hung, slow to start or
// replaced at any time.
class DesktopNotifier : public QObject {
  Q_OBJECT

 public:
  // How long a Notify may take before the balloon is shown another way.
  static constexpr int kNotifyDeadlineMs = 3000;

  explicit DesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus(),
                           QObject* parent = nullptr);

  // Follows the server and asks what it can do. Until then (or without a server)
  // balloons go out as plain text, which is what every balloon text is anyway.
  void Start();

  // One Notify call; calls on one connection arrive in the order they were sent.
  // `fallback` runs instead when no server takes the balloon in time. An urgent
  // balloon (low or empty battery) is one the server should keep and rank first.
  void Notify(const QString& title, const QString& text, bool warning, bool urgent,
              std::function<void()> fallback);

 private:
  // Asked once per server owner, never per balloon.
  void AskCapabilities();

  QDBusConnection bus_;
  bool body_markup_ = false;
};

}  // namespace norvaket::qt
