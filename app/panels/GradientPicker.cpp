#include "app/panels/GradientPicker.h"

#include "model/GeometryHelpers.h"
#include "resources/panels/ShapePanelResources.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cmath>

const UINT CGradientPicker::g_nMsgMarkerChanged = ::RegisterWindowMessageA("CGradientPicker::g_nMsgMarkerChanged");

namespace {
// The bar's height and the horizontal inset of its frame and of the marker centres.
constexpr int kBarHeight = 16;
constexpr int kBarInset = 5;
constexpr int kMarkerInset = 7;
// Clicks that add a marker: the bar from the first marker centre to 3 pixels from the right.
constexpr int kClickRightInset = 3;
constexpr int kMarkerHalfWidth = 4;
constexpr int kMarkerTopGap = 1;
constexpr int kMarkerBottomGap = 2;
constexpr int kMarkerPointHeight = 4;
constexpr Gdiplus::ARGB kMarkerOutline = 0xFF000000;
constexpr Gdiplus::ARGB kMarkerLight = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kMarkerShade = 0xFF808080;

// Sorted from 0 to 1 with at least two stops; NaN positions fail every comparison.
bool KeepsPickerInvariants(const std::vector<CGradientMarker>& markers)
{
    if (markers.size() < 2 || !(markers.front().m_dPosition == 0.0) || !(markers.back().m_dPosition == 1.0))
        return false;
    for (size_t i = 1; i < markers.size(); ++i)
        if (!(markers[i - 1].m_dPosition <= markers[i].m_dPosition))
            return false;
    return true;
}

BYTE BlendChannel(BYTE from, BYTE to, double t)
{
    return BYTE(from + t * (int(to) - int(from)));
}

POINT PointFromLParam(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
}

CGradientPicker::CGradientPicker() : m_markers{{0.0, RGB(0, 0, 0)}, {1.0, RGB(255, 255, 255)}} {}

void CGradientPicker::ClampSelection()
{
    m_nSelectedMarker = std::clamp(m_nSelectedMarker, 0, int(m_markers.size()) - 1);
}

COLORREF CGradientPicker::GetSelectedMarkerColor()
{
    ClampSelection();
    return m_markers[m_nSelectedMarker].m_clrColor;
}

void CGradientPicker::SetSelectedMarkerColor(COLORREF color)
{
    ClampSelection();
    m_markers[m_nSelectedMarker].m_clrColor = color;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CGradientPicker::LoadMarkers(std::vector<CGradientMarker> markers, std::vector<CGradientMarker> ends)
{
    m_markers = KeepsPickerInvariants(markers) ? std::move(markers) : std::move(ends);
    m_nSelectedMarker = 0;
    m_nDraggedMarker = -1;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CGradientPicker::LoadFromLinearBrush(const Gdiplus::LinearGradientBrush* brush)
{
    if (brush == nullptr)
        return;
    std::vector<CGradientMarker> markers;
    std::vector<CGradientMarker> ends;
    ReadLinearGradientMarkers(*brush, markers);
    ReadLinearGradientEnds(*brush, ends);
    LoadMarkers(std::move(markers), std::move(ends));
}

void CGradientPicker::LoadFromPathBrush(const Gdiplus::PathGradientBrush* brush)
{
    if (brush == nullptr)
        return;
    std::vector<CGradientMarker> markers;
    std::vector<CGradientMarker> ends;
    ReadPathGradientMarkers(*brush, markers);
    ReadPathGradientEnds(*brush, ends);
    LoadMarkers(std::move(markers), std::move(ends));
}

RECT CGradientPicker::GetBarRect() const
{
    RECT client{};
    if (m_hWnd != nullptr)
        ::GetClientRect(m_hWnd, &client);
    return {client.left + kBarInset, client.top, client.right - kBarInset, client.top + kBarHeight};
}

RECT CGradientPicker::GetMarkerRect(size_t index) const
{
    RECT client{};
    if (m_hWnd != nullptr)
        ::GetClientRect(m_hWnd, &client);
    const int x = int((client.right - client.left - 2 * kMarkerInset) * m_markers[index].m_dPosition +
                      (client.left + kMarkerInset));
    return {x - kMarkerHalfWidth, client.top + kBarHeight + kMarkerTopGap, x + kMarkerHalfWidth,
            client.bottom - kMarkerBottomGap};
}

void CGradientPicker::Notify()
{
    if (HWND hParent = ::GetParent(m_hWnd))
        ::SendMessageA(hParent, g_nMsgMarkerChanged, reinterpret_cast<WPARAM>(m_hWnd),
                       reinterpret_cast<LPARAM>(&m_nSelectedMarker));
}

void CGradientPicker::SelectAndNotify(int index)
{
    m_nSelectedMarker = index;
    Notify();
    Invalidate();
}

int CGradientPicker::HitTestMarker(POINT point) const
{
    const int count = int(m_markers.size());
    for (int i = 1; i + 1 < count; ++i) {
        const RECT rc = GetMarkerRect(i);
        if (::PtInRect(&rc, point))
            return i;
    }
    const RECT rcLast = GetMarkerRect(count - 1);
    if (::PtInRect(&rcLast, point))
        return count - 1;
    const RECT rcFirst = GetMarkerRect(0);
    return ::PtInRect(&rcFirst, point) ? 0 : -1;
}

int CGradientPicker::InsertMarkerAt(POINT point)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const RECT clickable{client.left + kMarkerInset, client.top, client.right - kClickRightInset,
                         client.top + kBarHeight};
    if (m_markers.size() >= kMaxMarkersByClick || !::PtInRect(&clickable, point))
        return -1;
    const double width = (client.right - kBarInset) - (client.left + kBarInset);
    const auto next = std::find_if(m_markers.begin(), m_markers.end(), [&](const CGradientMarker& marker) {
        return marker.m_dPosition * width > point.x;
    });
    // The first marker sits at 0 and never passes; past the last one nothing is added.
    if (next == m_markers.begin() || next == m_markers.end())
        return -1;
    const CGradientMarker& before = *(next - 1);
    const double position = point.x / width;
    const double t = (position - before.m_dPosition) / (next->m_dPosition - before.m_dPosition);
    const COLORREF color = RGB(BlendChannel(GetRValue(before.m_clrColor), GetRValue(next->m_clrColor), t),
                               BlendChannel(GetGValue(before.m_clrColor), GetGValue(next->m_clrColor), t),
                               BlendChannel(GetBValue(before.m_clrColor), GetBValue(next->m_clrColor), t));
    const int index = int(next - m_markers.begin());
    m_markers.insert(next, CGradientMarker(position, color));
    return index;
}

void CGradientPicker::OnLButtonDown(POINT point)
{
    if (!m_bTracking) {
        m_bTracking = true;
        SetMouseCapture(m_hWnd);
    }
    m_nDraggedMarker = -1;
    int index = HitTestMarker(point);
    if (index < 0)
        index = InsertMarkerAt(point);
    if (index < 0)
        return;
    SelectAndNotify(index);
    m_nDraggedMarker = index;
    SelectAndNotify(index);
}

void CGradientPicker::OnMouseMove(POINT point)
{
    if (!m_bTracking || !IsInnerMarker(m_nDraggedMarker))
        return;
    const RECT bar = GetBarRect();
    const int x = std::clamp<int>(point.x, bar.left, bar.right);
    m_markers[m_nDraggedMarker].m_dPosition = double(x - bar.left) / double(bar.right - bar.left);
    // Neighbours it passed change places with it, so the list stays sorted.
    while (m_nDraggedMarker > 0 &&
           m_markers[m_nDraggedMarker - 1].m_dPosition > m_markers[m_nDraggedMarker].m_dPosition) {
        std::swap(m_markers[m_nDraggedMarker - 1], m_markers[m_nDraggedMarker]);
        --m_nDraggedMarker;
        --m_nSelectedMarker;
    }
    while (m_nDraggedMarker + 1 < int(m_markers.size()) &&
           m_markers[m_nDraggedMarker + 1].m_dPosition < m_markers[m_nDraggedMarker].m_dPosition) {
        std::swap(m_markers[m_nDraggedMarker + 1], m_markers[m_nDraggedMarker]);
        ++m_nDraggedMarker;
        ++m_nSelectedMarker;
    }
    Notify();
    Invalidate();
}

void CGradientPicker::OnLButtonUp(POINT point)
{
    if (!m_bTracking)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    // Only a marker dragged out is removed (a press between markers drags none); its left
    // neighbour takes the selection and the parent hears of it, so that the fill follows.
    if (IsInnerMarker(m_nDraggedMarker) && point.y > client.bottom) {
        const int removed = m_nDraggedMarker;
        m_markers.erase(m_markers.begin() + removed);
        m_nDraggedMarker = -1;
        SelectAndNotify(removed - 1);
        UpdateWindow();
    }
    m_bTracking = false;
    m_nDraggedMarker = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

bool CGradientPicker::OnSetCursor()
{
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    for (size_t i = 0; i < m_markers.size(); ++i) {
        const RECT rc = GetMarkerRect(i);
        if (!::PtInRect(&rc, point))
            continue;
        if (m_hMarkerCursor == nullptr)
            m_hMarkerCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_GRADIENT_MARKER_CURSOR));
        // A program without the cursor keeps the control's own rather than none.
        if (m_hMarkerCursor == nullptr)
            return false;
        ::SetCursor(m_hMarkerCursor);
        return true;
    }
    return false;
}

void CGradientPicker::PaintMarker(Gdiplus::Graphics& graphics, size_t index) const
{
    const RECT rc = GetMarkerRect(index);
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    const int c = l + (r - l) / 2;
    const Gdiplus::Point point[] = {{l, t + kMarkerPointHeight}, {c, t}, {r, t + kMarkerPointHeight},
                                    {l, t + kMarkerPointHeight}};
    Gdiplus::Pen outline(Gdiplus::Color(kMarkerOutline), 1.0f);
    Gdiplus::SolidBrush pointFill(Gdiplus::Color(int(index) == m_nSelectedMarker ? kMarkerOutline : kMarkerLight));
    graphics.FillPolygon(&pointFill, point, 4);
    graphics.DrawPolygon(&outline, point, 4);
    graphics.DrawRectangle(&outline, l, t + kMarkerPointHeight, r - l, b - t - kMarkerPointHeight);
    Gdiplus::Pen light(Gdiplus::Color(kMarkerLight), 1.0f);
    Gdiplus::Pen shade(Gdiplus::Color(kMarkerShade), 1.0f);
    graphics.DrawLine(&light, l + 1, b - 1, l + 1, t + 5);
    graphics.DrawLine(&light, l + 1, t + 5, r - 1, t + 5);
    graphics.DrawLine(&shade, l + 1, b - 1, r - 1, b - 1);
    graphics.DrawLine(&shade, r - 1, b - 1, r - 1, t + 5);
    Gdiplus::SolidBrush swatch(Gdiplus::Color(ColorRefToArgb(m_markers[index].m_clrColor)));
    graphics.FillRectangle(&swatch, l + 2, t + 6, r - l - 3, b - t - 7);
}

void CGradientPicker::OnPaint()
{
    CPaintDC paint(this);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (::IsRectEmpty(&client) || !::RectVisible(paint.m_hDC, &client))
        return;
    CExtMemoryDC dc(&paint, &client, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
    bool bPainted = false;
    if (pPM->HasBackgroundBehindControls(this, 0)) {
        CExtPaintManager::ClipOutChildWindows(dc.m_hDC, m_hWnd);
        bPainted = pPM->DrawBackgroundBehind(true, dc, this);
        ::SelectClipRgn(dc.m_hDC, nullptr);
    }
    if (!bPainted)
        dc.FillSolidRect(&client, pPM->ColorByIndex(CExtPaintManager::CLRID_FACE, this));

    RECT bar = GetBarRect();
    dc.Draw3dRect(&bar, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::InflateRect(&bar, -1, -1);
    dc.Draw3dRect(&bar, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_BTNFACE));
    ::InflateRect(&bar, -1, -1);

    Gdiplus::Graphics graphics(dc.m_hDC);
    const Gdiplus::Rect inner(bar.left, bar.top, bar.right - bar.left + 1, bar.bottom - bar.top);
    if (auto gradient = CreateLinearGradientBrush(inner, m_markers))
        graphics.FillRectangle(gradient.get(), inner);
    for (size_t i = 0; i < m_markers.size(); ++i)
        PaintMarker(graphics, i);
}

LRESULT CGradientPicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        OnLButtonDown(PointFromLParam(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_CAPTURECHANGED:
        // A press whose release goes elsewhere drags nothing afterwards.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_bTracking = false;
            m_nDraggedMarker = -1;
        }
        break;
    case WM_SETCURSOR:
        if (OnSetCursor())
            return TRUE;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
