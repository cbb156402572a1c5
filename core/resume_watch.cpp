#include "core/resume_watch.h"

namespace norvaket {

bool IsResumeMessage(std::uint32_t message, std::uint64_t wparam) {
  if (message == kWmPower) return wparam == kPwrSuspendResume || wparam == kPwrCriticalResume;
  if (message == kWmPowerBroadcast) {
    return wparam == kPbtApmResumeAutomatic || wparam == kPbtApmResumeCritical ||
           wparam == kPbtApmResumeSuspend;
  }
  return false;
}

void ResumeWatch::Examine(std::uint32_t message, std::uint64_t wparam) {
  if (busy_) return;
  busy_ = true;
  if (IsResumeMessage(message, wparam)) on_resume_();
  busy_ = false;
}

}  // namespace norvaket
