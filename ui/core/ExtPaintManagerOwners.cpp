// What only the owners of a painting know. Popups, bars and tab windows belong to later layers;
// they are recognised by class name, and until they exist every answer here is the plain one.
// The layer that builds a class completes its answer here.
#include "ui/core/ExtPaintManager.h"

bool CExtDrawPushButtonArgs::IsRightToLeft() const
{
    return m_bForceRtl;
}

bool CExtDrawMenuItemArgs::IsRightToLeft() const
{
    return false;
}

namespace {
bool IsKindOfNamed(const CObject* pObject, LPCSTR pszClassName)
{
    const CRuntimeClass* pClass = pObject != nullptr ? CRuntimeClass::FromName(pszClassName) : nullptr;
    return pClass != nullptr && pObject->IsKindOf(pClass);
}
} // namespace

CExtPaintManager::BarOwnerHooks CExtPaintManager::g_BarOwnerHooks;

bool CExtPaintManager::IsBarDockedAtLeftOrRight(CObject* pBar)
{
    return g_BarOwnerHooks.pfnIsDockedAtLeftOrRight != nullptr && g_BarOwnerHooks.pfnIsDockedAtLeftOrRight(pBar);
}

bool CExtPaintManager::IsMenuBarKind(CObject* pBar) { return IsKindOfNamed(pBar, "CExtMenuControlBar"); }

CExtPaintManager::TabWindowQueries CExtPaintManager::g_TabWindowQueries;

DWORD CExtPaintManager::QueryTabWindowStyle(CObject* pTabWnd)
{
    return (pTabWnd != nullptr && g_TabWindowQueries.pfnStyle != nullptr) ? g_TabWindowQueries.pfnStyle(pTabWnd) : 0;
}

bool CExtPaintManager::IsDockMarkerWindowHovered(CObject* pMarkerWnd)
{
    return g_DockMarkerWindowHooks.pfnIsHovered != nullptr && g_DockMarkerWindowHooks.pfnIsHovered(pMarkerWnd);
}

int CExtPaintManager::QueryDockMarkerHoveredArm(CObject* pCentreWnd)
{
    return g_DockMarkerWindowHooks.pfnHoveredArm != nullptr ? g_DockMarkerWindowHooks.pfnHoveredArm(pCentreWnd) : -1;
}

bool CExtPaintManager::IsFrameworkBar(CObject* pObject) { return IsKindOfNamed(pObject, "CExtControlBar"); }

bool CExtPaintManager::IsToolBarKind(CObject* pObject) { return IsKindOfNamed(pObject, "CExtToolControlBar"); }

bool CExtPaintManager::IsStatusBarKind(CObject* pObject) { return IsKindOfNamed(pObject, "CExtStatusControlBar"); }

bool CExtPaintManager::IsPanelBarKind(CObject* pObject) { return IsKindOfNamed(pObject, "CExtPanelControlBar"); }

bool CExtPaintManager::IsAutoHideSliderKind(CObject* pObject)
{
    return IsKindOfNamed(pObject, "CExtDynAutoHideSlider");
}

bool CExtPaintManager::IsBarButtonKind(CObject* pObject) { return IsKindOfNamed(pObject, "CExtBarButton"); }

bool CExtPaintManager::IsBarFloating(CObject* pBar)
{
    return g_BarOwnerHooks.pfnIsFloating != nullptr && g_BarOwnerHooks.pfnIsFloating(pBar);
}

bool CExtPaintManager::IsBarFixedColumns(CObject*) { return false; }

bool CExtPaintManager::IsFixedSizeBarFrame(CObject* pOwner)
{
    return g_BarOwnerHooks.pfnIsFixedSizeBarFrame != nullptr && g_BarOwnerHooks.pfnIsFixedSizeBarFrame(pOwner);
}

bool CExtPaintManager::IsAvailableCaptionOptionsButton(CObject* pOwner)
{
    return g_BarOwnerHooks.pfnIsOptionsButtonAvailable != nullptr && g_BarOwnerHooks.pfnIsOptionsButtonAvailable(pOwner);
}

int CExtPaintManager::QueryPopupLastItemBandWidth(CObject*) { return -1; }

bool CExtPaintManager::IsLayoutRightToLeft() { return false; }

bool CExtPaintManager::QueryMenuBarGeometry(CObject* pMenuBar, MenuBarGeometry& geometry)
{
    if (!IsMenuBarKind(pMenuBar))
        return false;
    const HWND hBar = HwndOf(static_cast<CWnd*>(pMenuBar));
    if (hBar == nullptr || !::IsWindow(hBar))
        return false;
    ::GetClientRect(hBar, &geometry.rcBar);
    // The tracked button is the menu bar's to say; until it does, the caller takes the bar's row.
    geometry.rcButton.SetRectEmpty();
    geometry.bVertical = IsBarDockedAtLeftOrRight(pMenuBar);
    return true;
}

CWnd* CExtPaintManager::FindDockedBarAmongParents(CWnd* pWnd)
{
    for (HWND hWnd = HwndOf(pWnd); hWnd != nullptr && ::IsWindow(hWnd);) {
        CWnd* pCandidate = CWnd::FromHandlePermanent(hWnd);
        if (pCandidate != nullptr && IsFrameworkBar(pCandidate) && !IsBarFloating(pCandidate))
            return pCandidate;
        if ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            break;
        hWnd = ::GetParent(hWnd);
    }
    return nullptr;
}

CExtPaintManager::TabNeighbours CExtPaintManager::QueryTabNeighbours(CObject* pTabWnd, int nItemIndex)
{
    TabNeighbours n;
    if (pTabWnd != nullptr && g_TabWindowQueries.pfnNeighbours != nullptr &&
        g_TabWindowQueries.pfnNeighbours(pTabWnd, nItemIndex, n))
        return n;
    n.bFirst = nItemIndex == 0;
    n.bFirstInGroup = n.bFirst;
    return n;
}
