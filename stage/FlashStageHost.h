#pragma once
// What the stage asks of the application around it: the tool option panels of the main frame,
// the brush and eraser shapes chosen in their panels, the picture import of the library panel
// and the document properties dialog. The application installs one at start-up
// (CFlashEditorView::SetStageHost); without one the stage works on its own and these calls do
// nothing.
#include "platform/gdiplus/GdiPlus.h"

#include <windows.h>

class CFlashEditorDoc;
class CFlashEditorView;

class CFlashStageHost {
public:
    // The tool option panels re-read the view's selection, style or document.
    virtual void NotifySelectionChanged(CFlashEditorView* view) = 0;
    virtual void NotifyStyleChanged(CFlashEditorView* view) = 0;
    virtual void NotifyDocumentChanged(CFlashEditorView* view) = 0;
    // The Brush, Eraser and Shape bars follow the active view's current tool.
    virtual void UpdateToolOptionBars() = 0;
    // A new path of the chosen brush (the caller owns it), or null when none is chosen.
    virtual Gdiplus::GraphicsPath* GetBrushPath() = 0;
    virtual HCURSOR GetBrushCursor() = 0;
    // The eraser panel's path (the panel keeps it), or null when none is chosen.
    virtual const Gdiplus::GraphicsPath* GetEraserPath() = 0;
    virtual HCURSOR GetEraserCursor() = 0;
    // Asks for a picture file and returns it as a device bitmap the caller frees, or null.
    virtual HBITMAP ImportPictureFile() = 0;
    // Runs the document properties dialog on the document.
    virtual void EditDocumentProperties(CFlashEditorDoc* document) = 0;

protected:
    ~CFlashStageHost() = default;
};
