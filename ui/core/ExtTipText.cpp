#include "ui/core/ExtTipText.h"

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
