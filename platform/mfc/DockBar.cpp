#include "platform/mfc/DockBar.h"

#include "platform/mfc/FrameWnd.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar() = default;

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr)
        return FALSE;
    m_pDockSite = pParentWnd->IsFrameWnd() ? static_cast<CFrameWnd*>(pParentWnd) : nullptr;
    const RECT rc = {0, 0, 0, 0};
    return CWnd::Create("STATIC", "", dwStyle | WS_CHILD, rc, pParentWnd, nID);
}

BOOL CDockBar::IsDockBar() const { return TRUE; }

UINT CDockBar::GetDockSide() const
{
    return m_hWnd != nullptr ? static_cast<UINT>(::GetDlgCtrlID(m_hWnd)) : 0U;
}

int CDockBar::GetDockedCount() const { return 0; }
int CDockBar::GetDockedVisibleCount() const { return 0; }
CControlBar* CDockBar::GetDockedControlBar(int) const { return nullptr; }
void CDockBar::DockControlBar(CControlBar*, LPCRECT) {}
void CDockBar::ReDockControlBar(CControlBar*, LPCRECT) {}
BOOL CDockBar::RemoveControlBar(CControlBar*, int, int) { return FALSE; }
void CDockBar::RemovePlaceHolder(CControlBar*) {}
int CDockBar::FindBar(CControlBar*, int) { return -1; }
void CDockBar::ShowAll(BOOL) {}
CSize CDockBar::CalcFixedLayout(BOOL, BOOL) { return CSize(0, 0); }
void CDockBar::DoPaint(CDC*) {}
void CDockBar::DrawBorders(CDC*, CRect&) {}
void CDockBar::DrawGripper(CDC*, const CRect&) {}
LRESULT CDockBar::OnSizeParent(WPARAM, LPARAM) { return 0; }
void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}
void CDockBar::OnNcPaint() {}
void CDockBar::OnWindowPosChanging(WINDOWPOS*) {}
void CDockBar::OnPaint() {}
int CDockBar::Insert(CControlBar*, CRect, CPoint) { return 0; }
