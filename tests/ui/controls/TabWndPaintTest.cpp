// Tab strips on screen: plain tabs in two themes, the notebook strip's colours and page, and the
// screenshots of both.
#include "TabTestSupport.h"
#include "ui/controls/ExtTabOneNoteWnd.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"
#include "ui/core/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

namespace {
using T = CExtTabWnd;
constexpr COLORREF WHITE = RGB(255, 255, 255);

HICON MakeIcon(COLORREF clr)
{
    return CExtPaintManager::CreateSolidColorIcon(clr);
}

// A strip with icons, texts, tips and every button, as the screenshots show it.
void FillShowcase(CExtTabWnd& strip)
{
    const char* texts[] = {"Drawing", "Timeline", "Library", "Colors", "Brush", "Eraser", "Object inspector"};
    const COLORREF colors[] = {RGB(200, 40, 40), RGB(40, 160, 40), RGB(40, 40, 200), RGB(200, 160, 0)};
    int i = 0;
    for (const char* psz : texts) {
        HICON hIcon = MakeIcon(colors[i++ % 4]);
        strip.InsertTabItem(psz, hIcon, false, 0, -1, 0, false);
    }
    strip.SetSelectedItem(1, true, false);
    strip.InvalidateLayout(true);
}

class TabPaint : public ::testing::Test
{
protected:
    void SetUp() override { m_pHost = &CTestHostWindow::Shared(420, 200, 0); }
    CTestHostWindow* m_pHost = nullptr;
};

TEST_F(TabPaint, TheSelectedTabTakesTheThemesSelectedFace)
{
    struct Case
    {
        const char* name;
        CRuntimeClass* theme;
        std::function<COLORREF(CExtPaintManager&)> selectedFace;
        // The XP look marks the selected tab by its edges only.
        bool distinctFace;
    };
    const Case cases[] = {
        {"studio", RUNTIME_CLASS(CExtPaintManagerStudio2005), [](CExtPaintManager&) { return WHITE; }, true},
        {"xp", RUNTIME_CLASS(CExtPaintManagerXP),
         [](CExtPaintManager& pm) { return pm.ColorByIndex(CExtPaintManager::XPCLR_FIRST); }, false},
    };
    std::vector<CWindowPixels> shots;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CThemeScope theme(c.theme);
        CTestTabWnd strip;
        strip.m_nFixedAlong = 80;
        ASSERT_TRUE(strip.Create(m_pHost->Handle(), RECT{0, 0, 400, 40}, T::STYLE_ORIENT_TOP));
        strip.AddItems(3);
        strip.SetSelectedItem(1);
        PumpMessages();
        const CWindowPixels pixels(m_pHost->Handle());
        // Low in the tab, away from its text and outline.
        const CRect rcSelected = strip.GetItemClientRect(1);
        const CRect rcOther = strip.GetItemClientRect(2);
        const POINT ptSelected{rcSelected.left + 12, rcSelected.bottom - 3};
        const POINT ptOther{rcOther.left + 12, rcOther.bottom - 3};
        EXPECT_EQ(c.selectedFace(*g_PaintManagerHolder.GetFirstMember()), pixels.At(ptSelected.x, ptSelected.y));
        if (c.distinctFace) {
            EXPECT_NE(pixels.At(ptSelected.x, ptSelected.y), pixels.At(ptOther.x, ptOther.y));
        } else {
            EXPECT_EQ(g_PaintManagerHolder->ColorByIndex(COLOR_BTNHIGHLIGHT), pixels.At(ptSelected.x, rcSelected.top));
        }
        strip.DestroyWindow();

        CExtTabWnd showcase;
        ASSERT_TRUE(showcase.CreateTabWnd(CWnd::FromHandle(m_pHost->Handle()), RECT{0, 0, 400, 60}, 1002,
                                          WS_CHILD | WS_VISIBLE,
                                          T::STYLE_ORIENT_TOP | T::STYLE_CLOSE | T::STYLE_CLOSE_ENABLED |
                                              T::STYLE_TAB_LIST | T::STYLE_TAB_LIST_ENABLED | T::STYLE_HELP |
                                              T::STYLE_BOLD_SELECTION));
        FillShowcase(showcase);
        PumpMessages();
        const CWindowPixels top(m_pHost->Handle());
        showcase.UpdateStripStyle(T::STYLE_ORIENT_MASK, T::STYLE_ORIENT_LEFT, false);
        showcase.MoveWindow(0, 0, 60, 200);
        showcase.SetSelectedItem(0);
        PumpMessages();
        const CWindowPixels left(m_pHost->Handle());
        // Vertical text reads down inside its tab, past the icon, in the selected tab's dark text.
        const CRect rcFirst = showcase.GetItemClientRect(0);
        int nTextPixels = 0;
        for (int y = rcFirst.top + 24; y < rcFirst.bottom; ++y)
            for (int x = rcFirst.left + 2; x < rcFirst.right - 2; ++x) {
                const COLORREF clr = left.At(x, y);
                nTextPixels += GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 3 * 100 ? 1 : 0;
            }
        EXPECT_GT(nTextPixels, 60);
        EXPECT_TRUE(SaveSheetPng({&top, &left}, std::string("tab-window-plain-") + c.name + ".png"));
        showcase.DestroyWindow();
    }
}

TEST_F(TabPaint, NotebookTabsCycleSevenColourPairs)
{
    CExtTabOneNoteWnd strip;
    ASSERT_TRUE(strip.CreateTabWnd(CWnd::FromHandle(m_pHost->Handle()), RECT{0, 0, 400, 40}));
    for (int i = 0; i < 8; ++i)
        strip.InsertTabItem("x", nullptr, true, 0, -1, 0, CExtTabOneNoteWnd::AUTO_COLOR, CExtTabOneNoteWnd::AUTO_COLOR,
                            false);
    // A caller's own pair does not use up an automatic one.
    strip.InsertTabItem("own", nullptr, true, 0, -1, 0, RGB(1, 2, 3), RGB(4, 5, 6), false);
    EXPECT_EQ(8, strip.GetNextColorIndex());
    COLORREF first[2] = {}, eighth[2] = {}, own[2] = {}, second[2] = {};
    strip.GetItemColors(0, false, false, nullptr, nullptr, &first[0], &first[1]);
    strip.GetItemColors(1, false, false, nullptr, nullptr, &second[0], &second[1]);
    strip.GetItemColors(7, false, false, nullptr, nullptr, &eighth[0], &eighth[1]);
    strip.GetItemColors(8, false, false, nullptr, nullptr, &own[0], &own[1]);
    EXPECT_EQ(RGB(221, 230, 247), first[0]);
    EXPECT_EQ(RGB(138, 168, 228), first[1]);
    EXPECT_EQ(first[0], eighth[0]);
    EXPECT_EQ(first[1], eighth[1]);
    EXPECT_NE(first[0], second[0]);
    EXPECT_EQ(RGB(1, 2, 3), own[0]);
    EXPECT_EQ(RGB(4, 5, 6), own[1]);
    // A moved tab keeps its pair and takes no new one.
    ASSERT_TRUE(strip.MoveTabItem(8, 0));
    COLORREF moved[2] = {};
    strip.GetItemColors(0, false, false, nullptr, nullptr, &moved[0], &moved[1]);
    EXPECT_EQ(RGB(1, 2, 3), moved[0]);
    EXPECT_EQ(8, strip.GetNextColorIndex());
    strip.DestroyWindow();
}

TEST_F(TabPaint, AStripFromADialogTemplateTakesItsStyleFromTheWindowStyle)
{
    struct Case
    {
        const char* name;
        std::function<CExtTabWnd*()> make;
        DWORD expectedStyle;
    };
    const Case cases[] = {
        {"plain", [] { return new CExtTabWnd; }, 0x00B1},
        {"notebook", [] { return new CExtTabOneNoteWnd; }, CExtTabOneNoteWnd::TEMPLATE_STYLE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND hChild = m_pHost->CreateChild(RECT{0, 0, 300, 40}, WS_CHILD | WS_VISIBLE | 0x00B1);
        CExtTabWnd* pStrip = c.make();
        ASSERT_TRUE(pStrip->SubclassWindow(hChild));
        EXPECT_EQ(c.expectedStyle, pStrip->GetStripStyle());
        EXPECT_EQ(0u, pStrip->GetStyle() & 0xFFFF);
        pStrip->DestroyWindow();
        delete pStrip;
    }
}

TEST_F(TabPaint, TheNotebookPageTakesTheSelectedTabsColour)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
    const int nSavedBits = pPM->m_nDisplayBitsPerPixel;
    CExtTabOneNoteWnd strip;
    ASSERT_TRUE(strip.CreateTabWnd(CWnd::FromHandle(m_pHost->Handle()), RECT{0, 0, 400, 80}));
    FillShowcase(strip);
    struct Case
    {
        const char* name;
        int bits;
        int selected;
        COLORREF page;
    };
    COLORREF clrSelectedDark = 0;
    strip.GetItemColors(1, false, false, nullptr, nullptr, nullptr, &clrSelectedDark);
    const Case cases[] = {
        {"selected tab's dark colour", 32, 1, clrSelectedDark},
        {"window colour at 8 bits with a selection", 8, 1, pPM->ColorByIndex(COLOR_WINDOW)},
        {"face at 8 bits without one", 8, -1, pPM->ColorByIndex(COLOR_3DFACE)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pPM->m_nDisplayBitsPerPixel = c.bits;
        strip.SetSelectedItem(c.selected);
        strip.Invalidate();
        PumpMessages();
        const CWindowPixels pixels(m_pHost->Handle());
        const CRect rcPage(strip.GetOutsideArea());
        ASSERT_FALSE(rcPage.IsRectEmpty());
        EXPECT_EQ(c.page, pixels.At(rcPage.CenterPoint().x, rcPage.bottom - 2));
    }
    pPM->m_nDisplayBitsPerPixel = nSavedBits;
    strip.SetSelectedItem(1);
    // Every side shows its page in the selected tab's colour; the sheet shows all four.
    std::vector<CWindowPixels> shots;
    shots.reserve(4);
    for (DWORD dwOrient : {T::STYLE_ORIENT_TOP, T::STYLE_ORIENT_BOTTOM, T::STYLE_ORIENT_LEFT, T::STYLE_ORIENT_RIGHT}) {
        SCOPED_TRACE(dwOrient);
        strip.UpdateStripStyle(T::STYLE_ORIENT_MASK, dwOrient, false);
        strip.MoveWindow(0, 0, dwOrient <= T::STYLE_ORIENT_BOTTOM ? 400 : 120, 200);
        strip.EnsureVisible(0);
        PumpMessages();
        shots.emplace_back(m_pHost->Handle());
        const CRect rcPage(strip.GetOutsideArea());
        ASSERT_FALSE(rcPage.IsRectEmpty());
        EXPECT_EQ(clrSelectedDark, shots.back().At(rcPage.CenterPoint().x, rcPage.CenterPoint().y));
        EXPECT_EQ(0, strip.GetFirstVisibleIndex());
    }
    std::vector<const CWindowPixels*> parts;
    for (const CWindowPixels& shot : shots)
        parts.push_back(&shot);
    EXPECT_TRUE(SaveSheetPng(parts, "tab-window-notebook.png"));
    strip.DestroyWindow();
}
} // namespace
