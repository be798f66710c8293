#include "tests/ui/core/PopupTestSupport.h"
#include "tests/support/ScreenImage.h"
#include "ui/core/ExtColorButton.h"
#include "ui/core/ExtCustomColorDialog.h"
#include "ui/core/ExtPopupColorMenuWnd.h"
#include "ui/core/ExtPopupMenuTrackingState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT ID_COLOR_BUTTON = 600;
const RECT BUTTON_RECT = {40, 40, 100, 70};
constexpr LPARAM COOKIE = 0x1234;

struct Notice
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records the colour messages its button passes on.
class CColorParent : public CWnd
{
public:
    std::vector<Notice> m_notices;
    std::vector<Notice> Of(UINT message) const
    {
        std::vector<Notice> out;
        for (const Notice& n : m_notices)
            if (n.message == message)
                out.push_back(n);
        return out;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged ||
            message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally ||
            message == CExtPopupColorMenuWnd::g_nMsgNotifyCustColor)
            m_notices.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

CExtPopupColorMenuWnd* TrackedColorPopup()
{
    CExtPopupMenuWnd* pPopup = g_PopupMenuTrackingState.m_pTrackedPopup;
    return pPopup != nullptr && pPopup->IsKindOf(RUNTIME_CLASS(CExtPopupColorMenuWnd))
               ? static_cast<CExtPopupColorMenuWnd*>(pPopup)
               : nullptr;
}

// Presses the default button of the dialog the button opens for a custom colour.
HWND g_hWndDialog = nullptr;
BOOL CALLBACK FindDialog(HWND hWnd, LPARAM)
{
    char szClass[16] = {};
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (std::string(szClass) == "#32770" && ::IsWindowVisible(hWnd)) {
        g_hWndDialog = hWnd;
        return FALSE;
    }
    return TRUE;
}
void CALLBACK AcceptDialog(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    g_hWndDialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, 0);
    if (g_hWndDialog != nullptr) {
        ::KillTimer(nullptr, nTimer);
        ::PostMessageA(g_hWndDialog, WM_COMMAND, IDOK, 0);
    }
}

class CTestColorButton : public CExtColorButton
{
public:
    void SetSeparateArrow() { m_nFlags |= FLAG_SEPARATE_ARROW; }
};

class ColorButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, lpszClass, "colours", WS_POPUP | WS_VISIBLE, 0, 0, 420, 360,
                                      nullptr, nullptr));
        ASSERT_TRUE(m_button.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, BUTTON_RECT, &m_parent,
                                    ID_COLOR_BUTTON));
        m_button.m_lParamCookie = COOKIE;
        m_button.m_clrSelected = RGB(0, 0, 255);
        ::SetForegroundWindow(m_parent.m_hWnd);
        ::SetCursorPos(400, 340);
        PumpMessagesFor(60);
    }
    void TearDown() override
    {
        EndPopupTracking();
        m_button.DestroyWindow();
        m_parent.DestroyWindow();
    }
    POINT ButtonCentre() const
    {
        POINT pt = {(BUTTON_RECT.left + BUTTON_RECT.right) / 2, (BUTTON_RECT.top + BUTTON_RECT.bottom) / 2};
        ::ClientToScreen(m_parent.m_hWnd, &pt);
        return pt;
    }

    CColorParent m_parent;
    CTestColorButton m_button;
    CInstantPopups m_instantPopups;
};

}  // namespace

// The popup's final colour is stored (no colour as black) and passed on unchanged; previews are
// passed on without touching the button.
TEST_F(ColorButtonTest, PopupNoticesReachTheParent)
{
    const struct
    {
        const char* name;
        UINT message;
        COLORREF clrSent;
        COLORREF clrStored;
    } cases[] = {
        {"final colour", CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, RGB(10, 20, 30), RGB(10, 20, 30)},
        {"final no colour", CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, 0xFFFFFFFFu, RGB(0, 0, 0)},
        {"preview", CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged, RGB(200, 0, 0), RGB(7, 7, 7)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_button.m_clrSelected = RGB(7, 7, 7);
        m_parent.m_notices.clear();
        ::SendMessageA(m_button.m_hWnd, c.message, c.clrSent, COOKIE);
        EXPECT_EQ(m_button.m_clrSelected, c.clrStored);
        const auto passed = m_parent.Of(c.message);
        ASSERT_EQ(passed.size(), 1u);
        EXPECT_EQ(passed[0].wParam, c.clrSent);
        EXPECT_EQ(passed[0].lParam, COOKIE);
    }
}

// A click opens the colour popup set up from the button; the colour chosen in it becomes the
// button's and reaches the parent with the cookie.
TEST_F(ColorButtonTest, ClickOpensThePopupAndTheChosenColourReturns)
{
    m_button.m_clrSelected = CExtPopupColorMenuWnd::g_palette[13].clr;
    m_button.m_bEnableBtnColorDefault = false;
    m_button.m_sBtnTextColorCustom = "More...";
    ::InvalidateRect(m_button.m_hWnd, nullptr, FALSE);
    PumpMessagesFor(60);
    const POINT ptCentre = ButtonCentre();
    EXPECT_TRUE(ColorNear(ScreenPixel(ptCentre.x, ptCentre.y), CExtPopupColorMenuWnd::g_palette[13].clr, 8))
        << "the button shows its colour";
    ClickAt(ptCentre);
    CExtPopupColorMenuWnd* pPopup = TrackedColorPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetSelectedIndex(), 13);
    EXPECT_EQ(pPopup->m_nButtonFlags, CExtPopupColorMenuWnd::BUTTON_CUSTOM);
    EXPECT_STREQ(pPopup->m_sCustomCaption, "More...");
    EXPECT_EQ(pPopup->m_lParamCookie, COOKIE);
    CRect rcShot;
    ::GetWindowRect(pPopup->GetSafeHwnd(), &rcShot);
    CRect rcButton;
    ::GetWindowRect(m_button.m_hWnd, &rcButton);
    rcShot.UnionRect(rcShot, rcButton);
    rcShot.InflateRect(8, 8);
    EXPECT_TRUE(SaveScreenRectPng(rcShot, "color-button.png"));
    PressKey(VK_RIGHT);
    PressKey(VK_RIGHT);
    PressKey(VK_RETURN);
    PumpMessagesFor(100);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(m_button.m_clrSelected, CExtPopupColorMenuWnd::g_palette[1].clr);
    const auto finals = m_parent.Of(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally);
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].wParam, CExtPopupColorMenuWnd::g_palette[1].clr);
    EXPECT_EQ(finals[0].lParam, COOKIE);
}

// A split button's body reports its current colour at once; its arrow opens the popup.
TEST_F(ColorButtonTest, SplitButtonBodyReportsTheCurrentColour)
{
    const struct
    {
        const char* name;
        bool bArrow;
        bool bOpens;
    } cases[] = {{"body", false, false}, {"arrow", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_parent.m_notices.clear();
        m_button.SetSeparateArrow();
        m_button.OnClick(false, c.bArrow);
        PumpMessagesFor(60);
        EXPECT_EQ(TrackedColorPopup() != nullptr, c.bOpens);
        const auto finals = m_parent.Of(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally);
        ASSERT_EQ(finals.size(), c.bOpens ? 0u : 1u);
        if (!c.bOpens) {
            EXPECT_EQ(finals[0].wParam, RGB(0, 0, 255));
            EXPECT_EQ(finals[0].lParam, COOKIE);
        }
        EndPopupTracking();
    }
}

// The custom colour comes from the system dialog, from the dialog the application installed,
// or, with neither, the parent is asked.
TEST_F(ColorButtonTest, CustomColourUsesTheDialogOrAsksTheParent)
{
    m_button.m_bUseStdColorDlg = false;
    ::SendMessageA(m_button.m_hWnd, CExtPopupColorMenuWnd::g_nMsgNotifyCustColor, 0, COOKIE);
    const auto asks = m_parent.Of(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor);
    ASSERT_EQ(asks.size(), 1u);
    EXPECT_EQ(asks[0].lParam, COOKIE);

    m_parent.m_notices.clear();
    m_button.m_bUseStdColorDlg = true;
    m_button.m_clrSelected = RGB(0, 128, 64);
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 200, &AcceptDialog);
    ::SendMessageA(m_button.m_hWnd, CExtPopupColorMenuWnd::g_nMsgNotifyCustColor, 0, COOKIE);
    ::KillTimer(nullptr, nTimer);
    const auto finals = m_parent.Of(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally);
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].wParam, RGB(0, 128, 64));
    EXPECT_EQ(finals[0].lParam, COOKIE);

    // The application's colour dialog, once installed, answers instead of the parent.
    struct CInstalledDialog {
        static bool PickBlue(HWND, COLORREF, COLORREF& clrChosen)
        {
            clrChosen = RGB(0, 0, 255);
            return true;
        }
        static bool Cancel(HWND, COLORREF, COLORREF&) { return false; }
    };
    m_button.m_bUseStdColorDlg = false;
    for (const auto runner : {&CInstalledDialog::Cancel, &CInstalledDialog::PickBlue}) {
        m_parent.m_notices.clear();
        const CExtCustomColorDialog::Runner previous = CExtCustomColorDialog::Install(runner);
        ::SendMessageA(m_button.m_hWnd, CExtPopupColorMenuWnd::g_nMsgNotifyCustColor, 0, COOKIE);
        CExtCustomColorDialog::Install(previous);
        EXPECT_TRUE(m_parent.Of(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor).empty());
        const auto chosen = m_parent.Of(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally);
        const bool picked = runner == &CInstalledDialog::PickBlue;
        ASSERT_EQ(chosen.size(), picked ? 1u : 0u);
        EXPECT_EQ(m_button.m_clrSelected, picked ? RGB(0, 0, 255) : RGB(0, 128, 64));
    }
}
