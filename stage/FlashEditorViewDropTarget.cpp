// The stage as an OLE drop target of device bitmaps, Insert Bitmap, and the clipboard of the
// application's own format.
#include "stage/FlashEditorView.h"

#include "model/FlashBitmap.h"
#include "model/FlashClipboard.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "stage/FlashStageHost.h"

namespace {

// Asks the data object for a device bitmap; the medium must be released when true.
bool GetDroppedBitmap(IDataObject* data, STGMEDIUM& medium)
{
    if (data == nullptr)
        return false;
    FORMATETC format = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    medium = {};
    if (data->GetData(&format, &medium) != S_OK)
        return false;
    if (medium.tymed != TYMED_GDI || medium.hBitmap == nullptr) {
        ::ReleaseStgMedium(&medium);
        return false;
    }
    return true;
}

} // namespace

bool CFlashEditorView::InsertBitmapShape(HBITMAP bitmap)
{
    if (bitmap == nullptr || GetDocument() == nullptr)
        return false;
    // The shape copies the picture; the caller keeps the device bitmap.
    CFlashShape* shape = CFlashBitmap::CreateFromHBITMAP(bitmap);
    if (shape == nullptr || !AddNewShape(shape, std::make_unique<CFlashEditorFrameShapeTransform>()))
        return false;
    RecordStep("Insert Bitmap");
    Invalidate(TRUE);
    return true;
}

void CFlashEditorView::OnInsertBitmap()
{
    if (s_pHost == nullptr)
        return;
    HBITMAP bitmap = s_pHost->ImportPictureFile();
    if (bitmap == nullptr)
        return;
    InsertBitmapShape(bitmap);
    ::DeleteObject(bitmap);
}

HRESULT STDMETHODCALLTYPE CFlashEditorView::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CFlashEditorView::AddRef()
{
    return ++m_nDropRefCount;
}

ULONG STDMETHODCALLTYPE CFlashEditorView::Release()
{
    // The view lives as long as its window, never by this count.
    return m_nDropRefCount > 0 ? --m_nDropRefCount : 0;
}

HRESULT STDMETHODCALLTYPE CFlashEditorView::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    STGMEDIUM medium;
    bool available = GetDroppedBitmap(data, medium);
    if (available)
        ::ReleaseStgMedium(&medium);
    m_dwDragEffect = available ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    if (effect != nullptr)
        *effect = m_dwDragEffect;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFlashEditorView::DragOver(DWORD, POINTL, DWORD* effect)
{
    // Left untouched, the source's own choice would stand, perhaps a move.
    if (effect != nullptr)
        *effect = m_dwDragEffect;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFlashEditorView::DragLeave()
{
    m_dwDragEffect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFlashEditorView::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    m_dwDragEffect = DROPEFFECT_NONE;
    STGMEDIUM medium;
    bool added = false;
    if (GetDroppedBitmap(data, medium)) {
        added = InsertBitmapShape(medium.hBitmap);
        ::ReleaseStgMedium(&medium);
    }
    // Only a copy: a source that allows moving must not delete what it dragged.
    if (effect != nullptr)
        *effect = added ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
}

bool CFlashEditorView::CopySelectionToClipboard()
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return false;
    return CFlashClipboard::CopyShapes(*document, m_selection, CFlashClipboard::RegisterFormat(), GetSafeHwnd());
}

void CFlashEditorView::PasteShapesFromClipboard(bool centre)
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return;
    CClipboardPaste pasted = CFlashClipboard::PasteShapes(*document, centre, CFlashClipboard::RegisterFormat());
    if (!pasted.shapes.empty()) {
        // The pasted shapes replace the selection.
        ClearSelection();
        for (CFlashShape* shape : pasted.shapes)
            AddToSelection(shape, false);
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
