#include "platform/win32/win32_launcher.h"

#include <windows.h>
// after <windows.h>, which it needs
#include <shellapi.h>

#include "platform/win32/process_launcher.h"
#include "platform/win32/utf16.h"

namespace norvaket::win32 {

void Win32Launcher::StartCommandLine(const std::string& command_line) {
  StartProcess(command_line);
}

void Win32Launcher::OpenLink(const std::string& target) {
  ShellExecuteW(nullptr, L"open", ToUtf16(target).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace norvaket::win32
