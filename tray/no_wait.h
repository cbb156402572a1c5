#pragma once

#include "tray/waiter.h"

namespace norvaket {

// Returns at once: for whatever runs the icon add where no pause helps (replays,
// benchmarks, tests against a shell that answers at once).
class NoWait final : public Waiter {
 public:
  void Sleep(std::chrono::milliseconds) override {}
};

}  // namespace norvaket
