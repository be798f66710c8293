#pragma once
// Base of every class that receives commands: message-map lookup and command routing.
#include "platform/mfc/MessageMap.h"
#include "platform/mfc/Object.h"

#include <windows.h>

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command (CN_COMMAND), an update request (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI)
    // or a notification (code with WM_NOTIFY in the high word, pExtra an AFX_NOTIFY) to this
    // object's message map. With pHandlerInfo, only reports the handler without calling it.
    // Windows, frames and documents override it to route further.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // The first entry of this class's map or its bases' that handles the message, or null.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Calls a command handler of the signature nSig, or only fills pHandlerInfo when given.
BOOL AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                       AFX_CMDHANDLERINFO* pHandlerInfo);
