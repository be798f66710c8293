#include "platform/mfc/OleDropTarget.h"

#include "platform/mfc/OleDataObject.h"
#include "platform/mfc/View.h"

namespace
{
constexpr DROPEFFECT kNoDropEx = static_cast<DROPEFFECT>(-1);

CView* AsView(CWnd* pWnd)
{
    return dynamic_cast<CView*>(pWnd);
}
}

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

COleDropTarget::COleDropTarget()
{
    m_xDropTarget.m_pThis = this;
}

COleDropTarget::~COleDropTarget()
{
    ReleaseDataObject();
    if (m_hWnd != nullptr)
        COleDropTarget::Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, &m_xDropTarget)))
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == nullptr)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* pView = AsView(pWnd);
    return pView != nullptr ? pView->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* pView = AsView(pWnd);
    return pView != nullptr ? pView->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CView* pView = AsView(pWnd);
    return pView != nullptr && pView->OnDrop(pDataObject, dropEffect, point);
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                    DROPEFFECT dropList, CPoint point)
{
    CView* pView = AsView(pWnd);
    return pView != nullptr ? pView->OnDropEx(pDataObject, dropDefault, dropList, point) : kNoDropEx;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (CView* pView = AsView(pWnd))
        pView->OnDragLeave();
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    CView* pView = AsView(pWnd);
    return pView != nullptr ? pView->OnDragScroll(dwKeyState, point) : DROPEFFECT_NONE;
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const
{
    POINT point = {pt.x, pt.y};
    ::ScreenToClient(m_hWnd, &point);
    return point;
}

void COleDropTarget::ReleaseDataObject()
{
    if (m_lpDataObject != nullptr)
    {
        m_lpDataObject->Release();
        m_lpDataObject = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// IDropTarget

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget))
    {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                                 DWORD* pdwEffect)
{
    if (pdwEffect == nullptr || pDataObj == nullptr)
        return E_INVALIDARG;
    COleDropTarget* pThis = m_pThis;
    CWnd* pWnd = CWnd::FromHandlePermanent(pThis->m_hWnd);
    pThis->ReleaseDataObject();
    pThis->m_lpDataObject = pDataObj;
    pDataObj->AddRef();
    COleDataObject dataObject;
    dataObject.Attach(pDataObj, FALSE);
    // The source offers *pdwEffect; the target picks among those.
    *pdwEffect &= pThis->OnDragEnter(pWnd, &dataObject, grfKeyState, pThis->ClientPoint(pt));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    COleDropTarget* pThis = m_pThis;
    if (pThis->m_lpDataObject == nullptr)
    {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(pThis->m_hWnd);
    COleDataObject dataObject;
    dataObject.Attach(pThis->m_lpDataObject, FALSE);
    CPoint point = pThis->ClientPoint(pt);
    DROPEFFECT dropScroll = pThis->OnDragScroll(pWnd, grfKeyState, point) & DROPEFFECT_SCROLL;
    *pdwEffect = (*pdwEffect & pThis->OnDragOver(pWnd, &dataObject, grfKeyState, point)) | dropScroll;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragLeave()
{
    COleDropTarget* pThis = m_pThis;
    pThis->OnDragLeave(CWnd::FromHandlePermanent(pThis->m_hWnd));
    pThis->ReleaseDataObject();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                            DWORD* pdwEffect)
{
    if (pdwEffect == nullptr || pDataObj == nullptr)
        return E_INVALIDARG;
    COleDropTarget* pThis = m_pThis;
    CWnd* pWnd = CWnd::FromHandlePermanent(pThis->m_hWnd);
    COleDataObject dataObject;
    dataObject.Attach(pDataObj, FALSE);
    CPoint point = pThis->ClientPoint(pt);
    DROPEFFECT dropList = *pdwEffect;
    DROPEFFECT dropDefault = dropList & pThis->OnDragOver(pWnd, &dataObject, grfKeyState, point);
    DROPEFFECT dropEffect = pThis->OnDropEx(pWnd, &dataObject, dropDefault, dropList, point);
    if (dropEffect == kNoDropEx)
    {
        dropEffect = dropDefault != DROPEFFECT_NONE && pThis->OnDrop(pWnd, &dataObject, dropDefault, point)
                         ? dropDefault
                         : DROPEFFECT_NONE;
    }
    *pdwEffect = dropEffect;
    pThis->ReleaseDataObject();
    return S_OK;
}
