#pragma once

#include <windows.h>

#include <string>

namespace norvaket::win32 {

// One running copy per logon session, through a named mutex in the session's
// namespace. The system drops the mutex with the process, so a crashed copy
// never blocks the next start.
class SingleInstance {
 public:
  static constexpr wchar_t kMutexName[] = L"Local\\Norvaket.SingleInstance";

  explicit SingleInstance(std::wstring name = kMutexName) : name_(std::move(name)) {}
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance();

  // Claims the name; true when another copy already holds it. A mutex that
  // cannot be made at all does not stop the program.
  bool IsAnotherInstanceRunning();

 private:
  std::wstring name_;
  HANDLE mutex_ = nullptr;
};

}  // namespace norvaket::win32
