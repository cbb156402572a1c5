#include "platform/win32/options_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "options/autorun_caption.h"
#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

constexpr TwipsRect kClientArea{0, 0, 6975, 5910};
constexpr TwipsRect kTabStripPlace{120, 120, 6735, 5295};
constexpr TwipsRect kPanelPlace{240, 480, 6495, 4815};
constexpr int kRuleRight = 6360;
constexpr int kSentenceGapPx = 4;
constexpr int kLabelId = 0xFFFF;  // labels are never addressed

std::size_t IndexOf(OptionsCheckBox box) {
  return static_cast<std::size_t>(box);
}
std::size_t IndexOf(OptionsValueBox box) {
  return static_cast<std::size_t>(box);
}

}  // namespace

OptionsDialog::OptionsDialog(HINSTANCE instance, HWND main_window, Settings& settings,
                             SettingsStore& store, AutoRunRegistration& autorun,
                             DialogTracker& dialogs)
    : ModalDialog(instance),
      main_window_(main_window),
      presenter_(*this, settings, store, autorun, dialogs) {}

HWND OptionsDialog::CheckBox(OptionsCheckBox box) const {
  return check_boxes_[IndexOf(box)];
}
HWND OptionsDialog::ValueBox(OptionsValueBox box) const {
  return value_boxes_[IndexOf(box)];
}
HWND OptionsDialog::Stepper(OptionsValueBox box) const {
  return spin_handles_[IndexOf(box)];
}

HWND OptionsDialog::Panel(int panel) const {
  if (panel < 1 || panel > static_cast<int>(panels_.size())) return nullptr;
  return panels_[static_cast<std::size_t>(panel - 1)].Handle();
}

HWND OptionsDialog::OnCreate() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  SetCaption("オプション");
  SizeAndCentre(kClientArea.width, kClientArea.height);
  // Created in the focus order; the dialog manager tabs in creation order.
  BuildTabStrip();
  BuildFirstPanel();
  BuildSecondPanel();
  BuildButtons();
  // The tab control goes to the bottom so the panels paint over its page
  // area. That also makes it the last stop of the Tab key, after Apply.
  SetWindowPos(tab_strip_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  presenter_.Load();
  return tab_strip_;
}

void OptionsDialog::BuildTabStrip() {
  tab_strip_ = AddControl(Handle(), WC_TABCONTROLW, "", WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                          kTabStripPlace, kTabStripId);
  // Tab 1 "表示" (key General), tab 2 "動作" (key Run); addressed by index.
  const wchar_t* captions[] = {L"表示", L"動作"};
  for (int i = 0; i < 2; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(captions[i]);
    SendMessageW(tab_strip_, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&item));
  }
}

HWND OptionsDialog::AddLabel(HWND panel, const char* caption, const TwipsRect& place) {
  HWND label =
      AddControl(panel, L"STATIC", caption, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, place, kLabelId);
  GrowToText(label, Font(), 0);
  return label;
}

HWND OptionsDialog::AddCheckBox(HWND panel, OptionsCheckBox box, const char* caption,
                                const TwipsRect& place) {
  HWND check_box = AddControl(panel, L"BUTTON", caption, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                              place, kFirstCheckBoxId + static_cast<int>(IndexOf(box)));
  // The box and the gap before the caption.
  GrowToText(check_box, Font(), GetSystemMetrics(SM_CXMENUCHECK) + MulDiv(4, Dpi(), 96));
  check_boxes_[IndexOf(box)] = check_box;
  return check_box;
}

HWND OptionsDialog::AddValueBox(HWND panel, OptionsValueBox box, const TwipsRect& place) {
  HWND value_box =
      AddControl(panel, L"EDIT", "Text1", WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, place,
                 kFirstValueBoxId + static_cast<int>(IndexOf(box)), WS_EX_CLIENTEDGE);
  value_boxes_[IndexOf(box)] = value_box;
  return value_box;
}

void OptionsDialog::AddHeading(DialogPanel& panel, const char* caption, const TwipsRect& place,
                               int rule_left) {
  AddLabel(panel.Handle(), caption, place);
  const int rule_y = place.top + 90;
  panel.AddRuleLine({rule_left, rule_y, kRuleRight, kRuleGrey});
  panel.AddRuleLine({rule_left, rule_y + 15, kRuleRight, kRuleWhite});
}

// A row "check box, label, value box, % label" reads as one sentence. Where
// wider text makes a part grow, the parts after it move right so that none
// hides another; if that runs past the panel, the last three move back left
// into whatever room the row has.
void OptionsDialog::LayOutSentence(HWND check_box, HWND before, HWND value_box, HWND after) {
  const int gap = MulDiv(kSentenceGapPx, Dpi(), 96);
  HWND parts[] = {check_box, before, value_box, after};
  RECT rects[4];
  for (int i = 0; i < 4; ++i) {
    GetWindowRect(parts[i], &rects[i]);
    MapWindowPoints(nullptr, GetParent(parts[i]), reinterpret_cast<POINT*>(&rects[i]), 2);
  }
  for (int i = 1; i < 4; ++i) {
    const int least_x = rects[i - 1].right + gap;
    if (rects[i].left < least_x) OffsetRect(&rects[i], least_x - rects[i].left, 0);
  }
  RECT panel;
  GetClientRect(GetParent(check_box), &panel);
  const int overflow = rects[3].right - (panel.right - gap);
  const int room = rects[1].left - (rects[0].right + gap);
  const int shift = std::min(std::max(overflow, 0), std::max(room, 0));
  for (int i = 1; i < 4; ++i) OffsetRect(&rects[i], -shift, 0);
  // Still too long: the value box gives up width down to two digits and its stepper.
  const int least_box =
      TextExtent(value_box, Font(), L"99").cx + MulDiv(8 + kStepperWidthPx, Dpi(), 96);
  const int squeeze =
      std::min(std::max(overflow - shift, 0),
               std::max(static_cast<int>(rects[2].right - rects[2].left) - least_box, 0));
  rects[2].right -= squeeze;
  OffsetRect(&rects[3], -squeeze, 0);
  for (int i = 1; i < 4; ++i) {
    SetWindowPos(parts[i], nullptr, rects[i].left, rects[i].top, rects[i].right - rects[i].left,
                 rects[i].bottom - rects[i].top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void OptionsDialog::BuildFirstPanel() {
  DialogPanel& frame = panels_[0];
  HWND panel = frame.Create(Instance(), Handle(), kPanelPlace, Dpi(), kFirstPanelId, true);
  AddHeading(frame, "基本設定", {120, 120, 720, 180}, 960);
  AddCheckBox(panel, OptionsCheckBox::chkNotifyPS1, "バッテリへの切り替えを通知する(&B)",
              {360, 480, 3015, 195});
  AddCheckBox(panel, OptionsCheckBox::chkNotifyRT, "バッテリの持続時間を通知する(&R)",
              {360, 840, 3015, 195});
  HWND low = AddCheckBox(panel, OptionsCheckBox::chkNotifyCV2, "バッテリの低下を通知する(&L)",
                         {360, 1200, 2535, 195});
  HWND low_before = AddLabel(panel, "バッテリ残量が", {3120, 1200, 1005, 180});
  HWND low_box = AddValueBox(panel, OptionsValueBox::txtCV2Value, {4200, 1155, 855, 270});
  HWND low_after = AddLabel(panel, "% になった時", {5160, 1200, 870, 180});
  LayOutSentence(low, low_before, low_box, low_after);
  AddCheckBox(panel, OptionsCheckBox::chkNotifyCV4, "バッテリ切れを通知する(&C)",
              {360, 1560, 3015, 195});
  AddCheckBox(panel, OptionsCheckBox::chkNotifyPS2, "AC電源への切り替えを通知する(&B)",
              {360, 1920, 3015, 195});
  HWND progress = AddCheckBox(panel, OptionsCheckBox::chkNotifyCV0, "充電の進捗を通知する(&U)",
                              {360, 2280, 2535, 195});
  HWND progress_before = AddLabel(panel, "バッテリ残量が", {3120, 2280, 1005, 180});
  HWND progress_box = AddValueBox(panel, OptionsValueBox::txtCV0Value, {4200, 2235, 855, 270});
  HWND progress_after = AddLabel(panel, "% になった時", {5160, 2280, 870, 180});
  LayOutSentence(progress, progress_before, progress_box, progress_after);
  AddCheckBox(panel, OptionsCheckBox::chkNotifyPS0, "充電の完了を通知する(&F)",
              {360, 2640, 4215, 195});
  AddHeading(frame, "詳細設定", {120, 3120, 720, 180}, 960);
  AddCheckBox(panel, OptionsCheckBox::chkNotifyAtRun, "起動時に電源の状態を通知する(&E)",
              {360, 3480, 4935, 195});
  AddCheckBox(panel, OptionsCheckBox::chkNotifyAtResume,
              "スタンバイ状態から回復した時に電源の状態を通知する(&R)", {360, 3840, 4935, 195});
  AddCheckBox(panel, OptionsCheckBox::chkUseTimeStamp, "通知時に時刻を表示する(&T)",
              {360, 4200, 3495, 195});
  AddCheckBox(panel, OptionsCheckBox::chkNotifyLifePercentAtRun,
              "通知時にバッテリの残量を表示する(&P)", {360, 4560, 4215, 195});
}

void OptionsDialog::BuildSecondPanel() {
  DialogPanel& frame = panels_[1];
  HWND panel = frame.Create(Instance(), Handle(), kPanelPlace, Dpi(), kFirstPanelId + 1, false);
  AddHeading(frame, "動作", {120, 120, 360, 180}, 600);
  AddCheckBox(panel, OptionsCheckBox::chkAutoRun, kAutoRunCaption.windows,
              {360, 480, 5055, 195});
}

void OptionsDialog::BuildButtons() {
  ok_ = AddControl(Handle(), L"BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                   {2750, 5510, 1290, 300}, IDOK);
  cancel_ = AddControl(Handle(), L"BUTTON", "キャンセル", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                       {4170, 5510, 1290, 300}, IDCANCEL);
  apply_ = AddControl(Handle(), L"BUTTON", "適用(&A)",
                      WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON,
                      {5580, 5510, 1290, 300}, kApplyId);
}

void OptionsDialog::OnCommand(int id, int code, HWND /*control*/) {
  if (id == IDOK) {
    presenter_.OnOk();
  } else if (id == IDCANCEL) {
    presenter_.OnCancel();  // also Esc and the close box
  } else if (id == kApplyId) {
    if (code == BN_CLICKED) presenter_.OnApply();
  } else if (id >= kFirstCheckBoxId &&
             id < kFirstCheckBoxId + static_cast<int>(check_boxes_.size())) {
    if (code == BN_CLICKED) presenter_.OnEdit();
  } else if (id >= kFirstValueBoxId &&
             id < kFirstValueBoxId + static_cast<int>(value_boxes_.size())) {
    if (code == EN_CHANGE) presenter_.OnEdit();
  }
}

void OptionsDialog::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == tab_strip_ && header.code == static_cast<UINT>(TCN_SELCHANGE)) {
    presenter_.OnTabClick();
  }
}

void OptionsDialog::OnDestroy() {
  for (HWND& spin : spin_handles_) {
    if (spin != nullptr) DestroyWindow(spin);
    spin = nullptr;
  }
  presenter_.Unload();
}

void OptionsDialog::CopyMainWindowIcon() {
  CopyIconFrom(main_window_);
}

void OptionsDialog::AttachStepper(OptionsValueBox box, std::int32_t position) {
  // Its own position goes into the box as text, which the box reports as an edit.
  spin_handles_[IndexOf(box)] = CreateUpDownControl(
      kStepperStyle, 0, 0, MulDiv(kStepperWidthPx, Dpi(), 96), 0, Panel(1), kStepperId, Instance(),
      ValueBox(box), kPercentRange.highest, kPercentRange.lowest, position);
}

CheckState OptionsDialog::GetCheckState(OptionsCheckBox box) const {
  return static_cast<CheckState>(SendMessageW(CheckBox(box), BM_GETCHECK, 0, 0));
}

void OptionsDialog::SetCheckState(OptionsCheckBox box, CheckState state) {
  if (GetCheckState(box) == state) return;
  SendMessageW(CheckBox(box), BM_SETCHECK, static_cast<WPARAM>(state), 0);
  // BM_SETCHECK sends no click; the presenter hears of every change all the same.
  presenter_.OnEdit();
}

std::string OptionsDialog::ValueText(OptionsValueBox box) const {
  HWND value_box = ValueBox(box);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(value_box)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(value_box, text.data(), static_cast<int>(text.size()))));
  return ToUtf8(text);
}

bool OptionsDialog::ApplyEnabled() const {
  return IsWindowEnabled(apply_) != FALSE;
}

void OptionsDialog::SetApplyEnabled(bool enabled) {
  // A disabled button cannot keep the focus; without this the keyboard
  // would be lost after Apply was pressed.
  if (!enabled && GetFocus() == apply_) SendMessageW(Handle(), WM_NEXTDLGCTL, 0, FALSE);
  EnableWindow(apply_, enabled ? TRUE : FALSE);
}

int OptionsDialog::SelectedTab() const {
  return static_cast<int>(SendMessageW(tab_strip_, TCM_GETCURSEL, 0, 0)) + 1;
}

void OptionsDialog::SelectTab(int tab) {
  SendMessageW(tab_strip_, TCM_SETCURSEL, static_cast<WPARAM>(tab - 1), 0);
}

void OptionsDialog::SetPanelVisible(int panel, bool visible) {
  ShowWindow(Panel(panel), visible ? SW_SHOW : SW_HIDE);
}

void OptionsDialog::FocusPanel(int panel) {
  // A panel takes no keys itself; its first control stands in for it.
  HWND first = GetWindow(Panel(panel), GW_CHILD);
  while (first != nullptr && (GetWindowLongPtrW(first, GWL_STYLE) & WS_TABSTOP) == 0) {
    first = GetWindow(first, GW_HWNDNEXT);
  }
  SetFocus(first != nullptr ? first : Panel(panel));
}

void OptionsDialog::ShowMessageBox(const std::string& text, const std::string& title,
                                   std::uint32_t style) {
  MessageBoxW(Handle(), ToUtf16(text).c_str(), ToUtf16(title).c_str(), style);
}

void OptionsDialog::CloseDialog() {
  Close();
}

}  // namespace norvaket::win32
