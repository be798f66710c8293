// Classic push buttons and the placement of icons beside texts.
#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtPaintGlyphSet.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int ICON_TEXT_GAP = 3;
constexpr int ARROW_PART_PADDING = 6;
constexpr int CONTENT_INSET = 3;
constexpr int FOCUS_INSET = 3;
constexpr int MNEMONIC_UNDERLINE_OFFSET = 4;
constexpr LONG VERTICAL_ESCAPEMENT = 2700;

// Restores the text colour, background colour and mode and font of a DC when it goes.
class CDCTextState
{
public:
    explicit CDCTextState(CDC& dc)
        : m_dc(dc), m_clrText(dc.GetTextColor()), m_clrBk(dc.GetBkColor()), m_nBkMode(dc.GetBkMode()),
          m_hFont(::GetCurrentObject(dc.m_hDC, OBJ_FONT))
    {
    }
    ~CDCTextState()
    {
        m_dc.SetTextColor(m_clrText);
        m_dc.SetBkColor(m_clrBk);
        m_dc.SetBkMode(m_nBkMode);
        ::SelectObject(m_dc.m_hDC, m_hFont);
    }
    CDCTextState(const CDCTextState&) = delete;
    CDCTextState& operator=(const CDCTextState&) = delete;

private:
    CDC& m_dc;
    COLORREF m_clrText;
    COLORREF m_clrBk;
    int m_nBkMode;
    HGDIOBJ m_hFont;
};
} // namespace

POINT CExtPaintManager::PlaceIconBesideText(bool bHorizontal, const CString& strText, SIZE sizeIcon, const RECT& rcArea,
                                            RECT& rcText, bool bPushed, UINT nAlignment, bool bRightToLeft) const
{
    const CRect area(rcArea);
    const bool bHasText = !strText.IsEmpty();
    POINT pt{area.left + (area.Width() - sizeIcon.cx) / 2, area.top + (area.Height() - sizeIcon.cy) / 2};
    const bool bCenter = (nAlignment & DT_CENTER) != 0;
    const bool bRight = (nAlignment & DT_RIGHT) != 0;
    const bool bVCenter = (nAlignment & DT_VCENTER) != 0;
    if (bHorizontal) {
        if (!bVCenter && bHasText)
            pt.y = area.top;
        if (bHasText && (bCenter || !bRight)) {
            if (bRightToLeft) {
                pt.x = area.right - ICON_TEXT_GAP - sizeIcon.cx;
                rcText.right -= sizeIcon.cx + ICON_TEXT_GAP;
            } else {
                pt.x = area.left + ICON_TEXT_GAP;
                rcText.left += sizeIcon.cx + ICON_TEXT_GAP;
            }
        } else if (bHasText) {
            pt.y = area.top + (area.Height() - sizeIcon.cy) / 2;
            if (bRightToLeft) {
                pt.x = area.left + ICON_TEXT_GAP;
                rcText.right -= ICON_TEXT_GAP;
                rcText.left += sizeIcon.cx + ICON_TEXT_GAP;
            } else {
                pt.x = area.right - ICON_TEXT_GAP - sizeIcon.cx;
                rcText.left += ICON_TEXT_GAP;
                rcText.right -= sizeIcon.cx + ICON_TEXT_GAP;
            }
        }
    } else {
        if (!bVCenter && bHasText)
            pt.x = area.left;
        if (bHasText && bCenter) {
            pt.y = area.top + ICON_TEXT_GAP;
            rcText.top += sizeIcon.cy + ICON_TEXT_GAP;
        } else if (bHasText && bRight) {
            pt.y = area.bottom - ICON_TEXT_GAP - sizeIcon.cy;
            rcText.bottom -= sizeIcon.cy + ICON_TEXT_GAP;
            rcText.top += ICON_TEXT_GAP;
        }
    }
    if (bPushed) {
        const SIZE shift = GetPressedShift();
        pt.x += shift.cx;
        pt.y += shift.cy;
    }
    return pt;
}

void CExtPaintManager::DrawIconBesideText(CDC& dc, bool bHorizontal, const CString& strText, CExtCmdIcon* pIcon,
                                          const RECT& rcArea, RECT& rcText, bool bPushed, bool bEnabled, bool,
                                          UINT nAlignment, bool bRightToLeft)
{
    rcText = rcArea;
    if (pIcon == nullptr || pIcon->HasNoImage())
        return;
    const POINT pt = PlaceIconBesideText(bHorizontal, strText, pIcon->GetImageSize(), rcArea, rcText, bPushed,
                                         nAlignment, bRightToLeft);
    pIcon->DrawWithState(dc.m_hDC, pt, bEnabled ? CExtCmdIcon::STATE_NORMAL : CExtCmdIcon::STATE_DISABLED);
}

CExtPaintManager::PushButtonLayout CExtPaintManager::LayoutPushButton(const CExtDrawPushButtonArgs& args) const
{
    PushButtonLayout layout;
    layout.rcBody = CRect(args.m_rc);
    layout.rcFace = layout.rcBody;
    layout.rcArrow.SetRectEmpty();
    layout.bPushedLook = (args.m_bPushed && !args.m_bSplit) || args.m_bArrowPressed;
    if (!args.m_bDropDown)
        return layout;
    const SIZE arrow = g_PaintGlyphSet[CExtPaintGlyphSet::ChevronTriangleH].GetSize();
    layout.rcArrow = layout.rcBody;
    if (args.m_bHorizontal) {
        const int nStrip = arrow.cx + ARROW_PART_PADDING;
        if (args.IsRightToLeft()) {
            layout.rcArrow.right = layout.rcArrow.left + nStrip;
            layout.rcBody.left = layout.rcArrow.right - 1;
        } else {
            layout.rcArrow.left = layout.rcArrow.right - nStrip;
            layout.rcBody.right = layout.rcArrow.left + 1;
        }
    } else {
        layout.rcArrow.top = layout.rcArrow.bottom - (arrow.cx + ARROW_PART_PADDING);
        layout.rcBody.bottom = layout.rcArrow.top + 1;
    }
    if (args.m_bSplit)
        layout.rcFace = layout.rcBody;
    return layout;
}

void CExtPaintManager::DrawPushButtonContent(CDC& dc, CExtDrawPushButtonArgs& args, const PushButtonLayout& layout,
                                             COLORREF clrText, bool bContentPushed, bool bEmbossDisabled)
{
    const SIZE shift = GetPressedShift();
    if (!layout.rcArrow.IsRectEmpty()) {
        CRect rcGlyph(layout.rcArrow);
        if (layout.bPushedLook)
            rcGlyph.OffsetRect(shift.cx, shift.cy);
        if (args.IsRightToLeft() && (rcGlyph.Width() % 2) == 0)
            ++rcGlyph.right;
        const COLORREF palette[] = {0, ColorByIndex(args.m_bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW, args.m_pOwner,
                                                    args.m_lParam)};
        DrawGlyphCentred(dc, rcGlyph,
                         g_PaintGlyphSet[args.m_bHorizontal ? CExtPaintGlyphSet::ChevronTriangleH
                                                            : CExtPaintGlyphSet::ChevronTriangleV],
                         palette);
    }
    CRect rcText(layout.rcBody);
    if (!layout.rcBody.IsRectEmpty() && args.m_pIcon != nullptr && !args.m_pIcon->HasNoImage()) {
        DrawIconBesideText(dc, args.m_bHorizontal, args.m_strText, args.m_pIcon, layout.rcBody, rcText, bContentPushed,
                           args.m_bEnabled, args.m_bHover, args.m_nTextAlignment,
                           args.m_bForceRtl && args.m_bHorizontal);
    } else {
        if (args.m_bHorizontal)
            rcText.DeflateRect(0, CONTENT_INSET);
        else
            rcText.DeflateRect(CONTENT_INSET, 0);
        if (args.m_nGlyphCmd != 0)
            DrawSystemCommandGlyph(dc, args.m_nGlyphCmd, rcText, args.m_bHover, layout.bPushedLook, args.m_bEnabled);
    }
    if (!rcText.IsRectEmpty() && !args.m_strText.IsEmpty()) {
        CDCTextState saved(dc);
        if (bContentPushed)
            rcText.OffsetRect(shift.cx, shift.cy);
        dc.SetBkMode(TRANSPARENT);
        CFont vertical;
        HFONT hFont = args.m_hFont;
        if (!args.m_bHorizontal && hFont != nullptr) {
            LOGFONTA lf{};
            ::GetObjectA(hFont, sizeof(lf), &lf);
            if (lf.lfEscapement == 0) {
                lf.lfEscapement = lf.lfOrientation = VERTICAL_ESCAPEMENT;
                vertical.CreateFontIndirect(&lf);
                hFont = static_cast<HFONT>(vertical.GetSafeHandle());
            }
        }
        if (hFont == nullptr) {
            const CFont& font = args.m_bHorizontal ? (args.m_bDefault ? m_FontBold : m_FontNormal)
                                                   : (args.m_bDefault ? m_FontBoldVert : m_FontNormalVert);
            hFont = static_cast<HFONT>(font.GetSafeHandle());
        }
        ::SelectObject(dc.m_hDC, hFont);
        auto drawText = [&](const CRect& rc, COLORREF clr) {
            dc.SetTextColor(clr);
            if (args.m_bHorizontal) {
                UINT nFormat = args.m_bMultiLine ? DT_WORDBREAK : DT_SINGLELINE;
                if (args.IsRightToLeft())
                    nFormat |= DT_RTLREADING;
                CRect measured(0, 0, args.m_bMultiLine ? rc.Width() : 0, 0);
                dc.DrawText(args.m_strText, &measured, nFormat | DT_CALCRECT);
                CRect place(rc);
                if ((args.m_nTextAlignment & DT_CENTER) != 0)
                    place.left += (rc.Width() - measured.Width()) / 2;
                if ((args.m_nTextAlignment & DT_VCENTER) != 0)
                    place.top += (rc.Height() - measured.Height()) / 2;
                place.right = std::min(place.left + measured.Width(), rc.right);
                place.bottom = std::min(place.top + measured.Height(), rc.bottom);
                dc.DrawText(args.m_strText, &place, nFormat);
                return;
            }
            // The turned font shows no mnemonic underline: the '&' is dropped and the line drawn.
            CString strPlain(args.m_strText);
            const int nAmp = strPlain.Find('&');
            if (nAmp >= 0)
                strPlain.Delete(nAmp);
            TEXTMETRICA tm{};
            dc.GetTextMetrics(&tm);
            const int x = rc.left + (rc.Width() + tm.tmHeight) / 2;
            CRect place(x, rc.top, x + rc.Height(), rc.top + rc.Height());
            dc.DrawText(strPlain, &place, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
            if (nAmp >= 0 && nAmp < strPlain.GetLength()) {
                const int y0 = rc.top + MeasureTextWidth(dc, nullptr, strPlain.Left(nAmp));
                const int y1 = rc.top + MeasureTextWidth(dc, nullptr, strPlain.Left(nAmp + 1));
                const int xLine = rc.left + rc.Width() / 2 - MNEMONIC_UNDERLINE_OFFSET;
                dc.FillSolidRect(xLine, y0, 1, y1 - y0, clr);
            }
        };
        if (!args.m_bEnabled && bEmbossDisabled && args.m_clrForceTextDisabled == COLORREF(-1)) {
            CRect embossed(rcText);
            embossed.OffsetRect(1, 1);
            drawText(embossed, ColorByIndex(COLOR_BTNHIGHLIGHT, args.m_pOwner, args.m_lParam));
            drawText(rcText, ColorByIndex(COLOR_BTNSHADOW, args.m_pOwner, args.m_lParam));
        } else {
            drawText(rcText, clrText);
        }
    }
    if (args.m_bFocus) {
        CRect rcFocus(layout.rcBody);
        rcFocus.DeflateRect(FOCUS_INSET, FOCUS_INSET);
        dc.DrawFocusRect(&rcFocus);
    }
}

void CExtPaintManager::DrawPushButton(CDC& dc, CExtDrawPushButtonArgs& args)
{
    if (::IsRectEmpty(&args.m_rc))
        return;
    if (!args.m_bEnabled)
        args.m_bHover = args.m_bIndeterminate = args.m_bFocus = false;
    if (args.m_bSplit && (args.m_bPushed || args.m_bArrowPressed))
        args.m_bHover = false;
    CDCTextState saved(dc);
    const PushButtonLayout layout = LayoutPushButton(args);
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const bool bOverride = args.m_clrForceBk != COLORREF(-1);
    const COLORREF face = bOverride ? args.m_clrForceBk
                                    : clr((args.m_bHover || args.m_bPushed) ? CLRID_FACE_ALT : CLRID_FACE);
    const bool bDither = args.m_bEnabled && args.m_bHover && !bOverride;
    if (!args.m_bTransparent || bOverride) {
        auto fill = [&](const CRect& rc, bool bDithered) {
            if (bDithered)
                dc.FillRect(&rc, &m_brushBlend[0]);
            else
                dc.FillSolidRect(&rc, face);
        };
        if (!layout.rcArrow.IsRectEmpty())
            fill(layout.rcArrow, bDither && layout.bPushedLook);
        fill(layout.rcFace, bDither && args.m_bPushed);
    }
    const COLORREF sunkenA = clr(1007), sunkenB = clr(1005);
    const COLORREF raisedA = clr(CLRID_HILIGHT), raisedB = clr(CLRID_SHADOW);
    auto edge = [&](const CRect& rc, bool bSunken) {
        if (args.m_bFlat) {
            if (bSunken && args.m_bBorderWhenHot)
                dc.Draw3dRect(&rc, sunkenA, sunkenB);
            else if (!bSunken && args.m_bHover && args.m_bBorderWhenHot)
                dc.Draw3dRect(&rc, raisedA, raisedB);
            return;
        }
        if (bSunken)
            dc.Draw3dRect(&rc, sunkenA, sunkenB);
        else
            dc.Draw3dRect(&rc, raisedA, raisedB);
    };
    if (args.m_bSplit && !layout.rcArrow.IsRectEmpty())
        edge(layout.rcArrow, layout.bPushedLook);
    edge(layout.rcFace, args.m_bPushed);
    if (!args.m_bFlat && args.m_bHover && !args.m_bPushed) {
        CRect whole(args.m_rc);
        dc.Draw3dRect(&whole, clr(CLRID_SHADOW), clr(CLRID_DKSHADOW));
        whole.DeflateRect(1, 1);
        dc.Draw3dRect(&whole, raisedA, raisedB);
    }
    COLORREF clrText = args.m_clrForceTextNormal != COLORREF(-1) ? args.m_clrForceTextNormal : clr(COLOR_BTNTEXT);
    if (args.m_bEnabled && args.m_bHover && args.m_clrForceTextHover != COLORREF(-1))
        clrText = args.m_clrForceTextHover;
    if (args.m_bEnabled && args.m_bPushed && args.m_clrForceTextPressed != COLORREF(-1))
        clrText = args.m_clrForceTextPressed;
    if (!args.m_bEnabled && args.m_clrForceTextDisabled != COLORREF(-1))
        clrText = args.m_clrForceTextDisabled;
    DrawPushButtonContent(dc, args, layout, clrText, args.m_bPushed, true);
}

void CExtPaintManager::DrawChevronButton(CDC& dc, const RECT& rcIn, bool bHorizontal, bool bNoHiddenItems,
                                         bool bEnabled, bool bPushed, bool bHover, CObject* pOwner, LPARAM lParam,
                                         bool bTransparent)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    if (!IsVisible(dc, rc))
        return;
    CExtDrawPushButtonArgs args(this, bHorizontal, rc, "", nullptr, true, bHover, bPushed, false, bEnabled, true, false,
                                DT_CENTER | DT_VCENTER, nullptr, false, 0, false, bTransparent, lParam);
    DrawPushButton(dc, args);
    const SIZE shift = GetPressedShift();
    if (bPushed)
        rc.OffsetRect(shift.cx, shift.cy);
    const ChevronGlyphPlaces places =
        PlaceChevronGlyphs(rc, bHorizontal, CLASSIC_CHEVRON_GLYPHS, CHEVRON_GLYPH_MARGIN * std::max<int>(1, shift.cx));
    if (!bEnabled) {
        const COLORREF light[] = {0, ColorByIndex(COLOR_BTNHIGHLIGHT, pOwner, lParam)};
        const COLORREF dark[] = {0, ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam)};
        DrawGlyph(dc, places.ptArrow.x + 1, places.ptArrow.y + 1, *places.pArrow, light);
        DrawGlyph(dc, places.ptArrow.x, places.ptArrow.y, *places.pArrow, dark);
        return;
    }
    const COLORREF palette[] = {0, ColorByIndex(CLRID_TEXT, pOwner, lParam)};
    DrawGlyph(dc, places.ptArrow.x, places.ptArrow.y, *places.pArrow, palette);
    if (!bNoHiddenItems)
        DrawGlyph(dc, places.ptDouble.x, places.ptDouble.y, *places.pDouble, palette);
}

const CExtPaintManager::ChevronGlyphs CExtPaintManager::CLASSIC_CHEVRON_GLYPHS{
    CExtPaintGlyphSet::ChevronTriangleH, CExtPaintGlyphSet::ChevronTriangleV, CExtPaintGlyphSet::ChevronDoubleH,
    CExtPaintGlyphSet::ChevronDoubleV, false};

CExtPaintManager::ChevronGlyphPlaces CExtPaintManager::PlaceChevronGlyphs(const RECT& rcIn, bool bHorizontal,
                                                                          const ChevronGlyphs& glyphs, int nMargin)
{
    const CRect rc(rcIn);
    ChevronGlyphPlaces places{};
    places.pArrow = &g_PaintGlyphSet[bHorizontal ? glyphs.nArrowH : glyphs.nArrowV];
    places.pDouble = &g_PaintGlyphSet[bHorizontal ? glyphs.nDoubleH : glyphs.nDoubleV];
    const SIZE sizeArrow = places.pArrow->GetSize();
    const SIZE sizeDouble = places.pDouble->GetSize();
    // The far place gets the arrow and the near one the double chevron, unless they swap.
    auto farPlace = [&](SIZE size) {
        return bHorizontal ? POINT{rc.left + (rc.Width() - size.cx) / 2, rc.bottom - nMargin - size.cy}
                           : POINT{rc.left + nMargin, rc.top + (rc.Height() - size.cy) / 2};
    };
    auto nearPlace = [&](SIZE size) {
        return bHorizontal ? POINT{rc.left + (rc.Width() - size.cx) / 2, rc.top + nMargin}
                           : POINT{rc.right - nMargin - size.cx, rc.top + (rc.Height() - size.cy) / 2};
    };
    places.ptArrow = glyphs.bSwapped ? nearPlace(sizeArrow) : farPlace(sizeArrow);
    places.ptDouble = glyphs.bSwapped ? farPlace(sizeDouble) : nearPlace(sizeDouble);
    return places;
}

void CExtPaintManager::LoadTreeButtonIcon(CExtCmdIcon& icon, bool bExpanded)
{
    constexpr int BOX = 9;
    constexpr COLORREF FRAME = RGB(120, 152, 181);
    constexpr COLORREF CORNER = RGB(176, 194, 211);
    constexpr COLORREF SHADE_BOTTOM = RGB(192, 183, 166);
    constexpr COLORREF SIGN = RGB(0, 0, 0);
    constexpr COLORREF TRANSPARENT_KEY = RGB(255, 0, 255);
    icon.Clear();
    CDC dc;
    BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), BOX, BOX, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap == nullptr || !dc.CreateCompatibleDC(nullptr)) {
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        return;
    }
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    // White at the top shading to beige at the bottom inside the frame.
    for (int y = 1; y < BOX - 1; ++y) {
        const int t = y - 1;
        const int n = BOX - 3;
        const COLORREF shade = RGB(255 - (255 - GetRValue(SHADE_BOTTOM)) * t / n, 255 - (255 - GetGValue(SHADE_BOTTOM)) * t / n,
                                   255 - (255 - GetBValue(SHADE_BOTTOM)) * t / n);
        dc.FillSolidRect(1, y, BOX - 2, 1, shade);
    }
    dc.Draw3dRect(0, 0, BOX, BOX, FRAME, FRAME);
    for (const POINT pt : {POINT{0, 0}, POINT{BOX - 1, 0}, POINT{0, BOX - 1}, POINT{BOX - 1, BOX - 1}})
        dc.SetPixelV(pt.x, pt.y, CORNER);
    dc.FillSolidRect(2, BOX / 2, 5, 1, SIGN);
    if (!bExpanded)
        dc.FillSolidRect(BOX / 2, 2, 1, 5, SIGN);
    ::SelectObject(dc.m_hDC, hOld);
    icon.TakeHBITMAP(hBitmap, TRANSPARENT_KEY, nullptr, false);
}
