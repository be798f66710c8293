#include "platform/mfc/RecentFileList.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr char PROFILE[] = "PopupItemsTest";
constexpr UINT ID_OPEN = 0x8001;
constexpr UINT ID_SAVE = 0x8002;
constexpr UINT ID_CUT = 0x8003;
constexpr UINT ID_UNKNOWN = 0x8004;
constexpr UINT ID_CLEAR = 0xE120;

using Item = CExtPopupMenuWnd::MENUITEMDATA;

// Gives the test access to the item records.
class CItemsPopup : public CExtPopupMenuWnd
{
public:
    using CExtPopupMenuWnd::ItemDataAt;
    BYTE MenuFlags() const { return m_nMenuFlags; }
};

class PopupMenuItemsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hWnd = ::CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        ASSERT_TRUE(g_CmdManager->CreateProfile(PROFILE, m_hWnd));
        m_bHideRarely = CExtPopupBaseWnd::g_bHideRarelyUsedItems;
        CExtPopupBaseWnd::g_bHideRarelyUsedItems = false;
    }
    void TearDown() override
    {
        CExtPopupBaseWnd::g_bHideRarelyUsedItems = m_bHideRarely;
        g_CmdManager->RemoveAllCommands(PROFILE);
        g_CmdManager->DetachProfileWindow(m_hWnd, true);
        ::DestroyWindow(m_hWnd);
    }
    void AddCommand(UINT nId, LPCSTR lpszMenuText, LPCSTR lpszAccel = "")
    {
        CExtCmdItem* pCmd = g_CmdManager->AllocateCommand(PROFILE, nId);
        ASSERT_NE(pCmd, nullptr);
        pCmd->m_sMenuText = lpszMenuText;
        pCmd->m_sAccelText = lpszAccel;
    }
    static std::string TextAt(const CExtPopupMenuWnd& popup, int nIndex)
    {
        CString s;
        popup.GetItemText(s, nIndex);
        return static_cast<LPCSTR>(s);
    }
    static std::string AccelAt(const CExtPopupMenuWnd& popup, int nIndex)
    {
        CString s;
        popup.GetItemAccelText(s, nIndex);
        return static_cast<LPCSTR>(s);
    }

    HWND m_hWnd = nullptr;
    bool m_bHideRarely = true;
};

struct MenuOwner
{
    HMENU h = ::CreatePopupMenu();
    ~MenuOwner()
    {
        if (::IsMenu(h))
            ::DestroyMenu(h);
    }
};

// One menu entry as the building sees it, and what it should make of it.
struct BuildCase
{
    const char* name;
    UINT nFlags;
    UINT nId;
    const char* text;
    std::string expectText;
    std::string expectAccel;
    char cAccel;
    bool bEnabled;
    bool bChecked;
};

TEST_F(PopupMenuItemsTest, BuildsMenuTextsAccelCharsAndStatesWithoutProfileUpdate)
{
    const BuildCase cases[] = {
        {"tab splits accelerator", MF_STRING, ID_OPEN, "&Open\tCtrl+O", "&Open", "Ctrl+O", 'O', true, false},
        {"lower-case accelerator upper-cased", MF_STRING, ID_SAVE, "&save", "&save", "", 'S', true, false},
        {"no ampersand, no accelerator", MF_STRING, ID_CUT, "Cut", "Cut", "", 0, true, false},
        {"grayed and checked", MF_STRING | MF_GRAYED | MF_CHECKED, ID_UNKNOWN, "Gr&ay", "Gr&ay", "", 'A', false, true},
        {"ampersand at the end", MF_STRING, ID_OPEN, "End&", "End&", "", 0, true, false},
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        MenuOwner menu;
        ASSERT_TRUE(::AppendMenuA(menu.h, c.nFlags, c.nId, c.text));
        CItemsPopup popup;
        CMenu m;
        m.Attach(menu.h);
        EXPECT_TRUE(popup.FillFromMenu(m_hWnd, &m, false, true, true));
        m.Detach();
        ASSERT_EQ(popup.CountItems(), 1);
        EXPECT_EQ(popup.CommandIdAt(0), c.nId);
        EXPECT_EQ(TextAt(popup, 0), c.expectText);
        EXPECT_EQ(AccelAt(popup, 0), c.expectAccel);
        const Item* pItem = popup.ItemDataAt(0);
        ASSERT_NE(pItem, nullptr);
        EXPECT_EQ(pItem->cAccelChar, c.cAccel);
        EXPECT_EQ(pItem->IsEnabled(), c.bEnabled);
        EXPECT_EQ((pItem->nFlagsA & Item::A_CHECKED) != 0, c.bChecked);
        EXPECT_TRUE(pItem->IsCustom());
        EXPECT_GE(pItem->nHeight, Item::MIN_ITEM_HEIGHT);
        EXPECT_GT(pItem->nWidth, 0);
    }
}

TEST_F(PopupMenuItemsTest, SeparatorsCollapseAndEdgesHide)
{
    MenuOwner menu;
    ::AppendMenuA(menu.h, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu.h, MF_STRING, ID_OPEN, "Open");
    ::AppendMenuA(menu.h, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu.h, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu.h, MF_STRING, ID_SAVE, "Save");
    ::AppendMenuA(menu.h, MF_SEPARATOR, 0, nullptr);
    CItemsPopup popup;
    CMenu m;
    m.Attach(menu.h);
    ASSERT_TRUE(popup.FillFromMenu(m_hWnd, &m, false, true, true));
    m.Detach();
    // Leading separator, Open, one separator of the two, Save, trailing separator.
    ASSERT_EQ(popup.CountItems(), 5);
    const bool expectShown[] = {false, true, true, true, false};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(popup.IsItemDisplayed(i), expectShown[i]) << i;
        EXPECT_EQ(popup.ItemDataAt(i)->nIndex, i);
    }
    // A menu of separators alone shows nothing.
    MenuOwner only;
    ::AppendMenuA(only.h, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(only.h, MF_SEPARATOR, 0, nullptr);
    m.Attach(only.h);
    ASSERT_TRUE(popup.FillFromMenu(m_hWnd, &m, false, true, true));
    m.Detach();
    EXPECT_EQ(popup.CountItems(), 1);
    EXPECT_TRUE(popup.IsEveryItemHidden());
}

TEST_F(PopupMenuItemsTest, InvalidMenusLeaveItemsUnchanged)
{
    CItemsPopup popup;
    ASSERT_TRUE(popup.PrepareEmptyPopup(m_hWnd));
    ASSERT_TRUE(popup.InsertCustomItem(ID_OPEN, -1, "Keep", "", CExtCmdIcon()));

    HMENU hDestroyed = ::CreatePopupMenu();
    ::DestroyMenu(hDestroyed);
    MenuOwner noSubmenu;
    ::AppendMenuA(noSubmenu.h, MF_STRING, ID_OPEN, "Open");
    struct Case
    {
        const char* name;
        HMENU h;
        bool bTakeFirstSubmenu;
    } cases[] = {
        {"destroyed handle", hDestroyed, false},
        {"garbage handle", reinterpret_cast<HMENU>(0x7654321), false},
        {"first entry is no submenu", noSubmenu.h, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMenu m;
        m.m_hMenu = c.h;
        EXPECT_FALSE(popup.FillFromMenu(m_hWnd, &m, c.bTakeFirstSubmenu, true, true));
        m.m_hMenu = nullptr;
        ASSERT_EQ(popup.CountItems(), 1);
        EXPECT_EQ(TextAt(popup, 0), "Keep");
    }
    EXPECT_FALSE(popup.FillFromMenu(m_hWnd, nullptr, false, true, true));

    // An empty menu gives an empty popup.
    MenuOwner empty;
    CMenu m;
    m.Attach(empty.h);
    EXPECT_TRUE(popup.FillFromMenu(m_hWnd, &m, false, true, true));
    m.Detach();
    EXPECT_EQ(popup.CountItems(), 0);
    EXPECT_TRUE(popup.IsEveryItemHidden());
}

TEST_F(PopupMenuItemsTest, QueriesAtBadIndexesGiveEmptyAnswers)
{
    CItemsPopup popup;
    ASSERT_TRUE(popup.PrepareEmptyPopup(m_hWnd));
    ASSERT_TRUE(popup.InsertCustomItem(ID_OPEN, -1, "Open", "Ctrl+O", CExtCmdIcon()));
    ASSERT_TRUE(popup.InsertCustomItem(0, -1, nullptr, nullptr, CExtCmdIcon()));
    for (int nIndex : {-5, -1, 2, 1000}) {
        SCOPED_TRACE(nIndex);
        EXPECT_EQ(popup.ItemDataAt(nIndex), nullptr);
        EXPECT_EQ(popup.CommandIdAt(nIndex), 0u);
        EXPECT_EQ(TextAt(popup, nIndex), "");
        EXPECT_EQ(AccelAt(popup, nIndex), "");
        EXPECT_EQ(popup.GetSubmenuAt(nIndex), nullptr);
        EXPECT_EQ(popup.ExtractItemIcon(nIndex), nullptr);
        EXPECT_FALSE(popup.IsItemDisplayed(nIndex));
        EXPECT_FALSE(popup.SetItemText(nIndex, "x"));
        EXPECT_FALSE(popup.SetItemForcedDisplay(nIndex, true));
        if (nIndex >= 0) {
            EXPECT_FALSE(popup.DeleteItemAt(nIndex));
        }
    }
    // A separator has no texts.
    EXPECT_EQ(TextAt(popup, 1), "");
    EXPECT_FALSE(popup.SetItemText(1, "x"));
    EXPECT_EQ(popup.CountItems(), 2);
}

TEST_F(PopupMenuItemsTest, OverlongMenuTextIsCut)
{
    const std::string sLong(3000, 'w');
    MenuOwner menu;
    ::AppendMenuA(menu.h, MF_STRING, ID_OPEN, sLong.c_str());
    CItemsPopup popup;
    CMenu m;
    m.Attach(menu.h);
    ASSERT_TRUE(popup.FillFromMenu(m_hWnd, &m, false, true, true));
    m.Detach();
    const std::string sText = TextAt(popup, 0);
    EXPECT_GT(sText.size(), 0u);
    EXPECT_LE(sText.size(), static_cast<size_t>(CExtPopupMenuWnd::MAX_MENU_TEXT));
    EXPECT_EQ(sText, sLong.substr(0, sText.size()));
}

TEST_F(PopupMenuItemsTest, ProfileCommandsSupplyTextsAndMissingOnesKeepTheMenus)
{
    AddCommand(ID_OPEN, "&Open file", "Ctrl+O");
    MenuOwner menu;
    ::AppendMenuA(menu.h, MF_STRING, ID_OPEN, "Menu's open");
    ::AppendMenuA(menu.h, MF_STRING | MF_GRAYED, ID_UNKNOWN, "&Unknown\tF9");
    CItemsPopup popup;
    ASSERT_TRUE(popup.PrepareEmptyPopup(m_hWnd));
    CMenu m;
    m.Attach(menu.h);
    ASSERT_TRUE(popup.BuildItemsFromMenu(&m, true, false));
    m.Detach();
    ASSERT_EQ(popup.CountItems(), 2);
    EXPECT_EQ(TextAt(popup, 0), "&Open file");
    EXPECT_EQ(AccelAt(popup, 0), "Ctrl+O");
    EXPECT_FALSE(popup.ItemDataAt(0)->IsCustom());
    EXPECT_EQ(TextAt(popup, 1), "&Unknown");
    EXPECT_EQ(AccelAt(popup, 1), "F9");
    EXPECT_TRUE(popup.ItemDataAt(1)->IsCustom());
    EXPECT_FALSE(popup.ItemDataAt(1)->IsEnabled());

    // Through the profile import every command is bound.
    m.Attach(menu.h);
    ASSERT_TRUE(popup.FillFromMenu(m_hWnd, &m, false, true, false));
    m.Detach();
    EXPECT_FALSE(popup.ItemDataAt(1)->IsCustom());
    EXPECT_NE(g_CmdManager->FindCommand(PROFILE, ID_UNKNOWN), nullptr);
}

TEST_F(PopupMenuItemsTest, SubmenusAreOwnedChildrenOfTheTree)
{
    MenuOwner menu;
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuA(hSub, MF_STRING, ID_CUT, "Cut");
    ::AppendMenuA(hSub, MF_STRING, ID_SAVE, "Save");
    ::AppendMenuA(menu.h, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), "&Edit");
    ::AppendMenuA(menu.h, MF_STRING, ID_OPEN, "Open\tCtrl+O");
    CItemsPopup popup;
    CMenu m;
    m.Attach(menu.h);
    ASSERT_TRUE(popup.FillFromMenu(m_hWnd, &m, false, true, true));
    m.Detach();
    ASSERT_EQ(popup.CountItems(), 2);
    EXPECT_EQ(popup.CommandIdAt(0), CExtPopupMenuWnd::ID_SUBMENU);
    CExtPopupMenuWnd* pChild = popup.GetSubmenuAt(0);
    ASSERT_NE(pChild, nullptr);
    EXPECT_EQ(pChild->CountItems(), 2);
    EXPECT_EQ(pChild->GetParentMenuWnd(), &popup);
    EXPECT_FALSE(pChild->IsTopLevel());
    EXPECT_TRUE(popup.IsTopLevel());
    EXPECT_EQ(pChild->GetCommandTargetWindow(), m_hWnd);
    EXPECT_EQ(popup.FindItemByCommand(ID_OPEN), 1);
    EXPECT_EQ(popup.FindItemByCommand(ID_OPEN, 1), -1);
    EXPECT_EQ(popup.FindItemByText("&Edit", 0), 0);  // wraps to the start
    EXPECT_EQ(popup.FindItemByText("nothing"), -1);

    // The Win32 copy keeps texts, accelerators and the submenu.
    HMENU hCopy = popup.CreateWin32Menu(true);
    ASSERT_NE(hCopy, nullptr);
    char sz[64] = {};
    ::GetMenuStringA(hCopy, 1, sz, sizeof(sz), MF_BYPOSITION);
    EXPECT_STREQ(sz, "Open\tCtrl+O");
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(hCopy, 0)), 2);
    ::DestroyMenu(hCopy);

    // Deleting the submenu item deletes its popup (checked by the leak-free run of the tree).
    EXPECT_TRUE(popup.DeleteItemAt(0));
    EXPECT_EQ(popup.CountItems(), 1);
    EXPECT_TRUE(popup.DeleteItemAt(-1));
    EXPECT_EQ(popup.CountItems(), 0);
}

TEST_F(PopupMenuItemsTest, InsertingChecksCommandsAndPositions)
{
    AddCommand(ID_SAVE, "&Save\tCtrl+S");
    CItemsPopup popup;
    ASSERT_TRUE(popup.PrepareEmptyPopup(m_hWnd));
    EXPECT_FALSE(popup.PrepareEmptyPopup(m_hWnd) && popup.CountItems() > 0);
    EXPECT_FALSE(popup.InsertCommandItem(ID_UNKNOWN));
    EXPECT_FALSE(popup.InsertCommandItem(ID_SAVE, 1));
    ASSERT_TRUE(popup.InsertCommandItem(ID_SAVE, -1, "ignored"));
    EXPECT_EQ(TextAt(popup, 0), "&Save");
    EXPECT_EQ(AccelAt(popup, 0), "Ctrl+S");
    EXPECT_FALSE(popup.PrepareEmptyPopup(m_hWnd));

    ASSERT_TRUE(popup.InsertCustomItem(ID_CUT, 0, "Cu&t", "Ctrl+X", CExtCmdIcon(), CExtPopupMenuWnd::CUSTOM_RADIO));
    EXPECT_EQ(popup.CommandIdAt(0), ID_CUT);
    EXPECT_NE(popup.ItemDataAt(0)->nFlagsB & Item::B_RADIO, 0);
    EXPECT_EQ(popup.ItemDataAt(0)->cAccelChar, 'T');

    auto* pChild = new CExtPopupMenuWnd;
    ASSERT_TRUE(popup.InsertSubmenuItem(pChild, -1, "More"));
    EXPECT_FALSE(pChild->IsTopLevel());
    EXPECT_EQ(pChild->GetParentMenuWnd(), &popup);
    EXPECT_EQ(popup.GetSubmenuAt(2), pChild);
    EXPECT_EQ(popup.SetCommandItemsValue(nullptr, false), 3);
    EXPECT_EQ(pChild->GetCommandTargetWindow(), nullptr);

    // Icons only for submenus and custom items.
    HICON hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_FALSE(popup.SetItemIcon(1, hIcon));
    EXPECT_TRUE(popup.SetItemIcon(2, hIcon));
    HICON hExtracted = popup.ExtractItemIcon(2);
    EXPECT_NE(hExtracted, nullptr);
    if (hExtracted != nullptr)
        ::DestroyIcon(hExtracted);
    EXPECT_TRUE(popup.SetItemIcon(2, nullptr));
    EXPECT_EQ(popup.ExtractItemIcon(2), nullptr);
}

TEST_F(PopupMenuItemsTest, RareItemsHideUntilForcedOrShownAll)
{
    CExtPopupBaseWnd::g_bHideRarelyUsedItems = true;
    AddCommand(ID_OPEN, "Open");
    AddCommand(ID_SAVE, "Save");
    // Unused commands are rarely used; basic ones never are.
    g_CmdManager->FindCommand(PROFILE, ID_OPEN)->SetBasic(true);
    CItemsPopup popup;
    ASSERT_TRUE(popup.PrepareEmptyPopup(m_hWnd));
    ASSERT_TRUE(popup.InsertCommandItem(ID_OPEN));
    ASSERT_TRUE(popup.InsertCommandItem(ID_SAVE));
    ASSERT_TRUE(g_CmdManager->FindCommand(PROFILE, ID_SAVE)->IsRarelyUsed());
    EXPECT_TRUE(popup.IsItemDisplayed(0));
    EXPECT_FALSE(popup.IsItemDisplayed(1));
    EXPECT_NE(popup.MenuFlags() & CExtPopupMenuWnd::MENU_HAS_EXPAND, 0);
    EXPECT_TRUE(popup.SetItemForcedDisplay(1, true));
    EXPECT_TRUE(popup.IsItemDisplayed(1));
    EXPECT_EQ(popup.MenuFlags() & CExtPopupMenuWnd::MENU_HAS_EXPAND, 0);
}

// Recent files fill the place of the menu's recent-file entries, numbered from 1; the ids past
// the sixteenth belong to other commands and are never listed.
TEST_F(PopupMenuItemsTest, RecentFilesAreNumberedAndStopAtTheSixteenth)
{
    CWinApp app("PopupItemsApp");
    auto list = std::make_unique<CRecentFileList>(CExtCmdManager::RECENT_FILE_ID_FIRST, "Recent", "File%d", 20);
    for (int i = 0; i < 20; ++i)
        list->m_arrNames[static_cast<size_t>(i)].Format("C:\\d\\f%d.txt", i + 1);
    app.m_pRecentFileList = list.get();
    AddCommand(ID_OPEN, "Open");
    AddCommand(ID_CLEAR, "Clear");

    MenuOwner menu;
    ::AppendMenuA(menu.h, MF_STRING, ID_OPEN, "Open");
    ::AppendMenuA(menu.h, MF_STRING, CExtCmdManager::RECENT_FILE_ID_FIRST, "Recent File");
    ::AppendMenuA(menu.h, MF_STRING, CExtCmdManager::RECENT_FILE_ID_FIRST + 1, "Recent File");
    CItemsPopup popup;
    ASSERT_TRUE(popup.PrepareEmptyPopup(m_hWnd));
    CMenu m;
    m.Attach(menu.h);
    ASSERT_TRUE(popup.BuildItemsFromMenu(&m, true, false));
    m.Detach();
    app.m_pRecentFileList = nullptr;

    // Open, sixteen files, a separator.
    ASSERT_EQ(popup.CountItems(), 18);
    EXPECT_EQ(popup.CommandIdAt(1), CExtCmdManager::RECENT_FILE_ID_FIRST);
    EXPECT_EQ(popup.CommandIdAt(16), CExtCmdManager::RECENT_FILE_ID_LAST);
    EXPECT_EQ(popup.CommandIdAt(17), 0u);
    EXPECT_EQ(popup.FindItemByCommand(ID_CLEAR), -1);
    EXPECT_EQ(TextAt(popup, 1).rfind("&1 ", 0), 0u);
    EXPECT_EQ(TextAt(popup, 12).rfind("1&2 ", 0), 0u);
    EXPECT_EQ(popup.ItemDataAt(12)->cAccelChar, '2');
    const CExtCmdItem* pCmd = g_CmdManager->FindCommand(PROFILE, CExtCmdManager::RECENT_FILE_ID_FIRST + 11);
    ASSERT_NE(pCmd, nullptr);
    EXPECT_STREQ(pCmd->m_sToolbarText, "Recent file 12");
    EXPECT_EQ(std::string(pCmd->m_sTipTool).find("f12.txt") != std::string::npos, true);
    // Clear keeps its own text.
    EXPECT_STREQ(g_CmdManager->FindCommand(PROFILE, ID_CLEAR)->m_sMenuText, "Clear");
}

}  // namespace

namespace {

// The language layout of the resource manager decides the popups' reading order.
TEST(PopupMenuServices, RightToLeftFollowsTheResourceLanguage)
{
    CExtPopupMenuWnd popup;
    const int nOld = g_ResourceManagerHolder->SetRightToLeftOverride(1);
    EXPECT_TRUE(popup.IsRightToLeft());
    g_ResourceManagerHolder->SetRightToLeftOverride(0);
    EXPECT_FALSE(popup.IsRightToLeft());
    g_ResourceManagerHolder->SetRightToLeftOverride(nOld);
}

}  // namespace
