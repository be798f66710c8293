#include "stage/SelectTool.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "stage/FlashEditorView.h"

#include <algorithm>
#include <cstdlib>

void CSelectTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonDown(flags, x, y);
    if (m_pView == nullptr)
        return;
    const bool ctrl = (flags & MK_CONTROL) != 0;
    CFlashShape* shape = m_pView->GetHoveredShape();
    if (shape == nullptr) {
        if (!ctrl) {
            m_pView->RemoveFromSelection(nullptr, true);
            RedrawView();
        }
        CaptureBackdrop(kRenderAllStates);
        return;
    }
    if (shape->GetState() != kResourceStateSelected) {
        if (!ctrl)
            m_pView->RemoveFromSelection(nullptr, false);
        m_pView->AddToSelection(shape, false);
        CFlashEditorDoc* document = m_pView->GetDocument();
        CFlashEditorLayer* layer = document != nullptr ? document->GetCurrentLayer() : nullptr;
        if (CFlashEditorFrame* span = layer != nullptr ? layer->GetCurrentSpan() : nullptr)
            span->MoveShapeToFront(shape);
        m_pView->OnSelectionModified();
        m_pView->UpdateWindow();
    }
    CaptureBackdrop(kResourceStateNormal);
    ShowSelectionMovedBy(0, 0);
}

void CSelectTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    if (!(flags & MK_LBUTTON) || m_pView == nullptr)
        return;
    if (!m_pView->GetSelection().empty())
        ShowSelectionMovedBy(x - m_nPressX, y - m_nPressY);
    else
        ShowMarquee(x, y);
}

void CSelectTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    if (m_pView == nullptr)
        return;
    if (!m_pView->GetSelection().empty()) {
        POINT offset = DragOffsetInTwips(x, y);
        // A move is a step of its own, so that Undo then Redo keeps it.
        if ((offset.x != 0 || offset.y != 0) && m_pView->MoveSelection(offset.x, offset.y))
            RecordStep("Translate Shapes");
    } else {
        if (!(flags & MK_CONTROL))
            m_pView->RemoveFromSelection(nullptr, true);
        if (x != m_nPressX && y != m_nPressY) {
            POINT from = ClientToStage(m_nPressX, m_nPressY);
            POINT to = ClientToStage(x, y);
            m_pView->SelectInRectangle(from.x, from.y, to.x, to.y);
        }
    }
    ReleaseBackdrop();
    RedrawView();
}

void CSelectTool::ShowMarquee(int x, int y)
{
    Gdiplus::Graphics* graphics = BeginFeedback();
    if (graphics == nullptr)
        return;
    Gdiplus::Pen band{Gdiplus::Color(kRubberBandColor), 1.0f};
    band.SetDashStyle(Gdiplus::DashStyleDot);
    graphics->DrawRectangle(&band, std::min(m_nPressX, x), std::min(m_nPressY, y), std::abs(x - m_nPressX),
                            std::abs(y - m_nPressY));
    EndFeedback(&graphics);
}

POINT CSelectTool::DragOffsetInTwips(int x, int y) const
{
    return {int(float(x - m_nPressX) * m_fTwipsPerPixel), int(float(y - m_nPressY) * m_fTwipsPerPixel)};
}
