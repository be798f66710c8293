// The gradient picker as the Shape panel hosts it: clicks that select and add markers, drags
// that reorder and remove them, loading stops from brushes, and what it paints.
#include "StylePanelSupport.h"

#include "app/panels/GradientPicker.h"
#include "model/GeometryHelpers.h"
#include "resources/panels/ShapePanelResources.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The picker's size in the Shape panel (124 x 19 dialog units at the panel font).
constexpr RECT kPickerRect = {4, 4, 4 + 186, 4 + 31};

class GradientPickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = &CPanelHostWindow::Shared(200, 80, CGradientPicker::g_nMsgMarkerChanged);
        ASSERT_TRUE(m_picker.SubclassWindow(m_host->CreatePlaceholder(kPickerRect, IDC_SHAPE_GRADIENT)));
    }
    void TearDown() override { m_picker.DestroyWindow(); }

    HWND Picker() const { return m_picker.GetSafeHwnd(); }
    POINT MarkerCentre(size_t index) const
    {
        const RECT rc = m_picker.GetMarkerRect(index);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    // A point of the bar at the position (0 to 1), as a click adding a marker reads it.
    POINT BarPoint(double position) const
    {
        const RECT bar = m_picker.GetBarRect();
        return {LONG(position * (bar.right - bar.left)), bar.top + 8};
    }
    std::vector<double> Positions() const
    {
        std::vector<double> positions;
        for (const CGradientMarker& marker : m_picker.GetMarkers())
            positions.push_back(marker.m_dPosition);
        return positions;
    }
    POINT BelowPicker(LONG x) const { return {x, kPickerRect.bottom - kPickerRect.top + 10}; }

    CPanelHostWindow* m_host = nullptr;
    CGradientPicker m_picker;
};

TEST_F(GradientPickerTest, FreshPickerShowsBlackToWhiteWithTheLeftMarkerSelected)
{
    ASSERT_EQ(m_picker.GetMarkers().size(), 2u);
    EXPECT_EQ(m_picker.GetSelectedMarker(), 0);
    EXPECT_EQ(m_picker.GetMarkers()[0].m_clrColor, RGB(0, 0, 0));
    EXPECT_EQ(m_picker.GetMarkers()[1].m_clrColor, RGB(255, 255, 255));

    const int width = kPickerRect.right - kPickerRect.left, height = kPickerRect.bottom - kPickerRect.top;
    CPixelCanvas canvas(width, height);
    CaptureClient(Picker(), canvas);
    const RECT bar = m_picker.GetBarRect();
    // The bar runs from black on the left to white on the right.
    EXPECT_LT(GetRValue(canvas.Pixel(bar.left + 3, bar.top + 8)), 40);
    EXPECT_GT(GetRValue(canvas.Pixel(bar.right - 4, bar.top + 8)), 215);
    // The selected marker's point is black, the other's white; the boxes show their colours.
    for (size_t i = 0; i < 2; ++i) {
        const RECT rc = m_picker.GetMarkerRect(i);
        const int c = rc.left + (rc.right - rc.left) / 2;
        EXPECT_EQ(canvas.Pixel(c, rc.top + 2), i == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255)) << "marker " << i;
        EXPECT_EQ(canvas.Pixel(c, rc.top + 8), m_picker.GetMarkers()[i].m_clrColor) << "marker " << i;
    }
}

TEST_F(GradientPickerTest, ClickOnTheBarAddsABlendedMarkerUpToEight)
{
    const POINT middle = BarPoint(0.5);
    Click(Picker(), middle.x, middle.y);
    ASSERT_EQ(m_picker.GetMarkers().size(), 3u);
    const CGradientMarker& added = m_picker.GetMarkers()[1];
    EXPECT_NEAR(added.m_dPosition, 0.5, 0.01);
    EXPECT_NEAR(GetRValue(added.m_clrColor), 127, 3);
    EXPECT_EQ(GetRValue(added.m_clrColor), GetBValue(added.m_clrColor));
    EXPECT_EQ(m_picker.GetSelectedMarker(), 1);
    // Selected and notified on the press, and once more.
    ASSERT_EQ(m_host->m_records.size(), 2u);
    EXPECT_EQ(m_host->m_records[0].value, 1);
    EXPECT_EQ(m_host->m_records[0].wParam, WPARAM(Picker()));

    for (double position : {0.1, 0.2, 0.3, 0.6, 0.7, 0.8})
        Click(Picker(), BarPoint(position).x, middle.y);
    ASSERT_EQ(m_picker.GetMarkers().size(), CGradientPicker::kMaxMarkersByClick);
    const std::vector<double> positions = Positions();
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));

    // A ninth click adds nothing, yet holds the mouse until the release.
    m_host->m_records.clear();
    PostMouse(Picker(), WM_LBUTTONDOWN, BarPoint(0.9).x, middle.y, MK_LBUTTON);
    EXPECT_EQ(m_picker.GetMarkers().size(), CGradientPicker::kMaxMarkersByClick);
    EXPECT_TRUE(m_picker.IsTracking());
    EXPECT_EQ(::GetCapture(), Picker());
    PostMouse(Picker(), WM_LBUTTONUP, BarPoint(0.9).x, middle.y);
    EXPECT_FALSE(m_picker.IsTracking());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(m_host->m_records.empty());
}

TEST_F(GradientPickerTest, InnerMarkersDragPastNeighboursAndEndsStayPut)
{
    for (double position : {0.3, 0.6})
        Click(Picker(), BarPoint(position).x, BarPoint(position).y);
    ASSERT_EQ(m_picker.GetMarkers().size(), 4u);
    const COLORREF dragged = m_picker.GetMarkers()[1].m_clrColor;

    // The marker at 0.3 dragged to 0.8 passes the one at 0.6 and keeps being dragged.
    const RECT bar = m_picker.GetBarRect();
    const POINT to = {bar.left + LONG(0.8 * (bar.right - bar.left)), MarkerCentre(1).y};
    Drag(Picker(), MarkerCentre(1), to);
    ASSERT_EQ(m_picker.GetMarkers().size(), 4u);
    EXPECT_EQ(m_picker.GetMarkers()[2].m_clrColor, dragged);
    EXPECT_NEAR(m_picker.GetMarkers()[2].m_dPosition, 0.8, 0.01);
    EXPECT_EQ(m_picker.GetSelectedMarker(), 2);
    const std::vector<double> positions = Positions();
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));

    // Dragging the ends moves nothing.
    for (size_t end : {size_t(0), size_t(3)}) {
        Drag(Picker(), MarkerCentre(end), {MarkerCentre(end).x + (end == 0 ? 60 : -60), MarkerCentre(end).y});
        EXPECT_EQ(m_picker.GetMarkers()[end].m_dPosition, end == 0 ? 0.0 : 1.0) << "end " << end;
        EXPECT_EQ(m_picker.GetSelectedMarker(), int(end));
    }
}

TEST_F(GradientPickerTest, OnlyADraggedInnerMarkerReleasedBelowIsRemoved)
{
    for (double position : {0.3, 0.6})
        Click(Picker(), BarPoint(position).x, BarPoint(position).y);
    ASSERT_EQ(m_picker.GetMarkers().size(), 4u);
    const COLORREF kept = m_picker.GetMarkers()[2].m_clrColor;

    struct Case {
        const char* what;
        POINT press;
        size_t markersAfter;
    };
    // The inner marker at index 2 is selected when each case starts.
    const POINT between = {(MarkerCentre(0).x + MarkerCentre(1).x) / 2, MarkerCentre(1).y};
    const Case cases[] = {
        {"a press between markers drags none", between, 4},
        {"an end marker is never removed", MarkerCentre(3), 4},
        {"the dragged inner marker goes", MarkerCentre(1), 3},
    };
    for (const Case& c : cases) {
        Click(Picker(), MarkerCentre(2).x, MarkerCentre(2).y);
        m_host->m_records.clear();
        Drag(Picker(), c.press, BelowPicker(c.press.x));
        EXPECT_EQ(m_picker.GetMarkers().size(), c.markersAfter) << c.what;
        EXPECT_GE(m_picker.GetSelectedMarker(), 0) << c.what;
        EXPECT_LT(m_picker.GetSelectedMarker(), int(m_picker.GetMarkers().size())) << c.what;
        EXPECT_FALSE(m_picker.IsTracking()) << c.what;
    }
    // The left neighbour of the removed marker is selected, and the parent heard of it last.
    EXPECT_EQ(m_picker.GetSelectedMarker(), 0);
    ASSERT_FALSE(m_host->m_records.empty());
    EXPECT_EQ(m_host->m_records.back().value, 0);
    EXPECT_EQ(m_picker.GetMarkers()[1].m_clrColor, kept);
}

TEST_F(GradientPickerTest, LoadsStopsFromBrushesAndEndsWhenTheyAreBroken)
{
    struct Case {
        const char* what;
        std::vector<std::pair<float, COLORREF>> presets;  // none: the end colours only
        std::vector<double> expected;
    };
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
    const Case cases[] = {
        {"no presets", {}, {0.0, 1.0}},
        {"five presets", {{0.f, red}, {.25f, green}, {.5f, blue}, {.75f, green}, {1.f, red}}, {0, .25, .5, .75, 1}},
        {"unsorted presets", {{0.f, red}, {.7f, green}, {.4f, blue}, {1.f, red}}, {0.0, 1.0}},
        {"presets not ending at 1", {{0.f, red}, {.5f, green}, {.9f, blue}}, {0.0, 1.0}},
    };
    for (const Case& c : cases) {
        Gdiplus::LinearGradientBrush linear(Gdiplus::Rect(0, 0, 1, 1), Gdiplus::Color(ColorRefToArgb(red)),
                                            Gdiplus::Color(ColorRefToArgb(blue)), Gdiplus::LinearGradientModeHorizontal);
        Gdiplus::GraphicsPath ellipse;
        ellipse.AddEllipse(0, 0, 1, 1);
        Gdiplus::PathGradientBrush radial(&ellipse);
        radial.SetCenterColor(Gdiplus::Color(ColorRefToArgb(red)));
        Gdiplus::Color surround(ColorRefToArgb(blue));
        INT count = 1;
        radial.SetSurroundColors(&surround, &count);
        if (!c.presets.empty()) {
            std::vector<Gdiplus::Color> colors;
            std::vector<Gdiplus::REAL> positions;
            for (const auto& [position, color] : c.presets) {
                colors.emplace_back(ColorRefToArgb(color));
                positions.push_back(position);
            }
            linear.SetInterpolationColors(colors.data(), positions.data(), INT(colors.size()));
            radial.SetInterpolationColors(colors.data(), positions.data(), INT(colors.size()));
        }
        for (bool bRadial : {false, true}) {
            m_picker.SetSelectedMarkerColor(green);
            if (bRadial)
                m_picker.LoadFromPathBrush(&radial);
            else
                m_picker.LoadFromLinearBrush(&linear);
            EXPECT_EQ(Positions(), c.expected) << c.what << (bRadial ? ", radial" : ", linear");
            EXPECT_EQ(m_picker.GetSelectedMarker(), 0) << c.what;
            if (c.expected.size() == 2) {
                EXPECT_EQ(m_picker.GetMarkers().front().m_clrColor, red) << c.what;
                EXPECT_EQ(m_picker.GetMarkers().back().m_clrColor, blue) << c.what;
            }
        }
    }
}

TEST_F(GradientPickerTest, SelectedColourAndCursorOverMarkers)
{
    m_picker.SetSelectedMarkerColor(RGB(10, 20, 30));
    EXPECT_EQ(m_picker.GetMarkers()[0].m_clrColor, RGB(10, 20, 30));
    EXPECT_EQ(m_picker.GetSelectedMarkerColor(), RGB(10, 20, 30));
    EXPECT_TRUE(m_host->m_records.empty()) << "setting a colour sends nothing";

    POINT screen = MarkerCentre(1);
    ::ClientToScreen(Picker(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageA(Picker(), WM_SETCURSOR, WPARAM(Picker()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    // The stage's cursors hold the application's cursor 156; the arrow stands in without it.
    const HCURSOR marker = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_GRADIENT_MARKER_CURSOR));
    const HCURSOR arrow = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    EXPECT_EQ(::GetCursor(), marker != nullptr ? marker : arrow);
    EXPECT_NE(::GetCursor(), nullptr);
}

} // namespace
