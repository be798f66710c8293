#pragma once
// A named set of command items with their icons and usage statistics.
#include "platform/mfc/Afx.h"
#include "platform/mfc/String.h"

#include <map>
#include <vector>

class CArchive;
class CExtCmdIcon;
class CExtCmdItem;

class CExtCmdProfile
{
public:
    static constexpr int DEFAULT_RARELY_USED_PERCENT = 10;
    static constexpr int MAX_RARELY_USED_PERCENT = 100;

    explicit CExtCmdProfile(LPCSTR lpszName = nullptr);
    CExtCmdProfile(const CExtCmdProfile&) = delete;
    CExtCmdProfile& operator=(const CExtCmdProfile&) = delete;

    virtual ~CExtCmdProfile();
    virtual bool SetupCommand(const CExtCmdItem& source, bool bReplace = false, bool* pbAdded = nullptr);
    virtual bool RemoveCommand(UINT nCmdId, bool* pbRemoved = nullptr);
    virtual void RemoveAllCommands();
    virtual void RemoveCommandsByFlags(DWORD dwMask, bool bExact = false);
    virtual CExtCmdItem* AllocateCommand(UINT nCmdId = 0);
    virtual CExtCmdItem* FindCommand(UINT nCmdId);
    virtual bool SetCommandIcon(UINT nCmdId, CExtCmdIcon* pIcon, bool bTakeOwnership);
    virtual CExtCmdIcon* GetCommandIcon(UINT nCmdId);
    virtual bool IsCommandRegistered(UINT nCmdId);
    virtual bool ImportMenuResource(UINT nMenuId, bool bReplace = false, bool bLoadTips = true);
    virtual bool ImportMenu(HMENU hMenu, bool bReplace = false, bool bRecurse = true, bool bLoadTips = true);
    virtual bool ImportToolbarResource(LPCSTR lpszResourceName, UINT** ppIdsOut = nullptr,
                                       UINT* pnCountOut = nullptr, bool bReplace = false, bool bLoadTips = true,
                                       COLORREF clrMask = RGB(192, 192, 192));
    virtual bool ImportToolbarWindow(HWND hToolBar, bool bReplace = false, bool bLoadTips = true);
    virtual bool MarkBasicCommands(const UINT* pCmdIds, bool bBasic = true);
    virtual bool ArchiveProfile(CArchive& ar);
    virtual bool ArchiveToRegistry(LPCSTR lpszCompany, LPCSTR lpszProduct, bool bSave);
    virtual void HandleSysColorChange();
    virtual void HandleSettingChange(WPARAM wParam, LPARAM lParam);
    virtual void HandleDisplayChange(int nBitsPerPixel, int cx, int cy);
    virtual void HandleThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual void ClearUsageCounters();
    virtual void AssignFrom(const CExtCmdProfile& other);
    virtual CExtCmdItem* CreateItemCopy(const CExtCmdItem& source);

    bool SetCommandIconFromHICON(UINT nCmdId, HICON hIcon, bool bCopy);
    // The icon at an index of this profile, null when there is none.
    CExtCmdIcon* GetIconAt(int nIndex) const;
    int GetIconCount() const { return static_cast<int>(m_icons.size()); }

    CString m_sName;
    int m_nRarelyUsedPercent = DEFAULT_RARELY_USED_PERCENT;
    UINT m_nTotalTickCount = 0;
    std::map<UINT, CExtCmdItem*> m_cmds;
    std::vector<CExtCmdIcon*> m_icons;
    DWORD m_dwOptions = 0;

private:
    // Gives an incoming item's icon index -1 unless it names an icon of this profile that no
    // other item uses: icons enter only through SetCommandIcon.
    void DropForeignIconIndex(CExtCmdItem& item) const;
    void RemoveIconAt(int nIndex);
    CExtCmdItem* AddItem(const CExtCmdItem& source);
};
