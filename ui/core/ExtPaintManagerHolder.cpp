#include "ui/core/ExtPaintManagerHolder.h"

#include "ui/core/ExtPaintManagerXP.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
constexpr char UNKNOWN_OS[] = "Unknown";
constexpr char OS_DESCRIPTION_FORMAT[] = "%s v.%lu.%lu (build %lu) %s";
constexpr int THEME_NAME_LENGTH = 260;
constexpr char16_t LUNA_FILE[] = u"luna.msstyles";
constexpr char16_t TASKBAND_CLASS[] = u"TASKBAND";
constexpr int TASKBAND_PART = 2;
constexpr int TASKBAND_PROPERTIES[CExtPaintManagerHolder::TASKBAND_COLOR_COUNT] = {3804, 3805, 3806, 3807,
                                                                                   3808, 3821, 3823};
constexpr UINT DEFAULT_WHEEL_LINES = 3;
constexpr UINT MIN_WHEEL_LINES = 2;
// Control bar ids of a frame.
constexpr UINT ID_STATUS_BAR = 0xE801;
constexpr UINT DOCK_BAR_IDS[] = {0xE81B, 0xE81E, 0xE81C, 0xE81D};   // top, bottom, left, right

// Classes of later layers are known by name only: the answer is no until they exist.
bool IsKindOfNamed(const CObject* pObject, LPCSTR pszClassName)
{
    if (pObject == nullptr)
        return false;
    const CRuntimeClass* pClass = CRuntimeClass::FromName(pszClassName);
    return pClass != nullptr && pObject->IsKindOf(pClass);
}

std::u16string Lower(const char16_t* psz)
{
    std::u16string s(psz);
    for (char16_t& c : s)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return s;
}
} // namespace

CExtPaintManagerHolder::CExtPaintManagerHolder()
    : m_strOSDescription(UNKNOWN_OS)
    , m_osVersionInfo{}
    , m_clrTaskband{}
{
    ProbeVersion();
    DetectVisualStyle();
    LoadOptionalEntryPoints();
    if (m_pManager == nullptr)
        ReplaceManager(nullptr);
}

CExtPaintManagerHolder::~CExtPaintManagerHolder()
{
    if (m_hDllMsImg != nullptr)
        ::FreeLibrary(m_hDllMsImg);
    if (m_hDllUser32 != nullptr)
        ::FreeLibrary(m_hDllUser32);
    m_hDllMsImg = m_hDllUser32 = nullptr;
    delete m_pManager;
    m_pManager = nullptr;
}

void CExtPaintManagerHolder::ProbeVersion()
{
    m_nOsFlags1 = 0;
    m_nOsFlags2 &= OS2_KEPT_BITS;
    m_osVersionInfo = OSVERSIONINFOA{};
    m_osVersionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    ::GetVersionExA(&m_osVersionInfo);
    const DWORD nMajor = m_osVersionInfo.dwMajorVersion;
    const DWORD nMinor = m_osVersionInfo.dwMinorVersion;
    const char* pszName = "";
    switch (m_osVersionInfo.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        m_nOsFlags1 |= OS1_WIN32S;
        pszName = "Win32s";
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        m_nOsFlags1 |= OS1_WIN9X;
        if (nMajor == 4 && nMinor == 0)
            m_nOsFlags1 |= OS1_WIN95;
        if (nMajor > 4 || (nMajor == 4 && nMinor != 0))
            m_nOsFlags1 |= OS1_WIN98_OR_LATER;
        if (!IsWin98OrLater()) {
            pszName = "Windows 95";
        } else if (nMajor == 4) {
            m_nOsFlags1 |= OS1_WIN98;
            pszName = "Windows 98";
        } else {
            pszName = "Windows 98 or later";
        }
        break;
    case VER_PLATFORM_WIN32_NT:
        m_nOsFlags1 |= OS1_WINNT;
        if (nMajor == 5 && nMinor == 0) {
            m_nOsFlags1 |= OS1_WIN2000;
            pszName = "Windows 2000";
        } else if (nMajor == 5 && nMinor == 1) {
            m_nOsFlags2 |= OS2_WINXP;
            pszName = "Windows XP";
        } else if (nMajor != 5) {
            pszName = "Windows NT";
            if (nMajor == 4)
                m_nOsFlags1 |= OS1_WINNT4;
        }
        if (nMajor >= 4)
            m_nOsFlags2 |= OS2_NT4_OR_LATER;
        if (nMajor >= 5)
            m_nOsFlags2 |= OS2_2000_OR_LATER;
        if (nMajor > 5 || (nMajor == 5 && nMinor >= 1))
            m_nOsFlags2 |= OS2_XP_OR_LATER;
        break;
    default:
        break;
    }
    m_strOSDescription.Format(OS_DESCRIPTION_FORMAT, pszName, static_cast<unsigned long>(nMajor),
                              static_cast<unsigned long>(nMinor),
                              static_cast<unsigned long>(m_osVersionInfo.dwBuildNumber),
                              m_osVersionInfo.szCSDVersion);
}

void CExtPaintManagerHolder::LoadOptionalEntryPoints()
{
    auto lookUp = [](HMODULE hModule, const char* pszName) {
        return reinterpret_cast<void*>(::GetProcAddress(hModule, pszName));
    };
    m_hDllMsImg = ::LoadLibraryA("msimg32.dll");
    if (m_hDllMsImg != nullptr) {
        m_pfnGradientFill = reinterpret_cast<PFN_GradientFill>(lookUp(m_hDllMsImg, "GradientFill"));
        m_pfnAlphaBlend = reinterpret_cast<PFN_AlphaBlend>(lookUp(m_hDllMsImg, "AlphaBlend"));
        m_pfnTransparentBlt = reinterpret_cast<PFN_TransparentBlt>(lookUp(m_hDllMsImg, "TransparentBlt"));
    }
    m_hDllUser32 = ::LoadLibraryA("user32.dll");
    if (m_hDllUser32 != nullptr) {
        m_pfnAnimateWindow = reinterpret_cast<PFN_AnimateWindow>(lookUp(m_hDllUser32, "AnimateWindow"));
        m_pfnSetLayeredWindowAttributes =
            reinterpret_cast<PFN_SetLayeredWindowAttributes>(lookUp(m_hDllUser32, "SetLayeredWindowAttributes"));
    }
}

void CExtPaintManagerHolder::DetectVisualStyle()
{
    m_nOsFlags2 &= static_cast<BYTE>(~OS2_TASKBAND_COLORS);
    m_eLunaColorScheme = LunaNone;
    if (g_ThemeApi.m_hModule == nullptr || !g_ThemeApi.IsAppThemed())
        return;
    if (g_ThemeApi.m_pfnGetCurrentThemeName != nullptr) {
        char16_t szFile[THEME_NAME_LENGTH] = {};
        char16_t szColor[THEME_NAME_LENGTH] = {};
        if (SUCCEEDED(g_ThemeApi.m_pfnGetCurrentThemeName(szFile, THEME_NAME_LENGTH, szColor, THEME_NAME_LENGTH,
                                                          nullptr, 0))) {
            szFile[THEME_NAME_LENGTH - 1] = szColor[THEME_NAME_LENGTH - 1] = 0;
            if (Lower(szFile).find(LUNA_FILE) != std::u16string::npos) {
                const std::u16string color = Lower(szColor);
                if (color == u"normalcolor")
                    m_eLunaColorScheme = LunaNormalColor;
                else if (color == u"homestead")
                    m_eLunaColorScheme = LunaHomestead;
                else if (color == u"metallic")
                    m_eLunaColorScheme = LunaMetallic;
            }
        }
    }
    g_ThemeApi.CloseCurrentTheme();
    if (g_ThemeApi.m_pfnOpenThemeData == nullptr)
        return;
    g_ThemeApi.m_hTheme = g_ThemeApi.m_pfnOpenThemeData(::GetDesktopWindow(), TASKBAND_CLASS);
    if (g_ThemeApi.m_hTheme == nullptr)
        return;
    int nRead = 0;
    while (nRead < TASKBAND_COLOR_COUNT
           && g_ThemeApi.GetThemeColor(TASKBAND_PART, 0, TASKBAND_PROPERTIES[nRead], &m_clrTaskband[nRead]) == S_OK)
        ++nRead;
    if (nRead == TASKBAND_COLOR_COUNT)
        m_nOsFlags2 |= OS2_TASKBAND_COLORS;
    g_ThemeApi.CloseCurrentTheme();
}

bool CExtPaintManagerHolder::ReplaceManager(CExtPaintManager* pManager)
{
    if (pManager != nullptr && pManager == m_pManager)
        return true;
    std::unique_ptr<CExtPaintManager> newManager(pManager != nullptr ? pManager
                                                                     : new (std::nothrow) CExtPaintManagerXP);
    if (!newManager || !newManager->IsKindOf(RUNTIME_CLASS(CExtPaintManager)))
        return false;
    // The new manager is ready before the old one goes, so that a failure keeps the old look.
    newManager->ReloadSystemColors();
    newManager->InitTranslatedColors();
    newManager->CreateHalftoneBrushes();
    delete m_pManager;
    m_pManager = newManager.release();
    return true;
}

bool CExtPaintManagerHolder::ReplaceByClass(CRuntimeClass* pRuntimeClass)
{
    if (pRuntimeClass == nullptr)
        return m_pManager != nullptr ? true : ReplaceManager(nullptr);
    CObject* pObject = pRuntimeClass->CreateObject();
    if (pObject == nullptr)
        return false;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CExtPaintManager))) {
        delete pObject;
        return false;
    }
    return ReplaceManager(static_cast<CExtPaintManager*>(pObject));
}

bool CExtPaintManagerHolder::IsRelayWindow(CWnd* pWnd) const
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return true;
    if (IsKindOfNamed(pWnd, "CExtStatusControlBar"))
        return true;
    CFrameWnd* pFrame = pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pWnd)
                                                                  : pWnd->GetParentFrame();
    if (pFrame == nullptr)
        return true;
    if (IsKindOfNamed(pFrame, "CExtMiniDockFrameWnd")) {
        pFrame = pFrame->GetParentFrame();
        if (pFrame == nullptr)
            return true;
    } else if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
        return true;
    }
    auto barById = [pFrame](UINT nId) { return CWnd::FromHandlePermanent(::GetDlgItem(pFrame->GetSafeHwnd(), nId)); };
    CWnd* pStatus = barById(ID_STATUS_BAR);
    if (IsKindOfNamed(pStatus, "CExtStatusControlBar"))
        return pStatus == pWnd;
    for (UINT nId : DOCK_BAR_IDS) {
        CWnd* pBar = barById(nId);
        if (IsKindOfNamed(pBar, "CExtDockOuterBar"))
            return pBar == pWnd;
    }
    for (HWND hChild = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (IsKindOfNamed(pChild, "CExtTabMdiWnd"))
            return pChild == pWnd;
    }
    return true;
}

void CExtPaintManagerHolder::RelaySysColorChange(CWnd* pWnd)
{
    if (IsRelayWindow(pWnd))
        m_pManager->HandleSysColorChange();
}

void CExtPaintManagerHolder::RelaySettingChange(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (!IsRelayWindow(pWnd))
        return;
    m_nCacheFlags &= static_cast<BYTE>(~CACHE_WHEEL_LINES);
    m_pManager->HandleSettingChange(wParam, lParam);
}

void CExtPaintManagerHolder::RelayDisplayChange(CWnd* pWnd, int nBitsPerPixel, int cx, int cy)
{
    if (!IsRelayWindow(pWnd))
        return;
    m_nCacheFlags &= static_cast<BYTE>(~CACHE_WHEEL_LINES);
    m_pManager->HandleDisplayChange(nBitsPerPixel, cx, cy);
}

void CExtPaintManagerHolder::RelayThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (!IsRelayWindow(pWnd))
        return;
    m_nCacheFlags &= static_cast<BYTE>(~CACHE_WHEEL_LINES);
    m_pManager->HandleThemeChanged(wParam, lParam);
}

UINT CExtPaintManagerHolder::GetMouseWheelScrollLines()
{
    if ((m_nCacheFlags & CACHE_WHEEL_LINES) != 0)
        return m_nWheelScrollLines;
    m_nCacheFlags |= CACHE_WHEEL_LINES;
    m_nWheelScrollLines = DEFAULT_WHEEL_LINES;
    // Windows 95 has no native wheel support and keeps the default.
    if (!IsWin95()) {
        UINT nLines = DEFAULT_WHEEL_LINES;
        if (::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
            m_nWheelScrollLines = std::max(nLines, MIN_WHEEL_LINES);
    }
    return m_nWheelScrollLines;
}
