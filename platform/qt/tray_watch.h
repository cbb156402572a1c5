#pragma once

#include <QAbstractNativeEventFilter>
#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <cstdint>

namespace norvaket::qt {

enum class TrayKind { None, StatusNotifier, XEmbed };

// Looks for a notification area without ever blocking, and keeps looking: a few
// timed tries at start-up, then whenever a StatusNotifierWatcher or its host
// registers, or an XEmbed tray manager announces itself. Our own look, not Qt's:
// Qt asks the watcher synchronously (a hung watcher would freeze the program) and
// settles on StatusNotifierItem or XEmbed the first time a tray icon is made, for
// the whole run; so no QSystemTrayIcon may exist before a tray is known.
class TrayWatch : public QObject, private QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit TrayWatch(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
  ~TrayWatch() override;

  // Starts the timed tries (the first at once); later looks come from events.
  void Start();

 signals:
  // A tray is there; emitted for each look that finds one.
  void Found(TrayKind kind);

 private slots:
  void Look();

 private:
  void LookForXEmbed();
  void Report(TrayKind kind);
  void WatchTrayManagerAnnouncements();
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

  QDBusConnection bus_;
  QTimer tries_;
  int tries_left_ = 0;
  bool look_pending_ = false;
  std::uint32_t manager_atom_ = 0;
};

}  // namespace norvaket::qt
