#include "TimelineTestSupport.h"

#include "timeline/MovieControlGridView.h"

#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashShape.h"
#include "model/UndoManager.h"
#include "model/UndoStep.h"

#include "platform/mfc/CmdUI.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace TimelineTest;

namespace
{
// The spans of a layer as "first-last" with "t" for a tween, e.g. "1-2 3-6t".
std::string Spans(const CFlashEditorLayer& layer)
{
    std::string text;
    for (int i = 1; i <= layer.GetSpanCount(); ++i) {
        const CFlashEditorFrame* span = layer.GetSpanByIndex(i);
        if (!span)
            continue;
        if (!text.empty())
            text += ' ';
        text += std::to_string(span->GetStartFrame()) + "-" + std::to_string(span->GetEndFrame());
        if (span->IsMotionTween())
            text += 't';
    }
    return text;
}

// The name of the step recorded since the history held stepsBefore steps, or "(none)".
std::string NewStepName(CFlashEditorDoc& doc, int stepsBefore)
{
    const CUndoStep* step = doc.GetUndoManager().GetLastStep();
    if (doc.GetUndoManager().GetStepCount() == stepsBefore || !step)
        return "(none)";
    return step->GetName();
}
}  // namespace

// A hidden window holding the timeline view over a document.
class TimelineView : public testing::Test
{
protected:
    void Open(int nLayers, const std::vector<SpanLayout>& spans = {{1, 1, false, false}})
    {
        Close();
        m_doc = MakeDocument(nLayers);
        for (int layer = 1; layer <= nLayers; ++layer)
            BuildSpans(*m_doc, *m_doc->GetLayer(layer), spans);
        m_doc->GetUndoManager().ResetHistory();
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "timeline", WS_POPUP, 0, 0, 1000, 200, nullptr,
                                      nullptr));
        m_pView = new CMovieControlGridView;
        ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1000, 200), &m_parent, 1));
        // The test owns the document: closing its last view must not delete it.
        m_doc->m_bAutoDelete = FALSE;
        m_doc->AddView(m_pView);
        m_pView->SendMessage(WM_INITIALUPDATE);
        ASSERT_NE(nullptr, m_pView->GetGrid());
    }
    void Close()
    {
        if (m_parent.GetSafeHwnd())
            m_parent.DestroyWindow();
        m_pView = nullptr;
        Pump();
        m_doc.reset();
    }
    void TearDown() override { Close(); }

    CGridCtrl& Grid() { return *m_pView->GetGrid(); }
    void Select(int r1, int c1, int r2, int c2)
    {
        Grid().SetFocusCell(r2, c2);
        Grid().SelectRange(r1, c1, r2, c2);
    }
    void Command(UINT id) { m_pView->SendMessage(WM_COMMAND, id, 0); }

    CWnd m_parent;
    CMovieControlGridView* m_pView = nullptr;
    std::unique_ptr<CFlashEditorDoc> m_doc;
};

TEST_F(TimelineView, BuildsRowsForLayersAndGrowsWithTheDocument)
{
    Open(1);
    EXPECT_EQ(2, Grid().GetRowCount());
    EXPECT_EQ(600, Grid().GetColumnCount());
    EXPECT_STREQ("Layer 1", Grid().GetItemText(1, 0));
    EXPECT_STREQ("5", Grid().GetItemText(0, 5));
    EXPECT_STREQ("", Grid().GetItemText(0, 6));
    EXPECT_EQ(CGridCellId(1, 1), Grid().GetFocusCell());
    EXPECT_EQ(150, Grid().GetColumnWidth(0));

    m_doc->AddLayer();
    m_pView->RebuildGrid();
    EXPECT_EQ(3, Grid().GetRowCount());
    EXPECT_STREQ("Layer 2", Grid().GetItemText(2, 0));

    // Many layers at once: every new row named and sized, the scroll range set once at the end.
    while (m_doc->GetLayerCount() < 20)
        m_doc->AddLayer();
    m_pView->RebuildGrid();
    EXPECT_EQ(21, Grid().GetRowCount());
    EXPECT_STREQ("Layer 20", Grid().GetItemText(20, 0));
    EXPECT_EQ(22, Grid().GetRowHeight(20));
    int minPos = 0, maxPos = 0;
    Grid().GetScrollRange(SB_VERT, &minPos, &maxPos);
    EXPECT_EQ(20 * 22, maxPos + 1) << "the rows below the header scroll";
    while (m_doc->GetLayerCount() > 2)
        m_doc->RemoveCurrentLayer();
    m_pView->RebuildGrid();
    EXPECT_EQ(3, Grid().GetRowCount());
    Grid().GetScrollRange(SB_VERT, &minPos, &maxPos);
    EXPECT_EQ(0, maxPos);

    const struct {
        int lastFrame;
        int columns;
    } sizes[] = {{598, 600}, {599, 699}, {700, 800}, {20000, 10000}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.lastFrame);
        Open(1, {{1, s.lastFrame, false, false}});
        EXPECT_EQ(s.columns, Grid().GetColumnCount());
        Command(ID_TIMELINE_GO_TO_END);
        EXPECT_EQ(std::min(s.lastFrame, s.columns - 1), Grid().GetFocusCell().col);
    }
}

TEST_F(TimelineView, PaintAfterAnOutsideChangeWidensTheGrid)
{
    Open(1, {{1, 590, false, false}});
    ASSERT_EQ(600, Grid().GetColumnCount());
    // As an undo restoring a longer timeline would: the model changes, then the views repaint.
    m_doc->GetLayer(1)->InsertFrames(1, 20);
    m_doc->InvalidateViews();
    m_pView->SendMessage(WM_PAINT);
    EXPECT_EQ(710, Grid().GetColumnCount());
    EXPECT_STREQ("605", Grid().GetItemText(0, 605));
}

// Frame commands over a selection: the layers' spans after, and the undo step they leave.
TEST_F(TimelineView, FrameCommandsChangeSpansAndRecordTheirSteps)
{
    const std::vector<SpanLayout> start = {{1, 4, false, true}, {5, 10, false, true}};
    const struct {
        const char* name;
        UINT command;
        CGridCellRange selection;
        const char* layer1;
        const char* layer2;
        const char* step;
    } cases[] = {
        {"insert keyframe at the focus", ID_TIMELINE_INSERT_KEYFRAME, CGridCellRange(1, 7, 1, 7), "1-4 5-6 7-10",
         "1-4 5-10", "Insert Keyframe"},
        {"insert blank keyframe", ID_TIMELINE_INSERT_BLANK_KEYFRAME, CGridCellRange(2, 3, 2, 3), "1-4 5-10",
         "1-2 3-4 5-10", "Insert Blank Keyframe"},
        {"insert frames on the top layer only", ID_TIMELINE_INSERT_FRAME, CGridCellRange(1, 3, 2, 4), "1-6 7-12",
         "1-4 5-10", "Insert Frame"},
        {"create motion tween on the top layer", ID_TIMELINE_CREATE_MOTION_TWEEN, CGridCellRange(1, 2, 2, 6),
         "1-4t 5-10t", "1-4 5-10", "Create Motion Tween"},
        {"create motion tween on a keyframe tweens to the next one", ID_TIMELINE_CREATE_MOTION_TWEEN,
         CGridCellRange(1, 1, 1, 1), "1-4t 5-10t", "1-4 5-10", "Create Motion Tween"},
        {"create motion tween past the last span", ID_TIMELINE_CREATE_MOTION_TWEEN, CGridCellRange(1, 10, 1, 20),
         "1-4 5-10t", "1-4 5-10", "Create Motion Tween"},
        {"remove frames", ID_TIMELINE_REMOVE_FRAMES, CGridCellRange(1, 2, 2, 3), "1-2 3-8", "1-2 3-8", "Remove Frame"},
        {"clear frames", ID_TIMELINE_CLEAR_FRAMES, CGridCellRange(2, 5, 2, 10), "1-4 5-10", "1-4 5-10",
         "Clear Frames"},
        {"convert to blank keyframes", ID_TIMELINE_CONVERT_TO_BLANK_KEYFRAME, CGridCellRange(1, 6, 1, 6),
         "1-4 5-5 6-10", "1-4 5-10", "Convert to Blank Keyframes"},
        {"convert to blank keyframes past the spans", ID_TIMELINE_CONVERT_TO_BLANK_KEYFRAME,
         CGridCellRange(1, 12, 1, 14), "1-4 5-10", "1-4 5-10", "Convert to Blank Keyframes"},
        {"convert to keyframes", ID_TIMELINE_CONVERT_TO_KEYFRAME, CGridCellRange(2, 4, 2, 6), "1-4 5-10",
         "1-3 4-4 5-5 6-10", "Convert to Keyframes"},
        {"convert to keyframes on keyframes only", ID_TIMELINE_CONVERT_TO_KEYFRAME, CGridCellRange(1, 5, 1, 5),
         "1-4 5-10", "1-4 5-10", "(none)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(2, start);
        Select(c.selection.GetMinRow(), c.selection.GetMinCol(), c.selection.GetMaxRow(), c.selection.GetMaxCol());
        m_doc->SetCurrentFrame(c.selection.GetMaxCol());
        const int steps = m_doc->GetUndoManager().GetStepCount();
        Command(c.command);
        EXPECT_EQ(c.layer1, Spans(*m_doc->GetLayer(1)));
        EXPECT_EQ(c.layer2, Spans(*m_doc->GetLayer(2)));
        EXPECT_EQ(c.step, NewStepName(*m_doc, steps));
    }
}

TEST_F(TimelineView, RemoveMotionTweenNamesItsStepAndNeedsASelection)
{
    Open(1, {{1, 4, true, true}, {5, 8, true, true}});
    Grid().ClearSelection();
    const int steps = m_doc->GetUndoManager().GetStepCount();
    Command(ID_TIMELINE_REMOVE_MOTION_TWEEN);
    EXPECT_EQ("(none)", NewStepName(*m_doc, steps));
    Select(1, 2, 1, 2);
    Command(ID_TIMELINE_REMOVE_MOTION_TWEEN);
    EXPECT_EQ("1-4 5-8", Spans(*m_doc->GetLayer(1))) << "the flag that ended the tween goes too";
    EXPECT_EQ("Remove Motion Tween", NewStepName(*m_doc, steps));
}

// A keyframe made inside a tween holds the in-between placement, whichever command made it.
TEST_F(TimelineView, KeyframesInsideATweenHoldTheInterpolatedPlacement)
{
    for (UINT command : {ID_TIMELINE_INSERT_KEYFRAME, ID_TIMELINE_CONVERT_TO_KEYFRAME}) {
        SCOPED_TRACE(command);
        Open(1, {{1, 19, true, true}, {20, 20, true, true}});
        CFlashEditorFrame* end = m_doc->GetLayer(1)->FindSpan(20);
        std::vector<CFlashShape*> shapes;
        end->CollectShapes(shapes);
        ASSERT_EQ(1u, shapes.size());
        end->TranslateShape(shapes[0], 1900.0f, 0.0f);
        Select(1, 10, 1, 10);
        m_doc->SetCurrentFrame(10);
        Command(command);
        ASSERT_EQ("1-9t 10-19t 20-20t", Spans(*m_doc->GetLayer(1)));
        const CFlashEditorFrame* made = m_doc->GetLayer(1)->FindSpan(10);
        const CFlashShape* shape = made->GetShapeById(shapes[0]->GetObjectId());
        ASSERT_NE(nullptr, shape);
        Gdiplus::REAL m[6];
        made->GetShapeTransform(shape)->GetMatrix()->GetElements(m);
        // Frame 10 of a tween from frame 1 to frame 20: 9/19 of the way.
        EXPECT_NEAR(900.0f, m[4], 0.01f);
    }
}

TEST_F(TimelineView, InsertFrameAndBlankKeyframeUndoAndRedoAlone)
{
    Open(1, {{1, 4, false, true}});
    Select(1, 2, 1, 2);
    Command(ID_TIMELINE_INSERT_FRAME);
    ASSERT_EQ("1-5", Spans(*m_doc->GetLayer(1)));
    Select(1, 3, 1, 3);
    Command(ID_TIMELINE_INSERT_BLANK_KEYFRAME);
    ASSERT_EQ("1-2 3-5", Spans(*m_doc->GetLayer(1)));

    ASSERT_TRUE(m_doc->GetUndoManager().Undo());
    EXPECT_EQ("1-5", Spans(*m_doc->GetLayer(1))) << "undo takes back the keyframe only";
    ASSERT_TRUE(m_doc->GetUndoManager().Undo());
    EXPECT_EQ("1-4", Spans(*m_doc->GetLayer(1)));
    ASSERT_TRUE(m_doc->GetUndoManager().Redo());
    ASSERT_TRUE(m_doc->GetUndoManager().Redo());
    EXPECT_EQ("1-2 3-5", Spans(*m_doc->GetLayer(1)));
}

TEST_F(TimelineView, UpdateHandlersSkipFramesWithoutSpans)
{
    Open(1, {{1, 1, false, false}});
    Select(1, 10, 1, 20);
    CCmdUI state;
    for (UINT id : {ID_TIMELINE_REMOVE_MOTION_TWEEN, ID_TIMELINE_CLEAR_FRAMES, ID_TIMELINE_REMOVE_FRAMES}) {
        SCOPED_TRACE(id);
        state.m_nID = id;
        EXPECT_TRUE(m_pView->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr));
    }
}

// The frame the clock gives at each call, from a start at frame 1 at tick 1000.
TEST(TimelinePlayback, EveryFrameInTurnAtTheDocumentsRate)
{
    const struct {
        const char* name;
        int rate;
        std::vector<std::pair<DWORD, int>> calls;  // tick, frame shown
    } cases[] = {
        {"on time at 12 fps, then a call most of a second late shows the next frame only", 12,
         {{1000, 1}, {1082, 1}, {1083, 2}, {1165, 2}, {1166, 3}, {2000, 4}, {2082, 4}, {2083, 5}}},
        {"the rate counts again from a late frame", 24, {{1500, 2}, {1501, 2}, {1540, 2}, {1541, 3}}},
        {"a slightly late frame keeps the schedule", 10, {{1130, 2}, {1199, 2}, {1200, 3}}},
        {"a rate below 1 plays one frame a second", 0, {{1999, 1}, {2000, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CPlaybackClock clock;
        clock.Start(1, 1000, c.rate);
        for (const auto& [tick, frame] : c.calls)
            EXPECT_EQ(frame, clock.Advance(tick)) << "at tick " << tick;
    }
    // Called every millisecond, 60 fps shows 60 frames in a second.
    CPlaybackClock fast;
    fast.Start(1, 1000, 60);
    for (DWORD tick = 1000; tick < 2000; ++tick)
        fast.Advance(tick);
    EXPECT_EQ(61, fast.Advance(2000));
    CPlaybackClock wrapping;
    wrapping.Start(7, 0xFFFFFFF0u, 12);
    EXPECT_EQ(7, wrapping.Advance(0x10));
    EXPECT_EQ(8, wrapping.Advance(0x44));
}

TEST_F(TimelineView, PlaysAtTwelveFramesASecondAndStopsAtTheLastFrame)
{
    Open(1, {{1, 20, false, false}});
    ASSERT_EQ(12, m_doc->GetFrameRate());
    Command(ID_TIMELINE_PLAY);
    EXPECT_TRUE(m_doc->IsPlaying());
    Pump(1000);
    EXPECT_NEAR(13, m_doc->GetCurrentFrame(), 2);
    Pump(1200);
    EXPECT_EQ(20, m_doc->GetCurrentFrame());
    EXPECT_FALSE(m_doc->IsPlaying());
    EXPECT_FALSE(m_pView->IsPlaying());
}

TEST_F(TimelineView, ClosingWhilePlayingEndsPlayback)
{
    Open(1, {{1, 200, false, false}});
    Command(ID_TIMELINE_PLAY);
    Pump(100);
    ASSERT_TRUE(m_doc->IsPlaying());
    m_parent.DestroyWindow();
    m_pView = nullptr;
    Pump(100);
    EXPECT_FALSE(m_doc->IsPlaying());
}

TEST_F(TimelineView, PlayWithoutFocusStartsAtTheCurrentFrame)
{
    Open(1, {{1, 200, false, false}});
    Grid().SetFocusCell(-1, -1);
    m_doc->SetCurrentFrame(50);
    Command(ID_TIMELINE_PLAY);
    Pump(150);
    EXPECT_GE(m_doc->GetCurrentFrame(), 50);
    EXPECT_LE(m_doc->GetCurrentFrame(), 55);
    EXPECT_EQ(CGridCellId(1, m_doc->GetCurrentFrame()), Grid().GetFocusCell());
}

TEST_F(TimelineView, EmptyPaneKeepsWorking)
{
    Open(2, {{1, 30, true, true}});
    m_pView->MoveWindow(0, 0, 0, 0);
    Pump();
    Grid().MoveWindow(0, 0, 0, 0);
    Grid().ResetScrollBars();
    const CCapture nothing(Grid());
    EXPECT_EQ(0, nothing.Width());
    Grid().SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    Grid().SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    m_pView->MoveWindow(0, 0, 600, 150);
    Grid().MoveWindow(0, 0, 600, 150);
    EXPECT_EQ(CGridCellId(1, 2), Grid().GetFocusCell());
    const CCapture shot(Grid());
    EXPECT_EQ(TIMELINE_TWEEN_BACK, shot.At(kNameWidth + 5 * kFrameWidth + 8, kRowHeight + 5));
}

TEST_F(TimelineView, DrawnResourcesGiveTheLayerIcons)
{
    Open(2);
    m_doc->GetLayer(2)->SetVisible(false);
    m_doc->GetLayer(2)->SetLocked(true);
    CImageList* pImages = Grid().GetImageList();
    ASSERT_NE(nullptr, pImages);
    EXPECT_EQ(5, pImages->GetImageCount());
    IMAGEINFO info{};
    ASSERT_TRUE(pImages->GetImageInfo(0, &info));
    EXPECT_EQ(16, info.rcImage.right - info.rcImage.left);
    EXPECT_EQ(16, info.rcImage.bottom - info.rcImage.top);

    // The icons' left edges: outline, lock or dot, eye dot or cross; tops 3 pixels into the row.
    constexpr int kOutlineX = 129, kLockX = 111, kEyeX = 93, kIconTop = 3;
    // Without a focus no name cell is drawn pressed.
    Grid().SetFocusCell(-1, -1);
    const CCapture shot(Grid());
    const COLORREF nameBack = shot.At(5, 2 * kRowHeight + 2);
    const struct {
        const char* what;
        int x;
        int y;
        COLORREF colour;
    } cases[] = {
        {"outline's edge", kOutlineX + 3, kRowHeight + kIconTop + 3, RGB(0, 0, 0)},
        {"outline's inside shows the cell", kOutlineX + 7, kRowHeight + kIconTop + 7, nameBack},
        {"unlocked: dot", kLockX + 8, kRowHeight + kIconTop + 8, RGB(0, 0, 0)},
        {"visible: dot", kEyeX + 8, kRowHeight + kIconTop + 8, RGB(0, 0, 0)},
        {"locked: padlock body", kLockX + 7, 2 * kRowHeight + kIconTop + 10, RGB(200, 160, 40)},
        {"hidden: red cross", kEyeX + 3, 2 * kRowHeight + kIconTop + 3, RGB(220, 0, 0)},
        {"mask colour never shows", kEyeX + 1, 2 * kRowHeight + kIconTop + 1, nameBack},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.colour, shot.At(c.x, c.y)) << std::hex << shot.At(c.x, c.y);
    }
    EXPECT_TRUE(shot.SavePng("timeline-view.png"));
    constexpr COLORREF kIconMask = 0xADADAD;
    EXPECT_NE(kIconMask, nameBack);

    // The band's picture loads at the size the context menu draws it.
    HICON hIcon = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TIMELINE_BAND), IMAGE_ICON, 24, 24, 0));
    ASSERT_NE(nullptr, hIcon);
    ICONINFO iconInfo{};
    ASSERT_TRUE(::GetIconInfo(hIcon, &iconInfo));
    BITMAP bm{};
    ::GetObjectA(iconInfo.hbmColor ? iconInfo.hbmColor : iconInfo.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(24, bm.bmWidth);
    ::DeleteObject(iconInfo.hbmColor);
    ::DeleteObject(iconInfo.hbmMask);
    ::DestroyIcon(hIcon);
}
