#include "tests/ui/core/PopupTestSupport.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char* const PROFILE = "PopupMenuItemDrawingTest";
constexpr UINT ID_ALPHA = 0x9201;
constexpr UINT ID_BETA = 0x9202;
constexpr UINT ID_CUSTOM = 0x9203;
constexpr int ALPHA_ITEM = 0;
constexpr int BETA_ITEM = 1;
constexpr int CUSTOM_ITEM = 2;
constexpr int SUBMENU_ITEM = 3;
constexpr COLORREF OWNER_INK = RGB(255, 0, 255);
const CRect OWNER_RECT(0, 0, 560, 420);
const CPoint MENU_POINT(80, 60);

// How the owner answers the draw-item message: not at all, by painting the item itself, or by
// letting the popup draw it.
enum class Answer { Ignore, Paint, Default };
Answer g_answer = Answer::Ignore;
COLORREF g_ownerInk = OWNER_INK;  // what the owner paints with
std::vector<std::pair<UINT, BYTE>> g_drawn;  // command and record flags

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtPopupMenuWnd::g_nMsgPopupDrawItem) {
        const auto* pData = reinterpret_cast<const CExtPopupMenuWnd::DRAWITEMDATA*>(lParam);
        g_drawn.emplace_back(pData->pItemData->nCmdId, pData->nFlags);
        if (g_answer == Answer::Paint) {
            pData->pDC->FillSolidRect(&pData->rcInner, g_ownerInk);
            return 1;
        }
        if (g_answer == Answer::Default) {
            pData->PaintDefault();
            return 1;
        }
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

class PopupMenuItemDrawing : public ::testing::Test
{
public:
    static void SetUpTestSuite()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &OwnerProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "PopupItemDrawingOwner";
        wc.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
        ::RegisterClassA(&wc);
        s_hWndOwner = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, OWNER_RECT.left,
                                        OWNER_RECT.top, OWNER_RECT.Width(), OWNER_RECT.Height(), nullptr, nullptr,
                                        wc.hInstance, nullptr);
        g_CmdManager->CreateProfile(PROFILE, s_hWndOwner);
        for (UINT nId : {ID_ALPHA, ID_BETA})
            if (CExtCmdItem* pCmd = g_CmdManager->AllocateCommand(PROFILE, nId))
                pCmd->m_sMenuText = nId == ID_ALPHA ? "&Alpha" : "&Beta";
        if (CExtCmdItem* pCmd = g_CmdManager->FindCommand(PROFILE, ID_ALPHA))
            pCmd->m_sTipTool = "Alpha does the first thing";
    }
    static void TearDownTestSuite()
    {
        g_CmdManager->RemoveAllCommands(PROFILE);
        g_CmdManager->DetachProfileWindow(s_hWndOwner, true);
        ::DestroyWindow(s_hWndOwner);
    }

protected:
    void SetUp() override
    {
        m_bTips = CExtPopupBaseWnd::g_bPopupItemTips;
        ::SetForegroundWindow(s_hWndOwner);
        ::SetCursorPos(OWNER_RECT.right - 20, OWNER_RECT.bottom - 20);
        PumpMessagesFor(60);
        g_drawn.clear();
        g_answer = Answer::Ignore;
        g_ownerInk = OWNER_INK;
    }
    void TearDown() override
    {
        EndPopupTracking();
        EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
        CExtPopupBaseWnd::g_bPopupItemTips = m_bTips;
    }

    // Alpha, Beta (commands), a custom item and a submenu.
    static CExtPopupMenuWnd* MakeMenu()
    {
        auto* pPopup = new CExtPopupMenuWnd;
        auto* pChild = new CExtPopupMenuWnd;
        const CExtCmdIcon noIcon;
        if (!pPopup->PrepareEmptyPopup(s_hWndOwner) || !pPopup->InsertCommandItem(ID_ALPHA) ||
            !pPopup->InsertCommandItem(ID_BETA) ||
            !pPopup->InsertCustomItem(ID_CUSTOM, -1, "&Custom", nullptr, noIcon) ||
            !pChild->InsertCustomItem(ID_CUSTOM, -1, "&Inner", nullptr, noIcon) ||
            !pPopup->InsertSubmenuItem(pChild, -1, "&More")) {
            delete pPopup;
            return nullptr;
        }
        return pPopup;
    }
    static bool Open(CExtPopupMenuWnd* pPopup, UINT nFlags)
    {
        const bool bOk = pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION |
                                                   CExtPopupMenuWnd::TRACK_NO_CMD_UI |
                                                   CExtPopupMenuWnd::TRACK_SHOW_ALL | nFlags,
                                               MENU_POINT.x, MENU_POINT.y);
        PumpMessagesFor(100);
        return bOk;
    }
    static POINT ScreenCentre(const CExtPopupMenuWnd& popup, int nIndex)
    {
        CRect rc;
        popup.GetItemRect(nIndex, &rc, true);
        POINT pt = rc.CenterPoint();
        ::ClientToScreen(popup.GetSafeHwnd(), &pt);
        return pt;
    }

    static HWND s_hWndOwner;
    CInstantPopups m_instantPopups;
    bool m_bTips = true;
};
HWND PopupMenuItemDrawing::s_hWndOwner = nullptr;

}  // namespace

// Only a menu tracked with owner drawing asks its owner for each item (never for separators);
// the item shows what the owner painted, or the popup's own drawing when the owner declines or
// asks for it.
TEST_F(PopupMenuItemDrawing, OwnerDrawsItemsOnlyWhenAsked)
{
    const struct
    {
        const char* name;
        UINT nFlags;
        Answer answer;
        bool bAsked;
        bool bOwnerInk;
    } cases[] = {
        {"without the flag", 0, Answer::Paint, false, false},
        {"owner paints", CExtPopupMenuWnd::TRACK_OWNER_DRAW, Answer::Paint, true, true},
        {"owner declines", CExtPopupMenuWnd::TRACK_OWNER_DRAW, Answer::Ignore, true, false},
        {"owner asks for the default", CExtPopupMenuWnd::TRACK_OWNER_DRAW, Answer::Default, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_drawn.clear();
        g_answer = c.answer;
        CExtPopupMenuWnd* pPopup = MakeMenu();
        ASSERT_NE(pPopup, nullptr);
        ASSERT_TRUE(Open(pPopup, c.nFlags));
        EXPECT_EQ(!g_drawn.empty(), c.bAsked);
        if (c.bAsked) {
            bool bSubmenuMarked = false;
            for (const auto& [nCmd, nFlags] : g_drawn) {
                EXPECT_TRUE((nFlags & CExtPopupMenuWnd::DRAWITEMDATA::OWNER_DRAW) != 0);
                EXPECT_NE(nCmd, CExtPopupMenuWnd::ID_SEPARATOR);
                if (nCmd == CExtPopupMenuWnd::ID_SUBMENU)
                    bSubmenuMarked = (nFlags & CExtPopupMenuWnd::DRAWITEMDATA::SUBMENU) != 0;
            }
            EXPECT_TRUE(bSubmenuMarked);
        }
        for (int nIndex : {ALPHA_ITEM, SUBMENU_ITEM}) {
            const POINT pt = ScreenCentre(*pPopup, nIndex);
            const COLORREF clr = ScreenPixel(pt.x, pt.y);
            EXPECT_EQ(clr == OWNER_INK, c.bOwnerInk) << "item " << nIndex << " pixel " << std::hex << clr;
        }
        EndPopupTracking();
    }
}

// Resting on an item shows its command's tooltip in the balloon; items without one show none.
TEST_F(PopupMenuItemDrawing, ItemTipShowsTheCommandsTooltip)
{
    CExtPopupBaseWnd::g_bPopupItemTips = true;
    const struct
    {
        const char* name;
        int nIndex;
        const char* tip;
    } cases[] = {
        {"command with a tooltip", ALPHA_ITEM, "Alpha does the first thing"},
        {"command without one", BETA_ITEM, ""},
        {"custom item", CUSTOM_ITEM, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CExtPopupMenuWnd* pPopup = MakeMenu();
        ASSERT_NE(pPopup, nullptr);
        ASSERT_TRUE(Open(pPopup, 0));
        EXPECT_STREQ(pPopup->GetItemTipText(c.nIndex), c.tip);
        const POINT pt = ScreenCentre(*pPopup, c.nIndex);
        ::SetCursorPos(pt.x, pt.y);
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
        ::SendInput(1, &in, sizeof(INPUT));
        PumpMessagesFor(1300);
        EXPECT_EQ(pPopup->GetCurrentItemIndex(), c.nIndex);
        const HWND hTip = pPopup->GetTipWnd().GetSafeHwnd();
        const bool bShown = hTip != nullptr && ::IsWindowVisible(hTip);
        EXPECT_EQ(bShown, *c.tip != 0);
        if (bShown) {
            EXPECT_STREQ(pPopup->GetTipWnd().GetText(), c.tip);
        }
        EndPopupTracking();
        ::SetCursorPos(OWNER_RECT.right - 20, OWNER_RECT.bottom - 20);
    }
}

namespace {

// A submenu that lets the test see where it keeps the item that opened it.
class CCombinedChild : public CExtPopupMenuWnd
{
public:
    using CExtPopupMenuWnd::m_rcExcludeClient;
    using CExtPopupMenuWnd::m_rcMenu;
};

}  // namespace

// A submenu combined with its item draws that item into its own window, as the owner draws it,
// so both share one outline: repainting the submenu alone brings the owner's new ink there.
TEST_F(PopupMenuItemDrawing, CombinedSubmenuDrawsTheItemThatOpenedIt)
{
    constexpr COLORREF SECOND_INK = RGB(0, 255, 0);
    auto* pPopup = new CExtPopupMenuWnd;
    auto* pChild = new CCombinedChild;
    const CExtCmdIcon noIcon;
    ASSERT_TRUE(pPopup->PrepareEmptyPopup(s_hWndOwner));
    ASSERT_TRUE(pPopup->InsertCustomItem(ID_CUSTOM, -1, "&Custom", nullptr, noIcon));
    ASSERT_TRUE(pChild->InsertCustomItem(ID_CUSTOM, -1, "&Inner", nullptr, noIcon));
    ASSERT_TRUE(pPopup->InsertSubmenuItem(pChild, -1, "&More"));
    pPopup->ItemDataAt(1)->nFlagsA |= CExtPopupMenuWnd::MENUITEMDATA::A_COMBINED_SUBMENU;
    g_answer = Answer::Paint;
    ASSERT_TRUE(Open(pPopup, CExtPopupMenuWnd::TRACK_OWNER_DRAW));
    pPopup->HighlightItem(1, true, true, false);
    PumpMessagesFor(100);
    ASSERT_TRUE(::IsWindowVisible(pChild->GetSafeHwnd()));
    ASSERT_TRUE(pChild->IsCombinedWithParentItem());

    const POINT ptItem = ScreenCentre(*pPopup, 1);
    POINT ptInChild = ptItem;
    ::ScreenToClient(pChild->GetSafeHwnd(), &ptInChild);
    EXPECT_TRUE(::PtInRect(&pChild->m_rcExcludeClient, ptInChild));
    EXPECT_FALSE(::PtInRect(&pChild->m_rcMenu, ptInChild));
    // The owner's second ink reaches the screen only through the submenu's own painting.
    g_drawn.clear();
    g_ownerInk = SECOND_INK;
    ::RedrawWindow(pChild->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessagesFor(60);
    EXPECT_EQ(SECOND_INK, ScreenPixel(ptItem.x, ptItem.y));
    bool bItemDrawn = false;
    for (const auto& [nCmd, nFlags] : g_drawn)
        bItemDrawn = bItemDrawn || (nCmd == CExtPopupMenuWnd::ID_SUBMENU &&
                                    (nFlags & CExtPopupMenuWnd::DRAWITEMDATA::SUBMENU) != 0);
    EXPECT_TRUE(bItemDrawn);
}

// A separator takes the rarely used look only inside a run of rarely used items; button-style
// items are push buttons, without the icon band of the other items.
TEST_F(PopupMenuItemDrawing, RarelyUsedSeparatorsAndButtonStyleItems)
{
    constexpr int PIXEL_INSET = 3;
    const bool bMark = CExtPopupBaseWnd::g_bMarkRarelyUsedItems;
    CExtPopupBaseWnd::g_bMarkRarelyUsedItems = true;
    const CExtCmdIcon noIcon;
    auto* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->PrepareEmptyPopup(s_hWndOwner));
    // Alpha, separator, Beta, separator, Custom, Custom as a button.
    ASSERT_TRUE(pPopup->InsertCommandItem(ID_ALPHA));
    ASSERT_TRUE(pPopup->InsertCommandItem(0));
    ASSERT_TRUE(pPopup->InsertCommandItem(ID_BETA));
    ASSERT_TRUE(pPopup->InsertCommandItem(0));
    ASSERT_TRUE(pPopup->InsertCustomItem(ID_CUSTOM, -1, "&Custom", nullptr, noIcon));
    ASSERT_TRUE(pPopup->InsertCustomItem(ID_CUSTOM, -1, "&Button", nullptr, noIcon));
    pPopup->ItemDataAt(5)->nFlagsA |= CExtPopupMenuWnd::MENUITEMDATA::A_BUTTON_STYLE;
    ASSERT_TRUE(pPopup->ItemDataAt(0)->IsRarelyUsed());
    ASSERT_TRUE(pPopup->ItemDataAt(2)->IsRarelyUsed());
    ASSERT_TRUE(Open(pPopup, 0));
    // A pixel of the item's band (from its left edge) or of its body (from its right edge).
    auto pixelAt = [&](int nIndex, bool bFromRight) {
        CRect rc;
        pPopup->GetItemRect(nIndex, &rc, true);
        POINT pt = {bFromRight ? rc.right - PIXEL_INSET : rc.left + PIXEL_INSET, rc.top + rc.Height() / 2};
        ::ClientToScreen(pPopup->GetSafeHwnd(), &pt);
        return ScreenPixel(pt.x, pt.y);
    };
    EXPECT_NE(pixelAt(1, false), pixelAt(3, false)) << "the separator between two rarely used items looks like one";
    EXPECT_NE(pixelAt(4, true), pixelAt(5, true)) << "the button-style item is filled like a menu item";
    CExtPopupBaseWnd::g_bMarkRarelyUsedItems = bMark;
}
