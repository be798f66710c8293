#pragma once

class CFlashShape;
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

protected:
    ~CFlashDocumentHost() = default;
};
