#include "tests/ui/core/PopupTestSupport.h"
#include "ui/core/ExtPopupMenuInPlaceEditWnd.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

constexpr UINT ID_OPEN = 0x9101;
constexpr UINT ID_WIDTH = 0x9102;
constexpr UINT ID_CLOSE = 0x9103;
constexpr int EDIT_WIDTH = 60;
constexpr int WIDTH_ITEM = 2;
constexpr int SEPARATOR_ITEM = 1;
const CRect OWNER_RECT(0, 0, 600, 460);
const CPoint MENU_POINT(90, 70);
const char* const INITIAL_VALUE = "40";

std::vector<UINT> g_commands;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_commands.push_back(LOWORD(wParam));
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// Only digits are a valid width.
bool DigitsOnly(CEdit*, LPARAM, LPCSTR, LPCSTR lpszNew)
{
    for (const char* p = lpszNew; *p != 0; ++p)
        if (!std::isdigit(static_cast<unsigned char>(*p)))
            return false;
    return true;
}

class CTestPopup : public CExtPopupMenuWnd
{
public:
    using CExtPopupMenuWnd::GetInplaceEditRect;
};

class PopupMenuInplaceEdit : public ::testing::Test
{
public:
    static void SetUpTestSuite()
    {
        s_hWndOwner =
            CreateOwnerWindow("PopupInplaceOwner", &OwnerProc, OWNER_RECT, ::GetSysColorBrush(COLOR_WINDOW));
    }
    static void TearDownTestSuite() { ::DestroyWindow(s_hWndOwner); }

protected:
    void SetUp() override
    {
        ActivateOwner(s_hWndOwner, OWNER_RECT);
        g_commands.clear();
        m_sValue = INITIAL_VALUE;
    }
    void TearDown() override
    {
        EndPopupTracking();
        EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
    }

    // Open, a separator, Width [edit], Close.
    CTestPopup* MakeMenu(CExtPopupMenuWnd* pWidthSubmenu = nullptr)
    {
        auto* pPopup = new CTestPopup;
        const CExtCmdIcon noIcon;
        const bool bOk = pPopup->PrepareEmptyPopup(s_hWndOwner) &&
                         pPopup->InsertCustomItem(ID_OPEN, -1, "&Open", nullptr, noIcon) &&
                         pPopup->InsertCustomItem(CExtPopupMenuWnd::ID_SEPARATOR, -1, nullptr, nullptr, noIcon) &&
                         pPopup->InsertInplaceEditItem(-1, &m_sValue, "&Width", EDIT_WIDTH, ID_WIDTH, &DigitsOnly,
                                                       nullptr, nullptr, 0, pWidthSubmenu) &&
                         pPopup->InsertCustomItem(ID_CLOSE, -1, "&Close", nullptr, noIcon);
        if (!bOk) {
            delete pPopup;
            return nullptr;
        }
        return pPopup;
    }
    static bool Open(CExtPopupMenuWnd* pPopup)
    {
        const bool bOk = pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION |
                                                   CExtPopupMenuWnd::TRACK_SELECT_FIRST,
                                               MENU_POINT.x, MENU_POINT.y);
        PumpMessagesFor(80);
        return bOk;
    }
    static CString EditText(CExtPopupMenuWnd* pPopup)
    {
        CString sText;
        if (const auto* pItem = pPopup->ItemDataAt(WIDTH_ITEM); pItem != nullptr && pItem->pInplaceEdit != nullptr)
            pItem->pInplaceEdit->GetWindowText(sText);
        return sText;
    }

    static HWND s_hWndOwner;
    CString m_sValue;
    CInstantPopups m_instantPopups;
};
HWND PopupMenuInplaceEdit::s_hWndOwner = nullptr;

}  // namespace

// The field ends one pixel inside the item, two pixels shorter at top and bottom; a submenu
// keeps its drop-down button beyond it.
TEST_F(PopupMenuInplaceEdit, EditFieldLiesAtTheItemsEnd)
{
    for (bool bSubmenu : {false, true}) {
        SCOPED_TRACE(bSubmenu ? "submenu" : "plain");
        CTestPopup* pPopup = MakeMenu(bSubmenu ? new CExtPopupMenuWnd : nullptr);
        ASSERT_NE(pPopup, nullptr);
        ASSERT_TRUE(Open(pPopup));
        CRect rcItem, rcEdit;
        ASSERT_TRUE(pPopup->GetItemRect(WIDTH_ITEM, &rcItem, true));
        ASSERT_TRUE(pPopup->GetInplaceEditRect(WIDTH_ITEM, &rcEdit));
        const int nDropDown = bSubmenu ? ::GetSystemMetrics(SM_CXHTHUMB) : 0;
        EXPECT_EQ(rcEdit.right, rcItem.right - 1 - nDropDown);
        EXPECT_EQ(rcEdit.Width(), EDIT_WIDTH);
        EXPECT_EQ(rcEdit.top, rcItem.top + 2);
        EXPECT_EQ(rcEdit.bottom, rcItem.bottom - 2);
        const auto* pItem = pPopup->ItemDataAt(WIDTH_ITEM);
        ASSERT_NE(pItem->pInplaceEdit, nullptr);
        EXPECT_EQ(::GetParent(pItem->pInplaceEdit->GetSafeHwnd()), pPopup->GetSafeHwnd());
        EXPECT_FALSE(::IsWindowVisible(pItem->pInplaceEdit->GetSafeHwnd())) << "hidden until focused";
        EXPECT_STREQ(EditText(pPopup), INITIAL_VALUE);
        CExtPopupMenuWnd::EndActiveTracking();
    }
}

// Keys typed into the focused edit: the validation callback refuses what is not a digit, Enter
// commits and ends the menu, Escape keeps the menu and the old value, Delete with no selection
// takes the character after the caret.
TEST_F(PopupMenuInplaceEdit, TypedKeysAreValidatedAndCommittedByEnter)
{
    const std::vector<WORD> byEnter = {VK_DOWN, VK_RETURN};
    const std::vector<WORD> byAccelerator = {'W'};
    const struct
    {
        const char* name;
        std::vector<WORD> focusKeys;
        std::vector<WORD> keys;
        const char* stored;
        bool bStillOpen;
        const char* shown;  // the edit's text at the end
    } cases[] = {
        {"digits, a refused letter, Enter", byEnter, {'1', '2', 'A', '3', VK_RETURN}, "123", false, "123"},
        {"Escape keeps the old value", byEnter, {'7', VK_ESCAPE}, INITIAL_VALUE, true, INITIAL_VALUE},
        {"Delete takes the character after the caret", byEnter, {VK_HOME, VK_DELETE, VK_RETURN}, "0", false, "0"},
        {"the accelerator focuses the edit", byAccelerator, {'5', VK_RETURN}, "5", false, "5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_sValue = INITIAL_VALUE;
        CTestPopup* pPopup = MakeMenu();
        ASSERT_NE(pPopup, nullptr);
        ASSERT_TRUE(Open(pPopup));
        const HWND hPopup = pPopup->GetSafeHwnd();
        for (WORD vk : c.focusKeys)
            PressKey(vk);
        ASSERT_EQ(pPopup->GetCurrentItemIndex(), WIDTH_ITEM);
        const HWND hEdit = pPopup->ItemDataAt(WIDTH_ITEM)->pInplaceEdit->GetSafeHwnd();
        ASSERT_EQ(::GetFocus(), hEdit);
        ASSERT_TRUE(::IsWindowVisible(hEdit));
        CString sShown;
        for (WORD vk : c.keys) {
            if (::IsWindow(hEdit)) {
                char sz[64] = {};
                ::GetWindowTextA(hEdit, sz, sizeof sz);
                sShown = sz;
            }
            PressKey(vk);
        }
        PumpMessagesFor(60);
        EXPECT_STREQ(m_sValue, c.stored);
        EXPECT_EQ(CExtPopupMenuWnd::IsTrackingActive(), c.bStillOpen);
        if (c.bStillOpen) {
            EXPECT_TRUE(::IsWindow(hPopup));
            EXPECT_FALSE(::IsWindowVisible(hEdit));
            EXPECT_NE(::GetFocus(), hEdit);
            EXPECT_STREQ(EditText(pPopup), c.shown);
        } else {
            EXPECT_STREQ(sShown, c.shown) << "text before the last key";
        }
        EndPopupTracking();
    }
}

// Clicking elsewhere in the menu (the separator) hides the edit and reverts an uncommitted text.
TEST_F(PopupMenuInplaceEdit, ClickElsewhereRevertsAnUncommittedText)
{
    CTestPopup* pPopup = MakeMenu();
    ASSERT_NE(pPopup, nullptr);
    ASSERT_TRUE(Open(pPopup));
    CRect rcEdit, rcSeparator;
    ASSERT_TRUE(pPopup->GetInplaceEditRect(WIDTH_ITEM, &rcEdit));
    ASSERT_TRUE(pPopup->GetItemRect(SEPARATOR_ITEM, &rcSeparator, false));
    auto click = [&](CPoint ptClient) {
        ::ClientToScreen(pPopup->GetSafeHwnd(), &ptClient);
        ClickAt(ptClient);
    };
    click(rcEdit.CenterPoint());
    const HWND hEdit = pPopup->ItemDataAt(WIDTH_ITEM)->pInplaceEdit->GetSafeHwnd();
    ASSERT_EQ(::GetFocus(), hEdit) << "a click on the item focuses its edit";
    PressKey('9');
    click(rcSeparator.CenterPoint());
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(::IsWindowVisible(hEdit));
    EXPECT_STREQ(EditText(pPopup), INITIAL_VALUE);
    EXPECT_STREQ(m_sValue, INITIAL_VALUE);
    EXPECT_TRUE(g_commands.empty());
}

// An owner that makes the edit window itself answers the creation message; the popup uses it.
namespace {

struct COwnerEdit : CEdit
{
    void PostNcDestroy() override { delete this; }
};
CExtPopupMenuWnd::InplaceEditCreation g_seen{};
CWnd* g_pOwnerMade = nullptr;
WNDPROC g_pfnOwnerProc = nullptr;

LRESULT CALLBACK MakingOwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != CExtPopupMenuWnd::g_nMsgCreateInplaceEdit)
        return ::CallWindowProcA(g_pfnOwnerProc, hWnd, message, wParam, lParam);
    auto* pCreation = reinterpret_cast<CExtPopupMenuWnd::InplaceEditCreation*>(wParam);
    g_seen = *pCreation;
    auto* pEdit = new COwnerEdit;
    if (!pEdit->Create(WS_CHILD, pCreation->rcEdit, pCreation->pPopup, 77)) {
        delete pEdit;
        return 0;
    }
    *pCreation->ppEdit = pEdit;
    g_pOwnerMade = pEdit;
    return 1;
}

}  // namespace

TEST_F(PopupMenuInplaceEdit, OwnerMayMakeTheEditWindow)
{
    g_pOwnerMade = nullptr;
    g_pfnOwnerProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(s_hWndOwner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MakingOwnerProc)));
    CTestPopup* pPopup = MakeMenu();
    ASSERT_NE(pPopup, nullptr);
    const bool bOpened = Open(pPopup);
    ::SetWindowLongPtrA(s_hWndOwner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnOwnerProc));
    ASSERT_TRUE(bOpened);
    ASSERT_NE(g_pOwnerMade, nullptr);
    EXPECT_EQ(pPopup->ItemDataAt(WIDTH_ITEM)->pInplaceEdit, g_pOwnerMade);
    EXPECT_EQ(g_seen.pText, &m_sValue);
    EXPECT_EQ(g_seen.pfnValidate, &DigitsOnly);
    EXPECT_EQ(g_seen.pPopup, pPopup);
    CRect rcField;
    ASSERT_TRUE(pPopup->GetInplaceEditRect(WIDTH_ITEM, &rcField));
    EXPECT_TRUE(::EqualRect(&g_seen.rcEdit, &rcField));
    const HWND hMade = g_pOwnerMade->GetSafeHwnd();
    CExtPopupMenuWnd::EndActiveTracking();
    EXPECT_FALSE(::IsWindow(hMade)) << "the popup destroys the edit windows with its own";
}

// A commit callback that destroys the edit (and the object with it) still ends the menu, and
// nothing of the edit is touched afterwards.
namespace {

CString g_sCommitted;
void CommitAndDestroy(CEdit* pEdit, LPARAM, LPCSTR lpszText)
{
    g_sCommitted = lpszText;
    pEdit->DestroyWindow();
}

}  // namespace

TEST_F(PopupMenuInplaceEdit, CommitCallbackMayDestroyTheEdit)
{
    g_sCommitted.Empty();
    auto* pPopup = new CTestPopup;
    ASSERT_TRUE(pPopup->PrepareEmptyPopup(s_hWndOwner));
    ASSERT_TRUE(pPopup->InsertInplaceEditItem(-1, &m_sValue, "&Width", EDIT_WIDTH, ID_WIDTH, nullptr,
                                              &CommitAndDestroy));
    ASSERT_TRUE(Open(pPopup));
    PressKey(VK_RETURN);
    ASSERT_NE(::GetFocus(), nullptr);
    PressKey('8');
    PressKey(VK_RETURN);
    PumpMessagesFor(60);
    EXPECT_STREQ(g_sCommitted, "8");
    EXPECT_STREQ(m_sValue, INITIAL_VALUE) << "the callback takes the text instead of the storage";
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

// A validation callback that destroys the edit leaves the item without a window; the menu goes on.
namespace {

bool RefuseAndDestroy(CEdit* pEdit, LPARAM, LPCSTR, LPCSTR)
{
    pEdit->DestroyWindow();
    return false;
}

}  // namespace

TEST_F(PopupMenuInplaceEdit, ValidationMayDestroyTheEdit)
{
    auto* pPopup = new CTestPopup;
    ASSERT_TRUE(pPopup->PrepareEmptyPopup(s_hWndOwner));
    ASSERT_TRUE(pPopup->InsertInplaceEditItem(-1, &m_sValue, "&Width", EDIT_WIDTH, ID_WIDTH, &RefuseAndDestroy));
    ASSERT_TRUE(pPopup->InsertCustomItem(ID_CLOSE, -1, "&Close", nullptr, CExtCmdIcon()));
    ASSERT_TRUE(Open(pPopup));
    PressKey(VK_RETURN);
    PressKey('8');
    EXPECT_EQ(pPopup->ItemDataAt(0)->pInplaceEdit, nullptr);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    PressKey(VK_DOWN);
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive()) << "an item without its edit stays open";
    EXPECT_STREQ(m_sValue, INITIAL_VALUE);
}
