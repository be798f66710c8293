// The dock bar inside a tabbed group: every page fills it, the selected one on top.
#include "ui/bars/ExtDynTabControlBar.h"

IMPLEMENT_DYNCREATE(CExtDockDynTabBar, CExtDockDynBar)

namespace {
constexpr UINT MEMBER_MOVE_FLAGS = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER;
} // namespace

CExtDockDynTabBar::CExtDockDynTabBar() = default;

CExtDockDynTabBar::~CExtDockDynTabBar() = default;

CExtDynTabControlBar* CExtDockDynTabBar::GetGroup() const
{
    CWnd* pParent = GetParent();
    return (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)))
               ? static_cast<CExtDynTabControlBar*>(pParent)
               : nullptr;
}

BOOL CExtDockDynTabBar::PreTranslateMessage(MSG* pMsg)
{
    if (CExtDynTabControlBar* pGroup = GetGroup(); pGroup != nullptr && pGroup->PreTranslateMessage(pMsg))
        return TRUE;
    return CExtDockDynBar::PreTranslateMessage(pMsg);
}

CSize CExtDockDynTabBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    return LayoutMembers(bStretch != FALSE);
}

CSize CExtDockDynTabBar::LayoutMembers(bool bRecalc)
{
    CRect rcWindow(0, 0, 0, 0);
    if (GetSafeHwnd() == nullptr)
        return rcWindow.Size();
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    CArray<CExtControlBar*, CExtControlBar*> members;
    CollectBars(members);
    if (members.GetSize() == 0)
        return rcWindow.Size();
    for (INT_PTR i = 0; i < members.GetSize(); ++i)
        if (bRecalc)
            members[i]->m_bNoSizeHandling = true;
    HDWP hDwp = ::BeginDeferWindowPos(static_cast<int>(members.GetSize()));
    for (INT_PTR i = 0; i < members.GetSize(); ++i) {
        const HWND hBar = members[i]->GetSafeHwnd();
        if (hDwp != nullptr)
            hDwp = ::DeferWindowPos(hDwp, hBar, nullptr, rcClient.left, rcClient.top, rcClient.Width(),
                                    rcClient.Height(), MEMBER_MOVE_FLAGS);
        if (hDwp == nullptr)
            ::SetWindowPos(hBar, nullptr, rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(),
                           MEMBER_MOVE_FLAGS);
    }
    if (hDwp != nullptr)
        ::EndDeferWindowPos(hDwp);
    if (bRecalc) {
        for (INT_PTR i = 0; i < members.GetSize(); ++i) {
            members[i]->m_bNoSizeHandling = false;
            members[i]->FitChildToClient(-1, -1, true);
        }
    }
    return rcWindow.Size();
}

void CExtDockDynTabBar::UpdateNestedLayout()
{
    if (m_bLayoutLocked)
        return;
    CExtDockDynBar::UpdateNestedLayout();
    CopyGroupSizesToMembers();
    if (CExtDynTabControlBar* pGroup = GetGroup())
        pGroup->EnsureSelection();
}

void CExtDockDynTabBar::CopyGroupSizesToMembers()
{
    CExtDynTabControlBar* pGroup = GetGroup();
    if (pGroup == nullptr)
        return;
    CArray<CExtControlBar*, CExtControlBar*> members;
    CollectBars(members);
    for (INT_PTR i = 0; i < members.GetSize(); ++i) {
        members[i]->m_sizeDockedHorz = pGroup->m_sizeDockedHorz;
        members[i]->m_sizeDockedVert = pGroup->m_sizeDockedVert;
        members[i]->m_sizeFloating = pGroup->m_sizeFloating;
    }
}

int CExtDockDynTabBar::CollectMembers(CArray<CExtControlBar*, CExtControlBar*>& arrBars) const
{
    CExtDynTabControlBar* pGroup = GetGroup();
    if (pGroup == nullptr || pGroup->m_wndTabSwitcher.GetSafeHwnd() == nullptr)
        return 0;
    const CExtDynTabWnd& strip = pGroup->m_wndTabSwitcher;
    for (int i = 0; i < strip.GetItemCount(); ++i)
        if (CExtControlBar* pBar = strip.GetBarAt(i, true))
            arrBars.Add(pBar);
    return strip.GetItemCount();
}
