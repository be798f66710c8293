// Frame docking set-up: the frame's outer dock bars and the framework's floating frames.
#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDockOuterBar.h"

using namespace ExtBarDetail;

bool CExtControlBar::InstallFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle, bool bUseFrameworkFloatingFrames)
{
    return InstallFrameDockingImpl(pFrame, dwDockStyle, bUseFrameworkFloatingFrames);
}

bool CExtControlBar::InstallFrameDockingImpl(CFrameWnd* pFrame, DWORD dwDockStyle, bool bUseFrameworkFloatingFrames)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return false;
    pFrame->EnableDocking(dwDockStyle);
    for (const AFX_DOCKBAR_SIDE& side : afxDockBarMap)
    {
        // Sides after one the style does not allow stay the platform's.
        if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY))
            return false;
        CControlBar* pOld = pFrame->GetControlBar(side.nID);
        if (pOld != nullptr && pOld->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
            continue;
        if (pOld != nullptr)
        {
            // Only dock bars the frame made itself are replaced: one its creator owns (and
            // deletes) stays, with the bars it holds.
            if (!pOld->m_bAutoDelete)
                continue;
            pFrame->RemoveControlBar(pOld);
            pOld->m_pDockSite = nullptr;
            pOld->DestroyWindow();
        }
        CExtDockOuterBar* pOuter = new CExtDockOuterBar;
        pOuter->m_bAutoDelete = TRUE;
        if (!pOuter->Create(pFrame, CExtDockBar::DOCKBAR_WINDOW_STYLE | side.dwStyle, side.nID))
        {
            if (pOuter->m_hWnd == nullptr)
                delete pOuter;
            return false;
        }
    }
    if (bUseFrameworkFloatingFrames)
        if (CRuntimeClass* pClass = CRuntimeClass::FromName(kMiniDockFrameWnd))
            pFrame->m_pFloatingFrameClass = pClass;
    return true;
}

bool CExtControlBar::RefreshControlContainerFlags(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return false;
    // No OLE control sites here: a window is a container only through its children.
    bool bContainer = false;
    for (HWND hChild = ::GetWindow(pWnd->m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (CWnd* pChild = PermanentOf(hChild))
            bContainer = RefreshControlContainerFlags(pChild) || bContainer;
    pWnd->m_nFlags = bContainer ? (pWnd->m_nFlags | WF_OLECTLCONTAINER) : (pWnd->m_nFlags & ~WF_OLECTLCONTAINER);
    CFrameWnd* pFrame = pWnd->AsFrameWnd();
    if (pFrame != nullptr && !IsKindOfNamed(pFrame, kMiniDockFrameWnd))
    {
        for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
        {
            CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
            if (pBar->m_hWnd == nullptr || !pBar->IsFloating() || pBar->IsDockBar())
                continue;
            CFrameWnd* pFloating = pBar->GetParentFrame();
            if (IsKindOfNamed(pFloating, kMiniDockFrameWnd))
                RefreshControlContainerFlags(pFloating);
        }
    }
    return bContainer;
}

bool CExtControlBar::HasAutoHideArea(CDockBar* pDockBar)
{
    return pDockBar != nullptr && pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)) &&
           static_cast<CExtDockBar*>(pDockBar)->GetAutoHideArea() != nullptr;
}

void CExtControlBar::ApplyFixedBarPlacement()
{
    FixedBarPlacement_t* pPlacement = GetFixedBarPlacement();
    if (pPlacement == nullptr || m_pDockBar == nullptr || !m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
        return;
    static_cast<CExtDockOuterBar*>(m_pDockBar)->ApplyBarPlacement(this, *pPlacement);
}
