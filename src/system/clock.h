#pragma once
#include <cstdint>
#include <string>

namespace sys {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds of a monotonic clock.
  virtual std::int64_t nowMs() = 0;
  virtual void sleep(int ms) = 0;
  // The time of day in the locale's long format, e.g. "14:03:27".
  virtual std::string timeOfDay() = 0;
};

}  // namespace sys
