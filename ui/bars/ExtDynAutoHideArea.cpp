#include "ui/bars/ExtDynAutoHideArea.h"

#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDynAutoHideSlider.h"
#include "ui/bars/ExtDynTabControlBar.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/MDIFrameWnd.h"

#include <algorithm>

using namespace ExtBarDetail;

IMPLEMENT_DYNCREATE(CExtDynAutoHideArea, CExtTabWnd)

bool CExtDynAutoHideArea::g_AutoHideAreaDropTargetEnabled = true;
bool CExtDynAutoHideArea::g_AutoHideAreaKeyboardSwitchEnabled = true;
int CExtDynAutoHideArea::g_AutoHideStyleOverride = -1;

namespace
{
constexpr UINT kShowStrip = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW |
                            SWP_NOOWNERZORDER;
constexpr UINT kHideStrip = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW | SWP_NOOWNERZORDER;
constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                             SWP_NOSENDCHANGING;
constexpr UINT kContextMenuTrackFlags = CExtPopupMenuWnd::TRACK_OWNER_DRAW;
// The caption text kind an area's tab shows.
constexpr LPARAM kTabCaptionKind = 5;

DWORD OrientationOfSide(UINT nSideId)
{
    switch (nSideId) {
    case AFX_IDW_DOCKBAR_BOTTOM:
        return CExtTabWnd::STYLE_ORIENT_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT:
        return CExtTabWnd::STYLE_ORIENT_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT:
        return CExtTabWnd::STYLE_ORIENT_RIGHT;
    default:
        return CExtTabWnd::STYLE_ORIENT_TOP;
    }
}

CExtDynAutoHideArea* AreaChild(CFrameWnd* pFrame, UINT nId)
{
    for (HWND h = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (static_cast<UINT>(::GetDlgCtrlID(h)) != nId)
            continue;
        if (auto* pArea = DYNAMIC_DOWNCAST(CExtDynAutoHideArea, CWnd::FromHandlePermanent(h)))
            return pArea;
    }
    return nullptr;
}

bool IsKeyDown(int nVirtKey)
{
    return (::GetAsyncKeyState(nVirtKey) & 0x8000) != 0;
}

bool HasTabs(const CExtDynAutoHideArea* pArea)
{
    return pArea != nullptr && pArea->GetSafeHwnd() != nullptr && pArea->GetItemCount() > 0;
}

// The window lies in the frame, directly or through its parent frames.
bool IsWithinFrame(HWND hWnd, CFrameWnd* pFrame)
{
    const HWND hFrame = pFrame->GetSafeHwnd();
    if (hWnd == hFrame || ::IsChild(hFrame, hWnd))
        return true;
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CFrameWnd* pParentFrame = pWnd != nullptr ? pWnd->GetParentFrame() : nullptr;
    if (pParentFrame == nullptr)
        return false;
    if (pParentFrame == pFrame)
        return true;
    CWnd* pAbove = pParentFrame->GetParent();
    return pAbove != nullptr && (pAbove->GetSafeHwnd() == hFrame || ::IsChild(hFrame, pAbove->GetSafeHwnd()));
}
} // namespace

CExtDynAutoHideArea::CExtDynAutoHideArea() : m_dropTarget(this)
{
    m_nAreaFlags = 0;
}

BOOL CExtDynAutoHideArea::Create(CFrameWnd* pFrame, CExtDynAutoHideSlider* pSlider, UINT nSideId)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    m_pSlider = pSlider;
    const DWORD dwStyle = OrientationOfSide(nSideId) | AREA_STRIP_STYLE;
    if (!CreateTabWnd(pFrame, CRect(0, 0, 0, 0), nSideId, WS_CHILD | WS_VISIBLE, dwStyle))
        return FALSE;
    if ((GetExStyle() & CExtControlBar::EXSTYLE_RTL_MASK) != 0)
        ModifyStyleEx(CExtControlBar::EXSTYLE_RTL_MASK, 0, SWP_FRAMECHANGED);
    for (CExtDockBar* pDockBar = CExtDockBar::FindRingBar(pFrame, 0, nSideId, false); pDockBar != nullptr;
         pDockBar = pDockBar->m_pInnerRingBar)
        pDockBar->m_pAutoHideArea = this;
    UpdateZOrder();
    if (g_AutoHideAreaDropTargetEnabled)
        m_dropTarget.Register(this); // refused where OLE is not initialised for the thread
    return TRUE;
}

void CExtDynAutoHideArea::PostNcDestroy()
{
    delete this;
}

CFrameWnd* CExtDynAutoHideArea::GetAreaFrame() const
{
    return GetFrameAreas(const_cast<CExtDynAutoHideArea*>(this), nullptr, nullptr, nullptr, nullptr);
}

CExtControlBar* CExtDynAutoHideArea::GetBarAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return nullptr;
    return reinterpret_cast<CExtControlBar*>(GetItemLParamAt(nIndex));
}

CFrameWnd* CExtDynAutoHideArea::GetFrameAreas(CWnd* pWnd, CExtDynAutoHideArea** ppTop,
                                              CExtDynAutoHideArea** ppBottom, CExtDynAutoHideArea** ppLeft,
                                              CExtDynAutoHideArea** ppRight)
{
    for (CExtDynAutoHideArea** pp : {ppTop, ppBottom, ppLeft, ppRight})
        if (pp != nullptr)
            *pp = nullptr;
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pWnd);
    if (pFrame == nullptr)
        pFrame = pWnd->GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    if (pFrame == nullptr)
        return nullptr;
    const std::pair<CExtDynAutoHideArea**, UINT> outputs[] = {{ppTop, AFX_IDW_DOCKBAR_TOP},
                                                              {ppBottom, AFX_IDW_DOCKBAR_BOTTOM},
                                                              {ppLeft, AFX_IDW_DOCKBAR_LEFT},
                                                              {ppRight, AFX_IDW_DOCKBAR_RIGHT}};
    for (const auto& output : outputs)
        if (output.first != nullptr)
            *output.first = AreaChild(pFrame, output.second);
    return pFrame;
}

CExtDynAutoHideArea* CExtDynAutoHideArea::FindAreaOfBar(CExtControlBar* pBar, int* pIndex)
{
    if (pIndex != nullptr)
        *pIndex = -1;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return nullptr;
    CExtDynAutoHideArea* apAreas[4];
    if (GetFrameAreas(pBar, &apAreas[0], &apAreas[1], &apAreas[2], &apAreas[3]) == nullptr)
        return nullptr;
    for (CExtDynAutoHideArea* pArea : apAreas) {
        if (pArea == nullptr)
            continue;
        const int nIndex = pArea->FindItemByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true);
        if (nIndex >= 0) {
            if (pIndex != nullptr)
                *pIndex = nIndex;
            return pArea;
        }
    }
    return nullptr;
}

void CExtDynAutoHideArea::OnBarDestroyed(CExtControlBar* pBar)
{
    if (CExtDynAutoHideSlider* pSlider = CExtDynAutoHideSlider::FindShowingSlider(pBar))
        pSlider->SlideBar(pBar, false, false);
    int nIndex = -1;
    if (CExtDynAutoHideArea* pArea = FindAreaOfBar(pBar, &nIndex))
        pArea->RemoveTabItems(nIndex, 1, true);
}

void CExtDynAutoHideArea::UpdateZOrder()
{
    CExtDynAutoHideArea* apAreas[4];
    CFrameWnd* pFrame = GetFrameAreas(this, &apAreas[0], &apAreas[1], &apAreas[2], &apAreas[3]);
    if (pFrame == nullptr)
        return;
    // Each area follows its predecessor in the order right outer dock bar, top, bottom, left, right.
    CWnd* pAfter = CExtDockBar::FindRingBar(pFrame, 0, AFX_IDW_DOCKBAR_RIGHT, false);
    for (CExtDynAutoHideArea* pArea : apAreas) {
        if (pArea == this) {
            if (pAfter != nullptr && ::GetWindow(pAfter->GetSafeHwnd(), GW_HWNDNEXT) != m_hWnd)
                ::SetWindowPos(m_hWnd, pAfter->GetSafeHwnd(), 0, 0, 0, 0, kZOrderOnly);
            return;
        }
        if (pArea != nullptr)
            pAfter = pArea;
    }
}

bool CExtDynAutoHideArea::CanSlideOut()
{
    if (!IsHoverAllowedForActiveWindow(m_hWnd, ::GetActiveWindow(), true, true, true) &&
        (m_nAreaFlags & FLAG_FRAME_ACTIVE) == 0)
        return false;
    CFrameWnd* pFrame = GetAreaFrame();
    const HWND hFocus = ::GetFocus();
    if (pFrame == nullptr || hFocus == nullptr)
        return false;
    if (IsWithinFrame(hFocus, pFrame))
        return true;
    if (auto* pMdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame))
        if (CFrameWnd* pChild = pMdiFrame->MDIGetActive())
            return hFocus == pChild->GetSafeHwnd() || ::IsChild(pChild->GetSafeHwnd(), hFocus);
    return false;
}

void CExtDynAutoHideArea::MarkActiveInGroup(int nIndex)
{
    const BYTE nSaved = m_nAreaFlags;
    m_nAreaFlags |= FLAG_NO_SLIDE | FLAG_FRAME_ACTIVE;
    SetSelectedItem(nIndex, true, true);
    SetSelectedItem(-1, false, false);
    m_nAreaFlags = nSaved;
}

void CExtDynAutoHideArea::AppendBar(CExtControlBar* pBar, bool bNoSlideOut)
{
    if (pBar == nullptr || m_hWnd == nullptr)
        return;
    const int nFirst = GetItemCount();
    int nActive = nFirst;
    if (auto* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar)) {
        // The pages park together as one group of tabs, the group's selected page the active one.
        CArray<CExtControlBar*, CExtControlBar*> arrPages;
        if (CExtDockDynTabBar* pTabDockBar = pGroup->GetTabDockBar())
            pTabDockBar->CollectMembers(arrPages);
        for (INT_PTR i = 0; i < arrPages.GetSize(); ++i) {
            CExtControlBar* pPage = arrPages[i];
            pPage->m_bAutoHidden = true;
            const DWORD dwFlags = (i == 0 ? ITEM_GROUP_START : 0) | (pPage->CanAutoHide() ? 0 : ITEM_HIDDEN);
            InsertTabItem("", nullptr, false, dwFlags, -1, reinterpret_cast<LPARAM>(pPage), true);
        }
        if (arrPages.GetSize() == 0)
            return;
        nActive += std::clamp(pGroup->m_wndTabSwitcher.GetSelectedIndex(), 0, static_cast<int>(arrPages.GetSize()) - 1);
    } else {
        InsertTabItem("", nullptr, false, ITEM_GROUP_START, -1, reinterpret_cast<LPARAM>(pBar), true);
        pBar->m_bAutoHidden = true;
    }
    MarkActiveInGroup(nActive);
    if (bNoSlideOut)
        return;
    if (CFrameWnd* pFrame = GetAreaFrame())
        pFrame->RecalcLayout();
    if (m_pSlider != nullptr)
        m_pSlider->SlideBar(GetBarAt(nActive), true, false);
}

void CExtDynAutoHideArea::RemoveBar(CExtControlBar* pBar, bool bDelayedShow)
{
    if (pBar == nullptr || m_hWnd == nullptr)
        return;
    if (auto* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar)) {
        RemoveGroup(pGroup, bDelayedShow);
        return;
    }
    if (m_pSlider != nullptr && m_pSlider->GetShownBar() == pBar)
        m_pSlider->SlideBar(pBar, false, false);
    pBar->m_bAutoHidden = false;
    const int nIndex = FindItemByLParam(reinterpret_cast<LPARAM>(pBar), -1, true, true);
    if (nIndex >= 0)
        RemoveTabItems(nIndex, 1, true);
    CFrameWnd* pFrame = pBar->GetDockSiteOrFrame();
    if (pFrame == nullptr)
        return;
    if (!IsKindOfNamed(pBar->m_pDockBar, kDockDynTabBar))
        pBar->MakeRoomInRow();
    // With a delay the bar shows at the frame's next layout; left hidden, an unpinned bar would
    // vanish from the frame.
    pFrame->ShowControlBar(pBar, TRUE, bDelayedShow ? TRUE : FALSE);
}

void CExtDynAutoHideArea::RemoveGroup(CExtDynTabControlBar* pGroup, bool bDelayedShow)
{
    // The group's active page keeps its tab to the end: the group shows that page again.
    CExtControlBar* pKept = nullptr;
    int nKeptPosition = 0;
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        CExtControlBar* pPage = GetBarAt(i);
        if (pPage == nullptr || pPage->GetTabbedGroupContainer() != pGroup)
            continue;
        if (pKept == nullptr && GetItemAt(i)->IsInGroupActive()) {
            pKept = pPage;
            int nGroupFirst = i, nGroupLast = i;
            GetGroupRange(i, nGroupFirst, nGroupLast);
            nKeptPosition = i - nGroupFirst;
            continue;
        }
        RemoveBar(pPage, bDelayedShow);
    }
    pGroup->m_bAutoHidden = false;
    CFrameWnd* pFrame = pGroup->GetDockSiteOrFrame();
    if (pKept != nullptr) {
        pKept->m_bAutoHidden = false;
        if (m_pSlider != nullptr && m_pSlider->GetShownBar() == pKept)
            m_pSlider->SlideBar(pKept, false, false);
        const int nIndex = FindItemByLParam(reinterpret_cast<LPARAM>(pKept), -1, true, true);
        if (nIndex >= 0)
            RemoveTabItems(nIndex, 1, true);
    }
    if (pFrame == nullptr)
        return;
    if (bDelayedShow) {
        pFrame->ShowControlBar(pGroup, TRUE, TRUE);
        return;
    }
    pGroup->MakeRoomInRow();
    if (pKept != nullptr)
        pFrame->ShowControlBar(pKept, TRUE, TRUE);
    pFrame->ShowControlBar(pGroup, TRUE, FALSE);
    pGroup->SelectVisibleTab(nKeptPosition, true, true);
}

BOOL CExtDynAutoHideArea::PreTranslateMessage(MSG* pMsg)
{
    // The slider's keyboard hook offers keys before the thread's key state has seen them: the
    // modifiers are read from the asynchronous state.
    if (g_AutoHideAreaKeyboardSwitchEnabled && pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) && IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_SHIFT) &&
        !IsKeyDown(VK_MENU) &&
        GetSelectedIndex() >= 0 && GetVisibleItemCount() > 0) {
        const int nTarget = FindKeyboardSwitchTarget(pMsg->wParam == VK_NEXT);
        if (nTarget >= 0) {
            if (m_wndToolTip.GetSafeHwnd() != nullptr)
                m_wndToolTip.Pop();
            m_nKeyboardFlag |= 0x01;
            SetSelectedItem(nTarget, true, true);
            // The slide-out moved the bar's content into the slider.
            CExtControlBar* pBar = GetBarAt(nTarget);
            CWnd* pContent = m_pSlider != nullptr && m_pSlider->IsShown() && m_pSlider->GetShownBar() == pBar
                                 ? m_pSlider->GetWindow(GW_CHILD)
                                 : nullptr;
            if (pContent != nullptr && pContent->IsWindowVisible() && pContent->IsWindowEnabled())
                pContent->SetFocus();
        }
        return TRUE;
    }
    return CExtTabWnd::PreTranslateMessage(pMsg);
}

int CExtDynAutoHideArea::FindKeyboardSwitchTarget(bool bForward) const
{
    const int nCount = GetItemCount();
    const int nStep = bForward ? 1 : -1;
    for (int i = 1; i < nCount; ++i) {
        const int nIndex = ((GetSelectedIndex() + nStep * i) % nCount + nCount) % nCount;
        const TAB_ITEM_INFO* pItem = GetItemAt(nIndex);
        if (pItem == nullptr || (pItem->GetFlags() & (ITEM_HIDDEN | ITEM_TEMPORARY)) != 0)
            continue;
        CExtControlBar* pBar = GetBarAt(nIndex);
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && !pBar->IsWindowVisible())
            return nIndex;
    }
    return -1;
}

void CExtDynAutoHideArea::UpdateStripVisibility()
{
    if (m_hWnd == nullptr)
        return;
    CFrameWnd* pFrame = GetAreaFrame();
    const bool bShow = GetItemCount() > 0 && !CExtControlBar::IsFrameInPrintPreview(pFrame);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, bShow ? kShowStrip : kHideStrip);
}

bool CExtDynAutoHideArea::NotifySelectionChange(int nOldIndex, int nNewIndex, bool bBefore)
{
    const bool bSliderVisible = m_pSlider != nullptr && m_pSlider->GetSafeHwnd() != nullptr &&
                                m_pSlider->IsWindowVisible();
    if (nOldIndex == nNewIndex && bSliderVisible)
        return true;
    if (bBefore) {
        if (nNewIndex >= 0 && !CanSlideOut())
            return false;
        if (nNewIndex == -1 || (m_nAreaFlags & FLAG_NO_SLIDE) != 0)
            return true;
        if (m_pSlider != nullptr && m_pSlider->GetShownBar() != nullptr)
            m_pSlider->SlideBar(m_pSlider->GetShownBar(), false, false);
        return true;
    }
    if ((m_nAreaFlags & FLAG_NO_SLIDE) != 0 || nNewIndex < 0 || GetVisibleItemCount() == 0)
        return true;
    CExtControlBar* pBar = GetBarAt(nNewIndex);
    const bool bAnimate = (m_nKeyboardFlag & 0x01) == 0;
    m_nKeyboardFlag &= ~0x01;
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && !pBar->IsDockedInFrameOnly() && m_pSlider != nullptr)
        m_pSlider->SlideBar(pBar, true, bAnimate);
    return true;
}

CExtCmdIcon* CExtDynAutoHideArea::GetItemIcon(TAB_ITEM_INFO* pItem)
{
    auto* pBar = pItem != nullptr ? reinterpret_cast<CExtControlBar*>(pItem->GetItemLParam()) : nullptr;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return nullptr;
    LPCSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(pBar->GetSafeHwnd());
    return lpszProfile != nullptr ? g_CmdManagerHolder->GetCommandIcon(lpszProfile, pBar->GetDlgCtrlID()) : nullptr;
}

LPCSTR CExtDynAutoHideArea::GetItemText(const TAB_ITEM_INFO* pItem) const
{
    // One process-wide string: the strip reads the text before it asks for the next one.
    static CString s_strText;
    s_strText.Empty();
    auto* pBar = pItem != nullptr ? reinterpret_cast<CExtControlBar*>(pItem->GetItemLParam()) : nullptr;
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        pBar->GetCaptionText(kTabCaptionKind, s_strText);
    return s_strText;
}

void CExtDynAutoHideArea::OnItemInserted(int /*nIndex*/, TAB_ITEM_INFO* /*pItem*/)
{
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
}

void CExtDynAutoHideArea::GetItemSpacingMetrics(int& nLeading, int& nTrailing, int& nOuter)
{
    CExtTabWnd::GetItemSpacingMetrics(nLeading, nTrailing, nOuter);
    nOuter = 0;
    if (!IsHorizontalLayout() || m_hWnd == nullptr)
        return;
    CExtDynAutoHideArea* pLeft = nullptr;
    CExtDynAutoHideArea* pRight = nullptr;
    GetFrameAreas(this, nullptr, nullptr, &pLeft, &pRight);
    CRect rc;
    GetWindowRect(&rc);
    // The corners stay free for the side strips.
    if (HasTabs(pLeft))
        nLeading += rc.Height();
    if (HasTabs(pRight))
        nTrailing += rc.Height();
}

void CExtDynAutoHideArea::SyncGroupTextStyle()
{
    const int nStyle = g_AutoHideStyleOverride != -1 ? g_AutoHideStyleOverride
                                                     : g_PaintManagerHolder->GetAutoHideStyle();
    const bool bWanted = nStyle == 1;
    if (bWanted == ((m_dwStripStyle & STYLE_GROUP_TEXT) != 0))
        return;
    m_dwStripStyle = bWanted ? (m_dwStripStyle | STYLE_GROUP_TEXT) : (m_dwStripStyle & ~STYLE_GROUP_TEXT);
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
}

void CExtDynAutoHideArea::OnAreaMoved(bool bFromPosChange)
{
    CRect rc;
    GetWindowRect(&rc);
    if (rc == m_rcLastWindow)
        return;
    m_rcLastWindow = rc;
    if (m_pSlider == nullptr || m_pSlider->GetSafeHwnd() == nullptr || !m_pSlider->IsShown() ||
        m_pSlider->IsAnimating() || (bFromPosChange && m_pSlider->IsResizing()))
        return;
    m_pSlider->PostMessage(WM_CANCELMODE);
}

void CExtDynAutoHideArea::OnSizeParentDone()
{
    if ((GetStyle() & WS_VISIBLE) == 0)
        return;
    CFrameWnd* pFrame = GetAreaFrame();
    CExtDockBar* pOuter = pFrame != nullptr ? CExtDockBar::FindRingBar(pFrame, 0, GetDlgCtrlID(), false) : nullptr;
    if (pOuter == nullptr)
        return;
    CRect rc;
    GetWindowRect(&rc);
    int nOrient = GetOrientation();
    CWnd* pFrameParent = pFrame->GetParent();
    if (pFrameParent != nullptr && (pFrameParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0 &&
        (nOrient == static_cast<int>(STYLE_ORIENT_LEFT) || nOrient == static_cast<int>(STYLE_ORIENT_RIGHT)))
        nOrient ^= 1;
    switch (nOrient) {
    case STYLE_ORIENT_TOP:
        pOuter->m_rcInnerEdge.bottom += rc.Height();
        break;
    case STYLE_ORIENT_BOTTOM:
        pOuter->m_rcInnerEdge.top -= rc.Height();
        break;
    case STYLE_ORIENT_LEFT:
        pOuter->m_rcInnerEdge.right += rc.Width();
        break;
    default:
        pOuter->m_rcInnerEdge.left -= rc.Width();
        break;
    }
}

void CExtDynAutoHideArea::TrackContextMenu(CPoint ptScreen)
{
    if (CExtControlBar::IsFrameInHelpMode(this) || (m_pSlider != nullptr && m_pSlider->IsAnimating()) ||
        m_nPendingHoverSelect >= 0)
        return;
    CFrameWnd* pFrame = GetAreaFrame();
    if (pFrame == nullptr)
        return;
    auto* pPopup = new CExtPopupMenuWnd;
    pPopup->PrepareEmptyPopup(pFrame->GetSafeHwnd());
    CExtControlBar::POPUP_MENU_EVENT_DATA data(CExtControlBar::POPUP_MENU_EVENT_DATA::AUTOHIDETABS_CTX, pPopup, this,
                                               ptScreen, WM_CONTEXTMENU);
    if (!data.NotifyTargetFrame(false)) {
        for (int i = 0; i < GetItemCount(); ++i) {
            CExtControlBar* pBar = GetBarAt(i);
            if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || !pBar->m_bListedInBarsMenu)
                continue;
            if (i > 0 && GetItemAt(i)->IsGroupStart())
                pPopup->InsertCommandItem(CExtPopupMenuWnd::ID_SEPARATOR, -1);
            pPopup->InsertCommandItem(pBar->GetDlgCtrlID(), -1);
        }
    }
    data.NotifyTargetFrame(true);
    if (pPopup->CountItems() == 0) {
        delete pPopup;
        return;
    }
    pFrame->SetFocus();
    if (!pPopup->StartTracking(kContextMenuTrackFlags, ptScreen.x, ptScreen.y))
        delete pPopup;
}

LRESULT CExtDynAutoHideArea::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        SyncGroupTextStyle();
        break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: {
        const LRESULT lResult = CExtTabWnd::WindowProc(message, wParam, lParam);
        OnAreaMoved(message == WM_WINDOWPOSCHANGED);
        return lResult;
    }
    case WM_SIZEPARENT: {
        const LRESULT lResult = CExtTabWnd::WindowProc(message, wParam, lParam);
        OnSizeParentDone();
        return lResult;
    }
    case WM_CONTEXTMENU:
        TrackContextMenu(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_DESTROY:
        // The slider lets a bar of this area go while the area can still be asked about it.
        if (m_pSlider != nullptr && m_pSlider->GetShownArea() == this)
            m_pSlider->SlideBar(m_pSlider->GetShownBar(), false, false);
        m_dropTarget.Revoke();
        break;
    default:
        break;
    }
    return CExtTabWnd::WindowProc(message, wParam, lParam);
}

DROPEFFECT CExtDynAutoHideArea::CDynDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject,
                                                           DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CExtDynAutoHideArea::CDynDropTarget::OnDragOver(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/,
                                                          DWORD /*dwKeyState*/, CPoint point)
{
    if (m_pArea == nullptr || m_pArea->GetSafeHwnd() == nullptr)
        return DROPEFFECT_NONE;
    const int nIndex = m_pArea->HitTestItem(point);
    if (nIndex >= 0 && nIndex != m_pArea->GetSelectedIndex()) {
        // The drag holds no focus of the frame's: the frame counts as active for this selection.
        const BYTE nSaved = m_pArea->m_nAreaFlags;
        m_pArea->m_nAreaFlags |= FLAG_FRAME_ACTIVE;
        m_pArea->SetSelectedItem(nIndex, true, true);
        m_pArea->m_nAreaFlags = nSaved;
    }
    return DROPEFFECT_NONE;
}

BOOL CExtDynAutoHideArea::CDynDropTarget::OnDrop(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/,
                                                DROPEFFECT /*dropEffect*/, CPoint /*point*/)
{
    return FALSE;
}
