#pragma once

#include "fakes/call_journal.h"
#include "settings/autorun.h"

namespace norvaket::testing {

// An autorun registration held in memory, counting the calls made to it.
class FakeAutoRun final : public AutoRunRegistration {
 public:
  explicit FakeAutoRun(CallJournal* journal = nullptr) : journal_(journal) {}

  void EnableAutoRun() override {
    registered = true;
    ++enables;
    if (journal_) journal_->Add("EnableAutoRun");
  }
  void DisableAutoRun() override {
    registered = false;
    ++disables;
    if (journal_) journal_->Add("DisableAutoRun");
  }
  void QueryAutoRun(Settings& settings) override {
    settings.AutoRun = ToFlag(registered);
    ++queries;
    if (journal_) journal_->Add("QueryAutoRun");
  }

  bool registered = false;
  int enables = 0;
  int disables = 0;
  int queries = 0;

 private:
  CallJournal* journal_;
};

}  // namespace norvaket::testing
