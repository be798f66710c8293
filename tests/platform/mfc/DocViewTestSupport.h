#pragma once
// The application, document, views and frames the document/view tests share.
#include "platform/mfc/Afx.h"

#include <string>
#include <vector>

// Answers message boxes and file dialogs from queues instead of showing them, and records the
// command handlers that ran.
class CTestApp : public CWinApp
{
public:
    CTestApp();
    int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    std::vector<std::string> m_prompts;
    std::vector<int> m_answers;  // given in order; IDOK once they run out
    std::vector<std::string>* m_pLog = nullptr;

    // Each level of the command route handles the test commands from its own level on up, so
    // that the first handler that runs tells where routing reached first.
    afx_msg void OnTestCommand();
    DECLARE_MESSAGE_MAP()
};
CTestApp& TestApp();
// Records that a level's handler ran.
void LogHandler(const char* pszLevel);

// Takes the file dialogs' answers from a queue: an empty answer is a cancelled dialog.
class CTestDocManager : public CDocManager
{
public:
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate) override;
    std::vector<std::string> m_fileNames;
    int m_nPrompts = 0;
};

// A document of one line of text.
class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    CString m_strText;
    BOOL m_bFailWrite = FALSE;  // storing throws half-way, as a full disk would
    afx_msg void OnTestCommand();
    DECLARE_MESSAGE_MAP()
};

// A scroll view that paints its document's area black on white and records what reaches it.
class CTestView : public CScrollView
{
    DECLARE_DYNCREATE(CTestView)
public:
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    // Each page shows a black square of a tenth of the page at its page number's tenth across.
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    // A bitmap is copied; nothing else is taken.
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

    int m_nUpdates = 0;
    UINT m_nPrintPages = 2;
    std::vector<UINT> m_printedPages;
    SIZE m_sizeDropped = {0, 0};  // the bitmap of the last drop

    afx_msg void OnTestCommand();
    DECLARE_MESSAGE_MAP()
};

class CTestChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CTestChildFrame)
public:
    afx_msg void OnTestCommand();
    DECLARE_MESSAGE_MAP()
};

class CTestMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CTestMainFrame)
public:
    afx_msg void OnTestCommand();
    DECLARE_MESSAGE_MAP()
};

// Shared by the fixtures: a main MDI frame with the test template and a document manager that
// answers file dialogs. Tear-down closes every document without asking.
class CMdiFixture
{
public:
    CMdiFixture();
    ~CMdiFixture();
    CTestDoc* NewDocument();
    // Sends a command as a menu would.
    void Command(UINT nID);
    // Lets queued messages (posted activations, repaints) run.
    static void PumpMessages();

    CTestMainFrame* m_pMainFrame = nullptr;
    CMultiDocTemplate* m_pTemplate = nullptr;
    CTestDocManager* m_pDocManager = nullptr;
    std::vector<std::string> m_log;
};

// A writable Windows path in the temporary folder.
std::string TempPath(const char* pszName);
