#include "platform/win32/modal_dialog.h"

#include <algorithm>

#include "platform/win32/utf16.h"
#include "tray/dialog_layout.h"

namespace norvaket::win32 {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;

// An empty in-memory template: the controls are made in code, in pixels
// computed from twips, so dialog units play no part.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE header{kDialogStyle, kDialogExStyle, 0, 0, 0, 0, 0};
  WORD menu = 0;
  WORD window_class = 0;
  WORD title = 0;
};

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  // Loaded by name: Windows 7 has no such call.
  static const auto get_dpi_for_window =
      reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(
          GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi_for_window != nullptr && window != nullptr) {
    const UINT dpi = get_dpi_for_window(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

HFONT CreateDialogFont(int dpi, bool underline) {
  return CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, underline ? TRUE : FALSE,
                     FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic");
}

RECT PlaceInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE TextExtent(HWND window, HFONT font, const std::wstring& text) {
  SIZE size{};
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, font);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return size;
}

ModalDialog::~ModalDialog() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (font_ != nullptr) DeleteObject(font_);
}

void ModalDialog::ShowModal(HWND owner) {
  if (window_ != nullptr) return;
  static const EmptyDialogTemplate kTemplate{};
  modal_ = true;
  DialogBoxIndirectParamW(instance_, &kTemplate.header, owner, &ModalDialog::DialogProc,
                          reinterpret_cast<LPARAM>(this));
  modal_ = false;
}

bool ModalDialog::Create(HWND owner) {
  if (window_ != nullptr) return true;
  static const EmptyDialogTemplate kTemplate{};
  modal_ = false;
  HWND window =
      CreateDialogIndirectParamW(instance_, &kTemplate.header, owner, &ModalDialog::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
  if (window == nullptr) return false;
  ShowWindow(window, SW_SHOW);
  return true;
}

void ModalDialog::Close() {
  if (window_ == nullptr) return;
  if (modal_) {
    // The modal loop destroys the window once it sees the end flag.
    EndDialog(window_, IDCANCEL);
  } else {
    DestroyWindow(window_);
  }
}

void ModalDialog::SetCaption(const std::string& text) {
  SetWindowTextW(window_, ToUtf16(text).c_str());
}

void ModalDialog::SizeAndCentre(int width_twips, int height_twips) {
  RECT frame{0, 0, Px(width_twips), Px(height_twips)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const PixelBox place = CentredInWorkArea(
      width, height, {work.left, work.top, work.right - work.left, work.bottom - work.top});
  SetWindowPos(window_, nullptr, place.left, place.top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND ModalDialog::AddControl(HWND parent, const wchar_t* window_class, const std::string& text,
                             DWORD style, const TwipsBox& place, int id, DWORD ex_style) {
  const RECT pixels = ToRect(ToPixels(place, dpi_));
  HWND control =
      CreateWindowExW(ex_style, window_class, ToUtf16(text).c_str(), WS_CHILD | style, pixels.left,
                      pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (control != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HICON ModalDialog::CopyIconFrom(HWND window) {
  const auto big = GetClassLongPtrW(window, GCLP_HICON);
  const auto small = GetClassLongPtrW(window, GCLP_HICONSM);
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, big);
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, small != 0 ? small : big);
  return reinterpret_cast<HICON>(big);
}

void ModalDialog::GrowToText(HWND control, HFONT font, int extra_px, bool exact_width) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
  const SIZE size = TextExtent(control, font, text.empty() ? L" " : text);
  RECT rect;
  GetWindowRect(control, &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  const int wanted = size.cx + extra_px;
  width = exact_width ? wanted : WidthToFit(width, wanted);
  height = std::max(height, static_cast<int>(size.cy));
  SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::GrowToTextHeights(std::span<const DialogControl> controls,
                                    std::span<const HWND> windows, int panel,
                                    HWND container) const {
  RECT client{};
  GetClientRect(container, &client);
  GrowPanelToTextHeights(
      controls, panel, client.bottom,
      [&](std::size_t index) {
        const RECT now = PlaceInParent(windows[index]);
        return GrowingControl{
            {now.left, now.top, now.right - now.left, Px(controls[index].place.height)},
            static_cast<int>(now.bottom - now.top)};
      },
      [&](std::size_t index, const PixelBox& place) {
        SetWindowPos(windows[index], nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      });
}

void ModalDialog::Initialise(HWND window) {
  window_ = window;
  dpi_ = WindowDpi(window);
  font_ = CreateDialogFont(dpi_);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  HWND first_focus = OnCreate();
  if (first_focus != nullptr) SetFocus(first_focus);
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lparam);
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    self->Initialise(window);
    return FALSE;  // the focus is set already
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  const INT_PTR result = self->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    self->window_ = nullptr;
  }
  return result;
}

INT_PTR ModalDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return TRUE;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    default: {
      INT_PTR result = FALSE;
      if (OnMessage(message, wparam, lparam, result)) return result;
      return FALSE;
    }
  }
}

}  // namespace norvaket::win32
