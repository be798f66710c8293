#include "platform/mfc/Exception.h"

#include "platform/mfc/MessageBox.h"

IMPLEMENT_DYNAMIC(CException, CObject)

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, LPCSTR lpszFallback) const
{
    constexpr UINT kMaxMessage = 512;
    char message[kMaxMessage] = {};
    if (GetErrorMessage(message, kMaxMessage))
        return AfxMessageBox(message, nType);
    return AfxMessageBox(lpszFallback != nullptr ? lpszFallback : "No error message is available.", nType);
}
