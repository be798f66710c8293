#include "TimelineTestSupport.h"

#include "model/FlashEditorLayer.h"

#include <gtest/gtest.h>

using namespace TimelineTest;

namespace
{
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Left and top pixel of a frame cell.
int FrameX(int col)
{
    return kNameWidth + (col - 1) * kFrameWidth;
}
int RowY(int row)
{
    return row * kRowHeight;
}
}  // namespace

// Layer states to cell flags, as a paint works them out.
TEST(GridLook, SpansGiveTheCellsTheirTimelineFlags)
{
    const struct {
        const char* name;
        std::vector<SpanLayout> spans;
        std::vector<std::pair<int, UINT>> flags;  // frame, flags
    } cases[] = {
        {"plain span 3-6 with shapes between empty spans",
         {{1, 2, false, false}, {3, 6, false, true}, {7, 7, false, false}},
         {{3, TLF_SPANSTART | TLF_CONTENT | TLF_TWEENBROKEN},
          {4, TLF_CONTENT | TLF_TWEENBROKEN},
          {5, TLF_CONTENT | TLF_TWEENBROKEN},
          {6, TLF_SPANEND | TLF_CONTENT | TLF_TWEENBROKEN},
          {7, TLF_SPANSTART},
          {8, 0}}},
        {"two consecutive tweens",
         {{1, 4, true, true}, {5, 8, true, true}},
         {{1, TLF_SPANSTART | TLF_TWEEN | TLF_TWEENSTART},
          {2, TLF_TWEEN},
          {4, TLF_SPANEND | TLF_TWEEN},
          {5, TLF_SPANSTART | TLF_TWEEN | TLF_TWEENSTART | TLF_TWEENJOIN},
          {8, TLF_SPANEND | TLF_TWEEN}}},
        {"tween followed by a plain keyframe is broken",
         {{1, 4, true, true}, {5, 5, false, false}},
         {{1, TLF_SPANSTART | TLF_TWEEN | TLF_TWEENSTART | TLF_TWEENBROKEN},
          {3, TLF_TWEEN | TLF_TWEENBROKEN},
          {4, TLF_SPANEND | TLF_TWEEN | TLF_TWEENBROKEN},
          {5, TLF_SPANSTART}}},
        {"one empty frame", {{1, 1, false, false}}, {{1, TLF_SPANSTART}, {2, 0}, {599, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = MakeDocument(1);
        BuildSpans(*doc, *doc->GetLayer(1), c.spans);
        CGridHost host(doc.get());
        CCapture paint(host.Grid());
        for (const auto& [frame, flags] : c.flags) {
            SCOPED_TRACE(testing::Message() << "frame " << frame);
            const CGridCellBase* pCell = host.Grid().GetCell(1, frame);
            EXPECT_EQ(flags, pCell->GetTimelineFlags());
            EXPECT_EQ(flags != 0, pCell->HasSpan());
        }
    }
}

class GridLookPixels : public testing::Test
{
protected:
    virtual bool Shown() const { return false; }
    void SetUp() override
    {
        m_doc = MakeDocument(3);
        BuildSpans(*m_doc, *m_doc->GetLayer(1), {{1, 2, false, true}, {3, 3, false, false}});
        BuildSpans(*m_doc, *m_doc->GetLayer(2), {{1, 4, true, true}, {5, 8, true, true}});
        BuildSpans(*m_doc, *m_doc->GetLayer(3), {{1, 4, true, true}, {5, 5, false, false}});
        m_doc->GetLayer(3)->SetVisible(false);
        m_doc->GetLayer(3)->SetLocked(true);
        m_host = std::make_unique<CGridHost>(m_doc.get(), Shown());
    }

    std::unique_ptr<CFlashEditorDoc> m_doc;
    std::unique_ptr<CGridHost> m_host;
};

TEST_F(GridLookPixels, MarksColoursAndIconsAtTheirPixels)
{
    const CCapture shot(m_host->Grid());
    const struct {
        const char* what;
        int x;
        int y;
        COLORREF colour;
    } cases[] = {
        {"keyframe dot", FrameX(1) + 4, RowY(1) + 16, kBlack},
        {"content background", FrameX(1) + 8, RowY(1) + 5, TIMELINE_CONTENT_BACK},
        {"span-end square's edge", FrameX(2) + 1, RowY(1) + 16, kBlack},
        {"span-end square's inside", FrameX(2) + 4, RowY(1) + 16, kWhite},
        {"span's dark bottom line", FrameX(2) + 4, RowY(1) + 21, RGB(0x31, 0x31, 0x31)},
        {"empty frame past the layer's end", FrameX(9) + 4, RowY(1) + 8, kWhite},
        {"fifth frame outside spans", FrameX(10) + 4, RowY(1) + 8, kFifthFrame},
        {"tween background", FrameX(2) + 8, RowY(2) + 5, TIMELINE_TWEEN_BACK},
        {"tween line", FrameX(2) + 2, RowY(2) + 15, kBlack},
        {"arrow head", FrameX(4) + 6, RowY(2) + 14, kBlack},
        {"no line on a joined tween's first frame", FrameX(5) + 8, RowY(2) + 15, TIMELINE_TWEEN_BACK},
        {"broken tween: left half empty", FrameX(2) + 2, RowY(3) + 15, TIMELINE_TWEEN_BACK},
        {"broken tween: right half drawn", FrameX(2) + 7, RowY(3) + 15, kBlack},
        {"broken tween ends without arrow", FrameX(4) + 6, RowY(3) + 14, TIMELINE_TWEEN_BACK},
        {"hidden locked layer: outline icon", 129 + 8, RowY(3) + 3 + 8, kIconColours[GRID_IMAGE_OUTLINE]},
        {"hidden locked layer: lock icon", 111 + 8, RowY(3) + 3 + 8, kIconColours[GRID_IMAGE_LOCK]},
        {"hidden locked layer: cross icon", 93 + 8, RowY(3) + 3 + 8, kIconColours[GRID_IMAGE_CROSS]},
        {"visible unlocked layer: dots", 111 + 8, RowY(1) + 3 + 8, kIconColours[GRID_IMAGE_DOT]},
        {"grid background below the rows", 300, RowY(4) + 10, kGridBack},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.colour, shot.At(c.x, c.y)) << std::hex << shot.At(c.x, c.y);
    }
}

class GridLookScreen : public GridLookPixels
{
protected:
    bool Shown() const override { return true; }
};

TEST_F(GridLookScreen, ScreenPaintMatchesTheCaptureAndIsSaved)
{
    const CCapture screen(m_host->Grid(), true);
    const CCapture print(m_host->Grid());
    for (const CPoint p : {CPoint(FrameX(1) + 4, RowY(1) + 16), CPoint(FrameX(2) + 8, RowY(2) + 5),
                           CPoint(111 + 8, RowY(3) + 11)})
        EXPECT_EQ(print.At(p.x, p.y), screen.At(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_TRUE(screen.SavePng("timeline.png"));
}

// A fifth frame painted inside a span shows its shading again once the span is gone.
TEST(GridLook, FifthFrameShadingSurvivesASpanThatCameAndWent)
{
    auto doc = MakeDocument(1);
    BuildSpans(*doc, *doc->GetLayer(1), {{1, 7, false, false}});
    CGridHost host(doc.get());
    for (int paint = 0; paint < 2; ++paint)
        EXPECT_EQ(kWhite, CCapture(host.Grid()).At(FrameX(5) + 4, RowY(1) + 8));
    doc->GetLayer(1)->RemoveFrames(2, 7);
    EXPECT_EQ(kFifthFrame, CCapture(host.Grid()).At(FrameX(5) + 4, RowY(1) + 8));
}

TEST(GridLook, GridWithoutDocumentPaintsPlainCells)
{
    CGridHost host(nullptr);
    const CCapture shot(host.Grid());
    EXPECT_EQ(kWhite, shot.At(FrameX(1) + 4, RowY(1) + 16));
    EXPECT_EQ(kFifthFrame, shot.At(FrameX(5) + 4, RowY(1) + 8));
    EXPECT_EQ(0u, host.Grid().GetCell(1, 1)->GetTimelineFlags());
}

TEST(GridLook, NothingIsPaintedWhileDrawingIsOff)
{
    auto doc = MakeDocument(1);
    CGridHost host(doc.get());
    host.Grid().AllowRedraw(FALSE);
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HBITMAP hBmp = ::CreateCompatibleBitmap(::GetDC(nullptr), 50, 50);
    HGDIOBJ old = ::SelectObject(hMem, hBmp);
    RECT all = {0, 0, 50, 50};
    ::FillRect(hMem, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    host.Grid().SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hMem), PRF_CLIENT);
    EXPECT_EQ(kBlack, ::GetPixel(hMem, 20, 20));
    ::SelectObject(hMem, old);
    ::DeleteObject(hBmp);
    ::DeleteDC(hMem);
}

// Clicks, a drag and keys move the focus and the selection about; what is left on the screen
// is what a full repaint draws, with no frame or fill left behind.
TEST_F(GridLookScreen, FocusAndSelectionLeaveNothingBehind)
{
    CGridHost& host = *m_host;
    host.Grid().RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    host.Click(host.CellCentre(1, 5));
    host.Click(host.CellCentre(2, 12));
    host.Drag(host.CellCentre(1, 3), host.CellCentre(2, 8));
    host.Click(host.CellCentre(3, 20));
    host.Key(VK_LEFT);
    host.Key(VK_UP);
    host.Click(host.CellCentre(1, 30));
    Pump(50);
    CRect client;
    host.Grid().GetClientRect(&client);
    const CCapture left(client.Width(), client.Height(), [&](HDC hMem) {
        HDC hWndDC = ::GetDC(host.Grid().GetSafeHwnd());
        ::BitBlt(hMem, 0, 0, client.Width(), client.Height(), hWndDC, 0, 0, SRCCOPY);
        ::ReleaseDC(host.Grid().GetSafeHwnd(), hWndDC);
    });
    const CCapture repainted(host.Grid());
    int differing = 0;
    CPoint first(-1, -1);
    for (int y = 0; y < left.Height(); ++y)
        for (int x = 0; x < left.Width(); ++x)
            if (left.At(x, y) != repainted.At(x, y) && differing++ == 0)
                first = CPoint(x, y);
    left.SavePng("timeline-after-clicks.png");
    EXPECT_EQ(0, differing) << "first at " << first.x << "," << first.y << ": " << std::hex << left.At(first.x, first.y)
                            << " where a repaint has " << repainted.At(first.x, first.y);
}
