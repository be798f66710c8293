// The popup menu's item layout: numbering, measuring and which items show.
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuCmdUI.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include "platform/mfc/FrameWnd.h"

int CExtPopupMenuWnd::GetBorderSize() const
{
    return g_PaintManagerHolder->GetMenuBorderMetric();
}

void CExtPopupMenuWnd::ResetTrackingMembers()
{
    PickAnimationType();
    m_nMenuFlags &= static_cast<BYTE>(~(MENU_TOP_LEVEL | MENU_SCROLLING | MENU_HAS_EXPAND | MENU_EXPANDED));
    m_nScrollPos = 0;
    m_dwTrackFlags = 0;
    m_nExpandHoverCount = 0;
    m_nCurrentItem = -1;
    m_nPendingSubmenuItem = -1;
    m_nHoverItem = -1;
    m_nScrollDirection = 0;
    m_rcScrollUp = {};
    m_rcScrollDown = {};
    m_rcExpandButton = {};
    m_nCombinedSide = SIDE_NONE;
}

void CExtPopupMenuWnd::RecalcLayout()
{
    const CExtPopupMenuWnd* pRoot = this;
    while (pRoot->m_pWndParentMenu != nullptr)
        pRoot = pRoot->m_pWndParentMenu;
    const bool bShowAll = !g_bHideRarelyUsedItems || (pRoot->m_dwTrackFlags & TRACK_SHOW_ALL) != 0 ||
                          (m_nMenuFlags & MENU_EXPANDED) != 0;
    bool bHidden = false;
    int nIndex = 0;
    for (MENUITEMDATA& item : m_items) {
        item.nIndex = nIndex++;
        const bool bShow = item.IsSeparator() || bShowAll || !item.IsRarelyUsed();
        if (bShow) {
            item.nFlagsA |= MENUITEMDATA::A_DISPLAYED;
        } else {
            item.nFlagsA &= static_cast<BYTE>(~MENUITEMDATA::A_DISPLAYED);
            bHidden = bHidden || !item.IsDisplayed();
        }
    }
    // Separators at either end or after another shown separator would show as lines alone.
    bool bAfterSeparator = true;
    MENUITEMDATA* pLastSeparator = nullptr;
    for (MENUITEMDATA& item : m_items) {
        if (!item.IsDisplayed())
            continue;
        if (!item.IsSeparator()) {
            bAfterSeparator = false;
            pLastSeparator = nullptr;
        } else if (bAfterSeparator) {
            item.nFlagsA &= static_cast<BYTE>(~MENUITEMDATA::A_DISPLAYED);
        } else {
            bAfterSeparator = true;
            pLastSeparator = &item;
        }
    }
    if (pLastSeparator != nullptr)
        pLastSeparator->nFlagsA &= static_cast<BYTE>(~MENUITEMDATA::A_DISPLAYED);
    if (bHidden)
        m_nMenuFlags |= MENU_HAS_EXPAND;
    else
        m_nMenuFlags &= static_cast<BYTE>(~MENU_HAS_EXPAND);
}

void CExtPopupMenuWnd::UpdateItemsCommandUI()
{
    if (IsTopLevel() && (m_dwTrackFlags & TRACK_NO_CMD_UI) != 0)
        return;
    bool bRelayout = false;
    for (size_t i = 0; i < m_items.size(); ++i) {
        MENUITEMDATA& item = m_items[i];
        if (item.IsCustom() || item.IsSeparator())
            continue;
        if (item.IsSubmenu()) {
            if (item.pChild != nullptr)
                item.pChild->UpdateItemsCommandUI();
            continue;
        }
        if (item.pfnClick != nullptr) {
            bRelayout = true;
            continue;
        }
        if (item.RefreshFromCommand())
            item.ComputeItemSize();
        if (CExtCmdManager::IsSystemCommandId(item.nCmdId) || CExtCmdManager::IsMdiWindowListId(item.nCmdId))
            continue;
        CWnd* pTarget = CWnd::FromHandlePermanent(item.hWndCmdTarget);
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
        if (pFrame == nullptr && pTarget != nullptr)
            pFrame = pTarget->GetParentFrame();
        if (pFrame == nullptr)
            continue;
        CExtPopupMenuCmdUI cmdUI(*this, item, static_cast<UINT>(i));
        cmdUI.DoUpdate(pFrame, TRUE);
    }
    if (bRelayout)
        RecalcLayout();
}
