#pragma once
// Allocation failures on demand: the model test program's operator new throws std::bad_alloc at
// a chosen allocation, so that every point where an operation allocates can be made to fail.
#include <functional>

// The allocation after the next count ones throws; negative: none does.
void FailAllocationAfter(long count);
// Whether the failure asked for has happened since.
bool AllocationFailed();

// Runs the operation failing at its first, second ... allocation until it succeeds; after every
// failure the check runs. Returns the number of failures.
int FailEveryAllocation(const std::function<void()>& operation, const std::function<void()>& check);
