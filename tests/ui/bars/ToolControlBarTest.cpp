#include "ToolBarTestFrame.h"

#include "DragInputScript.h"
#include "tests/support/ScreenImage.h"
#include "ui/bars/ExtBarContentExpandButton.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"
#include "ui/core/ExtPaintManagerXP.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace
{
constexpr UINT kCmd = CToolBarTestFrame::FIRST_CMD;
constexpr COLORREF kIconColor = RGB(200, 30, 30);

// Indexes of the buttons shown, and of those the chevron lists, in order.
std::vector<int> ShownButtons(CExtToolControlBar* pBar)
{
    std::vector<int> shown;
    for (int i = 0; i < pBar->GetButtonCount(); ++i)
        if (pBar->GetButtonByIndex(i) != pBar->GetContentExpandButton() && pBar->GetButtonByIndex(i)->IsVisible())
            shown.push_back(i);
    return shown;
}

std::vector<int> ChevronList(CExtToolControlBar* pBar)
{
    std::vector<int> listed;
    CArray<CExtBarButton*, CExtBarButton*>& buttons = pBar->GetContentExpandButton()->GetButtons();
    for (INT_PTR i = 0; i < buttons.GetSize(); ++i)
        listed.push_back(pBar->FindButtonIndex(buttons[i]));
    return listed;
}

// The bar's client area as drawn, read from a DIB.
class CClientPixels
{
public:
    explicit CClientPixels(CWnd* pWnd)
    {
        pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        CRect rc;
        pWnd->GetClientRect(&rc);
        m_cx = rc.Width();
        m_cy = rc.Height();
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = m_cx;
        bmi.bmiHeader.biHeight = -m_cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        HDC hWndDC = ::GetDC(pWnd->GetSafeHwnd());
        HBITMAP hDib = ::CreateDIBSection(hWndDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        HDC hMem = ::CreateCompatibleDC(hWndDC);
        HGDIOBJ hOld = ::SelectObject(hMem, hDib);
        ::BitBlt(hMem, 0, 0, m_cx, m_cy, hWndDC, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* pPixels = static_cast<const DWORD*>(pBits);
        m_pixels.assign(pPixels, pPixels + static_cast<size_t>(m_cx) * static_cast<size_t>(m_cy));
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
        ::DeleteObject(hDib);
        ::ReleaseDC(pWnd->GetSafeHwnd(), hWndDC);
    }
    COLORREF At(POINT pt) const
    {
        if (pt.x < 0 || pt.y < 0 || pt.x >= m_cx || pt.y >= m_cy)
            return CLR_INVALID;
        const DWORD px = m_pixels[static_cast<size_t>(pt.y) * static_cast<size_t>(m_cx) + static_cast<size_t>(pt.x)];
        return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
    }

private:
    int m_cx = 0;
    int m_cy = 0;
    std::vector<DWORD> m_pixels;
};

class ToolBarTest : public ::testing::Test
{
protected:
    // Commands kCmd + 0 .. + 9, each with its own icon colour; kCmd + 9 opens a menu.
    void SetUp() override
    {
        for (UINT i = 0; i < 10; ++i)
            m_frame.AddCommand(kCmd + i, i == 0 ? kIconColor : RGB(20 * i, 120, 200 - 10 * i), "",
                               ("Tip " + std::to_string(i)).c_str());
    }
    CExtToolControlBar* Dock(const std::vector<UINT>& ids)
    {
        CExtToolControlBar* pBar = m_frame.DockToolBar(ids);
        for (int i = 0; i < pBar->GetButtonCount(); ++i)
            if (pBar->GetButtonID(i) == kCmd + 9)
                pBar->SetButtonMenu(i, ::CreatePopupMenu(), false, true, false);
        m_frame.Settle();
        return pBar;
    }
    CToolBarTestFrame m_frame;
};

TEST_F(ToolBarTest, IndexQueriesOutOfRangeAnswerNothing)
{
    CExtToolControlBar* pBar = Dock({kCmd, 0, kCmd + 1});
    ASSERT_EQ(4, pBar->GetButtonCount()) << "three buttons and the chevron";
    ASSERT_EQ(pBar->GetButtonByIndex(3), pBar->GetContentExpandButton());
    for (int nBad : {-1, 4, 100}) {
        EXPECT_EQ(nullptr, pBar->GetButtonByIndex(nBad)) << nBad;
        EXPECT_EQ(0U, pBar->GetButtonID(nBad)) << nBad;
        EXPECT_TRUE(pBar->GetButtonRect(nBad).IsRectEmpty()) << nBad;
        EXPECT_FALSE(pBar->RemoveButton(nBad)) << nBad;
        EXPECT_FALSE(pBar->SetButtonMenu(nBad, nullptr)) << nBad;
        EXPECT_FALSE(pBar->SetButtonAppendMdiWindows(nBad)) << nBad;
        pBar->SetButtonStyleAt(nBad, TBBS_DISABLED);
        pBar->InvalidateButton(nBad);
        pBar->UpdateButtonCmdUI(nBad);
    }
    EXPECT_EQ(-1, pBar->FindButtonIndex(nullptr));
    CExtBarButton stranger(pBar, kCmd, 0);
    EXPECT_EQ(-1, pBar->FindButtonIndex(&stranger));
    EXPECT_FALSE(pBar->InsertButton(5, kCmd)) << "past the count";
    EXPECT_EQ(4, pBar->GetButtonCount());
}

TEST_F(ToolBarTest, InsertionsAtTheEndGoBeforeTheChevronWhichCannotBeRemoved)
{
    CExtToolControlBar* pBar = Dock({kCmd, kCmd + 1});
    EXPECT_TRUE(pBar->InsertButton(-1, kCmd + 2, false));
    EXPECT_TRUE(pBar->InsertButton(pBar->GetButtonCount(), kCmd + 3, false));
    EXPECT_TRUE(pBar->InsertButton(0, kCmd + 4, false));
    const std::vector<UINT> expected = {kCmd + 4, kCmd, kCmd + 1, kCmd + 2, kCmd + 3};
    ASSERT_EQ(6, pBar->GetButtonCount());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expected[static_cast<size_t>(i)], pBar->GetButtonID(i)) << i;
    EXPECT_EQ(pBar->GetContentExpandButton(), pBar->GetButtonByIndex(5));
    EXPECT_FALSE(pBar->RemoveButton(5));
    EXPECT_TRUE(pBar->RemoveButton(0));
    EXPECT_EQ(kCmd, pBar->GetButtonID(0));
}

TEST_F(ToolBarTest, EmptyIdListsAndAMissingResourceLeaveTheBarEmpty)
{
    CExtToolControlBar* pBar = Dock({kCmd});
    const UINT ids[] = {kCmd};
    EXPECT_TRUE(pBar->AssignButtonIds(nullptr, 3));
    EXPECT_EQ(0, pBar->GetButtonCount()) << "not even a chevron";
    EXPECT_EQ(nullptr, pBar->GetContentExpandButton());
    EXPECT_TRUE(pBar->AssignButtonIds(ids, 0));
    EXPECT_EQ(0, pBar->GetButtonCount());
    EXPECT_TRUE(pBar->AssignButtonIds(ids, 1));
    EXPECT_EQ(2, pBar->GetButtonCount());
    EXPECT_FALSE(pBar->LoadButtonsFromResource(0x7FF0));
    EXPECT_EQ(0, pBar->GetButtonCount());
    // Layout and painting of an empty bar.
    EXPECT_EQ(pBar->GetDefaultButtonSize().cy, pBar->CalcSize(false).cy);
    pBar->RecalcButtonPositions();
    m_frame.Settle();
}

TEST_F(ToolBarTest, ADockedBarNeverWrapsAndKeepsItsButtonsInOneRow)
{
    CExtToolControlBar* pBar = Dock({kCmd, kCmd + 1, 0, kCmd + 2, kCmd + 9, kCmd + 3});
    const CSize size = pBar->CalcFixedLayout(FALSE, TRUE);
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    int nTop = -1;
    int nRight = 0;
    for (int i = 0; i < pBar->GetButtonCount(); ++i) {
        EXPECT_FALSE(pBar->GetButtonByIndex(i)->IsWrap(CExtToolControlBar::WRAP_MODE_HORZ)) << i;
        if (pBar->GetButtonByIndex(i)->IsSeparator() || pBar->GetButtonByIndex(i) == pBar->GetContentExpandButton())
            continue;
        const CRect rc = pBar->GetButtonRect(i);
        if (nTop < 0)
            nTop = rc.top;
        EXPECT_EQ(nTop, rc.top) << i;
        EXPECT_GE(rc.left, nRight) << "in order, without overlap: " << i;
        nRight = rc.right;
    }
    EXPECT_LE(nRight, rcClient.right);
    EXPECT_EQ(ShownButtons(pBar), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_LT(size.cy, 2 * pBar->GetDefaultButtonSize().cy) << "one row high";
    EXPECT_TRUE(ChevronList(pBar).empty());
}

// The row gives a docked bar the size it asks for: every button fits beside the chevron, in the
// themes that leave a redraw margin before it too.
TEST(ToolBarThemes, ADockedBarAtItsOwnSizeShowsEveryButton)
{
    for (CRuntimeClass* pTheme : {RUNTIME_CLASS(CExtPaintManagerXP), RUNTIME_CLASS(CExtPaintManagerStudio2005)}) {
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(pTheme));
        CToolBarTestFrame frame;
        for (UINT i = 0; i < 4; ++i)
            frame.AddCommand(kCmd + i, RGB(40 * i, 120, 120));
        CExtToolControlBar* pBar = frame.DockToolBar({kCmd, kCmd + 1, 0, kCmd + 2, kCmd + 3});
        frame.Settle();
        EXPECT_EQ(ShownButtons(pBar), (std::vector<int>{0, 1, 2, 3, 4})) << pTheme->m_lpszClassName;
        EXPECT_TRUE(ChevronList(pBar).empty()) << pTheme->m_lpszClassName;
    }
    g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP));
}

TEST_F(ToolBarTest, NarrowDockedBarShowsWhatFitsAndListsTheRestInItsChevron)
{
    // Buttons are 28 wide, the drop-down (kCmd + 9) 39, a separator 6; the area ends 1 (border)
    // + 11 (chevron) before the client's right edge.
    struct Case
    {
        const char* pszWhat;
        std::vector<UINT> ids;
        int nAreaWidth;
        std::vector<int> shown;
        std::vector<int> listed;
    };
    const Case cases[] = {
        {"everything fits", {kCmd, kCmd + 1, 0, kCmd + 2}, 90, {0, 1, 2, 3}, {}},
        {"the last one goes", {kCmd, kCmd + 1, 0, kCmd + 2}, 89, {0, 1}, {3}},
        {"a later smaller button fills the gap of a wider one", {kCmd, kCmd + 1, kCmd + 9, kCmd + 2}, 90, {0, 1, 3},
         {2}},
        {"separators between listed groups that are not neighbours",
         {kCmd, kCmd + 1, 0, kCmd + 9, kCmd + 2, 0, kCmd + 9, kCmd + 3},
         90,
         {0, 1, 2, 4},
         {3, 5, 6, 7}},
        {"a separator never ends what shows", {kCmd, kCmd + 1, 0, kCmd + 2, kCmd + 3}, 70, {0, 1}, {3, 4}},
    };
    for (const Case& c : cases) {
        CToolBarTestFrame frame;
        for (UINT i = 0; i < 10; ++i)
            frame.AddCommand(kCmd + i, RGB(20 * i, 120, 120));
        CExtToolControlBar* pBar = frame.DockToolBar(c.ids);
        for (int i = 0; i < pBar->GetButtonCount(); ++i)
            if (pBar->GetButtonID(i) == kCmd + 9)
                pBar->SetButtonMenu(i, ::CreatePopupMenu(), false, true, false);
        frame.SetBarClientWidth(pBar, c.nAreaWidth + 2 + CExtBarContentExpandButton::EXTENT);
        EXPECT_EQ(c.shown, ShownButtons(pBar)) << c.pszWhat;
        EXPECT_EQ(c.listed, ChevronList(pBar)) << c.pszWhat;
        EXPECT_TRUE(pBar->GetContentExpandButton()->IsVisible()) << c.pszWhat;
        const CRect rcChevron = pBar->GetContentExpandButton()->GetRect();
        for (int i : ShownButtons(pBar))
            EXPECT_LE(pBar->GetButtonRect(i).right, rcChevron.left) << c.pszWhat << ": button " << i;
    }
}

TEST_F(ToolBarTest, HiddenButtonsAndTheSeparatorBeforeThemTakeNoPart)
{
    CExtToolControlBar* pBar = Dock({kCmd, 0, kCmd + 1, kCmd + 2, kCmd + 3, kCmd + 4});
    const int nWidth = pBar->CalcSize(false).cx;
    pBar->SetButtonStyleAt(2, TBBS_HIDDEN);
    m_frame.Settle();
    EXPECT_EQ(nWidth - 28 - 6, pBar->CalcSize(false).cx);
    EXPECT_EQ(ShownButtons(pBar), (std::vector<int>{0, 3, 4, 5}));
    const CPoint ptWhereItWas = pBar->GetButtonRect(2).CenterPoint();
    EXPECT_NE(2, pBar->HitTest(ptWhereItWas));
    // Room for two buttons: the third and fourth shown ones go into the chevron, the hidden one not.
    m_frame.SetBarClientWidth(pBar, 60 + 2 + CExtBarContentExpandButton::EXTENT);
    EXPECT_EQ(ShownButtons(pBar), (std::vector<int>{0, 3}));
    EXPECT_EQ(ChevronList(pBar), (std::vector<int>{4, 5})) << "a hidden button is never listed";
}

TEST_F(ToolBarTest, FloatingBarShrinkWrapsToTheNarrowestWidthWithTheSameRows)
{
    CExtToolControlBar* pBar = Dock({kCmd, kCmd + 1, kCmd + 2, 0, kCmd + 3, kCmd + 4, kCmd + 5, kCmd + 6});
    m_frame.Frame()->FloatControlBar(pBar, CPoint(200, 300));
    m_frame.Settle();
    ASSERT_TRUE(pBar->IsFloating());
    EXPECT_FALSE(pBar->GetContentExpandButton()->IsVisible()) << "a floating bar shows no chevron";
    // Seven buttons of 28 and a separator of 6 in one row; the rest is borders and padding.
    const int nOneRow = pBar->CalcDynamicLayout(0x7FFF, LM_HORZ).cx;
    const int nPadding = nOneRow - (7 * 28 + 6);
    int nPreviousHeight = 0;
    for (int nWidth : {nOneRow, nOneRow - 20, 150, 100, 60, 30, 1}) {
        const CSize size = pBar->CalcDynamicLayout(nWidth, LM_HORZ);
        EXPECT_LE(size.cx, std::max(nWidth, 28 + nPadding)) << nWidth;
        EXPECT_GE(size.cy, nPreviousHeight) << "narrower never gives fewer rows: " << nWidth;
        nPreviousHeight = size.cy;
        EXPECT_EQ(size, pBar->CalcDynamicLayout(size.cx, LM_HORZ)) << "its own width keeps it: " << nWidth;
        if (size.cx > 28 + nPadding) {
            EXPECT_GT(pBar->CalcDynamicLayout(size.cx - nPadding - 1, LM_HORZ).cy, size.cy)
                << "a pixel less for the buttons adds a row: " << nWidth;
        }
    }
    // Very narrow: one button per row, no separator row.
    pBar->CalcDynamicLayout(1, LM_HORZ);
    int nRows = 1;
    for (int i = 0; i + 1 < pBar->GetButtonCount(); ++i)
        if (pBar->GetButtonByIndex(i)->IsWrap(CExtToolControlBar::WRAP_MODE_FLOATING))
            ++nRows;
    EXPECT_EQ(7, nRows);
}

TEST_F(ToolBarTest, ToolsBarStandsInTwoColumnsWhereverItDocks)
{
    std::vector<UINT> ids;
    for (UINT i = 0; i < 10; ++i)
        ids.push_back(kCmd + i);
    const auto twoColumns = [](CExtToolControlBar* pBar) {
        pBar->SetFixedColumn(true);
    };
    for (UINT nSide : {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_TOP}) {
        CExtToolControlBar* pBar = m_frame.DockToolBar(ids, nSide, twoColumns);
        for (int nMode : {0, 1, 2})
            for (int i = 1; i < 10; i += 2)
                pBar->GetButtonByIndex(i)->SetWrapFlag(nMode, true);
        pBar->RequestFrameLayout();
        m_frame.Settle();
        EXPECT_EQ(nullptr, pBar->GetContentExpandButton()) << "no chevron";
        ASSERT_EQ(10, pBar->GetButtonCount());
        for (int i = 0; i < 10; i += 2) {
            const CRect rcLeft = pBar->GetButtonRect(i);
            const CRect rcRight = pBar->GetButtonRect(i + 1);
            EXPECT_EQ(rcLeft.top, rcRight.top) << nSide << " row " << i / 2;
            EXPECT_EQ(rcLeft.right, rcRight.left) << nSide << " row " << i / 2;
            EXPECT_EQ(28, rcLeft.Width()) << "laid out horizontally";
            if (i > 0) {
                EXPECT_GT(rcLeft.top, pBar->GetButtonRect(i - 2).top) << nSide << " row " << i / 2;
            }
            EXPECT_TRUE(pBar->GetButtonByIndex(i + 1)->IsWrap(pBar->GetWrapMode())) << "wrap flags survive";
        }
        EXPECT_EQ(ShownButtons(pBar).size(), 10U);
        if (nSide != AFX_IDW_DOCKBAR_LEFT)
            continue;
        m_frame.Frame()->FloatControlBar(pBar, CPoint(500, 200));
        m_frame.Settle();
        ASSERT_TRUE(pBar->IsFloating());
        EXPECT_EQ(pBar->GetButtonRect(0).top, pBar->GetButtonRect(1).top) << "floating, still two columns";
        EXPECT_GT(pBar->GetButtonRect(2).top, pBar->GetButtonRect(0).top);
    }
}

TEST_F(ToolBarTest, FloatingFixedColumnBarIsMovedNotResizedByItsBorders)
{
    const std::vector<UINT> ids{kCmd, kCmd + 1, kCmd + 2, kCmd + 3};
    for (const bool bFixedColumn : {true, false}) {
        CExtToolControlBar* pBar = m_frame.DockToolBar(ids, AFX_IDW_DOCKBAR_TOP, [&](CExtToolControlBar* pNew) {
            pNew->SetFixedColumn(bFixedColumn);
        });
        m_frame.Frame()->FloatControlBar(pBar, CPoint(500, 200 + (bFixedColumn ? 0 : 200)));
        m_frame.Settle();
        ASSERT_TRUE(pBar->IsFloating());
        CWnd* pFloating = pBar->GetParentFrame();
        CRect rc;
        pFloating->GetWindowRect(&rc);
        const struct
        {
            CPoint pt;
            LRESULT nResizeCode;
        } borders[] = {
            {{rc.left + 1, rc.CenterPoint().y}, HTLEFT},
            {{rc.right - 2, rc.CenterPoint().y}, HTRIGHT},
            {{rc.CenterPoint().x, rc.bottom - 2}, HTBOTTOM},
            {{rc.right - 2, rc.bottom - 2}, HTBOTTOM},
        };
        for (const auto& border : borders) {
            const LRESULT nHit = pFloating->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(border.pt.x, border.pt.y));
            EXPECT_EQ(bFixedColumn ? HTCAPTION : border.nResizeCode, nHit)
                << (bFixedColumn ? "fixed columns" : "wrapping bar") << " at " << border.pt.x << "," << border.pt.y;
        }
    }
}

TEST_F(ToolBarTest, UpdateHandlersGreyCheckAndMarkButtonsAsSeenInPixels)
{
    CExtToolControlBar* pBar = Dock({kCmd, kCmd, kCmd, kCmd});
    auto& states = m_frame.Frame()->m_states;
    struct Case
    {
        const char* pszWhat;
        CCommandRecordingFrame::UpdateState state;
        DWORD dwStyleBits;
        bool bIconColorShows;
    };
    const Case cases[] = {
        {"enabled", {true, 0}, TBBS_CHECKBOX, true},
        {"disabled", {false, 0}, TBBS_CHECKBOX | TBBS_DISABLED, false},
        {"checked", {true, 1}, TBBS_CHECKBOX | TBBS_CHECKED, true},
        {"indeterminate", {true, 2}, TBBS_CHECKBOX | TBBS_INDETERMINATE, true},
    };
    const CPoint ptIcon = pBar->GetButtonRect(0).CenterPoint();
    const CPoint ptFace(pBar->GetButtonRect(0).left + 3, pBar->GetButtonRect(0).top + 3);
    const COLORREF clrPlainFace = CClientPixels(pBar).At(ptFace);
    for (const Case& c : cases) {
        states[kCmd] = c.state;
        pBar->OnUpdateCmdUI(m_frame.Frame(), TRUE);
        EXPECT_EQ(c.dwStyleBits, pBar->GetButtonByIndex(0)->GetStyle()) << c.pszWhat;
        const CClientPixels pixels(pBar);
        EXPECT_EQ(c.bIconColorShows, pixels.At(ptIcon) == kIconColor) << c.pszWhat;
        EXPECT_EQ(c.state.nCheck != 1, pixels.At(ptFace) == clrPlainFace) << c.pszWhat << ": a checked face differs";
    }
}

// Clicks sent by SendInput: a press and release over a button runs its command, a release
// elsewhere runs nothing and leaves the button's other state bits alone.
TEST_F(ToolBarTest, ClickRunsTheCommandOnReleaseOverTheButtonOnly)
{
    CExtToolControlBar* pBar = Dock({kCmd, kCmd + 1, kCmd + 2});
    auto screenPoint = [pBar](int nIndex) {
        CPoint pt = pBar->GetButtonRect(nIndex).CenterPoint();
        pBar->ClientToScreen(&pt);
        return pt;
    };
    const CPoint ptFirst = screenPoint(0);
    const CPoint ptOff(ptFirst.x, ptFirst.y + 200);
    // kCmd + 150 has neither item nor update handler: without auto-disabling it stays enabled.
    m_frame.Frame()->m_bAutoMenuEnable = FALSE;
    ASSERT_TRUE(pBar->InsertButton(3, kCmd + 150));
    m_frame.Settle();
    const CPoint ptFree = screenPoint(3);
    struct Case
    {
        const char* pszWhat;
        DWORD dwStyleBefore;
        std::vector<POINT> path;
        std::vector<UINT> commands;
        DWORD dwStyleAfter;
    };
    const Case cases[] = {
        {"press and release over the button", 0, {ptFirst}, {kCmd}, TBBS_CHECKBOX | TBBS_CHECKED},
        {"released off the button", 0, {ptFirst, ptOff}, {}, TBBS_CHECKBOX | TBBS_CHECKED},
        {"moved off and back", 0, {ptFirst, ptOff, ptFirst}, {kCmd}, TBBS_CHECKBOX | TBBS_CHECKED},
        {"a check box toggles and loses indeterminate", TBBS_CHECKBOX | TBBS_INDETERMINATE, {ptFree}, {kCmd + 150},
         TBBS_CHECKBOX | TBBS_CHECKED},
        {"and toggles back", TBBS_CHECKBOX | TBBS_CHECKED, {ptFree}, {kCmd + 150}, TBBS_CHECKBOX},
        {"released off a check box keeps its check", TBBS_CHECKBOX | TBBS_CHECKED, {ptFree, ptOff}, {},
         TBBS_CHECKBOX | TBBS_CHECKED},
    };
    m_frame.Frame()->m_states[kCmd] = {true, 1};
    for (const Case& c : cases) {
        const int nIndex = c.path[0].x == ptFree.x ? 3 : 0;
        pBar->OnUpdateCmdUI(m_frame.Frame(), FALSE);
        if (c.dwStyleBefore != 0)
            pBar->SetButtonStyleAt(nIndex, c.dwStyleBefore);
        m_frame.Frame()->m_commands.clear();
        std::vector<InputStep> steps = {InputStep::Move(c.path[0].x, c.path[0].y), InputStep::Down()};
        for (size_t i = 1; i < c.path.size(); ++i)
            steps.push_back(InputStep::Move(c.path[i].x, c.path[i].y));
        steps.push_back(InputStep::Up());
        // Far enough apart in time that the next press is no double click.
        steps.push_back(InputStep::Move(ptOff.x, ptOff.y));
        steps.push_back(InputStep::Wait(::GetDoubleClickTime()));
        CInputScript script(steps);
        script.Start();
        script.Finish();
        EXPECT_EQ(c.commands, m_frame.Frame()->m_commands) << c.pszWhat;
        EXPECT_EQ(c.dwStyleAfter, pBar->GetButtonByIndex(nIndex)->GetStyle()) << c.pszWhat;
        EXPECT_EQ(-1, pBar->GetCapturedButton()) << c.pszWhat;
    }
}

// Menus opened from drop-down buttons: a press opens the button's menu, moving onto another
// drop-down switches to its menu, Escape closes it and every bar forgets the tracking.
TEST_F(ToolBarTest, DropDownOpensItsMenuAndMovingOntoAnotherSwitches)
{
    // A menu ignores the mouse until its opening animation ends, which a loaded machine draws
    // late: without it, the move onto the other button counts whenever it comes.
    struct CNoAnimation {
        const int nSaved = CExtPopupBaseWnd::g_nDefaultPopupAnimation;
        CNoAnimation() { CExtPopupBaseWnd::g_nDefaultPopupAnimation = CExtPopupBaseWnd::ANIMATION_NONE; }
        ~CNoAnimation() { CExtPopupBaseWnd::g_nDefaultPopupAnimation = nSaved; }
    } noAnimation;
    CExtToolControlBar* pBar = Dock({kCmd, kCmd + 9, kCmd + 1, kCmd + 8});
    for (int nIndex : {1, 3}) {
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, kCmd + 20 + nIndex, "First");
        ::AppendMenuA(hMenu, MF_STRING, kCmd + 30 + nIndex, "Second");
        ASSERT_TRUE(pBar->SetButtonMenu(nIndex, hMenu));
    }
    m_frame.Settle();
    auto screenPoint = [pBar](int nIndex) {
        CPoint pt = pBar->GetButtonRect(nIndex).CenterPoint();
        pBar->ClientToScreen(&pt);
        return pt;
    };
    struct Seen
    {
        std::atomic<int> nTracking{-2};
        std::atomic<bool> bFlag{false};
        std::atomic<bool> bPopup{false};
    };
    Seen seen[3];
    auto look = [pBar](Seen& s) {
        return InputStep::Call([pBar, &s] {
            s.nTracking = pBar->GetMenuTrackingButton();
            s.bFlag = CExtToolControlBar::g_bButtonMenuTracking;
            s.bPopup = CExtPopupMenuWnd::IsTrackingActive();
        });
    };
    const CPoint ptFirst = screenPoint(1);
    const CPoint ptSecond = screenPoint(3);
    const auto tracking = [pBar](int nIndex) {
        return InputStep::WaitFor([pBar, nIndex] {
            return pBar->GetMenuTrackingButton() == nIndex && CExtPopupMenuWnd::IsTrackingActive() == (nIndex >= 0) &&
                   CExtToolControlBar::g_bButtonMenuTracking == (nIndex >= 0);
        });
    };
    CInputScript script({InputStep::Move(ptFirst.x, ptFirst.y), InputStep::Down(), InputStep::Up(), tracking(1),
                         look(seen[0]), InputStep::Move(screenPoint(2).x, ptSecond.y),
                         InputStep::Move(ptSecond.x, ptSecond.y), tracking(3), look(seen[1]),
                         InputStep::KeyDown(VK_ESCAPE), InputStep::KeyUp(VK_ESCAPE), tracking(-1), look(seen[2])});
    script.Start();
    script.Finish();
    const int expectedIndex[] = {1, 3, -1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(expectedIndex[i], seen[i].nTracking.load()) << "step " << i;
        EXPECT_EQ(i < 2, seen[i].bFlag.load()) << "step " << i;
        EXPECT_EQ(i < 2, seen[i].bPopup.load()) << "step " << i;
    }
    EXPECT_EQ(0U, pBar->GetButtonByIndex(1)->GetStyle() & TBBS_PRESSED) << "the first drop-down is raised again";
    EXPECT_EQ(0U, pBar->GetButtonByIndex(3)->GetStyle() & TBBS_PRESSED) << "and so is the second";
    EXPECT_TRUE(m_frame.Frame()->m_commands.empty()) << "opening a menu runs no command";
}

// The chevron's menu: listed buttons (drop-downs as submenus), separators only between them, and
// the frame's bars under "&Show/hide panels".
TEST_F(ToolBarTest, ChevronMenuListsWhatDidNotFitAndTheFramesBars)
{
    struct Case
    {
        const char* pszWhat;
        int nClientWidth;
        std::vector<std::string> items;
    };
    const std::string sBars = "&Show/hide panels";
    const Case cases[] = {
        {"nothing hidden", 0, {sBars}},
        {"two groups and a drop-down", 60 + 2 + CExtBarContentExpandButton::EXTENT,
         {"cmd 1", "cmd 2", "", "cmd 9", "cmd 3", "", sBars}},
    };
    for (const Case& c : cases) {
        CToolBarTestFrame frame;
        for (UINT i = 0; i < 10; ++i)
            frame.AddCommand(kCmd + i, RGB(20 * i, 120, 120), ("cmd " + std::to_string(i)).c_str());
        CExtToolControlBar* pBar = frame.DockToolBar({kCmd, 0, kCmd + 1, kCmd + 2, 0, kCmd + 9, kCmd + 3});
        pBar->SetButtonMenu(5, ::CreatePopupMenu(), false, true, false);
        if (c.nClientWidth > 0)
            frame.SetBarClientWidth(pBar, c.nClientWidth);
        CExtBarContentExpandButton* pChevron = pBar->GetContentExpandButton();
        pChevron->OnTrackPopup(pChevron->GetRect().CenterPoint(), false, false);
        CExtPopupMenuWnd* pPopup = g_PopupMenuTrackingState.m_pTrackedPopup;
        ASSERT_NE(nullptr, pPopup) << c.pszWhat;
        EXPECT_EQ(pBar->FindButtonIndex(pChevron), pBar->GetMenuTrackingButton()) << c.pszWhat;
        std::vector<std::string> items;
        for (int i = 0; i < pPopup->CountItems(); ++i) {
            CString sText;
            pPopup->GetItemText(sText, i);
            items.emplace_back(sText.GetString());
        }
        EXPECT_EQ(c.items, items) << c.pszWhat;
        EXPECT_NE(nullptr, pPopup->GetSubmenuAt(static_cast<int>(items.size()) - 1)) << c.pszWhat;
        CExtToolControlBar::CancelAllBarsMenuTracking();
        PumpMessagesFor(30);
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive()) << c.pszWhat;
        EXPECT_EQ(-1, pBar->GetMenuTrackingButton()) << c.pszWhat;
    }
}

TEST_F(ToolBarTest, ChevronTooltipAsksWhereTheButtonsAre)
{
    CExtToolControlBar* pBar = Dock({kCmd});
    CExtBarContentExpandButton* pChevron = pBar->GetContentExpandButton();
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    EXPECT_EQ(static_cast<INT_PTR>(0xE001), pChevron->OnToolHitTest(CPoint(0, 0), &info));
    EXPECT_STREQ("Where are buttons?", info.lpszText);
    ::free(info.lpszText);
    EXPECT_EQ(-1, pChevron->OnToolHitTest(CPoint(0, 0), nullptr));
}

// The help loop of a drop-down opened in context-help mode: a command or system command gives its
// help id; a WM_QUIT it meets goes back into the queue for the application's own loop.
TEST_F(ToolBarTest, HelpMenuLoopAnswersHelpIdsAndKeepsAQuit)
{
    CExtToolControlBar* pBar = Dock({kCmd});
    const HWND hWndFrame = m_frame.Frame()->GetSafeHwnd();
    struct Case
    {
        const char* pszWhat;
        bool bHelpMode;
        UINT nMessage;
        WPARAM wParam;
        int nExpected;
    };
    constexpr int kQuitCode = 7;
    const Case cases[] = {
        {"outside help mode", false, WM_COMMAND, kCmd, -3},
        {"a menu command", true, WM_COMMAND, kCmd, static_cast<int>(kCmd)},
        {"closing the window", true, WM_SYSCOMMAND, SC_CLOSE, 0x1EF06},
        {"another system command", true, WM_SYSCOMMAND, SC_KEYMENU, SC_KEYMENU},
        {"a quit", true, WM_QUIT, kQuitCode, -3},
    };
    for (const Case& c : cases) {
        PumpMessagesFor(0);
        m_frame.Frame()->m_bHelpMode = c.bHelpMode;
        if (c.nMessage == WM_QUIT)
            ::PostQuitMessage(kQuitCode);
        else
            ::PostMessageA(hWndFrame, c.nMessage, c.wParam, 0);
        EXPECT_EQ(c.nExpected, pBar->RunHelpMenuLoop()) << c.pszWhat;
        EXPECT_FALSE(CExtToolControlBar::g_bHelpMenuLoopActive) << c.pszWhat;
        MSG msg;
        if (c.nMessage == WM_QUIT) {
            ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is still queued";
            EXPECT_EQ(static_cast<WPARAM>(kQuitCode), msg.wParam);
        }
        while (::PeekMessageA(&msg, hWndFrame, c.nMessage, c.nMessage, PM_REMOVE)) {
        }
    }
    m_frame.Frame()->m_bHelpMode = FALSE;
}

TEST(ToolBarKeyboard, MnemonicsAndKeyboardOrder)
{
    CToolBarTestFrame frame;
    const char* texts[] = {"&Open", "Sa&ve", "End&", "&&Not", "&quit"};
    std::vector<UINT> ids;
    for (UINT i = 0; i < 5; ++i) {
        frame.AddCommand(kCmd + i, RGB(9, 9, 9), texts[i]);
        ids.push_back(kCmd + i);
    }
    CExtToolControlBar* pBar = frame.DockToolBar(ids);
    struct MnemonicCase
    {
        char ch;
        int nExpected;
    };
    const MnemonicCase mnemonics[] = {{'O', 0}, {'V', 1}, {'E', -1}, {'N', -1}, {'&', 3}, {'Q', 4}, {'X', -1}};
    for (const MnemonicCase& c : mnemonics)
        EXPECT_EQ(c.nExpected, pBar->FindButtonByMnemonic(c.ch)) << c.ch;
    pBar->SetButtonStyleAt(4, TBBS_HIDDEN);
    EXPECT_EQ(-1, pBar->FindButtonByMnemonic('Q')) << "a hidden button has no mnemonic";

    pBar->SetButtonStyleAt(1, TBBS_DISABLED);
    struct StepCase
    {
        int nFrom;
        bool bForward;
        bool bSkipDisabled;
        int nExpected;
    };
    // Buttons 0..3 and the chevron (5); 4 is hidden, 1 disabled.
    const StepCase steps[] = {
        {0, true, false, 1}, {0, true, true, 2}, {3, true, true, 5}, {5, true, true, 0}, {0, false, true, 5},
        {2, false, true, 0},
    };
    for (const StepCase& c : steps)
        EXPECT_EQ(c.nExpected, pBar->FindNextButtonForKeyboard(c.nFrom, c.bForward, c.bSkipDisabled))
            << c.nFrom << (c.bForward ? " forward" : " backward") << (c.bSkipDisabled ? " skipping" : "");
}

TEST_F(ToolBarTest, TooltipsComeFromTheButtonUnlessAMenuIsOpen)
{
    CExtToolControlBar* pBar = Dock({kCmd, 0, kCmd + 1});
    const CPoint ptButton = pBar->GetButtonRect(2).CenterPoint();
    EXPECT_EQ(static_cast<INT_PTR>(kCmd + 1), pBar->OnToolHitTest(ptButton, nullptr));
    EXPECT_EQ(-1, pBar->OnToolHitTest(pBar->GetButtonRect(1).CenterPoint(), nullptr)) << "a separator has none";
    pBar->SetTrackingButton(0);
    EXPECT_EQ(-1, pBar->OnToolHitTest(ptButton, nullptr)) << "no tips while a button's menu is open";
    pBar->SetTrackingButton(-1);
}

TEST_F(ToolBarTest, DockedBarWithChevronScreenshot)
{
    CExtToolControlBar* pBar = Dock({kCmd, kCmd + 1, 0, kCmd + 2, kCmd + 9, 0, kCmd + 3, kCmd + 4, kCmd + 5});
    m_frame.Frame()->m_states[kCmd + 1] = {true, 1};
    m_frame.Frame()->m_states[kCmd + 3] = {false, 0};
    pBar->OnUpdateCmdUI(m_frame.Frame(), TRUE);
    m_frame.SetBarClientWidth(pBar, 200);
    ASSERT_FALSE(ChevronList(pBar).empty());
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    rcBar.InflateRect(4, 4);
    EXPECT_TRUE(SaveScreenRectPng(rcBar, "tool-bar.png"));
}
} // namespace
