#include "model/FlashHollowShape.h"

#include "model/FlashCurve.h"

namespace {
constexpr Gdiplus::ARGB kEllipseColor = 0xffff0000;
constexpr Gdiplus::REAL kEllipseDashes[] = {5.0f, 15.0f};
}

CFlashHollowShape::CFlashHollowShape(const Gdiplus::Pen* pen)
{
    SetPen(pen);
}

void CFlashHollowShape::Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                             const CFlashEditorFrameShapeTransform* placement)
{
    PrepareGraphics(graphics, stageX, stageY, zoom, placement);
    DrawCurveStrokes(graphics, GetDrawingPen());
    Gdiplus::Pen dashed(Gdiplus::Color(kEllipseColor), 1.0f);
    dashed.SetDashPattern(kEllipseDashes, 2);
    graphics.DrawEllipse(&dashed, GetBounds());
}

bool CFlashHollowShape::HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement)
{
    if (!m_pPen)
        return false;
    const auto graphics = MakeHitGraphics(dc);
    Gdiplus::Matrix matrix;
    MakeHitMatrix(matrix, zoom, placement);
    for (const CFlashCurve* curve : m_curves) {
        Gdiplus::GraphicsPath path;
        curve->AddToPath(path);
        path.Transform(&matrix);
        if (path.IsOutlineVisible(INT(point.x), INT(point.y), m_pPen.get(), graphics.get()))
            return true;
    }
    return false;
}

CFlashShape* CFlashHollowShape::Duplicate() const
{
    return new CFlashHollowShape(*this);
}
