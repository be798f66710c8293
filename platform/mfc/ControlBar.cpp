#include "platform/mfc/ControlBar.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BOOL CControlBar::IsDockBar() const { return FALSE; }
