#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace norvaket {

// The text of an INI file, read and edited the way the Windows profile functions do:
// section and key names match in any letter case, blanks around names and values do
// not count, a value in matching quotes loses them, and a line starting with ';' is a
// comment. An edit changes or adds one line and keeps every other byte of the text.
class IniDocument {
 public:
  // A value read into the profile functions' 100-byte buffer keeps at most 99 bytes.
  static constexpr std::size_t kMaxValueBytes = 99;

  IniDocument() = default;
  explicit IniDocument(std::string text) : text_(std::move(text)) {}

  const std::string& Text() const { return text_; }

  // The value of the first such key in the first such section; nothing when either
  // is missing. Blanks and one pair of matching quotes around the value are removed.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Get cut to kMaxValueBytes (never inside a character); empty when missing.
  std::string GetProfileString(std::string_view section, std::string_view key) const;

  // Replaces the key's value in place or adds "key=value" after the last non-blank line
  // of its section; a missing section is added at the end. False, with the text left
  // as it was, for names or values that would change the file's structure (line breaks,
  // '=' in a key, ']' in a section name, empty names).
  bool Set(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Line {
    std::size_t begin = 0;        // first byte of the line
    std::size_t content_end = 0;  // before "\r\n" or "\n"
    std::size_t end = 0;          // after the line break
  };
  struct KeyLine {
    Line line;
    std::size_t value_begin = 0;  // just after the '='
  };
  struct SectionSpan {
    Line header;
    std::size_t last_non_blank_end = 0;  // end of the section's last non-blank line
  };

  std::optional<Line> NextLine(std::size_t position) const;
  std::string_view Content(const Line& line) const;
  std::optional<SectionSpan> FindSection(std::string_view section) const;
  std::optional<KeyLine> FindKey(const SectionSpan& section, std::string_view key) const;
  std::string LineBreak() const;
  void AppendSection(std::string_view section, std::string_view key, std::string_view value);

  std::string text_;
};

}  // namespace norvaket
