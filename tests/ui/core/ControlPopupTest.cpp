#include "tests/ui/core/ControlPopupTestSupport.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupColorMenuWnd.h"
#include "ui/core/ExtPopupControlMenuWnd.h"
#include "ui/core/ExtPopupInplaceListBox.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupUndoRedoListBox.h"
#include "ui/core/ExtPopupUndoRedoMenuWnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using List = CExtPopupInplaceListBox;
const CPoint POPUP_POINT(100, 80);
constexpr DWORD LIST_STYLE = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
constexpr UINT ID_OTHER = 0x9101;

// A control popup hosting a plain in-place list box.
class CListPopup : public CExtPopupControlMenuWnd
{
public:
    explicit CListPopup(DWORD dwStyle = LIST_STYLE) : m_dwStyle(dwStyle) {}
    HWND CreateChildControl(const RECT& rcControl) override
    {
        auto* pList = new List;
        if (!pList->Create(m_dwStyle, rcControl, this, static_cast<UINT>(-1))) {
            delete pList;
            return nullptr;
        }
        pList->m_nFlags |= List::FLAG_AUTO_DELETE;
        return pList->GetSafeHwnd();
    }
    List* GetList() const
    {
        return static_cast<List*>(CWnd::FromHandlePermanent(m_hWndControl));
    }
    DWORD m_dwStyle;
};

std::vector<std::string> Names(int nCount)
{
    static const char* const NAMES[] = {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"};
    std::vector<std::string> names;
    for (int i = 0; i < nCount; ++i)
        names.push_back(i < 5 ? NAMES[i] : "Item " + std::to_string(i));
    return names;
}

class ControlPopup : public ListOwnerTest
{
protected:
    void SetUp() override
    {
        ListOwnerTest::SetUp();
        Owner().m_items = Names(5);
        Owner().m_nInitialSelection = 0;
    }

    // Tracks a list popup at the fixed point; null when it did not open.
    static CListPopup* Open(DWORD dwStyle = LIST_STYLE,
                            DWORD dwControlFlags = CExtPopupControlMenuWnd::FLAG_HANDLES_ESCAPE)
    {
        auto* pPopup = new CListPopup(dwStyle);
        pPopup->m_dwControlFlags = dwControlFlags;
        return Track(pPopup, POPUP_POINT);
    }

    // A list box that is a plain child of the owner, for its own message handling.
    static List* MakeLooseList(DWORD dwStyle, int nItems)
    {
        auto* pList = new List;
        EXPECT_TRUE(pList->Create(dwStyle, CRect(10, 10, 160, 110), CWnd::FromHandle(Owner().Handle()), 1));
        for (const std::string& name : Names(nItems))
            pList->AddString(name.c_str());
        return pList;
    }

    static std::vector<CListOwnerWindow::Notice> Endings()
    {
        std::vector<CListOwnerWindow::Notice> endings;
        for (const auto& notice : Owner().m_notices)
            if (notice.nMessage == List::g_nMsgPopupListBoxSelEndOK ||
                notice.nMessage == List::g_nMsgPopupListBoxSelEndCancel)
                endings.push_back(notice);
        return endings;
    }
};

// The popup is the control plus border and left band; the control sits inside the border.
TEST_F(ControlPopup, ContentFitsTheControlInsideTheBorder)
{
    for (int nBand : {0, 24}) {
        SCOPED_TRACE(nBand);
        CListPopup popup;
        popup.SetLeftBandWidth(nBand);
        const int nBorder = popup.GetBorderSize();
        EXPECT_EQ(CSize(150 + 2 * nBorder + nBand, 100 + 2 * nBorder), popup.MeasureContent());
        EXPECT_EQ(CRect(nBorder + nBand, nBorder, nBorder + nBand + 150, nBorder + 100), popup.GetControlRect());
        EXPECT_FALSE(popup.IsShadowAllowed());
        EXPECT_FALSE(popup.IsEveryItemHidden());
    }
}

// Each popup and list can be made from its runtime class, with the defaults its callers rely on.
TEST_F(ControlPopup, RuntimeClassesCreateWithTheirDefaults)
{
    CObject* pControl = RUNTIME_CLASS(CExtPopupControlMenuWnd)->CreateObject();
    ASSERT_NE(nullptr, pControl);
    auto* pPopup = static_cast<CExtPopupControlMenuWnd*>(pControl);
    EXPECT_EQ(150, pPopup->m_nControlWidth);
    EXPECT_EQ(100, pPopup->m_nControlHeight);
    EXPECT_EQ(CExtPopupControlMenuWnd::FLAG_HANDLES_ESCAPE, pPopup->m_dwControlFlags);
    EXPECT_EQ(nullptr, pPopup->CreateChildControl(CRect(0, 0, 10, 10)));
    delete pControl;

    CObject* pUndo = RUNTIME_CLASS(CExtPopupUndoRedoMenuWnd)->CreateObject();
    ASSERT_NE(nullptr, pUndo);
    auto* pUndoPopup = static_cast<CExtPopupUndoRedoMenuWnd*>(pUndo);
    EXPECT_EQ(0x50200068u, pUndoPopup->m_dwListBoxStyles);
    EXPECT_EQ(0, pUndoPopup->m_lParamListBoxNotification);
    EXPECT_EQ(0, pUndoPopup->GetActionCount());
    EXPECT_EQ(24, pUndoPopup->GetCaptionHeight());
    delete pUndo;

    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPopupInplaceListBox), RUNTIME_CLASS(CExtPopupUndoRedoListBox)}) {
        CObject* pObject = pClass->CreateObject();
        ASSERT_NE(nullptr, pObject);
        EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CExtPopupInplaceListBox)));
        EXPECT_FALSE(static_cast<List*>(pObject)->IsSelectionEnded());
        delete pObject;
    }
}

TEST_F(ControlPopup, TrackedPopupPlacesItsListAndKeepsTheOwnerActive)
{
    CListPopup* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    List* pList = pPopup->GetList();
    ASSERT_NE(nullptr, pList);
    CRect rcList;
    pList->GetWindowRect(&rcList);
    pPopup->ScreenToClient(&rcList);
    const CRect rcExpected = pPopup->GetControlRect();
    EXPECT_EQ(rcExpected, rcList) << rcExpected.left << "," << rcExpected.top << "," << rcExpected.right << ","
                                  << rcExpected.bottom << " vs " << rcList.left << "," << rcList.top << ","
                                  << rcList.right << "," << rcList.bottom;
    EXPECT_EQ(5, pList->GetCount());
    EXPECT_EQ(1, Owner().CountNotices(List::g_nMsgPopupListBoxInitContent));
    EXPECT_EQ(Owner().Handle(), ::GetForegroundWindow());
}

// Keys reach the list through the tracking hooks; only the first ending is reported.
TEST_F(ControlPopup, KeysDriveTheListUntilItEndsOnce)
{
    const UINT OK = List::g_nMsgPopupListBoxSelEndOK;
    const UINT CANCEL = List::g_nMsgPopupListBoxSelEndCancel;
    const struct
    {
        const char* name;
        std::vector<std::vector<WORD>> keys;  // a key, or a modifier and a key
        std::vector<CListOwnerWindow::Notice> endings;
        bool bStillTracking;
    } cases[] = {
        {"enter takes the selection", {{VK_RETURN}}, {{OK, 0}}, false},
        {"down moves before enter", {{VK_DOWN}, {VK_DOWN}, {VK_RETURN}}, {{OK, 2}}, false},
        {"escape closes the popup without a notice", {{VK_ESCAPE}}, {}, false},
        {"alt cancels", {{VK_MENU}}, {{CANCEL, 0}}, false},
        {"ctrl with a key is neither handled nor passed on", {{VK_CONTROL, VK_DOWN}}, {}, true},
        {"shift with a key is neither handled nor passed on", {{VK_SHIFT, VK_DOWN}}, {}, true},
        {"right does nothing", {{VK_RIGHT}}, {}, true},
        {"left on a top popup does nothing", {{VK_LEFT}}, {}, true},
        {"a second enter reports nothing", {{VK_RETURN}, {VK_RETURN}}, {{OK, 0}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Owner().Prepare();
        CListPopup* pPopup = Open();
        ASSERT_NE(nullptr, pPopup);
        List* pList = pPopup->GetList();
        for (const std::vector<WORD>& key : c.keys) {
            if (key.size() == 2)
                PressKeyWith(key[0], key[1]);
            else
                PressKey(key[0]);
        }
        const std::vector<CListOwnerWindow::Notice> endings = Endings();
        ASSERT_EQ(c.endings.size(), endings.size());
        for (size_t i = 0; i < endings.size(); ++i) {
            EXPECT_EQ(c.endings[i].nMessage, endings[i].nMessage);
            EXPECT_EQ(c.endings[i].nSelection, endings[i].nSelection);
        }
        EXPECT_EQ(c.bStillTracking, CExtPopupMenuWnd::IsTrackingActive());
        if (c.bStillTracking) {
            EXPECT_EQ(0, pList->GetCurSel());
        }
        EndPopupTracking();
    }
}

// A popup that leaves Escape to its control lets the list cancel, and the owner hears of it.
TEST_F(ControlPopup, EscapeLeftToTheListCancels)
{
    ASSERT_NE(nullptr, Open(LIST_STYLE, 0));
    PressKey(VK_ESCAPE);
    const std::vector<CListOwnerWindow::Notice> endings = Endings();
    ASSERT_EQ(1u, endings.size());
    EXPECT_EQ(List::g_nMsgPopupListBoxSelEndCancel, endings[0].nMessage);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_TRUE(Owner().m_commands.empty());
}

TEST_F(ControlPopup, HoverSelectsAndAClickOnAnItemEndsWithIt)
{
    CListPopup* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    List* pList = pPopup->GetList();
    const HWND hWndList = pList->GetSafeHwnd();
    MoveCursorTo(ItemCentreOnScreen(hWndList, 3));
    EXPECT_EQ(3, pList->GetCurSel());
    ASSERT_GE(Owner().CountNotices(List::g_nMsgPopupListBoxSelChange), 1);
    EXPECT_EQ(3, Owner().m_notices.back().nSelection);
    EXPECT_EQ(Owner().Handle(), ::GetForegroundWindow());
    ClickAt(ItemCentreOnScreen(hWndList, 3));
    const std::vector<CListOwnerWindow::Notice> endings = Endings();
    ASSERT_EQ(1u, endings.size());
    EXPECT_EQ(List::g_nMsgPopupListBoxSelEndOK, endings[0].nMessage);
    EXPECT_EQ(3, endings[0].nSelection);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(::IsWindow(hWndList));
}

TEST_F(ControlPopup, ClosingThePopupEndsTheListSilently)
{
    CListPopup* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    EndPopupTracking();
    EXPECT_TRUE(Endings().empty());

    pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    // Cancel mode is a cancel the owner hears of, and it closes the popup.
    ::SendMessageA(pPopup->GetControlWindow(), WM_CANCELMODE, 0, 0);
    PumpMessagesFor(30);
    const std::vector<CListOwnerWindow::Notice> endings = Endings();
    ASSERT_EQ(1u, endings.size());
    EXPECT_EQ(List::g_nMsgPopupListBoxSelEndCancel, endings[0].nMessage);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

// Dragged beyond the list with the button held, the selection moves one item past the edge.
TEST_F(ControlPopup, DragBeyondTheListSelectsOnePastTheEdge)
{
    List* pList = MakeLooseList(LIST_STYLE, 30);
    const HWND hWnd = pList->GetSafeHwnd();
    CRect rcClient;
    pList->GetClientRect(&rcClient);
    BOOL bOutside = FALSE;
    const int nLastVisible = static_cast<int>(pList->ItemFromPoint(CPoint(5, rcClient.bottom - 1), bOutside));
    const struct
    {
        const char* name;
        int nTop;
        int y;
        int nExpected;
    } cases[] = {
        {"above a scrolled list: the item above the top", 5, -10, 4},
        {"above the unscrolled list: nothing", 0, -10, -1},
        {"below: the item after the last visible one", 0, rcClient.bottom + 10, nLastVisible + 1},
        {"below the end: nothing", 29, rcClient.bottom + 10, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pList->SetCurSel(-1);
        pList->SetTopIndex(c.nTop);
        ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ASSERT_EQ(hWnd, ::GetCapture());
        ::SendMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, c.y));
        EXPECT_EQ(c.nExpected, pList->GetCurSel());
        ::ReleaseCapture();
        // Without the capture nothing outside the list selects.
        pList->SetCurSel(-1);
        ::SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, c.y));
        EXPECT_EQ(-1, pList->GetCurSel());
    }
    pList->DestroyWindow();
    delete pList;
}

TEST_F(ControlPopup, WheelScrollsAListWithAScrollBarAndIsEatenOtherwise)
{
    const int nSystemLines = static_cast<int>(g_PaintManagerHolder.GetMouseWheelScrollLines());
    const int nLines = nSystemLines > 2 ? nSystemLines - 1 : nSystemLines;
    const struct
    {
        const char* name;
        DWORD dwStyle;
        int nItems;
        short nDelta;
        int nTop;
        LRESULT lExpected;
        int nTopAfter;
        bool bPassOn;
    } cases[] = {
        {"no scroll bar: eaten", LIST_STYLE & ~WS_VSCROLL, 30, 120, 5, 1, 5, false},
        {"no items: eaten", LIST_STYLE, 0, 120, 0, 1, 0, false},
        {"no delta: eaten", LIST_STYLE, 30, 0, 5, 1, 5, false},
        {"up", LIST_STYLE, 30, 120, 5, 0, 5 - nLines, true},
        {"down", LIST_STYLE, 30, -120, 5, 0, 5 + nLines, true},
        {"up at the top stays", LIST_STYLE, 30, 120, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        List* pList = MakeLooseList(c.dwStyle, c.nItems);
        pList->SetTopIndex(c.nTop);
        bool bPassOn = false;
        MOUSEHOOKSTRUCTEX hook{};
        hook.mouseData = static_cast<DWORD>(static_cast<WORD>(c.nDelta)) << 16;
        CExtPopupControlMenuWnd::ControlInputData data;
        data.m_nKind = CExtPopupControlMenuWnd::INPUT_MOUSE_WHEEL;
        data.m_pPassOn = &bPassOn;
        data.m_pWheelHook = &hook;
        EXPECT_EQ(c.lExpected, ::SendMessageA(pList->GetSafeHwnd(), CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate,
                                              reinterpret_cast<WPARAM>(&data), 0));
        EXPECT_EQ(c.nTopAfter, pList->GetTopIndex());
        EXPECT_EQ(c.bPassOn, bPassOn);
        pList->DestroyWindow();
        delete pList;
    }
}

// As a submenu the list hands its choice to the item that opened it, and Left goes back.
TEST_F(ControlPopup, SubmenuHandsItsChoiceToTheOpeningItemAndLeftReturns)
{
    auto* pMenu = new CExtPopupMenuWnd;
    ASSERT_TRUE(pMenu->PrepareEmptyPopup(Owner().Handle()));
    auto* pChild = new CListPopup;
    ASSERT_TRUE(pMenu->InsertSubmenuItem(pChild, -1, "&Pick"));
    ASSERT_TRUE(pMenu->InsertCustomItem(ID_OTHER, -1, "&Other", nullptr, CExtCmdIcon()));
    ASSERT_TRUE(pMenu->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_SELECT_FIRST,
                                     POPUP_POINT.x, POPUP_POINT.y));
    PumpMessagesFor(60);
    PressKey(VK_RIGHT);
    PumpMessagesFor(60);
    ASSERT_TRUE(::IsWindow(pChild->GetControlWindow()));
    // A click on the item that opened the list keeps the list open.
    CRect rcItem;
    ASSERT_TRUE(pMenu->GetItemRect(0, &rcItem, false));
    pMenu->ClientToScreen(&rcItem);
    ClickAt(rcItem.CenterPoint());
    ASSERT_TRUE(::IsWindowVisible(pChild->GetSafeHwnd()));
    EXPECT_TRUE(Owner().m_commands.empty());
    EXPECT_EQ(pChild, g_PopupMenuTrackingState.m_pCurrentPopup);
    PressKey(VK_DOWN);
    EXPECT_EQ(1, pChild->GetList()->GetCurSel());
    // An item without an edit field keeps the choice as its pending text but cannot show it.
    const CExtPopupMenuWnd::MENUITEMDATA* pItem = pMenu->ItemDataAt(0);
    EXPECT_STREQ("Beta", pItem->sInplacePending);
    EXPECT_EQ(0, pItem->nInplaceFlags & CExtPopupMenuWnd::MENUITEMDATA::INPLACE_PENDING);
    EXPECT_STREQ("", pItem->sAccelText);
    PressKey(VK_LEFT);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(pMenu, g_PopupMenuTrackingState.m_pCurrentPopup);
    EXPECT_FALSE(::IsWindow(pChild->GetSafeHwnd()));
    EXPECT_TRUE(Endings().empty());
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

// A list opened from an item with an edit field shows its choice there as the pending text,
// without touching the stored value; a choice without text shows the stored value again.
TEST_F(ControlPopup, ChoiceShowsAsThePendingTextOfAnEditItem)
{
    auto* pMenu = new CExtPopupMenuWnd;
    ASSERT_TRUE(pMenu->PrepareEmptyPopup(Owner().Handle()));
    auto* pChild = new CListPopup;
    CString sValue("Stored");
    ASSERT_TRUE(pMenu->InsertInplaceEditItem(-1, &sValue, "&Pick", 60, 0, nullptr, nullptr, nullptr, 0, pChild));
    ASSERT_TRUE(pMenu->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_SELECT_FIRST,
                                     POPUP_POINT.x, POPUP_POINT.y));
    PumpMessagesFor(60);
    PressKey(VK_RIGHT);
    PumpMessagesFor(60);
    List* pList = pChild->GetList();
    ASSERT_NE(nullptr, pList);
    const CExtPopupMenuWnd::MENUITEMDATA* pItem = pMenu->ItemDataAt(0);
    PressKey(VK_DOWN);
    EXPECT_EQ(1, pList->GetCurSel());
    EXPECT_STREQ("Beta", pItem->GetInplaceShownText());
    EXPECT_STREQ("Stored", sValue);
    // An item without text is no choice to show.
    pList->InsertString(2, "");
    PressKey(VK_DOWN);
    EXPECT_EQ(2, pList->GetCurSel());
    EXPECT_STREQ("Stored", pItem->GetInplaceShownText());
    EXPECT_EQ(0, pItem->nInplaceFlags & CExtPopupMenuWnd::MENUITEMDATA::INPLACE_PENDING);
}

bool StopCommand(CExtPopupMenuWnd*, CExtPopupMenuWnd::MENUITEMDATA*)
{
    return true;
}

// An item whose submenu holds one choice (a colour, the actions to undo) ends the menu itself on a
// click or Enter: the popup reports its choice and no command is posted. Other submenus open.
TEST_F(ControlPopup, ChoiceSubmenuItemEndsTheMenuLikeACommand)
{
    constexpr COLORREF INITIAL = RGB(0, 147, 0);
    enum class Kind { Color, UndoRedo, List };
    struct Case
    {
        const char* name;
        Kind kind;
        bool bClick;
        bool bStop;  // the pre-command callback refuses
        bool bEnds;
    };
    const Case cases[] = {
        {"colour click", Kind::Color, true, false, true},
        {"colour Enter", Kind::Color, false, false, true},
        {"colour refused", Kind::Color, true, true, false},
        {"undo click", Kind::UndoRedo, true, false, true},
        {"undo Enter", Kind::UndoRedo, false, false, true},
        {"list click", Kind::List, true, false, false},
        {"list Enter", Kind::List, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Owner().Prepare();
        COLORREF clrResult = CLR_INVALID;
        auto* pMenu = new CExtPopupMenuWnd;
        ASSERT_TRUE(pMenu->PrepareEmptyPopup(Owner().Handle()));
        CExtPopupMenuWnd* pChild = nullptr;
        if (c.kind == Kind::Color) {
            auto* pColor = new CExtPopupColorMenuWnd;
            pColor->m_clrInitial = INITIAL;
            pColor->m_pClrResult = &clrResult;
            pChild = pColor;
        } else if (c.kind == Kind::UndoRedo) {
            pChild = new CExtPopupUndoRedoMenuWnd;
        } else {
            pChild = new CListPopup;
        }
        ASSERT_TRUE(pMenu->InsertSubmenuItem(pChild, -1, "&Pick"));
        ASSERT_TRUE(pMenu->InsertCustomItem(ID_OTHER, -1, "&Other", nullptr, CExtCmdIcon()));
        if (c.bStop)
            pMenu->ItemDataAt(0)->pfnPreCommand = &StopCommand;
        ASSERT_TRUE(pMenu->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION | CExtPopupMenuWnd::TRACK_SELECT_FIRST,
                                         POPUP_POINT.x, POPUP_POINT.y));
        PumpMessagesFor(60);
        if (c.bClick) {
            CRect rcItem;
            ASSERT_TRUE(pMenu->GetItemRect(0, &rcItem, false));
            pMenu->ClientToScreen(&rcItem);
            ClickAt(rcItem.CenterPoint());
        } else {
            PressKey(VK_RETURN);
        }
        PumpMessagesFor(60);
        EXPECT_EQ(!c.bEnds, CExtPopupMenuWnd::IsTrackingActive());
        EXPECT_TRUE(Owner().m_commands.empty());
        EXPECT_TRUE(Endings().empty());
        if (c.kind == Kind::Color) {
            EXPECT_EQ(c.bEnds ? INITIAL : CLR_INVALID, clrResult);
        }
        if (c.kind == Kind::List) {
            EXPECT_TRUE(::IsWindowVisible(pChild->GetSafeHwnd()));
        }
        CExtPopupMenuWnd::EndActiveTracking();
        PumpMessagesFor(30);
    }
}

}  // namespace
