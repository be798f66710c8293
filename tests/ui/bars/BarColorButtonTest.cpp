#include "ToolBarTestFrame.h"

#include "DragInputScript.h"
#include "ui/bars/ExtBarColorButton.h"
#include "ui/core/ExtPopupColorMenuWnd.h"
#include "ui/core/ExtPopupMenuTrackingState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr UINT kColorCmd = CToolBarTestFrame::FIRST_CMD + 5;
constexpr LPARAM kCookie = 0x5A17;
constexpr COLORREF kCurrent = RGB(0, 0, 255);
constexpr COLORREF kDefault = RGB(0, 147, 0);

// The colour notices that reached the frame, caught by subclassing its window.
struct ColorNotice
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<ColorNotice> g_notices;
WNDPROC g_pfnFrameProc = nullptr;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged ||
        message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally ||
        message == CExtPopupColorMenuWnd::g_nMsgNotifyCustColor)
        g_notices.push_back({message, wParam, lParam});
    return ::CallWindowProcA(g_pfnFrameProc, hWnd, message, wParam, lParam);
}

// Whether the colour shows anywhere inside the rectangle of the window as drawn.
bool ColorShowsIn(CWnd* pWnd, const RECT& rc, COLORREF clr)
{
    pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC hDC = ::GetDC(pWnd->GetSafeHwnd());
    bool bFound = false;
    for (int y = rc.top; y < rc.bottom && !bFound; ++y)
        for (int x = rc.left; x < rc.right && !bFound; ++x)
            bFound = ::GetPixel(hDC, x, y) == clr;
    ::ReleaseDC(pWnd->GetSafeHwnd(), hDC);
    return bFound;
}

class BarColorButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (UINT i = 0; i < 6; ++i)
            m_frame.AddCommand(CToolBarTestFrame::FIRST_CMD + i, RGB(200, 200, 20 * i),
                               ("cmd " + std::to_string(i)).c_str());
        m_pBar = m_frame.DockToolBar({CToolBarTestFrame::FIRST_CMD, CToolBarTestFrame::FIRST_CMD + 1});
        m_pButton = new CExtBarColorButton(m_pBar, kColorCmd);
        m_pButton->ColorSet(kCurrent, false);
        m_pButton->ColorSet(kDefault, true);
        m_pButton->LParamCookieSet(kCookie);
        m_pButton->SetCustomColorBtnText("More colours");
        m_pButton->SetCustomColorBtnVisible(false);
        ASSERT_TRUE(m_pBar->InsertSpecButton(-1, m_pButton));
        m_frame.Settle();
        m_nIndex = m_pBar->FindButtonIndex(m_pButton);
        g_notices.clear();
        g_pfnFrameProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            m_frame.Frame()->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
    }
    void TearDown() override
    {
        CExtToolControlBar::CancelAllBarsMenuTracking();
        PumpMessagesFor(30);
        ::SetWindowLongPtrA(m_frame.Frame()->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnFrameProc));
    }
    // The menu's settings as the button handed them over.
    void ExpectSetUpFromButton(const CExtPopupColorMenuWnd* pMenu, const char* pszWhat) const
    {
        EXPECT_EQ(kCookie, pMenu->m_lParamCookie) << pszWhat;
        EXPECT_EQ(kCurrent, pMenu->m_clrInitial) << pszWhat;
        EXPECT_EQ(kDefault, pMenu->m_clrDefault) << pszWhat << ": the default colour goes to the menu";
        EXPECT_EQ(CExtPopupColorMenuWnd::BUTTON_DEFAULT, pMenu->m_nButtonFlags) << pszWhat;
        EXPECT_STREQ("More colours", pMenu->m_sCustomCaption.GetString()) << pszWhat;
        EXPECT_STREQ("Default Color", pMenu->m_sDefaultCaption.GetString())
            << pszWhat << ": an empty caption keeps the menu's own";
    }

    CToolBarTestFrame m_frame;
    CExtToolControlBar* m_pBar = nullptr;
    CExtBarColorButton* m_pButton = nullptr;
    int m_nIndex = -1;
};
} // namespace

// The icon follows the current colour in each icon kind; the default colour never shows in it.
TEST_F(BarColorButtonTest, IconShowsTheCurrentColourNotTheDefault)
{
    const int kinds[] = {CExtBarColorButton::ICON_SOLID, CExtBarColorButton::ICON_FRAME,
                         CExtBarColorButton::ICON_LETTER};
    for (int nKind : kinds) {
        auto* pButton = new CExtBarColorButton(m_pBar, CToolBarTestFrame::FIRST_CMD + 4, nKind);
        ASSERT_TRUE(m_pBar->InsertSpecButton(0, pButton));
        m_frame.Settle();
        pButton->ColorSet(RGB(255, 0, 0), false);
        pButton->ColorSet(RGB(0, 255, 0), true);
        EXPECT_TRUE(ColorShowsIn(m_pBar, pButton->GetRect(), RGB(255, 0, 0))) << "kind " << nKind;
        EXPECT_FALSE(ColorShowsIn(m_pBar, pButton->GetRect(), RGB(0, 255, 0))) << "kind " << nKind;
        EXPECT_EQ(RGB(0, 255, 0), pButton->ColorGet(false)) << "kind " << nKind;
        m_pBar->RemoveButton(0);
    }
}

// A press drops the colour menu set up from the button; choosing a cell reports its colour
// with the cookie. A disabled colour button opens nothing.
TEST_F(BarColorButtonTest, PressDropsTheColourMenuAndAChosenCellReachesTheFrame)
{
    struct Case
    {
        const char* pszWhat;
        bool bDisabled;
    };
    const Case cases[] = {{"enabled", false}, {"disabled", true}};
    constexpr int kRedCell = 16;
    for (const Case& c : cases) {
        // The idle update would undo a style set directly.
        m_frame.Frame()->m_states[kColorCmd] = {!c.bDisabled, 0};
        m_pBar->OnUpdateCmdUI(m_frame.Frame(), TRUE);
        ASSERT_EQ(c.bDisabled, m_pButton->IsDisabled()) << c.pszWhat;
        g_notices.clear();
        CPoint ptButton = m_pButton->GetRect().CenterPoint();
        m_pBar->ClientToScreen(&ptButton);
        CInputScript press({InputStep::Move(ptButton.x, ptButton.y), InputStep::Down(), InputStep::Up(),
                            InputStep::Wait(200)});
        press.Start();
        press.Finish();
        auto* pMenu = dynamic_cast<CExtPopupColorMenuWnd*>(g_PopupMenuTrackingState.m_pTrackedPopup);
        if (c.bDisabled) {
            EXPECT_EQ(nullptr, pMenu) << c.pszWhat;
            EXPECT_EQ(-1, m_pBar->GetMenuTrackingButton()) << c.pszWhat;
            continue;
        }
        ASSERT_NE(nullptr, pMenu) << c.pszWhat;
        EXPECT_EQ(m_nIndex, m_pBar->GetMenuTrackingButton()) << c.pszWhat;
        ExpectSetUpFromButton(pMenu, c.pszWhat);
        CInputScript choose({InputStep::MoveTo([pMenu] {
                                 RECT rc{};
                                 pMenu->GetPartRect(kRedCell, &rc);
                                 POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
                                 ::ClientToScreen(pMenu->GetSafeHwnd(), &pt);
                                 return pt;
                             }),
                             InputStep::Down(), InputStep::Up(), InputStep::Wait(200)});
        choose.Start();
        choose.Finish();
        ASSERT_FALSE(g_notices.empty()) << c.pszWhat;
        const ColorNotice& last = g_notices.back();
        EXPECT_EQ(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, last.message) << c.pszWhat;
        EXPECT_EQ(CExtPopupColorMenuWnd::g_palette[kRedCell].clr, static_cast<COLORREF>(last.wParam)) << c.pszWhat;
        EXPECT_EQ(kCookie, last.lParam) << c.pszWhat;
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive()) << c.pszWhat;
        EXPECT_TRUE(m_frame.Frame()->m_commands.empty()) << c.pszWhat << ": the colour runs no command";
    }
}

// Put into another menu the button becomes a colour submenu, enabled as the button is;
// executing the button sends the current colour as final.
TEST_F(BarColorButtonTest, InAMenuItIsAColourSubmenuAndExecutionSendsTheCurrentColour)
{
    for (bool bDisabled : {false, true}) {
        m_pBar->SetButtonStyleAt(m_nIndex, bDisabled ? TBBS_DISABLED : 0);
        CExtPopupMenuWnd menu;
        ASSERT_TRUE(menu.PrepareEmptyPopup(m_frame.Frame()->GetSafeHwnd()));
        ASSERT_TRUE(m_pButton->PutToPopupMenu(&menu));
        ASSERT_EQ(1, menu.CountItems());
        CString sText;
        menu.GetItemText(sText, 0);
        EXPECT_STREQ("cmd 5", sText.GetString());
        auto* pMenu = dynamic_cast<CExtPopupColorMenuWnd*>(menu.GetSubmenuAt(0));
        ASSERT_NE(nullptr, pMenu);
        ExpectSetUpFromButton(pMenu, bDisabled ? "disabled" : "enabled");
        EXPECT_EQ(!bDisabled, (menu.ItemDataAt(0)->nFlagsB & CExtPopupMenuWnd::MENUITEMDATA::B_ENABLED) != 0);
    }
    m_pButton->OnDeliverCmd();
    ASSERT_EQ(1U, g_notices.size());
    EXPECT_EQ(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, g_notices[0].message);
    EXPECT_EQ(kCurrent, static_cast<COLORREF>(g_notices[0].wParam));
    EXPECT_EQ(kCookie, g_notices[0].lParam);
}
