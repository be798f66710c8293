// Frame-level operations on bars: show/hide commands, the status prompt, the frame's modes,
// repositioning with the framework's query message, bars inside dialogs and where a bar docks.
#include "ui/bars/ExtControlBar.h"

#include "platform/mfc/DockBar.h"
#include "platform/mfc/DockContext.h"
#include "platform/mfc/MDIChildWnd.h"
#include "platform/mfc/MDIFrameWnd.h"
#include "platform/mfc/PreviewView.h"
#include "platform/mfc/StatusBar.h"
#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPopupMenuWnd.h"

using namespace ExtBarDetail;

namespace
{
constexpr int kDeferBatchSize = 8;
constexpr DWORD kStyleBottom = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD kStyleLeft = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD kStyleRight = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD kStyleTopOrBottomMask = 0xAA00;
constexpr DWORD kStyleLeftOrRightMask = 0x5500;

bool IsSideDockBarId(UINT nId)
{
    return nId >= CExtControlBar::DOCKBAR_TOP && nId <= CExtControlBar::DOCKBAR_BOTTOM;
}

template <typename Visit>
void ForEachChildBar(CWnd* pWndDialog, Visit visit)
{
    if (pWndDialog == nullptr || pWndDialog->GetSafeHwnd() == nullptr)
        return;
    for (HWND hWnd = ::GetWindow(pWndDialog->GetSafeHwnd(), GW_CHILD); hWnd != nullptr;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWnd));
        if (pBar != nullptr && visit(pBar))
            return;
    }
}
} // namespace

CExtControlBar::REPOSITION_QUERY_DATA::REPOSITION_QUERY_DATA(UINT nKind, CWnd* pWndParent, UINT nIdFirst,
                                                             UINT nIdLast, UINT nIdLeftOver,
                                                             AFX_SIZEPARENTPARAMS* pLayout, RECT* pRectParam,
                                                             bool bStretch)
    : m_wFlags(static_cast<WORD>(nKind & KIND_MASK)), m_pWndParent(pWndParent), m_nIdFirst(nIdFirst),
      m_nIdLast(nIdLast), m_nIdLeftOver(nIdLeftOver), m_pLayout(pLayout), m_pRectParam(pRectParam),
      m_bStretch(bStretch)
{
}

bool CExtControlBar::REPOSITION_QUERY_DATA::IsQueryPass() const
{
    return (m_wFlags & KIND_MASK) == KIND_QUERY;
}

bool CExtControlBar::REPOSITION_QUERY_DATA::IsExcluded() const
{
    return (m_wFlags & FLAG_EXCLUDED) != 0;
}

void CExtControlBar::REPOSITION_QUERY_DATA::SetExcluded(bool bExcluded)
{
    if (bExcluded)
        m_wFlags |= FLAG_EXCLUDED;
    else
        m_wFlags &= static_cast<WORD>(~FLAG_EXCLUDED);
}

bool CExtControlBar::ToggleFrameBar(CFrameWnd* pFrame, UINT nBarId, bool bOption)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return false;
    CControlBar* pBar = pFrame->GetControlBar(nBarId);
    if (pBar == nullptr)
        return false;
    if (CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar))
        pExtBar->ToggleVisibility(bOption);
    else
        pFrame->ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
    return true;
}

void CExtControlBar::UpdateFrameBarToggleUI(CFrameWnd* pFrame, CCmdUI* pCmdUI, bool bOption)
{
    if (pCmdUI == nullptr)
        return;
    CControlBar* pBar = pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr ? pFrame->GetControlBar(pCmdUI->m_nID)
                                                                               : nullptr;
    if (pBar == nullptr) {
        pCmdUI->m_bContinueRouting = TRUE;
        return;
    }
    if (CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar))
        pExtBar->UpdateToggleCmdUI(pCmdUI, bOption);
    else
        pCmdUI->SetCheck(pBar->IsWindowVisible() ? 1 : 0);
}

void CExtControlBar::UpdateToggleCmdUI(CCmdUI* pCmdUI, bool bOption)
{
    pCmdUI->Enable(TRUE);
    if (bOption || IsFixedSizeMode())
        pCmdUI->SetCheck(IsWindowVisible() ? 1 : 0);
}

void CExtControlBar::SetFrameStatusMessage(CWnd* pWnd, UINT nId)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pWnd);
    if (pFrame == nullptr && (pWnd->GetStyle() & WS_CHILD) != 0)
        pFrame = pWnd->GetParentFrame();
    if (IsKindOfNamed(pFrame, kMiniDockFrameWnd))
        pFrame = pFrame->GetParentFrame();
    CWnd* pTarget = pFrame != nullptr ? static_cast<CWnd*>(pFrame) : pWnd;
    // A command of the target's profile shows its status tip in the message pane of the
    // target's status bar, and nothing else; other ids go through the frame's message strings.
    if (nId != AFX_IDS_IDLEMESSAGE) {
        LPCSTR lpszProfile = g_CmdManagerHolder->FindProfileNameForWindow(pTarget->GetSafeHwnd());
        CExtCmdItem* pItem = lpszProfile != nullptr ? g_CmdManagerHolder->FindCommand(lpszProfile, nId) : nullptr;
        auto* pStatusBar = DYNAMIC_DOWNCAST(
            CStatusBar, CWnd::FromHandlePermanent(::GetDlgItem(pTarget->GetSafeHwnd(), AFX_IDW_STATUS_BAR)));
        if (pItem != nullptr && pStatusBar != nullptr) {
            const int nIndex = pStatusBar->CommandToIndex(0);
            if (nIndex >= 0)
                pStatusBar->SetPaneText(nIndex, pItem->m_sTipStatus);
            return;
        }
    }
    ::SendMessageA(pTarget->GetSafeHwnd(), WM_SETMESSAGESTRING, nId, 0);
}

bool CExtControlBar::IsFrameInHelpMode(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return false;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pWnd);
    if (pFrame == nullptr)
        pFrame = pWnd->GetParentFrame();
    for (; pFrame != nullptr; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            continue;
        if (pFrame->m_bHelpMode)
            return true;
    }
    return false;
}

bool CExtControlBar::IsFrameInPrintPreview(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return false;
    CView* pView = pFrame->GetActiveView();
    return pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CPreviewView));
}

bool CExtControlBar::IsFrameOleInPlaceActive(CFrameWnd* /*pFrame*/)
{
    // The editor's documents hold no OLE items, so no frame is ever in-place active.
    return false;
}

bool CExtControlBar::IsDockSiteOleInPlaceActive()
{
    return IsFrameOleInPlaceActive(GetDockSiteOrFrame());
}

void CExtControlBar::RepositionFrameBars(CWnd* pWndParent, UINT nIdFirst, UINT nIdLast, UINT nIdLeftOver,
                                         UINT nKind, RECT* pRectParam, const RECT* pRectClient, bool bStretch)
{
    if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr)
        return;
    const bool bQuery = (nKind & REPOSITION_QUERY_DATA::KIND_MASK) == REPOSITION_QUERY_DATA::KIND_QUERY;
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch ? TRUE : FALSE;
    layout.hDWP = bQuery ? nullptr : ::BeginDeferWindowPos(kDeferBatchSize);
    if (pRectClient != nullptr)
        layout.rect = *pRectClient;
    else
        ::GetClientRect(pWndParent->GetSafeHwnd(), &layout.rect);
    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetWindow(pWndParent->GetSafeHwnd(), GW_CHILD); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        const UINT nId = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nId == nIdLeftOver) {
            hWndLeftOver = hWndChild;
            continue;
        }
        if (CWnd::FromHandlePermanent(hWndChild) == nullptr)
            continue;
        REPOSITION_QUERY_DATA data(nKind, pWndParent, nIdFirst, nIdLast, nIdLeftOver, &layout, pRectParam, bStretch);
        ::SendMessageA(hWndChild, g_nMsgQueryRepositionCalcEffect, reinterpret_cast<WPARAM>(&data), 0);
        if (bQuery && data.IsExcluded())
            continue;
        if (nId >= nIdFirst && nId <= nIdLast)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
    if (bQuery) {
        if (pRectParam != nullptr) {
            if (bStretch)
                *pRectParam = layout.rect;
            else
                ::SetRect(pRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if (hWndLeftOver != nullptr) {
        CRect rcLeft(layout.rect);
        if ((nKind & REPOSITION_QUERY_DATA::KIND_MASK) == REPOSITION_QUERY_DATA::KIND_EXTRA && pRectParam != nullptr) {
            rcLeft.left += pRectParam->left;
            rcLeft.top += pRectParam->top;
            rcLeft.right -= pRectParam->right;
            rcLeft.bottom -= pRectParam->bottom;
        }
        if (CWnd* pLeftOver = CWnd::FromHandlePermanent(hWndLeftOver))
            pLeftOver->CalcWindowRect(&rcLeft);
        if (layout.hDWP != nullptr)
            layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, nullptr, rcLeft.left, rcLeft.top,
                                           rcLeft.Width(), rcLeft.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}

bool CExtControlBar::PreTranslateChildBarsMessage(CWnd* pWndDialog, MSG* pMsg)
{
    bool bTaken = false;
    ForEachChildBar(pWndDialog, [&](CExtControlBar* pBar) {
        bTaken = pBar->PreTranslateMessage(pMsg) != FALSE;
        return bTaken || pWndDialog->GetSafeHwnd() == nullptr || !::IsWindow(pWndDialog->GetSafeHwnd());
    });
    return bTaken;
}

void CExtControlBar::UpdateChildBarsCmdUI(CWnd* pWndDialog, bool bDisableIfNoHandler)
{
    ForEachChildBar(pWndDialog, [&](CExtControlBar* pBar) {
        pBar->UpdateCmdUINow(bDisableIfNoHandler);
        return false;
    });
}

bool CExtControlBar::UpdateCmdUINow(bool bDisableIfNoHandler)
{
    if (m_bClosing)
        return true;
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return false;
    m_bClosing = true;
    OnUpdateCmdUI(m_bInDialog ? nullptr : GetDockSiteOrFrame(), bDisableIfNoHandler ? TRUE : FALSE);
    m_bClosing = false;
    return true;
}

void CExtControlBar::ToggleDockedFloating()
{
    if (IsFixedSizeMode()) {
        if (m_pDockContext != nullptr)
            m_pDockContext->ToggleDocking();
        if (CFrameWnd* pFrame = GetDockSiteOrFrame())
            pFrame->DelayRecalcLayout(TRUE);
        RecalcNonClient();
        return;
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (GetDockBarId() == DOCKBAR_FLOAT
        || (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))))
        return;
    FloatAt(m_ptFloatPos.x, m_ptFloatPos.y, CBRS_ALIGN_TOP);
}

void CExtControlBar::FloatAtLastPosition(DWORD dwFlags)
{
    FloatAt(m_ptFloatPos.x, m_ptFloatPos.y, dwFlags);
}

void CExtControlBar::MoveFocusToFrame()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    CWnd* pTarget = m_bInDialog ? GetParent() : static_cast<CWnd*>(GetDockSiteOrFrame());
    if (pTarget == nullptr) {
        SetFocus();
        return;
    }
    const HWND hWndFocus = ::GetFocus();
    if (hWndFocus != nullptr && (hWndFocus == pTarget->GetSafeHwnd() || ::IsChild(pTarget->GetSafeHwnd(), hWndFocus)))
        return;
    if (!CExtPopupMenuWnd::IsTrackingActive()) {
        const HWND hWndActive = ::GetActiveWindow();
        if (hWndActive != nullptr && ::IsWindowEnabled(hWndActive) && ::IsWindowVisible(hWndActive)
            && (hWndActive == m_hWnd || ::IsChild(hWndActive, m_hWnd)))
            return;
    }
    pTarget->SetFocus();
}

CFrameWnd* CExtControlBar::GetDockSiteOrFrame() const
{
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    return FrameSkippingFloating(this);
}

CWnd* CExtControlBar::GetTopLevelNonChild(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWnd = pWnd->GetSafeHwnd();
    while (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        hWnd = ::GetParent(hWnd);
    return hWnd != nullptr ? CWnd::FromHandle(hWnd) : nullptr;
}

UINT CExtControlBar::GetDockBarId() const
{
    HWND hWndDockBar = m_pDockBar != nullptr ? m_pDockBar->GetSafeHwnd() : nullptr;
    if (m_pDockBar == nullptr && m_hWnd != nullptr)
        hWndDockBar = ::GetParent(m_hWnd);
    if (hWndDockBar != nullptr && ::IsWindow(hWndDockBar)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndDockBar);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)))
            return static_cast<UINT>(::GetDlgCtrlID(hWndDockBar));
    }
    return DOCKBAR_FLOAT;
}

bool CExtControlBar::IsDockedAtTopOrBottom() const
{
    if (m_pDockSite == nullptr)
        return (m_dwStyle & kStyleTopOrBottomMask) != 0;
    const UINT nId = GetDockBarId();
    return nId == DOCKBAR_TOP || nId == DOCKBAR_BOTTOM;
}

bool CExtControlBar::IsDockedAtLeftOrRight() const
{
    if (m_pDockSite == nullptr)
        return (m_dwStyle & kStyleLeftOrRightMask) != 0;
    const UINT nId = GetDockBarId();
    return nId == DOCKBAR_LEFT || nId == DOCKBAR_RIGHT;
}

bool CExtControlBar::IsDockedAtBottom() const
{
    if (m_pDockSite == nullptr)
        return (m_dwStyle & kStyleBottom) != 0;
    return GetDockBarId() == DOCKBAR_BOTTOM;
}

bool CExtControlBar::IsDockedAtLeft() const
{
    if (m_pDockSite == nullptr)
        return (m_dwStyle & kStyleLeft) != 0;
    return GetDockBarId() == DOCKBAR_LEFT;
}

bool CExtControlBar::IsDockedAtRight() const
{
    if (m_pDockSite == nullptr)
        return (m_dwStyle & kStyleRight) != 0;
    return GetDockBarId() == DOCKBAR_RIGHT;
}

bool CExtControlBar::IsDockedAtSide() const
{
    return m_pDockSite == nullptr || IsSideDockBarId(GetDockBarId());
}

bool CExtControlBar::IsInFloatingFrame() const
{
    return m_pDockSite != nullptr && !IsSideDockBarId(GetDockBarId()) && GetParentFrame() != nullptr;
}

CExtControlBar* CExtControlBar::GetDraggedBar()
{
    return g_DragStateNew.m_bEmpty ? nullptr : g_DragStateNew.m_pBar;
}

int CExtControlBar::DragCursorHint()
{
    return g_DragStateNew.m_nCursorHint;
}

void CExtControlBar::DockToFrameSide(UINT nSideId, bool bInner, CFrameWnd* pFrame, bool bRecalc)
{
    if (pFrame == nullptr)
        pFrame = m_pDockSite;
    if (pFrame == nullptr)
        return;
    CFrameWnd* pParentFrame = GetParentFrame();
    if (IsKindOfNamed(pParentFrame, kMiniDockFrameWnd))
        pParentFrame->ShowWindow(SW_HIDE);
    CExtDockBar::InsertRingAt(pFrame, 1);
    const UINT nRing = bInner ? CExtDockBar::CreateInnerRing(pFrame) : 1;
    DockIntoDockBar(nSideId, nRing, pFrame, bRecalc);
}
