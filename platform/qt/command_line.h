#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvaket::qt {

// Answers --version, --help and bad options before the program touches the
// display, so they work on a console without a desktop. Qt's own standard
// options (-platform, -display, -session, ...) pass through to Qt.
// Returns the exit status when the command line is answered here, or nothing
// when the program should start.
std::optional<int> AnswerCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                     std::ostream& err);

// The value of one of Qt's options taken by Qt ("-platform", "-display"), written as
// "-platform NAME", "--platform NAME" or "-platform=NAME"; the last one counts.
std::optional<std::string> QtOptionValue(const std::vector<std::string>& args,
                                         std::string_view option);

}  // namespace norvaket::qt
