#pragma once
#include "model/ArchiveRecord.h"
#include "model/FlashLayerOwner.h"
#include "model/FlashLibrary.h"
#include "model/FlashResourceRepository.h"
#include "model/UndoManager.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/mfc/Document.h"

#include <functional>
#include <memory>
#include <vector>

class CFlashCurveFitter;
class CFlashDocumentHost;
class CFlashEditorFrameShapeTransform;
class CFlashEditorLayer;
class CFlashShape;

// The values of a document that its file stores besides layers and library. Reading a file
// takes them over as a whole, so a value added here cannot be left behind.
struct CFlashDocumentValues {
    int m_nStageWidth = 550;
    int m_nStageHeight = 400;
    // Stored in the file; nothing else reads them.
    int m_nStoredValue1 = 2;
    int m_nStoredValue2 = 600;
    int m_nFrameRate = 12;
    int m_nCurrentFrame = 1;
    int m_nCurrentLayer = 1;
};

// The document: stage size, frame rate, background colour, the ordered layers (element 0 at the
// bottom), the current frame and layer, the playing flag, the resource repository and the
// library. Views and panels read and change the drawing only through it.
class CFlashEditorDoc : public CDocument, public CFlashLayerOwner, private CFlashDocumentValues {
    DECLARE_DYNCREATE(CFlashEditorDoc)
public:
    // 550 x 400 pixels, 12 frames per second, white, one layer, frame 1 and layer 1 current.
    CFlashEditorDoc();
    ~CFlashEditorDoc() override;

    // The application's frames and stage views; null (the default) for none.
    static void SetDocumentHost(CFlashDocumentHost* host);
    static CFlashDocumentHost* GetDocumentHost();

    int GetStageWidth() const { return m_nStageWidth; }
    int GetStageHeight() const { return m_nStageHeight; }
    // A value below 1 is refused (false) and changes nothing.
    bool SetStageWidth(int width);
    bool SetStageHeight(int height);
    int GetFrameRate() const { return m_nFrameRate; }
    // Values of 0 and below are ignored.
    void SetFrameRate(int framesPerSecond);
    // The ruler unit of the properties dialog (0 pixels, 1 points, 2 inches, 3 millimetres).
    int GetUnits() const { return m_nUnits; }
    void SetUnits(int units) { m_nUnits = units; }
    COLORREF GetBackgroundColor() const { return m_crBackground; }
    void SetBackgroundColor(COLORREF color) { m_crBackground = color; }
    bool IsPlaying() const { return m_bPlaying; }
    // Also tells the tool panels.
    void SetPlaying(bool playing);

    CFlashResourceRepository& GetRepository() { return m_repository; }
    CUndoManager& GetUndoManager() { return m_undoManager; }
    CFlashLibrary& GetLibrary() { return m_library; }
    const CFlashLibrary& GetLibrary() const { return m_library; }
    CFlashCurveFitter* GetCurveFitter() const { return m_pCurveFitter; }

    // Layers, 1-based; null outside 1 to the count.
    int GetLayerCount() const { return int(m_layers.size()); }
    CFlashEditorLayer* GetLayer(int index) const;
    const std::vector<CFlashEditorLayer*>& GetLayerRange() const override { return m_layers; }
    int GetCurrentLayerIndex() const { return m_nCurrentLayer; }
    CFlashEditorLayer* GetCurrentLayer() const override;
    // Ignored outside 1 to the count.
    void SetCurrentLayer(int index);
    // A new layer with one span [1, 1] on top; the current index stays. Returns the new count.
    int AddLayer();
    // Deletes the current layer; the index drops to the new count when beyond it. Returns the
    // new count.
    int RemoveCurrentLayer();

    int GetCurrentFrame() const { return m_nCurrentFrame; }
    // Nothing for frames of 0 and below; every layer moves to the frame.
    void SetCurrentFrame(int frame);
    // The largest last frame over the layers (0 without layers).
    int GetLastFrame() const;
    // Whether the current layer's current span, or the span just before it, is a motion tween.
    bool IsCurrentFrameTweened() const;

    // Every layer, bottom first, at its current frame.
    void RenderCurrentFrame(HDC dc, int stageX, int stageY, double zoom, int filter);
    // Selects the bitmap into the memory device context and draws the frame's normal shapes,
    // then its selected ones, layer by visible layer at the stage origin. False when no layer
    // has a span at the frame.
    bool RenderFrameToDC(HDC memoryDC, HBITMAP bitmap, int frame, double zoom);
    // The current layer's topmost shape under the point, or null.
    CFlashShape* HitTestCurrentLayer(HDC dc, double zoom, const POINT& point) const;
    // Invalidates (with erase) every view of the document, or only its stage views.
    void InvalidateViews(bool stageOnly = false);

    // Adds the shape to the current layer's current span through the repository; false (the
    // shape stays with the caller) when the current layer is missing, locked or has no span at
    // the current frame.
    bool AddShape(CFlashShape* shape, std::unique_ptr<CFlashEditorFrameShapeTransform> placement = nullptr);
    // The shapes leave the current layer's current span; they are handed to the caller (not
    // destroyed) and the stage selection is not touched.
    [[nodiscard]] std::vector<std::unique_ptr<CFlashShape>> RemoveShapes(const std::vector<CFlashShape*>& shapes);
    // The shape's placement in the current layer's current span, or null.
    CFlashEditorFrameShapeTransform* GetShapeTransform(const CFlashShape* shape) const;
    // Before an edit: a shape shared with another span is replaced in the current span by a
    // copy (carrying the shape's identifier when keepId), which is returned. Inside a tween
    // without keepId the shape itself is returned, since a new identifier would break the tween.
    CFlashShape* DetachSharedShape(CFlashShape* shape, bool keepId);
    // Moves the group of shapes as a whole until the centre of its bounds (in twips, through
    // the placements) sits on the stage centre. False, with nothing moved, when a placement
    // would leave the readable bounds.
    bool CenterShapesOnStage(std::vector<CFlashShape*> shapes);

    void DeleteContents() override;
    BOOL OnNewDocument() override;
    // Writes the document to a temporary file beside the path, which replaces the file only once
    // complete; on failure shows "Error openning file %s!", keeps the file and the modified flag.
    BOOL OnSaveDocument(LPCSTR lpszPathName) override;
    // Reads the file; on failure shows "Error openning file %s!" (no archive) or "Error reading
    // file %s!" (a damaged one) and leaves the document as it was.
    BOOL OnOpenDocument(LPCSTR lpszPathName) override;

    // Registers the archived classes in their fixed order and writes the whole document.
    void SaveToArchive(CDocumentOArchive& ar) const;
    // Registers in the same order and reads a whole document, which replaces this one's contents
    // only when all of it was read; otherwise the archive exception propagates and the document
    // is left as it was.
    void LoadFromArchive(CDocumentIArchive& ar);

    DECLARE_ARCHIVE_RECORD()

    // Frames 1, 2, ... rendered one by one into a device bitmap of the stage size on the
    // background colour, each handed to sink until a frame has no span or sink answers false.
    // Returns the number of frames handed over; -1 when the bitmap could not be made.
    int RenderAnimationFrames(const std::function<bool(HBITMAP bitmap, int frame)>& sink);
    // Publishing through the application's writers; false when the file was not completed.
    bool ExportGifAnimation(const char* path);
    bool ExportAviAnimation(const char* path);
    // Whether the file name's extension is "gif" in any case.
    static bool HasGifExtension(const char* path);

    // Document commands.
    afx_msg void OnEditCopy();
    afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
    afx_msg void OnEditCut();
    afx_msg void OnUpdateEditCut(CCmdUI* pCmdUI);
    afx_msg void OnEditPaste();
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnPasteInPlace();
    afx_msg void OnEditUndo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
    afx_msg void OnInsertLayer();
    afx_msg void OnUpdateInsertLayer(CCmdUI* pCmdUI);
    afx_msg void OnRemoveLayer();
    afx_msg void OnUpdateRemoveLayer(CCmdUI* pCmdUI);
    afx_msg void OnExportFlashMovie();
    afx_msg void OnExportAnimation();
    // The paste worker: the clipboard's device bitmap, else its text, else the application's
    // own shapes. True when something was added to the document.
    bool Paste(bool centre);

private:
    // Empty: no layer (the document that an archive is read into).
    struct EmptyTag {};
    explicit CFlashEditorDoc(EmptyTag);

    // Takes the layers, library and stored values of a fully read document; what the file does
    // not store (units, background, playing) stays.
    void AdoptContents(CFlashEditorDoc& loaded);
    void NotifyDocumentChanged() const;
    static void ReportFileError(const char* pattern, LPCSTR lpszPathName);

    static CFlashDocumentHost* s_pHost;

    int m_nUnits = 0;
    std::vector<CFlashEditorLayer*> m_layers;
    bool m_bPlaying = false;
    CFlashResourceRepository m_repository;
    CUndoManager m_undoManager;
    CFlashLibrary m_library;
    CFlashCurveFitter* m_pCurveFitter = nullptr;
    COLORREF m_crBackground = RGB(255, 255, 255);
    // Lets the framework's first DeleteContents keep the layer the constructor made.
    bool m_bSkipNextEmpty = true;

    DECLARE_MESSAGE_MAP()
};

BOOST_CLASS_EXPORT_KEY(CFlashEditorDoc)
