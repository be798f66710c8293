// The text tool and its in-place editor, driven by mouse gestures and typed keys.
#include "ToolGestureSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashShape.h"
#include "model/FlashSolidShape.h"
#include "model/FlashTextShape.h"
#include "stage/DrawTextTool.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashInplaceEdit.h"

#include <gtest/gtest.h>

namespace {

class TextToolTest : public ::testing::Test, public CToolGestureFixture {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_pView, nullptr);
        m_pFrame->SetForegroundWindow();
        Pump();
        Command(kCmdText);
    }
    CFlashInplaceEdit& Editor() { return *m_pView->GetInplaceEdit(); }
    void Type(const std::string& text)
    {
        for (char c : text)
            Editor().SendMessage(WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
    }
    void ClearEditor() { Editor().SetWindowText(""); }
    // The editor's rectangle in the view's client pixels.
    RECT EditorRect()
    {
        RECT r;
        ::GetWindowRect(Editor().GetSafeHwnd(), &r);
        ::MapWindowPoints(nullptr, m_pView->GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::vector<CFlashTextShape*> Texts() const
    {
        std::vector<CFlashTextShape*> texts;
        for (CFlashShape* shape : Shapes())
            if (auto* text = dynamic_cast<CFlashTextShape*>(shape))
                texts.push_back(text);
        return texts;
    }
    // The width in pixels of the text's glyphs as the shape lays them out.
    static int GlyphWidth(CFlashTextShape& text, HWND window)
    {
        HDC dc = ::GetDC(window);
        Gdiplus::Rect bounds;
        {
            Gdiplus::Graphics graphics(dc);
            Gdiplus::GraphicsPath path;
            text.AddToPath(path, graphics, 1.0);
            path.GetBounds(&bounds);
        }
        ::ReleaseDC(window, dc);
        return bounds.Width / 20;
    }
};

TEST_F(TextToolTest, AClickOpensTheSmallestEditorAtThePoint)
{
    Click({200, 150});
    ASSERT_TRUE(Editor().IsWindowVisible());
    RECT r = EditorRect();
    POINT at = Client(200, 150);
    // The border of the editor lies outside its client area: compare the outer frame.
    EXPECT_NEAR(r.left, at.x, 1);
    EXPECT_NEAR(r.top, at.y, 1);
    EXPECT_EQ(r.right - r.left, CDrawTextTool::kMinimumWidth);
    const int height = int(m_pView->GetTextFont()->GetSize()) + CDrawTextTool::kExtraHeight;
    EXPECT_EQ(r.bottom - r.top, height);
    Type("Hi");
    Pump();
    CWindowCapture(m_pView->GetSafeHwnd()).Save("text-editor-open.png");
}

TEST_F(TextToolTest, AClickMadeEditorGrowsAsTypedAndItsTextKeepsEveryGlyph)
{
    Click({200, 150});
    const RECT opened = EditorRect();
    Type("Hello");
    const RECT typed = EditorRect();
    EXPECT_GT(typed.right - typed.left, CDrawTextTool::kMinimumWidth);
    EXPECT_EQ(typed.bottom - typed.top, opened.bottom - opened.top);
    const LRESULT first = Editor().SendMessage(EM_POSFROMCHAR, 0, 0);
    EXPECT_GE(short(LOWORD(first)), 0) << "the first letter is not scrolled away";
    Pump();
    CWindowCapture(m_pView->GetSafeHwnd()).Save("text-editor-grown.png");
    Type("\rworld, again");
    const RECT twoLines = EditorRect();
    EXPECT_GT(twoLines.right - twoLines.left, typed.right - typed.left) << "the longer second line widens it";
    EXPECT_GT(twoLines.bottom - twoLines.top, typed.bottom - typed.top);

    Click({100, 300});
    std::vector<CFlashTextShape*> texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->GetText(), "Hello\r\nworld, again");
    // The glyphs laid out in the committed box are those of an unbounded box.
    const int inBox = GlyphWidth(*texts[0], m_pView->GetSafeHwnd());
    const Gdiplus::Rect box = texts[0]->GetRect();
    texts[0]->SetRect(Gdiplus::Rect(box.X, box.Y, box.Width * 10, box.Height * 10));
    const int unbounded = GlyphWidth(*texts[0], m_pView->GetSafeHwnd());
    texts[0]->SetRect(box);
    EXPECT_EQ(inBox, unbounded);
    Pump();
    CWindowCapture(m_pView->GetSafeHwnd()).Save("text-committed-whole.png");
}

TEST_F(TextToolTest, TypedTextIsInsertedAndItsBoxHoldsIt)
{
    // Away from the stage's left edge, a narrow frame must still grow to its text.
    Drag({{300, 100}, {305, 102}});
    Type("Hello wide world");
    const int steps = StepCount();
    Click({100, 300});
    EXPECT_EQ(StepCount(), steps + 1);
    EXPECT_EQ(LastStepName(), "Insert Text");
    std::vector<CFlashTextShape*> texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->GetText(), "Hello wide world");
    Gdiplus::Rect box = texts[0]->GetRect();
    EXPECT_NEAR(box.X, 300 * 20, 20);
    EXPECT_GE(box.Width / 20, GlyphWidth(*texts[0], m_pView->GetSafeHwnd()));
    EXPECT_GT(box.Width / 20, 60);
}

TEST_F(TextToolTest, EmptyTextsAreDiscardedAndClearedTextsKeepTheirWords)
{
    const size_t shapes = Shapes().size();
    int steps = StepCount();
    Click({200, 150});
    Click({100, 300});
    Command(kCmdSelect);
    EXPECT_EQ(StepCount(), steps);
    EXPECT_EQ(Shapes().size(), shapes);

    Command(kCmdText);
    Click({200, 150});
    Type("Keep");
    Command(kCmdSelect);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(LastStepName(), "Insert Text") << "a tool change commits";

    Command(kCmdText);
    Click({205, 155});
    ASSERT_TRUE(Editor().IsWindowVisible());
    ClearEditor();
    Command(kCmdSelect);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0]->GetText(), "Keep");
}

TEST_F(TextToolTest, EscapeDiscardsTheTypingOfANewAndOfAnEditedText)
{
    const int steps = StepCount();
    Click({200, 150});
    Type("Gone");
    Editor().SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
    EXPECT_FALSE(Editor().IsWindowVisible());
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(StepCount(), steps);

    Click({200, 150});
    Type("Kept");
    Command(kCmdSelect);
    ASSERT_EQ(Texts().size(), 1u);
    const int committed = StepCount();
    Command(kCmdText);
    Click({205, 155});
    ASSERT_TRUE(Editor().IsWindowVisible());
    Type(" and more");
    Editor().SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    Command(kCmdSelect);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0]->GetText(), "Kept");
    EXPECT_EQ(StepCount(), committed);
}

TEST_F(TextToolTest, APressOnAShapeThatIsNotTextStartsANewText)
{
    CFlashSolidShape* rect = AddRect(100, 100, 100, 100, RGB(255, 0, 0));
    const int curves = rect->GetCurveCount();
    Click({150, 150});
    EXPECT_TRUE(Editor().IsWindowVisible());
    EXPECT_TRUE(m_pView->GetTextTool()->IsNewText());
    Type("Over");
    Command(kCmdSelect);
    EXPECT_EQ(Texts().size(), 1u);
    EXPECT_EQ(rect->GetCurveCount(), curves);
    EXPECT_EQ(FillColor(rect), 0xFFFF0000u);
}

TEST_F(TextToolTest, GripDragsResizeWithAStepPerMoveAndFreeTheBackdrop)
{
    Click({200, 150});
    Type("Grip");
    CDrawTextTool* tool = m_pView->GetTextTool();
    RECT grip = tool->GetGrip();
    POINT g = {grip.left + 2, grip.top + 2};
    Post(WM_LBUTTONDOWN, MK_LBUTTON, g);
    const int steps = StepCount();
    Post(WM_MOUSEMOVE, MK_LBUTTON, {g.x + 20, g.y + 10});
    Post(WM_MOUSEMOVE, MK_LBUTTON, {g.x + 40, g.y + 20});
    EXPECT_EQ(StepCount(), steps + 2);
    EXPECT_EQ(LastStepName(), "Resize Text");
    Post(WM_LBUTTONUP, 0, {g.x + 40, g.y + 20});
    EXPECT_FALSE(tool->HasBackdrop());
    RECT r = EditorRect();
    EXPECT_GT(r.right - r.left, CDrawTextTool::kMinimumWidth + 30);
}

TEST_F(TextToolTest, DoubleClickWithAnotherToolOpensTheTextForEditing)
{
    Click({200, 150});
    Type("Twice");
    Command(kCmdSelect);
    ASSERT_EQ(Texts().size(), 1u);
    ClearEditor();
    Command(kCmdLine);
    Post(WM_MOUSEMOVE, 0, Client(210, 160));
    ASSERT_EQ(m_pView->GetHoveredShape(), Texts()[0]);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, Client(210, 160));
    Post(WM_LBUTTONUP, 0, Client(210, 160));
    EXPECT_EQ(m_pView->GetCurrentTool(), reinterpret_cast<CDrawingTool*>(m_pView->GetTextTool()));
    EXPECT_TRUE(Editor().IsWindowVisible());
    CString text;
    Editor().GetWindowText(text);
    EXPECT_STREQ(static_cast<LPCSTR>(text), "Twice");
}

} // namespace
