#include "ToolBarTestFrame.h"

#include "platform/mfc/ClientDC.h"
#include "ui/bars/ExtBarContentExpandButton.h"

#include <gtest/gtest.h>

namespace
{
constexpr UINT kCmd = CToolBarTestFrame::FIRST_CMD;

TEST(BarButtonState, SeparatorFollowsTheIdWhateverStyleWasPassed)
{
    struct Case
    {
        UINT nId;
        DWORD dwStyle;
        bool bSeparator;
    };
    const Case cases[] = {
        {0, 0, true},
        {0, TBBS_CHECKBOX, true},
        {kCmd, TBBS_SEPARATOR, false},
        {kCmd, TBBS_SEPARATOR | TBBS_CHECKBOX, false},
    };
    for (const Case& c : cases) {
        CExtBarButton button(nullptr, c.nId, c.dwStyle);
        EXPECT_EQ(c.bSeparator, button.IsSeparator()) << c.nId << " " << c.dwStyle;
        EXPECT_TRUE(button.IsVisible()) << "visible from construction";
        EXPECT_TRUE(button.GetText().IsEmpty());
    }
    CExtBarButton button(nullptr, kCmd, 0);
    button.SetStyle(TBBS_SEPARATOR);
    EXPECT_EQ(0U, button.GetCmdID(false));
    EXPECT_EQ(0U, button.GetCmdID(true)) << "a separator style zeroes both ids";
}

TEST(BarButtonState, WrapFlagsAreKeptPerLayoutMode)
{
    CExtBarButton button(nullptr, kCmd, 0);
    const int modes[] = {CExtToolControlBar::WRAP_MODE_HORZ, CExtToolControlBar::WRAP_MODE_VERT,
                         CExtToolControlBar::WRAP_MODE_FLOATING};
    for (int nSet : modes) {
        for (int nClear : modes)
            button.SetWrapFlag(nClear, false);
        button.SetWrapFlag(nSet, true);
        for (int nRead : modes)
            EXPECT_EQ(nRead == nSet, button.IsWrap(nRead)) << "set " << nSet << " read " << nRead;
    }
    button.SetWrapFlag(7, true);
    EXPECT_TRUE(button.IsWrap(CExtToolControlBar::WRAP_MODE_FLOATING)) << "any other mode is the floating one";
}

TEST(BarButtonState, PressedMeansPressedOrCheckedAndStyleChangesKeepTheRest)
{
    CExtBarButton button(nullptr, kCmd, TBBS_CHECKBOX);
    EXPECT_FALSE(button.IsPressed());
    button.ModifyStyle(TBBS_CHECKED);
    EXPECT_TRUE(button.IsPressed());
    button.ModifyStyle(TBBS_PRESSED | TBBS_DISABLED, TBBS_CHECKED);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_TRUE(button.IsDisabled());
    EXPECT_EQ(TBBS_CHECKBOX | TBBS_PRESSED | TBBS_DISABLED, button.GetStyle());
}

TEST(BarButtonMenu, OwnedMenuDiesWithTheButtonAndABorrowedOneSurvives)
{
    HMENU hOwned = ::CreatePopupMenu();
    HMENU hBorrowed = ::CreatePopupMenu();
    {
        CExtBarButton button(nullptr, kCmd, TBBS_DISABLED);
        button.SetMenu(hOwned, false, true);
        EXPECT_FALSE(button.IsDisabled()) << "a menu enables the button";
        EXPECT_TRUE(button.CanTrackMenuEx());
        button.SetMenu(hBorrowed, true, false);
        EXPECT_FALSE(::IsMenu(hOwned)) << "replacing an owned menu destroys it";
        EXPECT_TRUE(button.IsTakeFirstSubmenu());
    }
    EXPECT_TRUE(::IsMenu(hBorrowed));
    ::DestroyMenu(hBorrowed);
}

class CCountingWnd : public CWnd
{
public:
    explicit CCountingWnd(int* pDeleted) : m_pDeleted(pDeleted) {}
    ~CCountingWnd() override { ++*m_pDeleted; }

private:
    int* m_pDeleted;
};

TEST(BarButtonControl, ReplacingAControlDeletesItUnlessItDeletesItself)
{
    int nDeleted = 0;
    CCountingWnd selfDeleting(&nDeleted);
    {
        CExtBarButton button(nullptr, kCmd, 0);
        button.SetCtrl(new CCountingWnd(&nDeleted));
        button.SetCtrl(&selfDeleting, true);
        EXPECT_EQ(1, nDeleted) << "the first control was the button's to delete";
        EXPECT_TRUE(button.IsNoCtrlButton()) << "a control without window does not count";
    }
    EXPECT_EQ(1, nDeleted) << "the second deletes itself";
}

// Button sizes measured with the bar's font, as the layout measures them.
class BarButtonSize : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame.AddCommand(kCmd, RGB(200, 0, 0));
        m_frame.AddCommand(kCmd + 1, RGB(0, 200, 0), "A&B");
        m_frame.AddCommand(kCmd + 2, RGB(0, 0, 200), "A&&B");
        m_pBar = m_frame.DockToolBar({kCmd});
    }
    CSize Measure(CExtBarButton& button, bool bHorz)
    {
        CClientDC dc(m_pBar);
        CFont* pOld = dc.SelectObject(m_pBar->GetBarFont(!bHorz));
        const CSize size = button.CalculateLayout(dc, m_pBar->GetDefaultButtonSize(), bHorz);
        dc.SelectObject(pOld);
        return size;
    }
    int TextWidth(LPCSTR lpszText)
    {
        CClientDC dc(m_pBar);
        CFont* pOld = dc.SelectObject(m_pBar->GetBarFont(false));
        CRect rc(0, 0, 0, 0);
        dc.DrawText(lpszText, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
        dc.SelectObject(pOld);
        return rc.Width();
    }
    CToolBarTestFrame m_frame;
    CExtToolControlBar* m_pBar = nullptr;
};

TEST_F(BarButtonSize, FromIconTextAndDropDownArrow)
{
    constexpr int kIcon = CToolBarTestFrame::ICON_SIZE;
    // Icon and text plus the face padding twice; a drop-down adds its arrow strip of 11.
    const int nIconOnly = kIcon + 12;
    struct Case
    {
        const char* pszWhat;
        UINT nId;
        bool bDropDown;
        bool bHorz;
        CSize expected;
    };
    const Case cases[] = {
        {"separator along a row", 0, false, true, CSize(6, 22)},
        {"separator down a column", 0, false, false, CSize(23, 6)},
        {"command without item", kCmd + 50, false, true, CSize(23, 22)},
        {"icon only", kCmd, false, true, CSize(nIconOnly, 22)},
        {"icon only, vertical", kCmd, false, false, CSize(23, kIcon + 3 + 6)},
        {"icon with drop-down", kCmd, true, true, CSize(nIconOnly + 11, 22)},
        {"icon with drop-down, vertical", kCmd, true, false, CSize(23, kIcon + 3 + 6 + 11)},
        {"mnemonic takes no room", kCmd + 1, false, true, CSize(nIconOnly + TextWidth("AB"), 22)},
        {"doubled ampersand shows one", kCmd + 2, false, true, CSize(nIconOnly + TextWidth("A&B"), 22)},
    };
    for (const Case& c : cases) {
        CExtBarButton button(m_pBar, c.nId, 0);
        if (c.bDropDown)
            button.SetMenu(::CreatePopupMenu(), false, true);
        EXPECT_EQ(c.expected, Measure(button, c.bHorz)) << c.pszWhat;
    }
}

TEST_F(BarButtonSize, TooltipNeedsATipTextAndTheBarsOption)
{
    m_frame.AddCommand(kCmd + 3, RGB(9, 9, 9), "", "Tip three");
    CExtBarButton withTip(m_pBar, kCmd + 3, 0);
    withTip.SetRect(CRect(5, 1, 33, 23));
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    ASSERT_EQ(static_cast<INT_PTR>(kCmd + 3), withTip.OnToolHitTest(CPoint(6, 2), &info));
    EXPECT_STREQ("Tip three", info.lpszText);
    EXPECT_EQ(CRect(5, 1, 33, 23), CRect(info.rect));
    EXPECT_EQ(m_pBar->GetSafeHwnd(), info.hwnd);
    ::free(info.lpszText);

    CExtBarButton noTip(m_pBar, kCmd, 0);
    EXPECT_EQ(-1, noTip.OnToolHitTest(CPoint(0, 0), nullptr));
    CExtBarButton noItem(m_pBar, kCmd + 50, 0);
    EXPECT_EQ(-1, noItem.OnToolHitTest(CPoint(0, 0), nullptr));
    CExtBarButton separator(m_pBar, 0, 0);
    EXPECT_EQ(-1, separator.OnToolHitTest(CPoint(0, 0), nullptr));
}

TEST_F(BarButtonSize, ChevronIsElevenAlongTheBar)
{
    CExtBarContentExpandButton chevron(m_pBar);
    EXPECT_EQ(CSize(11, 22), Measure(chevron, true));
    EXPECT_EQ(CSize(23, 11), Measure(chevron, false));
    EXPECT_TRUE(chevron.CanTrackMenu());
    EXPECT_FALSE(chevron.PutToPopupMenu(nullptr));
}
} // namespace
