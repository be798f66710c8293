#pragma once
// A growable array of 32-bit values.
#include "platform/mfc/Array.h"

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_DYNAMIC(CDWordArray)
public:
    CDWordArray() = default;
};
