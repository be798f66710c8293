// The drop-proposal record and the tracking frame's drawing.
#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtDynDockHighlightWnd.h"

#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

namespace {

using State = CExtControlBar::InternalDraggingState_t;

TEST(DragStateTest, EqualityComparesTheProposalButNotTheCursorHint)
{
    State a;
    a.m_bEmpty = false;
    a.m_nCode = State::CODE_NEST_TOP;
    a.m_rcTrack.SetRect(1, 2, 3, 4);
    State b(a);
    b.m_nCursorHint = 2;
    EXPECT_TRUE(a.IsEqual(b));

    struct Change
    {
        const char* name;
        void (*apply)(State&);
    };
    const Change changes[] = {
        {"empty", [](State& s) { s.m_bEmpty = true; }},
        {"code", [](State& s) { s.m_nCode = State::CODE_NEST_RIGHT; }},
        {"ring", [](State& s) { s.m_nRing = 3; }},
        {"rectangle", [](State& s) { s.m_rcTrack.OffsetRect(1, 0); }},
        {"target", [](State& s) { s.m_pTarget = reinterpret_cast<CWnd*>(&s); }},
        {"alternate", [](State& s) { s.m_bAlternate = true; }},
        {"tab index", [](State& s) { s.m_nTabIndex = 1; }},
    };
    for (const Change& change : changes) {
        State c(a);
        change.apply(c);
        EXPECT_FALSE(a.IsEqual(c)) << change.name;
    }
}

TEST(DragStateTest, TabIndexCountsOnlyForDropsIntoATabStrip)
{
    const struct
    {
        int nCode;
        int nExpected;
    } cases[] = {{29, 5}, {30, 5}, {28, -1}, {27, -1}, {0, -1}, {26, -1}};
    for (const auto& c : cases) {
        State s;
        s.m_nCode = c.nCode;
        s.m_nTabIndex = 5;
        EXPECT_EQ(c.nExpected, s.GetTabIndex()) << "code " << c.nCode;
    }
}

TEST(DragStateTest, ResetEmptiesTheProposalButKeepsItsCode)
{
    State s;
    s.m_bEmpty = false;
    s.m_nCode = State::CODE_CLIENT_TOP + 2;
    s.m_nTabIndex = 4;
    s.m_nCursorHint = 1;
    s.m_rcTrack.SetRect(0, 0, 10, 10);
    s.m_pTarget = reinterpret_cast<CWnd*>(&s);
    s.Reset();
    EXPECT_TRUE(s.m_bEmpty);
    EXPECT_EQ(State::CODE_CLIENT_TOP + 2, s.m_nCode);
    EXPECT_EQ(nullptr, s.m_pTarget);
    EXPECT_EQ(0, s.m_nTabIndex);
    EXPECT_EQ(0, s.m_nCursorHint);
    EXPECT_TRUE(s.m_rcTrack.IsRectEmpty());
}

// A white 32-bit canvas that a white pattern inverts to black.
class CCanvas
{
public:
    static constexpr int SIZE = 120;
    CCanvas()
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = SIZE;
        bmi.bmiHeader.biHeight = -SIZE;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        m_dc.CreateCompatibleDC(nullptr);
        m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), nullptr, 0);
        m_hOld = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
        m_dc.FillSolidRect(0, 0, SIZE, SIZE, RGB(255, 255, 255));
    }
    ~CCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
        ::DeleteObject(m_hBitmap);
    }
    bool IsInverted(int x, int y) const
    {
        ::GdiFlush();
        return (m_pBits[y * SIZE + x] & 0xFFFFFF) == 0;
    }
    CDC m_dc;

private:
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
};

TEST(DragStateTest, TrackedAreaKindsInvertTheirShapeAndADrawingTwiceErasesIt)
{
    const CRect rcArea(10, 10, 110, 110);
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME);
    RECT body{}, tab{};
    CExtDynDockHighlightWnd::CalcTabShape(rcArea, false, cxFrame + CExtDynDockHighlightWnd::TAB_INDENT, body, tab);
    const int xTabMiddle = (tab.left + tab.right) / 2;
    const struct
    {
        int nKind;
        POINT inside;   // expected inverted
        POINT outside;  // expected untouched
    } cases[] = {
        {CExtControlBar::TrackedArea_t::KIND_BAND, {60, 60}, {5, 5}},
        {CExtControlBar::TrackedArea_t::KIND_RECT, {12, 108}, {111, 60}},
        {CExtControlBar::TrackedArea_t::KIND_FRAME, {10, 60}, {60, 60}},
        // Below the body only the tab's outline is drawn: the strip beside it stays.
        {CExtControlBar::TrackedArea_t::KIND_TAB_FRAME, {tab.left, body.bottom + 2}, {tab.right + 4, 108}},
        {CExtControlBar::TrackedArea_t::KIND_TAB_FRAME, {60, 10}, {xTabMiddle, body.bottom + 2}},
    };
    for (const auto& c : cases) {
        CCanvas canvas;
        // A white pattern inverts the white canvas to black.
        CBrush white;
        white.CreateSolidBrush(RGB(255, 255, 255));
        CExtControlBar::TrackedArea_t area;
        area.m_pDC = &canvas.m_dc;
        area.m_nAreaKind = c.nKind;
        area.m_rcArea = rcArea;
        area.DrawTrackedArea(&white, PATINVERT);
        EXPECT_TRUE(canvas.IsInverted(c.inside.x, c.inside.y)) << "kind " << c.nKind;
        EXPECT_FALSE(canvas.IsInverted(c.outside.x, c.outside.y)) << "kind " << c.nKind;
        area.DrawTrackedArea(&white, PATINVERT);
        EXPECT_FALSE(canvas.IsInverted(c.inside.x, c.inside.y)) << "kind " << c.nKind << " erased";
    }
}

TEST(DragStateTest, TabShapeHalvesTheStripOfALowAreaAndMirrorsRightToLeft)
{
    const struct
    {
        CRect rc;
        bool bRtl;
        CRect body;
        CRect tab;
    } cases[] = {
        {CRect(0, 0, 200, 100), false, CRect(0, 0, 200, 82), CRect(8, 82, 44, 100)},
        {CRect(0, 0, 200, 30), false, CRect(0, 0, 200, 15), CRect(8, 15, 44, 30)},
        {CRect(0, 0, 200, 100), true, CRect(0, 0, 200, 82), CRect(156, 82, 192, 100)},
        // A narrow area keeps the tab to half the room beside it.
        {CRect(0, 0, 48, 100), false, CRect(0, 0, 48, 82), CRect(8, 82, 28, 100)},
    };
    for (const auto& c : cases) {
        RECT body{}, tab{};
        CExtDynDockHighlightWnd::CalcTabShape(c.rc, c.bRtl, CExtDynDockHighlightWnd::TAB_INDENT, body, tab);
        EXPECT_EQ(c.body, CRect(body));
        EXPECT_EQ(c.tab, CRect(tab));
    }
}

} // namespace
