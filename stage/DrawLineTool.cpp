#include "stage/DrawLineTool.h"

#include "model/FlashContinuousPathShape.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashStraightLine.h"
#include "stage/FlashEditorView.h"

void CDrawLineTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonDown(flags, x, y);
    CaptureBackdrop(kRenderAllStates);
}

void CDrawLineTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    TrackRubberBand(flags, [&](Gdiplus::Graphics& graphics, const Gdiplus::Pen& band) {
        graphics.DrawLine(&band, m_nPressX, m_nPressY, x, y);
    });
}

void CDrawLineTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    ReleaseBackdrop();
    POINT from = ClientToStage(m_nPressX, m_nPressY);
    POINT to = ClientToStage(x, y);
    // A click without a drag draws nothing.
    const bool dragged = from.x != to.x || from.y != to.y;
    if (dragged && CanChangeCurrentLayer()) {
        auto* shape = new CFlashContinuousPathShape(AddDefaultPenToRepository());
        shape->InsertCurve(new CFlashStraightLine(from.x, from.y, to.x, to.y), false, 0);
        if (AddShapeAndSelect(shape))
            RecordStep("Draw Straight Line");
    }
    RedrawView();
}
