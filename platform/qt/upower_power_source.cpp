#include "platform/qt/upower_power_source.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
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
// The reads happen on the user-interface thread: a hung daemon must not freeze it for long.
constexpr int kCallTimeoutMs = 5000;

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

}  // namespace

UPowerPowerSource::UPowerPowerSource(QDBusConnection bus, QObject* parent)
    : QObject(parent),
      bus_(std::move(bus)),
      watcher_(kService, bus_,
               QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration) {
  connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this, &UPowerPowerSource::OnServiceRegistered);
  connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
          &UPowerPowerSource::OnServiceUnregistered);
  // Subscribed before the first reads so that no change falls between the two.
  bus_.connect(kService, QString(), kPropertiesInterface, QStringLiteral("PropertiesChanged"), this,
               SLOT(OnPropertiesChanged(QDBusMessage)));
  bus_.connect(kService, kDaemonPath, kDaemonInterface, QStringLiteral("DeviceAdded"), this,
               SLOT(OnDeviceAdded(QDBusObjectPath)));
  bus_.connect(kService, kDaemonPath, kDaemonInterface, QStringLiteral("DeviceRemoved"), this,
               SLOT(OnDeviceRemoved(QDBusObjectPath)));
  const QDBusConnectionInterface* bus_interface = bus_.isConnected() ? bus_.interface() : nullptr;
  if (bus_interface != nullptr && bus_interface->isServiceRegistered(kService)) OnServiceRegistered();
}

PowerStatus UPowerPowerSource::GetPowerStatus() {
  if (load_pending_) OnServiceRegistered();
  if (!available_) return linux_platform::UnknownPowerStatus();
  linux_platform::UPowerReadings readings = readings_;
  readings.line_power_online = LinePowerOnline();
  return linux_platform::UPowerSnapshot(readings);
}

void UPowerPowerSource::OnServiceRegistered() {
  const bool loaded = Load();
  load_pending_ = !loaded;
  SetAvailable(loaded);
}

void UPowerPowerSource::OnServiceUnregistered() {
  load_pending_ = false;
  SetAvailable(false);
}

void UPowerPowerSource::SetAvailable(bool available) {
  if (!available) {
    readings_ = {};
    devices_.clear();
  }
  if (available == available_) return;
  available_ = available;
  emit AvailabilityChanged(available);
}

bool UPowerPowerSource::Load() {
  readings_ = {};
  devices_.clear();
  const std::optional<QVariantMap> daemon = GetAll(kDaemonPath, kDaemonInterface);
  if (!daemon) return false;
  ApplyDaemonProperties(*daemon);
  const QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kDaemonPath, kDaemonInterface, QStringLiteral("EnumerateDevices"));
  const QDBusReply<QList<QDBusObjectPath>> devices = bus_.call(call, QDBus::Block, kCallTimeoutMs);
  if (devices.isValid()) {
    for (const QDBusObjectPath& path : devices.value()) LoadDevice(path.path());
  }
  LoadDevice(kDisplayPath);
  return true;
}

std::optional<QVariantMap> UPowerPowerSource::GetAll(const QString& path, const QString& interface) const {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, path, kPropertiesInterface, QStringLiteral("GetAll"));
  call << interface;
  const QDBusReply<QVariantMap> reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
  if (!reply.isValid()) return std::nullopt;
  return reply.value();
}

void UPowerPowerSource::LoadDevice(const QString& path) {
  if (const std::optional<QVariantMap> properties = GetAll(path, kDeviceInterface)) {
    ApplyDeviceProperties(path, *properties);
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
    return;
  }
  LinePower& device = devices_[path];
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

void UPowerPowerSource::OnPropertiesChanged(const QDBusMessage& message) {
  if (!available_) return;
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() < 2) return;
  const QString interface = arguments[0].toString();
  const QVariantMap changed = qdbus_cast<QVariantMap>(arguments[1]);
  const QString path = message.path();
  if (interface == kDaemonInterface && path == kDaemonPath) {
    ApplyDaemonProperties(changed);
  } else if (interface == kDeviceInterface) {
    ApplyDeviceProperties(path, changed);
  } else {
    return;
  }
  // Properties announced without their values are read again (UPower itself never does this).
  const QStringList invalidated =
      arguments.size() > 2 ? qdbus_cast<QStringList>(arguments[2]) : QStringList();
  if (invalidated.isEmpty()) return;
  if (const std::optional<QVariantMap> properties = GetAll(path, interface)) {
    if (interface == kDaemonInterface) {
      ApplyDaemonProperties(*properties);
    } else {
      ApplyDeviceProperties(path, *properties);
    }
  }
}

void UPowerPowerSource::OnDeviceAdded(const QDBusObjectPath& path) {
  if (available_) LoadDevice(path.path());
}

void UPowerPowerSource::OnDeviceRemoved(const QDBusObjectPath& path) { devices_.erase(path.path()); }

}  // namespace norvaket::qt
