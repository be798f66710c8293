#include "tests/ui/core/ControlPopupTestSupport.h"

#include "ui/core/ExtPopupInplaceListBox.h"
#include "ui/core/ExtPopupMenuTrackingState.h"

namespace {
constexpr char OWNER_CLASS[] = "ControlPopupTestOwner";
}  // namespace

CListOwnerWindow::CListOwnerWindow(const RECT& rc) : m_rc(rc)
{
    m_hWnd = CreateOwnerWindow(OWNER_CLASS, &WndProc, rc, ::CreateSolidBrush(BACKDROP));
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Prepare();
}

CListOwnerWindow::~CListOwnerWindow()
{
    if (::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

void CListOwnerWindow::Prepare()
{
    ActivateOwner(m_hWnd, m_rc);
    m_notices.clear();
    m_commands.clear();
}

int CListOwnerWindow::CountNotices(UINT nMessage) const
{
    int nCount = 0;
    for (const Notice& notice : m_notices)
        nCount += notice.nMessage == nMessage ? 1 : 0;
    return nCount;
}

LRESULT CALLBACK CListOwnerWindow::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pThis = reinterpret_cast<CListOwnerWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pThis != nullptr)
        return pThis->OnMessage(message, wParam, lParam);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CListOwnerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    using List = CExtPopupInplaceListBox;
    if (message == WM_COMMAND) {
        m_commands.push_back(LOWORD(wParam));
        return 0;
    }
    if (message == List::g_nMsgPopupListBoxInitContent) {
        auto* pList = reinterpret_cast<List*>(wParam);
        for (const std::string& item : m_items)
            pList->AddString(item.c_str());
        if (m_nInitialSelection >= 0)
            pList->SetCurSel(m_nInitialSelection);
        m_notices.push_back({message, -1});
        return 0;
    }
    if (message == List::g_nMsgPopupListBoxItemMeasure) {
        reinterpret_cast<List::ItemMeasureData*>(wParam)->m_pMeasure->itemHeight = ITEM_HEIGHT;
        return TRUE;
    }
    if (message == List::g_nMsgPopupListBoxItemDraw) {
        const DRAWITEMSTRUCT* pDraw = reinterpret_cast<List::ItemDrawData*>(wParam)->m_pDraw;
        if (pDraw->itemID == static_cast<UINT>(-1))
            return TRUE;
        const bool bSelected = (pDraw->itemState & ODS_SELECTED) != 0;
        ::SetBkColor(pDraw->hDC, bSelected ? SELECTED : ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(pDraw->hDC, bSelected ? RGB(255, 255, 255) : ::GetSysColor(COLOR_WINDOWTEXT));
        char szText[256] = {};
        ::SendMessageA(pDraw->hwndItem, LB_GETTEXT, pDraw->itemID, reinterpret_cast<LPARAM>(szText));
        RECT rc = pDraw->rcItem;
        ::ExtTextOutA(pDraw->hDC, rc.left + 4, rc.top + 2, ETO_OPAQUE, &rc, szText,
                      static_cast<UINT>(::lstrlenA(szText)), nullptr);
        return TRUE;
    }
    if (message == List::g_nMsgPopupListBoxSelEndOK || message == List::g_nMsgPopupListBoxSelEndCancel ||
        message == List::g_nMsgPopupListBoxSelChange) {
        m_notices.push_back({message, reinterpret_cast<List::SelectionData*>(wParam)->m_nSelection});
        return 0;
    }
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

POINT ItemCentreOnScreen(HWND hWndList, int nItem)
{
    RECT rc{};
    ::SendMessageA(hWndList, LB_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&rc));
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(hWndList, &pt);
    return pt;
}

CListOwnerWindow* ListOwnerTest::s_pOwner = nullptr;

void ListOwnerTest::SetUpTestSuite()
{
    s_pOwner = new CListOwnerWindow(OWNER_RECT);
}

void ListOwnerTest::TearDownTestSuite()
{
    delete s_pOwner;
    s_pOwner = nullptr;
}

void ListOwnerTest::SetUp()
{
    Owner().Prepare();
}

void ListOwnerTest::TearDown()
{
    EndPopupTracking();
    EXPECT_FALSE(g_PopupMenuTrackingState.IsHookInstalled());
}
