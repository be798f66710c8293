#pragma once
// The "ObjectInspector" panel: the layers of the active document with the shapes of their
// current frames, the first selected shape's name, id and curve count, and Delete, Bring to
// Front and Send to Back for the stage selection.
#include "app/panels/FlashEditorTool.h"
#include "platform/mfc/ListCtrl.h"
#include "platform/mfc/TreeCtrl.h"
#include "ui/bars/ExtToolControlBar.h"

class CFlashEditorDoc;
class CFlashShape;

class CObjectInspectorTool : public CFlashEditorTool
{
public:
    CObjectInspectorTool();

    void RefreshFromView(CFlashEditorView* pView) override;
    void OnDocumentChanged(CFlashEditorView* pView) override;
    void OnSelectionChanged(CFlashEditorView* pView) override;
    void OnStyleChanged(CFlashEditorView* pView) override;

    CTreeCtrl& GetTree() { return m_tree; }
    CListCtrl& GetProperties() { return m_properties; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnRebuild(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDeleteObject();
    afx_msg void OnBringToFront();
    afx_msg void OnSendToBack();
    afx_msg void OnUpdateNeedsSelection(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    void SelectShapeItem(CFlashShape* pShape);
    void FillProperties(CFlashShape* pShape);
    // Whether the shape is in the current frame of one of the document's layers.
    // Whether the tree holds exactly the document's layers and current-frame shapes, by name.
    bool TreeShows(CFlashEditorDoc* pDoc);
    static bool IsShownShape(CFlashEditorDoc* pDoc, const CFlashShape* pShape);

    CTreeCtrl m_tree;
    CExtToolControlBar m_toolBar;
    CListCtrl m_properties;
    // Set while the panel changes the tree or the stage selection itself.
    bool m_bSyncing = false;
};
