#include "ui/core/ExtEdit.h"

#include "platform/mfc/WindowDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuTrackingState.h"

#include <memory>

IMPLEMENT_DYNCREATE(CExtEdit, CExtEditBase)

namespace
{
constexpr UINT FRAME_REDRAW_FLAGS = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW |
                                    RDW_FRAME;
constexpr BYTE HOVER_BIT = 0x01;
constexpr int FRAME_INSET = 3;
constexpr int CORNER_INSET = 4;

CExtPaintManager* PaintManager()
{
    if (g_PaintManagerHolder.GetFirstMember() == nullptr)
        g_PaintManagerHolder.ReplaceManager(nullptr);
    return g_PaintManagerHolder.GetFirstMember();
}
} // namespace

void CExtEdit::RedrawFrame()
{
    if (m_hWnd != nullptr)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, FRAME_REDRAW_FLAGS);
}

bool CExtEdit::IsEditEnabled() const { return m_hWnd != nullptr && IsWindowEnabled() != FALSE; }

void CExtEdit::DrawFrame(const RECT& rcFrame, CDC* pDC)
{
    CExtPaintManager* pPM = PaintManager();
    if (pPM == nullptr || m_hWnd == nullptr)
        return;
    std::unique_ptr<CWindowDC> pOwnDC;
    if (pDC == nullptr)
    {
        pOwnDC = std::make_unique<CWindowDC>(this);
        pDC = pOwnDC.get();
    }
    const bool bFocused = ::GetFocus() == m_hWnd;
    RECT rc = rcFrame;
    if (IsHovered() || bFocused)
        ::InflateRect(&rc, -1, -1);
    CExtDrawEditFrameArgs args(this, rc, true, IsHovered(), IsEditEnabled(), bFocused);
    pPM->DrawEditFrame(*pDC, args);
}

void CExtEdit::OnHoverTimer()
{
    POINT pt;
    if (!::GetCursorPos(&pt) || IsWindowVisible() == FALSE)
        return;
    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    const bool bWasHovered = IsHovered();
    if (::PtInRect(&rcWindow, pt))
    {
        if (::WindowFromPoint(pt) == m_hWnd)
            m_nHoverFlags |= HOVER_BIT;
    }
    else
    {
        ::KillTimer(m_hWnd, HOVER_TIMER_ID);
        m_nHoverFlags &= ~HOVER_BIT;
    }
    if (bWasHovered != IsHovered())
        RedrawFrame();
}

void CExtEdit::PaintNonClient()
{
    RECT rcWindow, rcClient;
    ::GetWindowRect(m_hWnd, &rcWindow);
    ::GetClientRect(m_hWnd, &rcClient);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
    if (::EqualRect(&rcWindow, &rcClient))
        return;
    ::OffsetRect(&rcClient, -rcWindow.left, -rcWindow.top);
    ::OffsetRect(&rcWindow, -rcWindow.left, -rcWindow.top);
    CExtPaintManager* pPM = PaintManager();
    if (pPM == nullptr)
        return;
    CWindowDC dc(this);
    const int cxScroll = ::GetSystemMetrics(SM_CXVSCROLL), cyScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    const bool bVertical = (rcWindow.right - rcClient.right) + rcClient.left >= cxScroll;
    const bool bHorizontal = (rcWindow.bottom - rcClient.bottom) + rcClient.top >= cyScroll;
    const COLORREF clrWindow = pPM->ColorByIndex(COLOR_WINDOW, this);
    if (bVertical && bHorizontal)
    {
        const int x = rcWindow.right - CORNER_INSET - cxScroll, y = rcWindow.bottom - CORNER_INSET - cyScroll;
        const RECT rcCorner = {x, y, x + cxScroll, y + cyScroll};
        dc.FillSolidRect(&rcCorner, clrWindow);
    }
    RECT rcExclude = rcClient;
    if (bVertical)
        rcExclude.right += cxScroll;
    if (bHorizontal)
        rcExclude.bottom += cyScroll;
    dc.ExcludeClipRect(&rcExclude);
    char szClass[16] = {};
    ::GetClassNameA(m_hWnd, szClass, sizeof szClass);
    if (::lstrcmpiA(szClass, "EDIT") == 0)
        dc.FillSolidRect(&rcWindow, (GetStyle() & ES_READONLY) != 0 ? ::GetSysColor(COLOR_BTNFACE) : clrWindow);
    RECT rcFrame = rcWindow;
    ::InflateRect(&rcFrame, -FRAME_INSET, -FRAME_INSET);
    DrawFrame(rcFrame, &dc);
}

LRESULT CExtEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (IsHoverAllowedForActiveWindow(m_hWnd, ::GetActiveWindow(), true, true, true))
            ::SetTimer(m_hWnd, HOVER_TIMER_ID, HOVER_TIMER_MS, nullptr);
        break;
    case WM_TIMER:
        if (wParam == HOVER_TIMER_ID)
        {
            OnHoverTimer();
            return 0;
        }
        break;
    case WM_NCPAINT:
    {
        const LRESULT lResult = CExtEditBase::WindowProc(message, wParam, lParam);
        PaintNonClient();
        return lResult;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    {
        const LRESULT lResult = CExtEditBase::WindowProc(message, wParam, lParam);
        RedrawFrame();
        return lResult;
    }
    default:
        break;
    }
    return CExtEditBase::WindowProc(message, wParam, lParam);
}
