#include "ui/core/ExtThemeApi.h"

namespace {
constexpr char THEME_LIBRARY[] = "UxTheme.dll";
constexpr HRESULT NO_ENTRY_POINT = 1;
} // namespace

CExtThemeApi::CExtThemeApi()
{
    m_hModule = ::GetModuleHandleA(THEME_LIBRARY);
    if (m_hModule == nullptr) {
        m_hModule = ::LoadLibraryA(THEME_LIBRARY);
        if (m_hModule != nullptr)
            m_nFlags |= FLAG_MODULE_OWNED;
    }
    if (m_hModule == nullptr)
        return;
#define EXT_THEME_API_LOOK_UP(name) \
    m_pfn##name = reinterpret_cast<decltype(&::name)>(reinterpret_cast<void*>(::GetProcAddress(m_hModule, #name)));
    EXT_THEME_API_ENTRY_POINTS(EXT_THEME_API_LOOK_UP)
#undef EXT_THEME_API_LOOK_UP
}

CExtThemeApi::~CExtThemeApi()
{
    CloseCurrentTheme();
    if (IsModuleOwned() && m_hModule != nullptr)
        ::FreeLibrary(m_hModule);
    m_hModule = nullptr;
}

bool CExtThemeApi::IsAppThemed() const
{
    return m_hModule != nullptr && m_pfnIsAppThemed != nullptr && m_pfnIsAppThemed() != FALSE;
}

HRESULT CExtThemeApi::GetThemeColor(int nPartId, int nStateId, int nPropId, COLORREF* pColor) const
{
    if (m_pfnGetThemeColor == nullptr)
        return NO_ENTRY_POINT;
    return m_pfnGetThemeColor(m_hTheme, nPartId, nStateId, nPropId, pColor);
}

HRESULT CExtThemeApi::CloseCurrentTheme()
{
    if (m_hTheme == nullptr)
        return S_OK;
    // Winelib has no structured exception handling to wrap this call in; the handle is ours
    // and closed once, so the call itself is the only guard needed.
    const HRESULT hr = m_pfnCloseThemeData != nullptr ? m_pfnCloseThemeData(m_hTheme) : NO_ENTRY_POINT;
    m_hTheme = nullptr;
    return hr;
}
