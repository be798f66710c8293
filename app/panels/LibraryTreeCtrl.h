#pragma once
// The library panel's tree: folders and entries of the document's library, renamed in place,
// an entry's bitmap dragged out through OLE, and its own items dropped onto folders.
#include "platform/mfc/OleDropSource.h"
#include "platform/mfc/TreeCtrl.h"

#include <ole2.h>

class CFlashLibraryEntry;
class CFlashLibraryFolder;
class CLibraryTool;

// What a tree item stands for: a folder or an entry (the other one null).
struct CLibraryItem {
    CFlashLibraryFolder* folder = nullptr;
    CFlashLibraryEntry* entry = nullptr;
};

// The tree's drag source: a press starts a drag only by leaving the start rectangle.
class CLTCOleDropSource : public COleDropSource
{
public:
    static constexpr UINT kDragDelay = 10000000;
    CLTCOleDropSource();
};

class CLibraryTreeCtrl : public CTreeCtrl, public IDropTarget
{
public:
    static constexpr int kFolderImage = 0;
    static constexpr int kEntryImage = 1;

    explicit CLibraryTreeCtrl(CLibraryTool& tool) : m_tool(tool) {}

    // Appends an item under the parent (TVI_ROOT for the root); the tree keeps a copy of the
    // record, if any, until the item is deleted.
    HTREEITEM InsertLibraryItem(LPCSTR text, int image, HTREEITEM parent, const CLibraryItem* record);
    // The item's record, or null for an item without one.
    const CLibraryItem* GetLibraryItem(HTREEITEM item) const;
    // The item being dragged out, null when no drag runs.
    HTREEITEM GetDragItem() const { return m_hDragItem; }

    // IDropTarget: only the tree's own items are accepted.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObject, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObject, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    void PreSubclassWindow() override;
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The item under a point in screen coordinates.
    HTREEITEM HitTestScreen(POINTL pt) const;
    // Drags the entry's bitmap out as CF_BITMAP.
    void DragEntry(HTREEITEM item, const CLibraryItem& record);

    CLibraryTool& m_tool;
    HTREEITEM m_hDragItem = nullptr;
    LONG m_nRefCount = 0;
    bool m_bRegistered = false;
};
