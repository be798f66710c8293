// Screen, monitor, child-window and message routines of the paint manager.
#include "ui/core/ExtPaintManager.h"

int CExtPaintManager::GetDisplayBitsPerPixel()
{
    HDC hDC = ::GetDC(nullptr);
    const int nBits = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
    ::ReleaseDC(nullptr, hDC);
    return nBits;
}

void CExtPaintManager::ClipOutChildWindows(HDC hDC, HWND hWndParent, ChildWindowFilter pFilter, LPARAM lParam)
{
    if (hDC == nullptr || hWndParent == nullptr || !::IsWindow(hWndParent))
        return;
    for (HWND hChild = ::GetWindow(hWndParent, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const LONG_PTR style = ::GetWindowLongPtrA(hChild, GWL_STYLE);
        if ((style & WS_VISIBLE) == 0 || (style & WS_CHILD) == 0)
            continue;
        if (pFilter != nullptr && pFilter(hDC, hWndParent, hChild, lParam))
            continue;
        RECT rc{};
        ::GetWindowRect(hChild, &rc);
        ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&rc), 2);
        ::ExcludeClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
    }
}

void CExtPaintManager::DispatchPendingPaintMessages(bool bNonClient, bool bErase, bool bPaint)
{
    const std::pair<bool, UINT> kinds[] = {{bNonClient, WM_NCPAINT}, {bErase, WM_ERASEBKGND}, {bPaint, WM_PAINT}};
    for (const auto& [bWanted, nMessage] : kinds) {
        if (!bWanted)
            continue;
        MSG msg{};
        while (::PeekMessageA(&msg, nullptr, nMessage, nMessage, PM_NOREMOVE)) {
            if (!::GetMessageA(&msg, nullptr, nMessage, nMessage)) {
                // The quit message belongs to the application's loop: hand it back.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::DispatchMessageA(&msg);
        }
    }
}

namespace {
void FromMonitor(CExtMonitorRects& mr, HMONITOR hMonitor)
{
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (hMonitor != nullptr && ::GetMonitorInfoA(hMonitor, &mi)) {
        mr.m_rcMonitor = mi.rcMonitor;
        mr.m_rcWorkArea = mi.rcWork;
        mr.m_dwFlags = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0 ? CExtMonitorRects::PRIMARY : 0;
        return;
    }
    ::GetWindowRect(::GetDesktopWindow(), &mr.m_rcMonitor);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &mr.m_rcWorkArea, 0);
    mr.m_dwFlags = CExtMonitorRects::PRIMARY;
}
} // namespace

void CExtPaintManager::QueryMonitorRects(CExtMonitorRects& mr, const RECT& rc)
{
    FromMonitor(mr, ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST));
}

void CExtPaintManager::QueryMonitorRectsForPoint(CExtMonitorRects& mr, POINT pt)
{
    FromMonitor(mr, ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST));
}

void CExtPaintManager::QueryMonitorRectsForWindow(CExtMonitorRects& mr, CWnd* pWnd)
{
    RECT rc{};
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
    QueryMonitorRects(mr, rc);
}

RECT CExtPaintManager::FitRectToMonitor(const RECT& rcIn, bool bUseWorkArea, bool bKeepInside)
{
    CExtMonitorRects mr;
    QueryMonitorRects(mr, rcIn);
    const RECT area = bUseWorkArea ? mr.m_rcWorkArea : mr.m_rcMonitor;
    RECT rc = rcIn;
    auto moveBy = [&rc](int dx, int dy) { ::OffsetRect(&rc, dx, dy); };
    if (rc.left >= area.right)
        moveBy(area.right - rc.right, 0);
    if (rc.top >= area.bottom)
        moveBy(0, area.bottom - rc.bottom);
    if (rc.right <= area.left)
        moveBy(area.left - rc.left, 0);
    if (rc.bottom <= area.top)
        moveBy(0, area.top - rc.top);
    if (bKeepInside) {
        if (rc.right > area.right)
            moveBy(area.right - rc.right, 0);
        if (rc.bottom > area.bottom)
            moveBy(0, area.bottom - rc.bottom);
        if (rc.left < area.left)
            moveBy(area.left - rc.left, 0);
        if (rc.top < area.top)
            moveBy(0, area.top - rc.top);
    }
    return rc;
}
