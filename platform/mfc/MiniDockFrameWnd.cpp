#include "platform/mfc/MiniDockFrameWnd.h"

#include "platform/mfc/DockContext.h"

namespace
{
constexpr DWORD kFloatingFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME |
                                      MFS_SYNCACTIVE | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
}

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    // No layout while the dock bar is missing.
    m_bInRecalcLayout = TRUE;
    DWORD dwStyle = kFloatingFrameStyle;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~MFS_MOVEFRAME;
    const RECT rc = {0, 0, 0, 0};
    if (!CMiniFrameWnd::CreateEx(0, nullptr, "", dwStyle, rc, pParent))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    const DWORD dwDockStyle = ((dwBarStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP) |
                              (dwBarStyle & (CBRS_FLOAT_MULTI | CBRS_SIZE_DYNAMIC));
    // Made as a child of the dock site so that it joins the site's bar list, then moved in here.
    CWnd* pSite = pParent != nullptr ? pParent : this;
    if (!m_wndDockBar.Create(pSite, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    CMiniFrameWnd::RecalcLayout(bNotify);
    if (m_hWnd == nullptr || m_wndDockBar.m_hWnd == nullptr)
        return;
    char szTitle[MAX_PATH] = "";
    ::GetWindowTextA(m_wndDockBar.m_hWnd, szTitle, sizeof szTitle);
    char szOwn[MAX_PATH] = "";
    ::GetWindowTextA(m_hWnd, szOwn, sizeof szOwn);
    if (lstrcmpA(szTitle, szOwn) != 0)
        ::SetWindowTextA(m_hWnd, szTitle);
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const
{
    for (INT_PTR i = 1; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(static_cast<int>(i)))
            return pBar;
    return nullptr;
}

void CMiniDockFrameWnd::OnClose()
{
    m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    CDockContext* pContext = pBar != nullptr ? pBar->m_pDockContext : nullptr;
    if (pContext != nullptr && nHitTest == HTCAPTION && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI))
    {
        if (CWnd* pTop = GetTopLevelParent())
            pTop->SetActiveWindow();
        BringWindowToTop();
        pContext->StartDrag(point);
        return;
    }
    if (pContext != nullptr && nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT &&
        (m_wndDockBar.m_dwStyle & CBRS_SIZE_DYNAMIC))
    {
        pContext->StartResize(static_cast<int>(nHitTest), point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr &&
        !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI))
    {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
