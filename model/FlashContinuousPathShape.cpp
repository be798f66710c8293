#include "model/FlashContinuousPathShape.h"

CFlashContinuousPathShape::CFlashContinuousPathShape(const Gdiplus::Pen* pen)
{
    SetPen(pen);
}

void CFlashContinuousPathShape::Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                                     const CFlashEditorFrameShapeTransform* placement)
{
    PrepareGraphics(graphics, stageX, stageY, zoom, placement);
    const Gdiplus::Pen* pen = GetDrawingPen();
    if (!pen)
        return;
    Gdiplus::GraphicsPath path;
    BuildPath(path);
    graphics.DrawPath(pen, &path);
}

bool CFlashContinuousPathShape::HitTest(HDC dc, double zoom, const POINT& point,
                                        const CFlashEditorFrameShapeTransform* placement)
{
    if (!m_pPen)
        return false;
    const auto graphics = MakeHitGraphics(dc);
    Gdiplus::GraphicsPath path;
    BuildPath(path);
    Gdiplus::Matrix matrix;
    MakeHitMatrix(matrix, zoom, placement);
    path.Transform(&matrix);
    return path.IsOutlineVisible(INT(point.x), INT(point.y), m_pPen.get(), graphics.get()) != FALSE;
}

CFlashShape* CFlashContinuousPathShape::Duplicate() const
{
    return new CFlashContinuousPathShape(*this);
}
