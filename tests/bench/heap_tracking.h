// Live and peak bytes of the benchmark process's C++ heap.
#pragma once

#include <cstddef>

namespace lumeno {
namespace bench {

size_t heap_live_bytes();
size_t heap_peak_bytes();
// Restarts the peak from the current live bytes.
void heap_reset_peak();

}  // namespace bench
}  // namespace lumeno
