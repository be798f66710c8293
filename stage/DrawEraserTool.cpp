#include "stage/DrawEraserTool.h"

#include "model/FlashSolidShape.h"
#include "model/geometry/FlashCurveFitter.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashStageHost.h"

namespace {

constexpr Gdiplus::ARGB kEraserColor = 0xFFFFFFFF;

} // namespace

void CDrawEraserTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawFreeHandTool::OnLButtonDown(flags, x, y);
    CFlashStageHost* host = CFlashEditorView::GetStageHost();
    // The panel keeps its path.
    m_eraser = PathPoints(host != nullptr ? host->GetEraserPath() : nullptr);
}

void CDrawEraserTool::OnMouseMove(UINT flags, int x, int y)
{
    CFlashStageHost* host = CFlashEditorView::GetStageHost();
    HCURSOR cursor = host != nullptr ? host->GetEraserCursor() : nullptr;
    Gdiplus::SolidBrush white{Gdiplus::Color(kEraserColor)};
    SweepFeedback(flags, x, y, cursor, m_eraser, white);
}

void CDrawEraserTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    // A current layer that takes no change leaves the stroke without effect and without a step.
    const bool erase = m_pView != nullptr && CanChangeCurrentLayer();
    if (erase) {
        Gdiplus::SolidBrush white{Gdiplus::Color(kEraserColor)};
        Gdiplus::Pen whitePen{Gdiplus::Color(kEraserColor), 1.0f};
        CFlashSolidShape eraser(&white);
        OutlineToShape(eraser, m_eraser, &whitePen);
        m_pView->EraseWithShape(&eraser);
    }
    g_CurveFitter.Reset();
    FreeStrokePoints();
    std::vector<Gdiplus::Point>().swap(m_eraser);
    ReleaseBackdrop();
    if (erase) {
        m_pView->RemoveFromSelection(nullptr, true);
        RecordStep("Eraser");
    }
    RedrawView();
}
