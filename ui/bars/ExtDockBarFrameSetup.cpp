// Frame docking set-up: the frame's outer dock bars and the framework's floating frames.
#include "ui/bars/ExtControlBar.h"

bool CExtControlBar::InstallFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle, bool bUseFrameworkFloatingFrames)
{
    return InstallFrameDockingImpl(pFrame, dwDockStyle, bUseFrameworkFloatingFrames);
}

bool CExtControlBar::InstallFrameDockingImpl(CFrameWnd* pFrame, DWORD dwDockStyle, bool /*bUseFrameworkFloatingFrames*/)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return false;
    pFrame->EnableDocking(dwDockStyle);
    return true;
}

bool CExtControlBar::RefreshControlContainerFlags(CWnd* /*pWnd*/)
{
    return false;
}

bool CExtControlBar::HasAutoHideArea(CDockBar* /*pDockBar*/)
{
    return false;
}

void CExtControlBar::ApplyFixedBarPlacement() {}
