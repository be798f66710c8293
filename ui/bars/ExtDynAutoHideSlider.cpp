// The slider's life: creation, sliding a bar out and back, the watch and hide timers and the
// messages that end a slide-out.
#include "ui/bars/ExtDynAutoHideSlider.h"

#include "ui/bars/ExtBarNcAreaButton.h"
#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDynAutoHideArea.h"
#include "ui/bars/ExtToolControlBar.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include "platform/mfc/FrameWnd.h"

using namespace ExtBarDetail;

IMPLEMENT_DYNCREATE(CExtDynAutoHideSlider, CWnd)

int CExtDynAutoHideSlider::g_AutoHideSlideSteps = 5;
DWORD CExtDynAutoHideSlider::g_AutoHideSlideStepDelay = 10;
CExtDynAutoHideSlider* CExtDynAutoHideSlider::g_pHookedSlider = nullptr;
HHOOK CExtDynAutoHideSlider::g_hMouseHook = nullptr;
HHOOK CExtDynAutoHideSlider::g_hKeyboardHook = nullptr;

namespace
{
constexpr UINT kSliderClassStyle = CS_DBLCLKS | 0x4000; // 0x4000: CS_GLOBALCLASS
constexpr UINT kShowContent = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW |
                              SWP_NOOWNERZORDER;
constexpr UINT kPlaceStep = SWP_NOCOPYBITS | SWP_SHOWWINDOW;
constexpr UINT kPlaceFirstStep = kPlaceStep | SWP_FRAMECHANGED;
constexpr UINT kHideSlider = SWP_NOSIZE | SWP_NOMOVE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER;
constexpr UINT kContentMove = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;

enum Side
{
    SIDE_TOP,
    SIDE_BOTTOM,
    SIDE_LEFT,
    SIDE_RIGHT
};

bool IsHorizontalSide(int nSide)
{
    return nSide == SIDE_TOP || nSide == SIDE_BOTTOM;
}

CRect WindowRectInParent(HWND hWnd, HWND hParent)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// A dragged bar, a menu tracked from a popup or a tool-bar button: the slider leaves the mouse
// alone.
bool IsOtherTrackingRunning()
{
    return CExtControlBar::GetDraggedBar() != nullptr || CExtPopupMenuWnd::IsTrackingActive();
}
} // namespace

CExtDynAutoHideSlider::CExtDynAutoHideSlider() = default;

CExtDynAutoHideSlider::~CExtDynAutoHideSlider()
{
    RemoveHooks();
}

bool CExtDynAutoHideSlider::RegisterSliderWindowClass()
{
    return RegisterBarFamilyClass(WINDOW_CLASS_NAME, kSliderClassStyle);
}

BOOL CExtDynAutoHideSlider::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!RegisterSliderWindowClass() || !CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = WINDOW_CLASS_NAME;
    return TRUE;
}

BOOL CExtDynAutoHideSlider::Create(CFrameWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr || !RegisterSliderWindowClass())
        return FALSE;
    if (!CWnd::Create(WINDOW_CLASS_NAME, "", WS_CHILD, CRect(0, 0, 0, 0), pFrame, SLIDER_ID))
        return FALSE;
    if ((GetExStyle() & CExtControlBar::EXSTYLE_RTL_MASK) != 0)
        ModifyStyleEx(CExtControlBar::EXSTYLE_RTL_MASK, 0, SWP_FRAMECHANGED);
    EnableToolTips(TRUE);
    if (m_wndToolTip.Create(this))
        m_wndToolTip.Activate(TRUE);
    return TRUE;
}

void CExtDynAutoHideSlider::PostNcDestroy()
{
    delete this;
}

CFrameWnd* CExtDynAutoHideSlider::GetFrame() const
{
    return DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
}

bool CExtDynAutoHideSlider::IsLive() const
{
    return m_pArea != nullptr && m_pArea->GetSafeHwnd() != nullptr && m_pBar != nullptr &&
           m_pBar->GetSafeHwnd() != nullptr;
}

CWnd* CExtDynAutoHideSlider::GetContentWindow() const
{
    return m_hWnd != nullptr ? GetWindow(GW_CHILD) : nullptr;
}

bool CExtDynAutoHideSlider::IsFocusInSlider() const
{
    const HWND hFocus = ::GetFocus();
    return hFocus != nullptr && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
}

bool CExtDynAutoHideSlider::IsCursorOverSliderOrArea() const
{
    POINT pt;
    if (!::GetCursorPos(&pt))
        return true;
    CRect rc;
    GetWindowRect(&rc);
    if (rc.PtInRect(pt))
        return true;
    if (m_pArea == nullptr || m_pArea->GetSafeHwnd() == nullptr)
        return false;
    m_pArea->GetWindowRect(&rc);
    rc.InflateRect(2, 2);
    return rc.PtInRect(pt) != FALSE;
}

int CExtDynAutoHideSlider::GetAreaSide() const
{
    if (m_pArea == nullptr || m_pArea->GetSafeHwnd() == nullptr)
        return SIDE_TOP;
    int nSide = SIDE_TOP;
    switch (static_cast<UINT>(m_pArea->GetDlgCtrlID())) {
    case AFX_IDW_DOCKBAR_BOTTOM:
        nSide = SIDE_BOTTOM;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        nSide = SIDE_LEFT;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        nSide = SIDE_RIGHT;
        break;
    default:
        break;
    }
    CFrameWnd* pFrame = GetFrame();
    if (pFrame != nullptr && (pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0 && !IsHorizontalSide(nSide))
        nSide = nSide == SIDE_LEFT ? SIDE_RIGHT : SIDE_LEFT;
    return nSide;
}

CRect CExtDynAutoHideSlider::CalcFreeRegion() const
{
    CFrameWnd* pFrame = GetFrame();
    CRect rcFree;
    pFrame->GetClientRect(&rcFree);
    CExtDynAutoHideArea* apAreas[4];
    CExtDynAutoHideArea::GetFrameAreas(pFrame, &apAreas[0], &apAreas[1], &apAreas[2], &apAreas[3]);
    const UINT anSideIds[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                               AFX_IDW_DOCKBAR_RIGHT};
    for (int nSide = 0; nSide < 4; ++nSide) {
        HWND hEdge = nullptr;
        if (apAreas[nSide] != nullptr && apAreas[nSide]->IsWindowVisible())
            hEdge = apAreas[nSide]->GetSafeHwnd();
        else if (CExtDockBar* pOuter = CExtDockBar::FindRingBar(pFrame, 0, anSideIds[nSide], false);
                 pOuter != nullptr && pOuter->IsWindowVisible())
            hEdge = pOuter->GetSafeHwnd();
        if (hEdge == nullptr)
            continue;
        const CRect rc = WindowRectInParent(hEdge, pFrame->GetSafeHwnd());
        switch (nSide) {
        case SIDE_TOP:
            rcFree.top = std::max(rcFree.top, rc.bottom);
            break;
        case SIDE_BOTTOM:
            rcFree.bottom = std::min(rcFree.bottom, rc.top);
            break;
        case SIDE_LEFT:
            rcFree.left = std::max(rcFree.left, rc.right);
            break;
        default:
            rcFree.right = std::min(rcFree.right, rc.left);
            break;
        }
    }
    return rcFree;
}

CRect CExtDynAutoHideSlider::RectAtExtent(const CRect& rcBase, int nExtent) const
{
    CRect rc(rcBase);
    switch (GetAreaSide()) {
    case SIDE_TOP:
        rc.bottom = rc.top + nExtent;
        break;
    case SIDE_BOTTOM:
        rc.top = rc.bottom - nExtent;
        break;
    case SIDE_LEFT:
        rc.right = rc.left + nExtent;
        break;
    default:
        rc.left = rc.right - nExtent;
        break;
    }
    return rc;
}

int CExtDynAutoHideSlider::ExtentOf(const CRect& rc) const
{
    return IsHorizontalSide(GetAreaSide()) ? rc.Height() : rc.Width();
}

void CExtDynAutoHideSlider::PlaceStep(const CRect& rc, UINT nFlags)
{
    ::SetWindowPos(m_hWnd, HWND_TOP, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
    if (CWnd* pContent = GetContentWindow()) {
        CRect rcClient;
        GetClientRect(&rcClient);
        // The content keeps its full size and moves with the slider's edge away from the area.
        CPoint ptContent(0, 0);
        const int nSide = GetAreaSide();
        if (nSide == SIDE_TOP)
            ptContent.y = rcClient.Height() - m_nContentHeight;
        else if (nSide == SIDE_LEFT)
            ptContent.x = rcClient.Width() - m_nContentWidth;
        ::SetWindowPos(pContent->GetSafeHwnd(), nullptr, ptContent.x, ptContent.y, m_nContentWidth, m_nContentHeight,
                       kContentMove);
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawAll);
    CExtPaintManager::DispatchPendingPaintMessages(true, true, true);
}

void CExtDynAutoHideSlider::PaceStep(DWORD& dwLast) const
{
    // A wall clock: the C run-time clock counts processor time here, which a waiting UI thread
    // hardly uses.
    const DWORD dwElapsed = ::GetTickCount() - dwLast;
    if (dwElapsed < g_AutoHideSlideStepDelay)
        ::Sleep(g_AutoHideSlideStepDelay - dwElapsed);
    dwLast = ::GetTickCount();
}

void CExtDynAutoHideSlider::SlideBar(CExtControlBar* pBar, bool bShow, bool bAnimate, bool /*bReserved*/)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || m_hWnd == nullptr)
        return;
    bAnimate = bAnimate && g_AutoHideSlideSteps > 0 && g_AutoHideSlideStepDelay > 0;
    if (bShow)
        ShowBar(pBar, bAnimate);
    else if (IsShown())
        HideBar(bAnimate);
}

bool CExtDynAutoHideSlider::ShowBar(CExtControlBar* pBar, bool bAnimate)
{
    CExtPopupMenuWnd::EndActiveTracking();
    CWnd::CancelToolTips();
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.Pop();
    if (IsShown() && m_pBar == pBar)
        return true;
    if (IsShown())
        HideBar(false);
    CFrameWnd* pFrame = GetFrame();
    CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAreaOfBar(pBar);
    if (pFrame == nullptr || pArea == nullptr)
        return false;
    m_pArea = pArea; // the side of the geometry below
    const CRect rcFree = CalcFreeRegion();
    if (rcFree.Width() < MIN_EXTENT || rcFree.Height() < MIN_EXTENT) {
        m_pArea = nullptr;
        return false;
    }
    CExtControlBar* pSizeHolder = pBar;
    if (auto* pGroup = DYNAMIC_DOWNCAST(CExtControlBar, pBar->GetTabbedGroupContainer()))
        pSizeHolder = pGroup;
    const int nSide = GetAreaSide();
    const CSize sizeStored = IsHorizontalSide(nSide) ? pSizeHolder->m_sizeDockedHorz : pSizeHolder->m_sizeDockedVert;
    const CSize size(std::clamp<int>(sizeStored.cx, MIN_EXTENT, rcFree.Width()),
                     std::clamp<int>(sizeStored.cy, MIN_EXTENT, rcFree.Height()));

    m_nSliderFlags |= FLAG_SHOWN;
    m_pBar = pBar;
    m_rcLimit = rcFree;
    CRect rcFull(rcFree);
    switch (nSide) {
    case SIDE_TOP:
        rcFull.bottom = rcFull.top + size.cy;
        break;
    case SIDE_BOTTOM:
        rcFull.top = rcFull.bottom - size.cy;
        break;
    case SIDE_LEFT:
        rcFull.right = rcFull.left + size.cx;
        break;
    default:
        rcFull.left = rcFull.right - size.cx;
        break;
    }
    const CRect rcMargins = CalcNcMargins();
    m_nContentWidth = std::max(0, rcFull.Width() - rcMargins.left - rcMargins.right);
    m_nContentHeight = std::max(0, rcFull.Height() - rcMargins.top - rcMargins.bottom);

    if (CWnd* pContent = pBar->GetWindow(GW_CHILD)) {
        pContent->SetParent(this);
        CExtControlBar::RefreshControlContainerFlags(pFrame);
        ::SetWindowPos(pContent->GetSafeHwnd(), nullptr, 0, 0, 0, 0, kShowContent);
    }
    bool bStepRan = false;
    if (bAnimate) {
        m_nSliderFlags |= FLAG_ANIMATING;
        const int nFull = ExtentOf(rcFull);
        DWORD dwLast = ::GetTickCount();
        for (int i = 0; i < g_AutoHideSlideSteps && IsShown(); ++i) {
            PlaceStep(RectAtExtent(rcFree, ::MulDiv(nFull, i, g_AutoHideSlideSteps + 1)),
                      bStepRan ? kPlaceStep : kPlaceFirstStep);
            bStepRan = true;
            PaceStep(dwLast);
        }
        m_nSliderFlags &= ~FLAG_ANIMATING;
        // A message dispatched between the steps may have hidden the slider.
        if (!IsShown())
            return false;
    }
    m_nSliderFlags &= ~FLAG_ANIMATING;
    if (CWnd* pContent = GetContentWindow())
        ::SetWindowPos(pContent->GetSafeHwnd(), nullptr, 0, 0, m_nContentWidth, m_nContentHeight, kContentMove);
    ::SetWindowPos(m_hWnd, HWND_TOP, rcFull.left, rcFull.top, rcFull.Width(), rcFull.Height(),
                   bStepRan ? kPlaceStep : kPlaceFirstStep);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawAll);

    g_pHookedSlider = this;
    InstallHooks();
    pBar->m_bCaptionActive = false;
    ResetCaptionButtons();
    SetTimer(TIMER_WATCH, WATCH_PERIOD_MS, nullptr);
    return true;
}

void CExtDynAutoHideSlider::HideBar(bool bAnimate)
{
    CExtControlBar* pBar = m_pBar;
    int nTab = -1;
    if (CExtDynAutoHideArea* pTabArea = CExtDynAutoHideArea::FindAreaOfBar(pBar, &nTab))
        pTabArea->SetSelectedItem(-1, false, false);
    RemoveHooks();
    if (bAnimate && IsLive()) {
        m_nSliderFlags |= FLAG_ANIMATING;
        const CRect rcStart = WindowRectInParent(m_hWnd, GetParent()->GetSafeHwnd());
        const int nFull = ExtentOf(rcStart);
        DWORD dwLast = ::GetTickCount();
        for (int i = 0; i < g_AutoHideSlideSteps; ++i) {
            PlaceStep(RectAtExtent(rcStart, ::MulDiv(nFull, g_AutoHideSlideSteps - i - 1, g_AutoHideSlideSteps + 1)),
                      kPlaceStep);
            PaceStep(dwLast);
        }
        m_nSliderFlags &= ~FLAG_ANIMATING;
    }
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
        pBar->m_bCaptionActive = false;
        ResetCaptionButtons();
    }
    KillTimer(TIMER_WATCH);
    KillTimer(TIMER_HIDE);
    m_nSliderFlags &= ~FLAG_HIDE_TIMER;
    EndResize();
    const bool bFocusInside = IsFocusInSlider();
    CWnd* pContent = GetContentWindow();
    if (pContent != nullptr && pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
        pContent->SetParent(pBar);
        if (CFrameWnd* pFrame = GetFrame())
            CExtControlBar::RefreshControlContainerFlags(pFrame);
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        ::SetWindowPos(pContent->GetSafeHwnd(), nullptr, rcClient.left, rcClient.top, rcClient.Width(),
                       rcClient.Height(), kContentMove);
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, kHideSlider);
    if (m_pArea != nullptr && m_pArea->GetSafeHwnd() != nullptr)
        m_pArea->SetSelectedItem(-1, false, false);
    m_pArea = nullptr;
    m_pBar = nullptr;
    m_nSliderFlags &= ~(FLAG_SHOWN | FLAG_FOCUS_INSIDE | FLAG_HIDE_TIMER);
    m_nResizeEdge = NOT_RESIZING;
    m_pHoveredButton = m_pTipButton = m_pPressedButton = nullptr;
    m_rcLimit.SetRectEmpty();
    if (bFocusInside)
        if (CFrameWnd* pFrame = GetFrame())
            pFrame->SetFocus();
}

void CExtDynAutoHideSlider::ResetCaptionButtons()
{
    if (m_pBar == nullptr)
        return;
    for (INT_PTR i = 0; i < m_pBar->m_arrNcButtons.GetSize(); ++i)
        m_pBar->m_arrNcButtons[i]->OnNcAreaHitTest(CPoint(-1, -1));
}

void CExtDynAutoHideSlider::OnTimer(UINT_PTR nIdEvent)
{
    if (nIdEvent == TIMER_WATCH) {
        if (!IsShown() || !IsWindowVisible()) {
            KillTimer(TIMER_WATCH);
            return;
        }
        if (IsResizing() || IsAnimating())
            return;
        CFrameWnd* pFrame = GetFrame();
        if (CExtControlBar::GetDraggedBar() != nullptr || CExtControlBar::IsFrameInPrintPreview(pFrame)) {
            SendMessage(WM_CANCELMODE);
            return;
        }
        const bool bFocusInside = IsFocusInSlider();
        if (bFocusInside != IsFocusInside()) {
            m_nSliderFlags ^= FLAG_FOCUS_INSIDE;
            SendMessage(WM_NCPAINT);
            return;
        }
        if (bFocusInside || (m_nSliderFlags & FLAG_HIDE_TIMER) != 0 || IsCursorOverSliderOrArea())
            return;
        m_nSliderFlags |= FLAG_HIDE_TIMER;
        SetTimer(TIMER_HIDE, HIDE_DELAY_MS, nullptr);
        return;
    }
    if (nIdEvent == TIMER_HIDE) {
        if (IsOtherTrackingRunning())
            return;
        m_nSliderFlags &= ~FLAG_HIDE_TIMER;
        KillTimer(TIMER_HIDE);
        if (IsShown() && IsWindowVisible() && !IsCursorOverSliderOrArea())
            SlideBar(m_pBar, false, true);
    }
}

void CExtDynAutoHideSlider::OnSizeMsg()
{
    if (!IsShown() || IsAnimating() || !IsLive())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const CRect rcMargins = CalcNcMargins();
    CExtControlBar* pSizeHolder = m_pBar;
    if (auto* pGroup = DYNAMIC_DOWNCAST(CExtControlBar, m_pBar->GetTabbedGroupContainer()))
        pSizeHolder = pGroup;
    if (IsHorizontalSide(GetAreaSide()))
        pSizeHolder->m_sizeDockedHorz.cy = rcClient.Height() + rcMargins.top + rcMargins.bottom;
    else
        pSizeHolder->m_sizeDockedVert.cx = rcClient.Width() + rcMargins.left + rcMargins.right;
    m_nContentWidth = rcClient.Width();
    m_nContentHeight = rcClient.Height();
    if (CWnd* pContent = GetContentWindow())
        ::SetWindowPos(pContent->GetSafeHwnd(), nullptr, 0, 0, m_nContentWidth, m_nContentHeight, kContentMove);
}

void CExtDynAutoHideSlider::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pDC = CDC::FromHandle(::BeginPaint(m_hWnd, &ps));
    if (GetContentWindow() == nullptr) {
        CRect rcClient;
        GetClientRect(&rcClient);
        pDC->FillSolidRect(&rcClient, g_PaintManagerHolder->ColorByIndex(COLOR_3DFACE, this));
    }
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CExtDynAutoHideSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_NCCALCSIZE:
        OnNcCalcSize(reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        return 0;
    case WM_NCHITTEST:
        return OnNcHitTest(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
    case WM_NCPAINT:
        OnNcPaint();
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_CANCELMODE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        // A resize in progress ends with the slide-out: left running, it would keep a hidden
        // slider's edge under the mouse.
        if (IsShown() && !IsAnimating()) {
            EndResize();
            SlideBar(m_pBar, false, false);
        }
        return lResult;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the edge stays where it is.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            m_nResizeEdge = NOT_RESIZING;
        break;
    case WM_CLOSE:
        return 0;
    case WM_DESTROY:
        SendMessage(WM_CANCELMODE);
        // Whatever state the slider is in, no hook may outlive it.
        RemoveHooks();
        if (CFrameWnd* pFrame = GetFrame()) {
            CExtDynAutoHideArea* apAreas[4];
            CExtDynAutoHideArea::GetFrameAreas(pFrame, &apAreas[0], &apAreas[1], &apAreas[2], &apAreas[3]);
            for (CExtDynAutoHideArea* pArea : apAreas)
                if (pArea != nullptr && pArea->m_pSlider == this)
                    pArea->m_pSlider = nullptr;
        }
        break;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_SETFOCUS: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (IsShown() && IsWindowVisible())
            if (CWnd* pContent = GetContentWindow())
                pContent->SetFocus();
        return lResult;
    }
    case WM_SIZE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        OnSizeMsg();
        return lResult;
    }
    case WM_SIZEPARENT:
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
