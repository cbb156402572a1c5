#include "platform/win32/main_window.h"

#include "core/icon_ids.h"
#include "platform/win32/window_class.h"
#include "tray/notify_icon_record.h"

namespace norvaket::win32 {
namespace {

bool RegisterMainWindowClass(HINSTANCE instance, WNDPROC window_proc) {
  const WindowClass main_class{
      .name = MainWindow::kClassName,
      .window_proc = window_proc,
      // The program icon, where the executable carries one.
      .icon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconId)),
      // The small size drawn for it, not the large one shrunk (captions, dialogs).
      .small_icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId),
                                                  IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), LR_SHARED))};
  return RegisterWindowClass(instance, main_class);
}

}  // namespace

MainWindow::~MainWindow() {
  // Whoever receives the events may already be going away with us.
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  update_timer_.Disable();
  exit_timer_.Disable();
  if (window_ != nullptr) DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
  if (window_ != nullptr) return true;
  if (!RegisterMainWindowClass(instance, &MainWindow::WindowProc)) return false;
  // Registered before the window exists, so that no broadcast is missed.
  taskbar_created_message_ = RegisterWindowMessageW(L"TaskbarCreated");
  HWND window = CreateWindowExW(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                instance, this);
  if (window == nullptr) return false;
  // Never shown: no ShowWindow call, so it stays hidden for the whole run.
  return true;
}

void MainWindow::Close() {
  update_timer_.Disable();
  exit_timer_.Disable();
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    self->update_timer_.Attach(window);
    self->exit_timer_.Attach(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  const LRESULT result = self->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->events_.OnDestroyed();
  }
  return result;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kTrayCallbackMessage) {
    events_.OnTrayMouse(LOWORD(lparam));
    return 0;
  }
  if (message == taskbar_created_message_ && message != 0) {
    events_.OnTaskbarCreated();
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      HandleTimer(wparam);
      return 0;
    case WM_COMMAND:
      events_.OnMenuCommand(LOWORD(wparam));
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Only an end that really happens: a log-off that another program
      // cancelled must not leave us running without windows.
      if (wparam != FALSE) events_.OnSessionEnding();
      return 0;
    case WM_CLOSE:
      events_.OnCloseRequested();
      return 0;
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

void MainWindow::HandleTimer(UINT_PTR id) {
  // A tick already queued when its timer was disabled is dropped.
  if (id == update_timer_.Id() && update_timer_.Enabled()) {
    events_.OnUpdateTick();
  } else if (id == exit_timer_.Id() && exit_timer_.Enabled()) {
    exit_timer_.Disable();
    events_.OnExitTick();
  }
}

}  // namespace norvaket::win32
