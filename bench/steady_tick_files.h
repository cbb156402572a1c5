#pragma once

#include <fcntl.h>

#include <string>
#include <vector>

// The 11 files the program's sysfs source reads on a steady tick of the bench's
// two-battery tree: what a reader that does nothing else would read.
inline std::vector<std::string> SteadyTickFiles(const std::string& class_dir) {
  std::vector<std::string> paths{class_dir + "/AC/online"};
  for (const char* battery : {"BAT0", "BAT1"}) {
    for (const char* name : {"present", "status", "energy_now", "energy_full", "power_now"}) {
      paths.push_back(class_dir + "/" + battery + "/" + name);
    }
  }
  return paths;
}

inline std::vector<int> OpenSteadyTickFiles(const std::string& class_dir) {
  std::vector<int> fds;
  for (const std::string& path : SteadyTickFiles(class_dir)) fds.push_back(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  return fds;
}
