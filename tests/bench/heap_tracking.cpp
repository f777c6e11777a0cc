// Counts the bytes live on the C++ heap of the benchmark process (the stand-in library's
// allocations included: its operator new resolves to these), so that a benchmark can report
// the peak heap growth of one load.
#include <malloc.h>

#include <cstdlib>
#include <new>

#include "tests/bench/heap_tracking.h"

namespace {

size_t g_live = 0;
size_t g_peak = 0;

void* allocate(size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  g_live += malloc_usable_size(p);
  if (g_live > g_peak) g_peak = g_live;
  return p;
}

void release(void* p) {
  if (p == nullptr) return;
  g_live -= malloc_usable_size(p);
  std::free(p);
}

}  // namespace

void* operator new(size_t size) { return allocate(size); }
void* operator new[](size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, size_t) noexcept { release(p); }
void operator delete[](void* p, size_t) noexcept { release(p); }

namespace lumeno {
namespace bench {

size_t heap_live_bytes() { return g_live; }
void heap_reset_peak() { g_peak = g_live; }
size_t heap_peak_bytes() { return g_peak; }

}  // namespace bench
}  // namespace lumeno
