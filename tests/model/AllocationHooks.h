#pragma once
// The test program's own operator new and delete: they count the blocks alive, so that a test
// can see what an operation leaves allocated, and can make an allocation fail.

namespace AllocationHooks {

// The allocation after count more that succeed throws std::bad_alloc; negative: none fails.
void FailAfter(long count);
// Blocks allocated by operator new and not yet deleted.
long LiveBlocks();

} // namespace AllocationHooks
