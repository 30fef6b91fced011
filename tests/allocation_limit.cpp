// The global allocation functions of the test program, with the limit of
// allocation_limit.h. Each block carries its size in front, so that what
// is freed while a limit is set gives its bytes back to the budget.
#include "allocation_limit.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHeader = alignof(std::max_align_t);

std::atomic<bool> limited{false};
std::atomic<std::size_t> budget{0}, failAt{0}, requestCount{0}, refusalCount{0};
// Bytes allocated since the limit was set, less those freed since.
std::atomic<long long> taken{0};
// Blocks allocated while a limit was set carry this mark, so that freeing a
// block older than the limit does not add to the budget.
constexpr std::uint32_t kCounted = 0x4C494D54;

struct Header {
  std::size_t size;
  std::uint32_t mark;
};
static_assert(sizeof(Header) <= kHeader);

void* allocate(std::size_t n) {
  bool counted = false;
  if (limited.load(std::memory_order_relaxed)) {
    std::size_t index = ++requestCount;
    long long after = taken.load() + static_cast<long long>(n);
    if (index == failAt.load() || after > static_cast<long long>(budget.load())) {
      ++refusalCount;
      return nullptr;
    }
    taken += static_cast<long long>(n);
    counted = true;
  }
  if (n > SIZE_MAX - kHeader) return nullptr;
  auto* block = static_cast<unsigned char*>(std::malloc(n + kHeader));
  if (!block) return nullptr;
  *reinterpret_cast<Header*>(block) = {n, counted ? kCounted : 0u};
  return block + kHeader;
}

void release(void* p) noexcept {
  if (!p) return;
  auto* block = static_cast<unsigned char*>(p) - kHeader;
  const Header& h = *reinterpret_cast<Header*>(block);
  if (h.mark == kCounted && limited.load(std::memory_order_relaxed)) taken -= static_cast<long long>(h.size);
  std::free(block);
}

void* allocateOrThrow(std::size_t n) {
  if (void* p = allocate(n)) return p;
  throw std::bad_alloc();
}

}  // namespace

testsupport::AllocationLimit::AllocationLimit(std::size_t bytes, std::size_t failing) {
  budget = bytes;
  failAt = failing;
  requestCount = 0;
  refusalCount = 0;
  taken = 0;
  limited = true;
}
testsupport::AllocationLimit::~AllocationLimit() { limited = false; }
std::size_t testsupport::AllocationLimit::requests() const { return requestCount; }
std::size_t testsupport::AllocationLimit::refusals() const { return refusalCount; }

void* operator new(std::size_t n) { return allocateOrThrow(n); }
void* operator new[](std::size_t n) { return allocateOrThrow(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
