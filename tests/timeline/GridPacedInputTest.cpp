// Real pointer input: a second thread paces SendInput over a shown grid while this thread runs
// the grid's messages, as a hand on the mouse would.
#include "TimelineTestSupport.h"

#include "timeline/MovieControlGridView.h"

#include "model/FlashEditorLayer.h"

#include <gtest/gtest.h>


using namespace TimelineTest;

namespace
{
constexpr int kMoveSteps = 8;
constexpr int kHostWidth = 600;
constexpr int kHostHeight = 420;
constexpr int kGridHeight = 200;
// Where the windows below the timeline grid go.
const CRect kLowerPane(0, 220, kHostWidth, kHostHeight);
constexpr DWORD kStepMs = 15;

// Absolute pointer coordinates span the primary screen as 0 to 65535.
LONG Normalised(int pixel, int extent)
{
    return LONG((LONGLONG(pixel) * 65536 + extent - 1) / extent);
}

void SendMouse(CPoint screen, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(screen.x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(screen.y, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

struct DragPath {
    CPoint from;
    CPoint to;
    DWORD holdMs;  // held still at the end before the release
};

// Presses at from, moves to to in even steps with a pause between them, and releases.
DWORD WINAPI MoveTheHand(LPVOID parameter)
{
    const DragPath& path = *static_cast<const DragPath*>(parameter);
    SendMouse(path.from, 0);
    ::Sleep(kStepMs);
    SendMouse(path.from, MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= kMoveSteps; ++step) {
        ::Sleep(kStepMs);
        SendMouse(CPoint(path.from.x + (path.to.x - path.from.x) * step / kMoveSteps,
                         path.from.y + (path.to.y - path.from.y) * step / kMoveSteps),
                  0);
    }
    ::Sleep(kStepMs + path.holdMs);
    SendMouse(path.to, MOUSEEVENTF_LEFTUP);
    return 0;
}

// The hand runs on a thread of its own (a Win32 one: input calls need the thread's Win32 state);
// this thread keeps dispatching until the hand is done.
void PacedDrag(CPoint from, CPoint to, DWORD holdMs = 0)
{
    DragPath path{from, to, holdMs};
    HANDLE hand = ::CreateThread(nullptr, 0, MoveTheHand, &path, 0, nullptr);
    ASSERT_NE(nullptr, hand);
    while (::MsgWaitForMultipleObjects(1, &hand, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        Pump();
    ::CloseHandle(hand);
    Pump(50);
}
}  // namespace

// One shown window for every case: under Xvfb without a window manager each map and unmap of a
// top-level window waits. The timeline grid takes its top; other windows are its children below.
class GridPacedInput : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pDoc = MakeDocument(3).release();
        for (int layer = 1; layer <= 3; ++layer)
            BuildSpans(*s_pDoc, *s_pDoc->GetLayer(layer), {{1, 4, false, true}, {5, 20, true, true}});
        s_pHost = new CGridHost(s_pDoc, true, kHostWidth, kHostHeight);
        s_pHost->Grid().MoveWindow(0, 0, kHostWidth, kGridHeight);
    }
    static void TearDownTestSuite()
    {
        delete s_pHost;
        delete s_pDoc;
        s_pHost = nullptr;
        s_pDoc = nullptr;
    }
    // Back at the left end with nothing focused or selected.
    void SetUp() override { Reset(); }
    static void Reset()
    {
        s_pHost->Grid().SendMessage(WM_HSCROLL, SB_LEFT, 0);
        s_pHost->Grid().SendMessage(WM_VSCROLL, SB_TOP, 0);
        s_pHost->Grid().SetFocusCell(-1, -1);
    }

    static CFlashEditorDoc* s_pDoc;
    static CGridHost* s_pHost;
};
CFlashEditorDoc* GridPacedInput::s_pDoc = nullptr;
CGridHost* GridPacedInput::s_pHost = nullptr;

TEST_F(GridPacedInput, DraggedPointerSelectsTheFramesItCrosses)
{
    const struct {
        const char* name;
        int fromRow, fromCol, toRow, toCol;
        CGridCellRange selection;
        CGridCellId focus;
    } cases[] = {
        {"along a layer", 1, 3, 1, 8, CGridCellRange(1, 3, 1, 8), CGridCellId(1, 8)},
        {"up across layers and back in time", 3, 9, 1, 4, CGridCellRange(1, 4, 3, 9), CGridCellId(1, 4)},
        {"down from a frame number", 0, 6, 2, 10, CGridCellRange(1, 6, 3, 10), CGridCellId(2, 10)},
    };
    CGridHost& host = *s_pHost;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        CPoint from = host.CellCentre(c.fromRow, c.fromCol), to = host.CellCentre(c.toRow, c.toCol);
        host.Grid().ClientToScreen(&from);
        host.Grid().ClientToScreen(&to);
        PacedDrag(from, to);
        const CGridCellRange selection = host.Grid().GetSelectionRange();
        EXPECT_EQ(c.selection.GetMinRow(), selection.GetMinRow());
        EXPECT_EQ(c.selection.GetMinCol(), selection.GetMinCol());
        EXPECT_EQ(c.selection.GetMaxRow(), selection.GetMaxRow());
        EXPECT_EQ(c.selection.GetMaxCol(), selection.GetMaxCol());
        EXPECT_EQ(c.focus, host.Grid().GetFocusCell());
        EXPECT_EQ(CGridCtrl::MOUSE_NOTHING, host.Grid().GetMouseMode()) << "the release ended the drag";
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

TEST_F(GridPacedInput, PointerHeldPastTheEdgeScrollsAndExtendsTheSelection)
{
    CGridHost& host = *s_pHost;
    CGridCtrl& grid = host.Grid();
    const int lastVisible = grid.GetVisibleScrollableRange().GetMaxCol();
    CPoint from = host.CellCentre(1, 5);
    CRect client;
    grid.GetClientRect(&client);
    CPoint outside(client.right + 40, from.y);
    grid.ClientToScreen(&from);
    grid.ClientToScreen(&outside);
    PacedDrag(from, outside, 600);

    const CGridCellRange selection = grid.GetSelectionRange();
    EXPECT_EQ(1, selection.GetMinRow());
    EXPECT_EQ(1, selection.GetMaxRow());
    EXPECT_EQ(5, selection.GetMinCol());
    EXPECT_GT(selection.GetMaxCol(), lastVisible) << "each tick steps past the visible columns";
    EXPECT_GT(grid.GetVisibleScrollableRange().GetMinCol(), 1) << "the grid scrolled";
    EXPECT_EQ(selection.GetMaxCol(), grid.GetFocusCell().col);
    EXPECT_EQ(grid.GetFocusCell().col, s_pDoc->GetCurrentFrame());

    // Released, the ticks stop.
    const CGridCellRange after = grid.GetSelectionRange();
    Pump(200);
    EXPECT_EQ(after.GetMaxCol(), grid.GetSelectionRange().GetMaxCol());
    EXPECT_EQ(CGridCtrl::MOUSE_NOTHING, grid.GetMouseMode());
}

TEST_F(GridPacedInput, TextDraggedOutOfTheTimelineDropsIntoAnEditableGrid)
{
    CGridCtrl& source = s_pHost->Grid();
    source.SetItemText(1, 2, "a");
    source.SetItemText(2, 4, "b");
    // An editable grid below the timeline takes the drop.
    CGridCtrl target;
    ASSERT_TRUE(target.Create(kLowerPane, s_pHost, kGridId + 1, WS_CHILD | WS_VISIBLE));
    ConfigureTimelineGrid(target, 3, nullptr);
    target.SetEditable(TRUE);
    target.ResetScrollBars();
    Pump(50);

    source.SetFocusCell(2, 4);
    source.SelectRange(1, 2, 2, 4);
    CPoint from = s_pHost->CellCentre(1, 3), to;
    CRect targetCell;
    target.GetCellRect(2, 3, &targetCell);
    to = targetCell.CenterPoint();
    source.ClientToScreen(&from);
    target.ClientToScreen(&to);
    PacedDrag(from, to, 300);

    const struct {
        int row, col;
        const char* text;
    } cells[] = {{2, 3, "a"}, {2, 4, ""}, {3, 5, "b"}, {1, 3, ""}, {2, 2, ""}};
    for (const auto& c : cells)
        EXPECT_STREQ(c.text, target.GetItemText(c.row, c.col)) << c.row << "," << c.col;
    EXPECT_STREQ("a", source.GetItemText(1, 2)) << "the read-only timeline keeps what was moved out";
    EXPECT_STREQ("b", source.GetItemText(2, 4));
    EXPECT_EQ(CGridCtrl::MOUSE_NOTHING, source.GetMouseMode());
    EXPECT_EQ(CGridCtrl::MOUSE_NOTHING, target.GetMouseMode());
    source.SetItemText(1, 2, "");
    source.SetItemText(2, 4, "");
}

namespace
{
CWnd* g_pClosedDuringDrag = nullptr;
CGridCtrl* g_pDraggingGrid = nullptr;
bool g_bWasDragging = false;

void CALLBACK CloseDuringDrag(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    // The OLE drag loop holds the pointer while it runs.
    const HWND capture = ::GetCapture();
    g_bWasDragging = g_pDraggingGrid && capture && capture != g_pDraggingGrid->GetSafeHwnd();
    if (g_pClosedDuringDrag && g_pClosedDuringDrag->GetSafeHwnd())
        g_pClosedDuringDrag->DestroyWindow();
}
}  // namespace

TEST_F(GridPacedInput, ClosingTheTimelineDuringATextDragEndsItSafely)
{
    auto doc = MakeDocument(2);
    doc->m_bAutoDelete = FALSE;
    CWnd parent;
    // The view's frame, closed under the drag.
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "timeline", WS_CHILD | WS_VISIBLE, kLowerPane.left,
                                kLowerPane.top, kLowerPane.Width(), kLowerPane.Height(), s_pHost->GetSafeHwnd(), nullptr));
    auto* pView = new CMovieControlGridView;
    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, kLowerPane.Width(), kLowerPane.Height()), &parent, 1));
    doc->AddView(pView);
    pView->SendMessage(WM_INITIALUPDATE);
    CGridCtrl& grid = *pView->GetGrid();
    Pump(50);
    grid.SetFocusCell(1, 4);
    grid.SelectRange(1, 2, 2, 4);
    CRect cell;
    grid.GetCellRect(1, 3, &cell);
    CPoint from = cell.CenterPoint(), to(from.x + 200, from.y + 60);
    grid.ClientToScreen(&from);
    grid.ClientToScreen(&to);

    g_pClosedDuringDrag = &parent;
    g_pDraggingGrid = &grid;
    ::SetTimer(nullptr, 0, 250, CloseDuringDrag);
    PacedDrag(from, to, 600);
    g_pClosedDuringDrag = nullptr;
    g_pDraggingGrid = nullptr;
    EXPECT_TRUE(g_bWasDragging) << "the window closed while the drag ran";
    EXPECT_EQ(nullptr, parent.GetSafeHwnd()) << "the window closed while the drag ran";
    EXPECT_EQ(nullptr, doc->GetFirstViewPosition()) << "the view left the document";
    Pump(50);
}
