// Selection edits, placement edits across layers and tweens, style setters and object commands.
#include "StageTestSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/UndoStep.h"
#include "stage/FlashEditorView.h"
#include "stage/SelectTool.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class SelectionTest : public ::testing::Test, public CStageFixture {
protected:
    void SetUp() override { ASSERT_NE(m_pView, nullptr); }

    // A second layer on top, made current, with a blue square; the first layer keeps a red one.
    void MakeTwoLayers()
    {
        m_pBottom = AddRect(10, 10, 40, 40, kRed);
        m_pDoc->AddLayer();
        m_pDoc->SetCurrentLayer(2);
        m_pTop = AddRect(100, 10, 40, 40, kBlue);
        ASSERT_NE(m_pBottom, nullptr);
        ASSERT_NE(m_pTop, nullptr);
    }
    static float OffsetX(CFlashEditorLayer* layer, const CFlashShape* shape)
    {
        float elements[6];
        layer->GetCurrentSpan()->GetShapeTransform(shape)->GetMatrix()->GetElements(elements);
        return elements[4];
    }

    CFlashSolidShape* m_pBottom = nullptr;
    CFlashSolidShape* m_pTop = nullptr;
};

TEST_F(SelectionTest, SelectionEditsNotifyAndSetStates)
{
    CFlashSolidShape* a = AddRect(10, 10, 20, 20, kRed);
    CFlashSolidShape* b = AddRect(40, 10, 20, 20, kRed);
    const struct {
        const char* what;
        std::function<void()> edit;
        size_t selected;
        int notifications;
        int stateA;
    } cases[] = {
        {"add with notify", [&] { m_pView->AddToSelection(a, true); }, 1, 1, 2},
        {"add again", [&] { m_pView->AddToSelection(a, false); }, 1, 0, 2},
        {"add without notify", [&] { m_pView->AddToSelection(b, false); }, 2, 0, 2},
        {"remove one", [&] { m_pView->RemoveFromSelection(a, true); }, 1, 1, 1},
        {"remove absent", [&] { m_pView->RemoveFromSelection(a, true); }, 1, 0, 1},
        {"remove all", [&] { m_pView->RemoveFromSelection(nullptr, true); }, 0, 1, 1},
        {"remove all of nothing", [&] { m_pView->RemoveFromSelection(nullptr, true); }, 0, 0, 1},
        {"marquee", [&] { m_pView->SelectInRectangle(1400, 1000, 0, 0); }, 2, 1, 2},
        {"clear", [&] { m_pView->ClearSelection(); }, 0, 1, 1},
    };
    for (const auto& c : cases) {
        int before = m_host.m_nSelectionChanged;
        c.edit();
        EXPECT_EQ(m_pView->GetSelection().size(), c.selected) << c.what;
        EXPECT_EQ(m_host.m_nSelectionChanged - before, c.notifications) << c.what;
        EXPECT_EQ(a->GetState(), c.stateA) << c.what;
    }
}

TEST_F(SelectionTest, RemovingHiddenShapesChangesNothing)
{
    CFlashSolidShape* hidden = AddRect(10, 10, 20, 20, kRed);
    m_pView->AddToSelection(hidden, false);
    hidden->SetState(kResourceStateHidden);
    int before = m_host.m_nSelectionChanged;
    m_pView->RemoveFromSelection(nullptr, true);
    EXPECT_EQ(m_host.m_nSelectionChanged, before);
    EXPECT_EQ(hidden->GetState(), kResourceStateHidden);
}

TEST_F(SelectionTest, MarqueeTakesEveryVisibleLayer)
{
    MakeTwoLayers();
    const struct {
        bool bottomVisible;
        size_t selected;
    } cases[] = {{true, 2}, {false, 1}};
    for (const auto& c : cases) {
        m_pView->RemoveFromSelection(nullptr, false);
        m_pDoc->GetLayer(1)->SetVisible(c.bottomVisible);
        m_pView->SelectInRectangle(0, 0, 4000, 2000);
        EXPECT_EQ(m_pView->GetSelection().size(), c.selected);
    }
}

TEST_F(SelectionTest, EditsReachEveryLayerOfTheSelection)
{
    MakeTwoLayers();
    m_pView->SelectInRectangle(0, 0, 4000, 2000);
    ASSERT_EQ(m_pView->GetSelection().size(), 2u);
    CFlashEditorLayer* bottom = m_pDoc->GetLayer(1);
    CFlashEditorLayer* top = m_pDoc->GetLayer(2);

    m_pView->MoveSelection(200, 0);
    EXPECT_FLOAT_EQ(OffsetX(bottom, m_pBottom), 200.0f);
    EXPECT_FLOAT_EQ(OffsetX(top, m_pTop), 200.0f);

    Gdiplus::Matrix shift(1, 0, 0, 1, 50, 0);
    m_pView->SaveSelectionMatrices();
    m_pView->ApplyMatrixToSelection(shift);
    m_pView->ApplyMatrixToSelection(shift);  // from the saved matrices, not added up
    EXPECT_FLOAT_EQ(OffsetX(bottom, m_pBottom), 250.0f);
    EXPECT_FLOAT_EQ(OffsetX(top, m_pTop), 250.0f);

    Gdiplus::Rect bounds(-1, -1, 0, 0);
    m_pView->GetSelectionBounds(bounds);
    EXPECT_EQ(bounds.X, 200 + 250);
    EXPECT_EQ(bounds.Width, 2600);

    m_pView->DeleteSelection();
    EXPECT_EQ(bottom->GetCurrentSpan()->GetShapeTransform(m_pBottom), nullptr);
    EXPECT_EQ(top->GetCurrentSpan()->GetShapeTransform(m_pTop), nullptr);
    EXPECT_EQ(LastStepName(), "Clear");
    EXPECT_TRUE(m_pView->GetSelection().empty());
}

// The selection moves whole: an edit that would take one placement past the bounds the document
// file reads changes none, and the document saves and reopens.
TEST_F(SelectionTest, EditsPastTheReadablePlacementsChangeNoPlacement)
{
    MakeTwoLayers();
    // The top square scaled and moved as far as a readable placement goes.
    m_pDoc->GetLayer(2)->GetCurrentSpan()->GetShapeTransform(m_pTop)->GetMatrix()->SetElements(
        65536.0f, 65536.0f, 0.0f, 1.0f, 2147483000.0f, 0.0f);
    m_pView->AddToSelection(m_pBottom, false);
    m_pView->AddToSelection(m_pTop, false);
    const struct {
        const char* what;
        std::function<bool(CFlashEditorView&)> edit;
    } cases[] = {
        {"move past the greatest offset", [](CFlashEditorView& view) { return view.MoveSelection(1000, 0); }},
        {"scale past 65536 times", [](CFlashEditorView& view) {
             view.SaveSelectionMatrices();
             return view.ApplyMatrixToSelection(Gdiplus::Matrix(2.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f));
         }},
        {"turn an eighth", [](CFlashEditorView& view) { return view.RotateSelection(45.0, 0.0f, 0.0f); }},
    };
    const auto elements = [this] {
        std::vector<Gdiplus::REAL> all;
        for (int layer : {1, 2})
            for (const auto& [shape, placement] : m_pDoc->GetLayer(layer)->GetCurrentSpan()->GetTransformRange()) {
                Gdiplus::REAL e[6];
                placement->GetMatrix()->GetElements(e);
                all.insert(all.end(), e, e + 6);
            }
        return all;
    };
    const std::vector<Gdiplus::REAL> before = elements();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(c.edit(*m_pView));
        EXPECT_EQ(elements(), before);
    }
    EXPECT_TRUE(m_pView->MoveSelection(-1000, 0)) << "a move that stays readable is taken";
    EXPECT_FLOAT_EQ(OffsetX(m_pDoc->GetLayer(1), m_pBottom), -1000.0f);

    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "stage-far-placements.qpd";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(path.c_str()));
    CFlashEditorDoc reopened;
    EXPECT_TRUE(reopened.OnOpenDocument(path.c_str()));
    ::DeleteFileA(path.c_str());
}

TEST_F(SelectionTest, EditInsideATweenSplitsItAndKeepsTheNewKeyframe)
{
    const struct {
        const char* what;
        std::function<void(CFlashEditorView&)> edit;
        float offset;  // of the edited shape afterwards
    } cases[] = {
        {"move", [](CFlashEditorView& view) { view.MoveSelection(100, 0); }, 1100.0f},
        // The saved matrices follow the split: a transform does not snap back to the tween's start.
        {"transform", [](CFlashEditorView& view) {
             view.SaveSelectionMatrices();
             Gdiplus::Matrix identity;
             view.ApplyMatrixToSelection(identity);
         }, 1000.0f},
    };
    for (const auto& c : cases) {
        CStageFixture fixture;
        CFlashSolidShape* shape = fixture.AddRect(10, 10, 40, 40, kRed);
        CFlashEditorLayer* layer = fixture.m_pDoc->GetCurrentLayer();
        CFlashEditorFrame* last = layer->InsertKeyframe(11, true);
        ASSERT_NE(last, nullptr);
        CFlashEditorFrame* first = layer->GetSpanByIndex(1);
        first->SetMotionTween(true);
        last->SetMotionTween(true);
        last->TranslateShape(last->GetShapeById(shape->GetObjectId()), 2000.0f, 0.0f);
        fixture.m_pDoc->SetCurrentFrame(6);
        fixture.m_pView->AddToSelection(shape, false);
        c.edit(*fixture.m_pView);
        ASSERT_EQ(fixture.m_pView->GetSelection().size(), 1u) << c.what;
        CFlashShape* edited = fixture.m_pView->GetSelection().front();
        EXPECT_NE(edited, shape) << c.what << ": the new keyframe's copy is edited";
        EXPECT_EQ(layer->GetCurrentSpan()->GetStartFrame(), 6) << c.what;
        EXPECT_FLOAT_EQ(OffsetX(layer, edited), c.offset) << c.what;
        float elements[6];
        first->GetShapeTransform(shape)->GetMatrix()->GetElements(elements);
        EXPECT_FLOAT_EQ(elements[4], 0.0f) << c.what << ": the tween's start is unchanged";
    }
}

TEST_F(SelectionTest, StyleSettersNotifyAndRecordTheirSteps)
{
    CFlashSolidShape* a = AddRect(10, 10, 20, 20, kRed);
    const struct {
        const char* what;
        bool selectFirst;
        std::function<void()> set;
        const char* step;  // null: no step
    } cases[] = {
        {"colours without selection", false, [&] { m_pView->SetPenAndFillColors(kBlue, kBlue); }, nullptr},
        {"colours", true, [&] { m_pView->SetPenAndFillColors(kBlue, kRed); }, "Modify Colors"},
        {"pen and brush", true,
         [&] {
             m_pView->SetPenAndBrush(new Gdiplus::Pen(Gdiplus::Color(255, 0, 255, 0), 40.0f),
                                     new Gdiplus::HatchBrush(Gdiplus::HatchStyleCross, Gdiplus::Color(255, 0, 0, 0),
                                                             Gdiplus::Color(255, 255, 255, 255)));
         },
         "Modify Pen and Brush"},
        {"font", true, [&] { Gdiplus::Font font(u"Arial", 20.0f); m_pView->SetTextFont(&font); }, "Modify Font"},
        {"alignment", true, [&] { m_pView->SetTextAlignment(2); }, "Modify Text Alignment"},
        {"brush pen", false,
         [&] { Gdiplus::Pen pen(Gdiplus::Color(255, 1, 2, 3), 5.0f); m_pView->SetBrushPen(&pen); },
         "Modify Brush Pen"},
    };
    for (const auto& c : cases) {
        m_pView->RemoveFromSelection(nullptr, false);
        if (c.selectFirst)
            m_pView->AddToSelection(m_pView->GetDocument()->GetCurrentLayer()->GetCurrentSpan()->GetShapeById(
                                        a->GetObjectId()),
                                    false);
        int styles = m_host.m_nStyleChanged;
        int steps = StepCount();
        c.set();
        EXPECT_EQ(m_host.m_nStyleChanged - styles, 1) << c.what;
        if (c.step != nullptr) {
            EXPECT_EQ(StepCount(), steps + 1) << c.what;
            EXPECT_EQ(LastStepName(), c.step) << c.what;
        } else {
            EXPECT_EQ(StepCount(), steps) << c.what;
        }
    }
    // A non-solid brush leaves the brush pen grey; the colours setter made the fill solid again.
    Gdiplus::Color color;
    m_pView->GetBrushPen()->GetColor(&color);
    EXPECT_EQ(color.GetValue(), Gdiplus::ARGB(0xFF010203));
}

TEST_F(SelectionTest, RecoloursSurviveUndoThenRedo)
{
    CFlashSolidShape* a = AddRect(10, 10, 20, 20, kRed);
    m_pDoc->GetUndoManager().AddUndoStep("Draw Rectangle", nullptr, true);
    m_pView->AddToSelection(a, false);
    m_pView->SetPenAndFillColors(kBlue, kBlue);
    ASSERT_TRUE(m_pDoc->GetUndoManager().Undo());
    ASSERT_TRUE(m_pDoc->GetUndoManager().Redo());
    std::vector<CFlashShape*> shapes;
    m_pDoc->GetCurrentLayer()->GetCurrentFrameShapes(shapes);
    ASSERT_EQ(shapes.size(), 1u);
    Gdiplus::Color fill;
    static_cast<Gdiplus::SolidBrush*>(shapes[0]->GetBrush())->GetColor(&fill);
    EXPECT_EQ(fill.GetValue(), Gdiplus::ARGB(0xFF0000FF));
}

TEST_F(SelectionTest, ZOrderCommandsRestackAndRecord)
{
    CFlashSolidShape* a = AddRect(10, 10, 20, 20, kRed);
    CFlashSolidShape* b = AddRect(15, 15, 20, 20, kBlue);
    CFlashSolidShape* c = AddRect(20, 20, 20, 20, kRed);
    const struct {
        UINT command;
        std::vector<CFlashShape*> selection;
        std::vector<CFlashShape*> frontToBack;
        const char* step;
    } cases[] = {
        {23377, {a, b}, {b, a, c}, "Bring to Front"},
        {23376, {b, c}, {a, b, c}, "Send to Back"},
    };
    for (const auto& k : cases) {
        m_pView->RemoveFromSelection(nullptr, false);
        for (CFlashShape* shape : k.selection)
            m_pView->AddToSelection(shape, false);
        m_pView->SendMessage(WM_COMMAND, k.command);
        std::vector<CFlashShape*> order;
        m_pDoc->GetCurrentLayer()->GetCurrentFrameShapes(order);
        EXPECT_EQ(order, k.frontToBack) << k.step;
        EXPECT_EQ(LastStepName(), k.step);
    }
}

TEST_F(SelectionTest, UndoFromTheKeyboardThenAClickNeverReachesADeletedShape)
{
    m_pDoc->GetUndoManager().AddUndoStep("", nullptr, true);
    CFlashSolidShape* a = AddRect(10, 10, 40, 40, kRed);
    m_pDoc->GetUndoManager().AddUndoStep("Draw Rectangle", nullptr, true);
    Pump();
    POINT offset = m_pView->GetStageOffset();
    POINT at = {offset.x + 30, offset.y + 30};
    m_pView->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    Pump();
    ASSERT_EQ(m_pView->GetHoveredShape(), a);
    ASSERT_TRUE(m_pDoc->GetUndoManager().Undo());  // the shape is gone
    EXPECT_EQ(m_pView->GetHoveredShape(), nullptr);
    CRecordingTool probe;
    m_pView->SetTool(&probe);
    m_pView->SetHoveredShape(a);  // as if nothing had told the view
    m_pView->SetTool(m_pView->GetSelectTool());
    m_pView->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    m_pView->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
    EXPECT_EQ(m_pView->GetHoveredShape(), nullptr) << "the press hit-tests again";
}

} // namespace
