#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
constexpr UINT kFirstBarID = AFX_IDW_CONTROLBAR_FIRST + 40;
constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

// A bar of a fixed size that counts its idle updates.
class CSizedBar : public CControlBar
{
public:
    CSize m_size;
    int m_nIdleUpdates = 0;

    BOOL CreateBar(CFrameWnd* pFrame, UINT nID, CSize size, DWORD dwAlign = CBRS_TOP)
    {
        m_size = size;
        m_dwStyle = dwAlign;
        const CRect rc(0, 0, 0, 0);
        return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS), "bar", WS_CHILD | WS_VISIBLE, rc, pFrame, nID);
    }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override
    {
        return bHorz ? m_size : CSize(m_size.cy, m_size.cx);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++m_nIdleUpdates; }
};

CRect WindowRectOf(const CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    return rc;
}

void PumpPending()
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

// A shown frame with docking on every side, a client pane and bars made on demand.
class DockingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "dock site", WS_OVERLAPPEDWINDOW, CRect(40, 40, 40 + kFrameWidth, 40 + kFrameHeight)));
        ASSERT_TRUE(m_pane.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame,
                                  AFX_IDW_PANE_FIRST));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOWNA);
    }
    void TearDown() override
    {
        if (m_pFrame->m_hWnd != nullptr)
            m_pFrame->DestroyWindow();
        m_bars.clear();
        PumpPending();
    }
    CSizedBar& AddBar(CSize size, UINT nSide = AFX_IDW_DOCKBAR_TOP, LPCRECT lpRect = nullptr)
    {
        m_bars.push_back(std::make_unique<CSizedBar>());
        CSizedBar& bar = *m_bars.back();
        EXPECT_TRUE(bar.CreateBar(m_pFrame, kFirstBarID + static_cast<UINT>(m_bars.size()), size));
        bar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&bar, nSide, lpRect);
        return bar;
    }
    CDockBar* DockBar(UINT nSide) { return static_cast<CDockBar*>(m_pFrame->GetControlBar(nSide)); }
    CRect PaneRect() { return WindowRectOf(m_pane); }

    CFrameWnd* m_pFrame = nullptr; // deletes itself with its window
    CWnd m_pane;
    std::vector<std::unique_ptr<CSizedBar>> m_bars;
};
}

TEST_F(DockingTest, EnableDockingMakesOneDockBarPerSideOnce)
{
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    int nDockBars = 0;
    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
        nDockBars += static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos))->IsDockBar() ? 1 : 0;
    EXPECT_EQ(4, nDockBars);
    for (const AFX_DOCKBAR_SIDE& side : afxDockBarMap)
    {
        CDockBar* pDockBar = DockBar(side.nID);
        ASSERT_NE(nullptr, pDockBar) << side.nID;
        EXPECT_EQ(side.dwStyle & CBRS_ALIGN_ANY, pDockBar->m_dwStyle & CBRS_ALIGN_ANY);
        EXPECT_EQ(m_pFrame, pDockBar->m_pDockSite);
    }
}

TEST_F(DockingTest, DockedBarsTakeTheirSidesAndTheRestGoesToThePane)
{
    struct Case
    {
        UINT nSide;
        CSize size;
    } const cases[] = {
        {AFX_IDW_DOCKBAR_TOP, CSize(120, 26)},
        {AFX_IDW_DOCKBAR_BOTTOM, CSize(100, 22)},
        {AFX_IDW_DOCKBAR_LEFT, CSize(90, 30)},
        {AFX_IDW_DOCKBAR_RIGHT, CSize(80, 24)},
    };
    for (const Case& c : cases)
        AddBar(c.size, c.nSide);
    m_pFrame->RecalcLayout();
    const CRect rcPane = PaneRect();
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        CSizedBar& bar = *m_bars[i];
        const CRect rcBar = WindowRectOf(bar);
        // What shows of the bar: its dock bar clips the border it overlaps.
        RECT rcShown;
        const CRect rcDockBar = WindowRectOf(*DockBar(cases[i].nSide));
        ::IntersectRect(&rcShown, &rcBar, &rcDockBar);
        EXPECT_EQ(DockBar(cases[i].nSide), bar.m_pDockBar) << i;
        EXPECT_EQ(DockBar(cases[i].nSide), bar.GetParent()) << i;
        EXPECT_FALSE(bar.IsFloating());
        const bool bHorz = cases[i].nSide == AFX_IDW_DOCKBAR_TOP || cases[i].nSide == AFX_IDW_DOCKBAR_BOTTOM;
        EXPECT_EQ(bHorz ? cases[i].size : CSize(cases[i].size.cy, cases[i].size.cx), rcBar.Size()) << i;
        RECT rcOverlap;
        EXPECT_FALSE(::IntersectRect(&rcOverlap, &rcShown, &rcPane)) << "bar " << i << " and the pane overlap";
    }
    // The pane starts where the top bar ends (bars overlap their dock bar's edge by the border).
    EXPECT_NEAR(WindowRectOf(*m_bars[0]).bottom, rcPane.top, 2);
    EXPECT_NEAR(WindowRectOf(*m_bars[2]).right, rcPane.left, 2);
}

TEST_F(DockingTest, BarsShareARowUntilTheyNoLongerFitThenWrap)
{
    // Bars half past the edge stay in the row; one that would start past it wraps.
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    const CSize sizeBar(rcClient.Width() / 2 + 20, 24);
    CSizedBar& first = AddBar(sizeBar);
    m_pFrame->RecalcLayout();
    CSizedBar& second = AddBar(sizeBar, AFX_IDW_DOCKBAR_TOP, WindowRectOf(first) + CPoint(sizeBar.cx + 10, 0));
    m_pFrame->RecalcLayout();
    // Docked at a rectangle beside the first, the second bar joins its row.
    const CRect rcFirst = WindowRectOf(first);
    EXPECT_EQ(rcFirst.top, WindowRectOf(second).top);
    EXPECT_GE(WindowRectOf(second).left, rcFirst.right - 2);

    CRect rcThird = WindowRectOf(second) + CPoint(sizeBar.cx + 10, 0);
    CSizedBar& third = AddBar(sizeBar, AFX_IDW_DOCKBAR_TOP, &rcThird);
    m_pFrame->RecalcLayout();
    EXPECT_GT(WindowRectOf(third).top, rcFirst.top) << "a bar past the frame's edge starts the next row";
    EXPECT_EQ(rcFirst.top, WindowRectOf(second).top);
}

TEST_F(DockingTest, DelayedHideTakesEffectAtTheNextLayout)
{
    CSizedBar& bar = AddBar(CSize(200, 30));
    m_pFrame->RecalcLayout();
    const int nPaneTopShown = PaneRect().top;
    m_pFrame->ShowControlBar(&bar, FALSE, TRUE);
    EXPECT_TRUE(bar.IsWindowVisible()) << "nothing happens before the layout";
    EXPECT_FALSE(bar.IsVisible()) << "the layout already counts it hidden";
    EXPECT_TRUE(m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_LT(PaneRect().top, nPaneTopShown) << "the pane takes the room back";
}

TEST_F(DockingTest, BarCheckCommandTogglesAControlBarById)
{
    CSizedBar& bar = AddBar(CSize(200, 30));
    m_pFrame->RecalcLayout();
    const UINT nID = static_cast<UINT>(bar.GetDlgCtrlID());
    EXPECT_EQ(&bar, m_pFrame->GetControlBar(nID));
    EXPECT_TRUE(m_pFrame->OnBarCheck(nID));
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_TRUE(m_pFrame->OnBarCheck(nID));
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(0xE8F0));
}

TEST_F(DockingTest, FloatingFrameLivesAndShowsWithItsBar)
{
    CSizedBar& bar = AddBar(CSize(150, 26));
    m_pFrame->RecalcLayout();
    m_pFrame->FloatControlBar(&bar, CPoint(200, 200));
    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* pFloating = bar.GetParentFrame();
    ASSERT_NE(nullptr, pFloating);
    ASSERT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_TRUE(pFloating->IsWindowVisible());
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetWindow(pFloating->m_hWnd, GW_OWNER));
    const CRect rcFloating = WindowRectOf(*pFloating);
    EXPECT_EQ(CPoint(200, 200), rcFloating.TopLeft());
    EXPECT_GE(rcFloating.Width(), 150) << "the floating frame snaps around its bar";
    EXPECT_EQ(nullptr, DockBar(AFX_IDW_DOCKBAR_TOP)->GetDockedControlBar(1));

    m_pFrame->ShowControlBar(&bar, FALSE, FALSE);
    EXPECT_FALSE(pFloating->IsWindowVisible()) << "no visible bar: the floating frame hides";
    m_pFrame->ShowControlBar(&bar, TRUE, FALSE);
    EXPECT_TRUE(pFloating->IsWindowVisible());

    const HWND hFloating = pFloating->m_hWnd;
    bar.m_pDockContext->ToggleDocking();
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar) << "back where it was docked";
    EXPECT_FALSE(::IsWindow(hFloating)) << "an empty floating frame goes";
    EXPECT_EQ(&bar, m_pFrame->GetControlBar(static_cast<UINT>(bar.GetDlgCtrlID())));
}

TEST_F(DockingTest, IdleUpdatesReachBarsInFloatingFrames)
{
    CSizedBar& docked = AddBar(CSize(150, 26));
    CSizedBar& floating = AddBar(CSize(150, 26));
    m_pFrame->FloatControlBar(&floating, CPoint(300, 300));
    CWinThread* pThread = AfxGetThread();
    ASSERT_NE(nullptr, pThread);
    pThread->m_pMainWnd = m_pFrame;
    pThread->OnIdle(0);
    pThread->m_pMainWnd = nullptr;
    EXPECT_EQ(1, docked.m_nIdleUpdates);
    EXPECT_EQ(1, floating.m_nIdleUpdates);
}

TEST_F(DockingTest, OutlineDragDocksFloatsOrCancels)
{
    struct Case
    {
        const char* pszWhat;
        CPoint ptOffset; // from the press, in frame client terms
        bool bCtrl;
        UINT nKeyAtEnd;  // 0: release the button
        bool bFloats;
        bool bMoved;
    } const cases[] = {
        {"released in the middle of the frame, it floats", CPoint(0, 200), false, 0, true, true},
        {"Ctrl held over the top dock bar, it still floats", CPoint(40, 3), true, 0, true, true},
        {"released over its own row, it stays docked", CPoint(60, 2), false, 0, false, true},
        {"Escape cancels: nothing moves", CPoint(0, 200), false, VK_ESCAPE, false, false},
    };
    for (const Case& c : cases)
    {
        CSizedBar& bar = AddBar(CSize(150, 26));
        m_pFrame->RecalcLayout();
        PumpPending();
        const CRect rcBefore = WindowRectOf(bar);
        const CPoint ptPress = rcBefore.CenterPoint();
        const CPoint ptEnd = ptPress + c.ptOffset;
        ::SetCursorPos(ptEnd.x, ptEnd.y);
        if (c.bCtrl)
        {
            BYTE keys[256];
            ::GetKeyboardState(keys);
            keys[VK_CONTROL] = 0x80;
            ::SetKeyboardState(keys);
        }
        bar.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptEnd.x, ptEnd.y));
        if (c.nKeyAtEnd != 0)
            bar.PostMessage(WM_KEYDOWN, c.nKeyAtEnd, 0);
        else
            bar.PostMessage(WM_LBUTTONUP, 0, 0);
        bar.m_pDockContext->StartDrag(ptPress);
        if (c.bCtrl)
        {
            BYTE keys[256];
            ::GetKeyboardState(keys);
            keys[VK_CONTROL] = 0;
            ::SetKeyboardState(keys);
        }
        EXPECT_EQ(nullptr, ::GetCapture()) << c.pszWhat;
        EXPECT_EQ(c.bFloats, bar.IsFloating() != FALSE) << c.pszWhat;
        if (!c.bMoved)
            EXPECT_EQ(rcBefore, WindowRectOf(bar)) << c.pszWhat;
        // Each case starts from a docked bar of its own.
        bar.DestroyWindow();
        PumpPending();
    }
}

TEST_F(DockingTest, QuitDuringADragEndsTheLoopAndReachesTheMainLoop)
{
    CSizedBar& bar = AddBar(CSize(150, 26));
    m_pFrame->RecalcLayout();
    const CRect rcBefore = WindowRectOf(bar);
    ::PostQuitMessage(5);
    bar.m_pDockContext->StartDrag(rcBefore.CenterPoint());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(bar.IsFloating());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was posted again";
    EXPECT_EQ(5U, msg.wParam);
}

TEST_F(DockingTest, DestroyedBarsLeaveTheFrameListAndTheirDockBar)
{
    CSizedBar& bar = AddBar(CSize(150, 26));
    const UINT nID = static_cast<UINT>(bar.GetDlgCtrlID());
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(1, pTop->GetDockedCount());
    bar.DestroyWindow();
    EXPECT_EQ(0, pTop->GetDockedCount());
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(nID));
}

TEST_F(DockingTest, BarInfoOfADockBarListsItsRowsAndComesBack)
{
    CSizedBar& first = AddBar(CSize(150, 26));
    CSizedBar& second = AddBar(CSize(150, 26));
    m_pFrame->RecalcLayout();
    CControlBarInfo info;
    DockBar(AFX_IDW_DOCKBAR_TOP)->GetBarInfo(&info);
    EXPECT_TRUE(info.m_bDockBar);
    const std::vector<UINT_PTR> expected = {static_cast<UINT_PTR>(first.GetDlgCtrlID()), 0,
                                            static_cast<UINT_PTR>(second.GetDlgCtrlID()), 0};
    std::vector<UINT_PTR> ids;
    for (INT_PTR i = 0; i < info.m_arrBarID.GetSize(); ++i)
        ids.push_back(reinterpret_cast<UINT_PTR>(info.m_arrBarID[i]));
    EXPECT_EQ(expected, ids);

    // Rows swapped and an unknown id: the known bars come back in the new order.
    info.m_arrBarID.RemoveAll();
    for (UINT_PTR nID : {static_cast<UINT_PTR>(second.GetDlgCtrlID()), UINT_PTR(0), UINT_PTR(0xE8F7),
                         static_cast<UINT_PTR>(first.GetDlgCtrlID()), UINT_PTR(0)})
        info.m_arrBarID.Add(reinterpret_cast<void*>(nID));
    DockBar(AFX_IDW_DOCKBAR_TOP)->SetBarInfo(&info, m_pFrame);
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(&second, pTop->GetDockedControlBar(1));
    EXPECT_EQ(&first, pTop->GetDockedControlBar(3));
    EXPECT_EQ(2, pTop->GetDockedCount());
}

namespace
{
std::vector<BYTE> StoreState(CDockState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    const UINT nLength = static_cast<UINT>(file.GetLength());
    std::vector<BYTE> bytes(nLength);
    file.SeekToBegin();
    file.Read(bytes.data(), nLength);
    return bytes;
}

// Loads the bytes; FALSE when the load threw.
bool LoadState(CDockState& state, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    try
    {
        state.Serialize(ar);
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}

void AddInfo(CDockState& state, UINT nID, bool bDockBar, bool bDocking)
{
    auto* pInfo = new CControlBarInfo;
    pInfo->m_nBarID = nID;
    pInfo->m_bVisible = TRUE;
    pInfo->m_bHorz = TRUE;
    pInfo->m_bDockBar = bDockBar;
    pInfo->m_bDocking = bDocking;
    pInfo->m_pointPos = CPoint(-3, 17);
    pInfo->m_nMRUWidth = 120;
    pInfo->m_uMRUDockID = AFX_IDW_DOCKBAR_LEFT;
    pInfo->m_rectMRUDockPos = CRect(1, 2, 3, 4);
    pInfo->m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
    pInfo->m_ptMRUFloatPos = CPoint(300, 40);
    if (bDockBar)
        for (UINT_PTR n : {UINT_PTR(nID + 1), UINT_PTR(0), UINT_PTR(nID + 2), UINT_PTR(0)})
            pInfo->m_arrBarID.Add(reinterpret_cast<void*>(n));
    state.m_arrBarInfo.Add(pInfo);
}
}

TEST(DockStateArchive, RoundTripKeepsEveryRecordAndDamageLoadsNothing)
{
    CDockState state;
    AddInfo(state, AFX_IDW_DOCKBAR_TOP, true, false);
    AddInfo(state, kFirstBarID, false, true);
    const std::vector<BYTE> bytes = StoreState(state);

    CDockState loaded;
    ASSERT_TRUE(LoadState(loaded, bytes));
    EXPECT_EQ(bytes, StoreState(loaded)) << "load then store gives the same bytes";
    ASSERT_EQ(2, loaded.m_arrBarInfo.GetSize());
    const auto* pDocked = static_cast<CControlBarInfo*>(loaded.m_arrBarInfo[1]);
    EXPECT_EQ(CRect(1, 2, 3, 4), pDocked->m_rectMRUDockPos);
    EXPECT_EQ(CPoint(-3, 17), pDocked->m_pointPos);

    // Cut at every byte: the load fails and keeps nothing.
    for (size_t n = 0; n < bytes.size(); ++n)
    {
        CDockState damaged;
        AddInfo(damaged, 1, false, false);
        EXPECT_FALSE(LoadState(damaged, std::vector<BYTE>(bytes.begin(), bytes.begin() + static_cast<long>(n)))) << n;
        EXPECT_EQ(0, damaged.m_arrBarInfo.GetSize()) << n;
    }
    struct Damage
    {
        const char* pszWhat;
        size_t nOffset;
        DWORD dwValue;
    } const damages[] = {
        {"an unknown version", 0, 7},
        {"a record count far beyond the data", 4, 0xFFFFFFFF},
        {"a row count far beyond the data", 8 + 4 + 1 + 8 + 4, 0xFFFFFFF0},
    };
    for (const Damage& d : damages)
    {
        std::vector<BYTE> damaged = bytes;
        memcpy(damaged.data() + d.nOffset, &d.dwValue, sizeof d.dwValue);
        CDockState target;
        EXPECT_FALSE(LoadState(target, damaged)) << d.pszWhat;
        EXPECT_EQ(0, target.m_arrBarInfo.GetSize()) << d.pszWhat;
    }
}
