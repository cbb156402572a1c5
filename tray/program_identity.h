#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace norvaket {

// What the about box tells about the program. The build fills it from the one
// place that holds these facts (the project's CMakeLists.txt).
struct ProgramIdentity {
  std::string title;
  std::int32_t major = 0;
  std::int32_t minor = 0;
  std::int32_t revision = 0;
  std::string legal_notice;
  std::string web_address;
  std::string mail_address;
};

ProgramIdentity BuiltProgramIdentity();

// "<title> のバージョン情報".
std::string AboutCaption(const std::string& title);

// "バージョン 1.11.0077" for 1.11.77: the minor number at least two digits, the
// revision at least four, zero-padded; a longer number is written in full.
std::string VersionLabel(std::int32_t major, std::int32_t minor, std::int32_t revision);

// A link of the about box: the text shown and the target a click opens. The
// target alone decides what opens.
struct AboutLink {
  std::string caption;
  std::string tag;

  friend bool operator==(const AboutLink&, const AboutLink&) = default;
};

inline constexpr std::size_t kWebLink = 0;
inline constexpr std::size_t kMailLink = 1;

// Element 0 the web address, element 1 the mail address (opened as "mailto:").
std::array<AboutLink, 2> AboutLinks(const ProgramIdentity& identity);

}  // namespace norvaket
