#include "platform/win32/process_launcher.h"

#include <windows.h>

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

}  // namespace norvaket::win32
