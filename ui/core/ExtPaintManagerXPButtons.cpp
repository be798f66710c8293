// Flat XP push buttons, menu items, the expand button and lifted icons.
#include "ui/core/ExtPaintManagerXP.h"

#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtPaintGlyphSet.h"

#include <algorithm>

namespace {
constexpr int PALETTE_DISPLAY_BITS = 8;
constexpr int ICON_LIFT = 2;
constexpr int XP_TEXT_INSET_X = 3;
constexpr int XP_TEXT_INSET_Y = 1;
constexpr int XP_TEXT_GAP = 5;
constexpr int XP_ACCEL_END_GAP = 21;
constexpr int CHECK_MARK_HALF = 3;

void Frame(CDC& dc, const RECT& rc, COLORREF clr) { dc.Draw3dRect(&rc, clr, clr); }
} // namespace

bool CExtPaintManagerXP::GetStateGradient(bool, bool, int&, int&) const { return false; }

void CExtPaintManagerXP::DrawIconBesideText(CDC& dc, bool bHorizontal, const CString& strText, CExtCmdIcon* pIcon,
                                            const RECT& rcArea, RECT& rcText, bool bPushed, bool bEnabled, bool bHover,
                                            UINT nAlignment, bool bRightToLeft)
{
    rcText = rcArea;
    if (pIcon == nullptr || pIcon->HasNoImage())
        return;
    POINT pt = PlaceIconBesideText(bHorizontal, strText, pIcon->GetImageSize(), rcArea, rcText, bPushed, nAlignment,
                                   bRightToLeft);
    if (m_bHoverLift) {
        // The resting icon sits a pixel down and forward so that a hovered one can lift.
        pt.y += 1;
        pt.x += bRightToLeft ? -1 : 1;
    }
    if (!bEnabled) {
        const COLORREF clrBlend = GetDisabledIconBlendColor();
        if (clrBlend != COLORREF(-1)) {
            pIcon->SetDisabledBlendColor(clrBlend);
            pIcon->SetDisabledLightness(GetDisabledIconLightness());
            pIcon->DrawWithState(dc.m_hDC, pt, CExtCmdIcon::STATE_DISABLED_IMAGE);
            return;
        }
        CBrush brush;
        brush.CreateSolidBrush(ColorByIndex(XPCLR_SEPARATOR));
        pIcon->DrawWithState(dc.m_hDC, pt, CExtCmdIcon::STATE_MONOCHROME, static_cast<HBRUSH>(brush.GetSafeHandle()));
        return;
    }
    if (m_bHoverLift && bHover && !bPushed) {
        CBrush brush;
        brush.CreateSolidBrush(ColorByIndex(COLOR_BTNSHADOW));
        pIcon->DrawWithState(dc.m_hDC, pt, CExtCmdIcon::STATE_MONOCHROME, static_cast<HBRUSH>(brush.GetSafeHandle()));
        pt.x -= ICON_LIFT;
        pt.y -= ICON_LIFT;
    }
    pIcon->DrawWithState(dc.m_hDC, pt, CExtCmdIcon::STATE_NORMAL);
}

void CExtPaintManagerXP::DrawPushButton(CDC& dc, CExtDrawPushButtonArgs& args)
{
    if (::IsRectEmpty(&args.m_rc))
        return;
    if (!args.m_bEnabled)
        args.m_bHover = args.m_bIndeterminate = args.m_bFocus = false;
    const PushButtonLayout layout = LayoutPushButton(args);
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const bool bOverride = args.m_clrForceBk != COLORREF(-1);
    const bool bActive = args.m_bHover || args.m_bPushed || args.m_bArrowPressed;
    COLORREF bodyFace = 0, arrowFace = 0;
    if (bOverride) {
        bodyFace = arrowFace = args.m_clrForceBk;
    } else if (!bActive) {
        bodyFace = arrowFace = clr(args.m_bFlat ? CLRID_FACE : COLOR_BTNFACE);
    } else {
        bodyFace = arrowFace = clr(CLRID_FACE_ALT);
        const COLORREF pressed = clr(args.m_bHover ? XPCLR_PUSHED_HOVER_FILL : CLRID_FACE_ALT);
        if (args.m_bArrowPressed)
            arrowFace = pressed;
        else if (args.m_bPushed)
            bodyFace = pressed;
        if (args.m_bSplit && args.m_bPushed && !args.m_bHover && !args.m_bArrowPressed)
            arrowFace = clr(CLRID_FACE);
    }
    const COLORREF border = clr((bActive || args.m_bFlat) ? XPCLR_HOVER_BORDER : COLOR_3DDKSHADOW);
    if (!layout.rcArrow.IsRectEmpty()) {
        if ((!args.m_bTransparent && (args.m_bHover || args.m_bArrowPressed)) || bOverride)
            dc.FillSolidRect(&layout.rcArrow, arrowFace);
        if (args.m_bSplit) {
            const bool bFrame = layout.bPushedLook ? (!args.m_bFlat || args.m_bBorderWhenHot)
                                                   : (!args.m_bFlat || (args.m_bHover && args.m_bBorderWhenHot));
            if (bFrame)
                Frame(dc, layout.rcArrow, border);
        }
    }
    if (!args.m_bTransparent || bOverride) {
        int nFirst = -1, nSecond = -1;
        if (!bOverride && (args.m_bHover || args.m_bPushed) && GetStateGradient(args.m_bHover, args.m_bPushed, nFirst, nSecond)
            && !IsPaletteDisplay()) {
            // The first colour at the top of a horizontal bar's button, at the left of a vertical one.
            if (args.m_bHorizontal)
                FillGradientRect(dc, layout.rcFace, clr(nSecond), clr(nFirst), true);
            else
                FillGradientRect(dc, layout.rcFace, clr(nFirst), clr(nSecond), false);
        } else if (!args.m_bTransparent || bOverride) {
            if (bActive || !args.m_bTransparent)
                dc.FillSolidRect(&layout.rcFace, bodyFace);
        }
    }
    if (args.m_bPushed || args.m_bArrowPressed) {
        if (!args.m_bFlat || args.m_bBorderWhenHot)
            Frame(dc, layout.rcFace, border);
    } else if (args.m_bFlat) {
        if (args.m_bHover && args.m_bBorderWhenHot)
            Frame(dc, layout.rcFace, border);
    } else {
        Frame(dc, layout.rcFace, border);
        if (args.m_bHover)
            Frame(dc, args.m_rc, border);
    }
    COLORREF clrText = args.m_clrForceTextNormal != COLORREF(-1) ? args.m_clrForceTextNormal : clr(COLOR_BTNTEXT);
    if (!args.m_bEnabled) {
        clrText = args.m_clrForceTextDisabled != COLORREF(-1) ? args.m_clrForceTextDisabled : clr(COLOR_BTNSHADOW);
    } else if (args.m_bHover && args.m_bPushed) {
        if (args.m_clrForceTextPressed != COLORREF(-1))
            clrText = args.m_clrForceTextPressed;
        else if (args.m_clrForceTextNormal == COLORREF(-1))
            clrText = clr(XPCLR_PUSHED_HOVER_TEXT);
    }
    DrawPushButtonContent(dc, args, layout, clrText, args.m_bPushed || args.m_bArrowPressed, false);
}

void CExtPaintManagerXP::DrawMenuItem(CDC& dc, CExtDrawMenuItemArgs& args)
{
    if (::IsRectEmpty(&args.m_rcSelection))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const COLORREF clrTextOld = dc.GetTextColor();
    const int nOldMode = dc.GetBkMode();
    const bool bRtl = args.IsRightToLeft();
    const COLORREF band = clr(args.m_bRarelyUsed ? XPCLR_RARELY_BAND : CLRID_FACE);
    COLORREF text = args.m_bEnabled ? clr(CLRID_TEXT) : ::GetSysColor(COLOR_BTNSHADOW);
    const CRect item(args.m_rcItem);
    CRect rcBand(item);
    CRect rcRest(item);
    if (!args.m_bNoIconBand) {
        if (bRtl) {
            rcBand.left = rcBand.right - args.m_nIconBandWidth;
            rcRest.right = rcBand.left;
        } else {
            rcBand.right = rcBand.left + args.m_nIconBandWidth;
            rcRest.left = rcBand.right;
        }
        const int nFrom = args.m_bRarelyUsed ? m_nIdxClrMlaRarelyLeft : m_nIdxClrMlaNormLeft;
        const int nMiddle = args.m_bRarelyUsed ? m_nIdxClrMlaRarelyMiddle : m_nIdxClrMlaNormMiddle;
        const int nTo = args.m_bRarelyUsed ? m_nIdxClrMlaRarelyRight : m_nIdxClrMlaNormRight;
        if (nFrom >= 0 && !IsPaletteDisplay())
            FillTwoPartGradient(dc, rcBand, clr(nFrom), clr(nMiddle), clr(nTo), false, 1, 2);
        else
            dc.FillSolidRect(&rcBand, band);
    }
    dc.FillSolidRect(&rcRest, clr(XPCLR_MENU_FILL));
    if (args.m_bSelected) {
        dc.FillSolidRect(&args.m_rcSelection, clr(CLRID_FACE_ALT));
        Frame(dc, args.m_rcSelection, clr(XPCLR_HOVER_BORDER));
    }

    CRect rcText(rcRest);
    rcText.DeflateRect(XP_TEXT_INSET_X, XP_TEXT_INSET_Y);
    rcText.OffsetRect(bRtl ? -XP_TEXT_GAP : XP_TEXT_GAP, 0);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, m_FontNormal.GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(text);
    const UINT nRtl = bRtl ? DT_RIGHT | DT_RTLREADING : 0;
    auto drawLabel = [&](const CString& str, bool bAccel) {
        if (str.IsEmpty())
            return;
        CRect measured(0, 0, 0, 0);
        dc.DrawText(str, &measured, DT_CALCRECT | DT_SINGLELINE | nRtl);
        CRect place(rcText);
        place.top += (rcText.Height() - measured.Height()) / 2;
        place.bottom = place.top + measured.Height();
        if (bAccel) {
            if (bRtl) {
                place.left = item.left + XP_ACCEL_END_GAP;
                place.right = place.left + measured.Width();
            } else {
                place.right = item.right - XP_ACCEL_END_GAP;
                place.left = place.right - measured.Width();
            }
        }
        dc.DrawText(str, &place, DT_SINGLELINE | nRtl);
    };
    drawLabel(args.m_strText, false);
    drawLabel(args.m_strAccelText, true);
    ::SelectObject(dc.m_hDC, hOldFont);
    if (args.m_bPopup) {
        COLORREF clrArrow = args.m_bGlyphArrow ? clr(CLRID_TEXT) : text;
        DrawMenuItemSplitPart(dc, args, true, clrArrow);
        DrawMenuItemArrow(dc, args, clrArrow);
    }

    const CRect image = MenuItemImageRect(args, true);
    const bool bMarked = args.m_bChecked || args.m_bRadio;
    int nFirst = -1, nSecond = -1;
    const bool bGradient = GetStateGradient(args.m_bSelected, true, nFirst, nSecond);
    auto fillCheck = [&](const CRect& rc) {
        if (bGradient)
            FillGradientRect(dc, rc, clr(nSecond), clr(nFirst), true);
        else
            dc.FillSolidRect(&rc, clr(args.m_bSelected ? XPCLR_PUSHED_HOVER_FILL : CLRID_FACE_ALT));
    };
    if (args.m_bCheckColumn && args.m_bCheckedInColumn) {
        const CRect sel(args.m_rcSelection);
        const int nSide = sel.Height() - 2;
        const int left = bRtl ? sel.right - 1 - nSide : sel.left + 1;
        const CRect cell(left, sel.top + 1, left + nSide, sel.top + 1 + nSide);
        fillCheck(cell);
        DrawCheckMark(dc, cell.CenterPoint().x - CHECK_MARK_HALF, cell.CenterPoint().y - CHECK_MARK_HALF,
                      clr(CLRID_TEXT));
        Frame(dc, cell, clr(XPCLR_HOVER_BORDER));
    }
    CRect around(image);
    around.InflateRect(2, 2);
    if (bMarked)
        fillCheck(around);
    if (args.m_pIcon != nullptr && !args.m_pIcon->HasNoImage()) {
        RECT rcUnused{};
        DrawIconBesideText(dc, true, CString(), args.m_pIcon, image, rcUnused, bMarked, args.m_bEnabled,
                           args.m_bSelected, 0, bRtl);
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
        Frame(dc, around, clr(XPCLR_HOVER_BORDER));
    DrawMenuItemInplaceEdit(dc, args, true);
    dc.SetTextColor(clrTextOld);
    dc.SetBkMode(nOldMode);
}

void CExtPaintManagerXP::DrawMenuExpandButton(CDC& dc, const RECT& rcIn, bool bHover, bool, CObject* pOwner,
                                              LPARAM lParam)
{
    if (!IsVisible(dc, rcIn))
        return;
    CRect rc(rcIn);
    rc.DeflateRect(1, 0);
    DrawExpandButtonFace(dc, rc, rcIn, bHover, pOwner);
    const COLORREF palette[] = {0, ColorByIndex(CLRID_TEXT, pOwner, lParam)};
    DrawGlyphCentred(dc, rc, g_PaintGlyphSet[CExtPaintGlyphSet::ChevronDoubleV], palette);
}

void CExtPaintManagerXP::DrawExpandButtonFace(CDC& dc, const RECT& rc, const RECT& rcItem, bool bHover, CObject* pOwner)
{
    if (bHover) {
        CExtDrawPushButtonArgs args(pOwner, true, rc, "", nullptr, true, false, true, false, true, true, false);
        DrawPushButton(dc, args);
        return;
    }
    // The row continues the band of the menu's last item; without one the plain row is drawn.
    const int nBand = QueryPopupLastItemBandWidth(pOwner);
    CExtDrawMenuItemArgs args(pOwner, rc, rcItem, std::max(nBand, 0), "", "", nullptr, false, false, false, false,
                              false, true);
    args.m_bNoIconBand = nBand < 0;
    DrawMenuItem(dc, args);
}
