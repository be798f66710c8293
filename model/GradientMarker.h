#pragma once
#include "platform/gdiplus/GdiPlus.h"

#include <memory>
#include <vector>

// One gradient stop: a position from 0 (left end) to 1 (right end) and a colour.
class CGradientMarker {
public:
    CGradientMarker() = default;
    CGradientMarker(double position, COLORREF color) : m_dPosition(position), m_clrColor(color) {}

    double m_dPosition = 0.0;
    COLORREF m_clrColor = 0;
};

// Appends the brush's two end colours at 0 and 1, presets aside.
void ReadLinearGradientEnds(const Gdiplus::LinearGradientBrush& brush, std::vector<CGradientMarker>& markers);
// Appends the centre colour at 0 and the first surround colour at 1, presets aside.
void ReadPathGradientEnds(const Gdiplus::PathGradientBrush& brush, std::vector<CGradientMarker>& markers);
// Appends the brush's preset colours, or its two end colours at 0 and 1 without presets.
void ReadLinearGradientMarkers(const Gdiplus::LinearGradientBrush& brush, std::vector<CGradientMarker>& markers);
// Appends the brush's preset colours, or the centre colour at 0 and the first surround colour
// at 1 without presets.
void ReadPathGradientMarkers(const Gdiplus::PathGradientBrush& brush, std::vector<CGradientMarker>& markers);
// A horizontal gradient over the rectangle from the first marker's colour to the last's, with
// every marker as a preset colour when there are three or more; null with fewer than two.
std::unique_ptr<Gdiplus::LinearGradientBrush> CreateLinearGradientBrush(const Gdiplus::Rect& rect,
                                                                        const std::vector<CGradientMarker>& markers);
// A gradient on the ellipse inscribed in the rectangle from the first marker's colour at the
// centre to the last's at the edge, with every marker as a preset colour when there are three
// or more; null with fewer than two.
std::unique_ptr<Gdiplus::PathGradientBrush> CreateRadialGradientBrush(const Gdiplus::Rect& rect,
                                                                      const std::vector<CGradientMarker>& markers);
