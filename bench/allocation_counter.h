#pragma once

#include <cstddef>

namespace vellix::bench {

// Heap bytes in use, as counted by this program's operator new and delete.
std::size_t allocatedBytes();
// The most that was in use since the last resetPeakAllocation.
std::size_t peakAllocatedBytes();
void resetPeakAllocation();

} // namespace vellix::bench
