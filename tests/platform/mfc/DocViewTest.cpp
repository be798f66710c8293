#include "DocViewTestResources.h"
#include "DocViewTestSupport.h"

#include <gtest/gtest.h>

#include <dde.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
class DocViewTest : public ::testing::Test, public CMdiFixture
{
protected:
    void SetUp() override { ASSERT_NE(m_pMainFrame, nullptr); }

    CTestView* FirstView(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        return pos != nullptr ? dynamic_cast<CTestView*>(pDoc->GetNextView(pos)) : nullptr;
    }
    CString ChildTitle(CDocument* pDoc)
    {
        CString strTitle;
        FirstView(pDoc)->GetParentFrame()->GetWindowText(strTitle);
        return strTitle;
    }
};

TEST_F(DocViewTest, MdiFrameOpensTwoDocumentWindows)
{
    CTestDoc* pFirst = NewDocument();
    CTestDoc* pSecond = NewDocument();
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    PumpMessages();

    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 2);
    EXPECT_STREQ(pFirst->GetTitle(), "TestDoc-1");
    EXPECT_STREQ(pSecond->GetTitle(), "TestDoc-2");
    EXPECT_STREQ(ChildTitle(pFirst), "TestDoc-1");
    EXPECT_EQ(pFirst->GetDocTemplate(), m_pTemplate);

    // The newest window is active, shows its view and puts the template's menu on the frame.
    CMDIChildWnd* pActive = m_pMainFrame->MDIGetActive();
    ASSERT_NE(pActive, nullptr);
    EXPECT_EQ(pActive, FirstView(pSecond)->GetParentFrame());
    EXPECT_EQ(pActive->GetActiveView(), FirstView(pSecond));
    EXPECT_EQ(pActive->GetActiveDocument(), pSecond);
    EXPECT_EQ(m_pMainFrame->GetActiveFrame(), pActive);
    EXPECT_EQ(::GetMenu(m_pMainFrame->m_hWnd), m_pTemplate->m_hMenuShared);
    CString strMainTitle;
    m_pMainFrame->GetWindowText(strMainTitle);
    EXPECT_STREQ(strMainTitle, "TestDoc-2 - Test App");

    m_pMainFrame->MDINext();
    EXPECT_EQ(m_pMainFrame->MDIGetActive()->GetActiveDocument(), pFirst);
    m_pMainFrame->MDIActivate(FirstView(pSecond)->GetParentFrame());
    EXPECT_EQ(m_pMainFrame->MDIGetActive()->GetActiveDocument(), pSecond);

    // Maximise and restore through the MDI client.
    pActive->MDIMaximize();
    BOOL bMaximized = FALSE;
    m_pMainFrame->MDIGetActive(&bMaximized);
    EXPECT_TRUE(bMaximized);
    pActive->MDIRestore();
    m_pMainFrame->MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);

    // A minimised window chosen from the window list comes back restored and active.
    CWnd* pFirstFrame = FirstView(pFirst)->GetParentFrame();
    pFirstFrame->ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(pFirstFrame->IsIconic());
    m_pMainFrame->SendMessage(WM_COMMAND, ::GetDlgCtrlID(pFirstFrame->m_hWnd));
    EXPECT_FALSE(pFirstFrame->IsIconic());
    EXPECT_EQ(m_pMainFrame->MDIGetActive(), pFirstFrame);
    m_pMainFrame->MDIActivate(FirstView(pSecond)->GetParentFrame());

    // A second window on one document numbers both windows' titles.
    Command(ID_WINDOW_NEW);
    EXPECT_STREQ(ChildTitle(pSecond), "TestDoc-2:1");
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 2);

    // Closing both documents leaves the frame with its own menu.
    pFirst->OnCloseDocument();
    pSecond->OnCloseDocument();
    PumpMessages();
    EXPECT_EQ(m_pMainFrame->MDIGetActive(), nullptr);
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 0);
    EXPECT_EQ(::GetMenu(m_pMainFrame->m_hWnd), m_pMainFrame->m_hMenuDefault);
}

TEST_F(DocViewTest, UpdateAllViewsSkipsTheSender)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    Command(ID_WINDOW_NEW);
    POSITION pos = pDoc->GetFirstViewPosition();
    auto* pFirst = dynamic_cast<CTestView*>(pDoc->GetNextView(pos));
    auto* pSecond = dynamic_cast<CTestView*>(pDoc->GetNextView(pos));
    ASSERT_NE(pSecond, nullptr);
    int nFirst = pFirst->m_nUpdates;
    int nSecond = pSecond->m_nUpdates;
    pDoc->UpdateAllViews(pFirst);
    EXPECT_EQ(pFirst->m_nUpdates, nFirst);
    EXPECT_EQ(pSecond->m_nUpdates, nSecond + 1);
}

TEST_F(DocViewTest, SaveSaveAsAndOpenGoThroughTheDocument)
{
    std::string strFirst = TempPath("docview-save.tdoc");
    std::string strSecond = TempPath("docview-saveas.tdoc");
    ::DeleteFileA(strFirst.c_str());
    ::DeleteFileA(strSecond.c_str());
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_FALSE(pDoc->IsModified());

    pDoc->m_strText = "first text";
    pDoc->SetModifiedFlag();
    // Save of a new document asks for a name first.
    m_pDocManager->m_fileNames = {strFirst};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(m_pDocManager->m_nPrompts, 1);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ(pDoc->GetPathName(), strFirst.c_str());
    EXPECT_STREQ(pDoc->GetTitle(), "docview-save.tdoc");

    // Save of a named document asks nothing.
    pDoc->m_strText = "second text";
    pDoc->SetModifiedFlag();
    Command(ID_FILE_SAVE);
    EXPECT_EQ(m_pDocManager->m_nPrompts, 1);
    EXPECT_FALSE(pDoc->IsModified());

    // Save As moves the document to the new file; a cancelled Save As changes nothing.
    m_pDocManager->m_fileNames = {""};
    pDoc->SetModifiedFlag();
    pDoc->OnFileSaveAs();
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_STREQ(pDoc->GetPathName(), strFirst.c_str());
    m_pDocManager->m_fileNames = {strSecond};
    pDoc->OnFileSaveAs();
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ(pDoc->GetPathName(), strSecond.c_str());

    // Opening a file that is open activates its document; a closed one is read back.
    EXPECT_EQ(TestApp().OpenDocumentFile(strSecond.c_str()), pDoc);
    pDoc->OnCloseDocument();
    auto* pReopened = dynamic_cast<CTestDoc*>(TestApp().OpenDocumentFile(strFirst.c_str()));
    ASSERT_NE(pReopened, nullptr);
    EXPECT_STREQ(pReopened->m_strText, "second text");
    EXPECT_FALSE(pReopened->IsModified());
    EXPECT_TRUE(TestApp().m_prompts.empty());
    ::DeleteFileA(strFirst.c_str());
    ::DeleteFileA(strSecond.c_str());
}

TEST_F(DocViewTest, ClosingAModifiedDocumentAsksToSave)
{
    std::string strPath = TempPath("docview-prompt.tdoc");
    struct Case
    {
        int nAnswer;
        const char* pszFileName;  // the Save dialog's answer, for Yes
        bool bClosed;
        bool bSaved;
    };
    const Case cases[] = {
        {IDCANCEL, "", false, false},
        {IDNO, "", true, false},
        {IDYES, strPath.c_str(), true, true},
        {IDYES, "", false, false},  // Yes, then the Save dialog cancelled: the document stays
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nAnswer);
        ::DeleteFileA(strPath.c_str());
        CTestDoc* pDoc = NewDocument();
        ASSERT_NE(pDoc, nullptr);
        pDoc->m_strText = "unsaved";
        pDoc->SetModifiedFlag();
        TestApp().m_prompts.clear();
        TestApp().m_answers = {c.nAnswer};
        m_pDocManager->m_fileNames = {c.pszFileName};
        CString strTitle = pDoc->GetTitle();
        Command(ID_FILE_CLOSE);
        ASSERT_EQ(TestApp().m_prompts.size(), 1u);
        EXPECT_EQ(TestApp().m_prompts[0], std::string("Save changes to ") + static_cast<LPCSTR>(strTitle) + "?");
        bool bOpen = false;
        for (POSITION pos = m_pTemplate->GetFirstDocPosition(); pos != nullptr;)
            bOpen = bOpen || m_pTemplate->GetNextDoc(pos) == pDoc;
        EXPECT_EQ(!bOpen, c.bClosed);
        EXPECT_EQ(::GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES, c.bSaved);
        if (bOpen)
        {
            EXPECT_TRUE(pDoc->IsModified());
            pDoc->SetModifiedFlag(FALSE);
            pDoc->OnCloseDocument();
        }
    }
    ::DeleteFileA(strPath.c_str());
}

TEST_F(DocViewTest, FailedSaveIsReportedAndKeepsTheModifiedFlag)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    pDoc->SetModifiedFlag();
    std::string strBad = TempPath("no-such-folder\\doc.tdoc");
    m_pDocManager->m_fileNames = {strBad};
    EXPECT_FALSE(pDoc->DoSave(nullptr));
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_EQ(TestApp().m_prompts.size(), 1u);

    // A save that fails half-way leaves the file saved before as it was.
    std::string strPath = TempPath("docview-keep.tdoc");
    pDoc->m_strText = "good";
    ASSERT_TRUE(pDoc->DoSave(strPath.c_str()));
    pDoc->m_strText = "lost";
    pDoc->m_bFailWrite = TRUE;
    pDoc->SetModifiedFlag();
    EXPECT_FALSE(pDoc->DoFileSave());
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(TestApp().m_prompts.size(), 2u);
    EXPECT_EQ(::GetFileAttributesA((strPath + ".saving").c_str()), INVALID_FILE_ATTRIBUTES);
    pDoc->m_bFailWrite = FALSE;
    pDoc->SetModifiedFlag(FALSE);
    pDoc->OnCloseDocument();
    auto* pReread = dynamic_cast<CTestDoc*>(TestApp().OpenDocumentFile(strPath.c_str()));
    ASSERT_NE(pReread, nullptr);
    EXPECT_STREQ(pReread->m_strText, "good");

    // The same through the close prompt: Yes with a failing save keeps the document open.
    pReread->m_bFailWrite = TRUE;
    pReread->SetModifiedFlag();
    TestApp().m_answers = {IDYES};
    EXPECT_FALSE(pReread->SaveModified());
    EXPECT_TRUE(pReread->IsModified());
    pReread->SetModifiedFlag(FALSE);
    ::DeleteFileA(strPath.c_str());
}

TEST_F(DocViewTest, OpeningAMissingOrDamagedFileFails)
{
    std::string strMissing = TempPath("docview-missing.tdoc");
    ::DeleteFileA(strMissing.c_str());
    EXPECT_EQ(TestApp().OpenDocumentFile(strMissing.c_str()), nullptr);

    // A string length that runs past the end of the file.
    std::string strDamaged = TempPath("docview-damaged.tdoc");
    {
        HANDLE hFile = ::CreateFileA(strDamaged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
        const BYTE bytes[] = {0x40, 'a', 'b'};
        DWORD nWritten = 0;
        ::WriteFile(hFile, bytes, sizeof bytes, &nWritten, nullptr);
        ::CloseHandle(hFile);
    }
    EXPECT_EQ(TestApp().OpenDocumentFile(strDamaged.c_str()), nullptr);
    EXPECT_EQ(TestApp().m_prompts.size(), 2u);
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 0);
    EXPECT_EQ(m_pMainFrame->MDIGetActive(), nullptr);
    ::DeleteFileA(strDamaged.c_str());
}

TEST_F(DocViewTest, RecentFileListFollowsSavesAndOpens)
{
    TestApp().LoadStdProfileSettings(4);
    ASSERT_NE(TestApp().m_pRecentFileList, nullptr);
    CRecentFileList& mru = *TestApp().m_pRecentFileList;
    for (int i = 0; i < mru.GetSize(); ++i)
        mru[i].Empty();

    std::string strPath = TempPath("docview-mru.tdoc");
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    ASSERT_TRUE(pDoc->DoSave(strPath.c_str()));
    EXPECT_STREQ(mru[0], strPath.c_str());

    // The File menu shows the entry in place of the placeholder, by name alone in the current folder.
    char szOldDir[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, szOldDir);
    ::SetCurrentDirectoryA(TempPath("").c_str());
    CMenu menu;
    menu.Attach(::GetSubMenu(m_pTemplate->m_hMenuShared, 0));
    m_pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.m_hMenu), 0);
    char szText[256] = {};
    ::GetMenuStringA(menu.m_hMenu, ID_FILE_MRU_FILE1, szText, sizeof szText, MF_BYCOMMAND);
    ::SetCurrentDirectoryA(szOldDir);
    EXPECT_STREQ(szText, "&1 docview-mru.tdoc");
    EXPECT_FALSE(::GetMenuState(menu.m_hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    menu.Detach();

    // Opening through the entry works; an entry whose file went away leaves the list.
    pDoc->OnCloseDocument();
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 1);
    TestApp().CloseAllDocuments(FALSE);
    ::DeleteFileA(strPath.c_str());
    Command(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(mru[0].IsEmpty());
}

TEST(RecentFileListTest, AddMovesToFrontAndDropsTheOldest)
{
    CRecentFileList mru(0, "Recent", "File%d", 3);
    for (const char* pszPath : {"C:\\a.tdoc", "C:\\b.tdoc", "C:\\c.tdoc", "C:\\b.tdoc", "C:\\d.tdoc"})
        mru.Add(pszPath);
    EXPECT_STREQ(mru[0], "C:\\d.tdoc");
    EXPECT_STREQ(mru[1], "C:\\b.tdoc");
    EXPECT_STREQ(mru[2], "C:\\c.tdoc");
    // The same file under another case is the same entry.
    mru.Add("c:\\C.TDOC");
    EXPECT_STREQ(mru[0], "c:\\C.TDOC");
    EXPECT_STREQ(mru[1], "C:\\d.tdoc");
    EXPECT_STREQ(mru[2], "C:\\b.tdoc");
    mru.Remove(0);
    EXPECT_STREQ(mru[0], "C:\\d.tdoc");
    EXPECT_TRUE(mru[2].IsEmpty());

    CString strName;
    EXPECT_TRUE(mru.GetDisplayName(strName, 0, "C:", 2));
    EXPECT_STREQ(strName, "d.tdoc");
    EXPECT_FALSE(mru.GetDisplayName(strName, 2, "C:", 2));
}

TEST_F(DocViewTest, CommandsRouteViewDocumentFrameApplication)
{
    ASSERT_NE(NewDocument(), nullptr);
    struct Case
    {
        UINT nID;
        const char* pszFirst;
    };
    const Case cases[] = {
        {ID_TEST_VIEW_CMD, "view"},       // view, document, frame and application all handle it
        {ID_TEST_DOC_CMD, "document"},    // document, frame, application
        {ID_TEST_FRAME_CMD, "frame"},     // frame, application
        {ID_TEST_APP_CMD, "app"},         // application only
        {ID_TEST_MAIN_CMD, "main"},       // the MDI frame itself
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszFirst);
        m_log.clear();
        Command(c.nID);
        ASSERT_EQ(m_log.size(), 1u);
        EXPECT_EQ(m_log[0], c.pszFirst);
    }
    // Without a document window the route is frame, then application.
    TestApp().CloseAllDocuments(FALSE);
    m_log.clear();
    Command(ID_TEST_VIEW_CMD);
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_EQ(m_log[0], "app");
}

TEST_F(DocViewTest, MenuItemsWithoutHandlerAreDisabled)
{
    ASSERT_NE(NewDocument(), nullptr);
    HMENU hTest = ::GetSubMenu(m_pTemplate->m_hMenuShared, 1);
    m_pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hTest), 1);
    EXPECT_FALSE(::GetMenuState(hTest, ID_TEST_VIEW_CMD, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hTest, ID_TEST_UNHANDLED_CMD, MF_BYCOMMAND) & MF_GRAYED);
    // Without automatic enabling, items without a handler keep their state.
    m_pMainFrame->m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(hTest, ID_TEST_UNHANDLED_CMD, MF_BYCOMMAND | MF_ENABLED);
    m_pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hTest), 1);
    EXPECT_FALSE(::GetMenuState(hTest, ID_TEST_UNHANDLED_CMD, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(DocViewTest, ChildAcceleratorsReachTheApplication)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    MSG msg = {};
    msg.hwnd = FirstView(pDoc)->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F7;
    EXPECT_TRUE(m_pMainFrame->PreTranslateMessage(&msg));
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_EQ(m_log[0], "app");
}

TEST_F(DocViewTest, ShellCommandsOpenOrCreateDocuments)
{
    std::string strPath = TempPath("docview-shell.tdoc");
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_strText = "from the shell";
    ASSERT_TRUE(pDoc->DoSave(strPath.c_str()));
    pDoc->OnCloseDocument();

    CCommandLineInfo newInfo;
    EXPECT_TRUE(TestApp().ProcessShellCommand(newInfo));
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 1);

    CCommandLineInfo openInfo;
    openInfo.ParseParam(strPath.c_str(), FALSE, TRUE);
    EXPECT_TRUE(TestApp().ProcessShellCommand(openInfo));
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 2);

    CCommandLineInfo missingInfo;
    missingInfo.ParseParam(TempPath("docview-none.tdoc").c_str(), FALSE, TRUE);
    EXPECT_FALSE(TestApp().ProcessShellCommand(missingInfo));
    ::DeleteFileA(strPath.c_str());
}

TEST(CommandLineInfoTest, ParsesFlagsAndFileNames)
{
    struct Case
    {
        std::vector<std::pair<const char*, BOOL>> params;  // text without its '/', flag
        int nShellCommand;
        const char* pszFileName;
        const char* pszPrinter;
    };
    const Case cases[] = {
        {{}, CCommandLineInfo::FileNew, "", ""},
        {{{"C:\\a.tdoc", FALSE}}, CCommandLineInfo::FileOpen, "C:\\a.tdoc", ""},
        {{{"p", TRUE}, {"C:\\a.tdoc", FALSE}}, CCommandLineInfo::FilePrint, "C:\\a.tdoc", ""},
        {{{"pt", TRUE}, {"a.tdoc", FALSE}, {"Printer", FALSE}, {"Driver", FALSE}, {"Port", FALSE}},
         CCommandLineInfo::FilePrintTo, "a.tdoc", "Printer"},
        {{{"dde", TRUE}}, CCommandLineInfo::FileDDE, "", ""},
        {{{"regserver", TRUE}}, CCommandLineInfo::AppRegister, "", ""},
        {{{"unknown", TRUE}, {"b.tdoc", FALSE}}, CCommandLineInfo::FileOpen, "b.tdoc", ""},
    };
    for (const Case& c : cases)
    {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.params.size(); ++i)
            info.ParseParam(c.params[i].first, c.params[i].second, i + 1 == c.params.size());
        EXPECT_EQ(info.m_nShellCommand, c.nShellCommand) << c.pszFileName;
        EXPECT_STREQ(info.m_strFileName, c.pszFileName);
        EXPECT_STREQ(info.m_strPrinterName, c.pszPrinter);
    }
}

TEST_F(DocViewTest, DdeOpenCommandOpensTheFile)
{
    std::string strPath = TempPath("docview-dde.tdoc");
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(pDoc, nullptr);
    ASSERT_TRUE(pDoc->DoSave(strPath.c_str()));
    pDoc->OnCloseDocument();

    // Malformed commands are refused without opening anything.
    for (const char* pszBad : {"[open(\"\")]", "[open(\"x", "[print(\"a\")]", ""})
    {
        CString strBad(pszBad);
        EXPECT_FALSE(TestApp().OnDDECommand(strBad.GetBuffer())) << pszBad;
    }
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 0);

    // WM_DDE_EXECUTE to the main frame: acknowledged to the client, then carried out.
    CWnd client;
    ASSERT_TRUE(client.CreateEx(0, AfxRegisterWndClass(0), "client", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    std::string strCommand = "[open(\"" + strPath + "\")]";
    HGLOBAL hCommand = ::GlobalAlloc(GMEM_MOVEABLE, strCommand.size() + 1);
    std::memcpy(::GlobalLock(hCommand), strCommand.c_str(), strCommand.size() + 1);
    ::GlobalUnlock(hCommand);
    m_pMainFrame->SendMessage(WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client.m_hWnd),
                              ::PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(hCommand)));
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 1);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, client.m_hWnd, WM_DDE_ACK, WM_DDE_ACK, PM_REMOVE));
    EXPECT_EQ(reinterpret_cast<HWND>(msg.wParam), m_pMainFrame->m_hWnd);
    ::FreeDDElParam(WM_DDE_ACK, msg.lParam);
    ::GlobalFree(hCommand);
    client.DestroyWindow();
    ::DeleteFileA(strPath.c_str());
}

TEST(UnixFileNameTest, MapsWindowsPathsToUnixPaths)
{
    EXPECT_STREQ(AfxGetUnixFileName("Z:\\tmp\\a.qpd"), "/tmp/a.qpd");
    EXPECT_TRUE(AfxGetUnixFileName("").IsEmpty());
    EXPECT_TRUE(AfxGetUnixFileName(nullptr).IsEmpty());

    // A file written through the Unix path is the file the Windows path names.
    std::string strWindows = TempPath("docview-unix.txt");
    CString strUnix = AfxGetUnixFileName(strWindows.c_str());
    ASSERT_FALSE(strUnix.IsEmpty());
    {
        std::ofstream out(static_cast<LPCSTR>(strUnix));
        out << "shared";
    }
    EXPECT_NE(::GetFileAttributesA(strWindows.c_str()), INVALID_FILE_ATTRIBUTES);
    ::DeleteFileA(strWindows.c_str());
}
}

namespace
{
constexpr const char* kTestRegistryKey = "QuorvalisDocViewTests";

// Reads the default value of a key below HKEY_CURRENT_USER.
std::string DefaultValue(const std::string& strKey)
{
    char szValue[MAX_PATH] = {};
    LONG cbValue = sizeof szValue;
    if (::RegQueryValueA(HKEY_CURRENT_USER, strKey.c_str(), szValue, &cbValue) != ERROR_SUCCESS)
        return "<missing>";
    return szValue;
}

// A DDE client window that records the server's acknowledgement of its initiate.
class CDdeClient : public CWnd
{
public:
    HWND m_hWndServer = nullptr;
    afx_msg LRESULT OnDdeAck(WPARAM wParam, LPARAM lParam)
    {
        m_hWndServer = reinterpret_cast<HWND>(wParam);
        ::GlobalDeleteAtom(LOWORD(lParam));
        ::GlobalDeleteAtom(HIWORD(lParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDdeClient, CWnd)
    ON_MESSAGE(WM_DDE_ACK, OnDdeAck)
END_MESSAGE_MAP()

TEST_F(DocViewTest, ShellRegistrationNamesTheDocumentTypeAndItsDdeOpen)
{
    CTestApp& app = TestApp();
    app.SetCurrentHandles(::GetModuleHandleA(nullptr), const_cast<LPSTR>(""), SW_SHOWNORMAL);
    app.EnableShellOpen();
    ASSERT_NE(app.m_atomApp, 0);
    app.RegisterShellFileTypes(TRUE);
    EXPECT_EQ(DefaultValue("Software\\Classes\\.tdoc"), "TestDoc.Document");
    EXPECT_EQ(DefaultValue("Software\\Classes\\TestDoc.Document"), "Test Document");
    EXPECT_EQ(DefaultValue("Software\\Classes\\TestDoc.Document\\shell\\open\\ddeexec"), "[open(\"%1\")]");
    EXPECT_EQ(DefaultValue("Software\\Classes\\TestDoc.Document\\shell\\open\\ddeexec\\topic"), "system");
    EXPECT_NE(DefaultValue("Software\\Classes\\TestDoc.Document\\shell\\open\\command").find("\"%1\""),
              std::string::npos);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\TestDoc.Document");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\.tdoc");

    // The main frame answers the shell's conversation on the application's system topic only.
    CDdeClient client;
    ASSERT_TRUE(client.CreateEx(0, AfxRegisterWndClass(0), "client", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    char szApp[MAX_PATH] = {};
    ::GlobalGetAtomNameA(app.m_atomApp, szApp, MAX_PATH);
    for (const char* pszTopic : {"other", "system"})
    {
        ATOM atomApp = ::GlobalAddAtomA(szApp);
        ATOM atomTopic = ::GlobalAddAtomA(pszTopic);
        m_pMainFrame->SendMessage(WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client.m_hWnd),
                                  MAKELPARAM(atomApp, atomTopic));
        ::GlobalDeleteAtom(atomApp);
        ::GlobalDeleteAtom(atomTopic);
        EXPECT_EQ(client.m_hWndServer, std::string(pszTopic) == "system" ? m_pMainFrame->m_hWnd : nullptr)
            << pszTopic;
    }
    client.DestroyWindow();
}

TEST_F(DocViewTest, RecentFilesPersistInTheSettings)
{
    CTestApp& app = TestApp();
    app.SetRegistryKey(kTestRegistryKey);
    app.LoadStdProfileSettings(4);
    app.m_pRecentFileList->Add("C:\\one.tdoc");
    app.m_pRecentFileList->Add("C:\\two.tdoc");
    app.m_pRecentFileList->WriteList();
    delete app.m_pRecentFileList;
    app.m_pRecentFileList = nullptr;

    app.LoadStdProfileSettings(4);
    CRecentFileList& mru = *app.m_pRecentFileList;
    EXPECT_STREQ(mru[0], "C:\\two.tdoc");
    EXPECT_STREQ(mru[1], "C:\\one.tdoc");
    EXPECT_TRUE(mru[2].IsEmpty());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kTestRegistryKey).c_str());
}
}

namespace
{
TEST_F(DocViewTest, FileNewAndOpenCommandsGoThroughTheApplication)
{
    std::string strPath = TempPath("docview-open.tdoc");
    Command(ID_FILE_NEW);
    ASSERT_EQ(TestApp().GetOpenDocumentCount(), 1);
    auto* pDoc = dynamic_cast<CTestDoc*>(m_pMainFrame->MDIGetActive()->GetActiveDocument());
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_strText = "opened by command";
    ASSERT_TRUE(pDoc->DoSave(strPath.c_str()));
    pDoc->OnCloseDocument();

    // A cancelled dialog opens nothing; a chosen file opens.
    m_pDocManager->m_fileNames = {"", strPath};
    Command(ID_FILE_OPEN);
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 0);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(TestApp().GetOpenDocumentCount(), 1);
    auto* pOpened = dynamic_cast<CTestDoc*>(m_pMainFrame->MDIGetActive()->GetActiveDocument());
    ASSERT_NE(pOpened, nullptr);
    EXPECT_STREQ(pOpened->m_strText, "opened by command");
    ::DeleteFileA(strPath.c_str());
}

TEST_F(DocViewTest, ClosingTheMainWindowAsksAboutEveryDocument)
{
    CTestDoc* pFirst = NewDocument();
    CTestDoc* pSecond = NewDocument();
    ASSERT_NE(pSecond, nullptr);
    pFirst->SetModifiedFlag();
    pSecond->SetModifiedFlag();

    // Cancel at the first prompt keeps everything.
    TestApp().m_answers = {IDCANCEL};
    m_pMainFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(TestApp().m_prompts.size(), 1u);
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 2);
    EXPECT_TRUE(::IsWindow(m_pMainFrame->m_hWnd));

    // No to both: the documents close and the main window goes.
    TestApp().m_prompts.clear();
    TestApp().m_answers = {IDNO, IDNO};
    m_pMainFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(TestApp().m_prompts.size(), 2u);
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 0);
    EXPECT_EQ(TestApp().m_pMainWnd, nullptr);
    m_pMainFrame = nullptr;
}
}

namespace
{
TEST_F(DocViewTest, TemplateReadsItsResourceStringAndMatchesFileTypes)
{
    const struct
    {
        CDocTemplate::DocStringIndex index;
        const char* pszText;
    } parts[] = {
        {CDocTemplate::windowTitle, ""},
        {CDocTemplate::docName, "TestDoc-"},
        {CDocTemplate::fileNewName, "TestDoc"},
        {CDocTemplate::filterName, "Test Documents (*.tdoc)"},
        {CDocTemplate::filterExt, ".tdoc"},
        {CDocTemplate::regFileTypeId, "TestDoc.Document"},
        {CDocTemplate::regFileTypeName, "Test Document"},
    };
    for (const auto& part : parts)
    {
        CString strPart;
        EXPECT_TRUE(m_pTemplate->GetDocString(strPart, part.index));
        EXPECT_STREQ(strPart, part.pszText);
    }

    CDocument* pMatch = nullptr;
    EXPECT_EQ(m_pTemplate->MatchDocType("C:\\x\\a.TDOC", pMatch), CDocTemplate::yesAttemptNative);
    EXPECT_EQ(m_pTemplate->MatchDocType("C:\\x\\a.txt", pMatch), CDocTemplate::yesAttemptForeign);
    EXPECT_EQ(pMatch, nullptr);
    EXPECT_NE(m_pTemplate->m_hMenuShared, nullptr);
    EXPECT_NE(m_pTemplate->m_hAccelTable, nullptr);
}
}
