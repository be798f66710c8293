#include "stage/DrawInkBottleTool.h"

#include "model/FlashShape.h"
#include "stage/FlashEditorView.h"

void CDrawInkBottleTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonDown(flags, x, y);
    CFlashShape* shape = m_pView != nullptr ? m_pView->GetHoveredShape() : nullptr;
    if (shape == nullptr || !CanChangeCurrentLayer())
        return;
    shape->SetPen(m_pView->GetDefaultPen());
    m_pView->Invalidate(TRUE);
    RecordStep("Modify Pen");
}

void CDrawInkBottleTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    SetStageCursor(kCursorId);
}
