#pragma once

namespace norvaket {

// Local wall-clock time, to the second.
struct LocalDateTime {
  int year = 2026;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

}  // namespace norvaket
