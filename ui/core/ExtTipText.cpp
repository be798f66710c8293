#include "ui/core/ExtTipText.h"

#include "ui/core/ExtPopupServices.h"

#include <cstdlib>
#include <cstring>

namespace
{
constexpr UINT_PTR TOOL_ID = 1;
}

void SetWindowTipText(CToolTipCtrl& tip, CWnd* pWnd, LPCSTR lpszText, bool bActivate, int nMaxWidth)
{
    if (lpszText == nullptr || *lpszText == '\0' || pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return;
    if (tip.m_hWnd == nullptr && !tip.Create(pWnd))
        return;
    if (tip.GetToolCount() == 0)
    {
        RECT rc;
        ::GetClientRect(pWnd->m_hWnd, &rc);
        tip.AddTool(pWnd, lpszText, &rc, TOOL_ID);
    }
    tip.Pop();
    tip.UpdateTipText(lpszText, pWnd, TOOL_ID);
    tip.SetMaxTipWidth(std::strchr(lpszText, '\r') != nullptr ? nMaxWidth : 0);
    tip.Activate(bActivate ? TRUE : FALSE);
}

bool TakeToolBarTip(CToolTipCtrl& tip, CWnd* pWnd, CPoint point, int nMaxWidth, HWND hWndHost)
{
    if (hWndHost == nullptr)
        hWndHost = pWnd->m_hWnd;
    const HWND hWndParent = hWndHost != nullptr ? ::GetParent(hWndHost) : nullptr;
    CWnd* pBar = PopupIsToolBarWindow(hWndParent) ? CWnd::FromHandlePermanent(hWndParent) : nullptr;
    if (pBar == nullptr)
        return false;
    ::ClientToScreen(pWnd->m_hWnd, &point);
    ::ScreenToClient(hWndParent, &point);
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    const bool bFound = pBar->OnToolHitTest(point, &info) != -1;
    const bool bOwnText = info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKA;
    if (bFound && bOwnText && (tip.m_hWnd == nullptr || !::IsWindowVisible(tip.m_hWnd)))
        SetWindowTipText(tip, pWnd, info.lpszText, true, nMaxWidth);
    if (bOwnText)
        ::free(info.lpszText);
    return true;
}
