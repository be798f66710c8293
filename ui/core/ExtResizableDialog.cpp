#include "ui/core/ExtResizableDialog.h"

IMPLEMENT_DYNAMIC(CExtResizableDialog, CExtResDlg)

CExtResizableDialog::CExtResizableDialog() = default;

CExtResizableDialog::CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_nWsFlags |= FLAG_GRIPPER;
}

void CExtResizableDialog::OnOK()
{
    if ((GetStyle() & WS_CHILD) == 0)
        CExtWA::OnOK();
}

void CExtResizableDialog::OnCancel()
{
    if ((GetStyle() & WS_CHILD) == 0)
        CExtWA::OnCancel();
}

void CExtResizableDialog::PreSubclassWindow()
{
    CExtWA::PreSubclassWindow();
    m_nDialogFlags |= FLAG_UPDATE_BARS;
    EnableToolTips(TRUE);
}

LRESULT CExtResizableDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        m_nDialogFlags &= ~FLAG_UPDATE_BARS;
    // The command-UI update of bars inside the dialog after idle-worthy messages joins here
    // with the docking bars.
    return CExtWA::WindowProc(message, wParam, lParam);
}
