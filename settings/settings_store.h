#pragma once

#include <string>

#include "settings/settings.h"

namespace norvaket {

// Loads and saves the settings record in the section "Norvaket 1.00" of the
// per-user Norvaket.ini. (Declaration of the public surface; the implementation
// lives beside it.)
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual void LoadSettings(Settings& settings) = 0;
  // True only when every one of the fifteen keys was written.
  virtual bool SaveSettings(const Settings& settings) = 0;
};

}  // namespace norvaket
