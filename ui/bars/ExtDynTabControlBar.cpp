#include "ui/bars/ExtDynTabControlBar.h"

#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/core/ExtPaintManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDynTabControlBar, CExtDynControlBar)

bool CExtDynTabControlBar::g_TabbedGroupDropTargetEnabled = true;
bool CExtDynTabControlBar::g_TabbedGroupKeyboardSwitchEnabled = true;

namespace {

// The caption kinds a page answers for the group's own.
constexpr LPARAM CAPTION_KIND_GROUP_OFFSET = 2;
constexpr LPARAM CAPTION_KIND_OFFSET_LAST = 1;

CExtDockBar* AsExtDockBar(CWnd* pWnd)
{
    return (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CExtDockBar))) ? static_cast<CExtDockBar*>(pWnd) : nullptr;
}

// Keeps a dock bar's lock set for a scope and gives it back as it was.
class LayoutLock
{
public:
    explicit LayoutLock(CExtDockBar* pDockBar) : m_pDockBar(pDockBar)
    {
        if (m_pDockBar == nullptr)
            return;
        m_bWas = m_pDockBar->m_bLayoutLocked;
        m_pDockBar->SetLayoutLocked(true);
    }
    ~LayoutLock()
    {
        if (m_pDockBar != nullptr && ::IsWindow(m_pDockBar->GetSafeHwnd()))
            m_pDockBar->SetLayoutLocked(m_bWas);
    }
    LayoutLock(const LayoutLock&) = delete;
    LayoutLock& operator=(const LayoutLock&) = delete;

private:
    CExtDockBar* m_pDockBar;
    bool m_bWas = false;
};

} // namespace

CExtDynTabControlBar::CExtDynTabControlBar() = default;

CExtDynTabControlBar::~CExtDynTabControlBar() = default;

CExtDockDynTabBar* CExtDynTabControlBar::GetTabDockBar() const
{
    return static_cast<CExtDockDynTabBar*>(m_pWndDynDockBar);
}

CExtDockDynBar* CExtDynTabControlBar::CreateDynDockBar()
{
    return new CExtDockDynTabBar;
}

LRESULT CExtDynTabControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        // A group made for a floating place arranges its pages as a docked top group does.
        if (static_cast<UINT>(::GetWindowLongPtrA(m_hWnd, GWLP_ID)) == AFX_IDW_DOCKBAR_FLOAT)
            ::SetWindowLongPtrA(m_hWnd, GWLP_ID, AFX_IDW_DOCKBAR_TOP);
        if (CExtDynControlBar::WindowProc(message, wParam, lParam) == -1)
            return -1;
        CRect rc;
        GetClientRect(&rc);
        rc.top = rc.bottom - STRIP_INITIAL_HEIGHT;
        rc.right = std::max(rc.right, rc.left + STRIP_MIN_WIDTH);
        if (!m_wndTabSwitcher.CreateTabWnd(this, rc, STRIP_ID, WS_CHILD | WS_VISIBLE, STRIP_STYLE))
            return -1;
        return 0;
    }
    case WM_SETFOCUS: {
        const LRESULT lResult = CExtDynControlBar::WindowProc(message, wParam, lParam);
        CExtControlBar* pPage = SelectedRealPage();
        if (pPage != nullptr && pPage->IsVisible())
            pPage->SetFocus();
        return lResult;
    }
    case WM_NCCALCSIZE:
        if (m_pDockBar != nullptr && m_pDockBar->m_bFloating) {
            auto* pRect = reinterpret_cast<RECT*>(lParam);
            ::InflateRect(pRect, -1, -1);
            return 0;
        }
        break;
    default:
        break;
    }
    return CExtDynControlBar::WindowProc(message, wParam, lParam);
}

CExtControlBar* CExtDynTabControlBar::SelectedRealPage() const
{
    if (m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return nullptr;
    return m_wndTabSwitcher.GetBarAt(m_wndTabSwitcher.GetSelectedIndex(), true);
}

// --- Pages ------------------------------------------------------------------------------------

void CExtDynTabControlBar::InsertBar(CExtControlBar* pBar, int nIndex, bool bRedraw)
{
    if (pBar == nullptr || pBar == this || m_wndTabSwitcher.GetSafeHwnd() == nullptr || GetTabDockBar() == nullptr)
        return;
    m_wndTabSwitcher.RemoveTemporaryTabs(false);
    if (nIndex < 0 || nIndex > m_wndTabSwitcher.GetItemCount())
        nIndex = m_wndTabSwitcher.GetItemCount();
    InsertBarImpl(pBar, nIndex);
    m_wndTabSwitcher.InvalidateLayout(bRedraw);
    if (!bRedraw)
        return;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    FitChildToClient(-1, -1, true);
    CExtPaintManager::DispatchPendingPaintMessages(true, true, true);
}

void CExtDynTabControlBar::InsertBarImpl(CExtControlBar* pBar, int& nIndex)
{
    CExtDockDynTabBar* pInner = GetTabDockBar();
    LayoutLock lockHolder(AsExtDockBar(m_pDockBar));
    if (pBar->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar))) {
        // A group joining dissolves into this one, page by page.
        auto* pOther = static_cast<CExtDynTabControlBar*>(pBar);
        CExtDockDynTabBar* pOtherInner = pOther->GetTabDockBar();
        if (pOtherInner == nullptr)
            return;
        CArray<CExtControlBar*, CExtControlBar*> pages;
        pOtherInner->CollectMembers(pages);
        LayoutLock lockOther(pOtherInner);
        for (INT_PTR i = 0; i < pages.GetSize(); ++i)
            InsertBarImpl(pages[i], nIndex);
        return;
    }
    const bool bWasVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
    if (bWasVisible)
        pBar->ShowWindow(SW_HIDE);
    pBar->m_dwStyle &= ~CBRS_FLOATING;
    pBar->m_pDockSite = m_pDockSite;
    pInner->DockControlBarEx(pBar, nullptr, false);
    RefreshControlContainerFlags(m_pDockSite);
    if (!pInner->m_bLayoutLocked) {
        CRect rc;
        pInner->GetClientRect(&rc);
        const int nStrip = GetStripHeight();
        if (bWasVisible && (m_wndTabSwitcher.GetStyle() & WS_VISIBLE) == 0 && nStrip > 0)
            rc.bottom -= nStrip + 1;
        pBar->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        pBar->FitChildToClient(-1, -1, true);
    }
    if (bWasVisible)
        pBar->ShowWindow(SW_SHOWNA);
    pInner->RemovePlaceholder(pBar, true, nullptr);
    m_wndTabSwitcher.InsertBarTab(pBar, nIndex, false, false);
    ++nIndex;
}

void CExtDynTabControlBar::InsertTemporaryBar(CExtControlBar* pBar, int nIndex, bool bRedraw)
{
    if (pBar == nullptr || m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return;
    if (nIndex < 0 || nIndex > m_wndTabSwitcher.GetItemCount())
        nIndex = m_wndTabSwitcher.GetItemCount();
    InsertTemporaryBarImpl(pBar, nIndex);
    m_wndTabSwitcher.InvalidateLayout(bRedraw);
}

void CExtDynTabControlBar::InsertTemporaryBarImpl(CExtControlBar* pBar, int& nIndex)
{
    if (pBar->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar))) {
        CArray<CExtControlBar*, CExtControlBar*> pages;
        if (CExtDockDynTabBar* pOtherInner = static_cast<CExtDynTabControlBar*>(pBar)->GetTabDockBar())
            pOtherInner->CollectMembers(pages);
        for (INT_PTR i = 0; i < pages.GetSize(); ++i)
            if (pages[i]->IsVisible())
                InsertTemporaryBarImpl(pages[i], nIndex);
        return;
    }
    m_wndTabSwitcher.InsertBarTab(pBar, nIndex, true, false);
    ++nIndex;
}

void CExtDynTabControlBar::RemoveBarTab(CExtControlBar* pBar)
{
    if (m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return;
    const int nIndex = m_wndTabSwitcher.FindItemByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true);
    if (nIndex >= 0)
        m_wndTabSwitcher.RemoveTabItems(nIndex, 1, false);
}

void CExtDynTabControlBar::RemoveTabsOfDepartedBars()
{
    CExtDockDynTabBar* pInner = GetTabDockBar();
    if (pInner == nullptr || m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return;
    for (int i = m_wndTabSwitcher.GetItemCount() - 1; i >= 0; --i) {
        const CExtTabWnd::TAB_ITEM_INFO* pItem = m_wndTabSwitcher.GetItemAt(i);
        if ((pItem->GetFlags() & CExtTabWnd::ITEM_TEMPORARY) != 0)
            continue;
        auto* pBar = reinterpret_cast<CControlBar*>(pItem->GetItemLParam());
        if (pInner->FindBar(pBar) <= 0)
            m_wndTabSwitcher.RemoveTabItems(i, 1, false);
    }
}

void CExtDynTabControlBar::SelectBar(CWnd* pBar)
{
    if (pBar == nullptr || m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return;
    const int nIndex = m_wndTabSwitcher.FindItemByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true);
    if (nIndex < 0)
        return;
    m_wndTabSwitcher.GetItemAt(nIndex)->ChangeFlags(CExtTabWnd::ITEM_HIDDEN, 0);
    m_wndTabSwitcher.SetSelectedItem(nIndex, true, true);
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->SetFocus();
}

void CExtDynTabControlBar::SelectVisibleTab(int n, bool bEnsureVisible, bool bRedraw)
{
    if (m_wndTabSwitcher.GetSafeHwnd() == nullptr || n < 0)
        return;
    int nVisible = 0;
    for (int i = 0; i < m_wndTabSwitcher.GetItemCount(); ++i) {
        if (!m_wndTabSwitcher.GetItemAt(i)->IsVisible())
            continue;
        if (nVisible++ == n) {
            m_wndTabSwitcher.SetSelectedItem(i, bEnsureVisible, bRedraw);
            return;
        }
    }
    // Fewer visible tabs: the tab with that index, when there is one.
    if (n < m_wndTabSwitcher.GetItemCount())
        m_wndTabSwitcher.SetSelectedItem(n, bEnsureVisible, bRedraw);
}

void CExtDynTabControlBar::EnsureSelection()
{
    CExtDockDynTabBar* pInner = GetTabDockBar();
    if (pInner == nullptr || m_wndTabSwitcher.GetSafeHwnd() == nullptr || m_wndTabSwitcher.GetItemCount() <= 1 ||
        m_wndTabSwitcher.GetSelectedIndex() >= 0)
        return;
    for (HWND hChild = ::GetWindow(pInner->GetSafeHwnd(), GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild != nullptr && m_wndTabSwitcher.FindItemByLParam(reinterpret_cast<LPARAM>(pChild), -1, true, true) >= 0) {
            SelectBar(pChild);
            return;
        }
    }
}

void CExtDynTabControlBar::OnMemberVisibilityChanged(CExtControlBar* pBar)
{
    if (pBar == nullptr || m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return;
    if (m_pDockBar == nullptr && (m_nStateFlags & 0x04) == 0)
        return;
    const bool bVisible = pBar->IsVisible() && pBar->CanBeMovedToAutoHide();
    const int nIndex = m_wndTabSwitcher.FindItemByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true);
    if (nIndex < 0)
        return;
    CExtTabWnd::TAB_ITEM_INFO* pItem = m_wndTabSwitcher.GetItemAt(nIndex);
    if (!bVisible && m_wndTabSwitcher.GetSelectedIndex() == nIndex) {
        int nNext = -1;
        for (HWND h = ::GetWindow(pBar->GetSafeHwnd(), GW_HWNDNEXT); h != nullptr && nNext < 0;
             h = ::GetWindow(h, GW_HWNDNEXT)) {
            auto* pSibling = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(h));
            if (pSibling != nullptr && pSibling->IsVisible())
                nNext = m_wndTabSwitcher.FindItemByLParam(reinterpret_cast<LPARAM>(pSibling), -1, true, true);
        }
        m_wndTabSwitcher.SetSelectedItem(nNext, false, false);
    }
    const bool bWasHidden = !pItem->IsVisible();
    pItem->ChangeFlags(bVisible ? CExtTabWnd::ITEM_HIDDEN : 0, bVisible ? 0 : CExtTabWnd::ITEM_HIDDEN);
    if (bWasHidden && bVisible)
        m_wndTabSwitcher.SetSelectedItem(nIndex, false, false);
    m_wndTabSwitcher.InvalidateLayout(true);
    if (CFrameWnd* pFrame = pBar->GetParentFrame(); pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame->DelayRecalcLayout();
    FitChildToClient(-1, -1, true);
}

void CExtDynTabControlBar::InvalidateTabStrip()
{
    if (m_wndTabSwitcher.GetSafeHwnd() != nullptr && m_wndTabSwitcher.IsWindowVisible())
        m_wndTabSwitcher.Invalidate(TRUE);
}

int CExtDynTabControlBar::GetStripHeight()
{
    if (m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return 0;
    CRect rc;
    GetClientRect(&rc);
    return m_wndTabSwitcher.MeasureItemAreaHeight(rc) + STRIP_EXTRA_HEIGHT;
}

// --- Layout -----------------------------------------------------------------------------------

void CExtDynTabControlBar::FitChildToClient(int cx, int cy, bool bRepaint)
{
    CExtDockDynTabBar* pInner = GetTabDockBar();
    if (m_wndTabSwitcher.GetSafeHwnd() == nullptr || pInner == nullptr || pInner->GetSafeHwnd() == nullptr)
        return;
    RemoveTabsOfDepartedBars();
    CRect rc(0, 0, cx, cy);
    if (cx < 0 || cy < 0)
        GetClientRect(&rc);
    if (m_pDockBar != nullptr && m_pDockBar->GetDlgCtrlID() == static_cast<int>(AFX_IDW_DOCKBAR_FLOAT) &&
        GetParentFrame() != nullptr && GetParentFrame()->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        rc.DeflateRect(1, 1);
    const int h = GetStripHeight();
    m_wndTabSwitcher.SetWindowPos(nullptr, rc.left, rc.bottom - h - 1, rc.Width(), h + 1,
                                  SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (m_wndTabSwitcher.GetVisibleItemCount() > 1) {
        if ((m_wndTabSwitcher.GetStyle() & WS_VISIBLE) == 0)
            m_wndTabSwitcher.ShowWindow(SW_SHOWNA);
        rc.bottom -= h + 1;
    } else if ((m_wndTabSwitcher.GetStyle() & WS_VISIBLE) != 0) {
        m_wndTabSwitcher.ShowWindow(SW_HIDE);
    }
    rc.bottom = std::max(rc.bottom, rc.top);
    pInner->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pInner->LayoutMembers(true);
    m_wndTabSwitcher.InvalidateLayout(false);
    Invalidate(bRepaint ? TRUE : FALSE);
    if (bRepaint)
        pInner->UpdateNestedLayout();
}

CSize CExtDynTabControlBar::GetContentsMinimalSize() const
{
    CSize size(CExtControlBar::GetMinimalWidth(), CExtControlBar::GetMinimalHeight());
    CArray<CExtControlBar*, CExtControlBar*> pages;
    if (const CExtDockDynTabBar* pInner = GetTabDockBar())
        pInner->CollectMembers(pages);
    for (INT_PTR i = 0; i < pages.GetSize(); ++i) {
        CExtControlBar* pPage = pages[i];
        if (pPage->GetSafeHwnd() == nullptr || !pPage->IsVisible() || !pPage->CanBeMovedToAutoHide())
            continue;
        size.cx = std::max(size.cx, pPage->GetMinimalWidth());
        size.cy = std::max(size.cy, pPage->GetMinimalHeight());
    }
    return size;
}

CSize CExtDynTabControlBar::GetMinimalFloatingSize() const
{
    return GetContentsMinimalSize();
}

// --- Bar behaviour ----------------------------------------------------------------------------

BOOL CExtDynTabControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndTabSwitcher.GetSafeHwnd() != nullptr && m_wndTabSwitcher.PreTranslateMessage(pMsg))
        return TRUE;
    return CExtDynControlBar::PreTranslateMessage(pMsg);
}

bool CExtDynTabControlBar::QueryGripper(bool* pbAlongTop, bool* pbShown)
{
    const bool bGripper = !IsSingleVisibleInFloatingFrame();
    if (pbAlongTop != nullptr)
        *pbAlongTop = bGripper;
    if (pbShown != nullptr)
        *pbShown = bGripper;
    return bGripper;
}

void CExtDynTabControlBar::ShowBar(bool bShow, bool bDelay, bool bOption)
{
    CExtControlBar* pPage = SelectedRealPage();
    if (!bShow && bOption && pPage != nullptr) {
        pPage->ShowBar(false, true, bOption);
        if (m_pDockSite != nullptr)
            m_pDockSite->ShowControlBar(pPage, FALSE, TRUE);
        if (!bDelay)
            if (CFrameWnd* pFrame = GetParentFrame())
                pFrame->RecalcLayout();
        return;
    }
    CExtDynControlBar::ShowBar(bShow, bDelay, bOption);
}

bool CExtDynTabControlBar::GetHideOption() const
{
    if (CExtControlBar* pPage = SelectedRealPage())
        return pPage->GetHideOption();
    return CExtDynControlBar::GetHideOption();
}

bool CExtDynTabControlBar::CanBeTabbedWith(CExtControlBar* pBar) const
{
    return CExtDynControlBar::CanBeTabbedWith(pBar);
}

void CExtDynTabControlBar::GetCaptionText(LPARAM lReserved, CString& sText) const
{
    sText.Empty();
    const LPARAM nKind = lReserved <= CAPTION_KIND_OFFSET_LAST ? lReserved + CAPTION_KIND_GROUP_OFFSET : lReserved;
    if (CExtControlBar* pPage = SelectedRealPage()) {
        pPage->GetCaptionText(nKind, sText);
        return;
    }
    CArray<CExtControlBar*, CExtControlBar*> bars;
    if (const CExtDockDynTabBar* pInner = GetTabDockBar())
        pInner->CollectBars(bars);
    if (bars.GetSize() > 0)
        bars[0]->GetCaptionText(nKind, sText);
}
