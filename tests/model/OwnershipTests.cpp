// Who owns a shape: after every operation that takes shapes out of spans, the repository lists
// exactly the shapes that the spans own, each once, and shape objects that several spans hold
// survive the spans that give them up.
#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/UndoManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

namespace {

// The shapes with a placement in some span, each object once.
std::multiset<const CFlashResource*> OwnedShapes(const CFlashEditorDoc& doc)
{
    std::set<const CFlashResource*> owned;
    for (const CFlashEditorLayer* layer : doc.GetLayerRange())
        for (const CFlashEditorFrame* span : layer->GetSpans())
            for (const auto& [shape, placement] : span->GetTransformRange())
                if (placement)
                    owned.insert(shape);
    return {owned.begin(), owned.end()};
}

std::multiset<const CFlashResource*> ListedShapes(CFlashEditorDoc& doc)
{
    const std::vector<CFlashResource*> listed = doc.GetRepository().GetResources();
    return {listed.begin(), listed.end()};
}

CFlashShape* AddRect(CFlashEditorDoc& doc, int x)
{
    CFlashShape* shape = MakeSolidRect(x, 0, 500, 500, kOpaqueRed);
    EXPECT_TRUE(doc.AddShape(shape));
    return shape;
}

// Layer 1: A and B in [1, 2]; [3, 5] holds a copy of B and, in place of a copy, the object A
// itself. Layer 2: C in [1, 1]. The history holds the empty base state and this one.
struct CFixture {
    CFixture()
    {
        doc.OnNewDocument();
        a = AddRect(doc, 0);
        AddRect(doc, 1000);
        CFlashEditorLayer* first = doc.GetLayer(1);
        first->InsertFrames(1, 1);
        CFlashEditorFrame* later = first->InsertKeyframe(3, true);
        first->InsertFrames(3, 2);
        EXPECT_NE(nullptr, later->RemoveShape(later->GetShapeById(a->GetObjectId())));
        later->AddShape(a, new CFlashEditorFrameShapeTransform());
        doc.AddLayer();
        doc.SetCurrentLayer(2);
        AddRect(doc, 2000);
        doc.SetCurrentLayer(1);
        EXPECT_TRUE(doc.GetUndoManager().AddUndoStep("Build", nullptr, true));
    }

    CFlashEditorDoc doc;
    CFlashShape* a = nullptr;
};

std::vector<CFlashShape*> CurrentShapes(const CFlashEditorDoc& doc)
{
    std::vector<CFlashShape*> shapes;
    doc.GetCurrentLayer()->GetCurrentFrameShapes(shapes);
    return shapes;
}

struct COperation {
    const char* name;
    std::function<void(CFixture&)> apply;
};

const COperation kOperations[] = {
    {"nothing", [](CFixture&) {}},
    {"remove shapes and free them",
     [](CFixture& f) {
         f.doc.SetCurrentFrame(1);
         const auto removed = f.doc.RemoveShapes(CurrentShapes(f.doc));
         EXPECT_EQ(1u, removed.size()) << "A stays with the span of frame 3";
     }},
    {"remove a shape that another span holds too",
     [](CFixture& f) {
         f.doc.SetCurrentFrame(3);
         const auto removed = f.doc.RemoveShapes({f.a});
         EXPECT_TRUE(removed.empty()) << "the object stays with the span of frame 1";
     }},
    {"detach a shared shape",
     [](CFixture& f) {
         f.doc.SetCurrentFrame(3);
         EXPECT_NE(f.a, f.doc.DetachSharedShape(f.a, true));
     }},
    {"clear frames", [](CFixture& f) { f.doc.GetLayer(1)->ClearFrames(1, 3); }},
    {"clear the span that shares", [](CFixture& f) { f.doc.GetLayer(1)->ClearFrames(3, 5); }},
    {"remove frames", [](CFixture& f) { f.doc.GetLayer(1)->RemoveFrames(1, 5); }},
    {"remove the first span's frames", [](CFixture& f) { f.doc.GetLayer(1)->RemoveFrames(1, 2); }},
    {"delete a layer", [](CFixture& f) { f.doc.RemoveCurrentLayer(); }},
    {"insert a copied keyframe", [](CFixture& f) { EXPECT_NE(nullptr, f.doc.GetLayer(1)->InsertKeyframe(4, true)); }},
    {"undo", [](CFixture& f) { EXPECT_TRUE(f.doc.GetUndoManager().Undo()); }},
    {"undo and redo",
     [](CFixture& f) {
         EXPECT_TRUE(f.doc.GetUndoManager().Undo());
         EXPECT_TRUE(f.doc.GetUndoManager().Redo());
     }},
    {"open the saved text", [](CFixture& f) { LoadText(f.doc, SaveText(f.doc)); }},
    {"empty the document", [](CFixture& f) { f.doc.DeleteContents(); }},
};

} // namespace

TEST(Ownership, RepositoryListsExactlyTheShapesTheSpansOwn)
{
    for (const COperation& operation : kOperations) {
        CFixture fixture;
        operation.apply(fixture);
        EXPECT_EQ(OwnedShapes(fixture.doc), ListedShapes(fixture.doc)) << operation.name;
        // The state after the operation can be recorded and read back, and the listing follows.
        ASSERT_TRUE(fixture.doc.GetUndoManager().AddUndoStep("Next", nullptr, true)) << operation.name;
        EXPECT_TRUE(fixture.doc.GetUndoManager().Undo()) << operation.name;
        EXPECT_TRUE(fixture.doc.GetUndoManager().Redo()) << operation.name;
        EXPECT_EQ(OwnedShapes(fixture.doc), ListedShapes(fixture.doc)) << operation.name << ", read back";
    }
}

TEST(Ownership, ListingFollowsTheStackingOrder)
{
    CFixture fixture;
    CFlashEditorLayer* first = fixture.doc.GetLayer(1);
    std::vector<CFlashResource*> expected;
    for (const CFlashEditorFrame* span : first->GetSpans()) {
        std::vector<CFlashShape*> stacked;
        span->CollectShapes(stacked);
        // A, which both spans hold, is listed once, where it is met first.
        for (auto shape = stacked.rbegin(); shape != stacked.rend(); ++shape)
            if (std::find(expected.begin(), expected.end(), *shape) == expected.end())
                expected.push_back(*shape);
    }
    ASSERT_EQ(3u, expected.size());
    std::vector<CFlashShape*> top;
    fixture.doc.GetLayer(2)->GetCurrentFrameShapes(top);
    expected.insert(expected.end(), top.begin(), top.end());
    EXPECT_EQ(expected, fixture.doc.GetRepository().GetResources());
}
