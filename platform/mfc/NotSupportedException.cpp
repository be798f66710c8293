#include "platform/mfc/NotSupportedException.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CNotSupportedException, CException)

BOOL CNotSupportedException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    std::snprintf(lpszError, nMaxError, "%s", "An unsupported operation was attempted.");
    return TRUE;
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}
