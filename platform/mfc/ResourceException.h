#pragma once
// Thrown when a window, resource or GDI object cannot be created or loaded.
#include "platform/mfc/Exception.h"

class CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() = default;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Throws a new CResourceException.
[[noreturn]] void AfxThrowResourceException();
