#pragma once

#include <chrono>

namespace norvaket {

// Blocks the calling thread; injected so that tests of the add retries do not sleep.
class Waiter {
 public:
  virtual ~Waiter() = default;
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

}  // namespace norvaket
