#include "platform/mfc/MemoryException.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CMemoryException, CException)

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    std::snprintf(lpszError, nMaxError, "%s", "Out of memory.");
    return TRUE;
}

void AfxThrowMemoryException()
{
    throw new CMemoryException;
}
