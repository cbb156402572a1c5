#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace norvaket {

// An opaque handle of the window that owns the icon (HWND on Windows).
using WindowHandle = std::uintptr_t;

inline constexpr std::uint32_t kNifMessage = 0x1;
inline constexpr std::uint32_t kNifIcon = 0x2;
inline constexpr std::uint32_t kNifTip = 0x4;
inline constexpr std::uint32_t kNifInfo = 0x10;
inline constexpr std::uint32_t kFlagsPlain = kNifMessage | kNifIcon | kNifTip;     // 7
inline constexpr std::uint32_t kFlagsBalloon = kNifMessage | kNifIcon | kNifInfo;  // 0x13

inline constexpr std::uint32_t kNiifNone = 0;
inline constexpr std::uint32_t kNiifInfo = 1;
inline constexpr std::uint32_t kNiifWarning = 2;

// The mouse events on the icon come back as this message (the number of WM_MOUSEMOVE).
inline constexpr std::uint32_t kTrayCallbackMessage = 0x200;
inline constexpr std::uint32_t kTrayIconUid = 1;

// Text limits of the shell record, in UTF-16 code units, without the closing NUL.
inline constexpr std::size_t kTipMaxUnits = 127;
inline constexpr std::size_t kInfoMaxUnits = 255;
inline constexpr std::size_t kInfoTitleMaxUnits = 63;

// The notify-icon record as the shell sees it (NOTIFYICONDATA with balloon fields).
// `hIcon` holds the tray icon id; each shell turns it into an image of its own.
// Each operation writes only its own fields; the rest keep what an earlier one left.
struct TrayIconRecord {
  WindowHandle hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::int32_t hIcon = 0;
  std::string szTip;
  std::uint32_t dwState = 0;
  std::uint32_t dwStateMask = 0;
  std::string szInfo;
  std::uint32_t uTimeout = 0;
  std::string szInfoTitle;
  std::uint32_t dwInfoFlags = 0;
  // Not in the Windows record: a low- or empty-battery balloon, which a
  // notification server keeps on screen and ranks first. Windows has no such mark.
  bool urgent = false;

  friend bool operator==(const TrayIconRecord&, const TrayIconRecord&) = default;
};

}  // namespace norvaket
