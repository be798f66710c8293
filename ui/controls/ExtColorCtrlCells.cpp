// The cell-based modes of the colour picker: honeycomb, grey scale, RGB and CMY mixers and the
// old/new pane.
#include "ui/controls/ExtColorCtrl.h"

#include "ui/core/ExtPaintManager.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int RINGS = 6;
constexpr int GREYS = 15;
constexpr int GREY_STEP = 15;
constexpr int COLUMN_CELLS = 256;
constexpr int COLUMN_MARGIN = 10;
constexpr float INV_SQRT3 = 0.57735026f;
constexpr double PI = 3.141592653589793;

// The six directions a ring walks, y downwards.
constexpr double RING_DIRECTIONS[6][2] = {{-0.5, 0.866}, {-1.0, 0.0}, {-0.5, -0.866},
                                          {0.5, -0.866}, {1.0, 0.0},  {0.5, 0.866}};

int RoundAway(float v) { return static_cast<int>(v < 0.0f ? v - 0.5f : v + 0.5f); }

void FillPolygon(CDC* pDC, const POINT* pts, int n, COLORREF clr)
{
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ hOldBrush = ::SelectObject(pDC->m_hDC, hBrush);
    HGDIOBJ hOldPen = ::SelectObject(pDC->m_hDC, hPen);
    ::Polygon(pDC->m_hDC, pts, n);
    ::SelectObject(pDC->m_hDC, hOldBrush);
    ::SelectObject(pDC->m_hDC, hOldPen);
    ::DeleteObject(hBrush);
    ::DeleteObject(hPen);
}

void FramePolygon(CDC* pDC, const POINT* pts, int n, COLORREF clr, int nWidth)
{
    HPEN hPen = ::CreatePen(PS_SOLID, nWidth, clr);
    HGDIOBJ hOldPen = ::SelectObject(pDC->m_hDC, hPen);
    ::MoveToEx(pDC->m_hDC, pts[n - 1].x, pts[n - 1].y, nullptr);
    ::PolylineTo(pDC->m_hDC, pts, static_cast<DWORD>(n));
    ::SelectObject(pDC->m_hDC, hOldPen);
    ::DeleteObject(hPen);
}

void FrameRectangle(CDC* pDC, RECT rc, int nInflate, COLORREF clr)
{
    ::InflateRect(&rc, nInflate, nInflate);
    pDC->Draw3dRect(&rc, clr, clr);
}

COLORREF Grey(int i) { return RGB(i, i, i); }
COLORREF Red(int i) { return RGB(i, 0, 0); }
COLORREF Green(int i) { return RGB(0, i, 0); }
COLORREF Blue(int i) { return RGB(0, 0, i); }
COLORREF Cyan(int i) { return RGB(255 - i, 255, 255); }
COLORREF Magenta(int i) { return RGB(255, 255 - i, 255); }
COLORREF Yellow(int i) { return RGB(255, 255, 255 - i); }

// The colour with component 0 (red), 1 (green) or 2 (blue) replaced.
COLORREF ReplaceComponent(COLORREF clr, int nComponent, int v)
{
    BYTE c[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
    c[std::clamp(nComponent, 0, 2)] = static_cast<BYTE>(v);
    return RGB(c[0], c[1], c[2]);
}
} // namespace

// --- cell_t -------------------------------------------------------------------------------------

CExtColorCtrl::cell_t::cell_t(COLORREF clr, const RECT& rc) : m_clr(clr), m_rect(rc) {}

void CExtColorCtrl::cell_t::SetHexagon(int cx, int cy, int c)
{
    const int h = c / 2;
    const float k = static_cast<float>(c) * INV_SQRT3 / 2.0f;
    const int up = RoundAway(static_cast<float>(cy) - k);
    const int down = RoundAway(static_cast<float>(cy) + k) + 1;
    m_arrPoints[0] = POINT{cx - h, up};
    m_arrPoints[1] = POINT{cx, cy - h};
    m_arrPoints[2] = POINT{cx + h, up};
    m_arrPoints[3] = POINT{cx + h, down};
    m_arrPoints[4] = POINT{cx, cy + h + 1};
    m_arrPoints[5] = POINT{cx - h, down};
    m_rect = RECT{cx - h, cy - h, cx + h, cy + h + 1};
    m_bHexagon = true;
}

void CExtColorCtrl::cell_t::Draw(CDC* pDC, bool bSelected, CPalette*) const
{
    if (!m_bHexagon) {
        if (bSelected) {
            FrameRectangle(pDC, m_rect, 3, RGB(0, 0, 0));
            FrameRectangle(pDC, m_rect, 2, RGB(255, 255, 255));
            FrameRectangle(pDC, m_rect, 1, RGB(0, 0, 0));
        }
        pDC->FillSolidRect(&m_rect, m_clr);
        return;
    }
    if (!bSelected) {
        FillPolygon(pDC, m_arrPoints, 6, m_clr);
        return;
    }
    // Corners pushed out: left and right by 2 across and 1 up or down, top and bottom by 2.
    POINT outer[6] = {m_arrPoints[0], m_arrPoints[1], m_arrPoints[2], m_arrPoints[3], m_arrPoints[4], m_arrPoints[5]};
    outer[0].x -= 2; outer[0].y -= 1;
    outer[1].y -= 2;
    outer[2].x += 2; outer[2].y -= 1;
    outer[3].x += 2; outer[3].y += 1;
    outer[4].y += 2;
    outer[5].x -= 2; outer[5].y += 1;
    FillPolygon(pDC, outer, 6, RGB(255, 255, 255));
    FillPolygon(pDC, m_arrPoints, 6, m_clr);
    FramePolygon(pDC, outer, 6, RGB(255, 255, 255), 3);
    FramePolygon(pDC, outer, 6, RGB(0, 0, 0), 1);
    FramePolygon(pDC, m_arrPoints, 6, RGB(0, 0, 0), 1);
}

bool CExtColorCtrl::cell_t::HitTest(POINT pt) const
{
    if (!m_bHexagon)
        return ::PtInRect(&m_rect, pt) != FALSE;
    HRGN hRgn = ::CreatePolygonRgn(m_arrPoints, 6, ALTERNATE);
    const bool bHit = hRgn != nullptr && ::PtInRegion(hRgn, pt.x, pt.y) != FALSE;
    if (hRgn != nullptr)
        ::DeleteObject(hRgn);
    return bHit;
}

// --- cell_based_data_t (mode 0 and the cell machinery) ----------------------------------------

void CExtColorCtrl::cell_based_data_t::Layout(CDC* pDC, CPalette* pPalette, int nWidth, int nHeight, bool bKeepColors)
{
    any_picker_data_t::Layout(pDC, pPalette, nWidth, nHeight, bKeepColors);
    // Every cell mode has fixed colours apart from the pane, which rebuilds on every colour.
    BuildCells();
}

void CExtColorCtrl::cell_based_data_t::DiscardCache()
{
    EndTracking();
}

void CExtColorCtrl::cell_based_data_t::BuildBasicColors()
{
    m_arrCells.RemoveAll();
    const int W = m_nWidth, H = m_nHeight;
    const int c = std::min(W / 16 + 2, (H - 10) / 16 + 2);
    const int cx = W / 2, cy = (H - 2 * c - 10) / 2;
    cell_t cell;
    cell.m_clr = RGB(255, 255, 255);
    cell.SetHexagon(cx, cy, c);
    m_arrCells.Add(cell);
    for (int i = 1; i <= RINGS; ++i) {
        int x = cx + i * c, y = cy;
        const double fLightness = (7.0 - i) / 7.0 + 0.1;
        for (const auto& dir : RING_DIRECTIONS) {
            for (int step = 0; step < i; ++step) {
                const double fDegrees = std::floor(std::atan2(static_cast<double>(y - cy), static_cast<double>(x - cx)) *
                                                   180.0 / PI);
                cell.m_clr = CExtPaintManager::HueDegreesLightSatToColor(fDegrees, fLightness, 1.0);
                cell.SetHexagon(x, y, c);
                m_arrCells.Add(cell);
                x += static_cast<int>(c * dir[0]);
                y += static_cast<int>(c * dir[1]);
            }
        }
    }
    // The grey row: white and black twice as large at the ends, greys alternately above and below.
    const int yLine = H - c - 5;
    int x = (W - c / 2 - 15 * c / 2 - 3 * c) / 2;
    cell.m_clr = RGB(255, 255, 255);
    cell.SetHexagon(x, yLine, 2 * c);
    m_arrCells.Add(cell);
    x += 2 * c;
    for (int j = 1; j <= GREYS; ++j) {
        const int nShift = 10 * c / 23;
        cell.m_clr = Grey(255 - GREY_STEP * j);
        cell.SetHexagon(x, (j % 2) != 0 ? yLine - nShift : yLine + nShift, c);
        m_arrCells.Add(cell);
        x += c / 2;
    }
    cell.m_clr = RGB(0, 0, 0);
    cell.SetHexagon(x + 3 * c / 2 - 1, yLine, 2 * c);
    m_arrCells.Add(cell);
}

void CExtColorCtrl::cell_based_data_t::CollectSelected(CArray<INT_PTR, INT_PTR>& arrSelected) const
{
    for (INT_PTR i = 0; i < m_arrCells.GetSize() && arrSelected.GetSize() < 2; ++i)
        if (m_arrCells[i].m_clr == m_clr)
            arrSelected.Add(i);
}

void CExtColorCtrl::cell_based_data_t::Draw(CDC* pDC, CPalette* pPalette)
{
    for (INT_PTR i = 0; i < m_arrCells.GetSize(); ++i)
        m_arrCells[i].Draw(pDC, false, pPalette);
    CArray<INT_PTR, INT_PTR> arrSelected;
    CollectSelected(arrSelected);
    for (INT_PTR i = 0; i < arrSelected.GetSize(); ++i)
        m_arrCells[arrSelected[i]].Draw(pDC, true, pPalette);
}

void CExtColorCtrl::cell_based_data_t::BeginTracking(UINT nFlags, int x, int y)
{
    m_nTrackingPart = PART_CELLS;
    TrackMouse(nFlags | MK_LBUTTON, x, y);
}

void CExtColorCtrl::cell_based_data_t::TrackMouse(UINT, int x, int y)
{
    if (m_nTrackingPart != PART_CELLS)
        return;
    for (INT_PTR i = 0; i < m_arrCells.GetSize(); ++i) {
        if (m_arrCells[i].HitTest(POINT{x, y})) {
            OnCellPicked(i);
            return;
        }
    }
}

void CExtColorCtrl::cell_based_data_t::OnCellPicked(INT_PTR nCell)
{
    SetColor(m_arrCells[nCell].m_clr);
}

void CExtColorCtrl::cell_based_data_t::AddColumn(int nOffsetX, COLORREF (*pfnColor)(int))
{
    const int W = m_nWidth, H = m_nHeight;
    const int d = W / 3 - 20;
    const int nCellHeight = std::max((H - 20) / COLUMN_CELLS, 2);
    for (int i = 0; i < COLUMN_CELLS; ++i) {
        const int top = i * (H - 20) / COLUMN_CELLS + COLUMN_MARGIN;
        m_arrCells.Add(cell_t(pfnColor(i), RECT{W / 2 - d / 2 + nOffsetX, top, W / 2 + d / 2 + nOffsetX, top + nCellHeight}));
    }
}

// --- grayscale_mixer_data_t (mode 6) ----------------------------------------------------------

void CExtColorCtrl::grayscale_mixer_data_t::BuildCells()
{
    m_arrCells.RemoveAll();
    AddColumn(0, Grey);
}

void CExtColorCtrl::grayscale_mixer_data_t::CollectSelected(CArray<INT_PTR, INT_PTR>& arrSelected) const
{
    const int r = GetRValue(m_clr);
    if (r == GetGValue(m_clr) && r == GetBValue(m_clr) && r < m_arrCells.GetSize())
        arrSelected.Add(r);
}

// --- diff_data_t (mode 15) --------------------------------------------------------------------

void CExtColorCtrl::diff_data_t::BuildCells()
{
    m_arrCells.RemoveAll();
    const int nHalf = m_nHeight / 2;
    m_arrCells.Add(cell_t(m_clr, RECT{0, 0, m_nWidth, nHalf}));
    m_arrCells.Add(cell_t(m_clrOld, RECT{0, nHalf, m_nWidth, 2 * nHalf}));
}

void CExtColorCtrl::diff_data_t::SetColor(COLORREF clr)
{
    any_picker_data_t::SetColor(clr);
    BuildCells();
}

void CExtColorCtrl::diff_data_t::SetOldColor(COLORREF clr)
{
    any_picker_data_t::SetOldColor(clr);
    BuildCells();
}

void CExtColorCtrl::diff_data_t::Draw(CDC* pDC, CPalette* pPalette)
{
    for (INT_PTR i = 0; i < m_arrCells.GetSize(); ++i)
        m_arrCells[i].Draw(pDC, false, pPalette);
}

// --- rgb_mixer_data_t (mode 5) and cmy_mixer_data_t (mode 8) ----------------------------------

void CExtColorCtrl::rgb_mixer_data_t::BuildCells()
{
    m_arrCells.RemoveAll();
    AddColumn(-(m_nWidth / 3), Red);
    AddColumn(0, Green);
    AddColumn(m_nWidth / 3, Blue);
}

void CExtColorCtrl::rgb_mixer_data_t::CollectSelected(CArray<INT_PTR, INT_PTR>& arrSelected) const
{
    if (m_arrCells.GetSize() < 3 * COLUMN_CELLS)
        return;
    arrSelected.Add(GetRValue(m_clr));
    arrSelected.Add(COLUMN_CELLS + GetGValue(m_clr));
    arrSelected.Add(2 * COLUMN_CELLS + GetBValue(m_clr));
}

void CExtColorCtrl::rgb_mixer_data_t::OnCellPicked(INT_PTR nCell)
{
    SetColor(ReplaceComponent(m_clr, static_cast<int>(nCell / COLUMN_CELLS), static_cast<int>(nCell % COLUMN_CELLS)));
}

void CExtColorCtrl::cmy_mixer_data_t::BuildCells()
{
    m_arrCells.RemoveAll();
    AddColumn(-(m_nWidth / 3), Cyan);
    AddColumn(0, Magenta);
    AddColumn(m_nWidth / 3, Yellow);
}

void CExtColorCtrl::cmy_mixer_data_t::CollectSelected(CArray<INT_PTR, INT_PTR>& arrSelected) const
{
    if (m_arrCells.GetSize() < 3 * COLUMN_CELLS)
        return;
    const COLORREF inks = CExtPaintManager::InvertColor(m_clr);
    arrSelected.Add(GetRValue(inks));
    arrSelected.Add(COLUMN_CELLS + GetGValue(inks));
    arrSelected.Add(2 * COLUMN_CELLS + GetBValue(inks));
}

void CExtColorCtrl::cmy_mixer_data_t::OnCellPicked(INT_PTR nCell)
{
    // The mixer works on the inks; picking replaces one ink.
    const COLORREF inks = ReplaceComponent(CExtPaintManager::InvertColor(m_clr), static_cast<int>(nCell / COLUMN_CELLS),
                                           static_cast<int>(nCell % COLUMN_CELLS));
    SetColor(CExtPaintManager::InvertColor(inks));
}
