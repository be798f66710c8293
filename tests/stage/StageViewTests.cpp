// Painting, zoom, scrolling and mouse routing of the stage view in a real window.
#include "StageTestSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/FlashTextShape.h"
#include "stage/DrawTextTool.h"
#include "stage/FlashEditorView.h"
#include "stage/SelectTool.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr COLORREF kField = RGB(0xD0, 0xD0, 0xD0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class StageViewTest : public ::testing::Test, public CStageFixture {
protected:
    void SetUp() override { ASSERT_NE(m_pView, nullptr); }

    CRect Client() const
    {
        CRect client;
        m_pView->GetClientRect(&client);
        return client;
    }
    // Where a stage pixel shows in the client area now.
    POINT StageToClient(double x, double y) const
    {
        POINT offset = m_pView->GetStageOffset();
        float zoom = m_pView->GetZoom();
        return {offset.x + int(x * zoom), offset.y + int(y * zoom)};
    }
    void Post(UINT message, WPARAM flags, int x, int y)
    {
        m_pView->PostMessage(message, flags, MAKELPARAM(x, y));
        Pump();
    }
};

TEST_F(StageViewTest, FreshViewShowsTheStageCentredOnTheGreyField)
{
    CFlashSolidShape* red = AddRect(100, 100, 50, 50, kRed);
    ASSERT_NE(red, nullptr);
    Pump();
    CRect client = Client();
    POINT offset = m_pView->GetStageOffset();
    EXPECT_EQ(offset.x, client.Width() / 2 - 275);
    EXPECT_EQ(offset.y, client.Height() / 2 - 200);

    CWindowCapture capture(m_pView->GetSafeHwnd());
    capture.Save("stage-100.png");
    const struct {
        const char* where;
        POINT point;
        COLORREF color;
    } cases[] = {
        {"grey left of the stage", {offset.x - 5, client.Height() / 2}, kField},
        {"grey above the stage", {client.Width() / 2, offset.y - 5}, kField},
        {"grey below the stage", {client.Width() / 2, offset.y + 405}, kField},
        {"stage background", {offset.x + 10, offset.y + 10}, kWhite},
        {"the red shape", StageToClient(125, 125), kRed},
        {"stage beside the shape", StageToClient(175, 125), kWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(capture.Pixel(c.point.x, c.point.y), c.color) << c.where;
}

TEST_F(StageViewTest, ViewWithoutDocumentPaintsNothing)
{
    CFlashEditorView view;
    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.Attach(screen);
    view.OnDraw(&dc);  // no document, no window: nothing happens
    dc.Detach();
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(view.GetSelection().size(), 0u);
}

TEST_F(StageViewTest, ZoomKeepsTheCentredStagePointAndStaysInRange)
{
    AddRect(250, 180, 50, 40, kRed);
    const struct {
        float requested;
        float zoom;
        const char* screen;
    } cases[] = {
        {1.0f, 1.0f, nullptr}, {1.1f, 1.1f, nullptr}, {4.0f, 4.0f, "stage-400.png"},
        {0.01f, kMinStageZoom, nullptr}, {1000.0f, kMaxStageZoom, nullptr},
    };
    for (const auto& c : cases) {
        m_pView->SetZoom(1.0f);
        // Rounding at a tenth loses up to five pixels at 1.0: start each case centred again.
        m_pView->SetScrollPos(SB_HORZ, 275);
        m_pView->SetScrollPos(SB_VERT, 200);
        m_pView->SetZoom(c.requested);
        Pump();
        EXPECT_FLOAT_EQ(m_pView->GetZoom(), c.zoom) << c.requested;
        SIZE stage = m_pView->GetStageSizeAtZoom();
        EXPECT_EQ(stage.cx, int(std::ceil(550.0 * c.zoom))) << c.requested;
        EXPECT_EQ(stage.cy, int(std::ceil(400.0 * c.zoom))) << c.requested;
        // The stage point under the client centre stays (275, 200) within a pixel's rounding.
        CRect client = Client();
        POINT offset = m_pView->GetStageOffset();
        double centreX = (client.Width() / 2 - offset.x) / c.zoom;
        double centreY = (client.Height() / 2 - offset.y) / c.zoom;
        EXPECT_NEAR(centreX, 275.0, 1.0 / c.zoom + 0.01) << c.requested;
        EXPECT_NEAR(centreY, 200.0, 1.0 / c.zoom + 0.01) << c.requested;
        // Line and page steps move by at least a pixel.
        int mode = 0;
        SIZE total, page, line;
        m_pView->GetDeviceScrollSizes(mode, total, page, line);
        EXPECT_GE(line.cx, 1);
        EXPECT_GE(page.cy, 1);
        EXPECT_EQ(total.cx, stage.cx + client.Width());
        CWindowCapture capture(m_pView->GetSafeHwnd());
        EXPECT_EQ(capture.Pixel(client.Width() / 2, client.Height() / 2), kRed) << c.requested;
        if (c.screen != nullptr)
            capture.Save(c.screen);
    }
}

TEST_F(StageViewTest, ZoomCommandsStepWithinTheBounds)
{
    const struct {
        UINT command;
        int repeat;
        float start;
        float expected;
    } cases[] = {
        {32869, 1, 1.0f, 1.1f},          // Zoom In
        {32870, 1, 1.1f, 1.1f * 0.9090909f},  // Zoom Out
        {32797, 1, 1.0f, 1.1f},          // step up
        {32781, 1, 1.0f, 0.9f},          // step down
        {32781, 30, 1.0f, kMinStageZoom},
        {32869, 40, 1.0f, kMaxStageZoom},
        {32797, 200, 1.0f, kMaxStageZoom},
    };
    for (const auto& c : cases) {
        m_pView->SetZoom(c.start);
        for (int i = 0; i < c.repeat; ++i)
            m_pView->SendMessage(WM_COMMAND, c.command);
        EXPECT_NEAR(m_pView->GetZoom(), c.expected, 1e-4) << c.command << " x" << c.repeat;
        // The stage size follows every step.
        EXPECT_EQ(m_pView->GetStageSizeAtZoom().cx, int(std::ceil(550.0 * m_pView->GetZoom())));
    }
}

TEST_F(StageViewTest, ScrollingToEitherEndLeavesHalfAClientOfGrey)
{
    CRect client = Client();
    const struct {
        CSize delta;
        int expectedOffsetX;
        int expectedOffsetY;
    } cases[] = {
        {CSize(-100000, -100000), client.Width() / 2, client.Height() / 2},
        {CSize(100000, 100000), client.Width() / 2 - 550, client.Height() / 2 - 400},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(m_pView->OnScrollBy(c.delta));
        EXPECT_FALSE(m_pView->OnScrollBy(c.delta)) << "already at the end";
        Pump();
        m_pView->UpdateStageOffset();
        POINT offset = m_pView->GetStageOffset();
        EXPECT_EQ(offset.x, c.expectedOffsetX);
        EXPECT_EQ(offset.y, c.expectedOffsetY);
        CWindowCapture capture(m_pView->GetSafeHwnd());
        // Beyond the stage's far corner lies grey, inside it white.
        if (offset.x > 0) {
            EXPECT_EQ(capture.Pixel(offset.x - 2, offset.y + 5), kField);
            EXPECT_EQ(capture.Pixel(offset.x + 2, offset.y + 5), kWhite);
        } else {
            EXPECT_EQ(capture.Pixel(offset.x + 552, offset.y + 395), kField);
            EXPECT_EQ(capture.Pixel(offset.x + 548, offset.y + 395), kWhite);
        }
    }
}

// -- routing ------------------------------------------------------------------------------------

TEST_F(StageViewTest, MouseReachesTheCurrentToolAsRouted)
{
    CRecordingTool tool;
    m_pView->SetTool(&tool);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 10, 10);   // no press on the view: no button bit
    Post(WM_LBUTTONUP, 0, 10, 10);            // a release without a press is dropped
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 20, 30);
    EXPECT_EQ(::GetCapture(), m_pView->GetSafeHwnd());
    Post(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 40, 50);
    Post(WM_LBUTTONUP, 0, 60, 70);
    EXPECT_EQ(::GetCapture(), nullptr);

    ASSERT_EQ(tool.Names(), (std::vector<std::string>{"move", "down", "move", "up"}));
    EXPECT_EQ(tool.m_calls[0].flags, 0u);
    EXPECT_EQ(tool.m_calls[1].x, 20);
    EXPECT_EQ(tool.m_calls[2].flags, UINT(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(tool.m_calls[3].x, 60);
    EXPECT_EQ(tool.m_calls[3].y, 70);
    m_pView->SetTool(nullptr);
}

TEST_F(StageViewTest, LostCaptureEndsThePressAtTheLastPoint)
{
    CRecordingTool tool;
    m_pView->SetTool(&tool);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 20, 30);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 44, 55);
    ::ReleaseCapture();  // as a message box or a task switch would take it
    Pump();
    Post(WM_MOUSEMOVE, MK_LBUTTON, 90, 90);
    ASSERT_EQ(tool.Names(), (std::vector<std::string>{"down", "move", "up", "move"}));
    EXPECT_EQ(tool.m_calls[2].x, 44);
    EXPECT_EQ(tool.m_calls[2].y, 55);
    EXPECT_EQ(tool.m_calls[3].flags, 0u) << "the press is over";
    m_pView->SetTool(nullptr);
}

TEST_F(StageViewTest, CaptureSendsAReleaseOutsideTheViewToTheTool)
{
    CRecordingTool tool;
    m_pView->SetTool(&tool);
    m_pFrame->SetForegroundWindow();
    Pump();
    POINT press = ToScreen(100, 100);
    POINT outside = ToScreen(-30, -30);
    auto mouse = [](POINT at, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = LONG(at.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
        input.mi.dy = LONG(at.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof input);
    };
    mouse(press, 0);
    Pump();
    mouse(press, MOUSEEVENTF_LEFTDOWN);
    Pump();
    mouse(outside, 0);
    Pump();
    mouse(outside, MOUSEEVENTF_LEFTUP);
    Pump();
    std::vector<std::string> names = tool.Names();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), "up");
    EXPECT_LT(tool.m_calls.back().x, 0) << "released outside the client area";
    m_pView->SetTool(nullptr);
}

TEST_F(StageViewTest, DoubleClickOnATextPicksTheTextToolOfThisWindow)
{
    Gdiplus::Font font(u"Arial", 12.0f);
    Gdiplus::Pen pen(Gdiplus::Color(255, 0, 0, 0), 20.0f);
    Gdiplus::SolidBrush brush(Gdiplus::Color(255, 0, 0, 0));
    auto* text = new CFlashTextShape(&font, &pen, &brush);
    text->SetText("Hello");
    text->SetRect(Gdiplus::Rect(2000, 2000, 2000, 600));
    ASSERT_TRUE(m_pDoc->AddShape(text));
    CFlashSolidShape* rect = AddRect(20, 20, 40, 40, kRed);
    ASSERT_NE(rect, nullptr);

    // Another window's view, already closed, was the last to name the kinds' tools.
    delete new CFlashEditorView;

    const struct {
        POINT stage;
        CDrawingTool* expected;
    } cases[] = {
        {{125, 110}, reinterpret_cast<CDrawingTool*>(m_pView->GetTextTool())},
        {{40, 40}, reinterpret_cast<CDrawingTool*>(m_pView->GetSelectTool())},
    };
    for (const auto& c : cases) {
        m_pView->OnLineTool();
        POINT at = StageToClient(c.stage.x, c.stage.y);
        Post(WM_MOUSEMOVE, 0, at.x, at.y);
        ASSERT_NE(m_pView->GetHoveredShape(), nullptr);
        Post(WM_LBUTTONDBLCLK, MK_LBUTTON, at.x, at.y);
        Post(WM_LBUTTONUP, 0, at.x, at.y);
        EXPECT_EQ(m_pView->GetCurrentTool(), c.expected);
    }
}

TEST_F(StageViewTest, HeldDeleteDeletesOnce)
{
    CFlashSolidShape* first = AddRect(10, 10, 20, 20, kRed);
    m_pView->AddToSelection(first, false);
    const int steps = StepCount();
    m_pView->PostMessage(WM_KEYDOWN, VK_DELETE, 0x40000001);  // auto-repeat
    Pump();
    EXPECT_EQ(m_pView->GetSelection().size(), 1u);
    EXPECT_EQ(StepCount(), steps);
    m_pView->PostMessage(WM_KEYDOWN, VK_DELETE, 0x00000001);
    Pump();
    EXPECT_TRUE(m_pView->GetSelection().empty());
    EXPECT_EQ(LastStepName(), "Clear");
}

TEST_F(StageViewTest, ToolCommandsMarkTheirEntries)
{
    struct CProbe : CCmdUI {
        void Enable(BOOL on) override { enabled = on; }
        void SetCheck(int check) override { checked = check; }
        void SetRadio(BOOL on) override { radio = on; }
        BOOL enabled = -1;
        int checked = -1;
        BOOL radio = -1;
    };
    const struct {
        UINT command;
        bool check;
    } cases[] = {
        {32785, false}, {32792, false}, {32793, false}, {32818, false}, {32782, false}, {32783, false},
        {32866, false}, {32786, false}, {32787, false}, {32784, false}, {32863, false}, {32848, false},
        {32795, false}, {32877, true},  {32780, true},  {32779, true},
    };
    for (const auto& c : cases) {
        m_pView->SendMessage(WM_COMMAND, c.command);
        for (const auto& other : cases) {
            CProbe probe;
            probe.m_nID = other.command;
            m_pView->OnCmdMsg(other.command, CN_UPDATE_COMMAND_UI, &probe, nullptr);
            EXPECT_TRUE(probe.enabled) << other.command;
            bool marked = other.check ? probe.checked == 1 : probe.radio == TRUE;
            EXPECT_EQ(marked, other.command == c.command) << c.command << " marks " << other.command;
        }
    }
    m_pDoc->SetPlaying(true);
    CProbe probe;
    probe.m_nID = 32785;
    m_pView->OnCmdMsg(32785, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    EXPECT_FALSE(probe.enabled);
    m_pDoc->SetPlaying(false);
}

TEST_F(StageViewTest, ToolChangesUpdateTheOptionBars)
{
    const struct {
        UINT command;
        int updates;
    } cases[] = {
        {32785, 1},  // line after select: the Shape bar shows
        {32784, 0},  // select after line: no option bar is concerned
        {32783, 2},  // brush: the change, then the command's own update
        {32866, 2},  // eraser after brush
        {32784, 1},  // select after eraser
    };
    for (const auto& c : cases) {
        m_host.m_nToolOptionBars = 0;
        m_pView->SendMessage(WM_COMMAND, c.command);
        EXPECT_EQ(m_host.m_nToolOptionBars, c.updates) << c.command;
    }
}

TEST_F(StageViewTest, ShellCallsGoThroughTheHostOrNowhere)
{
    const UINT killFocus = ::RegisterWindowMessageA("CFlashInplaceEdit::g_nMsgFlashInplaceEditKillFocus");
    const UINT colorChanged = ::RegisterWindowMessageA("CExtColorCtrl::g_nMsgColorChanged");
    for (bool withHost : {true, false}) {
        CFlashEditorView::SetStageHost(withHost ? &m_host : nullptr);
        m_host.m_nPropertiesDialogs = 0;
        m_host.m_nToolOptionBars = 0;
        m_pView->SendMessage(WM_COMMAND, 32871);  // Modify Document
        m_pView->SendMessage(WM_COMMAND, 32873);  // Insert Bitmap: the host offers no picture
        m_pView->SendMessage(WM_COMMAND, 32783);  // Brush Tool
        m_pView->SendMessage(WM_COMMAND, 32784);
        EXPECT_EQ(m_host.m_nPropertiesDialogs, withHost ? 1 : 0);
        EXPECT_EQ(m_host.m_nToolOptionBars, withHost ? 3 : 0);
        EXPECT_EQ(m_pView->SendMessage(killFocus, 0, 0), 1);
        EXPECT_EQ(m_pView->SendMessage(colorChanged, 0, 0), 1);
        EXPECT_EQ(StepCount(), 1) << "nothing was recorded";
    }
    CFlashEditorView::SetStageHost(&m_host);
}

} // namespace
