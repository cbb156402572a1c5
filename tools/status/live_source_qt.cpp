#include <QCoreApplication>
#include <QDBusConnection>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <chrono>

#include "platform/linux/sysfs_battery_facts.h"
#include "platform/linux/sysfs_power_source.h"
#include "platform/qt/upower_or_sysfs_source.h"
#include "platform/qt/upower_power_source.h"
#include "tools/status/live_source.h"

namespace norvaket::status_tool {
namespace {

const char* const kDefaultClassDir = "/sys/class/power_supply";

// The sources of the desktop program: UPower over the system bus, sysfs, or the
// choice between the two, with a Qt event loop to receive UPower's signals.
class QtLiveSource final : public LiveSource {
 public:
  QtLiveSource(const std::string& source, const std::string& class_dir)
      : application_(argc_, argv_),
        class_dir_(class_dir.empty() ? kDefaultClassDir : class_dir),
        sysfs_(class_dir_) {
    // Only a source that needs UPower talks to the system bus.
    if (source == "sysfs") return;
    upower_ = std::make_unique<qt::UPowerPowerSource>(QDBusConnection::SystemBus);
    // Past the call deadline: by then the first reads have answered or failed.
    upower_->AwaitFirstReads(qt::UPowerPowerSource::kCallDeadline + std::chrono::seconds(1));
    AwaitDeviceReads(qt::UPowerPowerSource::kCallDeadline + std::chrono::seconds(1));
    if (source == "auto") chooser_ = std::make_unique<qt::UPowerOrSysfsSource>(*upower_, sysfs_);
  }

  PowerSource& Source() override {
    if (chooser_) return *chooser_;
    if (upower_) return *upower_;
    return sysfs_;
  }
  const char* Name() const override { return ReadingUPower() ? "upower" : "sysfs"; }
  std::vector<linux_platform::BatteryFacts> Batteries() override {
    return ReadingUPower() ? upower_->Batteries() : linux_platform::ReadSysfsBatteryFacts(class_dir_);
  }
  linux_platform::DrawFigures Draws() const override {
    return ReadingUPower() ? upower_->Draws() : sysfs_.Draws();
  }
  bool Wait(std::chrono::milliseconds interval, int stop_fd) override {
    QEventLoop loop;
    bool stopped = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QSocketNotifier stop(static_cast<qintptr>(stop_fd), QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, &loop, [&] {
      stopped = true;
      loop.quit();
    });
    timer.start(interval);
    loop.exec();
    return !stopped;
  }

  bool UPowerAvailable() const { return upower_ && upower_->Available(); }
  bool SysfsReadable() const { return sysfs_.ClassFolderReadable(); }

 private:
  // The batteries' facts come with each device's own answer, asked for once the
  // first reads listed the devices; a single line must not be printed before them.
  void AwaitDeviceReads(std::chrono::milliseconds deadline) {
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(deadline);
    while (limit.isActive() && upower_->Available() && upower_->DeviceReadsPending()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  }
  bool ReadingUPower() const { return chooser_ ? chooser_->UsingUPower() : upower_ != nullptr; }

  int argc_ = 1;
  char name_[16] = "norvaket-status";
  char* argv_[2] = {name_, nullptr};
  QCoreApplication application_;
  std::string class_dir_;
  linux_platform::SysfsPowerSource sysfs_;
  std::unique_ptr<qt::UPowerPowerSource> upower_;
  std::unique_ptr<qt::UPowerOrSysfsSource> chooser_;
};

}  // namespace

std::unique_ptr<LiveSource> OpenLiveSource(const StatusOptions& options, std::string& error) {
  auto live = std::make_unique<QtLiveSource>(options.source, options.sysfs_dir);
  if (options.source == "upower" && !live->UPowerAvailable()) {
    error = "UPower (org.freedesktop.UPower) is not on the system bus or does not answer";
    return nullptr;
  }
  if (!options.sysfs_dir.empty() && !live->SysfsReadable()) {
    error = "cannot read the power-supply folder " + options.sysfs_dir;
    return nullptr;
  }
  return live;
}

}  // namespace norvaket::status_tool
