#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/registry_api.h"

namespace norvaket::testing {

// A registry in memory: values of any type under (root, key path), with handles that
// must be closed. Key paths and value names match exactly. Each operation can be made
// to fail by setting its result.
class MemoryRegistry final : public RegistryApi {
 public:
  static constexpr RegistryResult kFileNotFound = 2;   // ERROR_FILE_NOT_FOUND
  static constexpr RegistryResult kInvalidHandle = 6;  // ERROR_INVALID_HANDLE

  struct Value {
    std::uint32_t type = kRegSz;
    std::vector<std::uint8_t> data;
  };
  using KeyName = std::pair<RegistryKey, std::string>;

  RegistryResult OpenKey(RegistryKey root, const std::string& path, RegistryKey& key) override {
    ++calls;
    if (open_result != kRegistrySuccess) return open_result;
    if (!keys.contains({root, path})) return kFileNotFound;
    key = NewHandle(root, path);
    return kRegistrySuccess;
  }

  RegistryResult CreateKey(RegistryKey root, const std::string& path, RegistryKey& key) override {
    ++calls;
    if (create_result != kRegistrySuccess) return create_result;
    keys[{root, path}];
    key = NewHandle(root, path);
    return kRegistrySuccess;
  }

  RegistryResult QueryValue(RegistryKey key, const std::string& name, std::uint32_t& type,
                            std::vector<std::uint8_t>& data) override {
    ++calls;
    const auto handle = handles.find(key);
    if (handle == handles.end()) return kInvalidHandle;
    const auto& values = keys[handle->second];
    const auto value = values.find(name);
    if (value == values.end()) return kFileNotFound;
    type = value->second.type;
    data = value->second.data;
    return kRegistrySuccess;
  }

  RegistryResult SetValue(RegistryKey key, const std::string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) override {
    ++calls;
    const auto handle = handles.find(key);
    if (handle == handles.end()) return kInvalidHandle;
    if (set_result != kRegistrySuccess) return set_result;
    keys[handle->second][name] = Value{type, data};
    return kRegistrySuccess;
  }

  RegistryResult DeleteValue(RegistryKey key, const std::string& name) override {
    ++calls;
    const auto handle = handles.find(key);
    if (handle == handles.end()) return kInvalidHandle;
    if (delete_result != kRegistrySuccess) return delete_result;
    return keys[handle->second].erase(name) == 1 ? kRegistrySuccess : kFileNotFound;
  }

  RegistryResult CloseKey(RegistryKey key) override {
    ++calls;
    if (handles.erase(key) == 0) return kInvalidHandle;
    return close_result;
  }

  // A value as a test puts it there; creates the key.
  void Put(RegistryKey root, const std::string& path, const std::string& name, std::uint32_t type,
           std::vector<std::uint8_t> data) {
    keys[{root, path}][name] = Value{type, std::move(data)};
  }

  const Value* Find(RegistryKey root, const std::string& path, const std::string& name) const {
    const auto key = keys.find({root, path});
    if (key == keys.end()) return nullptr;
    const auto value = key->second.find(name);
    return value == key->second.end() ? nullptr : &value->second;
  }

  std::map<KeyName, std::map<std::string, Value>> keys;
  std::map<RegistryKey, KeyName> handles;  // open handles; empty when every key was closed
  RegistryResult open_result = kRegistrySuccess;
  RegistryResult create_result = kRegistrySuccess;
  RegistryResult set_result = kRegistrySuccess;
  RegistryResult delete_result = kRegistrySuccess;
  RegistryResult close_result = kRegistrySuccess;
  int calls = 0;

 private:
  RegistryKey NewHandle(RegistryKey root, const std::string& path) {
    const RegistryKey key = next_handle_++;
    handles[key] = {root, path};
    return key;
  }

  RegistryKey next_handle_ = 0x100;
};

}  // namespace norvaket::testing
