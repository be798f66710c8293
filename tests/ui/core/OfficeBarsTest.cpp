#include "LunaFake.h"
#include "TestSupport.h"
#include "ui/core/ExtPaintGlyphSet.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

// Stand-ins for the bars layer's classes, known to the paint managers by name only.
class CExtControlBar : public CWnd
{
    DECLARE_DYNAMIC(CExtControlBar)
};
IMPLEMENT_DYNAMIC(CExtControlBar, CWnd)

class CExtToolControlBar : public CExtControlBar
{
    DECLARE_DYNAMIC(CExtToolControlBar)
};
IMPLEMENT_DYNAMIC(CExtToolControlBar, CExtControlBar)

class CExtMenuControlBar : public CExtToolControlBar
{
    DECLARE_DYNAMIC(CExtMenuControlBar)
};
IMPLEMENT_DYNAMIC(CExtMenuControlBar, CExtToolControlBar)

namespace {

constexpr COLORREF UNPAINTED = RGB(255, 0, 255);
constexpr int BAR_CX = 120;
constexpr int BAR_CY = 40;
// A gradient's first and last pixels only approach its end colours.
constexpr int GRADIENT_TOLERANCE = 10;

bool Near(COLORREF expected, COLORREF actual, int tolerance)
{
    return std::abs(GetRValue(expected) - GetRValue(actual)) <= tolerance
        && std::abs(GetGValue(expected) - GetGValue(actual)) <= tolerance
        && std::abs(GetBValue(expected) - GetBValue(actual)) <= tolerance;
}

// A docked tool bar (the stand-in answers "docked" until the bars layer exists) with an edit
// child at 20,10 - 60,30, inside a hidden frame window.
class OfficeBarsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(m_bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, BAR_CX, BAR_CY), &m_frame, 1));
        ASSERT_TRUE(m_edit.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(20, 10, 60, 30), &m_bar, 2));
        ASSERT_TRUE(m_menuBar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 50, BAR_CX, 50 + BAR_CY),
                                     &m_frame, 3));
    }
    void TearDown() override
    {
        m_menuBar.DestroyWindow();
        m_edit.DestroyWindow();
        m_bar.DestroyWindow();
        m_frame.DestroyWindow();
        g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP));
    }
    CExtPaintManager& Install(CRuntimeClass* pClass)
    {
        EXPECT_TRUE(g_PaintManagerHolder.ReplaceByClass(pClass));
        return *g_PaintManagerHolder.GetFirstMember();
    }

    CWnd m_frame;
    CExtToolControlBar m_bar;
    CWnd m_edit;
    CExtMenuControlBar m_menuBar;
};

TEST_F(OfficeBarsTest, BarQueriesFollowTheThemeAndTheOwner)
{
    struct Case
    {
        CRuntimeClass* pClass;
        bool bGradient;
    };
    const Case cases[] = {{RUNTIME_CLASS(CExtPaintManager), false},
                          {RUNTIME_CLASS(CExtPaintManagerXP), false},
                          {RUNTIME_CLASS(CExtPaintManagerOffice2003), true},
                          {RUNTIME_CLASS(CExtPaintManagerStudio2005), true}};
    for (const Case& c : cases) {
        CExtPaintManager& pm = Install(c.pClass);
        EXPECT_EQ(c.bGradient, pm.IsBarBackgroundGradient(&m_bar)) << c.pClass->m_lpszClassName;
        EXPECT_FALSE(pm.IsBarBackgroundGradient(nullptr));
        EXPECT_FALSE(pm.IsBarBackgroundGradient(&m_edit));
        // Docked bars keep their row gap.
        EXPECT_EQ(6, pm.GetToolbarGripperExtent(&m_bar));
        RECT rc{0, 0, 100, 30};
        pm.AdjustBarClientRect(&m_bar, rc);
        EXPECT_EQ(c.bGradient ? 2 : 3, rc.left);
        EXPECT_EQ(c.bGradient ? 2 : 1, rc.top);
    }
}

TEST_F(OfficeBarsTest, BackgroundBehindAControlIsTheDockedBarsGradient)
{
    for (int nScheme : {0, 1}) {
        std::unique_ptr<CLunaFake> fake(CLunaFake::ForScheme(nScheme));
        auto& pm = static_cast<CExtPaintManagerOffice2003&>(Install(RUNTIME_CLASS(CExtPaintManagerOffice2003)));
        CPixelCanvas bar(BAR_CX, BAR_CY, UNPAINTED);
        ASSERT_TRUE(pm.DrawBackgroundBehind(true, bar.dc(), &m_bar));
        // Light to dark down the bar: the band colours, or the scheme face's three shades.
        COLORREF clrTop = pm.ColorByIndex(3015);
        COLORREF clrBottom = pm.ColorByIndex(3017);
        COLORREF clrFace = 0;
        if (pm.GetTaskbandBaseColors(&clrFace, nullptr)) {
            clrTop = CExtPaintManager::AdjustColorHLS(clrFace, 0, 0.77, 0.15);
            clrBottom = CExtPaintManager::AdjustColorHLS(clrFace, 0, -0.25, -0.25);
        }
        EXPECT_TRUE(Near(clrTop, bar.Pixel(5, 0), GRADIENT_TOLERANCE)) << "scheme " << nScheme;
        EXPECT_TRUE(Near(clrBottom, bar.Pixel(5, BAR_CY - 1), GRADIENT_TOLERANCE)) << "scheme " << nScheme;
        EXPECT_EQ(bar.Pixel(5, 0), bar.Pixel(BAR_CX - 5, 0)) << "the gradient runs across the bar";
        // Behind the edit (bar rows 10 to 29) the same rows of the bar's background show.
        CPixelCanvas edit(40, 20, UNPAINTED);
        ASSERT_TRUE(pm.DrawBackgroundBehind(true, edit.dc(), &m_edit));
        for (int y : {0, 9, 19})
            EXPECT_EQ(bar.Pixel(25, 10 + y), edit.Pixel(5, y)) << "row " << y << " scheme " << nScheme;
    }
}

TEST_F(OfficeBarsTest, WithoutADockedBarTheBackgroundIsLeftToTheCaller)
{
    CWnd loose;
    ASSERT_TRUE(loose.CreateEx(0, AfxRegisterWndClass(0), "loose", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    CWnd destroyed;
    ASSERT_TRUE(destroyed.CreateEx(0, AfxRegisterWndClass(0), "gone", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    destroyed.DestroyWindow();
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManagerXP), RUNTIME_CLASS(CExtPaintManagerOffice2003)}) {
        CExtPaintManager& pm = Install(pClass);
        CPixelCanvas canvas(20, 20, UNPAINTED);
        for (CWnd* pWnd : {static_cast<CWnd*>(nullptr), &loose, &destroyed}) {
            EXPECT_FALSE(pm.DrawBackgroundBehind(true, canvas.dc(), pWnd));
            EXPECT_EQ(UNPAINTED, canvas.Pixel(5, 5));
        }
        // The XP look paints nothing even behind a docked bar's controls.
        EXPECT_EQ(pClass != RUNTIME_CLASS(CExtPaintManagerXP), pm.DrawBackgroundBehind(true, canvas.dc(), &m_edit));
    }
    loose.DestroyWindow();
}

TEST_F(OfficeBarsTest, ToolBarGradientIsFramed)
{
    for (int nScheme : {0, 1}) {
        std::unique_ptr<CLunaFake> fake(CLunaFake::ForScheme(nScheme));
        CExtPaintManager& pm = Install(RUNTIME_CLASS(CExtPaintManagerOffice2003));
        CPixelCanvas canvas(BAR_CX, BAR_CY, UNPAINTED);
        pm.DrawToolbarGradient(canvas.dc(), &m_bar);
        EXPECT_EQ(pm.ColorByIndex(2007), canvas.Pixel(0, 0));
        EXPECT_EQ(pm.ColorByIndex(2007), canvas.Pixel(BAR_CX - 1, BAR_CY - 1));
        EXPECT_TRUE(Near(pm.ColorByIndex(3015), canvas.Pixel(10, 1), GRADIENT_TOLERANCE)) << "scheme " << nScheme;
        EXPECT_TRUE(Near(pm.ColorByIndex(3017), canvas.Pixel(10, BAR_CY - 2), GRADIENT_TOLERANCE))
            << "scheme " << nScheme;
    }
    // Other themes leave tool bars to their background.
    CExtPaintManager& xp = Install(RUNTIME_CLASS(CExtPaintManagerXP));
    CPixelCanvas canvas(BAR_CX, BAR_CY, UNPAINTED);
    xp.DrawToolbarGradient(canvas.dc(), &m_bar);
    EXPECT_EQ(UNPAINTED, canvas.Pixel(0, 0));
}

TEST_F(OfficeBarsTest, ToolBarPartsTakeTheOfficeLook)
{
    CExtPaintManager& pm = Install(RUNTIME_CLASS(CExtPaintManagerOffice2003));
    // A two-pixel separator, inset at both ends.
    CPixelCanvas separator(20, 30, UNPAINTED);
    pm.DrawSeparatorLine(separator.dc(), RECT{0, 0, 20, 30}, true, true, &m_bar);
    EXPECT_EQ(pm.ColorByIndex(3011), separator.Pixel(9, 15));
    EXPECT_EQ(pm.ColorByIndex(3010), separator.Pixel(10, 15));
    EXPECT_EQ(UNPAINTED, separator.Pixel(9, 2));
    EXPECT_EQ(UNPAINTED, separator.Pixel(9, 26));
    // Without a bar owner the XP line stays.
    CPixelCanvas plain(20, 30, UNPAINTED);
    pm.DrawSeparatorLine(plain.dc(), RECT{0, 0, 20, 30}, true, true, nullptr);
    EXPECT_EQ(pm.ColorByIndex(2002), plain.Pixel(10, 15));

    // The chevron's glyphs over their shadow, on the state gradient clipped to a rounded shape.
    CPixelCanvas chevron(16, 30, UNPAINTED);
    pm.DrawChevronButton(chevron.dc(), RECT{0, 0, 16, 30}, true, false, true, false, false, &m_bar);
    const SIZE arrow = g_PaintGlyphSet[CExtPaintGlyphSet::ChevronBarArrowH].GetSize();
    const int x = (16 - arrow.cx) / 2;
    EXPECT_EQ(pm.ColorByIndex(3012), chevron.Pixel(x, 3));
    EXPECT_EQ(pm.ColorByIndex(3013), chevron.Pixel(x + arrow.cx, 4));
    EXPECT_EQ(UNPAINTED, chevron.Pixel(15, 29)) << "the far corner is rounded off";
    EXPECT_NE(UNPAINTED, chevron.Pixel(0, 29)) << "the corner toward the buttons is square";

    // A docked bar's client area carries its gradient; its frame shows the dock area's face.
    CPixelCanvas client(BAR_CX, BAR_CY, UNPAINTED);
    pm.DrawBarClientArea(client.dc(), RECT{0, 0, BAR_CX, BAR_CY}, &m_bar);
    EXPECT_TRUE(Near(pm.ColorByIndex(3015), client.Pixel(5, 0), GRADIENT_TOLERANCE));
    EXPECT_TRUE(Near(pm.ColorByIndex(3017), client.Pixel(5, BAR_CY - 1), GRADIENT_TOLERANCE));
    CPixelCanvas frame(BAR_CX, BAR_CY, UNPAINTED);
    CExtDrawBarFrameArgs barFrame(&m_bar, RECT{0, 0, BAR_CX, BAR_CY}, RECT{4, 4, BAR_CX - 4, BAR_CY - 4}, false, true,
                                  false);
    pm.DrawBarFrame(frame.dc(), barFrame);
    EXPECT_TRUE(Near(pm.ColorByIndex(3001), frame.Pixel(0, 10), GRADIENT_TOLERANCE));
    EXPECT_EQ(UNPAINTED, frame.Pixel(20, 20));

    // An edit inside the bar shows the bar's background around its frame.
    CPixelCanvas edit(60, 40, UNPAINTED);
    CExtDrawEditFrameArgs args(&m_edit, RECT{20, 15, 40, 25}, true, false, true, false);
    pm.DrawEditFrame(edit.dc(), args);
    EXPECT_EQ(pm.ColorByIndex(1000), edit.Pixel(17, 20));
    EXPECT_NE(UNPAINTED, edit.Pixel(16, 20));
    EXPECT_NE(UNPAINTED, edit.Pixel(15, 10));
    EXPECT_EQ(UNPAINTED, edit.Pixel(30, 20)) << "the edit's own area is left alone";
}

// A popup opened from the menu bar joins its button: the button's two far corners show the
// bar's gradient at the rows the button stands on (its row inside the bar's margins), and every
// other pixel is the flat open-side border.
TEST_F(OfficeBarsTest, MenuBorderOpenSideShowsTheMenuBarAtTheButtonsFarCorners)
{
    constexpr int MARGIN = 2;
    struct Case
    {
        int nSide;
        RECT rcMenu, rcExclude;
        POINT corners[2];
    };
    const Case cases[] = {
        {2, {0, 24, 80, 70}, {10, 0, 50, 25}, {{10, 0}, {49, 0}}},
        {1, {0, 0, 80, 40}, {10, 39, 50, 64}, {{10, 63}, {49, 63}}},
        {3, {30, 0, 90, 60}, {0, 10, 31, 40}, {{0, 10}, {0, 39}}},
        {4, {0, 0, 60, 60}, {59, 10, 90, 40}, {{89, 10}, {89, 39}}},
    };
    constexpr int CANVAS = 100;
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005)})
        for (int nScheme : {0, 1}) {
            std::unique_ptr<CLunaFake> fake(CLunaFake::ForScheme(nScheme));
            auto& pm = static_cast<CExtPaintManagerOffice2003&>(Install(pClass));
            CPixelCanvas bar(BAR_CX, BAR_CY, UNPAINTED);
            pm.DrawToolbarGradient(bar.dc(), &m_menuBar);
            for (const Case& c : cases) {
                CPixelCanvas flat(CANVAS, CANVAS, UNPAINTED);
                pm.CExtPaintManagerXP::DrawMenuBorderOpenSide(flat.dc(), c.rcMenu, c.rcExclude, c.nSide, &m_menuBar);
                CPixelCanvas joined(CANVAS, CANVAS, UNPAINTED);
                pm.DrawMenuBorderOpenSide(joined.dc(), c.rcMenu, c.rcExclude, c.nSide, &m_menuBar);
                std::vector<COLORREF> expected = flat.Pixels();
                for (const POINT& pt : c.corners) {
                    // The exclude area's corner at (left, top) is the bar's button corner (2, 2).
                    const int xBar = pt.x - c.rcExclude.left + MARGIN;
                    const int yBar = pt.y - c.rcExclude.top + MARGIN;
                    expected[pt.y * CANVAS + pt.x] = bar.Pixel(xBar, yBar);
                    EXPECT_NE(UNPAINTED, bar.Pixel(xBar, yBar));
                }
                EXPECT_EQ(expected, joined.Pixels()) << pClass->m_lpszClassName << " side " << c.nSide
                                                     << " scheme " << nScheme;
                // Any other owner, none, or a menu bar without a window keeps the flat border.
                CExtMenuControlBar noWindow;
                CPixelCanvas plain(CANVAS, CANVAS, UNPAINTED);
                pm.DrawMenuBorderOpenSide(plain.dc(), c.rcMenu, c.rcExclude, c.nSide, &m_bar);
                pm.DrawMenuBorderOpenSide(plain.dc(), c.rcMenu, c.rcExclude, c.nSide, nullptr);
                pm.DrawMenuBorderOpenSide(plain.dc(), c.rcMenu, c.rcExclude, c.nSide, &noWindow);
                EXPECT_EQ(flat.Pixels(), plain.Pixels()) << "side " << c.nSide;
            }
        }
}

TEST(OfficeCalendarTest, CaptionAreaRunsFromItsTopColourToItsBottomColour)
{
    constexpr int CX = 60;
    constexpr int CY = 24;
    for (int nScheme : {0, 1}) {
        std::unique_ptr<CLunaFake> fake(CLunaFake::ForScheme(nScheme));
        for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005)}) {
            ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(pClass));
            CExtPaintManager& pm = *g_PaintManagerHolder.GetFirstMember();
            CPixelCanvas canvas(CX, CY, UNPAINTED);
            pm.DrawCalendarCaptionArea(canvas.dc(), RECT{0, 0, CX, CY}, "");
            EXPECT_TRUE(Near(pm.ColorByIndex(3029), canvas.Pixel(2, 0), GRADIENT_TOLERANCE)) << nScheme;
            EXPECT_TRUE(Near(pm.ColorByIndex(3028), canvas.Pixel(2, CY - 1), GRADIENT_TOLERANCE)) << nScheme;
            EXPECT_EQ(canvas.Pixel(2, CY / 2), canvas.Pixel(CX - 3, CY / 2)) << "the gradient runs down";
        }
    }
    // The other themes fill it flat.
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP)}) {
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(pClass));
        CExtPaintManager& pm = *g_PaintManagerHolder.GetFirstMember();
        CPixelCanvas canvas(CX, CY, UNPAINTED);
        pm.DrawCalendarCaptionArea(canvas.dc(), RECT{0, 0, CX, CY}, "");
        EXPECT_EQ(pm.ColorByIndex(COLOR_BTNSHADOW), canvas.Pixel(2, 0));
        EXPECT_EQ(pm.ColorByIndex(COLOR_BTNSHADOW), canvas.Pixel(2, CY - 1));
    }
    g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP));
}

TEST_F(OfficeBarsTest, PaintingBarPartsTwoThousandTimesLeavesNoGdiHandle)
{
    constexpr int ROUNDS = 2000;
    CExtPaintManager& pm = Install(RUNTIME_CLASS(CExtPaintManagerOffice2003));
    CPixelCanvas canvas(BAR_CX, BAR_CY, UNPAINTED);
    const int nFreeBefore = CountFreeGdiHandleSlots();
    ASSERT_GT(nFreeBefore, 1000);
    for (int i = 0; i < ROUNDS; ++i) {
        CDC& dc = canvas.dc();
        pm.DrawBackgroundBehind(true, dc, &m_edit);
        pm.DrawToolbarGradient(dc, &m_bar);
        pm.DrawBarClientArea(dc, RECT{0, 0, BAR_CX, BAR_CY}, &m_bar);
        pm.DrawSeparatorLine(dc, RECT{0, 0, 20, 30}, true, true, &m_bar);
        pm.DrawChevronButton(dc, RECT{0, 0, 16, 30}, true, false, true, i % 2 == 0, i % 3 == 0, &m_bar);
        CExtDrawEditFrameArgs edit(&m_edit, RECT{20, 15, 40, 25}, true, true, true, false);
        pm.DrawEditFrame(dc, edit);
        CExtDrawComboFrameArgs combo(&m_edit, RECT{10, 5, 100, 30}, true, false, true);
        pm.PaintComboFrame(dc, combo);
        CExtDrawIconTextItemArgs item(nullptr, CExtDrawIconTextItemArgs::VERTICAL | CExtDrawIconTextItemArgs::HOVER,
                                      RECT{2, 2, 18, 18}, RECT{20, 2, 40, 38}, RECT{0, 0, BAR_CX, BAR_CY}, "Item",
                                      nullptr, nullptr, nullptr);
        pm.DrawIconTextItem(dc, item);
        pm.DrawMenuBorderOpenSide(dc, RECT{0, 0, 80, 30}, RECT{10, 29, 50, 40}, 1, &m_menuBar);
    }
    EXPECT_EQ(nFreeBefore, CountFreeGdiHandleSlots());
}

TEST(GlyphSetTest, HoldsSixtyFiveGlyphsWithTurnedCopies)
{
    using G = CExtPaintGlyphSet;
    struct Turn
    {
        int nFrom, nTo, nAngle;
    };
    const Turn turns[] = {{G::ChevronBarArrowH, G::ChevronBarArrowV, 90},
                          {G::ChevronNarrowDoubleH, G::ChevronNarrowDoubleV, 90},
                          {G::MenuArrowRight, G::MenuArrowLeft, 180},
                          {G::MenuSplitArrowRight, G::MenuSplitArrowLeft, 180}};
    for (const Turn& t : turns) {
        CExtPaintGlyph expected;
        expected.CopyFrom(g_PaintGlyphSet[t.nFrom]);
        expected.Rotate(t.nAngle);
        const CExtPaintGlyph& actual = g_PaintGlyphSet[t.nTo];
        ASSERT_EQ(expected.GetSize().cx, actual.GetSize().cx) << t.nTo;
        ASSERT_EQ(expected.GetSize().cy, actual.GetSize().cy) << t.nTo;
        for (int y = 0; y < actual.GetSize().cy; ++y)
            for (int x = 0; x < actual.GetSize().cx; ++x)
                EXPECT_EQ(expected.GetPixel(x, y), actual.GetPixel(x, y)) << t.nTo;
    }
    // The Office pair as drawn: a bar over a down arrow, and a double chevron.
    const struct
    {
        int nGlyph, cx, cy;
    } sizes[] = {{G::ChevronBarArrowH, 5, 6}, {G::ChevronNarrowDoubleH, 6, 5}, {G::ChevronTriangleH, 5, 3},
                 {G::ChevronDoubleH, 8, 5}};
    for (const auto& c : sizes) {
        EXPECT_EQ(c.cx, g_PaintGlyphSet[c.nGlyph].GetSize().cx) << c.nGlyph;
        EXPECT_EQ(c.cy, g_PaintGlyphSet[c.nGlyph].GetSize().cy) << c.nGlyph;
    }
}

TEST(CustomPaintQueriesTest, EveryThemeLeavesPaintingToItself)
{
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                  RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005)}) {
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(pClass));
        CPixelCanvas canvas(10, 10, UNPAINTED);
        EXPECT_EQ(COLORREF(-1), g_PaintManagerHolder->QueryCustomTextColor(canvas.dc(), nullptr, 0, 0, 0, true, 0));
        EXPECT_FALSE(g_PaintManagerHolder->QueryCustomPaint(canvas.dc(), RECT{0, 0, 10, 10}, nullptr, 0, 0, 0, true, 0));
        EXPECT_EQ(UNPAINTED, canvas.Pixel(5, 5));
    }
    g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP));
}

} // namespace
