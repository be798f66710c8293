#include "stage/DrawingTool.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "stage/FlashEditorView.h"
#include "stage/StageBufferDC.h"

namespace {

constexpr Gdiplus::ARGB kFieldColor = 0xFFD0D0D0;

HCURSOR LoadStageCursor(int id)
{
    HCURSOR cursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    // A program that links no stage cursors still shows one.
    return cursor != nullptr ? cursor : ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
}

} // namespace

CDrawingTool::~CDrawingTool()
{
    FreeFeedback();
    ReleaseBackdrop();
}

void CDrawingTool::Activate(CFlashEditorView* view)
{
    m_pView = view;
    if (m_pView != nullptr && m_pView->GetSafeHwnd() != nullptr)
        m_pView->Invalidate(TRUE);
}

void CDrawingTool::Deactivate()
{
}

void CDrawingTool::OnLButtonDown(UINT, int x, int y)
{
    SyncWithView();
    // The pointer may not have moved since the document changed (an undo from the keyboard):
    // the press acts on what lies under it now.
    RefreshHoveredShape(x, y);
    m_nPressX = x;
    m_nPressY = y;
}

void CDrawingTool::OnLButtonUp(UINT, int, int)
{
    if (m_pView != nullptr && ::GetCapture() == m_pView->GetSafeHwnd())
        ::ReleaseCapture();
    SyncWithView();
}

void CDrawingTool::OnMouseMove(UINT, int x, int y)
{
    SyncWithView();
    RefreshHoveredShape(x, y);
    bool overShape = m_pView != nullptr && m_pView->GetHoveredShape() != nullptr;
    SetStageCursor(overShape ? kShapeCursorId : kStageCursorId);
}

void CDrawingTool::SetStageCursor(int id)
{
    ::SetCursor(LoadStageCursor(id));
}

bool CDrawingTool::CanChangeCurrentLayer() const
{
    CFlashEditorDoc* document = m_pView != nullptr ? m_pView->GetDocument() : nullptr;
    CFlashEditorLayer* layer = document != nullptr ? document->GetCurrentLayer() : nullptr;
    return layer != nullptr && !layer->IsLocked() && layer->FindSpan(document->GetCurrentFrame()) != nullptr;
}

bool CDrawingTool::AddShapeAndSelect(CFlashShape* shape)
{
    CFlashEditorDoc* document = m_pView != nullptr ? m_pView->GetDocument() : nullptr;
    if (document == nullptr || !document->AddShape(shape)) {
        delete shape;
        return false;
    }
    m_pView->RemoveFromSelection(nullptr, true);
    m_pView->AddToSelection(shape, true);
    return true;
}

void CDrawingTool::RecordStep(const char* name)
{
    if (CFlashEditorDoc* document = m_pView != nullptr ? m_pView->GetDocument() : nullptr)
        document->GetUndoManager().AddUndoStep(name, nullptr, true);
}

void CDrawingTool::TrackRubberBand(UINT flags,
                                   const std::function<void(Gdiplus::Graphics&, const Gdiplus::Pen&)>& draw)
{
    ::SetCursor(::LoadCursorA(nullptr, IDC_CROSS));
    if (!(flags & MK_LBUTTON))
        return;
    Gdiplus::Graphics* graphics = BeginFeedback();
    if (graphics == nullptr)
        return;
    Gdiplus::Pen band{Gdiplus::Color(kRubberBandColor), 1.0f};
    band.SetDashStyle(Gdiplus::DashStyleDot);
    draw(*graphics, band);
    EndFeedback(&graphics);
}

void CDrawingTool::RedrawView()
{
    if (m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
        return;
    m_pView->Invalidate(TRUE);
    m_pView->UpdateWindow();
}

void CDrawingTool::ShowSelectionMovedBy(int dx, int dy)
{
    Gdiplus::Graphics* graphics = BeginFeedback();
    if (graphics == nullptr)
        return;
    if (CFlashEditorDoc* document = m_pView->GetDocument()) {
        graphics->Flush();
        document->RenderCurrentFrame(m_hFeedbackDC, m_nStageOffsetX + dx, m_nStageOffsetY + dy, m_fZoom,
                                     kResourceStateSelected);
    }
    DrawOverlay(*graphics);
    EndFeedback(&graphics);
}

Gdiplus::Pen* CDrawingTool::AddDefaultPenToRepository()
{
    CFlashEditorDoc* document = m_pView != nullptr ? m_pView->GetDocument() : nullptr;
    if (document == nullptr || m_pView->GetDefaultPen() == nullptr)
        return nullptr;
    Gdiplus::Pen* pen = m_pView->GetDefaultPen()->Clone();
    document->GetRepository().AddPen(pen);
    return pen;
}

void CDrawingTool::OnLButtonDblClk(UINT flags, int x, int y)
{
    OnLButtonDown(flags, x, y);
}

void CDrawingTool::CancelDrag()
{
    ReleaseBackdrop();
    RedrawView();
}

void CDrawingTool::RefreshHoveredShape(int x, int y)
{
    if (m_pView == nullptr)
        return;
    CFlashEditorDoc* document = m_pView->GetDocument();
    if (document == nullptr || m_pView->GetSafeHwnd() == nullptr) {
        m_pView->SetHoveredShape(nullptr);
        return;
    }
    // A locked layer's shapes are neither picked nor changed by any tool.
    const CFlashEditorLayer* layer = document->GetCurrentLayer();
    if (layer == nullptr || layer->IsLocked()) {
        m_pView->SetHoveredShape(nullptr);
        return;
    }
    HDC dc = ::GetDC(m_pView->GetSafeHwnd());
    POINT point = {x - m_nStageOffsetX, y - m_nStageOffsetY};
    m_pView->SetHoveredShape(document->HitTestCurrentLayer(dc, m_fZoom, point));
    ::ReleaseDC(m_pView->GetSafeHwnd(), dc);
}

void CDrawingTool::SyncWithView()
{
    if (m_pView == nullptr)
        return;
    if (m_pView->GetSafeHwnd() != nullptr)
        ::GetClientRect(m_pView->GetSafeHwnd(), &m_rcClient);
    m_pView->UpdateStageOffset();
    m_fZoom = m_pView->GetZoom();
    SIZE stage = m_pView->GetStageSizeAtZoom();
    m_nStageWidth = UINT(stage.cx);
    m_nStageHeight = UINT(stage.cy);
    POINT offset = m_pView->GetStageOffset();
    m_nStageOffsetX = offset.x;
    m_nStageOffsetY = offset.y;
    m_fTwipsPerPixel = 20.0f / m_fZoom;
}

POINT CDrawingTool::ClientToStage(int x, int y) const
{
    return {int(float(x - m_nStageOffsetX) * m_fTwipsPerPixel), int(float(y - m_nStageOffsetY) * m_fTwipsPerPixel)};
}

void CDrawingTool::CaptureBackdrop(int filter)
{
    // A backdrop still held from an earlier capture would leak with its DC.
    ReleaseBackdrop();
    if (m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
        return;
    SyncWithView();
    int width = m_rcClient.right - m_rcClient.left;
    int height = m_rcClient.bottom - m_rcClient.top;
    HWND window = m_pView->GetSafeHwnd();
    HDC viewDC = ::GetDC(window);
    m_hBackdropDC = ::CreateCompatibleDC(viewDC);
    m_hBackdropBitmap = ::CreateCompatibleBitmap(viewDC, width > 0 ? width : 1, height > 0 ? height : 1);
    m_hBackdropReplaced = ::SelectObject(m_hBackdropDC, m_hBackdropBitmap);
    {
        CStageBufferDC scratch(viewDC, width, height);
        {
            Gdiplus::Graphics graphics(scratch.Get());
            Gdiplus::SolidBrush field{Gdiplus::Color(kFieldColor)};
            graphics.FillRectangle(&field, 0, 0, width, height);
            if (CFlashEditorDoc* document = m_pView->GetDocument()) {
                COLORREF back = document->GetBackgroundColor();
                Gdiplus::SolidBrush stage{Gdiplus::Color(255, GetRValue(back), GetGValue(back), GetBValue(back))};
                graphics.FillRectangle(&stage, m_nStageOffsetX, m_nStageOffsetY, int(m_nStageWidth),
                                       int(m_nStageHeight));
            }
        }
        if (CFlashEditorDoc* document = m_pView->GetDocument())
            document->RenderCurrentFrame(scratch.Get(), m_nStageOffsetX, m_nStageOffsetY, m_fZoom, filter);
        ::BitBlt(m_hBackdropDC, 0, 0, width, height, scratch.Get(), 0, 0, SRCCOPY);
    }
    ::ReleaseDC(window, viewDC);
    m_bBackdropCaptured = true;
}

void CDrawingTool::ReleaseBackdrop()
{
    if (m_hBackdropDC != nullptr) {
        ::SelectObject(m_hBackdropDC, m_hBackdropReplaced);
        ::DeleteDC(m_hBackdropDC);
    }
    if (m_hBackdropBitmap != nullptr)
        ::DeleteObject(m_hBackdropBitmap);
    m_hBackdropDC = nullptr;
    m_hBackdropBitmap = nullptr;
    m_hBackdropReplaced = nullptr;
    m_bBackdropCaptured = false;
}

Gdiplus::Graphics* CDrawingTool::BeginFeedback()
{
    if (!m_bBackdropCaptured)
        CaptureBackdrop(kRenderAllStates);
    if (m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr || m_hBackdropDC == nullptr)
        return nullptr;
    FreeFeedback();
    int width = m_rcClient.right - m_rcClient.left;
    int height = m_rcClient.bottom - m_rcClient.top;
    m_hWindowDC = ::GetDC(m_pView->GetSafeHwnd());
    m_hFeedbackDC = ::CreateCompatibleDC(m_hWindowDC);
    m_hFeedbackBitmap = ::CreateCompatibleBitmap(m_hWindowDC, width > 0 ? width : 1, height > 0 ? height : 1);
    m_hReplacedObject = ::SelectObject(m_hFeedbackDC, m_hFeedbackBitmap);
    ::BitBlt(m_hFeedbackDC, 0, 0, width, height, m_hBackdropDC, 0, 0, SRCCOPY);
    auto* graphics = new Gdiplus::Graphics(m_hFeedbackDC);
    graphics->SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    return graphics;
}

void CDrawingTool::EndFeedback(Gdiplus::Graphics** graphics)
{
    if (graphics == nullptr)
        return;
    delete *graphics;
    *graphics = nullptr;
    if (m_hWindowDC != nullptr && m_hFeedbackDC != nullptr)
        ::BitBlt(m_hWindowDC, 0, 0, m_rcClient.right - m_rcClient.left, m_rcClient.bottom - m_rcClient.top,
                 m_hFeedbackDC, 0, 0, SRCCOPY);
    FreeFeedback();
}

void CDrawingTool::FreeFeedback()
{
    if (m_hFeedbackDC != nullptr) {
        ::SelectObject(m_hFeedbackDC, m_hReplacedObject);
        ::DeleteDC(m_hFeedbackDC);
    }
    if (m_hFeedbackBitmap != nullptr)
        ::DeleteObject(m_hFeedbackBitmap);
    if (m_hWindowDC != nullptr && m_pView != nullptr)
        ::ReleaseDC(m_pView->GetSafeHwnd(), m_hWindowDC);
    m_hFeedbackDC = nullptr;
    m_hFeedbackBitmap = nullptr;
    m_hWindowDC = nullptr;
    m_hReplacedObject = nullptr;
}

void CDrawingTool::DrawOverlay(Gdiplus::Graphics&)
{
}
