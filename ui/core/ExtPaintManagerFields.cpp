// Text fields, in-place edits and split arrows of popup items, icon-and-text list items and the
// date picker's buttons, in the classic and the XP looks.
#include "ui/core/ExtPaintManagerXP.h"

#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtPaintGlyphSet.h"

namespace {
constexpr int FIELD_TEXT_LEFT = 5;
constexpr int FIELD_TEXT_MARGIN = 2;
constexpr int XP_INPLACE_TEXT_TOP = 3;
constexpr int ITEM_HIGHLIGHT_INFLATE = 2;
constexpr int TIP_BOX_INFLATE = 2;
constexpr LONG VERTICAL_ESCAPEMENT = 900;

void Frame(CDC& dc, const RECT& rc, COLORREF clr) { dc.Draw3dRect(&rc, clr, clr); }

int DropButtonWidth() { return ::GetSystemMetrics(SM_CXHTHUMB); }

// The rectangle's last cx pixels.
CRect RightPart(const RECT& rc, int cx)
{
    CRect part(rc);
    part.left = part.right - cx;
    return part;
}
} // namespace

void CExtPaintManager::DrawFieldDropArrow(CDC& dc, const RECT& rcButton, COLORREF clr)
{
    const COLORREF palette[] = {0, clr};
    DrawGlyphCentred(dc, rcButton, g_PaintGlyphSet[CExtPaintGlyphSet::ChevronTriangleH], palette);
}

void CExtPaintManager::DrawFieldText(CDC& dc, const RECT& rcText, const CString& strText, UINT nFormat, bool bEnabled,
                                     bool bRightToLeft)
{
    if (strText.IsEmpty())
        return;
    CRect rc(rcText);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, m_FontNormal.GetSafeHandle());
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(::GetSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
    dc.DrawText(strText, &rc, nFormat | (bRightToLeft ? DT_RIGHT | DT_RTLREADING : 0));
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    ::SelectObject(dc.m_hDC, hOldFont);
}

void CExtPaintManager::DrawMenuItemSplitPart(CDC& dc, const CExtDrawMenuItemArgs& args, bool bXpLook,
                                             COLORREF& clrArrow)
{
    if (!args.m_bSplitPopup || args.m_bGlyphArrow)
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const bool bRtl = args.IsRightToLeft();
    const CRect arrow = MenuItemArrowRect(args);
    const CRect sel(args.m_rcSelection);
    if (!args.m_bSelected) {
        const int x = bRtl ? arrow.right : arrow.left;
        DrawSeparatorLine(dc, CRect(x - 1, sel.top, x + 1, sel.bottom), true, true, args.m_pOwner, args.m_lParam);
        return;
    }
    // The arrow part runs from the arrow's near edge to the selection's far edge.
    CRect part(sel);
    if (bRtl)
        part.right = arrow.right;
    else
        part.left = arrow.left;
    if (bXpLook) {
        dc.FillSolidRect(&part, clr(XPCLR_PUSHED_HOVER_FILL));
        const int x = bRtl ? part.right : part.left - 1;
        dc.FillSolidRect(x, sel.top, 1, sel.Height(), clr(XPCLR_HOVER_BORDER));
        clrArrow = clr(COLOR_HIGHLIGHTTEXT);
    } else {
        if (args.m_bRarelyUsed)
            dc.FillRect(&part, &m_brushBlend[0]);
        else
            dc.FillSolidRect(&part, clr(CLRID_FACE));
        clrArrow = clr(COLOR_BTNTEXT);
    }
}

void CExtPaintManager::DrawMenuItemInplaceEdit(CDC& dc, const CExtDrawMenuItemArgs& args, bool bXpLook)
{
    if (::IsRectEmpty(&args.m_rcInplaceEdit))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const int nButton = DropButtonWidth();
    const bool bEnabled = args.m_bEnabled;
    CRect field(args.m_rcInplaceEdit);
    if (bXpLook)
        field.InflateRect(1, 2);
    else
        field.InflateRect(2, 2, 2, 3);
    if (args.m_bPopup)
        field.right += nButton;
    dc.FillSolidRect(&field, clr(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
    CRect rcText(field);
    if (bXpLook) {
        if (args.m_bPopup) {
            const CRect button = RightPart(field, nButton - 1);
            if (args.m_bSelected && bEnabled) {
                CExtDrawPushButtonArgs push(args.m_pOwner, true, button, "", nullptr, true, true,
                                            args.m_bInplaceDropPushed, false, true, true, false);
                DrawPushButton(dc, push);
                Frame(dc, field, clr(XPCLR_HOVER_BORDER));
            } else {
                if (bEnabled) {
                    CRect inner(button);
                    inner.DeflateRect(2, 2);
                    dc.FillSolidRect(&inner, clr(COLOR_BTNFACE));
                }
                Frame(dc, field, clr(bEnabled ? 2010 : 2011));
            }
            const COLORREF clrArrow = !bEnabled                                   ? ::GetSysColor(COLOR_BTNSHADOW)
                : (args.m_bSelected && args.m_bInplaceDropPushed) ? clr(XPCLR_PUSHED_HOVER_TEXT)
                                                                  : clr(COLOR_BTNTEXT);
            DrawFieldDropArrow(dc, button, clrArrow);
            rcText.right -= nButton;
        } else {
            Frame(dc, field, clr(args.m_bSelected ? XPCLR_HOVER_BORDER : bEnabled ? 2010 : 2011));
        }
        rcText.DeflateRect(FIELD_TEXT_LEFT, XP_INPLACE_TEXT_TOP, FIELD_TEXT_MARGIN, FIELD_TEXT_MARGIN);
    } else {
        if (args.m_bPopup) {
            if (bEnabled) {
                CExtDrawComboFrameArgs combo(args.m_pOwner, field, args.m_bSelected,
                                             args.m_bSelected && args.m_bInplaceDropPushed, true, args.m_lParam);
                PaintComboFrame(dc, combo);
            } else {
                CRect inner(field);
                inner.DeflateRect(2, 2);
                Frame(dc, inner, clr(COLOR_WINDOW));
                DrawFieldDropArrow(dc, RightPart(field, nButton), clr(COLOR_BTNTEXT));
            }
            rcText.DeflateRect(1, 1);
            rcText.right -= nButton;
        } else if (bEnabled) {
            Frame(dc, field, clr(COLOR_BTNFACE));
            rcText.DeflateRect(1, 1);
            if (args.m_bSelected)
                dc.Draw3dRect(&rcText, clr(COLOR_BTNSHADOW), clr(COLOR_BTNHIGHLIGHT));
            else
                Frame(dc, rcText, clr(COLOR_BTNFACE));
        } else {
            rcText.DeflateRect(2, 2);
            Frame(dc, rcText, clr(COLOR_WINDOW));
        }
        rcText.DeflateRect(FIELD_TEXT_LEFT, FIELD_TEXT_MARGIN, FIELD_TEXT_MARGIN, FIELD_TEXT_MARGIN);
    }
    DrawFieldText(dc, rcText, args.m_strInplaceEdit, DT_SINGLELINE | DT_NOPREFIX, bEnabled, args.IsRightToLeft());
}

void CExtPaintManager::DrawTextFieldBox(CDC& dc, CExtDrawTextFieldArgs& args)
{
    if (!IsVisible(dc, args.m_rcFrame) && !IsVisible(dc, args.m_rcField))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const bool bEnabled = args.Has(CExtDrawTextFieldArgs::ENABLED);
    const bool bHover = args.Has(CExtDrawTextFieldArgs::HOVER);
    const bool bPushed = args.Has(CExtDrawTextFieldArgs::PUSHED);
    CRect frame(args.m_rcFrame);
    if (!bEnabled)
        frame.DeflateRect(1, 2);
    if (args.Has(CExtDrawTextFieldArgs::DROP_BUTTON)) {
        if (bEnabled) {
            CExtDrawComboFrameArgs combo(args.m_pOwner, frame, bHover, bPushed, true, args.m_lParam);
            PaintComboFrame(dc, combo);
        } else {
            Frame(dc, frame, clr(COLOR_WINDOW));
            DrawFieldDropArrow(dc, RightPart(frame, DropButtonWidth()), clr(COLOR_BTNTEXT));
        }
    } else if (!bEnabled) {
        Frame(dc, frame, clr(COLOR_WINDOW));
    } else if (bHover || bPushed) {
        dc.Draw3dRect(&frame, clr(COLOR_BTNSHADOW), clr(COLOR_BTNHIGHLIGHT));
    }
    CRect field(args.m_rcField);
    if (!bEnabled)
        field.DeflateRect(0, 1);
    dc.FillSolidRect(&field, clr(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
    CRect rcText(args.m_rcField);
    rcText.left += FIELD_TEXT_LEFT;
    rcText.top += FIELD_TEXT_MARGIN;
    DrawFieldText(dc, rcText, args.m_strText, args.m_nFormat, bEnabled, IsLayoutRightToLeft());
}

void CExtPaintManagerXP::DrawTextFieldBox(CDC& dc, CExtDrawTextFieldArgs& args)
{
    if (!IsVisible(dc, args.m_rcFrame) && !IsVisible(dc, args.m_rcField))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const bool bEnabled = args.Has(CExtDrawTextFieldArgs::ENABLED);
    const bool bActive = args.Has(CExtDrawTextFieldArgs::HOVER) || args.Has(CExtDrawTextFieldArgs::PUSHED);
    const bool bPushed = args.Has(CExtDrawTextFieldArgs::PUSHED);
    CRect field(args.m_rcField);
    ++field.bottom;
    if (bActive || !bEnabled)
        field.InflateRect(1, 1);
    const bool bDrop = args.Has(CExtDrawTextFieldArgs::DROP_BUTTON);
    const int nButton = DropButtonWidth();
    CRect button;
    if (bDrop) {
        field.right += nButton;
        button = RightPart(field, nButton);
    }
    CRect fill(field);
    // An idle field shows the bar behind its button strip.
    if (bDrop && bEnabled && !bActive)
        fill.right = button.left + 4;
    dc.FillSolidRect(&fill, clr(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
    if (bDrop) {
        if (bEnabled && bActive) {
            CExtDrawPushButtonArgs push(args.m_pOwner, true, button, "", nullptr, true,
                                        args.Has(CExtDrawTextFieldArgs::HOVER), bPushed, false, true, true, false);
            DrawPushButton(dc, push);
        }
        DrawFieldDropArrow(dc, button, !bEnabled ? ::GetSysColor(COLOR_BTNSHADOW)
                                           : bPushed ? clr(XPCLR_PUSHED_HOVER_TEXT)
                                                     : clr(COLOR_BTNTEXT));
    }
    if (!bEnabled)
        Frame(dc, field, clr(2011));
    else if (bActive)
        Frame(dc, field, clr(XPCLR_HOVER_BORDER));
    CRect rcText(args.m_rcField);
    rcText.left += FIELD_TEXT_LEFT;
    rcText.top += FIELD_TEXT_MARGIN;
    DrawFieldText(dc, rcText, args.m_strText, args.m_nFormat, bEnabled, IsLayoutRightToLeft());
}

namespace {
// The icon the item shows: the one its flag picks, else whichever is usable.
CExtCmdIcon* ChosenIcon(const CExtDrawIconTextItemArgs& args)
{
    auto usable = [](CExtCmdIcon* p) { return p != nullptr && !p->HasNoImage(); };
    CExtCmdIcon* pChosen = args.Has(CExtDrawIconTextItemArgs::FIRST_ICON) ? args.m_pIconFirst : args.m_pIconSecond;
    if (usable(pChosen))
        return pChosen;
    return usable(args.m_pIconFirst) ? args.m_pIconFirst : (usable(args.m_pIconSecond) ? args.m_pIconSecond : nullptr);
}

// The tip box, the icon and the text; the highlight of the icon part is the look's.
bool DrawTipBox(CDC& dc, const CExtDrawIconTextItemArgs& args)
{
    if (!args.Has(CExtDrawIconTextItemArgs::TIP_STYLE))
        return false;
    CRect box(args.m_rcText);
    if (args.Has(CExtDrawIconTextItemArgs::INFO_COLORS) && !box.IsRectEmpty()
        && CExtPaintManager::IsVisible(dc, box)) {
        box.InflateRect(TIP_BOX_INFLATE, TIP_BOX_INFLATE);
        dc.FillSolidRect(&box, ::GetSysColor(COLOR_INFOBK));
        Frame(dc, box, ::GetSysColor(COLOR_3DDKSHADOW));
    }
    return true;
}

void DrawItemIcon(CDC& dc, const CExtDrawIconTextItemArgs& args)
{
    CExtCmdIcon* pIcon = ChosenIcon(args);
    HICON hIcon = pIcon != nullptr ? pIcon->MakeHICON() : nullptr;
    if (hIcon == nullptr)
        return;
    const CRect rc(args.m_rcIcon);
    ::DrawIconEx(dc.m_hDC, rc.left, rc.top, hIcon, rc.Width(), rc.Height(), 0, nullptr, DI_NORMAL);
}

void DrawItemText(CDC& dc, const CExtDrawIconTextItemArgs& args, COLORREF clrText)
{
    if (args.m_strText.IsEmpty())
        return;
    const CRect rcText(args.m_rcText);
    CRect clip(args.m_rcClip);
    clip.DeflateRect(1, 1);
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&clip);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(args.Has(CExtDrawIconTextItemArgs::INFO_COLORS) ? ::GetSysColor(COLOR_INFOTEXT) : clrText);
    HFONT hFont = args.m_hFont != nullptr ? args.m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (args.Has(CExtDrawIconTextItemArgs::VERTICAL)) {
        // Turned text runs upward from the middle of the item's bottom.
        LOGFONTA lf{};
        ::GetObjectA(hFont, sizeof(lf), &lf);
        lf.lfEscapement = lf.lfOrientation = VERTICAL_ESCAPEMENT;
        HFONT hTurned = ::CreateFontIndirectA(&lf);
        ::SelectObject(dc.m_hDC, hTurned != nullptr ? hTurned : hFont);
        const CSize extent = dc.GetTextExtent(args.m_strText);
        const int x = rcText.left + (rcText.Width() - extent.cy) / 2;
        const int y = rcText.bottom - (rcText.Height() - extent.cx) / 2;
        dc.ExtTextOut(x, y, ETO_CLIPPED, &clip, args.m_strText, nullptr);
        dc.RestoreDC(nSaved);
        if (hTurned != nullptr)
            ::DeleteObject(hTurned);
        return;
    }
    ::SelectObject(dc.m_hDC, hFont);
    CRect place(rcText);
    dc.DrawText(args.m_strText, &place, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    dc.RestoreDC(nSaved);
}
} // namespace

namespace {
// The highlight of a pushed or hovered item's icon part, its icon and its text.
struct ItemLook
{
    COLORREF fill, frameTopLeft, frameBottomRight, text;
};
void DrawIconTextItemParts(CDC& dc, const CExtDrawIconTextItemArgs& args, const ItemLook& look)
{
    const bool bActive = args.Has(CExtDrawIconTextItemArgs::PUSHED) || args.Has(CExtDrawIconTextItemArgs::HOVER);
    CRect part(args.m_rcIcon);
    part.InflateRect(ITEM_HIGHLIGHT_INFLATE, ITEM_HIGHLIGHT_INFLATE);
    if (bActive)
        dc.FillSolidRect(&part, look.fill);
    DrawItemIcon(dc, args);
    if (bActive)
        dc.Draw3dRect(&part, look.frameTopLeft, look.frameBottomRight);
    DrawItemText(dc, args, look.text);
}
} // namespace

void CExtPaintManager::DrawIconTextItem(CDC& dc, CExtDrawIconTextItemArgs& args)
{
    if (DrawTipBox(dc, args))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const bool bPushed = args.Has(CExtDrawIconTextItemArgs::PUSHED);
    const COLORREF dark = clr(COLOR_3DDKSHADOW);
    const COLORREF face = clr(COLOR_BTNFACE);
    DrawIconTextItemParts(dc, args, ItemLook{clr(COLOR_BTNSHADOW), bPushed ? dark : face, bPushed ? face : dark,
                                             clr(COLOR_BTNHIGHLIGHT)});
}

void CExtPaintManagerXP::DrawIconTextItem(CDC& dc, CExtDrawIconTextItemArgs& args)
{
    if (DrawTipBox(dc, args))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const COLORREF border = clr(XPCLR_HOVER_BORDER);
    DrawIconTextItemParts(dc, args,
                          ItemLook{clr(args.Has(CExtDrawIconTextItemArgs::PUSHED) ? XPCLR_PUSHED_HOVER_FILL : CLRID_FACE_ALT),
                                   border, border, clr(COLOR_BTNTEXT)});
}

void CExtPaintManager::DrawCalendarButton(CDC& dc, const RECT& rc, int, LPCSTR pszText, bool bFlat, bool bEnabled,
                                          bool bPushed, bool bHover, CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    CExtDrawPushButtonArgs args(pOwner, true, rc, pszText, nullptr, bFlat, bHover, bPushed, false, bEnabled, false,
                                false, DT_CENTER | DT_VCENTER, nullptr, false, 0, false, false, lParam);
    DrawPushButton(dc, args);
}
