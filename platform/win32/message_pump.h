#pragma once

namespace norvaket::win32 {

// Dispatches what is already waiting in the thread's queue and returns. A
// quit request is left in the queue for the loop that owns it.
void ProcessWaitingMessages();

}  // namespace norvaket::win32
