#pragma once
// The grid's OLE drop target: passes drags over the grid's window on to the grid.
#include "platform/mfc/OleDropTarget.h"

class CGridCtrl;

class CGridDropTarget : public COleDropTarget
{
public:
    CGridDropTarget() = default;
    ~CGridDropTarget() override = default;

    // Registers once, and only for a grid window.
    BOOL Register(CGridCtrl* pGridCtrl);
    void Revoke() override;
    BOOL IsRegistered() const { return m_bRegistered; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                        CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    // The grid scrolls itself; this only reports the effect.
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

private:
    CGridCtrl* m_pGridCtrl = nullptr;
    BOOL m_bRegistered = FALSE;
    BOOL m_bRegistering = FALSE;
};
