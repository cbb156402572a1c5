// The sysfs attribute readers: any bytes in any attribute file of a two-battery
// tree with a mains supply. Numbers parse only when they are whole decimal
// numbers that fit, and whatever the files hold the snapshot and the batteries'
// facts stay in range.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/power_status.h"
#include "fuzz/fuzz_input.h"
#include "platform/linux/battery_reading.h"
#include "platform/linux/sysfs_attribute.h"
#include "platform/linux/sysfs_battery_facts.h"
#include "platform/linux/sysfs_power_source.h"

namespace {

using namespace norvaket;
using namespace norvaket::linux_platform;
namespace fs = std::filesystem;

constexpr const char* kBatteryAttributes[] = {
    "present",     "status",      "energy_now",         "energy_full", "charge_now",
    "charge_full", "voltage_now", "voltage_min_design", "power_now",   "current_now",
    "capacity"};
constexpr std::size_t kBatteryFields = std::size(kBatteryAttributes);
// The facts' own files come after the readings', so that older seeds keep their meaning.
constexpr const char* kFactAttributes[] = {
    "energy_full_design", "charge_full_design", "cycle_count", "technology", "charge_control_start_threshold",
    "charge_control_end_threshold", "charge_start_threshold", "charge_stop_threshold"};
constexpr std::size_t kFactFields = std::size(kFactAttributes);
constexpr std::size_t kFields = 1 + 2 * kBatteryFields + 2 * kFactFields;

// One tree for the whole run; each input rewrites its files.
class Tree {
 public:
  Tree() {
    // tmpfs where there is one: a disk file system flushes each truncated file.
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "norvaket-fuzz-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    for (const char* supply : {"AC", "BAT0", "BAT1"}) fs::create_directories(root_ / supply);
    Write("AC", "type", "Mains\n");
    Write("BAT0", "type", "Battery\n");
    Write("BAT1", "type", "Battery\n");
  }
  ~Tree() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  void Write(const char* supply, const char* name, std::string_view value) {
    std::ofstream(root_ / supply / name, std::ios::binary | std::ios::trunc)
        .write(value.data(), static_cast<std::streamsize>(value.size()));
  }
  std::string ClassDir() const { return root_.string(); }

 private:
  fs::path root_;
};

// The integer parser against strtoll on the same digits.
void CheckParseInteger(std::string_view text) {
  const std::optional<std::int64_t> parsed = ParseInteger(text);
  const bool decimal = !text.empty() &&
                       text.find_first_not_of("0123456789", text.front() == '-' ? 1 : 0) == text.npos &&
                       text != "-";
  if (!decimal) {
    NORVAKET_FUZZ_CHECK(!parsed);
    return;
  }
  const std::string copy(text);
  errno = 0;
  const long long expected = std::strtoll(copy.c_str(), nullptr, 10);
  if (errno == ERANGE) {
    NORVAKET_FUZZ_CHECK(!parsed);
  } else {
    NORVAKET_FUZZ_CHECK(parsed && *parsed == expected);
  }
}

void CheckSnapshot(const PowerStatus& status) {
  NORVAKET_FUZZ_CHECK(status.ACLineStatus == kACLineOffline || status.ACLineStatus == kACLineOnline ||
                      status.ACLineStatus == kACLineUnknown);
  NORVAKET_FUZZ_CHECK(status.BatteryLifePercent <= 100 || status.BatteryLifePercent == 255);
  NORVAKET_FUZZ_CHECK(status.BatteryLifeTime >= -1 && status.BatteryFullLifeTime >= -1);
  // A time is only known on battery power.
  NORVAKET_FUZZ_CHECK(status.BatteryLifeTime == -1 || status.ACLineStatus == kACLineOffline);
}

bool NoneOrPositive(std::optional<double> amount) { return !amount || (std::isfinite(*amount) && *amount > 0); }

bool NoneOrPercent(std::optional<int> threshold) { return !threshold || (*threshold >= 0 && *threshold <= 100); }

void CheckFacts(const std::vector<BatteryFacts>& batteries) {
  for (const BatteryFacts& battery : batteries) {
    NORVAKET_FUZZ_CHECK(NoneOrPositive(battery.design_wh) && NoneOrPositive(battery.full_wh) &&
                        NoneOrPositive(battery.health_percent) && battery.cycle_count.value_or(1) > 0);
    NORVAKET_FUZZ_CHECK(NoneOrPercent(battery.charge_start_threshold) && NoneOrPercent(battery.charge_end_threshold));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Tree tree;
  const auto fields = fuzz::SplitFields(fuzz::AsText(data, size), '\x01', kFields);
  for (const std::string_view field : fields) CheckParseInteger(field);
  ParseBatteryStatus(fields[0]);

  tree.Write("AC", "online", fields[0]);
  for (std::size_t i = 0; i < kBatteryFields; ++i) {
    tree.Write("BAT0", kBatteryAttributes[i], fields[1 + i]);
    tree.Write("BAT1", kBatteryAttributes[i], fields[1 + kBatteryFields + i]);
  }
  for (std::size_t i = 0; i < kFactFields; ++i) {
    tree.Write("BAT0", kFactAttributes[i], fields[1 + 2 * kBatteryFields + i]);
    tree.Write("BAT1", kFactAttributes[i], fields[1 + 2 * kBatteryFields + kFactFields + i]);
  }

  // One attribute read directly: the text is the file minus trailing white space,
  // and a file that fills the reader's buffer is not a value.
  const int folder = ::open((tree.ClassDir() + "/BAT0").c_str(), O_RDONLY | O_DIRECTORY);
  SysfsAttribute attribute(folder, "status");
  std::string_view text;
  const ReadResult result = attribute.ReadText(text);
  if (fields[2].size() >= 64) {
    NORVAKET_FUZZ_CHECK(result == ReadResult::Unreadable);
  } else {
    NORVAKET_FUZZ_CHECK(result == ReadResult::Ok && fields[2].starts_with(text) &&
                        fields[2].substr(text.size()).find_first_not_of(" \t\r\n") == text.npos);
  }
  ::close(folder);

  SysfsPowerSource source(tree.ClassDir());
  CheckSnapshot(source.GetPowerStatus());
  CheckSnapshot(source.GetPowerStatus());
  CheckFacts(ReadSysfsBatteryFacts(tree.ClassDir()));
  return 0;
}
