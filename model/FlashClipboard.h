#pragma once
// Copy and paste of shapes through the system clipboard. The copied shapes travel as a text
// archive, with a clipboard bag as its root, under the application's own registered format;
// paste also accepts device bitmaps and plain text. The stage view, which holds the selection
// and the current style, calls these and then updates its selection from the result.
#include "platform/gdiplus/GdiPlus.h"

#include <windows.h>

#include <cstddef>
#include <vector>

class CFlashEditorDoc;
class CFlashShape;

// The shapes a paste added to the document, in order.
struct CClipboardPaste {
    std::vector<CFlashShape*> shapes;
    // Whether the stage selection becomes these shapes (text and copied shapes); a pasted
    // picture leaves the selection as it was.
    bool replacesSelection = false;
};

// The view's current style, given to pasted text.
struct CClipboardTextStyle {
    const Gdiplus::Font* font = nullptr;
    const Gdiplus::Pen* pen = nullptr;
    const Gdiplus::Brush* fill = nullptr;
};

class CFlashClipboard {
public:
    // The name the application's clipboard format is registered under.
    static constexpr char kFormatName[] = "DUZAZOZAREVUVAD_ORAREDIDUD";
    // Pasted text is cut to this many characters. A text shape lays out all its characters when
    // it is first hit-tested and when it is exported: about 2,000 lines of 30 characters take a
    // few tenths of a second, a text of megabytes would take minutes.
    static constexpr std::size_t kMaxPastedText = 65536;
    // Registers the format (once at start-up); 0 when registration fails.
    static UINT RegisterFormat();

    // Puts the shapes, with their placements at the document's current frame, on the clipboard
    // under the format. False when the clipboard cannot be opened or emptied ("Cannot empty the
    // clipboard!" is shown) or the content cannot be written; the document is not changed.
    static bool CopyShapes(const CFlashEditorDoc& document, const std::vector<CFlashShape*>& shapes,
                           UINT format, HWND owner);

    // Opens the clipboard for the owner and pastes the first of these it holds: a picture (a
    // picture shape, and a library entry; a damaged one, or one over the bitmap shapes' pixel
    // budget, is reported as unreadable), text (a text shape in the given style, of at most
    // kMaxPastedText characters) or shapes under the format. With centre the pasted shapes are
    // centred on the stage, unless that would take a placement past the bounds the document file
    // reads. Nothing is pasted when the clipboard cannot be opened.
    static CClipboardPaste Paste(CFlashEditorDoc& document, bool centre, UINT format, HWND owner,
                                 const CClipboardTextStyle& style);

    // Pastes the shapes held under the format from the clipboard the caller holds open. Each
    // pasted shape gets a new object identifier. A payload that cannot be read is reported
    // ("Error reading clipboard data!") and pastes nothing.
    static CClipboardPaste PasteShapes(CFlashEditorDoc& document, bool centre, UINT format);
};
