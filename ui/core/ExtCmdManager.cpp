#include "ui/core/ExtCmdManager.h"

#include "platform/mfc/ControlBar.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/SingleLock.h"
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdProfile.h"
#include "ui/core/ExtPaintManagerHolder.h"

namespace
{
// Holds the manager's lock for one scope.
class CLockScope
{
public:
    explicit CLockScope(CCriticalSection& lock) : m_lock(lock) { m_lock.Lock(); }
    CLockScope(const CLockScope&) = delete;
    CLockScope& operator=(const CLockScope&) = delete;
    ~CLockScope() { m_lock.Unlock(); }

private:
    CCriticalSection& m_lock;
};
} // namespace

CExtCmdManager::CExtCmdManager() { m_profiles[DEFAULT_PROFILE_NAME] = new CExtCmdProfile(DEFAULT_PROFILE_NAME); }

CExtCmdManager::~CExtCmdManager()
{
    CLockScope lock(m_lock);
    for (auto& entry : m_profiles)
        delete entry.second;
    m_profiles.clear();
    m_windows.clear();
}

bool CExtCmdManager::IsValidCommandId(UINT nCmdId) { return nCmdId != 0 && static_cast<INT>(nCmdId) > 0; }

bool CExtCmdManager::IsSystemCommandId(UINT nCmdId) { return nCmdId >= SYSTEM_ID_FIRST && nCmdId <= SYSTEM_ID_LAST; }

bool CExtCmdManager::IsMdiWindowListId(UINT nCmdId)
{
    return nCmdId >= MDI_WINDOW_ID_FIRST && nCmdId <= MDI_WINDOW_ID_LAST;
}

bool CExtCmdManager::IsFrameworkCommandId(UINT nCmdId)
{
    return IsSystemCommandId(nCmdId) || (nCmdId >= RECENT_FILE_ID_FIRST && nCmdId <= RECENT_FILE_ID_LAST) ||
           (nCmdId >= OLE_VERB_ID_FIRST && nCmdId <= OLE_VERB_ID_LAST) || IsMdiWindowListId(nCmdId);
}

std::string CExtCmdManager::NameOrDefault(LPCSTR lpszProfileName)
{
    return lpszProfileName != nullptr && *lpszProfileName != '\0' ? lpszProfileName : DEFAULT_PROFILE_NAME;
}

CExtCmdProfile* CExtCmdManager::FindProfileLocked(LPCSTR lpszProfileName)
{
    auto it = m_profiles.find(lpszProfileName != nullptr ? std::string(lpszProfileName) : DEFAULT_PROFILE_NAME);
    return it != m_profiles.end() ? it->second : nullptr;
}

template <typename Result, typename Call>
Result CExtCmdManager::WithProfile(LPCSTR lpszProfileName, Result fallback, Call call)
{
    // One lock across look-up and call: a profile dropped between them is never used.
    CLockScope lock(m_lock);
    CExtCmdProfile* pProfile = FindProfileLocked(lpszProfileName);
    return pProfile != nullptr ? call(*pProfile) : fallback;
}

void CExtCmdManager::RemoveAllCommands(LPCSTR lpszProfileName)
{
    WithProfile(lpszProfileName, false, [](CExtCmdProfile& profile) {
        profile.RemoveAllCommands();
        return true;
    });
}

void CExtCmdManager::HandleSysColorChange()
{
    CLockScope lock(m_lock);
    for (auto& entry : m_profiles)
        entry.second->HandleSysColorChange();
}

void CExtCmdManager::HandleSettingChange(WPARAM wParam, LPARAM lParam)
{
    CLockScope lock(m_lock);
    for (auto& entry : m_profiles)
        entry.second->HandleSettingChange(wParam, lParam);
}

void CExtCmdManager::HandleDisplayChange(int nBitsPerPixel, int cx, int cy)
{
    CLockScope lock(m_lock);
    for (auto& entry : m_profiles)
        entry.second->HandleDisplayChange(nBitsPerPixel, cx, cy);
}

void CExtCmdManager::HandleThemeChanged(WPARAM wParam, LPARAM lParam)
{
    CLockScope lock(m_lock);
    for (auto& entry : m_profiles)
        entry.second->HandleThemeChanged(wParam, lParam);
}

bool CExtCmdManager::SetupCommand(LPCSTR lpszProfileName, const CExtCmdItem& source, bool bReplace, bool* pbAdded)
{
    if (pbAdded != nullptr)
        *pbAdded = false;
    return WithProfile(lpszProfileName, false,
                       [&](CExtCmdProfile& profile) { return profile.SetupCommand(source, bReplace, pbAdded); });
}

bool CExtCmdManager::RemoveCommand(LPCSTR lpszProfileName, UINT nCmdId, bool* pbRemoved)
{
    if (pbRemoved != nullptr)
        *pbRemoved = false;
    return WithProfile(lpszProfileName, false,
                       [&](CExtCmdProfile& profile) { return profile.RemoveCommand(nCmdId, pbRemoved); });
}

bool CExtCmdManager::RemoveCommandsByFlags(LPCSTR lpszProfileName, DWORD dwMask, bool bExact)
{
    return WithProfile(lpszProfileName, false, [&](CExtCmdProfile& profile) {
        profile.RemoveCommandsByFlags(dwMask, bExact);
        return true;
    });
}

CExtCmdItem* CExtCmdManager::AllocateCommand(LPCSTR lpszProfileName, UINT nCmdId)
{
    return WithProfile(lpszProfileName, static_cast<CExtCmdItem*>(nullptr),
                       [&](CExtCmdProfile& profile) { return profile.AllocateCommand(nCmdId); });
}

CExtCmdItem* CExtCmdManager::FindCommand(LPCSTR lpszProfileName, UINT nCmdId)
{
    return WithProfile(lpszProfileName, static_cast<CExtCmdItem*>(nullptr),
                       [&](CExtCmdProfile& profile) { return profile.FindCommand(nCmdId); });
}

bool CExtCmdManager::SetCommandIconFromHICON(LPCSTR lpszProfileName, UINT nCmdId, HICON hIcon, bool bCopy)
{
    return WithProfile(lpszProfileName, false,
                       [&](CExtCmdProfile& profile) { return profile.SetCommandIconFromHICON(nCmdId, hIcon, bCopy); });
}

CExtCmdIcon* CExtCmdManager::GetCommandIcon(LPCSTR lpszProfileName, UINT nCmdId)
{
    return WithProfile(lpszProfileName, static_cast<CExtCmdIcon*>(nullptr),
                       [&](CExtCmdProfile& profile) { return profile.GetCommandIcon(nCmdId); });
}

bool CExtCmdManager::ImportMenu(LPCSTR lpszProfileName, HMENU hMenu, bool bReplace, bool bRecurse, bool bLoadTips)
{
    return WithProfile(lpszProfileName, false, [&](CExtCmdProfile& profile) {
        return profile.ImportMenu(hMenu, bReplace, bRecurse, bLoadTips);
    });
}

bool CExtCmdManager::ImportMenuResource(LPCSTR lpszProfileName, UINT nMenuId, bool bReplace, bool bLoadTips)
{
    return WithProfile(lpszProfileName, false, [&](CExtCmdProfile& profile) {
        return profile.ImportMenuResource(nMenuId, bReplace, bLoadTips);
    });
}

bool CExtCmdManager::ImportToolbarResource(LPCSTR lpszProfileName, LPCSTR lpszResourceName, UINT** ppIdsOut,
                                           UINT* pnCountOut, bool bReplace, bool bLoadTips, COLORREF clrMask)
{
    return WithProfile(lpszProfileName, false, [&](CExtCmdProfile& profile) {
        return profile.ImportToolbarResource(lpszResourceName, ppIdsOut, pnCountOut, bReplace, bLoadTips, clrMask);
    });
}

bool CExtCmdManager::ImportToolbarResourceId(LPCSTR lpszProfileName, UINT nResourceId, UINT** ppIdsOut,
                                             UINT* pnCountOut, bool bReplace, bool bLoadTips, COLORREF clrMask)
{
    return ImportToolbarResource(lpszProfileName, MAKEINTRESOURCEA(nResourceId), ppIdsOut, pnCountOut, bReplace,
                                 bLoadTips, clrMask);
}

bool CExtCmdManager::MarkBasicCommands(LPCSTR lpszProfileName, const UINT* pCmdIds, bool bBasic)
{
    return WithProfile(lpszProfileName, false,
                       [&](CExtCmdProfile& profile) { return profile.MarkBasicCommands(pCmdIds, bBasic); });
}

CExtCmdProfile* CExtCmdManager::FindProfile(LPCSTR lpszProfileName)
{
    CLockScope lock(m_lock);
    return FindProfileLocked(lpszProfileName);
}

bool CExtCmdManager::CreateProfile(LPCSTR lpszProfileName, HWND hWnd)
{
    const std::string name = NameOrDefault(lpszProfileName);
    {
        CLockScope lock(m_lock);
        if (m_profiles.count(name) == 0)
            m_profiles[name] = new CExtCmdProfile(name.c_str());
    }
    return hWnd != nullptr ? AttachProfileWindow(name.c_str(), hWnd) : true;
}

bool CExtCmdManager::AttachProfileWindow(LPCSTR lpszProfileName, HWND hWnd)
{
    if (hWnd == nullptr)
        return false;
    CLockScope lock(m_lock);
    CExtCmdProfile* pProfile = FindProfileLocked(lpszProfileName);
    if (pProfile == nullptr)
        return false;
    m_windows.emplace(hWnd, pProfile);
    return true;
}

bool CExtCmdManager::DetachProfileWindow(HWND hWnd, bool bDropUnusedProfile, bool* pbProfileRemoved)
{
    if (pbProfileRemoved != nullptr)
        *pbProfileRemoved = false;
    if (hWnd == nullptr)
        return false;
    CLockScope lock(m_lock);
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end())
        return false;
    CExtCmdProfile* pProfile = it->second;
    m_windows.erase(it);
    if (!bDropUnusedProfile || pProfile->m_sName == DEFAULT_PROFILE_NAME)
        return true;
    for (const auto& entry : m_windows)
        if (entry.second == pProfile)
            return true;
    for (auto itName = m_profiles.begin(); itName != m_profiles.end(); ++itName)
        if (itName->second == pProfile)
        {
            m_profiles.erase(itName);
            break;
        }
    delete pProfile;
    if (pbProfileRemoved != nullptr)
        *pbProfileRemoved = true;
    return true;
}

LPCSTR CExtCmdManager::FindProfileNameForWindow(HWND hWnd)
{
    CLockScope lock(m_lock);
    while (hWnd != nullptr)
    {
        auto it = m_windows.find(hWnd);
        if (it != m_windows.end())
            return it->second->m_sName;
        hWnd = ::GetParent(hWnd);
        if (hWnd == nullptr)
            break;
        // A floating bar's window tree ends at its floating frame: continue from its dock site.
        CWnd* pParent = CWnd::FromHandlePermanent(hWnd);
        if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CControlBar)))
        {
            CControlBar* pBar = static_cast<CControlBar*>(pParent);
            if (!pBar->IsDockBar() && pBar->m_pDockSite != nullptr && pBar->m_pDockSite->m_hWnd != nullptr)
                hWnd = pBar->m_pDockSite->m_hWnd;
        }
    }
    return nullptr;
}

HICON CExtCmdManager::GetCommandHICON(LPCSTR lpszProfileName, UINT nCmdId)
{
    CExtCmdIcon* pIcon = GetCommandIcon(lpszProfileName, nCmdId);
    return pIcon != nullptr ? pIcon->MakeHICON() : nullptr;
}

CExtCmdManagerHolder::CExtCmdManagerHolder() : m_pManager(new CExtCmdManager) {}

CExtCmdManagerHolder::~CExtCmdManagerHolder()
{
    delete m_pManager;
    m_pManager = nullptr;
}

void CExtCmdManagerHolder::RelaySysColorChange(CWnd* pWnd)
{
    if (m_pManager != nullptr && g_PaintManagerHolder.IsRelayWindow(pWnd))
        m_pManager->HandleSysColorChange();
}

void CExtCmdManagerHolder::RelaySettingChange(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (m_pManager != nullptr && g_PaintManagerHolder.IsRelayWindow(pWnd))
        m_pManager->HandleSettingChange(wParam, lParam);
}

void CExtCmdManagerHolder::RelayDisplayChange(CWnd* pWnd, int nBitsPerPixel, int cx, int cy)
{
    if (m_pManager != nullptr && g_PaintManagerHolder.IsRelayWindow(pWnd))
        m_pManager->HandleDisplayChange(nBitsPerPixel, cx, cy);
}

void CExtCmdManagerHolder::RelayThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (m_pManager != nullptr && g_PaintManagerHolder.IsRelayWindow(pWnd))
        m_pManager->HandleThemeChanged(wParam, lParam);
}
