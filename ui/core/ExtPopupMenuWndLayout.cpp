// The popup menu's item layout: numbering, measuring and which items show.
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuCmdUI.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include "platform/mfc/FrameWnd.h"

#include <algorithm>

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

namespace {

constexpr int MIN_ICON_AREA = 22;
constexpr int MIN_CONTENT_WIDTH = 80;
constexpr int MIN_WINDOW_EXTRA = 10;

int MarginOr(int nMargin, int nDefault)
{
    return nMargin >= 0 ? nMargin : nDefault;
}

int LeftMargin(const CExtPopupMenuWnd::MENUITEMDATA& item)
{
    return MarginOr(item.nMarginLeft, 1);
}
int TopMargin(const CExtPopupMenuWnd::MENUITEMDATA& item)
{
    return MarginOr(item.nMarginTop, 0);
}
int RightMargin(const CExtPopupMenuWnd::MENUITEMDATA& item)
{
    return MarginOr(item.nMarginRight, 1);
}
int BottomMargin(const CExtPopupMenuWnd::MENUITEMDATA& item)
{
    return MarginOr(item.nMarginBottom, 1);
}

void SetDisplayed(CExtPopupMenuWnd::MENUITEMDATA& item, bool bShow)
{
    using Item = CExtPopupMenuWnd::MENUITEMDATA;
    if (bShow)
        item.nFlagsA |= Item::A_DISPLAYED;
    else
        item.nFlagsA &= static_cast<BYTE>(~Item::A_DISPLAYED);
}

}  // namespace

void CExtPopupMenuWnd::RecalcLayout()
{
    // One icon column for every item.
    int nIconArea = MIN_ICON_AREA;
    for (const MENUITEMDATA& item : m_items) {
        if ((item.nFlagsA & MENUITEMDATA::A_BUTTON_STYLE) == 0)
            nIconArea = std::max(nIconArea, item.nIconAreaWidth);
    }
    for (MENUITEMDATA& item : m_items) {
        if ((item.nFlagsA & MENUITEMDATA::A_BUTTON_STYLE) != 0 || item.nIconAreaWidth >= nIconArea)
            continue;
        if (!item.IsSeparator())
            item.nWidth += nIconArea - item.nIconAreaWidth;
        item.nIconAreaWidth = nIconArea;
    }

    m_nMenuFlags &= static_cast<BYTE>(~MENU_HAS_EXPAND);
    const CExtPopupMenuWnd* pRoot = this;
    while (pRoot->m_pWndParentMenu != nullptr)
        pRoot = pRoot->m_pWndParentMenu;
    const bool bShowAll = !g_bHideRarelyUsedItems || (pRoot->m_dwTrackFlags & TRACK_SHOW_ALL) != 0 ||
                          (m_nMenuFlags & MENU_EXPANDED) != 0;
    int nIndex = 0;
    bool bAfterShown = false;
    MENUITEMDATA* pLastShown = nullptr;
    for (MENUITEMDATA& item : m_items) {
        item.nIndex = nIndex++;
        bool bShow = true;
        if (item.IsSubmenu() && item.pChild != nullptr) {
            item.pChild->RecalcLayout();
            bShow = bShowAll || item.IsCustom() || !item.pChild->IsEveryItemHidden();
        } else if (item.IsSeparator()) {
            bShow = bAfterShown;
        } else if (!bShowAll && !item.IsCustom() && item.pfnClick == nullptr) {
            bShow = !item.IsRarelyUsed();
        }
        SetDisplayed(item, bShow);
        if (!item.IsDisplayed())
            continue;
        bAfterShown = !item.IsSeparator();
        pLastShown = &item;
    }
    if (pLastShown != nullptr && pLastShown->IsSeparator())
        SetDisplayed(*pLastShown, false);

    CSize size(0, 0);
    for (const MENUITEMDATA& item : m_items) {
        if (!item.IsDisplayed()) {
            // Separators hidden for neatness hide no command.
            if (!item.IsSeparator())
                m_nMenuFlags |= MENU_HAS_EXPAND;
            continue;
        }
        size.cy += TopMargin(item) + BottomMargin(item) + item.nHeight;
        size.cx = std::max<LONG>(size.cx, LeftMargin(item) + RightMargin(item) + item.nWidth);
    }
    size.cx = std::max<LONG>(size.cx, MIN_CONTENT_WIDTH);
    m_sizeContent = size;
}

CSize CExtPopupMenuWnd::MeasureContent() const
{
    const int nShadow = GetShadowSize();
    const int nBorder = GetBorderSize();
    int cx = std::max<int>(m_sizeContent.cx + nShadow + 2 * nBorder + m_nLeftBandWidth, 2 * nShadow + MIN_WINDOW_EXTRA);
    int cy = m_sizeContent.cy + nShadow + 2 * nBorder;
    if ((m_nMenuFlags & MENU_HAS_EXPAND) != 0)
        cy += g_PaintManagerHolder->GetMenuCheckHeight();
    cy = std::max(cy, 2 * nShadow + MIN_WINDOW_EXTRA);
    const bool bAnyShown =
        std::any_of(m_items.begin(), m_items.end(), [](const MENUITEMDATA& item) { return item.IsDisplayed(); });
    const int nExtra = bAnyShown ? 1 : 2;
    return CSize(cx + nExtra, cy + nExtra);
}

void CExtPopupMenuWnd::GetContentRect(RECT* pRect) const
{
    if (pRect != nullptr)
        *pRect = m_rcMenu;
}

bool CExtPopupMenuWnd::GetItemRect(int nIndex, RECT* pRect, bool bInner) const
{
    if (pRect == nullptr)
        return false;
    ::SetRectEmpty(pRect);
    const RECT* pService = nIndex == SCROLL_UP_INDEX     ? &m_rcScrollUp
                           : nIndex == SCROLL_DOWN_INDEX ? &m_rcScrollDown
                           : nIndex == EXPAND_INDEX      ? &m_rcExpandButton
                                                         : nullptr;
    if (pService != nullptr) {
        *pRect = *pService;
        if (bInner && nIndex == EXPAND_INDEX)
            ::InflateRect(pRect, -1, 0);
        return !::IsRectEmpty(pRect);
    }
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr || !pItem->IsDisplayed())
        return false;
    const int nBorder = GetBorderSize();
    int y = nBorder + m_nScrollPos + 1;
    int nLastShown = -1;
    for (int i = 0; i < CountItems(); ++i) {
        if (m_items[static_cast<size_t>(i)].IsDisplayed())
            nLastShown = i;
    }
    for (int i = 0; i < nIndex; ++i) {
        const MENUITEMDATA& item = m_items[static_cast<size_t>(i)];
        if (item.IsDisplayed())
            y += item.nHeight + TopMargin(item) + BottomMargin(item);
    }
    const bool bButton = (pItem->nFlagsA & MENUITEMDATA::A_BUTTON_STYLE) != 0;
    const int nWidth = bButton ? pItem->nWidth + LeftMargin(*pItem) + RightMargin(*pItem) : m_sizeContent.cx;
    const int nBottomMargin = BottomMargin(*pItem) - (nIndex == nLastShown ? 1 : 0);
    CRect rc(nBorder, y, nBorder + nWidth, y + TopMargin(*pItem) + pItem->nHeight + nBottomMargin);
    if (bInner) {
        rc.left += LeftMargin(*pItem);
        rc.right -= RightMargin(*pItem);
        rc.top += TopMargin(*pItem);
        rc.bottom = rc.top + pItem->nHeight;
    }
    rc.OffsetRect(m_rcMenu.left + m_nLeftBandWidth, m_rcMenu.top);
    *pRect = rc;
    return true;
}

void CExtPopupMenuWnd::ComputeServiceButtonRects()
{
    m_rcScrollUp = {};
    m_rcScrollDown = {};
    m_rcExpandButton = {};
    const int nBorder = GetBorderSize();
    const int nButton = g_PaintManagerHolder->GetMenuCheckHeight();
    CRect rcInside(m_rcMenu);
    rcInside.DeflateRect(nBorder, nBorder);
    rcInside.left += m_nLeftBandWidth;
    int nBottom = rcInside.bottom;
    if ((m_nMenuFlags & MENU_HAS_EXPAND) != 0) {
        m_rcExpandButton = CRect(rcInside.left, nBottom - nButton - 1, rcInside.right, nBottom - 1);
        nBottom = m_rcExpandButton.top;
    }
    if ((m_nMenuFlags & MENU_SCROLLING) != 0) {
        m_rcScrollUp = CRect(rcInside.left + 1, rcInside.top + 1, rcInside.right - 1, rcInside.top + 1 + nButton);
        m_rcScrollDown = CRect(rcInside.left + 1, nBottom - nButton - 1, rcInside.right - 1, nBottom - 1);
    }
}

int CExtPopupMenuWnd::GetMinScrollPos() const
{
    int nPos = -(GetShadowSize() + m_sizeContent.cy + 2 * GetBorderSize() - (m_rcMenu.bottom - m_rcMenu.top));
    if ((m_nMenuFlags & MENU_HAS_EXPAND) != 0)
        nPos -= g_PaintManagerHolder->GetMenuCheckHeight();
    return std::min(nPos, 0);
}

CRect CExtPopupMenuWnd::ComputePlacement()
{
    PlacementInput in{};
    CExtMonitorRects mr;
    const bool bExcludeGiven = (m_nPlacementFlags & PLACEMENT_EXCLUDE_GIVEN) != 0;
    if (bExcludeGiven)
        CExtPaintManager::QueryMonitorRects(mr, m_rcExclude);
    else if (m_pWndParentMenu != nullptr && m_pWndParentMenu->IsWindowAlive())
        CExtPaintManager::QueryMonitorRectsForWindow(mr, m_pWndParentMenu);
    else
        CExtPaintManager::QueryMonitorRectsForPoint(mr, m_ptTrack);
    in.rcArea = g_bFitPopupsToWorkArea ? mr.m_rcWorkArea : mr.m_rcMonitor;
    in.ptTrack = m_ptTrack;
    in.size = MeasureContent();
    in.rcExclude = m_rcExclude;
    in.bExcludeGiven = bExcludeGiven;
    in.bCombined = (m_nPlacementFlags & PLACEMENT_COMBINED) != 0;
    in.bSubmenu = m_pWndParentMenu != nullptr;
    in.bTopLevel = IsTopLevel();
    in.bRightToLeft = IsRightToLeft();
    in.nAlign = static_cast<int>(m_dwTrackFlags & ALIGN_MASK);
    if (in.nAlign == 0 && !in.bCombined && m_pWndParentMenu != nullptr) {
        // A submenu opens on the side its parent went, left or right.
        const CExtPopupMenuWnd* pParent = m_pWndParentMenu;
        const CExtPopupMenuWnd* pGrand = pParent->m_pWndParentMenu;
        if ((pParent->m_dwTrackFlags & ALIGN_MASK) != 0) {
            in.nAlign = static_cast<int>(pParent->m_dwTrackFlags & ALIGN_MASK);
        } else if (pGrand != nullptr && pParent->IsWindowAlive() && pGrand->IsWindowAlive()) {
            CRect rcParent, rcGrand;
            ::GetWindowRect(pParent->m_hWnd, &rcParent);
            ::GetWindowRect(pGrand->m_hWnd, &rcGrand);
            in.nAlign = rcParent.CenterPoint().x < rcGrand.CenterPoint().x ? ALIGN_LEFT : ALIGN_RIGHT;
        }
    }
    // A combined submenu opens at its item's top-right corner: it lies right of the item and
    // overlaps it by its border like any menu placed right of its area.
    if (in.nAlign == 0 && in.bCombined && m_pWndParentMenu != nullptr)
        in.nAlign = ALIGN_RIGHT;
    in.nShadow = GetShadowSize();
    in.nBorder = GetBorderSize();
    const PlacementResult out = PlaceMenu(in);
    m_rcMenu = out.rcMenu;
    m_rcExcludeClient = out.rcExcludeClient;
    m_nCombinedSide = out.nSide;
    if (out.bScrolling)
        m_nMenuFlags |= MENU_SCROLLING;
    else
        m_nMenuFlags &= static_cast<BYTE>(~MENU_SCROLLING);
    m_nPlacementFlags = static_cast<BYTE>((out.bExcludeGiven ? PLACEMENT_EXCLUDE_GIVEN : 0) |
                                          (out.bCombined ? PLACEMENT_COMBINED : 0));
    return CRect(out.rcWindow);
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
