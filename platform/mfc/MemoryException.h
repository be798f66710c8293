#pragma once
// Thrown when memory cannot be allocated.
#include "platform/mfc/Exception.h"

class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() = default;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Throws a new CMemoryException.
[[noreturn]] void AfxThrowMemoryException();
