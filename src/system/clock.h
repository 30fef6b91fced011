#pragma once
#include <cstdint>
#include <string>

namespace sys {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds of a monotonic clock.
  virtual std::int64_t nowMs() = 0;
  // Waits ms milliseconds. No timer, input or posted work of the program
  // runs meanwhile; its windows still repaint and answer the system.
  virtual void sleep(int ms) = 0;
  // The time of day in the system locale's long format, e.g. "14:03:27";
  // empty when the locale gives no usable pattern.
  virtual std::string timeOfDay() = 0;
  // The same time as "hh:mm:ss": 24 hours, two digits each.
  virtual std::string plainTimeOfDay() = 0;
};

}  // namespace sys
