// Classic popup-menu items and the menu's expand button.
#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtPaintGlyphSet.h"

#include <algorithm>

namespace {
constexpr int DEFAULT_IMAGE_SIZE = 16;
constexpr int SQUARE_ICON_MAX_WIDTH = 18;
constexpr int ARROW_EXTENT = 16;
constexpr int ARROW_INSET = 3;
constexpr int ARROW_TEXT_SHIFT = 2;
constexpr int CLASSIC_TEXT_INSET_X = 6;
constexpr int CLASSIC_TEXT_INSET_Y = 3;
constexpr int CLASSIC_ACCEL_GAP = 16;
constexpr int CHECK_MARK_HALF = 3;
constexpr char ARROW_RIGHT[] = "4";
constexpr char ARROW_LEFT[] = "3";
} // namespace

CRect CExtPaintManager::MenuItemImageRect(const CExtDrawMenuItemArgs& args, bool bXpLook) const
{
    CSize size(DEFAULT_IMAGE_SIZE, DEFAULT_IMAGE_SIZE);
    if (args.m_pIcon != nullptr && !args.m_pIcon->HasNoImage()) {
        size = args.m_pIcon->GetImageSize();
        if (size.cx <= SQUARE_ICON_MAX_WIDTH && size.cy < size.cx)
            size.cy = size.cx;
    }
    const CRect sel(args.m_rcSelection);
    const int nBand = args.m_nIconBandWidth;
    int nInto = (nBand - size.cx) / 2 - (bXpLook ? 1 : 0);
    if (args.m_bCheckColumn)
        nInto = nBand / 2 + (nBand / 2 - size.cx) / 2 - 2;
    const int top = sel.top + (sel.Height() - size.cy) / 2;
    const int left = args.IsRightToLeft() ? sel.right - nInto - size.cx : sel.left + nInto;
    return CRect(left, top, left + size.cx, top + size.cy);
}

CRect CExtPaintManager::MenuItemArrowRect(const CExtDrawMenuItemArgs& args) const
{
    CRect rc(args.m_rcSelection);
    rc.DeflateRect(ARROW_INSET, ARROW_INSET);
    if (args.IsRightToLeft())
        rc.right = rc.left + ARROW_EXTENT;
    else
        rc.left = rc.right - ARROW_EXTENT;
    return rc;
}

void CExtPaintManager::DrawMenuItemArrow(CDC& dc, const CExtDrawMenuItemArgs& args, COLORREF clrArrow)
{
    CRect rc = MenuItemArrowRect(args);
    const bool bRtl = args.IsRightToLeft();
    if (args.m_bGlyphArrow) {
        using G = CExtPaintGlyphSet;
        const int nGlyph = args.m_bSplitPopup ? (bRtl ? G::MenuSplitArrowLeft : G::MenuSplitArrowRight)
                                              : (bRtl ? G::MenuArrowLeft : G::MenuArrowRight);
        const COLORREF palette[] = {0, clrArrow};
        DrawGlyphCentred(dc, rc, g_PaintGlyphSet[nGlyph], palette);
        return;
    }
    rc.OffsetRect(bRtl ? ARROW_TEXT_SHIFT : -ARROW_TEXT_SHIFT, 0);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, m_FontMarlett.GetSafeHandle());
    const COLORREF clrOld = dc.SetTextColor(clrArrow);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText(bRtl ? ARROW_LEFT : ARROW_RIGHT, 1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SetBkMode(nOldMode);
    dc.SetTextColor(clrOld);
    ::SelectObject(dc.m_hDC, hOld);
}

void CExtPaintManager::DrawMenuItem(CDC& dc, CExtDrawMenuItemArgs& args)
{
    if (::IsRectEmpty(&args.m_rcSelection))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const COLORREF clrTextOld = dc.GetTextColor();
    const int nOldMode = dc.GetBkMode();
    const COLORREF face = clr(args.m_bSelected ? COLOR_HIGHLIGHT : CLRID_FACE);
    const COLORREF text = clr(args.m_bSelected ? COLOR_HIGHLIGHTTEXT : CLRID_TEXT);
    const CRect item(args.m_rcItem);
    if (args.m_bRarelyUsed) {
        dc.FillRect(&item, &m_brushBlend[0]);
        if (!args.m_bRarelyUsedAbove)
            dc.FillSolidRect(item.left, item.top, item.Width(), 1, clr(COLOR_BTNSHADOW));
        if (!args.m_bRarelyUsedBelow)
            dc.FillSolidRect(item.left, item.bottom - 1, item.Width(), 1, clr(COLOR_BTNHIGHLIGHT));
    } else {
        dc.FillSolidRect(&item, clr(CLRID_FACE));
    }
    const bool bRtl = args.IsRightToLeft();
    const bool bHasIcon = args.m_pIcon != nullptr && !args.m_pIcon->HasNoImage();
    const bool bImageArea = bHasIcon || args.m_bChecked || args.m_bRadio;
    CRect sel(args.m_rcSelection);
    auto narrow = [&]() {
        if (bRtl)
            sel.right -= args.m_nIconBandWidth + 1;
        else
            sel.left += args.m_nIconBandWidth + 1;
    };
    if (bImageArea)
        narrow();
    if (!args.m_bRarelyUsed || args.m_bSelected)
        dc.FillSolidRect(&sel, face);
    if (!bImageArea)
        narrow();

    CRect rcText(sel);
    rcText.DeflateRect(CLASSIC_TEXT_INSET_X, CLASSIC_TEXT_INSET_Y);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, m_FontNormal.GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    auto drawLabel = [&](const CString& str, bool bAccel) {
        if (str.IsEmpty())
            return;
        CRect measured(0, 0, 0, 0);
        dc.DrawText(str, &measured, DT_CALCRECT | DT_SINGLELINE);
        CRect place(rcText);
        place.top += (rcText.Height() - measured.Height()) / 2;
        place.bottom = place.top + measured.Height();
        if (bAccel) {
            if (bRtl)
                place.left = rcText.left + CLASSIC_ACCEL_GAP;
            else
                place.left = rcText.right - CLASSIC_ACCEL_GAP - measured.Width();
        } else if (bRtl) {
            place.left = rcText.right - measured.Width();
        }
        place.right = place.left + measured.Width();
        if (bRtl) {
            // Right to left: disabled text is embossed.
            if (!args.m_bEnabled) {
                CRect embossed(place);
                embossed.OffsetRect(1, 1);
                dc.SetTextColor(clr(COLOR_BTNHIGHLIGHT));
                dc.DrawText(str, &embossed, DT_SINGLELINE | DT_RIGHT | DT_RTLREADING);
                dc.SetTextColor(clr(COLOR_BTNSHADOW));
            } else {
                dc.SetTextColor(text);
            }
            dc.DrawText(str, &place, DT_SINGLELINE | DT_RIGHT | DT_RTLREADING);
            return;
        }
        HBRUSH hBrush = ::CreateSolidBrush(text);
        ::DrawStateA(dc.m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(str)), str.GetLength(),
                     place.left, place.top, measured.Width(), measured.Height(),
                     DST_PREFIXTEXT | (args.m_bEnabled ? 0 : m_dwDisabledTextStyle));
        ::DeleteObject(hBrush);
    };
    drawLabel(args.m_strText, false);
    drawLabel(args.m_strAccelText, true);
    ::SelectObject(dc.m_hDC, hOldFont);

    if (args.m_bPopup) {
        COLORREF clrArrow = args.m_bSelected ? clr(COLOR_HIGHLIGHTTEXT) : clr(CLRID_TEXT);
        DrawMenuItemSplitPart(dc, args, false, clrArrow);
        DrawMenuItemArrow(dc, args, clrArrow);
    }

    const CRect image = MenuItemImageRect(args, false);
    const bool bMarked = args.m_bChecked || args.m_bRadio;
    CRect around(image);
    around.InflateRect(2, 2);
    if (bMarked)
        dc.FillRect(&around, &m_brushBlend[0]);
    if (bHasIcon) {
        args.m_pIcon->DrawWithState(dc.m_hDC, image.TopLeft(),
                                    args.m_bEnabled ? CExtCmdIcon::STATE_NORMAL : CExtCmdIcon::STATE_DISABLED);
        if (args.m_bSelected && args.m_bEnabled && !bMarked)
            dc.Draw3dRect(&around, clr(CLRID_HILIGHT), clr(CLRID_SHADOW));
    } else {
        if (args.m_nGlyphCmd != 0)
            DrawSystemCommandGlyph(dc, args.m_nGlyphCmd, image, args.m_bSelected, false, args.m_bEnabled);
        const CPoint centre = image.CenterPoint();
        if (args.m_bChecked)
            DrawCheckMark(dc, centre.x - CHECK_MARK_HALF, centre.y - CHECK_MARK_HALF, clr(CLRID_TEXT));
        else if (args.m_bRadio)
            DrawRadioDot(dc, centre.x - CHECK_MARK_HALF, centre.y - CHECK_MARK_HALF, clr(CLRID_TEXT));
    }
    if (bMarked)
        dc.Draw3dRect(&around, clr(CLRID_SHADOW), clr(CLRID_HILIGHT));
    DrawMenuItemInplaceEdit(dc, args, false);
    dc.SetTextColor(clrTextOld);
    dc.SetBkMode(nOldMode);
}

void CExtPaintManager::DrawMenuExpandButton(CDC& dc, const RECT& rcIn, bool bHover, bool, CObject* pOwner,
                                            LPARAM lParam)
{
    if (!IsVisible(dc, rcIn))
        return;
    CRect rc(rcIn);
    rc.DeflateRect(1, 0);
    CRect rcGlyph(rc);
    if (bHover) {
        dc.FillRect(&rc, &m_brushBlend[0]);
        dc.Draw3dRect(&rc, ColorByIndex(CLRID_HILIGHT, pOwner, lParam), ColorByIndex(CLRID_SHADOW, pOwner, lParam));
        const SIZE shift = GetPressedShift();
        rcGlyph.OffsetRect(shift.cx, shift.cy);
    } else {
        CExtDrawMenuItemArgs args(pOwner, rc, rcIn, 0, "", "", nullptr, false, false, false, false, false, true);
        DrawMenuItem(dc, args);
    }
    const COLORREF palette[] = {0, ColorByIndex(CLRID_TEXT, pOwner, lParam)};
    DrawGlyphCentred(dc, rcGlyph, g_PaintGlyphSet[CExtPaintGlyphSet::ChevronDoubleV], palette);
}
