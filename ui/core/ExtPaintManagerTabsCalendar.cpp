// Classic drawing of tab strips and the date picker's parts.
#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtPaintGlyphSet.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF ONENOTE_TEXT = RGB(0, 0, 128);
constexpr COLORREF ONENOTE_FILL_FROM = RGB(179, 179, 217);
constexpr COLORREF ONENOTE_FILL_TO = RGB(233, 233, 244);
constexpr int GRIP_DOT_COUNT = 9;
constexpr int GRIP_DOT_STEP = 4;
constexpr int GRIP_ROW_WIDTH = 36;
constexpr int LARGE_LABEL_HEIGHT = 20;
constexpr int LARGE_LABEL_WEIGHT = 700;
constexpr int LARGE_LABEL_INDENT = 4;
constexpr int PLAIN_LABEL_INDENT = 7;
constexpr char LARGE_LABEL_FACE[] = "Arial";

int TabButtonGlyph(int nButton, bool bHorizontal, bool bEnabled)
{
    switch (nButton) {
    case -4:
        if (bHorizontal)
            return bEnabled ? CExtPaintGlyphSet::TriangleLeft : CExtPaintGlyphSet::HollowLeft;
        return bEnabled ? CExtPaintGlyphSet::TriangleUp : CExtPaintGlyphSet::HollowUp;
    case -5:
        if (bHorizontal)
            return bEnabled ? CExtPaintGlyphSet::TriangleRight : CExtPaintGlyphSet::HollowRight;
        return bEnabled ? CExtPaintGlyphSet::TriangleDown : CExtPaintGlyphSet::HollowDown;
    case -6: return CExtPaintGlyphSet::ContextHelp;
    case -7: return CExtPaintGlyphSet::Close;
    case -8: return CExtPaintGlyphSet::ListButton;
    case -9: return bHorizontal ? CExtPaintGlyphSet::ToStart : CExtPaintGlyphSet::ToFirst;
    case -10: return bHorizontal ? CExtPaintGlyphSet::ToEnd : CExtPaintGlyphSet::ToLast;
    default: return -1;
    }
}

// Text measured, placed at an indent from the left, centred vertically, clipped and drawn
// transparently.
void DrawIndentedText(CDC& dc, const RECT& rc, LPCSTR pszText, HFONT hFont, COLORREF clr, int nIndent,
                      UINT nExtraFormat)
{
    const UINT nTabs = std::strchr(pszText, '\t') != nullptr ? DT_EXPANDTABS : 0;
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, hFont);
    RECT measured{0, 0, 0, 0};
    ::DrawTextA(dc.m_hDC, pszText, -1, &measured, DT_CALCRECT | DT_SINGLELINE | nTabs);
    const int cy = measured.bottom - measured.top;
    RECT place{rc.left + nIndent, rc.top + (rc.bottom - rc.top - cy) / 2, rc.right, 0};
    place.bottom = place.top + cy;
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&rc);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(clr);
    ::DrawTextA(dc.m_hDC, pszText, -1, &place, DT_SINGLELINE | DT_NOPREFIX | nTabs | nExtraFormat);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    dc.RestoreDC(nSaved);
    ::SelectObject(dc.m_hDC, hOldFont);
}
} // namespace

void CExtPaintManager::FillTabStripArea(CDC& dc, const RECT& rcWhole, const RECT& rcInner, int nSide,
                                        bool bGroupMode, COLORREF clrOuter, COLORREF clrInner, COLORREF clrLine)
{
    if (!IsVisible(dc, rcWhole))
        return;
    dc.FillSolidRect(&rcWhole, clrOuter);
    if (bGroupMode)
        return;
    dc.FillSolidRect(&rcInner, clrInner);
    const CRect edge = TabStripBodyEdge(rcInner, nSide);
    dc.FillSolidRect(&edge, clrLine);
}

CRect CExtPaintManager::TabStripBodyEdge(const RECT& rcInner, int nSide)
{
    CRect edge(rcInner);
    switch (nSide) {
    case 0: edge.top = edge.bottom - 1; break;
    case 1: edge.bottom = edge.top + 1; break;
    case 2: edge.left = edge.right - 1; break;
    default: edge.right = edge.left + 1; break;
    }
    return edge;
}

void CExtPaintManager::DrawTabStripArea(CDC& dc, const RECT& rcWhole, int, const RECT& rcInner, int nSide,
                                        bool bGroupMode, CWnd* pOwner, LPARAM lParam)
{
    FillTabStripArea(dc, rcWhole, rcInner, nSide, bGroupMode,
                     ColorByIndex(bGroupMode ? COLOR_BTNFACE : COLOR_BTNSHADOW, pOwner, lParam),
                     ColorByIndex(COLOR_BTNFACE, pOwner, lParam),
                     ColorByIndex((nSide == 0 || nSide == 2) ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW, pOwner, lParam));
}

void CExtPaintManager::DrawTabStripButtonGlyph(CDC& dc, const RECT& rc, int nButton, bool bHorizontal, bool bEnabled,
                                               bool bHover, bool bPushed, COLORREF clrGlyph, COLORREF clrLight,
                                               COLORREF clrDark)
{
    const int nGlyph = TabButtonGlyph(nButton, bHorizontal, bEnabled);
    if (nGlyph < 0 || !IsVisible(dc, rc))
        return;
    const COLORREF palette[] = {0, clrGlyph};
    g_PaintManagerHolder->DrawGlyphCentred(dc, rc, g_PaintGlyphSet[nGlyph], palette);
    if (bHover || bPushed)
        dc.Draw3dRect(&rc, clrLight, clrDark);
}

void CExtPaintManager::DrawTabStripButton(CDC& dc, const RECT& rc, int nButton, bool bHorizontal, bool bEnabled,
                                          bool bHover, bool bPushed, CObject* pOwner, LPARAM lParam)
{
    const COLORREF light = ColorByIndex(COLOR_BTNHIGHLIGHT, pOwner, lParam);
    const COLORREF dark = ColorByIndex(COLOR_3DDKSHADOW, pOwner, lParam);
    DrawTabStripButtonGlyph(dc, rc, nButton, bHorizontal, bEnabled, bHover, bPushed,
                            ColorByIndex(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW, pOwner, lParam),
                            bPushed ? dark : light, bPushed ? light : dark);
}

void CExtPaintManager::GetTabColorsOneNote(bool bSelected, bool bHot, COLORREF& clrBorderLight,
                                           COLORREF& clrBorderDark, COLORREF& clrFillFrom, COLORREF& clrFillTo,
                                           COLORREF& clrText)
{
    if (bHot) {
        clrBorderLight = clrBorderDark = clrText = ONENOTE_TEXT;
        clrFillFrom = ONENOTE_FILL_FROM;
        clrFillTo = ONENOTE_FILL_TO;
        return;
    }
    clrText = ColorByIndex(COLOR_BTNTEXT);
    clrBorderLight = ColorByIndex(bSelected ? COLOR_WINDOW : COLOR_BTNFACE);
    clrBorderDark = ColorByIndex(COLOR_BTNSHADOW);
    clrFillFrom = clrFillTo = ColorByIndex(COLOR_BTNFACE);
}

void CExtPaintManager::GetTabColorsFlat(bool bSelected, bool, COLORREF& clrBorder, COLORREF& clrFillFrom,
                                        COLORREF& clrFillTo, COLORREF& clrText)
{
    clrBorder = ColorByIndex(COLOR_BTNSHADOW);
    clrFillFrom = clrFillTo = ColorByIndex(bSelected ? COLOR_WINDOW : COLOR_3DLIGHT);
    clrText = ColorByIndex(COLOR_BTNTEXT);
}

void CExtPaintManager::FillCalendarClientArea(CDC& dc, const RECT& rc, CObject* pOwner)
{
    if (IsVisible(dc, rc))
        dc.FillSolidRect(&rc, ColorByIndex(COLOR_WINDOW, pOwner));
}

void CExtPaintManager::DrawCalendarBorder(CDC& dc, const RECT& rc)
{
    if (IsVisible(dc, rc))
        dc.Draw3dRect(&rc, ColorByIndex(COLOR_BTNSHADOW), ColorByIndex(COLOR_WINDOW));
}

void CExtPaintManager::DrawLargeLabelText(CDC& dc, const RECT& rc, LPCSTR pszText)
{
    if (pszText == nullptr || !IsVisible(dc, rc))
        return;
    CFont font;
    if (!font.CreateFont(LARGE_LABEL_HEIGHT, 0, 0, 0, LARGE_LABEL_WEIGHT, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, LARGE_LABEL_FACE))
        return;
    DrawIndentedText(dc, rc, pszText, static_cast<HFONT>(font.GetSafeHandle()), ColorByIndex(COLOR_WINDOW),
                     LARGE_LABEL_INDENT, 0);
}

void CExtPaintManager::DrawPlainLabelText(CDC& dc, const RECT& rc, LPCSTR pszText)
{
    if (pszText == nullptr || !IsVisible(dc, rc))
        return;
    LOGFONTA lf{};
    if (!::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
        return;
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return;
    DrawIndentedText(dc, rc, pszText, static_cast<HFONT>(font.GetSafeHandle()), ColorByIndex(COLOR_WINDOWTEXT),
                     PLAIN_LABEL_INDENT, DT_END_ELLIPSIS);
}

void CExtPaintManager::DrawCalendarCaptionArea(CDC& dc, const RECT& rc, LPCSTR pszText)
{
    if (!IsVisible(dc, rc))
        return;
    dc.FillSolidRect(&rc, ColorByIndex(COLOR_BTNSHADOW));
    DrawLargeLabelText(dc, rc, pszText);
}

void CExtPaintManager::DrawCalendarDayNamesArea(CDC& dc, const RECT& rc, LPCSTR pszText)
{
    if (!IsVisible(dc, rc))
        return;
    dc.FillSolidRect(&rc, ColorByIndex(COLOR_BTNFACE));
    dc.FillSolidRect(rc.left, rc.bottom - 1, rc.right - rc.left, 1, ColorByIndex(COLOR_BTNSHADOW));
    DrawPlainLabelText(dc, rc, pszText);
}

void CExtPaintManager::DrawChevronDropGlyph(CDC& dc, const RECT& rc)
{
    const COLORREF palette[] = {0, ColorByIndex(COLOR_BTNTEXT)};
    DrawGlyphCentred(dc, rc, g_PaintGlyphSet[CExtPaintGlyphSet::ChevronDrop], palette);
}

void CExtPaintManager::DrawCalendarFooterArea(CDC& dc, const RECT& rc, bool bGripDots)
{
    if (!IsVisible(dc, rc))
        return;
    const int cx = rc.right - rc.left;
    dc.FillSolidRect(&rc, ColorByIndex(CLRID_FACE));
    dc.FillSolidRect(rc.left, rc.top, cx, 1, ColorByIndex(COLOR_BTNSHADOW));
    dc.FillSolidRect(rc.left, rc.top + 1, cx, 1, ColorByIndex(COLOR_WINDOW));
    dc.FillSolidRect(rc.left, rc.top + 2, 1, rc.bottom - rc.top - 2, ColorByIndex(COLOR_WINDOW));
    if (bGripDots)
        DrawCalendarGripDots(dc, rc, 0);
}

void CExtPaintManager::DrawCalendarGripDots(CDC& dc, const RECT& rc, int nDy)
{
    const int x0 = rc.left + (rc.right - rc.left - GRIP_ROW_WIDTH) / 2;
    const int y0 = rc.top + (rc.bottom - rc.top - 2) / 2 + nDy;
    const COLORREF light = ColorByIndex(COLOR_WINDOW);
    const COLORREF dark = ColorByIndex(COLOR_3DDKSHADOW);
    for (int i = 0; i < GRIP_DOT_COUNT; ++i) {
        const int x = x0 + i * GRIP_DOT_STEP;
        dc.FillSolidRect(x + 1, y0 + 1, 2, 2, light);
        dc.FillSolidRect(x, y0, 2, 2, dark);
    }
}

void CExtPaintManager::FillCalendarBackground(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    if (IsVisible(dc, rc))
        dc.FillSolidRect(&rc, ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam));
}

void CExtPaintManager::PaintCalendarBorder(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    auto clr = [&](int n) { return n < 0 ? WHITE : ColorByIndex(n, pOwner, lParam); };
    const std::pair<int, int> rings[] = {
        {COLOR_BTNFACE, COLOR_3DDKSHADOW}, {-1, COLOR_BTNSHADOW}, {COLOR_BTNFACE, COLOR_BTNFACE}, {COLOR_BTNSHADOW, -1}};
    CRect r(rc);
    for (const auto& [a, b] : rings) {
        dc.Draw3dRect(&r, clr(a), clr(b));
        r.DeflateRect(1, 1);
    }
}

void CExtPaintManager::PaintCalendarMonthHeader(CDC& dc, const RECT& rcLine, const RECT& rcFill, CObject* pOwner,
                                                LPARAM lParam)
{
    if (IsVisible(dc, rcLine))
        dc.Draw3dRect(&rcLine, WHITE, ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam));
    if (IsVisible(dc, rcFill))
        dc.FillSolidRect(&rcFill, ColorByIndex(CLRID_FACE, pOwner, lParam));
}

void CExtPaintManager::DrawCalendarFrame(CDC& dc, const RECT& rcOuter, const RECT& rcInner, CWnd* pOwner,
                                         LPARAM lParam)
{
    if (!dc.RectVisible(&rcOuter))
        return;
    bool bBehind = false;
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr && HasBackgroundBehindControls(pOwner, lParam)) {
        const int nSaved = dc.SaveDC();
        ClipOutChildWindows(dc.m_hDC, pOwner->GetSafeHwnd(), TransparentChildFilter);
        bBehind = DrawBackgroundBehind(true, dc, pOwner, lParam);
        dc.RestoreDC(nSaved);
    }
    if (!bBehind)
        dc.FillSolidRect(&rcOuter, ColorByIndex(CLRID_FACE, pOwner, lParam));
    dc.FillSolidRect(&rcInner, ColorByIndex(COLOR_WINDOW, pOwner, lParam));
}

CExtPaintManager::TabItemColors CExtPaintManager::GetTabItemColors(bool bSelected, bool bGroupedMode) const
{
    TabItemColors c{};
    c.text = ColorByIndex((bGroupedMode || bSelected) ? COLOR_BTNTEXT : COLOR_BTNHIGHLIGHT);
    c.fill = ColorByIndex(COLOR_BTNFACE);
    c.light = ColorByIndex(bGroupedMode ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    c.dark = ColorByIndex(bGroupedMode ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW);
    c.divider = ColorByIndex(bGroupedMode ? COLOR_BTNSHADOW : COLOR_3DLIGHT);
    return c;
}

void CExtPaintManager::DrawTabItem(CDC& dc, const RECT&, bool bTopLeft, bool bHorizontal, bool bSelected,
                                   bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
                                   bool bInvertedVerticalText, const RECT& rcEntireItem, SIZE sizeTextMeasured,
                                   CFont* pFont, const CString& strText, CExtCmdIcon* pIcon, CObject*, int)
{
    CRect rc(rcEntireItem);
    if (!IsVisible(dc, rc))
        return;
    const TabItemColors c = GetTabItemColors(bSelected, bGroupedMode);
    if (bGroupedMode) {
        CRect group(rc);
        if (bHorizontal) {
            ++group.right;
            group.InflateRect(0, 2);
        } else {
            ++group.bottom;
            group.InflateRect(2, 0);
        }
        dc.FillSolidRect(&group, c.fill);
        dc.Draw3dRect(&group, c.light, c.dark);
    } else if (bSelected) {
        CRect grown(rc);
        // Toward the window body and one pixel back along the strip.
        if (bHorizontal) {
            if (bTopLeft)
                ++grown.bottom;
            else
                --grown.top;
            --grown.left;
        } else {
            if (bTopLeft)
                ++grown.right;
            else
                --grown.left;
            --grown.top;
        }
        CRect inside(grown);
        const int w = grown.Width(), h = grown.Height();
        if (bHorizontal && bTopLeft) {
            dc.FillSolidRect(grown.left, grown.top, 1, h, c.light);
            dc.FillSolidRect(grown.left, grown.top, w, 1, c.light);
            dc.FillSolidRect(grown.right - 1, grown.top, 1, h, c.dark);
            inside.DeflateRect(1, 1, 1, 0);
        } else if (bHorizontal) {
            dc.FillSolidRect(grown.left, grown.top, 1, h, c.light);
            dc.FillSolidRect(grown.left, grown.bottom - 1, w, 1, c.dark);
            dc.FillSolidRect(grown.right - 1, grown.top, 1, h, c.dark);
            inside.DeflateRect(1, 0, 1, 1);
        } else if (bTopLeft) {
            dc.FillSolidRect(grown.left, grown.top, w, 1, c.light);
            dc.FillSolidRect(grown.left, grown.top, 1, h, c.light);
            dc.FillSolidRect(grown.left, grown.bottom - 1, w, 1, c.dark);
            inside.DeflateRect(1, 1, 0, 1);
        } else {
            dc.FillSolidRect(grown.left, grown.top, w, 1, c.light);
            dc.FillSolidRect(grown.right - 1, grown.top, 1, h, c.dark);
            dc.FillSolidRect(grown.left, grown.bottom - 1, w, 1, c.dark);
            inside.DeflateRect(0, 1, 1, 1);
        }
        dc.FillSolidRect(&inside, c.fill);
    } else if (bHorizontal) {
        dc.FillSolidRect(rc.right - 1, rc.top + 2, 1, rc.Height() - 4, c.divider);
    } else {
        dc.FillSolidRect(rc.left + 2, rc.bottom - 1, rc.Width() - 4, 1, c.divider);
    }

    CRect content(rc);
    content.DeflateRect(2, 2);
    DrawTabItemContent(dc, content, bHorizontal, bCenteredText, bGroupedMode, bInGroupActive, bInvertedVerticalText,
                       sizeTextMeasured, pFont, strText, pIcon, c.text);
}

void CExtPaintManager::DrawTabItemContent(CDC& dc, const CRect& content, bool bHorizontal, bool bCenteredText,
                                          bool bGroupedMode, bool bInGroupActive, bool bInvertedVerticalText,
                                          SIZE sizeTextMeasured, CFont* pFont, const CString& strText,
                                          CExtCmdIcon* pIcon, COLORREF clrText)
{
    const SIZE sizeIcon = (pIcon != nullptr && !pIcon->HasNoImage()) ? SIZE(pIcon->GetImageSize()) : SIZE{0, 0};
    CRect rcIcon(content.TopLeft(), sizeIcon);
    if (bHorizontal)
        rcIcon.OffsetRect(1, std::max(1, (content.Height() - sizeIcon.cy) / 2));
    else
        rcIcon.OffsetRect(std::max(1, (content.Width() - sizeIcon.cx) / 2), 1);
    const int nAlong = bHorizontal ? content.Width() : content.Height();
    const int nIconAlong = bHorizontal ? sizeIcon.cx : sizeIcon.cy;
    const int nRoom = nAlong - (nIconAlong > 0 ? nIconAlong + 3 : 0);
    const bool bText = !strText.IsEmpty() && nRoom >= std::max<int>(16, nIconAlong);
    if (!bText && (!bGroupedMode || bInGroupActive))
        rcIcon.OffsetRect(content.CenterPoint() - rcIcon.CenterPoint());
    if (nIconAlong > 0) {
        CRect place(rcIcon);
        place.OffsetRect(-4, -1);
        place.right += 4;
        RECT rcUnused{};
        DrawIconBesideText(dc, true, CString(), pIcon, place, rcUnused, false, true, false, 0, false);
    }
    if (!bText)
        return;
    CRect rcText(content);
    if (bHorizontal)
        rcText.left = nIconAlong > 0 ? rcIcon.right + 3 : content.left;
    else
        rcText.top = nIconAlong > 0 ? rcIcon.bottom + 3 : content.top;
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, pFont != nullptr ? pFont->GetSafeHandle() : m_FontNormal.GetSafeHandle());
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(clrText);
    if (bHorizontal) {
        dc.DrawText(strText, &rcText,
                    DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (bCenteredText ? DT_CENTER : 0));
    } else {
        const UINT nOldAlign = dc.SetTextAlign(bCenteredText ? TA_CENTER | TA_BASELINE : TA_BASELINE);
        // Glyphs grow from the baseline towards the right when reading down, to the left when
        // reading up: the baseline lies half a line before the centre on that side.
        const int x = rcText.CenterPoint().x + (bInvertedVerticalText ? 1 : -1) * sizeTextMeasured.cy / 2;
        int y = rcText.CenterPoint().y;
        if (!bCenteredText)
            y = bInvertedVerticalText ? rcText.bottom - 4 : rcText.top + 4;
        dc.ExtTextOut(x, y, ETO_CLIPPED, &rcText, strText, nullptr);
        dc.SetTextAlign(nOldAlign);
    }
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    ::SelectObject(dc.m_hDC, hOldFont);
}

void CExtPaintManager::DrawIconLabelItem(CDC& dc, const RECT& rcIn, LPCSTR pszText, CExtCmdIcon* pIcon, bool bWithText,
                                         bool bPushed, bool bHover, bool bHighlight)
{
    if (!IsVisible(dc, rcIn))
        return;
    const CRect rc(rcIn);
    const bool bIcon = pIcon != nullptr && !pIcon->HasNoImage();
    const CSize sizeIcon = bIcon ? pIcon->GetImageSize() : CSize(0, 0);
    const int nColumn = sizeIcon.cx * 3 / 2;
    const bool bText = bWithText && pszText != nullptr;
    if (bText) {
        LOGFONTA lf{};
        CFont font;
        if (::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0)) {
            lf.lfWeight = FW_BOLD;
            font.CreateFontIndirect(&lf);
        }
        const UINT nTabs = std::strchr(pszText, '\t') != nullptr ? DT_EXPANDTABS : 0;
        HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, font.GetSafeHandle() != nullptr ? font.GetSafeHandle()
                                                                                   : m_FontBold.GetSafeHandle());
        const int nOldMode = dc.SetBkMode(TRANSPARENT);
        const COLORREF clrOld = dc.SetTextColor(
            ColorByIndex((bPushed && bHover && bHighlight) ? COLOR_WINDOW : COLOR_BTNTEXT));
        CRect measured(0, 0, std::max(0, rc.Width() - nColumn), 0);
        dc.DrawText(pszText, -1, &measured, DT_CALCRECT | DT_WORDBREAK | nTabs);
        CRect place(rc.left + nColumn, rc.top + (rc.Height() - measured.Height()) / 2, rc.right, 0);
        place.bottom = place.top + measured.Height();
        const int nSaved = dc.SaveDC();
        dc.IntersectClipRect(&rc);
        dc.DrawText(pszText, -1, &place, DT_WORDBREAK | DT_END_ELLIPSIS | nTabs);
        dc.RestoreDC(nSaved);
        dc.SetTextColor(clrOld);
        dc.SetBkMode(nOldMode);
        ::SelectObject(dc.m_hDC, hOldFont);
    }
    if (!bIcon)
        return;
    CRect column(rc);
    if (bText)
        column.right = column.left + nColumn;
    CRect rcIcon(CPoint(column.left + (column.Width() - sizeIcon.cx) / 2, column.top + (column.Height() - sizeIcon.cy) / 2),
                 sizeIcon);
    RECT rcUnused{};
    DrawIconBesideText(dc, true, CString(), pIcon, rcIcon, rcUnused, bPushed, true, bHover, 0, false);
}

void CExtPaintManager::DrawCalendarHeaderArea(CDC& dc, const RECT& rcIn, LPCSTR pszText, CExtCmdIcon* pIcon,
                                              bool bInset, bool bPushed, bool bHot)
{
    if (!IsVisible(dc, rcIn))
        return;
    CRect rc(rcIn);
    if (bInset) {
        dc.FillSolidRect(rc.left + 1, rc.top, rc.Width() - 2, rc.Height() - 1, ColorByIndex(COLOR_BTNSHADOW));
        dc.FillSolidRect(rc.left + 1, rc.top, rc.Width() - 2, 1, ColorByIndex(COLOR_3DDKSHADOW));
    } else {
        dc.FillSolidRect(&rc, ColorByIndex(COLOR_BTNSHADOW));
    }
    if (bPushed || bHot)
        dc.Draw3dRect(&rc, ColorByIndex(bPushed ? COLOR_3DDKSHADOW : COLOR_WINDOW),
                      ColorByIndex(bPushed ? COLOR_WINDOW : COLOR_3DDKSHADOW));
    DrawIconLabelItem(dc, rc, pszText, pIcon, true, bPushed, bHot, bInset);
}
