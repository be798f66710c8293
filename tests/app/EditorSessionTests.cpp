// The editor started in this process: its document window, its commands as the menus and keys
// reach them, saving and reopening through the file dialogs, and shell open by DDE.
#include "EditorSessionSupport.h"

#include "app/FlashEditorChildFrame.h"
#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"
#include "resources/app/AppResources.h"
#include "stage/FlashEditorView.h"
#include "tests/support/ScreenImage.h"
#include "timeline/MovieControlGridView.h"

#include "platform/mfc/PreviewView.h"
#include "platform/mfc/RecentFileList.h"

#include <gtest/gtest.h>

#include <dde.h>
#include <tlhelp32.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

TEST_F(EditorSession, NewDocumentHasTimelineAboveStageAndNothingToUndo)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    CFlashEditorChildFrame* pChild = pMain->GetActiveChildFrame();
    ASSERT_NE(pChild, nullptr);
    CFlashEditorView* pStage = pMain->GetActiveStageView();
    CMovieControlGridView* pTimeline = pMain->GetActiveTimelineView();
    ASSERT_NE(pStage, nullptr);
    ASSERT_NE(pTimeline, nullptr);
    EXPECT_EQ(pChild->GetStageView(), pStage);
    CRect timeline;
    CRect stage;
    pTimeline->GetWindowRect(&timeline);
    pStage->GetWindowRect(&stage);
    EXPECT_EQ(timeline.Height(), C3WaySplitterFrame::kTimelineHeight);
    EXPECT_LT(timeline.bottom, stage.top + 1);

    const CCommandState undo = QueryCommand(ID_EDIT_UNDO);
    EXPECT_EQ(undo.text, "Can't Undo");
    EXPECT_FALSE(undo.enabled);
    EXPECT_EQ(QueryCommand(ID_EDIT_REDO).text, "Can't Redo");
    EXPECT_FALSE(ActiveDocument()->IsModified());
    EXPECT_EQ(ActiveDocument()->GetUndoManager().GetStepCount(), 1);

    pMain->ShowWindow(SW_SHOW);
    pMain->UpdateWindow();
    PumpMessages();
    SaveWindowPng(pMain->GetSafeHwnd(), "editor-start.png");
}

TEST_F(EditorSession, UpdateStatesFollowTheDocument)
{
    struct Case {
        const char* what;
        UINT id;
        bool enabled;
    };
    // One layer, nothing selected, not playing.
    const Case cases[] = {
        {"copy without a selection", ID_EDIT_COPY, false},
        {"cut without a selection", ID_EDIT_CUT, false},
        {"remove the only layer", ID_REMOVE_LAYER, false},
        {"insert a layer", ID_INSERT_LAYER, true},
        {"zoom in, forwarded to the stage", ID_VIEW_ZOOM_IN, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QueryCommand(c.id).enabled, c.enabled) << c.what;

    ActiveDocument()->SetPlaying(true);
    EXPECT_FALSE(QueryCommand(ID_VIEW_ZOOM_IN).enabled) << "zoom while playing";
    EXPECT_TRUE(QueryCommand(ID_INSERT_LAYER).enabled) << "insert layer while playing";
    ActiveDocument()->SetPlaying(false);
}

TEST_F(EditorSession, LayerCommandsAreUndoneByName)
{
    SendCommand(ID_INSERT_LAYER);
    EXPECT_EQ(ActiveDocument()->GetLayerCount(), 2);
    EXPECT_EQ(QueryCommand(ID_EDIT_UNDO).text, "&Undo Insert Layer");
    EXPECT_TRUE(QueryCommand(ID_REMOVE_LAYER).enabled);

    SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(ActiveDocument()->GetLayerCount(), 1);
    EXPECT_EQ(QueryCommand(ID_EDIT_UNDO).text, "Can't Undo");
    EXPECT_EQ(QueryCommand(ID_EDIT_REDO).text, "&Redo Insert Layer");

    SendCommand(ID_EDIT_REDO);
    EXPECT_EQ(ActiveDocument()->GetLayerCount(), 2);
    EXPECT_EQ(ActiveDocument()->GetTitle().Find("Untitled-"), 0);
}

// Presses Enter in the about box once it shows; the box's window, null when none showed.
DWORD WINAPI PressEnterInAboutBox(void* pFound)
{
    constexpr int kAttempts = 200;
    constexpr DWORD kPollMs = 25;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        HWND hBox = ::FindWindowA(nullptr, "About");
        if (hBox != nullptr && ::IsWindowVisible(hBox)) {
            *static_cast<HWND*>(pFound) = hBox;
            ::PostMessageA(::GetDlgItem(hBox, IDOK), WM_KEYDOWN, VK_RETURN, 1);
            return 1;
        }
        ::Sleep(kPollMs);
    }
    return 0;
}

TEST_F(EditorSession, F10OpensAboutAndNextPaneKeysDoNothing)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    HWND hBox = nullptr;
    HANDLE hThread = ::CreateThread(nullptr, 0, PressEnterInAboutBox, &hBox, 0, nullptr);
    MSG key = {pMain->GetSafeHwnd(), WM_KEYDOWN, VK_F10, 0, 0, {0, 0}};
    EXPECT_TRUE(pMain->PreTranslateMessage(&key));
    ::WaitForSingleObject(hThread, INFINITE);
    ::CloseHandle(hThread);
    PumpMessages();
    EXPECT_NE(hBox, nullptr) << "F10 opened the about box";
    EXPECT_FALSE(::IsWindow(hBox)) << "Enter closed it";

    // F6 as its accelerator sends it: the focus stays where it is.
    CFlashEditorView* pStage = pMain->GetActiveStageView();
    pStage->SetFocus();
    pMain->GetActiveChildFrame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_NEXT_PANE, 1), 0);
    pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_PREV_PANE, 1), 0);
    EXPECT_EQ(::GetFocus(), pStage->GetSafeHwnd());
}

// Ends the browser servers that a help command started, so that none outlives the test.
void EndBrowserProcesses()
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
        if (::lstrcmpiA(entry.szExeFile, "iexplore.exe") != 0)
            continue;
        if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
            ::TerminateProcess(process, 0);
            ::CloseHandle(process);
        }
    }
    ::CloseHandle(snapshot);
}

TEST_F(EditorSession, HelpTopicsReturnsAtOnceAndNamesTheAddressWithoutABrowser)
{
    // The help page opens in a browser of its own, or a message gives its address; either way
    // the editor goes on at once: well before a browser's session could end, with room for
    // starting one on a busy machine.
    constexpr DWORD kAtOnceMs = 10000;
    SessionApp().m_messages.clear();
    const DWORD start = ::GetTickCount();
    SendCommand(ID_HELP_TOPICS);
    EXPECT_LT(::GetTickCount() - start, kAtOnceMs);
    EndBrowserProcesses();
    ASSERT_LE(SessionApp().m_messages.size(), 1u);
    if (!SessionApp().m_messages.empty()) {
        EXPECT_NE(SessionApp().m_messages[0].find(kHelpPageAddress), std::string::npos);
    }
}

std::vector<CControlBar*> VisibleBars(CFrameWnd* pFrame)
{
    std::vector<CControlBar*> bars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (!pBar->IsDockBar() && pBar->IsWindowVisible())
            bars.push_back(pBar);
    }
    return bars;
}

TEST_F(EditorSession, PrintPreviewShowsTheActivePaneAndGivesTheWindowBack)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    CFlashEditorChildFrame* pChild = pMain->GetActiveChildFrame();
    ASSERT_NE(pChild, nullptr);
    struct Case {
        const char* pane;
        CView* view;
        const char* screen;
    };
    const Case cases[] = {
        {"stage", pMain->GetActiveStageView(), "print-preview-stage.png"},
        {"timeline", pMain->GetActiveTimelineView(), "print-preview-timeline.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pane);
        ASSERT_NE(c.view, nullptr);
        pChild->SetActiveView(c.view);
        CControlBar* pToolBar = pMain->GetControlBar(AFX_IDW_TOOLBAR);
        ASSERT_NE(pToolBar, nullptr);
        const std::vector<CControlBar*> shown = VisibleBars(pMain);
        ASSERT_FALSE(shown.empty());
        SendCommand(ID_FILE_PRINT_PREVIEW);
        PumpMessages();
        EXPECT_TRUE(VisibleBars(pMain).empty()) << "the bars make room for the preview";
        auto* pPreview = dynamic_cast<CPreviewView*>(pChild->GetActiveView());
        ASSERT_NE(pPreview, nullptr);
        EXPECT_EQ(pPreview->m_pPrintView, c.view);
        EXPECT_EQ(pPreview->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
        EXPECT_FALSE(::IsWindowVisible(c.view->GetSafeHwnd()));
        pMain->UpdateWindow();
        SaveWindowPng(pMain->GetSafeHwnd(), c.screen);

        pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0);
        PumpMessages();
        EXPECT_EQ(pChild->GetActiveView(), c.view);
        EXPECT_EQ(VisibleBars(pMain), shown) << "the same bars come back";
        EXPECT_TRUE(::IsWindowVisible(pMain->GetActiveStageView()->GetSafeHwnd()));
        EXPECT_TRUE(::IsWindowVisible(pMain->GetActiveTimelineView()->GetSafeHwnd()));
    }
    EXPECT_TRUE(SessionApp().m_messages.empty());
}

TEST_F(EditorSession, SaveCloseAndReopenFromTheRecentList)
{
    const std::string path = TempPath("session-save.qpd");
    std::filesystem::remove(UnixPath(path));
    SendCommand(ID_INSERT_LAYER);
    {
        CFileDialogAnswer answer(path);
        SendCommand(ID_FILE_SAVE);
        EXPECT_TRUE(answer.Answered());
    }
    ASSERT_TRUE(std::filesystem::exists(UnixPath(path)));
    EXPECT_FALSE(ActiveDocument()->IsModified());

    SendCommand(ID_FILE_CLOSE);
    EXPECT_EQ(DocumentWindowCount(), 0);
    EXPECT_EQ(MainFrame()->GetActiveStageView(), nullptr);

    SendCommand(ID_FILE_MRU_FILE1);
    ASSERT_NE(ActiveDocument(), nullptr);
    EXPECT_EQ(ActiveDocument()->GetLayerCount(), 2);
    EXPECT_EQ(QueryCommand(ID_EDIT_UNDO).text, "Can't Undo");
    EXPECT_TRUE(SessionApp().m_messages.empty());
}

TEST_F(EditorSession, RecentFileThatNoLongerOpensShowsTheMessageAndLeavesTheList)
{
    const std::string path = TempPath("session-vanishing.qpd");
    std::filesystem::remove(UnixPath(path));
    {
        CFileDialogAnswer answer(path);
        SendCommand(ID_FILE_SAVE);
    }
    SendCommand(ID_FILE_CLOSE);
    std::filesystem::remove(UnixPath(path));

    SendCommand(ID_FILE_MRU_FILE1);
    ASSERT_EQ(SessionApp().m_messages.size(), 1u);
    EXPECT_EQ(SessionApp().m_messages[0], "Error openning file " + path + "!");
    EXPECT_EQ(DocumentWindowCount(), 0);
    CRecentFileList* pList = SessionApp().m_pRecentFileList;
    ASSERT_NE(pList, nullptr);
    EXPECT_NE((*pList)[0], CString(path.c_str()));
}

TEST_F(EditorSession, ExportAnimationWritesGifAndReportsAnUnwritableTarget)
{
    struct Case {
        const char* path;
        bool written;
        int messages;
    };
    const Case cases[] = {
        {"session-export.GIF", true, 0},
        {"no-such-folder\\session-export.gif", false, 1},
    };
    for (const Case& c : cases)
    {
        SessionApp().m_messages.clear();
        const std::string path = TempPath(c.path);
        std::filesystem::remove(UnixPath(path));
        {
            CFileDialogAnswer answer(path);
            SendCommand(ID_EXPORT_ANIMATION);
        }
        EXPECT_EQ(std::filesystem::exists(UnixPath(path)), c.written) << c.path;
        EXPECT_EQ(int(SessionApp().m_messages.size()), c.messages) << c.path;
        if (c.written)
        {
            std::ifstream file(UnixPath(path), std::ios::binary);
            char signature[6] = {};
            file.read(signature, 6);
            EXPECT_EQ(std::string(signature, 6), "GIF89a") << "a capital extension is still a GIF";
        }
    }
}

TEST_F(EditorSession, ExportFlashMovieWritesAMovie)
{
    const std::string path = TempPath("session-export.swf");
    std::filesystem::remove(UnixPath(path));
    {
        CFileDialogAnswer answer(path);
        SendCommand(ID_EXPORT_FLASH_MOVIE);
    }
    std::ifstream file(UnixPath(path), std::ios::binary);
    char signature[3] = {};
    file.read(signature, 3);
    EXPECT_EQ(std::string(signature, 3), "FWS");
    EXPECT_TRUE(SessionApp().m_messages.empty());
}

// A DDE client window that keeps the acknowledgement it receives.
class CDDEClient {
public:
    CDDEClient()
    {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = &CDDEClient::Proc;
        cls.hInstance = ::GetModuleHandleA(nullptr);
        cls.lpszClassName = "EditorDDEClient";
        ::RegisterClassA(&cls);
        m_hWnd = ::CreateWindowA("EditorDDEClient", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
        s_status = -1;
    }
    ~CDDEClient() { ::DestroyWindow(m_hWnd); }
    // Sends the block; whether an acknowledgement came back.
    bool Execute(HGLOBAL block)
    {
        s_status = -1;
        MainFrame()->SendMessage(WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(m_hWnd),
                                 ::PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(block)));
        PumpMessages();
        return s_status != -1;
    }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_DDE_ACK)
        {
            UINT_PTR low = 0;
            UINT_PTR high = 0;
            ::UnpackDDElParam(WM_DDE_ACK, lParam, &low, &high);
            ::FreeDDElParam(WM_DDE_ACK, lParam);
            s_status = int(low & 0x8000);
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd = nullptr;
    static int s_status;
};
int CDDEClient::s_status = -1;

HGLOBAL TextBlock(const std::string& text, bool terminated = true)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + (terminated ? 1 : 0));
    char* bytes = static_cast<char*>(::GlobalLock(block));
    memcpy(bytes, text.data(), text.size());
    if (terminated)
        bytes[text.size()] = '\0';
    ::GlobalUnlock(block);
    return block;
}

TEST_F(EditorSession, ShellOpenByDDEOpensOnlyWhatItCanRead)
{
    const std::string path = TempPath("session-dde.qpd");
    std::filesystem::remove(UnixPath(path));
    {
        CFileDialogAnswer answer(path);
        SendCommand(ID_FILE_SAVE);
    }
    SendCommand(ID_FILE_CLOSE);

    struct Case {
        const char* what;
        std::string text;
        bool terminated;
        int windows;
        int messages;
    };
    const Case cases[] = {
        {"garbage", "[nonsense(", true, 0, 0},
        {"600 characters", "[open(\"" + path + "\")]" + std::string(600, ' '), true, 0, 0},
        {"missing file", "[open(\"" + TempPath("missing.qpd") + "\")]", true, 0, 1},
        {"an open", "[open(\"" + path + "\")]", true, 1, 0},
        {"an unterminated block, read within its size", "[open(\"" + path + "\")]", false, 1, 0},
    };
    CDDEClient client;
    for (const Case& c : cases)
    {
        SessionApp().CloseAllDocuments(FALSE);
        SessionApp().m_messages.clear();
        HGLOBAL block = TextBlock(c.text, c.terminated);
        EXPECT_TRUE(client.Execute(block)) << c.what;
        EXPECT_EQ(DocumentWindowCount(), c.windows) << c.what;
        EXPECT_EQ(int(SessionApp().m_messages.size()), c.messages) << c.what;
        ::GlobalFree(block);
    }
}

TEST(DDECommandText, IsReadWithinTheBlockAndBelowTheLimit)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool accepted;
        std::string command;
    };
    const Case cases[] = {
        {"terminated", std::string("[open(\"a.qpd\")]\0tail", 20), true, "[open(\"a.qpd\")]"},
        {"unterminated", "[open(\"b.qpd\")]", true, "[open(\"b.qpd\")]"},
        {"519 characters", std::string(519, 'a'), true, std::string(519, 'a')},
        {"520 characters", std::string(520, 'a'), false, ""},
    };
    for (const Case& c : cases)
    {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, c.bytes.size());
        memcpy(::GlobalLock(block), c.bytes.data(), c.bytes.size());
        ::GlobalUnlock(block);
        CString command;
        EXPECT_EQ(CFlashEditorMainFrame::ReadDDECommand(block, command), c.accepted) << c.what;
        EXPECT_EQ(std::string(command.GetString()), c.command) << c.what;
        // The block is unlocked again on every path.
        EXPECT_EQ(::GlobalFlags(block) & GMEM_LOCKCOUNT, 0u) << c.what;
        ::GlobalFree(block);
    }
}

TEST(ExportExtension, GifIsRecognisedInAnyCase)
{
    struct Case {
        const char* path;
        bool gif;
    };
    const Case cases[] = {
        {"x.gif", true}, {"x.GIF", true}, {"x.Gif", true}, {"x.avi", false}, {"gif", false}, {"x.gif.avi", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFlashEditorDoc::HasGifExtension(c.path), c.gif) << c.path;
}

} // namespace
