#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fakes/call_journal.h"
#include "options/options_view.h"

namespace norvaket::testing {

// Behaves as a dialog's controls do: a change of a check box or of a value
// box's text reports an edit, whether the user or the program made it.
class FakeOptionsView final : public OptionsView {
 public:
  struct Message {
    std::string text;
    std::string title;
    std::uint32_t style;
  };

  explicit FakeOptionsView(CallJournal* journal = nullptr) : journal_(journal) {}

  // The presenter's edit handler; set by the test once the presenter exists.
  std::function<void()> on_edit;

  void CopyMainWindowIcon() override { Log("CopyMainWindowIcon"); }
  void AttachStepper(OptionsValueBox box, std::int32_t position) override {
    Log("AttachStepper " + std::string(ControlName(box)) + " " + std::to_string(position));
    TypeText(box, std::to_string(position));
  }
  CheckState GetCheckState(OptionsCheckBox box) const override {
    const auto found = checks.find(box);
    return found == checks.end() ? kUnchecked : found->second;
  }
  void SetCheckState(OptionsCheckBox box, CheckState state) override {
    Log("SetCheckState " + std::string(ControlName(box)) + " " + std::to_string(state));
    Click(box, state);
  }
  std::string ValueText(OptionsValueBox box) const override {
    const auto found = texts.find(box);
    return found == texts.end() ? "Text1" : found->second;
  }
  bool ApplyEnabled() const override { return apply_enabled; }
  void SetApplyEnabled(bool enabled) override {
    apply_enabled = enabled;
    if (!enabled) Log("SetApplyEnabled false");
  }
  int SelectedTab() const override { return selected_tab; }
  void SelectTab(int tab) override {
    Log("SelectTab " + std::to_string(tab));
    selected_tab = tab;
  }
  void SetPanelVisible(int panel, bool visible) override {
    Log("SetPanelVisible " + std::to_string(panel) + (visible ? " true" : " false"));
    panel_visible[panel] = visible;
  }
  void FocusPanel(int panel) override {
    Log("FocusPanel " + std::to_string(panel));
    focused_panel = panel;
  }
  void ShowMessageBox(const std::string& text, const std::string& title,
                      std::uint32_t style) override {
    Log("ShowMessageBox");
    messages.push_back({text, title, style});
  }
  void CloseDialog() override {
    Log("CloseDialog");
    ++closes;
  }

  // What the user does.
  void Click(OptionsCheckBox box, CheckState state) {
    if (GetCheckState(box) == state) return;
    checks[box] = state;
    if (on_edit) on_edit();
  }
  void TypeText(OptionsValueBox box, const std::string& text) {
    if (ValueText(box) == text) return;
    texts[box] = text;
    if (on_edit) on_edit();
  }

  std::map<OptionsCheckBox, CheckState> checks;
  std::map<OptionsValueBox, std::string> texts;
  bool apply_enabled = true;
  int selected_tab = 1;
  std::map<int, bool> panel_visible{{1, true}, {2, false}};
  int focused_panel = 0;
  std::vector<Message> messages;
  int closes = 0;

 private:
  void Log(std::string call) {
    if (journal_) journal_->Add(std::move(call));
  }
  CallJournal* journal_;
};

}  // namespace norvaket::testing
