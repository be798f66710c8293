#include "AllocationHooks.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
// Allocations left before one fails; negative: none fails.
long g_allocationsBeforeFailure = -1;
std::atomic<long> g_liveBlocks{0};
}

void* operator new(std::size_t size)
{
    if (g_allocationsBeforeFailure >= 0 && g_allocationsBeforeFailure-- == 0)
        throw std::bad_alloc();
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

namespace AllocationHooks {

void FailAfter(long count)
{
    g_allocationsBeforeFailure = count;
}

long LiveBlocks()
{
    return g_liveBlocks;
}

} // namespace AllocationHooks
