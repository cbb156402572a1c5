#include "platform/win32/win32_launcher.h"

#include <windows.h>
// after <windows.h>, which it needs
#include <shellapi.h>

#include "platform/win32/utf16.h"

namespace norvaket::win32 {

bool StartProcess(const std::string& command_line) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring writable = ToUtf16(command_line);
  if (writable.empty()) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void Win32Launcher::StartCommandLine(const std::string& command_line) {
  StartProcess(command_line);
}

void Win32Launcher::OpenLink(const std::string& target) {
  ShellExecuteW(nullptr, L"open", ToUtf16(target).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace norvaket::win32
