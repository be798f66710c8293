#include "ModelTestSupport.h"

#include "model/FlashBezierCurve.h"
#include "model/FlashCloseFigureOp.h"
#include "model/FlashContinuousPathShape.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashHollowShape.h"
#include "model/FlashStraightLine.h"
#include "model/GradientMarker.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
// Rectangle outline (0, 0)-(2000, 1000) twips = (0, 0)-(100, 50) pixels at zoom 1.
template <typename Shape>
std::unique_ptr<Shape> MakeRectOutline(const Gdiplus::Pen& pen)
{
    auto shape = std::make_unique<Shape>(&pen);
    shape->InsertCurve(new CFlashStraightLine(0, 0, 2000, 0), false, 0);
    shape->InsertCurve(new CFlashStraightLine(2000, 0, 2000, 1000), false, 0);
    shape->InsertCurve(new CFlashStraightLine(2000, 1000, 0, 1000), false, 0);
    shape->InsertCurve(new CFlashStraightLine(0, 1000, 0, 0), false, 0);
    return shape;
}

CFlashEditorFrameShapeTransform Translated(float dx, float dy)
{
    CFlashEditorFrameShapeTransform placement;
    placement.GetMatrix()->Translate(dx, dy);
    return placement;
}
}

TEST(Shape, EmptySolidShapeHasZeroBoundsAndNoEndpoints)
{
    CFlashSolidShape shape(nullptr);
    EXPECT_TRUE(shape.GetBounds().Equals(Gdiplus::Rect(0, 0, 0, 0)));
    EXPECT_TRUE(shape.GetCurveEndpoints().empty());
    EXPECT_EQ(1, shape.GetContourCount());
    EXPECT_EQ(1u, shape.GetResourceTag());
    EXPECT_TRUE(shape.IsFilled());
    EXPECT_TRUE(shape.IsClosed());
}

TEST(Shape, BoundsAreTheUnionOfNormalisedCurveBoundsSkippingCloseFigures)
{
    CFlashSolidShape shape(nullptr);
    shape.InsertCurve(new CFlashStraightLine(500, 400, 100, 200), false, 0);
    shape.InsertCurve(new CFlashCloseFigureOp, false, 0);
    shape.InsertCurve(new CFlashStraightLine(600, 900, 700, 1000), false, 1);
    EXPECT_TRUE(shape.GetBounds().Equals(Gdiplus::Rect(100, 200, 600, 800)));
    EXPECT_EQ(4u, shape.GetCurveEndpoints().size());
    EXPECT_EQ(2, shape.GetContourCount());
}

TEST(Shape, ContourRangeSkipsCloseFiguresAndOtherContours)
{
    CFlashSolidShape shape(nullptr);
    shape.InsertCurve(new CFlashStraightLine(0, 0, 1, 0), false, 1);
    shape.InsertCurve(new CFlashStraightLine(1, 0, 1, 1), false, 0);
    shape.InsertCurve(new CFlashStraightLine(1, 1, 0, 0), false, 1);
    shape.InsertCurve(new CFlashCloseFigureOp, false, 0);
    int first = 0, last = 0;
    shape.GetContourCurveRange(1, first, last);
    EXPECT_EQ(0, first);
    EXPECT_EQ(2, last);
    shape.GetContourCurveRange(0, first, last);
    EXPECT_EQ(1, first);
    EXPECT_EQ(1, last);
    shape.GetContourCurveRange(5, first, last);
    EXPECT_EQ(4, first);
    EXPECT_EQ(-1, last);
    shape.RemoveCurve(0);
    EXPECT_EQ(3, shape.GetCurveCount());
    EXPECT_EQ(0, shape.GetContourId(0));
}

TEST(Shape, CloneCopiesStyleButNotCurvesOrIdentity)
{
    const std::unique_ptr<CFlashSolidShape> shape(MakeSolidRect(0, 0, 2000, 1000, kOpaqueRed));
    shape->SetState(kResourceStateSelected);
    const std::unique_ptr<CFlashShape> copy(shape->Clone());
    EXPECT_TRUE(copy->IsFilled());
    EXPECT_NE(shape->GetObjectId(), copy->GetObjectId());
    EXPECT_EQ(0, copy->GetCurveCount());
    EXPECT_EQ(kResourceStateNormal, copy->GetState());
    EXPECT_EQ(0u, copy->GetResourceTag());
    ASSERT_NE(nullptr, copy->GetBrush());
    EXPECT_NE(shape->GetBrush(), copy->GetBrush());

    copy->CopyCurvesFrom(*shape);
    EXPECT_EQ(4, copy->GetCurveCount());
    EXPECT_TRUE(copy->GetBounds().Equals(shape->GetBounds()));
}

TEST(Shape, SetColorsChangesASolidFillButNotAGradient)
{
    Gdiplus::Pen pen(Gdiplus::Color(kOpaqueGreen), 1.0f);
    const std::unique_ptr<CFlashSolidShape> solid(MakeSolidRect(0, 0, 10, 10, kOpaqueRed));
    solid->SetPen(&pen);
    solid->SetColors(kOpaqueBlue, kOpaqueBlue);
    Gdiplus::Color color;
    static_cast<Gdiplus::SolidBrush*>(solid->GetBrush())->GetColor(&color);
    EXPECT_EQ(kOpaqueBlue, color.GetValue());
    solid->GetPen()->GetColor(&color);
    EXPECT_EQ(kOpaqueBlue, color.GetValue());

    const auto gradient = CreateLinearGradientBrush(Gdiplus::Rect(0, 0, 1, 1), {{0.0, RGB(255, 0, 0)}, {1.0, RGB(0, 0, 255)}});
    CFlashSolidShape shaded(gradient.get());
    shaded.SetPen(&pen);
    shaded.SetColors(kOpaqueRed, kOpaqueGreen);
    std::vector<CGradientMarker> stops;
    ReadLinearGradientMarkers(static_cast<Gdiplus::LinearGradientBrush&>(*shaded.GetBrush()), stops);
    ASSERT_EQ(2u, stops.size());
    EXPECT_EQ(RGB(255, 0, 0), stops[0].m_clrColor);
    shaded.GetPen()->GetColor(&color);
    EXPECT_EQ(kOpaqueRed, color.GetValue());
}

TEST(Shape, SolidShapeIsDrawnUnderItsPlacementAndZoom)
{
    const std::unique_ptr<CFlashSolidShape> shape(MakeSolidRect(0, 0, 2000, 1000, kOpaqueRed));
    const auto placement = Translated(2000.0f, 2000.0f);
    const struct {
        double zoom;
        int stageX;
        POINT inside, outside;
    } cases[] = {
        {1.0, 0, {150, 120}, {210, 120}},  // (100, 100)-(200, 150) pixels
        {2.0, 0, {300, 250}, {190, 250}},  // (200, 200)-(400, 300)
        {1.0, 50, {245, 120}, {140, 120}}, // shifted by the stage origin
    };
    for (const auto& c : cases) {
        CTestCanvas canvas;
        shape->Draw(canvas.Graphics(), c.stageX, 0, c.zoom, &placement);
        EXPECT_EQ(kOpaqueRed, canvas.Pixel(c.inside.x, c.inside.y)) << c.zoom;
        EXPECT_EQ(kOpaqueWhite, canvas.Pixel(c.outside.x, c.outside.y)) << c.zoom;
    }
}

TEST(Shape, FillCoversTheInnerHalfOfAWideOutline)
{
    const std::unique_ptr<CFlashSolidShape> shape(MakeSolidRect(2000, 2000, 2000, 2000, kOpaqueRed));
    Gdiplus::Pen pen(Gdiplus::Color(kOpaqueBlue), 200.0f); // 10 pixels at zoom 1
    shape->SetPen(&pen);
    const CFlashEditorFrameShapeTransform identity;
    CTestCanvas canvas;
    shape->Draw(canvas.Graphics(), 0, 0, 1.0, &identity);
    // Left edge at x = 100: the outer half (95..100) shows the pen, the inner half the fill.
    EXPECT_EQ(kOpaqueBlue, canvas.Pixel(97, 150));
    EXPECT_EQ(kOpaqueRed, canvas.Pixel(102, 150));
    EXPECT_EQ(kOpaqueWhite, canvas.Pixel(92, 150));
}

// Pixels in which the two canvases differ.
int DifferingPixels(CTestCanvas& a, CTestCanvas& b)
{
    int differing = 0;
    for (int y = 0; y < CTestCanvas::kHeight; ++y)
        for (int x = 0; x < CTestCanvas::kWidth; ++x)
            differing += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
    return differing;
}

TEST(Shape, OutlineLooksAsIfEveryCurveWereDrawnAlone)
{
    // Curves meeting at sharp corners, curves that do not meet, and two contours closed by
    // close-figure operations: none may be joined to its neighbour or to a figure's start. The
    // pen is opaque: where the caps of two curves overlap, a translucent outline is now blended
    // once, not once per curve.
    const auto bezierCorners = [] {
        auto shape = std::make_unique<CFlashSolidShape>(nullptr);
        shape->InsertCurve(new CFlashBezierCurve(1000, 1000, 3000, 500, 4000, 2000), false, 0);
        shape->InsertCurve(new CFlashBezierCurve(4000, 2000, 2000, 3000, 1500, 4000), false, 0);
        shape->InsertCurve(new CFlashBezierCurve(1500, 4000, 2500, 2000, 1000, 1000), false, 0);
        return shape;
    };
    const auto separateLines = [] {
        auto shape = std::make_unique<CFlashSolidShape>(nullptr);
        shape->InsertCurve(new CFlashStraightLine(6000, 1000, 9000, 1000), false, 0);
        shape->InsertCurve(new CFlashStraightLine(9000, 2000, 6000, 2000), false, 0);
        shape->InsertCurve(new CFlashStraightLine(6000, 2500, 7000, 3500), false, 0);
        return shape;
    };
    const auto closedContours = [] {
        auto shape = std::make_unique<CFlashSolidShape>(nullptr);
        shape->InsertCurve(new CFlashStraightLine(1000, 5000, 3000, 5000), false, 0);
        shape->InsertCurve(new CFlashStraightLine(3000, 5000, 3000, 7000), false, 0);
        shape->InsertCurve(new CFlashStraightLine(3000, 7000, 1000, 7000), false, 0);
        shape->InsertCurve(new CFlashCloseFigureOp, false, 0);
        shape->InsertCurve(new CFlashStraightLine(1500, 5500, 2500, 5500), true, 1);
        shape->InsertCurve(new CFlashBezierCurve(2500, 5500, 2000, 6800, 1500, 5500), true, 1);
        shape->InsertCurve(new CFlashCloseFigureOp, false, 0);
        return shape;
    };
    const struct {
        const char* name;
        std::unique_ptr<CFlashSolidShape> shape;
    } shapes[] = {{"Bezier corners", bezierCorners()},
                  {"separate lines", separateLines()},
                  {"closed contours", closedContours()}};
    const Gdiplus::REAL penWidths[] = {20.0f, 100.0f, 300.0f};
    const double zooms[] = {1.0, 2.5};
    const CFlashEditorFrameShapeTransform identity;
    for (const auto& s : shapes)
        for (const Gdiplus::REAL width : penWidths)
            for (const double zoom : zooms) {
                const Gdiplus::Pen pen(Gdiplus::Color(kOpaqueBlue), width);
                s.shape->SetPen(&pen);
                CTestCanvas drawn;
                s.shape->Draw(drawn.Graphics(), 0, 0, zoom, &identity);
                CTestCanvas alone;
                CFlashShape::PrepareGraphics(alone.Graphics(), 0, 0, zoom, &identity);
                for (int k = 0; k < s.shape->GetCurveCount(); ++k)
                    s.shape->GetCurve(k)->Draw(alone.Graphics(), &pen);
                EXPECT_EQ(0, DifferingPixels(drawn, alone)) << s.name << ", pen " << width << ", zoom " << zoom;
            }
}

TEST(Shape, HollowShapeDrawsItsOutlineAndADashedEllipse)
{
    Gdiplus::Pen pen(Gdiplus::Color(kOpaqueBlue), 40.0f);
    const auto shape = MakeRectOutline<CFlashHollowShape>(pen);
    const auto placement = Translated(2000.0f, 2000.0f);
    CTestCanvas canvas;
    shape->Draw(canvas.Graphics(), 0, 0, 1.0, &placement);
    const Gdiplus::Color edge(canvas.Pixel(150, 100)); // top edge
    EXPECT_TRUE(edge.GetB() > 200 && edge.GetR() < 60) << std::hex << edge.GetValue();
    EXPECT_EQ(kOpaqueWhite, canvas.Pixel(150, 140)); // inside, off the ellipse
    int reddish = 0;
    for (int x = 100; x <= 200; ++x)
        for (int y = 100; y <= 150; ++y) {
            const Gdiplus::Color color(canvas.Pixel(x, y));
            reddish += color.GetR() > 200 && color.GetG() < 150 && color.GetB() < 150;
        }
    EXPECT_GT(reddish, 0) << "the inscribed ellipse is drawn in red";
}

TEST(Shape, EachShapeClassIsHitWhereItPaints)
{
    Gdiplus::Pen pen(Gdiplus::Color(kOpaqueBlue), 4.0f);
    const std::unique_ptr<CFlashSolidShape> solid(MakeSolidRect(0, 0, 2000, 1000, kOpaqueRed));
    const auto hollow = MakeRectOutline<CFlashHollowShape>(pen);
    const auto path = MakeRectOutline<CFlashContinuousPathShape>(pen);
    const auto placement = Translated(2000.0f, 2000.0f);
    CTestDC dc;
    const struct {
        CFlashShape* shape;
        POINT p;
        bool hit;
    } cases[] = {
        {solid.get(), {150, 120}, true},  {solid.get(), {101, 120}, true},   {solid.get(), {250, 120}, false},
        {hollow.get(), {150, 100}, true}, {hollow.get(), {150, 120}, false}, {hollow.get(), {200, 125}, true},
        {path.get(), {150, 150}, true},   {path.get(), {150, 120}, false},   {path.get(), {150, 153}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hit, c.shape->HitTest(dc.Get(), 1.0, c.p, &placement)) << c.p.x << "," << c.p.y;
    // Zoom scales the shape, not the point.
    EXPECT_TRUE(solid->HitTest(dc.Get(), 2.0, {300, 250}, &placement));
    EXPECT_FALSE(solid->HitTest(dc.Get(), 0.5, {150, 120}, &placement));
    // Without a pen an outline shape is never hit.
    hollow->SetPen(nullptr);
    EXPECT_FALSE(hollow->HitTest(dc.Get(), 1.0, {150, 100}, &placement));
}

TEST(Shape, SegmentCrossingTheMarqueeSelectsTheShape)
{
    CFlashContinuousPathShape line(nullptr);
    line.InsertCurve(new CFlashStraightLine(0, 500, 1000, 500), false, 0);
    const struct {
        Gdiplus::Rect rect;
        bool hit;
    } cases[] = {
        {{400, 400, 200, 200}, true},   // crossed without an end point inside
        {{-50, 450, 100, 100}, true},   // an end point inside
        {{400, 600, 200, 200}, false},  // below
        {{1100, 400, 200, 200}, false}, // beyond the end
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hit, line.IntersectsRect(c.rect, nullptr)) << c.rect.X << "," << c.rect.Y;
    Gdiplus::Matrix down;
    down.Translate(0.0f, 200.0f);
    EXPECT_TRUE(line.IntersectsRect(Gdiplus::Rect(400, 600, 200, 200), &down));

    // An arch whose flattened outline crosses the marquee only through its peak.
    CFlashContinuousPathShape arch(nullptr);
    arch.InsertCurve(new CFlashBezierCurve(5000, 6000, 6000, 4000, 7000, 6000), false, 0);
    EXPECT_TRUE(arch.IntersectsRect(Gdiplus::Rect(5900, 4900, 200, 200), nullptr));
    EXPECT_FALSE(arch.IntersectsRect(Gdiplus::Rect(5900, 4500, 200, 200), nullptr));
}

TEST(Shape, VertexHandlesOfOpenAndClosedContours)
{
    auto build = [](CFlashShape& shape) {
        shape.InsertCurve(new CFlashStraightLine(0, 0, 100, 0), false, 0);
        shape.InsertCurve(new CFlashBezierCurve(100, 0, 150, 50, 100, 100), false, 0);
        shape.InsertCurve(new CFlashStraightLine(100, 100, 0, 0), false, 0);
    };
    CFlashContinuousPathShape open(nullptr);
    CFlashSolidShape closed(nullptr);
    build(open);
    build(closed);
    const auto placement = Translated(10.0f, 20.0f);

    std::vector<CFlashVertexHandle> handles;
    open.CollectVertexHandles(handles, &placement);
    ASSERT_EQ(4u, handles.size());
    EXPECT_EQ(nullptr, handles[0].pIncomingCurve);
    EXPECT_EQ(10, handles[0].ptVertex.x);
    EXPECT_EQ(20, handles[0].ptVertex.y);
    EXPECT_EQ(open.GetCurve(1), handles[1].pOutgoingCurve);
    EXPECT_EQ(2, handles[1].nOutgoingControlIndex);
    EXPECT_TRUE(handles[1].bHasControlPoints);
    EXPECT_EQ(3, handles[2].nIncomingControlIndex);
    EXPECT_EQ(nullptr, handles[3].pOutgoingCurve);
    EXPECT_EQ(1, handles[3].nIncomingVertexIndex);

    handles.clear();
    closed.CollectVertexHandles(handles, nullptr);
    ASSERT_EQ(3u, handles.size());
    EXPECT_EQ(closed.GetCurve(2), handles[0].pIncomingCurve);
    EXPECT_EQ(1, handles[0].nIncomingVertexIndex);
    EXPECT_FALSE(handles[0].bHasControlPoints);
}

TEST(Shape, OffsetMovesEveryCurve)
{
    const std::unique_ptr<CFlashSolidShape> shape(MakeSolidRect(0, 0, 100, 100, kOpaqueRed));
    shape->Offset(50, -20);
    EXPECT_TRUE(shape->GetBounds().Equals(Gdiplus::Rect(50, -20, 100, 100)));
}
