#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "core/power_source.h"
#include "platform/linux/draw_average.h"
#include "platform/linux/machine_time.h"
#include "platform/linux/remaining_time_hold.h"
#include "platform/linux/upower_readings.h"
#include "platform/qt/upower_battery_facts.h"

class QDBusMessage;

namespace norvaket::qt {

// Snapshots from UPower on the system bus. Nothing here ever waits for UPower:
// every read is an asynchronous call with a deadline, and the answers and signals
// are kept in a cache that a tick only looks at. UPower is used from the moment it
// answers, however late; while it is away, or the system bus is lost, the snapshot
// is all unknowns. A lost bus is dialled again, within seconds at first and then
// less often, down to once a minute.
class UPowerPowerSource final : public QObject, public PowerSource {
  Q_OBJECT

 public:
  // A call not answered by then counts as failed; nothing waits for it meanwhile.
  static constexpr std::chrono::milliseconds kCallDeadline{5000};

  explicit UPowerPowerSource(QDBusConnection::BusType bus_type, QObject* parent = nullptr);
  ~UPowerPowerSource() override;

  // Notices a bus lost since the last look first (a cheap check, no call).
  PowerStatus GetPowerStatus() override;
  // Whether UPower is on the bus and answered the first reads.
  bool Available() const { return phase_ == Phase::Ready; }
  // The facts of each system battery, for the status tool.
  std::vector<linux_platform::BatteryFacts> Batteries() const { return battery_facts_.Batteries(); }
  // The averaged and the last EnergyRate on battery power.
  linux_platform::DrawFigures Draws() const { return {average_.Mean(), average_.Last()}; }
  // Runs the event loop until the first reads have an outcome, at most `deadline`.
  void AwaitFirstReads(std::chrono::milliseconds deadline);
  // Whether a device's properties are still to be read or answered.
  bool DeviceReadsPending() const { return refresh_timer_.isActive() || !stale_.empty() || !in_flight_.empty(); }

 signals:
  void ReadsSettled();

 private slots:
  void OnServiceUnregistered();
  void OnBusDisconnected();
  void OnPropertiesChanged(const QDBusMessage& message);
  void OnDeviceAdded(const QDBusMessage& message);
  void OnDeviceRemoved(const QDBusMessage& message);

 private:
  // Where UPower stands; every decision reads this. A daemon that holds its name but
  // did not answer counts as no service until a later load succeeds.
  enum class Phase { NoBus, NoService, Loading, Ready };
  // The first reads after UPower appeared: the daemon, its device list and the display device.
  struct Load {
    int answers_awaited = 3;
    bool daemon_read = false;
  };
  struct LinePower {
    bool is_line_power = false;
    std::optional<bool> online;
  };
  using ReplyHandler = std::function<void(const QDBusMessage& reply)>;

  // The snapshot, with times counted from the averaged draw and held while they hold.
  PowerStatus SteadySnapshot(linux_platform::UPowerReadings& readings);
  bool Listening() const { return phase_ == Phase::Loading || phase_ == Phase::Ready; }
  void CheckConnection();
  void ConnectToBus();
  void DropBus();
  void StopReading(Phase next);
  void Subscribe();
  void StartLoad();
  void LoadDaemon(const QDBusMessage& reply);
  void LoadDeviceList(const QDBusMessage& reply);
  void LoadDisplayDevice(const QDBusMessage& reply);
  void FinishLoadStep();
  void Forget();
  void Call(const QDBusMessage& call, ReplyHandler handler);
  void CallGetAll(const QString& path, ReplyHandler handler);
  void ApplyProperties(const QString& path, const QVariantMap& properties);
  static void ReadDevice(LinePower& device, const QVariantMap& properties);
  bool Known(const QString& path) const;
  void MarkStale(const QString& path);
  void RefreshStale();
  std::optional<bool> LinePowerOnline() const;

  QDBusConnection::BusType bus_type_;
  // Our own connection (named, not the shared one) while phase_ is not NoBus.
  QDBusConnection bus_;
  int connections_made_ = 0;
  Phase phase_ = Phase::NoBus;
  Load load_;  // the load under way while phase_ is Loading
  QDBusServiceWatcher watcher_;
  QTimer reconnect_timer_;
  QTimer retry_load_timer_;
  // Answers to calls from an earlier load or connection are dropped by this count.
  unsigned generation_ = 0;
  linux_platform::UPowerReadings readings_;
  std::map<QString, LinePower> devices_;
  UPowerBatteryFacts battery_facts_;
  // Paths whose properties were announced without values: read again, at most
  // one call per path in flight, all of them in one go per event-loop turn.
  std::set<QString> stale_;
  std::set<QString> in_flight_;
  QTimer refresh_timer_;
  linux_platform::MachineNow machine_now_ = linux_platform::ReadMachineTime;
  linux_platform::DrawAverage average_;
  linux_platform::RemainingTimeHold hold_;
  // Counts the changes of UPower's device list: the set of batteries may differ after each.
  std::uint64_t device_changes_ = 0;
};

}  // namespace norvaket::qt
