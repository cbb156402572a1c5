#include <windows.h>

#include "platform/win32/win32_program.h"

// Unicode entry point (-municode): the program takes no arguments.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int /*show*/) {
  norvaket::win32::Win32Program program(instance);
  return program.Run();
}
