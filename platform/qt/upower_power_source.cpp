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

// A number as QVariant's own conversions make it; nothing when the value has none.
template <typename Number>
std::optional<Number> ToNumber(const QVariant& value) {
  Number number{};
  if (!QMetaType::convert(value.metaType(), value.constData(), QMetaType::fromType<Number>(), &number)) {
    return std::nullopt;
  }
  return number;
}

// Sets `field` when `properties` holds `name`; a value of the wrong type forgets the old one.
template <typename T, typename Convert>
void Update(std::optional<T>& field, const QVariantMap& properties, const char* name, Convert convert) {
  const auto found = properties.constFind(QLatin1String(name));
  if (found != properties.constEnd()) field = convert(*found);
}

// The properties read from each kind of object, and the fields they go to.
void ReadDaemon(linux_platform::UPowerReadings& readings, const QVariantMap& properties) {
  Update(readings.on_battery, properties, "OnBattery", ToBool);
}

void ReadDisplayDevice(linux_platform::UPowerDisplayDevice& display, const QVariantMap& properties) {
  Update(display.is_present, properties, "IsPresent", ToBool);
  Update(display.state, properties, "State", ToNumber<uint>);
  Update(display.percentage, properties, "Percentage", ToNumber<double>);
  Update(display.time_to_empty, properties, "TimeToEmpty", ToNumber<qlonglong>);
  Update(display.energy_full, properties, "EnergyFull", ToNumber<double>);
  Update(display.energy_rate, properties, "EnergyRate", ToNumber<double>);
  Update(display.energy, properties, "Energy", ToNumber<double>);
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
  refresh_timer_.setSingleShot(true);
  refresh_timer_.setInterval(0);
  connect(&refresh_timer_, &QTimer::timeout, this, &UPowerPowerSource::RefreshStale);
  ConnectToBus();
}

UPowerPowerSource::~UPowerPowerSource() {
  if (phase_ != Phase::NoBus) QDBusConnection::disconnectFromBus(bus_.name());
}

PowerStatus UPowerPowerSource::GetPowerStatus() {
  CheckConnection();
  if (phase_ != Phase::Ready) {
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
  if (phase_ != Phase::NoBus && !bus_.isConnected()) OnBusDisconnected();
}

void UPowerPowerSource::AwaitFirstReads(std::chrono::milliseconds deadline) {
  if (phase_ != Phase::Loading) return;
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
  const QString name = QStringLiteral("norvaket-upower-%1-%2")
                           .arg(reinterpret_cast<quintptr>(this), 0, 16)
                           .arg(++connections_made_);
  bus_ = QDBusConnection::connectToBus(bus_type_, name);
  if (!bus_.isConnected()) {
    DropBus();
    reconnect_timer_.start(std::min(reconnect_timer_.intervalAsDuration() * 2, kLongestReconnectInterval));
    return;
  }
  reconnect_timer_.stop();
  reconnect_timer_.setInterval(kReconnectInterval);
  phase_ = Phase::NoService;
  Subscribe();
  watcher_.setConnection(bus_);
  StartLoad();
}

// UPower goes with its bus. A connection that failed is still registered under its name.
void UPowerPowerSource::DropBus() {
  QDBusConnection::disconnectFromBus(bus_.name());
  bus_ = QDBusConnection(QString());
  StopReading(Phase::NoBus);
}

void UPowerPowerSource::StopReading(Phase next) {
  const bool was_loading = phase_ == Phase::Loading;
  phase_ = next;
  ++generation_;
  retry_load_timer_.stop();
  Forget();
  if (was_loading) emit ReadsSettled();
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
  if (phase_ == Phase::NoBus) return;
  DropBus();
  reconnect_timer_.start(kReconnectInterval);
}

void UPowerPowerSource::OnServiceUnregistered() {
  if (phase_ != Phase::NoBus) StopReading(Phase::NoService);
}

// The daemon, its device list and the display device are asked at once; UPower is
// used when the daemon and the display device have both answered (or failed).
void UPowerPowerSource::StartLoad() {
  if (phase_ == Phase::NoBus) return;
  ++generation_;
  ++device_changes_;
  Forget();
  phase_ = Phase::Loading;
  load_ = {};
  retry_load_timer_.stop();
  CallGetAll(kDaemonPath, [this](const QDBusMessage& reply) { LoadDaemon(reply); });
  Call(QDBusMessage::createMethodCall(kService, kDaemonPath, kDaemonInterface, QStringLiteral("EnumerateDevices")),
       [this](const QDBusMessage& reply) { LoadDeviceList(reply); });
  CallGetAll(kDisplayPath, [this](const QDBusMessage& reply) { LoadDisplayDevice(reply); });
}

void UPowerPowerSource::LoadDaemon(const QDBusMessage& reply) {
  if (IsReply(reply)) {
    ApplyProperties(kDaemonPath, PropertiesOf(reply));
    load_.daemon_read = true;
  } else if (!MeansAbsent(reply)) {
    retry_load_timer_.start();
  }
  FinishLoadStep();
}

void UPowerPowerSource::LoadDeviceList(const QDBusMessage& reply) {
  if (IsReply(reply) && !reply.arguments().isEmpty()) {
    for (const QDBusObjectPath& path : qdbus_cast<QList<QDBusObjectPath>>(reply.arguments()[0])) {
      devices_.try_emplace(path.path());
      MarkStale(path.path());
    }
  }
  FinishLoadStep();
}

void UPowerPowerSource::LoadDisplayDevice(const QDBusMessage& reply) {
  if (IsReply(reply)) ApplyProperties(kDisplayPath, PropertiesOf(reply));
  FinishLoadStep();
}

void UPowerPowerSource::FinishLoadStep() {
  if (--load_.answers_awaited > 0) return;
  phase_ = load_.daemon_read ? Phase::Ready : Phase::NoService;
  if (phase_ != Phase::Ready) Forget();
  emit ReadsSettled();
}

void UPowerPowerSource::Forget() {
  readings_ = {};
  devices_.clear();
  battery_facts_.Clear();
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

// Every answer and every change goes through here, to the record of the object it describes.
void UPowerPowerSource::ApplyProperties(const QString& path, const QVariantMap& properties) {
  if (path == kDaemonPath) {
    ReadDaemon(readings_, properties);
  } else if (path == kDisplayPath) {
    ReadDisplayDevice(readings_.display, properties);
  } else if (const auto found = devices_.find(path); found != devices_.end()) {
    ReadDevice(found->second, properties);
    battery_facts_.Apply(path, properties);
  }
}

void UPowerPowerSource::ReadDevice(LinePower& device, const QVariantMap& properties) {
  std::optional<std::uint32_t> type;
  Update(type, properties, "Type", ToNumber<uint>);
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
  if (!Listening()) return;
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() < 2) return;
  const QString path = message.path();
  if (arguments[0].toString() != InterfaceAt(path) || !Known(path)) return;
  ApplyProperties(path, qdbus_cast<QVariantMap>(arguments[1]));
  // Properties announced without their values are read again (UPower itself never does this).
  if (arguments.size() > 2 && !qdbus_cast<QStringList>(arguments[2]).isEmpty()) MarkStale(path);
}

void UPowerPowerSource::OnDeviceAdded(const QDBusMessage& message) {
  if (!Listening()) return;
  const QString path = ObjectPathArgument(message);
  if (path.isEmpty() || path == kDisplayPath) return;
  ++device_changes_;
  devices_.try_emplace(path);
  MarkStale(path);
}

void UPowerPowerSource::OnDeviceRemoved(const QDBusMessage& message) {
  const QString path = ObjectPathArgument(message);
  if (devices_.erase(path) != 0) ++device_changes_;
  battery_facts_.Remove(path);
  stale_.erase(path);
}

// One refresh per event-loop turn, however many paths went stale in it.
void UPowerPowerSource::MarkStale(const QString& path) {
  stale_.insert(path);
  if (!refresh_timer_.isActive()) refresh_timer_.start();
}

void UPowerPowerSource::RefreshStale() {
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
