#include "ModelTestSupport.h"

#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/GeometryHelpers.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {
using Spans = std::vector<std::pair<int, int>>;

// Builds the tiling through the layer's own commands; an empty list removes every span.
void BuildSpans(CFlashEditorLayer& layer, const Spans& spans)
{
    if (spans.empty()) {
        layer.RemoveFrames(1, layer.GetLastFrame());
        return;
    }
    layer.InsertFrames(1, spans[0].second - 1);
    for (size_t i = 1; i < spans.size(); ++i) {
        layer.InsertKeyframe(spans[i].first, false);
        layer.InsertFrames(spans[i].first, spans[i].second - spans[i].first);
    }
}

Spans SpansOf(const CFlashEditorLayer& layer)
{
    Spans spans;
    for (const CFlashEditorFrame* span : layer.GetSpans())
        spans.emplace_back(span->GetStartFrame(), span->GetEndFrame());
    return spans;
}

std::string Describe(const Spans& spans)
{
    std::string text;
    for (const auto& [first, last] : spans)
        text += "[" + std::to_string(first) + "," + std::to_string(last) + "]";
    return text;
}

std::unique_ptr<CFlashEditorFrameShapeTransform> Shifted(float dx)
{
    auto placement = std::make_unique<CFlashEditorFrameShapeTransform>();
    placement->GetMatrix()->Translate(dx, 0.0f);
    return placement;
}

float OffsetX(const CFlashEditorFrameShapeTransform* placement)
{
    Gdiplus::REAL m[6];
    placement->GetMatrix()->GetElements(m);
    return m[4];
}
}

TEST(Layer, NewLayerHasOneSpanAtFrameOne)
{
    CFlashEditorLayer layer(nullptr);
    EXPECT_EQ(Spans({{1, 1}}), SpansOf(layer));
    EXPECT_EQ(1, layer.GetCurrentFrame());
    EXPECT_NE(nullptr, layer.GetCurrentSpan());
    EXPECT_FALSE(layer.IsLocked());
    EXPECT_TRUE(layer.IsVisible());
    EXPECT_EQ(nullptr, layer.FindSpan(2));
    EXPECT_EQ(nullptr, layer.FindSpan(0));
    layer.SetCurrentFrame(2);
    EXPECT_EQ(-1, layer.GetCurrentFrame());
    EXPECT_EQ(nullptr, layer.GetCurrentSpan());
    EXPECT_EQ(nullptr, layer.GetSpanByIndex(0));
    EXPECT_EQ(nullptr, layer.GetSpanByIndex(2));
}

TEST(Layer, SpanLookups)
{
    CFlashEditorLayer layer(nullptr);
    BuildSpans(layer, {{1, 4}, {5, 8}, {9, 9}});
    EXPECT_EQ(9, layer.GetLastFrame());
    EXPECT_EQ(5, layer.GetSpanByIndex(2)->GetStartFrame());
    EXPECT_EQ(layer.GetSpanByIndex(2), layer.GetNextSpan(3));
    EXPECT_EQ(nullptr, layer.GetNextSpan(9));
    EXPECT_EQ(layer.GetSpanByIndex(3), layer.FindSpan(9));
}

TEST(Layer, FrameCommandsKeepTheSpansTiled)
{
    enum Command { InsertFrames, RemoveFrames, InsertKeyframe, ClearFrames };
    const struct {
        Spans before;
        Command command;
        int a, b;
        Spans after;
    } cases[] = {
        {{{1, 1}, {2, 5}}, InsertFrames, 1, 3, {{1, 4}, {5, 8}}},
        {{{1, 1}, {2, 5}}, InsertFrames, 20, 3, {{1, 1}, {2, 20}}},
        {{{1, 4}}, InsertFrames, 0, 3, {{1, 4}}},
        {{}, InsertFrames, 1, 3, {}},
        {{{1, 4}, {5, 8}}, RemoveFrames, 2, 3, {{1, 2}, {3, 6}}},
        {{{1, 1}, {2, 3}, {4, 8}}, RemoveFrames, 2, 3, {{1, 1}, {2, 6}}},
        {{{1, 6}}, RemoveFrames, 5, 10, {{1, 4}}},
        {{{1, 4}, {5, 8}}, RemoveFrames, 3, 6, {{1, 2}, {3, 4}}},
        {{{1, 4}}, RemoveFrames, 1, 4, {}},
        {{{1, 5}}, InsertKeyframe, 3, 1, {{1, 2}, {3, 5}}},
        {{{1, 1}}, InsertKeyframe, 1, 1, {{1, 1}}},
        {{{1, 5}}, InsertKeyframe, 8, 0, {{1, 7}, {8, 8}}},
        {{{1, 5}}, InsertKeyframe, 1, 1, {{1, 1}, {2, 5}}},
        {{{1, 5}}, InsertKeyframe, 5, 0, {{1, 4}, {5, 5}}},
        {{{1, 5}}, InsertKeyframe, 0, 1, {{1, 5}}},
        {{}, InsertKeyframe, 4, 1, {{1, 3}, {4, 4}}},
        {{}, InsertKeyframe, 1, 1, {{1, 1}}},
        {{{1, 6}}, ClearFrames, 3, 4, {{1, 2}, {3, 4}, {5, 6}}},
        {{{1, 5}}, ClearFrames, 1, 1, {{1, 1}, {2, 5}}},
        {{{1, 3}, {4, 9}}, ClearFrames, 3, 5, {{1, 2}, {3, 5}, {6, 9}}},
        {{{1, 2}, {3, 4}, {5, 6}}, ClearFrames, 3, 4, {{1, 2}, {3, 4}, {5, 6}}},
        {{{1, 2}, {3, 4}, {5, 9}}, ClearFrames, 2, 6, {{1, 1}, {2, 6}, {7, 9}}},
        {{{1, 4}}, ClearFrames, 6, 8, {{1, 4}}},
        {{{1, 4}}, ClearFrames, 3, 8, {{1, 2}, {3, 8}}},
        {{{1, 4}, {5, 6}}, ClearFrames, 3, 8, {{1, 2}, {3, 8}}},
    };
    for (const auto& c : cases) {
        CFlashEditorLayer layer(nullptr);
        BuildSpans(layer, c.before);
        ASSERT_EQ(c.before, SpansOf(layer)) << Describe(c.before);
        switch (c.command) {
        case InsertFrames:
            layer.InsertFrames(c.a, c.b);
            break;
        case RemoveFrames:
            layer.RemoveFrames(c.a, c.b);
            break;
        case InsertKeyframe:
            layer.InsertKeyframe(c.a, c.b != 0);
            break;
        case ClearFrames:
            layer.ClearFrames(c.a, c.b);
            break;
        }
        EXPECT_EQ(c.after, SpansOf(layer)) << "command " << c.command << " (" << c.a << ", " << c.b << ") on "
                                           << Describe(c.before) << " gave " << Describe(SpansOf(layer));
    }
}

TEST(Layer, KeyframeCopiesCloneShapesAndBlankKeyframesAreEmpty)
{
    CFlashEditorLayer layer(nullptr);
    BuildSpans(layer, {{1, 5}});
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    ASSERT_TRUE(layer.AddShape(shape, 1, Shifted(30.0f)));
    layer.GetSpanByIndex(1)->SetMotionTween(true);

    CFlashEditorFrame* copy = layer.InsertKeyframe(3, true);
    ASSERT_NE(nullptr, copy);
    EXPECT_FALSE(copy->IsMotionTween());
    CFlashShape* clone = copy->GetShapeById(shape->GetObjectId());
    ASSERT_NE(nullptr, clone);
    EXPECT_NE(shape, clone);
    EXPECT_FLOAT_EQ(30.0f, OffsetX(copy->GetShapeTransform(clone)));

    CFlashEditorFrame* blank = layer.InsertKeyframe(5, false);
    ASSERT_NE(nullptr, blank);
    EXPECT_TRUE(blank->IsEmpty());

    layer.ClearFrames(1, 2);
    EXPECT_TRUE(layer.GetSpanByIndex(1)->IsEmpty());
}

TEST(Layer, ClearingTheMiddleCopiesTheTail)
{
    CFlashEditorLayer layer(nullptr);
    BuildSpans(layer, {{1, 6}});
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    ASSERT_TRUE(layer.AddShape(shape, 1, nullptr));
    layer.ClearFrames(3, 4);
    EXPECT_EQ(shape, layer.FindSpan(1)->GetShapeById(shape->GetObjectId()));
    EXPECT_TRUE(layer.FindSpan(3)->IsEmpty());
    CFlashShape* tail = layer.FindSpan(5)->GetShapeById(shape->GetObjectId());
    ASSERT_NE(nullptr, tail);
    EXPECT_NE(shape, tail);
}

TEST(Layer, AddShapeReportsWhetherTheLayerHoldsTheShape)
{
    CFlashEditorLayer layer(nullptr);
    std::unique_ptr<CFlashSolidShape> shape(MakeSolidRect(0, 0, 10, 10, kOpaqueRed));

    layer.SetLocked(true);
    EXPECT_FALSE(layer.AddShape(shape.get(), -1, nullptr));
    EXPECT_FALSE(layer.ContainsShape(shape.get()));
    layer.SetLocked(false);
    EXPECT_FALSE(layer.AddShape(shape.get(), 7, nullptr)) << "no span at frame 7";
    layer.SetCurrentFrame(5);
    EXPECT_FALSE(layer.AddShape(shape.get(), -1, nullptr)) << "no current span";

    layer.SetCurrentFrame(1);
    EXPECT_TRUE(layer.AddShape(shape.get(), -1, nullptr));
    CFlashSolidShape* held = shape.release();
    EXPECT_TRUE(layer.AddShape(held, -1, Shifted(99.0f))) << "already held";
    EXPECT_EQ(1u, layer.GetCurrentSpan()->GetTransformRange().size());
    EXPECT_FLOAT_EQ(0.0f, OffsetX(layer.GetCurrentSpan()->GetShapeTransform(held)));
    layer.SetLocked(true);
    EXPECT_TRUE(layer.AddShape(held, -1, nullptr)) << "a locked layer still holds what it has";

    std::vector<CFlashShape*> shapes;
    layer.GetCurrentFrameShapes(shapes);
    EXPECT_EQ(std::vector<CFlashShape*>{held}, shapes);
}

TEST(Layer, RemovedShapeIsHandedToTheCaller)
{
    CFlashEditorLayer layer(nullptr);
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    ASSERT_TRUE(layer.AddShape(shape, -1, nullptr));
    std::unique_ptr<CFlashShape> removed = layer.RemoveShapeFromCurrentSpan(shape);
    EXPECT_EQ(shape, removed.get());
    EXPECT_FALSE(layer.ContainsShape(shape));
    EXPECT_EQ(nullptr, layer.RemoveShapeFromCurrentSpan(shape));
}

TEST(Layer, SharedShapeObjectIsDetachedIntoAClone)
{
    CFlashEditorLayer layer(nullptr);
    BuildSpans(layer, {{1, 1}, {2, 2}});
    CFlashSolidShape* shared = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    layer.GetSpanByIndex(1)->AddShape(shared, Shifted(11.0f).release());
    layer.GetSpanByIndex(2)->AddShape(shared, nullptr);
    layer.SetCurrentFrame(1);

    std::unique_ptr<CFlashEditorFrameShapeTransform> placement;
    CFlashShape* copy = layer.DetachSharedShape(shared, placement);
    ASSERT_NE(shared, copy);
    ASSERT_NE(nullptr, placement);
    EXPECT_FLOAT_EQ(11.0f, OffsetX(placement.get()));
    EXPECT_EQ(shared->GetName(), copy->GetName());
    EXPECT_EQ(nullptr, layer.GetSpanByIndex(1)->GetShapeTransform(shared));
    EXPECT_NE(nullptr, layer.GetSpanByIndex(2)->GetShapeTransform(shared));
    ASSERT_TRUE(layer.AddShape(copy, -1, std::move(placement)));

    // A shape held once is its own detached form.
    std::unique_ptr<CFlashEditorFrameShapeTransform> none;
    EXPECT_EQ(copy, layer.DetachSharedShape(copy, none));
    EXPECT_EQ(nullptr, none);
}

TEST(Layer, HitTestInsideASpanWhoseSuccessorIsNotTweenedUsesTheOwnPlacement)
{
    CFlashEditorLayer layer(nullptr);
    BuildSpans(layer, {{1, 4}});
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 1000, 1000, kOpaqueRed);
    ASSERT_TRUE(layer.AddShape(shape, 1, nullptr));
    CFlashEditorFrame* next = layer.InsertKeyframe(5, true);
    layer.InsertFrames(5, 3);
    next->TranslateShape(next->GetShapeById(shape->GetObjectId()), 4000.0f, 0.0f);
    layer.GetSpanByIndex(1)->SetMotionTween(true);
    layer.SetCurrentFrame(3);
    CTestDC dc;
    EXPECT_EQ(shape, layer.HitTestCurrentFrame(dc.Get(), 1.0, {25, 25}));
    layer.SetVisible(false);
    EXPECT_EQ(nullptr, layer.HitTestCurrentFrame(dc.Get(), 1.0, {25, 25}));
}

TEST(Layer, TweenValidityNeedsAFlaggedSuccessorWithTheSameShapes)
{
    CFlashEditorLayer layer(nullptr);
    BuildSpans(layer, {{1, 4}});
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    ASSERT_TRUE(layer.AddShape(shape, 1, nullptr));
    CFlashEditorFrame* first = layer.GetSpanByIndex(1);
    EXPECT_TRUE(layer.IsTweenValid(first)) << "no successor";
    CFlashEditorFrame* next = layer.InsertKeyframe(5, true);
    EXPECT_FALSE(layer.IsTweenValid(first)) << "successor not flagged";
    next->SetMotionTween(true);
    EXPECT_TRUE(layer.IsTweenValid(first));
    next->AddShape(MakeSolidRect(0, 0, 5, 5, kOpaqueBlue), nullptr);
    EXPECT_FALSE(layer.IsTweenValid(first)) << "a shape without counterpart";
}

TEST(Layer, SplittingATweenInsertsAnInterpolatedKeyframe)
{
    CFlashEditorLayer layer(nullptr);
    BuildSpans(layer, {{1, 9}});
    CFlashSolidShape* shape = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    ASSERT_TRUE(layer.AddShape(shape, 1, nullptr));
    CFlashEditorFrame* last = layer.InsertKeyframe(10, true);
    CFlashShape* target = last->GetShapeById(shape->GetObjectId());
    last->TranslateShape(target, 4500.0f, 0.0f);
    target->SetColors(kOpaqueBlue, kOpaqueBlue);
    CFlashEditorFrame* first = layer.GetSpanByIndex(1);

    layer.SetCurrentFrame(4);
    EXPECT_FALSE(layer.SplitTweenAtCurrentFrame()) << "not a tween";
    first->SetMotionTween(true);
    EXPECT_FALSE(layer.SplitTweenAtCurrentFrame()) << "a tween that does not play";
    last->SetMotionTween(true);
    layer.SetCurrentFrame(1);
    EXPECT_FALSE(layer.SplitTweenAtCurrentFrame()) << "the span's first frame";

    layer.SetCurrentFrame(4);
    ASSERT_TRUE(layer.SplitTweenAtCurrentFrame());
    EXPECT_EQ(Spans({{1, 3}, {4, 9}, {10, 10}}), SpansOf(layer));
    CFlashEditorFrame* middle = layer.GetSpanByIndex(2);
    EXPECT_TRUE(middle->IsMotionTween());
    EXPECT_TRUE(first->IsMotionTween());
    CFlashShape* split = middle->GetShapeById(shape->GetObjectId());
    ASSERT_NE(nullptr, split);
    // t = (4 - 1) / (10 - 1).
    EXPECT_NEAR(1500.0f, OffsetX(middle->GetShapeTransform(split)), 0.01f);
    Gdiplus::Color color;
    static_cast<Gdiplus::SolidBrush*>(split->GetBrush())->GetColor(&color);
    Gdiplus::ARGB expected = 0;
    LerpColor(expected, kOpaqueRed, kOpaqueBlue, 3.0 / 9.0);
    EXPECT_EQ(expected, color.GetValue());
    EXPECT_EQ(nullptr, shape->GetTweenFill());
}

// Tween flags of the spans [1,4] [5,8] [9,12] as "t" (flagged) or "-", before and after a
// command over a range of frames.
TEST(Layer, MotionTweenCommandsFlagTheSpanEndingEachTween)
{
    const struct {
        const char* name;
        bool create;
        int first, last;
        const char* before;
        const char* after;
    } cases[] = {
        {"create on a keyframe flags the tween's end", true, 1, 1, "---", "tt-"},
        {"create on the last span has no end to flag", true, 9, 12, "---", "--t"},
        {"create across two spans tweens each to its next", true, 2, 5, "---", "ttt"},
        {"create past the spans", true, 20, 30, "---", "---"},
        {"remove takes back what create set", false, 1, 1, "tt-", "---"},
        {"remove keeps a next span that starts its own tween", false, 1, 1, "ttt", "-tt"},
        {"remove keeps the end of the tween before the range", false, 5, 5, "ttt", "tt-"},
        {"remove with no tween from the range leaves the one into it", false, 5, 8, "tt-", "tt-"},
        {"remove over every tween", false, 1, 8, "ttt", "---"},
        {"remove a lone flag on the last span", false, 9, 9, "--t", "---"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFlashEditorLayer layer(nullptr);
        BuildSpans(layer, {{1, 4}, {5, 8}, {9, 12}});
        for (int i = 0; i < 3; ++i)
            layer.GetSpanByIndex(i + 1)->SetMotionTween(c.before[i] == 't');
        if (c.create)
            layer.CreateMotionTween(c.first, c.last);
        else
            layer.RemoveMotionTween(c.first, c.last);
        std::string flags;
        for (const CFlashEditorFrame* span : layer.GetSpans())
            flags += span->IsMotionTween() ? 't' : '-';
        EXPECT_EQ(c.after, flags);
    }
}

TEST(Layer, DeselectAllShapesResetsSelectedOnesInEverySpan)
{
    CFlashEditorLayer layer(nullptr);
    BuildSpans(layer, {{1, 1}, {2, 2}});
    CFlashSolidShape* a = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    CFlashSolidShape* b = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    CFlashSolidShape* hidden = MakeSolidRect(0, 0, 10, 10, kOpaqueRed);
    ASSERT_TRUE(layer.AddShape(a, 1, nullptr));
    ASSERT_TRUE(layer.AddShape(b, 2, nullptr));
    ASSERT_TRUE(layer.AddShape(hidden, 2, nullptr));
    a->SetState(kResourceStateSelected);
    b->SetState(kResourceStateSelected);
    hidden->SetState(kResourceStateHidden);
    layer.DeselectAllShapes();
    EXPECT_EQ(kResourceStateNormal, a->GetState());
    EXPECT_EQ(kResourceStateNormal, b->GetState());
    EXPECT_EQ(kResourceStateHidden, hidden->GetState());
}
