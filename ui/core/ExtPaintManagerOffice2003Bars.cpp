// The Office 2003 look of bars: gradient backgrounds behind docked bars and their controls,
// tool-bar separators, chevrons and frames, edit frames and tab strips.
#include "ui/core/ExtPaintManagerOffice2003.h"

#include "ui/core/ExtPaintGlyphSet.h"

namespace {
constexpr int CHEVRON_CORNER = 5;
constexpr int SEPARATOR_INSET_TOP = 3;
constexpr int SEPARATOR_INSET_BOTTOM = 4;
constexpr int SEPARATOR_INSET_LEFT = 4;
constexpr int SEPARATOR_INSET_RIGHT = 5;
constexpr int EDIT_WINDOW_RINGS = 3;
constexpr int GRADIENT_BAR_MARGIN = 2;
// The scheme background's three colours, split at two fifths.
constexpr double SCHEME_LIGHT_TOP = 0.77;
constexpr double SCHEME_LIGHT_MIDDLE = 0.58;
constexpr double SCHEME_SATURATION = 0.15;
constexpr double SCHEME_DARK = -0.25;
constexpr int SCHEME_SPLIT_NUM = 2;
constexpr int SCHEME_SPLIT_DEN = 5;
// Without a colour scheme a resting chevron keeps three fifths of its face in the darker colour.
constexpr int PLAIN_CHEVRON_DARK_NUM = 3;
constexpr int PLAIN_CHEVRON_DARK_DEN = 5;

void Frame(CDC& dc, const RECT& rc, COLORREF clr) { dc.Draw3dRect(&rc, clr, clr); }

CWnd* AsWindow(CObject* pObject)
{
    CWnd* pWnd = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(pObject) : nullptr;
    return HwndOf(pWnd) != nullptr && ::IsWindow(HwndOf(pWnd)) ? pWnd : nullptr;
}
} // namespace

bool CExtPaintManagerOffice2003::IsDockedGradientBar(CObject* pBar) const
{
    return !IsPaletteDisplay() && IsFrameworkBar(pBar) && !IsBarFloating(pBar);
}

void CExtPaintManagerOffice2003::PaintDockedBarBackground(CDC& dc, const RECT& rcBar, bool bVerticalBar,
                                                          CObject* pOwner, LPARAM lParam)
{
    COLORREF clrFace = 0;
    if (GetTaskbandBaseColors(&clrFace, nullptr)) {
        FillTwoPartGradient(dc, rcBar, AdjustColorHLS(clrFace, 0, SCHEME_LIGHT_TOP, SCHEME_SATURATION),
                            AdjustColorHLS(clrFace, 0, SCHEME_LIGHT_MIDDLE, SCHEME_SATURATION),
                            AdjustColorHLS(clrFace, 0, SCHEME_DARK, SCHEME_DARK), !bVerticalBar, SCHEME_SPLIT_NUM,
                            SCHEME_SPLIT_DEN);
        return;
    }
    // Light at the top of a horizontal bar, at the left of a vertical one.
    const COLORREF light = ColorByIndex(3015, pOwner, lParam);
    const COLORREF dark = ColorByIndex(3017, pOwner, lParam);
    if (bVerticalBar)
        FillGradientRect(dc, rcBar, light, dark, false);
    else
        FillGradientRect(dc, rcBar, dark, light, true);
}

bool CExtPaintManagerOffice2003::DrawBackgroundBehind(bool bClientArea, CDC& dc, CWnd* pWnd, LPARAM lParam)
{
    if (IsPaletteDisplay() || AsWindow(pWnd) == nullptr)
        return false;
    CWnd* pBar = FindDockedBarAmongParents(pWnd);
    if (pBar == nullptr)
        return false;
    const HWND hWnd = HwndOf(pWnd);
    CRect rcBar;
    ::GetWindowRect(HwndOf(pBar), &rcBar);
    CRect rcTarget;
    if (bClientArea) {
        ::MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&rcBar), 2);
        ::GetClientRect(hWnd, &rcTarget);
    } else {
        CRect rcWnd;
        ::GetWindowRect(hWnd, &rcWnd);
        rcBar.OffsetRect(-rcWnd.left, -rcWnd.top);
        rcTarget.SetRect(0, 0, rcWnd.Width(), rcWnd.Height());
    }
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&rcTarget);
    PaintDockedBarBackground(dc, rcBar, IsBarDockedAtLeftOrRight(pBar), pBar, lParam);
    dc.RestoreDC(nSaved);
    return true;
}

void CExtPaintManagerOffice2003::DrawBarClientArea(CDC& dc, const RECT& rc, CWnd* pOwner, LPARAM lParam)
{
    if (!IsDockedGradientBar(pOwner)) {
        CExtPaintManagerXP::DrawBarClientArea(dc, rc, pOwner, lParam);
        return;
    }
    if (IsVisible(dc, rc))
        PaintDockedBarBackground(dc, rc, IsBarDockedAtLeftOrRight(pOwner), pOwner, lParam);
}

void CExtPaintManagerOffice2003::FillDockAreaBackground(CDC& dc, const RECT& rc, CWnd* pOwner, LPARAM lParam)
{
    if (IsPaletteDisplay()) {
        CExtPaintManagerXP::FillDockAreaBackground(dc, rc, pOwner, lParam);
        return;
    }
    // Dock areas carry the frame's face gradient, over which the docked bars paint their own.
    if (IsVisible(dc, rc))
        FillFaceBackground(false, dc, rc, rc, lParam);
}

void CExtPaintManagerOffice2003::DrawToolbarGradient(CDC& dc, CObject* pBar, LPARAM lParam)
{
    CWnd* pWnd = AsWindow(pBar);
    if (IsPaletteDisplay() || pWnd == nullptr)
        return;
    CRect rc;
    ::GetClientRect(HwndOf(pWnd), &rc);
    if (!IsVisible(dc, rc))
        return;
    PaintToolbarGradient(dc, rc, pBar, lParam);
    if (!IsMenuBarKind(pBar))
        Frame(dc, rc, ColorByIndex(XPCLR_MENU_BORDER, pBar, lParam));
}

void CExtPaintManagerOffice2003::PaintToolbarGradient(CDC& dc, const RECT& rcClient, CObject* pBar, LPARAM lParam)
{
    CRect inner(rcClient);
    inner.DeflateRect(1, 1);
    // Light at the top, dark at the bottom.
    FillGradientRect(dc, inner, ColorByIndex(3017, pBar, lParam), ColorByIndex(3015, pBar, lParam), true);
}

void CExtPaintManagerOffice2003::DrawMenuBorderOpenSide(CDC& dc, const RECT& rc, const RECT& rcExclude, int nSide,
                                                        CObject* pOwner, LPARAM lParam)
{
    CExtPaintManagerXP::DrawMenuBorderOpenSide(dc, rc, rcExclude, nSide, pOwner, lParam);
    MenuBarGeometry bar;
    const CRect ex(rcExclude);
    if (ex.IsRectEmpty() || !IsDockedGradientBar(pOwner) || !QueryMenuBarGeometry(pOwner, bar))
        return;
    if (bar.rcButton.IsRectEmpty()) {
        bar.rcButton = bar.rcBar;
        AdjustBarClientRect(pOwner, bar.rcButton);
    }
    // The button's far corners, away from the menu, are cut and show the bar's gradient; the
    // bar is laid over the exclude area so that its tracked button lands on it.
    CRect rcBar(bar.rcBar);
    rcBar.OffsetRect(ex.left - bar.rcButton.left, ex.top - bar.rcButton.top);
    POINT corners[2];
    switch (nSide) {
    case 1:
    case 2: {
        const int y = nSide == 2 ? ex.top : ex.bottom - 1;
        corners[0] = {ex.left, y};
        corners[1] = {ex.right - 1, y};
        break;
    }
    case 3:
    case 4: {
        const int x = nSide == 3 ? ex.left : ex.right - 1;
        corners[0] = {x, ex.top};
        corners[1] = {x, ex.bottom - 1};
        break;
    }
    default:
        return;
    }
    for (const POINT& pt : corners) {
        const CRect rcCorner(pt.x, pt.y, pt.x + 1, pt.y + 1);
        const int nSaved = dc.SaveDC();
        dc.IntersectClipRect(&rcCorner);
        PaintToolbarGradient(dc, rcBar, pOwner, lParam);
        dc.RestoreDC(nSaved);
    }
}

void CExtPaintManagerOffice2003::AdjustBarClientRect(CObject* pBar, RECT& rc) const
{
    if (IsBarBackgroundGradient(pBar))
        ::InflateRect(&rc, -GRADIENT_BAR_MARGIN, -GRADIENT_BAR_MARGIN);
    else
        CExtPaintManagerXP::AdjustBarClientRect(pBar, rc);
}

int CExtPaintManagerOffice2003::GetToolbarGripperExtent(CObject* pBar) const
{
    if (!IsPaletteDisplay() && IsBarFloating(pBar) && !IsBarFixedColumns(pBar))
        return 0;
    return CExtPaintManagerXP::GetToolbarGripperExtent(pBar);
}

bool CExtPaintManagerOffice2003::IsBarBackgroundGradient(CObject* pBar) const { return IsDockedGradientBar(pBar); }

void CExtPaintManagerOffice2003::DrawSeparatorLine(CDC& dc, const RECT& rc, bool bHorizontalBar, bool bTransparent,
                                                   CObject* pOwner, LPARAM lParam)
{
    const bool bStatusBar = IsStatusBarKind(pOwner);
    if (IsPaletteDisplay() || !(bStatusBar || IsToolBarKind(pOwner) || IsBarButtonKind(pOwner))) {
        CExtPaintManagerXP::DrawSeparatorLine(dc, rc, bHorizontalBar, bTransparent, pOwner, lParam);
        return;
    }
    if (!IsVisible(dc, rc))
        return;
    if (!bTransparent)
        dc.FillSolidRect(&rc, ColorByIndex(CLRID_FACE, pOwner, lParam));
    CRect line(rc);
    if (bHorizontalBar) {
        line.left = (rc.left + rc.right) / 2 - 1;
        line.right = line.left + 2;
        if (!bStatusBar) {
            line.top += SEPARATOR_INSET_TOP;
            line.bottom -= SEPARATOR_INSET_BOTTOM;
        }
    } else {
        line.top = (rc.top + rc.bottom) / 2 - 1;
        line.bottom = line.top + 2;
        if (!bStatusBar) {
            line.left += SEPARATOR_INSET_LEFT;
            line.right -= SEPARATOR_INSET_RIGHT;
        }
    }
    dc.Draw3dRect(&line, ColorByIndex(3011, pOwner, lParam), ColorByIndex(3010, pOwner, lParam));
}

void CExtPaintManagerOffice2003::DrawEditFrame(CDC& dc, CExtDrawEditFrameArgs& args)
{
    CRect r(args.m_rc);
    CRect outer(r);
    outer.InflateRect(EDIT_WINDOW_RINGS + 2, EDIT_WINDOW_RINGS + 2);
    if (!IsVisible(dc, outer))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    CWnd* pOwnerWnd = AsWindow(args.m_pOwner);
    CWnd* pBar = pOwnerWnd != nullptr ? FindDockedBarAmongParents(pOwnerWnd) : nullptr;
    if (IsToolBarKind(pBar)) {
        // The edit sits on the tool bar's gradient: it shows around the frame.
        CRect rcBar;
        ::GetClientRect(HwndOf(pBar), &rcBar);
        ::MapWindowPoints(HwndOf(pBar), ::GetParent(HwndOf(pOwnerWnd)), reinterpret_cast<POINT*>(&rcBar), 2);
        const int nSaved = dc.SaveDC();
        dc.IntersectClipRect(&outer);
        dc.ExcludeClipRect(&r);
        PaintDockedBarBackground(dc, rcBar, IsBarDockedAtLeftOrRight(pBar), pBar, args.m_lParam);
        dc.RestoreDC(nSaved);
    }
    for (int i = 0; i < EDIT_WINDOW_RINGS; ++i) {
        Frame(dc, r, clr(COLOR_WINDOW));
        r.InflateRect(1, 1);
    }
    // One highlight ring per highlight state; a resting frame gets a single face ring.
    const int nRings = args.m_bEnabled ? int(args.m_bHighlight) + int(args.m_bFocused) : 0;
    if (nRings == 0) {
        Frame(dc, r, clr(CLRID_FACE));
        return;
    }
    for (int i = 0; i < nRings; ++i) {
        Frame(dc, r, clr(XPCLR_HOVER_BORDER));
        r.InflateRect(1, 1);
    }
}

void CExtPaintManagerOffice2003::PaintComboFrame(CDC& dc, CExtDrawComboFrameArgs& args)
{
    CExtPaintManagerXP::PaintComboFrame(dc, args);
    CWnd* pOwnerWnd = AsWindow(args.m_pOwner);
    if (IsPaletteDisplay() || pOwnerWnd == nullptr || !IsToolBarKind(FindDockedBarAmongParents(pOwnerWnd)))
        return;
    CRect button(args.m_rc);
    if (!IsVisible(dc, button))
        return;
    // A tool-bar combo's button takes the bar buttons' state gradient.
    button.DeflateRect(2, 2);
    button.left = button.right - ::GetSystemMetrics(SM_CXHTHUMB);
    auto clr = [&](int n) { return ColorByIndex(n, args.m_pOwner, args.m_lParam); };
    const int nFirst = args.m_bPushed ? 3008 : args.m_bHover ? 3006 : 3004;
    FillGradientRect(dc, button, clr(nFirst + 1), clr(nFirst), true);
    const COLORREF palette[] = {0, clr(args.m_bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW)};
    DrawGlyphCentred(dc, button, g_PaintGlyphSet[CExtPaintGlyphSet::ChevronTriangleH], palette);
}

void CExtPaintManagerOffice2003::DrawBarFrame(CDC& dc, CExtDrawBarFrameArgs& args)
{
    if (args.m_bFloating || !IsDockedGradientBar(args.m_pOwner)) {
        CExtPaintManagerXP::DrawBarFrame(dc, args);
        return;
    }
    if (!IsVisible(dc, args.m_rcOuter))
        return;
    // A docked bar's frame shows the dock area it sits in.
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&args.m_rcClient);
    CWnd* pOwnerWnd = AsWindow(args.m_pOwner);
    FillDockAreaBackground(dc, args.m_rcOuter, pOwnerWnd, args.m_lParam);
    dc.RestoreDC(nSaved);
}

void CExtPaintManagerOffice2003::DrawChevronButton(CDC& dc, const RECT& rcIn, bool bHorizontal, bool bNoHiddenItems,
                                                   bool bEnabled, bool bPushed, bool bHover, CObject* pOwner,
                                                   LPARAM lParam, bool bTransparent)
{
    if (!IsToolBarKind(pOwner) || !IsDockedGradientBar(pOwner)) {
        CExtPaintManagerXP::DrawChevronButton(dc, rcIn, bHorizontal, bNoHiddenItems, bEnabled, bPushed, bHover, pOwner,
                                              lParam, bTransparent);
        return;
    }
    CRect rc(rcIn);
    rc.NormalizeRect();
    if (!IsVisible(dc, rc))
        return;
    auto clr = [&](int n) { return ColorByIndex(n, pOwner, lParam); };
    const int nFirst = bPushed ? 3008 : bHover ? 3006 : 3004;
    // Rounded at the bar's end, square where the chevron meets the buttons.
    HRGN hRound = ::CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, CHEVRON_CORNER, CHEVRON_CORNER);
    HRGN hJoin = bHorizontal
        ? ::CreateRoundRectRgn(rc.left, rc.top, rc.CenterPoint().x + 1, rc.bottom + 1, 0, 0)
        : ::CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.CenterPoint().y + 1, 0, 0);
    const int nSaved = dc.SaveDC();
    if (hRound != nullptr && hJoin != nullptr) {
        ::CombineRgn(hRound, hRound, hJoin, RGN_OR);
        ::ExtSelectClipRgn(dc.m_hDC, hRound, RGN_AND);
    }
    if (GetColorSchemeId() == 0 && !bHover && !bPushed) {
        dc.FillSolidRect(&rc, clr(nFirst));
        CRect dark(rc);
        if (bHorizontal)
            dark.top = dark.bottom - ::MulDiv(rc.Height(), PLAIN_CHEVRON_DARK_NUM, PLAIN_CHEVRON_DARK_DEN);
        else
            dark.left = dark.right - ::MulDiv(rc.Width(), PLAIN_CHEVRON_DARK_NUM, PLAIN_CHEVRON_DARK_DEN);
        dc.FillSolidRect(&dark, clr(nFirst + 1));
    } else if (bHorizontal) {
        FillGradientRect(dc, rc, clr(nFirst + 1), clr(nFirst), true);
    } else {
        FillGradientRect(dc, rc, clr(nFirst), clr(nFirst + 1), false);
    }
    dc.RestoreDC(nSaved);
    for (HRGN h : {hRound, hJoin})
        if (h != nullptr)
            ::DeleteObject(h);
    DrawChevronGlyphs(dc, rc, bHorizontal, bEnabled && !bNoHiddenItems, clr(3012), clr(3013));
}

void CExtPaintManagerOffice2003::DrawTabStripArea(CDC& dc, const RECT& rcWhole, int nReserved, const RECT& rcInner,
                                                  int nSide, bool bGroupMode, CWnd* pOwner, LPARAM lParam)
{
    if (IsPaletteDisplay()) {
        CExtPaintManagerXP::DrawTabStripArea(dc, rcWhole, nReserved, rcInner, nSide, bGroupMode, pOwner, lParam);
        return;
    }
    if (!IsVisible(dc, rcWhole))
        return;
    // The strip shades from the frame's face toward its darker end across its thickness.
    const COLORREF face = ColorByIndex(3000, pOwner, lParam);
    const COLORREF deep = ColorByIndex(3001, pOwner, lParam);
    if (nSide <= 1)
        FillGradientRect(dc, rcWhole, nSide == 0 ? face : deep, nSide == 0 ? deep : face, true);
    else
        FillGradientRect(dc, rcWhole, nSide == 2 ? deep : face, nSide == 2 ? face : deep, false);
    if (bGroupMode)
        return;
    const CRect edge = TabStripBodyEdge(rcInner, nSide);
    dc.FillSolidRect(&edge, ColorByIndex(3014, pOwner, lParam));
}

void CExtPaintManagerOffice2003::GetTabColorsOneNote(bool bSelected, bool bHot, COLORREF& clrBorderLight,
                                                     COLORREF& clrBorderDark, COLORREF& clrFillFrom,
                                                     COLORREF& clrFillTo, COLORREF& clrText)
{
    clrBorderLight = ColorByIndex(bHot ? XPCLR_HOVER_BORDER : 3014);
    clrBorderDark = ColorByIndex(COLOR_WINDOW);
    clrText = ColorByIndex(CLRID_TEXT);
    if (bSelected) {
        clrFillFrom = ColorByIndex(COLOR_WINDOW);
        clrFillTo = ColorByIndex(3000);
    } else if (bHot) {
        clrFillFrom = ColorByIndex(3006);
        clrFillTo = ColorByIndex(3007);
    } else {
        clrFillFrom = ColorByIndex(3015);
        clrFillTo = ColorByIndex(3017);
    }
}

void CExtPaintManagerOffice2003::GetTabColorsFlat(bool bSelected, bool, COLORREF& clrBorder, COLORREF& clrFillFrom,
                                                  COLORREF& clrFillTo, COLORREF& clrText)
{
    clrBorder = ColorByIndex(3014);
    clrFillFrom = clrFillTo = ColorByIndex(bSelected ? COLOR_WINDOW : 3000);
    clrText = ColorByIndex(CLRID_TEXT);
}
