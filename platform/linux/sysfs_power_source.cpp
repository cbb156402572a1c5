#include "platform/linux/sysfs_power_source.h"

#include <fcntl.h>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace norvaket::linux_platform {
namespace {

bool IsDotEntry(const dirent& entry) {
  return std::strcmp(entry.d_name, ".") == 0 || std::strcmp(entry.d_name, "..") == 0;
}

// Supplies that say whether the machine draws outside power.
bool IsAcType(std::string_view type) {
  return type == "Mains" || type == "USB" || type.starts_with("USB_") || type == "Wireless";
}

// Charge to energy (µAh to µWh) or current to power (µA to µW).
double ScaleByVoltage(std::int64_t charge, std::int64_t microvolts) {
  return static_cast<double>(charge) * static_cast<double>(microvolts) / 1e6;
}

}  // namespace

SysfsPowerSource::SysfsPowerSource(std::string class_dir, std::chrono::milliseconds listing_interval,
                                   SteadyNow now, MachineNow machine_now)
    : class_dir_(std::move(class_dir)),
      listing_interval_(listing_interval),
      now_(std::move(now)),
      machine_now_(std::move(machine_now)) {
  Rediscover();
}

PowerStatus SysfsPowerSource::GetPowerStatus() {
  if (stale_ || (ListingDue() && !ListingUnchanged())) Rediscover();
  vanished_ = false;
  read_failed_ = false;
  readings_.clear();
  std::optional<bool> ac_online;
  for (Supply& supply : supplies_) {
    if (supply.kind == Kind::Ac) ReadAc(supply, ac_online);
    if (supply.kind == Kind::Battery) {
      if (std::optional<BatteryReading> reading = ReadBattery(supply)) readings_.push_back(*reading);
    }
  }
  // A supply that went away mid-tick is left out now and the folder looked up anew next tick.
  if (vanished_) stale_ = true;
  return SteadySnapshot(ac_online);
}

PowerStatus SysfsPowerSource::SteadySnapshot(std::optional<bool> ac_online) {
  PowerStatus status = CombineBatteryReadings(ac_online, readings_);
  const MachineTime now = machine_now_();
  const std::optional<double> rate = TotalRate(readings_);
  if (status.ACLineStatus == kACLineOffline && rate) {
    const std::uint64_t situation = lookups_ << 8 | readings_.size();
    if (average_.Add(now, situation, *rate, std::nullopt)) hold_.Forget();
    status = CombineBatteryReadings(ac_online, readings_, average_.Mean());
  } else {
    average_.Forget();
  }
  hold_.Apply(status, now.awake);
  return status;
}

DrawFigures SysfsPowerSource::Draws() const {
  const bool in_watts =
      !readings_.empty() && std::all_of(readings_.begin(), readings_.end(),
                                        [](const BatteryReading& reading) { return reading.in_energy; });
  const std::optional<double> mean = average_.Mean();
  const std::optional<double> last = average_.Last();
  if (!in_watts || !mean || !last) return {};
  return {*mean / 1e6, *last / 1e6};
}

bool SysfsPowerSource::ListingDue() {
  const auto now = now_();
  if (!read_failed_ && now - last_listing_ < listing_interval_) return false;
  last_listing_ = now;
  return true;
}

bool SysfsPowerSource::ListingUnchanged() {
  if (!dir_) return false;
  ::rewinddir(dir_.get());
  std::size_t index = 0;
  while (const dirent* entry = ::readdir(dir_.get())) {
    if (IsDotEntry(*entry)) continue;
    if (index >= supplies_.size() || supplies_[index].inode != entry->d_ino ||
        supplies_[index].name != entry->d_name) {
      return false;
    }
    ++index;
  }
  // An empty listing may be a folder that was removed and made again: open it anew.
  return index == supplies_.size() && index > 0;
}

void SysfsPowerSource::Rediscover() {
  ++lookups_;
  stale_ = false;
  last_listing_ = now_();
  supplies_.clear();
  dir_.reset(::opendir(class_dir_.c_str()));
  if (!dir_) return;
  while (const dirent* entry = ::readdir(dir_.get())) {
    if (IsDotEntry(*entry)) continue;
    supplies_.push_back(Discover(*entry));
    // A supply still being set up may show its folder before its attributes.
    if (supplies_.back().kind == Kind::Unsettled) stale_ = true;
  }
}

SysfsPowerSource::Supply SysfsPowerSource::Discover(const dirent& entry) {
  Supply supply;
  supply.name = entry.d_name;
  supply.inode = entry.d_ino;
  const UniqueFd folder(
      ::openat(::dirfd(dir_.get()), entry.d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder.Valid()) return supply;
  char buffer[64];
  const std::optional<std::string_view> type = ReadAttributeOnce(folder.Get(), "type", buffer);
  if (!type) {
    supply.kind = Kind::Unsettled;
  } else if (IsAcType(*type)) {
    supply.kind = Kind::Ac;
    supply.online = SysfsAttribute(folder.Get(), "online");
  } else if (*type == "Battery") {
    // A mouse or headset battery says scope Device; it does not power the machine.
    const std::optional<std::string_view> scope = ReadAttributeOnce(folder.Get(), "scope", buffer);
    if (scope && *scope == "Device") return supply;
    supply.kind = Kind::Battery;
    const int fd = folder.Get();
    supply.present = SysfsAttribute(fd, "present");
    supply.status = SysfsAttribute(fd, "status");
    supply.energy_now = SysfsAttribute(fd, "energy_now");
    supply.energy_full = SysfsAttribute(fd, "energy_full");
    supply.charge_now = SysfsAttribute(fd, "charge_now");
    supply.charge_full = SysfsAttribute(fd, "charge_full");
    supply.voltage_now = SysfsAttribute(fd, "voltage_now");
    supply.voltage_min_design = SysfsAttribute(fd, "voltage_min_design");
    supply.power_now = SysfsAttribute(fd, "power_now");
    supply.current_now = SysfsAttribute(fd, "current_now");
    supply.capacity = SysfsAttribute(fd, "capacity");
  }
  return supply;
}

void SysfsPowerSource::ReadAc(Supply& supply, std::optional<bool>& ac_online) {
  // USB Power Delivery ports report 2 when online with a programmable supply.
  const std::optional<std::int64_t> online = ReadCount(supply.online);
  if (!online) return;
  ac_online = ac_online.value_or(false) || *online > 0;
}

std::optional<BatteryReading> SysfsPowerSource::ReadBattery(Supply& supply) {
  const bool earlier_vanished = vanished_;
  vanished_ = false;
  std::optional<BatteryReading> reading = ReadBatteryValues(supply);
  // A battery that went away while it was read counts as gone.
  if (vanished_) reading.reset();
  vanished_ = vanished_ || earlier_vanished;
  return reading;
}

std::optional<BatteryReading> SysfsPowerSource::ReadBatteryValues(Supply& supply) {
  if (supply.present.Exists()) {
    std::int64_t present = 0;
    const ReadResult result = supply.present.ReadInteger(present);
    Note(result);
    if (result == ReadResult::Ok && present == 0) return std::nullopt;
  }
  BatteryReading reading;
  std::string_view status;
  const ReadResult status_result = supply.status.ReadText(status);
  Note(status_result);
  if (status_result == ReadResult::Ok) reading.status = ParseBatteryStatus(status);

  const std::optional<std::int64_t> voltage = ReadAmounts(supply, reading);
  if (!reading.rate && (voltage || !reading.in_energy)) {
    if (const std::optional<std::int64_t> current = ReadMagnitude(supply.current_now)) {
      reading.rate = voltage ? ScaleByVoltage(*current, *voltage) : static_cast<double>(*current);
    }
  }
  if (!reading.now || !reading.full || *reading.full <= 0) {
    const std::optional<std::int64_t> capacity = ReadCount(supply.capacity);
    if (capacity && *capacity <= 100) reading.capacity = static_cast<int>(*capacity);
  }
  return reading;
}

std::optional<std::int64_t> SysfsPowerSource::ReadAmounts(Supply& supply, BatteryReading& reading) {
  const std::optional<std::int64_t> energy_now = ReadCount(supply.energy_now);
  const std::optional<std::int64_t> energy_full = ReadCount(supply.energy_full);
  if (energy_now && energy_full) {
    reading.now = static_cast<double>(*energy_now);
    reading.full = static_cast<double>(*energy_full);
    if (const std::optional<std::int64_t> power = ReadMagnitude(supply.power_now)) {
      reading.rate = static_cast<double>(*power);
      return std::nullopt;
    }
    return ReadCount(supply.voltage_now);
  }
  if (!supply.charge_now.Exists()) return std::nullopt;
  std::optional<std::int64_t> voltage = ReadCount(supply.voltage_min_design);
  if (!voltage || *voltage == 0) voltage = ReadCount(supply.voltage_now);
  if (voltage && *voltage == 0) voltage.reset();
  reading.in_energy = voltage.has_value();
  const std::optional<std::int64_t> charge_now = ReadCount(supply.charge_now);
  const std::optional<std::int64_t> charge_full = ReadCount(supply.charge_full);
  if (charge_now && charge_full) {
    reading.now = voltage ? ScaleByVoltage(*charge_now, *voltage) : static_cast<double>(*charge_now);
    reading.full = voltage ? ScaleByVoltage(*charge_full, *voltage) : static_cast<double>(*charge_full);
  }
  return voltage;
}

void SysfsPowerSource::Note(ReadResult result) {
  if (result == ReadResult::Vanished) vanished_ = true;
  if (result == ReadResult::Failed) read_failed_ = true;
}

std::optional<std::int64_t> SysfsPowerSource::ReadCount(SysfsAttribute& attribute) {
  if (!attribute.Exists()) return std::nullopt;
  std::int64_t value = 0;
  const ReadResult result = attribute.ReadInteger(value);
  Note(result);
  if (result != ReadResult::Ok || value < 0) return std::nullopt;
  return value;
}

std::optional<std::int64_t> SysfsPowerSource::ReadMagnitude(SysfsAttribute& attribute) {
  if (!attribute.Exists()) return std::nullopt;
  std::int64_t value = 0;
  const ReadResult result = attribute.ReadInteger(value);
  Note(result);
  // The lowest 64-bit number has no positive twin.
  if (result != ReadResult::Ok || value == INT64_MIN) return std::nullopt;
  return value < 0 ? -value : value;
}

}  // namespace norvaket::linux_platform
