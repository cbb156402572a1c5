#include "platform/win32/options_dialog.h"

#include <commctrl.h>

#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

constexpr int kSentenceGapPx = 4;
constexpr int kLabelId = 0xFFFF;  // labels are never addressed

// A child window's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

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
  SizeAndCentre(kOptionsClientArea.width, kOptionsClientArea.height);
  // Created in the focus order; the dialog manager tabs in creation order.
  BuildTabStrip();
  for (int panel = 1; panel <= static_cast<int>(panels_.size()); ++panel) {
    panels_[static_cast<std::size_t>(panel - 1)].Create(
        Instance(), Handle(), kOptionsPanelPlace, Dpi(), kFirstPanelId + panel - 1,
        panel == 1);
  }
  for (const DialogControl& control : kOptionsDialogControls) BuildControl(control);
  LayOutSentences();
  // The tab control goes to the bottom so the panels paint over its page
  // area. That also makes it the last stop of the Tab key, after Apply.
  SetWindowPos(tab_strip_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  presenter_.Load();
  return tab_strip_;
}

void OptionsDialog::BuildTabStrip() {
  tab_strip_ = AddControl(Handle(), WC_TABCONTROLW, "", WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                          kOptionsTabStripPlace, kTabStripId);
  // Addressed by index: a tab's key is a name for readers only.
  for (int i = 0; i < static_cast<int>(kOptionsTabCaptions.size()); ++i) {
    std::wstring caption = ToUtf16(kOptionsTabCaptions[static_cast<std::size_t>(i)]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab_strip_, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&item));
  }
}

HWND OptionsDialog::AddLabel(HWND panel, const char* caption, const TwipsBox& place) {
  HWND label =
      AddControl(panel, L"STATIC", caption, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, place, kLabelId);
  GrowToText(label, Font(), 0);
  return label;
}

HWND OptionsDialog::AddCheckBox(HWND panel, OptionsCheckBox box, const char* caption,
                                const TwipsBox& place) {
  HWND check_box = AddControl(panel, L"BUTTON", caption, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                              place, kFirstCheckBoxId + static_cast<int>(IndexOf(box)));
  // The box and the gap before the caption.
  GrowToText(check_box, Font(), GetSystemMetrics(SM_CXMENUCHECK) + MulDiv(4, Dpi(), 96));
  check_boxes_[IndexOf(box)] = check_box;
  return check_box;
}

HWND OptionsDialog::AddValueBox(HWND panel, OptionsValueBox box, const TwipsBox& place) {
  HWND value_box =
      AddControl(panel, L"EDIT", "Text1", WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, place,
                 kFirstValueBoxId + static_cast<int>(IndexOf(box)), WS_EX_CLIENTEDGE);
  value_boxes_[IndexOf(box)] = value_box;
  return value_box;
}

void OptionsDialog::AddHeading(DialogPanel& panel, const char* caption, const TwipsBox& place) {
  AddLabel(panel.Handle(), caption, place);
  const int rule_left = place.left + place.width + kHeadingRuleGap;
  const int rule_y = place.top + kHeadingRuleDrop;
  panel.AddRuleLine({rule_left, rule_y, kHeadingRuleRight, kRuleGrey});
  panel.AddRuleLine({rule_left, rule_y + 15, kHeadingRuleRight, kRuleWhite});
}

void OptionsDialog::BuildControl(const DialogControl& control) {
  HWND parent = control.panel == 0 ? Handle() : Panel(control.panel);
  HWND made = nullptr;
  switch (control.kind) {
    case ControlKind::Heading:
      AddHeading(panels_.at(static_cast<std::size_t>(control.panel - 1)), control.caption,
                 control.place);
      return;
    case ControlKind::Label:
      made = AddLabel(parent, control.caption, control.place);
      break;
    case ControlKind::CheckBox:
      made = AddCheckBox(parent, CheckBoxNamed(control.name).value(), control.caption,
                         control.place);
      break;
    case ControlKind::ValueBox:
      made = AddValueBox(parent, ValueBoxNamed(control.name).value(), control.place);
      break;
    case ControlKind::Button:
      AddButton(control);
      return;
    case ControlKind::Icon:
    case ControlKind::Link:
      return;  // the options dialog has none
  }
  if (control.sentence != 0) sentences_[control.sentence].push_back(made);
}

void OptionsDialog::AddButton(const DialogControl& control) {
  const DWORD style = WS_VISIBLE | WS_TABSTOP;
  if (control.name == "cmdOK") {
    ok_ = AddControl(Handle(), L"BUTTON", control.caption, style | BS_DEFPUSHBUTTON,
                     control.place, IDOK);
  } else if (control.name == "cmdCancel") {
    cancel_ = AddControl(Handle(), L"BUTTON", control.caption, style | BS_PUSHBUTTON,
                         control.place, IDCANCEL);
  } else if (control.name == "cmdApply") {
    apply_ = AddControl(Handle(), L"BUTTON", control.caption,
                        style | WS_DISABLED | BS_PUSHBUTTON, control.place, kApplyId);
  }
}

// The rows "check box, label, value box, % label" read as sentences, laid out
// together by the portable rule from the sizes their captions grew to.
void OptionsDialog::LayOutSentences() {
  std::vector<std::array<RowPart, 4>> rows;
  for (const auto& [sentence, parts] : sentences_) {
    std::array<RowPart, 4> row{};
    for (std::size_t i = 0; i < row.size() && i < parts.size(); ++i) {
      const RECT rect = PlaceOf(parts[i]);
      row[i] = {rect.left, rect.right - rect.left, rect.right - rect.left};
    }
    rows.push_back(row);
  }
  if (rows.empty()) return;
  HWND value_box = sentences_.begin()->second.at(2);
  RECT panel;
  GetClientRect(GetParent(value_box), &panel);
  const int least_value_box =
      TextExtent(value_box, Font(), L"99").cx + MulDiv(8 + kStepperWidthPx, Dpi(), 96);
  LayOutSentenceRows(rows, {MulDiv(kSentenceGapPx, Dpi(), 96), panel.right, least_value_box});
  std::size_t row = 0;
  for (const auto& [sentence, parts] : sentences_) {
    for (std::size_t i = 0; i < parts.size() && i < 4; ++i) {
      const RECT rect = PlaceOf(parts[i]);
      SetWindowPos(parts[i], nullptr, rows[row][i].left, rect.top, rows[row][i].width,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ++row;
  }
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
  HWND stepper = CreateUpDownControl(
      kStepperStyle, 0, 0, MulDiv(kStepperWidthPx, Dpi(), 96), 0, Panel(1), kStepperId, Instance(),
      ValueBox(box), kPercentRange.highest, kPercentRange.lowest, position);
  spin_handles_[IndexOf(box)] = stepper;
  // WORKAROUND: the right-aligned up-down control lies over the last pixels of its
  // buddy's edge; the box ends where the stepper starts instead.
  const RECT stepper_place = PlaceOf(stepper);
  const RECT box_place = PlaceOf(ValueBox(box));
  if (stepper != nullptr && box_place.right > stepper_place.left) {
    SetWindowPos(ValueBox(box), nullptr, 0, 0, stepper_place.left - box_place.left,
                 box_place.bottom - box_place.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
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
