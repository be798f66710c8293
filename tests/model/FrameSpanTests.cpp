#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/GradientMarker.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {
// A layer with a keyframe span [5, 9] holding a red square of 50 pixels at the stage origin and
// a span [10, 10] holding its copy (same identifier) moved 250 pixels right.
class TweenFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_layer.InsertKeyframe(5, false);
        m_layer.InsertFrames(5, 4);
        m_shape = MakeSolidRect(0, 0, 1000, 1000, kOpaqueRed);
        ASSERT_TRUE(m_layer.AddShape(m_shape, 5, nullptr));
        m_next = m_layer.InsertKeyframe(10, true);
        ASSERT_NE(nullptr, m_next);
        m_first = m_layer.FindSpan(5);
        m_copy = m_next->GetShapeById(m_shape->GetObjectId());
        ASSERT_NE(nullptr, m_copy);
        m_next->TranslateShape(m_copy, 5000.0f, 0.0f);
        m_first->SetMotionTween(true);
        m_next->SetMotionTween(true);
    }

    Gdiplus::ARGB RenderAt(int frame, int x, int y)
    {
        CTestCanvas canvas;
        m_layer.SetCurrentFrame(frame);
        m_layer.RenderCurrentFrame(canvas.Graphics(), 0, 0, 1.0, kRenderAllStates);
        return canvas.Pixel(x, y);
    }

    CFlashEditorLayer m_layer{nullptr};
    CFlashSolidShape* m_shape = nullptr;
    CFlashShape* m_copy = nullptr;
    CFlashEditorFrame* m_first = nullptr;
    CFlashEditorFrame* m_next = nullptr;
};

CFlashEditorFrameShapeTransform* Shifted(float dx, float dy)
{
    auto* placement = new CFlashEditorFrameShapeTransform();
    placement->GetMatrix()->Translate(dx, dy);
    return placement;
}
}

TEST(Placement, InterpolatesMatrixAndValuesOnlyWithinTheUnitRange)
{
    CFlashEditorFrameShapeTransform from, to, out;
    to.GetMatrix()->Translate(1000.0f, -500.0f);
    to.GetMatrix()->Scale(3.0f, 1.0f);
    from.Interpolate(&to, &out, 0.25);
    Gdiplus::REAL m[6];
    out.GetMatrix()->GetElements(m);
    EXPECT_FLOAT_EQ(1.5f, m[0]);
    EXPECT_FLOAT_EQ(250.0f, m[4]);
    EXPECT_FLOAT_EQ(-125.0f, m[5]);

    CFlashEditorFrameShapeTransform untouched;
    for (const double t : {-0.1, 1.1}) {
        from.Interpolate(&to, &untouched, t);
        EXPECT_TRUE(untouched.GetMatrix()->IsIdentity()) << t;
    }
    from.Interpolate(nullptr, &untouched, 0.5);
    EXPECT_TRUE(untouched.GetMatrix()->IsIdentity());

    out.SetActive(false);
    from.Interpolate(&to, &out, 0.5);
    EXPECT_FALSE(out.IsActive());
    const CFlashEditorFrameShapeTransform copy(to);
    EXPECT_TRUE(copy.IsActive());
    copy.GetMatrix()->GetElements(m);
    EXPECT_FLOAT_EQ(3.0f, m[0]);
}

TEST(FrameSpan, NewShapeIsTopmostDrawnLastAndHitFirst)
{
    CFlashEditorFrame span(1, 1, nullptr);
    CFlashSolidShape* red = MakeSolidRect(0, 0, 2000, 2000, kOpaqueRed);
    CFlashSolidShape* blue = MakeSolidRect(1000, 1000, 2000, 2000, kOpaqueBlue);
    span.AddShape(red, nullptr);
    span.AddShape(blue, nullptr);
    std::vector<CFlashShape*> order;
    span.CollectShapes(order);
    ASSERT_EQ(2u, order.size());
    EXPECT_EQ(blue, order[0]);

    CTestCanvas canvas;
    span.Render(canvas.Graphics(), 0, 0, 1.0, kRenderAllStates, 1);
    EXPECT_EQ(kOpaqueBlue, canvas.Pixel(75, 75));
    EXPECT_EQ(kOpaqueRed, canvas.Pixel(25, 25));
    CTestDC dc;
    EXPECT_EQ(blue, span.HitTest(dc.Get(), 1.0, {75, 75}));
    EXPECT_EQ(red, span.HitTest(dc.Get(), 1.0, {25, 25}));
    EXPECT_EQ(nullptr, span.HitTest(dc.Get(), 1.0, {150, 150}));

    span.MoveShapeToBack(blue);
    CTestCanvas reordered;
    span.Render(reordered.Graphics(), 0, 0, 1.0, kRenderAllStates, 1);
    EXPECT_EQ(kOpaqueRed, reordered.Pixel(75, 75));
    EXPECT_EQ(red, span.HitTest(dc.Get(), 1.0, {75, 75}));
}

TEST(FrameSpan, RenderHonoursFrameRangeFilterAndHiddenState)
{
    CFlashEditorFrame span(3, 6, nullptr);
    CFlashSolidShape* normal = MakeSolidRect(0, 0, 1000, 1000, kOpaqueRed);
    CFlashSolidShape* selected = MakeSolidRect(2000, 0, 1000, 1000, kOpaqueBlue);
    CFlashSolidShape* hidden = MakeSolidRect(4000, 0, 1000, 1000, kOpaqueGreen);
    selected->SetState(kResourceStateSelected);
    hidden->SetState(kResourceStateHidden);
    for (CFlashShape* shape : {static_cast<CFlashShape*>(normal), static_cast<CFlashShape*>(selected),
                               static_cast<CFlashShape*>(hidden)})
        span.AddShape(shape, nullptr);
    const struct {
        int filter, frame;
        bool normalDrawn, selectedDrawn;
    } cases[] = {
        {kRenderAllStates, 3, true, true},
        {kResourceStateNormal, 4, true, false},
        {kResourceStateSelected, 6, false, true},
        {kRenderAllStates, 2, false, false},
        {kRenderAllStates, 7, false, false},
    };
    for (const auto& c : cases) {
        CTestCanvas canvas;
        span.Render(canvas.Graphics(), 0, 0, 1.0, c.filter, c.frame);
        EXPECT_EQ(c.normalDrawn, canvas.Pixel(25, 25) == kOpaqueRed) << c.filter << "/" << c.frame;
        EXPECT_EQ(c.selectedDrawn, canvas.Pixel(125, 25) == kOpaqueBlue) << c.filter << "/" << c.frame;
        EXPECT_EQ(kOpaqueWhite, canvas.Pixel(225, 25)) << "hidden shapes are never drawn";
    }
    CTestDC dc;
    EXPECT_EQ(nullptr, span.HitTest(dc.Get(), 1.0, {225, 25}));
}

TEST(FrameSpan, SelectedShapesShowEndpointHandlesWhileTheFlagIsSet)
{
    CFlashEditorFrame span(1, 1, nullptr);
    CFlashSolidShape* shape = MakeSolidRect(2000, 2000, 2000, 2000, kOpaqueRed);
    shape->SetState(kResourceStateSelected);
    span.AddShape(shape, nullptr);
    for (const bool flag : {true, false}) {
        g_bShowEndpointHandles = flag;
        CTestCanvas canvas;
        span.Render(canvas.Graphics(), 0, 0, 1.0, kRenderAllStates, 1);
        // A handle of 6 pixels is centred on the corner (100, 100).
        const Gdiplus::Color outside(canvas.Pixel(99, 99));
        EXPECT_EQ(flag, outside.GetG() > 200 && outside.GetB() < 120) << std::hex << outside.GetValue();
        EXPECT_EQ(kOpaqueRed, canvas.Pixel(150, 150));
    }
    g_bShowEndpointHandles = true;
}

TEST(FrameSpan, RenderThroughADeviceContext)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 100;
    info.bmiHeader.biHeight = -100;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(nullptr, bitmap);
    CTestDC dc;
    HGDIOBJ old = SelectObject(dc.Get(), bitmap);
    PatBlt(dc.Get(), 0, 0, 100, 100, WHITENESS);
    CFlashEditorFrame span(1, 1, nullptr);
    span.AddShape(MakeSolidRect(0, 0, 1000, 1000, kOpaqueRed), Shifted(200.0f, 200.0f));
    span.Render(dc.Get(), 10, 10, 1.0, kRenderAllStates, 1);
    GdiFlush();
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc.Get(), 40, 40)); // (10 + 10 .. 60) pixels
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc.Get(), 15, 15));
    SelectObject(dc.Get(), old);
    DeleteObject(bitmap);
}

TEST(FrameSpan, InvisibleLayerIsNeitherDrawnNorHit)
{
    CFlashEditorLayer layer(nullptr);
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 1000, 1000, kOpaqueRed);
    ASSERT_TRUE(layer.AddShape(shape, 1, nullptr));
    CTestDC dc;
    EXPECT_EQ(shape, layer.HitTestCurrentFrame(nullptr, 1.0, {25, 25})) << "hit tests need no device context";
    layer.SetVisible(false);
    CTestCanvas canvas;
    layer.RenderCurrentFrame(canvas.Graphics(), 0, 0, 1.0, kRenderAllStates);
    EXPECT_EQ(kOpaqueWhite, canvas.Pixel(25, 25));
    EXPECT_EQ(nullptr, layer.HitTestCurrentFrame(dc.Get(), 1.0, {25, 25}));
}

TEST(FrameSpan, LookupsNeverAddEntriesAndRemovalHandsTheShapeOver)
{
    CFlashEditorFrame span(1, 1, nullptr);
    CFlashSolidShape* held = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    span.AddShape(held, Shifted(5.0f, 5.0f));
    const std::unique_ptr<CFlashSolidShape> stranger(MakeSolidRect(0, 0, 10, 10, kOpaqueBlue));
    EXPECT_EQ(nullptr, span.GetShapeTransform(stranger.get()));
    EXPECT_EQ(nullptr, span.GetShapeById(stranger->GetObjectId()));
    EXPECT_EQ(1u, span.GetTransformRange().size());

    std::unique_ptr<CFlashEditorFrameShapeTransform> placement;
    std::unique_ptr<CFlashShape> removed = span.RemoveShape(held, &placement);
    EXPECT_EQ(held, removed.get());
    ASSERT_NE(nullptr, placement);
    Gdiplus::REAL m[6];
    placement->GetMatrix()->GetElements(m);
    EXPECT_FLOAT_EQ(5.0f, m[4]);
    EXPECT_TRUE(span.IsEmpty());
    EXPECT_TRUE(span.GetTransformRange().empty());
    EXPECT_EQ(nullptr, span.GetShapeById(held->GetObjectId()));
    EXPECT_EQ(nullptr, span.RemoveShape(stranger.get()));
}

TEST(FrameSpan, CopyClonesShapesKeepingIdentifiersNamesPlacementsAndOrder)
{
    CFlashEditorFrame source(1, 3, nullptr);
    CFlashSolidShape* a = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    CFlashSolidShape* b = MakeSolidRect(0, 0, 20, 20, kOpaqueBlue);
    source.AddShape(a, Shifted(7.0f, 0.0f));
    source.AddShape(b, nullptr);
    source.MoveShapeToBack(b);
    const std::string name = a->GetName();

    CFlashEditorFrame copy(4, 6, nullptr, source);
    EXPECT_FALSE(copy.IsMotionTween());
    CFlashShape* clone = copy.GetShapeById(a->GetObjectId());
    ASSERT_NE(nullptr, clone);
    EXPECT_NE(a, clone);
    EXPECT_EQ(name, clone->GetName());
    EXPECT_EQ(4, clone->GetCurveCount());
    Gdiplus::REAL m[6];
    copy.GetShapeTransform(clone)->GetMatrix()->GetElements(m);
    EXPECT_FLOAT_EQ(7.0f, m[4]);
    EXPECT_EQ(source.GetStackingOrder(), copy.GetStackingOrder());
}

TEST(FrameSpan, ClearDeletesTheShapesAndEmptiesTheSpan)
{
    CFlashEditorFrame span(1, 1, nullptr);
    span.AddShape(MakeSolidRect(0, 0, 10, 10, kOpaqueRed), nullptr);
    span.Clear();
    EXPECT_TRUE(span.IsEmpty());
    EXPECT_TRUE(span.GetStackingOrder().empty());
}

TEST_F(TweenFixture, ShapeMovesByTheTweenFractionOfTheFrame)
{
    // Frame 7 of [5, 9]: t = 2 / 5 = 0.4, 100 pixels along the 250-pixel move.
    EXPECT_EQ(kOpaqueRed, RenderAt(7, 125, 25));
    EXPECT_EQ(kOpaqueWhite, RenderAt(7, 25, 25));
    // The first frame of the span shows the shape's own placement.
    EXPECT_EQ(kOpaqueRed, RenderAt(5, 25, 25));
    // The last frame stops one step short of the next keyframe: t = 0.8.
    EXPECT_EQ(kOpaqueRed, RenderAt(9, 225, 25));
    EXPECT_EQ(kOpaqueRed, RenderAt(10, 275, 25));
}

TEST_F(TweenFixture, HitTestsFollowTheTweenedPlacement)
{
    CTestDC dc;
    m_layer.SetCurrentFrame(7);
    EXPECT_EQ(m_shape, m_layer.HitTestCurrentFrame(dc.Get(), 1.0, {125, 25}));
    EXPECT_EQ(nullptr, m_layer.HitTestCurrentFrame(dc.Get(), 1.0, {25, 25}));
    const auto placement = m_layer.GetInterpolatedTransform(m_shape);
    ASSERT_NE(nullptr, placement);
    Gdiplus::REAL m[6];
    placement->GetMatrix()->GetElements(m);
    EXPECT_FLOAT_EQ(2000.0f, m[4]);
}

TEST_F(TweenFixture, NoTweenWhenTheNextSpanIsNotFlaggedOrHoldsAnotherIdentifier)
{
    m_next->SetMotionTween(false);
    EXPECT_EQ(kOpaqueRed, RenderAt(7, 25, 25));
    CTestDC dc;
    EXPECT_EQ(m_shape, m_layer.HitTestCurrentFrame(dc.Get(), 1.0, {25, 25}));

    m_next->SetMotionTween(true);
    // The next keyframe holds a different object in the same place.
    std::unique_ptr<CFlashEditorFrameShapeTransform> placement;
    const std::unique_ptr<CFlashShape> removed = m_next->RemoveShape(m_copy, &placement);
    m_next->AddShape(MakeSolidRect(0, 0, 1000, 1000, kOpaqueRed), placement.release());
    EXPECT_EQ(kOpaqueRed, RenderAt(7, 25, 25));
    EXPECT_EQ(kOpaqueWhite, RenderAt(7, 125, 25));
}

TEST_F(TweenFixture, SolidColourIsInterpolatedAndOverridesAreDropped)
{
    m_copy->SetColors(kOpaqueBlue, kOpaqueBlue);
    m_layer.InsertFrames(5, 5); // [5, 14] and [15, 15]: frame 10 is halfway
    // Frame 10: t = 5 / 10, between (0, 0) and 250 pixels right -> 125.
    EXPECT_EQ(Gdiplus::Color::MakeARGB(255, 127, 0, 127), RenderAt(10, 150, 25));
    EXPECT_EQ(kOpaqueRed, RenderAt(5, 25, 25));
    EXPECT_EQ(nullptr, m_shape->GetTweenFill());
}

TEST(FrameSpan, StyleInterpolationPerFillKind)
{
    const std::unique_ptr<CFlashSolidShape> red(MakeSolidRect(0, 0, 10, 10, kOpaqueRed));
    const std::unique_ptr<CFlashSolidShape> blue(MakeSolidRect(0, 0, 10, 10, kOpaqueBlue));
    Gdiplus::Pen thin(Gdiplus::Color(kOpaqueRed), 2.0f);
    thin.SetDashStyle(Gdiplus::DashStyleDot);
    Gdiplus::Pen thick(Gdiplus::Color(kOpaqueBlue), 6.0f);
    red->SetPen(&thin);
    blue->SetPen(&thick);
    CFlashEditorFrame::InterpolateShapeStyle(red.get(), blue.get(), 0.5);
    ASSERT_NE(nullptr, red->GetTweenFill());
    Gdiplus::Color color;
    static_cast<Gdiplus::SolidBrush*>(red->GetTweenFill())->GetColor(&color);
    EXPECT_EQ(Gdiplus::Color::MakeARGB(255, 127, 0, 127), color.GetValue());
    ASSERT_NE(nullptr, red->GetTweenPen());
    EXPECT_FLOAT_EQ(4.0f, red->GetTweenPen()->GetWidth());
    EXPECT_EQ(Gdiplus::DashStyleDot, red->GetTweenPen()->GetDashStyle());

    // Two linear gradients with the same stop count: stops interpolated pairwise.
    const auto from = CreateLinearGradientBrush(Gdiplus::Rect(0, 0, 1, 1), {{0.0, RGB(255, 0, 0)}, {1.0, RGB(0, 0, 0)}});
    const auto to = CreateLinearGradientBrush(Gdiplus::Rect(0, 0, 1, 1), {{0.0, RGB(0, 0, 255)}, {1.0, RGB(0, 0, 0)}});
    red->SetBrush(from.get());
    blue->SetBrush(to.get());
    CFlashEditorFrame::InterpolateShapeStyle(red.get(), blue.get(), 0.5);
    ASSERT_NE(nullptr, red->GetTweenFill());
    ASSERT_EQ(Gdiplus::BrushTypeLinearGradient, red->GetTweenFill()->GetType());
    std::vector<CGradientMarker> stops;
    ReadLinearGradientMarkers(static_cast<Gdiplus::LinearGradientBrush&>(*red->GetTweenFill()), stops);
    ASSERT_EQ(2u, stops.size());
    EXPECT_EQ(RGB(127, 0, 127), stops[0].m_clrColor);

    // A solid fill towards a gradient keeps the solid fill (no override).
    const std::unique_ptr<CFlashSolidShape> solid(MakeSolidRect(0, 0, 10, 10, kOpaqueRed));
    CFlashEditorFrame::InterpolateShapeStyle(solid.get(), blue.get(), 0.5);
    EXPECT_EQ(nullptr, solid->GetTweenFill());
    EXPECT_EQ(nullptr, solid->GetTweenPen());
}

TEST(FrameSpan, SpanReadFromAFileRestacksEachShapeOnce)
{
    CFlashEditorDoc made;
    std::vector<int> ids;
    for (int i = 0; i < 3; ++i) {
        CFlashSolidShape* shape = MakeSolidRect(i * 100, 0, 50, 50, kOpaqueRed);
        ASSERT_TRUE(made.AddShape(shape));
        ids.push_back(shape->GetObjectId());
    }
    // Stacked front first as c b a; a hand-edited file lists b a second time at the back.
    const std::string a = std::to_string(ids[0]), b = std::to_string(ids[1]), c = std::to_string(ids[2]);
    std::string text = SaveText(made);
    const std::string stacked = "3 " + c + " " + b + " " + a;
    const std::size_t at = text.find(stacked);
    ASSERT_NE(std::string::npos, at) << text;
    text.replace(at, stacked.size(), "4 " + c + " " + b + " " + a + " " + b);

    CFlashEditorDoc read;
    LoadText(read, text);
    CFlashEditorFrame* span = read.GetLayer(1)->GetCurrentSpan();
    auto order = [span] {
        std::vector<int> front;
        for (int id : span->GetStackingOrder())
            front.push_back(id);
        return front;
    };
    EXPECT_EQ((std::vector<int>{ids[2], ids[1], ids[0], ids[1]}), order()) << "read as written";

    span->MoveShapeToBack(span->GetShapeById(ids[2]));
    EXPECT_EQ((std::vector<int>{ids[1], ids[0], ids[2]}), order());
    CFlashSolidShape* added = MakeSolidRect(0, 100, 50, 50, kOpaqueBlue);
    ASSERT_TRUE(read.AddShape(added));
    span->MoveShapeToFront(span->GetShapeById(ids[0]));
    EXPECT_EQ((std::vector<int>{ids[0], added->GetObjectId(), ids[1], ids[2]}), order());
    std::vector<CFlashShape*> shapes;
    span->CollectShapes(shapes);
    EXPECT_EQ(4u, shapes.size()) << "each shape drawn once";
}
