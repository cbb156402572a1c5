#include "platform/linux/desktop_entry.h"

namespace norvaket::linux_platform {

namespace {

constexpr std::string_view kReservedCharacters = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";

bool HasControlCharacter(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  }
  return false;
}

std::string QuotedArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(kReservedCharacters) == std::string::npos) return arg;
  std::string quoted = "\"";
  for (const char c : arg) {
    if (kEscapedInQuotes.find(c) != std::string_view::npos) quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// The string escapes of a desktop file value (\s \n \t \r \\) undone.
std::string UnescapeValue(std::string_view value) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      text += value[i];
      continue;
    }
    switch (value[++i]) {
      case 's':
        text += ' ';
        break;
      case 'n':
        text += '\n';
        break;
      case 't':
        text += '\t';
        break;
      case 'r':
        text += '\r';
        break;
      case '\\':
        text += '\\';
        break;
      default:
        text += '\\';
        text += value[i];
        break;
    }
  }
  return text;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::string> DesktopExecValue(const std::vector<std::string>& args) {
  std::string command;
  for (const std::string& arg : args) {
    if (HasControlCharacter(arg)) return std::nullopt;
    if (!command.empty()) command += ' ';
    command += QuotedArgument(arg);
  }
  // A literal percent sign is doubled (field codes), then every backslash is doubled
  // once more for the file's string escapes.
  std::string value;
  for (const char c : command) {
    if (c == '%') value += '%';
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

std::optional<std::vector<std::string>> ParseDesktopExecValue(std::string_view value) {
  const std::string command = UnescapeValue(value);
  std::vector<std::string> args;
  std::string current;
  bool in_argument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < command.size() &&
                 kEscapedInQuotes.find(command[i + 1]) != std::string_view::npos) {
        current += command[++i];
      } else if (c == '%' && i + 1 < command.size() && command[i + 1] == '%') {
        current += command[++i];
      } else {
        current += c;
      }
    } else if (c == ' ' || c == '\t') {
      if (in_argument) args.push_back(std::move(current));
      current.clear();
      in_argument = false;
    } else if (c == '"') {
      quoted = in_argument = true;
    } else if (c == '%' && i + 1 < command.size() && command[i + 1] == '%') {
      current += command[++i];
      in_argument = true;
    } else {
      current += c;
      in_argument = true;
    }
  }
  if (quoted) return std::nullopt;
  if (in_argument) args.push_back(std::move(current));
  return args;
}

AutostartEntry ParseAutostartEntry(std::string_view text) {
  AutostartEntry entry;
  bool in_main_group = false;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with('[')) {
      in_main_group = line == "[Desktop Entry]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!in_main_group || line.starts_with('#') || equals == std::string_view::npos) continue;
    // Keys match exactly; blanks around the '=' do not count.
    const std::string_view key = TrimSpaces(line.substr(0, equals));
    const std::string_view value = TrimSpaces(line.substr(equals + 1));
    if (key == "Hidden") entry.hidden = value == "true";
    if (key == "Exec" && !entry.exec) entry.exec = std::string(value);
  }
  return entry;
}

std::string AutostartEntryText(std::string_view name, std::string_view exec_value) {
  std::string text = "[Desktop Entry]\nType=Application\nName=";
  text.append(name).append("\nExec=").append(exec_value).append("\n");
  return text;
}

}  // namespace norvaket::linux_platform
