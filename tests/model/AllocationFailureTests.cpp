// Operations that build or rebuild shapes, made to fail at each of their allocations in turn:
// whatever the point of failure, the shapes they were given stay as they were.
#include "AllocationHooks.h"
#include "ModelTestSupport.h"
#include "PolygonTestSupport.h"

#include "model/BuildShapesFromPolygonSet.h"
#include "model/FlashContinuousPathShape.h"
#include "model/FlashCurveRebuilder.h"
#include "model/FlashStraightLine.h"
#include "model/geometry/FlashCurveFitter.h"
#include "model/geometry/FlashPolygonSet.h"
#include "model/geometry/PolygonClipper.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Every curve's kind, ends, contour id and hole flag.
std::string Snapshot(const CFlashShape& shape)
{
    std::ostringstream text;
    for (int i = 0; i < shape.GetCurveCount(); ++i) {
        const CFlashCurve* curve = shape.GetCurve(i);
        text << curve->GetKind() << ':' << curve->GetStartPoint().x << ',' << curve->GetStartPoint().y << '-'
             << curve->GetEndPoint().x << ',' << curve->GetEndPoint().y << '/' << shape.GetContourId(i)
             << (shape.IsHoleCurve(i) ? 'h' : 'o') << ' ';
    }
    return text.str();
}

// Runs the operation failing at its first, second ... allocation until it succeeds; after every
// failure the check runs. Returns the number of failures.
int FailEveryAllocation(const std::function<void()>& operation, const std::function<void()>& check)
{
    constexpr long kMaxAllocations = 200000;
    for (long n = 0; n < kMaxAllocations; ++n) {
        AllocationHooks::FailAfter(n);
        try {
            operation();
            AllocationHooks::FailAfter(-1);
            return int(n);
        } catch (const std::bad_alloc&) {
            AllocationHooks::FailAfter(-1);
        }
        check();
        if (::testing::Test::HasFailure())
            return int(n);
    }
    ADD_FAILURE() << "the operation never succeeded";
    return 0;
}

} // namespace

TEST(AllocationFailure, BuildingShapesFromAClipperResultChangesNothingGiven)
{
    const std::unique_ptr<CFlashSolidShape> rect(MakeSolidRect(1000, 1000, 4000, 3000, kOpaqueRed));
    const std::unique_ptr<CFlashSolidShape> ellipse(MakeSolidEllipse(5000, 2500, 1000, 800));
    const std::unique_ptr<CFlashPolygonSet> setA = rect->ToPolygonSet(nullptr, false);
    const std::unique_ptr<CFlashPolygonSet> setB = ellipse->ToPolygonSet(nullptr, true);
    CFlashPolygonSet result;
    ClipPolygonSets(kClipDifference, *setA, *setB, result);
    const std::string rectBefore = Snapshot(*rect), ellipseBefore = Snapshot(*ellipse);
    CFlashSolidShape sentinel(nullptr);
    std::vector<CFlashShape*> out = {&sentinel};
    const int failures = FailEveryAllocation(
        [&] {
            BuildShapesFromPolygonSet(result, out, rect.get(), nullptr, setA.get(), setB.get(), ellipse.get(), nullptr,
                                      true);
        },
        [&] {
            ASSERT_EQ(1u, out.size());
            EXPECT_EQ(&sentinel, out[0]);
            EXPECT_EQ(rectBefore, Snapshot(*rect));
            EXPECT_EQ(ellipseBefore, Snapshot(*ellipse));
        });
    EXPECT_GT(failures, 100);
    ASSERT_EQ(2u, out.size());
    delete out[1];
}

TEST(AllocationFailure, FittingRebuildingAndSmoothingLeaveTheShapeAsItWas)
{
    CFlashCurveFitter fitter;
    for (int i = 0; i < 12; ++i)
        fitter.AddPoint(100 + 8 * i, 100 + (i % 3) * 4);
    CFlashPolygonSet stroke;
    fitter.SweepOutline({{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}, stroke);
    const std::unique_ptr<CFlashSolidShape> rect(MakeSolidRect(0, 0, 2000, 1000, kOpaqueBlue));
    CFlashPolygonSet untagged;
    CFlashPolygonContour contour;
    contour.vertices = {{0, 0}, {2000, 100}, {2500, 900}, {1200, 1400}, {-300, 800}};
    untagged.AddContour(contour, 0);

    const struct {
        const char* name;
        std::function<std::unique_ptr<CFlashShape>()> make;
        std::function<void(CFlashShape&)> operation;
    } cases[] = {
        {"fitting a brush outline", [] { return std::unique_ptr<CFlashShape>(MakeSolidRect(0, 0, 10, 10, kOpaqueRed)); },
         [&](CFlashShape& shape) { shape.FitCurvesToPolygonSet(stroke, 0, 0, 20.0); }},
        {"rebuilding a contour", [] { return std::unique_ptr<CFlashShape>(MakeSolidRect(0, 0, 10, 10, kOpaqueRed)); },
         [&](CFlashShape& shape) {
             g_CurveRebuilder.RebuildFromPolygonSet(&shape, untagged, rect.get(), nullptr, nullptr, nullptr, 0, 0, 1.0,
                                                    0, false);
         }},
        {"smoothing a lasso outline",
         [] {
             const Gdiplus::Pen pen(Gdiplus::Color(kOpaqueBlue), 1.0f);
             auto lasso = std::make_unique<CFlashContinuousPathShape>(&pen);
             for (int i = 0; i < 10; ++i)
                 lasso->InsertCurve(new CFlashStraightLine(300 * i, (i % 2) * 200, 300 * (i + 1), ((i + 1) % 2) * 200),
                                    false, 0);
             return std::unique_ptr<CFlashShape>(std::move(lasso));
         },
         [](CFlashShape& shape) { g_CurveRebuilder.SmoothShape(&shape); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CFlashShape> shape = c.make();
        const std::string before = Snapshot(*shape);
        const int failures = FailEveryAllocation([&] { c.operation(*shape); },
                                                 [&] { EXPECT_EQ(before, Snapshot(*shape)); });
        EXPECT_GT(failures, 10);
        EXPECT_NE(before, Snapshot(*shape)) << "the operation succeeds in the end";
    }
}
