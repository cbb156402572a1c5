#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace norvaket::testing {

// A power-supply class folder of plain files in a fresh temporary folder, removed
// again when the tree goes. Values are rewritten in place, as the kernel does.
class FakeSysfsTree {
 public:
  using Attributes = std::map<std::string, std::string>;

  FakeSysfsTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "norvaket-sysfs-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    class_dir_ = root_ / "power_supply";
    std::filesystem::create_directory(class_dir_);
  }
  ~FakeSysfsTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  FakeSysfsTree(const FakeSysfsTree&) = delete;
  FakeSysfsTree& operator=(const FakeSysfsTree&) = delete;

  std::string ClassDir() const { return class_dir_.string(); }
  std::filesystem::path SupplyDir(const std::string& supply) const { return class_dir_ / supply; }

  void AddSupply(const std::string& supply, const Attributes& attributes) {
    std::filesystem::create_directories(class_dir_ / supply);
    for (const auto& [name, value] : attributes) Set(supply, name, value);
  }
  // Values get the newline the kernel ends them with.
  void Set(const std::string& supply, const std::string& name, const std::string& value) {
    std::ofstream(class_dir_ / supply / name, std::ios::trunc) << value << "\n";
  }
  void RemoveSupply(const std::string& supply) { std::filesystem::remove_all(class_dir_ / supply); }
  void RemoveClassDir() { std::filesystem::remove_all(class_dir_); }
  void MakeClassDir() { std::filesystem::create_directory(class_dir_); }

 private:
  std::filesystem::path root_;
  std::filesystem::path class_dir_;
};

}  // namespace norvaket::testing
