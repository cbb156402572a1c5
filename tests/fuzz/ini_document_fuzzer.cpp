// The INI reader and writer: any text, any edit. An edit either leaves the text
// alone or changes bytes inside one line only (or adds lines), the value reads
// back as written, and settings read from any file survive a save and a reload.
#include <string>

#include "fakes/fake_folder_lookup.h"
#include "fakes/memory_profile_store.h"
#include "fuzz/fuzz_input.h"
#include "settings/ini_document.h"
#include "settings/ini_settings_store.h"
#include "settings/ini_text.h"

namespace {

using namespace norvaket;
using fuzz::AsText;
using fuzz::SplitFields;

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Everything outside one line of `before` is still in `after`, byte for byte.
bool OnlyOneLineChanged(std::string_view before, std::string_view after) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
  return removed.find('\n') == removed.npos;
}

void CheckEdit(std::string_view text, std::string_view section, std::string_view key,
               std::string_view value) {
  IniDocument document{std::string(text)};
  if (!document.Set(section, key, value)) {
    NORVAKET_FUZZ_CHECK(document.Text() == text);
    return;
  }
  NORVAKET_FUZZ_CHECK(OnlyOneLineChanged(text, document.Text()));
  const IniDocument reread(document.Text());
  const std::optional<std::string> got = reread.Get(TrimBlanks(section), TrimBlanks(key));
  NORVAKET_FUZZ_CHECK(got && *got == Unquoted(TrimBlanks(value)));
  const std::string cut = reread.GetProfileString(section, key);
  NORVAKET_FUZZ_CHECK(cut.size() <= IniDocument::kMaxValueBytes && got->starts_with(cut));
}

void CheckSettingsRoundTrip(std::string_view text) {
  testing::MemoryProfileStore profile;
  testing::FakeFolderLookup folders;
  folders.separator = "/";
  folders.path = "/home/ami/.config";
  folders.existing = {"/home/ami/.config", "/home/ami/.config/Norvaket"};
  IniSettingsStore store(profile, folders);
  const std::string path = store.SettingsFilePath();
  profile.files[path] = std::string(text);

  Settings loaded;
  store.LoadSettings(loaded);
  if (!store.SaveSettings(loaded)) return;  // a file the writer refuses stays as it was
  Settings reloaded;
  store.LoadSettings(reloaded);
  reloaded.AutoRun = loaded.AutoRun;
  NORVAKET_FUZZ_CHECK(reloaded == loaded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // text \x01 section \x01 key \x01 value
  const auto fields = SplitFields(AsText(data, size), '\x01', 4);
  CheckEdit(fields[0], fields[1], fields[2], fields[3]);
  CheckEdit(fields[0], "Norvaket 1.00", "NotifyCV0Value", fields[3]);
  CheckSettingsRoundTrip(fields[0]);
  return 0;
}
