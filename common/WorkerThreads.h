#pragma once
// Work shared out to threads: never more threads than cores or blocks of work, and an
// exception thrown in any of them carried back to the caller.

#include <cstddef>
#include <functional>
#include <stop_token>

// The threads to use for the given number of blocks of work: the count asked for (0: one per
// core), but no more than the processor's cores nor than the blocks; at least one.
unsigned UsableThreads(unsigned requested, size_t blocks);

// Runs work on the given number of threads, the calling thread one of them, and returns when
// every one has returned. When one throws, the others are asked to stop through their token,
// and once all have ended the first exception thrown reaches the caller. Should the system
// refuse a thread, the work goes on on those it gave.
void RunOnThreads(unsigned threads, const std::function<void(std::stop_token)>& work);
