#include "platform/mfc/ControlBar.h"

#include "platform/mfc/DockContext.h"
#include "platform/mfc/DockState.h"
#include "platform/mfc/FrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    delete m_pDockContext;
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

CRect CControlBar::GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
void CControlBar::SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
void CControlBar::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
CFrameWnd* CControlBar::GetDockingFrame() const { return GetParentFrame(); }
BOOL CControlBar::IsFloating() const { return FALSE; }
BOOL CControlBar::IsVisible() const { return IsWindowVisible(); }
BOOL CControlBar::IsDockBar() const { return FALSE; }
CSize CControlBar::CalcFixedLayout(BOOL, BOOL) { return CSize(0, 0); }
CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}
void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
void CControlBar::CalcInsideRect(CRect&, BOOL) const {}
void CControlBar::DoPaint(CDC*) {}
void CControlBar::DrawBorders(CDC*, CRect&) {}
void CControlBar::DrawGripper(CDC*, const CRect&) {}
void CControlBar::DelayShow(BOOL) {}
DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS*) { return m_dwStyle; }
void CControlBar::GetBarInfo(CControlBarInfo*) {}
void CControlBar::SetBarInfo(CControlBarInfo*, CFrameWnd*) {}
BOOL CControlBar::PreCreateWindow(CREATESTRUCTA& cs) { return CWnd::PreCreateWindow(cs); }
LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CWnd::WindowProc(message, wParam, lParam);
}
void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}
int CControlBar::OnCreate(LPCREATESTRUCTA) { return 0; }
void CControlBar::OnDestroy() {}
void CControlBar::OnPaint() {}
void CControlBar::OnNcPaint() {}
void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}
void CControlBar::OnWindowPosChanging(WINDOWPOS*) {}
void CControlBar::OnLButtonDown(UINT, CPoint) {}
void CControlBar::OnLButtonDblClk(UINT, CPoint) {}
LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM) { return 0; }
LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM) { return 0; }
LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM, LPARAM) { return 0; }
