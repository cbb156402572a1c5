#include "platform/qt/command_line.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <string_view>
#include <utility>

#include "resources/version_info.h"

namespace norvaket::qt {
namespace {

constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "usage: norvaket [--help] [--version] [Qt options]\n"
    "Watches the power supply and the battery from an icon in the notification area.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Qt's standard options (-platform NAME, -display DISPLAY, -session ID, ...) are\n"
    "passed to Qt. See norvaket(1).\n";

// Qt reads these itself; the ones in the first list take the next argument.
constexpr std::array<std::string_view, 14> kQtOptionsWithValue = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle", "-display", "-style", "-stylesheet",
    "-session", "-name", "-title", "-geometry"};
constexpr std::array<std::string_view, 5> kQtFlags = {"-reverse", "-widgetcount", "-sync", "-nograb",
                                                      "-dograb"};

bool Contains(const auto& list, std::string_view option) {
  return std::find(list.begin(), list.end(), option) != list.end();
}

// Qt takes "--platform" for "-platform", and "-platform=NAME" for the pair.
std::string_view QtOptionName(std::string_view arg) {
  if (arg.starts_with("--")) arg.remove_prefix(1);
  return arg.substr(0, arg.find('='));
}

}  // namespace

std::optional<int> AnswerCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                     std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      out << kUsage;
      return 0;
    }
    if (arg == "--version") {
      out << "norvaket " << version::kVersionText << " (" << version::kTitle << ")\n";
      return 0;
    }
    const std::string_view name = QtOptionName(arg);
    if (Contains(kQtFlags, name)) continue;
    if (Contains(kQtOptionsWithValue, name)) {
      const bool value_attached = arg.find('=') != std::string::npos;
      if (!value_attached && ++i == args.size()) {
        err << "norvaket: option " << arg << " needs a value\n" << kUsage;
        return kUsageError;
      }
      continue;
    }
    err << "norvaket: unknown option '" << arg << "'\n" << kUsage;
    return kUsageError;
  }
  return std::nullopt;
}

std::optional<std::string> QtOptionValue(const std::vector<std::string>& args,
                                         std::string_view option) {
  std::optional<std::string> value;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view name = QtOptionName(args[i]);
    if (!Contains(kQtOptionsWithValue, name)) continue;
    const std::size_t equals = args[i].find('=');
    std::string given = equals != std::string::npos ? args[i].substr(equals + 1)
                        : i + 1 < args.size()       ? args[++i]
                                                    : std::string();
    if (name == option) value = std::move(given);
  }
  return value;
}

}  // namespace norvaket::qt
