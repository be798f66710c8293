#pragma once
// The "Library" panel: the document's library as a tree, a tool bar to import a picture and
// add a folder. Its picture import also serves the stage's Insert Bitmap command.
#include "app/panels/FlashEditorTool.h"
#include "app/panels/LibraryTreeCtrl.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/Static.h"
#include "ui/bars/ExtToolControlBar.h"

class CFlashEditorDoc;
class CFlashLibraryFolder;

class CLibraryTool : public CFlashEditorTool
{
public:
    CLibraryTool();

    // Asks for a picture file; a device bitmap the caller frees, or null when cancelled or
    // unreadable, damaged or over the bitmap shapes' pixel budget ("Error reading file %s!").
    // The library is left as it is.
    HBITMAP ImportPictureFile();

    void RefreshFromView(CFlashEditorView* pView) override;

    // Whether the record still points into the library of the document the tree shows, and
    // that document is still the active one.
    bool IsCurrent(const CLibraryItem& record) const;
    void MarkDocumentModified();
    CLibraryTreeCtrl& GetTree() { return m_tree; }

    afx_msg void OnNewFolder();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnImportPicture();
    afx_msg void OnUnusedButton(UINT nID);
    afx_msg void OnUpdateButtons(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    struct CInsertTarget {
        HTREEITEM item;  // TVI_ROOT for the root
        CFlashLibraryFolder* folder;
    };
    void BuildTree(HTREEITEM parent, CFlashLibraryFolder& folder);
    // Where a new item goes: the selected folder, the folder of the selected entry, else the
    // root. The folder is null without a document.
    CInsertTarget GetInsertTarget() const;
    // The active document when it is the one the tree shows, else null.
    CFlashEditorDoc* CurrentDocument() const;

    CExtToolControlBar m_toolBar;
    CLibraryTreeCtrl m_tree;
    CImageList m_images;
    CStatic m_preview;
    // Compared only, never followed without CurrentDocument: the document the tree was built from.
    CFlashEditorDoc* m_pShownDocument = nullptr;
};
