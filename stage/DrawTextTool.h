#pragma once
#include "stage/DrawingTool.h"

#include <memory>
#include <string>

class CFlashInplaceEdit;
class CFlashShape;
class CFlashTextShape;

// Creates and edits text shapes through the view's in-place editor.
class CDrawTextTool : public CDrawingTool {
public:
    CDrawTextTool();
    ~CDrawTextTool() override;

    // The view's editor, handed over once its window exists.
    void SetEditor(CFlashInplaceEdit* editor) { m_pEditor = editor; }
    CFlashInplaceEdit* GetEditor() const { return m_pEditor; }
    // Leaving the tool ends an edit in progress.
    void Deactivate() override;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
    void OnLButtonDblClk(UINT flags, int x, int y) override;
    void DrawOverlay(Gdiplus::Graphics& graphics) override;
    // Ends the edit: the editor's text goes to the edited text; a new text joins the document,
    // or is discarded when left empty.
    void Commit();
    // Ends the edit leaving the document as it was: the typing is dropped and a new text with it.
    void Discard();
    // Hides the editor window when it shows.
    void HideEditor();
    // The editor's text changed: a new text's box made by a click grows to hold it, any box
    // heightens to hold its lines.
    void OnEditorTextChanged();

    CFlashTextShape* GetEditedShape() const { return m_pEditedShape; }
    bool IsNewText() const { return m_bNewText; }
    // The editor's frame in stage-relative pixels, and the grip in client pixels.
    const RECT& GetEditorFrame() const { return m_rcFrame; }
    const RECT& GetGrip() const { return m_rcGrip; }

    // The editor is at least this wide, and its font's size plus this high, in pixels.
    static constexpr int kMinimumWidth = 25;
    static constexpr int kExtraHeight = 8;
    // The grip sits this far beyond the frame's lower right corner and is this big.
    static constexpr int kGripOffset = 4;
    static constexpr int kGripSize = 6;
    // Room kept right of the typed text for the caret, in pixels.
    static constexpr int kCaretRoom = 4;
    // More characters than a line scrolls by, to bring a widened editor back to its start.
    static constexpr int kScrollBackCharacters = 0x7FFF;

private:
    // Places the editor frame from the press point to (x, y), or over the shape's text box,
    // draws it on the feedback and, with show, moves the editor there and shows it.
    void Layout(bool show, int x, int y, CFlashTextShape* shape);
    // The hovered shape when it is a text, else null: only texts are ever edited.
    CFlashTextShape* HoveredText() const;
    // Lets go of an edited text that is no longer in the current span.
    void ForgetLostShape();
    // Starts a new text shape, outside the document until the commit.
    void StartNewText();
    std::string EditorText() const;
    // The width in pixels that the layout of the committed text needs for its widest line.
    int LayoutWidth(const std::string& text, Gdiplus::Graphics& graphics, const Gdiplus::Font& font) const;
    void SetEditorText(const std::string& text);

    bool m_bNewText = false;
    bool m_bResizing = false;
    RECT m_rcGrip = {0, 0, 0, 0};
    RECT m_rcFrame = {0, 0, 0, 0};
    CFlashTextShape* m_pEditedShape = nullptr;
    CFlashInplaceEdit* m_pEditor = nullptr;
    bool m_bModified = false;
    // The box follows its text (made by a click) rather than a width the user dragged.
    bool m_bFitToText = false;
    // The editor's size as laid out by the press, which typing only enlarges.
    SIZE m_laidOut = {0, 0};
    // A new text not yet in the document; it dies with the tool, and so with the view.
    std::unique_ptr<CFlashTextShape> m_pNewShape;
    // The editor's GDI font, kept while the editor uses it.
    HFONT m_hEditorFont = nullptr;
};
