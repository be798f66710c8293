#include "stage/DrawEyeDropperTool.h"

#include "model/FlashShape.h"
#include "stage/DrawFillTool.h"
#include "stage/DrawInkBottleTool.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashStageHost.h"

void CDrawEyeDropperTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonDown(flags, x, y);
    CFlashShape* shape = m_pView != nullptr ? m_pView->GetHoveredShape() : nullptr;
    if (shape == nullptr)
        return;
    Gdiplus::Brush* brush = shape->IsClosed() && shape->GetBrush() != nullptr ? shape->GetBrush()->Clone() : nullptr;
    // A shape without a pen (a picture) leaves the default pen as it is.
    Gdiplus::Pen* pen = shape->GetPen() != nullptr ? shape->GetPen()->Clone() : nullptr;
    m_pView->SetPenAndBrush(pen, brush);
    if (CFlashStageHost* host = CFlashEditorView::GetStageHost())
        host->NotifyStyleChanged(m_pView);
}

void CDrawEyeDropperTool::OnLButtonUp(UINT, int, int)
{
    if (m_pView == nullptr)
        return;
    if (m_pView->GetDefaultFill() != nullptr)
        m_pView->SetTool(m_pView->GetPaintBucketTool());
    else
        m_pView->SetTool(m_pView->GetInkBottleTool());
}

void CDrawEyeDropperTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    SetStageCursor(kCursorId);
}
