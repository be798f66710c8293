// The docking operations of a bar: nesting, docking next to a bar or into a ring, tabbing,
// floating, showing and auto-hide.
#include "ui/bars/ExtControlBar.h"

bool CExtControlBar::NestBarBeside(CExtControlBar* /*pBar*/, UINT /*nSide*/, int /*nPercent*/)
{
    return false;
}

void CExtControlBar::ToggleVisibility(bool /*bAllowHide*/)
{
    if (CFrameWnd* pFrame = GetDockSiteOrFrame())
        pFrame->ShowControlBar(this, !IsVisible(), FALSE);
}

CExtMiniDockFrameWnd* CExtControlBar::CreateFloatingFrame(DWORD /*dwStyle*/)
{
    AfxThrowResourceException();
    return nullptr;
}

bool CExtControlBar::FloatAt(int x, int y, DWORD dwStyle)
{
    if (m_pDockSite == nullptr)
        return false;
    m_pDockSite->FloatControlBar(this, CPoint(x, y), dwStyle);
    return true;
}

bool CExtControlBar::DockNextToBar(int /*nPercent*/, CExtControlBar* /*pTarget*/, UINT /*nSide*/,
                                   CFrameWnd* /*pFrame*/, bool /*bRecalc*/)
{
    return false;
}

bool CExtControlBar::DockBarBesideThis(CExtControlBar* /*pBar*/, bool /*bAlongRow*/, bool /*bSecond*/,
                                       CFrameWnd* /*pFrame*/, bool /*bRecalc*/)
{
    return false;
}

bool CExtControlBar::DockIntoDockBar(UINT nSideId, UINT /*nRing*/, CFrameWnd* pFrame, bool /*bRecalc*/)
{
    if (pFrame == nullptr)
        pFrame = m_pDockSite;
    if (pFrame == nullptr)
        return false;
    pFrame->DockControlBar(this, nSideId);
    return true;
}

bool CExtControlBar::DockIntoTabbedGroup(CExtControlBar* /*pBar*/, int /*nTabIndex*/, CFrameWnd* /*pFrame*/,
                                         bool /*bRecalc*/)
{
    return false;
}

bool CExtControlBar::SetAutoHideMode(CExtControlBar* /*pBar*/, bool /*bAutoHide*/, bool /*bReserved*/,
                                     bool /*bRecalc*/, bool /*bCloseSlider*/)
{
    return false;
}
