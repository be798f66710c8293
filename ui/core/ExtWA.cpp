#include "ui/core/ExtWA.h"

#include "ui/core/ExtADLG.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtResDlg.h"
#include "ui/core/ExtWS.h"

#include <vector>

namespace
{
constexpr int PERCENT = 100;
constexpr UINT TRANSPARENT_CHILD_REDRAW =
    RDW_INVALIDATE | RDW_ERASE | RDW_VALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;
} // namespace

template <class TBase>
bool CExtWA<TBase>::AnchorItem(HWND hWndChild, int nLeftPercent, int nTopPercent, int nRightPercent,
                               int nBottomPercent)
{
    if ((nLeftPercent == -1 && nTopPercent == -1) || this->m_hWnd == nullptr || hWndChild == nullptr ||
        !::IsWindow(hWndChild) || !::IsChild(this->m_hWnd, hWndChild))
        return false;
    if (nRightPercent == -1 && nBottomPercent == -1)
    {
        nRightPercent = nLeftPercent;
        nBottomPercent = nTopPercent;
    }
    RECT rcClient = {0, 0, 0, 0};
    ::GetClientRect(this->m_hWnd, &rcClient);
    const int W = rcClient.right, H = rcClient.bottom;
    RECT rc = {0, 0, 0, 0};
    ::GetWindowRect(hWndChild, &rc);
    ::MapWindowPoints(nullptr, this->m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    AnchorRecord& record = m_anchors[hWndChild];
    record.nLeftPercent = nLeftPercent;
    record.nTopPercent = nTopPercent;
    record.nRightPercent = nRightPercent;
    record.nBottomPercent = nBottomPercent;
    record.nLeftOffset = rc.left - W * nLeftPercent / PERCENT;
    record.nTopOffset = rc.top - nTopPercent * H / PERCENT;
    record.nRightOffset = rc.right - nRightPercent * W / PERCENT;
    record.nBottomOffset = rc.bottom - H * nBottomPercent / PERCENT;
    return true;
}

template <class TBase>
bool CExtWA<TBase>::AnchorDialogItem(UINT nControlId, int nLeftPercent, int nTopPercent, int nRightPercent,
                                     int nBottomPercent)
{
    if ((nLeftPercent == -1 && nTopPercent == -1) || this->m_hWnd == nullptr)
        return false;
    HWND hChild = ::GetDlgItem(this->m_hWnd, static_cast<int>(nControlId));
    return hChild != nullptr && AnchorItem(hChild, nLeftPercent, nTopPercent, nRightPercent, nBottomPercent);
}

template <class TBase>
void CExtWA<TBase>::ArrangeLayout(int cx, int cy)
{
    if (this->m_hWnd == nullptr)
        return;
    if (cx < 0 || cy < 0)
    {
        RECT rcClient = {0, 0, 0, 0};
        ::GetClientRect(this->m_hWnd, &rcClient);
        cx = rcClient.right;
        cy = rcClient.bottom;
    }
    std::vector<HWND> gone;
    HDWP hDwp = ::BeginDeferWindowPos(static_cast<int>(m_anchors.size()));
    for (const auto& [hChild, record] : m_anchors)
    {
        if (!::IsWindow(hChild))
        {
            gone.push_back(hChild);
            continue;
        }
        const int x = ::MulDiv(cx, record.nLeftPercent, PERCENT) + record.nLeftOffset;
        const int y = ::MulDiv(cy, record.nTopPercent, PERCENT) + record.nTopOffset;
        const int width = ::MulDiv(cx, record.nRightPercent, PERCENT) + record.nRightOffset - x;
        const int height = ::MulDiv(cy, record.nBottomPercent, PERCENT) + record.nBottomOffset - y;
        if (CExtPaintManager::IsTransparentChildControl(hChild))
        {
            // It shows the dialog's background, which the batch would leave stale behind it.
            ::MoveWindow(hChild, x, y, width, height, TRUE);
            const RECT rcRedraw = {0, 0, width, height};
            ::RedrawWindow(hChild, &rcRedraw, nullptr, TRANSPARENT_CHILD_REDRAW);
        }
        else if (hDwp != nullptr)
            hDwp = ::DeferWindowPos(hDwp, hChild, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        else
            ::SetWindowPos(hChild, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (hDwp != nullptr)
        ::EndDeferWindowPos(hDwp);
    for (HWND hChild : gone)
        m_anchors.erase(hChild);
}

template <class TBase>
LRESULT CExtWA<TBase>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_GETMINMAXINFO:
    {
        if ((m_nWaFlags & FLAG_INITIALISED) == 0)
            return 0;
        auto* pInfo = reinterpret_cast<MINMAXINFO*>(lParam);
        if ((m_nWaFlags & FLAG_MIN_TRACKING) != 0)
            pInfo->ptMinTrackSize = {m_sizeMinTrack.cx, m_sizeMinTrack.cy};
        if ((m_nWaFlags & FLAG_MAX_TRACKING) != 0)
            pInfo->ptMaxTrackSize = {m_sizeMaxTrack.cx, m_sizeMaxTrack.cy};
        if ((m_nWaFlags & FLAG_MAXIMISED_PLACE) != 0)
        {
            pInfo->ptMaxPosition = m_ptMaximisedPos;
            pInfo->ptMaxSize = {m_sizeMaximised.cx, m_sizeMaximised.cy};
        }
        return 0;
    }
    case WM_SIZE:
    {
        const LRESULT lResult = TBase::WindowProc(message, wParam, lParam);
        if (wParam == SIZE_MINIMIZED)
            return lResult;
        if ((m_nWaFlags & FLAG_INITIALISED) != 0)
        {
            if (wParam != SIZE_MAXSHOW && wParam != SIZE_MAXHIDE)
                ArrangeLayout(LOWORD(lParam), HIWORD(lParam));
            return lResult;
        }
        // The size first shown is the smallest the user may make the window.
        RECT rcWindow = {0, 0, 0, 0};
        ::GetWindowRect(this->m_hWnd, &rcWindow);
        m_sizeMinTrack = {rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top};
        m_nWaFlags |= FLAG_INITIALISED;
        ArrangeLayout(LOWORD(lParam), HIWORD(lParam));
        return lResult;
    }
    case WM_DESTROY:
    case WM_NCDESTROY:
    {
        const LRESULT lResult = TBase::WindowProc(message, wParam, lParam);
        m_anchors.clear();
        return lResult;
    }
    default:
        return TBase::WindowProc(message, wParam, lParam);
    }
}

template class CExtWA<CExtWS<CExtADLG<CExtResDlg>, 301>>;
