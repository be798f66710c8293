#pragma once
// A growable array of pointers, which it does not own.
#include "platform/mfc/Array.h"

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() = default;
};
