#include "LunaFake.h"

#include <cstring>

namespace {
std::u16string g_file;
std::u16string g_color;
bool g_bThemed = false;
int g_nColorsReadable = 0;
int g_nColorsRead = 0;
const HTHEME FAKE_THEME = reinterpret_cast<HTHEME>(0x7777);

BOOL WINAPI FakeIsAppThemed() { return g_bThemed; }

HRESULT WINAPI FakeGetCurrentThemeName(LPWSTR pszFile, int nFile, LPWSTR pszColor, int nColor, LPWSTR, int)
{
    auto copy = [](LPWSTR out, int n, const std::u16string& s) {
        const size_t len = std::min<size_t>(s.size(), static_cast<size_t>(n - 1));
        std::memcpy(out, s.data(), len * sizeof(char16_t));
        out[len] = 0;
    };
    copy(pszFile, nFile, g_file);
    copy(pszColor, nColor, g_color);
    return S_OK;
}

// Each detection opens the theme once and reads its colours afresh.
HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR)
{
    g_nColorsRead = 0;
    return FAKE_THEME;
}
HRESULT WINAPI FakeCloseThemeData(HTHEME) { return S_OK; }

// Colours derived from the property id, so that tests can tell them apart.
HRESULT WINAPI FakeGetThemeColor(HTHEME, int, int, int nProp, COLORREF* pColor)
{
    if (g_nColorsRead >= g_nColorsReadable)
        return E_FAIL;
    ++g_nColorsRead;
    *pColor = RGB(nProp % 256, (nProp / 7) % 256, (nProp / 13) % 256);
    return S_OK;
}

void CopyEntryPoints(CExtThemeApi& to, const CExtThemeApi& from)
{
    to.m_hModule = from.m_hModule;
#define COPY_ENTRY_POINT(name) to.m_pfn##name = from.m_pfn##name;
    EXT_THEME_API_ENTRY_POINTS(COPY_ENTRY_POINT)
#undef COPY_ENTRY_POINT
}
} // namespace

CLunaFake::CLunaFake(const std::u16string& fileName, const std::u16string& colorName, bool bThemed,
                     int nColorsReadable)
{
    CExtThemeApi& api = g_PaintManagerHolder.g_ThemeApi;
    CopyEntryPoints(m_saved, api);
    g_file = fileName;
    g_color = colorName;
    g_bThemed = bThemed;
    g_nColorsReadable = nColorsReadable;
    g_nColorsRead = 0;
    if (api.m_hModule == nullptr)
        api.m_hModule = ::GetModuleHandleA(nullptr);
    api.m_pfnIsAppThemed = FakeIsAppThemed;
    api.m_pfnGetCurrentThemeName = FakeGetCurrentThemeName;
    api.m_pfnOpenThemeData = FakeOpenThemeData;
    api.m_pfnCloseThemeData = FakeCloseThemeData;
    api.m_pfnGetThemeColor = FakeGetThemeColor;
    g_PaintManagerHolder->HandleThemeChanged(0, 0);
}

CLunaFake::~CLunaFake()
{
    CopyEntryPoints(g_PaintManagerHolder.g_ThemeApi, m_saved);
    // The saved copy must not free the module it never loaded.
    m_saved.m_hModule = nullptr;
    g_PaintManagerHolder->HandleThemeChanged(0, 0);
}

CLunaFake* CLunaFake::ForScheme(int nScheme)
{
    static const char16_t* const COLOR_NAMES[] = {u"", u"NormalColor", u"HomeStead", u"Metallic"};
    if (nScheme <= 0 || nScheme > 3)
        return nullptr;
    return new CLunaFake(u"C:\\Windows\\Resources\\Themes\\Luna\\Luna.msstyles", COLOR_NAMES[nScheme]);
}
