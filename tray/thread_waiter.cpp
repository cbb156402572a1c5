#include <thread>

#include "tray/thread_waiter.h"

namespace norvaket {

void ThreadWaiter::Sleep(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

}  // namespace norvaket
