#pragma once

#include "settings/settings.h"

namespace norvaket {

// Start at logon: the value "Norvaket" under HKCU's Run key. (Public surface; the
// implementation over RegistryApi lives beside it.)
class AutoRunRegistration {
 public:
  virtual ~AutoRunRegistration() = default;
  virtual void EnableAutoRun() = 0;
  virtual void DisableAutoRun() = 0;
  // Sets settings.AutoRun from the registry.
  virtual void QueryAutoRun(Settings& settings) = 0;
};

}  // namespace norvaket
