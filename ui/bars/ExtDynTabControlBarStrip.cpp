// The tab strip of a tabbed group: one tab per page, page switching by click and keyboard, a page
// dragged or double-clicked out of the group, and OLE drags that only select.
#include "ui/bars/ExtDynTabControlBar.h"

#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtDynTabWnd, CExtTabWnd)

namespace {

constexpr UINT CONTEXT_MENU_TRACK_FLAGS = CExtPopupMenuWnd::TRACK_OWNER_DRAW;
// The caption kind a tab shows.
constexpr LPARAM CAPTION_KIND_TAB = 4;

bool IsKeyDown(int vk)
{
    return (::GetKeyState(vk) & 0x8000) != 0;
}

} // namespace

CExtDynTabWnd::CExtDynTabWnd()
{
    m_oleDropTarget.m_pWndDynTab = this;
}

CExtDynTabWnd::~CExtDynTabWnd() = default;

CExtDynTabControlBar* CExtDynTabWnd::GetGroup() const
{
    CWnd* pParent = GetParent();
    return (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)))
               ? static_cast<CExtDynTabControlBar*>(pParent)
               : nullptr;
}

// --- Tabs of bars -----------------------------------------------------------------------------

void CExtDynTabWnd::InsertBarTab(CExtControlBar* pBar, int nIndex, bool bTemporary, bool bRedraw)
{
    if (pBar == nullptr)
        return;
    if (FindItemByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true) >= 0) {
        InvalidateLayout(bRedraw);
        return;
    }
    if (nIndex < 0 || nIndex > GetItemCount())
        nIndex = -1;
    DWORD dwFlags = bTemporary ? ITEM_TEMPORARY : 0;
    if (!pBar->IsVisible() || !pBar->CanAutoHide())
        dwFlags |= ITEM_HIDDEN;
    InsertTabItem("", nullptr, false, dwFlags, nIndex, reinterpret_cast<LPARAM>(pBar), bRedraw);
}

void CExtDynTabWnd::RemoveTemporaryTabs(bool bRedraw)
{
    for (int i = GetItemCount() - 1; i >= 0; --i)
        if ((GetItemAt(i)->GetFlags() & ITEM_TEMPORARY) != 0)
            RemoveTabItems(i, 1, false);
    InvalidateLayout(bRedraw);
}

bool CExtDynTabWnd::HasTemporaryTabs() const
{
    return FindItemByFlags(ITEM_TEMPORARY) >= 0;
}

CExtControlBar* CExtDynTabWnd::GetBarAt(int nIndex, bool bSkipTemporary) const
{
    const TAB_ITEM_INFO* pItem = GetItemAt(nIndex);
    if (pItem == nullptr || (bSkipTemporary && (pItem->GetFlags() & ITEM_TEMPORARY) != 0))
        return nullptr;
    return reinterpret_cast<CExtControlBar*>(pItem->GetItemLParam());
}

int CExtDynTabWnd::TabIndexFromScreenPoint(POINT ptScreen) const
{
    if (GetSafeHwnd() == nullptr)
        return -1;
    POINT pt = ptScreen;
    ::ScreenToClient(m_hWnd, &pt);
    const int nCode = HitTestItem(pt);
    return nCode >= 0 ? nCode : -1;
}

int CExtDynTabWnd::MeasureItemAreaHeight(const RECT& rcClient)
{
    // Measured for the rectangle, then left to the window's own client area again: a custom
    // rectangle kept would place every later layout's tabs for the group, not the strip.
    SetCustomClientRect(rcClient);
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
    ComputeItemLayout();
    const CRect area(GetItemArea());
    SetCustomClientRect(CRect(0, 0, 0, 0));
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
    return area.Height();
}

void CExtDynTabWnd::RestoreBarTabPosition(CExtControlBar* pBar)
{
    const int nFound = FindItemByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true);
    if (m_nDragStartTabIndex >= 0 && nFound != m_nDragStartTabIndex) {
        if (nFound >= 0)
            RemoveTabItems(nFound, 1, false);
        InsertBarTab(pBar, m_nDragStartTabIndex, false, false);
    }
    m_nDragStartTabIndex = -1;
    InvalidateLayout(true);
}

// --- Strip behaviour --------------------------------------------------------------------------

BOOL CExtDynTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (SwitchPageByKey(pMsg))
        return TRUE;
    return CExtTabWnd::PreTranslateMessage(pMsg);
}

bool CExtDynTabWnd::SwitchPageByKey(const MSG* pMsg)
{
    if (!CExtDynTabControlBar::g_TabbedGroupKeyboardSwitchEnabled || pMsg->message != WM_KEYDOWN ||
        (pMsg->wParam != VK_PRIOR && pMsg->wParam != VK_NEXT) || !IsKeyDown(VK_CONTROL) || IsKeyDown(VK_SHIFT) ||
        IsKeyDown(VK_MENU))
        return false;
    const int nSel = GetSelectedIndex();
    const int nCount = GetItemCount();
    if (nSel < 0 || GetVisibleItemCount() == 0)
        return false;
    const int nStep = pMsg->wParam == VK_PRIOR ? -1 : 1;
    for (int n = 1; n < nCount; ++n) {
        const int i = ((nSel + nStep * n) % nCount + nCount) % nCount;
        const TAB_ITEM_INFO* pItem = GetItemAt(i);
        CExtControlBar* pBar = GetBarAt(i, true);
        if (!pItem->IsVisible() || pBar == nullptr || (pBar->GetStyle() & WS_VISIBLE) == 0)
            continue;
        CWnd::CancelToolTips(TRUE);
        SetSelectedItem(i, true, true);
        break;
    }
    // The key is eaten even when no other page qualifies.
    return true;
}

bool CExtDynTabWnd::CanDragItem(int nIndex) const
{
    const_cast<CExtDynTabWnd*>(this)->DragPageOut(nIndex);
    return true;
}

void CExtDynTabWnd::DragPageOut(int nIndex)
{
    CExtControlBar* pBar = GetBarAt(nIndex, true);
    CPoint pt;
    if (pBar == nullptr || !::GetCursorPos(&pt))
        return;
    EndPressTracking(true);
    EndHover(true);
    GetItemAt(nIndex)->ChangeFlags(0, ITEM_TEMPORARY);
    const HWND hWndSelf = m_hWnd;
    pBar->BeginDrag(pt, CPoint(0, 0), 0, 0);
    if (!::IsWindow(hWndSelf) || CWnd::FromHandlePermanent(hWndSelf) != this)
        return;
    for (int i = 0; i < GetItemCount(); ++i)
        GetItemAt(i)->ChangeFlags(ITEM_TEMPORARY, 0);
}

bool CExtDynTabWnd::TrackItemDrag(int)
{
    return false;
}

bool CExtDynTabWnd::OnItemClick(int nIndex, bool bDown, int nMouseButton, UINT)
{
    if (nMouseButton != MOUSE_LEFT)
        return false;
    if (bDown && BeginPressTracking(nMouseButton, nIndex))
        SetSelectedItem(nIndex, true, true);
    else
        EndPressTracking(true);
    return true;
}

bool CExtDynTabWnd::NotifySelectionChange(int, int nNewIndex, bool bBefore)
{
    if (bBefore)
        return true;
    CExtControlBar* pBar = GetBarAt(nNewIndex, false);
    CExtDynTabControlBar* pGroup = GetGroup();
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || pGroup == nullptr)
        return true;
    CExtDockDynTabBar* pInner = pGroup->GetTabDockBar();
    if (pInner != nullptr && pBar->GetParent() == pInner) {
        const bool bWasLocked = pInner->m_bLayoutLocked;
        pInner->SetLayoutLocked(true);
        pBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (pGroup->IsWindowVisible() && (pBar->GetStyle() & WS_VISIBLE) != 0)
            pBar->SetFocus();
        pInner->SetLayoutLocked(bWasLocked);
    }
    pGroup->RecalcNonClient();
    if (pInner != nullptr)
        pInner->LayoutMembers(true);
    CString sText;
    pBar->GetWindowText(sText);
    pGroup->SetWindowText(sText);
    if (CWnd* pDockSiteOfContainer = pGroup->m_pDockBar != nullptr ? pGroup->m_pDockBar->GetParentFrame() : nullptr;
        pDockSiteOfContainer != nullptr && pDockSiteOfContainer->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
        pDockSiteOfContainer->SetWindowText(sText);
        pDockSiteOfContainer->SendMessage(WM_NCPAINT);
    }
    return true;
}

CExtCmdIcon* CExtDynTabWnd::GetItemIcon(TAB_ITEM_INFO* pItem)
{
    auto* pBar = reinterpret_cast<CExtControlBar*>(pItem->GetItemLParam());
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return nullptr;
    LPCSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd);
    if (lpszProfile == nullptr)
        return nullptr;
    return g_CmdManagerHolder->GetCommandIcon(lpszProfile, static_cast<UINT>(pBar->GetDlgCtrlID()));
}

LPCSTR CExtDynTabWnd::GetItemText(const TAB_ITEM_INFO* pItem) const
{
    static CString s_sText;
    s_sText.Empty();
    auto* pBar = reinterpret_cast<CExtControlBar*>(pItem->GetItemLParam());
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        pBar->GetCaptionText(CAPTION_KIND_TAB, s_sText);
    return s_sText;
}

void CExtDynTabWnd::DrawTabItem(CDC& dc, const RECT& rcItemArea, int nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
                                bool bHorizontal, bool bSelected, bool bCenteredText, bool bGroupMode,
                                bool bInGroupActive, bool bInvertedVerticalText, const RECT& rcItem, SIZE sizeText,
                                CFont* pFont, const CString& strText, CExtCmdIcon* pIcon)
{
    // While a bar is dragged over the group its temporary tab shows as the selected one.
    if (HasTemporaryTabs()) {
        const bool bTemporary = (pItem->GetFlags() & ITEM_TEMPORARY) != 0;
        const TAB_ITEM_INFO* pPrev = pItem->GetPrevItem();
        bSelected = bTemporary && (pPrev == nullptr || (pPrev->GetFlags() & ITEM_TEMPORARY) == 0);
    }
    CExtTabWnd::DrawTabItem(dc, rcItemArea, nIndex, pItem, bTopLeft, bHorizontal, bSelected, bCenteredText,
                            bGroupMode, bInGroupActive, bInvertedVerticalText, rcItem, sizeText, pFont, strText,
                            pIcon);
}

// --- Messages ---------------------------------------------------------------------------------

LRESULT CExtDynTabWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const LRESULT lResult = CExtTabWnd::WindowProc(message, wParam, lParam);
        // Registering fails harmlessly where the thread has no OLE.
        if (lResult != -1 && CExtDynTabControlBar::g_TabbedGroupDropTargetEnabled)
            m_oleDropTarget.Register(this);
        return lResult;
    }
    case WM_DESTROY:
        m_oleDropTarget.Revoke();
        break;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_CONTEXTMENU: {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pt.x == -1 && pt.y == -1)
            ::GetCursorPos(&pt);
        OnContextMenu(pt);
        return 0;
    }
    default:
        break;
    }
    return CExtTabWnd::WindowProc(message, wParam, lParam);
}

void CExtDynTabWnd::OnDoubleClick(POINT ptClient)
{
    const int nIndex = HitTestItem(ptClient);
    CExtControlBar* pBar = GetBarAt(nIndex, true);
    CExtDynTabControlBar* pGroup = GetGroup();
    if (pBar == nullptr || pGroup == nullptr)
        return;
    EndPressTracking(true);
    pGroup->RemoveBarTab(pBar);
    // The group may dissolve under the float: nothing of this strip is touched after.
    pBar->FloatAtLastPosition(CBRS_ALIGN_TOP);
}

void CExtDynTabWnd::OnContextMenu(POINT ptScreen)
{
    if (CExtControlBar::IsFrameInHelpMode(this))
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (CExtDynTabControlBar* pGroup = GetGroup(); pGroup != nullptr && pGroup->m_pDockSite != nullptr)
        pFrame = pGroup->m_pDockSite;
    if (pFrame == nullptr)
        return;
    auto* pPopup = new CExtPopupMenuWnd;
    pPopup->PrepareEmptyPopup(pFrame->GetSafeHwnd());
    CExtControlBar::POPUP_MENU_EVENT_DATA data(CExtControlBar::POPUP_MENU_EVENT_DATA::DYNCBCTABS_CTX, pPopup, this,
                                               ptScreen, WM_CONTEXTMENU);
    if (!data.NotifyTargetFrame(false)) {
        for (int i = 0; i < GetItemCount(); ++i) {
            CExtControlBar* pBar = GetBarAt(i, true);
            if (pBar != nullptr && pBar->m_bListedInBarsMenu)
                pPopup->InsertCommandItem(static_cast<UINT>(pBar->GetDlgCtrlID()), -1, nullptr, 0,
                                          pFrame->GetSafeHwnd());
        }
    }
    data.NotifyTargetFrame(true);
    if (pPopup->CountItems() == 0) {
        delete pPopup;
        return;
    }
    pFrame->SetFocus();
    if (!pPopup->StartTracking(CONTEXT_MENU_TRACK_FLAGS, ptScreen.x, ptScreen.y))
        delete pPopup;
}

// --- OLE drags --------------------------------------------------------------------------------

DROPEFFECT CExtDynTabWnd::CDynDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                                      CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CExtDynTabWnd::CDynDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    if (m_pWndDynTab == nullptr || m_pWndDynTab->GetSafeHwnd() == nullptr)
        return DROPEFFECT_NONE;
    const int nIndex = m_pWndDynTab->HitTestItem(point);
    if (nIndex >= 0 && nIndex != m_pWndDynTab->GetSelectedIndex())
        m_pWndDynTab->SetSelectedItem(nIndex, true, true);
    return DROPEFFECT_NONE;
}

BOOL CExtDynTabWnd::CDynDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT CExtDynTabWnd::CDynDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return DROPEFFECT_NONE;
}
