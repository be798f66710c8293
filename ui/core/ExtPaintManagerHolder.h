#pragma once
// Owns the one current paint manager, probes the system once and relays system changes to the
// manager once per frame window.
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtThemeApi.h"

class CExtPaintManagerHolder
{
public:
    // Luna colour schemes of the visual style.
    enum e_LunaColorScheme_t : int
    {
        LunaNone = 0,
        LunaNormalColor = 1,   // blue
        LunaHomestead = 2,     // olive
        LunaMetallic = 3,      // silver
    };
    static constexpr int TASKBAND_COLOR_COUNT = 7;

    CExtPaintManagerHolder();
    ~CExtPaintManagerHolder();
    CExtPaintManagerHolder(const CExtPaintManagerHolder&) = delete;
    CExtPaintManagerHolder& operator=(const CExtPaintManagerHolder&) = delete;

    // The current manager; never null once the holder is built.
    CExtPaintManager* GetFirstMember() const { return m_pManager; }
    CExtPaintManager* operator->() const { return m_pManager; }

    // Installs a manager made with new and takes it; null installs a new XP-look manager.
    // The new manager is built and initialised before the old one goes, so a failure keeps
    // the old one. Replacing repaints nothing.
    bool ReplaceManager(CExtPaintManager* pManager);
    // Creates the manager from its run-time class; null keeps an installed manager.
    bool ReplaceByClass(CRuntimeClass* pRuntimeClass);

    // Picks one window per frame so that a change reaches the manager once.
    bool IsRelayWindow(CWnd* pWnd) const;
    void RelaySysColorChange(CWnd* pWnd);
    void RelaySettingChange(CWnd* pWnd, WPARAM wParam, LPARAM lParam);
    void RelayDisplayChange(CWnd* pWnd, int nBitsPerPixel, int cx, int cy);
    void RelayThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

    // The system's wheel-scroll lines, at least 2; cached until a setting, display or theme
    // change.
    UINT GetMouseWheelScrollLines();

    // Refreshes the luna scheme and the task-band colours from the visual style in force.
    void DetectVisualStyle();

    bool IsWin32s() const { return (m_nOsFlags1 & OS1_WIN32S) != 0; }
    bool IsWin9x() const { return (m_nOsFlags1 & OS1_WIN9X) != 0; }
    bool IsWin95() const { return (m_nOsFlags1 & OS1_WIN95) != 0; }
    bool IsWin98() const { return (m_nOsFlags1 & OS1_WIN98) != 0; }
    bool IsWin98OrLater() const { return (m_nOsFlags1 & OS1_WIN98_OR_LATER) != 0; }
    bool IsWinNT() const { return (m_nOsFlags1 & OS1_WINNT) != 0; }
    bool IsWinNT4() const { return (m_nOsFlags1 & OS1_WINNT4) != 0; }
    bool IsWin2000() const { return (m_nOsFlags1 & OS1_WIN2000) != 0; }
    bool IsWinXP() const { return (m_nOsFlags2 & OS2_WINXP) != 0; }
    bool IsWinNT4OrLater() const { return (m_nOsFlags2 & OS2_NT4_OR_LATER) != 0; }
    bool IsWin2000OrLater() const { return (m_nOsFlags2 & OS2_2000_OR_LATER) != 0; }
    bool IsWinXPOrLater() const { return (m_nOsFlags2 & OS2_XP_OR_LATER) != 0; }
    bool HasTaskbandColors() const { return (m_nOsFlags2 & OS2_TASKBAND_COLORS) != 0; }

    CString m_strOSDescription;
    OSVERSIONINFOA m_osVersionInfo;
    COLORREF m_clrTaskband[TASKBAND_COLOR_COUNT];
    CExtThemeApi g_ThemeApi;
    e_LunaColorScheme_t m_eLunaColorScheme = LunaNone;

    // Optional entry points; each may be null and every user has a plain fallback.
    using PFN_GradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    using PFN_AlphaBlend = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    using PFN_TransparentBlt = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
    using PFN_AnimateWindow = BOOL(WINAPI*)(HWND, DWORD, DWORD);
    using PFN_SetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE m_hDllMsImg = nullptr;
    PFN_GradientFill m_pfnGradientFill = nullptr;
    PFN_AlphaBlend m_pfnAlphaBlend = nullptr;
    PFN_TransparentBlt m_pfnTransparentBlt = nullptr;
    HMODULE m_hDllUser32 = nullptr;
    PFN_AnimateWindow m_pfnAnimateWindow = nullptr;
    PFN_SetLayeredWindowAttributes m_pfnSetLayeredWindowAttributes = nullptr;

private:
    static constexpr BYTE OS1_WIN32S = 0x01;
    static constexpr BYTE OS1_WIN9X = 0x02;
    static constexpr BYTE OS1_WIN95 = 0x04;
    static constexpr BYTE OS1_WIN98 = 0x08;
    static constexpr BYTE OS1_WIN98_OR_LATER = 0x10;
    static constexpr BYTE OS1_WINNT = 0x20;
    static constexpr BYTE OS1_WINNT4 = 0x40;
    static constexpr BYTE OS1_WIN2000 = 0x80;
    static constexpr BYTE OS2_WINXP = 0x01;
    static constexpr BYTE OS2_NT4_OR_LATER = 0x02;
    static constexpr BYTE OS2_2000_OR_LATER = 0x04;
    static constexpr BYTE OS2_XP_OR_LATER = 0x08;
    static constexpr BYTE OS2_TASKBAND_COLORS = 0x10;
    static constexpr BYTE OS2_KEPT_BITS = 0xE0;
    static constexpr BYTE CACHE_WHEEL_LINES = 0x01;

    void ProbeVersion();
    void LoadOptionalEntryPoints();

    CExtPaintManager* m_pManager = nullptr;
    BYTE m_nCacheFlags = 0;
    UINT m_nWheelScrollLines = 0;
    BYTE m_nOsFlags1 = 0;
    BYTE m_nOsFlags2 = 0;
};

extern CExtPaintManagerHolder g_PaintManagerHolder;
