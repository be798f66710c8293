// The Colors panel on a document of the editor's session: the buttons show the first selected
// shape's pen and fill (the fill itself as the fill button's picture), and black-and-white, swap
// and colours picked in the popup recolour the selection and the view's defaults.
#include "StylePanelSupport.h"

#include "app/panels/QuickColorTool.h"
#include "app/panels/ShapeTool.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashSolidShape.h"
#include "model/GeometryHelpers.h"
#include "stage/FlashEditorView.h"
#include "tests/support/ScreenImage.h"
#include "ui/core/ExtPopupColorMenuWnd.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

COLORREF PenColor(const Gdiplus::Pen* pen)
{
    Gdiplus::Color color;
    pen->GetColor(&color);
    return ArgbToColorRef(color.GetValue());
}

COLORREF SolidColor(const Gdiplus::Brush* fill)
{
    const auto* solid = dynamic_cast<const Gdiplus::SolidBrush*>(fill);
    Gdiplus::Color color;
    if (solid == nullptr)
        return CLR_INVALID;
    solid->GetColor(&color);
    return ArgbToColorRef(color.GetValue());
}

std::unique_ptr<Gdiplus::PathGradientBrush> MakeRadialFill(COLORREF centre, COLORREF edge)
{
    Gdiplus::GraphicsPath ellipse;
    ellipse.AddEllipse(0, 0, 1, 1);
    auto radial = std::make_unique<Gdiplus::PathGradientBrush>(&ellipse);
    radial->SetCenterColor(Gdiplus::Color(ColorRefToArgb(centre)));
    Gdiplus::Color surround(ColorRefToArgb(edge));
    INT count = 1;
    radial->SetSurroundColors(&surround, &count);
    return radial;
}

// Within a few steps of each channel: gradients blend at pixel centres.
bool IsNear(COLORREF pixel, COLORREF color)
{
    constexpr int kTolerance = 24;
    return std::abs(GetRValue(pixel) - GetRValue(color)) <= kTolerance &&
           std::abs(GetGValue(pixel) - GetGValue(color)) <= kTolerance &&
           std::abs(GetBValue(pixel) - GetBValue(color)) <= kTolerance;
}

// How many pixels of the button show about the colour.
int CountPixels(HWND button, COLORREF color)
{
    RECT rc;
    ::GetClientRect(button, &rc);
    CPixelCanvas canvas(rc.right, rc.bottom);
    CaptureClient(button, canvas);
    int count = 0;
    for (COLORREF pixel : canvas.Pixels())
        count += IsNear(pixel, color) ? 1 : 0;
    return count;
}

class ColorsPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_session.view, nullptr);
        m_host = &CPanelHostWindow::Shared(230, 110, 0);
        ASSERT_TRUE(m_panel.Create(IDD_COLORS_PANEL, m_host->Window()));
        m_panel.ShowWindow(SW_SHOW);
        PumpMessages();
    }
    void TearDown() override { m_panel.DestroyWindow(); }

    CFlashSolidShape* SelectSquare(const Gdiplus::Brush* fill, const Gdiplus::Pen* pen = nullptr)
    {
        CFlashSolidShape* shape = AddSquare(*m_session.doc, 20, 20, fill, pen);
        m_session.view->RemoveFromSelection(nullptr, false);
        m_session.view->AddToSelection(shape, true);
        m_panel.RefreshFromView(m_session.view);
        return shape;
    }
    CFlashShape* Selected() const { return m_session.view->GetFirstSelectedShape(); }
    void ClickButton(UINT id)
    {
        HWND button = ::GetDlgItem(m_panel.GetSafeHwnd(), id);
        RECT rc;
        ::GetClientRect(button, &rc);
        // The button takes a release only with the pointer over it.
        POINT centre = {rc.right / 2, rc.bottom / 2};
        ::ClientToScreen(button, &centre);
        ::SetCursorPos(centre.x, centre.y);
        Click(button, rc.right / 2, rc.bottom / 2);
    }
    HWND FillButton() const { return m_panel.GetFillButton().GetSafeHwnd(); }

    CSessionDocument m_session;
    CPanelHostWindow* m_host = nullptr;
    CQuickColorTool m_panel;
};

TEST_F(ColorsPanelTest, WithoutSelectionTheButtonsShowTheViewDefaults)
{
    m_session.view->SetPenAndFillColors(kBlue, kYellow);
    m_session.view->RemoveFromSelection(nullptr, false);
    m_panel.RefreshFromView(m_session.view);
    EXPECT_EQ(m_panel.GetPenButton().m_clrSelected, kBlue);
    EXPECT_EQ(m_panel.GetFillButton().m_clrSelected, kYellow);
    EXPECT_NE(m_panel.GetFillButton().GetBrush(), nullptr);
}

TEST_F(ColorsPanelTest, SmallButtonsShowTheirPicturesAndNoText)
{
    for (UINT id : {UINT(IDC_COLORS_BLACK_AND_WHITE), UINT(IDC_COLORS_SWAP)}) {
        SCOPED_TRACE(id);
        HWND button = ::GetDlgItem(m_panel.GetSafeHwnd(), id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(::GetWindowTextLengthA(button), 0);
        // Both pictures draw black strokes; a text-less face has none.
        EXPECT_GT(CountPixels(button, RGB(0, 0, 0)), 8);
    }
    SaveWindowPng(m_panel.GetSafeHwnd(), "colors-panel.png");
}

TEST_F(ColorsPanelTest, BlackAndWhiteThenSwapRecolourSelectionAndDefaults)
{
    Gdiplus::SolidBrush fill(Gdiplus::Color(ColorRefToArgb(kBlue)));
    Gdiplus::Pen pen(Gdiplus::Color(ColorRefToArgb(kRed)), 20);
    SelectSquare(&fill, &pen);
    EXPECT_EQ(m_panel.GetPenButton().m_clrSelected, kRed);
    EXPECT_EQ(m_panel.GetFillButton().m_clrSelected, kBlue);

    struct Step {
        UINT button;
        COLORREF pen;
        COLORREF fill;
    };
    const Step steps[] = {
        {IDC_COLORS_BLACK_AND_WHITE, RGB(0, 0, 0), RGB(255, 255, 255)},
        {IDC_COLORS_SWAP, RGB(255, 255, 255), RGB(0, 0, 0)},
    };
    for (const Step& step : steps) {
        ClickButton(step.button);
        EXPECT_EQ(m_panel.GetPenButton().m_clrSelected, step.pen) << step.button;
        EXPECT_EQ(m_panel.GetFillButton().m_clrSelected, step.fill) << step.button;
        EXPECT_EQ(PenColor(Selected()->GetPen()), step.pen) << step.button;
        EXPECT_EQ(SolidColor(Selected()->GetBrush()), step.fill) << step.button;
        EXPECT_EQ(PenColor(m_session.view->GetDefaultPen()), step.pen) << step.button;
        EXPECT_EQ(SolidColor(m_session.view->GetDefaultFill()), step.fill) << step.button;
        EXPECT_EQ(LastStepName(*m_session.doc), "Modify Colors") << step.button;
    }
}

TEST_F(ColorsPanelTest, ColourPickedInThePopupReachesTheSelection)
{
    Gdiplus::SolidBrush fill(Gdiplus::Color(ColorRefToArgb(kBlue)));
    SelectSquare(&fill);
    // As the popup reports a choice to the button, which relays it to the panel.
    ::SendMessageA(FillButton(), CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, kYellow, 0);
    EXPECT_EQ(m_panel.GetFillButton().m_clrSelected, kYellow);
    EXPECT_EQ(SolidColor(Selected()->GetBrush()), kYellow);
}

TEST_F(ColorsPanelTest, FillButtonPicturesTheFillAndDropsItWithoutOne)
{
    const COLORREF centre = RGB(255, 255, 0), edge = RGB(0, 0, 128);
    const auto radial = MakeRadialFill(centre, edge);
    SelectSquare(radial.get());
    EXPECT_EQ(m_panel.GetFillButton().m_clrSelected, centre);
    ASSERT_NE(m_panel.GetFillButton().GetBrush(), nullptr);
    PumpMessages();
    SaveWindowPng(m_panel.GetSafeHwnd(), "colors-panel.png");

    // The picture: the centre colour in the middle, darkening towards the corners.
    HICON hIcon = nullptr;
    bool bDestroy = false;
    const_cast<CQuickColorBtn&>(m_panel.GetFillButton()).MakeColorIcon(&hIcon, &bDestroy);
    ASSERT_NE(hIcon, nullptr);
    EXPECT_TRUE(bDestroy);
    CPixelCanvas icon(16, 16, RGB(1, 2, 3));
    ::DrawIconEx(icon.dc().m_hDC, 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    ::DestroyIcon(hIcon);
    EXPECT_TRUE(IsNear(icon.Pixel(8, 8), centre)) << std::hex << icon.Pixel(8, 8);
    EXPECT_LT(GetRValue(icon.Pixel(0, 0)), 160);
    EXPECT_NE(icon.Pixel(0, 0), RGB(1, 2, 3)) << "the icon is opaque";
    EXPECT_GT(CountPixels(FillButton(), centre), 0) << "the button shows the picture";

    // A shape without fill: mid-grey, and the radial picture is gone.
    SelectSquare(nullptr);
    EXPECT_EQ(m_panel.GetFillButton().m_clrSelected, CQuickColorTool::kNoFillColor);
    EXPECT_EQ(m_panel.GetFillButton().GetBrush(), nullptr);
    EXPECT_EQ(CountPixels(FillButton(), centre), 0);
    EXPECT_GT(CountPixels(FillButton(), CQuickColorTool::kNoFillColor), 0);
}

TEST_F(ColorsPanelTest, RefreshesLeaveNoGdiHandlesBehind)
{
    CShapeTool shapePanel;
    ASSERT_TRUE(shapePanel.Create(IDD_SHAPE_PANEL, m_host->Window()));
    const auto radial = MakeRadialFill(kYellow, kBlue);
    SelectSquare(radial.get());
    constexpr int kRefreshes = 1000;
    // The first rounds make what is kept for good (caches, the marker cursor).
    for (int i = 0; i < 5; ++i) {
        m_panel.RefreshFromView(m_session.view);
        shapePanel.RefreshFromView(m_session.view);
        m_panel.UpdateWindow();
    }
    const int freeBefore = CountFreeGdiHandleSlots();
    for (int i = 0; i < kRefreshes; ++i) {
        m_panel.RefreshFromView(m_session.view);
        shapePanel.RefreshFromView(m_session.view);
        // Painting the fill button's picture costs milliseconds: every tenth refresh shows.
        if (i % 10 == 0)
            ::UpdateWindow(FillButton());
    }
    EXPECT_EQ(CountFreeGdiHandleSlots(), freeBefore);
    shapePanel.DestroyWindow();
}

TEST_F(ColorsPanelTest, PanelSmallerThanItsButtonsGivesThemNoNegativeSize)
{
    for (const SIZE size : {SIZE{60, 120}, SIZE{4, 4}}) {
        m_panel.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        for (UINT id : {IDC_COLORS_PEN, IDC_COLORS_FILL}) {
            RECT rc;
            ::GetWindowRect(::GetDlgItem(m_panel.GetSafeHwnd(), id), &rc);
            EXPECT_GE(rc.right - rc.left, 0) << size.cx << " x " << size.cy << ", button " << id;
            EXPECT_LE(rc.right - rc.left, size.cx) << "anchored to the panel's width, button " << id;
            EXPECT_GE(rc.bottom - rc.top, 0) << size.cx << " x " << size.cy << ", button " << id;
        }
    }
}

} // namespace
