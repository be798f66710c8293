// The Office 2003 gripper of a docked fixed-size bar: a rounded gradient background with the
// tool-bar outline, and a line of light-and-dark dots.
#include "ui/core/ExtPaintManagerOffice2003.h"

namespace {
constexpr int DOT_SIZE = 2;
constexpr int DOT_HIGHLIGHT_OFFSET = 1;
constexpr int DOT_PITCH = 4;  // the dot, its 1-pixel highlight offset and a 1-pixel gap
constexpr int DOT_MARGIN = 5;
constexpr int OUTLINE_INSET = 2;
constexpr int SCHEME_SPLIT_NUM = 2;
constexpr int SCHEME_SPLIT_DEN = 5;
constexpr int SILVER_SCHEME = 3;

// The owner's window and client rectangles in window coordinates, as the caption is given.
bool OwnerRects(CObject* pOwner, CRect& rcWindow, CRect& rcClient)
{
    auto* pWnd = pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(pOwner) : nullptr;
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return false;
    CRect rcScreen;
    pWnd->GetWindowRect(&rcScreen);
    pWnd->GetClientRect(&rcClient);
    pWnd->ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcScreen.left, -rcScreen.top);
    rcWindow.SetRect(0, 0, rcScreen.Width(), rcScreen.Height());
    return true;
}
} // namespace

int CExtPaintManagerOffice2003::CaptionBottomInClient(const CExtDrawBarCaptionArgs& args)
{
    CRect rcWindow, rcClient;
    if (!OwnerRects(args.m_pOwner, rcWindow, rcClient))
        return args.m_rcCaption.bottom;
    return rcClient.top + CAPTION_INTO_CLIENT;
}

void CExtPaintManagerOffice2003::PaintGripperBackground(CDC& dc, const CExtDrawBarCaptionArgs& args)
{
    CRect rcArea, rcClient;
    if (!OwnerRects(args.m_pOwner, rcArea, rcClient))
        return;
    // The window's own side, the far sides from the client area.
    if (args.m_bSideCaption)
        rcArea.SetRect(rcArea.left, rcClient.top, rcClient.right, rcClient.bottom);
    else
        rcArea.SetRect(rcClient.left, rcArea.top, rcClient.right, rcClient.bottom);
    if (rcArea.IsRectEmpty())
        return;
    const SIZE corner = GetButtonRedrawMargin();
    const HRGN hRound =
        ::CreateRoundRectRgn(rcArea.left, rcArea.top, rcArea.right + 1, rcArea.bottom + 1, corner.cx, corner.cy);
    if (hRound == nullptr)
        return;
    const int nSaved = dc.SaveDC();
    ::ExtSelectClipRgn(dc.m_hDC, hRound, RGN_AND);
    ::DeleteObject(hRound);
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    COLORREF F = 0;
    if (IsLunaThemeUsable() && GetTaskbandBaseColors(&F, nullptr)) {
        COLORREF dark = AdjustColorHLS(F, 0, -0.22, -0.25);
        if (GetColorSchemeId() == SILVER_SCHEME)
            dark = AdjustColorHLS(dark, 0.05, 0, 0.05);
        FillTwoPartGradient(dc, rcArea, AdjustColorHLS(F, 0, 0.75, 0.15), AdjustColorHLS(F, 0, 0.65, 0.15), dark,
                            args.m_bSideCaption, SCHEME_SPLIT_NUM, SCHEME_SPLIT_DEN);
    } else if (args.m_bSideCaption) {
        FillGradientRect(dc, rcArea, clr(3017), clr(3015), true);
    } else {
        FillGradientRect(dc, rcArea, clr(3015), clr(3017), false);
    }
    if (m_nIdxClrTbFillMargin >= 0) {
        const CRect rcLine = args.m_bSideCaption
                                 ? CRect(rcArea.left, rcArea.bottom - OUTLINE_INSET, rcArea.right,
                                         rcArea.bottom - OUTLINE_INSET + 1)
                                 : CRect(rcArea.right - OUTLINE_INSET, rcArea.top, rcArea.right - OUTLINE_INSET + 1,
                                         rcArea.bottom);
        dc.FillSolidRect(&rcLine, clr(m_nIdxClrTbFillMargin));
    }
    dc.RestoreDC(nSaved);
}

void CExtPaintManagerOffice2003::PaintGripperDots(CDC& dc, const CExtDrawBarCaptionArgs& args)
{
    CRect rcWindow, rcSpan;
    if (!OwnerRects(args.m_pOwner, rcWindow, rcSpan))
        rcSpan = args.m_rcCaption;
    const CRect& rcCaption = args.m_rcCaption;
    const COLORREF light = ColorByIndex(3002, args.m_pOwner, args.m_lParam);
    const COLORREF dark = ColorByIndex(3003, args.m_pOwner, args.m_lParam);
    auto dot = [&](int x, int y) {
        dc.FillSolidRect(x + DOT_HIGHLIGHT_OFFSET, y + DOT_HIGHLIGHT_OFFSET, DOT_SIZE, DOT_SIZE, light);
        dc.FillSolidRect(x, y, DOT_SIZE, DOT_SIZE, dark);
    };
    const int nCell = DOT_SIZE + DOT_HIGHLIGHT_OFFSET;
    if (args.m_bSideCaption) {
        // A column, aligned to its bottom end.
        const int nBottom = rcSpan.bottom - DOT_MARGIN - 1;
        const int nCount = (rcSpan.Height() - 2 * DOT_MARGIN) / DOT_PITCH;
        const int x = rcCaption.left + (rcCaption.Width() - nCell) / 2;
        for (int i = 0; i < nCount; ++i)
            dot(x, nBottom - (nCount - i) * DOT_PITCH);
    } else {
        // A row, aligned to its right end.
        const int nRight = rcSpan.right - DOT_MARGIN - 1;
        const int nCount = (rcSpan.Width() - 2 * DOT_MARGIN) / DOT_PITCH;
        const int y = rcCaption.top + (rcCaption.Height() - nCell) / 2;
        for (int i = 0; i < nCount; ++i)
            dot(nRight - (nCount - i) * DOT_PITCH, y);
    }
}
