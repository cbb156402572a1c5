#pragma once

#include <string>
#include <vector>

namespace norvaket::testing {

// One list of calls shared by several fakes, so a test can check their order.
struct CallJournal {
  std::vector<std::string> calls;
  void Add(std::string call) { calls.push_back(std::move(call)); }
};

}  // namespace norvaket::testing
