// The dock highlight's colouring.
#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtPaintManagerDockMarker.h"

#include <algorithm>
#include <new>

namespace {
constexpr COLORREF SECOND_STYLE_FILL = RGB(0, 64, 196);
constexpr double HIGHLIGHT_LIGHTEN = 0.1;

// How far inside the rectangle a point lies, not counting the sides that join the other part.
int Inset(const RECT& rc, int x, int y, bool bOpenBottom, bool bOpenTop)
{
    int d = std::min(x - rc.left, rc.right - 1 - x);
    if (!bOpenTop)
        d = std::min<int>(d, y - rc.top);
    if (!bOpenBottom)
        d = std::min<int>(d, rc.bottom - 1 - y);
    return d;
}
} // namespace

void CExtPaintManager::GetDockHighlightShape(DWORD* pBits, int cx, int cy, bool bTabShaped, const RECT& rcBody,
                                             const RECT& rcTab, COLORREF clrFill, COLORREF clrBorder, int nBorderWidth)
{
    if (pBits == nullptr || cx <= 0 || cy <= 0)
        return;
    const RECT rcWhole{0, 0, cx, cy};
    auto inShape = [&](int x, int y) {
        const POINT pt{x, y};
        return !bTabShaped ? true : (::PtInRect(&rcBody, pt) || ::PtInRect(&rcTab, pt));
    };
    if (IsPaletteDisplay()) {
        const COLORREF shadow = ColorByIndex(COLOR_BTNSHADOW);
        const DWORD px = (GetRValue(shadow) << 16) | (GetGValue(shadow) << 8) | GetBValue(shadow);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                if (((x + y) % 2) == 0 && inShape(x, y))
                    pBits[static_cast<size_t>(cy - 1 - y) * cx + x] = px;
        return;
    }
    if (clrFill == COLORREF(-1))
        clrFill = ::GetSysColor(COLOR_HIGHLIGHT);
    if (m_eDockMarkerStyle == 2)
        clrFill = SECOND_STYLE_FILL;
    if (clrBorder == COLORREF(-1) && nBorderWidth > 0)
        clrBorder = ::GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            if (!inShape(x, y))
                continue;
            int nInset = 0;
            const POINT pt{x, y};
            if (!bTabShaped) {
                nInset = Inset(rcWhole, x, y, false, false);
            } else if (::PtInRect(&rcBody, pt)) {
                // The body's bottom edge above the tab is the joint: no border there.
                const bool bOverTab = x >= rcTab.left && x < rcTab.right;
                nInset = Inset(rcBody, x, y, bOverTab, false);
            } else {
                nInset = Inset(rcTab, x, y, false, true);
            }
            const COLORREF target = nInset < nBorderWidth ? clrBorder : clrFill;
            DWORD& px = pBits[static_cast<size_t>(cy - 1 - y) * cx + x];
            const COLORREF mixed = RGB((((px >> 16) & 0xFF) + GetRValue(target)) / 2,
                                       (((px >> 8) & 0xFF) + GetGValue(target)) / 2, ((px & 0xFF) + GetBValue(target)) / 2);
            const COLORREF lit = AdjustColorHLS(mixed, 0, HIGHLIGHT_LIGHTEN, 0);
            px = (GetRValue(lit) << 16) | (GetGValue(lit) << 8) | GetBValue(lit);
        }
}

CExtPaintManager::DockMarkerWindowHooks CExtPaintManager::g_DockMarkerWindowHooks;

CExtPaintManager::DockMarkerBase* CExtPaintManager::CreateDockMarker()
{
    if (m_eDockMarkerStyle == 1)
        return new (std::nothrow) DockMarkerBase;
    if (m_eDockMarkerStyle == 2)
        return new (std::nothrow) DockMarkerBeta2;
    AfxThrowNotSupportedException();
}

bool CExtPaintManager::PrepareDockMarker(CWnd* pParent, int nKind, const RECT& rc, std::vector<CWnd*>& windows)
{
    if (g_DockMarkerWindowHooks.pfnDestroyAll != nullptr)
        g_DockMarkerWindowHooks.pfnDestroyAll(windows);
    windows.clear();
    DockMarkerBase marker;
    if (!marker.Prepare(false, nKind, rc))
        return false;
    return marker.CreateWindows(pParent, windows);
}

bool CExtPaintManager::AdjustDockMarkerBitmaps(int nKind, CBitmap& normal, COLORREF clrNormalKey, CBitmap& hover,
                                               COLORREF clrHoverKey)
{
    if (!IsDockMarkerStyleClassic(nKind) || nKind == 4)
        return false;
    if (!IsPaletteDisplay())
        return AdjustBitmapHLSInPlace(hover, clrHoverKey, 0, 0, 0.35, 0);
    const bool bHover = AdjustBitmapHLSInPlace(hover, clrHoverKey, 0, 0, 0.3, -1.0);
    const bool bNormal = AdjustBitmapHLSInPlace(normal, clrNormalKey, 0, 0, -0.15, -1.0);
    return bHover && bNormal;
}

void CExtPaintManager::DrawDockMarker(CDC& dc, const RECT& rcIn, int nKind, bool bHover, CObject* pMarkerWnd, LPARAM)
{
    if (m_eDockMarkerStyle != 2)
        return;
    const COLORREF clr = dc.GetNearestColor(RGB(0, 96, 196));
    const CRect rc(rcIn);
    auto hLine = [&](int x, int y, int cx) { dc.FillSolidRect(rc.left + x, rc.top + y, cx, 1, clr); };
    auto vLine = [&](int x, int y, int cy) { dc.FillSolidRect(rc.left + x, rc.top + y, 1, cy, clr); };
    if (bHover && IsDockMarkerWindowHovered(pMarkerWnd)) {
        // Three sides; the one toward the centre stays open.
        const int w = rc.Width(), h = rc.Height();
        if (nKind != 1)
            hLine(0, 0, w);
        if (nKind != 0)
            hLine(0, h - 1, w);
        if (nKind != 3)
            vLine(0, 0, h);
        if (nKind != 2)
            vLine(w - 1, 0, h);
        return;
    }
    if (nKind != 4)
        return;
    // The arm of the 88 x 88 cross whose marker the pointer is over.
    switch (QueryDockMarkerHoveredArm(pMarkerWnd)) {
    case 0: hLine(29, 0, 29); vLine(29, 0, 23); vLine(57, 0, 23); break;
    case 1: hLine(29, 87, 29); vLine(29, 64, 24); vLine(57, 64, 24); break;
    case 2: hLine(0, 29, 23); hLine(0, 57, 23); vLine(0, 29, 29); break;
    case 3: hLine(64, 29, 24); hLine(64, 57, 24); vLine(87, 29, 29); break;
    case 8: {
        const POINT diagonals[][2] = {{{23, 28}, {29, 22}}, {{58, 23}, {64, 29}}, {{58, 63}, {64, 57}}, {{23, 58}, {29, 64}}};
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, clr);
        CPen* pOld = dc.SelectObject(&pen);
        for (const auto& d : diagonals) {
            dc.MoveTo(rc.left + d[0].x, rc.top + d[0].y);
            dc.LineTo(rc.left + d[1].x, rc.top + d[1].y);
        }
        dc.SelectObject(pOld);
        break;
    }
    default: break;
    }
}
