#pragma once
// Thrown to stop an operation the user has been told about; reported by nobody.
#include "platform/mfc/Exception.h"

class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() = default;
};

// Throws a new CUserException.
[[noreturn]] void AfxThrowUserException();
