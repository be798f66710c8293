#pragma once
// Run-time binding to the visual-styles library: it is never linked, so the framework runs where
// it is missing and falls back to the classic look.
#include <windows.h>
#include <uxtheme.h>

// The entry points in lookup order, each with the signature the library publishes.
#define EXT_THEME_API_ENTRY_POINTS(X) \
    X(OpenThemeData) X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeText) \
    X(GetThemeBackgroundContentRect) X(GetThemeBackgroundExtent) X(GetThemePartSize) X(GetThemeTextExtent) \
    X(GetThemeTextMetrics) X(GetThemeBackgroundRegion) X(HitTestThemeBackground) X(DrawThemeEdge) \
    X(DrawThemeIcon) X(IsThemePartDefined) X(IsThemeBackgroundPartiallyTransparent) X(GetThemeColor) \
    X(GetThemeMetric) X(GetThemeString) X(GetThemeBool) X(GetThemeInt) X(GetThemeEnumValue) \
    X(GetThemePosition) X(GetThemeFont) X(GetThemeRect) X(GetThemeMargins) X(GetThemeIntList) \
    X(GetThemePropertyOrigin) X(SetWindowTheme) X(GetThemeFilename) X(GetThemeSysColor) \
    X(GetThemeSysColorBrush) X(GetThemeSysBool) X(GetThemeSysSize) X(GetThemeSysFont) X(GetThemeSysString) \
    X(GetThemeSysInt) X(IsThemeActive) X(IsAppThemed) X(GetWindowTheme) X(EnableThemeDialogTexture) \
    X(IsThemeDialogTextureEnabled) X(GetThemeAppProperties) X(SetThemeAppProperties) X(GetCurrentThemeName) \
    X(GetThemeDocumentationProperty) X(DrawThemeParentBackground) X(EnableTheming) X(DrawThemeBackgroundEx)

class CExtThemeApi
{
public:
    static constexpr int ENTRY_POINT_COUNT = 48;

    CExtThemeApi();
    ~CExtThemeApi();
    CExtThemeApi(const CExtThemeApi&) = delete;
    CExtThemeApi& operator=(const CExtThemeApi&) = delete;

    // FALSE when the library or its entry point is missing.
    bool IsAppThemed() const;
    // The colour of the held theme; a non-zero code (and the output untouched) on failure.
    HRESULT GetThemeColor(int nPartId, int nStateId, int nPropId, COLORREF* pColor) const;
    // Closes the held theme handle; 0 when none was held.
    HRESULT CloseCurrentTheme();
    // True when this object loaded the library and frees it at the end.
    bool IsModuleOwned() const { return (m_nFlags & FLAG_MODULE_OWNED) != 0; }

    // Public so that the holder's probe and the themes call and test them directly.
    HTHEME m_hTheme = nullptr;
    HMODULE m_hModule = nullptr;
#define EXT_THEME_API_DECLARE_POINTER(name) decltype(&::name) m_pfn##name = nullptr;
    EXT_THEME_API_ENTRY_POINTS(EXT_THEME_API_DECLARE_POINTER)
#undef EXT_THEME_API_DECLARE_POINTER

private:
    static constexpr BYTE FLAG_MODULE_OWNED = 0x01;
    BYTE m_nFlags = 0;
};
