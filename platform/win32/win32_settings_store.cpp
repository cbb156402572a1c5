#include "platform/win32/win32_settings_store.h"

namespace norvaket::win32 {

bool Win32SettingsStore::SaveSettings(const Settings& settings) {
  files_.BeginSave();
  if (!ini_.SaveSettings(settings)) {
    files_.DiscardSave();
    return false;
  }
  return files_.CommitSave();
}

}  // namespace norvaket::win32
