// The colour dialog from its template under real windows: the nine fields against the colour,
// typing in a group, values out of range (the message box found and closed), the picker, the
// pane and the mode list, resizing, OK and Cancel, and the colour button's custom-colour joint.
#include "ControlTestSupport.h"
#include "resources/controls/ColorDialogResources.h"
#include "ui/controls/ExtColorDlg.h"
#include "ui/core/ExtCustomColorDialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr char OUT_OF_RANGE[] = "Value must be in range 0..255";
constexpr UINT ACTION_DELAY_MS = 30;

std::string WindowText(HWND hWnd)
{
    char szText[256] = "";
    ::GetWindowTextA(hWnd, szText, sizeof szText);
    return szText;
}

// The texts of the nine fields, red to luminance.
std::vector<std::string> FieldTexts(CExtColorDlg& dlg)
{
    std::vector<std::string> texts;
    for (int i = 0; i < CExtColorDlg::FIELD_COUNT; ++i)
        texts.push_back(WindowText(dlg.GetField(i).m_hWnd));
    return texts;
}

struct DialogSearch
{
    HWND hExcept;
    HWND hFound;
};

BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam)
{
    auto* p = reinterpret_cast<DialogSearch*>(lParam);
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (hWnd != p->hExcept && ::IsWindowVisible(hWnd) && std::string(szClass) == "#32770") {
        p->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level dialog of this thread other than the one given.
HWND FindOtherDialog(HWND hWndExcept)
{
    DialogSearch search{hWndExcept, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

// Runs the action once, from a thread timer, inside whatever modal loop the thread enters next.
class CModalAction
{
public:
    explicit CModalAction(std::function<bool()> action)
    {
        s_action = std::move(action);
        m_nTimer = ::SetTimer(nullptr, 0, ACTION_DELAY_MS, &CModalAction::OnTimer);
    }
    ~CModalAction()
    {
        ::KillTimer(nullptr, m_nTimer);
        s_action = nullptr;
    }

private:
    // The action answers false while what it waits for has not shown yet.
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR nTimer, DWORD)
    {
        if (s_action && s_action()) {
            ::KillTimer(nullptr, nTimer);
            s_action = nullptr;
        }
    }
    static std::function<bool()> s_action;
    UINT_PTR m_nTimer = 0;
};
std::function<bool()> CModalAction::s_action;

// Closes the next message box of the thread, recording its text.
class CMessageBoxCloser
{
public:
    explicit CMessageBoxCloser(HWND hWndDialog)
        : m_action([this, hWndDialog] {
              HWND hBox = FindOtherDialog(hWndDialog);
              if (hBox == nullptr)
                  return false;
              HWND hText = ::GetDlgItem(hBox, 0xFFFF);
              m_texts.push_back(WindowText(hText));
              ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
              return true;
          })
    {
    }
    std::vector<std::string> m_texts;

private:
    CModalAction m_action;
};

class ColorDlgTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_pDlg && m_pDlg->m_hWnd != nullptr)
            m_pDlg->DestroyWindow();
        m_pDlg.reset();
        PumpMessages();
    }

    // A modeless dialog from the template with the two colours. Hiding a top-level window costs
    // seconds under Xvfb, so only tests that read pixels or the focus show it.
    CExtColorDlg& Open(COLORREF clrInit, COLORREF clrNew, const char* pszCaption = "", bool bShow = false)
    {
        TearDown();
        m_pDlg = std::make_unique<CExtColorDlg>(clrInit, clrNew);
        m_pDlg->m_strCaption = pszCaption;
        EXPECT_TRUE(m_pDlg->Create(IDD_EXT_COLOR_DLG, nullptr));
        if (bShow)
            m_pDlg->ShowWindow(SW_SHOWNORMAL);
        PumpMessages();
        return *m_pDlg;
    }

    std::unique_ptr<CExtColorDlg> m_pDlg;
};

TEST_F(ColorDlgTest, FieldsShowTheColourInEveryGroup)
{
    struct Case
    {
        COLORREF clr;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), {"255", "0", "0", "0", "255", "255", "0", "255", "128"}},
        {RGB(0, 128, 255), {"0", "128", "255", "255", "127", "0", "149", "255", "128"}},
        {RGB(128, 128, 128), {"128", "128", "128", "127", "127", "127", "0", "0", "128"}},
        {RGB(255, 255, 255), {"255", "255", "255", "0", "0", "0", "0", "0", "255"}},
        {RGB(0, 0, 0), {"0", "0", "0", "255", "255", "255", "0", "0", "0"}},
    };
    for (const Case& c : cases) {
        CExtColorDlg& dlg = Open(RGB(1, 2, 3), c.clr);
        EXPECT_EQ(c.fields, FieldTexts(dlg)) << std::hex << c.clr;
        EXPECT_EQ(c.clr, dlg.GetPicker().GetCurrentColor());
        EXPECT_EQ(c.clr, dlg.m_clrNew);
    }
}

TEST_F(ColorDlgTest, OpensWithTheInitialColourInThePaneAndTheModesListed)
{
    CExtColorDlg& dlg = Open(RGB(10, 20, 30), RGB(200, 100, 50), "", true);
    EXPECT_TRUE(dlg.IsReady());
    EXPECT_EQ(RGB(10, 20, 30), dlg.GetPane().GetCurrentColor());
    EXPECT_EQ(RGB(10, 20, 30), dlg.GetPane().GetOldColor());
    EXPECT_EQ(RGB(10, 20, 30), dlg.GetPicker().GetOldColor());
    EXPECT_EQ(RGB(200, 100, 50), dlg.GetPicker().GetCurrentColor());

    HWND hList = ::GetDlgItem(dlg.m_hWnd, IDC_EXT_COLOR_MODE_LIST);
    ASSERT_EQ(15, ::SendMessageA(hList, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, ::SendMessageA(hList, CB_GETCURSEL, 0, 0));
    char szName[64] = "";
    ::SendMessageA(hList, CB_GETLBTEXT, 14, reinterpret_cast<LPARAM>(szName));
    EXPECT_STREQ(" yellow axis", szName);

    // Both halves of the pane show the initial colour; the first change fills the upper half.
    const CWindowPixels before(dlg.GetPane().m_hWnd);
    EXPECT_EQ(RGB(10, 20, 30), before.At(before.Width() / 2, before.Height() / 4));
    EXPECT_EQ(RGB(10, 20, 30), before.At(before.Width() / 2, before.Height() * 3 / 4));
    dlg.GetPicker().SetCurrentColor(RGB(0, 255, 0), true);
    const CWindowPixels after(dlg.GetPane().m_hWnd);
    EXPECT_EQ(RGB(0, 255, 0), after.At(after.Width() / 2, after.Height() / 4));
    EXPECT_EQ(RGB(10, 20, 30), after.At(after.Width() / 2, after.Height() * 3 / 4));
}

TEST_F(ColorDlgTest, CaptionTakesTheTextAfterTheLastLineFeed)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "Color"}, {"Stroke", "Stroke"}, {"Pick\nFill\nStroke", "Stroke"}, {"Pick\n", "Color"},
    };
    for (const auto& [pszCaption, pszShown] : cases)
        EXPECT_EQ(pszShown, WindowText(Open(0, 0, pszCaption).m_hWnd)) << pszCaption;
}

TEST_F(ColorDlgTest, TypingInAGroupRewritesTheOthersOnly)
{
    struct Case
    {
        const char* name;
        int field;
        const char* text;
        COLORREF expected;
        std::vector<std::string> fields;
    };
    // Starting from (255, 0, 0); the typed field keeps its text as typed (no echo back).
    const Case cases[] = {
        {"green typed with a leading zero", 1, "0128", RGB(255, 128, 0),
         {"255", "0128", "0", "0", "127", "255", "21", "255", "128"}},
        {"empty blue reads 0", 2, "", RGB(255, 0, 0), {"255", "0", "", "0", "255", "255", "0", "255", "128"}},
        {"cyan", 3, "255", RGB(0, 0, 0), {"0", "0", "0", "255", "255", "255", "0", "0", "0"}},
        {"luminance", 8, "255", RGB(255, 255, 255), {"255", "255", "255", "0", "0", "0", "0", "255", "255"}},
        // Values are read from the middle of their step: lightness 128.5 / 255 is a little above half.
        {"hue a third round", 6, "85", RGB(2, 255, 5), {"2", "255", "5", "253", "0", "250", "85", "255", "128"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtColorDlg& dlg = Open(RGB(255, 0, 0), RGB(255, 0, 0));
        dlg.GetField(c.field).SetWindowText(c.text);
        PumpMessages();
        EXPECT_EQ(c.expected, dlg.GetPicker().GetCurrentColor());
        EXPECT_EQ(c.expected, dlg.GetPane().GetCurrentColor());
        EXPECT_EQ(c.expected, dlg.m_clrNew);
        EXPECT_EQ(c.fields, FieldTexts(dlg));
    }
}

TEST_F(ColorDlgTest, ValueOutOfRangeIsReportedAndKeepsTheColour)
{
    const std::pair<int, const char*> cases[] = {{0, "256"}, {4, "-1"}, {7, "12a"}};
    for (const auto& [nField, pszText] : cases) {
        SCOPED_TRACE(pszText);
        CExtColorDlg& dlg = Open(RGB(1, 2, 3), RGB(10, 20, 30));
        const std::vector<std::string> before = FieldTexts(dlg);
        CMessageBoxCloser closer(dlg.m_hWnd);
        dlg.GetField(nField).SetWindowText(pszText);
        PumpMessages();
        EXPECT_EQ(std::vector<std::string>{OUT_OF_RANGE}, closer.m_texts);
        EXPECT_EQ(dlg.GetField(nField).m_hWnd, ::GetFocus());
        EXPECT_EQ(RGB(10, 20, 30), dlg.GetPicker().GetCurrentColor());
        EXPECT_EQ(RGB(10, 20, 30), dlg.m_clrNew);
        std::vector<std::string> expected = before;
        expected[nField] = pszText;
        EXPECT_EQ(expected, FieldTexts(dlg));
    }
}

TEST_F(ColorDlgTest, PickerAndPaneChangesReachTheFields)
{
    CExtColorDlg& dlg = Open(RGB(0, 0, 255), RGB(255, 0, 0));
    dlg.GetPicker().SetCurrentColor(RGB(0, 255, 0), true);
    EXPECT_EQ((std::vector<std::string>{"0", "255", "0", "255", "0", "255", "85", "255", "128"}), FieldTexts(dlg));
    EXPECT_EQ(RGB(0, 255, 0), dlg.m_clrNew);

    // The pane's lower half brings the initial colour back.
    RECT rc{};
    ::GetClientRect(dlg.GetPane().m_hWnd, &rc);
    PostMouse(dlg.GetPane().m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, rc.right / 2, rc.bottom * 3 / 4);
    PostMouse(dlg.GetPane().m_hWnd, WM_LBUTTONUP, 0, rc.right / 2, rc.bottom * 3 / 4);
    EXPECT_EQ(RGB(0, 0, 255), dlg.GetPicker().GetCurrentColor());
    EXPECT_EQ(RGB(0, 0, 255), dlg.m_clrNew);
    EXPECT_EQ("255", FieldTexts(dlg)[2]);
}

TEST_F(ColorDlgTest, ChoosingAModeKeepsTheColour)
{
    CExtColorDlg& dlg = Open(RGB(0, 0, 0), RGB(40, 160, 220));
    HWND hList = ::GetDlgItem(dlg.m_hWnd, IDC_EXT_COLOR_MODE_LIST);
    const std::pair<int, int> cases[] = {{4, 4}, {-1, 4}, {12, 12}, {0, 0}};
    for (const auto& [nSelection, nMode] : cases) {
        ::SendMessageA(hList, CB_SETCURSEL, static_cast<WPARAM>(nSelection), 0);
        ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_EXT_COLOR_MODE_LIST, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(hList));
        EXPECT_EQ(nMode, dlg.GetPicker().GetMode()) << nSelection;
        EXPECT_EQ(RGB(40, 160, 220), dlg.GetPicker().GetCurrentColor());
    }
}

TEST_F(ColorDlgTest, GrowingTheDialogGrowsThePickerAndMovesTheFields)
{
    CExtColorDlg& dlg = Open(RGB(0, 0, 0), RGB(40, 160, 220));
    auto rectOf = [&](int nId) {
        RECT rc{};
        HWND hChild = ::GetDlgItem(dlg.m_hWnd, nId);
        ::GetWindowRect(hChild, &rc);
        ::MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    const int ids[] = {IDC_EXT_COLOR_PICKER, IDC_EXT_COLOR_MODE_LIST, IDC_EXT_COLOR_RED, IDC_EXT_COLOR_PANE, IDOK};
    std::vector<RECT> before;
    for (int nId : ids)
        before.push_back(rectOf(nId));
    RECT rcWindow{};
    ::GetWindowRect(dlg.m_hWnd, &rcWindow);
    constexpr int DX = 100, DY = 60;
    ::SetWindowPos(dlg.m_hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left + DX, rcWindow.bottom - rcWindow.top + DY,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    // Expected change of left, top, right, bottom per control.
    const int deltas[][4] = {{0, 0, DX, DY}, {0, 0, DX, 0}, {DX, 0, DX, 0}, {DX, 0, DX, 0}, {0, DY, 0, DY}};
    for (size_t i = 0; i < std::size(ids); ++i) {
        const RECT rc = rectOf(ids[i]);
        EXPECT_EQ((std::vector<LONG>{before[i].left + deltas[i][0], before[i].top + deltas[i][1],
                                     before[i].right + deltas[i][2], before[i].bottom + deltas[i][3]}),
                  (std::vector<LONG>{rc.left, rc.top, rc.right, rc.bottom}))
            << ids[i];
    }
}

TEST_F(ColorDlgTest, IconIsTheDialogsOwn)
{
    CExtColorDlg& dlg = Open(RGB(0, 0, 0), RGB(0, 0, 0));
    const LRESULT hDragIcon = ::SendMessageA(dlg.m_hWnd, WM_QUERYDRAGICON, 0, 0);
    EXPECT_NE(0, hDragIcon);
    EXPECT_EQ(hDragIcon, ::SendMessageA(dlg.m_hWnd, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(hDragIcon, ::SendMessageA(dlg.m_hWnd, WM_GETICON, ICON_SMALL, 0));
}

TEST_F(ColorDlgTest, Screenshot)
{
    CExtColorDlg& dlg = Open(RGB(250, 200, 20), RGB(40, 160, 220), "", true);
    HWND hList = ::GetDlgItem(dlg.m_hWnd, IDC_EXT_COLOR_MODE_LIST);
    ::SendMessageA(hList, CB_SETCURSEL, 3, 0);
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_EXT_COLOR_MODE_LIST, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(hList));
    dlg.GetPicker().SetCurrentColor(RGB(220, 60, 90), true);
    EXPECT_TRUE(CWindowPixels(dlg.m_hWnd).SavePng("color-dialog.png"));
}

// The colour button's custom colour runs the dialog modally through the installed routine.
TEST(ColorDlgModal, CustomColourRunsTheDialogThroughTheInstalledRoutine)
{
    struct Case
    {
        const char* name;
        bool bInstalled;
        int nButton;
        bool bAccepted;
        COLORREF chosen;
    };
    const Case cases[] = {
        {"nothing installed", false, IDOK, false, RGB(9, 9, 9)},
        {"OK takes the typed colour", true, IDOK, true, RGB(12, 20, 30)},
        {"Cancel keeps the colour", true, IDCANCEL, false, RGB(9, 9, 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto pfnBefore =
            CExtCustomColorDialog::Install(c.bInstalled ? &CExtColorDlg::PickCustomColor : nullptr);
        CModalAction act([&c] {
            HWND hDlg = FindOtherDialog(nullptr);
            if (hDlg == nullptr)
                return false;
            ::SetDlgItemTextA(hDlg, IDC_EXT_COLOR_RED, "12");
            ::PostMessageA(hDlg, WM_COMMAND, c.nButton, 0);
            return true;
        });
        COLORREF clr = RGB(9, 9, 9);
        EXPECT_EQ(c.bAccepted, CExtCustomColorDialog::Run(nullptr, RGB(10, 20, 30), clr));
        EXPECT_EQ(c.chosen, clr);
        CExtCustomColorDialog::Install(pfnBefore);
    }
}

TEST(ColorDlgModal, DoModalAnswersTheButtonAndLeavesTheDialogNotReady)
{
    for (int nButton : {IDOK, IDCANCEL}) {
        CExtColorDlg dlg(RGB(1, 2, 3), RGB(4, 5, 6));
        bool bReadyInside = false;
        CModalAction act([&] {
            HWND hDlg = FindOtherDialog(nullptr);
            if (hDlg == nullptr)
                return false;
            bReadyInside = dlg.IsReady();
            ::PostMessageA(hDlg, WM_COMMAND, nButton, 0);
            return true;
        });
        EXPECT_EQ(nButton, dlg.DoModal());
        EXPECT_TRUE(bReadyInside);
        EXPECT_FALSE(dlg.IsReady());
        EXPECT_EQ(RGB(4, 5, 6), dlg.m_clrNew);
    }
}
} // namespace
