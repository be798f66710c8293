// Frames and layout: parent frames and owners and control bars placed by RepositionBars.
#include "platform/mfc/Wnd.h"

BOOL CWnd::IsFrameWnd() const
{
    return const_cast<CWnd*>(this)->AsFrameWnd() != nullptr;
}

CFrameWnd* CWnd::AsFrameWnd()
{
    return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    for (CWnd* pParent = GetParent(); pParent != nullptr; pParent = pParent->GetParent())
    {
        if (CFrameWnd* pFrame = pParent->AsFrameWnd())
            return pFrame;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    // The outermost frame among this window and its parents.
    CFrameWnd* pFrame = nullptr;
    for (CWnd* pWnd = const_cast<CWnd*>(this); pWnd->m_hWnd != nullptr; pWnd = pWnd->GetParent())
    {
        if (CFrameWnd* pFound = pWnd->AsFrameWnd())
            pFrame = pFound;
        if (pWnd->GetParent() == nullptr)
            break;
    }
    return pFrame;
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndParent = m_hWnd;
    for (HWND hWndT = hWndParent; hWndT != nullptr; hWndT = ::GetParent(hWndT))
    {
        hWndParent = hWndT;
        if (!(::GetWindowLongA(hWndT, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndOwner = m_hWnd;
    for (HWND hWndT = ::GetWindow(hWndOwner, GW_OWNER); hWndT != nullptr; hWndT = ::GetWindow(hWndOwner, GW_OWNER))
        hWndOwner = hWndT;
    return FromHandle(hWndOwner);
}

CWnd* CWnd::GetParentOwner() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    // The parent of a child, the owner of a pop-up, up to the first window that is not a child.
    HWND hWndParent = m_hWnd;
    HWND hWndT = nullptr;
    while ((::GetWindowLongA(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent)) != nullptr)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    if (lpLayout != nullptr && lpLayout->hDWP == nullptr)
        return;
    CRect rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    int cx = lpRect->right - lpRect->left;
    int cy = lpRect->bottom - lpRect->top;
    if (lpLayout != nullptr)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        GetClientRect(&layout.rect);
    UINT nMode = nFlags & ~reposNoPosLeftOver;
    layout.hDWP = nMode != reposQuery ? ::BeginDeferWindowPos(8) : nullptr;

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != nullptr)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nMode == reposQuery)
    {
        if (lpRectParam != nullptr)
        {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver != nullptr)
    {
        if (nMode == reposExtra && lpRectParam != nullptr)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (!(nFlags & reposNoPosLeftOver))
        {
            FromHandle(hWndLeftOver)->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}
