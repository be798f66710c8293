#include "platform/mfc/CommonDialog.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
}

HWND CCommonDialog::OwnerWindow()
{
    return PreModal();
}
