#include "platform/mfc/RecentFileList.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/WinApp.h"

#include <algorithm>

namespace
{
constexpr const char* kEllipsis = "...";
constexpr int kMaxMenuText = 256;

// Doubles '&' so that the menu shows it instead of underlining.
CString EscapeAmpersands(const CString& strText)
{
    CString strResult = strText;
    strResult.Replace("&", "&&");
    return strResult;
}

// "C:\...\name.ext": the root, an ellipsis and the file name, when the path is too long.
CString AbbreviatePath(const CString& strPath, int nMaxLength)
{
    if (strPath.GetLength() <= nMaxLength)
        return strPath;
    int nSlash = strPath.ReverseFind('\\');
    CString strName = nSlash >= 0 ? strPath.Mid(nSlash + 1) : strPath;
    int nRoot = strPath.Find('\\');
    CString strRoot = nRoot >= 0 ? strPath.Left(nRoot + 1) : CString();
    CString strShort = strRoot + kEllipsis + "\\" + strName;
    return strShort.GetLength() < strPath.GetLength() ? strShort : strPath;
}
}

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(std::max(nSize, 0)), m_arrNames(static_cast<size_t>(std::max(nSize, 0))),
      m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen)
{
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (m_nSize == 0 || lpszPathName == nullptr || *lpszPathName == '\0')
        return;
    char szFull[MAX_PATH] = {};
    if (::GetFullPathNameA(lpszPathName, MAX_PATH, szFull, nullptr) == 0)
        lstrcpynA(szFull, lpszPathName, MAX_PATH);
    CString strPath(szFull);
    int iMRU = 0;
    for (; iMRU < m_nSize - 1; ++iMRU)
    {
        if (m_arrNames[static_cast<size_t>(iMRU)].CompareNoCase(strPath) == 0)
            break;
    }
    // Shift the entries above the old place (or all) down by one.
    for (; iMRU > 0; --iMRU)
        m_arrNames[static_cast<size_t>(iMRU)] = m_arrNames[static_cast<size_t>(iMRU - 1)];
    m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.emplace_back();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL) const
{
    const CString& strPath = m_arrNames.at(static_cast<size_t>(nIndex));
    if (strPath.IsEmpty())
        return FALSE;
    int nSlash = strPath.ReverseFind('\\');
    CString strDir = nSlash >= 0 ? strPath.Left(nSlash) : CString();
    if (lpszCurDir != nullptr && nCurDir > 0 && strDir.GetLength() == nCurDir &&
        strDir.CompareNoCase(CString(lpszCurDir, nCurDir)) == 0)
        strName = strPath.Mid(nSlash + 1);
    else
        strName = AbbreviatePath(strPath, m_nMaxDisplayLength);
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != nullptr)
    {
        char szText[kMaxMenuText] = {};
        ::GetMenuStringA(pMenu->GetSafeHmenu(), pCmdUI->m_nID, szText, kMaxMenuText, MF_BYCOMMAND);
        m_strOriginal = szText;
    }
    if (m_nSize == 0 || m_arrNames[0].IsEmpty())
    {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == nullptr)
        return;

    for (int iMRU = 0; iMRU < m_nSize; ++iMRU)
        pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(iMRU), MF_BYCOMMAND);
    char szCurDir[MAX_PATH] = {};
    DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    for (int iMRU = 0; iMRU < m_nSize; ++iMRU)
    {
        CString strName;
        if (!GetDisplayName(strName, iMRU, szCurDir, static_cast<int>(nCurDir)))
            break;
        CString strText;
        strText.Format("&%d %s", iMRU + 1, static_cast<LPCSTR>(EscapeAmpersands(strName)));
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, strText);
    }
    // The caller's walk resumes after the last inserted item, which is enabled already.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (int iMRU = 0; iMRU < m_nSize; ++iMRU)
    {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, iMRU + 1);
        m_arrNames[static_cast<size_t>(iMRU)] = pApp->GetProfileString(m_strSectionName, strEntry);
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    // The section is written afresh, so that removed entries do not linger.
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int iMRU = 0; iMRU < m_nSize; ++iMRU)
    {
        const CString& strName = m_arrNames[static_cast<size_t>(iMRU)];
        if (strName.IsEmpty())
            continue;
        CString strEntry;
        strEntry.Format(m_strEntryFormat, iMRU + 1);
        pApp->WriteProfileString(m_strSectionName, strEntry, strName);
    }
}
