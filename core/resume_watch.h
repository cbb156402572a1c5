#pragma once

#include <cstdint>
#include <functional>

namespace norvaket {

inline constexpr std::uint32_t kWmPower = 0x48;
inline constexpr std::uint32_t kWmPowerBroadcast = 0x218;
inline constexpr std::uint64_t kPwrSuspendResume = 2;
inline constexpr std::uint64_t kPwrCriticalResume = 3;
inline constexpr std::uint64_t kPbtApmResumeCritical = 6;
inline constexpr std::uint64_t kPbtApmResumeSuspend = 7;
inline constexpr std::uint64_t kPbtApmResumeAutomatic = 0x12;

// True for the window messages that tell of a resume from standby.
bool IsResumeMessage(std::uint32_t message, std::uint64_t wparam);

// The examination half of the window hook: every message is looked at unless an
// earlier one is still being examined (the evaluation it starts talks to the
// shell, which may send the window more messages). Passing the message on to the
// previous window procedure is the platform hook's job and happens in every case.
class ResumeWatch {
 public:
  explicit ResumeWatch(std::function<void()> on_resume) : on_resume_(std::move(on_resume)) {}

  void Examine(std::uint32_t message, std::uint64_t wparam);
  bool Busy() const { return busy_; }

 private:
  std::function<void()> on_resume_;
  bool busy_ = false;
};

}  // namespace norvaket
