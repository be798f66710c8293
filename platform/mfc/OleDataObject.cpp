#include "platform/mfc/OleDataObject.h"

#include <cstring>

namespace
{
constexpr DWORD kAnyMedium = TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT |
                             TYMED_ENHMF;

FORMATETC DefaultFormat(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    if (lpFormatEtc != nullptr)
        return *lpFormatEtc;
    FORMATETC formatEtc = {cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
    return formatEtc;
}
}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    if (m_lpEnumerator != nullptr)
    {
        m_lpEnumerator->Release();
        m_lpEnumerator = nullptr;
    }
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = nullptr;
    return lpDataObject;
}

void COleDataObject::Release()
{
    BOOL bAutoRelease = m_bAutoRelease;
    LPDATAOBJECT lpDataObject = Detach();
    if (lpDataObject != nullptr && bAutoRelease)
        lpDataObject->Release();
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = nullptr;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == nullptr)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (bAddRef && m_lpDataObject != nullptr)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == nullptr)
        return FALSE;
    FORMATETC formatEtc = DefaultFormat(cfFormat, lpFormatEtc, kAnyMedium);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == nullptr || lpStgMedium == nullptr)
        return FALSE;
    FORMATETC formatEtc = DefaultFormat(cfFormat, lpFormatEtc, kAnyMedium);
    std::memset(lpStgMedium, 0, sizeof *lpStgMedium);
    return m_lpDataObject->GetData(&formatEtc, lpStgMedium) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc = DefaultFormat(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    formatEtc.tymed = TYMED_HGLOBAL;
    STGMEDIUM stgMedium;
    if (!GetData(cfFormat, &stgMedium, &formatEtc))
        return nullptr;
    if (stgMedium.tymed != TYMED_HGLOBAL)
    {
        ::ReleaseStgMedium(&stgMedium);
        return nullptr;
    }
    if (stgMedium.pUnkForRelease == nullptr)
        return stgMedium.hGlobal;
    // The source keeps its block: hand the caller a copy of its own.
    HGLOBAL hCopy = ::OleDuplicateData(stgMedium.hGlobal, cfFormat, GMEM_MOVEABLE);
    ::ReleaseStgMedium(&stgMedium);
    return hCopy;
}

void COleDataObject::BeginEnumFormats()
{
    if (m_lpEnumerator != nullptr)
    {
        m_lpEnumerator->Release();
        m_lpEnumerator = nullptr;
    }
    if (m_lpDataObject != nullptr)
        m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator);
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (m_lpEnumerator == nullptr)
        return FALSE;
    ULONG nFetched = 0;
    if (m_lpEnumerator->Next(1, lpFormatEtc, &nFetched) != S_OK || nFetched != 1)
        return FALSE;
    // The target device is not kept.
    if (lpFormatEtc->ptd != nullptr)
    {
        ::CoTaskMemFree(lpFormatEtc->ptd);
        lpFormatEtc->ptd = nullptr;
    }
    return TRUE;
}
