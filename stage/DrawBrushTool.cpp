#include "stage/DrawBrushTool.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashSolidShape.h"
#include "model/geometry/FlashCurveFitter.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashStageHost.h"

#include <memory>

namespace {

// The view's default fill; without one a solid fill of the brush-stroke pen's colour (black
// without that pen), so that a stroke never paints invisibly.
std::unique_ptr<Gdiplus::Brush> StrokeFill(const CFlashEditorView* view)
{
    if (view != nullptr && view->GetDefaultFill() != nullptr)
        return std::unique_ptr<Gdiplus::Brush>(view->GetDefaultFill()->Clone());
    Gdiplus::Color color(0xFF000000);
    if (view != nullptr && view->GetBrushPen() != nullptr)
        view->GetBrushPen()->GetColor(&color);
    return std::make_unique<Gdiplus::SolidBrush>(color);
}

} // namespace

void CDrawBrushTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawFreeHandTool::OnLButtonDown(flags, x, y);
    CFlashStageHost* host = CFlashEditorView::GetStageHost();
    std::unique_ptr<Gdiplus::GraphicsPath> path(host != nullptr ? host->GetBrushPath() : nullptr);
    m_brush = PathPoints(path.get());
    m_pFill = StrokeFill(m_pView);
}

void CDrawBrushTool::OnMouseMove(UINT flags, int x, int y)
{
    CFlashStageHost* host = CFlashEditorView::GetStageHost();
    HCURSOR cursor = host != nullptr ? host->GetBrushCursor() : nullptr;
    if (m_pFill == nullptr)
        m_pFill = StrokeFill(m_pView);
    SweepFeedback(flags, x, y, cursor, m_brush, *m_pFill);
}

void CDrawBrushTool::CancelDrag()
{
    std::vector<Gdiplus::Point>().swap(m_brush);
    m_pFill.reset();
    CDrawFreeHandTool::CancelDrag();
}

void CDrawBrushTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    ReleaseBackdrop();
    CFlashEditorDoc* document = m_pView != nullptr ? m_pView->GetDocument() : nullptr;
    if (document != nullptr && CanChangeCurrentLayer()) {
        std::unique_ptr<Gdiplus::Pen> pen(m_pView->GetBrushPen() != nullptr ? m_pView->GetBrushPen()->Clone() : nullptr);
        Gdiplus::Brush* fill = m_pFill != nullptr ? m_pFill.release() : StrokeFill(m_pView).release();
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
    m_pFill.reset();
    RedrawView();
}
