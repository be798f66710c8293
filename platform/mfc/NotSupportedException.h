#pragma once
// Thrown by an operation the object does not support.
#include "platform/mfc/Exception.h"

class CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() = default;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Throws a new CNotSupportedException.
[[noreturn]] void AfxThrowNotSupportedException();
