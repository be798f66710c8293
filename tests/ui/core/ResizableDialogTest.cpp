#include "ui/core/ExtResizableDialog.h"

#include "platform/mfc/WinApp.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerXP.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtRegistry.h"

#include "CommandTestResources.h"
#include "tests/support/ScreenImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr char SECTION[] = "resizable-dialog-positions";
constexpr char ENTRY[] = "test";

// The dialog's client size made exactly cx by cy.
void SetClientSize(CWnd& wnd, int cx, int cy)
{
    RECT rcWindow, rcClient;
    ::GetWindowRect(wnd.m_hWnd, &rcWindow);
    ::GetClientRect(wnd.m_hWnd, &rcClient);
    const int dx = (rcWindow.right - rcWindow.left) - rcClient.right;
    const int dy = (rcWindow.bottom - rcWindow.top) - rcClient.bottom;
    ::SetWindowPos(wnd.m_hWnd, nullptr, 0, 0, cx + dx, cy + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ChildRect(CWnd& parent, HWND hChild)
{
    RECT rc;
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, parent.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

::testing::AssertionResult RectsEqual(const RECT& expected, const RECT& actual)
{
    if (::EqualRect(&expected, &actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << expected.left << "," << expected.top << ","
                                         << expected.right << "," << expected.bottom << ") got (" << actual.left
                                         << "," << actual.top << "," << actual.right << "," << actual.bottom << ")";
}

WINDOWPLACEMENT Placement(HWND hWnd)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    ::GetWindowPlacement(hWnd, &wp);
    return wp;
}

// Whether the gripper's corner shows the shadow lines on screen.
bool GripperShown(HWND hWnd, const RECT& rcGripper)
{
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    HDC hScreen = ::GetDC(nullptr);
    bool bFound = false;
    for (int y = rcGripper.top; y < rcGripper.bottom && !bFound; ++y)
        for (int x = rcGripper.left; x < rcGripper.right && !bFound; ++x)
        {
            POINT pt = {x, y};
            ::ClientToScreen(hWnd, &pt);
            bFound = ::GetPixel(hScreen, pt.x, pt.y) == clrShadow;
        }
    ::ReleaseDC(nullptr, hScreen);
    return bFound;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

class ResizableDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_company = "DadeTest_Dialog_" + std::to_string(::GetCurrentProcessId());
        m_app = std::make_unique<CWinApp>("DialogTestApp");
        m_app->SetCurrentHandles(::GetModuleHandleA(nullptr), nullptr, SW_HIDE);
        m_app->SetRegistryKey(m_company.c_str());
        m_dialog = std::make_unique<CExtResizableDialog>(IDD_RESIZABLE, nullptr);
        ASSERT_TRUE(m_dialog->Create(IDD_RESIZABLE, nullptr));
    }
    void TearDown() override
    {
        m_dialog.reset();
        m_app.reset();
        RegistryDeleteKeyOrValue(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str(), nullptr);
    }
    HWND AddChild(const RECT& rc)
    {
        return ::CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                               rc.bottom - rc.top, m_dialog->m_hWnd, nullptr, nullptr, nullptr);
    }
    void WritePlacement(const char* pszText) { m_app->WriteProfileString(SECTION, ENTRY, pszText); }

    std::string m_company;
    std::unique_ptr<CWinApp> m_app;
    std::unique_ptr<CExtResizableDialog> m_dialog;
};

TEST_F(ResizableDialogTest, AnchoredChildrenFollowTheClientSize)
{
    struct AnchorCase
    {
        const char* pszWhat;
        RECT rcChild;
        int anchors[4];
        SIZE sizeNew;
        RECT rcExpected;
    };
    const AnchorCase cases[] = {
        {"keeps its distance to the right edge", {300, 10, 350, 30}, {100, 0, 100, 0}, {600, 300}, {500, 10, 550, 30}},
        {"grows in both directions", {10, 10, 390, 290}, {0, 0, 100, 100}, {600, 400}, {10, 10, 590, 390}},
        {"moves with the centre, keeping its size", {180, 10, 220, 30}, {50, 0, -1, -1}, {600, 300},
         {280, 10, 320, 30}},
        {"a strip along the bottom", {10, 270, 390, 290}, {0, 100, 100, 100}, {500, 500}, {10, 470, 490, 490}},
        {"halves of a wider client", {0, 0, 200, 100}, {0, 0, 50, 0}, {800, 300}, {0, 0, 400, 100}},
    };
    for (const AnchorCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        SetClientSize(*m_dialog, 400, 300);
        HWND hChild = AddChild(c.rcChild);
        ASSERT_TRUE(m_dialog->AnchorItem(hChild, c.anchors[0], c.anchors[1], c.anchors[2], c.anchors[3]));
        SetClientSize(*m_dialog, c.sizeNew.cx, c.sizeNew.cy);
        EXPECT_TRUE(RectsEqual(c.rcExpected, ChildRect(*m_dialog, hChild)));
        ::DestroyWindow(hChild);
    }
    // Refusals: no anchor, and a window that is not inside the dialog.
    HWND hChild = AddChild({0, 0, 10, 10});
    EXPECT_FALSE(m_dialog->AnchorItem(hChild, -1, -1));
    EXPECT_FALSE(m_dialog->AnchorItem(::GetDesktopWindow(), 0, 0));
    EXPECT_FALSE(m_dialog->AnchorDialogItem(9999, 0, 0));
    EXPECT_TRUE(m_dialog->AnchorDialogItem(IDOK, 100, 100));
    // A destroyed child is dropped at the next arrangement.
    ASSERT_TRUE(m_dialog->AnchorItem(hChild, 0, 0));
    ::DestroyWindow(hChild);
    m_dialog->ArrangeLayout();
    EXPECT_FALSE(m_dialog->HasAnchor(hChild));
}

// Alt+Space and the caption's icon open the window's system menu as the framework's popup, under
// the caption at the frame's inner edge; a child dialog has none.
TEST_F(ResizableDialogTest, AltSpaceOpensTheSystemMenu)
{
    m_dialog->ShowWindow(SW_SHOW);
    m_dialog->SetActiveWindow();
    PumpMessages();
    MSG altSpace = {m_dialog->m_hWnd, WM_SYSKEYDOWN, VK_SPACE, 1 << 29};
    EXPECT_TRUE(m_dialog->PreTranslateMessage(&altSpace));
    ASSERT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    const CExtPopupMenuWnd* pPopup = g_PopupMenuTrackingState.m_pTrackedPopup;
    std::vector<UINT> commands;
    for (int i = 0; i < pPopup->CountItems(); ++i)
        commands.push_back(pPopup->CommandIdAt(i));
    EXPECT_NE(std::find(commands.begin(), commands.end(), UINT(SC_CLOSE)), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), UINT(SC_MOVE)), commands.end());
    RECT rcPopup;
    RECT rcDialog;
    ::GetWindowRect(pPopup->GetSafeHwnd(), &rcPopup);
    ::GetWindowRect(m_dialog->m_hWnd, &rcDialog);
    POINT ptClientTop = {0, 0};
    ::ClientToScreen(m_dialog->m_hWnd, &ptClientTop);
    EXPECT_EQ(rcDialog.left + ::GetSystemMetrics(SM_CXFRAME), rcPopup.left);
    EXPECT_EQ(ptClientTop.y, rcPopup.top);
    CExtPopupMenuWnd::EndActiveTracking();
    PumpMessages();

    m_dialog->ModifyStyle(WS_POPUP, WS_CHILD);
    EXPECT_FALSE(m_dialog->ShowSystemMenu(nullptr, true));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    m_dialog->ModifyStyle(WS_CHILD, WS_POPUP);
}

TEST_F(ResizableDialogTest, NeverSmallerThanFirstShownAndTheGripperHits)
{
    RECT rcFirst;
    ::GetWindowRect(m_dialog->m_hWnd, &rcFirst);
    const SIZE minimum = m_dialog->GetMinTrackingSize();
    EXPECT_EQ(rcFirst.right - rcFirst.left, minimum.cx);
    EXPECT_EQ(rcFirst.bottom - rcFirst.top, minimum.cy);
    MINMAXINFO info = {};
    m_dialog->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(minimum.cx, info.ptMinTrackSize.x);
    EXPECT_EQ(minimum.cy, info.ptMinTrackSize.y);
    ::SetWindowPos(m_dialog->m_hWnd, nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rcNow;
    ::GetWindowRect(m_dialog->m_hWnd, &rcNow);
    EXPECT_GE(rcNow.right - rcNow.left, minimum.cx);
    EXPECT_GE(rcNow.bottom - rcNow.top, minimum.cy);

    ASSERT_TRUE(m_dialog->IsSizeGripperShown());
    RECT rcClient;
    ::GetClientRect(m_dialog->m_hWnd, &rcClient);
    struct HitCase
    {
        POINT ptClient;
        LRESULT nHit;
    };
    const HitCase hits[] = {
        {{rcClient.right - 2, rcClient.bottom - 2}, HTBOTTOMRIGHT},
        {{rcClient.right - 2, rcClient.bottom - 40}, HTCLIENT},
        {{rcClient.right / 2, rcClient.bottom / 2}, HTCLIENT},
    };
    for (const HitCase& c : hits)
    {
        POINT pt = c.ptClient;
        ::ClientToScreen(m_dialog->m_hWnd, &pt);
        EXPECT_EQ(c.nHit, m_dialog->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    }
    m_dialog->ShowSizeGripper(false);
    POINT pt = hits[0].ptClient;
    ::ClientToScreen(m_dialog->m_hWnd, &pt);
    EXPECT_EQ(HTCLIENT, m_dialog->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
}

TEST_F(ResizableDialogTest, SavedPlacementsAreCheckedBeforeUse)
{
    const RECT rcGood = {100, 100, 500, 400};
    struct PlacementCase
    {
        const char* pszText;
        bool bHidden;
        bool bApplied;
        bool bVisible;
    };
    const PlacementCase cases[] = {
        {"100,100,500,400,1,0", false, true, true},
        {"100,100,500,400,1,0", true, true, false},
        {"100,100,500,400,1", false, false, false},
        {"100,100,abc,400,1,0", false, false, false},
        {"100,100,500,400,1,0x", false, false, false},
        {"500,400,100,100,1,0", false, false, false},
        {"100,100,100,400,1,0", false, false, false},
        {"100,100,500,400,99,0", false, false, false},
        {"", false, false, false},
    };
    for (const PlacementCase& c : cases)
    {
        SCOPED_TRACE(c.pszText);
        ::SetWindowPos(m_dialog->m_hWnd, nullptr, 20, 30, 360, 260, SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        const WINDOWPLACEMENT before = Placement(m_dialog->m_hWnd);
        WritePlacement(c.pszText);
        m_dialog->EnablePlacementPersistence(SECTION, ENTRY, c.bHidden);
        const WINDOWPLACEMENT after = Placement(m_dialog->m_hWnd);
        if (c.bApplied)
        {
            EXPECT_TRUE(RectsEqual(rcGood, after.rcNormalPosition));
        }
        else
        {
            EXPECT_TRUE(RectsEqual(before.rcNormalPosition, after.rcNormalPosition));
        }
        EXPECT_EQ(c.bVisible, ::IsWindowVisible(m_dialog->m_hWnd) != FALSE);
    }

    // Far off every monitor: moved onto the nearest work area, size kept.
    WritePlacement("30000,30000,30400,30300,1,0");
    m_dialog->RestorePlacement(true);
    const WINDOWPLACEMENT moved = Placement(m_dialog->m_hWnd);
    EXPECT_EQ(400, moved.rcNormalPosition.right - moved.rcNormalPosition.left);
    EXPECT_EQ(300, moved.rcNormalPosition.bottom - moved.rcNormalPosition.top);
    EXPECT_NE(nullptr, ::MonitorFromRect(&moved.rcNormalPosition, MONITOR_DEFAULTTONULL));

    // The placement is saved when the window goes.
    ::SetWindowPos(m_dialog->m_hWnd, nullptr, 40, 50, 420, 320, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_dialog->DestroyWindow();
    EXPECT_STREQ("40,50,460,370,1,0", m_app->GetProfileString(SECTION, ENTRY));
}

TEST_F(ResizableDialogTest, EnterAndEscapeDoNotCloseAnEmbeddedPanel)
{
    CExtResizableDialog panel(IDD_PANEL, m_dialog.get());
    ASSERT_TRUE(panel.Create(IDD_PANEL, m_dialog.get()));
    for (UINT nCmd : {static_cast<UINT>(IDOK), static_cast<UINT>(IDCANCEL)})
    {
        panel.SendMessage(WM_COMMAND, nCmd, 0);
        PumpMessages();
        EXPECT_TRUE(::IsWindow(panel.m_hWnd));
    }
    panel.DestroyWindow();
}

TEST_F(ResizableDialogTest, DialogInitialisationDataFillsTheCombo)
{
    const HWND hCombo = ::GetDlgItem(m_dialog->m_hWnd, IDC_UNITS_COMBO);
    ASSERT_NE(nullptr, hCombo);
    EXPECT_EQ(2, ::SendMessageA(hCombo, CB_GETCOUNT, 0, 0));

    // Records cut short or running past the data are not sent.
    struct Record
    {
        WORD wControl;
        WORD wMessage;
        DWORD dwLength;
        char text[8];
    };
    const Record record = {IDC_UNITS_COMBO, CB_ADDSTRING, 6, "Miles"};
    std::vector<BYTE> data(reinterpret_cast<const BYTE*>(&record), reinterpret_cast<const BYTE*>(&record) + 14);
    EXPECT_TRUE(m_dialog->ExecuteDlgInit(data.data(), static_cast<DWORD>(data.size())));
    EXPECT_EQ(3, ::SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
    Record lying = record;
    lying.dwLength = 0x7FFFFFFF;
    EXPECT_TRUE(m_dialog->ExecuteDlgInit(&lying, sizeof lying));
    EXPECT_TRUE(m_dialog->ExecuteDlgInit(&record, 5));
    EXPECT_EQ(3, ::SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
}

TEST_F(ResizableDialogTest, ScreenshotsBeforeAndAfterAResize)
{
    for (UINT nId : {static_cast<UINT>(IDC_NAME_EDIT), static_cast<UINT>(IDC_UNITS_COMBO)})
        m_dialog->AnchorDialogItem(nId, 0, 0, 100, 0);
    m_dialog->AnchorDialogItem(IDC_NOTES_LIST, 0, 0, 100, 100);
    for (UINT nId : {static_cast<UINT>(IDC_ENABLED_CHECK), static_cast<UINT>(IDC_SMALL_RADIO),
                     static_cast<UINT>(IDC_LARGE_RADIO), static_cast<UINT>(IDC_APPLY_BUTTON)})
        m_dialog->AnchorDialogItem(nId, 0, 100);
    m_dialog->AnchorDialogItem(IDOK, 100, 100);
    m_dialog->AnchorDialogItem(IDCANCEL, 100, 100);
    ::SendDlgItemMessageA(m_dialog->m_hWnd, IDC_NOTES_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("First note"));
    ::SetDlgItemTextA(m_dialog->m_hWnd, IDC_NAME_EDIT, "Stage one");
    // Topmost: other test programs share the display.
    ::SetWindowPos(m_dialog->m_hWnd, HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(m_dialog->m_hWnd);
    PumpMessages();
    SaveWindowPng(m_dialog->m_hWnd, "resizable-dialog-before.png");
    EXPECT_TRUE(GripperShown(m_dialog->m_hWnd, m_dialog->GetGripperRect()));
    const RECT rcCancelBefore = ChildRect(*m_dialog, ::GetDlgItem(m_dialog->m_hWnd, IDCANCEL));
    RECT rcClient;
    ::GetClientRect(m_dialog->m_hWnd, &rcClient);
    SetClientSize(*m_dialog, rcClient.right + 120, rcClient.bottom + 80);
    ::UpdateWindow(m_dialog->m_hWnd);
    PumpMessages();
    SaveWindowPng(m_dialog->m_hWnd, "resizable-dialog-after.png");
    EXPECT_TRUE(GripperShown(m_dialog->m_hWnd, m_dialog->GetGripperRect()));
    const RECT rcCancelAfter = ChildRect(*m_dialog, ::GetDlgItem(m_dialog->m_hWnd, IDCANCEL));
    EXPECT_EQ(rcCancelBefore.left + 120, rcCancelAfter.left);
    EXPECT_EQ(rcCancelBefore.top + 80, rcCancelAfter.top);
}

// A theme that paints a background behind the controls, as the bar themes do.
class BackgroundBehindTheme : public CExtPaintManagerXP
{
public:
    bool HasBackgroundBehindControls(CObject*, LPARAM) override { return true; }
};

// Installs a theme for one test and gives the default back whatever happens.
class ScopedTheme
{
public:
    explicit ScopedTheme(CExtPaintManager* pManager) { g_PaintManagerHolder.ReplaceManager(pManager); }
    ~ScopedTheme() { g_PaintManagerHolder.ReplaceManager(nullptr); }
    ScopedTheme(const ScopedTheme&) = delete;
    ScopedTheme& operator=(const ScopedTheme&) = delete;
};

COLORREF BrushColour(LRESULT lBrush)
{
    LOGBRUSH lb = {};
    if (::GetObjectA(reinterpret_cast<HBRUSH>(lBrush), sizeof lb, &lb) != sizeof lb)
        return COLORREF(-1);
    return lb.lbStyle == BS_SOLID ? lb.lbColor : COLORREF(-1);
}

TEST_F(ResizableDialogTest, ControlColourMessagesAnswerTheControlFace)
{
    const COLORREF clrFace = g_PaintManagerHolder->ColorByIndex(CExtPaintManager::CLRID_FACE);
    const HWND hLabel = ::GetDlgItem(m_dialog->m_hWnd, IDC_NAME_LABEL);
    const HWND hEdit = ::GetDlgItem(m_dialog->m_hWnd, IDC_NAME_EDIT);
    HDC hDC = ::GetDC(m_dialog->m_hWnd);
    ::SetBkMode(hDC, OPAQUE);
    const LRESULT lStatic = m_dialog->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                                  reinterpret_cast<LPARAM>(hLabel));
    EXPECT_EQ(clrFace, BrushColour(lStatic));
    EXPECT_EQ(TRANSPARENT, ::GetBkMode(hDC));
    // One brush serves every dialog and message.
    EXPECT_EQ(lStatic, m_dialog->SendMessage(WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hDC),
                                             reinterpret_cast<LPARAM>(m_dialog->m_hWnd)));
    // A read-only edit asks as a static but is no static: the system answers.
    EXPECT_NE(lStatic, m_dialog->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                             reinterpret_cast<LPARAM>(hEdit)));
    ::ReleaseDC(m_dialog->m_hWnd, hDC);

    // An embedded panel over a painted background lets it show through its statics.
    ScopedTheme theme(new BackgroundBehindTheme);
    CExtResizableDialog panel(IDD_PANEL, nullptr);
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    ASSERT_TRUE(panel.Create(IDD_PANEL, &host));
    const HWND hPanelLabel = ::CreateWindowA("STATIC", "x", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, panel.m_hWnd,
                                             nullptr, nullptr, nullptr);
    hDC = ::GetDC(panel.m_hWnd);
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)),
              panel.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                reinterpret_cast<LPARAM>(hPanelLabel)));
    ::ReleaseDC(panel.m_hWnd, hDC);
    panel.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(ResizableDialogTest, PaintedBackgroundsRepaintWhenTheDialogMovesOrResizes)
{
    struct MoveCase
    {
        const char* pszWhat;
        bool bBackgroundBehind;
        bool bExpectWholeClientPending;
    };
    const MoveCase cases[] = {
        {"background behind the controls", true, true},
        {"plain face", false, false},
    };
    ::SetWindowPos(m_dialog->m_hWnd, HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    for (const MoveCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        ScopedTheme theme(c.bBackgroundBehind ? new BackgroundBehindTheme : nullptr);
        ::UpdateWindow(m_dialog->m_hWnd);
        PumpMessages();
        ::SetWindowPos(m_dialog->m_hWnd, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT rcClient, rcPending = {0, 0, 0, 0};
        ::GetClientRect(m_dialog->m_hWnd, &rcClient);
        ::GetUpdateRect(m_dialog->m_hWnd, &rcPending, FALSE);
        EXPECT_EQ(c.bExpectWholeClientPending, ::EqualRect(&rcClient, &rcPending) != FALSE);
        ::SetWindowPos(m_dialog->m_hWnd, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessages();
    }
    // A resize over a painted background paints at once and still lays out and keeps the gripper.
    ScopedTheme theme(new BackgroundBehindTheme);
    ASSERT_TRUE(m_dialog->AnchorDialogItem(IDCANCEL, 100, 100));
    RECT rcClient;
    ::GetClientRect(m_dialog->m_hWnd, &rcClient);
    const RECT rcCancelBefore = ChildRect(*m_dialog, ::GetDlgItem(m_dialog->m_hWnd, IDCANCEL));
    SetClientSize(*m_dialog, rcClient.right + 50, rcClient.bottom + 30);
    const RECT rcCancelAfter = ChildRect(*m_dialog, ::GetDlgItem(m_dialog->m_hWnd, IDCANCEL));
    EXPECT_EQ(rcCancelBefore.left + 50, rcCancelAfter.left);
    EXPECT_EQ(rcCancelBefore.top + 30, rcCancelAfter.top);
    EXPECT_EQ(rcClient.right + 50, m_dialog->GetGripperRect().right);
    EXPECT_EQ(rcClient.bottom + 30, m_dialog->GetGripperRect().bottom);
}

TEST_F(ResizableDialogTest, ChildrenShowingTheBackgroundAreRepaintedAtOnce)
{
    ::SetWindowPos(m_dialog->m_hWnd, HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetClientSize(*m_dialog, 400, 300);
    const HWND hStatic = AddChild({10, 200, 110, 220});
    const HWND hEdit = ::CreateWindowA("EDIT", "text", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 230, 100, 20,
                                       m_dialog->m_hWnd, nullptr, nullptr, nullptr);
    for (HWND hChild : {hStatic, hEdit})
        ASSERT_TRUE(m_dialog->AnchorItem(hChild, 0, 0, 100, 0));
    ::UpdateWindow(m_dialog->m_hWnd);
    PumpMessages();
    // No message is pumped after the arrangement: the static must be painted already, in place.
    m_dialog->ArrangeLayout(500, 300);
    EXPECT_TRUE(RectsEqual({10, 200, 210, 220}, ChildRect(*m_dialog, hStatic)));
    EXPECT_TRUE(RectsEqual({10, 230, 210, 250}, ChildRect(*m_dialog, hEdit)));
    EXPECT_FALSE(::GetUpdateRect(hStatic, nullptr, FALSE));
    EXPECT_TRUE(::GetUpdateRect(hEdit, nullptr, FALSE));
}
} // namespace
