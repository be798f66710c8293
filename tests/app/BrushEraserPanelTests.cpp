// The Brush and Eraser panels in the editor's session: the tip paths and cursors the tools ask
// for, the brush pen a choice sets, and the lists' pictures.
#include "EditorSessionSupport.h"
#include "PanelTestSupport.h"

#include "app/FlashEditorMainFrame.h"
#include "app/panels/BrushTool.h"
#include "app/panels/EraserTool.h"
#include "model/FlashEditorDoc.h"
#include "resources/panels/BrushResources.h"
#include "stage/FlashEditorView.h"
#include "tests/support/ScreenImage.h"
#include "tests/ui/core/TestSupport.h"

#include <gtest/gtest.h>

#include <utility>

#include <cmath>

namespace {

constexpr int kPanelWidth = 80;
constexpr int kPanelHeight = 100;
constexpr DWORD kBlack = 0x000000;
constexpr DWORD kWhite = 0xFFFFFF;

Gdiplus::RectF Bounds(const Gdiplus::GraphicsPath* path)
{
    Gdiplus::RectF bounds;
    path->GetBounds(&bounds);
    return bounds;
}

// Selects an item of a panel's list as the user's pick does, with its notification.
void Pick(CWnd& panel, int listId, int index)
{
    HWND hList = ::GetDlgItem(panel.m_hWnd, listId);
    ::SendMessageA(hList, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    panel.SendMessage(WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hList));
    PumpMessages();
}

class BrushPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SessionApp().CloseAllDocuments(FALSE);
        SendCommand(ID_FILE_NEW);
        m_pDoc = ActiveDocument();
        m_pView = MainFrame()->GetActiveStageView();
        ASSERT_NE(m_pView, nullptr);
        ASSERT_TRUE(m_brush.Create(IDD_BRUSH_TOOL, m_pHost));
        ASSERT_TRUE(m_eraser.Create(IDD_ERASER_TOOL, m_pHost));
        m_brush.SetWindowPos(nullptr, 0, 0, kPanelWidth, kPanelHeight, SWP_NOZORDER | SWP_SHOWWINDOW);
        m_eraser.SetWindowPos(nullptr, kPanelWidth, 0, kPanelWidth, kPanelHeight, SWP_NOZORDER | SWP_SHOWWINDOW);
        PumpMessages();
    }
    void TearDown() override
    {
        m_brush.DestroyWindow();
        m_eraser.DestroyWindow();
    }

    CWnd* m_pHost = PanelHost(2 * kPanelWidth, kPanelHeight);
    CBrushTool m_brush;
    CEraserTool m_eraser;
    CFlashEditorDoc* m_pDoc = nullptr;
    CFlashEditorView* m_pView = nullptr;
};

TEST_F(BrushPanelTest, ChoicesScaleTheTipAndSetTheBrushPen)
{
    // Before any choice: the circle at the largest size.
    std::unique_ptr<Gdiplus::GraphicsPath> start = m_brush.GetBrushPath();
    ASSERT_NE(start, nullptr);
    EXPECT_NEAR(Bounds(start.get()).Width, 20.0f, 0.01f);

    const struct
    {
        int list;
        int index;
        float width;
        float height;
        float penWidth;
    } cases[] = {
        {IDC_BRUSH_SIZE, 0, 2.0f, 2.0f, 0.0f},     // the circle at a tenth
        {IDC_BRUSH_SIZE, 4, 10.0f, 10.0f, 8.0f},   // at a half
        {IDC_BRUSH_SHAPE, 1, 5.0f, 10.0f, 8.0f},   // the tall ellipse; the pen is set again
        {IDC_BRUSH_SHAPE, 5, 10.0f, 5.0f, 8.0f},   // the wide rectangle
        {IDC_BRUSH_SIZE, 9, 20.0f, 10.0f, 18.0f},  // at full size
        {IDC_BRUSH_SHAPE, 8, 20.0f, 14.0f, 18.0f}, // the flattest slant
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.list << " " << c.index);
        const int steps = m_pDoc->GetUndoManager().GetStepCount();
        Pick(m_brush, c.list, c.index);
        std::unique_ptr<Gdiplus::GraphicsPath> path = m_brush.GetBrushPath();
        ASSERT_NE(path, nullptr);
        EXPECT_NEAR(Bounds(path.get()).Width, c.width, 0.01f);
        EXPECT_NEAR(Bounds(path.get()).Height, c.height, 0.01f);
        ASSERT_NE(m_pView->GetBrushPen(), nullptr);
        EXPECT_FLOAT_EQ(m_pView->GetBrushPen()->GetWidth(), c.penWidth);
        EXPECT_EQ(LastStepName(m_pDoc), "Modify Brush Pen");
        EXPECT_EQ(m_pDoc->GetUndoManager().GetStepCount(), steps + 1);
    }
}

TEST_F(BrushPanelTest, TheBrushPenTakesTheDefaultPensColour)
{
    m_pView->SetPenAndFillColors(RGB(200, 10, 20), RGB(0, 0, 255));
    Pick(m_brush, IDC_BRUSH_SIZE, 3);
    Gdiplus::Color colour;
    m_pView->GetBrushPen()->GetColor(&colour);
    EXPECT_EQ(colour.GetValue(), Gdiplus::Color(255, 200, 10, 20).GetValue());
}

TEST_F(BrushPanelTest, CursorsAreBuiltOncePerShapeAndSize)
{
    HCURSOR first = m_brush.GetBrushCursor();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(m_brush.GetBrushCursor(), first);
    Pick(m_brush, IDC_BRUSH_SIZE, 2);
    HCURSOR smaller = m_brush.GetBrushCursor();
    EXPECT_NE(smaller, first);
    EXPECT_EQ(m_brush.GetBrushCursor(), smaller);
    Pick(m_brush, IDC_BRUSH_SIZE, 9);
    EXPECT_EQ(m_brush.GetBrushCursor(), first);

    // Without a choice there is no tip.
    ::SendMessageA(::GetDlgItem(m_brush.m_hWnd, IDC_BRUSH_SHAPE), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(m_brush.GetBrushPath(), nullptr);
    EXPECT_EQ(m_brush.GetBrushCursor(), nullptr);
}

TEST_F(BrushPanelTest, ChoicesLeaveNoGdiHandlesBehind)
{
    // The first round builds the cursors the panel keeps; the second must add nothing.
    for (int round = 0; round < 2; ++round)
    {
        const int before = CountFreeGdiHandleSlots();
        for (int size = 0; size < CBrushTool::kSizeCount; ++size)
        {
            Pick(m_brush, IDC_BRUSH_SIZE, size);
            m_brush.GetBrushCursor();
        }
        if (round == 1)
        {
            EXPECT_EQ(CountFreeGdiHandleSlots(), before);
        }
    }
}

TEST_F(BrushPanelTest, WithoutADocumentTheBrushPenStays)
{
    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    ASSERT_EQ(MainFrame()->GetActiveStageView(), nullptr);
    Pick(m_brush, IDC_BRUSH_SIZE, 3);
    std::unique_ptr<Gdiplus::GraphicsPath> path = m_brush.GetBrushPath();
    ASSERT_NE(path, nullptr);
    EXPECT_NEAR(Bounds(path.get()).Width, 8.0f, 0.01f);
}

TEST_F(BrushPanelTest, EraserStartsWithTheEightPixelCircleAndKeepsItsPaths)
{
    const Gdiplus::GraphicsPath* path = m_eraser.GetEraserPath();
    ASSERT_NE(path, nullptr);
    EXPECT_NEAR(Bounds(path).Width, 8.0f, 0.01f);
    EXPECT_EQ(m_eraser.GetEraserPath(), path);
    HCURSOR cursor = m_eraser.GetEraserCursor();
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(m_eraser.GetEraserCursor(), cursor);

    const struct
    {
        int index;
        float side;
        int cursorSize;
    } cases[] = {
        {0, 4, 2}, {1, 8, 4}, {2, 12, 6}, {3, 16, 8}, {4, 20, 10},
        {5, 4, 2}, {6, 8, 4}, {7, 12, 6}, {8, 16, 8}, {9, 20, 10},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.index);
        Pick(m_eraser, IDC_ERASER_SHAPE, c.index);
        EXPECT_NEAR(Bounds(m_eraser.GetEraserPath()).Width, c.side, 0.01f);
        EXPECT_NEAR(Bounds(m_eraser.GetEraserPath()).Height, c.side, 0.01f);
        EXPECT_EQ(CEraserTool::CursorSize(c.index), c.cursorSize);
        EXPECT_NE(m_eraser.GetEraserCursor(), nullptr);
    }
    // Picking an eraser changes nothing in the document.
    EXPECT_EQ(m_pDoc->GetUndoManager().GetStepCount(), 1);
}

TEST_F(BrushPanelTest, ListsShowTheChosenTipInBlackOnWhite)
{
    ::SetFocus(m_pHost->m_hWnd);
    const CWindowPixels pixels = CaptureWindow(m_brush.m_hWnd);
    SaveWindowPng(m_brush.m_hWnd, "brush-panel.png");
    for (int id : {IDC_BRUSH_SIZE, IDC_BRUSH_SHAPE})
    {
        SCOPED_TRACE(id);
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        HWND hList = ::GetDlgItem(m_brush.m_hWnd, id);
        ASSERT_TRUE(::GetComboBoxInfo(hList, &info));
        POINT centre = {(info.rcItem.left + info.rcItem.right) / 2, (info.rcItem.top + info.rcItem.bottom) / 2};
        POINT corner = {info.rcItem.left + 1, info.rcItem.top + 1};
        ::MapWindowPoints(hList, m_brush.m_hWnd, &centre, 1);
        ::MapWindowPoints(hList, m_brush.m_hWnd, &corner, 1);
        // Size index 9 is a dot of radius 10; the circle tip has radius 10.
        EXPECT_EQ(pixels.At(centre.x, centre.y), kBlack);
        EXPECT_EQ(pixels.At(corner.x, corner.y), kWhite);
    }

    // The shape list dropped down: the nine tips, the chosen one white on blue.
    HWND hShapes = ::GetDlgItem(m_brush.m_hWnd, IDC_BRUSH_SHAPE);
    ::SendMessageA(hShapes, CB_SHOWDROPDOWN, TRUE, 0);
    PumpMessages();
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ::GetComboBoxInfo(hShapes, &info);
    RECT rcPanel;
    RECT rcList;
    RECT rcBoth;
    ::GetWindowRect(m_brush.m_hWnd, &rcPanel);
    ::GetWindowRect(info.hwndList, &rcList);
    ::UnionRect(&rcBoth, &rcPanel, &rcList);
    SaveScreenRectPng(rcBoth, "brush-panel-shapes.png");
    ::SendMessageA(hShapes, CB_SHOWDROPDOWN, FALSE, 0);
    PumpMessages();
}

} // namespace

TEST_F(BrushPanelTest, ListsFitThePanelsWidth)
{
    // The main frame's bars give the panels 60 pixels, less than their templates.
    for (int width : {60, kPanelWidth}) {
        SCOPED_TRACE(width);
        for (CWnd* panel : {static_cast<CWnd*>(&m_brush), static_cast<CWnd*>(&m_eraser)})
            panel->SetWindowPos(nullptr, 0, 0, width, kPanelHeight, SWP_NOZORDER | SWP_NOMOVE);
        PumpMessages();
        for (auto [panel, id] : {std::pair{&m_brush.m_hWnd, IDC_BRUSH_SIZE}, std::pair{&m_brush.m_hWnd, IDC_BRUSH_SHAPE},
                                 std::pair{&m_eraser.m_hWnd, IDC_ERASER_SHAPE}}) {
            SCOPED_TRACE(id);
            RECT list;
            ::GetWindowRect(::GetDlgItem(*panel, id), &list);
            ::MapWindowPoints(nullptr, *panel, reinterpret_cast<POINT*>(&list), 2);
            RECT client;
            ::GetClientRect(*panel, &client);
            EXPECT_GE(list.left, 0);
            EXPECT_LE(list.right, client.right);
        }
    }
}
