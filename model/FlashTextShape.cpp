#include "model/FlashTextShape.h"

#include "model/TextLineLayout.h"

#include <string>

namespace {
// The text tool, shared by all text shapes.
CDrawingTool* g_pTextEditTool = nullptr;

constexpr Gdiplus::ARGB kSelectedBoxColor = 0xff008080;

std::u16string ToWide(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::u16string wide(length > 0 ? length : 0, u'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

// The caller's device context, or a memory one for measuring when the caller has none.
class CMeasuringDC {
public:
    explicit CMeasuringDC(HDC dc) : m_dc(dc ? dc : CreateCompatibleDC(nullptr)), m_bOwned(!dc) {}
    ~CMeasuringDC()
    {
        if (m_bOwned)
            DeleteDC(m_dc);
    }
    CMeasuringDC(const CMeasuringDC&) = delete;
    CMeasuringDC& operator=(const CMeasuringDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    bool m_bOwned;
};
}

CFlashTextShape::CFlashTextShape(const Gdiplus::Font* font, const Gdiplus::Pen* pen, const Gdiplus::Brush* brush)
{
    SetFont(font);
    SetPen(pen);
    SetBrush(brush);
}

Gdiplus::REAL CFlashTextShape::EmSize(Gdiplus::Graphics& graphics, double zoom) const
{
    if (!m_pFont || zoom <= 0.0)
        return 0.0f;
    return Gdiplus::REAL(m_pFont->GetHeight(&graphics) / zoom * 20.0);
}

void CFlashTextShape::ForEachLineOutline(Gdiplus::Graphics& graphics, double zoom, const Gdiplus::RectF* area,
                                         const std::function<void(const Gdiplus::GraphicsPath&)>& take) const
{
    const Gdiplus::REAL emSize = EmSize(graphics, zoom);
    if (emSize <= 0.0f || m_strText.empty())
        return;
    Gdiplus::FontFamily family;
    m_pFont->GetFamily(&family);
    const INT style = m_pFont->GetStyle();
    Gdiplus::StringFormat format(0, LANG_NEUTRAL);
    format.SetAlignment(Gdiplus::StringAlignment(m_nAlignment));
    // The platform lays out one line per call (a line break shows as a box glyph), so each line
    // is a string of its own, one line spacing of the family below the one before.
    const UINT16 emHeight = family.GetEmHeight(style);
    const Gdiplus::REAL lineSpacing = emHeight ? emSize * family.GetLineSpacing(style) / emHeight : emSize;
    for (const CTextLineLayout::CLine& line : CTextLineLayout(m_rcBox, lineSpacing).Lines(m_strText, area)) {
        const std::u16string wide = ToWide(line.text);
        Gdiplus::GraphicsPath outline;
        outline.AddString(reinterpret_cast<const WCHAR*>(wide.c_str()), INT(wide.size()), &family, style, emSize,
                          line.layout, &format);
        take(outline);
    }
}

void CFlashTextShape::AddToPath(Gdiplus::GraphicsPath& path, Gdiplus::Graphics& graphics, double zoom) const
{
    ForEachLineOutline(graphics, zoom, nullptr,
                       [&path](const Gdiplus::GraphicsPath& line) { path.AddPath(&line, FALSE); });
}

void CFlashTextShape::Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                           const CFlashEditorFrameShapeTransform* placement)
{
    PrepareGraphics(graphics, stageX, stageY, zoom, placement);
    // Text is filled with its own fill; tween overrides and the pen play no part.
    if (m_pFill) {
        Gdiplus::RectF visible;
        const bool clipped = graphics.GetVisibleClipBounds(&visible) == Gdiplus::Ok;
        ForEachLineOutline(graphics, zoom, clipped ? &visible : nullptr,
                           [&](const Gdiplus::GraphicsPath& line) { graphics.FillPath(m_pFill.get(), &line); });
    }
    if (GetState() == kResourceStateSelected) {
        Gdiplus::Pen boxPen(Gdiplus::Color(kSelectedBoxColor), 1.0f);
        graphics.DrawRectangle(&boxPen, m_rcBox);
    }
}

bool CFlashTextShape::HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement)
{
    const CMeasuringDC measuring(dc);
    Gdiplus::Graphics graphics(measuring.Get());
    const Gdiplus::REAL emSize = EmSize(graphics, zoom);
    if (!m_glyphBounds || m_glyphBounds->emSize != emSize) {
        Gdiplus::GraphicsPath path;
        AddToPath(path, graphics, zoom);
        Gdiplus::Rect bounds;
        path.GetBounds(&bounds);
        m_glyphBounds = CGlyphBounds{emSize, bounds};
    }
    return HitTestMappedRect(m_glyphBounds->bounds, &graphics, zoom, point, placement);
}

CFlashShape* CFlashTextShape::Duplicate() const
{
    return new CFlashTextShape(*this);
}

CDrawingTool* CFlashTextShape::GetEditTool() const
{
    return g_pTextEditTool;
}

void CFlashTextShape::SetEditTool(CDrawingTool* tool)
{
    g_pTextEditTool = tool;
}

void CFlashTextShape::SetKindEditTool(CDrawingTool* tool)
{
    g_pTextEditTool = tool;
}

CDrawingTool* CFlashTextShape::GetKindEditTool()
{
    return g_pTextEditTool;
}

void CFlashTextShape::SetText(const std::string& text)
{
    m_strText = text;
    m_glyphBounds.reset();
}

void CFlashTextShape::SetRect(const Gdiplus::Rect& box)
{
    m_rcBox = box;
    m_glyphBounds.reset();
}

void CFlashTextShape::SetFont(const Gdiplus::Font* font)
{
    m_pFont.reset(font ? font->Clone() : nullptr);
    m_logicalFont.reset();
    m_glyphBounds.reset();
}

void CFlashTextShape::SetLogicalFont(const CLogicalFont& font)
{
    m_pFont = font.MakeFont();
    m_logicalFont = font;
    m_glyphBounds.reset();
}

void CFlashTextShape::SetTextAlignment(int alignment)
{
    m_nAlignment = alignment;
    m_glyphBounds.reset();
}
