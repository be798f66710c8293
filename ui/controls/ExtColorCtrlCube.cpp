// The cube modes of the colour picker: an isometric RGB (or CMY) cube with a box for the colour
// whose three handles drag the components.
#include "ui/controls/ExtColorCtrl.h"

#include "ui/core/ExtPaintManager.h"

#include <algorithm>

namespace {
constexpr int FULL = 255;
constexpr int COARSE_STEP = 4;
constexpr COLORREF WHITE = RGB(255, 255, 255);

BYTE Component(COLORREF clr, int n) { return n == 0 ? GetRValue(clr) : n == 1 ? GetGValue(clr) : GetBValue(clr); }

COLORREF WithComponent(COLORREF clr, int n, int v)
{
    BYTE c[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
    c[n] = static_cast<BYTE>(std::clamp(v, 0, FULL));
    return RGB(c[0], c[1], c[2]);
}

bool InPolygon(const POINT (&pts)[4], int x, int y)
{
    HRGN hRgn = ::CreatePolygonRgn(pts, 4, ALTERNATE);
    const bool bIn = hRgn != nullptr && ::PtInRegion(hRgn, x, y) != FALSE;
    if (hRgn != nullptr)
        ::DeleteObject(hRgn);
    return bIn;
}

void Line(CDC* pDC, POINT a, POINT b)
{
    ::MoveToEx(pDC->m_hDC, a.x, a.y, nullptr);
    ::LineTo(pDC->m_hDC, b.x, b.y);
}
} // namespace

COLORREF CExtColorCtrl::cmy_cube_data_t::ToCubeSpace(COLORREF clr) const
{
    return CExtPaintManager::InvertColor(clr);
}

void CExtColorCtrl::rgb_cube_data_t::DiscardCache()
{
    m_cacheCube.Destroy();
    EndTracking();
}

void CExtColorCtrl::rgb_cube_data_t::Layout(CDC* pDC, CPalette* pPalette, int nWidth, int nHeight, bool bKeepColors)
{
    if (nWidth != m_nWidth || nHeight != m_nHeight)
        m_cacheCube.Destroy();
    any_picker_data_t::Layout(pDC, pPalette, nWidth, nHeight, bKeepColors);
    RECT rc{m_nInset, m_nInset, m_nWidth - m_nInset, m_nHeight - m_nInset};
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w > h) {
        rc.left += (w - h) / 2;
        rc.right = rc.left + h;
    } else if (h > w) {
        rc.top += (h - w) / 2;
        rc.bottom = rc.top + w;
    }
    constexpr int kTrim = 3;
    if ((rc.right - rc.left) % 4 != 0)
        rc.right -= kTrim;
    if ((rc.bottom - rc.top) % 4 != 0)
        rc.bottom -= kTrim;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    m_rcCube = rc;
    const int cx = (rc.left + rc.right) / 2;
    const int nQuarter = (rc.bottom - rc.top) / 4;
    m_ptTop = POINT{cx, rc.top};
    m_ptCenter = POINT{cx, (rc.top + rc.bottom) / 2};
    m_ptLeft = POINT{rc.left, rc.bottom - nQuarter};
    m_ptRight = POINT{rc.right, rc.bottom - nQuarter};
    CalcColorBox();
    if (!m_cacheCube.IsValid())
        RenderCube();
}

void CExtColorCtrl::rgb_cube_data_t::RenderCube()
{
    // A square under 2 pixels has no half height to divide by: it draws nothing.
    if (!IsUsable())
        return;
    const int w = m_rcCube.right - m_rcCube.left, h = m_rcCube.bottom - m_rcCube.top;
    if (!m_cacheCube.Create(w, h))
        return;
    m_cacheCube.FillRect(0, 0, w, h, WHITE);
    const int n = h / 2, m = w / 2;
    const int nSize = IsCoarseDisplay() ? COARSE_STEP : 1;
    auto put = [&](int x, int y, int r, int g, int b) {
        m_cacheCube.FillRect(x, y, nSize, nSize, ToCubeSpace(RGB(r * FULL / n, g * FULL / n, b * FULL / n)));
    };
    for (int i = 0; i <= n; ++i) {
        for (int f = 0; f <= n; ++f) {
            put(m - f - 1, n + f / 2 - i, i, f, 0);
            put(m + f, n + f / 2 - i, i, 0, f);
        }
    }
    for (int d = 0; d <= n; ++d) {
        for (int f = 0; f <= n; ++f) {
            const int x = m + d - f, y = n + f / 2 + d / 2;
            put(x, y, 0, f, d);
            put(x - 1, y, 0, f, d);
        }
    }
}

void CExtColorCtrl::rgb_cube_data_t::CalcColorBox()
{
    const int n = HalfHeight();
    const COLORREF space = ToCubeSpace(m_clr);
    const int r = GetRValue(space), g = GetGValue(space), b = GetBValue(space);
    const POINT red{0, -r * n / FULL};
    const POINT green{-g * n / FULL, g * n / (2 * FULL)};
    const POINT blue{b * n / FULL, b * n / (2 * FULL)};
    auto at = [&](std::initializer_list<POINT> offsets) {
        POINT pt = m_ptCenter;
        for (const POINT& o : offsets) {
            pt.x += o.x;
            pt.y += o.y;
        }
        return pt;
    };
    m_ptHandleR = at({red});
    m_ptHandleG = at({green});
    m_ptHandleB = at({blue});
    m_ptRG = at({red, green});
    m_ptRB = at({red, blue});
    m_ptGB = at({green, blue});
    m_ptRGB = at({red, green, blue});
}

void CExtColorCtrl::rgb_cube_data_t::SetColor(COLORREF clr)
{
    any_picker_data_t::SetColor(clr);
    CalcColorBox();
}

void CExtColorCtrl::rgb_cube_data_t::Draw(CDC* pDC, CPalette*)
{
    if (!m_cacheCube.IsValid())
        RenderCube();
    if (!m_cacheCube.IsValid())
        return;
    CExtPaintManager::TransparentBltByMask(pDC->m_hDC, m_rcCube.left, m_rcCube.top, m_cacheCube.Width(),
                                           m_cacheCube.Height(), m_cacheCube.GetDC().m_hDC, 0, 0, m_cacheCube.Width(),
                                           m_cacheCube.Height(), WHITE);
    HGDIOBJ hOldPen = ::SelectObject(pDC->m_hDC, ::GetStockObject(BLACK_PEN));
    Line(pDC, m_ptTop, m_ptCenter);
    Line(pDC, m_ptCenter, m_ptRight);
    Line(pDC, m_ptLeft, m_ptCenter);
    ::SelectObject(pDC->m_hDC, ::GetStockObject(WHITE_PEN));
    const POINT edges[][2] = {{m_ptHandleR, m_ptRG}, {m_ptHandleR, m_ptRB}, {m_ptHandleG, m_ptRG},
                              {m_ptHandleG, m_ptGB}, {m_ptHandleB, m_ptRB}, {m_ptHandleB, m_ptGB},
                              {m_ptRG, m_ptRGB},     {m_ptRB, m_ptRGB},     {m_ptGB, m_ptRGB}};
    for (const auto& e : edges)
        Line(pDC, e[0], e[1]);
    ::SelectObject(pDC->m_hDC, hOldPen);
    for (const POINT& pt : {m_ptHandleR, m_ptHandleG, m_ptHandleB}) {
        RECT rc{pt.x - m_sizeHandle.cx, pt.y - m_sizeHandle.cy, pt.x + m_sizeHandle.cx + 1, pt.y + m_sizeHandle.cy + 1};
        pDC->Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
        ::InflateRect(&rc, -1, -1);
        pDC->Draw3dRect(&rc, WHITE, WHITE);
    }
}

void CExtColorCtrl::rgb_cube_data_t::BeginTracking(UINT nFlags, int x, int y)
{
    if (!IsUsable())
        return;
    const POINT handles[] = {m_ptHandleR, m_ptHandleG, m_ptHandleB};
    for (int i = 0; i < 3; ++i) {
        if (std::abs(x - handles[i].x) <= m_sizeHandle.cx && std::abs(y - handles[i].y) <= m_sizeHandle.cy) {
            m_nTrackingPart = PART_CUBE_RED + i;
            TrackMouse(nFlags, x, y);
            return;
        }
    }
    if (IsCoarseDisplay() || !m_cacheCube.IsValid())
        return;
    const int nQuarter = (m_rcCube.bottom - m_rcCube.top) / 4;
    const POINT faceLeft[4] = {m_ptLeft, POINT{m_rcCube.left, m_rcCube.top + nQuarter}, m_ptTop, m_ptCenter};
    const POINT faceRight[4] = {m_ptRight, POINT{m_rcCube.right, m_rcCube.top + nQuarter}, m_ptTop, m_ptCenter};
    const POINT faceBottom[4] = {m_ptLeft, POINT{m_ptCenter.x, m_rcCube.bottom}, m_ptRight, m_ptCenter};
    // With Ctrl a face keeps the component its plane does not show.
    int nKept = -1;
    if (InPolygon(faceLeft, x, y))
        nKept = 2;
    else if (InPolygon(faceRight, x, y))
        nKept = 1;
    else if (InPolygon(faceBottom, x, y))
        nKept = 0;
    if (nKept < 0)
        return;
    const COLORREF clrPixel = m_cacheCube.GetPixel(x - m_rcCube.left, y - m_rcCube.top);
    if (clrPixel == CLR_INVALID || clrPixel == WHITE)
        return;
    COLORREF clr = clrPixel;
    if ((nFlags & MK_CONTROL) != 0)
        clr = ToCubeSpace(WithComponent(ToCubeSpace(clrPixel), nKept, Component(ToCubeSpace(m_clr), nKept)));
    SetColor(clr);
}

void CExtColorCtrl::rgb_cube_data_t::TrackMouse(UINT, int x, int y)
{
    if (!IsUsable())
        return;
    int nComponent = 0;
    int v = 0;
    switch (m_nTrackingPart) {
    case PART_CUBE_RED:
        y = std::clamp(static_cast<int>(y), static_cast<int>(m_ptTop.y), static_cast<int>(m_ptCenter.y));
        v = (y - m_ptCenter.y) * FULL / (m_ptTop.y - m_ptCenter.y);
        nComponent = 0;
        break;
    case PART_CUBE_GREEN:
        x = std::clamp(static_cast<int>(x), static_cast<int>(m_ptLeft.x), static_cast<int>(m_ptCenter.x));
        v = m_ptLeft.x != m_ptCenter.x ? (x - m_ptCenter.x) * FULL / (m_ptLeft.x - m_ptCenter.x) : 0;
        nComponent = 1;
        break;
    case PART_CUBE_BLUE:
        x = std::clamp(static_cast<int>(x), static_cast<int>(m_ptCenter.x), static_cast<int>(m_ptRight.x));
        v = m_ptRight.x != m_ptCenter.x ? (x - m_ptCenter.x) * FULL / (m_ptRight.x - m_ptCenter.x) : 0;
        nComponent = 2;
        break;
    default:
        return;
    }
    const COLORREF space = ToCubeSpace(m_clr);
    if (Component(space, nComponent) == v)
        return;
    SetColor(ToCubeSpace(WithComponent(space, nComponent, v)));
}
