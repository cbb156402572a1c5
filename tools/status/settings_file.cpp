#include "tools/status/settings_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "settings/ini_document.h"
#include "settings/settings_reader_writer.h"

namespace norvaket::status_tool {

namespace {
// The same bound the Linux settings store puts on a settings file.
constexpr std::uintmax_t kMaxSettingsFileBytes = 1024 * 1024;
}  // namespace

bool LoadSettingsFile(const std::string& path, Settings& settings, std::string& error) {
  std::error_code ignored;
  // The argument is UTF-8 on every system; a plain string would go through the ANSI
  // code page on Windows.
  const std::filesystem::path file(std::u8string(path.begin(), path.end()));
  if (!std::filesystem::exists(file, ignored)) {
    error = "settings file not found: " + path;
    return false;
  }
  if (!std::filesystem::is_regular_file(file, ignored) ||
      std::filesystem::file_size(file, ignored) > kMaxSettingsFileBytes) {
    error = "not a settings file (a regular file of at most 1 MiB): " + path;
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad()) {
    error = "cannot read settings file: " + path;
    return false;
  }
  const IniDocument document(text);
  ReadSettingsRecord(
      [&document](const std::string& key, const std::string& fallback) {
        return ValueOrFallback(document.GetProfileString(kSettingsSection, key), fallback);
      },
      settings);
  return true;
}

}  // namespace norvaket::status_tool
