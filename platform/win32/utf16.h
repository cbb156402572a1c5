#pragma once

#include <string>
#include <string_view>

namespace norvaket::win32 {

// Text crosses the Win32 boundary here and only here: UTF-8 inside the
// program, UTF-16 in the W API. Malformed input becomes U+FFFD, never an
// error, and no ANSI code page is involved.
std::wstring ToUtf16(std::string_view utf8);
std::string ToUtf8(std::wstring_view utf16);

}  // namespace norvaket::win32
