#include "model/FlashSolidShape.h"

#include "model/FlashCurve.h"

#include <cmath>
#include <vector>

namespace {
// A gradient defined on the unit square is stretched over the path's bounding box.
void StretchLinearGradient(Gdiplus::LinearGradientBrush& brush, const Gdiplus::GraphicsPath& path)
{
    brush.ResetTransform();
    Gdiplus::Rect bounds;
    path.GetBounds(&bounds);
    brush.TranslateTransform(Gdiplus::REAL(bounds.X), Gdiplus::REAL(bounds.Y), Gdiplus::MatrixOrderPrepend);
    brush.ScaleTransform(Gdiplus::REAL(bounds.Width), Gdiplus::REAL(bounds.Height), Gdiplus::MatrixOrderPrepend);
}

// A radial gradient is rebuilt on the circle around the path's bounding box, so that its
// surround colour reaches the corners.
void FillWithRadialGradient(Gdiplus::Graphics& graphics, Gdiplus::PathGradientBrush& fill,
                            const Gdiplus::GraphicsPath& path)
{
    Gdiplus::Rect bounds;
    path.GetBounds(&bounds);
    fill.ResetTransform();
    const double diameter = std::sqrt(double(bounds.Width) * bounds.Width + double(bounds.Height) * bounds.Height);
    const INT centreX = bounds.X + bounds.Width / 2, centreY = bounds.Y + bounds.Height / 2;
    Gdiplus::GraphicsPath circle;
    circle.AddEllipse(INT(centreX - diameter / 2), INT(centreY - diameter / 2), INT(diameter), INT(diameter));
    Gdiplus::PathGradientBrush brush(&circle);
    Gdiplus::Color centre;
    fill.GetCenterColor(&centre);
    brush.SetCenterColor(centre);
    brush.SetCenterPoint(Gdiplus::Point(centreX, centreY));
    INT surroundCount = fill.GetSurroundColorCount();
    if (surroundCount > 0) {
        std::vector<Gdiplus::Color> surround(surroundCount);
        fill.GetSurroundColors(surround.data(), &surroundCount);
        brush.SetSurroundColors(surround.data(), &surroundCount);
    }
    const INT blendCount = fill.GetInterpolationColorCount();
    if (blendCount > 0) {
        std::vector<Gdiplus::Color> colors(blendCount);
        std::vector<Gdiplus::REAL> positions(blendCount);
        fill.GetInterpolationColors(colors.data(), positions.data(), blendCount);
        brush.SetInterpolationColors(colors.data(), positions.data(), blendCount);
    }
    graphics.FillPath(&brush, &path);
}
}

CFlashSolidShape::CFlashSolidShape(const Gdiplus::Brush* brush)
{
    SetBrush(brush);
}

void CFlashSolidShape::Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                            const CFlashEditorFrameShapeTransform* placement)
{
    PrepareGraphics(graphics, stageX, stageY, zoom, placement);
    DrawCurveStrokes(graphics, GetDrawingPen());
    Gdiplus::GraphicsPath path;
    BuildPath(path);
    Gdiplus::Brush* fill = GetDrawingFill();
    if (!fill)
        return;
    // The fill is painted after the outline, so it covers the inner half of the stroke.
    switch (fill->GetType()) {
    case Gdiplus::BrushTypeLinearGradient:
        StretchLinearGradient(*static_cast<Gdiplus::LinearGradientBrush*>(fill), path);
        break;
    case Gdiplus::BrushTypePathGradient:
        FillWithRadialGradient(graphics, *static_cast<Gdiplus::PathGradientBrush*>(fill), path);
        return;
    case Gdiplus::BrushTypeTextureFill: {
        // One bitmap pixel covers 20 twips.
        auto* texture = static_cast<Gdiplus::TextureBrush*>(fill);
        texture->ResetTransform();
        texture->ScaleTransform(20.0f, 20.0f, Gdiplus::MatrixOrderAppend);
        break;
    }
    default:
        break;
    }
    graphics.FillPath(fill, &path);
}

bool CFlashSolidShape::HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement)
{
    const auto graphics = MakeHitGraphics(dc);
    Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
    BuildPath(path);
    Gdiplus::Matrix matrix;
    MakeHitMatrix(matrix, zoom, placement);
    path.Transform(&matrix);
    return path.IsVisible(INT(point.x), INT(point.y), graphics.get()) != FALSE;
}

CFlashShape* CFlashSolidShape::Duplicate() const
{
    return new CFlashSolidShape(*this);
}
