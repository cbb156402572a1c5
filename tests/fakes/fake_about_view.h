#pragma once

#include <array>
#include <string>

#include "fakes/call_journal.h"
#include "tray/about_view.h"

namespace norvaket::testing {

class FakeAboutView final : public AboutView {
 public:
  explicit FakeAboutView(CallJournal* journal = nullptr) : journal_(journal) {}

  void SetCaption(const std::string& text) override { caption = text; }
  void SetVersionText(const std::string& text) override { version = text; }
  void SetTitleText(const std::string& text) override { title = text; }
  void SetDescriptionText(const std::string& text) override { description = text; }
  void CopyMainWindowIcon() override { icon_copied = true; }
  void SetLinkCaption(std::size_t link, const std::string& text) override {
    link_captions.at(link) = text;
  }
  void SetLinkColour(std::size_t link, Rgb colour) override {
    link_colours.at(link) = colour;
    if (journal_) journal_->Add("SetLinkColour " + std::to_string(link));
  }
  void ProcessPendingEvents() override {
    if (journal_) journal_->Add("ProcessPendingEvents");
  }
  void CloseDialog() override { ++closes; }

  std::string caption, version, title, description;
  bool icon_copied = false;
  std::array<std::string, 2> link_captions;
  std::array<Rgb, 2> link_colours{};
  int closes = 0;

 private:
  CallJournal* journal_;
};

}  // namespace norvaket::testing
