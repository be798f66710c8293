// The chevron: a narrow button at the far end of a docked tool bar.
#include "ui/bars/ExtBarContentExpandButton.h"

#include "ui/bars/ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtBarContentExpandButton, CExtBarButton)

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar) : CExtBarButton(pBar, CMD_ID, 0) {}

CSize CExtBarContentExpandButton::CalculateLayout(CDC&, CSize sizePreset, bool bHorz)
{
    m_size = bHorz ? CSize(EXTENT, sizePreset.cy) : CSize(sizePreset.cx, EXTENT);
    return m_size;
}

bool CExtBarContentExpandButton::PutToPopupMenu(CExtPopupMenuWnd*) { return false; }

bool CExtBarContentExpandButton::IsNoCtrlButton() { return false; }
