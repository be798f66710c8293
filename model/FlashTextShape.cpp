#include "model/FlashTextShape.h"

#include <algorithm>
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

std::vector<std::string> CFlashTextShape::SplitLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            // CR LF is one break.
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

void CFlashTextShape::AddToPath(Gdiplus::GraphicsPath& path, Gdiplus::Graphics& graphics, double zoom) const
{
    if (!m_pFont || m_strText.empty() || zoom <= 0.0)
        return;
    Gdiplus::FontFamily family;
    m_pFont->GetFamily(&family);
    const INT style = m_pFont->GetStyle();
    Gdiplus::StringFormat format(0, LANG_NEUTRAL);
    format.SetAlignment(Gdiplus::StringAlignment(m_nAlignment));
    const Gdiplus::REAL height = m_pFont->GetHeight(&graphics);
    const Gdiplus::REAL emSize = Gdiplus::REAL(height / zoom * 20.0);
    // The platform lays out one line per call (a line break shows as a box glyph), so each line
    // is a string of its own, one line spacing of the family below the one before.
    const UINT16 emHeight = family.GetEmHeight(style);
    const Gdiplus::REAL advance = emHeight ? emSize * family.GetLineSpacing(style) / emHeight : emSize;
    const std::vector<std::string> lines = SplitLines(m_strText);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        const std::u16string wide = ToWide(lines[i]);
        const Gdiplus::REAL top = advance * Gdiplus::REAL(i);
        // A line keeps the box's width (alignment, wrapping) and what is left of its height,
        // at least one line's worth so that a line below a short box is not dropped; a single
        // line is laid out in the box as it always was.
        const Gdiplus::REAL boxHeight = Gdiplus::REAL(m_rcBox.Height);
        const Gdiplus::REAL lineHeight = lines.size() == 1 ? boxHeight : std::max(boxHeight - top, advance);
        const Gdiplus::RectF layout(Gdiplus::REAL(m_rcBox.X), Gdiplus::REAL(m_rcBox.Y) + top,
                                    Gdiplus::REAL(m_rcBox.Width), lineHeight);
        path.AddString(reinterpret_cast<const WCHAR*>(wide.c_str()), INT(wide.size()), &family, style, emSize, layout,
                       &format);
    }
}

void CFlashTextShape::Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                           const CFlashEditorFrameShapeTransform* placement)
{
    PrepareGraphics(graphics, stageX, stageY, zoom, placement);
    Gdiplus::GraphicsPath path;
    AddToPath(path, graphics, zoom);
    // Text is filled with its own fill; tween overrides and the pen play no part.
    if (m_pFill)
        graphics.FillPath(m_pFill.get(), &path);
    if (GetState() == kResourceStateSelected) {
        Gdiplus::Pen boxPen(Gdiplus::Color(kSelectedBoxColor), 1.0f);
        graphics.DrawRectangle(&boxPen, m_rcBox);
    }
}

bool CFlashTextShape::HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement)
{
    const CMeasuringDC measuring(dc);
    Gdiplus::Graphics graphics(measuring.Get());
    Gdiplus::GraphicsPath path;
    AddToPath(path, graphics, zoom);
    Gdiplus::Rect bounds;
    path.GetBounds(&bounds);
    return HitTestMappedRect(bounds, &graphics, zoom, point, placement);
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

void CFlashTextShape::SetFont(const Gdiplus::Font* font)
{
    m_pFont.reset(font ? font->Clone() : nullptr);
    m_logicalFont.reset();
}

void CFlashTextShape::SetLogicalFont(const CLogicalFont& font)
{
    m_pFont = font.MakeFont();
    m_logicalFont = font;
}
