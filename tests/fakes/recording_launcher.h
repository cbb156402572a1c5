#pragma once

#include <string>
#include <vector>

#include "fakes/call_journal.h"
#include "tray/launcher.h"

namespace norvaket::testing {

class RecordingLauncher final : public Launcher {
 public:
  explicit RecordingLauncher(CallJournal* journal = nullptr) : journal_(journal) {}

  void StartCommandLine(const std::string& command_line) override {
    command_lines.push_back(command_line);
  }
  void OpenLink(const std::string& target) override {
    links.push_back(target);
    if (journal_) journal_->Add("OpenLink " + target);
  }

  std::vector<std::string> command_lines;
  std::vector<std::string> links;

 private:
  CallJournal* journal_;
};

}  // namespace norvaket::testing
