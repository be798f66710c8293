#pragma once
// A growable array of strings.
#include "platform/mfc/Array.h"
#include "platform/mfc/String.h"

class CStringArray : public CArray<CString, LPCSTR>
{
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray() = default;
};
