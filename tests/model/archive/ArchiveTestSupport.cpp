#include "ArchiveTestSupport.h"

#include "platform/gdiplus/GdiPlus.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> g_largestAllocation{0};
}

// Every allocation of the test program passes here so that its size can be watched.
void* operator new(std::size_t size)
{
    std::size_t largest = g_largestAllocation.load();
    while (size > largest && !g_largestAllocation.compare_exchange_weak(largest, size)) {
    }
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace ArchiveTest {

void ResetLargestAllocation()
{
    g_largestAllocation = 0;
}

std::size_t LargestAllocation()
{
    return g_largestAllocation;
}

std::string Tokens(const std::string& text)
{
    std::istringstream is(text);
    std::string joined;
    std::string token;
    while (is >> token)
        joined += (joined.empty() ? "" : " ") + token;
    return joined;
}

std::string WithLfEnds(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            result.push_back(text[i]);
    return result;
}

} // namespace ArchiveTest
