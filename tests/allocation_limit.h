#pragma once
#include <cstddef>

namespace testsupport {

// While alive, the global operator new behaves as if memory ran out: a
// request fails with std::bad_alloc when it would take the bytes allocated
// since the limit was set past `budget`, and, with `failAt` set, the
// failAt-th request (counted from 1) fails whatever its size. Only one
// limit at a time; nothing is limited outside its life.
class AllocationLimit {
 public:
  static constexpr std::size_t kNoCount = 0;
  explicit AllocationLimit(std::size_t budget, std::size_t failAt = kNoCount);
  ~AllocationLimit();
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;
  // Requests made, and requests refused, since the limit was set.
  std::size_t requests() const;
  std::size_t refusals() const;
};

}  // namespace testsupport
