#pragma once
// Base of the synchronisation objects: a kernel handle that can be waited for.
#include "platform/mfc/Object.h"

#include <windows.h>

class CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCSTR pstrName);
    ~CSyncObject() override;

    // Waits for the object; FALSE on time-out or failure.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = nullptr);
    operator HANDLE() const { return m_hObject; }

    HANDLE m_hObject = nullptr;
};
