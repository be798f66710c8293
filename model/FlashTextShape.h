#pragma once
#include "model/FlashShape.h"
#include "model/archive/LogicalFont.h"

#include <functional>
#include <optional>
#include <string>

// A single-byte string laid out in a text box and filled with the shape's fill.
class CFlashTextShape : public CFlashShape {
public:
    // Empty text and box, no font (archive loading).
    CFlashTextShape() = default;
    // Clones of the font, the pen and the brush (null leaves that part empty).
    CFlashTextShape(const Gdiplus::Font* font, const Gdiplus::Pen* pen, const Gdiplus::Brush* brush);

    const std::string& GetText() const { return m_strText; }
    void SetText(const std::string& text);
    const Gdiplus::Rect& GetRect() const { return m_rcBox; }
    void SetRect(const Gdiplus::Rect& box);

    // Adds the glyph outlines, line by line as CTextLineLayout places them, each aligned in the
    // box. The em size is divided by the zoom, so glyphs keep their pixel height at every zoom
    // while the box scales with it.
    void AddToPath(Gdiplus::GraphicsPath& path, Gdiplus::Graphics& graphics, double zoom) const;

    void Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
              const CFlashEditorFrameShapeTransform* placement) override;
    // Inside the bounds of the glyphs, which are kept for the next test at the same em size.
    bool HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement) override;
    CFlashShape* Duplicate() const override;
    CDrawingTool* GetEditTool() const override;
    void SetEditTool(CDrawingTool* tool) override;
    // The tool every text shape names, set and compared without a shape at hand.
    static void SetKindEditTool(CDrawingTool* tool);
    static CDrawingTool* GetKindEditTool();
    bool IsClosed() const override { return false; }
    // A clone of the font; the document then stores the logical font the platform reports for
    // it, which names the face the platform uses.
    void SetFont(const Gdiplus::Font* font) override;
    Gdiplus::Font* GetFont() const override { return m_pFont.get(); }
    // A font made from the logical font, which the document stores as it is given: the face as
    // chosen (not the platform's substitute) and the height as asked for.
    void SetLogicalFont(const CLogicalFont& font);
    // The logical font the text's font was made from, when it was made from one.
    const std::optional<CLogicalFont>& GetLogicalFont() const { return m_logicalFont; }
    void SetTextAlignment(int alignment) override;
    int GetTextAlignment() const override { return m_nAlignment; }
    // The text box.
    Gdiplus::Rect GetBounds() const override { return m_rcBox; }

private:
    // The glyph bounds at an em size. Hovering hit-tests the text on every mouse move, and a
    // long text takes long to lay out; every change of the text, box, font or alignment
    // forgets them.
    struct CGlyphBounds {
        Gdiplus::REAL emSize;
        Gdiplus::Rect bounds;
    };

    // The em size the glyphs are laid out at, in twips: the font's height on the graphics
    // divided by the zoom; 0 without a font.
    Gdiplus::REAL EmSize(Gdiplus::Graphics& graphics, double zoom) const;
    // Lays out the glyph outlines of each line (CTextLineLayout) that can reach the area, or of
    // every line without one, in a path of its own and hands it on. Adding a string to a path,
    // and filling a path, cost GDI+ more than the path's size: a text of thousands of lines in
    // one path takes minutes to draw, line by line it takes time in proportion.
    void ForEachLineOutline(Gdiplus::Graphics& graphics, double zoom, const Gdiplus::RectF* area,
                            const std::function<void(const Gdiplus::GraphicsPath&)>& take) const;

    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    CFlashTextShape(const CFlashTextShape&) = default;

    std::string m_strText;
    Gdiplus::Rect m_rcBox;
    CClonedPtr<Gdiplus::Font> m_pFont;
    std::optional<CLogicalFont> m_logicalFont;
    int m_nAlignment = 0;
    mutable std::optional<CGlyphBounds> m_glyphBounds;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashTextShape)
