#pragma once

#include "tray/waiter.h"

namespace norvaket {

// Sleeps for real: the Windows start-up waits between its tries of the icon add.
class ThreadWaiter final : public Waiter {
 public:
  void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace norvaket
