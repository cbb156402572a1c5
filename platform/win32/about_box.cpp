#include "platform/win32/about_box.h"

#include <utility>

#include "platform/win32/message_pump.h"
#include "platform/win32/utf16.h"
#include "tray/about_layout.h"

namespace norvaket::win32 {

AboutBox::AboutBox(HINSTANCE instance, HWND main_window, Launcher& launcher, DialogTracker& dialogs,
                   ProgramIdentity identity)
    : ModalDialog(instance),
      main_window_(main_window),
      presenter_(*this, launcher, dialogs, std::move(identity)) {}

HWND AboutBox::AddLabel(const char* caption, const TwipsBox& place, int id) {
  return AddControl(Handle(), L"STATIC", caption, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, place, id);
}

HWND AboutBox::OnCreate() {
  SizeAndCentre(kAboutClientArea.width, kAboutClientArea.height);
  link_font_ = CreateDialogFont(Dpi(), true);
  // Created in the table's order, which is the tab order: cmdOK first.
  for (std::size_t index = 0; index < kAboutBoxControls.size(); ++index) {
    controls_[index] = BuildControl(kAboutBoxControls[index]);
  }
  for (const EtchedLine& line : kAboutLine) {
    lines_.push_back(
        {line.left, line.top, line.right, line.white ? kRuleWhite : kRuleGrey, line.width_px});
  }
  presenter_.Load();
  // The captions are in now; rows that grew to them push the rows below.
  GrowToTextHeights(kAboutBoxControls, controls_, 0, Handle());
  return ok_;
}

HWND AboutBox::BuildControl(const DialogControl& control) {
  const TwipsBox& place = control.place;
  switch (control.kind) {
    case ControlKind::Button:
      return ok_ = AddControl(Handle(), L"BUTTON", control.caption,
                              WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, place, IDOK);
    case ControlKind::Icon:
      return icon_ = AddControl(Handle(), L"STATIC", "", WS_VISIBLE | SS_ICON, place, kIconId);
    case ControlKind::Link: {
      const auto link = static_cast<std::size_t>(control.index);
      // SS_NOTIFY: the label reports clicks and takes the mouse, for the hand cursor.
      links_.at(link) =
          AddControl(Handle(), L"STATIC", "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, place,
                     kFirstLinkId + control.index);
      SendMessageW(links_[link], WM_SETFONT, reinterpret_cast<WPARAM>(link_font_), FALSE);
      return links_[link];
    }
    default:
      break;
  }
  if (control.name == "lblTitle") return title_ = AddLabel(control.caption, place, kTitleId);
  if (control.name == "lblVersion") return version_ = AddLabel(control.caption, place, kVersionId);
  if (control.name == "lblDescription") {
    return description_ = AddLabel(control.caption, place, kDescriptionId);
  }
  HWND label = AddLabel(control.caption, place);
  GrowToText(label, Font(), 0, true);
  return label;
}

void AboutBox::OnCommand(int id, int code, HWND /*control*/) {
  if (id == IDOK || id == IDCANCEL) {
    presenter_.OnOk();
  } else if (id >= kFirstLinkId && id < kFirstLinkId + static_cast<int>(links_.size())) {
    if (code == STN_CLICKED) presenter_.OnLinkClick(static_cast<std::size_t>(id - kFirstLinkId));
  }
}

int AboutBox::LinkIndexOf(HWND control) const {
  for (std::size_t link = 0; link < links_.size(); ++link) {
    if (links_[link] == control && control != nullptr) return static_cast<int>(link);
  }
  return -1;
}

bool AboutBox::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) {
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      const int link = LinkIndexOf(reinterpret_cast<HWND>(lparam));
      if (link < 0) return false;
      const Rgb colour = link_colours_[static_cast<std::size_t>(link)];
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, RGB(colour.red, colour.green, colour.blue));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      return true;
    }
    case WM_SETCURSOR:
      if (LinkIndexOf(reinterpret_cast<HWND>(wparam)) < 0) return false;
      SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
      result = TRUE;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      DrawRuleLines(dc, lines_, Dpi());
      EndPaint(Handle(), &paint);
      result = TRUE;
      return true;
    }
    default:
      (void)lparam;
      return false;
  }
}

void AboutBox::OnDestroy() {
  presenter_.Unload();
  if (link_font_ != nullptr) DeleteObject(link_font_);
  link_font_ = nullptr;
}

void AboutBox::SetVersionText(const std::string& text) {
  SetWindowTextW(version_, ToUtf16(text).c_str());
  GrowToText(version_, Font(), 0);
}

void AboutBox::SetTitleText(const std::string& text) {
  SetWindowTextW(title_, ToUtf16(text).c_str());
  GrowToText(title_, Font(), 0);
}

void AboutBox::SetDescriptionText(const std::string& text) {
  SetWindowTextW(description_, ToUtf16(text).c_str());
  GrowToText(description_, Font(), 0, true);
}

void AboutBox::CopyMainWindowIcon() {
  SendMessageW(icon_, STM_SETICON, reinterpret_cast<WPARAM>(CopyIconFrom(main_window_)), 0);
}

void AboutBox::SetLinkCaption(std::size_t link, const std::string& text) {
  SetWindowTextW(links_.at(link), ToUtf16(text).c_str());
  GrowToText(links_.at(link), link_font_, 0);
}

void AboutBox::SetLinkColour(std::size_t link, Rgb colour) {
  link_colours_.at(link) = colour;
  InvalidateRect(links_.at(link), nullptr, TRUE);
}

void AboutBox::ProcessPendingEvents() {
  UpdateWindow(Handle());
  ProcessWaitingMessages();
}

}  // namespace norvaket::win32
