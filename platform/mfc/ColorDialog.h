#pragma once
// The common colour dialog.
#include "platform/mfc/CommonDialog.h"

#include <commdlg.h>

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    CHOOSECOLORA m_cc;

    // IDOK with the chosen colour, IDCANCEL otherwise.
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    // The sixteen custom colours, shared by every colour dialog of the process.
    static COLORREF* GetSavedCustomColors();
};
