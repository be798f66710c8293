#include "platform/mfc/Afx.h"

#include "PromptRecordingApp.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
constexpr UINT WM_APP_PING = WM_APP + 20;
constexpr LRESULT kPingAnswer = 42;
constexpr char kInternalFailure[] = "Internal application error.";

// Collects the program's debug output: OutputDebugStringA raises DBG_PRINTEXCEPTION_C, which a
// vectored handler sees before anyone else.
class CDebugOutputCapture
{
public:
    CDebugOutputCapture()
    {
        s_pActive = this;
        m_hHandler = ::AddVectoredExceptionHandler(1, &Handler);
    }
    ~CDebugOutputCapture()
    {
        ::RemoveVectoredExceptionHandler(m_hHandler);
        s_pActive = nullptr;
    }
    std::string m_text;

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* pInfo)
    {
        const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
        if (s_pActive != nullptr && pRecord->ExceptionCode == DBG_PRINTEXCEPTION_C && pRecord->NumberParameters >= 2)
            s_pActive->m_text += reinterpret_cast<const char*>(pRecord->ExceptionInformation[1]);
        return EXCEPTION_CONTINUE_SEARCH;
    }
    static CDebugOutputCapture* s_pActive;
    PVOID m_hHandler;
};
CDebugOutputCapture* CDebugOutputCapture::s_pActive = nullptr;

enum class Fault
{
    None,
    Standard,  // a std::exception
    Unknown,   // not derived from any exception class
    User,      // the framework's own "already reported" exception
};

void Raise(Fault fault)
{
    switch (fault)
    {
    case Fault::None:
        return;
    case Fault::Standard:
        throw std::runtime_error("the handler broke");
    case Fault::Unknown:
        throw 7;
    case Fault::User:
        AfxThrowUserException();
    }
}

enum class Stage
{
    Create,
    Paint,
    Ping,
};

class CFaultyWnd : public CWnd
{
public:
    Fault m_createFault = Fault::None;
    Fault m_paintFault = Fault::None;
    Fault m_pingFault = Fault::None;

    afx_msg int OnCreate(LPCREATESTRUCTA lpCreateStruct)
    {
        Raise(m_createFault);
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnPaint()
    {
        Raise(m_paintFault);
        CPaintDC dc(this);
    }
    afx_msg LRESULT OnPing(WPARAM, LPARAM)
    {
        Raise(m_pingFault);
        return kPingAnswer;
    }
    // A visible child, so that it gets WM_PAINT: only hidden windows go without an update region.
    BOOL CreateTestWindow(CWnd* pParent)
    {
        return Create(AfxRegisterWndClass(0), "fault", WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 80), pParent, 1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFaultyWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_APP_PING, OnPing)
END_MESSAGE_MAP()
}

// A handler that throws anything but a framework exception is reported (a message box and a
// trace naming the message and the cause); the message is abandoned as failed and the window
// goes on answering later messages.
TEST(WindowFaultTest, HandlerFaultsAreReportedAndTheWindowGoesOn)
{
    struct Case
    {
        const char* name;
        Stage stage;
        Fault fault;
        const char* trace;  // null: nothing traced and no message box
    } const cases[] = {
        {"create, standard", Stage::Create, Fault::Standard, "message 0x0001 for window"},
        {"create, unknown", Stage::Create, Fault::Unknown, "message 0x0001 for window"},
        {"paint, standard", Stage::Paint, Fault::Standard, "message 0x000F for window"},
        {"paint, unknown", Stage::Paint, Fault::Unknown, "message 0x000F for window"},
        {"ping, standard", Stage::Ping, Fault::Standard, "message 0x8014 for window"},
        {"ping, unknown", Stage::Ping, Fault::Unknown, "message 0x8014 for window"},
        {"ping, user exception", Stage::Ping, Fault::User, nullptr},
    };
    // One shown parent for all cases: a top-level window shown and destroyed costs seconds here.
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "faults", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    parent.ShowWindow(SW_SHOWNA);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        PromptRecordingApp().m_prompts.clear();
        CFaultyWnd wnd;
        CDebugOutputCapture output;
        switch (c.stage)
        {
        case Stage::Create:
            wnd.m_createFault = c.fault;
            EXPECT_FALSE(wnd.CreateTestWindow(&parent)) << "a failed WM_CREATE fails the creation";
            EXPECT_EQ(nullptr, wnd.m_hWnd);
            wnd.m_createFault = Fault::None;
            ASSERT_TRUE(wnd.CreateTestWindow(&parent));
            break;
        case Stage::Paint:
            ASSERT_TRUE(wnd.CreateTestWindow(&parent));
            wnd.m_paintFault = c.fault;
            wnd.Invalidate(FALSE);
            ASSERT_TRUE(wnd.GetUpdateRect(nullptr, FALSE));
            wnd.SendMessage(WM_PAINT);
            EXPECT_FALSE(wnd.GetUpdateRect(nullptr, FALSE)) << "the failed paint leaves the window validated";
            break;
        case Stage::Ping:
            ASSERT_TRUE(wnd.CreateTestWindow(&parent));
            wnd.m_pingFault = c.fault;
            EXPECT_EQ(0, wnd.SendMessage(WM_APP_PING));
            break;
        }
        if (c.trace != nullptr)
        {
            EXPECT_EQ(std::vector<std::string>{kInternalFailure}, PromptRecordingApp().m_prompts);
            EXPECT_NE(std::string::npos, output.m_text.find(c.trace)) << output.m_text;
            const char* cause = c.fault == Fault::Standard ? "the handler broke" : "unknown type";
            EXPECT_NE(std::string::npos, output.m_text.find(cause)) << output.m_text;
        }
        else
        {
            EXPECT_TRUE(PromptRecordingApp().m_prompts.empty());
            EXPECT_EQ("", output.m_text);
        }

        wnd.m_pingFault = Fault::None;
        EXPECT_EQ(kPingAnswer, wnd.SendMessage(WM_APP_PING)) << "the window goes on";
        wnd.DestroyWindow();
    }
}
