#include "stage/DrawRectangleTool.h"

#include "model/FlashEditorFrame.h"
#include "model/FlashHollowShape.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"
#include "stage/FlashEditorView.h"

#include <algorithm>
#include <cstdlib>

void CDrawRectangleTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonDown(flags, x, y);
    CaptureBackdrop(kRenderAllStates);
}

void CDrawRectangleTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    TrackRubberBand(flags, [&](Gdiplus::Graphics& graphics, const Gdiplus::Pen& band) {
        graphics.DrawRectangle(&band, std::min(m_nPressX, x), std::min(m_nPressY, y), std::abs(x - m_nPressX),
                               std::abs(y - m_nPressY));
    });
}

void CDrawRectangleTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    ReleaseBackdrop();
    POINT a = ClientToStage(m_nPressX, m_nPressY);
    POINT b = ClientToStage(x, y);
    // A click without a drag draws nothing.
    const bool dragged = a.x != b.x || a.y != b.y;
    if (dragged && CanChangeCurrentLayer()) {
        int left = std::min(a.x, b.x);
        int right = std::max(a.x, b.x);
        int top = std::min(a.y, b.y);
        int bottom = std::max(a.y, b.y);
        Gdiplus::Pen* pen = AddDefaultPenToRepository();
        CFlashShape* shape = nullptr;
        if (m_bFilled)
            shape = new CFlashSolidShape(GetView()->GetDefaultFill());
        else
            shape = new CFlashHollowShape(pen);
        shape->InsertCurve(new CFlashStraightLine(left, top, right, top), false, 0);
        shape->InsertCurve(new CFlashStraightLine(right, top, right, bottom), false, 0);
        shape->InsertCurve(new CFlashStraightLine(right, bottom, left, bottom), false, 0);
        shape->InsertCurve(new CFlashStraightLine(left, bottom, left, top), false, 0);
        shape->SetPen(pen);
        if (AddShapeAndSelect(shape))
            RecordStep("Draw Rectangle");
    }
    RedrawView();
}
