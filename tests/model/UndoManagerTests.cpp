// The undo history: snapshots of the whole document read back on undo and redo, the menu
// texts, the redo tail, events around a step, and snapshots that cannot be read.
#include "AllocationFailureSupport.h"
#include "DocumentTestSupport.h"
#include "ModelTestSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/UndoEvent.h"
#include "model/UndoManager.h"
#include "model/UndoStep.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

// What the document holds, written out field by field (object identifiers included; the
// process-wide identifier counter left out, since reading a snapshot moves it on).
std::string Describe(const CFlashEditorDoc& doc)
{
    std::ostringstream out;
    out << "stage " << doc.GetStageWidth() << 'x' << doc.GetStageHeight() << " fps " << doc.GetFrameRate()
        << " frame " << doc.GetCurrentFrame() << " layer " << doc.GetCurrentLayerIndex() << '\n';
    for (const CFlashEditorLayer* layer : doc.GetLayerRange()) {
        out << "layer " << layer->GetObjectId() << " locked " << layer->IsLocked() << " visible " << layer->IsVisible()
            << " at " << layer->GetCurrentFrame() << '\n';
        for (const CFlashEditorFrame* span : layer->GetSpans()) {
            out << " span " << span->GetStartFrame() << '-' << span->GetEndFrame() << " tween "
                << span->IsMotionTween() << '\n';
            std::vector<CFlashShape*> shapes;
            span->CollectShapes(shapes);
            for (const CFlashShape* shape : shapes) {
                const Gdiplus::Rect bounds = shape->GetBounds();
                Gdiplus::REAL m[6] = {};
                span->GetShapeTransform(shape)->GetMatrix()->GetElements(m);
                out << "  " << typeid(*shape).name() << ' ' << shape->GetObjectId() << " curves "
                    << shape->GetCurveCount() << " bounds " << bounds.X << ',' << bounds.Y << ',' << bounds.Width
                    << ',' << bounds.Height << " at";
                for (Gdiplus::REAL element : m)
                    out << ' ' << element;
                out << '\n';
            }
        }
    }
    return out.str();
}

CFlashShape* AddRect(CFlashEditorDoc& doc, int x, int y)
{
    CFlashShape* shape = MakeSolidRect(x, y, 1000, 500, kOpaqueRed);
    EXPECT_TRUE(doc.AddShape(shape));
    return shape;
}

// Shapes of the current layer's current span, topmost first.
std::vector<CFlashShape*> CurrentShapes(const CFlashEditorDoc& doc)
{
    std::vector<CFlashShape*> shapes;
    doc.GetCurrentLayer()->GetCurrentFrameShapes(shapes);
    return shapes;
}

// Damages a snapshot from its middle on, so that reading it runs out of input.
void DamageSnapshot(CUndoStep* step)
{
    const std::size_t size = step->GetSnapshotSize();
    std::ostream& writer = step->GetSnapshotWriter();
    writer.seekp(std::streamoff(size / 2));
    writer << std::string(size - size / 2, ' ');
}

// A new document as the framework makes it, which starts its history.
class UndoTest : public ::testing::Test {
protected:
    UndoTest() { m_doc.OnNewDocument(); }

    void Record(const char* name, CUndoEvent* event = nullptr) { ASSERT_TRUE(m_undo.AddUndoStep(name, event, true)); }

    CFlashEditorDoc m_doc;
    CUndoManager& m_undo = m_doc.GetUndoManager();
};

struct CUndoableEdit {
    const char* name;
    std::function<void(CFlashEditorDoc&)> apply;
};

// Each edit leaves the document different from every state before it.
const CUndoableEdit kEdits[] = {
    {"Draw Rectangle", [](CFlashEditorDoc& doc) { AddRect(doc, 100, 200); }},
    {"Insert Layer", [](CFlashEditorDoc& doc) { doc.AddLayer(); }},
    {"Move", [](CFlashEditorDoc& doc) {
         CFlashEditorFrame* span = doc.GetLayer(1)->GetCurrentSpan();
         span->TranslateShape(CurrentShapes(doc).front(), 300.0f, -40.0f);
     }},
    {"Modify Document Properties", [](CFlashEditorDoc& doc) {
         doc.SetStageWidth(800);
         doc.SetFrameRate(24);
     }},
    {"Cut", [](CFlashEditorDoc& doc) { const auto removed = doc.RemoveShapes(CurrentShapes(doc)); }},
};

// Tells what the document and the history look like at each notification.
class CRecordingEvent : public CUndoEvent {
public:
    CRecordingEvent(const CFlashEditorDoc& doc, const CUndoManager& undo) : m_doc(doc), m_undo(undo) {}

    void OnBeforeUndo(CUndoStep* step) override { Log("before undo", step); }
    void OnBeforeRedo(CUndoStep* step) override { Log("before redo", step); }
    void OnAfterUndo(CUndoStep* step) override { Log("after undo", step); }
    void OnAfterRedo(CUndoStep* step) override { Log("after redo", step); }

    std::vector<std::string> m_log;
    // Damages the step's snapshot when this notification comes ("" for never).
    std::string m_damageOn;

private:
    void Log(const std::string& what, CUndoStep* step)
    {
        m_log.push_back(what + " " + step->GetName() + ": layers " + std::to_string(m_doc.GetLayerCount()) +
                        (m_undo.CanRedo() ? ", can redo" : ""));
        if (what == m_damageOn)
            DamageSnapshot(step);
    }

    const CFlashEditorDoc& m_doc;
    const CUndoManager& m_undo;
};

}

TEST_F(UndoTest, NewDocumentHasOnlyItsBaseStepAndIsNotModified)
{
    EXPECT_EQ(m_undo.GetStepCount(), 1);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(UndoTest, BaseStepAloneOffersNeitherUndoNorRedo)
{
    EXPECT_FALSE(m_undo.CanUndo());
    EXPECT_FALSE(m_undo.CanRedo());
    EXPECT_EQ(m_undo.GetUndoMenuText(), "Can't Undo");
    EXPECT_EQ(m_undo.GetRedoMenuText(), "Can't Redo");
    EXPECT_FALSE(m_undo.Undo());
    EXPECT_FALSE(m_undo.Redo());
}

TEST_F(UndoTest, UndoAndRedoWalkTheWholeHistory)
{
    std::vector<std::string> states{Describe(m_doc)};
    for (const CUndoableEdit& edit : kEdits) {
        edit.apply(m_doc);
        Record(edit.name);
        states.push_back(Describe(m_doc));
        ASSERT_NE(states.back(), states[states.size() - 2]) << edit.name;
    }
    EXPECT_TRUE(m_doc.IsModified());

    for (std::size_t k = std::size(kEdits); k > 0; --k) {
        SCOPED_TRACE(kEdits[k - 1].name);
        EXPECT_EQ(m_undo.GetUndoMenuText(), std::string("&Undo ") + kEdits[k - 1].name);
        ASSERT_TRUE(m_undo.CanUndo());
        ASSERT_TRUE(m_undo.Undo());
        EXPECT_EQ(Describe(m_doc), states[k - 1]);
        EXPECT_EQ(m_undo.GetRedoMenuText(), std::string("&Redo ") + kEdits[k - 1].name);
    }
    EXPECT_FALSE(m_undo.CanUndo());
    EXPECT_EQ(m_undo.GetUndoMenuText(), "Can't Undo");

    for (std::size_t k = 1; k <= std::size(kEdits); ++k) {
        SCOPED_TRACE(kEdits[k - 1].name);
        ASSERT_TRUE(m_undo.CanRedo());
        ASSERT_TRUE(m_undo.Redo());
        EXPECT_EQ(Describe(m_doc), states[k]);
    }
    EXPECT_FALSE(m_undo.CanRedo());
    EXPECT_EQ(m_undo.GetRedoMenuText(), "Can't Redo");
}

TEST_F(UndoTest, LocksVisibilityAndTheCurrentLayerStayAsTheUserLeftThem)
{
    m_doc.AddLayer();
    m_doc.AddLayer();
    Record("Insert Layers");
    m_doc.SetCurrentLayer(3);
    AddRect(m_doc, 100, 200);
    Record("Draw Rectangle");
    m_doc.GetLayer(1)->SetLocked(true);
    m_doc.GetLayer(2)->SetVisible(false);
    m_doc.SetCurrentLayer(2);
    m_doc.AddLayer();
    Record("Insert Layer");

    ASSERT_TRUE(m_undo.Undo());
    ASSERT_EQ(m_doc.GetLayerCount(), 3);
    ASSERT_TRUE(m_undo.Undo());
    std::vector<CFlashShape*> drawn;
    m_doc.GetLayer(3)->GetCurrentFrameShapes(drawn);
    EXPECT_TRUE(drawn.empty()) << "the drawing is undone";
    EXPECT_TRUE(m_doc.GetLayer(1)->IsLocked());
    EXPECT_EQ(m_doc.GetCurrentLayerIndex(), 2);
    ASSERT_TRUE(m_undo.Redo());
    ASSERT_TRUE(m_undo.Redo());
    ASSERT_EQ(m_doc.GetLayerCount(), 4);
    EXPECT_TRUE(m_doc.GetLayer(1)->IsLocked());
    EXPECT_FALSE(m_doc.GetLayer(2)->IsVisible());
    EXPECT_EQ(m_doc.GetCurrentLayerIndex(), 2);
    EXPECT_FALSE(m_doc.GetLayer(4)->IsLocked()) << "a layer back from the snapshot keeps its own flags";
    EXPECT_TRUE(m_doc.GetLayer(4)->IsVisible());
}

TEST_F(UndoTest, NamesAreAppendedOnlyWhenThereIsAStepToTakeBackOrReplay)
{
    std::string undoName = "x";
    std::string redoName = "y";
    m_undo.AppendUndoName(undoName);
    m_undo.AppendRedoName(redoName);
    EXPECT_EQ(undoName, "x");
    EXPECT_EQ(redoName, "y");

    AddRect(m_doc, 0, 0);
    Record("Draw Rectangle");
    m_undo.AppendUndoName(undoName);
    EXPECT_EQ(undoName, "xDraw Rectangle");
    ASSERT_TRUE(m_undo.Undo());
    m_undo.AppendRedoName(redoName);
    EXPECT_EQ(redoName, "yDraw Rectangle");
}

TEST_F(UndoTest, NewStepAfterUndoDropsTheRedoTail)
{
    for (const char* name : {"First", "Second", "Third"}) {
        AddRect(m_doc, 0, 0);
        Record(name);
    }
    ASSERT_TRUE(m_undo.Undo());
    ASSERT_TRUE(m_undo.Undo());
    ASSERT_TRUE(m_undo.CanRedo());
    m_doc.AddLayer();
    Record("Insert Layer");

    EXPECT_FALSE(m_undo.CanRedo());
    EXPECT_EQ(m_undo.GetStepCount(), 3);
    EXPECT_EQ(m_undo.GetUndoMenuText(), "&Undo Insert Layer");
    ASSERT_TRUE(m_undo.Undo());
    EXPECT_EQ(m_doc.GetLayerCount(), 1);
    EXPECT_EQ(CurrentShapes(m_doc).size(), 1u);
    EXPECT_EQ(m_undo.GetUndoMenuText(), "&Undo First");
}

TEST_F(UndoTest, EventsAreToldBeforeTheDocumentIsReadAndAfterThePositionMoved)
{
    CRecordingEvent event(m_doc, m_undo);
    m_doc.AddLayer();
    Record("Insert Layer", &event);
    ASSERT_TRUE(m_undo.Undo());
    ASSERT_TRUE(m_undo.Redo());

    const std::vector<std::string> expected{
        "before undo Insert Layer: layers 2",
        "after undo Insert Layer: layers 1, can redo",
        "before redo Insert Layer: layers 1, can redo",
        "after redo Insert Layer: layers 2",
    };
    EXPECT_EQ(event.m_log, expected);
}

// A document opened later starts a history of its own: its first edit can be undone, back to
// the file's contents and not to what the document held before.
TEST_F(UndoTest, OpeningADocumentStartsItsHistoryAfresh)
{
    CFlashEditorDoc saved;
    saved.OnNewDocument();
    AddRect(saved, 0, 0);
    const std::string path = TemporaryUnixPath("undo.qpd");
    ASSERT_TRUE(saved.OnSaveDocument(WindowsPath(path).c_str()));

    AddRect(m_doc, 0, 0);
    AddRect(m_doc, 2000, 0);
    Record("Draw Rectangle");
    ASSERT_TRUE(m_doc.OnOpenDocument(WindowsPath(path).c_str()));
    std::remove(path.c_str());
    EXPECT_FALSE(m_undo.CanUndo());
    EXPECT_FALSE(m_undo.CanRedo());
    EXPECT_FALSE(m_doc.IsModified());

    const std::string opened = Describe(m_doc);
    m_doc.AddLayer();
    Record("Insert Layer");
    ASSERT_TRUE(m_undo.Undo());
    EXPECT_EQ(Describe(m_doc), opened);
}

TEST_F(UndoTest, StartingTheHistoryAgainMakesTheCurrentStateTheBase)
{
    AddRect(m_doc, 0, 0);
    Record("Draw Rectangle");
    AddRect(m_doc, 2000, 0);
    ASSERT_TRUE(m_undo.ResetHistory());

    EXPECT_EQ(m_undo.GetStepCount(), 1);
    EXPECT_FALSE(m_undo.CanUndo());
    AddRect(m_doc, 4000, 0);
    Record("Draw Rectangle");
    ASSERT_TRUE(m_undo.Undo());
    EXPECT_EQ(CurrentShapes(m_doc).size(), 2u);
}

// A snapshot that cannot be read leaves the document as it stood before the attempt, even with
// changes no step recorded, and the history where it was.
TEST_F(UndoTest, UnreadableSnapshotLeavesDocumentAndHistoryAsTheyWere)
{
    struct CCase {
        const char* name;
        bool undo;
    };
    for (const CCase& c : {CCase{"undo", true}, CCase{"redo", false}}) {
        SCOPED_TRACE(c.name);
        CFlashEditorDoc doc;
        doc.OnNewDocument();
        CUndoManager& undo = doc.GetUndoManager();
        CRecordingEvent event(doc, undo);
        AddRect(doc, 0, 0);
        ASSERT_TRUE(undo.AddUndoStep("Draw Rectangle", &event, true));
        doc.AddLayer();
        ASSERT_TRUE(undo.AddUndoStep("Insert Layer", nullptr, true));
        ASSERT_TRUE(undo.Undo());
        // Undoing "Draw Rectangle" reads the base; the way back damages its own snapshot.
        ASSERT_TRUE(undo.Undo());
        event.m_damageOn = "after redo";
        ASSERT_TRUE(undo.Redo());
        event.m_damageOn.clear();
        if (!c.undo) {
            // Replaying "Draw Rectangle" now needs the damaged snapshot.
            ASSERT_TRUE(undo.Undo());
        } else {
            // Taking back "Insert Layer" now needs the damaged snapshot.
            ASSERT_TRUE(undo.Redo());
        }
        doc.SetStageHeight(321);
        const std::string before = Describe(doc);
        const std::string undoText = undo.GetUndoMenuText();
        const std::string redoText = undo.GetRedoMenuText();

        EXPECT_FALSE(c.undo ? undo.Undo() : undo.Redo());
        EXPECT_EQ(Describe(doc), before);
        EXPECT_EQ(undo.GetUndoMenuText(), undoText);
        EXPECT_EQ(undo.GetRedoMenuText(), redoText);
    }
}

// A step that holds no snapshot restores nothing, so neither undo nor redo may move past it.
TEST_F(UndoTest, StepWithoutSnapshotIsNeitherUndoneNorRedone)
{
    struct CCase {
        const char* name;
        bool undo;
    };
    for (const CCase& c : {CCase{"undo back to it", true}, CCase{"redo it", false}}) {
        SCOPED_TRACE(c.name);
        CFlashEditorDoc doc;
        doc.OnNewDocument();
        CUndoManager& undo = doc.GetUndoManager();
        AddRect(doc, 0, 0);
        ASSERT_TRUE(undo.AddUndoStep("Draw Rectangle", nullptr, !c.undo));
        AddRect(doc, 2000, 0);
        ASSERT_TRUE(undo.AddUndoStep("Draw Second Rectangle", nullptr, c.undo));
        if (!c.undo) {
            ASSERT_TRUE(undo.Undo()) << "back to the first rectangle, whose step has its snapshot";
        }
        const std::string before = Describe(doc);
        const std::string undoText = undo.GetUndoMenuText();
        const std::string redoText = undo.GetRedoMenuText();

        EXPECT_FALSE(c.undo ? undo.Undo() : undo.Redo());
        EXPECT_EQ(Describe(doc), before);
        EXPECT_EQ(undo.GetUndoMenuText(), undoText);
        EXPECT_EQ(undo.GetRedoMenuText(), redoText);
    }
}

// Whatever allocation fails while a step is recorded, even the last one, made when the archive
// passes on its closing line end: the step is either kept whole or not kept at all.
TEST_F(UndoTest, StepIsRecordedWholeOrNotAtAll)
{
    AddRect(m_doc, 0, 0);
    AddRect(m_doc, 3000, 1000);
    m_doc.AddLayer();
    const std::string expected = SaveText(m_doc);
    int failures = 0;
    for (long n = 0;; ++n) {
        const int steps = m_undo.GetStepCount();
        FailAllocationAfter(n);
        const bool recorded = m_undo.AddUndoStep("Insert Layer", nullptr, true);
        const bool failed = AllocationFailed();
        FailAllocationAfter(-1);
        if (recorded) {
            ASSERT_EQ(m_undo.GetStepCount(), steps + 1) << "allocation " << n;
            const std::unique_ptr<std::istream> snapshot = m_undo.GetLastStep()->OpenSnapshot();
            const std::string text{std::istreambuf_iterator<char>(*snapshot), std::istreambuf_iterator<char>()};
            ASSERT_EQ(text, expected) << "allocation " << n;
        } else {
            ASSERT_EQ(m_undo.GetStepCount(), steps) << "allocation " << n;
        }
        if (!failed)
            break;
        failures += recorded ? 0 : 1;
    }
    EXPECT_GT(failures, 10);
}
