#include "DocViewTestResources.h"
#include "DocViewTestSupport.h"

#include <gtest/gtest.h>

namespace
{
constexpr int kPageWidth = 200;
constexpr int kPageHeight = 260;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class PrintPreviewTest : public ::testing::Test, public CMdiFixture
{
protected:
    void SetUp() override
    {
        ASSERT_NE(m_pMainFrame, nullptr);
        m_pDoc = NewDocument();
        ASSERT_NE(m_pDoc, nullptr);
        m_pChild = m_pMainFrame->MDIGetActive();
        ASSERT_NE(m_pChild, nullptr);
        m_pView = dynamic_cast<CTestView*>(m_pChild->GetActiveView());
        ASSERT_NE(m_pView, nullptr);
    }

    CPreviewView* Preview() { return dynamic_cast<CPreviewView*>(m_pChild->GetActiveView()); }

    // Renders one page into a white memory bitmap of the page size and reads pixels back.
    class CPageBitmap
    {
    public:
        CPageBitmap()
        {
            BITMAPINFO bmi = {};
            bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
            bmi.bmiHeader.biWidth = kPageWidth;
            bmi.bmiHeader.biHeight = -kPageHeight;
            bmi.bmiHeader.biPlanes = 1;
            bmi.bmiHeader.biBitCount = 32;
            void* pBits = nullptr;
            m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
            m_dc.CreateCompatibleDC(nullptr);
            m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
            m_dc.FillSolidRect(0, 0, kPageWidth, kPageHeight, RGB(128, 128, 128));
        }
        ~CPageBitmap()
        {
            ::SelectObject(m_dc.m_hDC, m_hOld);
            ::DeleteObject(m_hBitmap);
        }
        COLORREF Pixel(int x, int y) { return ::GetPixel(m_dc.m_hDC, x, y); }
        CDC m_dc;

    private:
        HBITMAP m_hBitmap = nullptr;
        HGDIOBJ m_hOld = nullptr;
    };

    CTestDoc* m_pDoc = nullptr;
    CMDIChildWnd* m_pChild = nullptr;
    CTestView* m_pView = nullptr;
};

TEST_F(PrintPreviewTest, PreviewRendersPagesAsTheViewPrintsThem)
{
    Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_FALSE(m_pView->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(pPreview->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    pPreview->UpdateWindow();

    // Each page has its square a tenth of the page wide, one tenth down, at the page number's tenth across.
    const struct
    {
        UINT nPage;
        int xBlack;
        int xWhite;
    } pages[] = {{1, 30, 50}, {2, 50, 30}};
    for (const auto& page : pages)
    {
        SCOPED_TRACE(page.nPage);
        CPageBitmap bitmap;
        pPreview->RenderPage(&bitmap.m_dc, page.nPage, CRect(0, 0, kPageWidth, kPageHeight));
        EXPECT_EQ(m_pView->m_printedPages.back(), page.nPage);
        EXPECT_EQ(bitmap.Pixel(page.xBlack, kPageHeight * 15 / 100), kBlack);
        EXPECT_EQ(bitmap.Pixel(page.xWhite, kPageHeight * 15 / 100), kWhite);
        EXPECT_EQ(bitmap.Pixel(5, 5), kWhite);
        EXPECT_EQ(bitmap.Pixel(page.xBlack, kPageHeight * 50 / 100), kWhite);
    }
}

TEST_F(PrintPreviewTest, PagesZoomAndClose)
{
    Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(pPreview->m_nCurrentPage, 1u);

    // The view has two pages: Next stops at the second, Previous at the first.
    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pPreview->m_nCurrentPage, 2u);
    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pPreview->m_nCurrentPage, 2u);
    Command(AFX_ID_PREVIEW_PREV);
    Command(AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(pPreview->m_nCurrentPage, 1u);
    EXPECT_FALSE(pPreview->PageExists(3));

    Command(AFX_ID_PREVIEW_ZOOMIN);
    Command(AFX_ID_PREVIEW_ZOOMIN);
    Command(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(pPreview->m_nZoomState, static_cast<UINT>(CPreviewView::ZOOM_IN));
    Command(AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(pPreview->m_nZoomState, static_cast<UINT>(CPreviewView::ZOOM_MIDDLE));
    Command(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(pPreview->m_nPages, 2u);

    // Closing gives the frame back to the view.
    Command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(m_pChild->GetActiveView(), m_pView);
    EXPECT_TRUE(m_pView->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(m_pView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(Preview(), nullptr);
}

TEST_F(PrintPreviewTest, ClosingTheFrameDuringPreviewStillAsksToSave)
{
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(Preview(), nullptr);
    m_pDoc->SetModifiedFlag();
    TestApp().m_answers = {IDCANCEL};
    m_pChild->SendMessage(WM_CLOSE);
    ASSERT_EQ(TestApp().m_prompts.size(), 1u);
    EXPECT_EQ(TestApp().GetOpenDocumentCount(), 1);
}
}
