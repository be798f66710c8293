// The stage as a drop target, Insert Bitmap with picture files, printing and preview.
#include "StageTestSupport.h"

#include "model/FlashBitmap.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/PictureFile.h"
#include "stage/FlashEditorView.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

// Offers a device bitmap, or nothing, or fails every request.
class CTestDataObject : public IDataObject {
public:
    enum class Mode { Bitmap, Text, Failing };
    explicit CTestDataObject(Mode mode) : m_mode(mode) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        ++m_nRequests;
        if (m_mode == Mode::Failing)
            return E_UNEXPECTED;
        if (m_mode == Mode::Text || format->cfFormat != CF_BITMAP || !(format->tymed & TYMED_GDI))
            return DV_E_FORMATETC;
        medium->tymed = TYMED_GDI;
        medium->hBitmap = MakeDeviceBitmap(16, 12, kRed);
        medium->pUnkForRelease = nullptr;
        m_handed.push_back(medium->hBitmap);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

    Mode m_mode;
    int m_nRequests = 0;
    std::vector<HBITMAP> m_handed;
};

class DropAndPrintTest : public ::testing::Test, public CStageFixture {
protected:
    void SetUp() override { ASSERT_NE(m_pView, nullptr); }
    size_t ShapeCount() const
    {
        std::vector<CFlashShape*> shapes;
        m_pDoc->GetCurrentLayer()->GetCurrentFrameShapes(shapes);
        return shapes.size();
    }
};

TEST_F(DropAndPrintTest, DropOfABitmapAddsAShapeAndReportsACopy)
{
    const struct {
        CTestDataObject::Mode mode;
        DWORD effect;
        size_t shapes;
    } cases[] = {
        {CTestDataObject::Mode::Bitmap, DROPEFFECT_COPY, 1},
        {CTestDataObject::Mode::Text, DROPEFFECT_NONE, 0},
        {CTestDataObject::Mode::Failing, DROPEFFECT_NONE, 0},
    };
    for (const auto& c : cases) {
        CStageFixture fixture;
        CTestDataObject data(c.mode);
        IDropTarget* target = fixture.m_pView;
        const int steps = fixture.StepCount();
        POINTL point = {10, 10};
        // A source that allows moving offers both: the stage only ever copies.
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->DragEnter(&data, 0, point, &effect), S_OK);
        EXPECT_EQ(effect, c.effect);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->DragOver(0, point, &effect), S_OK);
        EXPECT_EQ(effect, c.effect) << "DragOver answers as DragEnter did";
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->Drop(&data, 0, point, &effect), S_OK);
        EXPECT_EQ(effect, c.effect);
        std::vector<CFlashShape*> shapes;
        fixture.m_pDoc->GetCurrentLayer()->GetCurrentFrameShapes(shapes);
        ASSERT_EQ(shapes.size(), c.shapes);
        EXPECT_EQ(fixture.StepCount(), steps + int(c.shapes));
        if (c.shapes == 1) {
            EXPECT_NE(dynamic_cast<CFlashBitmap*>(shapes[0]), nullptr);
            EXPECT_EQ(fixture.LastStepName(), "Insert Bitmap");
        }
        // Every medium handed over was released.
        for (HBITMAP handed : data.m_handed)
            EXPECT_EQ(::GetObjectType(handed), 0u);
    }
}

TEST_F(DropAndPrintTest, InsertBitmapTakesEveryPictureFormat)
{
    for (const char* extension : {"bmp", "gif", "tif", "jpg", "png", "ico"}) {
        std::string path = WritePictureFile(extension, 24, 16, kRed);
        ASSERT_FALSE(path.empty()) << extension;
        HBITMAP picture = CPictureFile::Load(path.c_str());
        ASSERT_NE(picture, nullptr) << extension << " " << path;
        m_host.m_hPicture = picture;
        size_t before = ShapeCount();
        m_pView->SendMessage(WM_COMMAND, 32873);
        EXPECT_EQ(ShapeCount(), before + 1) << extension;
        EXPECT_EQ(LastStepName(), "Insert Bitmap") << extension;
        EXPECT_EQ(::GetObjectType(picture), 0u) << extension << ": the picture is freed";
        ::DeleteFileA(path.c_str());
    }
}

TEST_F(DropAndPrintTest, RefusedPicturesAddNothing)
{
    CFlashShape* selected = AddRect(10, 10, 10, 10, kRed);
    m_pView->AddToSelection(selected, false);
    const int steps = StepCount();
    // A host without a picture.
    m_pView->SendMessage(WM_COMMAND, 32873);
    // A locked layer refuses the shape.
    m_pDoc->GetCurrentLayer()->SetLocked(true);
    m_host.m_hPicture = MakeDeviceBitmap(8, 8, kRed);
    HBITMAP picture = m_host.m_hPicture;
    m_pView->SendMessage(WM_COMMAND, 32873);
    EXPECT_EQ(::GetObjectType(picture), 0u);
    // No span at the current frame.
    m_pDoc->GetCurrentLayer()->SetLocked(false);
    m_pDoc->SetCurrentFrame(50);
    m_pView->AddToSelection(selected, false);
    HBITMAP other = MakeDeviceBitmap(8, 8, kRed);
    EXPECT_FALSE(m_pView->InsertBitmapShape(other));
    ::DeleteObject(other);
    EXPECT_EQ(StepCount(), steps);
    EXPECT_EQ(m_pView->GetSelection().size(), 1u);
    m_pDoc->SetCurrentFrame(1);
    EXPECT_EQ(ShapeCount(), 1u);
}

// A printing DC on a white page bitmap.
class CPrintPage {
public:
    CPrintPage(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_dc.CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc.m_hDC, m_bitmap);
        m_dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
        m_dc.m_bPrinting = TRUE;
    }
    ~CPrintPage()
    {
        ::SelectObject(m_dc.m_hDC, m_old);
        ::DeleteObject(m_bitmap);
    }
    COLORREF Pixel(int x, int y) { return ::GetPixel(m_dc.m_hDC, x, y); }
    CDC m_dc;
    int m_width;
    int m_height;

private:
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

TEST_F(DropAndPrintTest, PrintingFitsTheStageToThePage)
{
    m_pDoc->SetBackgroundColor(RGB(255, 255, 0));
    CFlashShape* shape = AddRect(0, 0, 275, 200, kRed);  // the stage's upper-left quarter
    m_pView->AddToSelection(shape, false);
    CPrintPage page(1100, 1600);
    m_pView->OnDraw(&page.m_dc);
    // 550 x 400 doubled fills the width; centred down the page from y = 400.
    const struct {
        const char* where;
        int x, y;
        COLORREF color;
    } cases[] = {
        {"page above the stage", 550, 200, RGB(255, 255, 255)},
        {"the shape", 275, 600, kRed},
        {"shape's upper left corner, no selection frame", 3, 403, kRed},
        {"stage background", 825, 1000, RGB(255, 255, 0)},
        {"page below the stage", 550, 1400, RGB(255, 255, 255)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(page.Pixel(c.x, c.y), c.color) << c.where;
    EXPECT_EQ(shape->GetState(), kResourceStateSelected) << "the selection is kept";
}

TEST_F(DropAndPrintTest, PreviewOpensAndCloses)
{
    AddRect(100, 100, 200, 100, kRed);
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CView* preview = m_pFrame->GetActiveView();
    ASSERT_NE(preview, nullptr);
    ASSERT_NE(static_cast<CWnd*>(preview), static_cast<CWnd*>(m_pView));
    preview->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CWindowCapture capture(preview->GetSafeHwnd());
    capture.Save("print-preview.png");
    int red = 0;
    for (int y = 0; y < capture.Height(); y += 2)
        for (int x = 0; x < capture.Width(); x += 2)
            red += capture.Pixel(x, y) == kRed;
    EXPECT_GT(red, 0) << "the page shows the drawing";
    preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(static_cast<CWnd*>(m_pFrame->GetActiveView()), static_cast<CWnd*>(m_pView));
    EXPECT_TRUE(m_pView->GetStyle() & WS_VISIBLE);
}

} // namespace
