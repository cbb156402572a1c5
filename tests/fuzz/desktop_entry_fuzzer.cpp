// The desktop-entry reader: any file text, any Exec value. Whatever the reader
// accepts and the writer can quote reads back as the same arguments, and an
// entry we write reads back as enabled with its Exec value.
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/linux/desktop_entry.h"

namespace {

using namespace norvaket::linux_platform;
using norvaket::fuzz::AsText;

void CheckArgumentsRoundTrip(const std::vector<std::string>& args) {
  const std::optional<std::string> exec = DesktopExecValue(args);
  if (!exec) return;
  NORVAKET_FUZZ_CHECK(exec->find('\n') == exec->npos);
  const std::optional<std::vector<std::string>> back = ParseDesktopExecValue(*exec);
  NORVAKET_FUZZ_CHECK(back && *back == args);
  const AutostartEntry entry = ParseAutostartEntry(AutostartEntryText("Halvoria", *exec));
  NORVAKET_FUZZ_CHECK(!entry.hidden && entry.exec == *exec);
}

std::vector<std::string> SplitAtNul(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (true) {
    const std::size_t nul = text.find('\0', at);
    parts.emplace_back(text.substr(at, nul == text.npos ? text.npos : nul - at));
    if (nul == text.npos) return parts;
    at = nul + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = AsText(data, size);

  const AutostartEntry entry = ParseAutostartEntry(text);
  if (entry.exec) {
    if (const auto args = ParseDesktopExecValue(*entry.exec)) CheckArgumentsRoundTrip(*args);
  }
  if (const auto args = ParseDesktopExecValue(text)) CheckArgumentsRoundTrip(*args);
  CheckArgumentsRoundTrip(SplitAtNul(text));
  return 0;
}
