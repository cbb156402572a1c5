#include "platform/win32/options_dialog.h"

#include <commctrl.h>

#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

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
  SizeAndCentre(kOptionsClientArea.width, kOptionsClientArea.height);
  // Created in the focus order; the dialog manager tabs in creation order.
  BuildTabStrip();
  for (int panel = 1; panel <= static_cast<int>(panels_.size()); ++panel) {
    panels_[static_cast<std::size_t>(panel - 1)].Create(
        Instance(), Handle(), kOptionsPanelPlace, Dpi(), kFirstPanelId + panel - 1,
        panel == 1);
  }
  for (std::size_t index = 0; index < kOptionsDialogControls.size(); ++index) {
    controls_[index] = BuildControl(kOptionsDialogControls[index]);
  }
  LayOutSentences();
  for (int panel = 1; panel <= static_cast<int>(panels_.size()); ++panel) {
    GrowToTextHeights(kOptionsDialogControls, controls_, panel, Panel(panel));
  }
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

HWND OptionsDialog::OkButton() const {
  return buttons_[static_cast<std::size_t>(DialogButton::cmdOK)];
}
HWND OptionsDialog::CancelButton() const {
  return buttons_[static_cast<std::size_t>(DialogButton::cmdCancel)];
}
HWND OptionsDialog::ApplyButton() const {
  return buttons_[static_cast<std::size_t>(DialogButton::cmdApply)];
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

HWND OptionsDialog::AddHeading(DialogPanel& panel, const char* caption, const TwipsBox& place) {
  HWND label = AddLabel(panel.Handle(), caption, place);
  const int rule_left = place.left + place.width + kHeadingRuleGap;
  const int rule_y = place.top + kHeadingRuleDrop;
  panel.AddRuleLine({rule_left, rule_y, kHeadingRuleRight, kRuleGrey});
  panel.AddRuleLine({rule_left, rule_y + 15, kHeadingRuleRight, kRuleWhite});
  return label;
}

HWND OptionsDialog::BuildControl(const DialogControl& control) {
  HWND parent = control.panel == 0 ? Handle() : Panel(control.panel);
  switch (control.kind) {
    case ControlKind::Heading:
      return AddHeading(panels_.at(static_cast<std::size_t>(control.panel - 1)), control.caption,
                        control.place);
    case ControlKind::Label:
      return AddLabel(parent, control.caption, control.place);
    case ControlKind::CheckBox:
      return AddCheckBox(parent, CheckBoxNamed(control.name).value(), control.caption,
                         control.place);
    case ControlKind::ValueBox:
      return AddValueBox(parent, ValueBoxNamed(control.name).value(), control.place);
    case ControlKind::Button:
      return AddButton(control);
    default:
      return nullptr;  // the options dialog has no icon and no link
  }
}

HWND OptionsDialog::AddButton(const DialogControl& control) {
  const DialogButton button = ButtonNamed(control.name).value();
  DWORD style = WS_VISIBLE | WS_TABSTOP;
  style |= button == DialogButton::cmdOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (button == DialogButton::cmdApply) style |= WS_DISABLED;
  const int id = button == DialogButton::cmdOK       ? IDOK
                 : button == DialogButton::cmdCancel ? IDCANCEL
                                                     : kApplyId;
  HWND made = AddControl(Handle(), L"BUTTON", control.caption, style, control.place, id);
  buttons_[static_cast<std::size_t>(button)] = made;
  return made;
}

// The rows "check box, label, value box, % label" read as sentences, laid out
// together by the portable rule from the sizes their captions grew to.
void OptionsDialog::LayOutSentences() {
  HWND value_box = ValueBox(kAllValueBoxes.front());
  RECT panel;
  GetClientRect(Panel(kOptionsSentencePanel), &panel);
  const int least_value_box =
      TextExtent(value_box, Font(), L"99").cx + MulDiv(8 + kStepperWidthPx, Dpi(), 96);
  LayOutOptionsSentences(
      {MulDiv(kSentenceGapPx, Dpi(), 96), panel.right, least_value_box},
      [&](std::size_t control) {
        const RECT rect = PlaceInParent(controls_[control]);
        return RowPart{rect.left, rect.right - rect.left, rect.right - rect.left};
      },
      [&](std::size_t control, const RowPart& part) {
        const RECT rect = PlaceInParent(controls_[control]);
        SetWindowPos(controls_[control], nullptr, part.left, rect.top, part.width,
                     rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
      });
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
  const RECT stepper_place = PlaceInParent(stepper);
  const RECT box_place = PlaceInParent(ValueBox(box));
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
  return IsWindowEnabled(ApplyButton()) != FALSE;
}

void OptionsDialog::SetApplyEnabled(bool enabled) {
  // A disabled button cannot keep the focus; without this the keyboard
  // would be lost after Apply was pressed.
  if (!enabled && GetFocus() == ApplyButton()) SendMessageW(Handle(), WM_NEXTDLGCTL, 0, FALSE);
  EnableWindow(ApplyButton(), enabled ? TRUE : FALSE);
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
