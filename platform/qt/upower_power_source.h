#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <map>
#include <optional>

#include "core/power_source.h"
#include "platform/linux/upower_readings.h"

class QDBusMessage;
class QDBusObjectPath;

namespace norvaket::qt {

// Snapshots from UPower on the system bus. Every property the snapshot needs is
// read once when UPower is there and kept current from its signals, so a tick
// makes no D-Bus call. While UPower is away the snapshot is all unknowns; when
// it comes back (a restart) everything is read again. A daemon that took its name
// before it could answer is read again on the next tick.
class UPowerPowerSource final : public QObject, public PowerSource {
  Q_OBJECT

 public:
  explicit UPowerPowerSource(QDBusConnection bus, QObject* parent = nullptr);

  PowerStatus GetPowerStatus() override;
  // Whether UPower is on the bus and answered the first reads.
  bool Available() const { return available_; }

 signals:
  void AvailabilityChanged(bool available);

 private slots:
  void OnServiceRegistered();
  void OnServiceUnregistered();
  void OnPropertiesChanged(const QDBusMessage& message);
  void OnDeviceAdded(const QDBusObjectPath& path);
  void OnDeviceRemoved(const QDBusObjectPath& path);

 private:
  struct LinePower {
    bool is_line_power = false;
    std::optional<bool> online;
  };

  bool Load();
  void SetAvailable(bool available);
  std::optional<QVariantMap> GetAll(const QString& path, const QString& interface) const;
  void ApplyDaemonProperties(const QVariantMap& properties);
  void ApplyDeviceProperties(const QString& path, const QVariantMap& properties);
  void LoadDevice(const QString& path);
  std::optional<bool> LinePowerOnline() const;

  QDBusConnection bus_;
  QDBusServiceWatcher watcher_;
  bool available_ = false;
  bool load_pending_ = false;  // on the bus, but the first reads failed
  linux_platform::UPowerReadings readings_;
  std::map<QString, LinePower> devices_;
};

}  // namespace norvaket::qt
