#pragma once
// The process-wide table of command profiles, by name and by the windows bound to them.
#include "platform/mfc/Afx.h"
#include "platform/mfc/CriticalSection.h"
#include "platform/mfc/String.h"

#include <map>
#include <string>
#include <unordered_map>

class CExtCmdIcon;
class CExtCmdItem;
class CExtCmdProfile;
class CWnd;

class CExtCmdManager
{
public:
    static constexpr const char* DEFAULT_PROFILE_NAME = "default";
    static constexpr UINT SYSTEM_ID_FIRST = 0xF000;
    static constexpr UINT SYSTEM_ID_LAST = 0xF1EF;
    static constexpr UINT RECENT_FILE_ID_FIRST = 0xE110;
    static constexpr UINT RECENT_FILE_ID_LAST = 0xE11F;
    static constexpr UINT OLE_VERB_ID_FIRST = 0xE210;
    static constexpr UINT OLE_VERB_ID_LAST = 0xE21F;
    static constexpr UINT MDI_WINDOW_ID_FIRST = 0xFF00;
    static constexpr UINT MDI_WINDOW_ID_LAST = 0xFF09;

    CExtCmdManager();
    CExtCmdManager(const CExtCmdManager&) = delete;
    CExtCmdManager& operator=(const CExtCmdManager&) = delete;
    virtual ~CExtCmdManager();

    static bool IsValidCommandId(UINT nCmdId);
    static bool IsSystemCommandId(UINT nCmdId);
    static bool IsFrameworkCommandId(UINT nCmdId);
    static bool IsMdiWindowListId(UINT nCmdId);

    virtual void RemoveAllCommands(LPCSTR lpszProfileName = nullptr);
    virtual void HandleSysColorChange();
    virtual void HandleSettingChange(WPARAM wParam, LPARAM lParam);
    virtual void HandleDisplayChange(int nBitsPerPixel, int cx, int cy);
    virtual void HandleThemeChanged(WPARAM wParam, LPARAM lParam);

    bool SetupCommand(LPCSTR lpszProfileName, const CExtCmdItem& source, bool bReplace = false,
                      bool* pbAdded = nullptr);
    bool RemoveCommand(LPCSTR lpszProfileName, UINT nCmdId, bool* pbRemoved = nullptr);
    bool RemoveCommandsByFlags(LPCSTR lpszProfileName, DWORD dwMask, bool bExact = false);
    CExtCmdItem* AllocateCommand(LPCSTR lpszProfileName, UINT nCmdId = 0);
    CExtCmdItem* FindCommand(LPCSTR lpszProfileName, UINT nCmdId);
    bool SetCommandIconFromHICON(LPCSTR lpszProfileName, UINT nCmdId, HICON hIcon, bool bCopy);
    CExtCmdIcon* GetCommandIcon(LPCSTR lpszProfileName, UINT nCmdId);
    bool ImportMenu(LPCSTR lpszProfileName, HMENU hMenu, bool bReplace = false, bool bRecurse = true,
                    bool bLoadTips = true);
    bool ImportMenuResource(LPCSTR lpszProfileName, UINT nMenuId, bool bReplace = false, bool bLoadTips = true);
    bool ImportToolbarResource(LPCSTR lpszProfileName, LPCSTR lpszResourceName, UINT** ppIdsOut = nullptr,
                               UINT* pnCountOut = nullptr, bool bReplace = false, bool bLoadTips = true,
                               COLORREF clrMask = RGB(192, 192, 192));
    bool ImportToolbarResourceId(LPCSTR lpszProfileName, UINT nResourceId, UINT** ppIdsOut = nullptr,
                                 UINT* pnCountOut = nullptr, bool bReplace = false, bool bLoadTips = true,
                                 COLORREF clrMask = RGB(192, 192, 192));
    bool MarkBasicCommands(LPCSTR lpszProfileName, const UINT* pCmdIds, bool bBasic = true);

    CExtCmdProfile* FindProfile(LPCSTR lpszProfileName);
    bool CreateProfile(LPCSTR lpszProfileName, HWND hWnd = nullptr);
    bool AttachProfileWindow(LPCSTR lpszProfileName, HWND hWnd);
    bool DetachProfileWindow(HWND hWnd, bool bDropUnusedProfile = false, bool* pbProfileRemoved = nullptr);
    LPCSTR FindProfileNameForWindow(HWND hWnd);
    HICON GetCommandHICON(LPCSTR lpszProfileName, UINT nCmdId);

private:
    static std::string NameOrDefault(LPCSTR lpszProfileName);
    CExtCmdProfile* FindProfileLocked(LPCSTR lpszProfileName);
    // Runs a profile operation with the lock held across look-up and call; an unknown
    // profile gives the fallback.
    template <typename Result, typename Call>
    Result WithProfile(LPCSTR lpszProfileName, Result fallback, Call call);

    std::map<std::string, CExtCmdProfile*> m_profiles;
    std::unordered_map<HWND, CExtCmdProfile*> m_windows;
    CCriticalSection m_lock;
};

class CExtCmdManagerHolder
{
public:
    CExtCmdManagerHolder();
    CExtCmdManagerHolder(const CExtCmdManagerHolder&) = delete;
    CExtCmdManagerHolder& operator=(const CExtCmdManagerHolder&) = delete;
    ~CExtCmdManagerHolder();

    CExtCmdManager* operator->() const { return m_pManager; }
    CExtCmdManager* GetManager() const { return m_pManager; }

    void RelaySysColorChange(CWnd* pWnd);
    void RelaySettingChange(CWnd* pWnd, WPARAM wParam, LPARAM lParam);
    void RelayDisplayChange(CWnd* pWnd, int nBitsPerPixel, int cx, int cy);
    void RelayThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

private:
    CExtCmdManager* m_pManager;
};

extern CExtCmdManagerHolder g_CmdManagerHolder;
// The name the framework's code reaches the manager by.
inline CExtCmdManagerHolder& g_CmdManager = g_CmdManagerHolder;
