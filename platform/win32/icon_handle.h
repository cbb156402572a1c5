#pragma once

#include <windows.h>

#include "tray/tray_icons.h"

namespace norvaket::win32 {

// An HICON that is destroyed when it goes out of scope: a tray icon lives only
// for the shell call that uses it (the shell keeps its own copy).
class UniqueIcon {
 public:
  UniqueIcon() = default;
  explicit UniqueIcon(HICON icon) : icon_(icon) {}
  UniqueIcon(UniqueIcon&& other) noexcept : icon_(other.Release()) {}
  UniqueIcon& operator=(UniqueIcon&& other) noexcept;
  UniqueIcon(const UniqueIcon&) = delete;
  UniqueIcon& operator=(const UniqueIcon&) = delete;
  ~UniqueIcon();

  HICON Get() const { return icon_; }
  HICON Release();

 private:
  HICON icon_ = nullptr;
};

// A 32-bit icon with alpha from a drawn image, through CreateIconIndirect.
// Empty when the image is empty or malformed or the system refuses.
UniqueIcon CreateIconFromImage(const RgbaImage& image);

}  // namespace norvaket::win32
