#pragma once
// The most recently used files: kept in the application's settings and shown in the File menu
// in place of the first recent-file command.
#include "platform/mfc/String.h"

#include <windows.h>

#include <vector>

class CCmdUI;

// Menu texts of longer paths are shortened to this many characters.
constexpr int AFX_ABBREV_FILENAME_LEN = 30;

class CRecentFileList
{
public:
    // nStart: the command id of the first entry; entries are stored in section lpszSection under
    // names made from lpszEntryFormat ("File%d") with numbers from 1.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames.at(static_cast<size_t>(nIndex)); }
    // The path goes first; an entry already in the list moves up instead of repeating.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The name a menu shows: the file name alone when it lies in lpszCurDir, else the path,
    // shortened to the display length. FALSE for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Replaces the menu item of pCmdUI (and those after it) with "&1 name", "&2 name"...; with
    // an empty list the item keeps its original text, disabled.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    int m_nSize;
    std::vector<CString> m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;  // the placeholder item's text
};
