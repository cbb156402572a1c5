#include "platform/qt/upower_power_source.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QList>
#include <QStringList>

namespace norvaket::qt {
namespace {

const QString kService = QStringLiteral("org.freedesktop.UPower");
const QString kDaemonPath = QStringLiteral("/org/freedesktop/UPower");
const QString kDaemonInterface = QStringLiteral("org.freedesktop.UPower");
const QString kDeviceInterface = QStringLiteral("org.freedesktop.UPower.Device");
const QString kDisplayPath = QStringLiteral("/org/freedesktop/UPower/devices/DisplayDevice");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
// A daemon that holds its name but did not answer is asked again after this.
constexpr std::chrono::milliseconds kRetryLoadInterval{2000};
// Dialling a bus that is not there fails at once, so trying this often costs nothing.
// A bus that comes back (a restart) is found within seconds; one that stays away
// costs a wake-up at most once a minute.
constexpr std::chrono::milliseconds kReconnectInterval{3000};
constexpr std::chrono::milliseconds kLongestReconnectInterval{60000};

std::optional<bool> ToBool(const QVariant& value) {
  if (value.metaType().id() != QMetaType::Bool) return std::nullopt;
  return value.toBool();
}

std::optional<std::uint32_t> ToUInt(const QVariant& value) {
  bool ok = false;
  const uint number = value.toUInt(&ok);
  if (!ok) return std::nullopt;
  return number;
}

std::optional<std::int64_t> ToInt64(const QVariant& value) {
  bool ok = false;
  const qlonglong number = value.toLongLong(&ok);
  if (!ok) return std::nullopt;
  return number;
}

std::optional<double> ToDouble(const QVariant& value) {
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (!ok) return std::nullopt;
  return number;
}

// Sets `field` when `properties` holds `name`; a value of the wrong type forgets the old one.
template <typename T, typename Convert>
void Update(std::optional<T>& field, const QVariantMap& properties, const char* name, Convert convert) {
  const auto found = properties.constFind(QLatin1String(name));
  if (found != properties.constEnd()) field = convert(*found);
}

bool IsReply(const QDBusMessage& message) { return message.type() == QDBusMessage::ReplyMessage; }

QVariantMap PropertiesOf(const QDBusMessage& reply) {
  const QList<QVariant> arguments = reply.arguments();
  return arguments.isEmpty() ? QVariantMap() : qdbus_cast<QVariantMap>(arguments[0]);
}

QString ObjectPathArgument(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  return arguments.isEmpty() ? QString() : qvariant_cast<QDBusObjectPath>(arguments[0]).path();
}

// An error that says UPower is simply not there: its arrival will be announced.
bool MeansAbsent(const QDBusMessage& reply) {
  const QDBusError::ErrorType error = QDBusError(reply).type();
  return error == QDBusError::ServiceUnknown ||
         error == QDBusError::Disconnected;
}

// The interface of the properties an object carries: the daemon's, or a device's.
const QString& InterfaceAt(const QString& path) {
  return path == kDaemonPath ? kDaemonInterface : kDeviceInterface;
}

bool TimedOut(const QDBusMessage& reply) {
  const QDBusError::ErrorType error = QDBusError(reply).type();
  return error == QDBusError::NoReply || error == QDBusError::Timeout;
}

}  // namespace

UPowerPowerSource::UPowerPowerSource(QDBusConnection::BusType bus_type, QObject* parent)
    : QObject(parent), bus_type_(bus_type), bus_(QString()) {
  watcher_.setWatchedServices({kService});
  watcher_.setWatchMode(QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration);
  connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this, &UPowerPowerSource::StartLoad);
  connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
          &UPowerPowerSource::OnServiceUnregistered);
  reconnect_timer_.setSingleShot(true);
  reconnect_timer_.setInterval(kReconnectInterval);
  connect(&reconnect_timer_, &QTimer::timeout, this, &UPowerPowerSource::ConnectToBus);
  retry_load_timer_.setSingleShot(true);
  retry_load_timer_.setInterval(kRetryLoadInterval);
  connect(&retry_load_timer_, &QTimer::timeout, this, &UPowerPowerSource::StartLoad);
  ConnectToBus();
}

UPowerPowerSource::~UPowerPowerSource() {
  if (!connection_name_.isEmpty()) QDBusConnection::disconnectFromBus(connection_name_);
}

PowerStatus UPowerPowerSource::GetPowerStatus() {
  CheckConnection();
  if (!available_) {
    average_.Forget();
    return linux_platform::UnknownPowerStatus();
  }
  linux_platform::UPowerReadings readings = readings_;
  readings.line_power_online = LinePowerOnline();
  return SteadySnapshot(readings);
}

// UPower's TimeToEmpty follows the draw its last refresh saw; a draw that
// varies is averaged instead, above all from the fall of Energy.
PowerStatus UPowerPowerSource::SteadySnapshot(linux_platform::UPowerReadings& readings) {
  PowerStatus status = linux_platform::UPowerSnapshot(readings);
  const linux_platform::MachineTime now = machine_now_();
  const std::optional<double>& rate = readings.display.energy_rate;
  if (status.ACLineStatus == kACLineOffline && rate && *rate > 0) {
    if (average_.Add(now, device_changes_, *rate, readings.display.energy)) hold_.Forget();
    const std::optional<double> mean = average_.Mean();
    if (!average_.Steady() && mean && *mean > 0) {
      readings.mean_draw = mean;
      status = linux_platform::UPowerSnapshot(readings);
    }
  } else {
    average_.Forget();
  }
  hold_.Apply(status, now.awake);
  return status;
}

void UPowerPowerSource::CheckConnection() {
  if (!connection_name_.isEmpty() && !bus_.isConnected()) OnBusDisconnected();
}

void UPowerPowerSource::AwaitFirstReads(std::chrono::milliseconds deadline) {
  if (!Loading()) return;
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  connect(this, &UPowerPowerSource::ReadsSettled, &loop, &QEventLoop::quit);
  timer.start(deadline);
  loop.exec();
}

// A connection of our own (not the shared one), so that a lost bus can be dialled again.
void UPowerPowerSource::ConnectToBus() {
  connection_name_ = QStringLiteral("norvaket-upower-%1-%2")
                         .arg(reinterpret_cast<quintptr>(this), 0, 16)
                         .arg(++connections_made_);
  bus_ = QDBusConnection::connectToBus(bus_type_, connection_name_);
  if (!bus_.isConnected()) {
    DropBus();
    reconnect_timer_.start(std::min(reconnect_timer_.intervalAsDuration() * 2, kLongestReconnectInterval));
    return;
  }
  reconnect_timer_.stop();
  reconnect_timer_.setInterval(kReconnectInterval);
  Subscribe();
  watcher_.setConnection(bus_);
  StartLoad();
}

// UPower goes with its bus.
void UPowerPowerSource::DropBus() {
  if (!connection_name_.isEmpty()) QDBusConnection::disconnectFromBus(connection_name_);
  connection_name_.clear();
  bus_ = QDBusConnection(QString());
  OnServiceUnregistered();
}

// Subscribed before the first reads so that no change falls between the two.
void UPowerPowerSource::Subscribe() {
  bus_.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"), QStringLiteral("org.freedesktop.DBus.Local"),
               QStringLiteral("Disconnected"), this, SLOT(OnBusDisconnected()));
  bus_.connect(kService, QString(), kPropertiesInterface, QStringLiteral("PropertiesChanged"), this,
               SLOT(OnPropertiesChanged(QDBusMessage)));
  bus_.connect(kService, kDaemonPath, kDaemonInterface, QStringLiteral("DeviceAdded"), this,
               SLOT(OnDeviceAdded(QDBusMessage)));
  bus_.connect(kService, kDaemonPath, kDaemonInterface, QStringLiteral("DeviceRemoved"), this,
               SLOT(OnDeviceRemoved(QDBusMessage)));
}

void UPowerPowerSource::OnBusDisconnected() {
  if (connection_name_.isEmpty()) return;
  DropBus();
  reconnect_timer_.start(kReconnectInterval);
}

void UPowerPowerSource::OnServiceUnregistered() {
  const bool was_loading = Loading();
  ++generation_;
  load_steps_left_ = 0;
  retry_load_timer_.stop();
  SetAvailable(false);
  if (was_loading) emit ReadsSettled();
}

// The daemon, its device list and the display device are asked at once; UPower is
// used when the daemon and the display device have both answered (or failed).
void UPowerPowerSource::StartLoad() {
  ++generation_;
  ++device_changes_;
  Forget();
  daemon_read_ = false;
  load_steps_left_ = 3;
  retry_load_timer_.stop();
  CallGetAll(kDaemonPath, [this](const QDBusMessage& reply) {
    if (IsReply(reply)) {
      ApplyDaemonProperties(PropertiesOf(reply));
      daemon_read_ = true;
    } else if (!MeansAbsent(reply)) {
      retry_load_timer_.start();
    }
    FinishLoadStep();
  });
  Call(QDBusMessage::createMethodCall(kService, kDaemonPath, kDaemonInterface, QStringLiteral("EnumerateDevices")),
       [this](const QDBusMessage& reply) {
         if (IsReply(reply) && !reply.arguments().isEmpty()) {
           for (const QDBusObjectPath& path : qdbus_cast<QList<QDBusObjectPath>>(reply.arguments()[0])) {
             devices_.try_emplace(path.path());
             MarkStale(path.path());
           }
         }
         FinishLoadStep();
       });
  CallGetAll(kDisplayPath, [this](const QDBusMessage& reply) {
    if (IsReply(reply)) ApplyDeviceProperties(kDisplayPath, PropertiesOf(reply));
    FinishLoadStep();
  });
}

void UPowerPowerSource::FinishLoadStep() {
  if (--load_steps_left_ > 0) return;
  SetAvailable(daemon_read_);
  emit ReadsSettled();
}

void UPowerPowerSource::SetAvailable(bool available) {
  if (!available) Forget();
  if (available == available_) return;
  available_ = available;
  emit AvailabilityChanged(available);
}

void UPowerPowerSource::Forget() {
  readings_ = {};
  devices_.clear();
  stale_.clear();
  in_flight_.clear();
}

void UPowerPowerSource::Call(const QDBusMessage& call, ReplyHandler handler) {
  const int deadline_ms = static_cast<int>(kCallDeadline.count());
  auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(call, deadline_ms), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this,
          [this, generation = generation_, handler = std::move(handler)](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            if (generation == generation_) handler(finished->reply());
          });
}

void UPowerPowerSource::CallGetAll(const QString& path, ReplyHandler handler) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, path, kPropertiesInterface, QStringLiteral("GetAll"));
  call << InterfaceAt(path);
  Call(call, std::move(handler));
}

void UPowerPowerSource::ApplyProperties(const QString& path, const QVariantMap& properties) {
  if (path == kDaemonPath) {
    ApplyDaemonProperties(properties);
  } else {
    ApplyDeviceProperties(path, properties);
  }
}

void UPowerPowerSource::ApplyDaemonProperties(const QVariantMap& properties) {
  Update(readings_.on_battery, properties, "OnBattery", ToBool);
}

void UPowerPowerSource::ApplyDeviceProperties(const QString& path, const QVariantMap& properties) {
  if (path == kDisplayPath) {
    linux_platform::UPowerDisplayDevice& display = readings_.display;
    Update(display.is_present, properties, "IsPresent", ToBool);
    Update(display.state, properties, "State", ToUInt);
    Update(display.percentage, properties, "Percentage", ToDouble);
    Update(display.time_to_empty, properties, "TimeToEmpty", ToInt64);
    Update(display.energy_full, properties, "EnergyFull", ToDouble);
    Update(display.energy_rate, properties, "EnergyRate", ToDouble);
    Update(display.energy, properties, "Energy", ToDouble);
    return;
  }
  const auto found = devices_.find(path);
  if (found == devices_.end()) return;
  LinePower& device = found->second;
  std::optional<std::uint32_t> type;
  Update(type, properties, "Type", ToUInt);
  if (type) device.is_line_power = *type == linux_platform::kUPowerTypeLinePower;
  Update(device.online, properties, "Online", ToBool);
}

std::optional<bool> UPowerPowerSource::LinePowerOnline() const {
  std::optional<bool> online;
  for (const auto& [path, device] : devices_) {
    if (!device.is_line_power || !device.online) continue;
    online = online.value_or(false) || *device.online;
  }
  return online;
}

// Only the daemon, the display device and devices UPower listed or added are kept,
// so what a flood of signals can make us hold is bounded by UPower's own devices.
bool UPowerPowerSource::Known(const QString& path) const {
  return path == kDaemonPath || path == kDisplayPath || devices_.count(path) != 0;
}

void UPowerPowerSource::OnPropertiesChanged(const QDBusMessage& message) {
  if (!available_ && !Loading()) return;
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() < 2) return;
  const QString path = message.path();
  if (arguments[0].toString() != InterfaceAt(path) || !Known(path)) return;
  ApplyProperties(path, qdbus_cast<QVariantMap>(arguments[1]));
  // Properties announced without their values are read again (UPower itself never does this).
  if (arguments.size() > 2 && !qdbus_cast<QStringList>(arguments[2]).isEmpty()) MarkStale(path);
}

void UPowerPowerSource::OnDeviceAdded(const QDBusMessage& message) {
  if (!available_ && !Loading()) return;
  const QString path = ObjectPathArgument(message);
  if (path.isEmpty() || path == kDisplayPath) return;
  ++device_changes_;
  devices_.try_emplace(path);
  MarkStale(path);
}

void UPowerPowerSource::OnDeviceRemoved(const QDBusMessage& message) {
  const QString path = ObjectPathArgument(message);
  if (devices_.erase(path) != 0) ++device_changes_;
  stale_.erase(path);
}

void UPowerPowerSource::MarkStale(const QString& path) {
  stale_.insert(path);
  if (refresh_posted_) return;
  refresh_posted_ = true;
  QTimer::singleShot(0, this, &UPowerPowerSource::RefreshStale);
}

void UPowerPowerSource::RefreshStale() {
  refresh_posted_ = false;
  for (auto it = stale_.begin(); it != stale_.end();) {
    const QString path = *it;
    if (in_flight_.count(path) != 0) {
      ++it;  // read again when the call in flight is answered
      continue;
    }
    it = stale_.erase(it);
    in_flight_.insert(path);
    CallGetAll(path, [this, path](const QDBusMessage& reply) {
      in_flight_.erase(path);
      if (IsReply(reply)) ApplyProperties(path, PropertiesOf(reply));
      // A daemon that did not answer in time is asked again, still one call at a time.
      if (stale_.count(path) != 0 || (TimedOut(reply) && Known(path))) MarkStale(path);
    });
  }
}

}  // namespace norvaket::qt
