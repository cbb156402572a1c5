#include "platform/win32/single_instance.h"

namespace norvaket::win32 {

SingleInstance::~SingleInstance() {
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool SingleInstance::IsAnotherInstanceRunning() {
  if (mutex_ != nullptr) return false;
  SetLastError(ERROR_SUCCESS);
  mutex_ = CreateMutexW(nullptr, FALSE, name_.c_str());
  const DWORD error = GetLastError();
  // Access denied: a copy with other rights (elevated) holds the name.
  const bool already_exists = error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
  if (already_exists && mutex_ != nullptr) {
    CloseHandle(mutex_);
    mutex_ = nullptr;
  }
  return already_exists;
}

}  // namespace norvaket::win32
