#include "tests/ui/bars/BarTestSupport.h"
#include "tests/support/ScreenImage.h"
#include "tests/ui/core/PopupTestSupport.h"

#include "platform/mfc/DockBar.h"
#include "ui/bars/ExtBarNcAreaButton.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"
#include "ui/core/ExtResourceManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace
{
constexpr UINT kTop = CExtControlBar::DOCKBAR_TOP;
constexpr UINT kLeft = CExtControlBar::DOCKBAR_LEFT;
constexpr UINT kIdA = 0x7101;
constexpr UINT kIdB = 0x7102;
constexpr UINT kIdC = 0x7103;
constexpr UINT kIdD = 0x7104;
constexpr UINT kIdFixed = 0x7105;

CPoint WindowPointToScreen(CWnd* pWnd, CPoint ptWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return CPoint(rc.left + ptWnd.x, rc.top + ptWnd.y);
}

LRESULT HitTestAt(CWnd* pWnd, CPoint ptScreen)
{
    return pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
}

CPoint Centre(const RECT& rc)
{
    return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

std::vector<CExtControlBar*> Query(CFrameWnd* pFrame, DWORD dwFilter, POINT pt = POINT{-1000, -1000})
{
    CArray<CExtControlBar*, CExtControlBar*> arr;
    CExtControlBar::QueryFrameBars(nullptr, pFrame, arr, dwFilter, pt);
    return std::vector<CExtControlBar*>(arr.GetData(), arr.GetData() + arr.GetSize());
}
} // namespace

TEST(ControlBarRegistry, DestroyingABarRemovesExactlyItsEntryAndKeepsTheOrder)
{
    auto* pFirst = new CExtControlBar;
    auto* pMiddle = new CExtControlBar;
    auto* pLast = new CExtControlBar;
    const INT_PTR nBefore = CExtControlBar::g_AllBars.GetSize();
    delete pMiddle;
    ASSERT_EQ(CExtControlBar::g_AllBars.GetSize(), nBefore - 1);
    EXPECT_EQ(CExtControlBar::g_AllBars[nBefore - 3], pFirst);
    EXPECT_EQ(CExtControlBar::g_AllBars[nBefore - 2], pLast);
    delete pFirst;
    delete pLast;
}

TEST(ControlBarCreation, TitleComesFromCaptionCommandOrStringAndStopsAtLineFeed)
{
    CBarTestFrame frame;
    g_CmdManagerHolder->CreateProfile("bars-title-test", frame.Frame()->GetSafeHwnd());
    CExtCmdItem cmd(kIdC);
    cmd.m_sMenuText = "&Layers && Tools";
    g_CmdManagerHolder->SetupCommand("bars-title-test", cmd, true);
    struct Case
    {
        LPCSTR lpszCaption;
        UINT nId;
        LPCSTR lpszTitle;
    } const cases[] = {
        {"Colors\nThe colours", kIdA, "Colors"},
        {nullptr, 0, ""},
        {nullptr, 0xFFFFFFFFu, ""},
        {nullptr, kIdC, "Layers  Tools"},
        {nullptr, kIdD, ""},
    };
    for (const Case& c : cases) {
        CExtControlBar* pBar = frame.CreateBar(kTop, c.lpszCaption, c.nId);
        CString sTitle;
        pBar->GetWindowText(sTitle);
        EXPECT_STREQ(sTitle, c.lpszTitle) << "id " << c.nId;
    }
}

TEST(ControlBarCreation, MinimalWidthWithCaptionAlongTopNeverBelowTen)
{
    CExtControlBar bar;
    struct Case
    {
        bool bAlongTop;
        int nNcWidth;
        int nExpected;
    } const cases[] = {{true, 4, 10}, {true, 10, 10}, {true, 23, 23}, {false, 4, 4}};
    for (const Case& c : cases) {
        bar.m_bCaptionAlongTop = c.bAlongTop;
        bar.m_nNcWidth = c.nNcWidth;
        EXPECT_EQ(bar.GetMinimalWidth(), c.nExpected) << c.nNcWidth;
    }
}

TEST(ControlBarWindow, CloseKeepsTheWindowAndLeavesTheClosingFlagAlone)
{
    CBarTestFrame frame;
    CExtControlBar* pBar = frame.CreateBar(kTop, "Bar", kIdA);
    pBar->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(pBar->GetSafeHwnd()));
    EXPECT_FALSE(pBar->m_bClosing);
    // The command updates still run after a close.
    EXPECT_TRUE(pBar->UpdateCmdUINow(false));
    EXPECT_FALSE(pBar->m_bClosing);
}

// The room a frame's top dock bar gives a row.
int AvailableExtent(UINT nSide)
{
    CBarTestFrame frame;
    CRect rc;
    frame.DockBar(nSide)->GetClientRect(&rc);
    return rc.Width();
}

// Row layout: bars of one top row, given as (minimal extent, extent, thickness) each.
TEST(ControlBarRowLayout, ExtentsAfterLayingOutOneRow)
{
    struct BarSetup
    {
        int nMinimal;
        int nExtent;
        int nThickness;
    };
    struct Case
    {
        const char* name;
        std::vector<BarSetup> bars;
        std::vector<int> expectedExtents;
        int nExpectedRows;
    };
    const int kAvail = AvailableExtent(kTop);
    const Case cases[] = {
        {"one bar fills the row", {{40, 100, 150}}, {kAvail}, 1},
        {"one bar never below its minimum", {{900, 100, 150}}, {900}, 1},
        {"growth spreads evenly", {{40, 100, 150}, {40, 100, 150}}, {kAvail / 2, kAvail / 2}, 1},
        {"shrinking stops at the minimum and the rest gives", {{50, 900, 150}, {50, 100, 150}}, {kAvail - 50, 50}, 1},
        {"all collapsed: the last takes the room", {{40, 40, 150}, {40, 40, 150}}, {40, kAvail - 40}, 1},
        // Raised to their minimum, the two bars left in the row are collapsed: the last grows.
        {"what does not fit starts a new row", {{300, 100, 150}, {300, 100, 150}, {300, 100, 150}},
         {300, kAvail - 300, kAvail}, 2},
    };
    for (const Case& c : cases) {
        CBarTestFrame frame;
        std::vector<CExtControlBar*> row;
        for (const BarSetup& setup : c.bars) {
            CTestBar* pBar = frame.CreateBar(kTop, "Bar", kIdA + static_cast<UINT>(row.size()));
            pBar->m_nForcedMinimal = setup.nMinimal;
            pBar->m_sizeDockedHorz = CSize(setup.nExtent, setup.nThickness);
            row.push_back(pBar);
        }
        frame.SetRows(kTop, {row});
        frame.LayoutSide(kTop);
        for (size_t i = 0; i < row.size(); ++i)
            EXPECT_EQ(row[i]->m_sizeDockedHorz.cx, c.expectedExtents[i]) << c.name << ", bar " << i;
        int nRows = 0;
        CDockBar* pDockBar = frame.DockBar(kTop);
        for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); ++i)
            if (pDockBar->m_arrBars[i] == nullptr && pDockBar->m_arrBars[i - 1] != nullptr)
                ++nRows;
        EXPECT_EQ(nRows, c.nExpectedRows) << c.name;
    }
}

TEST(ControlBarRowLayout, RowBarsShareTheThickestBarsThickness)
{
    CBarTestFrame frame;
    CTestBar* pA = frame.CreateBar(kTop, "A", kIdA);
    CTestBar* pB = frame.CreateBar(kTop, "B", kIdB);
    pA->m_sizeDockedHorz = CSize(200, 90);
    pB->m_sizeDockedHorz = CSize(200, 130);
    frame.SetRows(kTop, {{pA, pB}});
    frame.LayoutSide(kTop);
    EXPECT_EQ(pA->m_sizeDockedHorz.cy, 130);
    EXPECT_EQ(pB->m_sizeDockedHorz.cy, 130);
}

class ControlBarHitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pA = m_frame.CreateBar(kTop, "A", kIdA);
        m_pB = m_frame.CreateBar(kTop, "B", kIdB);
        m_pC = m_frame.CreateBar(kTop, "C", kIdC);
        m_pD = m_frame.CreateBar(kLeft, "D", kIdD);
        for (CExtControlBar* pBar : {m_pA, m_pB, m_pC})
            pBar->m_sizeDockedHorz = CSize(300, 70);
        m_pD->m_sizeDockedVert = CSize(120, 200);
        m_frame.SetRows(kTop, {{m_pA, m_pB}, {m_pC}});
        m_frame.SetRows(kLeft, {{m_pD}});
        m_frame.LayoutSide(kTop);
        m_frame.LayoutSide(kLeft);
    }
    void TearDown() override
    {
        g_ResourceManagerHolder->SetRightToLeftOverride(-1);
    }

    CBarTestFrame m_frame;
    CTestBar* m_pA = nullptr;
    CTestBar* m_pB = nullptr;
    CTestBar* m_pC = nullptr;
    CTestBar* m_pD = nullptr;
};

TEST_F(ControlBarHitTest, SplittersAnswerTheirResizeCodes)
{
    struct Case
    {
        const char* name;
        CExtControlBar* pBar;
        CRect CExtControlBar::*pSplitter;
        LRESULT nExpected;
    } const cases[] = {
        {"row splitter of a top bar", m_pA, &CExtControlBar::m_rcRowSplitter, HTBOTTOM},
        {"in-row splitter before a neighbour", m_pA, &CExtControlBar::m_rcInRowSplitter, HTRIGHT},
        {"row splitter of a left bar", m_pD, &CExtControlBar::m_rcRowSplitter, HTRIGHT},
    };
    for (const Case& c : cases) {
        const CRect& rc = c.pBar->*c.pSplitter;
        ASSERT_FALSE(rc.IsRectEmpty()) << c.name;
        EXPECT_EQ(HitTestAt(c.pBar, WindowPointToScreen(c.pBar, Centre(rc))), c.nExpected) << c.name;
    }
    // The last bar of a row has no in-row strip, and the one before it keeps only its own.
    EXPECT_TRUE(m_pB->m_rcInRowSplitter.IsRectEmpty());
    EXPECT_TRUE(m_pC->m_rcInRowSplitter.IsRectEmpty());
    EXPECT_TRUE(m_pB->m_rcLeadSplitter.IsRectEmpty());
    CRect rcB;
    m_pB->GetWindowRect(&rcB);
    EXPECT_EQ(HitTestAt(m_pB, CPoint(rcB.right - 1, rcB.CenterPoint().y)), HTCLIENT);
}

TEST_F(ControlBarHitTest, CaptionButtonAnswersMinButtonInBothDirections)
{
    for (int nRtl : {0, 1}) {
        g_ResourceManagerHolder->SetRightToLeftOverride(nRtl);
        m_pA->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        ASSERT_GT(m_pA->m_arrNcButtons.GetSize(), 0);
        CExtBarNcAreaButton* pClose = m_pA->m_arrNcButtons[0];
        ASSERT_TRUE(pClose->OnQueryVisibility());
        const CRect rcCaption = m_pA->m_rcCaption;
        // Close is the rightmost button, the leftmost one when the layout runs right to left.
        if (nRtl != 0)
            EXPECT_LT(pClose->m_rc.left - rcCaption.left, rcCaption.right - pClose->m_rc.right);
        else
            EXPECT_GT(pClose->m_rc.left - rcCaption.left, rcCaption.right - pClose->m_rc.right);
        EXPECT_EQ(HitTestAt(m_pA, WindowPointToScreen(m_pA, Centre(pClose->m_rc))), HTMINBUTTON) << nRtl;
    }
}

TEST_F(ControlBarHitTest, CloseButtonHidesTheBar)
{
    CExtBarNcAreaButton* pClose = m_pA->m_arrNcButtons[0];
    const CPoint ptWnd = Centre(pClose->m_rc);
    EXPECT_TRUE(pClose->OnNcAreaClicked(ptWnd));
    EXPECT_FALSE(pClose->m_bHover);
    EXPECT_FALSE(pClose->m_bPushed);
}

TEST_F(ControlBarHitTest, QueryFrameBarsFilters)
{
    CTestBar* pFixed = m_frame.CreateBar(kTop, "Tools", kIdFixed, true);
    m_frame.SetRows(kTop, {{m_pA, m_pB}, {m_pC}, {pFixed}});
    m_frame.LayoutSide(kTop);
    m_pC->ShowWindow(SW_HIDE);
    CRect rcD;
    m_pD->GetWindowRect(&rcD);
    CPoint ptCaptionA = WindowPointToScreen(m_pA, Centre(m_pA->m_rcCaption));
    CRect rcClientA;
    m_pA->GetClientRect(&rcClientA);
    m_pA->ClientToScreen(&rcClientA);
    using Bars = std::vector<CExtControlBar*>;
    struct Case
    {
        const char* name;
        DWORD dwFilter;
        POINT pt;
        Bars expected;
    } const cases[] = {
        {"no visibility bits", 0x7, {-1000, -1000}, {}},
        {"everything", 0xFFF, {-1000, -1000}, {m_pA, m_pB, m_pC, m_pD, pFixed}},
        {"visible windows", 0x5FF, {-1000, -1000}, {m_pA, m_pB, m_pD, pFixed}},
        {"hidden windows", 0xBFF, {-1000, -1000}, {m_pC}},
        {"resizable at the top", 0x4 | 0x8 | 0x300 | 0x400, {-1000, -1000}, {m_pA, m_pB}},
        {"resizable at the left", 0x4 | 0x20 | 0x300 | 0xC00, {-1000, -1000}, {m_pD}},
        {"fixed-size anywhere", 0x1 | 0x78 | 0x300 | 0xC00, {-1000, -1000}, {pFixed}},
        {"docked drag target under the cursor", 0x857C, rcD.CenterPoint(), {m_pD}},
        {"floating drag target", 0x8584, rcD.CenterPoint(), {}},
        {"point in the caption", 0x7FF | 0x20000, ptCaptionA, {m_pA}},
        {"point in the client area, not the caption", 0x7FF | 0x20000, rcClientA.CenterPoint(), {}},
        {"point in the client area", 0x7FF | 0x10000, rcClientA.CenterPoint(), {m_pA}},
        {"over a caption button", 0x7FF | 0x20000000, WindowPointToScreen(m_pA, Centre(m_pA->m_arrNcButtons[0]->m_rc)), {m_pA}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Query(m_frame.Frame(), c.dwFilter, c.pt), c.expected) << c.name;
}

namespace
{
// A frame that answers the bar-menu protocol: it may build the menu itself and records the
// notifications it gets.
class CMenuFrame : public CFrameWnd
{
public:
    bool m_bBuildItself = false;
    std::vector<bool> m_notifications;
    std::vector<UINT> m_prompts;
    CFrameWnd* m_pTargetSeen = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CExtControlBar::g_nMsgConstructPopupMenu) {
            auto* pData = CExtControlBar::POPUP_MENU_EVENT_DATA::PassThroughArgument(wParam);
            m_notifications.push_back(pData->m_bPostNotification);
            m_pTargetSeen = pData->m_pTargetFrame;
            return m_bBuildItself ? 1 : 0;
        }
        if (message == WM_SETMESSAGESTRING)
            m_prompts.push_back(static_cast<UINT>(wParam));
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

std::vector<UINT> MenuIds(const CExtPopupMenuWnd& popup)
{
    std::vector<UINT> ids;
    for (int i = 0; i < popup.CountItems(); ++i)
        ids.push_back(popup.CommandIdAt(i));
    return ids;
}
} // namespace

TEST(ControlBarMenu, BarListGroupsResizableAndFixedBarsAndSkipsUntitledOnes)
{
    auto* pMenuFrame = new CMenuFrame;
    CBarTestFrame frame(pMenuFrame);
    g_CmdManagerHolder->CreateProfile("bars-menu-test", pMenuFrame->GetSafeHwnd());
    CTestBar* pA = frame.CreateBar(kTop, "Colors", kIdA);
    frame.CreateBar(kTop, "", kIdB);
    CTestBar* pFixed = frame.CreateBar(kTop, "Tools", kIdFixed, true);
    CTestBar* pD = frame.CreateBar(kLeft, "Shape", kIdD);
    frame.SetRows(kTop, {{pA}, {pFixed}});
    frame.SetRows(kLeft, {{pD}});
    struct Case
    {
        bool bFrameBuilds;
        std::vector<UINT> expected;
    } const cases[] = {
        {false, {kIdA, CExtPopupMenuWnd::ID_SEPARATOR, kIdFixed, CExtPopupMenuWnd::ID_SEPARATOR, kIdD}},
        {true, {}},
    };
    for (const Case& c : cases) {
        pMenuFrame->m_bBuildItself = c.bFrameBuilds;
        pMenuFrame->m_notifications.clear();
        CExtPopupMenuWnd popup;
        popup.PrepareEmptyPopup(pMenuFrame->GetSafeHwnd());
        EXPECT_TRUE(CExtControlBar::BuildFrameBarsMenu(pMenuFrame, &popup,
                                                       CExtControlBar::POPUP_MENU_EVENT_DATA::CONTROLBAR_CTX, pA,
                                                       WM_RBUTTONUP, nullptr));
        EXPECT_EQ(MenuIds(popup), c.expected) << c.bFrameBuilds;
        EXPECT_EQ(pMenuFrame->m_notifications, (std::vector<bool>{false, true}));
        EXPECT_EQ(pMenuFrame->m_pTargetSeen, pMenuFrame);
    }
}

TEST(ControlBarMenu, EventRecordTakesTheCursorForAMissingPoint)
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CExtControlBar::POPUP_MENU_EVENT_DATA data(CExtControlBar::POPUP_MENU_EVENT_DATA::CONTROLBAR_CTX, nullptr,
                                               nullptr, CPoint(-1, -1), WM_RBUTTONUP);
    EXPECT_EQ(CPoint(data.m_ptScreen), ptCursor);
    struct Case
    {
        SHORT nKind;
        bool bBarsList;
    } const cases[] = {{0, true}, {6, true}, {7, false}, {10, false}, {11, true}, {13, false}, {14, true}, {-1, false}};
    for (const Case& c : cases) {
        data.m_nEventKind = c.nKind;
        EXPECT_EQ(data.IsBarsListMenu(), c.bBarsList) << c.nKind;
    }
}

TEST(ControlBarFrameOperations, ToggleAndUpdateOfAnUnknownIdRouteOn)
{
    CBarTestFrame frame;
    EXPECT_FALSE(CExtControlBar::ToggleFrameBar(frame.Frame(), 0x7FFE, false));
    CCmdUI cmdUI;
    cmdUI.m_nID = 0x7FFE;
    cmdUI.m_bContinueRouting = FALSE;
    CExtControlBar::UpdateFrameBarToggleUI(frame.Frame(), &cmdUI, false);
    EXPECT_TRUE(cmdUI.m_bContinueRouting);
}

TEST(ControlBarFrameOperations, HelpModeIsReadFromTheFrameChain)
{
    CBarTestFrame frame;
    CExtControlBar* pBar = frame.CreateBar(kTop, "Bar", kIdA);
    EXPECT_FALSE(CExtControlBar::IsFrameInHelpMode(pBar));
    frame.Frame()->m_bHelpMode = TRUE;
    EXPECT_TRUE(CExtControlBar::IsFrameInHelpMode(pBar));
    frame.Frame()->m_bHelpMode = FALSE;
}

namespace
{
UINT_PTR g_nQuitTimer = 0;
void CALLBACK PostQuitFromTimer(HWND, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(nullptr, nId);
    ::PostQuitMessage(7);
}
} // namespace

TEST_F(ControlBarHitTest, QuitDuringAResizeEndsItAndReachesTheMainLoop)
{
    struct Case
    {
        const char* name;
        bool bRowResize;
    } const cases[] = {{"row resize", true}, {"in-row resize", false}};
    for (const Case& c : cases) {
        const CSize sizeBefore = m_pA->m_sizeDockedHorz;
        CInputScript watchdog({}, 3000);
        g_nQuitTimer = ::SetTimer(nullptr, 0, 50, &PostQuitFromTimer);
        if (c.bRowResize)
            m_pA->RowResizingStart();
        else
            m_pA->RowRecalcingStart();
        watchdog.Join();
        EXPECT_FALSE(watchdog.WatchdogFired()) << c.name;
        EXPECT_FALSE(m_pA->m_bRowResizing) << c.name;
        EXPECT_FALSE(m_pA->m_bRowRecalcing) << c.name;
        EXPECT_NE(::GetCapture(), m_pA->GetSafeHwnd()) << c.name;
        EXPECT_EQ(m_pA->m_sizeDockedHorz, sizeBefore) << c.name;
        MSG msg;
        ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.name;
        EXPECT_EQ(msg.wParam, 7u) << c.name;
    }
}

TEST_F(ControlBarHitTest, RowResizeByDragAndCancelByKey)
{
    // The tracker mode draws a band; the release applies the tracked thickness.
    CExtControlBar::g_nDockingStyleOverride = 0;
    const CPoint ptSplitter = WindowPointToScreen(m_pA, Centre(m_pA->m_rcRowSplitter));
    struct Case
    {
        const char* name;
        bool bCancel;
        int nExpectedDelta;
    } const cases[] = {{"drag down by 20", false, 20}, {"Escape cancels", true, 0}};
    for (const Case& c : cases) {
        const int nBefore = m_pA->m_sizeDockedHorz.cy;
        using Step = CInputScript::Step;
        std::vector<Step> steps = {{Step::MOVE, ptSplitter, 0},
                                   {Step::LEFT_DOWN, ptSplitter, 0},
                                   {Step::MOVE, {ptSplitter.x, ptSplitter.y + 10}, 0},
                                   {Step::MOVE, {ptSplitter.x, ptSplitter.y + 20}, 0}};
        if (c.bCancel)
            steps.push_back({Step::KEY, {0, 0}, VK_ESCAPE});
        steps.push_back({Step::LEFT_UP, {ptSplitter.x, ptSplitter.y + 20}, 0});
        CInputScript script(steps, 3000);
        // The press starts the modal loop inside the pump; the release or the key ends it.
        PumpBarMessages(static_cast<DWORD>(steps.size()) * 30 + 400);
        script.Join();
        EXPECT_FALSE(script.WatchdogFired()) << c.name;
        EXPECT_FALSE(m_pA->m_bRowResizing) << c.name;
        EXPECT_EQ(m_pA->m_sizeDockedHorz.cy - nBefore, c.nExpectedDelta) << c.name;
        m_pA->m_sizeDockedHorz.cy = nBefore;
        m_frame.LayoutSide(kTop);
    }
    CExtControlBar::g_nDockingStyleOverride = -1;
}

TEST(ControlBarFrameOperations, PopupsReachTheFramesHelpModeAndStatusPromptThroughTheBars)
{
    auto* pMenuFrame = new CMenuFrame;
    CBarTestFrame frame(pMenuFrame);
    CExtControlBar* pBar = frame.CreateBar(kTop, "Bar", kIdA);
    EXPECT_FALSE(PopupIsFrameInHelpMode(pBar->GetSafeHwnd()));
    pMenuFrame->m_bHelpMode = TRUE;
    EXPECT_TRUE(PopupIsFrameInHelpMode(pBar->GetSafeHwnd()));
    pMenuFrame->m_bHelpMode = FALSE;
    PopupShowIdlePrompt(pBar->GetSafeHwnd());
    CExtControlBar::SetFrameStatusMessage(pBar, kIdB);
    EXPECT_EQ(pMenuFrame->m_prompts, (std::vector<UINT>{AFX_IDS_IDLEMESSAGE, kIdB}));
}

TEST_F(ControlBarHitTest, PaintManagerAsksTheBarsWhereTheyDock)
{
    EXPECT_FALSE(CExtPaintManager::IsBarDockedAtLeftOrRight(m_pA));
    EXPECT_TRUE(CExtPaintManager::IsBarDockedAtLeftOrRight(m_pD));
    EXPECT_FALSE(CExtPaintManager::IsBarFloating(m_pA));
    // A docked resizable bar offers no options button.
    EXPECT_FALSE(CExtPaintManager::IsAvailableCaptionOptionsButton(m_pA));
}

TEST_F(ControlBarHitTest, FixedSizeBarAtTheTopHasASideCaptionAndNoSplitters)
{
    CTestBar* pFixed = m_frame.CreateBar(kTop, "Tools", kIdFixed, true);
    pFixed->m_bCaptionAlongTop = false;
    m_frame.SetRows(kTop, {{m_pA, m_pB}, {m_pC}, {pFixed}});
    m_frame.LayoutSide(kTop);
    EXPECT_TRUE(pFixed->m_rcRowSplitter.IsRectEmpty());
    EXPECT_TRUE(pFixed->m_rcInRowSplitter.IsRectEmpty());
    EXPECT_TRUE(pFixed->m_rcLeadSplitter.IsRectEmpty());
    ASSERT_FALSE(pFixed->m_rcCaption.IsRectEmpty());
    EXPECT_EQ(pFixed->m_rcCaption.Width(), pFixed->m_nCaptionHeight);
    // Inside the theme's margin and one pixel further from the dock edge.
    EXPECT_GE(pFixed->m_rcCaption.top, 2);
    EXPECT_EQ(HitTestAt(pFixed, WindowPointToScreen(pFixed, Centre(pFixed->m_rcCaption))), HTCLIENT);
}

TEST_F(ControlBarHitTest, DockedLayoutPaintsCaptionsWithTheirButtons)
{
    for (CExtControlBar* pBar : {m_pA, m_pB, m_pC, m_pD})
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASE);
    PumpBarMessages(50);
    CRect rcFrame;
    m_frame.Frame()->GetWindowRect(&rcFrame);
    SaveScreenRectPng(rcFrame, "bars-docked-layout.png");
    // The Close glyph stands out of the caption's plain background.
    const CRect rcClose = m_pA->m_arrNcButtons[0]->m_rc;
    const CPoint ptGlyph = WindowPointToScreen(m_pA, Centre(rcClose));
    const CPoint ptCaption = WindowPointToScreen(m_pA, CPoint(m_pA->m_rcCaption.left + 2, Centre(rcClose).y));
    bool bGlyphDrawn = false;
    for (int dx = -2; dx <= 2 && !bGlyphDrawn; ++dx)
        bGlyphDrawn = ScreenPixel(ptGlyph.x + dx, ptGlyph.y) != ScreenPixel(ptCaption.x, ptCaption.y);
    EXPECT_TRUE(bGlyphDrawn);
}

TEST(ControlBarRowLayout, HiddenBarGetsItsExtentBackEvenlyFromItsNeighbours)
{
    CBarTestFrame frame;
    std::vector<CExtControlBar*> row;
    for (UINT nId : {kIdA, kIdB, kIdC}) {
        CTestBar* pBar = frame.CreateBar(kTop, "Bar", nId);
        pBar->m_nForcedMinimal = 40;
        pBar->m_sizeDockedHorz = CSize(200, 100);
        row.push_back(pBar);
    }
    frame.SetRows(kTop, {row});
    frame.LayoutSide(kTop);
    const int nExtentB = row[1]->m_sizeDockedHorz.cx;
    row[1]->ShowWindow(SW_HIDE);
    frame.LayoutSide(kTop);
    EXPECT_EQ(row[1]->m_nReclaimExtent, nExtentB);
    const int nGrownA = row[0]->m_sizeDockedHorz.cx;
    const int nGrownC = row[2]->m_sizeDockedHorz.cx;
    row[1]->ShowWindow(SW_SHOW);
    EXPECT_EQ(row[1]->m_nReclaimExtent, 0);
    EXPECT_EQ(row[1]->m_sizeDockedHorz.cx, nExtentB);
    const int nGivenA = nGrownA - row[0]->m_sizeDockedHorz.cx;
    const int nGivenC = nGrownC - row[2]->m_sizeDockedHorz.cx;
    EXPECT_EQ(nGivenA + nGivenC, nExtentB);
    EXPECT_LE(std::abs(nGivenA - nGivenC), 1);
}

TEST(ControlBarMenu, RightClickShowsTheBarListUnlessTheFrameBuildsItsOwn)
{
    auto* pMenuFrame = new CMenuFrame;
    CBarTestFrame frame(pMenuFrame);
    g_CmdManagerHolder->CreateProfile("bars-click-test", pMenuFrame->GetSafeHwnd());
    CTestBar* pA = frame.CreateBar(kTop, "Colors", kIdA);
    frame.SetRows(kTop, {{pA}});
    frame.LayoutSide(kTop);
    for (bool bFrameBuilds : {false, true}) {
        pMenuFrame->m_bBuildItself = bFrameBuilds;
        pA->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        EXPECT_EQ(CExtPopupMenuWnd::IsTrackingActive(), !bFrameBuilds) << bFrameBuilds;
        CExtPopupMenuWnd::EndActiveTracking();
        PumpBarMessages(20);
    }
}

TEST(ControlBarUtilities, InnermostRingAndRowBreak)
{
    CBarTestFrame frame;
    // A frame gets no more rings than it has bars to fill them.
    CTestBar* pA = frame.CreateBar(kTop, "A", kIdA);
    CTestBar* pB = frame.CreateBar(kTop, "B", kIdB);
    frame.CreateBar(kTop, "C", kIdC);
    auto* pRing1 = static_cast<CExtDockBar*>(frame.DockBar(kTop));
    CExtDockBar* pRing3 = CExtDockBar::GoToRing(pRing1, 3);
    ASSERT_NE(pRing3, nullptr);
    CExtDockBar* pOuter = CExtDockBar::FindRingBar(frame.Frame(), 0, kTop, false);
    ASSERT_NE(pOuter, nullptr);
    EXPECT_EQ(pOuter->GetInnermostRingBar(), pRing3);
    EXPECT_EQ(pRing3->GetInnermostRingBar(), pRing3);
    frame.SetRows(kTop, {{pA, pB}});
    pRing1->InsertRowBreak(2);
    ASSERT_EQ(pRing1->m_arrBars.GetSize(), 5);
    EXPECT_EQ(pRing1->m_arrBars[1], pA);
    EXPECT_EQ(pRing1->m_arrBars[2], nullptr);
    EXPECT_EQ(pRing1->m_arrBars[3], pB);
}
