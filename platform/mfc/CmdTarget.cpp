#include "platform/mfc/CmdTarget.h"

#include "platform/mfc/CmdUI.h"
#include "platform/mfc/WaitCursor.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
    {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The message travels in the high word of the code (0 for WM_COMMAND), except for updates.
    UINT nMsg = 0;
    if (nCode != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(nCode);
        nCode = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMessageMap = GetMessageMap(); pMessageMap != nullptr;
         pMessageMap = pMessageMap->pfnGetBaseMap != nullptr ? pMessageMap->pfnGetBaseMap() : nullptr)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = FindMessageEntry(pMessageMap->lpEntries, nMsg, static_cast<UINT>(nCode), nID);
        if (lpEntry != nullptr)
            return AfxDispatchCmdMsg(this, nID, nCode, lpEntry->pfn, pExtra, lpEntry->nSig, pHandlerInfo);
    }
    return FALSE;
}

BOOL AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                       AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo != nullptr)
    {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }
    auto* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (nSig)
    {
    case AfxSigCmd_v:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*AfxHandlerCast<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSigCmd_RANGE:
        (pTarget->*AfxHandlerCast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*AfxHandlerCast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigCmdUI:
    case AfxSigCmdUI_RANGE:
    {
        // An update handler that sets m_bContinueRouting lets the command travel on.
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->m_bContinueRouting = FALSE;
        if (nSig == AfxSigCmdUI)
            (pTarget->*AfxHandlerCast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        else
            (pTarget->*AfxHandlerCast<void (CCmdTarget::*)(CCmdUI*, UINT)>(pfn))(pCmdUI, nID);
        BOOL bResult = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bResult;
    }
    case AfxSigNotify_v:
        (pTarget->*AfxHandlerCast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        return (pTarget->*AfxHandlerCast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR,
                                                                                          pNotify->pResult);
    case AfxSigNotify_RANGE:
        (pTarget->*AfxHandlerCast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                         pNotify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        return (pTarget->*AfxHandlerCast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                                pNotify->pResult);
    default:
        return FALSE;
    }
}

void CCmdTarget::BeginWaitCursor()
{
    AfxWaitCursorCount(+1);
}

void CCmdTarget::EndWaitCursor()
{
    AfxWaitCursorCount(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    AfxWaitCursorCount(0);
}
