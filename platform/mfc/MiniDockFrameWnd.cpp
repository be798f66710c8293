#include "platform/mfc/MiniDockFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CWnd*, DWORD) { return FALSE; }
void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) { CMiniFrameWnd::RecalcLayout(bNotify); }
void CMiniDockFrameWnd::OnClose() {}
void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) { CMiniFrameWnd::OnNcLButtonDown(nHitTest, point); }
void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) { CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point); }
int CMiniDockFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    return CMiniFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}
