#include "platform/mfc/OleDataSource.h"

#include "platform/mfc/OleDropSource.h"
#include "platform/mfc/Wnd.h"

#include <shlobj.h>

#include <cstring>

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource()
{
    m_xDataObject.m_pThis = this;
}

COleDataSource::~COleDataSource()
{
    Empty();
}

DWORD COleDataSource::InternalAddRef()
{
    return static_cast<DWORD>(::InterlockedIncrement(&m_dwRef));
}

DWORD COleDataSource::InternalRelease()
{
    LONG nRef = ::InterlockedDecrement(&m_dwRef);
    if (nRef == 0)
        OnFinalRelease();
    return static_cast<DWORD>(nRef);
}

void COleDataSource::OnFinalRelease()
{
    delete this;
}

void COleDataSource::AddEntry(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    CacheEntry entry = {};
    if (lpFormatEtc != nullptr)
    {
        entry.formatEtc = *lpFormatEtc;
        entry.formatEtc.ptd = nullptr;
    }
    else
    {
        entry.formatEtc = {cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
    }
    entry.formatEtc.cfFormat = cfFormat;
    if (lpStgMedium != nullptr)
        entry.stgMedium = *lpStgMedium;
    else
        entry.stgMedium.tymed = TYMED_NULL;
    // A format offered again replaces the earlier offer.
    if (CacheEntry* pOld = Lookup(&entry.formatEtc))
    {
        ::ReleaseStgMedium(&pOld->stgMedium);
        *pOld = entry;
        return;
    }
    m_cache.push_back(entry);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (lpStgMedium == nullptr)
        return;
    AddEntry(cfFormat, lpStgMedium, lpFormatEtc, lpStgMedium->tymed);
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM stgMedium = {};
    stgMedium.tymed = TYMED_HGLOBAL;
    stgMedium.hGlobal = hGlobal;
    AddEntry(cfFormat, &stgMedium, lpFormatEtc, TYMED_HGLOBAL);
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    AddEntry(cfFormat, nullptr, lpFormatEtc, TYMED_HGLOBAL);
}

BOOL COleDataSource::OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    if (!(lpFormatEtc->tymed & TYMED_HGLOBAL))
        return FALSE;
    HGLOBAL hGlobal = nullptr;
    if (!OnRenderGlobalData(lpFormatEtc, &hGlobal) || hGlobal == nullptr)
        return FALSE;
    lpStgMedium->tymed = TYMED_HGLOBAL;
    lpStgMedium->hGlobal = hGlobal;
    lpStgMedium->pUnkForRelease = nullptr;
    return TRUE;
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*)
{
    return FALSE;
}

void COleDataSource::Empty()
{
    for (CacheEntry& entry : m_cache)
        ::ReleaseStgMedium(&entry.stgMedium);
    m_cache.clear();
}

COleDataSource::CacheEntry* COleDataSource::Lookup(const FORMATETC* lpFormatEtc)
{
    for (CacheEntry& entry : m_cache)
    {
        const FORMATETC& cached = entry.formatEtc;
        if (cached.cfFormat == lpFormatEtc->cfFormat && (cached.tymed & lpFormatEtc->tymed) != 0 &&
            cached.dwAspect == lpFormatEtc->dwAspect &&
            (lpFormatEtc->lindex == -1 || cached.lindex == lpFormatEtc->lindex))
            return &entry;
    }
    return nullptr;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource dropSourceDefault;
    if (pDropSource == nullptr)
        pDropSource = &dropSourceDefault;
    if (lpRectStartDrag != nullptr)
        pDropSource->m_rectStartDrag = *lpRectStartDrag;
    else
        pDropSource->m_rectStartDrag.SetRectEmpty();
    // The button held now drops; the other one cancels.
    BOOL bRight = ::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0;
    pDropSource->m_dwButtonDrop = bRight ? MK_RBUTTON : MK_LBUTTON;
    pDropSource->m_dwButtonCancel = bRight ? MK_LBUTTON : MK_RBUTTON;
    if (!pDropSource->OnBeginDrag(CWnd::GetCapture()))
        return DROPEFFECT_NONE;
    DWORD dwResultEffect = DROPEFFECT_NONE;
    InternalAddRef();
    HRESULT hr = ::DoDragDrop(&m_xDataObject, pDropSource->GetDropSource(), dwEffects, &dwResultEffect);
    InternalRelease();
    return hr == DRAGDROP_S_DROP ? dwResultEffect : DROPEFFECT_NONE;
}

BOOL COleDataSource::SetClipboard()
{
    if (FAILED(::OleSetClipboard(&m_xDataObject)))
        return FALSE;
    // The clipboard holds its own reference now.
    InternalRelease();
    return TRUE;
}

void COleDataSource::FlushClipboard()
{
    if (::OleIsCurrentClipboard(nullptr) == S_OK)
        ::OleFlushClipboard();
}

// ---------------------------------------------------------------------------------------------
// IDataObject

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
    {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE COleDataSource::XDataObject::AddRef()
{
    return m_pThis->InternalAddRef();
}

ULONG STDMETHODCALLTYPE COleDataSource::XDataObject::Release()
{
    return m_pThis->InternalRelease();
}

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    if (pformatetcIn == nullptr || pmedium == nullptr)
        return E_INVALIDARG;
    std::memset(pmedium, 0, sizeof *pmedium);
    CacheEntry* pEntry = m_pThis->Lookup(pformatetcIn);
    if (pEntry == nullptr)
        return DV_E_FORMATETC;
    if (pEntry->stgMedium.tymed == TYMED_NULL)
    {
        FORMATETC formatEtc = *pformatetcIn;
        formatEtc.tymed &= pEntry->formatEtc.tymed;
        return m_pThis->OnRenderData(&formatEtc, pmedium) ? S_OK : DV_E_FORMATETC;
    }
    // The caller gets the cached handle; releasing its medium releases this object instead of the data.
    *pmedium = pEntry->stgMedium;
    pmedium->pUnkForRelease = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::QueryGetData(FORMATETC* pformatetc)
{
    if (pformatetc == nullptr)
        return E_INVALIDARG;
    return m_pThis->Lookup(pformatetc) != nullptr ? S_OK : DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pformatetcOut)
{
    if (pformatetcOut != nullptr)
        pformatetcOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection,
                                                                     IEnumFORMATETC** ppenumFormatEtc)
{
    if (ppenumFormatEtc == nullptr)
        return E_INVALIDARG;
    *ppenumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const CacheEntry& entry : m_pThis->m_cache)
        formats.push_back(entry.formatEtc);
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppenumFormatEtc);
}

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE COleDataSource::XDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
