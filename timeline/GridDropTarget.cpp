#include "timeline/GridDropTarget.h"

#include "timeline/GridCtrl.h"

BOOL CGridDropTarget::Register(CGridCtrl* pGridCtrl)
{
    if (m_bRegistered)
        return FALSE;
    if (!pGridCtrl || !pGridCtrl->GetSafeHwnd() || !pGridCtrl->IsKindOf(RUNTIME_CLASS(CGridCtrl)) || m_bRegistering)
        return FALSE;
    m_bRegistering = TRUE;
    m_pGridCtrl = pGridCtrl;
    m_bRegistered = COleDropTarget::Register(pGridCtrl);
    m_bRegistering = FALSE;
    return m_bRegistered;
}

void CGridDropTarget::Revoke()
{
    if (!m_bRegistered)
        return;
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

DROPEFFECT CGridDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint /*point*/)
{
    if (!m_pGridCtrl || pWnd->GetSafeHwnd() != m_pGridCtrl->GetSafeHwnd())
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_pGridCtrl || pWnd->GetSafeHwnd() != m_pGridCtrl->GetSafeHwnd())
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

void CGridDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (m_pGridCtrl && pWnd->GetSafeHwnd() == m_pGridCtrl->GetSafeHwnd())
        m_pGridCtrl->OnDragLeave();
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_pGridCtrl || pWnd->GetSafeHwnd() != m_pGridCtrl->GetSafeHwnd())
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

BOOL CGridDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (!m_pGridCtrl || pWnd->GetSafeHwnd() != m_pGridCtrl->GetSafeHwnd())
        return FALSE;
    return m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}

DROPEFFECT CGridDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                     DROPEFFECT dropList, CPoint point)
{
    return COleDropTarget::OnDropEx(pWnd, pDataObject, dropDefault, dropList, point);
}
