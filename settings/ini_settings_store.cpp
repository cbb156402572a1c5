#include "settings/ini_settings_store.h"

#include "settings/settings_reader_writer.h"

namespace norvaket {

namespace {
constexpr const char* kFolderName = "Norvaket";
constexpr const char* kFileName = "Norvaket.ini";
}  // namespace

std::string IniSettingsStore::GetSpecialFolderPath(std::int32_t folder_id) {
  std::string path;
  const std::int32_t result = folders_.GetFolderPath(folder_id | kCsidlFlagCreate, path);
  if (result == kFolderFound) return path.substr(0, path.find('\0'));
  if (result == kFolderNotThere || result == kFolderBadId) return folders_.ExecutableFolder();
  return {};
}

std::string IniSettingsStore::SettingsFolderBelow(const std::string& base) {
  return base + folders_.PathSeparator() + kFolderName;
}

std::string IniSettingsStore::SettingsFileIn(const std::string& folder) {
  return folder + folders_.PathSeparator() + kFileName;
}

std::string IniSettingsStore::SettingsFolder() {
  return SettingsFolderBelow(GetSpecialFolderPath(kCsidlAppData));
}

std::string IniSettingsStore::SettingsFilePath() {
  return SettingsFileIn(SettingsFolder());
}

std::string IniSettingsStore::PrepareSettingsFolder() {
  const std::string base = GetSpecialFolderPath(kCsidlAppData);
  const std::string folder = SettingsFolderBelow(base);
  // A fresh Linux account may not have its configuration folder yet, and the folder
  // lookup never creates it (a read must leave no trace), so the first save does.
  if (!base.empty() && !folders_.Exists(base)) folders_.CreateFolder(base);
  if (!folders_.Exists(folder)) folders_.CreateFolder(folder);
  return SettingsFileIn(folder);
}

std::string IniSettingsStore::ReadIniString(const std::string& file_path, const std::string& key,
                                            const std::string& fallback) {
  return ValueOrFallback(profile_.GetProfileString(kSettingsSection, key, file_path), fallback);
}

void IniSettingsStore::LoadSettings(Settings& settings) {
  const std::string file_path = SettingsFilePath();
  profile_.BeginBatch();
  ReadSettingsRecord(
      [&](const std::string& key, const std::string& fallback) {
        return ReadIniString(file_path, key, fallback);
      },
      settings);
  profile_.DiscardBatch();
}

// One batch: the file is read once and replaced once, whole, or left as it was.
bool IniSettingsStore::SaveSettings(const Settings& settings) {
  const std::string file_path = PrepareSettingsFolder();
  profile_.BeginBatch();
  const bool all_written = WriteSettingsRecord(
      [&](const std::string& key, const std::string& value) {
        return profile_.WriteProfileString(kSettingsSection, key, value, file_path);
      },
      settings);
  if (!all_written) {
    profile_.DiscardBatch();
    return false;
  }
  return profile_.CommitBatch();
}

}  // namespace norvaket
