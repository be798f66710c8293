#include "ModelTestSupport.h"
#include "PolygonTestSupport.h"

#include "model/BuildShapesFromPolygonSet.h"
#include "model/FlashBezierCurve.h"
#include "model/FlashCloseFigureOp.h"
#include "model/FlashContinuousPathShape.h"
#include "model/FlashCurveRebuilder.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashStraightLine.h"
#include "model/geometry/ContourProcessing.h"
#include "model/geometry/FlashCurveFitter.h"
#include "model/geometry/FlashPolygonSet.h"
#include "model/geometry/PolygonClipper.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

// The tags of a contour with runs of equal tags collapsed (a Bezier's interior points).
std::vector<int> CollapsedTags(const CFlashPolygonContour& contour)
{
    std::vector<int> tags;
    for (const CFlashPolygonVertex& vertex : contour.vertices)
        if (tags.empty() || tags.back() != vertex.nSourceIndex)
            tags.push_back(vertex.nSourceIndex);
    return tags;
}

// A line (0,0)-(50,0), a Bezier on to (50,60), a close-figure operation, a line back to (0,0):
// curve numbers 0, 1, 2 and 3 in contour 0.
std::unique_ptr<CFlashShape> MakeLineBezierCloseLine()
{
    auto shape = std::make_unique<CFlashSolidShape>(nullptr);
    shape->InsertCurve(new CFlashStraightLine(0, 0, 50, 0), false, 0);
    shape->InsertCurve(new CFlashBezierCurve(50, 0, 400, 30, 50, 60), false, 0);
    shape->InsertCurve(new CFlashCloseFigureOp, false, 0);
    shape->InsertCurve(new CFlashStraightLine(50, 60, 0, 0), false, 0);
    return shape;
}

// Two small squares in contours 0 and 2 (a hole); no contour 1.
std::unique_ptr<CFlashShape> MakeContoursZeroAndTwo()
{
    auto shape = std::make_unique<CFlashSolidShape>(nullptr);
    const POINT a[] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}};
    const POINT b[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    for (int i = 0; i < 4; ++i)
        shape->InsertCurve(new CFlashStraightLine(a[i].x, a[i].y, a[(i + 1) % 4].x, a[(i + 1) % 4].y), false, 0);
    for (int i = 0; i < 4; ++i)
        shape->InsertCurve(new CFlashStraightLine(b[i].x, b[i].y, b[(i + 1) % 4].x, b[(i + 1) % 4].y), true, 2);
    return shape;
}

// One line in contour 0 and one in a contour id far past the number of contours (a stored id).
std::unique_ptr<CFlashShape> MakeContoursZeroAndHuge()
{
    auto shape = std::make_unique<CFlashSolidShape>(nullptr);
    shape->InsertCurve(new CFlashStraightLine(0, 0, 40, 0), false, 0);
    shape->InsertCurve(new CFlashStraightLine(0, 10, 40, 10), false, 2000000000);
    return shape;
}

std::unique_ptr<CFlashShape> MakeSmallRect()
{
    return std::unique_ptr<CFlashShape>(MakeSolidRect(0, 0, 60, 40, kOpaqueRed));
}

} // namespace

TEST(ShapeToPolygonSet, TagsEveryVertexWithItsCurveAndPointKind)
{
    const struct {
        const char* name;
        std::unique_ptr<CFlashShape> (*make)();
        bool reversed;
        std::vector<std::vector<int>> tags;
        std::vector<int> holeFlags;
    } cases[] = {
        // The corner shared by curves 0 and 1 occurs as 2 (end of 0) and 3 (start of 1).
        {"rectangle", MakeSmallRect, false, {{0, 2, 3, 5, 6, 8, 9, 11}}, {0}},
        {"rectangle reversed", MakeSmallRect, true, {{14, 12, 11, 9, 8, 6, 5, 3}}, {0}},
        // The close-figure operation adds no vertex but still takes its curve number.
        {"line, Bezier, close, line", MakeLineBezierCloseLine, false, {{0, 2, 3, 4, 5, 9, 11}}, {0}},
        {"line, Bezier, close, line reversed", MakeLineBezierCloseLine, true, {{14, 12, 11, 10, 9, 5, 3}}, {0}},
        {"contours 0 and 2", MakeContoursZeroAndTwo, false,
         {{0, 2, 3, 5, 6, 8, 9, 11}, {12, 14, 15, 17, 18, 20, 21, 23}}, {0, 1}},
        {"contour ids 0 and 2000000000", MakeContoursZeroAndHuge, false, {{0, 2}, {3, 5}}, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CFlashShape> shape = c.make();
        const std::unique_ptr<CFlashPolygonSet> set = shape->ToPolygonSet(nullptr, c.reversed);
        ASSERT_EQ(int(c.tags.size()), set->GetContourCount());
        for (int i = 0; i < set->GetContourCount(); ++i) {
            EXPECT_EQ(c.tags[i], CollapsedTags(set->GetContour(i))) << "contour " << i;
            EXPECT_EQ(c.holeFlags[i], set->GetHoleFlag(i)) << "contour " << i;
        }
    }
}

TEST(ShapeToPolygonSet, CurvesMeetExactlyAndFollowThePlacement)
{
    const std::unique_ptr<CFlashShape> shape = MakeLineBezierCloseLine();
    CFlashEditorFrameShapeTransform placement;
    placement.GetMatrix()->Translate(1000.0f, 500.0f);
    const std::unique_ptr<CFlashPolygonSet> set = shape->ToPolygonSet(&placement, false);
    ASSERT_EQ(1, set->GetContourCount());
    const std::vector<CFlashPolygonVertex>& vertices = set->GetContour(0).vertices;
    ASSERT_GT(vertices.size(), 6u);
    // Each curve's first and last point are its own end points, placed.
    for (const CFlashPolygonVertex& vertex : vertices) {
        if (vertex.nSourceIndex % 3 == 1)
            continue;
        const CFlashCurve* curve = shape->GetCurve(vertex.nSourceIndex / 3);
        const POINT& end = vertex.nSourceIndex % 3 == 0 ? curve->GetStartPoint() : curve->GetEndPoint();
        EXPECT_EQ(end.x + 1000.0, vertex.x) << "tag " << vertex.nSourceIndex;
        EXPECT_EQ(end.y + 500.0, vertex.y) << "tag " << vertex.nSourceIndex;
    }
    EXPECT_EQ(0, CFlashSolidShape(nullptr).ToPolygonSet(nullptr, false)->GetContourCount());
}

// The eraser's case (no second shape: the cut is refitted) and the difference's (the cut is made
// of pieces of the ellipse's own curves).
TEST(ShapesFromPolygonSet, RectangleMinusEllipseKeepsItsLinesAndCurvesTheCut)
{
    const std::unique_ptr<CFlashSolidShape> rect(MakeSolidRect(1000, 1000, 4000, 3000, kOpaqueRed));
    const std::unique_ptr<CFlashSolidShape> ellipse(MakeSolidEllipse(5000, 2500, 1000, 800));
    const struct {
        const char* name;
        bool withEllipse;
        int cutMarker;
    } cases[] = {{"eraser", false, kRebuiltFittedCurve}, {"difference", true, kRebuiltSourcePiece}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CFlashPolygonSet> setA = rect->ToPolygonSet(nullptr, false);
        const std::unique_ptr<CFlashPolygonSet> setB = ellipse->ToPolygonSet(nullptr, true);
        CFlashPolygonSet result;
        ClipPolygonSets(kClipDifference, *setA, *setB, result);
        std::vector<CFlashShape*> out;
        BuildShapesFromPolygonSet(result, out, rect.get(), nullptr, setA.get(), c.withEllipse ? setB.get() : nullptr,
                                  c.withEllipse ? ellipse.get() : nullptr, nullptr, c.withEllipse);
        ASSERT_EQ(1u, out.size());
        const std::unique_ptr<CFlashShape> shape(out[0]);
        EXPECT_TRUE(shape->IsFilled());
        Gdiplus::Color fill;
        static_cast<Gdiplus::SolidBrush*>(shape->GetBrush())->GetColor(&fill);
        EXPECT_EQ(kOpaqueRed, fill.GetValue()) << "the pieces are clones of the rectangle";
        ExpectClosedContours(*shape);
        const std::vector<int>& markers = g_CurveRebuilder.GetMarkers();
        ASSERT_EQ(size_t(shape->GetCurveCount()), markers.size());

        // The three sides the ellipse leaves alone are the rectangle's own lines.
        const POINT sides[][2] = {{{1000, 1000}, {5000, 1000}}, {{5000, 4000}, {1000, 4000}}, {{1000, 4000}, {1000, 1000}}};
        for (const auto& side : sides)
            EXPECT_TRUE(HasLine(*shape, side[0], side[1])) << side[0].x << "," << side[0].y;
        int cutCurves = 0;
        for (int i = 0; i < shape->GetCurveCount(); ++i) {
            const CFlashCurve* curve = shape->GetCurve(i);
            if (curve->GetKind() != kCurveKindBezier)
                continue;
            ++cutCurves;
            EXPECT_EQ(c.cutMarker, markers[i]) << "curve " << i;
            EXPECT_LT(DistanceFromEllipse(*curve, 5000, 2500, 1000, 800), 30.0) << "curve " << i;
        }
        EXPECT_GE(cutCurves, 2);
        EXPECT_LE(cutCurves, 6) << "the cut is a few curves, not the polygon's edges";
        EXPECT_EQ(kCurveKindCloseFigure, shape->GetCurve(shape->GetCurveCount() - 1)->GetKind());
    }
}

// The boolean commands' calls: the second square is placed at (1000, 1000); the difference
// numbers the other operand's curves from the end.
TEST(ShapesFromPolygonSet, BooleansOfTwoSquaresComeBackAsTheirLines)
{
    const std::unique_ptr<CFlashSolidShape> first(MakeSolidRect(0, 0, 2000, 2000, kOpaqueRed));
    const std::unique_ptr<CFlashSolidShape> second(MakeSolidRect(0, 0, 2000, 2000, kOpaqueBlue));
    CFlashEditorFrameShapeTransform placed;
    placed.GetMatrix()->Translate(1000.0f, 1000.0f);
    const struct {
        const char* name;
        ClipOperation operation;
        int lines;
        Gdiplus::Rect bounds;
    } cases[] = {
        {"union", kClipUnion, 8, {0, 0, 3000, 3000}},
        {"intersection", kClipIntersection, 4, {1000, 1000, 1000, 1000}},
        {"difference", kClipDifference, 6, {0, 0, 2000, 2000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool difference = c.operation == kClipDifference;
        // Union and intersection build with the second square as shape A, the difference with the first.
        const CFlashShape* shapeA = difference ? first.get() : second.get();
        const CFlashShape* shapeB = difference ? second.get() : first.get();
        const CFlashEditorFrameShapeTransform* placementA = difference ? nullptr : &placed;
        const CFlashEditorFrameShapeTransform* placementB = difference ? &placed : nullptr;
        const std::unique_ptr<CFlashPolygonSet> setA = shapeA->ToPolygonSet(placementA, false);
        const std::unique_ptr<CFlashPolygonSet> setB = shapeB->ToPolygonSet(placementB, difference);
        CFlashPolygonSet result;
        ClipPolygonSets(c.operation, *setA, *setB, result);
        std::vector<CFlashShape*> out;
        BuildShapesFromPolygonSet(result, out, shapeA, placementA, setA.get(), setB.get(), shapeB, placementB, difference);
        ASSERT_EQ(1u, out.size());
        const std::unique_ptr<CFlashShape> shape(out[0]);
        EXPECT_EQ(std::string(c.lines, 'L') + "C", KindsOf(*shape));
        EXPECT_EQ(std::string(c.lines, 'p') + "f", MarkersOf(g_CurveRebuilder.GetMarkers()));
        EXPECT_TRUE(shape->GetBounds().Equals(c.bounds));
        ExpectClosedContours(*shape);
    }
}

// The eraser on an open path: the parts outside the eraser are rebuilt from the path's own curves.
TEST(ShapesFromPolygonSet, ErasingAcrossAnOpenPathKeepsPiecesOfItsCurves)
{
    const Gdiplus::Pen pen(Gdiplus::Color(kOpaqueBlue), 1.0f);
    const struct {
        const char* name;
        int kind;
    } cases[] = {{"lines", kCurveKindStraightLine}, {"Beziers", kCurveKindBezier}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFlashContinuousPathShape path(&pen);
        if (c.kind == kCurveKindBezier) {
            path.InsertCurve(new CFlashBezierCurve(1000, 1000, 3000, 0, 5000, 1000), false, 0);
            path.InsertCurve(new CFlashBezierCurve(5000, 1000, 7000, 2000, 9000, 1000), false, 0);
        } else {
            path.InsertCurve(new CFlashStraightLine(1000, 1000, 5000, 1000), false, 0);
            path.InsertCurve(new CFlashStraightLine(5000, 1000, 9000, 3000), false, 0);
        }
        const std::unique_ptr<CFlashPolygonSet> outline = path.ToPolygonSet(nullptr, false);
        CFlashPolygonContour box;
        box.vertices = {{2500, 0}, {3500, 0}, {3500, 2000}, {2500, 2000}};
        CFlashPolygonSet eraser;
        eraser.AddContour(box, 0);
        CFlashPolygonSet result;
        ClipOpenContours(kClipIntersection, *outline, eraser, result);
        std::vector<CFlashShape*> out;
        BuildShapesFromPolygonSet(result, out, &path, nullptr, outline.get(), nullptr, nullptr, nullptr, false);
        ASSERT_EQ(2u, out.size());
        const std::unique_ptr<CFlashShape> before(out[0]), after(out[1]);
        ASSERT_EQ(1, before->GetCurveCount());
        ASSERT_EQ(2, after->GetCurveCount());
        ExpectClosedContours(*before);
        ExpectClosedContours(*after);
        EXPECT_TRUE(SamePoint({1000, 1000}, before->GetCurve(0)->GetStartPoint()));
        EXPECT_EQ(2500, before->GetCurve(0)->GetEndPoint().x);
        EXPECT_EQ(3500, after->GetCurve(0)->GetStartPoint().x);
        EXPECT_TRUE(SamePoint(path.GetCurve(1)->GetEndPoint(), after->GetCurve(1)->GetEndPoint()));
        const CFlashCurve* pieces[] = {before->GetCurve(0), after->GetCurve(0), after->GetCurve(1)};
        const CFlashCurve* sources[] = {path.GetCurve(0), path.GetCurve(0), path.GetCurve(1)};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(c.kind, pieces[i]->GetKind()) << "piece " << i;
            for (const POINT& p : pieces[i]->GetPolyline())
                EXPECT_LT(DistanceFromCurve(*sources[i], p), 10.0) << "piece " << i << " at " << p.x << "," << p.y;
        }
    }
}

TEST(ShapesFromPolygonSet, HolesJoinTheInnermostOuterContourWhateverTheirOrder)
{
    // Listed holes first: an inner hole inside both outer squares, the outer square's hole, a
    // hole outside everything; then the two outer squares.
    CFlashPolygonSet result;
    result.AddContour(Square(3000, 7000), 1);
    result.AddContour(Square(1000, 9000), 1);
    result.AddContour(Square(20000, 21000), 1);
    result.AddContour(Square(0, 10000), 0);
    result.AddContour(Square(2000, 8000), 0);
    std::vector<CFlashShape*> out;
    BuildShapesFromPolygonSet(result, out, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, false);
    ASSERT_EQ(2u, out.size());
    const struct {
        Gdiplus::Rect bounds;
        Gdiplus::Rect holeBounds;
    } expected[] = {{{0, 0, 10000, 10000}, {1000, 1000, 8000, 8000}}, {{2000, 2000, 6000, 6000}, {3000, 3000, 4000, 4000}}};
    for (size_t s = 0; s < out.size(); ++s) {
        const std::unique_ptr<CFlashShape> shape(out[s]);
        EXPECT_EQ(nullptr, shape->GetBrush()) << "without a source shape the pieces have no fill";
        EXPECT_TRUE(shape->GetBounds().Equals(expected[s].bounds)) << "shape " << s;
        EXPECT_TRUE(ContourBounds(*shape, 1).Equals(expected[s].holeBounds)) << "shape " << s;
        EXPECT_EQ(2, shape->GetContourCount()) << "shape " << s;
        ExpectClosedContours(*shape);
    }
}

TEST(ShapesFromPolygonSet, ContoursThatCollapseMakeNoShapes)
{
    const std::unique_ptr<CFlashSolidShape> rect(MakeSolidRect(0, 0, 2000, 2000, kOpaqueBlue));
    CFlashPolygonContour point;
    point.vertices = {{500, 500}, {500, 500}, {500, 500}};
    CFlashPolygonContour sliver;
    sliver.vertices = {{500, 500}, {520, 500}, {500, 500}};
    const struct {
        const char* name;
        const CFlashShape* source;
        std::vector<CFlashPolygonContour> contours;
    } cases[] = {
        {"a point, no source shape", nullptr, {point}},
        {"a point and a sliver, rebuilt from a source shape", rect.get(), {point, sliver}},
    };
    for (const auto& c : cases) {
        CFlashPolygonSet result;
        for (const CFlashPolygonContour& contour : c.contours)
            result.AddContour(contour, 0);
        std::vector<CFlashShape*> out;
        BuildShapesFromPolygonSet(result, out, c.source, nullptr, nullptr, nullptr, nullptr, nullptr, false);
        EXPECT_TRUE(out.empty()) << c.name;
        for (CFlashShape* shape : out)
            delete shape;
    }
}

TEST(ShapesFromPolygonSet, StraightLinesWithoutSourceMergeClosePoints)
{
    const struct {
        std::vector<CFlashPolygonVertex> vertices;
        std::vector<std::array<POINT, 2>> lines;
    } cases[] = {
        // Points 2 apart: one line from the first to the last, then the closing line.
        {{{0, 0}, {2, 0}, {4, 0}}, {{{{0, 0}, {4, 0}}}, {{{4, 0}, {0, 0}}}}},
        // A point exactly 4 from the run's start ends a line.
        {{{0, 0}, {4, 0}, {6, 0}, {6, 9}}, {{{{0, 0}, {4, 0}}}, {{{4, 0}, {6, 9}}}, {{{6, 9}, {0, 0}}}}},
    };
    for (const auto& c : cases) {
        CFlashPolygonContour contour;
        contour.vertices = c.vertices;
        CFlashPolygonSet set;
        set.AddContour(contour, 0);
        const Gdiplus::Pen pen(Gdiplus::Color(kOpaqueBlue), 1.0f);
        CFlashContinuousPathShape shape(&pen);
        shape.AddStraightLinesFromPolygonSet(set, nullptr, nullptr, 0, 0, 1.0);
        ASSERT_EQ(int(c.lines.size()), shape.GetCurveCount()) << c.vertices.size() << " vertices";
        for (int i = 0; i < shape.GetCurveCount(); ++i) {
            EXPECT_EQ(kCurveKindStraightLine, shape.GetCurve(i)->GetKind());
            EXPECT_TRUE(SamePoint(c.lines[i][0], shape.GetCurve(i)->GetStartPoint())) << "line " << i;
            EXPECT_TRUE(SamePoint(c.lines[i][1], shape.GetCurve(i)->GetEndPoint())) << "line " << i;
        }
    }
}

// A brush stroke: a round brush swept along sampled pointer positions (client pixels), fitted
// into stage twips.
TEST(ShapesFromPolygonSet, BrushStrokeBecomesAClosedFilledShapeOfFewCurves)
{
    CFlashCurveFitter fitter;
    for (int i = 0; i <= 40; ++i)
        fitter.AddPoint(100 + 5 * i, int(200 + 40 * std::sin(i * 0.15)));
    std::vector<Gdiplus::Point> brush;
    for (int k = 0; k < 16; ++k)
        brush.emplace_back(int(std::lround(6 * std::cos(k * 0.3927))), int(std::lround(6 * std::sin(k * 0.3927))));
    CFlashPolygonSet outline;
    fitter.SweepOutline(brush, outline);
    ASSERT_EQ(1, outline.GetContourCount());

    const Gdiplus::SolidBrush fill{Gdiplus::Color(kOpaqueGreen)};
    CFlashSolidShape shape(&fill);
    constexpr int kStageX = 50, kStageY = 20;
    constexpr double kTwipsPerPixel = 20.0;
    shape.FitCurvesToPolygonSet(outline, kStageX, kStageY, kTwipsPerPixel);

    ASSERT_GT(shape.GetCurveCount(), 2);
    EXPECT_LT(shape.GetCurveCount(), outline.GetContour(0).GetVertexCount() / 4)
        << "a few curves for " << outline.GetContour(0).GetVertexCount() << " outline points";
    EXPECT_EQ(kCurveKindCloseFigure, shape.GetCurve(shape.GetCurveCount() - 1)->GetKind());
    ExpectClosedContours(shape);
    // The stroke runs from x = 100 to 300 pixels, 6 pixels of brush around it.
    const Gdiplus::Rect bounds = shape.GetBounds();
    EXPECT_NEAR((94 - kStageX) * kTwipsPerPixel, bounds.X, 2 * kTwipsPerPixel);
    EXPECT_NEAR((306 - kStageX) * kTwipsPerPixel, bounds.GetRight(), 2 * kTwipsPerPixel);
    // Inside the stroke, and not between its sides: points on the stroke's centre line.
    CTestDC dc;
    for (int i : {0, 10, 20, 30, 40}) {
        const POINT onStroke = {(100 + 5 * i - kStageX), LONG(200 + 40 * std::sin(i * 0.15)) - kStageY};
        EXPECT_TRUE(shape.HitTest(dc.Get(), 1.0, onStroke, nullptr)) << "sample " << i;
        const POINT beside = {onStroke.x, onStroke.y + 20};
        EXPECT_FALSE(shape.HitTest(dc.Get(), 1.0, beside, nullptr)) << "sample " << i;
    }
}
