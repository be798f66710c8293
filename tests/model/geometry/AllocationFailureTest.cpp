#include "model/geometry/PolygonClipper.h"
#include "tests/model/geometry/PolygonTestHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

// Every allocation of this program goes through here; a test can make the n-th one fail.
namespace {
long g_allocationsBeforeFailure = -1; // negative: never fail
}

void* operator new(std::size_t size)
{
    if (g_allocationsBeforeFailure == 0)
        throw std::bad_alloc();
    if (g_allocationsBeforeFailure > 0)
        --g_allocationsBeforeFailure;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

TEST(PolygonClipper, AnAllocationFailureLeavesTheResultAsItWas)
{
    CFlashPolygonSet a = MakeSet({MakeRectangle(0, 0, 10, 10), MakeRectangle(30, 0, 40, 10)});
    a.AddContour(MakeRectangle(2, 2, 4, 4), 1);
    const CFlashPolygonSet b = MakeSet({MakeRectangle(5, 5, 35, 15)});
    for (ClipOperation operation : {kClipDifference, kClipIntersection, kClipUnion}) {
        CFlashPolygonSet expected;
        ClipPolygonSets(operation, a, b, expected);
        bool succeeded = false;
        for (long failAt = 0; !succeeded; ++failAt) {
            CFlashPolygonSet result = MakeSet({MakeRectangle(100, 100, 101, 101)});
            g_allocationsBeforeFailure = failAt;
            try {
                ClipPolygonSets(operation, a, b, result);
                succeeded = true;
            } catch (const std::bad_alloc&) {
            }
            g_allocationsBeforeFailure = -1;
            SCOPED_TRACE(failAt);
            if (succeeded) {
                EXPECT_NEAR(CoveredArea(expected), CoveredArea(result), 1e-9);
                EXPECT_GT(failAt, 5) << "the clipper allocates";
            } else {
                ASSERT_EQ(1, result.GetContourCount());
                EXPECT_EQ(100.0, result.GetContour(0).vertices[0].x);
            }
        }
    }
}

} // namespace
