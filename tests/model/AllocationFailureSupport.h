#pragma once
// The model test program's own operator new and delete: they throw std::bad_alloc at a chosen
// allocation, so that every point where an operation allocates can be made to fail, and they
// count the blocks alive, so that a test can see what an operation leaves allocated.
#include <functional>

// The allocation after the next count ones throws; negative: none does.
void FailAllocationAfter(long count);
// Whether the failure asked for has happened since.
bool AllocationFailed();
// Blocks allocated by operator new and not yet deleted.
long LiveAllocationBlocks();

// Runs the operation failing at its first, second ... allocation until it succeeds; after every
// failure the check runs. Returns the number of failures.
int FailEveryAllocation(const std::function<void()>& operation, const std::function<void()>& check);
