#pragma once
// The receiving side of a data transfer: wraps an IDataObject from a drop or the OLE clipboard.
#include <windows.h>
#include <ole2.h>

class COleDataObject
{
public:
    COleDataObject() = default;
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // With bAutoRelease the object releases the interface when it lets it go.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // The data on the OLE clipboard; FALSE when there is none.
    BOOL AttachClipboard();
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    // Format queries and data, for the content aspect and any medium unless lpFormatEtc says otherwise.
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // The caller releases the medium with ReleaseStgMedium.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // A memory block the caller owns (GlobalFree), or null.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

private:
    LPDATAOBJECT m_lpDataObject = nullptr;
    LPENUMFORMATETC m_lpEnumerator = nullptr;
    BOOL m_bAutoRelease = TRUE;
};
