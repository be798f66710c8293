#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtThemeApi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int g_nCloseCalls = 0;
HRESULT WINAPI FakeCloseThemeData(HTHEME)
{
    ++g_nCloseCalls;
    return S_OK;
}

TEST(ThemeApiTest, AlreadyLoadedLibraryIsNeitherLoadedNorFreedAgain)
{
    HMODULE hModule = ::LoadLibraryA("UxTheme.dll");
    ASSERT_NE(nullptr, hModule);
    {
        CExtThemeApi api;
        EXPECT_EQ(hModule, api.m_hModule);
        EXPECT_FALSE(api.IsModuleOwned());
        EXPECT_NE(nullptr, api.m_pfnOpenThemeData);
        EXPECT_NE(nullptr, api.m_pfnDrawThemeBackgroundEx);
    }
    EXPECT_EQ(hModule, ::GetModuleHandleA("UxTheme.dll"));
    ::FreeLibrary(hModule);
}

TEST(ThemeApiTest, MissingEntryPointsAnswerFailure)
{
    CExtThemeApi api;
    api.m_pfnGetThemeColor = nullptr;
    api.m_pfnIsAppThemed = nullptr;
    COLORREF clr = RGB(1, 2, 3);
    EXPECT_NE(S_OK, api.GetThemeColor(2, 0, 3804, &clr));
    EXPECT_EQ(RGB(1, 2, 3), clr);
    EXPECT_FALSE(api.IsAppThemed());
}

TEST(ThemeApiTest, HeldThemeIsClosedOnce)
{
    CExtThemeApi api;
    api.m_pfnCloseThemeData = FakeCloseThemeData;
    api.m_hTheme = reinterpret_cast<HTHEME>(0x1234);
    g_nCloseCalls = 0;
    EXPECT_EQ(S_OK, api.CloseCurrentTheme());
    EXPECT_EQ(S_OK, api.CloseCurrentTheme());
    EXPECT_EQ(1, g_nCloseCalls);
    EXPECT_EQ(nullptr, api.m_hTheme);
    // Without the entry point the handle is still dropped.
    api.m_pfnCloseThemeData = nullptr;
    api.m_hTheme = reinterpret_cast<HTHEME>(0x1234);
    EXPECT_NE(S_OK, api.CloseCurrentTheme());
    EXPECT_EQ(nullptr, api.m_hTheme);
}

} // namespace
