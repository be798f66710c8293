// The notebook-style strip: pastel colour pairs, overlapping sloped tabs and the page coloured
// like the selected tab.
#include "ui/controls/ExtTabOneNoteWnd.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <array>

IMPLEMENT_DYNCREATE(CExtTabOneNoteWnd, CExtTabWnd)

namespace {
constexpr std::array<std::pair<COLORREF, COLORREF>, CExtTabOneNoteWnd::AUTO_COLOR_COUNT> AUTO_COLORS = {{
    {RGB(221, 230, 247), RGB(138, 168, 228)},
    {RGB(255, 244, 213), RGB(255, 216, 105)},
    {RGB(234, 240, 226), RGB(183, 201, 151)},
    {RGB(249, 225, 226), RGB(238, 149, 151)},
    {RGB(234, 227, 245), RGB(180, 158, 222)},
    {RGB(224, 236, 232), RGB(145, 186, 174)},
    {RGB(252, 233, 217), RGB(246, 176, 120)},
}};
constexpr int SPACING_LEADING = 1;
constexpr int SPACING_TRAILING = 2;
constexpr int SPACING_OUTER = 3;
constexpr int ITEM_GROWTH = 3;
constexpr int MIN_TEXT_ROOM = 16;
constexpr int HORZ_ICON_TEXT_GAP = 6;
constexpr int VERT_ICON_TEXT_GAP = 3;
constexpr int NO_ICON_INDENT = 4;
constexpr int OUTLINE_POINTS = 11;
constexpr int INNER_POINTS = 10;
constexpr int FILL_POINTS = 11;

// Points of a tab in strip terms: "along" runs with the strip, "across" grows towards the page.
struct StripPoint
{
    int along;
    int across;
};

// The tab's three outlines built for a top strip, with along = x and across = y, and mapped to
// the real orientation: a bottom strip mirrors across, a left strip exchanges the axes, a right
// strip exchanges and mirrors.
class NotebookShape
{
public:
    NotebookShape(const RECT& rcItem, int nOrientation, bool bFirst, bool bSloped)
        : m_nOrientation(nOrientation)
    {
        const bool bHorz = nOrientation <= static_cast<int>(CExtTabWnd::STYLE_ORIENT_BOTTOM);
        m_nAcross0 = bHorz ? rcItem.top : rcItem.left;
        m_nAcross1 = bHorz ? rcItem.bottom : rcItem.right;
        const int a0 = (bHorz ? rcItem.left : rcItem.top) + (bFirst ? 0 : 1);
        const int a1 = bHorz ? rcItem.right : rcItem.bottom;
        const int c0 = m_nAcross0;
        const int c1 = m_nAcross1;
        // The first tab keeps its slope inside its own, longer rectangle.
        const int s = bFirst ? CExtTabOneNoteWnd::SLOPE_LENGTH : 0;
        const int nSlopeOuter = bSloped ? a0 - 15 : a0;
        const int nSlopeOuterEnd = bSloped ? a0 - 16 : a0;
        const int nSlopeInner = bSloped ? a0 - 14 : a0;
        const StripPoint outline[OUTLINE_POINTS] = {
            {a1 + 1, c1},         {a1 + 1, c0 + 2},     {a1 - 1, c0},         {a0 + 5 + s, c0},
            {a0 + 4 + s, c0 + 1}, {a0 + 3 + s, c0 + 1}, {a0 + 2 + s, c0 + 2}, {a0 + 1 + s, c0 + 2},
            {a0 + s, c0 + 3},     {nSlopeOuter + s, c1 - 1}, {nSlopeOuterEnd + s, c1 - 1}};
        const StripPoint inner[INNER_POINTS] = {
            {a1, c1},             {a1, c0 + 2},         {a1 - 1, c0 + 1},     {a0 + 5 + s, c0 + 1},
            {a0 + 4 + s, c0 + 2}, {a0 + 3 + s, c0 + 2}, {a0 + 2 + s, c0 + 3}, {a0 + 1 + s, c0 + 3},
            {a0 + s, c0 + 4},     {nSlopeInner + s, c1 - 1}};
        // The fill covers the inner outline and reaches one pixel into the page.
        const StripPoint fill[FILL_POINTS] = {
            {a1, c1 + 1},         {a1, c0 + 2},         {a1 - 1, c0 + 1},     {a0 + 5 + s, c0 + 1},
            {a0 + 4 + s, c0 + 2}, {a0 + 3 + s, c0 + 2}, {a0 + 2 + s, c0 + 3}, {a0 + 1 + s, c0 + 3},
            {a0 + s, c0 + 4},     {nSlopeInner + s, c1 - 1}, {nSlopeInner + s, c1 + 1}};
        Map(outline, m_outline);
        Map(inner, m_inner);
        Map(fill, m_fill);
    }

    POINT m_outline[OUTLINE_POINTS];
    POINT m_inner[INNER_POINTS];
    POINT m_fill[FILL_POINTS];

private:
    template <size_t N>
    void Map(const StripPoint (&from)[N], POINT (&to)[N]) const
    {
        for (size_t i = 0; i < N; ++i) {
            const int nAcross = from[i].across;
            const int nMirrored = m_nAcross0 + m_nAcross1 - nAcross;
            switch (m_nOrientation) {
            case CExtTabWnd::STYLE_ORIENT_TOP: to[i] = POINT{from[i].along, nAcross}; break;
            case CExtTabWnd::STYLE_ORIENT_BOTTOM: to[i] = POINT{from[i].along, nMirrored}; break;
            case CExtTabWnd::STYLE_ORIENT_LEFT: to[i] = POINT{nAcross, from[i].along}; break;
            default: to[i] = POINT{nMirrored, from[i].along}; break;
            }
        }
    }

    int m_nOrientation;
    int m_nAcross0 = 0;
    int m_nAcross1 = 0;
};

void FrameRegion(CDC& dc, const POINT* pts, int nCount, COLORREF clr)
{
    CRgn rgn;
    CBrush brush;
    if (!rgn.CreatePolygonRgn(pts, nCount, ALTERNATE) || !brush.CreateSolidBrush(clr))
        return;
    dc.FrameRgn(&rgn, &brush, 1, 1);
}
} // namespace

CExtTabOneNoteWnd::TAB_ITEM_INFO_ONENOTE::TAB_ITEM_INFO_ONENOTE(CExtTabWnd* pOwner, TAB_ITEM_INFO* pPrev,
                                                                TAB_ITEM_INFO* pNext, LPCSTR lpszText, HICON hIcon,
                                                                bool bCopyIcon, DWORD dwFlags, LPARAM lParam,
                                                                COLORREF clrLight, COLORREF clrDark)
    : TAB_ITEM_INFO(pOwner, pPrev, pNext, lpszText, hIcon, bCopyIcon, dwFlags, lParam, nullptr)
    , m_clrLight(clrLight)
    , m_clrDark(clrDark)
{
}

void CExtTabOneNoteWnd::GetAutoColors(int nIndex, COLORREF& clrLight, COLORREF& clrDark)
{
    if (nIndex < 0) {
        clrLight = clrDark = g_PaintManagerHolder->ColorByIndex(COLOR_3DFACE);
        return;
    }
    clrLight = AUTO_COLORS[nIndex % AUTO_COLOR_COUNT].first;
    clrDark = AUTO_COLORS[nIndex % AUTO_COLOR_COUNT].second;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabOneNoteWnd::InsertTabItem(LPCSTR lpszText, HICON hIcon, bool bCopyIcon,
                                                            DWORD dwFlags, int nIndex, LPARAM lParam,
                                                            COLORREF clrLight, COLORREF clrDark, bool bRedraw)
{
    if (clrLight == AUTO_COLOR || clrDark == AUTO_COLOR)
        GetAutoColors(m_nNextColorIndex++, clrLight, clrDark);
    nIndex = ClampInsertIndex(nIndex);
    auto* pItem = new TAB_ITEM_INFO_ONENOTE(this, GetItemAt(nIndex - 1), GetItemAt(nIndex), lpszText, hIcon,
                                            bCopyIcon, dwFlags & ~(ITEM_SELECTED | ITEM_IN_GROUP_ACTIVE), lParam,
                                            clrLight, clrDark);
    return AdoptItem(pItem, nIndex, dwFlags, bRedraw);
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabOneNoteWnd::CreateItemObject(TAB_ITEM_INFO* pPrev, TAB_ITEM_INFO* pNext,
                                                               LPCSTR lpszText, HICON hIcon, bool bCopyIcon,
                                                               DWORD dwFlags, LPARAM lParam)
{
    COLORREF clrLight = 0, clrDark = 0;
    GetAutoColors(m_nNextColorIndex++, clrLight, clrDark);
    return new TAB_ITEM_INFO_ONENOTE(this, pPrev, pNext, lpszText, hIcon, bCopyIcon, dwFlags, lParam, clrLight,
                                     clrDark);
}

void CExtTabOneNoteWnd::MoveItemImpl(int nFrom, int nTo)
{
    MoveItemThrough(nFrom, nTo, [this](TAB_ITEM_INFO* pSource, LPCSTR lpszText, HICON hIcon, DWORD dwFlags,
                                       int nIndex, LPARAM lParam) {
        const auto* pNote = dynamic_cast<const TAB_ITEM_INFO_ONENOTE*>(pSource);
        COLORREF clrLight = AUTO_COLOR, clrDark = AUTO_COLOR;
        if (pNote != nullptr) {
            clrLight = pNote->GetColorLight();
            clrDark = pNote->GetColorDark();
        }
        return InsertTabItem(lpszText, hIcon, false, dwFlags, nIndex, lParam, clrLight, clrDark, false);
    });
}

void CExtTabOneNoteWnd::GetItemColors(int nIndex, bool bSelected, bool bHot, COLORREF* pclrOutline,
                                      COLORREF* pclrInnerOutline, COLORREF* pclrGradientStart,
                                      COLORREF* pclrGradientEnd, COLORREF* pclrText) const
{
    COLORREF clrOutline = 0, clrInner = 0, clrStart = 0, clrEnd = 0, clrText = 0;
    g_PaintManagerHolder->GetTabColorsOneNote(bSelected, bHot, clrOutline, clrInner, clrStart, clrEnd, clrText);
    const auto* pNote = dynamic_cast<const TAB_ITEM_INFO_ONENOTE*>(GetItemAt(nIndex));
    if (!bHot && pNote != nullptr) {
        clrStart = pNote->GetColorLight();
        clrEnd = pNote->GetColorDark();
    }
    for (auto [pOut, clr] : {std::pair{pclrOutline, clrOutline}, std::pair{pclrInnerOutline, clrInner},
                             std::pair{pclrGradientStart, clrStart}, std::pair{pclrGradientEnd, clrEnd},
                             std::pair{pclrText, clrText}})
        if (pOut != nullptr)
            *pOut = clr;
}

BOOL CExtTabOneNoteWnd::CreateTabWnd(CWnd* pParentWnd, const RECT& rc, UINT nDlgCtrlID, DWORD dwWindowStyle,
                                     DWORD dwTabStyle, CCreateContext* pContext)
{
    return CExtTabWnd::CreateTabWnd(pParentWnd, rc, nDlgCtrlID, dwWindowStyle, dwTabStyle, pContext);
}

void CExtTabOneNoteWnd::PreSubclassWindow()
{
    CExtTabWnd::PreSubclassWindow();
    if ((m_nStateFlags & STATE_CREATED) != 0)
        return;
    m_dwStripStyle = TEMPLATE_STYLE;
    m_nStateFlags |= STATE_LAYOUT_DIRTY;
}

bool CExtTabOneNoteWnd::RedrawsOnItemHover() const { return true; }

void CExtTabOneNoteWnd::GetItemSpacingMetrics(int& nLeading, int& nTrailing, int& nOuter)
{
    nLeading = SPACING_LEADING;
    nTrailing = SPACING_TRAILING;
    nOuter = SPACING_OUTER;
}

void CExtTabOneNoteWnd::AdjustItemSize(TAB_ITEM_INFO* pItem, CDC*, SIZE& size)
{
    const int nGrowth = ITEM_GROWTH + (FindItemIndex(pItem) == 0 ? SLOPE_LENGTH : 0);
    if (IsHorizontalLayout()) {
        size.cx += nGrowth;
        size.cy = TAB_THICKNESS;
    } else {
        size.cy += nGrowth;
        size.cx = TAB_THICKNESS;
    }
}

void CExtTabOneNoteWnd::DrawStripArea(CDC& dc, const RECT& rcClient, const RECT&, const RECT& rcOutside,
                                      int nOrientation, bool)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
    const bool bPalette = pPM->IsPaletteDisplay();
    const bool bHorz = nOrientation <= static_cast<int>(STYLE_ORIENT_BOTTOM);
    if (bPalette) {
        dc.FillSolidRect(&rcClient, pPM->ColorByIndex(COLOR_3DFACE));
    } else {
        const COLORREF clrHilight = pPM->ColorByIndex(COLOR_3DHILIGHT);
        const COLORREF clrLight = pPM->ColorByIndex(COLOR_3DLIGHT);
        // Top and right strips run from the highlight to the light colour, the others back.
        const bool bForward = nOrientation == static_cast<int>(STYLE_ORIENT_TOP) ||
                              nOrientation == static_cast<int>(STYLE_ORIENT_RIGHT);
        CExtPaintManager::FillGradientRect(dc, rcClient, bForward ? clrHilight : clrLight,
                                           bForward ? clrLight : clrHilight, bHorz);
    }
    if (::IsRectEmpty(&rcOutside))
        return;
    CRect rcLine(rcOutside);
    switch (nOrientation) {
    case STYLE_ORIENT_TOP: rcLine.bottom = rcLine.top + 1; break;
    case STYLE_ORIENT_BOTTOM: rcLine.top = rcLine.bottom - 1; break;
    case STYLE_ORIENT_LEFT: rcLine.right = rcLine.left + 1; break;
    default: rcLine.left = rcLine.right - 1; break;
    }
    COLORREF clrPage = 0;
    if (bPalette)
        clrPage = pPM->ColorByIndex(m_nSelIndex >= 0 ? COLOR_WINDOW : COLOR_3DFACE);
    else
        GetItemColors(m_nSelIndex, false, false, nullptr, nullptr, nullptr, &clrPage);
    dc.FillSolidRect(&rcOutside, clrPage);
    dc.FillSolidRect(&rcLine, pPM->ColorByIndex(COLOR_3DSHADOW));
}

void CExtTabOneNoteWnd::DrawTabItem(CDC& dc, const RECT&, int nIndex, TAB_ITEM_INFO*, bool, bool bHorizontal,
                                    bool bSelected, bool bCenteredText, bool bGroupMode, bool bInGroupActive,
                                    bool bInvertedVerticalText, const RECT& rcItem, SIZE, CFont* pFont,
                                    const CString& strText, CExtCmdIcon* pIcon)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
    const int nOrient = GetOrientation();
    const bool bFirst = nIndex == 0;
    TAB_ITEM_INFO* pGroupStart = GetItemAt(nIndex) != nullptr ? GetItemAt(nIndex)->FindGroupStart() : nullptr;
    const bool bSloped = bSelected || bFirst ||
                         (bGroupMode && pGroupStart != nullptr && FindItemIndex(pGroupStart) == nIndex);
    const NotebookShape shape(rcItem, nOrient, bFirst, bSloped);
    COLORREF clrOutline = 0, clrInner = 0, clrStart = 0, clrEnd = 0, clrText = 0;
    GetItemColors(nIndex, bSelected, nIndex == m_nHotCode, &clrOutline, &clrInner, &clrStart, &clrEnd, &clrText);

    CRgn rgnFill;
    if (rgnFill.CreatePolygonRgn(shape.m_fill, FILL_POINTS, ALTERNATE)) {
        const int nSaved = dc.SaveDC();
        dc.SelectClipRgn(&rgnFill, RGN_AND);
        CRect rcFill;
        rgnFill.GetRgnBox(&rcFill);
        if (pPM->IsPaletteDisplay()) {
            dc.FillSolidRect(&rcFill, pPM->ColorByIndex(bSelected ? COLOR_WINDOW : COLOR_3DFACE));
        } else {
            // The light colour lies away from the page, the dark one towards it.
            const bool bEndFirst = nOrient == static_cast<int>(STYLE_ORIENT_TOP) ||
                                   nOrient == static_cast<int>(STYLE_ORIENT_RIGHT);
            CExtPaintManager::FillGradientRect(dc, rcFill, bEndFirst ? clrEnd : clrStart, bEndFirst ? clrStart : clrEnd,
                                               bHorizontal);
        }
        dc.RestoreDC(nSaved);
    }
    FrameRegion(dc, shape.m_outline, OUTLINE_POINTS, clrOutline);
    FrameRegion(dc, shape.m_inner, INNER_POINTS, clrInner);

    CRect content(rcItem);
    content.DeflateRect(1, 1);
    if (bHorizontal)
        content.bottom -= 1;
    if (bFirst)
        (bHorizontal ? content.left : content.top) += SLOPE_LENGTH;
    const bool bIcon = pIcon != nullptr && !pIcon->HasNoImage() && (m_dwStripStyle & STYLE_NO_ICONS) == 0;
    if (!bIcon && !bCenteredText && bHorizontal)
        content.left += NO_ICON_INDENT;
    const SIZE sizeIcon = bIcon ? SIZE(pIcon->GetImageSize()) : SIZE{0, 0};
    const int nIconAlong = bHorizontal ? sizeIcon.cx : sizeIcon.cy;
    const int nGap = nIconAlong > 0 ? (bHorizontal ? HORZ_ICON_TEXT_GAP : VERT_ICON_TEXT_GAP) : 0;
    const int nRoom = (bHorizontal ? content.Width() : content.Height()) - nIconAlong - nGap;
    const bool bText = !strText.IsEmpty() && nRoom >= std::max(MIN_TEXT_ROOM, nIconAlong);
    CRect rcIcon(content.TopLeft(), sizeIcon);
    if (bHorizontal)
        rcIcon.OffsetRect(0, (content.Height() - sizeIcon.cy) / 2);
    else
        rcIcon.OffsetRect((content.Width() - sizeIcon.cx) / 2, 0);
    if (!bText && (!bGroupMode || bInGroupActive))
        rcIcon.OffsetRect(content.CenterPoint() - rcIcon.CenterPoint());
    if (bIcon) {
        RECT rcUnused{};
        pPM->DrawIconBesideText(dc, true, CString(), pIcon, rcIcon, rcUnused, false, true, false, 0, false);
    }
    if (!bText)
        return;
    CRect rcText(content);
    (bHorizontal ? rcText.left : rcText.top) += nIconAlong + nGap;
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(clrText);
    CFont* pOldFont = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    if (bHorizontal) {
        dc.DrawText(strText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (bCenteredText ? DT_CENTER : 0));
    } else {
        TEXTMETRICA tm{};
        ::GetTextMetricsA(dc.m_hDC, &tm);
        // The baseline lies half a line from the centre, on the side the glyphs do not grow to.
        const int x = rcText.CenterPoint().x + (bInvertedVerticalText ? 1 : -1) * tm.tmHeight / 2;
        int y = rcText.CenterPoint().y;
        if (!bCenteredText)
            y = bInvertedVerticalText ? rcText.bottom : rcText.top;
        const UINT nOldAlign = dc.SetTextAlign(bCenteredText ? TA_BASELINE | TA_CENTER : TA_BASELINE);
        dc.ExtTextOut(x, y, ETO_CLIPPED, &rcText, strText, nullptr);
        dc.SetTextAlign(nOldAlign);
    }
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
}
