#pragma once

#include <string>
#include <string_view>

namespace norvaket {

// Text helpers with the profile functions' idea of blanks (space and tab) and of
// letter case (ASCII letters only; every key and section the program uses is ASCII).
bool IsBlank(char c);
std::string_view TrimBlanks(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// At most `max_bytes` bytes of UTF-8 text, never cut inside a character.
std::string CutUtf8(std::string_view text, std::size_t max_bytes);

}  // namespace norvaket
