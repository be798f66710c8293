// Tab window layout: item measuring, placing items and buttons, scrolling, painting and the
// strip's place in a frame's layout.
#include "ui/controls/ExtTabWnd.h"

#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int MIN_ITEM_ALONG = 24;
constexpr int MIN_ITEM_ACROSS = 20;
constexpr int ICON_TEXT_GAP = 3;
constexpr int HORZ_TEXT_PADDING = 7;
constexpr int HORZ_HEIGHT_PADDING = 4;
constexpr int VERT_TEXT_GROWTH = 10;
constexpr int VERT_TEXT_HEIGHT_GROWTH = 2;
constexpr int VERT_WIDTH_PADDING = 4;
constexpr int VERT_LENGTH_PADDING = 17;
constexpr int GROUP_GAP = 20;
constexpr int GROUP_MODE_START = 10;
constexpr int MIN_STRIP_THICKNESS = 20;
constexpr int MIN_FIT_EXTENT = 24;
constexpr int MIN_BUTTON_SIDE = 12;
constexpr int BUTTON_GAP = 2;
constexpr int ENSURE_VISIBLE_MARGIN = 6;
constexpr int VISIBLE_RANGE_SLACK = 8;
// The band a strip takes from a frame's layout beyond its item area: 9 on the near sides
// (top, left), 8 on the far ones.
constexpr int SIZEPARENT_NEAR_BAND = 9;
constexpr int SIZEPARENT_FAR_BAND = 8;
constexpr UINT SWP_HIDE_STRIP = 0x287;
constexpr UINT SWP_FRAME_CHANGED_ONLY = 0x227;

int& Along(SIZE& s, bool bHorz) { return bHorz ? s.cx : s.cy; }
int& Across(SIZE& s, bool bHorz) { return bHorz ? s.cy : s.cx; }
} // namespace

void CExtTabWnd::TAB_ITEM_INFO::Measure(SIZE& sizeOut, CDC* pDC)
{
    CExtTabWnd* pOwner = m_pOwner;
    const bool bHorz = pOwner == nullptr || pOwner->IsHorizontalLayout();
    CClientDC* pTempDC = nullptr;
    if (pDC == nullptr) {
        pTempDC = new CClientDC(pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr ? pOwner : nullptr);
        pDC = pTempDC;
    }
    CFont* pFont = pOwner != nullptr ? pOwner->GetItemFont(IsSelected(), 0) : nullptr;
    const CRect rcText = CExtPaintManager::MeasureText(*pDC, pFont, GetText(), DT_SINGLELINE);
    m_sizeText = SIZE{rcText.Width(), rcText.Height()};
    m_sizeIcon = GetIconSize();
    SIZE size{};
    if (bHorz) {
        size.cx = m_sizeIcon.cx + (m_sizeIcon.cx > 0 ? ICON_TEXT_GAP : 0) + m_sizeText.cx + HORZ_TEXT_PADDING;
        size.cy = std::max(m_sizeText.cy, m_sizeIcon.cy) + HORZ_HEIGHT_PADDING;
        size.cx = std::max(size.cx, MIN_ITEM_ALONG);
        size.cy = std::max(size.cy, MIN_ITEM_ACROSS);
    } else {
        const SIZE sizeTextMeasured = m_sizeText;
        m_sizeText.cx += VERT_TEXT_GROWTH;
        m_sizeText.cy += VERT_TEXT_HEIGHT_GROWTH;
        size.cx = std::max(sizeTextMeasured.cy + VERT_TEXT_HEIGHT_GROWTH, m_sizeIcon.cx) + VERT_WIDTH_PADDING;
        size.cy = m_sizeIcon.cy + (m_sizeIcon.cy > 0 ? ICON_TEXT_GAP : 0) + sizeTextMeasured.cx + VERT_LENGTH_PADDING;
        size.cx = std::max(size.cx, MIN_ITEM_ACROSS);
        size.cy = std::max(size.cy, MIN_ITEM_ALONG);
    }
    if (pOwner != nullptr)
        pOwner->AdjustItemSize(this, pDC, size);
    delete pTempDC;
    m_sizeExtent = size;
    sizeOut = size;
}

void CExtTabWnd::AdjustItemSize(TAB_ITEM_INFO* pItem, CDC*, SIZE& size)
{
    g_PaintManagerHolder->GetTabItemShift(this, FindItemIndex(pItem), false, size);
}

void CExtTabWnd::GetItemSpacingMetrics(int& nLeading, int& nTrailing, int& nOuter)
{
    g_PaintManagerHolder->GetTabItemSpacingMetrics(this, &nLeading, &nTrailing, &nOuter);
}

SIZE CExtTabWnd::GetButtonSize() const
{
    const int nSide = std::max(
        std::min(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1, MIN_BUTTON_SIDE);
    return SIZE{nSide, nSide};
}

int CExtTabWnd::GetButtonsExtent(int nSide, int nGap) const
{
    int nButtons = 0;
    for (DWORD dw : {STYLE_CLOSE, STYLE_TAB_LIST, STYLE_HELP})
        nButtons += (m_dwStripStyle & dw) != 0 ? 1 : 0;
    if ((m_dwStripStyle & STYLE_FIT) == 0) {
        nButtons += ((m_dwStripStyle & STYLE_HOME) != 0 ? 1 : 0) + ((m_dwStripStyle & STYLE_END) != 0 ? 1 : 0);
        // Previous and Next always reserve room, even where they are left out later.
        nButtons += 2;
    }
    return nButtons > 0 ? nButtons * (nSide + nGap) + nGap : 0;
}

void CExtTabWnd::LayoutButtons(RECT& rcFirst, int nSide, int nGap)
{
    const bool bHorz = IsHorizontalLayout();
    CRect rc(rcFirst);
    auto place = [&](int nCode) {
        m_rcButtons[ButtonSlot(nCode)] = rc;
        if (bHorz)
            rc.OffsetRect(-(nSide + nGap), 0);
        else
            rc.OffsetRect(0, -(nSide + nGap));
    };
    if ((m_dwStripStyle & STYLE_CLOSE) != 0)
        place(HT_CLOSE);
    if ((m_dwStripStyle & STYLE_TAB_LIST) != 0)
        place(HT_TAB_LIST);
    if ((m_dwStripStyle & STYLE_HELP) != 0)
        place(HT_HELP);
    const bool bScrollButtons = (m_dwStripStyle & STYLE_FIT) == 0 &&
                                !(m_nScrollMax == 0 && (m_dwStripStyle & STYLE_SCROLL_ONLY_WHEN_NEEDED) != 0);
    if (bScrollButtons) {
        if ((m_dwStripStyle & STYLE_END) != 0)
            place(HT_END);
        place(HT_NEXT);
        place(HT_PREV);
        if ((m_dwStripStyle & STYLE_HOME) != 0)
            place(HT_HOME);
    }
    m_dwStripStyle &= ~(STYLE_PREV_ENABLED | STYLE_NEXT_ENABLED | STYLE_HOME_ENABLED | STYLE_END_ENABLED);
    if (m_nScrollMax > 0) {
        if (m_nScrollPos > 0)
            m_dwStripStyle |= STYLE_PREV_ENABLED | STYLE_HOME_ENABLED;
        if (m_nScrollPos < m_nScrollMax)
            m_dwStripStyle |= STYLE_NEXT_ENABLED | STYLE_END_ENABLED;
    }
}

int CExtTabWnd::ItemAreaLength() const
{
    const CRect rc(m_rcItemArea);
    return std::max(0, IsHorizontalLayout() ? rc.Width() : rc.Height());
}

int CExtTabWnd::ItemOffsetAlong() const
{
    return (IsHorizontalLayout() ? m_rcItemArea.left : m_rcItemArea.top) - m_nScrollPos;
}

CRect CExtTabWnd::GetItemClientRect(int nIndex) const
{
    const TAB_ITEM_INFO* pItem = GetItemAt(nIndex);
    if (pItem == nullptr || !pItem->IsVisible())
        return CRect(0, 0, 0, 0);
    CRect rc(pItem->m_rcItem);
    if (IsHorizontalLayout())
        rc.OffsetRect(ItemOffsetAlong(), 0);
    else
        rc.OffsetRect(0, ItemOffsetAlong());
    return rc;
}

void CExtTabWnd::ComputeItemLayout()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || (m_nStateFlags & STATE_LAYOUT_DIRTY) == 0)
        return;
    m_nStateFlags &= ~STATE_LAYOUT_DIRTY;
    ::SetRectEmpty(&m_rcItemArea);
    ::SetRectEmpty(&m_rcOutside);
    for (RECT& rc : m_rcButtons)
        ::SetRectEmpty(&rc);
    m_nFirstVisible = m_nLastVisible = -1;
    CRect rcClient(m_rcCustomClient);
    if (rcClient.IsRectEmpty())
        GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    m_rcItemArea = rcClient;

    const bool bHorz = IsHorizontalLayout();
    const bool bGrouped = IsGroupMode();
    const bool bFit = (m_dwStripStyle & STYLE_FIT) != 0 && !bGrouped;
    int nTotal = bGrouped ? GROUP_MODE_START : 0;
    int nThickness = 0;
    CClientDC dc(this);
    const int nCount = GetItemCount();
    int nVisibleMet = 0;
    for (int n = 0; n < nCount;) {
        TAB_ITEM_INFO* pItem = m_arrItems[n];
        if (!pItem->IsVisible()) {
            ::SetRectEmpty(&pItem->m_rcItem);
            ++n;
            continue;
        }
        SIZE size{};
        if (!bGrouped || (m_dwStripStyle & STYLE_GROUP_TEXT) != 0) {
            pItem->Measure(size, &dc);
            if (bGrouped && pItem->IsGroupStart() && nVisibleMet > 0)
                nTotal += GROUP_GAP;
            nTotal += Along(size, bHorz);
            nThickness = std::max(nThickness, Across(size, bHorz));
            ++nVisibleMet;
            ++n;
            continue;
        }
        // A group shows its active tab in full and the others with their icons only.
        int nFull = 0, nCollapsed = 0, nMembers = 0;
        int nEnd = n;
        for (int m = n; m < nCount && (m == n || !m_arrItems[m]->IsGroupStart()); ++m) {
            nEnd = m;
            TAB_ITEM_INFO* pMember = m_arrItems[m];
            if (!pMember->IsVisible()) {
                ::SetRectEmpty(&pMember->m_rcItem);
                continue;
            }
            pMember->Measure(size, &dc);
            const int nMemberFull = Along(size, bHorz);
            const int nIconAlong = bHorz ? pMember->m_sizeIcon.cx : pMember->m_sizeIcon.cy;
            const int nMemberCollapsed = nMemberFull - pMember->m_sizeText.cx - (nIconAlong > 0 ? ICON_TEXT_GAP : 0);
            nFull = std::max(nFull, nMemberFull);
            nCollapsed = std::max(nCollapsed, nMemberCollapsed);
            nThickness = std::max(nThickness, Across(size, bHorz));
            if (pMember->IsGroupStart() && nVisibleMet + nMembers > 0)
                nTotal += GROUP_GAP;
            ++nMembers;
        }
        if (nMembers > 0)
            nTotal += nFull + (nMembers - 1) * nCollapsed;
        for (int m = n; m <= nEnd; ++m) {
            TAB_ITEM_INFO* pMember = m_arrItems[m];
            if (pMember->IsVisible())
                Along(pMember->m_sizeExtent, bHorz) = pMember->IsInGroupActive() ? nFull : nCollapsed;
        }
        nVisibleMet += nMembers;
        n = nEnd + 1;
    }
    m_nTotalExtent = nTotal;

    int nLeading = 0, nTrailing = 0, nOuter = 0;
    GetItemSpacingMetrics(nLeading, nTrailing, nOuter);
    const int nSide = GetButtonSize().cx;
    const int nButtonsLength = GetButtonsExtent(nSide, BUTTON_GAP) + nTrailing;
    nThickness = std::max(nThickness, MIN_STRIP_THICKNESS);
    CRect area(m_rcItemArea);
    switch (GetOrientation()) {
    case STYLE_ORIENT_TOP:
        area.top += nOuter;
        area.bottom = std::min(area.top + nThickness, rcClient.bottom);
        if (area.bottom < rcClient.bottom)
            m_rcOutside = CRect(rcClient.left, area.bottom, rcClient.right, rcClient.bottom);
        break;
    case STYLE_ORIENT_BOTTOM:
        area.bottom -= nOuter;
        area.top = std::max(area.bottom - nThickness, rcClient.top);
        if (area.top > rcClient.top)
            m_rcOutside = CRect(rcClient.left, rcClient.top, rcClient.right, area.top);
        break;
    case STYLE_ORIENT_LEFT:
        area.left += nOuter;
        area.right = std::min(area.left + nThickness, rcClient.right);
        if (area.right < rcClient.right)
            m_rcOutside = CRect(area.right, rcClient.top, rcClient.right, rcClient.bottom);
        break;
    default:
        area.right -= nOuter;
        area.left = std::max(area.right - nThickness, rcClient.left);
        if (area.left > rcClient.left)
            m_rcOutside = CRect(rcClient.left, rcClient.top, area.left, rcClient.bottom);
        break;
    }
    if (bHorz) {
        area.left += nLeading;
        area.right = std::max(area.left, area.right - nButtonsLength);
    } else {
        area.top += nLeading;
        area.bottom = std::max(area.top, area.bottom - nButtonsLength);
    }
    m_rcItemArea = area;
    const int nLength = ItemAreaLength();

    // Fit mode shares the strip when the items do not fit (or always with equal extents); the
    // shared extents then decide how far the strip can scroll.
    int nShared = 0;
    if (bFit && m_nVisibleItemCount > 0 &&
        (nTotal - nLength > 0 || (m_dwStripStyle & STYLE_FIT_EQUAL) != 0)) {
        nShared = nLength / m_nVisibleItemCount;
        if (nShared <= MIN_FIT_EXTENT)
            nShared = MIN_FIT_EXTENT;
        nTotal = nShared * m_nVisibleItemCount;
    }
    m_nScrollMax = std::max(0, nTotal - nLength);
    m_nScrollPos = std::clamp(m_nScrollPos, 0, m_nScrollMax);

    CRect rcButton;
    if (bHorz) {
        rcButton.right = rcClient.right - nTrailing - BUTTON_GAP;
        rcButton.left = rcButton.right - nSide;
        rcButton.top = area.top + (area.Height() - nSide) / 2;
        rcButton.bottom = rcButton.top + nSide;
    } else {
        rcButton.bottom = rcClient.bottom - nTrailing - BUTTON_GAP;
        rcButton.top = rcButton.bottom - nSide;
        rcButton.left = area.left + (area.Width() - nSide) / 2;
        rcButton.right = rcButton.left + nSide;
    }
    LayoutButtons(rcButton, nSide, BUTTON_GAP);

    m_nStateFlags &= ~STATE_SHRUNK;
    int nPos = 0;
    bool bFirstPlaced = true;
    for (int n = 0; n < nCount; ++n) {
        TAB_ITEM_INFO* pItem = m_arrItems[n];
        if (!pItem->IsVisible())
            continue;
        pItem->m_nShrunk = 0;
        if (nShared > 0) {
            if (nShared < Along(pItem->m_sizeExtent, bHorz)) {
                pItem->m_nShrunk = 1;
                m_nStateFlags |= STATE_SHRUNK;
            }
            Along(pItem->m_sizeExtent, bHorz) = nShared;
        }
        if (bGrouped && pItem->IsGroupStart() && !bFirstPlaced)
            nPos += GROUP_GAP;
        bFirstPlaced = false;
        const SIZE& ext = pItem->m_sizeExtent;
        if (bHorz)
            pItem->m_rcItem = CRect(nPos, area.top, nPos + ext.cx, area.top + ext.cy);
        else
            pItem->m_rcItem = CRect(area.left, nPos, area.left + ext.cx, nPos + ext.cy);
        nPos += bHorz ? ext.cx : ext.cy;
    }

    for (int n = 0; n < nCount; ++n) {
        const TAB_ITEM_INFO* pItem = m_arrItems[n];
        if (!pItem->IsVisible())
            continue;
        const int nNear = (bHorz ? pItem->m_rcItem.left : pItem->m_rcItem.top) - m_nScrollPos;
        const int nFar = (bHorz ? pItem->m_rcItem.right : pItem->m_rcItem.bottom) - m_nScrollPos;
        if (m_nFirstVisible < 0 && nFar >= 0)
            m_nFirstVisible = n;
        if (nNear <= nLength + VISIBLE_RANGE_SLACK)
            m_nLastVisible = n;
    }
    if (m_nFirstVisible < 0 || m_nLastVisible < 0)
        m_nFirstVisible = m_nLastVisible = -1;
    else if (m_nLastVisible < m_nFirstVisible)
        m_nLastVisible = m_nFirstVisible;
}

bool CExtTabWnd::EnsureVisible(int nIndex, bool bRedraw)
{
    TAB_ITEM_INFO* pItem = GetItemAt(nIndex);
    if (pItem == nullptr)
        return false;
    if (!pItem->IsVisible()) {
        InvalidateLayout(bRedraw);
        return false;
    }
    ComputeItemLayout();
    if (m_nScrollMax > 0) {
        const bool bHorz = IsHorizontalLayout();
        const int nLength = ItemAreaLength();
        const int nNear = (bHorz ? pItem->m_rcItem.left : pItem->m_rcItem.top) - m_nScrollPos;
        const int nFar = (bHorz ? pItem->m_rcItem.right : pItem->m_rcItem.bottom) - m_nScrollPos;
        if (nFar > nLength + ENSURE_VISIBLE_MARGIN) {
            m_nScrollPos += nFar - nLength;
            m_nScrollPos += std::clamp(m_nScrollMax - m_nScrollPos, 0, ENSURE_VISIBLE_MARGIN);
        } else if (nNear < 0) {
            m_nScrollPos = std::max(0, m_nScrollPos + nNear - ENSURE_VISIBLE_MARGIN);
        }
        m_nScrollPos = std::clamp(m_nScrollPos, 0, m_nScrollMax);
    }
    InvalidateLayout(bRedraw);
    return true;
}

void CExtTabWnd::ScrollItems(int nStep, bool bSmooth)
{
    if (m_nScrollMax == 0 || ::IsRectEmpty(&m_rcItemArea) || m_nVisibleItemCount == 0 || nStep == 0)
        return;
    const int nLength = ItemAreaLength();
    const bool bByPage = (m_dwStripStyle & STYLE_SCROLL_BY_PAGE) != 0;
    if (nStep < 0) {
        if (m_nScrollPos == 0)
            return;
        if (!bSmooth) {
            m_nScrollPos = std::max(0, m_nScrollPos + nStep);
            InvalidateLayout(true);
            return;
        }
        m_nRemainingScroll = bByPage ? -nLength : -m_nScrollPos;
    } else {
        if (m_nScrollPos >= m_nScrollMax)
            return;
        if (!bSmooth) {
            m_nScrollPos = std::min(m_nScrollMax, m_nScrollPos + nStep);
            InvalidateLayout(true);
            return;
        }
        m_nRemainingScroll = bByPage ? nLength : m_nScrollMax - m_nScrollPos;
    }
    if (m_nRemainingScroll != 0)
        SetTimer(TIMER_SCROLL, SCROLL_PERIOD);
}

void CExtTabWnd::OnSmoothScrollTick()
{
    if (m_nRemainingScroll == 0) {
        KillTimer(TIMER_SCROLL);
        return;
    }
    const int nStep = std::clamp(m_nRemainingScroll, -SCROLL_STEP, SCROLL_STEP);
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
    ScrollItems(nStep, false);
    if (std::abs(m_nRemainingScroll) <= SCROLL_STEP)
        m_nRemainingScroll = 0;
    else
        m_nRemainingScroll -= m_nRemainingScroll > 0 ? SCROLL_STEP : -SCROLL_STEP;
    if (m_nRemainingScroll == 0)
        KillTimer(TIMER_SCROLL);
}

void CExtTabWnd::StopSmoothScroll()
{
    m_nRemainingScroll = 0;
    if (m_hWnd != nullptr)
        KillTimer(TIMER_SCROLL);
}

void CExtTabWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_SCROLL)
        OnSmoothScrollTick();
    else if (nIDEvent == TIMER_HOVER_SELECT)
        OnHoverSelectTimer();
    else
        CWnd::OnTimer(nIDEvent);
}

// --- Painting ---------------------------------------------------------------------------------

void CExtTabWnd::OnPaint()
{
    PAINTSTRUCT ps{};
    CDC* pPaintDC = BeginPaint(&ps);
    if (pPaintDC == nullptr)
        return;
    CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
    CRuntimeClass* pClass = pPM->GetRuntimeClass();
    if (pClass != m_pPaintManagerClass) {
        m_pPaintManagerClass = pClass;
        m_nStateFlags |= STATE_LAYOUT_DIRTY;
    }
    ComputeItemLayout();
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.IsRectEmpty()) {
        // A DIB-section buffer keeps the many small icon and gradient blits in process.
        CExtMemoryDC dc(pPaintDC, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_DIB_SECTION);
        PaintStrip(dc, rcClient);
    }
    EndPaint(&ps);
    pPM->NotifyPaintDone(this, 0);
}

void CExtTabWnd::PaintStrip(CDC& dc, const RECT& rcClient)
{
    const bool bHorz = IsHorizontalLayout();
    const bool bGrouped = IsGroupMode();
    const int nOrient = GetOrientation();
    const bool bTopLeft = nOrient == static_cast<int>(STYLE_ORIENT_TOP) || nOrient == static_cast<int>(STYLE_ORIENT_LEFT);
    DrawStripArea(dc, rcClient, m_rcItemArea, m_rcOutside, nOrient, bGrouped);
    if (GetItemCount() > 0 && m_nVisibleItemCount > 0 && m_nFirstVisible >= 0) {
        CRect rcClip(m_rcItemArea);
        if (bHorz) {
            rcClip.InflateRect(1, bGrouped ? 1 : 0);
            (bTopLeft ? rcClip.bottom : rcClip.top) += bTopLeft ? 1 : -1;
        } else {
            rcClip.InflateRect(bGrouped ? 1 : 0, 1);
            (bTopLeft ? rcClip.right : rcClip.left) += bTopLeft ? 1 : -1;
        }
        for (int n = m_nFirstVisible; n <= m_nLastVisible; ++n) {
            TAB_ITEM_INFO* pItem = m_arrItems[n];
            const CRect rcItem = GetItemClientRect(n);
            if (!pItem->IsVisible() || !dc.RectVisible(&rcItem))
                continue;
            const int nSaved = dc.SaveDC();
            dc.IntersectClipRect(&rcClip);
            DrawTabItem(dc, m_rcItemArea, n, pItem, bTopLeft, bHorz, pItem->IsSelected(),
                        (m_dwStripStyle & STYLE_CENTER_TEXT) != 0, bGrouped, pItem->IsInGroupActive(),
                        (m_dwStripStyle & STYLE_INVERT_VERT_FONT) != 0, rcItem, pItem->m_sizeText,
                        GetItemFont(pItem->IsSelected(), nOrient), pItem->GetText(), pItem->GetIcon());
            dc.RestoreDC(nSaved);
        }
    }
    POINT ptCursor{-1, -1};
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    for (int nCode = HT_PREV; nCode >= HT_END; --nCode) {
        const RECT& rc = GetButtonRect(nCode);
        if (::IsRectEmpty(&rc) || !dc.RectVisible(&rc))
            continue;
        const bool bEnabled = IsButtonEnabled(nCode);
        DrawStripButton(dc, rc, nCode, bTopLeft, bHorz, bEnabled, bEnabled && ::PtInRect(&rc, ptCursor) != FALSE,
                        IsButtonPressed(nCode), bGrouped);
    }
}

void CExtTabWnd::DrawStripArea(CDC& dc, const RECT& rcClient, const RECT&, const RECT& rcOutside, int nOrientation,
                               bool bGroupMode)
{
    // The paint manager draws the band the tabs stand in, with its base line towards the rest.
    CRect rcBand(rcClient);
    if (!::IsRectEmpty(&rcOutside))
        rcBand.SubtractRect(&rcClient, &rcOutside);
    g_PaintManagerHolder->DrawTabStripArea(dc, rcClient, 0, rcBand, nOrientation, bGroupMode, this, 0);
}

void CExtTabWnd::DrawTabItem(CDC& dc, const RECT& rcItemArea, int nIndex, TAB_ITEM_INFO*, bool bTopLeft,
                             bool bHorizontal, bool bSelected, bool bCenteredText, bool bGroupMode,
                             bool bInGroupActive, bool bInvertedVerticalText, const RECT& rcItem, SIZE sizeText,
                             CFont* pFont, const CString& strText, CExtCmdIcon* pIcon)
{
    if ((m_dwStripStyle & STYLE_NO_ICONS) != 0)
        pIcon = nullptr;
    g_PaintManagerHolder->DrawTabItem(dc, rcItemArea, bTopLeft, bHorizontal, bSelected, bCenteredText, bGroupMode,
                                      bInGroupActive, bInvertedVerticalText, rcItem, sizeText, pFont, strText, pIcon,
                                      this, nIndex);
}

void CExtTabWnd::DrawStripButton(CDC& dc, const RECT& rc, int nCode, bool, bool bHorizontal, bool bEnabled,
                                 bool bHot, bool bPressed, bool)
{
    g_PaintManagerHolder->DrawTabStripButton(dc, rc, nCode, bHorizontal, bEnabled, bHot, bPressed, this, 0);
}

// --- Frame layout -----------------------------------------------------------------------------

void CExtTabWnd::OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout)
{
    if (pLayout == nullptr)
        return;
    const CRect rcLayout(pLayout->rect);
    if (rcLayout.IsRectEmpty() && pLayout->hDWP != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_HIDE_STRIP);
        return;
    }
    UpdateStripVisibility();
    if ((GetStyle() & WS_VISIBLE) == 0)
        return;
    m_rcCustomClient = rcLayout;
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
    ComputeItemLayout();
    ::SetRectEmpty(&m_rcCustomClient);
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
    const CRect area(m_rcItemArea);
    if (area.IsRectEmpty())
        return;
    int nOrient = GetOrientation();
    CWnd* pParent = GetParent();
    if (pParent != nullptr && (pParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0) {
        if (nOrient == static_cast<int>(STYLE_ORIENT_LEFT))
            nOrient = STYLE_ORIENT_RIGHT;
        else if (nOrient == static_cast<int>(STYLE_ORIENT_RIGHT))
            nOrient = STYLE_ORIENT_LEFT;
    }
    CRect band(rcLayout);
    int nBand = 0;
    switch (nOrient) {
    case STYLE_ORIENT_TOP:
        nBand = area.Height() + SIZEPARENT_NEAR_BAND;
        band.bottom = band.top + nBand;
        pLayout->rect.top += nBand;
        break;
    case STYLE_ORIENT_BOTTOM:
        nBand = area.Height() + SIZEPARENT_FAR_BAND;
        band.top = band.bottom - nBand;
        pLayout->rect.bottom -= nBand;
        break;
    case STYLE_ORIENT_LEFT:
        nBand = area.Width() + SIZEPARENT_NEAR_BAND;
        band.right = band.left + nBand;
        pLayout->rect.left += nBand;
        break;
    default:
        nBand = area.Width() + SIZEPARENT_FAR_BAND;
        band.left = band.right - nBand;
        pLayout->rect.right -= nBand;
        break;
    }
    if (nOrient <= static_cast<int>(STYLE_ORIENT_BOTTOM)) {
        pLayout->sizeTotal.cy += nBand;
        pLayout->sizeTotal.cx = std::max<LONG>(pLayout->sizeTotal.cx, band.Width());
    } else {
        pLayout->sizeTotal.cx += nBand;
        pLayout->sizeTotal.cy = std::max<LONG>(pLayout->sizeTotal.cy, band.Height());
    }
    if (pLayout->hDWP != nullptr) {
        AfxRepositionWindow(pLayout, m_hWnd, &band);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_FRAME_CHANGED_ONLY);
        InvalidateLayout(true);
    }
}
