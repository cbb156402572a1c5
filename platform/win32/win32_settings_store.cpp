#include "platform/win32/win32_settings_store.h"

namespace norvaket::win32 {

bool Win32SettingsStore::SaveSettings(const Settings& settings) {
  files_.BeginBatch();
  if (!ini_.SaveSettings(settings)) {
    files_.DiscardBatch();
    return false;
  }
  return files_.CommitBatch();
}

}  // namespace norvaket::win32
