#include "ui/core/ExtComboBox.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const RECT COMBO_RECT = {10, 10, 200, 200};

void PumpThrough(HWND hWndStop)
{
    for (int round = 0; round < 3; ++round)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!CWnd::WalkPreTranslateTree(hWndStop, &msg))
                ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
}

// A typed key as the message loop sees it (posted, since other test programs may hold the focus).
void Type(HWND hEdit, WORD vk, char ch)
{
    ::PostMessageA(hEdit, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hEdit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)), 1);
    ::PostMessageA(hEdit, WM_KEYUP, vk, 0xC0000001);
}

class ComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
        const DWORD dwStyle = WS_POPUP | WS_VISIBLE;
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, lpszClass, "combos", dwStyle, 0, 0, 300, 250, nullptr, nullptr));
        ::SetForegroundWindow(m_parent.m_hWnd);
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    std::string EditText(CExtComboBox& combo)
    {
        char sz[64] = {};
        ::GetWindowTextA(combo.m_hWnd, sz, sizeof sz);
        return sz;
    }

    CWnd m_parent;
};

TEST_F(ComboBoxTest, TypingCompletesFromTheListUntilBackspace)
{
    CExtComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, COMBO_RECT, &m_parent, 1));
    for (const char* psz : {"Pixels", "Inches", "Points"})
        combo.AddString(psz);
    HWND hEdit = ::GetWindow(combo.m_hWnd, GW_CHILD);
    ASSERT_NE(nullptr, hEdit);
    ::SetFocus(hEdit);
    PumpThrough(m_parent.m_hWnd);
    Type(hEdit, 'I', 'I');
    Type(hEdit, 'N', 'n');
    PumpThrough(m_parent.m_hWnd);
    EXPECT_EQ("Inches", EditText(combo));
    const DWORD dwSel = static_cast<DWORD>(combo.SendMessage(CB_GETEDITSEL));
    EXPECT_EQ(2, LOWORD(dwSel));
    EXPECT_EQ(6, HIWORD(dwSel));
    // Backspace removes the completed tail and does not complete again.
    Type(hEdit, VK_BACK, '\b');
    PumpThrough(m_parent.m_hWnd);
    EXPECT_EQ("In", EditText(combo));
    // An edit command's change does not complete either.
    combo.DisarmCompletion();
    ::SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Po"));
    combo.OnCbnEditUpdate();
    EXPECT_EQ("Po", EditText(combo));
}

TEST_F(ComboBoxTest, ADisabledComboKeepsItsEditReadable)
{
    CExtComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, COMBO_RECT, &m_parent, 1));
    HWND hEdit = ::GetWindow(combo.m_hWnd, GW_CHILD);
    ASSERT_NE(nullptr, hEdit);
    combo.EnableWindow(FALSE);
    EXPECT_TRUE(::IsWindowEnabled(hEdit));
    EXPECT_NE(0, ::GetWindowLongA(hEdit, GWL_STYLE) & ES_READONLY);
    combo.EnableWindow(TRUE);
    EXPECT_EQ(0, ::GetWindowLongA(hEdit, GWL_STYLE) & ES_READONLY);
}

// Deletes the combo box when it is asked to cancel modes.
class CDeletingParent : public CWnd
{
public:
    CExtComboBox* m_pCombo = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CANCELMODE && m_pCombo != nullptr)
        {
            delete m_pCombo;
            m_pCombo = nullptr;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(ComboBoxTest, AComboDeletedByItsParentOnAPressTouchesNothing)
{
    CDeletingParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "deleting", WS_POPUP | WS_VISIBLE, 0, 0, 300, 250,
                                nullptr, nullptr));
    auto* pCombo = new CExtComboBox;
    ASSERT_TRUE(pCombo->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, COMBO_RECT, &parent, 1));
    parent.m_pCombo = pCombo;
    const HWND hCombo = pCombo->m_hWnd;
    EXPECT_EQ(1, ::SendMessageA(hCombo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)));
    EXPECT_EQ(nullptr, parent.m_pCombo);
    EXPECT_FALSE(::IsWindow(hCombo));
    parent.DestroyWindow();
}

// A combo whose edit part and flags the test reaches.
class CInspectableCombo : public CExtComboBox
{
public:
    void AllowEditContextMenu(bool bAllow)
    {
        m_nFlags = static_cast<BYTE>(bAllow ? (m_nFlags | FLAG_EDIT_CONTEXT_MENU)
                                            : (m_nFlags & ~FLAG_EDIT_CONTEXT_MENU));
    }
    CExtComboEditCtrlHook& Edit() { return m_edit; }
};

// Closes whatever menu the context-menu request opened, from inside its own loop.
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR nIdEvent, DWORD)
{
    ::KillTimer(nullptr, nIdEvent);
    ::EndMenu();
}

TEST_F(ComboBoxTest, TheEditPartsContextMenuFollowsTheCombosSetting)
{
    struct MenuCase
    {
        const char* pszWhat;
        bool bComboAllows;
        bool bEditHandlesAfterwards;
    };
    const MenuCase cases[] = {
        {"allowed: the framework's menu", true, true},
        {"forbidden: the system's menu from now on", false, false},
    };
    for (const MenuCase& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CInspectableCombo combo;
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, COMBO_RECT, &m_parent, 1));
        ASSERT_NE(nullptr, combo.Edit().m_hWnd);
        combo.AllowEditContextMenu(c.bComboAllows);
        ::SetFocus(m_parent.m_hWnd);
        ::SetTimer(nullptr, 0, 200, EndMenuSoon);
        RECT rc;
        ::GetWindowRect(combo.Edit().m_hWnd, &rc);
        combo.Edit().SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(combo.Edit().m_hWnd),
                                 MAKELPARAM(rc.left + 2, rc.top + 2));
        EXPECT_EQ(c.bEditHandlesAfterwards,
                  (combo.Edit().m_nEditFlags & CExtEditBase::FLAG_HANDLE_COMMANDS) != 0);
        EXPECT_EQ(combo.Edit().m_hWnd, ::GetFocus());
        PumpThrough(m_parent.m_hWnd);
    }
}
} // namespace

namespace
{
constexpr UINT kMenuCommand = 40100;

// A menu that starts tracking closes the dropped list of the combo box that has the focus, from
// the combo or from its edit part.
TEST_F(ComboBoxTest, AMenuStartingToTrackClosesTheDroppedList)
{
    for (const DWORD dwType : {DWORD(CBS_DROPDOWNLIST), DWORD(CBS_DROPDOWN)})
    {
        SCOPED_TRACE(dwType);
        CExtComboBox combo;
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | dwType, COMBO_RECT, &m_parent, 1));
        combo.AddString("pixels");
        combo.AddString("twips");
        HWND hFocus = dwType == CBS_DROPDOWN ? ::GetWindow(combo.m_hWnd, GW_CHILD) : combo.m_hWnd;
        ::SetFocus(hFocus);
        combo.SendMessage(CB_SHOWDROPDOWN, TRUE);
        ASSERT_NE(0, combo.SendMessage(CB_GETDROPPEDSTATE));
        auto* pPopup = new CExtPopupMenuWnd;
        ASSERT_TRUE(pPopup->PrepareEmptyPopup(m_parent.m_hWnd));
        pPopup->InsertCommandItem(kMenuCommand, -1, "Item");
        if (!pPopup->StartTracking(0, 50, 50))
            delete pPopup;
        EXPECT_EQ(0, combo.SendMessage(CB_GETDROPPEDSTATE));
        CExtPopupMenuWnd::EndActiveTracking();
        PumpThrough(m_parent.m_hWnd);
    }
}
} // namespace
