#include "allocation_counter.h"

#include <cstdlib>
#include <new>

// Replaces the global allocation functions so that a benchmark can report the peak heap
// use of the code it times. Each block carries its size in a header in front of it; the
// header keeps the alignment malloc gives.

namespace {

constexpr std::size_t HEADER = alignof(std::max_align_t);

std::size_t inUse = 0;
std::size_t peak = 0;

void* allocate(std::size_t size) {
    void* block = std::malloc(size + HEADER);
    if (block == nullptr)
        return nullptr;
    *static_cast<std::size_t*>(block) = size;
    inUse += size;
    if (inUse > peak)
        peak = inUse;
    return static_cast<char*>(block) + HEADER;
}

void release(void* p) {
    if (p == nullptr)
        return;
    void* block = static_cast<char*>(p) - HEADER;
    inUse -= *static_cast<std::size_t*>(block);
    std::free(block);
}

void* allocateOrThrow(std::size_t size) {
    void* p = allocate(size);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}

} // namespace

void* operator new(std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    release(p);
}

namespace vellix::bench {

std::size_t allocatedBytes() {
    return inUse;
}

std::size_t peakAllocatedBytes() {
    return peak;
}

void resetPeakAllocation() {
    peak = inUse;
}

} // namespace vellix::bench
