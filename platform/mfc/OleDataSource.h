#pragma once
// The offering side of a data transfer: formats cached now or rendered on demand, offered by
// drag and drop or on the OLE clipboard through an IDataObject.
#include "platform/mfc/CmdTarget.h"

#include "platform/mfc/OleInit.h"

#include <ole2.h>

#include <vector>

class COleDropSource;

class COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    // One reference, the creator's: InternalRelease gives it up (and deletes a heap object at
    // zero); SetClipboard hands it to the clipboard.
    COleDataSource();
    ~COleDataSource() override;

    // Takes the medium (released with the data source); lpFormatEtc defaults to the content aspect.
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // Offers the format, rendered by OnRenderData when someone asks for it.
    void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // Renders a delayed format; by default a memory block from OnRenderGlobalData.
    virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);
    virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal);
    // Drops every format.
    void Empty();

    // Runs the drag: the resulting effect, DROPEFFECT_NONE when cancelled.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);
    // Puts the data source on the OLE clipboard, which keeps it alive from then on.
    BOOL SetClipboard();
    // Renders everything on the clipboard so that it outlives the program.
    static void FlushClipboard();

    // The IDataObject of this data source (not AddRef'd).
    LPDATAOBJECT GetDataObject() { return &m_xDataObject; }
    DWORD InternalAddRef();
    DWORD InternalRelease();
    // Called when the last reference goes; deletes the object.
    virtual void OnFinalRelease();

private:
    struct CacheEntry
    {
        FORMATETC formatEtc;
        STGMEDIUM stgMedium;  // tymed TYMED_NULL for delayed rendering
    };
    CacheEntry* Lookup(const FORMATETC* lpFormatEtc);
    void AddEntry(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc, DWORD tymed);

    struct XDataObject : public IDataObject
    {
        COleDataSource* m_pThis = nullptr;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
        HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
        HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pformatetc) override;
        HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
        HRESULT STDMETHODCALLTYPE SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
        HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
        HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink,
                                          DWORD* pdwConnection) override;
        HRESULT STDMETHODCALLTYPE DUnadvise(DWORD dwConnection) override;
        HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;
    } m_xDataObject;

    std::vector<CacheEntry> m_cache;
    LONG m_dwRef = 1;
};
