// Painting, printing, zoom, stage layout and scrolling of the stage view.
#include "stage/FlashEditorView.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashShape.h"
#include "stage/DrawingTool.h"
#include "stage/StageBufferDC.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF kFieldColor = RGB(0xD0, 0xD0, 0xD0);
constexpr float kZoomStep = 0.1f;
constexpr float kZoomInFactor = 1.1f;
constexpr float kZoomOutFactor = 0.9090909f;
constexpr float kPageScrollPixels = 50.0f;
constexpr float kLineScrollPixels = 10.0f;
// A printer page at full resolution would need a bitmap of hundreds of megabytes; the frame is
// rendered at most this large and stretched onto the page.
constexpr int kMaxPrintBufferSide = 2048;

int RoundToInt(double value)
{
    return int(std::floor(value + 0.5));
}

void FillColor(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

} // namespace

void CFlashEditorView::OnDraw(CDC* pDC)
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr || pDC == nullptr)
        return;
    if (pDC->IsPrinting()) {
        PrintStage(pDC);
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    // The scroll view moved the DC's origin by the scroll position; the picture is laid out in
    // client pixels already.
    HDC dc = pDC->GetSafeHdc();
    int saved = ::SaveDC(dc);
    ::SetViewportOrgEx(dc, 0, 0, nullptr);
    PaintStage(dc, client.Width(), client.Height());
    ::RestoreDC(dc, saved);
}

void CFlashEditorView::PaintStage(HDC dc, int width, int height)
{
    CFlashEditorDoc* document = GetDocument();
    UpdateStageOffset();
    // Only the client area is buffered: a stage-size buffer at a high zoom would be enormous.
    CStageBufferDC buffer(dc, width, height);
    if (!buffer.IsValid())
        return;
    RECT all = {0, 0, width, height};
    FillColor(buffer.Get(), all, kFieldColor);
    RECT stage = {m_nStageOffsetX, m_nStageOffsetY, m_nStageOffsetX + m_nStageWidthAtZoom,
                  m_nStageOffsetY + m_nStageHeightAtZoom};
    RECT visible;
    if (::IntersectRect(&visible, &stage, &all))
        FillColor(buffer.Get(), visible, document->GetBackgroundColor() & 0xFFFFFF);
    document->RenderCurrentFrame(buffer.Get(), m_nStageOffsetX, m_nStageOffsetY, m_fZoom, kRenderAllStates);
    if (m_pCurrentTool != nullptr) {
        m_pCurrentTool->SyncWithView();
        Gdiplus::Graphics graphics(buffer.Get());
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        m_pCurrentTool->DrawOverlay(graphics);
    }
    ::BitBlt(dc, 0, 0, width, height, buffer.Get(), 0, 0, SRCCOPY);
}

void CFlashEditorView::PrintStage(CDC* pDC)
{
    CFlashEditorDoc* document = GetDocument();
    int stageWidth = document->GetStageWidth();
    int stageHeight = document->GetStageHeight();
    // The page as the DC clips it: a printer's page, a preview's page rectangle, a bitmap.
    RECT page = {0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES)};
    RECT clip;
    if (::GetClipBox(pDC->GetSafeHdc(), &clip) != ERROR && clip.right > clip.left && clip.bottom > clip.top)
        page = clip;
    int pageWidth = page.right - page.left;
    int pageHeight = page.bottom - page.top;
    if (stageWidth <= 0 || stageHeight <= 0 || pageWidth <= 0 || pageHeight <= 0)
        return;
    // The stage fitted to the page, its aspect kept, centred.
    double scale = std::min(double(pageWidth) / stageWidth, double(pageHeight) / stageHeight);
    int targetWidth = std::max(1, int(stageWidth * scale));
    int targetHeight = std::max(1, int(stageHeight * scale));
    int targetX = page.left + (pageWidth - targetWidth) / 2;
    int targetY = page.top + (pageHeight - targetHeight) / 2;
    double renderZoom = std::min(scale, double(kMaxPrintBufferSide) / std::max(stageWidth, stageHeight));
    int bufferWidth = std::max(1, int(std::ceil(stageWidth * renderZoom)));
    int bufferHeight = std::max(1, int(std::ceil(stageHeight * renderZoom)));

    HDC screen = ::GetDC(nullptr);
    {
        CStageBufferDC buffer(screen, bufferWidth, bufferHeight);
        if (buffer.IsValid()) {
            RECT all = {0, 0, bufferWidth, bufferHeight};
            FillColor(buffer.Get(), all, document->GetBackgroundColor() & 0xFFFFFF);
            // A printout shows the drawing, not the editing state: selected shapes print plain.
            std::vector<CFlashShape*> selected;
            for (CFlashShape* shape : m_selection)
                if (shape->GetState() == kResourceStateSelected) {
                    shape->SetState(kResourceStateNormal);
                    selected.push_back(shape);
                }
            bool handles = g_bShowEndpointHandles;
            g_bShowEndpointHandles = false;
            document->RenderCurrentFrame(buffer.Get(), 0, 0, renderZoom, kRenderAllStates);
            g_bShowEndpointHandles = handles;
            for (CFlashShape* shape : selected)
                shape->SetState(kResourceStateSelected);
            HDC printDC = pDC->GetSafeHdc();
            int mode = ::SetStretchBltMode(printDC, HALFTONE);
            ::StretchBlt(printDC, targetX, targetY, targetWidth, targetHeight, buffer.Get(), 0, 0, bufferWidth,
                         bufferHeight, SRCCOPY);
            ::SetStretchBltMode(printDC, mode);
        }
    }
    ::ReleaseDC(nullptr, screen);
}

BOOL CFlashEditorView::OnPreparePrinting(CPrintInfo* pInfo)
{
    // The whole stage fits one page.
    pInfo->SetMaxPage(1);
    return DoPreparePrinting(pInfo);
}

void CFlashEditorView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CFlashEditorView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

BOOL CFlashEditorView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// -- zoom and layout ----------------------------------------------------------------------------

void CFlashEditorView::SetZoom(float zoom)
{
    // Below a tenth the stage vanishes; above 20 a pixel is finer than a twip.
    if (std::isnan(zoom))
        return;
    zoom = std::clamp(zoom, kMinStageZoom, kMaxStageZoom);
    double ratio = double(zoom) / double(m_fZoom);
    int x = RoundToInt(GetScrollPos(SB_HORZ) * ratio);
    int y = RoundToInt(GetScrollPos(SB_VERT) * ratio);
    m_fZoom = zoom;
    LayoutStage();
    if (GetSafeHwnd() == nullptr)
        return;
    SetScrollPos(SB_HORZ, x, FALSE);
    SetScrollPos(SB_VERT, y, FALSE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CFlashEditorView::LayoutStage()
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return;
    m_nStageWidth = document->GetStageWidth();
    m_nStageHeight = document->GetStageHeight();
    m_nStageWidthAtZoom = int(std::ceil(double(m_nStageWidth) * m_fZoom));
    m_nStageHeightAtZoom = int(std::ceil(double(m_nStageHeight) * m_fZoom));
    SetStageScrollSizes(m_nStageWidthAtZoom, m_nStageHeightAtZoom);
}

void CFlashEditorView::SetStageScrollSizes(int width, int height)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    // At least a pixel, or a page or line step at a high zoom would not move.
    int page = std::max(1, int(kPageScrollPixels / m_fZoom));
    int line = std::max(1, int(kLineScrollPixels / m_fZoom));
    SetScrollSizes(MM_TEXT, CSize(width + client.Width(), height + client.Height()), CSize(page, page),
                   CSize(line, line));
}

void CFlashEditorView::UpdateStageOffset()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_nStageOffsetX = client.Width() / 2 - GetScrollPos(SB_HORZ);
    m_nStageOffsetY = client.Height() / 2 - GetScrollPos(SB_VERT);
}

CFlashEditorFrameShapeTransform* CFlashEditorView::GetShapeTransform(const CFlashShape* shape) const
{
    CFlashEditorDoc* document = GetDocument();
    return document != nullptr ? document->GetShapeTransform(shape) : nullptr;
}

void CFlashEditorView::OnSize(UINT nType, int cx, int cy)
{
    LayoutStage();
    CScrollView::OnSize(nType, cx, cy);
}

BOOL CFlashEditorView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    DWORD style = GetStyle();
    if (!(style & WS_HSCROLL))
        sizeScroll.cx = 0;
    if (!(style & WS_VSCROLL))
        sizeScroll.cy = 0;
    int xOld = GetScrollPos(SB_HORZ);
    int yOld = GetScrollPos(SB_VERT);
    int x = std::clamp(xOld + int(sizeScroll.cx), 0, std::max(0, GetScrollLimit(SB_HORZ)));
    int y = std::clamp(yOld + int(sizeScroll.cy), 0, std::max(0, GetScrollLimit(SB_VERT)));
    if (x == xOld && y == yOld)
        return FALSE;
    if (bDoScroll) {
        // The stage is centred by offsets, not by the window's origin: repaint rather than scroll.
        SetScrollPos(SB_HORZ, x);
        SetScrollPos(SB_VERT, y);
        Invalidate(TRUE);
    }
    return TRUE;
}

void CFlashEditorView::OnZoomStepDown()
{
    if (m_fZoom > kMinStageZoom)
        SetZoom(m_fZoom - kZoomStep);
}

void CFlashEditorView::OnZoomStepUp()
{
    SetZoom(m_fZoom + kZoomStep);
}

void CFlashEditorView::OnZoomIn()
{
    SetZoom(m_fZoom * kZoomInFactor);
}

void CFlashEditorView::OnZoomOut()
{
    SetZoom(m_fZoom * kZoomOutFactor);
}
