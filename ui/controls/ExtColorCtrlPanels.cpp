// The panel-and-slider modes of the colour picker: hue/saturation/lightness mixer, basic hue,
// wheel and the six planes through the RGB and CMY cubes.
#include "ui/controls/ExtColorCtrl.h"

#include "ui/core/ExtPaintManager.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double TWO_PI = 6.283185307179586;
constexpr int COARSE_STEP = 4;
constexpr int PANEL_MARKER_SIZE = 6;
constexpr int SLIDER_MARKER_WIDTH = 6;
constexpr int FULL = 255;

double Ratio(int a, int b) { return b > 0 ? static_cast<double>(a) / b : 0.0; }
int Scale255(int v, int nExtent) { return nExtent > 0 ? std::min(v * FULL / nExtent, FULL) : 0; }

// Hue 0..1 of the direction from the point to the centre, as the wheel is drawn.
double WheelHue(int cx, int cy, int x, int y)
{
    double h = std::atan2(static_cast<double>(cy - y), static_cast<double>(cx - x)) / TWO_PI;
    if (h < 0.0)
        h += 1.0;
    return h;
}
} // namespace

// --- hsl_panel_data_t (mode 1 and the family's frame) -----------------------------------------

void CExtColorCtrl::hsl_panel_data_t::Layout(CDC* pDC, CPalette* pPalette, int nWidth, int nHeight, bool bKeepColors)
{
    const bool bResized = nWidth != m_nWidth || nHeight != m_nHeight;
    any_picker_data_t::Layout(pDC, pPalette, nWidth, nHeight, bKeepColors);
    if (bResized) {
        m_cachePanel.Destroy();
        m_cacheSlider.Destroy();
        m_bPanelValid = m_bSliderValid = false;
        m_nTrackingPart = PART_NONE;
    }
    m_nPanelWidth = m_nSliderWidth = std::max(m_nWidth - 2 * m_nMargin, 1);
    m_nPanelHeight = std::max(m_nHeight - 3 * m_nMargin - m_nSliderHeightSetting, 1);
    m_nSliderHeight = m_nSliderHeightSetting;
    PreparePanelBitmap(pDC, pPalette);
    PrepareSliderBitmap(pDC, pPalette);
}

void CExtColorCtrl::hsl_panel_data_t::DiscardCache()
{
    m_cachePanel.Destroy();
    m_cacheSlider.Destroy();
    m_bPanelValid = m_bSliderValid = false;
    EndTracking();
}

void CExtColorCtrl::hsl_panel_data_t::PreparePanelBitmap(CDC*, CPalette*)
{
    if (m_cachePanel.IsValid() && m_bPanelValid && m_cachePanel.Width() == m_nPanelWidth &&
        m_cachePanel.Height() == m_nPanelHeight)
        return;
    if (!m_cachePanel.Create(m_nPanelWidth, m_nPanelHeight))
        return;
    RenderPanel();
    m_bPanelValid = true;
}

void CExtColorCtrl::hsl_panel_data_t::PrepareSliderBitmap(CDC*, CPalette*)
{
    if (m_cacheSlider.IsValid() && m_bSliderValid && m_cacheSlider.Width() == m_nSliderWidth &&
        m_cacheSlider.Height() == m_nSliderHeight)
        return;
    if (!m_cacheSlider.Create(m_nSliderWidth, m_nSliderHeight))
        return;
    RenderSlider();
    m_bSliderValid = true;
}

void CExtColorCtrl::hsl_panel_data_t::RenderPanel()
{
    const int nStep = IsCoarseDisplay() ? COARSE_STEP : 1;
    for (int y = 0; y < m_nPanelHeight; y += nStep)
        for (int x = 0; x < m_nPanelWidth; x += nStep)
            m_cachePanel.FillRect(x, y, nStep, nStep, PanelColorAt(x, y));
}

void CExtColorCtrl::hsl_panel_data_t::RenderSlider()
{
    const int nStep = IsCoarseDisplay() ? COARSE_STEP : 1;
    for (int x = 0; x < m_nSliderWidth; x += nStep)
        m_cacheSlider.FillRect(x, 0, nStep, m_nSliderHeight, SliderColorAt(x));
}

COLORREF CExtColorCtrl::hsl_panel_data_t::PanelColorAt(int x, int y) const
{
    return CExtPaintManager::HueLightSatToColor(Ratio(x, m_nPanelWidth), 0.5,
                                                Ratio(m_nPanelHeight - y - 1, m_nPanelHeight));
}

COLORREF CExtColorCtrl::hsl_panel_data_t::SliderColorAt(int x) const
{
    return CExtPaintManager::HueLightSatToColor(m_fHue, Ratio(x, m_nSliderWidth), m_fSaturation);
}

POINT CExtColorCtrl::hsl_panel_data_t::GetPanelMarker() const
{
    return POINT{m_nMarkerX, m_nMarkerY};
}

double CExtColorCtrl::hsl_panel_data_t::GetSliderValue() const
{
    return m_fLightness;
}

void CExtColorCtrl::hsl_panel_data_t::CopyPanel(CDC* pDC)
{
    ::BitBlt(pDC->m_hDC, m_nMargin, m_nMargin, m_nPanelWidth, m_nPanelHeight, m_cachePanel.GetDC().m_hDC, 0, 0,
             SRCCOPY);
}

void CExtColorCtrl::hsl_panel_data_t::Draw(CDC* pDC, CPalette* pPalette)
{
    PreparePanelBitmap(pDC, pPalette);
    PrepareSliderBitmap(pDC, pPalette);
    if (m_cachePanel.IsValid())
        CopyPanel(pDC);
    if (m_cacheSlider.IsValid())
        ::BitBlt(pDC->m_hDC, m_nMargin, SliderTop(), m_nSliderWidth, m_nSliderHeight, m_cacheSlider.GetDC().m_hDC, 0,
                 0, SRCCOPY);
    const POINT ptPanel = GetPanelMarker();
    DrawMarker(pDC, POINT{m_nMargin + ptPanel.x, m_nMargin + ptPanel.y}, SIZE{PANEL_MARKER_SIZE, PANEL_MARKER_SIZE});
    const int xSlider = m_nMargin + static_cast<int>(m_nSliderWidth * GetSliderValue());
    DrawMarker(pDC, POINT{xSlider, m_nPanelHeight + m_nSliderHeight / 2 + 2 * m_nMargin},
               SIZE{SLIDER_MARKER_WIDTH, m_nSliderHeight});
}

void CExtColorCtrl::hsl_panel_data_t::DrawMarker(CDC* pDC, POINT pt, SIZE size)
{
    RECT rc{pt.x - size.cx / 2, pt.y - size.cy / 2, 0, 0};
    rc.right = rc.left + size.cx;
    rc.bottom = rc.top + size.cy;
    pDC->Draw3dRect(&rc, RGB(255, 255, 255), RGB(255, 255, 255));
    ::InflateRect(&rc, 1, 1);
    pDC->Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
}

int CExtColorCtrl::hsl_panel_data_t::HitTestPart(int, int y) const
{
    return y > SliderTop() ? PART_SLIDER : PART_PANEL;
}

void CExtColorCtrl::hsl_panel_data_t::BeginTracking(UINT nFlags, int x, int y)
{
    if (!m_cachePanel.IsValid())
        return;
    m_nTrackingPart = HitTestPart(x, y);
    if (m_nTrackingPart != PART_NONE)
        TrackMouse(nFlags | MK_LBUTTON, x, y);
}

void CExtColorCtrl::hsl_panel_data_t::TrackMouse(UINT nFlags, int x, int y)
{
    if ((nFlags & MK_LBUTTON) == 0 || !m_cachePanel.IsValid())
        return;
    if (m_nTrackingPart == PART_SLIDER) {
        OnTrackSlider(std::clamp(x - m_nMargin, 0, m_nSliderWidth));
    } else if (m_nTrackingPart == PART_PANEL) {
        const int px = (nFlags & MK_CONTROL) != 0 ? m_nMarkerX : std::clamp(x - m_nMargin, 0, m_nPanelWidth);
        const int py = (nFlags & MK_SHIFT) != 0 ? m_nMarkerY : std::clamp(y - m_nMargin, 0, m_nPanelHeight);
        OnTrackPanel(px, py, x, y);
    }
}

void CExtColorCtrl::hsl_panel_data_t::OnTrackSlider(int t)
{
    SetHueLightSat(m_fHue, Ratio(t, m_nSliderWidth), m_fSaturation);
}

void CExtColorCtrl::hsl_panel_data_t::OnTrackPanel(int px, int py, int, int)
{
    SetHueLightSat(Ratio(px, m_nPanelWidth), m_fLightness, Ratio(m_nPanelHeight - py, m_nPanelHeight));
    m_nMarkerX = px;
    m_nMarkerY = py;
    m_bSliderValid = false;
}

void CExtColorCtrl::hsl_panel_data_t::SetColor(COLORREF clr)
{
    any_picker_data_t::SetColor(clr);
    m_nMarkerX = static_cast<int>(m_nPanelWidth * m_fHue);
    m_nMarkerY = static_cast<int>(m_nPanelHeight - m_nPanelHeight * m_fSaturation - 1);
    m_bSliderValid = false;
}

// --- hsl_basic_hue_data_t (mode 2) ------------------------------------------------------------

void CExtColorCtrl::hsl_basic_hue_data_t::SetColor(COLORREF clr)
{
    any_picker_data_t::SetColor(clr);
    m_bPanelValid = false;
}

COLORREF CExtColorCtrl::hsl_basic_hue_data_t::PanelColorAt(int x, int y) const
{
    return CExtPaintManager::HueLightSatToColor(m_fHue, Ratio(m_nPanelHeight - y - 1, m_nPanelHeight),
                                                Ratio(x, m_nPanelWidth));
}

COLORREF CExtColorCtrl::hsl_basic_hue_data_t::SliderColorAt(int x) const
{
    return CExtPaintManager::HueLightSatToColor(Ratio(x, m_nSliderWidth), 0.5, 1.0);
}

POINT CExtColorCtrl::hsl_basic_hue_data_t::GetPanelMarker() const
{
    return POINT{static_cast<int>(m_nPanelWidth * m_fSaturation),
                 static_cast<int>(m_nPanelHeight - m_nPanelHeight * m_fLightness)};
}

double CExtColorCtrl::hsl_basic_hue_data_t::GetSliderValue() const
{
    return m_fHue;
}

void CExtColorCtrl::hsl_basic_hue_data_t::OnTrackSlider(int t)
{
    SetHueLightSat(Ratio(t, m_nSliderWidth), m_fLightness, m_fSaturation);
    m_bPanelValid = false;
}

void CExtColorCtrl::hsl_basic_hue_data_t::OnTrackPanel(int px, int py, int, int)
{
    SetHueLightSat(m_fHue, Ratio(m_nPanelHeight - py, m_nPanelHeight), Ratio(px, m_nPanelWidth));
    m_nMarkerX = px;
    m_nMarkerY = py;
}

// --- hsl_roller_data_t (mode 3) ---------------------------------------------------------------

void CExtColorCtrl::hsl_roller_data_t::Layout(CDC* pDC, CPalette* pPalette, int nWidth, int nHeight,
                                              bool bKeepColors)
{
    const bool bResized = nWidth != m_nWidth || nHeight != m_nHeight;
    if (bResized) {
        m_cachePanel.Destroy();
        m_bPanelValid = false;
    }
    // The wheel is placed before the panel bitmap is rendered from it.
    const int nPanelWidth = std::max(std::max(nWidth, 1) - 2 * m_nMargin, 1);
    const int nPanelHeight = std::max(std::max(nHeight, 1) - 3 * m_nMargin - m_nSliderHeightSetting, 1);
    m_nCenterX = nPanelWidth / 2;
    m_nCenterY = nPanelHeight / 2;
    // A panel of a few pixels would give a zero radius and a saturation of 0 / 0.
    m_nRadius = std::max((std::min(nPanelWidth, nPanelHeight) - m_nMargin) / 2, 1);
    m_rgnEllipse.DeleteObject();
    m_rgnHit.DeleteObject();
    m_rgnEllipse.CreateEllipticRgn(m_nCenterX - m_nRadius, m_nCenterY - m_nRadius, m_nCenterX + m_nRadius + 1,
                                   m_nCenterY + m_nRadius + 1);
    const int nHit = m_nRadius + HIT_GROWTH;
    m_rgnHit.CreateEllipticRgn(m_nCenterX - nHit, m_nCenterY - nHit, m_nCenterX + nHit + 1, m_nCenterY + nHit + 1);
    hsl_panel_data_t::Layout(pDC, pPalette, nWidth, nHeight, bKeepColors);
}

double CExtColorCtrl::hsl_roller_data_t::HueAt(int px, int py) const
{
    return WheelHue(m_nCenterX, m_nCenterY, px, py);
}

void CExtColorCtrl::hsl_roller_data_t::RenderPanel()
{
    m_cachePanel.FillRect(0, 0, m_nPanelWidth, m_nPanelHeight, RGB(255, 255, 255));
    const double r2 = static_cast<double>(m_nRadius) * m_nRadius;
    const bool bCoarse = IsCoarseDisplay();
    const int nStep = bCoarse ? COARSE_STEP : 1;
    for (int j = 0; j < m_nPanelHeight; j += nStep) {
        for (int i = 0; i < m_nPanelWidth; i += nStep) {
            const double dx = m_nCenterX - i, dy = m_nCenterY - j;
            const double d2 = dx * dx + dy * dy;
            if (d2 > r2)
                continue;
            const COLORREF clr = CExtPaintManager::HueLightSatToColor(HueAt(i, j), 0.5, d2 / r2);
            if (!bCoarse) {
                m_cachePanel.SetPixel(i, j, clr);
                continue;
            }
            // Squares are clipped to the circle.
            for (int y = j; y < j + nStep; ++y)
                for (int x = i; x < i + nStep; ++x)
                    if (m_rgnEllipse.PtInRegion(x, y))
                        m_cachePanel.SetPixel(x, y, clr);
        }
    }
}

void CExtColorCtrl::hsl_roller_data_t::CopyPanel(CDC* pDC)
{
    CExtPaintManager::TransparentBltByMask(pDC->m_hDC, m_nMargin, m_nMargin, m_nPanelWidth, m_nPanelHeight,
                                           m_cachePanel.GetDC().m_hDC, 0, 0, m_nPanelWidth, m_nPanelHeight,
                                           RGB(255, 255, 255));
}

POINT CExtColorCtrl::hsl_roller_data_t::GetPanelMarker() const
{
    const double d = std::sqrt(m_fSaturation) * m_nRadius;
    return POINT{static_cast<int>(m_nCenterX - d * std::cos(TWO_PI * m_fHue)),
                 static_cast<int>(m_nCenterY - d * std::sin(TWO_PI * m_fHue))};
}

int CExtColorCtrl::hsl_roller_data_t::HitTestPart(int x, int y) const
{
    if (m_rgnHit.GetSafeHandle() != nullptr && m_rgnHit.PtInRegion(x - m_nMargin, y - m_nMargin))
        return PART_PANEL;
    return y > SliderTop() ? PART_SLIDER : PART_NONE;
}

void CExtColorCtrl::hsl_roller_data_t::OnTrackPanel(int, int, int x, int y)
{
    const int px = x - m_nMargin, py = y - m_nMargin;
    if (m_rgnHit.GetSafeHandle() == nullptr || !m_rgnHit.PtInRegion(px, py))
        return;
    const double dx = m_nCenterX - px, dy = m_nCenterY - py;
    const double d2 = dx * dx + dy * dy;
    const double r2 = static_cast<double>(m_nRadius) * m_nRadius;
    const double fLightness = m_fLightness;
    SetHueLightSat(HueAt(px, py), fLightness, d2 > r2 ? 1.0 : d2 / r2);
    SetColor(m_clr);
    m_fLightness = fLightness;
}

void CExtColorCtrl::hsl_roller_data_t::SetColor(COLORREF clr)
{
    any_picker_data_t::SetColor(clr);
    m_bSliderValid = false;
}

// --- xyz_plain_data_t (modes 9 to 14) ---------------------------------------------------------

namespace {
// Per axis: the component index held by the panel, and the components across and down.
struct AxisLayout
{
    int nFixed, nAcross, nDown;
};
constexpr AxisLayout AXES[] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}};
} // namespace

CExtColorCtrl::xyz_plain_data_t::xyz_plain_data_t(int nAxis) : m_nAxis(std::clamp(nAxis, 0, 5)) {}

void CExtColorCtrl::xyz_plain_data_t::GetSpace(int* pComponents) const
{
    const COLORREF clr = IsInkAxis() ? CExtPaintManager::InvertColor(m_clr) : m_clr;
    pComponents[0] = GetRValue(clr);
    pComponents[1] = GetGValue(clr);
    pComponents[2] = GetBValue(clr);
}

COLORREF CExtColorCtrl::xyz_plain_data_t::FromSpace(const int* pComponents) const
{
    const COLORREF clr = RGB(pComponents[0], pComponents[1], pComponents[2]);
    return IsInkAxis() ? CExtPaintManager::InvertColor(clr) : clr;
}

COLORREF CExtColorCtrl::xyz_plain_data_t::ColorAtPanelPoint(int x, int y) const
{
    const AxisLayout& a = AXES[m_nAxis % 3];
    int c[3];
    GetSpace(c);
    c[a.nAcross] = Scale255(x, m_nPanelWidth);
    c[a.nDown] = Scale255(y, m_nPanelHeight);
    return FromSpace(c);
}

COLORREF CExtColorCtrl::xyz_plain_data_t::ColorAtSliderPoint(int x) const
{
    int c[3] = {0, 0, 0};
    c[AXES[m_nAxis % 3].nFixed] = Scale255(x, m_nSliderWidth);
    // An ink alone: the other inks stay 0, so the slider runs from white to the ink.
    return FromSpace(c);
}

void CExtColorCtrl::xyz_plain_data_t::GetMarkerPositions(int* pX, int* pY, int* pSlider) const
{
    const AxisLayout& a = AXES[m_nAxis % 3];
    int c[3];
    GetSpace(c);
    if (pX != nullptr)
        *pX = c[a.nAcross] * m_nPanelWidth / FULL;
    if (pY != nullptr)
        *pY = c[a.nDown] * m_nPanelHeight / FULL;
    if (pSlider != nullptr)
        *pSlider = c[a.nFixed] * m_nSliderWidth / FULL;
}

void CExtColorCtrl::xyz_plain_data_t::SetAxisValue(int nValue)
{
    int c[3];
    GetSpace(c);
    c[AXES[m_nAxis % 3].nFixed] = std::clamp(nValue, 0, FULL);
    SetColor(FromSpace(c));
}

void CExtColorCtrl::xyz_plain_data_t::SetColor(COLORREF clr)
{
    any_picker_data_t::SetColor(clr);
    m_bPanelValid = false;
}

COLORREF CExtColorCtrl::xyz_plain_data_t::PanelColorAt(int x, int y) const
{
    return ColorAtPanelPoint(x, y);
}

COLORREF CExtColorCtrl::xyz_plain_data_t::SliderColorAt(int x) const
{
    return ColorAtSliderPoint(x);
}

POINT CExtColorCtrl::xyz_plain_data_t::GetPanelMarker() const
{
    POINT pt{};
    GetMarkerPositions(&pt.x, &pt.y, nullptr);
    return pt;
}

double CExtColorCtrl::xyz_plain_data_t::GetSliderValue() const
{
    int c[3];
    GetSpace(c);
    return c[AXES[m_nAxis % 3].nFixed] / static_cast<double>(FULL);
}

void CExtColorCtrl::xyz_plain_data_t::OnTrackSlider(int t)
{
    SetAxisValue(Scale255(t, m_nSliderWidth));
}

void CExtColorCtrl::xyz_plain_data_t::OnTrackPanel(int px, int py, int, int)
{
    SetColor(ColorAtPanelPoint(px, py));
    m_nMarkerX = px;
    m_nMarkerY = py;
}
