// The paint bucket, ink bottle and eyedropper, and the cursors of the tools.
#include "ToolGestureSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/FlashSolidShape.h"
#include "stage/FlashEditorView.h"

#include <gtest/gtest.h>

namespace {

constexpr Gdiplus::ARGB kBlack = 0xFF000000;
constexpr Gdiplus::ARGB kCornflower = 0xFF6495ED;
constexpr Gdiplus::ARGB kRed = 0xFFFF0000;
constexpr Gdiplus::ARGB kGreen = 0xFF008000;

class StyleToolTest : public ::testing::Test, public CToolGestureFixture {
protected:
    void SetUp() override { ASSERT_NE(m_pView, nullptr); }
    // A red rectangle with a green pen of width 40 at the stage pixels.
    CFlashShape* AddPennedRect(int x, int y)
    {
        CFlashSolidShape* shape = AddRect(x, y, 60, 60, RGB(255, 0, 0));
        Gdiplus::Pen green{Gdiplus::Color(kGreen), 40.0f};
        if (shape != nullptr)
            shape->SetPen(&green);
        return shape;
    }
    // The shape at the place on the current layer after the document was read back.
    CFlashShape* ShapeAt(int x, int y)
    {
        POINT at = Client(x, y);
        Post(WM_MOUSEMOVE, 0, at);
        return m_pView->GetHoveredShape();
    }
};

TEST_F(StyleToolTest, BucketAndBottleRestyleTheClickedShapeWithAStepThatUndoAndRedoKeep)
{
    const struct {
        const char* name;
        UINT command;
        const char* step;
        Gdiplus::ARGB pen;
        Gdiplus::ARGB fill;
    } cases[] = {
        {"paint bucket", kCmdPaintBucket, "Modify Fill", kGreen, kCornflower},
        {"ink bottle", kCmdInkBottle, "Modify Pen", kBlack, kRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AddPennedRect(100, 100);
        Command(c.command);
        const int steps = StepCount();
        Click({400, 300});
        EXPECT_EQ(StepCount(), steps) << "empty stage changes nothing";
        Click({130, 130});
        EXPECT_EQ(LastStepName(), c.step);
        EXPECT_EQ(StepCount(), steps + 1);
        ASSERT_TRUE(m_pDoc->GetUndoManager().Undo());
        ASSERT_TRUE(m_pDoc->GetUndoManager().Redo());
        CFlashShape* shape = ShapeAt(130, 130);
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(PenColor(shape), c.pen);
        EXPECT_EQ(FillColor(shape), c.fill);
        m_pView->RemoveFromSelection(nullptr, false);
        m_pDoc->RemoveShapes(Shapes()).clear();
    }
}

TEST_F(StyleToolTest, BucketWithoutADefaultFillOrOnALockedLayerDoesNothing)
{
    CFlashShape* shape = AddPennedRect(100, 100);
    Command(kCmdPaintBucket);
    m_pDoc->GetCurrentLayer()->SetLocked(true);
    int steps = StepCount();
    Click({130, 130});
    EXPECT_EQ(StepCount(), steps);
    EXPECT_EQ(FillColor(shape), kRed);
    m_pDoc->GetCurrentLayer()->SetLocked(false);

    Gdiplus::Pen pen{Gdiplus::Color(kBlack), 20.0f};
    m_pView->SetPenAndBrush(pen.Clone(), nullptr);
    ASSERT_EQ(m_pView->GetDefaultFill(), nullptr);
    steps = StepCount();
    Click({130, 130});
    EXPECT_EQ(StepCount(), steps);
    EXPECT_EQ(FillColor(shape), kRed);
}

TEST_F(StyleToolTest, EyedropperTakesTheStyleAndHandsOverToTheMatchingTool)
{
    AddPennedRect(200, 100);
    CFlashSolidShape* target = AddRect(400, 100, 60, 60, RGB(0, 0, 255));
    Command(kCmdLine);
    Drag({{100, 300}, {300, 300}});
    HBITMAP picture = MakeDeviceBitmap(60, 60, RGB(10, 200, 10));
    ASSERT_TRUE(m_pView->InsertBitmapShape(picture));
    ::DeleteObject(picture);

    // The filled rectangle: its pen and fill, then the bucket pours that fill elsewhere.
    Command(kCmdEyedropper);
    Click({230, 130});
    EXPECT_EQ(LastStepName(), "Modify Pen and Brush");
    EXPECT_EQ(m_pView->GetCurrentTool(), reinterpret_cast<CDrawingTool*>(m_pView->GetPaintBucketTool()));
    Gdiplus::Color color;
    m_pView->GetDefaultPen()->GetColor(&color);
    EXPECT_EQ(color.GetValue(), kGreen);
    Click({430, 130});
    EXPECT_EQ(FillColor(target), kRed);

    // The line has no fill: the ink bottle follows.
    Command(kCmdEyedropper);
    Click({200, 300});
    EXPECT_EQ(m_pView->GetDefaultFill(), nullptr);
    EXPECT_EQ(m_pView->GetCurrentTool(), reinterpret_cast<CDrawingTool*>(m_pView->GetInkBottleTool()));

    // A picture (placed at 100, 100) has no pen: the default pen stays.
    Command(kCmdEyedropper);
    Gdiplus::Pen* before = m_pView->GetDefaultPen();
    Click({130, 130});
    EXPECT_EQ(KindOf(m_pView->GetHoveredShape()), ShapeKind::Other);
    ASSERT_NE(m_pView->GetDefaultPen(), nullptr);
    EXPECT_EQ(m_pView->GetDefaultPen(), before);
}

TEST_F(StyleToolTest, ToolsShowTheirCursors)
{
    AddRect(100, 100, 60, 60, RGB(255, 0, 0));
    auto cursor = [](int id) { return ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)); };
    const struct {
        UINT command;
        HCURSOR expected;
    } cases[] = {
        {kCmdPencil, cursor(137)},       {kCmdLasso, cursor(137)},
        {kCmdBrush, cursor(137)},        {kCmdEraser, cursor(137)},
        {kCmdPaintBucket, cursor(194)},  {kCmdInkBottle, cursor(195)},
        {kCmdEyedropper, cursor(196)},   {kCmdLine, ::LoadCursorA(nullptr, IDC_CROSS)},
        {kCmdOval, ::LoadCursorA(nullptr, IDC_CROSS)},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.expected, nullptr) << c.command;
        Command(c.command);
        Post(WM_MOUSEMOVE, 0, Client(130, 130));
        EXPECT_EQ(::GetCursor(), c.expected) << c.command;
    }
}

} // namespace
