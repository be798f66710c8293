#pragma once
// An event object, automatic or manual reset.
#include "platform/mfc/SyncObject.h"

class CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    // Throws CResourceException when the event cannot be created.
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    BOOL Unlock() override;
};
