#include "ui/core/ExtCmdProfile.h"

#include "platform/mfc/Menu.h"
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtResourceManager.h"
#include "ui/core/ExtToolbarResourceData.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <new>

namespace
{
constexpr UINT FIRST_ALLOCATED_ID = 0xFFFE;
constexpr int MENU_TEXT_MAX = 1024;
} // namespace

CExtCmdProfile::CExtCmdProfile(LPCSTR lpszName) : m_sName(lpszName != nullptr ? lpszName : "") {}

CExtCmdProfile::~CExtCmdProfile()
{
    for (auto& entry : m_cmds)
        delete entry.second;
    for (CExtCmdIcon* pIcon : m_icons)
        delete pIcon;
}

CExtCmdIcon* CExtCmdProfile::GetIconAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetIconCount())
        return nullptr;
    return m_icons[static_cast<size_t>(nIndex)];
}

void CExtCmdProfile::DropForeignIconIndex(CExtCmdItem& item) const
{
    const int nIndex = item.m_nIconIdx;
    if (nIndex < 0)
        return;
    bool bForeign = nIndex >= GetIconCount();
    for (auto it = m_cmds.begin(); !bForeign && it != m_cmds.end(); ++it)
        bForeign = it->second != &item && it->second->m_nIconIdx == nIndex;
    if (bForeign)
        item.m_nIconIdx = -1;
}

CExtCmdItem* CExtCmdProfile::CreateItemCopy(const CExtCmdItem& source)
{
    CExtCmdItem* pItem = new (std::nothrow) CExtCmdItem(source);
    if (pItem != nullptr)
        DropForeignIconIndex(*pItem);
    return pItem;
}

CExtCmdItem* CExtCmdProfile::AddItem(const CExtCmdItem& source)
{
    CExtCmdItem* pItem = CreateItemCopy(source);
    if (pItem == nullptr)
        return nullptr;
    pItem->m_pProfile = this;
    m_cmds[pItem->m_nCmdId] = pItem;
    return pItem;
}

bool CExtCmdProfile::SetupCommand(const CExtCmdItem& source, bool bReplace, bool* pbAdded)
{
    if (pbAdded != nullptr)
        *pbAdded = false;
    if (!CExtCmdManager::IsValidCommandId(source.m_nCmdId))
        return false;
    if (CExtCmdItem* pItem = FindCommand(source.m_nCmdId))
    {
        // An existing item keeps its own icon: icons enter through SetCommandIcon only.
        const int nOwnIcon = pItem->m_nIconIdx;
        if (bReplace)
            pItem->MergeFrom(source);
        else
            pItem->FillMissingFrom(source);
        pItem->m_nIconIdx = nOwnIcon;
        return true;
    }
    if (AddItem(source) == nullptr)
        return false;
    if (pbAdded != nullptr)
        *pbAdded = true;
    return true;
}

bool CExtCmdProfile::RemoveCommand(UINT nCmdId, bool* pbRemoved)
{
    if (pbRemoved != nullptr)
        *pbRemoved = false;
    if (!CExtCmdManager::IsValidCommandId(nCmdId))
        return false;
    auto it = m_cmds.find(nCmdId);
    if (it == m_cmds.end())
        return true;
    const int nIconIdx = it->second->m_nIconIdx;
    delete it->second;
    m_cmds.erase(it);
    if (pbRemoved != nullptr)
        *pbRemoved = true;
    if (nIconIdx >= 0 && nIconIdx < GetIconCount())
        RemoveIconAt(nIconIdx);
    return true;
}

void CExtCmdProfile::RemoveIconAt(int nIndex)
{
    delete m_icons[static_cast<size_t>(nIndex)];
    m_icons.erase(m_icons.begin() + nIndex);
    for (auto& entry : m_cmds)
    {
        if (entry.second->m_nIconIdx == nIndex)
            entry.second->m_nIconIdx = -1;
        else if (entry.second->m_nIconIdx > nIndex)
            --entry.second->m_nIconIdx;
    }
}

void CExtCmdProfile::RemoveAllCommands()
{
    for (CExtCmdIcon* pIcon : m_icons)
        delete pIcon;
    m_icons.clear();
    for (auto& entry : m_cmds)
        delete entry.second;
    m_cmds.clear();
}

void CExtCmdProfile::RemoveCommandsByFlags(DWORD dwMask, bool bExact)
{
    std::vector<UINT> ids;
    for (const auto& entry : m_cmds)
    {
        const DWORD dwShared = entry.second->m_dwStateFlags & dwMask;
        if (bExact ? dwShared == dwMask : dwShared != 0)
            ids.push_back(entry.first);
    }
    for (UINT nCmdId : ids)
        RemoveCommand(nCmdId);
}

CExtCmdItem* CExtCmdProfile::AllocateCommand(UINT nCmdId)
{
    if (nCmdId == 0)
    {
        nCmdId = FIRST_ALLOCATED_ID;
        while (nCmdId != 0 && m_cmds.count(nCmdId) != 0)
            --nCmdId;
        if (nCmdId == 0)
            return nullptr;
    }
    else if (!CExtCmdManager::IsValidCommandId(nCmdId) || IsCommandRegistered(nCmdId))
        return nullptr;
    if (!SetupCommand(CExtCmdItem(nCmdId)))
        return nullptr;
    return FindCommand(nCmdId);
}

CExtCmdItem* CExtCmdProfile::FindCommand(UINT nCmdId)
{
    if (!CExtCmdManager::IsValidCommandId(nCmdId))
        return nullptr;
    auto it = m_cmds.find(nCmdId);
    return it != m_cmds.end() ? it->second : nullptr;
}

bool CExtCmdProfile::IsCommandRegistered(UINT nCmdId) { return FindCommand(nCmdId) != nullptr; }

bool CExtCmdProfile::SetCommandIcon(UINT nCmdId, CExtCmdIcon* pIcon, bool bTakeOwnership)
{
    if (!CExtCmdManager::IsValidCommandId(nCmdId))
    {
        if (bTakeOwnership)
            delete pIcon;
        return false;
    }
    if (pIcon != nullptr && pIcon->HasNoImage())
    {
        if (bTakeOwnership)
            delete pIcon;
        pIcon = nullptr;
    }
    CExtCmdItem* pItem = FindCommand(nCmdId);
    if (pItem == nullptr)
    {
        if (bTakeOwnership)
            delete pIcon;
        return false;
    }
    CExtCmdIcon* pOld = GetIconAt(pItem->m_nIconIdx);
    if (pIcon == nullptr)
    {
        if (pOld != nullptr)
            RemoveIconAt(pItem->m_nIconIdx);
        pItem->m_nIconIdx = -1;
        return true;
    }
    if (pOld == nullptr)
    {
        CExtCmdIcon* pStored = bTakeOwnership ? pIcon : new (std::nothrow) CExtCmdIcon(*pIcon);
        if (pStored == nullptr)
            return false;
        pItem->m_nIconIdx = GetIconCount();
        m_icons.push_back(pStored);
        return true;
    }
    if (pOld == pIcon)
        return true;
    if (bTakeOwnership)
    {
        m_icons[static_cast<size_t>(pItem->m_nIconIdx)] = pIcon;
        delete pOld;
    }
    else
        pOld->CopyFrom(*pIcon);
    return true;
}

bool CExtCmdProfile::SetCommandIconFromHICON(UINT nCmdId, HICON hIcon, bool bCopy)
{
    if (hIcon == nullptr)
        return SetCommandIcon(nCmdId, nullptr, false);
    CExtCmdIcon icon(hIcon, bCopy);
    return SetCommandIcon(nCmdId, &icon, false);
}

CExtCmdIcon* CExtCmdProfile::GetCommandIcon(UINT nCmdId)
{
    CExtCmdItem* pItem = FindCommand(nCmdId);
    return pItem != nullptr ? GetIconAt(pItem->m_nIconIdx) : nullptr;
}

bool CExtCmdProfile::ImportMenuResource(UINT nMenuId, bool bReplace, bool bLoadTips)
{
    CMenu menu;
    if (!g_ResourceManagerHolder->LoadMenuForLanguage(menu, nMenuId))
        return false;
    const bool bResult = ImportMenu(menu.m_hMenu, bReplace, true, bLoadTips);
    menu.DestroyMenu();
    return bResult;
}

bool CExtCmdProfile::ImportMenu(HMENU hMenu, bool bReplace, bool bRecurse, bool bLoadTips)
{
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return false;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos)
    {
        char szText[MENU_TEXT_MAX] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = szText;
        info.cch = MENU_TEXT_MAX - 1;
        if (!::GetMenuItemInfoA(hMenu, static_cast<UINT>(nPos), TRUE, &info) || (info.fType & MFT_SEPARATOR) != 0)
            continue;
        if (info.hSubMenu != nullptr)
        {
            // Submenus always bring their tips along.
            if (bRecurse)
                ImportMenu(info.hSubMenu, bReplace, true, true);
            continue;
        }
        if (!CExtCmdManager::IsValidCommandId(info.wID))
            continue;
        CExtCmdItem item(info.wID);
        CString text(szText);
        text.Remove('\n');
        text.Remove('\r');
        text.Trim();
        const int nTab = text.ReverseFind('\t');
        if (nTab >= 0)
        {
            item.m_sAccelText = text.Mid(nTab + 1);
            item.m_sAccelText.Trim();
            item.m_sMenuText = text.Left(nTab);
            item.m_sMenuText.Trim();
        }
        else
            item.m_sMenuText = text;
        if (bLoadTips)
            item.LoadTipsFromStringTable();
        SetupCommand(item, bReplace);
    }
    return true;
}

bool CExtCmdProfile::ImportToolbarResource(LPCSTR lpszResourceName, UINT** ppIdsOut, UINT* pnCountOut,
                                           bool bReplace, bool bLoadTips, COLORREF clrMask)
{
    if (lpszResourceName == nullptr)
        return false;
    CExtToolbarResourceData data;
    if (!data.Load(lpszResourceName, clrMask))
        return false;
    for (size_t i = 0; i < data.m_buttonIds.size(); ++i)
    {
        const UINT nCmdId = data.m_buttonIds[i];
        CExtCmdItem item(nCmdId);
        if (bLoadTips)
            item.LoadTipsFromStringTable();
        if (!SetupCommand(item, bReplace))
            continue;
        RECT rcImage;
        if (!data.GetImageRect(i, rcImage))
            continue;
        auto pIcon = std::make_unique<CExtCmdIcon>(data.m_hBitmap, data.m_clrMask, &rcImage, true);
        if (!pIcon->HasNoImage())
            SetCommandIcon(nCmdId, pIcon.release(), true);
    }
    if (ppIdsOut != nullptr)
    {
        *ppIdsOut = new UINT[std::max<size_t>(data.m_allIds.size(), 1)];
        std::copy(data.m_allIds.begin(), data.m_allIds.end(), *ppIdsOut);
    }
    if (pnCountOut != nullptr)
        *pnCountOut = static_cast<UINT>(data.m_allIds.size());
    return true;
}

bool CExtCmdProfile::ImportToolbarWindow(HWND hToolBar, bool bReplace, bool bLoadTips)
{
    if (hToolBar == nullptr || !::IsWindow(hToolBar))
        return false;
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(::SendMessageA(hToolBar, TB_GETIMAGELIST, 0, 0));
    if (hImages == nullptr)
        return false;
    const int nCount = static_cast<int>(::SendMessageA(hToolBar, TB_BUTTONCOUNT, 0, 0));
    for (int nButton = 0; nButton < nCount; ++nButton)
    {
        TBBUTTON button = {};
        if (!::SendMessageA(hToolBar, TB_GETBUTTON, static_cast<WPARAM>(nButton), reinterpret_cast<LPARAM>(&button)) ||
            button.idCommand == 0 || (button.fsStyle & BTNS_SEP) != 0)
            continue;
        const UINT nCmdId = static_cast<UINT>(button.idCommand);
        char szText[MENU_TEXT_MAX] = {};
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_IMAGE | TBIF_TEXT;
        info.pszText = szText;
        info.cchText = MENU_TEXT_MAX - 1;
        int nImage = button.iBitmap;
        if (::SendMessageA(hToolBar, TB_GETBUTTONINFOA, nCmdId, reinterpret_cast<LPARAM>(&info)) >= 0)
            nImage = info.iImage;
        else
            ::SendMessageA(hToolBar, TB_GETBUTTONTEXTA, nCmdId, reinterpret_cast<LPARAM>(szText));
        CExtCmdItem item(nCmdId);
        item.m_sToolbarText = szText;
        if (bLoadTips)
            item.LoadTipsFromStringTable();
        if (!SetupCommand(item, bReplace))
            continue;
        CExtCmdItem* pStored = FindCommand(nCmdId);
        if (nImage < 0 || pStored == nullptr || pStored->m_nIconIdx >= 0)
            continue;
        HICON hIcon = ImageList_GetIcon(hImages, nImage, ILD_NORMAL);
        if (hIcon != nullptr)
        {
            CExtCmdIcon icon(hIcon, false);
            SetCommandIcon(nCmdId, &icon, false);
        }
    }
    return true;
}

bool CExtCmdProfile::MarkBasicCommands(const UINT* pCmdIds, bool bBasic)
{
    if (pCmdIds == nullptr)
        return false;
    bool bAll = true;
    for (; *pCmdIds != 0; ++pCmdIds)
    {
        CExtCmdItem* pItem = CExtCmdManager::IsSystemCommandId(*pCmdIds) ? nullptr : FindCommand(*pCmdIds);
        if (pItem == nullptr)
        {
            bAll = false;
            continue;
        }
        pItem->SetBasic(bBasic);
    }
    return bAll;
}

void CExtCmdProfile::HandleSysColorChange()
{
    for (auto& entry : m_cmds)
        entry.second->HandleSysColorChange();
}

void CExtCmdProfile::HandleSettingChange(WPARAM wParam, LPARAM lParam)
{
    for (auto& entry : m_cmds)
        entry.second->HandleSettingChange(wParam, lParam);
}

void CExtCmdProfile::HandleDisplayChange(int nBitsPerPixel, int cx, int cy)
{
    for (auto& entry : m_cmds)
        entry.second->HandleDisplayChange(nBitsPerPixel, cx, cy);
}

void CExtCmdProfile::HandleThemeChanged(WPARAM wParam, LPARAM lParam)
{
    for (auto& entry : m_cmds)
        entry.second->HandleThemeChanged(wParam, lParam);
}

void CExtCmdProfile::ClearUsageCounters()
{
    for (auto& entry : m_cmds)
        entry.second->ResetUsage();
    m_nTotalTickCount = 0;
}

void CExtCmdProfile::AssignFrom(const CExtCmdProfile& other)
{
    if (&other == this)
        return;
    m_sName = other.m_sName;
    m_nRarelyUsedPercent = other.m_nRarelyUsedPercent;
    m_nTotalTickCount = other.m_nTotalTickCount;
    m_dwOptions = other.m_dwOptions;
    RemoveAllCommands();
    // Icons first, in the same order, so that the copied items' indexes name them.
    for (const CExtCmdIcon* pIcon : other.m_icons)
        m_icons.push_back(new CExtCmdIcon(*pIcon));
    for (const auto& entry : other.m_cmds)
        AddItem(*entry.second);
}
