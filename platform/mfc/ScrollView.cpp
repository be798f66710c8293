#include "platform/mfc/ScrollView.h"

#include "platform/mfc/DC.h"
#include "platform/mfc/ScrollBar.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace
{
// Default page: a tenth of the total; default line: a tenth of the page.
constexpr int kPageDivisor = 10;
constexpr int kLineDivisor = 10;
constexpr BYTE kNoScrollCode = 0xFF;

// Converts a logical extent of nMapMode to device units of the screen.
CSize LogicalToDevice(int nMapMode, SIZE size)
{
    if (nMapMode == MM_TEXT)
        return size;
    HDC hDC = ::GetDC(nullptr);
    ::SetMapMode(hDC, nMapMode);
    POINT pt = {size.cx, size.cy};
    ::LPtoDP(hDC, &pt, 1);
    POINT origin = {0, 0};
    ::LPtoDP(hDC, &origin, 1);
    ::ReleaseDC(nullptr, hDC);
    return CSize(std::abs(pt.x - origin.x), std::abs(pt.y - origin.y));
}

// Converts a device point of the screen to logical units of nMapMode.
CPoint DeviceToLogical(int nMapMode, POINT pt)
{
    if (nMapMode == MM_TEXT || nMapMode == 0)
        return pt;
    HDC hDC = ::GetDC(nullptr);
    ::SetMapMode(hDC, nMapMode);
    ::DPtoLP(hDC, &pt, 1);
    ::ReleaseDC(nullptr, hDC);
    return pt;
}

CPoint LogicalToDevicePoint(int nMapMode, POINT pt)
{
    if (nMapMode == MM_TEXT || nMapMode == 0)
        return pt;
    HDC hDC = ::GetDC(nullptr);
    ::SetMapMode(hDC, nMapMode);
    ::LPtoDP(hDC, &pt, 1);
    ::ReleaseDC(nullptr, hDC);
    return pt;
}
}

const SIZE CScrollView::sizeDefault = {0, 0};

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_totalDev = LogicalToDevice(nMapMode, sizeTotal);
    m_pageDev = LogicalToDevice(nMapMode, sizePage);
    m_lineDev = LogicalToDevice(nMapMode, sizeLine);
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / kPageDivisor;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / kPageDivisor;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / kLineDivisor;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / kLineDivisor;
    if (m_hWnd != nullptr)
    {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    CWnd* pThis = const_cast<CScrollView*>(this);
    return CPoint(pThis->GetScrollPos(SB_HORZ), pThis->GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    return DeviceToLogical(m_nMapMode, GetDeviceScrollPosition());
}

void CScrollView::ScrollToPosition(POINT pt)
{
    ScrollToDevicePosition(LogicalToDevicePoint(m_nMapMode, pt));
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    int x = std::clamp(static_cast<int>(ptDev.x), 0, std::max(0, GetScrollLimit(SB_HORZ)));
    int y = std::clamp(static_cast<int>(ptDev.y), 0, std::max(0, GetScrollLimit(SB_VERT)));
    int xOrig = GetScrollPos(SB_HORZ);
    int yOrig = GetScrollPos(SB_VERT);
    SetScrollPos(SB_HORZ, x);
    SetScrollPos(SB_VERT, y);
    ScrollWindow(xOrig - x, yOrig - y);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    pDC->SetMapMode(m_nMapMode != 0 ? m_nMapMode : MM_TEXT);
    CPoint ptOrigin(0, 0);
    if (!pDC->IsPrinting())
    {
        CPoint ptScroll = GetDeviceScrollPosition();
        ptOrigin = CPoint(-ptScroll.x, -ptScroll.y);
    }
    pDC->SetViewportOrg(ptOrigin);
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_hWnd == nullptr)
        return;
    m_bInsideUpdate = TRUE;

    // The client size without scroll bars, then less each bar the total needs.
    CRect rectClient;
    GetClientRect(&rectClient);
    CSize sizeClient(rectClient.Width(), rectClient.Height());
    DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        sizeClient.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_HSCROLL)
        sizeClient.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    BOOL bNeedH = m_totalDev.cx > sizeClient.cx;
    BOOL bNeedV = m_totalDev.cy > sizeClient.cy;
    if (bNeedH)
        sizeClient.cy -= ::GetSystemMetrics(SM_CYHSCROLL);
    if (bNeedV)
        sizeClient.cx -= ::GetSystemMetrics(SM_CXVSCROLL);
    bNeedH = m_totalDev.cx > sizeClient.cx;
    bNeedV = m_totalDev.cy > sizeClient.cy;

    CPoint ptOld = GetDeviceScrollPosition();
    const struct
    {
        int nBar;
        BOOL bNeed;
        int nTotal;
        int nPage;
    } bars[] = {{SB_HORZ, bNeedH, static_cast<int>(m_totalDev.cx), static_cast<int>(sizeClient.cx)},
                {SB_VERT, bNeedV, static_cast<int>(m_totalDev.cy), static_cast<int>(sizeClient.cy)}};
    for (const auto& bar : bars)
    {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
        info.nMin = 0;
        info.nMax = bar.bNeed ? bar.nTotal - 1 : 0;
        info.nPage = bar.bNeed ? static_cast<UINT>(std::max(bar.nPage, 0)) : 0;
        int nOld = bar.nBar == SB_HORZ ? ptOld.x : ptOld.y;
        info.nPos = bar.bNeed ? std::clamp(nOld, 0, std::max(0, bar.nTotal - bar.nPage)) : 0;
        SetScrollInfo(bar.nBar, &info, TRUE);
    }
    CPoint ptNew = GetDeviceScrollPosition();
    if (ptNew != ptOld)
        ScrollWindow(ptOld.x - ptNew.x, ptOld.y - ptNew.y);
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // Scroll bars of child controls are theirs.
    if (pScrollBar != nullptr && pScrollBar->m_hWnd != nullptr)
        return;
    OnScroll(MAKEWORD(nSBCode, kNoScrollCode), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && pScrollBar->m_hWnd != nullptr)
        return;
    OnScroll(MAKEWORD(kNoScrollCode, nSBCode), nPos);
}

BOOL CScrollView::ScrollTarget(int nBar, UINT nSBCode, int nPageDev, int nLineDev, int& nTarget) const
{
    CWnd* pThis = const_cast<CScrollView*>(this);
    int nPos = pThis->GetScrollPos(nBar);
    switch (nSBCode)
    {
    case SB_TOP:
        nTarget = 0;
        return TRUE;
    case SB_BOTTOM:
        nTarget = pThis->GetScrollLimit(nBar);
        return TRUE;
    case SB_LINEUP:
        nTarget = nPos - nLineDev;
        return TRUE;
    case SB_LINEDOWN:
        nTarget = nPos + nLineDev;
        return TRUE;
    case SB_PAGEUP:
        nTarget = nPos - nPageDev;
        return TRUE;
    case SB_PAGEDOWN:
        nTarget = nPos + nPageDev;
        return TRUE;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
    {
        // The 32-bit track position, not the 16-bit one of the message.
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        pThis->GetScrollInfo(nBar, &info, SIF_TRACKPOS);
        nTarget = info.nTrackPos;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT, BOOL bDoScroll)
{
    CPoint ptPos = GetDeviceScrollPosition();
    CSize sizeScroll(0, 0);
    int nTarget = 0;
    if (ScrollTarget(SB_HORZ, LOBYTE(nScrollCode), m_pageDev.cx, m_lineDev.cx, nTarget))
        sizeScroll.cx = nTarget - ptPos.x;
    if (ScrollTarget(SB_VERT, HIBYTE(nScrollCode), m_pageDev.cy, m_lineDev.cy, nTarget))
        sizeScroll.cy = nTarget - ptPos.y;
    return OnScrollBy(sizeScroll, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    // A direction without an enabled scroll bar does not move.
    DWORD dwStyle = GetStyle();
    CScrollBar* pBar = GetScrollBarCtrl(SB_VERT);
    if ((pBar != nullptr && !pBar->IsWindowEnabled()) || (pBar == nullptr && !(dwStyle & WS_VSCROLL)))
        sizeScroll.cy = 0;
    pBar = GetScrollBarCtrl(SB_HORZ);
    if ((pBar != nullptr && !pBar->IsWindowEnabled()) || (pBar == nullptr && !(dwStyle & WS_HSCROLL)))
        sizeScroll.cx = 0;

    int xOrig = GetScrollPos(SB_HORZ);
    int x = std::clamp(xOrig + static_cast<int>(sizeScroll.cx), 0, std::max(0, GetScrollLimit(SB_HORZ)));
    int yOrig = GetScrollPos(SB_VERT);
    int y = std::clamp(yOrig + static_cast<int>(sizeScroll.cy), 0, std::max(0, GetScrollLimit(SB_VERT)));
    if (x == xOrig && y == yOrig)
        return FALSE;
    if (bDoScroll)
    {
        ScrollWindow(xOrig - x, yOrig - y);
        if (x != xOrig)
            SetScrollPos(SB_HORZ, x);
        if (y != yOrig)
            SetScrollPos(SB_VERT, y);
    }
    return TRUE;
}

BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint)
{
    if (nFlags & (MK_SHIFT | MK_CONTROL))
        return FALSE;
    UINT nLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    DWORD dwStyle = GetStyle();
    BOOL bVert = (dwStyle & WS_VSCROLL) != 0;
    if (!bVert && !(dwStyle & WS_HSCROLL))
        return FALSE;
    int nPage = bVert ? m_pageDev.cy : m_pageDev.cx;
    int nLine = bVert ? m_lineDev.cy : m_lineDev.cx;
    int nDisplacement;
    if (nLines == WHEEL_PAGESCROLL)
        nDisplacement = zDelta > 0 ? -nPage : nPage;
    else
        nDisplacement = std::clamp(-zDelta * static_cast<int>(nLines) * nLine / WHEEL_DELTA, -nPage, nPage);
    BOOL bResult = OnScrollBy(bVert ? CSize(0, nDisplacement) : CSize(nDisplacement, 0), TRUE);
    if (bResult)
        UpdateWindow();
    return bResult;
}
