#include "DocViewTestSupport.h"

#include "DocViewTestResources.h"

namespace
{
CTestApp g_app;
}

CTestApp& TestApp()
{
    return g_app;
}

std::string TempPath(const char* pszName)
{
    char szDir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, szDir);
    return std::string(szDir) + pszName;
}

// ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_TEST_VIEW_CMD, OnTestCommand)
    ON_COMMAND(ID_TEST_DOC_CMD, OnTestCommand)
    ON_COMMAND(ID_TEST_FRAME_CMD, OnTestCommand)
    ON_COMMAND(ID_TEST_APP_CMD, OnTestCommand)
END_MESSAGE_MAP()

void LogHandler(const char* pszLevel)
{
    if (TestApp().m_pLog != nullptr)
        TestApp().m_pLog->push_back(pszLevel);
}

CTestApp::CTestApp() : CWinApp("DocViewTest")
{
}

int CTestApp::DoMessageBox(LPCSTR lpszPrompt, UINT, UINT)
{
    m_prompts.push_back(lpszPrompt);
    if (m_answers.empty())
        return IDOK;
    int nAnswer = m_answers.front();
    m_answers.erase(m_answers.begin());
    return nAnswer;
}

void CTestApp::OnTestCommand()
{
    LogHandler("app");
}

BOOL CTestDocManager::DoPromptFileName(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*)
{
    ++m_nPrompts;
    if (m_fileNames.empty())
        return FALSE;
    std::string strName = m_fileNames.front();
    m_fileNames.erase(m_fileNames.begin());
    if (strName.empty())
        return FALSE;
    fileName = strName.c_str();
    return TRUE;
}

// ---------------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_TEST_VIEW_CMD, OnTestCommand)
    ON_COMMAND(ID_TEST_DOC_CMD, OnTestCommand)
END_MESSAGE_MAP()

void CTestDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_strText;
        if (m_bFailWrite)
            AfxThrowArchiveException(CArchiveException::genericException);
    }
    else
        ar >> m_strText;
}

void CTestDoc::DeleteContents()
{
    m_strText.Empty();
}

void CTestDoc::OnTestCommand()
{
    LogHandler("document");
}

// ---------------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestView, CScrollView)

BEGIN_MESSAGE_MAP(CTestView, CScrollView)
    ON_COMMAND(ID_TEST_VIEW_CMD, OnTestCommand)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

void CTestView::OnDraw(CDC* pDC)
{
    CSize sizeTotal = GetTotalSize();
    pDC->FillSolidRect(0, 0, sizeTotal.cx, sizeTotal.cy, RGB(0, 0, 0));
}

void CTestView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(1000, 800));
    CScrollView::OnInitialUpdate();
}

void CTestView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    ++m_nUpdates;
    CScrollView::OnUpdate(pSender, lHint, pHint);
}

BOOL CTestView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->SetMaxPage(m_nPrintPages);
    return DoPreparePrinting(pInfo);
}

void CTestView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_printedPages.push_back(pInfo->m_nCurPage);
    const CRect& page = pInfo->m_rectDraw;
    int cx = page.Width() / 10;
    int cy = page.Height() / 10;
    int x = page.left + cx * static_cast<int>(pInfo->m_nCurPage);
    pDC->FillSolidRect(x, page.top + cy, cx, cy, RGB(0, 0, 0));
}

DROPEFFECT CTestView::OnDragEnter(COleDataObject* pDataObject, DWORD, CPoint)
{
    return pDataObject->IsDataAvailable(CF_BITMAP) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

DROPEFFECT CTestView::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragEnter(pDataObject, dwKeyState, point);
}

BOOL CTestView::OnDrop(COleDataObject* pDataObject, DROPEFFECT, CPoint)
{
    FORMATETC formatEtc = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    STGMEDIUM stgMedium;
    if (!pDataObject->GetData(CF_BITMAP, &stgMedium, &formatEtc))
        return FALSE;
    BITMAP bm = {};
    ::GetObjectA(stgMedium.hBitmap, sizeof bm, &bm);
    m_sizeDropped = {bm.bmWidth, bm.bmHeight};
    ::ReleaseStgMedium(&stgMedium);
    return TRUE;
}

void CTestView::OnTestCommand()
{
    LogHandler("view");
}

// ---------------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CTestChildFrame, CMDIChildWnd)
    ON_COMMAND(ID_TEST_VIEW_CMD, OnTestCommand)
    ON_COMMAND(ID_TEST_DOC_CMD, OnTestCommand)
    ON_COMMAND(ID_TEST_FRAME_CMD, OnTestCommand)
END_MESSAGE_MAP()

void CTestChildFrame::OnTestCommand()
{
    LogHandler("frame");
}

IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_TEST_MAIN_CMD, OnTestCommand)
END_MESSAGE_MAP()

void CTestMainFrame::OnTestCommand()
{
    LogHandler("main");
}

// ---------------------------------------------------------------------------------------------

CMdiFixture::CMdiFixture()
{
    CTestApp& app = TestApp();
    app.m_prompts.clear();
    app.m_answers.clear();
    app.m_pLog = &m_log;
    m_pDocManager = new CTestDocManager;
    app.m_pDocManager = m_pDocManager;
    m_pTemplate = new CMultiDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChildFrame),
                                        RUNTIME_CLASS(CTestView));
    app.AddDocTemplate(m_pTemplate);
    m_pMainFrame = new CTestMainFrame;
    if (m_pMainFrame->LoadFrame(IDR_TESTMAIN))
    {
        // Left hidden: without a window manager, Wine waits for every shown top-level window to go.
        app.m_pMainWnd = m_pMainFrame;
        m_pMainFrame->MoveWindow(0, 0, 640, 480);
    }
    else
    {
        m_pMainFrame = nullptr;
    }
}

CMdiFixture::~CMdiFixture()
{
    CTestApp& app = TestApp();
    // Nothing asks any more: every document is dropped as it is.
    for (POSITION pos = m_pTemplate->GetFirstDocPosition(); pos != nullptr;)
        m_pTemplate->GetNextDoc(pos)->SetModifiedFlag(FALSE);
    app.CloseAllDocuments(FALSE);
    if (m_pMainFrame != nullptr)
        m_pMainFrame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    delete app.m_pDocManager;
    app.m_pDocManager = nullptr;
    delete app.m_pRecentFileList;
    app.m_pRecentFileList = nullptr;
    app.m_pLog = nullptr;
    // The main window's end posted a quit message meant for a message loop the tests do not run.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
    }
}

CTestDoc* CMdiFixture::NewDocument()
{
    return dynamic_cast<CTestDoc*>(m_pTemplate->OpenDocumentFile(nullptr));
}

void CMdiFixture::Command(UINT nID)
{
    m_pMainFrame->SendMessage(WM_COMMAND, nID, 0);
}

void CMdiFixture::PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
