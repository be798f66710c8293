#pragma once
// A map from strings (compared exactly) to pointers, which it does not own.
#include "platform/mfc/Map.h"

class CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CString, LPCSTR, void*, void*>(nBlockSize) {}
};
