#include "ui/bars/ExtMiniDockFrameWnd.h"

#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDynControlBar.h"
#include "ui/bars/ExtModalLoop.h"
#include "ui/bars/ExtToolControlBar.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CExtMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_GETMINMAXINFO()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr int CLOSE_BUTTON_INSET = 2;
constexpr int CLOSE_BUTTON_RIGHT_GAP = 3;
constexpr int CAPTION_TEXT_INSET = 2;
constexpr UINT BAR_LIST_TRACK_FLAGS = 0x800;
constexpr DWORD LAYOUT_HORZ_COMMIT = LM_HORZ | LM_COMMIT;
constexpr DWORD LAYOUT_VERT_COMMIT = LM_HORZ | LM_LENGTHY | LM_COMMIT;

// Steps do not nest, nor do position corrections.
bool g_bInResizeStep = false;
bool g_bInPositionCorrection = false;

bool IsLeftCode(UINT h) { return h == HTLEFT || h == HTTOPLEFT || h == HTBOTTOMLEFT; }
bool IsRightCode(UINT h) { return h == HTRIGHT || h == HTTOPRIGHT || h == HTBOTTOMRIGHT; }
bool IsTopCode(UINT h) { return h == HTTOP || h == HTTOPLEFT || h == HTTOPRIGHT; }
bool IsBottomCode(UINT h) { return h == HTBOTTOM || h == HTBOTTOMLEFT || h == HTBOTTOMRIGHT; }

} // namespace

CExtMiniDockFrameWnd::CExtMiniDockFrameWnd() : m_ptLastResizePos(-1, -1)
{
    m_rcCloseButton.SetRectEmpty();
    m_rcCaption.SetRectEmpty();
    m_rcResizeStart.SetRectEmpty();
}

CExtMiniDockFrameWnd::~CExtMiniDockFrameWnd()
{
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.DestroyWindow();
}

BOOL CExtMiniDockFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CMiniDockFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~RTL_EX_STYLES;
    return TRUE;
}

BOOL CExtMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
        return FALSE;
    ModifyStyle(WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0);
    m_wndDockBar.ModifyStyle(WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0);
    m_wndDockBar.ModifyStyleEx(RTL_EX_STYLES, 0);
    ModifyStyle(REMOVED_STYLES, 0);
    ModifyStyleEx(REMOVED_EX_STYLES | RTL_EX_STYLES, 0);
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                     SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_FRAMECHANGED);
    SetTimer(TIMER_LAYOUT_BUTTONS, LAYOUT_BUTTONS_DELAY_MS, nullptr);
    EnableToolTips(TRUE);
    if (m_wndToolTip.Create(this))
        m_wndToolTip.Activate(TRUE);
    return TRUE;
}

void CExtMiniDockFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::InflateRect(lpClientRect, ::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    lpClientRect->top -= ::GetSystemMetrics(SM_CYSMCAPTION);
}

INT_PTR CExtMiniDockFrameWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    CExtControlBar* pBar = FindContainedBar();
    if (pBar == nullptr || (pBar->m_dwStyle & CBRS_TOOLTIPS) == 0 || m_wndToolTip.GetSafeHwnd() == nullptr)
        return -1;
    TOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    CPoint ptBar(point);
    ClientToScreen(&ptBar);
    pBar->ScreenToClient(&ptBar);
    if (pBar->OnToolHitTest(ptBar, &ti) >= 0 && ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACKA) {
        const_cast<CToolTipCtrl&>(m_wndToolTip).AddTool(pBar, ti.lpszText, &ti.rect, ti.uId);
        ::free(ti.lpszText);
    }
    // The frame's own tool tip shows the bar's tools: the platform's gets none.
    (void)pTI;
    return -1;
}

BOOL CExtMiniDockFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.RelayEvent(pMsg);
    return CMiniDockFrameWnd::PreTranslateMessage(pMsg);
}

CExtControlBar* CExtMiniDockFrameWnd::FindContainedBar() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hDockBar = ::GetWindow(m_hWnd, GW_CHILD);
    HWND hBar = hDockBar != nullptr ? ::GetWindow(hDockBar, GW_CHILD) : nullptr;
    CWnd* pBar = hBar != nullptr ? CWnd::FromHandlePermanent(hBar) : nullptr;
    return (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar))) ? static_cast<CExtControlBar*>(pBar)
                                                                              : nullptr;
}

CRect CExtMiniDockFrameWnd::CalcCaptionRect(const CRect& rcWindow)
{
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME);
    const int cyFrame = ::GetSystemMetrics(SM_CYFRAME);
    return CRect(cxFrame, cyFrame, rcWindow.Width() - cxFrame, cyFrame + ::GetSystemMetrics(SM_CYSMSIZE));
}

CRect CExtMiniDockFrameWnd::CalcCloseButtonRect(const CRect& rcCaption)
{
    return CRect(rcCaption.right - ::GetSystemMetrics(SM_CXSMSIZE), rcCaption.top + CLOSE_BUTTON_INSET,
                 rcCaption.right - CLOSE_BUTTON_RIGHT_GAP, rcCaption.bottom - CLOSE_BUTTON_INSET);
}

UINT CExtMiniDockFrameWnd::HitTestFrameBorder(const CRect& rcWindow, CPoint ptScreen)
{
    if (!rcWindow.PtInRect(ptScreen))
        return HTNOWHERE;
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME);
    const int cyFrame = ::GetSystemMetrics(SM_CYFRAME);
    const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    const int x = ptScreen.x - rcWindow.left;
    const int y = ptScreen.y - rcWindow.top;
    const int cx = rcWindow.Width();
    const int cy = rcWindow.Height();
    // Along the top and bottom strips the corners reach a caption's height in from the left.
    auto alongStrip = [&](UINT nLeft, UINT nMiddle, UINT nRight) {
        if (x < cyCaption)
            return nLeft;
        return x >= cx - cyFrame ? nRight : nMiddle;
    };
    auto downSide = [&](UINT nTop, UINT nMiddle, UINT nBottom) {
        if (y < cyCaption)
            return nTop;
        return y >= cy - cyCaption ? nBottom : nMiddle;
    };
    if (y < cyFrame)
        return alongStrip(HTTOPLEFT, HTTOP, HTTOPRIGHT);
    if (y >= cy - cyFrame)
        return alongStrip(HTBOTTOMLEFT, HTBOTTOM, HTBOTTOMRIGHT);
    if (x < cxFrame)
        return downSide(HTTOPLEFT, HTLEFT, HTBOTTOMLEFT);
    if (x >= cx - cxFrame)
        return downSide(HTTOPRIGHT, HTRIGHT, HTBOTTOMRIGHT);
    if (y < cyFrame + cyCaption)
        return HTCAPTION;
    return HTCLIENT;
}

CRect CExtMiniDockFrameWnd::CalcResizedRect(const CRect& rcStart, UINT nHitTest, CPoint ptDelta, CSize sizeMin)
{
    CRect rc(rcStart);
    if (IsLeftCode(nHitTest))
        rc.left = std::min(rcStart.left + ptDelta.x, rc.right - sizeMin.cx);
    if (IsRightCode(nHitTest))
        rc.right = std::max(rcStart.right + ptDelta.x, rc.left + sizeMin.cx);
    if (IsTopCode(nHitTest))
        rc.top = std::min(rcStart.top + ptDelta.y, rc.bottom - sizeMin.cy);
    if (IsBottomCode(nHitTest))
        rc.bottom = std::max(rcStart.bottom + ptDelta.y, rc.top + sizeMin.cy);
    // An edge the code does not name still grows the rectangle to its minimal size, away from
    // the kept edge.
    if (rc.Width() < sizeMin.cx)
        rc.right = rc.left + sizeMin.cx;
    if (rc.Height() < sizeMin.cy)
        rc.bottom = rc.top + sizeMin.cy;
    return rc;
}

CRect CExtMiniDockFrameWnd::GetWorkArea() const
{
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST);
    if (hMonitor != nullptr && ::GetMonitorInfoA(hMonitor, &mi))
        return CRect(mi.rcWork);
    CRect rc;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

void CExtMiniDockFrameWnd::UpdateCaptionGeometry()
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    m_rcCaption = CalcCaptionRect(rcWindow);
    m_rcCloseButton = CalcCloseButtonRect(m_rcCaption);
}

// --- Non-client area ---------------------------------------------------------------------------

void CExtMiniDockFrameWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    RECT& rc = lpncsp->rgrc[0];
    ::InflateRect(&rc, -::GetSystemMetrics(SM_CXFRAME), -::GetSystemMetrics(SM_CYFRAME));
    rc.top += ::GetSystemMetrics(SM_CYSMCAPTION);
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (rc.right < rc.left)
        rc.right = rc.left;
}

LRESULT CExtMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
    if (CExtPopupMenuWnd::IsTrackingActive())
        return HTNOWHERE;
    if ((GetStyle() & MFS_MOVEFRAME) != 0)
        ModifyStyle(MFS_MOVEFRAME, 0);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    UINT nHit = HitTestFrameBorder(rcWindow, point);
    if (nHit == HTNOWHERE)
        return HTNOWHERE;
    CExtControlBar* pBar = FindContainedBar();
    if (pBar == nullptr)
        return nHit;
    const UINT nButtonHit = pBar->HitTestNcButtons(point.x, point.y, nullptr);
    if (nButtonHit != HTCLIENT && nButtonHit != HTNOWHERE) {
        pBar->m_bNcButtonHover = true;
        if (pBar->IsDockedInFrameOnly())
            SetTimer(TIMER_BUTTON_HOVER, HOVER_PERIOD_MS, nullptr);
        return nButtonHit;
    }
    const bool bWasHover = pBar->m_bNcButtonHover;
    pBar->m_bNcButtonHover = false;
    if (pBar->IsFixedSizeBar()) {
        if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
            nHit = HTTOP;
        else if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
            nHit = HTBOTTOM;
    }
    // A tool bar in fixed columns keeps the shape its owner gave it: its borders move the frame.
    const auto* pToolBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pBar);
    if (pToolBar != nullptr && pToolBar->IsFixedColumn() && nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT)
        nHit = HTCAPTION;
    // Repainting on every move would flicker: the caption changes only when a button loses the hover.
    if (bWasHover)
        SendMessage(WM_NCPAINT);
    return nHit;
}

void CExtMiniDockFrameWnd::OnNcPaint()
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    if (rcWindow.IsRectEmpty())
        return;
    CWindowDC dcWindow(this);
    dcWindow.ExcludeClipRect(&rcClient);
    CExtControlBar* pBar = FindContainedBar();
    {
        CExtMemoryDC dc(&dcWindow, &rcWindow, 1);
        CExtDrawBarFrameArgs frameArgs(this, rcWindow, rcClient, true, pBar == nullptr || !pBar->IsFixedSizeBar(),
                                       pBar != nullptr && pBar->IsFixedSizeBar());
        g_PaintManagerHolder->DrawBarFrame(dc, frameArgs);

        CString sText;
        if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) &&
            !ExtBarDetail::IsKindOfNamed(pBar, ExtBarDetail::kDynTabControlBar)) {
            CExtControlBar* pOnly = static_cast<CExtDynControlBar*>(pBar)->FindSingleVisibleNestedBar();
            if (pOnly != nullptr)
                pOnly->GetCaptionText(0, sText);
        } else if (pBar != nullptr) {
            pBar->GetCaptionText(0, sText);
            if (sText.IsEmpty())
                pBar->GetCaptionText(0, sText);
        } else {
            GetWindowText(sText);
        }
        CRect rcText(m_rcCaption);
        if (pBar != nullptr) {
            RECT rcBarText = m_rcCaption;
            pBar->GetCaptionTextRect(rcBarText);
            rcText.IntersectRect(&rcText, &rcBarText);
            if (rcText.IsRectEmpty())
                rcText = m_rcCaption;
        } else {
            rcText.right = m_rcCloseButton.left;
        }
        rcText.DeflateRect(CAPTION_TEXT_INSET, 0);
        HWND hFocus = ::GetFocus();
        const bool bActive = hFocus != nullptr && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
        CExtDrawBarCaptionArgs captionArgs(this, m_rcCaption, rcText, bActive, true, false, false, sText);
        if (g_ResourceManagerHolder->IsRightToLeftLanguage())
            captionArgs.m_nPainted |= CExtDrawBarCaptionArgs::PAINTED_RIGHT_TO_LEFT;
        g_PaintManagerHolder->DrawBarCaption(dc, captionArgs);
        if (pBar != nullptr)
            pBar->PaintNcButtons(dc);
    }
    g_PaintManagerHolder->NotifyPaintDone(this, 0);
}

BOOL CExtMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
    const BOOL bResult = CMiniDockFrameWnd::OnNcActivate(bActive);
    SendMessage(WM_NCPAINT);
    CExtControlBar* pBar = FindContainedBar();
    if (bActive && pBar != nullptr)
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return bResult;
}

void CExtMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (m_nResizeHitTest != 0)
        return;
    CMiniDockFrameWnd::OnNcMouseMove(nHitTest, point);
    TrackCloseButtonHover(point);
}

void CExtMiniDockFrameWnd::TrackCloseButtonHover(CPoint ptScreen)
{
    CExtControlBar* pBar = FindContainedBar();
    if (pBar != nullptr) {
        // The bar's own caption buttons serve its hover.
        pBar->HitTestNcButtons(ptScreen.x, ptScreen.y, nullptr);
        return;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const bool bHover = m_rcCloseButton.PtInRect(CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top));
    if (bHover != m_bCloseButtonHover) {
        m_bCloseButtonHover = bHover;
        SendMessage(WM_NCPAINT);
    }
    if (bHover)
        SetTimer(TIMER_CLOSE_HOVER, HOVER_PERIOD_MS, nullptr);
    else
        KillTimer(TIMER_CLOSE_HOVER);
}

void CExtMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (m_rcCloseButton.PtInRect(CPoint(point.x - rcWindow.left, point.y - rcWindow.top)))
        return;
    CExtControlBar* pBar = FindContainedBar();
    CControlBar* pFirst = m_wndDockBar.GetDockedControlBar(1);
    if (pFirst == nullptr)
        for (int i = 1; i < m_wndDockBar.m_arrBars.GetSize() && pFirst == nullptr; ++i)
            pFirst = m_wndDockBar.GetDockedControlBar(i);
    CWnd* pOwnerFrame = GetParent();
    switch (nHitTest) {
    case HTCAPTION: {
        if (pOwnerFrame != nullptr)
            pOwnerFrame->SetActiveWindow();
        if (pBar == nullptr || !pBar->IsDockedInFrameOnly())
            BringWindowToTop();
        if ((m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) != 0) {
            Default();
            return;
        }
        if (pBar == nullptr || (pBar->IsFixedSizeBar() && !pBar->IsShowContentWhenDragging())) {
            if (pFirst != nullptr && pFirst->m_pDockContext != nullptr)
                pFirst->m_pDockContext->StartDrag(point);
            return;
        }
        const int t = std::min(pBar->m_rcCaption.Width(), pBar->m_rcCaption.Height());
        const CPoint ptOffset(point.x - rcWindow.left - t, point.y - rcWindow.top - t / 2);
        pBar->BeginDrag(point, ptOffset, 1, 1);
        return;
    }
    case HTLEFT: case HTRIGHT: case HTTOP: case HTTOPLEFT: case HTTOPRIGHT: case HTBOTTOM: case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        if (pOwnerFrame != nullptr)
            pOwnerFrame->SetActiveWindow();
        if (pBar == nullptr) {
            Default();
            return;
        }
        if (pBar->IsShowContentWhenDragging() || !pBar->IsFixedSizeBar())
            ResizeLoop(nHitTest, point);
        else if (pBar->m_pDockContext != nullptr)
            pBar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
        return;
    case HTSYSMENU: case HTMINBUTTON: case HTMAXBUTTON:
        return;
    default:
        Default();
        return;
    }
}

void CExtMiniDockFrameWnd::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (m_nResizeHitTest != 0) {
        EndResize();
        return;
    }
    CExtControlBar* pBar = FindContainedBar();
    if (!CExtPopupMenuWnd::IsTrackingActive() && pBar != nullptr && pBar->m_bNcButtonHover) {
        CExtBarNcAreaButton* pButton = nullptr;
        pBar->HitTestNcButtons(point.x, point.y, &pButton);
        if (pButton != nullptr) {
            pBar->SendMessage(WM_NCLBUTTONUP, nHitTest, MAKELPARAM(point.x, point.y));
            return;
        }
    }
    Default();
}

void CExtMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CExtControlBar* pBar = FindContainedBar();
    if (pBar == nullptr) {
        CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);
        return;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (nHitTest == HTCAPTION && !m_rcCloseButton.PtInRect(CPoint(point.x - rcWindow.left, point.y - rcWindow.top)))
        pBar->ToggleDockedFloating();
}

void CExtMiniDockFrameWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
    if (m_nResizeHitTest != 0) {
        EndResize();
        return;
    }
    CExtControlBar* pBar = FindContainedBar();
    CFrameWnd* pFrame = GetParentFrame();
    if (nHitTest != HTCAPTION || pBar == nullptr || pFrame == nullptr || CExtControlBar::IsFrameInHelpMode(this)) {
        Default();
        return;
    }
    auto* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->PrepareEmptyPopup(pFrame->GetSafeHwnd()) ||
        !CExtControlBar::BuildFrameBarsMenu(pFrame, pPopup, CExtControlBar::POPUP_MENU_EVENT_DATA::MINIFRAME_NC_CTX,
                                            this, WM_NCRBUTTONDOWN, nullptr) ||
        pPopup->CountItems() == 0 || !pPopup->StartTracking(BAR_LIST_TRACK_FLAGS, point.x, point.y)) {
        delete pPopup;
    }
}

// --- Sizing and position -------------------------------------------------------------------------

void CExtMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    const CRect rcWork = GetWorkArea();
    if (rcWork.Width() < cx || rcWork.Height() < cy) {
        SetWindowPos(nullptr, 0, 0, std::min(cx, rcWork.Width()), std::min(cy, rcWork.Height()),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    CMiniDockFrameWnd::OnSize(nType, cx, cy);
    UpdateCaptionGeometry();
    if (CExtControlBar* pBar = FindContainedBar()) {
        pBar->CreateNcButtons();
        pBar->LayoutNcButtons();
    }
    CExtPaintManager::DispatchPendingPaintMessages();
}

void CExtMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CMiniDockFrameWnd::OnWindowPosChanging(lpWndPos);
    if ((GetStyle() & REMOVED_STYLES) != 0)
        ModifyStyle(REMOVED_STYLES, 0);
    if ((GetExStyle() & (REMOVED_EX_STYLES | RTL_EX_STYLES)) != 0)
        ModifyStyleEx(REMOVED_EX_STYLES | RTL_EX_STYLES, 0);
}

void CExtMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    CMiniDockFrameWnd::OnWindowPosChanged(lpWndPos);
    if (m_nResizeHitTest != 0 || g_bInPositionCorrection || (lpWndPos->flags & SWP_NOMOVE) != 0)
        return;
    CExtControlBar* pBar = FindContainedBar();
    if (pBar == nullptr)
        return;
    const CRect rcWork = GetWorkArea();
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    int nTop = rcWindow.top;
    if (nTop < rcWork.top)
        nTop = rcWork.top;
    else if (nTop + cyCaption > rcWork.bottom)
        nTop = std::max(rcWork.bottom - cyCaption, static_cast<int>(rcWork.top));
    if (nTop == rcWindow.top)
        return;
    g_bInPositionCorrection = true;
    SetWindowPos(nullptr, rcWindow.left, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    g_bInPositionCorrection = false;
    pBar->LayoutNcButtons();
    PostMessage(WM_NCPAINT);
    CExtPaintManager::DispatchPendingPaintMessages();
}

void CExtMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniDockFrameWnd::OnGetMinMaxInfo(lpMMI);
    const CRect rcWork = GetWorkArea();
    lpMMI->ptMaxTrackSize.x = std::min<LONG>(lpMMI->ptMaxTrackSize.x, rcWork.Width());
    lpMMI->ptMaxTrackSize.y = std::min<LONG>(lpMMI->ptMaxTrackSize.y, rcWork.Height());
}

// --- Resize loop ---------------------------------------------------------------------------------

void CExtMiniDockFrameWnd::ResizeLoop(UINT nHitTest, CPoint ptScreen)
{
    CExtPopupMenuWnd::EndActiveTracking();
    CWnd::CancelToolTips();
    CExtControlBar* pBar = FindContainedBar();
    if (pBar == nullptr)
        return;
    if (pBar->IsFixedSizeBar() && !pBar->IsShowContentWhenDragging()) {
        if (pBar->m_pDockContext != nullptr)
            pBar->m_pDockContext->StartResize(static_cast<int>(nHitTest), ptScreen);
        return;
    }
    m_nResizeHitTest = nHitTest;
    if (!pBar->IsFixedSizeBar())
        ModifyStyle(FWS_SNAPTOBARS, 0);
    BringWindowToTop();
    SetMouseCapture(m_hWnd);
    GetWindowRect(&m_rcResizeStart);
    m_ptResizeOrigin = ptScreen;

    const HWND hWnd = m_hWnd;
    CExtModalLoop loop(hWnd);
    MSG msg;
    while (m_nResizeHitTest != 0) {
        if (!loop.WaitPeek(msg))
            break; // the window went away: the object may be gone with it
        if (msg.message == WM_QUIT) {
            loop.TakeQuit();
            break;
        }
        if (msg.message == WM_ACTIVATEAPP || msg.message == WM_COMMAND ||
            (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)) {
            if (msg.message != WM_COMMAND)
                CExtModalLoop::Discard(msg);
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            const CPoint pt = loop.TakeLastMouseMove(msg);
            ResizeStep(pt);
            continue;
        }
        if (::GetCapture() != hWnd)
            break;
        if (!loop.Pump())
            break;
        if (!::IsWindow(hWnd))
            break;
    }
    if (::IsWindow(hWnd))
        EndResize();
    loop.RepostQuit();
}

void CExtMiniDockFrameWnd::EndResize()
{
    if (m_nResizeHitTest == 0)
        return;
    m_nResizeHitTest = 0;
    m_ptLastResizePos = CPoint(-1, -1);
    CExtControlBar* pBar = FindContainedBar();
    if (pBar != nullptr && !pBar->IsFixedSizeBar())
        ModifyStyle(0, FWS_SNAPTOBARS);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CExtMiniDockFrameWnd::ResizeStep(CPoint ptScreen)
{
    if (g_bInResizeStep || ptScreen == m_ptLastResizePos)
        return;
    CExtControlBar* pBar = FindContainedBar();
    if (pBar == nullptr)
        return;
    g_bInResizeStep = true;
    m_ptLastResizePos = ptScreen;
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    const CSize sizeNc(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
    CSize sizeMin(std::max(static_cast<int>(sizeNc.cx), pBar->GetMinimalWidth()),
                  std::max(static_cast<int>(sizeNc.cy), pBar->GetMinimalHeight()));
    CPoint ptDelta(ptScreen.x - m_ptResizeOrigin.x, ptScreen.y - m_ptResizeOrigin.y);
    UINT nHit = m_nResizeHitTest;
    if (!pBar->IsFixedSizeBar()) {
        const CSize sizeFloatMin = pBar->GetMinimalFloatingSize();
        sizeMin.cx = std::max(sizeMin.cx, sizeFloatMin.cx + sizeNc.cx);
        sizeMin.cy = std::max(sizeMin.cy, sizeFloatMin.cy + sizeNc.cy);
        CRect rc = CalcResizedRect(m_rcResizeStart, nHit, ptDelta, sizeMin);
        const CRect rcWork = GetWorkArea();
        if (rc.Width() > rcWork.Width())
            IsLeftCode(nHit) ? void(rc.left = rc.right - rcWork.Width()) : void(rc.right = rc.left + rcWork.Width());
        if (rc.Height() > rcWork.Height())
            IsTopCode(nHit) ? void(rc.top = rc.bottom - rcWork.Height()) : void(rc.bottom = rc.top + rcWork.Height());
        pBar->m_sizeFloating = CSize(rc.Width() - sizeNc.cx, rc.Height() - sizeNc.cy);
        MoveWindow(&rc);
        RecalcLayout();
        SetTimer(TIMER_LAYOUT_BUTTONS, LAYOUT_BUTTONS_DELAY_MS, nullptr);
        g_bInResizeStep = false;
        return;
    }
    // A fixed-size bar re-wraps for the new length; left and top drags keep the far edge.
    if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
        nHit = HTTOP;
    else if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
        nHit = HTBOTTOM;
    const bool bLeft = nHit == HTLEFT;
    const bool bTop = nHit == HTTOP;
    if (bLeft)
        ptDelta.x = -ptDelta.x, nHit = HTRIGHT;
    if (bTop)
        ptDelta.y = -ptDelta.y, nHit = HTBOTTOM;
    const CRect rc = CalcResizedRect(m_rcResizeStart, nHit, ptDelta, sizeMin);
    const bool bHorzDrag = nHit == HTRIGHT;
    const CSize sizeNew = bHorzDrag
                              ? pBar->CalcDynamicLayout(rc.Width() - sizeNc.cx, LAYOUT_HORZ_COMMIT)
                              : pBar->CalcDynamicLayout(rc.Height() - sizeNc.cy - ::GetSystemMetrics(SM_CYFRAME),
                                                        LAYOUT_VERT_COMMIT);
    if (sizeNew != pBar->m_sizeFloating) {
        pBar->m_sizeFloating = sizeNew;
        CRect rcNew(m_rcResizeStart.TopLeft(), CSize(sizeNew.cx + sizeNc.cx, sizeNew.cy + sizeNc.cy));
        if (bLeft)
            rcNew.OffsetRect(m_rcResizeStart.right - rcNew.right, 0);
        if (bTop)
            rcNew.OffsetRect(0, m_rcResizeStart.bottom - rcNew.bottom);
        pBar->m_ptFloatPos = rcNew.TopLeft();
        MoveWindow(&rcNew);
        SendMessage(WM_NCPAINT);
        RecalcLayout();
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    g_bInResizeStep = false;
}

void CExtMiniDockFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nResizeHitTest == 0) {
        CMiniDockFrameWnd::OnMouseMove(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    ResizeStep(point);
}

void CExtMiniDockFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nResizeHitTest != 0)
        EndResize();
    else
        CMiniDockFrameWnd::OnLButtonUp(nFlags, point);
}

void CExtMiniDockFrameWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_nResizeHitTest != 0)
        EndResize();
    else
        CMiniDockFrameWnd::OnRButtonDown(nFlags, point);
}

void CExtMiniDockFrameWnd::OnCaptureChanged(CWnd* pWnd)
{
    if (m_nResizeHitTest != 0 && pWnd != this)
        EndResize();
    else
        CMiniDockFrameWnd::OnCaptureChanged(pWnd);
}

void CExtMiniDockFrameWnd::OnCancelMode()
{
    CExtPopupMenuWnd::EndActiveTracking();
    CWnd::CancelToolTips();
    if (m_nResizeHitTest != 0)
        EndResize();
    else
        CMiniDockFrameWnd::OnCancelMode();
}

void CExtMiniDockFrameWnd::OnTimer(UINT_PTR nIDEvent)
{
    CExtControlBar* pBar = FindContainedBar();
    switch (nIDEvent) {
    case TIMER_LAYOUT_BUTTONS:
        KillTimer(TIMER_LAYOUT_BUTTONS);
        if (pBar != nullptr) {
            pBar->LayoutNcButtons();
            if (IsWindowVisible())
                SendMessage(WM_NCPAINT);
        }
        return;
    case TIMER_CLOSE_HOVER: {
        CPoint pt;
        ::GetCursorPos(&pt);
        TrackCloseButtonHover(pt);
        return;
    }
    case TIMER_BUTTON_HOVER: {
        const bool bTracking = CExtPopupMenuWnd::IsTrackingActive();
        if (!bTracking && pBar != nullptr && pBar->m_bNcButtonHover) {
            CPoint pt;
            ::GetCursorPos(&pt);
            if (pBar->HitTestNcButtons(pt.x, pt.y, nullptr) == HTCLIENT) {
                PostMessage(WM_NCPAINT);
                pBar->m_bNcButtonHover = false;
            }
        }
        if (bTracking || pBar == nullptr || !pBar->m_bNcButtonHover)
            KillTimer(TIMER_BUTTON_HOVER);
        return;
    }
    default:
        CMiniDockFrameWnd::OnTimer(nIDEvent);
        return;
    }
}

void CExtMiniDockFrameWnd::OnClose()
{
    CMiniDockFrameWnd::OnClose();
}

void CExtMiniDockFrameWnd::OnPaint()
{
    ValidateRect(nullptr);
}

BOOL CExtMiniDockFrameWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
