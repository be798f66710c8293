#pragma once
// What the document and the stage ask of the application, answered through the main frame and
// its active document window.
#include "model/FlashDocumentHost.h"
#include "stage/FlashStageHost.h"

class CFlashEditorMainFrame;
class CMovieControlGridView;

class CFlashEditorShellHost : public CFlashDocumentHost, public CFlashStageHost
{
public:
    // CFlashDocumentHost
    void NotifyDocumentChanged() override;
    bool HasActiveStageView() const override;
    void ClearStageSelection() override;
    void ReplaceSelectedShape(CFlashShape* shape, CFlashShape* copy) override;
    bool IsStageView(const CView* view) const override;
    std::vector<CFlashShape*> GetStageSelection() const override;
    bool CopyStageSelection() override;
    void ForgetStageSelection() override;
    void ResetStageTool() override;
    HWND GetStageWindow() const override;
    CClipboardTextStyle GetStageTextStyle() const override;
    void SelectStageShapes(const std::vector<CFlashShape*>& shapes) override;
    void RebuildTimeline() override;
    CUndoEvent* GetTimelineUndoEvent() override;
    bool AskExportPath(const char* filter, const char* defaultExtension, std::string& path) override;
    bool WriteFlashMovie(CFlashEditorDoc* document, const char* path) override;
    bool WriteAnimation(CFlashEditorDoc* document, const char* path, bool gif) override;

    // CFlashStageHost
    void NotifySelectionChanged(CFlashEditorView* view) override;
    void NotifyStyleChanged(CFlashEditorView* view) override;
    void NotifyDocumentChanged(CFlashEditorView* view) override;
    void UpdateToolOptionBars() override;
    // The choices of the main frame's Brush and Eraser panels; none without the frame.
    Gdiplus::GraphicsPath* GetBrushPath() override;
    HCURSOR GetBrushCursor() override;
    const Gdiplus::GraphicsPath* GetEraserPath() override;
    HCURSOR GetEraserCursor() override;
    // Through the library panel, wherever it is hosted; nothing without one.
    HBITMAP ImportPictureFile() override;
    void EditDocumentProperties(CFlashEditorDoc* document) override;

private:
    static CFlashEditorMainFrame* MainFrame();
    static CFlashEditorView* ActiveStageView();
    static CMovieControlGridView* ActiveTimelineView();
};
