// The drawing-tool base (hit test, backdrop, feedback) and the view's clipboard members.
#include "StageTestSupport.h"

#include "model/FlashClipboard.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "stage/FlashEditorView.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// The base tool, with its bitmaps in reach.
class CProbeTool : public CDrawingTool {
public:
    HBITMAP Backdrop() const { return m_hBackdropBitmap; }
};

class ToolTest : public ::testing::Test, public CStageFixture {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_pView, nullptr);
        m_pView->SetTool(&m_tool);
    }
    void TearDown() override { m_pView->SetTool(nullptr); }
    POINT Client(int stageX, int stageY) const
    {
        POINT offset = m_pView->GetStageOffset();
        return {offset.x + stageX, offset.y + stageY};
    }
    CProbeTool m_tool;
};

TEST_F(ToolTest, HoverFindsOnlyTheCurrentLayersShapes)
{
    CFlashSolidShape* bottom = AddRect(10, 10, 40, 40, kRed);
    m_pDoc->AddLayer();
    m_pDoc->SetCurrentLayer(2);
    CFlashSolidShape* top = AddRect(100, 10, 40, 40, kBlue);
    ASSERT_NE(bottom, nullptr);
    HCURSOR stageCursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(133));
    HCURSOR shapeCursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(136));
    ASSERT_NE(stageCursor, nullptr);
    ASSERT_NE(shapeCursor, nullptr);
    const struct {
        const char* where;
        POINT stage;
        CFlashShape* hovered;
        HCURSOR cursor;
    } cases[] = {
        {"empty stage", {300, 300}, nullptr, stageCursor},
        {"a shape of another layer", {30, 30}, nullptr, stageCursor},
        {"a shape of the current layer", {120, 30}, top, shapeCursor},
    };
    for (const auto& c : cases) {
        POINT at = Client(c.stage.x, c.stage.y);
        m_pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(m_pView->GetHoveredShape(), c.hovered) << c.where;
        EXPECT_EQ(::GetCursor(), c.cursor) << c.where;
    }
}

TEST_F(ToolTest, BackdropIsCapturedOnceAndFreedWhenTakenAgain)
{
    AddRect(10, 10, 40, 40, kRed);
    m_tool.SyncWithView();
    m_tool.CaptureBackdrop(0);
    HBITMAP first = m_tool.Backdrop();
    ASSERT_NE(first, nullptr);
    m_tool.CaptureBackdrop(0);
    EXPECT_NE(m_tool.Backdrop(), nullptr);
    EXPECT_EQ(::GetObjectType(first), 0u) << "the earlier backdrop is freed";
    m_tool.ReleaseBackdrop();
    EXPECT_FALSE(m_tool.HasBackdrop());

    // Feedback without a backdrop captures the whole stage first, then shows backdrop and band.
    Gdiplus::Graphics* graphics = m_tool.BeginFeedback();
    ASSERT_NE(graphics, nullptr);
    EXPECT_TRUE(m_tool.HasBackdrop());
    Gdiplus::SolidBrush band(Gdiplus::Color(255, 0, 0, 255));
    POINT at = Client(200, 200);
    graphics->FillRectangle(&band, at.x, at.y, 30, 30);
    m_tool.EndFeedback(&graphics);
    EXPECT_EQ(graphics, nullptr);
    CWindowCapture capture(m_pView->GetSafeHwnd());
    POINT shape = Client(30, 30);
    EXPECT_EQ(capture.Pixel(shape.x, shape.y), kRed);
    EXPECT_EQ(capture.Pixel(at.x + 15, at.y + 15), kBlue);
    m_tool.ReleaseBackdrop();
}

TEST_F(ToolTest, ClientPointsConvertToTwipsTruncated)
{
    m_pView->SetZoom(3.0f);
    m_tool.SyncWithView();
    POINT offset = m_pView->GetStageOffset();
    const struct {
        int dx, dy;
        POINT twips;
    } cases[] = {{0, 0, {0, 0}}, {3, 6, {20, 40}}, {1, -1, {6, -6}}, {-2, 5, {-13, 33}}};
    for (const auto& c : cases) {
        POINT twips = m_tool.ClientToStage(offset.x + c.dx, offset.y + c.dy);
        EXPECT_EQ(twips.x, c.twips.x) << c.dx;
        EXPECT_EQ(twips.y, c.twips.y) << c.dy;
    }
}

class ClipboardTest : public ::testing::Test, public CStageFixture {
protected:
    void SetUp() override { ASSERT_NE(m_pView, nullptr); }
};

TEST_F(ClipboardTest, PasteReplacesTheSelectionWithNewShapes)
{
    CFlashSolidShape* a = AddRect(10, 10, 40, 40, kRed);
    CFlashSolidShape* b = AddRect(60, 10, 40, 40, kBlue);
    m_pView->AddToSelection(a, false);
    m_pView->AddToSelection(b, false);
    ASSERT_TRUE(m_pView->CopySelectionToClipboard());
    m_pView->RemoveFromSelection(b, false);

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(::OpenClipboard(m_pView->GetSafeHwnd()));
        m_pView->PasteShapesFromClipboard(false);
        ::CloseClipboard();
        const std::vector<CFlashShape*>& selection = m_pView->GetSelection();
        ASSERT_EQ(selection.size(), 2u) << round;
        for (CFlashShape* pasted : selection) {
            EXPECT_NE(pasted, a);
            EXPECT_NE(pasted->GetObjectId(), a->GetObjectId());
            EXPECT_NE(pasted->GetObjectId(), b->GetObjectId());
            EXPECT_EQ(pasted->GetState(), kResourceStateSelected);
        }
        EXPECT_EQ(a->GetState(), kResourceStateNormal) << "the old selection is let go";
    }
    std::vector<CFlashShape*> shapes;
    m_pDoc->GetCurrentLayer()->GetCurrentFrameShapes(shapes);
    EXPECT_EQ(shapes.size(), 6u);
}

TEST_F(ClipboardTest, EmptyCopyPastesNothing)
{
    CFlashSolidShape* a = AddRect(10, 10, 40, 40, kRed);
    ASSERT_TRUE(m_pView->CopySelectionToClipboard());
    m_pView->AddToSelection(a, false);
    ASSERT_TRUE(::OpenClipboard(m_pView->GetSafeHwnd()));
    m_pView->PasteShapesFromClipboard(true);
    ::CloseClipboard();
    ASSERT_EQ(m_pView->GetSelection().size(), 1u);
    EXPECT_EQ(m_pView->GetSelection().front(), a);
}

} // namespace
