// The menu bar's MDI buttons: the caption buttons' places by the child's boxes and the bar's
// orientation, the document button's icon lookup, and, on a real MDI frame, the buttons of a
// maximised child that restore or close it when clicked.
#include "DragInputScript.h"
#include "MenuBarTestFrame.h"
#include "MenuBarTestResources.h"
#include "tests/support/ScreenImage.h"
#include "ui/bars/ExtBarMdiRightButton.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Info = CExtBarMdiRightButton::MdiButtonsInfo_t;
constexpr int kButtonW = 16;
constexpr int kButtonH = 14;

// The left (horizontal) or top (vertical) edge of each caption button; -1 when it is absent.
struct Places
{
    int nHelp, nMinimize, nRestore, nRestoreNoMinimize, nClose;
};

int PlaceOf(const CRect& rc, bool bHorz)
{
    return rc.IsRectEmpty() ? -1 : (bHorz ? rc.left : rc.top);
}

HICON SolidIcon(COLORREF clr, int nSize)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, nSize, nSize);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hColor);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    const RECT rc{0, 0, nSize, nSize};
    ::FillRect(hMem, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    std::vector<BYTE> mask(static_cast<size_t>(nSize * nSize / 8), 0);
    HBITMAP hMask = ::CreateBitmap(nSize, nSize, 1, 1, mask.data());
    ICONINFO info{TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);
    return hIcon;
}

// The colour an icon draws at its centre.
COLORREF CentreColour(CExtCmdIcon& icon)
{
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 32, 32);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    icon.DrawWithState(hMem, POINT{0, 0}, CExtCmdIcon::STATE_NORMAL);
    const CSize size = icon.GetImageSize();
    const COLORREF clr = ::GetPixel(hMem, size.cx / 2, size.cy / 2);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    return clr;
}

// Clicks at a screen point with real input and lets the frames handle it.
void ClickAt(CPoint pt)
{
    CInputScript script({InputStep::Move(pt.x, pt.y), InputStep::Down(), InputStep::Up(), InputStep::Wait(100)});
    script.Start();
    script.Finish();
    PumpTranslated(100);
}
} // namespace

TEST(MdiButtonsInfo, CaptionButtonsFollowTheChildsBoxesAndTheBarsOrientation)
{
    constexpr DWORD MIN = Info::FLAG_MINIMIZE_BOX;
    constexpr DWORD MAX = Info::FLAG_MAXIMIZE_BOX;
    constexpr DWORD CLOSE = Info::FLAG_CLOSE;
    constexpr DWORD HELP = Info::FLAG_HELP;
    const struct
    {
        const char* pszWhat;
        DWORD dwFlags;
        bool bHorz;
        RECT rcButton;
        Places expected;
    } cases[] = {
        {"minimise, restore, close", MIN | MAX | CLOSE, true, {0, 0, 100, 20}, {-1, 2, 20, -1, 38}},
        {"no minimise box: one restore", MAX | CLOSE, true, {0, 0, 100, 20}, {-1, -1, -1, 2, 20}},
        {"help first", HELP | MIN | MAX | CLOSE, true, {10, 0, 110, 20}, {12, 30, 48, -1, 66}},
        {"close greyed", MIN | MAX, true, {0, 0, 100, 20}, {-1, 2, 20, -1, -1}},
        {"vertical bar stacks from the top", MIN | MAX | CLOSE, false, {0, 0, 20, 100}, {-1, 2, 18, -1, 34}},
        {"empty button", MIN | MAX | CLOSE, true, {0, 0, 0, 0}, {-1, -1, -1, -1, -1}},
    };
    for (const auto& c : cases) {
        Info info;
        info.m_cxButton = kButtonW;
        info.m_cyButton = kButtonH;
        info.m_dwFlags = c.dwFlags | Info::FLAG_VALID;
        info.CalcButtonRects(c.rcButton, c.bHorz);
        EXPECT_EQ(c.expected.nHelp, PlaceOf(info.m_rcHelp, c.bHorz)) << c.pszWhat;
        EXPECT_EQ(c.expected.nMinimize, PlaceOf(info.m_rcMinimize, c.bHorz)) << c.pszWhat;
        EXPECT_EQ(c.expected.nRestore, PlaceOf(info.m_rcRestore, c.bHorz)) << c.pszWhat;
        EXPECT_EQ(c.expected.nRestoreNoMinimize, PlaceOf(info.m_rcRestoreNoMinimize, c.bHorz)) << c.pszWhat;
        EXPECT_EQ(c.expected.nClose, PlaceOf(info.m_rcClose, c.bHorz)) << c.pszWhat;
        if (!info.m_rcClose.IsRectEmpty()) {
            EXPECT_EQ(CSize(kButtonW, kButtonH), info.m_rcClose.Size()) << c.pszWhat;
            // Centred across the bar.
            const CRect rcAll(c.rcButton);
            if (c.bHorz)
                EXPECT_EQ(rcAll.top + (rcAll.Height() - kButtonH) / 2, info.m_rcClose.top) << c.pszWhat;
            else
                EXPECT_EQ(rcAll.left + (rcAll.Width() - kButtonW) / 2, info.m_rcClose.left) << c.pszWhat;
        }
    }
}

// The window's own small icon comes before its class's; a window and class without icons
// leave the icon empty (the button is then 19 x 19 and empty).
TEST(MdiDocButton, WindowIconComesFromTheWindowThenItsClass)
{
    HICON hRed = SolidIcon(RGB(200, 0, 0), 16);
    HICON hBlue = SolidIcon(RGB(0, 0, 200), 32);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "mdi doc button no icon";
    ::RegisterClassA(&wc);
    wc.lpszClassName = "mdi doc button class icon";
    wc.hIcon = hBlue;
    ::RegisterClassA(&wc);
    const struct
    {
        const char* pszWhat;
        LPCSTR lpszClass;
        bool bSmallIcon;
        COLORREF clrExpected;  // CLR_INVALID: no icon
    } cases[] = {
        {"no icon anywhere", "mdi doc button no icon", false, CLR_INVALID},
        {"the class's icon", "mdi doc button class icon", false, RGB(0, 0, 200)},
        {"the window's small icon first", "mdi doc button class icon", true, RGB(200, 0, 0)},
    };
    for (const auto& c : cases) {
        HWND hWnd = ::CreateWindowA(c.lpszClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, hWnd) << c.pszWhat;
        if (c.bSmallIcon)
            ::SendMessageA(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hRed));
        CExtCmdIcon icon;
        CExtBarMdiDocButton::LoadWindowIcon(hWnd, icon);
        if (c.clrExpected == CLR_INVALID) {
            EXPECT_TRUE(icon.HasNoImage()) << c.pszWhat;
        } else {
            ASSERT_FALSE(icon.HasNoImage()) << c.pszWhat;
            EXPECT_EQ(CSize(16, 16), icon.GetImageSize()) << c.pszWhat;
            EXPECT_EQ(c.clrExpected, CentreColour(icon)) << c.pszWhat;
        }
        ::DestroyWindow(hWnd);
    }
    CExtCmdIcon untouched;
    CExtBarMdiDocButton::LoadWindowIcon(nullptr, untouched);
    EXPECT_TRUE(untouched.HasNoImage());
    CExtBarMdiDocButton button;
    CDC dc;
    dc.Attach(::GetDC(nullptr));
    EXPECT_EQ(CSize(19, 19), button.CalculateLayout(dc, CSize(0, 0), true)) << "without an icon";
    ::ReleaseDC(nullptr, dc.Detach());
    ::DestroyIcon(hRed);
    ::DestroyIcon(hBlue);
}

// A maximised child puts its document button first and its caption buttons last; clicking restore or close does what the child's caption buttons do, and the buttons
// go when no child is maximised.
TEST(MenuBarMdiButtons, ClicksRestoreOrCloseTheMaximisedChild)
{
    const struct
    {
        const char* pszWhat;
        bool bMinimizeBox;
        bool bClose;  // click close, else restore
        const char* pszTip;
    } cases[] = {
        {"restore", true, false, "Restore the window to normal size"},
        {"restore of a child without minimise box", false, false, "Enlarge the window to full size"},
        {"close", true, true, "Close the active window and prompts to save the documents"},
    };
    bool bScreenshot = true;
    for (const auto& c : cases) {
        // The frame destroys the menu it shows when it goes: each scene loads its own.
        HMENU hDocMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MENUBAR_DOCUMENT));
        CMdiMenuBarScene scene;
        CCountingMenuBar* pBar = scene.Bar();
        CMDIChildWnd* pChild = scene.AddChild("Doc", hDocMenu);
        ASSERT_NE(nullptr, pChild) << c.pszWhat;
        const HWND hWndChild = pChild->GetSafeHwnd();
        if (!c.bMinimizeBox)
            pChild->ModifyStyle(WS_MINIMIZEBOX, 0);
        pChild->MDIMaximize();
        PumpTranslated(100);
        // The frame's delayed layout, which the application's idle time runs.
        scene.Frame()->RecalcLayout();
        PumpTranslated(50);
        ASSERT_TRUE(::IsZoomed(hWndChild)) << c.pszWhat;
        const int nCount = pBar->GetButtonCount();
        ASSERT_GE(nCount, 3) << c.pszWhat;
        ASSERT_TRUE(pBar->GetButtonByIndex(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton))) << c.pszWhat;
        auto* pRight = DYNAMIC_DOWNCAST(CExtBarMdiRightButton, pBar->GetButtonByIndex(nCount - 1));
        ASSERT_NE(nullptr, pRight) << c.pszWhat;
        EXPECT_GT(pRight->GetRect().left, pBar->GetButtonRect(nCount - 2).left) << c.pszWhat << ": after the menus";
        EXPECT_EQ(CSize(19, 19), pBar->GetButtonByIndex(0)->GetSize()) << c.pszWhat << ": a child without icon";

        Info info;
        ASSERT_NE(0U, pBar->GetMdiButtonsInfo(info, pRight, true) & Info::FLAG_VALID) << c.pszWhat;
        info.CalcButtonRects(pRight->GetRect(), true);
        EXPECT_EQ(c.bMinimizeBox, !info.m_rcMinimize.IsRectEmpty()) << c.pszWhat;
        EXPECT_EQ(c.bMinimizeBox, info.m_rcRestoreNoMinimize.IsRectEmpty()) << c.pszWhat;
        if (bScreenshot) {
            pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            SaveWindowPng(scene.Frame()->GetSafeHwnd(), "menu-bar-mdi-buttons.png");
            bScreenshot = false;
        }
        const CRect& rcTarget =
            c.bClose ? info.m_rcClose : (c.bMinimizeBox ? info.m_rcRestore : info.m_rcRestoreNoMinimize);
        const INT_PTR nTipId = c.bClose ? 0xEF06 : (c.bMinimizeBox ? 0xEF12 : 0xEF03);
        EXPECT_EQ(nTipId, pRight->OnToolHitTest(rcTarget.CenterPoint(), nullptr)) << c.pszWhat;
        TOOLINFOA tip = {};
        ASSERT_EQ(nTipId, pRight->OnToolHitTest(rcTarget.CenterPoint(), &tip)) << c.pszWhat;
        ASSERT_NE(LPSTR_TEXTCALLBACKA, tip.lpszText) << c.pszWhat << ": the tip's text is in the resources";
        EXPECT_STREQ(c.pszTip, tip.lpszText) << c.pszWhat;
        ::free(tip.lpszText);

        // In a menu the caption buttons are system commands aimed at the child.
        auto* pPopup = new CExtPopupMenuWnd;
        ASSERT_TRUE(pPopup->PrepareEmptyPopup(scene.Frame()->GetSafeHwnd()));
        ASSERT_TRUE(pRight->PutToPopupMenu(pPopup)) << c.pszWhat;
        std::vector<UINT> commands;
        for (int i = 0; i < pPopup->CountItems(); ++i)
            commands.push_back(pPopup->CommandIdAt(i));
        const std::vector<UINT> expected = c.bMinimizeBox
                                               ? std::vector<UINT>{SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_CLOSE}
                                               : std::vector<UINT>{SC_RESTORE, SC_CLOSE};
        EXPECT_EQ(expected, commands) << c.pszWhat;
        delete pPopup;

        CPoint pt = rcTarget.CenterPoint();
        pBar->ClientToScreen(&pt);
        ClickAt(pt);
        if (c.bClose) {
            EXPECT_FALSE(::IsWindow(hWndChild)) << c.pszWhat;
        } else {
            ASSERT_TRUE(::IsWindow(hWndChild)) << c.pszWhat;
            EXPECT_FALSE(::IsZoomed(hWndChild)) << c.pszWhat;
        }
        PumpTranslated(100);
        const int nLast = pBar->GetButtonCount() - 1;
        EXPECT_FALSE(pBar->GetButtonByIndex(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton))) << c.pszWhat;
        EXPECT_FALSE(pBar->GetButtonByIndex(nLast)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton))) << c.pszWhat;
    }
}

// With close greyed in the child's system menu there is no close button and a double click on
// the document button leaves the child; with close enabled the double click closes it.
TEST(MenuBarMdiButtons, GreyedCloseShowsNoCloseButtonAndDoubleClicksDoNothing)
{
    for (const bool bGreyed : {true, false}) {
        HMENU hDocMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MENUBAR_DOCUMENT));
        CMdiMenuBarScene scene;
        CCountingMenuBar* pBar = scene.Bar();
        CMDIChildWnd* pChild = scene.AddChild("Doc", hDocMenu);
        ASSERT_NE(nullptr, pChild);
        const HWND hWndChild = pChild->GetSafeHwnd();
        pChild->MDIMaximize();
        PumpTranslated(100);
        if (bGreyed)
            ::EnableMenuItem(::GetSystemMenu(hWndChild, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        auto* pDoc = DYNAMIC_DOWNCAST(CExtBarMdiDocButton, pBar->GetButtonByIndex(0));
        ASSERT_NE(nullptr, pDoc);
        Info info;
        const DWORD dwFlags = pBar->GetMdiButtonsInfo(info, pBar->GetButtonByIndex(pBar->GetButtonCount() - 1), true);
        EXPECT_EQ(!bGreyed, (dwFlags & Info::FLAG_CLOSE) != 0) << (bGreyed ? "greyed" : "enabled");
        // In a menu the document button is the child's system menu under "Active document".
        auto* pPopup = new CExtPopupMenuWnd;
        ASSERT_TRUE(pPopup->PrepareEmptyPopup(scene.Frame()->GetSafeHwnd()));
        ASSERT_TRUE(pDoc->PutToPopupMenu(pPopup));
        ASSERT_EQ(2, pPopup->CountItems());
        CString sCaption;
        pPopup->GetItemText(sCaption, 0);
        EXPECT_STREQ("Active document", sCaption.GetString());
        ASSERT_NE(nullptr, pPopup->GetSubmenuAt(0));
        EXPECT_GE(pPopup->GetSubmenuAt(0)->FindItemByCommand(SC_CLOSE), 0);
        EXPECT_EQ(CExtPopupMenuWnd::ID_SEPARATOR, pPopup->CommandIdAt(1));
        delete pPopup;

        EXPECT_TRUE(pDoc->OnDblClick(pDoc->GetRect().CenterPoint()));
        PumpTranslated(100);
        EXPECT_EQ(bGreyed, ::IsWindow(hWndChild) != FALSE) << (bGreyed ? "greyed" : "enabled");
    }
}
