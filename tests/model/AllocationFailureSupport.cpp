#include "AllocationFailureSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
// Allocations left before one fails; negative: none fails.
long g_allocationsBeforeFailure = -1;
bool g_failed = false;
std::atomic<long> g_liveBlocks{0};
}

void* operator new(std::size_t size)
{
    if (g_allocationsBeforeFailure >= 0 && g_allocationsBeforeFailure-- == 0) {
        g_failed = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size ? size : 1)) {
        ++g_liveBlocks;
        return memory;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* memory) noexcept
{
    if (memory != nullptr)
        --g_liveBlocks;
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    operator delete(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    operator delete(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    operator delete(memory);
}

void FailAllocationAfter(long count)
{
    g_allocationsBeforeFailure = count;
    g_failed = false;
}

bool AllocationFailed()
{
    return g_failed;
}

long LiveAllocationBlocks()
{
    return g_liveBlocks;
}

int FailEveryAllocation(const std::function<void()>& operation, const std::function<void()>& check)
{
    constexpr long kMaxAllocations = 200000;
    for (long n = 0; n < kMaxAllocations; ++n) {
        FailAllocationAfter(n);
        try {
            operation();
            FailAllocationAfter(-1);
            return int(n);
        } catch (const std::bad_alloc&) {
            FailAllocationAfter(-1);
        }
        check();
        if (::testing::Test::HasFailure())
            return int(n);
    }
    ADD_FAILURE() << "the operation never succeeded";
    return 0;
}
