#include "TestSupport.h"
#include "ui/core/ExtPaintManagerDockMarker.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct MadeWindow
{
    int nKind;
    RECT rc;
    SIZE size;
    bool bFrame;
};
std::vector<MadeWindow> g_made;
bool g_bFailWindows = false;
CWnd g_standIn;

// Stands in for the bars layer's marker windows: takes the images, as the real window does.
CWnd* FakeCreate(CWnd*, int nKind, HBITMAP hNormal, HBITMAP hHover, HRGN hRegion, const RECT& rc, HBITMAP hFrame, int,
                 int, bool)
{
    BITMAP bm{};
    ::GetObjectA(hNormal, sizeof(bm), &bm);
    g_made.push_back({nKind, rc, SIZE{bm.bmWidth, bm.bmHeight}, hFrame != nullptr});
    for (HGDIOBJ h : {static_cast<HGDIOBJ>(hNormal), static_cast<HGDIOBJ>(hHover), static_cast<HGDIOBJ>(hRegion),
                      static_cast<HGDIOBJ>(hFrame)})
        if (h != nullptr)
            ::DeleteObject(h);
    return g_bFailWindows ? nullptr : &g_standIn;
}

void FakeDestroyAll(std::vector<CWnd*>& windows) { windows.clear(); }

class DockMarkerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_made.clear();
        g_bFailWindows = false;
        CExtPaintManager::g_DockMarkerWindowHooks.pfnCreate = FakeCreate;
        CExtPaintManager::g_DockMarkerWindowHooks.pfnDestroyAll = FakeDestroyAll;
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerStudio2005)));
    }
    void TearDown() override
    {
        CExtPaintManager::g_DockMarkerWindowHooks = CExtPaintManager::DockMarkerWindowHooks{};
        g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP));
    }
};

TEST_F(DockMarkerTest, CentreCrossOfTheSecondStyle)
{
    std::vector<CWnd*> windows;
    ASSERT_TRUE(g_PaintManagerHolder->PrepareDockMarker(nullptr, 6, RECT{0, 0, 300, 200}, windows));
    ASSERT_EQ(5u, windows.size());
    ASSERT_EQ(5u, g_made.size());
    const MadeWindow& centre = g_made[4];
    EXPECT_EQ(4, centre.nKind);
    const RECT expectedCentre{106, 56, 194, 144};
    EXPECT_TRUE(::EqualRect(&expectedCentre, &centre.rc));
    // The four arms lie in the 100-pixel square around the centre, without frames.
    const RECT square{100, 50, 200, 150};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(i, g_made[i].nKind);
        EXPECT_FALSE(g_made[i].bFrame);
        RECT inside{};
        ::IntersectRect(&inside, &g_made[i].rc, &square);
        EXPECT_TRUE(::EqualRect(&inside, &g_made[i].rc)) << i;
    }
}

TEST_F(DockMarkerTest, OuterEdgeMarkersGetFrames)
{
    std::vector<CWnd*> windows;
    ASSERT_TRUE(g_PaintManagerHolder->PrepareDockMarker(nullptr, 5, RECT{0, 0, 300, 200}, windows));
    ASSERT_EQ(4u, g_made.size());
    const SIZE expected[] = {{29, 31}, {29, 31}, {31, 29}, {31, 29}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(g_made[i].bFrame) << i;
        EXPECT_EQ(expected[i].cx, g_made[i].rc.right - g_made[i].rc.left) << i;
        EXPECT_EQ(expected[i].cy, g_made[i].rc.bottom - g_made[i].rc.top) << i;
    }
    // The top marker sits centred on the top edge, moved in by the highlight margin.
    EXPECT_EQ(5, g_made[0].rc.top);
}

TEST_F(DockMarkerTest, UnknownKindsAndFailedWindowsLeaveNothingBehind)
{
    const int nFree = CountFreeGdiHandleSlots();
    std::vector<CWnd*> windows;
    EXPECT_FALSE(g_PaintManagerHolder->PrepareDockMarker(nullptr, 9, RECT{0, 0, 300, 200}, windows));
    EXPECT_TRUE(windows.empty());
    EXPECT_TRUE(g_made.empty());
    g_bFailWindows = true;
    EXPECT_FALSE(g_PaintManagerHolder->PrepareDockMarker(nullptr, 7, RECT{0, 0, 300, 200}, windows));
    EXPECT_TRUE(windows.empty());
    EXPECT_EQ(6u, g_made.size());
    // Without the bars layer's windows the images stay with the marker and go with it.
    CExtPaintManager::g_DockMarkerWindowHooks = CExtPaintManager::DockMarkerWindowHooks{};
    EXPECT_FALSE(g_PaintManagerHolder->PrepareDockMarker(nullptr, 6, RECT{0, 0, 300, 200}, windows));
    EXPECT_EQ(nFree, CountFreeGdiHandleSlots());
}

TEST_F(DockMarkerTest, LoadsItsImagesFromResources)
{
    // A bitmap every Win32 user module carries: the caption's close button.
    constexpr WORD CLOSE_BITMAP_ID = 32754;
    const HINSTANCE hUser = ::GetModuleHandleA("user32.dll");
    ASSERT_NE(nullptr, hUser);
    BITMAP expected{};
    HBITMAP hReference = ::LoadBitmapA(nullptr, MAKEINTRESOURCEA(CLOSE_BITMAP_ID));
    ASSERT_NE(nullptr, hReference);
    ::GetObjectA(hReference, sizeof(expected), &expected);
    ::DeleteObject(hReference);
    const RECT rc{0, 0, 40, 40};
    const COLORREF key = CExtPaintManager::DockMarkerBase::TRANSPARENT_KEY;
    const int nFree = CountFreeGdiHandleSlots();
    {
        CExtPaintManager::DockMarkerBase marker;
        // A missing normal or hover image loads nothing and keeps nothing.
        EXPECT_FALSE(marker.LoadFromResources(rc, 0, key, "NO_SUCH_BITMAP", nullptr, RT_BITMAP, RT_BITMAP, hUser));
        EXPECT_FALSE(marker.LoadFromResources(rc, 0, key, MAKEINTRESOURCEA(CLOSE_BITMAP_ID), "NO_SUCH_BITMAP",
                                              RT_BITMAP, RT_BITMAP, hUser, hUser));
        EXPECT_TRUE(marker.IsEmpty());
        EXPECT_EQ(nFree, CountFreeGdiHandleSlots());
        // Without a hover name the one image serves both states.
        ASSERT_TRUE(marker.LoadFromResources(rc, 0, key, MAKEINTRESOURCEA(CLOSE_BITMAP_ID), nullptr, RT_BITMAP,
                                             RT_BITMAP, hUser));
        EXPECT_FALSE(marker.IsEmpty());
        for (CBitmap* pBitmap : {&marker.m_bmpNormal, &marker.m_bmpHover}) {
            BITMAP bm{};
            ::GetObjectA(pBitmap->GetSafeHandle(), sizeof(bm), &bm);
            EXPECT_EQ(expected.bmWidth, bm.bmWidth);
            EXPECT_EQ(expected.bmHeight, bm.bmHeight);
        }
    }
    EXPECT_EQ(nFree, CountFreeGdiHandleSlots());
}

TEST_F(DockMarkerTest, FactoryAndToningFollowTheStyle)
{
    CExtPaintManager& pm = *g_PaintManagerHolder.GetFirstMember();
    std::unique_ptr<CExtPaintManager::DockMarkerBase> second(pm.CreateDockMarker());
    EXPECT_NE(nullptr, dynamic_cast<CExtPaintManager::DockMarkerBeta2*>(second.get()));
    CBitmap normal, hover;
    normal.CreateBitmap(4, 4, 1, 32, nullptr);
    hover.CreateBitmap(4, 4, 1, 32, nullptr);
    const HGDIOBJ hBefore = hover.GetSafeHandle();
    EXPECT_FALSE(pm.AdjustDockMarkerBitmaps(0, normal, 0, hover, 0));
    EXPECT_EQ(hBefore, hover.GetSafeHandle());
    pm.m_eDockMarkerStyle = 1;
    std::unique_ptr<CExtPaintManager::DockMarkerBase> first(pm.CreateDockMarker());
    EXPECT_EQ(nullptr, dynamic_cast<CExtPaintManager::DockMarkerBeta2*>(first.get()));
    EXPECT_TRUE(pm.AdjustDockMarkerBitmaps(0, normal, 0, hover, 0));
    EXPECT_FALSE(pm.AdjustDockMarkerBitmaps(4, normal, 0, hover, 0));
    pm.m_eDockMarkerStyle = 3;
    bool bThrown = false;
    try {
        delete pm.CreateDockMarker();
    } catch (CNotSupportedException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    pm.m_eDockMarkerStyle = 2;
}

} // namespace
