#include "stage/DrawBrushTool.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashSolidShape.h"
#include "model/geometry/FlashCurveFitter.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashStageHost.h"

#include <memory>

namespace {

// The brush-stroke pen's colour; black when the view has none.
Gdiplus::Color StrokeColor(const Gdiplus::Pen* pen)
{
    Gdiplus::Color color(0xFF000000);
    if (pen != nullptr)
        pen->GetColor(&color);
    return color;
}

} // namespace

void CDrawBrushTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawFreeHandTool::OnLButtonDown(flags, x, y);
    CFlashStageHost* host = CFlashEditorView::GetStageHost();
    std::unique_ptr<Gdiplus::GraphicsPath> path(host != nullptr ? host->GetBrushPath() : nullptr);
    m_brush = PathPoints(path.get());
}

void CDrawBrushTool::OnMouseMove(UINT flags, int x, int y)
{
    CFlashStageHost* host = CFlashEditorView::GetStageHost();
    HCURSOR cursor = host != nullptr ? host->GetBrushCursor() : nullptr;
    Gdiplus::SolidBrush fill{StrokeColor(m_pView != nullptr ? m_pView->GetBrushPen() : nullptr)};
    SweepFeedback(flags, x, y, cursor, m_brush, fill);
}

void CDrawBrushTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    ReleaseBackdrop();
    CFlashEditorDoc* document = m_pView != nullptr ? m_pView->GetDocument() : nullptr;
    if (document != nullptr && CanChangeCurrentLayer()) {
        std::unique_ptr<Gdiplus::Pen> pen(m_pView->GetBrushPen() != nullptr ? m_pView->GetBrushPen()->Clone() : nullptr);
        auto* fill = new Gdiplus::SolidBrush(StrokeColor(pen.get()));
        document->GetRepository().AddBrush(fill);
        auto* shape = new CFlashSolidShape(fill);
        OutlineToShape(*shape, m_brush, pen.get());
        if (AddShapeAndSelect(shape)) {
            shape->SetBrush(fill);
            RecordStep("Draw Brush Shape");
        }
    }
    g_CurveFitter.Reset();
    FreeStrokePoints();
    std::vector<Gdiplus::Point>().swap(m_brush);
    RedrawView();
}
