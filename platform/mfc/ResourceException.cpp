#include "platform/mfc/ResourceException.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CResourceException, CException)

BOOL CResourceException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    std::snprintf(lpszError, nMaxError, "%s", "A required resource was unavailable.");
    return TRUE;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}
