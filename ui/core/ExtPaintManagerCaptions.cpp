// Classic bar captions and grippers, and the caption text the classic and XP bodies share.
#include "ui/core/ExtPaintManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int GRIPPER_OFFSET = 4;
constexpr int GRIPPER_BAR = 3;
constexpr int SIDE_TEXT_DEFLATE = 2;
constexpr int SIDE_TEXT_SHIFT_X = -2;
constexpr int SIDE_TEXT_SHIFT_Y = -3;
} // namespace

void CExtPaintManager::DrawBarCaptionText(CDC& dc, const CExtDrawBarCaptionArgs& args, const CRect& rcCaption,
                                          COLORREF clrText, bool bBold)
{
    const CRect rcText(args.m_rcText);
    if (args.m_strText.IsEmpty() || rcText.IsRectEmpty())
        return;
    const CFont& font = args.m_bSideCaption ? (bBold ? m_FontBoldVertXBC : m_FontNormalVertXBC)
                                            : (bBold ? m_FontBoldBC : m_FontNormalBC);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, font.GetSafeHandle());
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(clrText);
    if (args.m_bSideCaption) {
        LOGFONTA lf{};
        ::GetObjectA(font.GetSafeHandle(), sizeof(lf), &lf);
        const int nHeight = std::abs(lf.lfHeight);
        CRect place(rcText);
        place.left = rcText.left + (rcText.Width() - nHeight) / 2 + 1;
        place.right = place.left + rcText.Width();
        place.top = rcText.bottom;
        place.bottom = place.top + rcText.Height();
        place.DeflateRect(SIDE_TEXT_DEFLATE, SIDE_TEXT_DEFLATE);
        place.OffsetRect(SIDE_TEXT_SHIFT_X, SIDE_TEXT_SHIFT_Y);
        const int nSaved = dc.SaveDC();
        dc.ExcludeClipRect(rcCaption.left, rcCaption.top, rcCaption.right, rcText.top);
        dc.DrawText(args.m_strText, &place, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        dc.RestoreDC(nSaved);
    } else if (IsFixedSizeBarFrame(args.m_pOwner)) {
        // A floating tool bar's title is cut to what fits, without an ellipsis.
        CString text(args.m_strText);
        while (!text.IsEmpty() && dc.GetTextExtent(text).cx > rcText.Width())
            text = text.Left(text.GetLength() - 1);
        CRect place(rcText);
        const UINT nAlign = args.IsRightToLeft() ? DT_RIGHT : 0;
        dc.DrawText(text, &place, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | nAlign);
    } else {
        CRect place(rcText);
        const UINT nAlign = args.IsRightToLeft() ? DT_RIGHT : 0;
        dc.DrawText(args.m_strText, &place, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | nAlign);
    }
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    ::SelectObject(dc.m_hDC, hOldFont);
}

void CExtPaintManager::DrawBarCaption(CDC& dc, CExtDrawBarCaptionArgs& args)
{
    CRect rc(args.m_rcCaption);
    if (!IsVisible(dc, rc))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    if (!args.m_bFloating && !args.m_bBarCaption) {
        const COLORREF light = clr(CLRID_HILIGHT), dark = clr(CLRID_SHADOW);
        CRect bar;
        if (args.m_bSideCaption) {
            bar.SetRect(rc.left + GRIPPER_OFFSET, rc.top + 1, rc.left + GRIPPER_OFFSET + GRIPPER_BAR, rc.bottom);
            dc.Draw3dRect(&bar, light, dark);
            bar.OffsetRect(GRIPPER_BAR, 0);
        } else {
            bar.SetRect(rc.left + 1, rc.top + GRIPPER_OFFSET, rc.right - 1, rc.top + GRIPPER_OFFSET + GRIPPER_BAR);
            dc.Draw3dRect(&bar, light, dark);
            bar.OffsetRect(0, GRIPPER_BAR);
        }
        dc.Draw3dRect(&bar, light, dark);
        return;
    }
    if (!args.m_bFloating)
        rc.DeflateRect(1, 1);
    COLORREF clrText = clr(COLOR_HIGHLIGHTTEXT);
    if (args.m_bBarCaption) {
        const bool bActive = args.m_bActive || args.m_bFloating;
        clrText = clr(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
        COLORREF from = clr(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        COLORREF to = clr(bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
        if (!args.IsBackgroundDone()) {
            if (IsPaletteDisplay()) {
                dc.FillSolidRect(&rc, from);
            } else {
                if (!args.m_bSideCaption && args.IsRightToLeft())
                    std::swap(from, to);
                FillGradientRect(dc, rc, from, to, args.m_bSideCaption);
            }
        }
    } else if (!args.IsBackgroundDone()) {
        dc.FillSolidRect(&rc, clr(COLOR_HIGHLIGHT));
    }
    DrawBarCaptionText(dc, args, rc, clrText, !args.m_bBarCaption || args.m_bFloating);
}

void CExtPaintManager::DrawUndoRedoCaptionText(CDC& dc, const CRect& rcFrame, LPCSTR pszText)
{
    if (pszText == nullptr)
        return;
    LOGFONTA lf{};
    if (!::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
        return;
    lf.lfWeight = FW_NORMAL;
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return;
    const UINT nTabs = std::strchr(pszText, '\t') != nullptr ? DT_EXPANDTABS : 0;
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, font.GetSafeHandle());
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(ColorByIndex(COLOR_WINDOWTEXT));
    CRect measured(0, 0, 0, 0);
    dc.DrawText(pszText, -1, &measured, DT_CALCRECT | nTabs);
    CRect place(rcFrame);
    place.left += std::max(0, (rcFrame.Width() - measured.Width()) / 2);
    place.top += std::max(0, (rcFrame.Height() - measured.Height()) / 2);
    dc.DrawText(pszText, -1, &place, DT_END_ELLIPSIS | nTabs);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    ::SelectObject(dc.m_hDC, hOldFont);
}

void CExtPaintManager::PaintUndoRedoCaption(CDC& dc, const RECT& rc, LPCSTR pszText, CObject* pOwner, LPARAM lParam)
{
    if (!IsVisible(dc, rc))
        return;
    dc.FillSolidRect(&rc, GetControlFaceColor(pOwner, lParam));
    CRect frame(rc);
    frame.DeflateRect(3, 3);
    frame.OffsetRect(0, 1);
    dc.Draw3dRect(&frame, ColorByIndex(COLOR_BTNSHADOW, pOwner, lParam), ColorByIndex(COLOR_WINDOW, pOwner, lParam));
    DrawUndoRedoCaptionText(dc, frame, pszText);
}
