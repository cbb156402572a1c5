// What one steady sysfs tick costs against plain reads of the same files, for
// callgrind: bench/run counts the instructions of N ticks and of 1 tick and takes
// the difference, so that start-up costs drop out.
//
//   tick_cost source CLASS_DIR TICKS           the power source, listing every tick
//   tick_cost source-cached CLASS_DIR TICKS    the power source, listing not yet due
//   tick_cost reads CLASS_DIR TICKS            pread of the files a steady tick reads
//   tick_cost naive CLASS_DIR TICKS            open, read, close and strtoll of each file
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/linux/sysfs_power_source.h"
#include "steady_tick_files.h"

namespace {

int PlainReads(const std::string& class_dir, long ticks) {
  const std::vector<int> fds = OpenSteadyTickFiles(class_dir);
  char buffer[64];
  long bytes = 0;
  for (long tick = 0; tick < ticks; ++tick) {
    for (int fd : fds) bytes += ::pread(fd, buffer, sizeof buffer, 0);
  }
  std::printf("%ld\n", bytes);
  return 0;
}

// How a simple monitor reads the files each tick: by path, with the C library's parser.
int NaiveReads(const std::string& class_dir, long ticks) {
  const std::vector<std::string> paths = SteadyTickFiles(class_dir);
  char buffer[64];
  long long sum = 0;
  for (long tick = 0; tick < ticks; ++tick) {
    for (const std::string& path : paths) {
      const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      const ssize_t length = ::read(fd, buffer, sizeof buffer - 1);
      ::close(fd);
      buffer[length > 0 ? length : 0] = '\0';
      sum += std::strtoll(buffer, nullptr, 10);
    }
  }
  std::printf("%lld\n", sum);
  return 0;
}

int SourceTicks(const std::string& class_dir, long ticks, std::chrono::milliseconds listing) {
  norvaket::linux_platform::SysfsPowerSource source(class_dir, listing);
  long sum = 0;
  for (long tick = 0; tick < ticks; ++tick) sum += source.GetPowerStatus().BatteryLifePercent;
  std::printf("%ld\n", sum);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: tick_cost source|source-cached|reads|naive CLASS_DIR TICKS\n");
    return 2;
  }
  const std::string mode = argv[1];
  const long ticks = std::strtol(argv[3], nullptr, 10);
  if (mode == "reads") return PlainReads(argv[2], ticks);
  if (mode == "naive") return NaiveReads(argv[2], ticks);
  if (mode == "source") return SourceTicks(argv[2], ticks, std::chrono::milliseconds(0));
  if (mode == "source-cached") return SourceTicks(argv[2], ticks, std::chrono::hours(1));
  return 2;
}
