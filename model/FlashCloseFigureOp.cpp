#include "model/FlashCloseFigureOp.h"

void CFlashCloseFigureOp::AddToPath(Gdiplus::GraphicsPath& path) const
{
    path.CloseFigure();
}

int CFlashCloseFigureOp::GetControlPoints(std::vector<POINT>& points) const
{
    points.clear();
    return kControlPointsNone;
}
