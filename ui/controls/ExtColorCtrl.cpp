// The colour picker window: mode table, colours, mouse input, painting and notifications.
#include "ui/controls/ExtColorCtrl.h"

#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtResourceManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtColorCtrl, CWnd)

const UINT CExtColorCtrl::g_nMsgColorChanged = ::RegisterWindowMessageA("CExtColorCtrl::g_nMsgColorChanged");

namespace {
constexpr int PALETTE_DISPLAY_BITS = 8;

struct ModeName
{
    UINT nStringId;
    const char* pszBuiltIn;
};
constexpr ModeName MODE_NAMES[] = {
    {30343, " basic colors"},
    {30344, " hue, saturation and luminance - mixer"},
    {30345, " hue, saturation and luminance - basic hue"},
    {30346, " hue, saturation and luminance - roller"},
    {30347, " red, green and blue - cube"},
    {30348, " red, green and blue - mixer"},
    {30349, " gray scale mixer"},
    {30350, " cyan, magenta and yellow - cube"},
    {30351, " cyan, magenta and yellow - mixer"},
    {30352, " red axis"},
    {30353, " green axis"},
    {30354, " blue axis"},
    {30355, " cyan axis"},
    {30356, " magenta axis"},
    {30357, " yellow axis"},
};
constexpr int NAMED_MODES = static_cast<int>(sizeof(MODE_NAMES) / sizeof(MODE_NAMES[0]));

CPalette* PaletteFor(CDC& dc)
{
    if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) == 0)
        return nullptr;
    CPalette* pPalette = &g_PaintManagerHolder->m_PaletteWide;
    return pPalette->GetSafeHandle() != nullptr ? pPalette : nullptr;
}
} // namespace

// --- bitmap_cache_t ---------------------------------------------------------------------------

CExtColorCtrl::bitmap_cache_t::~bitmap_cache_t()
{
    Destroy();
}

bool CExtColorCtrl::bitmap_cache_t::Create(int cx, int cy)
{
    Destroy();
    if (cx <= 0 || cy <= 0)
        return false;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (m_hBitmap == nullptr || !m_dc.CreateCompatibleDC(nullptr)) {
        Destroy();
        return false;
    }
    m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
    m_pBits = static_cast<DWORD*>(pBits);
    m_cx = cx;
    m_cy = cy;
    return true;
}

void CExtColorCtrl::bitmap_cache_t::Destroy()
{
    if (m_dc.m_hDC != nullptr) {
        if (m_hOld != nullptr)
            ::SelectObject(m_dc.m_hDC, m_hOld);
        m_dc.DeleteDC();
    }
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_hOld = nullptr;
    m_pBits = nullptr;
    m_cx = m_cy = 0;
}

void CExtColorCtrl::bitmap_cache_t::SetPixel(int x, int y, COLORREF clr)
{
    if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return;
    m_pBits[static_cast<size_t>(y) * m_cx + x] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
}

COLORREF CExtColorCtrl::bitmap_cache_t::GetPixel(int x, int y) const
{
    if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    const DWORD v = m_pBits[static_cast<size_t>(y) * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void CExtColorCtrl::bitmap_cache_t::FillRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const int x0 = std::max(x, 0), x1 = std::min(x + cx, m_cx);
    const int y0 = std::max(y, 0), y1 = std::min(y + cy, m_cy);
    for (int j = y0; j < y1; ++j)
        for (int i = x0; i < x1; ++i)
            SetPixel(i, j, clr);
}

// --- any_picker_data_t ------------------------------------------------------------------------

CExtColorCtrl::any_picker_data_t::any_picker_data_t()
{
    CExtPaintManager::ColorToHueSatLight(m_clr, &m_fHue, &m_fSaturation, &m_fLightness);
}

void CExtColorCtrl::any_picker_data_t::Layout(CDC*, CPalette*, int nWidth, int nHeight, bool)
{
    m_nWidth = std::max(nWidth, 1);
    m_nHeight = std::max(nHeight, 1);
}

void CExtColorCtrl::any_picker_data_t::EndTracking()
{
    m_nTrackingPart = PART_NONE;
}

void CExtColorCtrl::any_picker_data_t::SetOldColor(COLORREF clr)
{
    m_clrOld = clr;
}

void CExtColorCtrl::any_picker_data_t::SetColor(COLORREF clr)
{
    m_clr = clr;
    CExtPaintManager::ColorToHueSatLight(clr, &m_fHue, &m_fSaturation, &m_fLightness);
}

void CExtColorCtrl::any_picker_data_t::SetHueLightSat(double fHue, double fLightness, double fSaturation)
{
    m_fHue = fHue;
    m_fLightness = fLightness;
    m_fSaturation = fSaturation;
    m_clr = CExtPaintManager::HueLightSatToColor(fHue, fLightness, fSaturation);
}

bool CExtColorCtrl::any_picker_data_t::IsCoarseDisplay()
{
    return CExtPaintManager::GetDisplayBitsPerPixel() <= PALETTE_DISPLAY_BITS;
}

// --- the control ------------------------------------------------------------------------------

CExtColorCtrl::CExtColorCtrl(int nInitialMode)
    : m_nMode(nInitialMode >= 0 && nInitialMode < MODE_COUNT ? nInitialMode : MODE_BASIC_COLORS),
      m_arrModes{&m_modeBasic,      &m_modeHslPanel,  &m_modeHslBasicHue, &m_modeHslRoller,
                 &m_modeRgbCube,    &m_modeRgbMixer,  &m_modeGrayscale,   &m_modeCmyCube,
                 &m_modeCmyMixer,   &m_modeAxisRed,   &m_modeAxisGreen,   &m_modeAxisBlue,
                 &m_modeAxisCyan,   &m_modeAxisMagenta, &m_modeAxisYellow, &m_modeDiff}
{
}

CExtColorCtrl::~CExtColorCtrl() = default;

CExtColorCtrl::any_picker_data_t* CExtColorCtrl::GetModeData(int nMode) const
{
    return nMode >= 0 && nMode < MODE_COUNT ? m_arrModes[nMode] : nullptr;
}

bool CExtColorCtrl::SetMode(int nMode)
{
    if (nMode < 0 || nMode >= MODE_COUNT)
        return false;
    m_nMode = nMode;
    return true;
}

CString CExtColorCtrl::GetModeName(int nMode)
{
    if (nMode < 0 || nMode >= NAMED_MODES)
        return CString();
    return g_ResourceManagerHolder->LoadStringOrDefault(MODE_NAMES[nMode].nStringId, MODE_NAMES[nMode].pszBuiltIn);
}

void CExtColorCtrl::SetCurrentColor(COLORREF clr, bool bNotify)
{
    if (clr != m_clrCurrent) {
        m_clrCurrent = clr;
        if (bNotify)
            NotifyColorChanged();
    }
    CurrentMode()->SetColor(m_clrCurrent);
    Repaint();
}

void CExtColorCtrl::InvalidateModeCaches()
{
    for (any_picker_data_t* pMode : m_arrModes)
        pMode->DiscardCache();
}

void CExtColorCtrl::RedrawCurrentMode(bool bKeepColors)
{
    if (!bKeepColors)
        InvalidateModeCaches();
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    CRect rc;
    GetClientRect(&rc);
    CClientDC dc(this);
    any_picker_data_t* pMode = CurrentMode();
    pMode->Layout(&dc, PaletteFor(dc), rc.Width(), rc.Height(), bKeepColors);
    pMode->SetColor(m_clrCurrent);
    pMode->SetOldColor(m_clrOld);
}

void CExtColorCtrl::NotifyColorChanged()
{
    HWND hWndParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (hWndParent == nullptr)
        return;
    // Receivers read the colours during the call only.
    COLORREF arrColors[3] = {m_clrOld, m_clrCurrent, m_clrPrevious};
    ::SendMessageA(hWndParent, g_nMsgColorChanged, reinterpret_cast<WPARAM>(m_hWnd),
                   reinterpret_cast<LPARAM>(arrColors));
}

void CExtColorCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    RedrawCurrentMode(false);
}

void CExtColorCtrl::Repaint()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    Invalidate();
    UpdateWindow();
}

void CExtColorCtrl::ApplyModeColor()
{
    m_clrPrevious = m_clrCurrent;
    m_clrCurrent = CurrentMode()->m_clr;
    NotifyColorChanged();
    Repaint();
}

void CExtColorCtrl::OnLButtonDown(UINT nFlags, POINT pt)
{
    if (!m_bTracking) {
        m_bTracking = true;
        SetMouseCapture(m_hWnd);
    }
    any_picker_data_t* pMode = CurrentMode();
    if (pMode->m_clr != m_clrCurrent) {
        pMode->SetColor(m_clrCurrent);
        Repaint();
    }
    pMode->BeginTracking(nFlags, pt.x, pt.y);
    OnMouseMove(0, pt);
    if (m_bTracking && pMode->m_clr != m_clrCurrent)
        ApplyModeColor();
}

void CExtColorCtrl::OnMouseMove(UINT nFlags, POINT pt)
{
    if (!m_bTracking)
        return;
    any_picker_data_t* pMode = CurrentMode();
    pMode->TrackMouse(nFlags, pt.x, pt.y);
    if (pMode->m_clr != m_clrCurrent)
        ApplyModeColor();
}

void CExtColorCtrl::EndTracking()
{
    const bool bWasTracking = m_bTracking;
    m_bTracking = false;
    if (bWasTracking && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CurrentMode()->EndTracking();
}

LRESULT CExtColorCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_LBUTTONUP:
        EndTracking();
        return 0;
    case WM_KEYDOWN:
    case WM_CANCELMODE:
    case WM_KILLFOCUS: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        EndTracking();
        return lResult;
    }
    case WM_CAPTURECHANGED: {
        // Losing the capture mid-drag ends the drag; else the next press would not capture.
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (m_bTracking && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_bTracking = false;
            CurrentMode()->EndTracking();
        }
        return lResult;
    }
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        RedrawCurrentMode(true);
        Repaint();
        return lResult;
    }
    case WM_PALETTECHANGED: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        Invalidate();
        return lResult;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CExtColorCtrl::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty() || !dcPaint.RectVisible(&rcClient))
        return;
    CPalette* pPalette = PaletteFor(dcPaint);
    CPalette* pOldPaintPalette = nullptr;
    if (pPalette != nullptr) {
        pOldPaintPalette = dcPaint.SelectPalette(pPalette, FALSE);
        dcPaint.RealizePalette();
    }
    {
        CExtMemoryDC dc(&dcPaint, &rcClient);
        CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
        bool bBackground = false;
        if (pPM->HasBackgroundBehindControls(this, 0)) {
            CExtPaintManager::ClipOutChildWindows(dc.m_hDC, m_hWnd);
            bBackground = pPM->DrawBackgroundBehind(true, dc, this);
        }
        if (!bBackground)
            dc.FillSolidRect(&rcClient, pPM->ColorByIndex(CExtPaintManager::CLRID_FACE, this));
        CPalette* pOldPalette = nullptr;
        if (pPalette != nullptr) {
            pOldPalette = dc.SelectPalette(pPalette, FALSE);
            dc.RealizePalette();
        }
        CurrentMode()->Draw(&dc, pPalette);
        if (pOldPalette != nullptr)
            dc.SelectPalette(pOldPalette, FALSE);
    }
    if (pOldPaintPalette != nullptr)
        dcPaint.SelectPalette(pOldPaintPalette, FALSE);
}
