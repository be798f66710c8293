#include "ui/bars/ExtMdiTabColorSource.h"
#include "ui/bars/ExtSplitterWnd.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"
#include "ui/core/ExtPaintManagerXP.h"

#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int kTopRowHeight = 150;
const CRect kFrameRect(40, 40, 440, 440);
constexpr COLORREF kPaneColor = RGB(255, 255, 255);

// A pane that shows nothing but its white background.
class CPaneWnd : public CWnd
{
    DECLARE_DYNCREATE(CPaneWnd)
public:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override
    {
        cs.lpszClass = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CPaneWnd, CWnd)

// A document-style frame split into two rows.
class CSplitFrame : public CFrameWnd
{
public:
    CExtSplitterWnd m_splitter;
    BOOL OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext) override
    {
        return m_splitter.CreateStatic(this, 2, 1) &&
               m_splitter.CreateView(0, 0, RUNTIME_CLASS(CPaneWnd), CSize(0, kTopRowHeight), pContext) &&
               m_splitter.CreateView(1, 0, RUNTIME_CLASS(CPaneWnd), CSize(0, 100), pContext);
    }
};

// The client area of a window as the screen shows it, read back into a 32-bit DIB.
class CShownPixels
{
public:
    explicit CShownPixels(HWND hWnd)
    {
        CRect rc;
        ::GetClientRect(hWnd, &rc);
        m_cx = rc.Width();
        m_cy = rc.Height();
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = m_cx;
        bmi.bmiHeader.biHeight = -m_cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        const HDC hWndDC = ::GetDC(hWnd);
        const HDC hMemDC = ::CreateCompatibleDC(hWndDC);
        const HBITMAP hDib = ::CreateDIBSection(hWndDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        const HGDIOBJ hOld = ::SelectObject(hMemDC, hDib);
        ::BitBlt(hMemDC, 0, 0, m_cx, m_cy, hWndDC, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* pFirst = static_cast<const DWORD*>(pBits);
        m_pixels.assign(pFirst, pFirst + static_cast<size_t>(m_cx) * static_cast<size_t>(m_cy));
        ::SelectObject(hMemDC, hOld);
        ::DeleteObject(hDib);
        ::DeleteDC(hMemDC);
        ::ReleaseDC(hWnd, hWndDC);
    }
    COLORREF Pixel(int x, int y) const
    {
        const DWORD v = m_pixels.at(static_cast<size_t>(y) * static_cast<size_t>(m_cx) + static_cast<size_t>(x));
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    bool operator==(const CShownPixels& other) const { return m_pixels == other.m_pixels; }
    // How many pixels of the rectangle differ from the other picture, and how many outside it.
    void CountChanges(const CShownPixels& other, const CRect& rc, int& nInside, int& nOutside) const
    {
        nInside = nOutside = 0;
        for (int y = 0; y < m_cy; ++y)
        {
            for (int x = 0; x < m_cx; ++x)
            {
                if (Pixel(x, y) != other.Pixel(x, y))
                    ++(rc.PtInRect(CPoint(x, y)) ? nInside : nOutside);
            }
        }
    }

private:
    int m_cx = 0;
    int m_cy = 0;
    std::vector<DWORD> m_pixels;
};

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The XP look, counting what the splitter asks of it.
class CCountingManager : public CExtPaintManagerXP
{
public:
    int m_nBackgroundQueries = 0;
    int m_nEdges = 0;
    bool HasBackgroundBehindControls(CObject* pOwner, LPARAM lParam) override
    {
        ++m_nBackgroundQueries;
        return CExtPaintManagerXP::HasBackgroundBehindControls(pOwner, lParam);
    }
    void DrawSplitterEdge(CDC& dc, const RECT& rc, CObject* pOwner, LPARAM lParam) override
    {
        ++m_nEdges;
        CExtPaintManagerXP::DrawSplitterEdge(dc, rc, pOwner, lParam);
    }
};

// A notebook-style MDI tab strip as the splitter sees it: a child of the outer frame that knows
// the colour of one frame's tab.
class CFakeNotebookTabs : public CWnd, public CExtMdiTabColorSource
{
public:
    HWND m_hWndTabFrame = nullptr;
    COLORREF m_clrTab = 0;
    bool GetFrameTabColor(HWND hWndFrame, COLORREF& clrTab) const override
    {
        if (hWndFrame != m_hWndTabFrame)
            return false;
        clrTab = m_clrTab;
        return true;
    }
};

// One frame for the suite: hiding a shown top-level window waits two seconds here.
class SplitterWndTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pFrame = new CSplitFrame;
        if (s_pFrame->Create(nullptr, "split", WS_POPUP, kFrameRect))
            s_pFrame->ShowWindow(SW_SHOWNORMAL);
    }
    static void TearDownTestSuite()
    {
        s_pFrame->DestroyWindow();
        s_pFrame = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(s_pFrame->m_hWnd, nullptr);
        m_pFrame = s_pFrame;
        m_pSplitter = &m_pFrame->m_splitter;
        // Rows and place as made, whatever the previous test did.
        m_pSplitter->SetRowInfo(0, kTopRowHeight, 0);
        m_pFrame->RecalcLayout();
        m_pSplitter->RecalcLayout();
        Repaint();
    }
    void TearDown() override { g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP)); }
    void Repaint()
    {
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages();
    }
    CRect PaneRect(int row) const
    {
        CRect rc;
        m_pSplitter->GetPane(row, 0)->GetWindowRect(&rc);
        m_pSplitter->ScreenToClient(&rc);
        return rc;
    }
    // A point in the middle of the bar between the rows, at x.
    CPoint BarPoint(int x) const { return CPoint(x, PaneRect(0).bottom + m_pSplitter->m_cySplitterGap / 2); }
    void Mouse(UINT nMessage, CPoint pt)
    {
        m_pSplitter->SendMessage(nMessage, nMessage == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }

    static inline CSplitFrame* s_pFrame = nullptr;
    CSplitFrame* m_pFrame = nullptr;
    CExtSplitterWnd* m_pSplitter = nullptr;
};

TEST_F(SplitterWndTest, BarsAndBordersFollowThePaintManager)
{
    struct Case
    {
        CRuntimeClass* pClass;
        bool bBackgroundBehindControls;
        // The colour index of the pane edge's right side (its left side is always the shadow).
        int nRightEdgeIndex;
    };
    const Case cases[] = {
        {RUNTIME_CLASS(CExtPaintManager), false, COLOR_BTNHIGHLIGHT},
        {RUNTIME_CLASS(CExtPaintManagerXP), false, COLOR_BTNSHADOW},
        {RUNTIME_CLASS(CExtPaintManagerStudio2005), true, COLOR_BTNSHADOW},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pClass->m_lpszClassName);
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(c.pClass));
        CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
        ASSERT_EQ(pPM->HasBackgroundBehindControls(m_pSplitter, 0), c.bBackgroundBehindControls);
        Repaint();
        const CShownPixels shown(m_pSplitter->m_hWnd);
        // Painting the bars makes sure the panes and siblings are clipped out.
        EXPECT_EQ(m_pSplitter->GetStyle() & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS), DWORD(WS_CLIPCHILDREN | WS_CLIPSIBLINGS));

        // The face background starts at the splitter's left edge, beside the panes and in the bar.
        const COLORREF clrBackground =
            pPM->ColorByIndex(c.bBackgroundBehindControls ? 3001 : CExtPaintManager::CLRID_FACE);
        const CRect rcTop = PaneRect(0);
        const CRect rcBottom = PaneRect(1);
        EXPECT_EQ(shown.Pixel(0, BarPoint(0).y), clrBackground);
        EXPECT_EQ(shown.Pixel(0, rcTop.top + 20), clrBackground);
        EXPECT_EQ(shown.Pixel(rcTop.left - 2, rcBottom.top + 20), clrBackground);
        if (!c.bBackgroundBehindControls)
        {
            EXPECT_EQ(shown.Pixel(rcTop.right + 1, BarPoint(0).y), clrBackground);
        }

        // Each pane's edge runs one pixel inside its border, right round the pane.
        for (const CRect& rcPane : {rcTop, rcBottom})
        {
            EXPECT_EQ(shown.Pixel(rcPane.left - 1, rcPane.top + 20), pPM->ColorByIndex(COLOR_BTNSHADOW));
            EXPECT_EQ(shown.Pixel(rcPane.left + 20, rcPane.top - 1), pPM->ColorByIndex(COLOR_BTNSHADOW));
            EXPECT_EQ(shown.Pixel(rcPane.right, rcPane.top + 20), pPM->ColorByIndex(c.nRightEdgeIndex));
            EXPECT_EQ(shown.Pixel(rcPane.left + 20, rcPane.bottom), pPM->ColorByIndex(c.nRightEdgeIndex));
            EXPECT_EQ(shown.Pixel(rcPane.left + 20, rcPane.top + 20), kPaneColor);
        }
    }
}

TEST_F(SplitterWndTest, NotebookTabsGiveTheBarsTheirTabColour)
{
    constexpr COLORREF kTabColor = RGB(10, 200, 30);
    struct Case
    {
        const char* what;
        bool bStrip;
        bool bStripKnowsFrame;
        int nBackgroundQueries;  // asked of the theme only without a strip
    };
    const Case cases[] = {
        {"no strip: the theme's background", false, false, 1},
        {"a strip with the frame's tab: its colour", true, true, 0},
        {"a strip without the frame's tab: nothing filled", true, false, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        auto* pManager = new CCountingManager;
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(pManager));
        CFakeNotebookTabs strip;
        if (c.bStrip)
        {
            ASSERT_TRUE(strip.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, 0, 0, 10, 10, m_pFrame->m_hWnd,
                                       nullptr));
            strip.m_hWndTabFrame = c.bStripKnowsFrame ? m_pFrame->m_hWnd : nullptr;
            strip.m_clrTab = kTabColor;
        }
        Repaint();
        const CShownPixels shown(m_pSplitter->m_hWnd);
        EXPECT_EQ(pManager->m_nBackgroundQueries, c.nBackgroundQueries);
        // The pane edges are drawn in every case.
        EXPECT_GE(pManager->m_nEdges, 2);
        const COLORREF clrBar = shown.Pixel(0, BarPoint(0).y);
        if (c.bStripKnowsFrame)
        {
            EXPECT_EQ(clrBar, kTabColor);
        }
        else if (!c.bStrip)
        {
            EXPECT_EQ(clrBar, pManager->ColorByIndex(CExtPaintManager::CLRID_FACE));
        }
        if (c.bStrip)
            strip.DestroyWindow();
    }
}

TEST_F(SplitterWndTest, WithoutADeviceContextOnlyInvalidates)
{
    auto* pManager = new CCountingManager;
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(pManager));
    Repaint();
    CRect rcClient;
    m_pSplitter->GetClientRect(&rcClient);
    struct Case
    {
        const char* what;
        CRect rcExpected;
    };
    const CRect rcBar(0, BarPoint(0).y - 3, rcClient.right, BarPoint(0).y + 4);
    for (const Case& c : {Case{"all split bars", rcClient}, Case{"one bar", rcBar}})
    {
        SCOPED_TRACE(c.what);
        m_pSplitter->ValidateRect(nullptr);
        pManager->m_nBackgroundQueries = pManager->m_nEdges = 0;
        if (c.rcExpected == rcClient)
            m_pSplitter->DrawAllSplitBars(nullptr, rcClient.right, rcClient.bottom);
        else
            m_pSplitter->OnDrawSplitter(nullptr, CSplitterWnd::splitBar, c.rcExpected);
        CRect rcUpdate;
        EXPECT_TRUE(m_pSplitter->GetUpdateRect(&rcUpdate));
        EXPECT_EQ(rcUpdate, c.rcExpected);
        EXPECT_EQ(pManager->m_nBackgroundQueries, 0);
        EXPECT_EQ(pManager->m_nEdges, 0);
        // The panes are left alone.
        CRect rcPaneUpdate;
        EXPECT_FALSE(m_pSplitter->GetPane(0, 0)->GetUpdateRect(&rcPaneUpdate));
    }
}

TEST_F(SplitterWndTest, TrackerIsAnInvertedBandOverTheParent)
{
    // Off the parent's origin, so that the band must be moved into the parent's coordinates.
    const CPoint kOffset(30, 20);
    CRect rcParent;
    m_pFrame->GetClientRect(&rcParent);
    m_pSplitter->MoveWindow(kOffset.x, kOffset.y, rcParent.Width() - 2 * kOffset.x, rcParent.Height() - 2 * kOffset.y);
    Repaint();
    const CShownPixels before(m_pFrame->m_hWnd);
    const CRect rcTracker(0, 100, 200, 107);
    CRect rcInParent(rcTracker);
    rcInParent.OffsetRect(kOffset);

    m_pSplitter->OnInvertTracker(rcTracker);
    const CShownPixels inverted(m_pFrame->m_hWnd);
    int nInside = 0;
    int nOutside = 0;
    inverted.CountChanges(before, rcInParent, nInside, nOutside);
    // A halftone band: every other pixel inverted, nothing outside it.
    EXPECT_EQ(nOutside, 0);
    EXPECT_EQ(nInside, rcInParent.Width() * rcInParent.Height() / 2);
    EXPECT_EQ(inverted.Pixel(rcInParent.left, rcInParent.top) ^ inverted.Pixel(rcInParent.left + 1, rcInParent.top),
              before.Pixel(rcInParent.left, rcInParent.top) ^ before.Pixel(rcInParent.left + 1, rcInParent.top) ^
                  RGB(255, 255, 255));

    m_pSplitter->OnInvertTracker(rcTracker);
    EXPECT_TRUE(CShownPixels(m_pFrame->m_hWnd) == before);
}

TEST_F(SplitterWndTest, DraggingTheBarLeavesNoTrace)
{
    constexpr int kDrag = 60;
    const CShownPixels before(m_pFrame->m_hWnd);

    // Cancelled: the rows stay and the screen is as it was.
    Mouse(WM_LBUTTONDOWN, BarPoint(50));
    ASSERT_TRUE(m_pSplitter->IsTracking());
    Mouse(WM_MOUSEMOVE, BarPoint(50) + CSize(0, kDrag));
    const CShownPixels during(m_pFrame->m_hWnd);
    EXPECT_FALSE(during == before);
    m_pSplitter->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpMessages();
    EXPECT_FALSE(m_pSplitter->IsTracking());
    EXPECT_EQ(PaneRect(0).Height(), kTopRowHeight);
    EXPECT_TRUE(CShownPixels(m_pFrame->m_hWnd) == before);

    // Accepted: the top row grows and what shows is what a full repaint shows.
    Mouse(WM_LBUTTONDOWN, BarPoint(50));
    Mouse(WM_MOUSEMOVE, BarPoint(50) + CSize(0, kDrag));
    Mouse(WM_LBUTTONUP, BarPoint(50) + CSize(0, kDrag));
    PumpMessages();
    m_pFrame->UpdateWindow();
    EXPECT_EQ(PaneRect(0).Height(), kTopRowHeight + kDrag);
    const CShownPixels afterDrag(m_pFrame->m_hWnd);
    Repaint();
    EXPECT_TRUE(CShownPixels(m_pFrame->m_hWnd) == afterDrag);
}
}
