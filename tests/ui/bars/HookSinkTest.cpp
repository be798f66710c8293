#include "ui/bars/ExtHookSink.h"

#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr UINT WM_PROBE = WM_APP + 1;
constexpr LRESULT kOwnResult = 7;
constexpr char kClassName[] = "HookSinkTestWindow";

// What the window's own procedure saw.
struct OwnLog
{
    std::vector<UINT> messages;
    WPARAM wParamProbe = 0;
    bool bOwnProcAtNcDestroy = false;
};
OwnLog g_own;

LRESULT CALLBACK OwnProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_PROBE || nMessage == WM_NCDESTROY)
        g_own.messages.push_back(nMessage);
    if (nMessage == WM_PROBE)
    {
        g_own.wParamProbe = wParam;
        return kOwnResult;
    }
    if (nMessage == WM_NCDESTROY)
        g_own.bOwnProcAtNcDestroy =
            ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&OwnProc);
    return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

HWND CreateTestWindow()
{
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &OwnProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return ::RegisterClassA(&wc);
    }();
    EXPECT_NE(atom, 0);
    return ::CreateWindowExA(0, kClassName, "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

bool IsSubclassed(HWND hWnd)
{
    return ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CExtHookSink::HookChainsWindowProc);
}

CExtHookSink::HookChains_t* ChainOf(HWND hWnd)
{
    CExtHookSink::HookChains_t* pChains = nullptr;
    return CExtHookSink::g_HookChainsMap.Lookup(hWnd, pChains) ? pChains : nullptr;
}

// A sink that writes what reaches it into a shared log and may consume the probe message or
// run an action while it handles it.
class CLoggingSink : public CExtHookSink
{
public:
    CLoggingSink(std::string strName, std::vector<std::string>& log) : m_strName(std::move(strName)), m_log(log) {}
    ~CLoggingSink() override { UnhookAllWindows(); }

    bool DispatchHookedMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override
    {
        if (nMessage != WM_PROBE)
            return CExtHookSink::DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam);
        m_log.push_back(m_strName);
        m_wParamSeen = wParam;
        m_currentMessageSeen = *CWnd::GetCurrentMessage();
        if (m_action)
            m_action();
        if (m_nAddToWParam != 0)
            wParam += m_nAddToWParam;
        if (m_bConsume)
            lResult = m_lConsumeResult;
        return m_bConsume;
    }
    void HandleHookedNcDestroy() override { m_log.push_back(m_strName + ":ncdestroy"); }
    void OnWindowHooked(HWND) override { ++m_nHooked; }
    void OnWindowUnhooked(HWND) override { ++m_nUnhooked; }

    std::string m_strName;
    std::vector<std::string>& m_log;
    bool m_bConsume = false;
    LRESULT m_lConsumeResult = 0;
    WPARAM m_nAddToWParam = 0;
    std::function<void()> m_action;
    WPARAM m_wParamSeen = 0;
    MSG m_currentMessageSeen{};
    int m_nHooked = 0;
    int m_nUnhooked = 0;
};

class HookSinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_own = OwnLog{};
        m_hWnd = CreateTestWindow();
        ASSERT_NE(m_hWnd, nullptr);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        EXPECT_EQ(ChainOf(m_hWnd), nullptr);
    }
    LRESULT Probe(WPARAM wParam = 0) { return ::SendMessageA(m_hWnd, WM_PROBE, wParam, 0); }

    HWND m_hWnd = nullptr;
    std::vector<std::string> m_log;
};

TEST_F(HookSinkTest, AttachingAndDetaching)
{
    CLoggingSink sink("a", m_log);
    struct Case
    {
        const char* what;
        HWND hWnd;
        bool bRemove;
        bool bExpected;
        int nHooked;
        int nUnhooked;
        bool bHooking;
    };
    const HWND hDead = CreateTestWindow();
    ::DestroyWindow(hDead);
    const Case cases[] = {
        {"detach before attaching: nothing to do", m_hWnd, true, true, 0, 0, false},
        {"attach a null window", nullptr, false, false, 0, 0, false},
        {"attach a destroyed window", hDead, false, false, 0, 0, false},
        {"detach a null window", nullptr, true, false, 0, 0, false},
        {"attach", m_hWnd, false, true, 1, 0, true},
        {"attach again: no second entry or notification", m_hWnd, false, true, 1, 0, true},
        {"detach", m_hWnd, true, true, 1, 1, false},
        {"detach again", m_hWnd, true, true, 1, 1, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(sink.HookWindow(c.hWnd, c.bRemove), c.bExpected);
        EXPECT_EQ(sink.m_nHooked, c.nHooked);
        EXPECT_EQ(sink.m_nUnhooked, c.nUnhooked);
        EXPECT_EQ(sink.IsHookingWindow(m_hWnd), c.bHooking);
        if (CExtHookSink::HookChains_t* pChains = ChainOf(m_hWnd))
        {
            EXPECT_EQ(pChains->m_HookSinkArray.GetSize(), c.bHooking ? 1 : 0);
        }
    }
    EXPECT_EQ(ChainOf(hDead), nullptr);
}

TEST_F(HookSinkTest, ChainOrderConsumptionAndParameters)
{
    struct Case
    {
        const char* what;
        int nConsumer;  // index into a, b, c; -1 for none
        std::vector<std::string> expectedLog;
        LRESULT expectedResult;
        bool bOwnProcSees;
    };
    const Case cases[] = {
        {"nobody consumes: head first, appended last, then the window", -1, {"b", "a", "c"}, kOwnResult, true},
        {"the head consumes", 0, {"b"}, 42, false},
        {"the last sink consumes", 2, {"b", "a", "c"}, 42, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        m_log.clear();
        g_own.messages.clear();
        CLoggingSink a("a", m_log);
        CLoggingSink b("b", m_log);
        CLoggingSink c2("c", m_log);
        ASSERT_TRUE(a.HookWindow(m_hWnd));
        ASSERT_TRUE(b.HookWindow(m_hWnd, false, true));
        ASSERT_TRUE(c2.HookWindow(m_hWnd));
        CLoggingSink* byChain[] = {&b, &a, &c2};
        for (CLoggingSink* pSink : byChain)
            pSink->m_nAddToWParam = 1;
        if (c.nConsumer >= 0)
        {
            byChain[c.nConsumer]->m_bConsume = true;
            byChain[c.nConsumer]->m_lConsumeResult = 42;
        }
        EXPECT_EQ(Probe(100), c.expectedResult);
        EXPECT_EQ(m_log, c.expectedLog);
        EXPECT_EQ(!g_own.messages.empty(), c.bOwnProcSees);
        // Each sink sees what the sinks before it made of WPARAM, and so does the window.
        for (size_t i = 0; i < c.expectedLog.size(); ++i)
            EXPECT_EQ(byChain[i]->m_wParamSeen, 100 + i);
        if (c.bOwnProcSees)
        {
            EXPECT_EQ(g_own.wParamProbe, 103u);
        }
    }
}

TEST_F(HookSinkTest, CurrentMessageAndSavedProcedure)
{
    CLoggingSink sink("a", m_log);
    ASSERT_TRUE(sink.HookWindow(m_hWnd));
    LRESULT lSaved = 0;
    LRESULT lSavedForCurrent = 0;
    sink.m_action = [&] {
        lSaved = sink.CallSavedProc(WM_PROBE, 5, 0);
        lSavedForCurrent = sink.CallSavedProcForCurrentMessage();
    };
    sink.m_bConsume = true;
    sink.m_lConsumeResult = 1;
    const MSG before = *CWnd::GetCurrentMessage();
    EXPECT_EQ(Probe(9), 1);
    EXPECT_EQ(sink.m_currentMessageSeen.hwnd, m_hWnd);
    EXPECT_EQ(sink.m_currentMessageSeen.message, WM_PROBE);
    EXPECT_EQ(sink.m_currentMessageSeen.wParam, 9u);
    // The sink reaches the window's own procedure, which answers as it always does.
    EXPECT_EQ(lSaved, kOwnResult);
    EXPECT_EQ(lSavedForCurrent, kOwnResult);
    EXPECT_EQ(g_own.wParamProbe, 9u);
    // The framework's record is back as it was once the message is done.
    const MSG* pAfter = CWnd::GetCurrentMessage();
    EXPECT_EQ(pAfter->hwnd, before.hwnd);
    EXPECT_EQ(pAfter->message, before.message);
    // Outside a hooked message there is no saved procedure to call.
    EXPECT_EQ(sink.CallSavedProc(WM_PROBE, 0, 0), 0);
}

TEST_F(HookSinkTest, DispatchRoutesToTheHandlers)
{
    // Records which handler a message reached and with what.
    class CRoutingSink : public CExtHookSink
    {
    public:
        explicit CRoutingSink(bool bEnable) : CExtHookSink(bEnable) {}
        std::string m_strHandler;
        UINT_PTR m_nArg1 = 0;
        UINT_PTR m_nArg2 = 0;
        UINT_PTR m_nArg3 = 0;
        bool Note(const char* pszHandler, UINT_PTR n1, UINT_PTR n2 = 0, UINT_PTR n3 = 0)
        {
            m_strHandler = pszHandler;
            m_nArg1 = n1;
            m_nArg2 = n2;
            m_nArg3 = n3;
            return true;
        }
        bool HandleHookedCommand(LRESULT&, HWND, UINT nCode, UINT nId, HWND hCtrl) override
        {
            return Note("command", nCode, nId, reinterpret_cast<UINT_PTR>(hCtrl));
        }
        bool HandleHookedNotify(LRESULT&, HWND, WPARAM w, LPARAM l) override { return Note("notify", w, l); }
        bool HandleHookedPaint(LRESULT&, HWND, WPARAM w) override { return Note("paint", w); }
        bool HandleHookedEraseBkgnd(LRESULT&, HWND, HDC h) override
        {
            return Note("erase", reinterpret_cast<UINT_PTR>(h));
        }
        bool HandleHookedPrint(LRESULT&, HWND, HDC h) override { return Note("print", reinterpret_cast<UINT_PTR>(h)); }
        bool HandleHookedNcPaint(LRESULT&, HWND, HRGN h) override
        {
            return Note("ncpaint", reinterpret_cast<UINT_PTR>(h));
        }
    };
    struct Case
    {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
        const char* handler;  // empty: declined
        UINT_PTR n1, n2, n3;
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(0x1234, 0x0005), 0x77, "command", 0x0005, 0x1234, 0x77},
        {WM_NOTIFY, 12, 0x88, "notify", 12, 0x88, 0},
        {WM_PAINT, 3, 0, "paint", 3, 0, 0},
        {WM_ERASEBKGND, 0x99, 0, "erase", 0x99, 0, 0},
        {WM_PRINT, 0x98, PRF_CLIENT, "print", 0x98, 0, 0},
        {WM_NCPAINT, 0x97, 0, "ncpaint", 0x97, 0, 0},
        {WM_SIZE, 0, 0, "", 0, 0, 0},
    };
    for (bool bEnable : {true, false})
    {
        CRoutingSink sink(bEnable);
        for (const Case& c : cases)
        {
            SCOPED_TRACE(std::string(c.handler) + (bEnable ? " enabled" : " disabled"));
            sink.m_strHandler.clear();
            LRESULT lResult = 0;
            WPARAM wParam = c.wParam;
            LPARAM lParam = c.lParam;
            const bool bHandled = sink.DispatchHookedMessage(lResult, m_hWnd, c.nMessage, wParam, lParam);
            const std::string expected = bEnable ? c.handler : "";
            EXPECT_EQ(bHandled, !expected.empty());
            EXPECT_EQ(sink.m_strHandler, expected);
            if (!expected.empty())
            {
                EXPECT_EQ(sink.m_nArg1, c.n1);
                EXPECT_EQ(sink.m_nArg2, c.n2);
                EXPECT_EQ(sink.m_nArg3, c.n3);
            }
        }
    }
}

TEST_F(HookSinkTest, EmptyChainKeepsTheWindowWorkingUntilItIsDestroyed)
{
    CLoggingSink a("a", m_log);
    CLoggingSink b("b", m_log);
    ASSERT_TRUE(a.HookWindow(m_hWnd));
    ASSERT_TRUE(b.HookWindow(m_hWnd));
    ASSERT_TRUE(a.HookWindow(m_hWnd, true));
    ASSERT_TRUE(b.HookWindow(m_hWnd, true));
    ASSERT_NE(ChainOf(m_hWnd), nullptr);
    EXPECT_TRUE(IsSubclassed(m_hWnd));
    EXPECT_EQ(Probe(4), kOwnResult);
    EXPECT_EQ(g_own.wParamProbe, 4u);
    EXPECT_TRUE(m_log.empty());

    ::DestroyWindow(m_hWnd);
    EXPECT_EQ(ChainOf(m_hWnd), nullptr);
    EXPECT_TRUE(g_own.bOwnProcAtNcDestroy);
}

TEST_F(HookSinkTest, EverySinkAndTheWindowSeeTheDestruction)
{
    CLoggingSink a("a", m_log);
    CLoggingSink b("b", m_log);
    ASSERT_TRUE(a.HookWindow(m_hWnd));
    ASSERT_TRUE(b.HookWindow(m_hWnd));
    // A sink cannot stop the window's destruction.
    a.m_bConsume = b.m_bConsume = true;
    ::DestroyWindow(m_hWnd);
    EXPECT_EQ(m_log, (std::vector<std::string>{"a:ncdestroy", "b:ncdestroy"}));
    EXPECT_EQ(g_own.messages, std::vector<UINT>{WM_NCDESTROY});
    EXPECT_TRUE(g_own.bOwnProcAtNcDestroy);
    EXPECT_EQ(ChainOf(m_hWnd), nullptr);
    // Destruction is no unhooking: no notification, and the sinks hook nothing now.
    EXPECT_EQ(a.m_nUnhooked, 0);
    EXPECT_FALSE(a.IsHookingWindow(m_hWnd));
}

TEST_F(HookSinkTest, SeveralWindowsPerSink)
{
    const HWND hOther = CreateTestWindow();
    ASSERT_NE(hOther, nullptr);
    CLoggingSink a("a", m_log);
    CLoggingSink b("b", m_log);
    ASSERT_TRUE(a.HookWindow(m_hWnd));
    ASSERT_TRUE(a.HookWindow(hOther));
    ASSERT_TRUE(b.HookWindow(hOther));

    CList<HWND, HWND> windows;
    windows.AddTail(HWND{});  // emptied first
    a.GetHookedWindows(windows);
    EXPECT_EQ(windows.GetCount(), 2);
    EXPECT_NE(windows.Find(m_hWnd), nullptr);
    EXPECT_NE(windows.Find(hOther), nullptr);

    a.UnhookAllWindows();
    EXPECT_EQ(a.m_nUnhooked, 2);
    a.GetHookedWindows(windows);
    EXPECT_TRUE(windows.IsEmpty());
    EXPECT_TRUE(b.IsHookingWindow(hOther));
    ::SendMessageA(hOther, WM_PROBE, 0, 0);
    EXPECT_EQ(m_log, std::vector<std::string>{"b"});
    ::DestroyWindow(hOther);
}

// The chain may change under a message: sinks leaving, being destroyed, joining, or the window
// going away. Every sink present at the start and still hooked is called once; nothing that
// left is called.
TEST_F(HookSinkTest, ChainChangesWhileAMessageRuns)
{
    struct Case
    {
        const char* what;
        std::function<void(HWND, CLoggingSink*[3], std::unique_ptr<CLoggingSink>&, std::vector<std::string>&)> setUp;
        std::vector<std::string> expectedLog;
        bool bOwnProcSees;
        bool bExtraAtEnd = false;  // a silent fourth sink that the case may destroy
    };
    const Case cases[] = {
        {"the first sink leaves itself",
         [](HWND h, CLoggingSink* s[3], auto&, auto&) { s[0]->m_action = [h, p = s[0]] { p->HookWindow(h, true); }; },
         {"s0", "s1", "s2"}, true},
        {"the first sink removes all three",
         [](HWND h, CLoggingSink* s[3], auto&, auto&) {
             s[0]->m_action = [h, s0 = s[0], s1 = s[1], s2 = s[2]] {
                 s0->HookWindow(h, true);
                 s1->HookWindow(h, true);
                 s2->HookWindow(h, true);
             };
         },
         {"s0"}, true},
        {"a sink destroys a later one",
         [](HWND, CLoggingSink* s[3], std::unique_ptr<CLoggingSink>& extra, auto&) {
             s[0]->m_action = [&extra] { extra.reset(); };
         },
         {"s0", "s1", "s2"}, true, true},
        {"a sink adds another: it sees the next message",
         [](HWND h, CLoggingSink* s[3], std::unique_ptr<CLoggingSink>& extra, std::vector<std::string>& log) {
             s[1]->m_action = [h, &extra, &log] {
                 if (!extra)
                 {
                     extra = std::make_unique<CLoggingSink>("new", log);
                     extra->HookWindow(h, false, true);
                 }
             };
         },
         {"s0", "s1", "s2"}, true},
        {"a sink destroys the window",
         [](HWND h, CLoggingSink* s[3], auto&, auto&) { s[1]->m_action = [h] { ::DestroyWindow(h); }; },
         {"s0", "s1", "s0:ncdestroy", "s1:ncdestroy", "s2:ncdestroy"}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        if (!::IsWindow(m_hWnd))
            m_hWnd = CreateTestWindow();
        m_log.clear();
        g_own.messages.clear();
        CLoggingSink s0("s0", m_log);
        CLoggingSink s1("s1", m_log);
        CLoggingSink s2("s2", m_log);
        CLoggingSink* sinks[3] = {&s0, &s1, &s2};
        std::unique_ptr<CLoggingSink> extra;
        for (CLoggingSink* pSink : sinks)
            ASSERT_TRUE(pSink->HookWindow(m_hWnd));
        c.setUp(m_hWnd, sinks, extra, m_log);
        if (c.bExtraAtEnd)
        {
            extra = std::make_unique<CLoggingSink>("extra", m_log);
            ASSERT_TRUE(extra->HookWindow(m_hWnd));
        }
        Probe();
        EXPECT_EQ(m_log, c.expectedLog);
        EXPECT_EQ(std::count(g_own.messages.begin(), g_own.messages.end(), WM_PROBE), c.bOwnProcSees ? 1 : 0);
        if (extra && extra->m_strName == "new")
        {
            m_log.clear();
            Probe();
            EXPECT_EQ(m_log, (std::vector<std::string>{"new", "s0", "s1", "s2"}));
        }
        for (CLoggingSink* pSink : sinks)
            pSink->m_action = nullptr;
    }
}

TEST_F(HookSinkTest, DestroyedSinkLeavesItsChains)
{
    const HWND hOther = CreateTestWindow();
    CLoggingSink survivor("survivor", m_log);
    {
        // No UnhookAllWindows of its own: the base destructor must still leave the chains.
        CExtHookSink sink;
        ASSERT_TRUE(sink.HookWindow(m_hWnd));
        ASSERT_TRUE(sink.HookWindow(hOther));
        ASSERT_TRUE(survivor.HookWindow(hOther));
    }
    ASSERT_NE(ChainOf(m_hWnd), nullptr);
    EXPECT_EQ(ChainOf(m_hWnd)->m_HookSinkArray.GetSize(), 0);
    EXPECT_EQ(ChainOf(hOther)->m_HookSinkArray.GetSize(), 1);
    EXPECT_EQ(Probe(), kOwnResult);
    ::SendMessageA(hOther, WM_PROBE, 0, 0);
    EXPECT_EQ(m_log, std::vector<std::string>{"survivor"});
    ::DestroyWindow(hOther);
}

// A window object that hooks its own window and deletes itself once its window is gone, as
// framework windows do: its destructor runs inside the window's last message.
class CSelfHookingWnd : public CWnd, public CExtHookSink
{
public:
    explicit CSelfHookingWnd(int& nDeleted) : m_nDeleted(nDeleted) {}
    ~CSelfHookingWnd() override
    {
        UnhookAllWindows();
        ++m_nDeleted;
    }
    void PostNcDestroy() override { delete this; }
    int& m_nDeleted;
};

TEST_F(HookSinkTest, SinkDeletedByItsWindowsOwnDestruction)
{
    int nDeleted = 0;
    auto* pWnd = new CSelfHookingWnd(nDeleted);
    ASSERT_TRUE(pWnd->CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr));
    const HWND hWnd = pWnd->m_hWnd;
    ASSERT_TRUE(pWnd->HookWindow(hWnd));
    CLoggingSink other("other", m_log);
    ASSERT_TRUE(other.HookWindow(hWnd));
    ::DestroyWindow(hWnd);
    EXPECT_EQ(nDeleted, 1);
    EXPECT_EQ(ChainOf(hWnd), nullptr);
    EXPECT_EQ(m_log, std::vector<std::string>{"other:ncdestroy"});
}

// Counts its deletions; it is deleted whenever it leaves a window.
class CAutoDeleteSink : public CExtHookSink
{
public:
    explicit CAutoDeleteSink(int& nDeleted) : m_nDeleted(nDeleted) {}
    ~CAutoDeleteSink() override { ++m_nDeleted; }
    bool IsAutoDeleteSink() override { return true; }
    void OnWindowUnhooked(HWND) override { ++m_nUnhooked; }
    int& m_nDeleted;
    int m_nUnhooked = 0;
};

TEST_F(HookSinkTest, AutoDeleteSinksAreDeletedOnce)
{
    const HWND hOther = CreateTestWindow();
    struct Case
    {
        const char* what;
        bool bAlsoOther;
        std::function<void(CAutoDeleteSink*, HWND)> leave;
    };
    const Case cases[] = {
        {"leaving one of two windows", true, [](CAutoDeleteSink* p, HWND h) { p->HookWindow(h, true); }},
        {"leaving every window", true, [](CAutoDeleteSink* p, HWND) { p->UnhookAllWindows(); }},
        {"its window destroyed", false, [](CAutoDeleteSink*, HWND h) { ::DestroyWindow(h); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        const HWND hVictim = CreateTestWindow();
        int nDeleted = 0;
        auto* pSink = new CAutoDeleteSink(nDeleted);
        ASSERT_TRUE(pSink->HookWindow(hVictim));
        if (c.bAlsoOther)
        {
            ASSERT_TRUE(pSink->HookWindow(hOther));
        }
        c.leave(pSink, hVictim);
        EXPECT_EQ(nDeleted, 1);
        // Whatever it still hooked, no chain keeps it.
        for (HWND h : {hVictim, hOther})
        {
            if (CExtHookSink::HookChains_t* pChains = ChainOf(h))
            {
                EXPECT_EQ(pChains->m_HookSinkArray.GetSize(), 0);
            }
        }
        if (::IsWindow(hVictim))
            ::DestroyWindow(hVictim);
    }
    ::DestroyWindow(hOther);
}

TEST_F(HookSinkTest, WindowOfAnotherProcessIsRefused)
{
    const HWND hDesktop = ::GetDesktopWindow();
    CLoggingSink sink("a", m_log);
    if (::SetWindowLongPtrA(hDesktop, GWLP_WNDPROC, ::GetWindowLongPtrA(hDesktop, GWLP_WNDPROC)) != 0)
        GTEST_SKIP() << "this system lets the process subclass the desktop window";
    EXPECT_FALSE(sink.HookWindow(hDesktop));
    EXPECT_EQ(ChainOf(hDesktop), nullptr);
    EXPECT_EQ(sink.m_nHooked, 0);
}
}
