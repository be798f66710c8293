#include "stage/DrawFillTool.h"

#include "model/FlashShape.h"
#include "stage/FlashEditorView.h"

void CDrawFillTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonDown(flags, x, y);
    CFlashShape* shape = m_pView != nullptr ? m_pView->GetHoveredShape() : nullptr;
    // Without a default fill there is nothing to pour.
    if (shape == nullptr || m_pView->GetDefaultFill() == nullptr || !CanChangeCurrentLayer())
        return;
    shape->SetBrush(m_pView->GetDefaultFill());
    m_pView->Invalidate(TRUE);
    // A step of its own, so that Undo then Redo keeps the fill.
    RecordStep("Modify Fill");
}

void CDrawFillTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    SetStageCursor(kCursorId);
}
