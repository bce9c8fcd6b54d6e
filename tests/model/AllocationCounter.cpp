// Counts heap allocations made on this thread while a counter is armed, by replacing the
// global allocation functions of the test program.

#include "tests/model/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
thread_local long allocationCount = 0;
thread_local bool counting = false;
}  // namespace

AllocationCounter::AllocationCounter() {
    allocationCount = 0;
    counting = true;
}

AllocationCounter::~AllocationCounter() {
    counting = false;
}

long AllocationCounter::Count() const {
    return allocationCount;
}

void* operator new(std::size_t size) {
    if (counting) {
        ++allocationCount;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
