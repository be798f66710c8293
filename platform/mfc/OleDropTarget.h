#pragma once
// The receiving side of OLE drag and drop for one window; a view gets the drop through its own
// OnDragEnter, OnDragOver, OnDrop and OnDragLeave.
#include "platform/mfc/CmdTarget.h"
#include "platform/mfc/Point.h"

#include "platform/mfc/OleInit.h"

#include <ole2.h>

class COleDataObject;
class CWnd;

class COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    // Revokes a registration still in force.
    ~COleDropTarget() override;

    // Makes the window a drop target; FALSE when OLE refuses (not initialised, already registered).
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    // Points are in the window's client coordinates. The defaults pass the call to a view and
    // accept nothing for other windows.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 lets OnDrop take the drop.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                                CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // The IDropTarget interface registered for the window (not AddRef'd).
    LPDROPTARGET GetDropTarget() { return &m_xDropTarget; }

    HWND m_hWnd = nullptr;

private:
    // The drag's data object while a drag is over the window.
    LPDATAOBJECT m_lpDataObject = nullptr;

    struct XDropTarget : public IDropTarget
    {
        COleDropTarget* m_pThis = nullptr;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        // The target lives as long as its registration; OLE's references do not own it.
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                            DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragLeave() override;
        HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    } m_xDropTarget;

    CPoint ClientPoint(POINTL pt) const;
    void ReleaseDataObject();
};
