// Copies are complete: a copy of a shape, a curve, a placement or a span writes the same archive
// text as its source (the identifier aside where the copy takes a new one), and reading a
// document takes over every value that its file stores.
#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/DocumentArchive.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

// The archive text of one object written through a pointer, as spans and documents write them.
template <class T>
std::string ObjectText(const T* object)
{
    std::ostringstream os;
    {
        CDocumentOArchive ar(os);
        RegisterArchiveTypes(ar);
        ar << object;
    }
    return os.str();
}

template <class T>
std::unique_ptr<T> ObjectFromText(const std::string& text)
{
    std::istringstream is(text);
    CDocumentIArchive ar(is);
    RegisterArchiveTypes(ar);
    T* object = nullptr;
    ar >> object;
    return std::unique_ptr<T>(object);
}

// The rich document of the fixtures: every shape class, pens, gradient fills, holes, several
// contours, text, a picture and a symbol.
void OpenFixture(CFlashEditorDoc& doc)
{
    LoadText(doc, ReadFile(std::string(MODEL_FIXTURES_DIR) + "/document-v3.qpd"));
}

// Header tokens, then the document's class information and object identifier: the stored
// identifier counter follows, which reading a document moves on.
constexpr std::size_t kCounterToken = 6;

std::vector<std::string> ContentTokens(const std::string& text)
{
    std::vector<std::string> tokens = Tokens(text);
    if (tokens.size() > kCounterToken)
        tokens[kCounterToken] = "<counter>";
    return tokens;
}

std::vector<std::pair<CFlashShape*, CFlashEditorFrameShapeTransform*>> PlacedShapes(const CFlashEditorDoc& doc)
{
    std::vector<std::pair<CFlashShape*, CFlashEditorFrameShapeTransform*>> placed;
    for (const CFlashEditorLayer* layer : doc.GetLayerRange())
        for (const CFlashEditorFrame* span : layer->GetSpans())
            for (const auto& [shape, placement] : span->GetTransformRange())
                if (placement)
                    placed.emplace_back(shape, placement);
    return placed;
}

std::string Describe(CFlashShape* shape)
{
    return std::string(typeid(*shape).name()) + " " + shape->GetName();
}

// A placement with a turned matrix and every carried value away from its default, read from
// text since nothing else sets those values.
std::unique_ptr<CFlashEditorFrameShapeTransform> UnusualPlacement()
{
    CFlashEditorFrameShapeTransform plain;
    plain.GetMatrix()->Rotate(30.0f);
    plain.GetMatrix()->Translate(125.0f, -40.0f, Gdiplus::MatrixOrderAppend);
    std::string text = ObjectText(&plain);
    const std::string defaults = "1 0 0 1 1 0";
    const std::size_t at = text.rfind(defaults);
    EXPECT_NE(std::string::npos, at) << text;
    if (at != std::string::npos)
        text.replace(at, defaults.size(), "0 3 -4 0.25 2.5 7");
    return ObjectFromText<CFlashEditorFrameShapeTransform>(text);
}

} // namespace

TEST(CompleteCopy, DuplicatesWriteWhatTheirSourcesWrite)
{
    CFlashEditorDoc doc;
    OpenFixture(doc);
    const auto placed = PlacedShapes(doc);
    std::set<std::string> classes;
    for (const auto& [shape, placement] : placed) {
        classes.insert(typeid(*shape).name());
        shape->SetState(kResourceStateHidden);
        const std::unique_ptr<CFlashShape> copy(shape->Duplicate());
        EXPECT_EQ(ObjectText(shape), ObjectText(copy.get())) << Describe(shape);
        EXPECT_EQ(nullptr, copy->GetOwningSpan()) << Describe(shape);
        if (shape->GetPen()) {
            EXPECT_NE(shape->GetPen(), copy->GetPen()) << "the copy owns its own pen";
        }
        if (shape->GetBrush()) {
            EXPECT_NE(shape->GetBrush(), copy->GetBrush()) << "the copy owns its own fill";
        }
        for (int i = 0; i < shape->GetCurveCount(); ++i)
            EXPECT_NE(shape->GetCurve(i), copy->GetCurve(i)) << "the copy owns its own curves";
    }
    EXPECT_EQ(6u, classes.size()) << "every shape class is tried";
}

TEST(CompleteCopy, ClonesDifferFromTheirSourcesOnlyInIdentityAndCurves)
{
    CFlashEditorDoc doc;
    OpenFixture(doc);
    for (const auto& [shape, placement] : PlacedShapes(doc)) {
        shape->SetState(kResourceStateHidden);
        shape->SetResourceTag(5);
        const std::unique_ptr<CFlashShape> clone(shape->Clone());
        EXPECT_NE(shape->GetObjectId(), clone->GetObjectId()) << Describe(shape);
        EXPECT_EQ(kResourceStateNormal, clone->GetState()) << Describe(shape);
        EXPECT_EQ(0u, clone->GetResourceTag()) << Describe(shape);
        EXPECT_EQ(0, clone->GetCurveCount()) << Describe(shape);

        // Given back what a clone leaves out, it writes what the source without curves writes.
        const std::unique_ptr<CFlashShape> bare(shape->Duplicate());
        bare->TruncateCurves(0);
        clone->SetObjectId(shape->GetObjectId());
        clone->SetName(shape->GetName());
        clone->SetState(shape->GetState());
        clone->SetResourceTag(shape->GetResourceTag());
        EXPECT_EQ(ObjectText(bare.get()), ObjectText(clone.get())) << Describe(shape);
    }
}

TEST(CompleteCopy, PlacementsCopyAndAssignEveryValue)
{
    const std::unique_ptr<CFlashEditorFrameShapeTransform> source = UnusualPlacement();
    ASSERT_NE(nullptr, source);
    EXPECT_FALSE(source->IsActive());
    const std::string expected = ObjectText(source.get());
    const CFlashEditorFrameShapeTransform copied(*source);
    CFlashEditorFrameShapeTransform assigned;
    assigned = *source;
    EXPECT_EQ(expected, ObjectText(&copied));
    EXPECT_EQ(expected, ObjectText(&assigned));

    // Copies are independent of their source.
    assigned.GetMatrix()->Translate(1.0f, 0.0f);
    EXPECT_EQ(expected, ObjectText(source.get()));
}

TEST(CompleteCopy, KeyframeCopiesWriteWhatTheSourceSpanHolds)
{
    CFlashEditorDoc doc;
    OpenFixture(doc);
    int compared = 0;
    for (CFlashEditorLayer* layer : doc.GetLayerRange())
        for (CFlashEditorFrame* span : layer->GetSpans()) {
            for (const auto& [shape, placement] : span->GetTransformRange())
                if (placement)
                    *placement = *UnusualPlacement();
            const CFlashEditorFrame copy(span->GetEndFrame() + 1, span->GetEndFrame() + 1, layer, *span);
            EXPECT_EQ(span->GetStackingOrder(), copy.GetStackingOrder());
            for (const auto& [shape, placement] : span->GetTransformRange()) {
                if (!placement)
                    continue;
                CFlashShape* counterpart = copy.GetShapeById(shape->GetObjectId());
                ASSERT_NE(nullptr, counterpart) << Describe(shape);
                EXPECT_NE(shape, counterpart);
                EXPECT_EQ(ObjectText(shape), ObjectText(counterpart)) << Describe(shape);
                EXPECT_EQ(ObjectText(placement), ObjectText(copy.GetShapeTransform(counterpart))) << Describe(shape);
                ++compared;
            }
        }
    EXPECT_EQ(7, compared);
}

TEST(CompleteCopy, DetachedShapeIsTheSourceUnderAnotherIdentifier)
{
    CFlashEditorDoc doc;
    OpenFixture(doc);
    CFlashEditorLayer* layer = doc.GetLayer(1);
    int compared = 0;
    for (const auto& [shape, placement] : PlacedShapes(doc)) {
        if (shape->GetOwningSpan() == nullptr || shape->GetOwningSpan()->GetLayer() != layer)
            continue;
        CFlashEditorFrame* home = shape->GetOwningSpan();
        CFlashEditorFrame* other = home == layer->GetSpanByIndex(1) ? layer->GetSpanByIndex(2) : layer->GetSpanByIndex(1);
        ASSERT_NE(nullptr, other);
        other->AddShape(shape, new CFlashEditorFrameShapeTransform());
        layer->SetCurrentFrame(home->GetStartFrame());
        const std::string expected = ObjectText(shape);
        std::unique_ptr<CFlashEditorFrameShapeTransform> handed;
        const std::unique_ptr<CFlashShape> copy(layer->DetachSharedShape(shape, handed));
        ASSERT_NE(shape, copy.get()) << Describe(shape);
        EXPECT_NE(shape->GetObjectId(), copy->GetObjectId());
        copy->SetObjectId(shape->GetObjectId());
        EXPECT_EQ(expected, ObjectText(copy.get())) << Describe(shape);
        ++compared;
    }
    EXPECT_EQ(2, compared) << "the shapes of layer 1";
}

TEST(CompleteCopy, ReadingADocumentTakesEveryStoredValue)
{
    CFlashEditorDoc source;
    source.SetStageWidth(640);
    source.SetStageHeight(480);
    source.SetFrameRate(30);
    source.AddLayer();
    source.GetLayer(2)->InsertFrames(1, 4);
    source.SetCurrentLayer(2);
    source.SetCurrentFrame(3);
    // The two values nothing sets are changed in the text.
    std::string text = SaveText(source);
    const std::string stored = " 640 480 2 600 30";
    const std::size_t at = text.find(stored);
    ASSERT_NE(std::string::npos, at);
    text.replace(at, stored.size(), " 640 480 9 700 30");

    CFlashEditorDoc target;
    LoadText(target, text);
    EXPECT_EQ(ContentTokens(text), ContentTokens(SaveText(target)));
    EXPECT_EQ(2, target.GetCurrentLayerIndex());
    EXPECT_EQ(3, target.GetCurrentFrame());
}
