#pragma once
// Fixtures of the stage tests: the application object, hosts that count what the stage asks
// of the shell, a frame holding a stage view of a fresh document, a tool that records what
// reaches it and captures of the window; pictures made on the fly come from the shared support.
#include "model/FlashDocumentHost.h"
#include "platform/mfc/Afx.h"
#include "stage/DrawingTool.h"
#include "stage/FlashStageHost.h"
#include "tests/support/PictureFiles.h"

#include <memory>
#include <string>
#include <vector>

class CFlashEditorDoc;
class CFlashEditorView;
class CFlashShape;
class CFlashSolidShape;

// Counts notifications and hands out a brush path and pictures.
class CTestStageHost : public CFlashStageHost {
public:
    ~CTestStageHost();
    void NotifySelectionChanged(CFlashEditorView*) override { ++m_nSelectionChanged; }
    void NotifyStyleChanged(CFlashEditorView*) override { ++m_nStyleChanged; }
    void NotifyDocumentChanged(CFlashEditorView*) override { ++m_nDocumentChanged; }
    void UpdateToolOptionBars() override { ++m_nToolOptionBars; }
    Gdiplus::GraphicsPath* GetBrushPath() override;
    HCURSOR GetBrushCursor() override { return nullptr; }
    const Gdiplus::GraphicsPath* GetEraserPath() override { return m_pEraserPath.get(); }
    HCURSOR GetEraserCursor() override { return nullptr; }
    // Hands over the queued picture (the caller frees it), or null.
    HBITMAP ImportPictureFile() override;
    void EditDocumentProperties(CFlashEditorDoc*) override { ++m_nPropertiesDialogs; }

    int m_nSelectionChanged = 0;
    int m_nStyleChanged = 0;
    int m_nDocumentChanged = 0;
    int m_nToolOptionBars = 0;
    int m_nPropertiesDialogs = 0;
    // As when the Brush panel has no brush shape chosen.
    bool m_bNoBrush = false;
    HBITMAP m_hPicture = nullptr;
    std::unique_ptr<Gdiplus::GraphicsPath> m_pEraserPath;
};

// Carries the document's calls to the fixture's view.
class CTestDocumentHost : public CFlashDocumentHost {
public:
    void NotifyDocumentChanged() override {}
    bool HasActiveStageView() const override { return m_pView != nullptr; }
    void ClearStageSelection() override;
    void ReplaceSelectedShape(CFlashShape* shape, CFlashShape* copy) override;
    bool IsStageView(const CView* view) const override;
    CFlashEditorView* m_pView = nullptr;
};

// Records every call that reaches it.
class CRecordingTool : public CDrawingTool {
public:
    struct CCall {
        std::string name;
        UINT flags;
        int x;
        int y;
    };
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
    void OnLButtonDblClk(UINT flags, int x, int y) override;
    std::vector<std::string> Names() const;
    std::vector<CCall> m_calls;
};

// The client area of a window as 32-bit pixels.
class CWindowCapture {
public:
    explicit CWindowCapture(HWND window);
    ~CWindowCapture();
    COLORREF Pixel(int x, int y) const;
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Writes a PNG under build/screens/.
    void Save(const char* name) const;

private:
    HBITMAP m_hBitmap = nullptr;
    const DWORD* m_pBits = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

// A shown frame whose only pane is a stage view of a fresh document, hosts installed.
class CStageFixture {
public:
    static constexpr int kClientWidth = 640;
    static constexpr int kClientHeight = 480;

    CStageFixture();
    ~CStageFixture();

    // A solid rectangle of the colour added to the current layer's current span; the rectangle
    // is in stage pixels.
    CFlashSolidShape* AddRect(int x, int y, int width, int height, COLORREF color);
    // Lets queued messages run and repaints the view.
    void Pump();
    // A client point of the view in screen coordinates.
    POINT ToScreen(int x, int y) const;
    // The undo step that Undo would take back, "" when none.
    std::string LastStepName() const;
    int StepCount() const;

    CFrameWnd* m_pFrame = nullptr;
    CFlashEditorDoc* m_pDoc = nullptr;
    CFlashEditorView* m_pView = nullptr;
    CTestStageHost m_host;
    CTestDocumentHost m_documentHost;
};

