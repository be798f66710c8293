#include "platform/mfc/Document.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/Archive.h"
#include "platform/mfc/DocManager.h"
#include "platform/mfc/DocTemplate.h"
#include "platform/mfc/File.h"
#include "platform/mfc/FileException.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/View.h"
#include "platform/mfc/WaitCursor.h"
#include "platform/mfc/WinApp.h"

namespace
{
constexpr const char* kAskToSave = "Save changes to %s?";
constexpr const char* kFailedToOpen = "Failed to open document %s.";
constexpr const char* kFailedToSave = "Failed to save document %s.";
// Added to the target's name for the file a save writes first.
constexpr const char* kSaveSuffix = ".saving";
// Characters a title may hold that a file name may not.
constexpr const char* kBadFileNameChars = "#%;/\\:*?\"<>|";

// The file name part of a path.
CString FileNameOf(const CString& strPath)
{
    int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
    return strPath.Mid(nSlash + 1);
}
}

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views still attached no longer point here.
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
        GetNextView(pos)->m_pDocument = nullptr;
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle != nullptr ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    char szFull[MAX_PATH] = {};
    if (::GetFullPathNameA(lpszPathName, MAX_PATH, szFull, nullptr) == 0)
        lstrcpynA(szFull, lpszPathName, MAX_PATH);
    m_strPathName = szFull;
    SetTitle(FileNameOf(m_strPathName));
    CWinApp* pApp = AfxGetApp();
    if (bAddToMRU && pApp != nullptr)
        pApp->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || m_viewList.Find(pView) != nullptr)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
    {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFileException fe;
    fe.m_bAutoDelete = FALSE;
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe))
    {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, 0);
        return FALSE;
    }
    DeleteContents();
    // Dirty while loading, so that a failure leaves a document that asks before it is dropped.
    SetModifiedFlag();
    try
    {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    }
    catch (CException* e)
    {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, 0);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    // Written to a fresh file beside the target, which replaces the target only once complete: a
    // failed save leaves the previous file as it was.
    CString strTempName = CString(lpszPathName) + kSaveSuffix;
    CFileException fe;
    fe.m_bAutoDelete = FALSE;
    CFile file;
    if (!file.Open(strTempName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe))
    {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, 0);
        return FALSE;
    }
    try
    {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        file.Close();
    }
    catch (CException* e)
    {
        file.Abort();
        ::DeleteFileA(strTempName);
        ReportSaveLoadException(lpszPathName, e, TRUE, 0);
        e->Delete();
        return FALSE;
    }
    if (!::MoveFileExA(strTempName, lpszPathName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
    {
        ::DeleteFileA(strTempName);
        ReportSaveLoadException(lpszPathName, nullptr, TRUE, 0);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving, UINT)
{
    char szCause[512] = {};
    CString strMessage;
    if (e != nullptr && e->GetErrorMessage(szCause, sizeof szCause))
        strMessage = szCause;
    else
        strMessage.Format(bSaving ? kFailedToSave : kFailedToOpen, lpszPathName != nullptr ? lpszPathName : "");
    AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // Keep the document alive while its frames go.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr)
        {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        else
        {
            pView->DestroyWindow();
        }
        // A view whose window is already gone lets go here.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
    {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != nullptr && pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString strName = m_strPathName.IsEmpty() ? m_strTitle : FileNameOf(m_strPathName);
    CString strPrompt;
    strPrompt.Format(kAskToSave, static_cast<LPCSTR>(strName));
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, 0))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave()
{
    DWORD dwAttrib = ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() || (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName != nullptr ? lpszPathName : "";
    if (strNewName.IsEmpty())
    {
        strNewName = m_strPathName;
        if (bReplace && strNewName.IsEmpty())
        {
            // A new document proposes its title as the file name, with the template's extension.
            strNewName = m_strTitle;
            int nBad = strNewName.FindOneOf(kBadFileNameChars);
            if (nBad >= 0)
                strNewName = strNewName.Left(nBad);
            CString strExt;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt) &&
                !strExt.IsEmpty())
                strNewName += strExt;
        }
        CDocManager* pManager = AfxGetDocManager();
        if (pManager == nullptr ||
            !pManager->DoPromptFileName(strNewName, 0, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }
    CWaitCursor wait;
    // A failed save leaves any existing file as it is: the user's data stays where it was.
    if (!OnSaveDocument(strNewName))
        return FALSE;
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete)
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    // Each frame showing the document once, numbered when there are several.
    CPtrList frames;
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
    {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->m_hWnd != nullptr ? pView->GetParentFrame() : nullptr;
        if (pFrame != nullptr && frames.Find(pFrame) == nullptr)
            frames.AddTail(pFrame);
    }
    int nFrames = static_cast<int>(frames.GetCount());
    int nWindow = 1;
    for (POSITION pos = frames.GetHeadPosition(); pos != nullptr;)
    {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
        pFrame->m_nWindow = nFrames > 1 ? nWindow++ : 0;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}
