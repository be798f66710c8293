#include "platform/mfc/FileDialog.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(kFileBufferSize, '\0'),
      m_strFilter(lpszFilter), m_strDefExt(lpszDefExt)
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = kFileBufferSize;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.hInstance = nullptr;
    if (lpszFileName != nullptr)
        lstrcpynA(m_fileBuffer.data(), lpszFileName, static_cast<int>(kFileBufferSize));
    if (!m_strDefExt.IsEmpty())
        m_ofn.lpstrDefExt = m_strDefExt;
    if (!m_strFilter.IsEmpty())
    {
        // The system wants NUL-separated pairs ending with two NULs.
        if (m_strFilter.Right(1) != "|")
            m_strFilter += '|';
        m_strFilter += '|';
        m_strFilter.Replace('|', '\0');
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = OwnerWindow();
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > 0 && m_fileBuffer[m_ofn.nFileOffset - 1] == '\0')
    {
        // Several names: the directory comes first, the first name after it.
        POSITION pos = GetStartPosition();
        return GetNextPathName(pos);
    }
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    CString strPath = GetPathName();
    int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
    return strPath.Mid(nSlash + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Left(nDot) : strName;
}

POSITION CFileDialog::GetStartPosition() const
{
    return reinterpret_cast<POSITION>(const_cast<char*>(m_ofn.lpstrFile));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const char* pszCurrent = reinterpret_cast<const char*>(pos);
    const char* pszBuffer = m_ofn.lpstrFile;
    bool bMulti = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > 0 &&
                  pszBuffer[m_ofn.nFileOffset - 1] == '\0';
    if (!bMulti)
    {
        pos = nullptr;
        return CString(pszBuffer);
    }
    // The buffer holds the directory, then each name, each NUL-terminated, then an empty name.
    if (pszCurrent == pszBuffer)
        pszCurrent = pszBuffer + m_ofn.nFileOffset;
    CString strPath(pszBuffer);
    if (strPath.Right(1) != "\\")
        strPath += '\\';
    strPath += pszCurrent;
    const char* pszNext = pszCurrent + std::strlen(pszCurrent) + 1;
    pos = *pszNext != '\0' ? reinterpret_cast<POSITION>(const_cast<char*>(pszNext)) : nullptr;
    return strPath;
}
