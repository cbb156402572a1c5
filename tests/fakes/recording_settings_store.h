#pragma once

#include <vector>

#include "fakes/call_journal.h"
#include "settings/settings_store.h"

namespace norvaket::testing {

// Keeps every record it was asked to save; `fail_saves` makes the saves report failure.
class RecordingSettingsStore final : public SettingsStore {
 public:
  explicit RecordingSettingsStore(CallJournal* journal = nullptr) : journal_(journal) {}

  void LoadSettings(Settings& settings) override { settings = loaded; }
  bool SaveSettings(const Settings& settings) override {
    saved.push_back(settings);
    if (journal_) journal_->Add("SaveSettings");
    return !fail_saves;
  }

  Settings loaded;
  std::vector<Settings> saved;
  bool fail_saves = false;

 private:
  CallJournal* journal_;
};

}  // namespace norvaket::testing
