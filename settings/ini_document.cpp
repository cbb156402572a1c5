#include "settings/ini_document.h"

#include "settings/ini_text.h"

namespace norvaket {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The section name of a header line such as "[Norvaket 1.00]", or nothing.
std::optional<std::string_view> SectionName(std::string_view content) {
  content = TrimBlanks(content);
  if (content.empty() || content.front() != '[') return std::nullopt;
  const std::size_t close = content.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(content.substr(1, close - 1));
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != text.npos;
}

// `text` ends with a line break; is the line before it blank?
bool EndsWithBlankLine(std::string_view text) {
  text.remove_suffix(1);
  if (text.ends_with('\r')) text.remove_suffix(1);
  const std::size_t newline = text.rfind('\n');
  const std::string_view last = newline == text.npos ? text : text.substr(newline + 1);
  return TrimBlanks(last).empty() || last == kUtf8Bom;
}

}  // namespace

std::optional<IniDocument::Line> IniDocument::NextLine(std::size_t position) const {
  if (position >= text_.size()) return std::nullopt;
  Line line;
  line.begin = position;
  // A byte order mark left by an editor is not part of the first line's text.
  if (position == 0 && std::string_view(text_).starts_with(kUtf8Bom)) line.begin = kUtf8Bom.size();
  const std::size_t newline = text_.find('\n', line.begin);
  line.end = newline == std::string::npos ? text_.size() : newline + 1;
  line.content_end = newline == std::string::npos ? text_.size() : newline;
  if (line.content_end > line.begin && text_[line.content_end - 1] == '\r') --line.content_end;
  return line;
}

std::string_view IniDocument::Content(const Line& line) const {
  return std::string_view(text_).substr(line.begin, line.content_end - line.begin);
}

std::optional<IniDocument::SectionSpan> IniDocument::FindSection(std::string_view section) const {
  std::optional<SectionSpan> found;
  for (auto line = NextLine(0); line; line = NextLine(line->end)) {
    const std::string_view content = Content(*line);
    const std::optional<std::string_view> name = SectionName(content);
    if (found) {
      if (name) break;  // the next section begins
      if (!TrimBlanks(content).empty()) found->last_non_blank_end = line->end;
    } else if (name && EqualsIgnoringCase(*name, section)) {
      found = SectionSpan{*line, line->end};
    }
  }
  return found;
}

std::optional<IniDocument::KeyLine> IniDocument::FindKey(const SectionSpan& section,
                                                         std::string_view key) const {
  for (auto line = NextLine(section.header.end); line; line = NextLine(line->end)) {
    const std::string_view content = Content(*line);
    if (SectionName(content)) break;
    const std::string_view trimmed = TrimBlanks(content);
    if (trimmed.starts_with(';')) continue;
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) continue;
    if (EqualsIgnoringCase(TrimBlanks(content.substr(0, equals)), key)) {
      return KeyLine{*line, line->begin + equals + 1};
    }
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const std::optional<SectionSpan> span = FindSection(section);
  if (!span) return std::nullopt;
  const std::optional<KeyLine> found = FindKey(*span, key);
  if (!found) return std::nullopt;
  const std::string_view value = std::string_view(text_).substr(
      found->value_begin, found->line.content_end - found->value_begin);
  return std::string(Unquoted(TrimBlanks(value)));
}

std::string IniDocument::GetProfileString(std::string_view section, std::string_view key) const {
  return CutUtf8(Get(section, key).value_or(""), kMaxValueBytes);
}

std::string IniDocument::LineBreak() const {
  const std::size_t newline = text_.find('\n');
  if (newline != std::string::npos && newline > 0 && text_[newline - 1] == '\r') return "\r\n";
  return "\n";
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view trimmed_key = TrimBlanks(key);
  const std::string_view trimmed_section = TrimBlanks(section);
  if (trimmed_key.empty() || trimmed_section.empty() || HasLineBreak(section) ||
      HasLineBreak(key) || HasLineBreak(value) || key.find('=') != key.npos ||
      section.find(']') != section.npos || trimmed_key.starts_with('[') ||
      trimmed_key.starts_with(';')) {
    return false;
  }
  const std::optional<SectionSpan> span = FindSection(trimmed_section);
  if (!span) {
    AppendSection(trimmed_section, trimmed_key, value);
    return true;
  }
  if (const std::optional<KeyLine> found = FindKey(*span, trimmed_key)) {
    text_.replace(found->value_begin, found->line.content_end - found->value_begin, value);
    return true;
  }
  std::string line;
  const std::size_t at = span->last_non_blank_end;
  // The section's last line may be the file's last line without a line break.
  if (at > 0 && text_[at - 1] != '\n') line += LineBreak();
  line.append(trimmed_key).append("=").append(value).append(LineBreak());
  text_.insert(at, line);
  return true;
}

void IniDocument::AppendSection(std::string_view section, std::string_view key,
                                std::string_view value) {
  const std::string line_break = LineBreak();
  if (!text_.empty() && text_.back() != '\n') text_ += line_break;
  // A blank line between the last section and the new one, as people write them.
  if (!text_.empty() && !EndsWithBlankLine(text_)) text_ += line_break;
  text_.append("[").append(section).append("]").append(line_break);
  text_.append(key).append("=").append(value).append(line_break);
}

}  // namespace norvaket
