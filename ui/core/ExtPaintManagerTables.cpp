// Colour, brush and font tables of the classic manager.
#include "ui/core/ExtPaintManager.h"

#include "ui/core/ExtPaintManagerHolder.h"

#include <cstring>

namespace {
constexpr UINT NONCLIENT_METRICS_SIZE = 340;   // the record without the padded border width
constexpr LONG BOLD_WEIGHT = 900;
constexpr LONG SMALL_FONT_HEIGHT = -11;
constexpr LONG ESCAPEMENT_270 = 2700;
constexpr LONG ESCAPEMENT_90 = 900;
constexpr char VERTICAL_FACE_OLD_SYSTEMS[] = "Arial";
constexpr char GLYPH_FACE[] = "Marlett";
constexpr char PREFERRED_MENU_FACE[] = "Tahoma";
constexpr int PALETTE_DISPLAY_BITS = 8;

void CopyFaceName(LOGFONTA& lf, const char* pszFace)
{
    std::strncpy(lf.lfFaceName, pszFace, LF_FACESIZE - 1);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
}

void RecreateFont(CFont& font, const LOGFONTA& lf)
{
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

// The description of a font, or of the default GUI font when it could not be made.
LOGFONTA DescribeFont(const CFont& font)
{
    LOGFONTA lf{};
    HGDIOBJ hFont = font.GetSafeHandle() != nullptr ? font.GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT);
    ::GetObjectA(hFont, sizeof(lf), &lf);
    return lf;
}

int CALLBACK FindFaceProc(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    if (lstrcmpiA(pLogFont->lfFaceName, PREFERRED_MENU_FACE) == 0) {
        *reinterpret_cast<bool*>(lParam) = true;
        return 0;
    }
    return 1;
}

bool IsFaceInstalled()
{
    bool bFound = false;
    HDC hDC = ::GetDC(nullptr);
    ::EnumFontFamiliesA(hDC, nullptr, FindFaceProc, reinterpret_cast<LPARAM>(&bFound));
    ::ReleaseDC(nullptr, hDC);
    return bFound;
}

// Per channel a + (b - a) * num / den: a plain halving for one half, rounded otherwise.
COLORREF MixToward(COLORREF a, COLORREF b, int nNum, int nDen)
{
    auto channel = [&](int ca, int cb) {
        const int d = cb - ca;
        return ca + (nDen == 2 ? d / 2 : ::MulDiv(d, nNum, nDen));
    };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

void MakePatternBrush(CBrush& brush, COLORREF a, COLORREF b, int nMaskX, int nMaskY, int nGapX, int nGapY,
                      COLORREF clrGap)
{
    HBITMAP hBitmap = CExtPaintManager::CreateDitherBitmap(a, b, nMaskX, nMaskY, nGapX, nGapY, clrGap);
    if (hBitmap == nullptr)
        return;
    ::DeleteObject(brush.Detach());
    brush.Attach(::CreatePatternBrush(hBitmap));
    ::DeleteObject(hBitmap);
}
} // namespace

HFONT CExtPaintManager::CreateMenuFont()
{
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = NONCLIENT_METRICS_SIZE;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, NONCLIENT_METRICS_SIZE, &ncm, 0)) {
        HGDIOBJ hStock = ::GetStockObject(DEFAULT_GUI_FONT);
        return static_cast<HFONT>(hStock != nullptr ? hStock : ::GetStockObject(SYSTEM_FONT));
    }
    LOGFONTA lf = ncm.lfMenuFont;
    HDC hDC = ::GetDC(nullptr);
    lf.lfCharSet = static_cast<BYTE>(::GetTextCharset(hDC));
    ::ReleaseDC(nullptr, hDC);
    if ((m_nOptions & OPTION_USE_TAHOMA) != 0 && IsFaceInstalled())
        CopyFaceName(lf, PREFERRED_MENU_FACE);
    return ::CreateFontIndirectA(&lf);
}

void CExtPaintManager::CreateFonts()
{
    m_FontNormal.DeleteObject();
    HFONT hMenuFont = CreateMenuFont();
    // A stock font is shared: the manager keeps its own copy so that it may delete it.
    LOGFONTA lf{};
    ::GetObjectA(hMenuFont, sizeof(lf), &lf);
    if (hMenuFont != nullptr && ::GetObjectType(hMenuFont) == OBJ_FONT
        && hMenuFont != ::GetStockObject(DEFAULT_GUI_FONT) && hMenuFont != ::GetStockObject(SYSTEM_FONT))
        m_FontNormal.Attach(hMenuFont);
    else
        m_FontNormal.CreateFontIndirect(&lf);

    lf = DescribeFont(m_FontNormal);
    lf.lfWeight = BOLD_WEIGHT;
    RecreateFont(m_FontBold, lf);

    lf = DescribeFont(m_FontNormal);
    lf.lfWeight = 0;
    lf.lfCharSet = SYMBOL_CHARSET;
    lf.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    CopyFaceName(lf, GLYPH_FACE);
    RecreateFont(m_FontMarlett, lf);

    const bool bOldSystem = g_PaintManagerHolder.IsWin9x() || g_PaintManagerHolder.IsWinNT4();
    auto makeVertical = [&](const CFont& base, CFont& font, LONG nEscapement) {
        LOGFONTA v = DescribeFont(base);
        v.lfEscapement = nEscapement;
        if (bOldSystem)
            CopyFaceName(v, VERTICAL_FACE_OLD_SYSTEMS);
        RecreateFont(font, v);
    };
    makeVertical(m_FontNormal, m_FontNormalVert, ESCAPEMENT_270);
    makeVertical(m_FontNormal, m_FontNormalVertX, ESCAPEMENT_90);
    makeVertical(m_FontBold, m_FontBoldVert, ESCAPEMENT_270);
    makeVertical(m_FontBold, m_FontBoldVertX, ESCAPEMENT_90);

    const std::pair<CFont*, CFont*> smallVariants[] = {
        {&m_FontNormal, &m_FontNormalBC}, {&m_FontNormalVert, &m_FontNormalVertBC},
        {&m_FontNormalVertX, &m_FontNormalVertXBC}, {&m_FontBold, &m_FontBoldBC},
        {&m_FontBoldVert, &m_FontBoldVertBC}, {&m_FontBoldVertX, &m_FontBoldVertXBC},
    };
    for (const auto& [pFont, pSmall] : smallVariants) {
        LOGFONTA s = DescribeFont(*pFont);
        if (s.lfHeight < SMALL_FONT_HEIGHT)
            s.lfHeight = SMALL_FONT_HEIGHT;
        RecreateFont(*pSmall, s);
    }
}

void CExtPaintManager::ReloadSystemColors()
{
    g_PaintManagerHolder.DetectVisualStyle();
    m_nDisplayBitsPerPixel = GetDisplayBitsPerPixel();
    CreateFonts();
    if (m_colors.size() < SYSTEM_COLOR_COUNT)
        m_colors.resize(SYSTEM_COLOR_COUNT, ::GetSysColor(COLOR_BTNFACE));
    if (m_brushes.size() < SYSTEM_COLOR_COUNT)
        m_brushes.resize(SYSTEM_COLOR_COUNT, ::GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < SYSTEM_COLOR_COUNT; ++i) {
        m_colors[i] = ::GetSysColor(i);
        m_brushes[i] = ::GetSysColorBrush(i);
    }
}

COLORREF CExtPaintManager::ColorByIndex(int nIndex, CObject*, LPARAM) const
{
    if (nIndex >= TRANSLATED_ID_FIRST) {
        const auto it = m_mapColorTranslate.find(nIndex);
        nIndex = it != m_mapColorTranslate.end() ? it->second : FALLBACK_COLOR_INDEX;
    }
    if (nIndex < 0 || nIndex >= static_cast<int>(m_colors.size()))
        nIndex = FALLBACK_COLOR_INDEX;
    // Before the first rebuild the table is empty: answer the system's face.
    if (nIndex >= static_cast<int>(m_colors.size()))
        return ::GetSysColor(FALLBACK_COLOR_INDEX);
    return m_colors[nIndex];
}

HBRUSH CExtPaintManager::BrushByIndex(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_brushes.size()))
        nIndex = FALLBACK_COLOR_INDEX;
    if (nIndex >= static_cast<int>(m_brushes.size()))
        return ::GetSysColorBrush(FALLBACK_COLOR_INDEX);
    return m_brushes[nIndex];
}

int CExtPaintManager::InstallColor(COLORREF clr)
{
    m_colors.push_back(clr);
    return static_cast<int>(m_colors.size()) - 1;
}

void CExtPaintManager::InitTranslatedColors()
{
    // Entries appended by the previous rebuild are dropped, so the table does not grow with
    // every system change.
    if (m_colors.size() > SYSTEM_COLOR_COUNT)
        m_colors.resize(SYSTEM_COLOR_COUNT);
    m_mapColorTranslate.clear();
    static constexpr std::pair<int, int> CLASSIC_MAP[] = {
        {1000, COLOR_BTNFACE}, {1001, COLOR_BTNFACE}, {2000, COLOR_BTNFACE},
        {1002, COLOR_3DLIGHT}, {1003, COLOR_3DLIGHT}, {2002, COLOR_3DLIGHT},
        {1004, COLOR_BTNHIGHLIGHT}, {1005, COLOR_BTNHIGHLIGHT}, {2004, COLOR_BTNHIGHLIGHT},
        {1006, COLOR_BTNSHADOW}, {1007, COLOR_BTNSHADOW}, {2006, COLOR_BTNSHADOW},
        {1008, COLOR_3DDKSHADOW}, {1009, COLOR_3DDKSHADOW}, {2008, COLOR_3DDKSHADOW},
        {1010, COLOR_WINDOWTEXT}, {1011, COLOR_WINDOWTEXT},
        {2010, COLOR_BTNSHADOW},
    };
    for (const auto& [nId, nIndex] : CLASSIC_MAP)
        MapColor(nId, nIndex);
}

void CExtPaintManager::CreateHalftoneBrushes()
{
    for (CBrush& brush : m_brushBlend)
        brush.DeleteObject();
    const COLORREF face = ColorByIndex(COLOR_BTNFACE);
    const COLORREF light = ColorByIndex(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ColorByIndex(COLOR_BTNSHADOW);
    const COLORREF dark = ColorByIndex(COLOR_3DDKSHADOW);
    const COLORREF F = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF H = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF S = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF D = ::GetSysColor(COLOR_3DDKSHADOW);

    if (GetDisplayBitsPerPixel() > PALETTE_DISPLAY_BITS) {
        const COLORREF solid[BLEND_BRUSH_COUNT] = {
            MixToward(face, light, 1, 2),   MixToward(F, H, 1, 2),
            MixToward(shadow, face, 1, 2),  MixToward(S, F, 1, 2),
            MixToward(face, light, 3, 5),   MixToward(F, H, 3, 5),
            MixToward(shadow, face, 2, 5),  MixToward(S, F, 2, 5),
            MixToward(face, light, 4, 5),   MixToward(F, H, 4, 5),
            MixToward(shadow, face, 1, 5),  MixToward(S, F, 1, 5),
        };
        for (int i = 0; i < BLEND_BRUSH_COUNT; ++i)
            m_brushBlend[i].CreateSolidBrush(solid[i]);
        return;
    }
    // Palette displays: dither patterns instead of mixed colours.
    MakePatternBrush(m_brushBlend[0], face, light, 1, 1, 0, 0, face);
    MakePatternBrush(m_brushBlend[1], F, H, 1, 1, 0, 0, F);
    MakePatternBrush(m_brushBlend[2], shadow, face, 1, 1, 0, 0, shadow);
    MakePatternBrush(m_brushBlend[3], S, F, 1, 1, 0, 0, S);
    // One pixel in four: every other column and row shows the second colour.
    MakePatternBrush(m_brushBlend[4], face, light, 0, 0, 1, 1, light);
    MakePatternBrush(m_brushBlend[5], F, H, 0, 0, 1, 1, H);
    m_brushBlend[6].CreateSolidBrush(shadow);
    m_brushBlend[7].CreateSolidBrush(S);
    // Two pixels in sixteen.
    MakePatternBrush(m_brushBlend[8], face, light, 0, 0, 3, 1, light);
    MakePatternBrush(m_brushBlend[9], F, H, 0, 0, 3, 1, H);
    MakePatternBrush(m_brushBlend[10], dark, shadow, 1, 1, 0, 0, dark);
    MakePatternBrush(m_brushBlend[11], D, S, 1, 1, 0, 0, D);
}
