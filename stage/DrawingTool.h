#pragma once
// The contract between the stage view and each of its mouse tools. The base keeps the press
// point, a copy of the view's geometry, the backdrop (a captured picture of the stage that
// rubber-band feedback is drawn over) and the default hit test with its cursors.
#include "platform/gdiplus/GdiPlus.h"

#include <windows.h>

#include <functional>

class CFlashEditorView;
class CFlashShape;

class CDrawingTool {
public:
    CDrawingTool() = default;
    CDrawingTool(const CDrawingTool&) = delete;
    CDrawingTool& operator=(const CDrawingTool&) = delete;
    virtual ~CDrawingTool();

    // Stores the view and repaints it.
    virtual void Activate(CFlashEditorView* view);
    virtual void Deactivate();
    // Key flags as the window message gives them; coordinates in client pixels.
    virtual void OnLButtonDown(UINT flags, int x, int y);
    virtual void OnLButtonUp(UINT flags, int x, int y);
    // Refreshes the view's hovered shape and sets the stage cursor.
    virtual void OnMouseMove(UINT flags, int x, int y);
    // A tool without a double-click of its own takes it as a press.
    virtual void OnLButtonDblClk(UINT flags, int x, int y);
    // Ends a drag with nothing changed and no step recorded (Escape while the button is down);
    // the release that follows does not reach the tool.
    virtual void CancelDrag();
    // Renders the stage (shapes passing the state filter) into the backdrop.
    virtual void CaptureBackdrop(int filter);
    virtual void ReleaseBackdrop();
    // A graphics on a fresh copy of the backdrop; EndFeedback shows it and frees it.
    virtual Gdiplus::Graphics* BeginFeedback();
    virtual void EndFeedback(Gdiplus::Graphics** graphics);
    // Handles and frames drawn over the painted stage.
    virtual void DrawOverlay(Gdiplus::Graphics& graphics);

    // Copies the view's zoom, stage size, stage offset and client rectangle.
    void SyncWithView();

    CFlashEditorView* GetView() const { return m_pView; }
    bool HasBackdrop() const { return m_bBackdropCaptured; }
    POINT GetPressPoint() const { return {m_nPressX, m_nPressY}; }
    // A client point in stage twips, each coordinate truncated towards zero.
    POINT ClientToStage(int x, int y) const;

    // Cursor resources of the stage: elsewhere, and over a shape.
    static constexpr int kStageCursorId = 133;
    static constexpr int kShapeCursorId = 136;
    // Rubber bands and marquees are drawn in black.
    static constexpr Gdiplus::ARGB kRubberBandColor = 0xFF000000;

protected:
    // The hit test of the current layer at the client point; the view's hovered shape follows it.
    void RefreshHoveredShape(int x, int y);
    // One of the application's cursor resources, the arrow when the program links none.
    static void SetStageCursor(int id);
    // Whether the current layer takes new shapes and changes at the current frame (it exists,
    // is not locked and has a span there).
    bool CanChangeCurrentLayer() const;
    // Adds a finished shape to the current span and makes it the only selected shape; false
    // (and the shape deleted) when the document refuses it.
    bool AddShapeAndSelect(CFlashShape* shape);
    void RecordStep(const char* name);
    // Shows the cross cursor and, while the left button is down, the dotted rubber band that
    // draw paints with the band's pen over the backdrop.
    void TrackRubberBand(UINT flags, const std::function<void(Gdiplus::Graphics&, const Gdiplus::Pen&)>& draw);
    // Invalidates with erase and repaints at once.
    void RedrawView();
    // The selected shapes drawn over the backdrop at an offset from where they stand, with the
    // tool's overlay on top.
    void ShowSelectionMovedBy(int dx, int dy);
    // The document's repository keeps a clone of the view's default pen for new shapes, which
    // copy it; null without a document.
    Gdiplus::Pen* AddDefaultPenToRepository();

    int m_nPressX = 0;
    int m_nPressY = 0;
    HDC m_hBackdropDC = nullptr;
    HDC m_hFeedbackDC = nullptr;
    HDC m_hWindowDC = nullptr;
    HBITMAP m_hBackdropBitmap = nullptr;
    HBITMAP m_hFeedbackBitmap = nullptr;
    HGDIOBJ m_hReplacedObject = nullptr;
    CFlashEditorView* m_pView = nullptr;
    UINT m_nStageWidth = 0;
    UINT m_nStageHeight = 0;
    int m_nStageOffsetX = 0;
    int m_nStageOffsetY = 0;
    float m_fTwipsPerPixel = 20.0f;
    float m_fZoom = 1.0f;
    RECT m_rcClient = {0, 0, 0, 0};
    bool m_bBackdropCaptured = false;

private:
    void FreeFeedback();
    HGDIOBJ m_hBackdropReplaced = nullptr;
};
