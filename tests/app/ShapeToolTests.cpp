// The Shape panel on a document of the editor's session: typed widths, dash styles and fill
// types as the selected shape receives them, gradient stops edited in the picker, library
// bitmaps as fills, and refreshes from the shape and the view.
#include "StylePanelSupport.h"

#include "app/FlashEditorMainFrame.h"
#include "app/panels/ShapeTool.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashLibraryEntry.h"
#include "model/FlashSolidShape.h"
#include "model/GeometryHelpers.h"
#include "stage/FlashEditorView.h"
#include "tests/support/ScreenImage.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr char kModifyPenAndBrush[] = "Modify Pen and Brush";

std::vector<CGradientMarker> StopsOf(const Gdiplus::Brush* fill)
{
    std::vector<CGradientMarker> stops;
    if (const auto* linear = dynamic_cast<const Gdiplus::LinearGradientBrush*>(fill))
        ReadLinearGradientMarkers(*linear, stops);
    else if (const auto* radial = dynamic_cast<const Gdiplus::PathGradientBrush*>(fill))
        ReadPathGradientMarkers(*radial, stops);
    return stops;
}

class ShapePanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_session.view, nullptr);
        m_host = &CPanelHostWindow::Shared(220, 330, 0);
        ASSERT_TRUE(m_panel.Create(IDD_SHAPE_PANEL, m_host->Window()));
        m_panel.ShowWindow(SW_SHOW);
        PumpMessages();
    }
    void TearDown() override { m_panel.DestroyWindow(); }

    // A square added and selected through the stage view, shown by the panel.
    CFlashSolidShape* SelectSquare(const Gdiplus::Brush* fill, const Gdiplus::Pen* pen = nullptr)
    {
        CFlashSolidShape* shape = AddSquare(*m_session.doc, 20, 20, fill, pen);
        m_session.view->RemoveFromSelection(nullptr, false);
        m_session.view->AddToSelection(shape, true);
        m_panel.RefreshFromView(m_session.view);
        return shape;
    }
    // The shape the view edits: the selection's first (a shared shape is made unique first).
    CFlashShape* Selected() const { return m_session.view->GetFirstSelectedShape(); }
    // Moves the list's selection with the keys, as the user does with the list closed.
    void PickListItem(CExtComboBox& list, int index)
    {
        ::SetFocus(list.GetSafeHwnd());
        const int current = list.GetCurSel();
        const WPARAM key = index > current ? VK_DOWN : VK_UP;
        for (int i = 0; i < std::abs(index - current); ++i)
            ::PostMessageA(list.GetSafeHwnd(), WM_KEYDOWN, key, 1);
        PumpMessages();
        ASSERT_EQ(list.GetCurSel(), index);
    }
    std::string WidthText()
    {
        CString text;
        m_panel.GetWidthEdit().GetWindowText(text);
        return std::string(text);
    }
    POINT MarkerCentre(size_t index)
    {
        const RECT rc = m_panel.GetGradientPicker().GetMarkerRect(index);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    CSessionDocument m_session;
    CPanelHostWindow* m_host = nullptr;
    CShapeTool m_panel;
};

TEST_F(ShapePanelTest, TypedWidthsAreClampedOrCountAsNothing)
{
    struct Case {
        const char* typed;
        Gdiplus::REAL twips;
        const char* shown;
    };
    const Case cases[] = {
        {"25", 200, "10"}, {"inf", 200, "10"}, {"-3", 0, " 0"}, {"abc", 0, "abc"}, {"", 0, ""}, {"nan", 0, "nan"},
        {"2.5", 50, "2.5"},
    };
    Gdiplus::SolidBrush fill(Gdiplus::Color(ColorRefToArgb(kRed)));
    SelectSquare(&fill);
    for (const Case& c : cases) {
        TypeText(m_panel.GetWidthEdit().GetSafeHwnd(), c.typed);
        ASSERT_NE(Selected(), nullptr);
        EXPECT_EQ(Selected()->GetPen()->GetWidth(), c.twips) << c.typed;
        EXPECT_EQ(WidthText(), c.shown) << c.typed;
        EXPECT_EQ(LastStepName(*m_session.doc), kModifyPenAndBrush) << c.typed;
    }
    // A corrected text leaves the caret at its end.
    TypeText(m_panel.GetWidthEdit().GetSafeHwnd(), "25");
    DWORD start = 0, end = 0;
    ::SendMessageA(m_panel.GetWidthEdit().GetSafeHwnd(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 2u);
}

TEST_F(ShapePanelTest, ShownWidthReadsBackSoOtherChangesKeepIt)
{
    struct Case {
        Gdiplus::REAL twips;
        const char* shown;
    };
    // 18 twips is the 0.9-pixel pen of a brush stroke.
    const Case cases[] = {{18, "0.9"}, {20, "1"}, {30, "1.5"}, {1, "0.05"}, {200, "10"}, {7.5f, "0.375"}};
    Gdiplus::SolidBrush fill(Gdiplus::Color(ColorRefToArgb(kRed)));
    for (const Case& c : cases) {
        Gdiplus::Pen pen(Gdiplus::Color(ColorRefToArgb(kBlue)), c.twips);
        SelectSquare(&fill, &pen);
        EXPECT_EQ(WidthText(), c.shown) << c.twips;
        PickListItem(m_panel.GetDashList(), Gdiplus::DashStyleDash);
        EXPECT_EQ(Selected()->GetPen()->GetWidth(), c.twips) << c.twips;
        EXPECT_EQ(Selected()->GetPen()->GetDashStyle(), Gdiplus::DashStyleDash) << c.twips;
        PickListItem(m_panel.GetDashList(), Gdiplus::DashStyleSolid);
    }
}

TEST_F(ShapePanelTest, UnknownDashStyleShowsAndAppliesAsSolid)
{
    Gdiplus::SolidBrush fill(Gdiplus::Color(ColorRefToArgb(kRed)));
    Gdiplus::Pen pen(Gdiplus::Color(ColorRefToArgb(kBlue)), 40);
    const Gdiplus::REAL dashes[] = {2, 1};
    pen.SetDashPattern(dashes, 2);
    ASSERT_EQ(pen.GetDashStyle(), Gdiplus::DashStyleCustom);
    SelectSquare(&fill, &pen);
    EXPECT_EQ(m_panel.GetDashList().GetCurSel(), 0);
    TypeText(m_panel.GetWidthEdit().GetSafeHwnd(), "3");
    EXPECT_EQ(Selected()->GetPen()->GetDashStyle(), Gdiplus::DashStyleSolid);
    EXPECT_EQ(Selected()->GetPen()->GetWidth(), 60);
}

TEST_F(ShapePanelTest, FillTypesGiveTheirBrushesAndControls)
{
    struct Case {
        int fillType;
        Gdiplus::BrushType brush;  // -1: no brush
        bool fillPicker;
        bool gradient;
        bool thumbnails;
    };
    const Case cases[] = {
        {CShapeTool::kFillNone, Gdiplus::BrushType(-1), false, false, false},
        {CShapeTool::kFillLinear, Gdiplus::BrushTypeLinearGradient, true, true, false},
        {CShapeTool::kFillRadial, Gdiplus::BrushTypePathGradient, true, true, false},
        {CShapeTool::kFillBitmap, Gdiplus::BrushTypeSolidColor, false, false, true},
        {CShapeTool::kFillSolid, Gdiplus::BrushTypeSolidColor, true, false, false},
    };
    Gdiplus::SolidBrush fill(Gdiplus::Color(ColorRefToArgb(kRed)));
    SelectSquare(&fill);
    for (const Case& c : cases) {
        PickListItem(m_panel.GetFillTypeList(), c.fillType);
        const Gdiplus::Brush* brush = Selected()->GetBrush();
        if (c.brush == Gdiplus::BrushType(-1))
            EXPECT_EQ(brush, nullptr) << c.fillType;
        else
            ASSERT_TRUE(brush != nullptr && brush->GetType() == c.brush) << c.fillType;
        EXPECT_EQ(m_panel.GetFillColorPicker().IsWindowVisible() != FALSE, c.fillPicker) << c.fillType;
        EXPECT_EQ(m_panel.GetGradientPicker().IsWindowVisible() != FALSE, c.gradient) << c.fillType;
        EXPECT_EQ(m_panel.GetThumbnails().IsWindowVisible() != FALSE, c.thumbnails) << c.fillType;
        EXPECT_EQ(LastStepName(*m_session.doc), kModifyPenAndBrush) << c.fillType;
    }
    // "Bitmap" with an empty library is a plain rosy-brown fill.
    PickListItem(m_panel.GetFillTypeList(), CShapeTool::kFillBitmap);
    Gdiplus::Color color;
    static_cast<const Gdiplus::SolidBrush*>(Selected()->GetBrush())->GetColor(&color);
    EXPECT_EQ(color.GetValue(), CShapeTool::kNoBitmapFill);
}

TEST_F(ShapePanelTest, ThreeStopGradientShowsItsStopsAndMarkersEditThem)
{
    const auto gradient = MakeLinearFill({{0.f, kRed}, {0.5f, kGreen}, {1.f, kBlue}});
    SelectSquare(gradient.get());
    EXPECT_EQ(m_panel.GetFillTypeList().GetCurSel(), CShapeTool::kFillLinear);
    const std::vector<CGradientMarker>& markers = m_panel.GetGradientPicker().GetMarkers();
    ASSERT_EQ(markers.size(), 3u);
    EXPECT_EQ(markers[1].m_dPosition, 0.5);
    EXPECT_EQ(markers[1].m_clrColor, kGreen);
    EXPECT_EQ(m_panel.GetFillColorPicker().GetCurrentColor(), kRed);
    PumpMessages();
    SaveWindowPng(m_panel.GetSafeHwnd(), "shape-panel-three-stops.png");

    // A click on the middle marker shows its colour; a colour picked then recolours that stop.
    const HWND picker = m_panel.GetGradientPicker().GetSafeHwnd();
    Click(picker, MarkerCentre(1).x, MarkerCentre(1).y);
    EXPECT_EQ(m_panel.GetFillColorPicker().GetCurrentColor(), kGreen);
    m_panel.GetFillColorPicker().SetCurrentColor(RGB(255, 255, 0), true);
    std::vector<CGradientMarker> stops = StopsOf(Selected()->GetBrush());
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_EQ(stops[1].m_clrColor, RGB(255, 255, 0));
    EXPECT_EQ(stops[0].m_clrColor, kRed);
    EXPECT_EQ(LastStepName(*m_session.doc), kModifyPenAndBrush);

    // The stop dragged out of the picker leaves the shape's fill too.
    const RECT client = {0, 0, 0, 0};
    RECT rc = client;
    ::GetClientRect(picker, &rc);
    Drag(picker, MarkerCentre(1), {MarkerCentre(1).x, rc.bottom + 10});
    EXPECT_EQ(m_panel.GetGradientPicker().GetMarkers().size(), 2u);
    stops = StopsOf(Selected()->GetBrush());
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_EQ(stops[0].m_clrColor, kRed);
    EXPECT_EQ(stops[1].m_clrColor, kBlue);
}

TEST_F(ShapePanelTest, TextureFillStaysUntilAThumbnailIsPicked)
{
    m_session.doc->GetLibrary().GetRootFolder().AddBitmapEntry(MakeBitmap(8, kBlue));
    const auto own = MakeBitmap(8, kRed);
    Gdiplus::TextureBrush texture(own.get(), Gdiplus::WrapModeTile);
    SelectSquare(&texture);
    EXPECT_EQ(m_panel.GetFillTypeList().GetCurSel(), CShapeTool::kFillBitmap);
    ASSERT_EQ(m_panel.GetThumbnails().GetCount(), 1);

    TypeText(m_panel.GetWidthEdit().GetSafeHwnd(), "3");
    EXPECT_EQ(Selected()->GetPen()->GetWidth(), 60);
    EXPECT_EQ(TextureColor(Selected()->GetBrush()), kRed) << "the shape keeps its own picture";

    RECT item{};
    m_panel.GetThumbnails().GetItemRect(0, &item);
    Click(m_panel.GetThumbnails().GetSafeHwnd(), (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    EXPECT_EQ(TextureColor(Selected()->GetBrush()), kBlue) << "the picked thumbnail";
    PumpMessages();
    SaveWindowPng(m_panel.GetSafeHwnd(), "shape-panel-bitmaps.png");
}

TEST_F(ShapePanelTest, ThumbnailsFollowTheLibraryAndLeaveWithTheDocument)
{
    CFlashLibraryFolder& root = m_session.doc->GetLibrary().GetRootFolder();
    CFlashLibraryFolder* folder = root.AddFolder("pictures");
    folder->AddBitmapEntry(MakeBitmap(8, kGreen));
    root.AddBitmapEntry(MakeBitmap(8, kRed));
    root.AddBitmapEntry(MakeBitmap(8, kBlue));
    Gdiplus::SolidBrush fill(Gdiplus::Color(ColorRefToArgb(kRed)));
    SelectSquare(&fill);
    CBitmapThumbnailListBox& list = m_panel.GetThumbnails();
    ASSERT_EQ(list.GetCount(), 3);
    // A folder's entries come before its sub-folders'.
    EXPECT_EQ(list.GetBitmaps()[2], folder->GetEntries()[0]->GetBitmap());
    EXPECT_EQ(list.GetCurSel(), 0);

    list.SetCurSel(2);
    m_panel.RefreshFromView(m_session.view);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.GetSelectedBitmap(), folder->GetEntries()[0]->GetBitmap());

    // No document window left: nothing points into the closed document's library.
    m_panel.RefreshFromView(nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_TRUE(list.GetBitmaps().empty());
    EXPECT_EQ(list.GetSelectedBitmap(), nullptr);
}

TEST_F(ShapePanelTest, WithoutADocumentChangesStayInThePanel)
{
    SessionApp().CloseAllDocuments(FALSE);
    PumpMessages();
    ASSERT_EQ(MainFrame()->GetActiveStageView(), nullptr);
    TypeText(m_panel.GetWidthEdit().GetSafeHwnd(), "25");
    EXPECT_EQ(WidthText(), "10");
    PickListItem(m_panel.GetFillTypeList(), CShapeTool::kFillRadial);
    EXPECT_TRUE(m_panel.GetGradientPicker().IsWindowVisible());
}

} // namespace
