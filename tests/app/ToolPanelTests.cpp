// The tool option panels' list and the notifications of the main frame that walk it, and the
// panel bars that hand application messages to the active stage.
#include "EditorSessionSupport.h"

#include "app/FlashEditorControlBar.h"
#include "app/FlashEditorMainFrame.h"
#include "app/panels/FlashEditorTool.h"
#include "stage/FlashEditorView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct CNotice {
    int panel;
    std::string kind;
    CFlashEditorView* view;
    bool operator==(const CNotice& other) const
    {
        return panel == other.panel && kind == other.kind && view == other.view;
    }
};

// Records what reaches it; the base's forwarding to RefreshFromView is what it records.
class CRecordingPanel : public CFlashEditorTool {
public:
    CRecordingPanel(int nPanel, std::vector<CNotice>& log) : CFlashEditorTool(0, nullptr), m_nPanel(nPanel), m_log(log) {}
    void RefreshFromView(CFlashEditorView* pView) override { m_log.push_back({m_nPanel, m_kind, pView}); }
    void OnSelectionChanged(CFlashEditorView* pView) override { Record("selection", pView); }
    void OnDocumentChanged(CFlashEditorView* pView) override { Record("document", pView); }
    void OnStyleChanged(CFlashEditorView* pView) override { Record("style", pView); }

private:
    void Record(const char* kind, CFlashEditorView* pView)
    {
        m_kind = kind;
        CFlashEditorTool::OnSelectionChanged(pView);
    }
    int m_nPanel;
    std::vector<CNotice>& m_log;
    std::string m_kind;
};

bool Listed(const CFlashEditorTool* pPanel)
{
    return std::find(g_ToolPanels.begin(), g_ToolPanels.end(), pPanel) != g_ToolPanels.end();
}

TEST(ToolPanelList, HoldsLivePanelsInConstructionOrder)
{
    std::vector<CNotice> log;
    const size_t before = g_ToolPanels.size();
    CRecordingPanel first(1, log);
    auto* pGone = new CRecordingPanel(2, log);
    CRecordingPanel last(3, log);
    ASSERT_EQ(g_ToolPanels.size(), before + 3);
    EXPECT_EQ(g_ToolPanels[before], &first);
    EXPECT_EQ(g_ToolPanels[before + 2], &last);
    EXPECT_FALSE(first.updating);

    delete pGone;
    EXPECT_FALSE(Listed(pGone));
    ASSERT_EQ(g_ToolPanels.size(), before + 2);
    EXPECT_EQ(g_ToolPanels[before + 1], &last);
}

TEST_F(EditorSession, NotificationsReachEveryPanelInListOrder)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    CFlashEditorView* pActive = pMain->GetActiveStageView();
    ASSERT_NE(pActive, nullptr);
    std::vector<CNotice> log;
    CRecordingPanel first(1, log);
    { CRecordingPanel gone(9, log); }
    CRecordingPanel second(2, log);

    struct Case {
        void (CFlashEditorMainFrame::*notify)(CFlashEditorView*);
        const char* kind;
    };
    const Case cases[] = {
        {&CFlashEditorMainFrame::NotifySelectionChanged, "selection"},
        {&CFlashEditorMainFrame::NotifyDocumentChanged, "document"},
        {&CFlashEditorMainFrame::NotifyStyleChanged, "style"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        log.clear();
        // Null stands for the active stage view.
        (pMain->*c.notify)(nullptr);
        const std::vector<CNotice> expected = {{1, c.kind, pActive}, {2, c.kind, pActive}};
        EXPECT_EQ(log, expected);
    }

    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    log.clear();
    for (const Case& c : cases)
        (pMain->*c.notify)(nullptr);
    EXPECT_TRUE(log.empty()) << "no view, no notification";
}

// The windows a message was sent to, from a hook on this thread.
class CSentMessageLog {
public:
    explicit CSentMessageLog(UINT message)
    {
        s_message = message;
        s_windows.clear();
        m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~CSentMessageLog() { ::UnhookWindowsHookEx(m_hHook); }
    const std::vector<HWND>& Windows() const { return s_windows; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && pMsg->message == s_message)
            s_windows.push_back(pMsg->hwnd);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline UINT s_message = 0;
    static inline std::vector<HWND> s_windows;
    HHOOK m_hHook = nullptr;
};

TEST_F(EditorSession, RegisteredMessageToAPanelBarReachesTheActiveStageOnly)
{
    CFlashEditorMainFrame* pMain = MainFrame();
    auto* pBar = dynamic_cast<CFlashEditorControlBar*>(pMain->GetControlBar(ID_VIEW_SHAPE));
    ASSERT_NE(pBar, nullptr);
    const UINT message = ::RegisterWindowMessageA("QuorvalisPanelProbe");
    const HWND hStage = pMain->GetActiveStageView()->GetSafeHwnd();
    {
        CSentMessageLog sent(message);
        pBar->SendMessage(message, 1, 2);
        const std::vector<HWND> expected = {pBar->GetSafeHwnd(), hStage};
        EXPECT_EQ(sent.Windows(), expected);
    }

    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    CSentMessageLog sent(message);
    pBar->SendMessage(message, 1, 2);
    const std::vector<HWND> expected = {pBar->GetSafeHwnd()};
    EXPECT_EQ(sent.Windows(), expected) << "without a document window the bar answers itself";
}

} // namespace
