#include "platform/win32/dialog_panel.h"

#include "platform/win32/window_class.h"

namespace norvaket::win32 {

HWND DialogPanel::Create(HINSTANCE instance, HWND dialog, const TwipsBox& place, int dpi, int id,
                         bool visible) {
  const WindowClass panel_class{.name = kClassName,
                                .window_proc = &DialogPanel::WindowProc,
                                .background = GetSysColorBrush(COLOR_BTNFACE)};
  if (!RegisterWindowClass(instance, panel_class)) return nullptr;
  dialog_ = dialog;
  dpi_ = dpi;
  const RECT pixels = ToRect(ToPixels(place, dpi));
  // WS_EX_CONTROLPARENT: the dialog manager tabs into the panel's controls.
  window_ = CreateWindowExW(
      WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0),
      pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
  return window_;
}

LRESULT CALLBACK DialogPanel::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<DialogPanel*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<DialogPanel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return SendMessageW(self->dialog_, message, wparam, lparam);
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      DrawRuleLines(dc, self->lines_, self->dpi_);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      return DefWindowProcW(window, message, wparam, lparam);
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace norvaket::win32
