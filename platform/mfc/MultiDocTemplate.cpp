#include "platform/mfc/MultiDocTemplate.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/Document.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/WaitCursor.h"

#include <cstdio>

namespace
{
constexpr const char* kUntitled = "Untitled";
constexpr const char* kFailedToCreateDoc = "Failed to create empty document.";
constexpr const char* kFailedToCreateFrame = "Failed to create the document window.";
}

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
    CMultiDocTemplate::LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    if (m_hMenuShared != nullptr)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
    // Documents still open outlive the template without a pointer back to it.
    for (POSITION pos = m_docList.GetHeadPosition(); pos != nullptr;)
        static_cast<CDocument*>(m_docList.GetNext(pos))->m_pDocTemplate = nullptr;
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource == 0)
        return;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_hMenuShared == nullptr)
        m_hMenuShared = ::LoadMenuA(hInst, MAKEINTRESOURCEA(m_nIDResource));
    if (m_hAccelTable == nullptr)
        m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(m_nIDResource));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != nullptr)
        m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr)
    {
        AfxMessageBox(kFailedToCreateDoc, MB_ICONEXCLAMATION);
        return nullptr;
    }
    // The document must survive a frame that fails half-way.
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr)
    {
        AfxMessageBox(kFailedToCreateFrame, MB_ICONEXCLAMATION);
        if (pDocument->m_viewList.IsEmpty())
            delete pDocument;
        else
            pDocument->OnCloseDocument();
        return nullptr;
    }

    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument())
        {
            // Destroying the frame destroys its views and, with the last, the document.
            pFrame->DestroyWindow();
            return nullptr;
        }
        ++m_nUntitledCount;
    }
    else
    {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            pFrame->DestroyWindow();
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (GetDocString(strDocName, docName) && !strDocName.IsEmpty())
    {
        char szNum[16];
        std::snprintf(szNum, sizeof szNum, "%u", m_nUntitledCount + 1);
        strDocName += szNum;
    }
    else if (!strDocName.LoadString(AFX_IDS_UNTITLED))
    {
        strDocName = kUntitled;
    }
    pDocument->SetTitle(strDocName);
}
