#include "platform/win32/win32_notify_shell.h"

#include <algorithm>
#include <string>

#include "platform/win32/icon_handle.h"
#include "platform/win32/utf16.h"

namespace norvaket::win32 {
namespace {

// Copies the text with its closing NUL. The cut here only guards the field:
// texts arrive already cut, and a longer one is a fault to be contained.
template <std::size_t N>
void CopyText(wchar_t (&field)[N], const std::string& utf8) {
  const std::wstring utf16 = ToUtf16(utf8);
  const std::size_t units = std::min(utf16.size(), N - 1);
  std::copy_n(utf16.begin(), units, field);
  field[units] = L'\0';
}

DWORD ShellMessage(NotifyMessage message) {
  switch (message) {
    case NotifyMessage::Add:
      return NIM_ADD;
    case NotifyMessage::Modify:
      return NIM_MODIFY;
    case NotifyMessage::Delete:
      return NIM_DELETE;
  }
  return NIM_MODIFY;
}

}  // namespace

NOTIFYICONDATAW FromRecord(const TrayIconRecord& record, HICON icon) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.hWnd = reinterpret_cast<HWND>(record.hWnd);
  data.uID = record.uID;
  data.uFlags = record.uFlags;
  data.uCallbackMessage = record.uCallbackMessage;
  data.hIcon = icon;
  CopyText(data.szTip, record.szTip);
  data.dwState = record.dwState;
  data.dwStateMask = record.dwStateMask;
  CopyText(data.szInfo, record.szInfo);
  data.uTimeout = record.uTimeout;
  CopyText(data.szInfoTitle, record.szInfoTitle);
  data.dwInfoFlags = record.dwInfoFlags;
  return data;
}

bool Win32NotifyShell::ShellNotifyIcon(NotifyMessage message, const TrayIconRecord& record) {
  UniqueIcon icon;
  // A delete needs only the window and the id.
  if (message != NotifyMessage::Delete) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    icon = CreateIconFromImage(icons_.IconImage(record.hIcon, size));
  }
  NOTIFYICONDATAW data = FromRecord(record, icon.Get());
  return Shell_NotifyIconW(ShellMessage(message), &data) != FALSE;
}

}  // namespace norvaket::win32
