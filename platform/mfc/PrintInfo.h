#pragma once
// What one print or print-preview run knows: the printer, the page range, the current page and
// the drawing rectangle of the page.
#include "platform/mfc/Rect.h"
#include "platform/mfc/String.h"

#include <windows.h>
#include <commdlg.h>

class CPrintInfo
{
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    // The pages the user chose, or the whole range.
    UINT GetFromPage() const;
    UINT GetToPage() const;
    // Takes the default printer and its device context; FALSE when there is none.
    BOOL GetDefaultPrinter();

    // The printer's device context (owned: freed with the print information) and settings.
    PRINTDLGA m_pd;
    BOOL m_bDirect = FALSE;          // print without the print dialog
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;  // cleared by OnPrepareDC to end before the last page
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;     // pages shown side by side in preview (1 or 2)
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;                // the printable page, in logical units of the view's OnPrint
    CString m_strPageDesc;
};
