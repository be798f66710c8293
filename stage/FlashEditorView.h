#pragma once
// The stage view: the lower pane of every document window. It paints the current frame of the
// document on a grey field, owns the fourteen drawing tools and routes the mouse to the current
// one, keeps the stage selection and the styles new shapes copy, and keeps the zoom. It holds
// pointers to the document's shapes only; every change goes through the document.
#include "platform/gdiplus/GdiPlus.h"
#include "platform/mfc/Afx.h"

#include <memory>
#include <vector>

class CDrawingTool;
class CDrawBrushTool;
class CDrawEllipseTool;
class CDrawEraserTool;
class CDrawEyeDropperTool;
class CDrawFillTool;
class CDrawFreeHandTool;
class CDrawInkBottleTool;
class CDrawLassoTool;
class CDrawLineTool;
class CDrawRectangleTool;
class CDrawTextTool;
class CFlashEditorDoc;
class CFlashEditorFrameShapeTransform;
class CFlashInplaceEdit;
class CFlashShape;
class CFlashStageHost;
class CFreeTransformTool;
class CSelectTool;
class CSubselectionTool;
struct CFlashVertexHandle;

// Zoom range of the stage: from a tenth up to one twip per pixel.
constexpr float kMinStageZoom = 0.1f;
constexpr float kMaxStageZoom = 20.0f;

class CFlashEditorView : public CScrollView, public IDropTarget {
    DECLARE_DYNCREATE(CFlashEditorView)
public:
    CFlashEditorView();
    ~CFlashEditorView() override;

    // The application's panels and dialogs; null (the default) for none.
    static void SetStageHost(CFlashStageHost* host);
    static CFlashStageHost* GetStageHost();

    CFlashEditorDoc* GetDocument() const;

    // Tools.
    CDrawingTool* GetCurrentTool() const { return m_pCurrentTool; }
    void SetTool(CDrawingTool* tool);
    CSelectTool* GetSelectTool() const { return m_pSelectTool.get(); }
    CSubselectionTool* GetSubselectionTool() const { return m_pSubselectionTool.get(); }
    CDrawLineTool* GetLineTool() const { return m_pLineTool.get(); }
    CDrawEllipseTool* GetEllipseTool() const { return m_pEllipseTool.get(); }
    CDrawRectangleTool* GetRectangleTool() const { return m_pRectangleTool.get(); }
    CDrawFreeHandTool* GetPencilTool() const { return m_pPencilTool.get(); }
    CDrawBrushTool* GetBrushTool() const { return m_pBrushTool.get(); }
    CDrawEraserTool* GetEraserTool() const { return m_pEraserTool.get(); }
    CDrawLassoTool* GetLassoTool() const { return m_pLassoTool.get(); }
    CDrawInkBottleTool* GetInkBottleTool() const { return m_pInkBottleTool.get(); }
    CDrawFillTool* GetPaintBucketTool() const { return m_pPaintBucketTool.get(); }
    CDrawEyeDropperTool* GetEyeDropperTool() const { return m_pEyeDropperTool.get(); }
    CDrawTextTool* GetTextTool() const { return m_pTextTool.get(); }
    CFreeTransformTool* GetFreeTransformTool() const { return m_pFreeTransformTool.get(); }
    CFlashInplaceEdit* GetInplaceEdit() const { return m_pInplaceEdit.get(); }

    // Styles that new shapes copy.
    Gdiplus::Pen* GetDefaultPen() const { return m_pDefaultPen.get(); }
    // Null means no fill.
    Gdiplus::Brush* GetDefaultFill() const { return m_pDefaultFill.get(); }
    Gdiplus::Pen* GetBrushPen() const { return m_pBrushPen.get(); }
    Gdiplus::Font* GetTextFont() const { return m_pTextFont.get(); }
    int GetTextAlignment() const { return m_nTextAlignment; }

    // Geometry. The zoom is kept within kMinStageZoom and kMaxStageZoom.
    float GetZoom() const { return m_fZoom; }
    void SetZoom(float zoom);
    void LayoutStage();
    void SetStageScrollSizes(int width, int height);
    void UpdateStageOffset();
    SIZE GetStageSizeAtZoom() const { return {m_nStageWidthAtZoom, m_nStageHeightAtZoom}; }
    SIZE GetStageSize() const { return {m_nStageWidth, m_nStageHeight}; }
    POINT GetStageOffset() const { return {m_nStageOffsetX, m_nStageOffsetY}; }
    // The shape's placement in the current layer's current span.
    CFlashEditorFrameShapeTransform* GetShapeTransform(const CFlashShape* shape) const;

    // The topmost shape of the current layer under the pointer, as the last hit test found it.
    CFlashShape* GetHoveredShape() const { return m_pHoveredShape; }
    void SetHoveredShape(CFlashShape* shape) { m_pHoveredShape = shape; }

    // Selection.
    const std::vector<CFlashShape*>& GetSelection() const { return m_selection; }
    void AddToSelection(CFlashShape* shape, bool notify);
    void RemoveFromSelection(CFlashShape* shape, bool notify);
    void ClearSelection();
    CFlashShape* GetFirstSelectedShape() const;
    void OnSelectionModified();
    // A new vector the caller deletes.
    std::vector<CFlashShape*>* CopySelection() const;
    // Stage twips, any corner order; every visible layer takes part.
    void SelectInRectangle(int x0, int y0, int x1, int y1);
    // Every entry that is shape becomes copy, state carried over (the model's detach of a
    // shared shape).
    void ReplaceSelectedShape(CFlashShape* shape, CFlashShape* copy);

    // Placement edits on the selection, each on the shape's own layer at the current frame.
    // The selection moves whole: false, with no placement changed, when one would leave the
    // bounds the document file reads.
    void PrepareSelectionForEdit();
    bool MoveSelection(int dx, int dy);
    // Each placement becomes its saved matrix (SaveSelectionMatrices) with the matrix appended.
    bool ApplyMatrixToSelection(const Gdiplus::Matrix& matrix);
    bool RotateSelection(double angle, float cx, float cy);
    void SaveSelectionMatrices();
    // x, y, width, height in twips; x and y keep the caller's values when nothing contributes.
    void GetSelectionBounds(Gdiplus::Rect& rect) const;
    std::vector<CFlashVertexHandle>* CollectSelectionVertexHandles();

    // Style setters of the tool panels and the eyedropper.
    void SetPenAndFillColors(COLORREF penColor, COLORREF fillColor);
    // The repository takes both; brush may be null (no fill).
    void SetPenAndBrush(Gdiplus::Pen* pen, Gdiplus::Brush* brush);
    void SetTextFont(const Gdiplus::Font* font);
    void SetTextAlignment(int alignment);
    void SetBrushPen(const Gdiplus::Pen* pen);

    // Object commands.
    void DeleteSelection();
    void InsertShapeUnion();
    void InsertShapeIntersection();
    void InsertShapeDifference();
    // The eraser and lasso outlines are in stage twips without placement.
    void EraseWithShape(CFlashShape* eraser);
    void LassoCut(CFlashShape* lasso);
    // Adds a picture as a bitmap shape; false (nothing added) when it cannot be read or placed.
    bool InsertBitmapShape(HBITMAP bitmap);

    // Clipboard of the application's own format.
    bool CopySelectionToClipboard();
    // The pasted shapes become the selection.
    void PasteShapesFromClipboard(bool centre);

    // Routing of the mouse to the current tool.
    virtual void DispatchLButtonDown(UINT flags, CPoint point);
    virtual void DispatchLButtonUp(UINT flags, CPoint point);
    virtual void DispatchMouseMove(UINT flags, CPoint point);

    // IDropTarget: a dropped device bitmap becomes a bitmap shape.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    // On screen: the grey field, the stage and the tool's overlay. On a printing DC: the stage
    // and its current frame alone, fitted to the page.
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // Message and command handlers.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnInplaceEditKillFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInplaceEditCancel(WPARAM wParam, LPARAM lParam);
    afx_msg void OnInplaceEditChange();
    afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);

    afx_msg void OnSelectionTool();
    afx_msg void OnSubselectionTool();
    afx_msg void OnFreeTransformTool();
    afx_msg void OnLineTool();
    afx_msg void OnEllipseTool();
    afx_msg void OnOvalTool();
    afx_msg void OnRectangleTool();
    afx_msg void OnFilledRectangleTool();
    afx_msg void OnTextTool();
    afx_msg void OnPencilTool();
    afx_msg void OnBrushTool();
    afx_msg void OnEraserTool();
    afx_msg void OnLassoTool();
    afx_msg void OnInkBottleTool();
    afx_msg void OnPaintBucketTool();
    afx_msg void OnEyedropperTool();
    afx_msg void OnUpdateSelectionTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSubselectionTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateFreeTransformTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLineTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEllipseTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateOvalTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRectangleTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateFilledRectangleTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTextTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePencilTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateBrushTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEraserTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLassoTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateInkBottleTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePaintBucketTool(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEyedropperTool(CCmdUI* pCmdUI);
    afx_msg void OnZoomStepDown();
    afx_msg void OnZoomStepUp();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnModifyDocument();
    afx_msg void OnInsertBitmap();
    afx_msg void OnEditClear();
    afx_msg void OnBringToFront();
    afx_msg void OnSendToBack();
    afx_msg void OnUpdateNotPlaying(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedsSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateShapeUnionIntersection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateShapeDifference(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    bool IsPlaying() const;
    // Enabled outside playback; a radio mark (or a check mark) while the tool is current.
    void UpdateToolCommand(CCmdUI* pCmdUI, bool current, bool checkMark = false);
    void NotifySelectionChanged();
    void NotifyStyleChanged();
    void RecordStep(const char* name);
    // Paints the screen picture into the DC, the client area at most.
    void PaintStage(HDC dc, int width, int height);
    void PrintStage(CDC* pDC);
    // The span at the current frame of the layer holding the selected shape, tween split first.
    struct CSelectionEntry;
    std::vector<CSelectionEntry> LocateSelection() const;
    // Appends the change to every placement of the selection (to its saved matrix, fromSaved),
    // all or none.
    bool TransformSelection(const Gdiplus::Matrix& change, bool fromSaved);
    // Selected shapes of locked layers go back to normal and leave the selection.
    void DropLockedFromSelection();
    // Adds a finished shape with a placement to the current span; false (and the shape
    // deleted) when the document refuses it.
    bool AddNewShape(CFlashShape* shape, std::unique_ptr<CFlashEditorFrameShapeTransform> placement);
    // A shape leaves the selection and the hover before it is deleted.
    void ForgetShape(const CFlashShape* shape);
    // Removes shapes of any layer from the span at its current frame and frees them.
    void DeleteShapesFromTheirLayers(const std::vector<CFlashShape*>& shapes);

    static CFlashStageHost* s_pHost;

    CDrawingTool* m_pCurrentTool = nullptr;
    std::unique_ptr<CSelectTool> m_pSelectTool;
    std::unique_ptr<CSubselectionTool> m_pSubselectionTool;
    std::unique_ptr<CDrawLineTool> m_pLineTool;
    std::unique_ptr<CDrawEllipseTool> m_pEllipseTool;
    std::unique_ptr<CDrawRectangleTool> m_pRectangleTool;
    std::unique_ptr<CDrawFreeHandTool> m_pPencilTool;
    std::unique_ptr<CDrawBrushTool> m_pBrushTool;
    std::unique_ptr<CDrawEraserTool> m_pEraserTool;
    std::unique_ptr<CDrawLassoTool> m_pLassoTool;
    std::unique_ptr<CDrawInkBottleTool> m_pInkBottleTool;
    std::unique_ptr<CDrawFillTool> m_pPaintBucketTool;
    std::unique_ptr<CDrawEyeDropperTool> m_pEyeDropperTool;
    std::unique_ptr<CDrawTextTool> m_pTextTool;
    std::unique_ptr<CFreeTransformTool> m_pFreeTransformTool;
    std::unique_ptr<Gdiplus::Pen> m_pDefaultPen;
    std::unique_ptr<Gdiplus::Brush> m_pDefaultFill;
    std::unique_ptr<Gdiplus::Pen> m_pBrushPen;
    std::unique_ptr<Gdiplus::Font> m_pTextFont;
    int m_nTextAlignment = 0;
    std::unique_ptr<CFlashInplaceEdit> m_pInplaceEdit;
    float m_fZoom = 1.0f;
    CFlashShape* m_pHoveredShape = nullptr;
    std::vector<CFlashShape*> m_selection;
    std::vector<std::unique_ptr<Gdiplus::Matrix>> m_savedMatrices;
    int m_nStageWidthAtZoom = 0;
    int m_nStageHeightAtZoom = 0;
    int m_nStageWidth = 0;
    int m_nStageHeight = 0;
    int m_nStageOffsetX = 0;
    int m_nStageOffsetY = 0;
    ULONG m_nDropRefCount = 0;
    bool m_bDoubleClickPending = false;
    bool m_bButtonDown = false;
    bool m_bDropTargetRegistered = false;
    // The last point of a press, where a lost capture ends it.
    CPoint m_ptLastMouse;
    // What DragEnter answered, which DragOver repeats.
    DWORD m_dwDragEffect = DROPEFFECT_NONE;
};
