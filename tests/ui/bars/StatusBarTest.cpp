// The status bar in a real frame under Xvfb: indicator panes and their widths, the frame's
// layout and prompts, key indicators through the idle update, pixels of enabled and disabled
// panes, the common control kept from painting, bad pane indexes, the bars menu protocol,
// pane tooltips, pane controls and the gripper's hit test.
#include "tests/ui/controls/ControlTestSupport.h"
#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtStatusControlBar.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include "StatusBarTestResources.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr UINT INDICATORS[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL, ID_INDICATOR_MISSING};
constexpr int INDICATOR_COUNT = static_cast<int>(std::size(INDICATORS));
constexpr UINT ID_BARS_MENU_ITEM = 0x8123;
constexpr UINT ID_TIPPED_COMMAND = 0x8124;

// A frame that answers the bars' context-menu protocol by building the menu itself.
class CStatusTestFrame : public CFrameWnd
{
public:
    std::vector<SHORT> m_eventKinds;
    std::vector<CWnd*> m_sources;

protected:
    LRESULT OnConstructPopupMenu(WPARAM wParam, LPARAM)
    {
        auto* pData = CExtControlBar::POPUP_MENU_EVENT_DATA::PassThroughArgument(wParam);
        if (pData == nullptr)
            return 0;
        m_eventKinds.push_back(pData->m_nEventKind);
        m_sources.push_back(pData->m_pSrcWnd);
        if (!pData->m_bPostNotification)
            pData->m_pPopupMenu->InsertCommandItem(ID_BARS_MENU_ITEM, -1, "Bars");
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusTestFrame, CFrameWnd)
    ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgConstructPopupMenu, OnConstructPopupMenu)
END_MESSAGE_MAP()

// The bar's font's width of a text.
int TextWidth(CWnd& bar, const char* pszText)
{
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HFONT>(bar.SendMessage(WM_GETFONT)));
    SIZE size{};
    ::GetTextExtentPoint32A(hDC, pszText, static_cast<int>(std::strlen(pszText)), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return size.cx;
}

// Pixels of the rectangle that are neither the background nor near it: text and frames.
int InkPixels(const CWindowPixels& pixels, const RECT& rc, COLORREF clrBackground)
{
    int nInk = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF clr = pixels.At(x, y);
            const int nDistance = std::abs(GetRValue(clr) - GetRValue(clrBackground)) +
                                  std::abs(GetGValue(clr) - GetGValue(clrBackground)) +
                                  std::abs(GetBValue(clr) - GetBValue(clrBackground));
            if (nDistance > 150)
                ++nInk;
        }
    return nInk;
}

void SetLockKey(int nVirtKey, bool bOn)
{
    if (((::GetKeyState(nVirtKey) & 1) != 0) == bOn)
        return;
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(nVirtKey);
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    for (int i = 0; i < 50 && ((::GetKeyState(nVirtKey) & 1) != 0) != bOn; ++i) {
        ::Sleep(10);
        PumpMessages();
    }
}

class StatusBarTest : public ::testing::Test
{
protected:
    // One frame for all: hiding a top-level window costs seconds under Xvfb.
    static void SetUpTestSuite()
    {
        s_pFrame = new CStatusTestFrame;
        s_pFrame->Create(nullptr, "Status", WS_OVERLAPPEDWINDOW, CRect(20, 20, 620, 320));
        // The menu the frame builds needs its command in the frame's profile.
        g_CmdManagerHolder->CreateProfile("status-bar-test", s_pFrame->GetSafeHwnd());
        CExtCmdItem item(ID_BARS_MENU_ITEM);
        item.m_sMenuText = "Bars";
        g_CmdManagerHolder->SetupCommand("status-bar-test", item);
        CExtCmdItem tipped(ID_TIPPED_COMMAND);
        tipped.m_sMenuText = "Tipped";
        tipped.m_sTipStatus = "Opens the bars";
        g_CmdManagerHolder->SetupCommand("status-bar-test", tipped);
        s_pFrame->ShowWindow(SW_SHOWNORMAL);
        ::SetForegroundWindow(s_pFrame->m_hWnd);
        PumpMessages();
    }
    static void TearDownTestSuite()
    {
        if (s_pFrame != nullptr && ::IsWindow(s_pFrame->m_hWnd))
            s_pFrame->DestroyWindow();
        s_pFrame = nullptr;
        PumpMessages();
    }

    void SetUp() override
    {
        m_pBar = std::make_unique<CExtStatusControlBar>();
        ASSERT_TRUE(m_pBar->Create(s_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
        ASSERT_TRUE(m_pBar->SetupIndicatorPanes(INDICATORS, INDICATOR_COUNT));
        s_pFrame->RecalcLayout();
        s_pFrame->m_eventKinds.clear();
        s_pFrame->m_sources.clear();
        PumpMessages();
    }
    void TearDown() override
    {
        if (CExtPopupMenuWnd::IsTrackingActive())
            CExtPopupMenuWnd::EndActiveTracking();
        m_pBar.reset();
        PumpMessages();
    }

    // Runs the frame's idle update of its bars.
    void IdleUpdate()
    {
        s_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        PumpMessages();
    }

    static CStatusTestFrame* s_pFrame;
    std::unique_ptr<CExtStatusControlBar> m_pBar;
};
CStatusTestFrame* StatusBarTest::s_pFrame = nullptr;

TEST_F(StatusBarTest, IndicatorPanesTakeTheirTextsAndWidths)
{
    struct Case
    {
        UINT nID;
        const char* pszText;
        UINT nStyle;
    };
    const Case cases[] = {
        {0, "", SBPS_STRETCH | SBPS_NOBORDERS},
        {ID_INDICATOR_CAPS, "CAP", 0},
        {ID_INDICATOR_NUM, "NUM", 0},
        {ID_INDICATOR_SCRL, "SCRL", 0},
        {ID_INDICATOR_MISSING, "", 0},
    };
    ASSERT_EQ(INDICATOR_COUNT, m_pBar->GetCount());
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        const Case& c = cases[i];
        AFX_STATUSPANE pane;
        ASSERT_TRUE(m_pBar->GetPaneInfoEx(i, &pane));
        EXPECT_EQ(c.nID, pane.nID) << i;
        EXPECT_EQ(c.nStyle, pane.nStyle & (SBPS_STRETCH | SBPS_NOBORDERS)) << i;
        EXPECT_STREQ(c.pszText, pane.strText.GetString()) << i;
        const int cxExpected = c.nID == 0 ? ::GetSystemMetrics(SM_CXSCREEN) / 4 : TextWidth(*m_pBar, c.pszText);
        EXPECT_EQ(cxExpected, pane.cxText) << i;
        EXPECT_EQ(i, m_pBar->CommandToIndex(c.nID == 0 ? 0 : c.nID));
        EXPECT_EQ(c.nID, m_pBar->GetPaneIdAt(i));
    }
    // Panes lie left to right; the message pane takes what the others leave.
    RECT rcClient{};
    m_pBar->GetClientRect(&rcClient);
    RECT rcPrevious{};
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        RECT rc{};
        m_pBar->GetItemRect(i, &rc);
        EXPECT_GE(rc.left, rcPrevious.right) << i;
        EXPECT_LE(rc.right, rcClient.right) << i;
        rcPrevious = rc;
    }
    RECT rcMessage{};
    m_pBar->GetItemRect(0, &rcMessage);
    EXPECT_GT(rcMessage.right - rcMessage.left, ::GetSystemMetrics(SM_CXSCREEN) / 4 - 1);
}

TEST_F(StatusBarTest, FrameLaysTheBarAlongItsBottomAndShowsPromptsInTheMessagePane)
{
    RECT rcFrame{}, rcBar{};
    s_pFrame->GetClientRect(&rcFrame);
    m_pBar->GetWindowRect(&rcBar);
    ::MapWindowPoints(nullptr, s_pFrame->m_hWnd, reinterpret_cast<POINT*>(&rcBar), 2);
    EXPECT_EQ(rcFrame.bottom, rcBar.bottom);
    EXPECT_EQ(rcFrame.left, rcBar.left);
    EXPECT_EQ(rcFrame.right, rcBar.right);
    EXPECT_GT(rcBar.bottom - rcBar.top, 10);

    s_pFrame->SetMessageText("Drawing a rectangle");
    EXPECT_STREQ("Drawing a rectangle", m_pBar->GetPaneText(0).GetString());
    char szText[64] = "";
    EXPECT_EQ(19, ::GetWindowTextA(m_pBar->m_hWnd, szText, sizeof szText));
    EXPECT_STREQ("Drawing a rectangle", szText);
    s_pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ("Ready", m_pBar->GetPaneText(0).GetString());
}

TEST_F(StatusBarTest, FramePromptsOfProfileCommandsAreTheirStatusTips)
{
    const std::pair<UINT, const char*> cases[] = {
        {ID_TIPPED_COMMAND, "Opens the bars"},
        {ID_BARS_MENU_ITEM, ""},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        // Not a command of the profile: the frame's own message string.
        {ID_INDICATOR_CAPS, "CAP"},
    };
    for (const auto& [nId, pszShown] : cases) {
        s_pFrame->SetMessageText("before");
        CExtControlBar::SetFrameStatusMessage(m_pBar.get(), nId);
        EXPECT_STREQ(pszShown, m_pBar->GetPaneText(0).GetString()) << nId;
    }
}

TEST_F(StatusBarTest, KeyIndicatorsShowOnlyWhileTheirLockIsOn)
{
    const int nCaps = m_pBar->CommandToIndex(ID_INDICATOR_CAPS);
    RECT rcCaps{};
    m_pBar->GetItemRect(nCaps, &rcCaps);
    const bool bWasOn = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    for (bool bOn : {true, false}) {
        SetLockKey(VK_CAPITAL, bOn);
        ASSERT_EQ(bOn, (::GetKeyState(VK_CAPITAL) & 1) != 0);
        IdleUpdate();
        EXPECT_EQ(bOn, (m_pBar->GetPaneStyle(nCaps) & SBPS_DISABLED) == 0);
        const CWindowPixels pixels(m_pBar->m_hWnd);
        RECT rcInside = rcCaps;
        ::InflateRect(&rcInside, -2, -2);
        const int nInk = InkPixels(pixels, rcInside, m_pBar->GetBackgroundColor());
        if (bOn) {
            EXPECT_GT(nInk, 5);
        }
        else {
            EXPECT_EQ(0, nInk);
        }
    }
    SetLockKey(VK_CAPITAL, bWasOn);
}

// Pane frames by default; with separators, lines in the gaps between panes instead.
TEST_F(StatusBarTest, DrawingFlagsChooseFramesOrSeparators)
{
    struct Case
    {
        BYTE nFlags;
        bool bFrames;
        bool bSeparator;
    };
    const Case cases[] = {
        {CExtStatusControlBar::DRAW_BY_FRAMEWORK | CExtStatusControlBar::DRAW_HIDE_DISABLED_TEXT, true, false},
        {CExtStatusControlBar::DRAW_BY_FRAMEWORK | CExtStatusControlBar::DRAW_SEPARATORS, false, true},
    };
    RECT rcFirst{}, rcSecond{};
    m_pBar->GetItemRect(1, &rcFirst);
    m_pBar->GetItemRect(2, &rcSecond);
    ASSERT_LT(rcFirst.right, rcSecond.left);
    for (const Case& c : cases) {
        m_pBar->SetDrawingFlags(c.nFlags);
        const CWindowPixels pixels(m_pBar->m_hWnd);
        const RECT rcFrameTop = {rcSecond.left + 2, rcSecond.top, rcSecond.right - 2, rcSecond.top + 1};
        const RECT rcGap = {rcFirst.right, rcSecond.top + 2, rcSecond.left, rcSecond.bottom - 2};
        EXPECT_EQ(c.bFrames, InkPixels(pixels, rcFrameTop, m_pBar->GetBackgroundColor()) > 0) << int(c.nFlags);
        EXPECT_EQ(c.bSeparator, InkPixels(pixels, rcGap, m_pBar->GetBackgroundColor()) > 0) << int(c.nFlags);
    }
}

TEST_F(StatusBarTest, TextSetThroughTheControlNeverShowsTheControlsDrawing)
{
    const CWindowPixels before(m_pBar->m_hWnd);
    ::SendMessageA(m_pBar->m_hWnd, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("XXXXXXXXXXXX"));
    // No pump: the bar has already painted itself over whatever the control did.
    const CWindowPixels after(m_pBar->m_hWnd);
    ASSERT_EQ(before.Width(), after.Width());
    int nDiffering = 0;
    for (int y = 0; y < before.Height(); ++y)
        for (int x = 0; x < before.Width(); ++x)
            nDiffering += before.At(x, y) != after.At(x, y);
    EXPECT_EQ(0, nDiffering);
    EXPECT_STREQ("CAP", m_pBar->GetPaneText(1).GetString());
}

// The platform's bar gives the control its texts: deferred ones at the next update, none for a
// disabled pane; a wider pane takes its room from the stretching one.
TEST_F(StatusBarTest, PlainStatusBarGivesTheControlItsPanes)
{
    constexpr UINT ID_PLAIN_BAR = AFX_IDW_STATUS_BAR + 1;
    struct CPlainBar : CStatusBar
    {
        using CStatusBar::AllocElements;
    } bar;
    ASSERT_TRUE(bar.Create(s_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, ID_PLAIN_BAR));
    ASSERT_TRUE(bar.AllocElements(3));
    for (int i = 0; i < 3; ++i)
        bar.SetPaneInfo(i, 100 + i, i == 0 ? SBPS_STRETCH : SBPS_NORMAL, 40);
    s_pFrame->RecalcLayout();
    auto controlText = [&](int nIndex) {
        char szText[64] = "";
        ::SendMessageA(bar.m_hWnd, SB_GETTEXTA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(szText));
        return std::string(szText);
    };
    EXPECT_TRUE(bar.SetPaneText(1, "now"));
    EXPECT_EQ("now", controlText(1));
    EXPECT_TRUE(bar.SetPaneText(2, "later", FALSE));
    EXPECT_EQ("", controlText(2));
    bar.UpdateAllPanes(FALSE, TRUE);
    EXPECT_EQ("later", controlText(2));
    bar.SetPaneStyle(1, SBPS_DISABLED);
    EXPECT_EQ("", controlText(1));
    EXPECT_STREQ("now", bar.GetPaneText(1).GetString());
    bar.SetPaneStyle(1, SBPS_NORMAL);
    EXPECT_EQ("now", controlText(1));

    // Widening a pane takes the room from the stretching one; the panes after it stay.
    auto widths = [&] {
        std::vector<LONG> result;
        for (int i = 0; i < 3; ++i) {
            RECT rc{};
            bar.GetItemRect(i, &rc);
            result.push_back(rc.right - rc.left);
        }
        return result;
    };
    const std::vector<LONG> before = widths();
    bar.SetPaneInfo(1, 101, SBPS_NORMAL, 90);
    EXPECT_EQ((std::vector<LONG>{before[0] - 50, before[1] + 50, before[2]}), widths());
    bar.DestroyWindow();
    s_pFrame->RecalcLayout();
}

TEST_F(StatusBarTest, BadPaneIndexesAnswerNothing)
{
    for (int nIndex : {-1, INDICATOR_COUNT, 1000}) {
        AFX_STATUSPANE pane;
        EXPECT_FALSE(m_pBar->GetPaneInfoEx(nIndex, &pane)) << nIndex;
        EXPECT_FALSE(m_pBar->SetPaneText(nIndex, "x")) << nIndex;
        EXPECT_EQ(0u, m_pBar->GetPaneIdAt(nIndex)) << nIndex;
        EXPECT_EQ(CExtStatusControlBar::DEFAULT_TEXT_FORMAT, m_pBar->GetPaneDrawTextFormat(nIndex)) << nIndex;
        EXPECT_STREQ("", m_pBar->GetPaneTipText(nIndex).GetString()) << nIndex;
        RECT rc{1, 2, 3, 4};
        m_pBar->GetItemRect(nIndex, &rc);
        EXPECT_TRUE(::IsRectEmpty(&rc)) << nIndex;
    }
    EXPECT_EQ(-1, m_pBar->CommandToIndex(0xBEEF));
    // No indicators at all: the bar stays, empty.
    EXPECT_TRUE(m_pBar->SetupIndicatorPanes(nullptr, 0));
    EXPECT_EQ(0, m_pBar->GetCount());
    s_pFrame->SetMessageText("nowhere");
    EXPECT_EQ(0, ::GetWindowTextLengthA(m_pBar->m_hWnd));
}

TEST_F(StatusBarTest, RightClickAsksTheFrameForTheBarsMenu)
{
    RECT rcBar{};
    m_pBar->GetWindowRect(&rcBar);
    const POINT pt = {rcBar.left + 20, (rcBar.top + rcBar.bottom) / 2};
    ::SendMessageA(m_pBar->m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_pBar->m_hWnd), MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((std::vector<SHORT>{CExtControlBar::POPUP_MENU_EVENT_DATA::STATUSBAR_CTX,
                                  CExtControlBar::POPUP_MENU_EVENT_DATA::STATUSBAR_CTX}),
              s_pFrame->m_eventKinds);
    EXPECT_EQ((std::vector<CWnd*>{m_pBar.get(), m_pBar.get()}), s_pFrame->m_sources);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(StatusBarTest, TooltipsNameThePaneUnderTheMouse)
{
    m_pBar->SetPaneTipText(ID_INDICATOR_NUM, "Num lock");
    struct Case
    {
        int nPane;
        INT_PTR nExpected;
        const char* pszText;  // null: the owner supplies it
    };
    const Case cases[] = {
        {2, ID_INDICATOR_NUM, "Num lock"},
        {1, ID_INDICATOR_CAPS, nullptr},
    };
    for (const Case& c : cases) {
        RECT rc{};
        m_pBar->GetItemRect(c.nPane, &rc);
        TOOLINFOA ti = {};
        ti.cbSize = sizeof ti;
        const CPoint pt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        ASSERT_EQ(c.nExpected, m_pBar->OnToolHitTest(pt, &ti)) << c.nPane;
        EXPECT_EQ(m_pBar->m_hWnd, ti.hwnd);
        EXPECT_EQ(static_cast<UINT_PTR>(c.nExpected), ti.uId);
        EXPECT_TRUE(::EqualRect(&rc, &ti.rect));
        if (c.pszText == nullptr) {
            EXPECT_EQ(LPSTR_TEXTCALLBACKA, ti.lpszText);
        }
        else {
            EXPECT_STREQ(c.pszText, ti.lpszText);
            std::free(ti.lpszText);
        }
    }
    RECT rcClient{};
    m_pBar->GetClientRect(&rcClient);
    EXPECT_EQ(-1, m_pBar->OnToolHitTest(CPoint(rcClient.right + 50, 2), nullptr));
}

TEST_F(StatusBarTest, PaneControlsSitInsideTheirPanesAndGoWithTheBar)
{
    const HWND hEdit = ::CreateWindowExA(0, "EDIT", "12", WS_CHILD, 0, 0, 10, 10, m_pBar->m_hWnd, nullptr,
                                         ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(m_pBar->AddPaneControl(hEdit, ID_INDICATOR_SCRL, true));
    EXPECT_FALSE(m_pBar->AddPaneControl(hEdit, ID_INDICATOR_SCRL, true));
    RECT rcPane{}, rcEdit{};
    m_pBar->GetItemRect(m_pBar->CommandToIndex(ID_INDICATOR_SCRL), &rcPane);
    ::GetWindowRect(hEdit, &rcEdit);
    ::MapWindowPoints(nullptr, m_pBar->m_hWnd, reinterpret_cast<POINT*>(&rcEdit), 2);
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    EXPECT_EQ(rcPane.left + cxEdge, rcEdit.left);
    EXPECT_EQ(rcPane.top + cxEdge, rcEdit.top);
    EXPECT_EQ(rcPane.bottom - cxEdge, rcEdit.bottom);
    m_pBar->DestroyWindow();
    m_pBar.reset();
    EXPECT_FALSE(::IsWindow(hEdit));
}

TEST_F(StatusBarTest, GripperSizesTheFrameAndPanesAreClientArea)
{
    RECT rcBar{};
    m_pBar->GetWindowRect(&rcBar);
    const int yMiddle = (rcBar.top + rcBar.bottom) / 2;
    EXPECT_EQ(HTBOTTOMRIGHT, ::SendMessageA(m_pBar->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(rcBar.right - 3, yMiddle)));
    EXPECT_EQ(HTCLIENT, ::SendMessageA(m_pBar->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(rcBar.left + 30, yMiddle)));
}

TEST_F(StatusBarTest, Screenshot)
{
    s_pFrame->SetMessageText("Ready");
    SetLockKey(VK_NUMLOCK, true);
    IdleUpdate();
    EXPECT_TRUE(CWindowPixels(m_pBar->m_hWnd).SavePng("status-bar.png"));
}
} // namespace
