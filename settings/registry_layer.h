#pragma once

#include <string>

#include "settings/registry_api.h"
#include "settings/registry_value.h"

namespace norvaket {

// Typed write, typed read with a fallback, and delete of one registry value. Every
// key opened here is closed here.

// Creates the key when missing and stores the value; true when it was stored and the
// key closed without error.
bool SetRegistryValue(RegistryApi& registry, RegistryKey root, const std::string& key_path,
                      const std::string& value_name, const RegistryValue& value);

// The stored value (text, uint32 or bytes), or `fallback` when the key or value is
// missing or of any other registry type.
RegistryValue GetRegistryValue(RegistryApi& registry, RegistryKey root, const std::string& key_path,
                               const std::string& value_name, const RegistryValue& fallback);

// True when the value was deleted and the key closed without error.
bool DeleteRegistryValue(RegistryApi& registry, RegistryKey root, const std::string& key_path,
                         const std::string& value_name);

}  // namespace norvaket
