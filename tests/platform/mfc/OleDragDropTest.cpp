#include "DocViewTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
constexpr int kBitmapWidth = 32;
constexpr int kBitmapHeight = 24;

// Renders CF_TEXT only when asked.
class CDelayedTextSource : public COleDataSource
{
public:
    int m_nRenders = 0;
    BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override
    {
        if (lpFormatEtc->cfFormat != CF_TEXT)
            return FALSE;
        ++m_nRenders;
        static const char kText[] = "rendered late";
        *phGlobal = ::GlobalAlloc(GMEM_MOVEABLE, sizeof kText);
        std::memcpy(::GlobalLock(*phGlobal), kText, sizeof kText);
        ::GlobalUnlock(*phGlobal);
        return TRUE;
    }
};

class OleDragDropTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "drop", WS_POPUP, 0, 0, 300, 200,
                                      nullptr, nullptr));
        m_pView = new CTestView;
        ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &m_parent, 1));
        ASSERT_TRUE(m_target.Register(m_pView));
    }
    void TearDown() override
    {
        m_target.Revoke();
        m_parent.DestroyWindow();
        ::OleUninitialize();
    }

    // Drags the data object over the view and drops it, as OLE would; returns the drop's effect.
    DWORD DragAndDrop(IDataObject* pDataObject, DWORD dwAllowed, DWORD* pdwEnterEffect)
    {
        IDropTarget* pTarget = m_target.GetDropTarget();
        POINTL pt = {10, 10};
        DWORD dwEffect = dwAllowed;
        pTarget->DragEnter(pDataObject, MK_LBUTTON, pt, &dwEffect);
        *pdwEnterEffect = dwEffect;
        dwEffect = dwAllowed;
        pTarget->DragOver(MK_LBUTTON, pt, &dwEffect);
        dwEffect = dwAllowed;
        pTarget->Drop(pDataObject, 0, pt, &dwEffect);
        return dwEffect;
    }

    CWnd m_parent;
    CTestView* m_pView = nullptr;
    COleDropTarget m_target;
};

TEST_F(OleDragDropTest, ViewReceivesABitmapFromADataSource)
{
    COleDataSource source;
    HDC hScreen = ::GetDC(nullptr);
    STGMEDIUM stgMedium = {};
    stgMedium.tymed = TYMED_GDI;
    stgMedium.hBitmap = ::CreateCompatibleBitmap(hScreen, kBitmapWidth, kBitmapHeight);
    ::ReleaseDC(nullptr, hScreen);
    FORMATETC formatEtc = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    source.CacheData(CF_BITMAP, &stgMedium, &formatEtc);

    DWORD dwEnter = DROPEFFECT_NONE;
    DWORD dwDrop = DragAndDrop(source.GetDataObject(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &dwEnter);
    EXPECT_EQ(dwEnter, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(dwDrop, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(m_pView->m_sizeDropped.cx, kBitmapWidth);
    EXPECT_EQ(m_pView->m_sizeDropped.cy, kBitmapHeight);
}

TEST_F(OleDragDropTest, DataWithoutABitmapIsRefused)
{
    COleDataSource source;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(::GlobalLock(hText), "hello", 6);
    ::GlobalUnlock(hText);
    source.CacheGlobalData(CF_TEXT, hText);

    DWORD dwEnter = DROPEFFECT_COPY;
    EXPECT_EQ(DragAndDrop(source.GetDataObject(), DROPEFFECT_COPY, &dwEnter), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(dwEnter, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(m_pView->m_sizeDropped.cx, 0);
}

TEST_F(OleDragDropTest, DelayedDataIsRenderedOnRequest)
{
    CDelayedTextSource source;
    source.DelayRenderData(CF_TEXT);
    COleDataObject dataObject;
    dataObject.Attach(source.GetDataObject(), FALSE);
    EXPECT_TRUE(dataObject.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(dataObject.IsDataAvailable(CF_BITMAP));
    EXPECT_EQ(source.m_nRenders, 0);

    HGLOBAL hText = dataObject.GetGlobalData(CF_TEXT);
    ASSERT_NE(hText, nullptr);
    EXPECT_STREQ(static_cast<const char*>(::GlobalLock(hText)), "rendered late");
    ::GlobalUnlock(hText);
    ::GlobalFree(hText);
    EXPECT_EQ(source.m_nRenders, 1);
    EXPECT_EQ(dataObject.GetGlobalData(CF_BITMAP), nullptr);

    // The formats offered can be listed.
    dataObject.BeginEnumFormats();
    FORMATETC formatEtc;
    ASSERT_TRUE(dataObject.GetNextFormat(&formatEtc));
    EXPECT_EQ(formatEtc.cfFormat, CF_TEXT);
    EXPECT_FALSE(dataObject.GetNextFormat(&formatEtc));
}

TEST_F(OleDragDropTest, CachedGlobalDataSurvivesTheReader)
{
    COleDataSource source;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(::GlobalLock(hText), "kept", 5);
    ::GlobalUnlock(hText);
    source.CacheGlobalData(CF_TEXT, hText);
    COleDataObject dataObject;
    dataObject.Attach(source.GetDataObject(), FALSE);
    // Each reader gets a copy of its own; the source's block stays for the next one.
    for (int i = 0; i < 2; ++i)
    {
        HGLOBAL hCopy = dataObject.GetGlobalData(CF_TEXT);
        ASSERT_NE(hCopy, nullptr);
        EXPECT_NE(hCopy, hText);
        EXPECT_STREQ(static_cast<const char*>(::GlobalLock(hCopy)), "kept");
        ::GlobalUnlock(hCopy);
        ::GlobalFree(hCopy);
    }
}
}

namespace
{
TEST(OleDropSourceTest, ButtonsAndEscapeDecideTheDrag)
{
    COleDropSource source;
    source.m_dwButtonDrop = MK_LBUTTON;
    source.m_dwButtonCancel = MK_RBUTTON;
    struct Case
    {
        BOOL bStarted;
        BOOL bEscape;
        DWORD dwKeys;
        SCODE sc;
    };
    const Case cases[] = {
        {TRUE, FALSE, MK_LBUTTON, S_OK},                          // still dragging
        {TRUE, FALSE, 0, DRAGDROP_S_DROP},                        // button released
        {FALSE, FALSE, 0, DRAGDROP_S_CANCEL},                     // released before the drag began
        {TRUE, TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},              // Escape
        {TRUE, FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL}, // the other button
    };
    for (const Case& c : cases)
    {
        source.m_bDragStarted = c.bStarted;
        EXPECT_EQ(source.QueryContinueDrag(c.bEscape, c.dwKeys), c.sc) << c.dwKeys << " " << c.bEscape;
    }
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    // Without a start rectangle the drag begins at once.
    EXPECT_TRUE(source.OnBeginDrag(nullptr));
}

TEST(OleDropSourceTest, DragDelayIsProcessWideAndSettable)
{
    const UINT nSaved = COleDropSource::nDragDelay;
    POINT cursor;
    ::GetCursorPos(&cursor);
    COleDropSource source;
    source.m_rectStartDrag.SetRect(cursor.x - 4, cursor.y - 4, cursor.x + 5, cursor.y + 5);

    // A held press inside the start rectangle starts the drag once the delay has passed.
    COleDropSource::nDragDelay = 40;
    const DWORD dwStart = ::GetTickCount();
    EXPECT_TRUE(source.OnBeginDrag(nullptr));
    EXPECT_GE(::GetTickCount() - dwStart, 40u);

    // With a delay no one waits out, only leaving the rectangle starts it: a release cancels.
    COleDropSource::nDragDelay = 10000000;
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(source.OnBeginDrag(nullptr));
    COleDropSource::nDragDelay = nSaved;
}

TEST_F(OleDragDropTest, ClipboardHoldsTheDataSource)
{
    auto* pSource = new COleDataSource;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 8);
    std::memcpy(::GlobalLock(hText), "copied", 7);
    ::GlobalUnlock(hText);
    pSource->CacheGlobalData(CF_TEXT, hText);
    // The clipboard owns the data source from here on.
    ASSERT_TRUE(pSource->SetClipboard());

    COleDataObject clipboard;
    ASSERT_TRUE(clipboard.AttachClipboard());
    EXPECT_TRUE(clipboard.IsDataAvailable(CF_TEXT));
    HGLOBAL hCopy = clipboard.GetGlobalData(CF_TEXT);
    ASSERT_NE(hCopy, nullptr);
    EXPECT_STREQ(static_cast<const char*>(::GlobalLock(hCopy)), "copied");
    ::GlobalUnlock(hCopy);
    ::GlobalFree(hCopy);
    clipboard.Release();
    ::OleSetClipboard(nullptr);
}
}
