#include "model/FlashTextShape.h"

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

void CFlashTextShape::AddToPath(Gdiplus::GraphicsPath& path, Gdiplus::Graphics& graphics, double zoom) const
{
    if (!m_pFont || m_strText.empty() || zoom <= 0.0)
        return;
    const std::u16string wide = ToWide(m_strText);
    Gdiplus::FontFamily family;
    m_pFont->GetFamily(&family);
    Gdiplus::StringFormat format(0, LANG_NEUTRAL);
    format.SetAlignment(Gdiplus::StringAlignment(m_nAlignment));
    const Gdiplus::REAL height = m_pFont->GetHeight(&graphics);
    const Gdiplus::RectF layout(Gdiplus::REAL(m_rcBox.X), Gdiplus::REAL(m_rcBox.Y), Gdiplus::REAL(m_rcBox.Width),
                                Gdiplus::REAL(m_rcBox.Height));
    path.AddString(reinterpret_cast<const WCHAR*>(wide.c_str()), INT(wide.size()), &family, m_pFont->GetStyle(),
                   Gdiplus::REAL(height / zoom * 20.0), layout, &format);
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
