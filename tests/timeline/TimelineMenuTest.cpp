#include "TimelineTestSupport.h"

#include "timeline/MovieControlGridView.h"

#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/UndoManager.h"

#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace TimelineTest;

namespace
{
constexpr DWORD kMenuTimeoutMs = 2000;

CExtPopupMenuWnd* TrackedMenu()
{
    return g_PopupMenuTrackingState.m_pTrackedPopup;
}

// Waits until the tracked menu has finished its open animation (or none opens).
CExtPopupMenuWnd* WaitForMenu()
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kMenuTimeoutMs) {
        CExtPopupMenuWnd* pMenu = TrackedMenu();
        if (pMenu && pMenu->GetSafeHwnd() && pMenu->IsAnimationFinished())
            return pMenu;
        Pump(20);
    }
    return TrackedMenu();
}

bool Near(COLORREF colour, COLORREF expected, int tolerance)
{
    return std::abs(GetRValue(colour) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(colour) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(colour) - GetBValue(expected)) <= tolerance;
}

void PressKey(WORD vk)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
    // Key-downs closer together than the popups' repeat interval are dropped.
    Pump(60);
}
}  // namespace

// A shown window holding the timeline view over a two-layer document, in the foreground so that
// the menu receives the keyboard. One window serves the suite: without a window manager every
// map and unmap of a window waits two seconds.
class TimelineMenu : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_doc = MakeDocument(2);
        for (int layer = 1; layer <= 2; ++layer)
            BuildSpans(*s_doc, *s_doc->GetLayer(layer), {{1, 10, false, true}});
        s_doc->GetUndoManager().ResetHistory();
        s_parent = new CWnd;
        s_parent->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "timeline", WS_POPUP | WS_VISIBLE, 0, 0, 800, 200,
                           nullptr, nullptr);
        s_pView = new CMovieControlGridView;
        s_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 200), s_parent, 1);
        s_doc->m_bAutoDelete = FALSE;
        s_doc->AddView(s_pView);
        s_pView->SendMessage(WM_INITIALUPDATE);
    }
    static void TearDownTestSuite()
    {
        s_parent->DestroyWindow();
        delete s_parent;
        s_parent = nullptr;
        s_pView = nullptr;
        Pump();
        s_doc.reset();
    }
    void SetUp() override
    {
        ASSERT_NE(nullptr, s_pView->GetGrid());
        s_parent->SetForegroundWindow();
        Grid().SetFocus();
        Pump(50);
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::EndActiveTracking();
        Pump();
    }

    CGridCtrl& Grid() { return *s_pView->GetGrid(); }
    CPoint CellOnScreen(int row, int col)
    {
        CRect rect;
        Grid().GetCellRect(row, col, &rect);
        CPoint centre = rect.CenterPoint();
        Grid().ClientToScreen(&centre);
        return centre;
    }

    static CWnd* s_parent;
    static CMovieControlGridView* s_pView;
    static std::unique_ptr<CFlashEditorDoc> s_doc;
};

CWnd* TimelineMenu::s_parent = nullptr;
CMovieControlGridView* TimelineMenu::s_pView = nullptr;
std::unique_ptr<CFlashEditorDoc> TimelineMenu::s_doc;

// A right click over the selection opens menu 146 with the view's band; a command chosen from it
// reaches the view.
TEST_F(TimelineMenu, RightClickOffersTheFrameCommandsWithAPaintedBand)
{
    Grid().SetFocusCell(1, 3);
    Grid().SelectRange(1, 3, 1, 6);
    CRect cell;
    ASSERT_TRUE(Grid().GetCellRect(1, 4, &cell));
    const LPARAM at = MAKELPARAM(cell.CenterPoint().x, cell.CenterPoint().y);
    Grid().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, at);
    Grid().SendMessage(WM_RBUTTONUP, 0, at);
    CExtPopupMenuWnd* pMenu = WaitForMenu();
    ASSERT_NE(nullptr, pMenu);

    const struct {
        UINT id;
        const char* text;
    } items[] = {
        {ID_TIMELINE_CREATE_MOTION_TWEEN, "Create Motion Tween"},
        {ID_TIMELINE_REMOVE_MOTION_TWEEN, "Remove Motion Tween"},
        {CExtPopupMenuWnd::ID_SEPARATOR, ""},
        {ID_TIMELINE_INSERT_LAYER, "Insert Layer"},
        {ID_TIMELINE_REMOVE_LAYER, "Remove Layer"},
        {CExtPopupMenuWnd::ID_SEPARATOR, ""},
        {ID_TIMELINE_INSERT_KEYFRAME, "Insert Keyframe"},
        {ID_TIMELINE_INSERT_BLANK_KEYFRAME, "Insert Blank Keyframe"},
        {ID_TIMELINE_INSERT_FRAME, "Insert Frame"},
        {ID_TIMELINE_REMOVE_FRAMES, "Remove Frames"},
        {CExtPopupMenuWnd::ID_SEPARATOR, ""},
        {ID_TIMELINE_CLEAR_FRAMES, "Clear Frames"},
        {ID_TIMELINE_CONVERT_TO_KEYFRAME, "Convert to Keyframe"},
        {ID_TIMELINE_CONVERT_TO_BLANK_KEYFRAME, "Convert to Blank Keyframe"},
    };
    ASSERT_EQ(static_cast<int>(std::size(items)), pMenu->CountItems());
    for (int i = 0; i < pMenu->CountItems(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].id, pMenu->CommandIdAt(i));
        CString text;
        pMenu->GetItemText(text, i);
        if (items[i].id != CExtPopupMenuWnd::ID_SEPARATOR) {
            EXPECT_STREQ(items[i].text, text);
        }
    }
    EXPECT_EQ(30, pMenu->GetLeftBandWidth());

    // The band: blue at the top and black at the bottom beside the icon and the text, the white
    // text in between, the icon in the top square.
    const CCapture shot(*pMenu, true);
    EXPECT_TRUE(shot.SavePng("timeline-menu.png"));
    CRect menu;
    pMenu->GetContentRect(&menu);
    const int border = pMenu->GetBorderSize();
    const CRect band(menu.left + border, menu.top + border, menu.left + border + 30, menu.bottom - border);
    const COLORREF top = shot.At(band.left + 1, band.top + 1);
    const COLORREF bottom = shot.At(band.left + 1, band.bottom - 2);
    EXPECT_TRUE(Near(top, RGB(100, 100, 255), 24)) << std::hex << top;
    EXPECT_TRUE(Near(bottom, RGB(0, 0, 0), 24)) << std::hex << bottom;
    int whitePixels = 0;
    for (int y = band.top + 30; y < band.bottom - 5; ++y)
        for (int x = band.left; x < band.right; ++x)
            whitePixels += shot.At(x, y) == RGB(255, 255, 255);
    EXPECT_GT(whitePixels, 20);
    bool iconDrawn = false;
    for (int y = band.top + 3; y < band.top + 27; ++y)
        for (int x = band.left + 3; x < band.left + 27; ++x)
            iconDrawn |= !Near(shot.At(x, y), shot.At(band.left + 1, y), 40);
    EXPECT_TRUE(iconDrawn);

    // Down highlights the first item; Enter sends Create Motion Tween to the view, which tweens
    // the span under the top selected row.
    const int stepsBefore = s_doc->GetUndoManager().GetStepCount();
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    const DWORD start = ::GetTickCount();
    while (TrackedMenu() && ::GetTickCount() - start < kMenuTimeoutMs)
        Pump(20);
    Pump(50);
    EXPECT_EQ(nullptr, TrackedMenu());
    EXPECT_TRUE(s_doc->GetLayer(1)->FindSpan(4)->IsMotionTween());
    EXPECT_EQ(stepsBefore + 1, s_doc->GetUndoManager().GetStepCount());
}

// The layer commands of the menu reach the document through the view's routing.
TEST_F(TimelineMenu, InsertLayerFromTheMenuReachesTheDocument)
{
    Grid().SetFocusCell(1, 1);
    s_pView->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Grid().GetSafeHwnd()),
                         MAKELPARAM(CellOnScreen(1, 1).x, CellOnScreen(1, 1).y));
    CExtPopupMenuWnd* pMenu = WaitForMenu();
    ASSERT_NE(nullptr, pMenu);
    const int index = pMenu->FindItemByCommand(ID_TIMELINE_INSERT_LAYER);
    ASSERT_GE(index, 0);
    pMenu->HighlightItem(index, false, true, true);
    const int layersBefore = s_doc->GetLayerCount();
    PressKey(VK_RETURN);
    Pump(100);
    EXPECT_EQ(layersBefore + 1, s_doc->GetLayerCount());
}

TEST_F(TimelineMenu, NoMenuWithoutFocusOrSelection)
{
    Grid().SetFocusCell(-1, -1);
    Grid().SelectRange(-1, -1, -1, -1);
    ASSERT_FALSE(Grid().GetSelectionRange().IsValid());
    const CPoint at = CellOnScreen(1, 2);
    s_pView->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Grid().GetSafeHwnd()), MAKELPARAM(at.x, at.y));
    Pump(100);
    EXPECT_EQ(nullptr, TrackedMenu());
}

// The keyboard's request carries no point: the menu opens at the focus cell, or at the
// selection's first cell while the focus is cleared.
TEST_F(TimelineMenu, KeyboardMenuOpensAtTheFocusCell)
{
    const struct {
        const char* what;
        CGridCellId focus;
        CGridCellId selected;
        CGridCellId expected;
    } cases[] = {
        {"focus", {2, 40}, {2, 40}, {2, 40}},
        {"selection only", {-1, -1}, {1, 25}, {1, 25}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Grid().SelectRange(c.selected.row, c.selected.col, c.selected.row, c.selected.col);
        Grid().SetFocusCell(c.focus.row, c.focus.col);
        s_pView->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Grid().GetSafeHwnd()), MAKELPARAM(-1, -1));
        CExtPopupMenuWnd* pMenu = WaitForMenu();
        ASSERT_NE(nullptr, pMenu);
        CRect window;
        pMenu->GetWindowRect(&window);
        const CPoint anchor = CellOnScreen(c.expected.row, c.expected.col);
        EXPECT_NEAR(anchor.x, window.left, 4);
        EXPECT_GT(window.left, 100);
        CExtPopupMenuWnd::EndActiveTracking();
        Pump(50);
    }
}
