#pragma once
// A document: the data a template opens, saves and shows in one or more views.
#include "platform/mfc/CmdTarget.h"
#include "platform/mfc/PtrList.h"
#include "platform/mfc/String.h"

#include <windows.h>

class CArchive;
class CDocTemplate;
class CException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Also retitles every frame that shows the document.
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // The full path becomes the document's file; its file name becomes the title. With
    // bAddToMRU the path enters the application's recent-file list.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views.
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const;
    // OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // Operations the framework calls; documents override them.
    virtual void DeleteContents();
    // Empties the document (DeleteContents) and clears the modified flag.
    virtual BOOL OnNewDocument();
    // Empties the document, then reads it through Serialize from a CArchive on the file.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Writes the document through Serialize into a new file that then replaces the old one; FALSE
    // (modified flag and any previous file left as they were) when it cannot be written.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Destroys every frame showing the document, empties it and deletes it when auto-deleting.
    virtual void OnCloseDocument();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // TRUE when another frame still shows the document, else asks to save.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // With changes, asks "Save changes to <title>?": Yes saves (TRUE when saved), No discards, Cancel FALSE.
    virtual BOOL SaveModified();
    virtual void ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    // Asks where to save unless lpszPathName is given; bReplace makes the file the document's path.
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    // Called when a view is added or removed: the last view's removal closes an auto-deleting document.
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();

    // Documents route commands on to their template.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

    DECLARE_MESSAGE_MAP()
};
