#pragma once

#include <dirent.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/power_source.h"
#include "platform/linux/battery_reading.h"
#include "platform/linux/draw_average.h"
#include "platform/linux/machine_time.h"
#include "platform/linux/remaining_time_hold.h"
#include "platform/linux/sysfs_attribute.h"
#include "platform/linux/unique_fd.h"

namespace norvaket::linux_platform {

// Snapshots from the kernel's power-supply class folder. The supplies are looked
// up once and their attribute files kept open, so a steady tick is one pread per
// value and nothing else. A tick re-reads the folder's listing only when
// `listing_interval` has passed since the last look (a battery plugged in shows
// up within it) or a read failed at the last tick, and looks the supplies up
// again when the listing changed or a supply vanished under a read.
class SysfsPowerSource final : public PowerSource {
 public:
  static constexpr std::chrono::milliseconds kListingInterval{10000};
  using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;

  explicit SysfsPowerSource(std::string class_dir = "/sys/class/power_supply",
                            std::chrono::milliseconds listing_interval = kListingInterval,
                            SteadyNow now = std::chrono::steady_clock::now,
                            MachineNow machine_now = ReadMachineTime);

  PowerStatus GetPowerStatus() override;
  // The averaged and the last total draw of the batteries on battery power.
  DrawFigures Draws() const;

  // Whether the class folder could be opened at the last look.
  bool ClassFolderReadable() const { return dir_ != nullptr; }

 private:
  enum class Kind { Other, Ac, Battery, Unsettled };

  struct Supply {
    std::string name;
    ino_t inode = 0;
    Kind kind = Kind::Other;
    SysfsAttribute online;
    SysfsAttribute present;
    SysfsAttribute status;
    SysfsAttribute energy_now;
    SysfsAttribute energy_full;
    SysfsAttribute charge_now;
    SysfsAttribute charge_full;
    SysfsAttribute voltage_now;
    SysfsAttribute voltage_min_design;
    SysfsAttribute power_now;
    SysfsAttribute current_now;
    SysfsAttribute capacity;
  };

  struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
  };

  // The snapshot, with times counted from the averaged draw and held while they hold.
  PowerStatus SteadySnapshot(std::optional<bool> ac_online);
  bool ListingDue();
  bool ListingUnchanged();
  void Rediscover();
  Supply Discover(const dirent& entry);
  void ReadAc(Supply& supply, std::optional<bool>& ac_online);
  std::optional<BatteryReading> ReadBattery(Supply& supply);
  std::optional<BatteryReading> ReadBatteryValues(Supply& supply);
  // Fills the battery's amounts (and the rate when power_now gives it); returns the
  // voltage that turns a current into this battery's units, when one is needed.
  std::optional<std::int64_t> ReadAmounts(Supply& supply, BatteryReading& reading);
  // Notes what a read's failure says about the listing.
  void Note(ReadResult result);
  // A value of 0 or more; a negative one, garbage or a missing file give nothing.
  std::optional<std::int64_t> ReadCount(SysfsAttribute& attribute);
  // A rate whose sign only tells the direction of flow.
  std::optional<std::int64_t> ReadMagnitude(SysfsAttribute& attribute);

  std::string class_dir_;
  std::chrono::milliseconds listing_interval_;
  SteadyNow now_;
  MachineNow machine_now_;
  DrawAverage average_;
  RemainingTimeHold hold_;
  // Counts the lookups of the supplies: the set of batteries may differ after each.
  std::uint64_t lookups_ = 0;
  std::chrono::steady_clock::time_point last_listing_;
  std::unique_ptr<DIR, DirCloser> dir_;
  std::vector<Supply> supplies_;
  std::vector<BatteryReading> readings_;
  bool stale_ = true;
  bool vanished_ = false;
  // A read failed: the set of supplies may have changed, look at the listing.
  bool read_failed_ = false;
};

}  // namespace norvaket::linux_platform
