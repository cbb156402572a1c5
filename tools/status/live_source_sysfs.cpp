#include <poll.h>

#include <cerrno>

#include "platform/linux/sysfs_battery_facts.h"
#include "platform/linux/sysfs_power_source.h"
#include "tools/status/live_source.h"

namespace norvaket::status_tool {
namespace {

// Builds without Qt read the kernel's power-supply folder only.
class SysfsLiveSource final : public LiveSource {
 public:
  explicit SysfsLiveSource(std::string class_dir) : class_dir_(std::move(class_dir)), source_(class_dir_) {}

  PowerSource& Source() override { return source_; }
  const char* Name() const override { return "sysfs"; }
  linux_platform::DrawFigures Draws() const override { return source_.Draws(); }
  std::vector<linux_platform::BatteryFacts> Batteries() override {
    return linux_platform::ReadSysfsBatteryFacts(class_dir_);
  }
  bool Wait(std::chrono::milliseconds interval, int stop_fd) override {
    pollfd stop{stop_fd, POLLIN, 0};
    int ready;
    do {
      ready = ::poll(&stop, 1, static_cast<int>(interval.count()));
    } while (ready < 0 && errno == EINTR);
    return ready == 0;
  }
  bool Readable() const { return source_.ClassFolderReadable(); }

 private:
  std::string class_dir_;
  linux_platform::SysfsPowerSource source_;
};

}  // namespace

std::unique_ptr<LiveSource> OpenLiveSource(const StatusOptions& options, std::string& error) {
  if (options.source == "upower") {
    error = "this build reads sysfs only (built without Qt D-Bus); use --source sysfs";
    return nullptr;
  }
  if (options.sysfs_dir.empty()) return std::make_unique<SysfsLiveSource>("/sys/class/power_supply");
  auto source = std::make_unique<SysfsLiveSource>(options.sysfs_dir);
  if (!source->Readable()) {
    error = "cannot read the power-supply folder " + options.sysfs_dir;
    return nullptr;
  }
  return source;
}

}  // namespace norvaket::status_tool
