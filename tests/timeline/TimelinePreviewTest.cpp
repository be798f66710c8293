#include "TimelineTestSupport.h"

#include "timeline/MovieControlGridView.h"

#include "model/FlashEditorLayer.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/CreateContext.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/PreviewView.h"

#include <gtest/gtest.h>

using namespace TimelineTest;

namespace
{
constexpr int kFrameWidthPx = 1000;
constexpr int kFrameHeightPx = 500;

// How many pixels of the capture have the colour.
int CountPixels(const CCapture& shot, COLORREF colour)
{
    int count = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            count += shot.At(x, y) == colour;
    return count;
}
}  // namespace

// The timeline view as the application frames it: the frame's only pane.
class TimelinePreview : public testing::Test
{
protected:
    void SetUp() override
    {
        m_doc = MakeDocument(3);
        for (int layer = 1; layer <= 3; ++layer)
            BuildSpans(*m_doc, *m_doc->GetLayer(layer), {{1, 3, false, true}, {4, 9, true, true}});
        m_doc->m_bAutoDelete = FALSE;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CMovieControlGridView);
        context.m_pCurrentDoc = m_doc.get();
        m_pFrame = new CFrameWnd;
        // A popup: no window manager is asked about it.
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Timeline", WS_POPUP, CRect(0, 0, kFrameWidthPx, kFrameHeightPx),
                                     nullptr, nullptr, 0, &context));
        m_pFrame->InitialUpdateFrame(m_doc.get(), FALSE);
        m_pFrame->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        m_pView = dynamic_cast<CMovieControlGridView*>(m_pFrame->GetActiveView());
        ASSERT_NE(nullptr, m_pView);
        ASSERT_NE(nullptr, m_pView->GetGrid());
    }
    void TearDown() override
    {
        if (m_pFrame && m_pFrame->GetSafeHwnd())
            m_pFrame->DestroyWindow();
        Pump();
        m_doc.reset();
    }
    CPreviewView* Preview() { return dynamic_cast<CPreviewView*>(m_pFrame->GetActiveView()); }

    std::unique_ptr<CFlashEditorDoc> m_doc;
    CFrameWnd* m_pFrame = nullptr;
    CMovieControlGridView* m_pView = nullptr;
};

TEST_F(TimelinePreview, OpensShowingTheTimelinesSpansAndCloses)
{
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    CPreviewView* pPreview = Preview();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_FALSE(m_pView->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(m_pView, pPreview->m_pPrintView);

    // The first page drawn at the printer's size carries the spans' colours and keyframe dots.
    const CSize page = pPreview->m_sizePrinterPage;
    ASSERT_GT(page.cx, 0);
    const CCapture printed(page.cx, page.cy, [&](HDC hDC) {
        CDC dc;
        dc.Attach(hDC);
        pPreview->RenderPage(&dc, 1, CRect(0, 0, page.cx, page.cy));
        dc.Detach();
    });
    EXPECT_GT(CountPixels(printed, TIMELINE_CONTENT_BACK), 0);
    EXPECT_GT(CountPixels(printed, TIMELINE_TWEEN_BACK), 0);
    EXPECT_GT(CountPixels(printed, RGB(0, 0, 0)), 0);

    CRect client;
    pPreview->GetClientRect(&client);
    const CCapture window(client.Width(), client.Height(), [&](HDC hDC) {
        CDC dc;
        dc.Attach(hDC);
        pPreview->OnDraw(&dc);
        dc.Detach();
    });
    EXPECT_GT(CountPixels(window, TIMELINE_TWEEN_BACK), 0);
    EXPECT_TRUE(window.SavePng("timeline-preview.png"));

    m_pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0);
    Pump();
    EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
    EXPECT_TRUE(m_pView->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, m_pView->GetDlgCtrlID());
    // The view works as before: a command still reaches it.
    m_pView->GetGrid()->SetFocusCell(1, 4);
    m_pView->GetGrid()->SelectRange(1, 4, 1, 4);
    m_pView->SendMessage(WM_COMMAND, ID_TIMELINE_INSERT_KEYFRAME, 0);
    EXPECT_EQ(3, m_doc->GetLayer(1)->GetSpanCount());
}

TEST_F(TimelinePreview, ClosingTheFrameDuringPreviewLeavesNothingBehind)
{
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    ASSERT_NE(nullptr, Preview());
    m_pView->SendMessage(WM_COMMAND, ID_TIMELINE_PLAY, 0);
    m_pFrame->DestroyWindow();
    m_pFrame = nullptr;
    Pump(50);
    EXPECT_FALSE(m_doc->IsPlaying());
}
