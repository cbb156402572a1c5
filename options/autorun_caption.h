#pragma once

namespace norvaket {

// The autorun check box names the logon it starts with: Windows says whose logon it
// is, a Linux desktop session has no such name.
struct AutoRunCaptions {
  const char* windows;
  const char* desktop;
};

inline constexpr AutoRunCaptions kAutoRunCaption{
    "Windows へのログオン時に Halvoria を実行する(&R)",
    "ログオン時に Halvoria を実行する(&R)",
};

}  // namespace norvaket
