#include "platform/mfc/DockContext.h"

#include "platform/mfc/Brush.h"
#include "platform/mfc/ControlBar.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/DockBar.h"
#include "platform/mfc/FrameWnd.h"

#include <algorithm>

namespace
{
bool IsHorz(DWORD dwStyle) { return (dwStyle & CBRS_ORIENT_HORZ) != 0; }
bool IsVert(DWORD dwStyle) { return (dwStyle & CBRS_ORIENT_VERT) != 0; }

// Moves the rectangle the least that puts the point inside it: the outline stays under the cursor.
void BringPointInside(CRect& rect, CPoint pt)
{
    const int dx = pt.x < rect.left ? pt.x - rect.left : (pt.x > rect.right ? pt.x - rect.right : 0);
    const int dy = pt.y < rect.top ? pt.y - rect.top : (pt.y > rect.bottom ? pt.y - rect.bottom : 0);
    rect.OffsetRect(dx, dy);
}
}

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(pBar != nullptr ? pBar->m_pDockSite : nullptr)
{
}

CDockContext::~CDockContext()
{
    // A bar destroyed during its drag leaves the screen DC here.
    if (m_pDC != nullptr)
    {
        ::ReleaseDC(nullptr, m_pDC->Detach());
        delete m_pDC;
    }
}

void CDockContext::InitLoop()
{
    // Pending paints first, so that the outline is not painted over.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
    {
        // A quit comes whatever the filter: it stays for the loop to see.
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::DispatchMessageA(&msg);
    }
    if (m_pBar->m_pDockSite != nullptr)
        m_pDockSite = m_pBar->m_pDockSite;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bForceFrame = m_bFlip = m_bDitherLast = FALSE;
    if (m_pDC == nullptr)
    {
        m_pDC = new CDC;
        m_pDC->Attach(::GetDC(nullptr));
    }
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    if (m_pDC != nullptr)
    {
        ::ReleaseDC(nullptr, m_pDC->Detach());
        delete m_pDC;
        m_pDC = nullptr;
    }
}

void CDockContext::StartDrag(CPoint pt)
{
    if (m_pBar == nullptr || m_pBar->m_hWnd == nullptr)
        return;
    m_bDragging = TRUE;
    InitLoop();
    if (m_pDockSite == nullptr || m_dwStyle == 0)
    {
        CancelLoop();
        m_bDragging = FALSE;
        return;
    }
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    const bool bDynamic = (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
    const CSize sizeHorz = bDynamic ? m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK) : m_pBar->CalcFixedLayout(FALSE, TRUE);
    const CSize sizeVert = bDynamic ? m_pBar->CalcDynamicLayout(0, LM_VERTDOCK) : m_pBar->CalcFixedLayout(FALSE, FALSE);
    const CSize sizeFloat = bDynamic ? m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH) : sizeHorz;
    m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
    m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
    // The floating outlines are the floating frame's window around the bar.
    const DWORD dwFrameStyle = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
    m_rectFrameDragHorz = CRect(rect.TopLeft(), sizeFloat);
    ::AdjustWindowRectEx(&m_rectFrameDragHorz, dwFrameStyle, FALSE, WS_EX_TOOLWINDOW);
    m_rectFrameDragVert = CRect(rect.TopLeft(), bDynamic ? sizeFloat : sizeVert);
    ::AdjustWindowRectEx(&m_rectFrameDragVert, dwFrameStyle, FALSE, WS_EX_TOOLWINDOW);
    for (CRect* pRect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        BringPointInside(*pRect, pt);
    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (m_pBar == nullptr || m_pBar->m_hWnd == nullptr)
        return;
    CWnd* pFrame = m_pBar->GetTopLevelParent();
    if (pFrame == nullptr)
        return;
    m_bDragging = FALSE;
    InitLoop();
    if (m_pDockSite == nullptr)
    {
        CancelLoop();
        return;
    }
    pFrame->GetWindowRect(&m_rectActualFrameSize);
    m_pBar->GetWindowRect(&m_rectActualSize);
    // Thickness of the frame around the bar on each side.
    m_rectFrameBorders = CRect(m_rectActualSize.left - m_rectActualFrameSize.left,
                               m_rectActualSize.top - m_rectActualFrameSize.top,
                               m_rectActualFrameSize.right - m_rectActualSize.right,
                               m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
    m_rectRequestedSize = m_rectActualSize;
    m_nHitTest = nHitTest;
    m_ptLast = pt;
    DrawFocusRect();
    Track();
}

BOOL CDockContext::Track()
{
    const HWND hWndBar = m_pBar->m_hWnd;
    if (::GetCapture() != nullptr)
    {
        CancelLoop();
        return FALSE;
    }
    ::SetCapture(hWndBar);
    while (::GetCapture() == hWndBar)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            // The quit belongs to the main loop: the drag ends cancelled.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE:
            if (m_bDragging)
                Move(msg.pt);
            else
                Stretch(msg.pt);
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), FALSE);
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
            {
                CancelLoop();
                return FALSE;
            }
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), TRUE);
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessageA(&msg);
            // The bar (and this context with it) may have gone with that message.
            if (!::IsWindow(hWndBar))
            {
                if (::GetCapture() == hWndBar)
                    ::ReleaseCapture();
                return FALSE;
            }
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

void CDockContext::Move(CPoint pt)
{
    const CPoint ptOffset(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    for (CRect* pRect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        pRect->OffsetRect(ptOffset.x, ptOffset.y);
    m_ptLast = pt;
    // Ctrl held when the drag began counts as well as one pressed during it.
    m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::Stretch(CPoint pt)
{
    const CPoint ptOffset(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    int nLength = 0;
    DWORD dwMode = LM_HORZ;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT)
    {
        (m_nHitTest == HTLEFT ? m_rectRequestedSize.left : m_rectRequestedSize.right) += ptOffset.x;
        nLength = m_rectRequestedSize.Width();
    }
    else
    {
        dwMode |= LM_LENGTHY;
        (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT ? m_rectRequestedSize.top
                                                                                  : m_rectRequestedSize.bottom) +=
            ptOffset.y;
        nLength = m_rectRequestedSize.Height();
    }
    const CSize size = m_pBar->CalcDynamicLayout(std::max(0, nLength), dwMode);
    const int cxBorders = m_rectFrameBorders.left + m_rectFrameBorders.right;
    const int cyBorders = m_rectFrameBorders.top + m_rectFrameBorders.bottom;
    CRect rcDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
    CRect rcNew = m_rectActualFrameSize;
    // The dragged edge moves; the opposite one stays.
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT)
    {
        rcNew.left = rcNew.right - (size.cx + cxBorders);
        rcNew.top = rcNew.bottom - (size.cy + cyBorders);
    }
    else
    {
        rcNew.right = rcNew.left + size.cx + cxBorders;
        rcNew.bottom = rcNew.top + size.cy + cyBorders;
    }
    RECT rcVisible;
    if (::IntersectRect(&rcVisible, &rcDesktop, &rcNew))
    {
        m_rectActualFrameSize = rcNew;
        m_rectActualSize = CRect(rcNew.left + m_rectFrameBorders.left, rcNew.top + m_rectFrameBorders.top,
                                 rcNew.right - m_rectFrameBorders.right, rcNew.bottom - m_rectFrameBorders.bottom);
    }
    m_ptLast = pt;
    DrawFocusRect();
}

void CDockContext::EndDrag()
{
    CancelLoop();
    m_bDragging = FALSE;
    if (m_dwOverDockStyle != 0)
    {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (pDockBar == nullptr)
            return;
        CRect rect = IsVert(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
        const UINT nID = static_cast<UINT>(pDockBar->GetDlgCtrlID());
        if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM)
        {
            m_uMRUDockID = nID;
            m_rectMRUDockPos = rect;
            pDockBar->ScreenToClient(&m_rectMRUDockPos);
        }
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    const bool bHorzFrame = (m_dwStyle & CBRS_SIZE_DYNAMIC) || (IsHorz(m_dwStyle) && !m_bFlip) || (IsVert(m_dwStyle) && m_bFlip) ||
                            (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC);
    m_dwMRUFloatStyle = (bHorzFrame ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = (bHorzFrame ? m_rectFrameDragHorz : m_rectFrameDragVert).TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void CDockContext::EndResize()
{
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    m_ptMRUFloatPos = m_rectActualFrameSize.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos,
                                 CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL)
        UpdateState(&m_bForceFrame, bDown);
    else if (nChar == VK_SHIFT)
        UpdateState(&m_bFlip, bDown);
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue)
{
    if (*pFlag == bNewValue)
        return;
    *pFlag = bNewValue;
    // Flipping means something only to a bar that docks both ways.
    m_bFlip = IsHorz(m_dwDockStyle) && IsVert(m_dwDockStyle) && m_bFlip;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == nullptr)
        return;
    CSize size(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
    CBrush* pWhiteBrush = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CBrush* pDitherBrush = CDC::GetHalftoneBrush();
    CBrush* pBrush = pWhiteBrush;
    CRect rect;
    if (!m_bDragging)
    {
        rect = m_rectActualFrameSize;
        size = CSize(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
        pBrush = pDitherBrush;
    }
    else if (IsHorz(m_dwOverDockStyle))
        rect = m_rectDragHorz;
    else if (IsVert(m_dwOverDockStyle))
        rect = m_rectDragVert;
    else
    {
        // Floating: the thick dithered frame of a floating frame.
        size = CSize(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
        rect = (IsHorz(m_dwStyle) && !m_bFlip) || (IsVert(m_dwStyle) && m_bFlip) ? m_rectFrameDragHorz : m_rectFrameDragVert;
        pBrush = pDitherBrush;
    }
    if (bRemoveRect)
        size = CSize(0, 0);
    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, pBrush, m_bDitherLast ? pDitherBrush : pWhiteBrush);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = pBrush == pDitherBrush;
}

DWORD CDockContext::CanDock()
{
    if (m_pDockSite == nullptr)
        return 0;
    const bool bStyleHorz = IsHorz(m_dwStyle) != (m_bFlip != FALSE);
    DWORD dwDock = 0;
    // The bar's own orientation first; the other when the outline of that one fits as well.
    if (bStyleHorz && IsHorz(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (IsVert(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
    if (m_bFlip)
        return dwDock;
    if (dwDock == 0 && IsHorz(m_dwDockStyle))
    {
        const DWORD dwCurrent = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
        dwDock = dwDock == dwCurrent ? dwDock : 0;
    }
    if (dwDock == 0 && IsVert(m_dwDockStyle))
    {
        const DWORD dwCurrent = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
        dwDock = dwDock == dwCurrent ? dwDock : 0;
    }
    return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CDockBar* pDockBar = nullptr;
    DWORD dw = 0;
    if (IsHorz(dwOverDockStyle))
        dw = m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & ~CBRS_ORIENT_VERT, &pDockBar);
    if (dw == 0 && IsVert(dwOverDockStyle))
        dw = m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & ~CBRS_ORIENT_HORZ, &pDockBar);
    return dw != 0 ? pDockBar : nullptr;
}

void CDockContext::ToggleDocking()
{
    if (m_pBar->m_pDockSite != nullptr)
        m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDockSite == nullptr)
        return;
    if (m_pBar->IsFloating())
    {
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        CDockBar* pDockBar = nullptr;
        CRect rect = m_rectMRUDockPos;
        if (m_uMRUDockID != 0)
            if (CControlBar* pFound = m_pDockSite->GetControlBar(m_uMRUDockID); pFound != nullptr && pFound->IsDockBar())
            {
                pDockBar = static_cast<CDockBar*>(pFound);
                pDockBar->ClientToScreen(&rect);
            }
        if (pDockBar != nullptr)
            m_pDockSite->ReDockControlBar(m_pBar, pDockBar, &rect);
        else
            m_pDockSite->DockControlBar(m_pBar, static_cast<CDockBar*>(nullptr), nullptr);
        m_pDockSite->RecalcLayout();
        return;
    }
    CPoint ptFloat = m_ptMRUFloatPos;
    if (ptFloat.x < 0 || ptFloat.y < 0 || (ptFloat.x == 0 && ptFloat.y == 0))
    {
        // Never floated: where it stands now.
        CRect rcBar;
        m_pBar->GetWindowRect(&rcBar);
        ptFloat = rcBar.TopLeft();
    }
    m_pDockSite->FloatControlBar(m_pBar, ptFloat, m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP);
}
