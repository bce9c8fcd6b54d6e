#pragma once
// Counts the heap allocations this thread makes while an AllocationCounter lives.

class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    long Count() const;
};
