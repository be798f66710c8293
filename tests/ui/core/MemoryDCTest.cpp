#include "TestSupport.h"
#include "ui/core/ExtMemoryDC.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF OLD = RGB(255, 255, 255);
constexpr COLORREF BACK = RGB(0, 0, 200);
constexpr COLORREF PAINT = RGB(220, 10, 10);
const RECT AREA{4, 4, 20, 16};
const RECT PAINTED{6, 6, 10, 10};

TEST(MemoryDCTest, BufferedPaintingReachesTheTargetAtTheEnd)
{
    struct Case { DWORD flags; COLORREF unpainted; };
    const Case cases[] = {
        {CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND, BACK},
        {CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE, OLD},
        {CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_DIB_SECTION | CExtMemoryDC::MDCOPT_FILL_SURFACE, OLD},
    };
    for (const Case& c : cases) {
        CPixelCanvas target(24, 20, OLD);
        target.dc().SetBkColor(BACK);
        {
            CExtMemoryDC dc(&target.dc(), &AREA, c.flags);
            EXPECT_TRUE(dc.IsBuffering());
            EXPECT_EQ((c.flags & CExtMemoryDC::MDCOPT_DIB_SECTION) != 0, dc.GetBits() != nullptr);
            dc.FillSolidRect(&PAINTED, PAINT);
            // Nothing shows before the end.
            EXPECT_EQ(OLD, target.Pixel(7, 7)) << c.flags;
        }
        EXPECT_EQ(PAINT, target.Pixel(7, 7)) << c.flags;
        EXPECT_EQ(c.unpainted, target.Pixel(15, 12)) << c.flags;
        EXPECT_EQ(OLD, target.Pixel(2, 2)) << c.flags;
        EXPECT_EQ(OLD, target.Pixel(21, 17)) << c.flags;
    }
}

TEST(MemoryDCTest, EndWithoutCopyLeavesTheTarget)
{
    CPixelCanvas target(24, 20, OLD);
    CExtMemoryDC dc(&target.dc(), &AREA);
    dc.FillSolidRect(&PAINTED, PAINT);
    dc.End(false);
    EXPECT_EQ(OLD, target.Pixel(7, 7));
}

TEST(MemoryDCTest, PrinterAndUnbufferedTargetsAreDrawnDirectly)
{
    for (bool bPrinting : {true, false}) {
        CPixelCanvas target(24, 20, OLD);
        target.dc().m_bPrinting = bPrinting;
        CExtMemoryDC dc(&target.dc(), &AREA, bPrinting ? CExtMemoryDC::MDCOPT_TO_MEMORY : 0);
        EXPECT_FALSE(dc.IsBuffering());
        EXPECT_EQ(target.dc().m_hDC, dc.m_hDC);
        dc.FillSolidRect(&PAINTED, PAINT);
        EXPECT_EQ(PAINT, target.Pixel(7, 7));
        dc.End();
        EXPECT_EQ(nullptr, dc.m_hDC);
        target.dc().m_bPrinting = FALSE;
    }
}

TEST(MemoryDCTest, BufferThatCannotBeMadeIsNeverCopiedBack)
{
    const RECT huge{0, 0, 200000, 200000};
    {
        // Without a DIB section the painting goes straight to the target.
        CPixelCanvas target(24, 20, OLD);
        CExtMemoryDC dc(&target.dc(), &huge, CExtMemoryDC::MDCOPT_TO_MEMORY);
        EXPECT_FALSE(dc.IsBuffering());
        dc.FillSolidRect(&PAINTED, PAINT);
        EXPECT_EQ(PAINT, target.Pixel(7, 7));
    }
    {
        // A DIB section that fails paints nowhere and copies nothing.
        CPixelCanvas target(24, 20, OLD);
        {
            CExtMemoryDC dc(&target.dc(), &huge, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_DIB_SECTION);
            EXPECT_EQ(nullptr, dc.GetBits());
            dc.FillSolidRect(&PAINTED, PAINT);
        }
        EXPECT_EQ(OLD, target.Pixel(7, 7));
        EXPECT_EQ(OLD, target.Pixel(0, 0));
    }
}

TEST(MemoryDCTest, MirroredTargetGetsTheBufferWhereDirectPaintingWouldGo)
{
    CPixelCanvas direct(24, 20, OLD);
    CPixelCanvas buffered(24, 20, OLD);
    for (CPixelCanvas* pCanvas : {&direct, &buffered})
        pCanvas->dc().SetLayout(LAYOUT_RTL);
    {
        CExtMemoryDC dc(&direct.dc(), &AREA, 0);
        dc.FillSolidRect(&PAINTED, PAINT);
    }
    {
        CExtMemoryDC dc(&buffered.dc(), &AREA, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
        dc.FillSolidRect(&PAINTED, PAINT);
    }
    EXPECT_EQ(direct.Pixels(), buffered.Pixels());
}

TEST(MemoryDCTest, ClipBoxIsTheDefaultArea)
{
    CPixelCanvas target(24, 20, OLD);
    target.dc().IntersectClipRect(&AREA);
    CExtMemoryDC dc(&target.dc());
    EXPECT_TRUE(::EqualRect(&AREA, &dc.GetArea()));
}

} // namespace
