#pragma once
// A critical section of this process; Lock waits without time-out.
#include "platform/mfc/SyncObject.h"

class CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    ~CCriticalSection() override;

    BOOL Lock();
    BOOL Lock(DWORD dwTimeout) override;
    BOOL Unlock() override;
    operator CRITICAL_SECTION*() { return &m_sect; }

    CRITICAL_SECTION m_sect;
};
