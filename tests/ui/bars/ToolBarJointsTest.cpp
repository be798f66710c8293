// What popups and hosted controls ask of tool bars: the release that follows the press opening a
// drop-down, the covering notices of hovered buttons, and a hosted push button's answers to the
// bars' menu and tip requests.
#include "ToolBarTestFrame.h"

#include "DragInputScript.h"
#include "ui/core/ExtButton.h"
#include "ui/core/ExtComboBox.h"
#include "ui/core/ExtItemCoveringNotification.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>

namespace
{
constexpr UINT kCmd = CToolBarTestFrame::FIRST_CMD;
constexpr UINT kHostedId = kCmd + 150;
constexpr LPCSTR kHostedText = "Pick";
constexpr LPCSTR kTip = "Tip";

class ToolBarJointsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (UINT i = 0; i < 3; ++i)
            m_frame.AddCommand(kCmd + i, RGB(60 * i, 120, 200), "", kTip);
    }
    void TearDown() override
    {
        CExtToolControlBar::CancelAllBarsMenuTracking();
        PumpMessagesFor(30);
    }
    // Three buttons, the middle one a drop-down.
    CExtToolControlBar* DockWithDropDown()
    {
        CExtToolControlBar* pBar = m_frame.DockToolBar({kCmd, kCmd + 1, kCmd + 2});
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, kCmd + 20, "First");
        ::AppendMenuA(hMenu, MF_STRING, kCmd + 21, "Second");
        pBar->SetButtonMenu(1, hMenu);
        m_frame.Settle();
        return pBar;
    }
    static CPoint ScreenCentre(CWnd* pWnd, const CRect& rcClient)
    {
        CPoint pt = rcClient.CenterPoint();
        pWnd->ClientToScreen(&pt);
        return pt;
    }
    CToolBarTestFrame m_frame;
};

// A push button with a drop-down menu whose own tip text can be read.
class CHostedButton : public CExtButton
{
public:
    CString TipText()
    {
        CString sText;
        if (m_tip.GetSafeHwnd() != nullptr)
            m_tip.GetText(sText, this, 1);
        return sText;
    }
};

// The hosted button, in place of a tool-bar button.
CHostedButton* HostButton(CExtToolControlBar* pBar, int nIndex)
{
    auto* pButton = new CHostedButton;
    pButton->Create(kHostedText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, pBar->GetButtonRect(nIndex), pBar, kHostedId);
    HMENU hBar = ::CreateMenu();
    HMENU hDrop = ::CreatePopupMenu();
    ::AppendMenuA(hDrop, MF_STRING, kCmd + 30, "Hosted");
    ::AppendMenuA(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hDrop), "Drop");
    pButton->m_menu.Attach(hBar);
    pBar->GetButtonByIndex(nIndex)->SetCtrl(pButton);
    return pButton;
}
// Looks for the tip of a window (tool 1) among the thread's tool-tip controls.
struct CTipSearch
{
    HWND hWnd;
    std::string text;
};

BOOL CALLBACK FindOwnTip(HWND hTip, LPARAM lParam)
{
    auto& search = *reinterpret_cast<CTipSearch*>(lParam);
    char szClass[32] = {};
    ::GetClassNameA(hTip, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    char szText[256] = {};
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = search.hWnd;
    info.uId = 1;
    info.lpszText = szText;
    ::SendMessageA(hTip, TTM_GETTEXTA, sizeof szText, reinterpret_cast<LPARAM>(&info));
    search.text = szText;
    return search.text.empty();
}

// The text of a window's own tip, or empty.
std::string OwnTipText(HWND hWnd)
{
    CTipSearch search{hWnd, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindOwnTip, reinterpret_cast<LPARAM>(&search));
    return search.text;
}
} // namespace

// A combo box hosted in a tool bar shows the bar's tip for its place, over its own frame and over
// its edit part, and answers no tool of its own.
TEST_F(ToolBarJointsTest, HostedComboBoxAndItsEditShowTheBarsTip)
{
    CExtToolControlBar* pBar = m_frame.DockToolBar({kCmd, kCmd + 1});
    auto* pCombo = new CExtComboBox;
    CRect rcPlace = pBar->GetButtonRect(1);
    rcPlace.bottom = rcPlace.top + 120;
    ASSERT_TRUE(pCombo->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, rcPlace, pBar, kHostedId));
    pBar->GetButtonByIndex(1)->SetCtrl(pCombo);
    HWND hEdit = ::GetWindow(pCombo->m_hWnd, GW_CHILD);
    ASSERT_NE(nullptr, hEdit);
    for (HWND hWnd : {pCombo->m_hWnd, hEdit}) {
        CRect rcClient;
        ::GetClientRect(hWnd, &rcClient);
        TOOLINFOA info{};
        info.cbSize = sizeof(info);
        EXPECT_EQ(-1, CWnd::FromHandle(hWnd)->OnToolHitTest(rcClient.CenterPoint(), &info)) << (hWnd == hEdit);
        EXPECT_EQ(kTip, OwnTipText(hWnd)) << (hWnd == hEdit ? "the edit part" : "the combo box");
    }
}

// A button lights up under the mouse only while its bar's window is the one the user works in.
TEST_F(ToolBarJointsTest, ButtonsLightUpOnlyWhileTheirWindowIsActive)
{
    CExtToolControlBar* pBar = m_frame.DockToolBar({kCmd, kCmd + 1});
    m_frame.Settle();
    const CPoint ptButton = pBar->GetButtonRect(0).CenterPoint();
    HWND hOther = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 700, 500, 50, 50, nullptr, nullptr,
                                    nullptr, nullptr);
    ::SetActiveWindow(hOther);
    pBar->UpdateHoverButton(ptButton);
    EXPECT_EQ(-1, pBar->GetHoverButton()) << "another window is active";
    ::DestroyWindow(hOther);
    m_frame.Frame()->SetActiveWindow();
    pBar->UpdateHoverButton(ptButton);
    EXPECT_EQ(0, pBar->GetHoverButton());
}

TEST_F(ToolBarJointsTest, DropDownOutlivesOnlyTheReleaseOverItsOwnButton)
{
    CExtToolControlBar* pBar = DockWithDropDown();
    const struct
    {
        const char* pszWhere;
        CPoint ptRelease;
        bool bStaysOpen;
    } cases[] = {
        {"over the drop-down", ScreenCentre(pBar, pBar->GetButtonRect(1)), true},
        {"over another button", ScreenCentre(pBar, pBar->GetButtonRect(2)), false},
        {"over the frame", ScreenCentre(m_frame.Frame(), CRect(0, 200, 400, 300)), false},
    };
    const CPoint ptPress = ScreenCentre(pBar, pBar->GetButtonRect(1));
    for (const auto& c : cases) {
        std::atomic<bool> bOpen{false}, bFlag{false};
        CInputScript script({InputStep::Move(ptPress.x, ptPress.y), InputStep::Down(), InputStep::Wait(200),
                             InputStep::Move(c.ptRelease.x, c.ptRelease.y), InputStep::Up(), InputStep::Wait(200),
                             InputStep::Call([&] {
                                 bOpen = CExtPopupMenuWnd::IsTrackingActive();
                                 bFlag = CExtToolControlBar::g_bButtonMenuTracking;
                             }),
                             InputStep::KeyDown(VK_ESCAPE), InputStep::KeyUp(VK_ESCAPE), InputStep::Wait(100)});
        script.Start();
        script.Finish();
        EXPECT_EQ(c.bStaysOpen, bOpen.load()) << c.pszWhere;
        EXPECT_EQ(c.bStaysOpen, bFlag.load()) << c.pszWhere;
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive()) << c.pszWhere;
        EXPECT_TRUE(m_frame.Frame()->m_commands.empty()) << c.pszWhere;
    }
}

TEST_F(ToolBarJointsTest, HoveredButtonsTellTheFrameWhatTheyCover)
{
    CExtToolControlBar* pBar = m_frame.DockToolBar({kCmd, kCmd + 1});
    const CPoint ptFirst = ScreenCentre(pBar, pBar->GetButtonRect(0));
    const CPoint ptSecond = ScreenCentre(pBar, pBar->GetButtonRect(1));
    const CPoint ptAway = ScreenCentre(m_frame.Frame(), CRect(0, 200, 400, 300));
    CInputScript script({InputStep::Move(ptAway.x, ptAway.y), InputStep::Wait(100),
                         InputStep::Call([this] { m_frame.Frame()->m_notices.clear(); }),
                         InputStep::Move(ptFirst.x, ptFirst.y), InputStep::Move(ptSecond.x, ptSecond.y),
                         InputStep::Move(ptFirst.x, ptFirst.y), InputStep::Wait(100)});
    script.Start();
    script.Finish();
    using Notice = CCommandRecordingFrame::CoveringNotice;
    const Notice expected[] = {
        {pBar->GetButtonByIndex(0), CExtItemCoveringNotification::KIND_COVERED, -1},
        {pBar->GetButtonByIndex(0), CExtItemCoveringNotification::KIND_LEFT, -1},
        {pBar->GetButtonByIndex(1), CExtItemCoveringNotification::KIND_COVERED, -1},
        {pBar->GetButtonByIndex(1), CExtItemCoveringNotification::KIND_LEFT, -1},
        {pBar->GetButtonByIndex(0), CExtItemCoveringNotification::KIND_COVERED, -1},
    };
    const auto& notices = m_frame.Frame()->m_notices;
    ASSERT_EQ(std::size(expected), notices.size());
    for (size_t i = 0; i < notices.size(); ++i) {
        EXPECT_EQ(expected[i].pButton, notices[i].pButton) << "notice " << i;
        EXPECT_EQ(expected[i].nKind, notices[i].nKind) << "notice " << i;
        EXPECT_EQ(expected[i].nItem, notices[i].nItem) << "notice " << i;
    }
}

TEST_F(ToolBarJointsTest, HostedPushButtonAnswersTheBarsMenuAndTipRequests)
{
    CExtToolControlBar* pBar = m_frame.DockToolBar({kCmd, kCmd + 1});
    CHostedButton* pHosted = HostButton(pBar, 1);
    CExtBarButton* pPlace = pBar->GetButtonByIndex(1);

    // Into the chevron's kind of menu: the hosted button puts its own drop-down in as a submenu.
    auto* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->PrepareEmptyPopup(m_frame.Frame()->GetSafeHwnd()));
    EXPECT_TRUE(pPlace->PutToPopupMenu(pPopup));
    ASSERT_EQ(1, pPopup->CountItems());
    CString sText;
    pPopup->GetItemText(sText, 0);
    EXPECT_STREQ(kHostedText, sText.GetString());
    ASSERT_NE(nullptr, pPopup->GetSubmenuAt(0));
    EXPECT_EQ(kCmd + 30, pPopup->GetSubmenuAt(0)->CommandIdAt(0));
    delete pPopup;

    // The bar's tip for the place: the hosted button shows it and answers no tool of its own.
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    CRect rcHosted;
    pHosted->GetClientRect(&rcHosted);
    EXPECT_EQ(-1, static_cast<CWnd*>(pHosted)->OnToolHitTest(rcHosted.CenterPoint(), &info));
    EXPECT_STREQ(kTip, pHosted->TipText().GetString());

    // Drop-down tracking that reaches the place opens the hosted button's menu.
    CRect rcHostedWindow;
    pHosted->GetWindowRect(&rcHostedWindow);
    auto hostedMenuOpen = [&] {
        const CExtPopupMenuWnd* pTracked = g_PopupMenuTrackingState.m_pTrackedPopup;
        return CExtPopupMenuWnd::IsTrackingActive() && pTracked != nullptr &&
               pTracked->GetExcludeArea() == rcHostedWindow;
    };
    pPlace->OnTrackPopup(pBar->GetButtonRect(1).CenterPoint(), false, false);
    PumpMessagesFor(60);
    EXPECT_TRUE(hostedMenuOpen()) << "the hosted button's menu is open";
    // Sliding over the button while its own menu is open keeps that very menu.
    const CExtPopupMenuWnd* pOpen = g_PopupMenuTrackingState.m_pTrackedPopup;
    CExtToolControlBar::g_bButtonMenuTracking = true;
    pHosted->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(pOpen, g_PopupMenuTrackingState.m_pTrackedPopup) << "no re-opening";
    CExtToolControlBar::CancelAllBarsMenuTracking();
    PumpMessagesFor(60);
    // Sliding over it while another bar menu is open moves the menu to it.
    HMENU hOther = ::CreatePopupMenu();
    ::AppendMenuA(hOther, MF_STRING, kCmd + 40, "Other");
    pBar->SetButtonMenu(0, hOther);
    pBar->GetButtonByIndex(0)->OnTrackPopup(pBar->GetButtonRect(0).CenterPoint(), false, false);
    PumpMessagesFor(60);
    ASSERT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
    EXPECT_FALSE(hostedMenuOpen());
    pHosted->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    PumpMessagesFor(60);
    EXPECT_TRUE(hostedMenuOpen()) << "moved to the hosted button";
    CExtToolControlBar::CancelAllBarsMenuTracking();
    PumpMessagesFor(60);
}
