#pragma once
// The edit box over a cell while its text is edited; it tells the grid the result and deletes
// itself when its window closes.
#include "platform/mfc/Edit.h"
#include "platform/mfc/Rect.h"
#include "platform/mfc/String.h"

class CInPlaceEdit : public CEdit
{
public:
    CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, CString sInitText,
                 UINT nFirstChar);
    ~CInPlaceEdit() override = default;

    void EndEdit();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

private:
    int m_nRow;
    int m_nColumn;
    CString m_sInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;
    CRect m_Rect;
    BOOL m_bEnding = FALSE;
};
