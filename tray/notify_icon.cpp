#include "tray/notify_icon.h"

#include "tray/utf16_limit.h"

namespace norvaket {

void NotifyIcon::SetPlainRecord(WindowHandle window, std::int32_t icon, const std::string& tip) {
  record_.hWnd = window;
  record_.hIcon = icon;
  record_.szTip = CutToUtf16Units(tip, kTipMaxUnits);
  record_.uCallbackMessage = kTrayCallbackMessage;
  record_.uFlags = kFlagsPlain;
  record_.uID = kTrayIconUid;
}

void NotifyIcon::NotifyIconAdd(WindowHandle window, std::int32_t icon, const std::string& tip) {
  SetPlainRecord(window, icon, tip);
  for (int attempt = 0; attempt < kAddAttempts; ++attempt) {
    if (shell_.ShellNotifyIcon(NotifyMessage::Add, record_)) return;
    // A tray that is not up yet at logon gets its chance during these waits.
    waiter_.Sleep(kAddRetryDelay);
  }
}

void NotifyIcon::NotifyIconRestore(WindowHandle window, std::int32_t icon,
                                   const std::string& tip) {
  SetPlainRecord(window, icon, tip);
  if (shell_.ShellNotifyIcon(NotifyMessage::Modify, record_)) return;
  shell_.ShellNotifyIcon(NotifyMessage::Add, record_);
}

void NotifyIcon::NotifyIconModify(std::int32_t icon, const std::string& tip,
                                  const std::string& text, const std::string& title,
                                  bool warning, bool urgent) {
  if (icon != 0) record_.hIcon = icon;
  if (!tip.empty()) record_.szTip = CutToUtf16Units(tip, kTipMaxUnits);
  if (!text.empty()) {
    record_.szInfoTitle = CutToUtf16Units(title, kInfoTitleMaxUnits);
    record_.szInfo = CutToUtf16Units(text, kInfoMaxUnits);
    // Without NIF_TIP: a tip passed with a balloon is stored but shown only by
    // the next plain modify.
    record_.uFlags = kFlagsBalloon;
    record_.dwInfoFlags = warning ? kNiifWarning : kNiifInfo;
    record_.urgent = urgent;
  } else {
    record_.szInfoTitle.clear();
    record_.szInfo.clear();
    record_.dwInfoFlags = kNiifNone;
    record_.urgent = false;
    record_.uFlags = kFlagsPlain;
  }
  shell_.ShellNotifyIcon(NotifyMessage::Modify, record_);
}

void NotifyIcon::NotifyIconDelete() { shell_.ShellNotifyIcon(NotifyMessage::Delete, record_); }

}  // namespace norvaket
