#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/icon_ids.h"
#include "resources/icon_painter.h"
#include "resources/version_info.h"
#include "tools/icons/icon_files.h"

namespace {

constexpr const char* kUsage =
    "usage: norvaket-icons COMMAND [ARGUMENTS]\n"
    "  hicolor DIR          the program icon as DIR/<n>x<n>/apps/norvaket.png\n"
    "                       for n = 16 22 24 32 48 64 128 256\n"
    "  ico FILE             the program icon as a Windows .ico (16 20 24 32 48 64 256)\n"
    "  app SIZE FILE        the program icon at SIZE pixels as PNG\n"
    "  tray ID SIZE FILE    tray icon ID at SIZE pixels as PNG\n"
    "  ids                  list every tray icon id\n"
    "  --help, --version\n"
    "SIZE is 16..256.\n";

std::optional<int> ParseInt(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<int> ParseSize(const std::string& text) {
  const auto size = ParseInt(text);
  if (!size || *size < norvaket::kMinIconSize || *size > norvaket::kMaxIconSize) return std::nullopt;
  return size;
}

int UsageError(const std::string& message) {
  std::cerr << "norvaket-icons: " << message << "\n" << kUsage;
  return 2;
}

int Finish(bool written, const std::string& error) {
  if (written) return 0;
  std::cerr << "norvaket-icons: " << error << "\n";
  return 1;
}

int Run(const std::vector<std::string>& args) {
  using namespace norvaket::icon_tool;
  if (args.empty()) return UsageError("no command");
  const std::string& command = args[0];
  std::string error;
  if (command == "--help" && args.size() == 1) {
    std::cout << kUsage;
    return 0;
  }
  if (command == "--version" && args.size() == 1) {
    std::cout << "norvaket-icons " << norvaket::version::kVersionText << " (" << norvaket::version::kTitle
              << ")\n";
    return 0;
  }
  if (command == "ids" && args.size() == 1) {
    for (std::int32_t id : norvaket::AllTrayIconIds()) std::cout << id << "\n";
    return 0;
  }
  if (command == "hicolor" && args.size() == 2) return Finish(WriteHicolorIcons(args[1], error), error);
  if (command == "ico" && args.size() == 2) return Finish(WriteAppIco(args[1], error), error);
  if (command == "app" && args.size() == 3) {
    const auto size = ParseSize(args[1]);
    if (!size) return UsageError("bad size " + args[1]);
    return Finish(WriteAppPng(*size, args[2], error), error);
  }
  if (command == "tray" && args.size() == 4) {
    const auto id = ParseInt(args[1]);
    if (!id) return UsageError("bad icon id " + args[1]);
    const auto size = ParseSize(args[2]);
    if (!size) return UsageError("bad size " + args[2]);
    return Finish(WriteTrayPng(*id, *size, args[3], error), error);
  }
  return UsageError("unknown command or wrong number of arguments: " + command);
}

}  // namespace

int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
