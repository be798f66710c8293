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
