// Replaces the global allocation functions so a test can see the largest
// request a decoder makes: a file that claims a huge picture must be turned
// away before anything of that size is asked for.
#include <atomic>
#include <cstdlib>
#include <new>

#include "support.h"

namespace {
std::atomic<int> armed{0};
std::atomic<size_t> largestRequest{0};

void* allocate(size_t n) {
  if (armed.load(std::memory_order_relaxed)) {
    size_t seen = largestRequest.load(std::memory_order_relaxed);
    while (n > seen && !largestRequest.compare_exchange_weak(seen, n)) {
    }
  }
  return std::malloc(n ? n : 1);
}
}  // namespace

testsupport::AllocationProbe::AllocationProbe() {
  largestRequest = 0;
  armed = 1;
}
testsupport::AllocationProbe::~AllocationProbe() { armed = 0; }
size_t testsupport::AllocationProbe::largest() const { return largestRequest; }

void* operator new(size_t n) {
  if (void* p = allocate(n)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t n) {
  if (void* p = allocate(n)) return p;
  throw std::bad_alloc();
}
void* operator new(size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
