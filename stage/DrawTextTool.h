#pragma once
#include "stage/DrawingTool.h"

class CFlashInplaceEdit;

// Creates and edits text shapes through the view's in-place editor.
class CDrawTextTool : public CDrawingTool {
public:
    CDrawTextTool() = default;
    // The view's editor, handed over once its window exists.
    void SetEditor(CFlashInplaceEdit* editor) { m_pEditor = editor; }
    CFlashInplaceEdit* GetEditor() const { return m_pEditor; }
    // Leaving the tool ends an edit in progress.
    void Deactivate() override;
    // Ends the edit: the editor's text goes to the edited text.
    void Commit();
    // Hides the editor window when it shows.
    void HideEditor();

protected:
    CFlashInplaceEdit* m_pEditor = nullptr;
};
