#pragma once
// The common open and save dialogs.
#include "platform/mfc/CommonDialog.h"

#include "platform/mfc/Position.h"

#include <commdlg.h>
#include <vector>

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter is "Text|*.txt|All|*.*||"-style: pairs of description and pattern separated by '|'.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    OPENFILENAMEA m_ofn;
    BOOL m_bOpenFileDialog;

    // IDOK with the chosen name, IDCANCEL when cancelled or failed.
    INT_PTR DoModal() override;
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // Multiple selection: the chosen files one by one.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

private:
    static constexpr DWORD kFileBufferSize = 64 * 1024;
    std::vector<char> m_fileBuffer;
    char m_szFileTitle[MAX_PATH] = {};
    CString m_strFilter;
    CString m_strDefExt;
};
