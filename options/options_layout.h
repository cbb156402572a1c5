#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "options/options_controls.h"
#include "tray/dialog_layout.h"

namespace norvaket {

inline constexpr TwipsBox kOptionsClientArea{0, 0, 6975, 5910};
inline constexpr TwipsBox kOptionsTabStripPlace{120, 120, 6735, 5295};
inline constexpr TwipsBox kOptionsPanelPlace{240, 480, 6495, 4815};
// The tabs' captions and keys, tab 1 first.
inline constexpr std::array<const char*, 2> kOptionsTabCaptions{"表示", "動作"};
inline constexpr std::array<const char*, 2> kOptionsTabKeys{"General", "Run"};
// A heading's etched rule runs from this far right of its caption's box to kHeadingRuleRight.
inline constexpr int kHeadingRuleGap = 120;
inline constexpr int kHeadingRuleRight = 6360;
// The rule's two lines lie this far below the heading's top.
inline constexpr int kHeadingRuleDrop = 90;

// frmOption's controls in focus order: the first panel's, the second panel's, then
// the buttons (OK answers Enter, Cancel Esc; Apply starts disabled).
inline constexpr std::array<DialogControl, 24> kOptionsDialogControls{{
    {ControlKind::Heading, "Label20", "基本設定", {120, 120, 720, 180}, 1},
    {ControlKind::CheckBox, "chkNotifyPS1", "バッテリへの切り替えを通知する(&B)",
     {360, 480, 3015, 195}, 1},
    {ControlKind::CheckBox, "chkNotifyRT", "バッテリの持続時間を通知する(&R)",
     {360, 840, 3015, 195}, 1},
    {ControlKind::CheckBox, "chkNotifyCV2", "バッテリの低下を通知する(&L)",
     {360, 1200, 2535, 195}, 1},
    {ControlKind::Label, "Label4", "バッテリ残量が", {3120, 1200, 1005, 180}, 1},
    {ControlKind::ValueBox, "txtCV2Value", "", {4200, 1155, 855, 270}, 1},
    {ControlKind::Label, "Label2", "% になった時", {5160, 1200, 870, 180}, 1},
    {ControlKind::CheckBox, "chkNotifyCV4", "バッテリ切れを通知する(&C)",
     {360, 1560, 3015, 195}, 1},
    {ControlKind::CheckBox, "chkNotifyPS2", "AC電源への切り替えを通知する(&B)",
     {360, 1920, 3015, 195}, 1},
    {ControlKind::CheckBox, "chkNotifyCV0", "充電の進捗を通知する(&U)",
     {360, 2280, 2535, 195}, 1},
    {ControlKind::Label, "Label5", "バッテリ残量が", {3120, 2280, 1005, 180}, 1},
    {ControlKind::ValueBox, "txtCV0Value", "", {4200, 2235, 855, 270}, 1},
    {ControlKind::Label, "Label3", "% になった時", {5160, 2280, 870, 180}, 1},
    {ControlKind::CheckBox, "chkNotifyPS0", "充電の完了を通知する(&F)",
     {360, 2640, 4215, 195}, 1},
    {ControlKind::Heading, "Label1", "詳細設定", {120, 3120, 720, 180}, 1},
    {ControlKind::CheckBox, "chkNotifyAtRun", "起動時に電源の状態を通知する(&E)",
     {360, 3480, 4935, 195}, 1},
    {ControlKind::CheckBox, "chkNotifyAtResume",
     "スタンバイ状態から回復した時に電源の状態を通知する(&R)", {360, 3840, 4935, 195}, 1},
    {ControlKind::CheckBox, "chkUseTimeStamp", "通知時に時刻を表示する(&T)",
     {360, 4200, 3495, 195}, 1},
    {ControlKind::CheckBox, "chkNotifyLifePercentAtRun", "通知時にバッテリの残量を表示する(&P)",
     {360, 4560, 4215, 195}, 1},
    {ControlKind::Heading, "Label9", "動作", {120, 120, 360, 180}, 2},
    {ControlKind::CheckBox, "chkAutoRun", "Windows へのログオン時に Halvoria を実行する(&R)",
     {360, 480, 5055, 195}, 2, "ログオン時に Halvoria を実行する(&R)"},
    {ControlKind::Button, "cmdOK", "OK", {2750, 5510, 1290, 300}, 0},
    {ControlKind::Button, "cmdCancel", "キャンセル", {4170, 5510, 1290, 300}, 0},
    {ControlKind::Button, "cmdApply", "適用(&A)", {5580, 5510, 1290, 300}, 0},
}};

// The rows that read as sentences, top first: check box, label, value box, label.
inline constexpr std::size_t kSentenceValueBoxPart = 2;
inline constexpr std::array<std::array<std::string_view, 4>, 2> kOptionsSentenceRows{{
    {"chkNotifyCV2", "Label4", "txtCV2Value", "Label2"},
    {"chkNotifyCV0", "Label5", "txtCV0Value", "Label3"},
}};

// A control's index in kOptionsDialogControls.
constexpr std::size_t OptionsControlIndex(std::string_view name) {
  for (std::size_t index = 0; index < kOptionsDialogControls.size(); ++index) {
    if (kOptionsDialogControls[index].name == name) return index;
  }
  throw "the options dialog has no control of that name";
}

// The panel every sentence row lies on.
inline constexpr int kOptionsSentencePanel =
    kOptionsDialogControls[OptionsControlIndex(kOptionsSentenceRows[0][0])].panel;
static_assert(
    [] {
      for (const auto& row : kOptionsSentenceRows) {
        for (const std::string_view part : row) {
          if (kOptionsDialogControls[OptionsControlIndex(part)].panel != kOptionsSentencePanel) {
            return false;
          }
        }
      }
      return true;
    }(),
    "the sentence rows lie on one panel");

// A part of a sentence row as a front end has made it, in its pixels: where the
// design puts it and how wide its caption wants it.
struct RowPart {
  int left;
  int width;
  int wanted_width;

  friend bool operator==(const RowPart&, const RowPart&) = default;
};

struct SentenceMetrics {
  int gap;          // between two parts, and before the panel's right edge
  int panel_width;
  int least_value_box_width;  // two digits and the stepper
};

// Lays out the sentence rows (check box, label, value box, label) together, so that
// every row's third part shares one left edge and width: each part grows to its
// caption, each column starts right of the widest part before it, a row that runs
// past the panel moves back left into the room after its check boxes, and then
// its value boxes give up width down to the least. Sets each part's left and width.
void LayOutSentenceRows(std::vector<std::array<RowPart, 4>>& rows, const SentenceMetrics& metrics);

// The dialog's sentence rows laid out through a front end: `measure` tells where a
// control (by its index in kOptionsDialogControls) stands and how wide its caption
// wants it; `place` gives it its new left edge and width.
void LayOutOptionsSentences(const SentenceMetrics& metrics,
                            const std::function<RowPart(std::size_t)>& measure,
                            const std::function<void(std::size_t, const RowPart&)>& place);

}  // namespace norvaket
