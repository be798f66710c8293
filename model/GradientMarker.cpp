#include "model/GradientMarker.h"

#include "model/GeometryHelpers.h"

namespace {
template <typename Brush>
bool ReadPresetColors(const Brush& brush, std::vector<CGradientMarker>& markers)
{
    const INT count = brush.GetInterpolationColorCount();
    if (count <= 0)
        return false;
    std::vector<Gdiplus::Color> colors(count);
    std::vector<Gdiplus::REAL> positions(count);
    if (brush.GetInterpolationColors(colors.data(), positions.data(), count) != Gdiplus::Ok)
        return false;
    for (INT i = 0; i < count; ++i)
        markers.emplace_back(positions[i], ArgbToColorRef(colors[i].GetValue()));
    return true;
}

// Every marker's opaque colour at its position, in list order.
template <typename Brush>
void SetPresetColors(Brush& brush, const std::vector<CGradientMarker>& markers)
{
    std::vector<Gdiplus::Color> colors;
    std::vector<Gdiplus::REAL> positions;
    for (const CGradientMarker& marker : markers) {
        colors.emplace_back(ColorRefToArgb(marker.m_clrColor));
        positions.push_back(Gdiplus::REAL(marker.m_dPosition));
    }
    brush.SetInterpolationColors(colors.data(), positions.data(), INT(markers.size()));
}

constexpr size_t kMarkersForPresets = 3;
}

void ReadLinearGradientMarkers(const Gdiplus::LinearGradientBrush& brush, std::vector<CGradientMarker>& markers)
{
    if (!ReadPresetColors(brush, markers))
        ReadLinearGradientEnds(brush, markers);
}

void ReadLinearGradientEnds(const Gdiplus::LinearGradientBrush& brush, std::vector<CGradientMarker>& markers)
{
    Gdiplus::Color ends[2];
    brush.GetLinearColors(ends);
    markers.emplace_back(0.0, ArgbToColorRef(ends[0].GetValue()));
    markers.emplace_back(1.0, ArgbToColorRef(ends[1].GetValue()));
}

void ReadPathGradientMarkers(const Gdiplus::PathGradientBrush& brush, std::vector<CGradientMarker>& markers)
{
    if (!ReadPresetColors(brush, markers))
        ReadPathGradientEnds(brush, markers);
}

void ReadPathGradientEnds(const Gdiplus::PathGradientBrush& brush, std::vector<CGradientMarker>& markers)
{
    Gdiplus::Color centre;
    brush.GetCenterColor(&centre);
    Gdiplus::Color surround;
    INT count = brush.GetSurroundColorCount();
    if (count > 0) {
        std::vector<Gdiplus::Color> colors(count);
        brush.GetSurroundColors(colors.data(), &count);
        if (count > 0)
            surround = colors[0];
    }
    markers.emplace_back(0.0, ArgbToColorRef(centre.GetValue()));
    markers.emplace_back(1.0, ArgbToColorRef(surround.GetValue()));
}

std::unique_ptr<Gdiplus::LinearGradientBrush> CreateLinearGradientBrush(const Gdiplus::Rect& rect,
                                                                        const std::vector<CGradientMarker>& markers)
{
    if (markers.size() < 2)
        return nullptr;
    auto brush = std::make_unique<Gdiplus::LinearGradientBrush>(
        rect, Gdiplus::Color(ColorRefToArgb(markers.front().m_clrColor)),
        Gdiplus::Color(ColorRefToArgb(markers.back().m_clrColor)), Gdiplus::LinearGradientModeHorizontal);
    brush->SetWrapMode(Gdiplus::WrapModeTile);
    if (markers.size() >= kMarkersForPresets)
        SetPresetColors(*brush, markers);
    return brush;
}

std::unique_ptr<Gdiplus::PathGradientBrush> CreateRadialGradientBrush(const Gdiplus::Rect& rect,
                                                                      const std::vector<CGradientMarker>& markers)
{
    if (markers.size() < 2)
        return nullptr;
    Gdiplus::GraphicsPath ellipse;
    ellipse.AddEllipse(rect);
    auto brush = std::make_unique<Gdiplus::PathGradientBrush>(&ellipse);
    brush->SetCenterColor(Gdiplus::Color(ColorRefToArgb(markers.front().m_clrColor)));
    Gdiplus::Color surround(ColorRefToArgb(markers.back().m_clrColor));
    INT count = 1;
    brush->SetSurroundColors(&surround, &count);
    if (markers.size() >= kMarkersForPresets)
        SetPresetColors(*brush, markers);
    return brush;
}
