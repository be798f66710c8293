#include "app/panels/LibraryTreeCtrl.h"

#include "app/panels/LibraryTool.h"
#include "model/FlashLibraryEntry.h"
#include "model/FlashLibraryFolder.h"

#include "platform/mfc/OleDataSource.h"

namespace {

// Half the side of the rectangle the cursor must leave before a press becomes a drag.
constexpr int kDragStartMargin = 4;
const Gdiplus::Color kDragBackground(0xFF000000);

} // namespace

CLTCOleDropSource::CLTCOleDropSource()
{
    COleDropSource::nDragDelay = kDragDelay;
}

BEGIN_MESSAGE_MAP(CLibraryTreeCtrl, CTreeCtrl)
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, OnBeginDrag)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDITA, OnEndLabelEdit)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMA, OnDeleteItem)
END_MESSAGE_MAP()

HTREEITEM CLibraryTreeCtrl::InsertLibraryItem(LPCSTR text, int image, HTREEITEM parent, const CLibraryItem* record)
{
    auto* data = record != nullptr ? new CLibraryItem(*record) : nullptr;
    HTREEITEM item = InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, text, image, image, 0, 0,
                                reinterpret_cast<LPARAM>(data), parent, TVI_LAST);
    if (item == nullptr)
        delete data;
    return item;
}

const CLibraryItem* CLibraryTreeCtrl::GetLibraryItem(HTREEITEM item) const
{
    return item != nullptr ? reinterpret_cast<const CLibraryItem*>(GetItemData(item)) : nullptr;
}

void CLibraryTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* info = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    delete reinterpret_cast<CLibraryItem*>(info->itemOld.lParam);
    *pResult = 0;
}

void CLibraryTreeCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    m_bRegistered = SUCCEEDED(::RegisterDragDrop(m_hWnd, static_cast<IDropTarget*>(this)));
}

void CLibraryTreeCtrl::OnDestroy()
{
    // OLE keeps the window's target until it is revoked; this object does not outlive the panel.
    if (m_bRegistered)
        ::RevokeDragDrop(m_hWnd);
    m_bRegistered = false;
    DeleteAllItems();
    CTreeCtrl::OnDestroy();
}

void CLibraryTreeCtrl::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CLibraryTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The tree tracks the press itself: it returns once the button is released or the mouse
    // left the drag rectangle.
    CTreeCtrl::OnLButtonDown(nFlags, point);
    if ((::GetKeyState(VK_LBUTTON) & 0x8000) == 0)
        return;
    // The pressed item is the one dragged; a drag does not select it by itself.
    HTREEITEM item = HitTest(point);
    const CLibraryItem* record = GetLibraryItem(item);
    if (record == nullptr || record->entry == nullptr || !m_tool.IsCurrent(*record) ||
        record->entry->GetBitmap() == nullptr)
        return;
    SelectItem(item);
    DragEntry(item, *record);
}

void CLibraryTreeCtrl::DragEntry(HTREEITEM item, const CLibraryItem& record)
{
    HBITMAP hBitmap = nullptr;
    if (record.entry->GetBitmap()->GetHBITMAP(kDragBackground, &hBitmap) != Gdiplus::Ok || hBitmap == nullptr)
        return;
    auto* source = new COleDataSource;
    STGMEDIUM medium = {};
    medium.tymed = TYMED_GDI;
    medium.hBitmap = hBitmap;
    FORMATETC format = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    source->CacheData(CF_BITMAP, &medium, &format);
    POINT cursor;
    ::GetCursorPos(&cursor);
    const CRect start(cursor.x - kDragStartMargin, cursor.y - kDragStartMargin, cursor.x + kDragStartMargin,
                      cursor.y + kDragStartMargin);
    m_hDragItem = item;
    CLTCOleDropSource dropSource;
    source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &start, &dropSource);
    m_hDragItem = nullptr;
    source->InternalRelease();
}

HTREEITEM CLibraryTreeCtrl::HitTestScreen(POINTL pt) const
{
    CPoint point(pt.x, pt.y);
    ::ScreenToClient(m_hWnd, &point);
    return HitTest(point);
}

HRESULT STDMETHODCALLTYPE CLibraryTreeCtrl::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CLibraryTreeCtrl::AddRef()
{
    return ULONG(++m_nRefCount);
}

ULONG STDMETHODCALLTYPE CLibraryTreeCtrl::Release()
{
    // The tree lives with its panel, never by its references.
    return ULONG(--m_nRefCount);
}

HRESULT STDMETHODCALLTYPE CLibraryTreeCtrl::DragEnter(IDataObject*, DWORD, POINTL, DWORD* pdwEffect)
{
    // Another source's move would delete its data for a drop this tree ignores.
    *pdwEffect = m_hDragItem != nullptr ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CLibraryTreeCtrl::DragOver(DWORD, POINTL pt, DWORD* pdwEffect)
{
    if (m_hDragItem == nullptr) {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    *pdwEffect = DROPEFFECT_MOVE;
    SelectDropTarget(HitTestScreen(pt));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CLibraryTreeCtrl::DragLeave()
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CLibraryTreeCtrl::Drop(IDataObject*, DWORD, POINTL pt, DWORD* pdwEffect)
{
    *pdwEffect = DROPEFFECT_NONE;
    if (m_hDragItem == nullptr)
        return S_OK;
    HTREEITEM target = HitTestScreen(pt);
    SelectDropTarget(nullptr);
    const CLibraryItem* targetRecord = GetLibraryItem(target);
    // Only folders and the empty area take an entry.
    if (target == m_hDragItem || (target != nullptr && (targetRecord == nullptr || targetRecord->folder == nullptr)))
        return S_OK;
    const CLibraryItem* dragged = GetLibraryItem(m_hDragItem);
    if (dragged == nullptr || !m_tool.IsCurrent(*dragged))
        return S_OK;
    // The tree alone shows the move; the next rebuild restores the library's own order.
    const CLibraryItem record = *dragged;
    DeleteItem(m_hDragItem);
    m_hDragItem = nullptr;
    HTREEITEM moved = InsertLibraryItem(record.entry->GetName().c_str(), kEntryImage,
                                        target != nullptr ? target : TVI_ROOT, &record);
    SelectItem(moved);
    return S_OK;
}

void CLibraryTreeCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* info = reinterpret_cast<const NMTVDISPINFOA*>(pNMHDR);
    const CLibraryItem* record = GetLibraryItem(info->item.hItem);
    // Cancelled, or an empty name: the library keeps its name.
    if (info->item.pszText == nullptr || info->item.pszText[0] == '\0' || record == nullptr ||
        !m_tool.IsCurrent(*record))
        return;
    const std::string name = info->item.pszText;
    if (record->entry != nullptr)
        record->entry->SetName(name);
    else if (record->folder != nullptr)
        record->folder->SetName(name);
    SetItemText(info->item.hItem, name.c_str());
    m_tool.MarkDocumentModified();
}
