#include "platform/mfc/DockBar.h"

#include "platform/mfc/FrameWnd.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nSideId)
{
    if (pParentWnd == nullptr)
        return FALSE;
    m_pDockSite = pParentWnd->IsFrameWnd() ? static_cast<CFrameWnd*>(pParentWnd) : nullptr;
    const RECT rc = {0, 0, 0, 0};
    return CWnd::Create("STATIC", "", dwStyle | WS_CHILD, rc, pParentWnd, nSideId);
}

BOOL CDockBar::IsDockBar() const { return TRUE; }

UINT CDockBar::GetDockSide() const
{
    return m_hWnd != nullptr ? static_cast<UINT>(::GetDlgCtrlID(m_hWnd)) : 0U;
}
