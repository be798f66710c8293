#pragma once
#include "model/FlashClipboard.h"

#include <windows.h>

#include <string>
#include <vector>

class CFlashEditorDoc;
class CFlashShape;
class CUndoEvent;
class CView;

// What the document asks of the application around it: the tool option panels of the main
// frame and the stage view of the active document window. The application installs one at
// start-up (CFlashEditorDoc::SetDocumentHost); without one the document works on its own.
class CFlashDocumentHost {
public:
    // Tells every tool option panel to re-read the document.
    virtual void NotifyDocumentChanged() = 0;
    // Whether a document window is active, so that there is a stage view to work on.
    virtual bool HasActiveStageView() const = 0;
    // Empties the active stage view's selection.
    virtual void ClearStageSelection() = 0;
    // Every entry of the active stage view's selection that is shape becomes copy, and copy
    // gets the selected state when it was.
    virtual void ReplaceSelectedShape(CFlashShape* shape, CFlashShape* copy) = 0;
    // Whether the view is a stage view (the timeline views are not).
    virtual bool IsStageView(const CView* view) const = 0;

    // What the document commands need of the active stage view, the timeline and the exporters.
    // Each answers "no view" (or does nothing) unless the application says otherwise.

    // The active stage view's selection; empty without a view.
    virtual std::vector<CFlashShape*> GetStageSelection() const { return {}; }
    // Puts the selection on the clipboard; false when nothing was put there.
    virtual bool CopyStageSelection() { return false; }
    // Empties the selection list without destroying the shapes or telling the panels.
    virtual void ForgetStageSelection() {}
    // The current tool is made current again, so that it leaves any unfinished state.
    virtual void ResetStageTool() {}
    // The window the clipboard is opened with; null without a view.
    virtual HWND GetStageWindow() const { return nullptr; }
    // The font, pen and fill that pasted text takes; all null without a view.
    virtual CClipboardTextStyle GetStageTextStyle() const { return {}; }
    // The selection becomes these shapes.
    virtual void SelectStageShapes(const std::vector<CFlashShape*>& /*shapes*/) {}
    // The active timeline view brings its rows in step with the layers.
    virtual void RebuildTimeline() {}
    // The event the layer steps carry: the active timeline view's, or null.
    virtual CUndoEvent* GetTimelineUndoEvent() { return nullptr; }
    // Asks for a file name (save dialog with the filter and default extension); false on cancel.
    virtual bool AskExportPath(const char* /*filter*/, const char* /*defaultExtension*/, std::string& /*path*/)
    {
        return false;
    }
    // Writes the document as an SWF movie; false when the file was not made.
    virtual bool WriteFlashMovie(CFlashEditorDoc* /*document*/, const char* /*path*/) { return false; }
    // Writes every rendered frame as a GIF animation (gif) or an AVI video; false when the file
    // was not completed.
    virtual bool WriteAnimation(CFlashEditorDoc* /*document*/, const char* /*path*/, bool /*gif*/) { return false; }

protected:
    ~CFlashDocumentHost() = default;
};
