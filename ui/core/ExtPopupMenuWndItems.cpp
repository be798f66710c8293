// The popup menu's items: building from a menu, inserting and querying them.
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

#include "platform/mfc/RecentFileList.h"

namespace {

constexpr UINT RECENT_FILE_COMMAND_BASE = 0xE10F;  // plus the 1-based entry number
constexpr int RECENT_FILES_SINGLE_DIGIT = 9;
constexpr UINT IDS_RECENT_FILE_TOOLBAR_TEXT = 30004;
constexpr UINT IDS_RECENT_FILE_TIP = 30005;
constexpr UINT IDS_MDI_WINDOW_TIP = 30006;
constexpr UINT IDS_MORE_WINDOWS_TEXT = 30007;
constexpr UINT IDS_MORE_WINDOWS_TIP = 30008;
constexpr int MDI_NUMBERED_WINDOWS = 9;

LPCSTR ProfileNameOf(HWND hWnd)
{
    return hWnd != nullptr ? g_CmdManager->FindProfileNameForWindow(hWnd) : nullptr;
}

// The command, found or created in the window's profile.
CExtCmdItem* CommandInProfile(HWND hWnd, UINT nCmdId)
{
    LPCSTR lpszProfile = ProfileNameOf(hWnd);
    CExtCmdItem* pCmd = g_CmdManager->FindCommand(lpszProfile, nCmdId);
    return pCmd != nullptr ? pCmd : g_CmdManager->AllocateCommand(lpszProfile, nCmdId);
}

}  // namespace

const UINT CExtPopupMenuWnd::g_nMsgPrepareMenu = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPrepareMenu");
const UINT CExtPopupMenuWnd::g_nMsgPrepareOneMenuLevel =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPrepareOneMenuLevel");
const UINT CExtPopupMenuWnd::g_nMsgPrepareDesktopBk =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPrepareDesktopBk");
const UINT CExtPopupMenuWnd::g_nMsgPopupNext = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupNext");
const UINT CExtPopupMenuWnd::g_nMsgPopupPrev = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupPrev");
const UINT CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded");
const UINT CExtPopupMenuWnd::g_nMsgNotifyMenuClosed =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgNotifyMenuClosed");
const UINT CExtPopupMenuWnd::g_nMsgPopupDrawItem = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupDrawItem");
const UINT CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea");
const UINT CExtPopupMenuWnd::g_nMsgCreateInplaceEdit =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgCreateInplaceEdit");
const UINT CExtPopupMenuWnd::g_nMsgItemCoveringNotification =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgItemCoveringNotification");

CExtPopupMenuWnd::MENUITEMDATA* CExtPopupMenuWnd::ItemDataAt(int nIndex)
{
    return (nIndex >= 0 && nIndex < static_cast<int>(m_items.size())) ? &m_items[static_cast<size_t>(nIndex)]
                                                                      : nullptr;
}

const CExtPopupMenuWnd::MENUITEMDATA* CExtPopupMenuWnd::ItemDataAt(int nIndex) const
{
    return const_cast<CExtPopupMenuWnd*>(this)->ItemDataAt(nIndex);
}

int CExtPopupMenuWnd::CountItems() const
{
    return static_cast<int>(m_items.size());
}

UINT CExtPopupMenuWnd::CommandIdAt(int nIndex) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    return pItem != nullptr ? pItem->nCmdId : ID_SEPARATOR;
}

HICON CExtPopupMenuWnd::ExtractItemIcon(int nIndex) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    const CExtCmdIcon* pIcon = pItem != nullptr ? pItem->GetDisplayIcon() : nullptr;
    if (pIcon == nullptr)
        return nullptr;
    CExtCmdIcon copy(*pIcon);
    return copy.ReleaseAsHICON();
}

void CExtPopupMenuWnd::GetItemText(CString& sOut, int nIndex) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    sOut = (pItem != nullptr && !pItem->IsSeparator()) ? pItem->sText : CString();
}

void CExtPopupMenuWnd::GetItemAccelText(CString& sOut, int nIndex) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    sOut = (pItem != nullptr && !pItem->IsSeparator()) ? pItem->sAccelText : CString();
}

int CExtPopupMenuWnd::FindItemByCommand(UINT nCmdId, int nAfter) const
{
    for (int i = std::max(nAfter + 1, 0); i < CountItems(); ++i) {
        if (m_items[static_cast<size_t>(i)].nCmdId == nCmdId)
            return i;
    }
    return -1;
}

int CExtPopupMenuWnd::FindItemByText(LPCSTR lpszText, int nAfter) const
{
    const int nCount = CountItems();
    if (lpszText == nullptr || nCount == 0)
        return -1;
    const int nStart = (nAfter < 0 || nAfter >= nCount) ? 0 : nAfter + 1;
    for (int n = 0; n < nCount; ++n) {
        const int i = (nStart + n) % nCount;
        const MENUITEMDATA& item = m_items[static_cast<size_t>(i)];
        if (!item.IsSeparator() && std::strcmp(item.sText, lpszText) == 0)
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::SetItemIcon(int nIndex, HICON hIcon)
{
    MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr || !(pItem->IsSubmenu() || pItem->IsCustom()))
        return false;
    if (hIcon == nullptr)
        pItem->icon.Clear();
    else
        pItem->icon.TakeHICON(hIcon, true);
    pItem->ComputeItemSize();
    return true;
}

bool CExtPopupMenuWnd::SetItemText(int nIndex, const CString& sText)
{
    MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr || pItem->IsSeparator())
        return false;
    pItem->SetTexts(sText);
    pItem->ComputeItemSize();
    return true;
}

bool CExtPopupMenuWnd::SetItemAccelText(int nIndex, const CString& sText)
{
    MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr || pItem->IsSeparator())
        return false;
    pItem->sAccelText = sText;
    pItem->ComputeItemSize();
    return true;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetSubmenuAt(int nIndex) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    return (pItem != nullptr && pItem->IsSubmenu()) ? pItem->pChild : nullptr;
}

bool CExtPopupMenuWnd::IsItemDisplayed(int nIndex) const
{
    const MENUITEMDATA* pItem = ItemDataAt(nIndex);
    return pItem != nullptr && pItem->IsDisplayed();
}

bool CExtPopupMenuWnd::SetItemForcedDisplay(int nIndex, bool bForce)
{
    MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr)
        return false;
    if (bForce)
        pItem->nFlagsA |= MENUITEMDATA::A_FORCE_DISPLAYED;
    else
        pItem->nFlagsA &= static_cast<BYTE>(~MENUITEMDATA::A_FORCE_DISPLAYED);
    RecalcLayout();
    return true;
}

bool CExtPopupMenuWnd::IsEveryItemHidden() const
{
    return std::none_of(m_items.begin(), m_items.end(), [](const MENUITEMDATA& item) {
        return item.IsDisplayed() || item.pfnClick != nullptr;
    });
}

int CExtPopupMenuWnd::SetCommandItemsValue(HWND hWndTarget, bool bThisLevelOnly)
{
    for (MENUITEMDATA& item : m_items) {
        if (item.IsSubmenu()) {
            if (!bThisLevelOnly && item.pChild != nullptr) {
                item.pChild->m_hWndCmdReceiver = hWndTarget;
                item.pChild->SetCommandItemsValue(hWndTarget, false);
            }
        } else if (!item.IsSeparator()) {
            item.hWndCmdTarget = hWndTarget;
        }
    }
    return CountItems();
}

bool CExtPopupMenuWnd::PrepareEmptyPopup(HWND hWndTarget)
{
    // A new popup starts top-level here: only the parent and the items rule it out.
    if (m_pWndParentMenu != nullptr || !m_items.empty())
        return false;
    m_sizeContent = CSize(1, 1);
    m_nMenuFlags |= MENU_TOP_LEVEL;
    m_hWndCmdReceiver = hWndTarget;
    return true;
}

bool CExtPopupMenuWnd::InsertItemData(int nPos, const MENUITEMDATA& item)
{
    if (nPos < -1 || nPos > CountItems())
        return false;
    m_items.insert(nPos < 0 ? m_items.end() : m_items.begin() + nPos, item);
    return true;
}

bool CExtPopupMenuWnd::InsertItemChecked(int nPos, MENUITEMDATA& item)
{
    item.ComputeItemSize();
    if (!InsertItemData(nPos, item))
        return false;
    RecalcLayoutOfTree();
    return true;
}

void CExtPopupMenuWnd::RecalcLayoutOfTree()
{
    if (IsTopLevel() || m_pWndParentMenu == nullptr)
        RecalcLayout();
    else
        m_pWndParentMenu->RecalcLayout();
}

bool CExtPopupMenuWnd::InsertCommandItem(UINT nCmdId, int nPos, LPCSTR lpszText, LPARAM lParam, HWND hWndTarget)
{
    if (nPos < -1 || nPos > CountItems())
        return false;
    MENUITEMDATA item;
    item.nCmdId = nCmdId;
    item.hWndCmdTarget = hWndTarget != nullptr ? hWndTarget : m_hWndCmdReceiver;
    item.nFlagsA = MENUITEMDATA::A_DISPLAYED;
    if (nCmdId == ID_SUBMENU) {
        item.pChild = new CExtPopupMenuWnd;
        item.pChild->m_nMenuFlags &= static_cast<BYTE>(~MENU_TOP_LEVEL);
        item.pChild->m_pWndParentMenu = this;
        item.pChild->m_hWndCmdReceiver = item.hWndCmdTarget;
        item.SetTexts(lpszText != nullptr ? lpszText : "");
        if (lParam != 0)
            item.icon.TakeHICON(reinterpret_cast<HICON>(lParam), true);
    } else if (nCmdId != ID_SEPARATOR && !item.RefreshFromCommand()) {
        return false;
    }
    return InsertItemChecked(nPos, item);
}

bool CExtPopupMenuWnd::InsertCustomItem(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccelText,
                                        const CExtCmdIcon& icon, int nKind, HWND hWndTarget)
{
    if (nPos < -1 || nPos > CountItems())
        return false;
    MENUITEMDATA item;
    item.nCmdId = nCmdId;
    item.hWndCmdTarget = hWndTarget != nullptr ? hWndTarget : m_hWndCmdReceiver;
    item.nFlagsA = MENUITEMDATA::A_DISPLAYED;
    item.nFlagsB |= MENUITEMDATA::B_CUSTOM;
    if (nKind == CUSTOM_CHECKED)
        item.nFlagsA |= MENUITEMDATA::A_CHECKED;
    else if (nKind == CUSTOM_INDETERMINATE)
        item.nFlagsB |= MENUITEMDATA::B_INDETERMINATE;
    else if (nKind == CUSTOM_RADIO)
        item.nFlagsB |= MENUITEMDATA::B_RADIO;
    if (nCmdId != ID_SEPARATOR) {
        item.SetTexts(lpszText != nullptr ? lpszText : "");
        if (lpszAccelText != nullptr)
            item.sAccelText = lpszAccelText;
        item.icon = icon;
    }
    if (nCmdId == ID_SUBMENU) {
        item.pChild = new CExtPopupMenuWnd;
        item.pChild->m_nMenuFlags &= static_cast<BYTE>(~MENU_TOP_LEVEL);
        item.pChild->m_pWndParentMenu = this;
        item.pChild->m_hWndCmdReceiver = item.hWndCmdTarget;
    }
    return InsertItemChecked(nPos, item);
}

bool CExtPopupMenuWnd::InsertCustomItemWithHICON(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccelText,
                                                 HICON hIcon, int nKind, HWND hWndTarget)
{
    CExtCmdIcon icon;
    if (hIcon != nullptr)
        icon.TakeHICON(hIcon, true);
    return InsertCustomItem(nCmdId, nPos, lpszText, lpszAccelText, icon, nKind, hWndTarget);
}

bool CExtPopupMenuWnd::InsertSubmenuItem(CExtPopupMenuWnd* pChild, int nPos, LPCSTR lpszText, HICON hIcon)
{
    if (pChild == nullptr || pChild == this || nPos < -1 || nPos > CountItems())
        return false;
    MENUITEMDATA item;
    item.nCmdId = ID_SUBMENU;
    item.pChild = pChild;
    item.hWndCmdTarget = m_hWndCmdReceiver;
    item.nFlagsA = MENUITEMDATA::A_DISPLAYED;
    item.SetTexts(lpszText != nullptr ? lpszText : "");
    if (hIcon != nullptr)
        item.icon.TakeHICON(hIcon, true);
    pChild->m_nMenuFlags &= static_cast<BYTE>(~MENU_TOP_LEVEL);
    pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
    pChild->m_pWndParentMenu = this;
    return InsertItemChecked(nPos, item);
}

bool CExtPopupMenuWnd::DeleteItemAt(int nIndex)
{
    if (nIndex < 0) {
        BuildItemsFromMenu(nullptr);
        RecalcLayout();
        return true;
    }
    MENUITEMDATA* pItem = ItemDataAt(nIndex);
    if (pItem == nullptr)
        return false;
    if (CExtPopupMenuWnd* pChild = pItem->pChild) {
        pChild->CloseTree(false);
        pChild->BuildItemsFromMenu(nullptr);
        delete pChild;
    }
    m_items.erase(m_items.begin() + nIndex);
    m_nCurrentItem = -1;
    RecalcLayout();
    return true;
}

HMENU CExtPopupMenuWnd::CreateWin32Menu(bool bRecurse) const
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;
    for (const MENUITEMDATA& item : m_items) {
        if (item.IsSeparator()) {
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        CString sFull = item.sText;
        if (!item.sAccelText.IsEmpty())
            sFull += "\t" + item.sAccelText;
        if (item.IsSubmenu()) {
            HMENU hSub = (bRecurse && item.pChild != nullptr) ? item.pChild->CreateWin32Menu(true) : nullptr;
            if (hSub == nullptr)
                hSub = ::CreatePopupMenu();
            ::AppendMenuA(hMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(hSub), sFull);
        } else {
            ::AppendMenuA(hMenu, MF_STRING, item.nCmdId, sFull);
        }
    }
    return hMenu;
}

bool CExtPopupMenuWnd::BuildFromMenuResource(HWND hWndTarget, UINT nMenuId, bool bPopupMenu, bool bNoCmdUpdate)
{
    CMenu menu;
    if (!g_ResourceManagerHolder->LoadMenuForLanguage(menu, nMenuId))
        return false;
    const bool bResult = FillFromMenu(hWndTarget, &menu, bPopupMenu, true, bNoCmdUpdate);
    menu.DestroyMenu();
    return bResult;
}

bool CExtPopupMenuWnd::FillFromMenu(HWND hWndTarget, CMenu* pMenu, bool bTakeFirstSubmenu, bool bTopLevel,
                                    bool bNoCmdUpdate)
{
    if (hWndTarget != nullptr)
        m_hWndCmdReceiver = hWndTarget;
    HMENU hMenu = pMenu != nullptr ? pMenu->GetSafeHmenu() : nullptr;
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return false;
    if (bTakeFirstSubmenu) {
        hMenu = ::GetSubMenu(hMenu, 0);
        if (hMenu == nullptr || !::IsMenu(hMenu))
            return false;
    }
    if (!bNoCmdUpdate && !g_CmdManager->ImportMenu(ProfileNameOf(m_hWndCmdReceiver), hMenu, false, true, true))
        return false;
    CMenu menu;
    menu.Attach(hMenu);
    const bool bResult = BuildItemsFromMenu(&menu, bTopLevel, bNoCmdUpdate);
    menu.Detach();
    return bResult;
}

bool CExtPopupMenuWnd::BuildItemsFromMenu(CMenu* pMenu, bool bTopLevel, bool bNoCmdUpdate)
{
    for (MENUITEMDATA& item : m_items) {
        if (CExtPopupMenuWnd* pChild = item.pChild) {
            pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
            pChild->CloseTree(false);
            pChild->BuildItemsFromMenu(nullptr);
            delete pChild;
            item.pChild = nullptr;
        }
    }
    m_items.clear();
    m_nCurrentItem = -1;
    if (pMenu == nullptr)
        return true;
    HMENU hMenu = pMenu->GetSafeHmenu();
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return false;
    if (bTopLevel) {
        m_nMenuFlags |= MENU_TOP_LEVEL;
        m_pWndParentMenu = nullptr;
    } else {
        m_nMenuFlags &= static_cast<BYTE>(~MENU_TOP_LEVEL);
    }

    int nRecentFilePos = -1;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos) {
        char szText[MAX_MENU_TEXT + 1] = {};
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = szText;
        mii.cch = MAX_MENU_TEXT;  // the platform cuts longer texts and ends them within the buffer
        if (!::GetMenuItemInfoA(hMenu, static_cast<UINT>(nPos), TRUE, &mii))
            continue;
        szText[MAX_MENU_TEXT] = 0;
        if (mii.hSubMenu == nullptr && mii.wID >= CExtCmdManager::RECENT_FILE_ID_FIRST &&
            mii.wID <= CExtCmdManager::RECENT_FILE_ID_LAST) {
            if (nRecentFilePos < 0)
                nRecentFilePos = CountItems();
            continue;
        }
        MENUITEMDATA item;
        item.hWndCmdTarget = m_hWndCmdReceiver;
        item.nFlagsA = MENUITEMDATA::A_DISPLAYED;
        if ((mii.fType & MFT_SEPARATOR) != 0) {
            if (!m_items.empty() && m_items.back().IsSeparator())
                continue;
            item.nCmdId = ID_SEPARATOR;
        } else if (mii.hSubMenu != nullptr) {
            item.nCmdId = ID_SUBMENU;
            item.pChild = new CExtPopupMenuWnd;
            item.pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
            item.pChild->m_pWndParentMenu = this;
            CMenu sub;
            sub.Attach(mii.hSubMenu);
            item.pChild->BuildItemsFromMenu(&sub, false, bNoCmdUpdate);
            sub.Detach();
            item.SetTexts(szText);
        } else if (mii.wID != 0) {
            item.nCmdId = mii.wID;
            const bool bBound = !bNoCmdUpdate && item.RefreshFromCommand();
            if (!bBound) {
                // Not in the profile (or asked not to be): the menu's own text and state.
                item.nFlagsB = MENUITEMDATA::B_CUSTOM;
                if ((mii.fState & (MFS_GRAYED | MFS_DISABLED)) == 0)
                    item.nFlagsB |= MENUITEMDATA::B_ENABLED;
                if ((mii.fState & MFS_CHECKED) != 0)
                    item.nFlagsA |= MENUITEMDATA::A_CHECKED;
                if ((mii.fType & MFT_RADIOCHECK) != 0)
                    item.nFlagsB |= MENUITEMDATA::B_RADIO;
                item.SetTexts(szText);
            }
        } else {
            continue;
        }
        item.ComputeItemSize();
        m_items.push_back(item);
    }
    if (nRecentFilePos >= 0 && !bNoCmdUpdate)
        AppendRecentFiles(nRecentFilePos);
    RecalcLayout();
    return true;
}

void CExtPopupMenuWnd::AppendRecentFiles(int nPos)
{
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pList = pApp != nullptr ? pApp->m_pRecentFileList : nullptr;
    if (pList == nullptr)
        return;
    char szCurDir[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    const int nCurDir = static_cast<int>(std::strlen(szCurDir));
    // The ids past the sixteenth entry belong to other commands.
    const int nEntries = std::min<int>(pList->GetSize(), static_cast<int>(CExtCmdManager::RECENT_FILE_ID_LAST -
                                                                           CExtCmdManager::RECENT_FILE_ID_FIRST + 1));
    int nAdded = 0;
    for (int i = 1; i <= nEntries; ++i) {
        CString sName;
        if (!pList->GetDisplayName(sName, i - 1, szCurDir, nCurDir, TRUE) || sName.IsEmpty())
            continue;
        const UINT nCmdId = RECENT_FILE_COMMAND_BASE + static_cast<UINT>(i);
        CExtCmdItem* pCmd = CommandInProfile(m_hWndCmdReceiver, nCmdId);
        if (pCmd == nullptr)
            return;
        if (i <= RECENT_FILES_SINGLE_DIGIT)
            pCmd->m_sMenuText.Format("&%d %s", i, static_cast<LPCSTR>(sName));
        else
            pCmd->m_sMenuText.Format("%d&%d %s", i / 10, i % 10, static_cast<LPCSTR>(sName));
        const CString sToolbarFormat =
            g_ResourceManagerHolder->LoadStringOrDefault(IDS_RECENT_FILE_TOOLBAR_TEXT, "Recent file %d");
        pCmd->m_sToolbarText.Format(sToolbarFormat, i);
        const CString sTipFormat =
            g_ResourceManagerHolder->LoadStringOrDefault(IDS_RECENT_FILE_TIP, "Recent file %d (\"%s\")");
        pCmd->m_sTipTool.Format(sTipFormat, i, static_cast<LPCSTR>(sName));
        pCmd->m_sTipStatus = pCmd->m_sTipTool;
        if (!InsertCommandItem(nCmdId, nPos + nAdded))
            return;
        ++nAdded;
    }
    if (nAdded > 0)
        InsertCommandItem(ID_SEPARATOR, nPos + nAdded);
}

bool CExtPopupMenuWnd::AppendMdiWindowList(CWnd* pFrame)
{
    CMDIFrameWnd* pMdiFrame = pFrame != nullptr ? DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame) : nullptr;
    for (HWND hWnd = m_hWndCmdReceiver; pMdiFrame == nullptr && hWnd != nullptr; hWnd = ::GetParent(hWnd))
        pMdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(hWnd));
    if (pMdiFrame == nullptr || pMdiFrame->m_hWndMDIClient == nullptr)
        return false;
    const HWND hWndFrame = pMdiFrame->GetSafeHwnd();
    if (!m_items.empty() && !m_items.back().IsSeparator())
        InsertCommandItem(ID_SEPARATOR, -1);
    HWND hWndActive = reinterpret_cast<HWND>(::SendMessageA(pMdiFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    if (hWndActive != nullptr && !::IsWindowVisible(hWndActive))
        hWndActive = nullptr;
    for (int n = 1;; ++n) {
        const UINT nChildId = CExtCmdManager::MDI_WINDOW_ID_FIRST + static_cast<UINT>(n - 1);
        HWND hWndChild = ::GetDlgItem(pMdiFrame->m_hWndMDIClient, static_cast<int>(nChildId));
        if (hWndChild == nullptr)
            break;
        if (n > MDI_NUMBERED_WINDOWS) {
            InsertCommandItem(ID_SEPARATOR, -1, nullptr, 0, hWndFrame);
            CExtCmdItem* pMore = CommandInProfile(hWndFrame, CExtCmdManager::MDI_WINDOW_ID_LAST);
            if (pMore == nullptr)
                return false;
            pMore->m_sMenuText = g_ResourceManagerHolder->LoadStringOrDefault(IDS_MORE_WINDOWS_TEXT, "More Windows");
            pMore->m_sToolbarText = pMore->m_sMenuText;
            pMore->m_sTipTool =
                g_ResourceManagerHolder->LoadStringOrDefault(IDS_MORE_WINDOWS_TIP, "Manage opened document windows");
            pMore->m_sTipStatus = pMore->m_sTipTool;
            InsertCommandItem(CExtCmdManager::MDI_WINDOW_ID_LAST, -1, nullptr, 0, hWndFrame);
            break;
        }
        CExtCmdItem* pCmd = CommandInProfile(hWndFrame, nChildId);
        if (pCmd == nullptr)
            return false;
        char szTitle[MAX_MENU_TEXT + 1] = {};
        ::GetWindowTextA(hWndChild, szTitle, MAX_MENU_TEXT);
        pCmd->m_sMenuText.Format("&%d %s", n, szTitle);
        pCmd->m_sToolbarText = pCmd->m_sMenuText;
        const CString sTipFormat = g_ResourceManagerHolder->LoadStringOrDefault(IDS_MDI_WINDOW_TIP, "Document \"%s\"");
        pCmd->m_sTipTool.Format(sTipFormat, szTitle);
        pCmd->m_sTipStatus = pCmd->m_sTipTool;
        const bool bActive = hWndChild == hWndActive;
        pCmd->SetRadio(bActive);
        if (!InsertCommandItem(nChildId, -1, nullptr, 0, hWndFrame))
            return false;
        if (bActive)
            m_items.back().nFlagsB |= MENUITEMDATA::B_RADIO;
    }
    RecalcLayout();
    return true;
}
