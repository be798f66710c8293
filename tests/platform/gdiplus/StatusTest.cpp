#include "platform/gdiplus/GdiPlus.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Gdiplus;

// An invalid use is recorded as the object's last status; reading the status clears it.
TEST(LastStatus, InvalidUsesAreRecordedAndClearedByTheQuery)
{
    GraphicsPath path;
    Pen pen(Color(0xFF000000));
    Matrix matrix;
    LinearGradientBrush linear(Rect(0, 0, 10, 10), Color(0xFF000000), Color(0xFFFFFFFF),
                               LinearGradientModeHorizontal);
    Bitmap bitmap(4, 4);
    Graphics graphics(&bitmap);
    const Color colors[] = {Color(0xFF000000), Color(0xFFFFFFFF)};
    const REAL positionsNotFromZero[] = {0.5f, 1.0f};
    const struct {
        const char* name;
        std::function<void()> invalidUse;
        const GdiplusBase& object;
    } cases[] = {
        {"lines with a negative count", [&] { path.AddLines(static_cast<const PointF*>(nullptr), -1); }, path},
        {"outline test without a pen",
         [&] { EXPECT_FALSE(path.IsOutlineVisible(0, 0, static_cast<const Pen*>(nullptr))); }, path},
        {"pen given no brush", [&] { EXPECT_EQ(InvalidParameter, pen.SetBrush(nullptr)); }, pen},
        {"empty dash pattern", [&] { pen.SetDashPattern(nullptr, 0); }, pen},
        {"singular matrix inverted",
         [&] {
             matrix.SetElements(0, 0, 0, 0, 0, 0);
             matrix.Invert();
         },
         matrix},
        {"matrix multiplied by nothing", [&] { matrix.Multiply(nullptr); }, matrix},
        {"preset blend not starting at 0", [&] { linear.SetInterpolationColors(colors, positionsNotFromZero, 2); },
         linear},
        {"pixel outside the bitmap", [&] { bitmap.SetPixel(10, 10, Color(0xFF000000)); }, bitmap},
        {"line drawn without a pen", [&] { graphics.DrawLine(static_cast<const Pen*>(nullptr), 0, 0, 1, 1); },
         graphics},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.invalidUse();
        EXPECT_NE(Ok, c.object.GetLastStatus());
        EXPECT_EQ(Ok, c.object.GetLastStatus());
    }
}

TEST(LastStatus, ASuccessDoesNotHideAnEarlierFailure)
{
    Pen pen(Color(0xFF000000));
    EXPECT_NE(Ok, pen.SetBrush(nullptr));
    EXPECT_EQ(Ok, pen.SetWidth(2.0f));
    EXPECT_EQ(InvalidParameter, pen.GetLastStatus());
    EXPECT_EQ(Ok, pen.GetLastStatus());
}

TEST(LastStatus, FailedConstructionIsRecordedNotThrown)
{
    const Bitmap tooLarge(-1, 10);
    EXPECT_NE(Ok, tooLarge.GetLastStatus());
    const TextureBrush noImage(nullptr);
    EXPECT_EQ(InvalidParameter, noImage.GetLastStatus());
    EXPECT_EQ(static_cast<BrushType>(-1), noImage.GetType()) << "a brush without a native brush has no type";
    const Pen noBrush(static_cast<const Brush*>(nullptr));
    EXPECT_EQ(InvalidParameter, noBrush.GetLastStatus());
    const PathGradientBrush noPath(static_cast<const GraphicsPath*>(nullptr));
    EXPECT_EQ(InvalidParameter, noPath.GetLastStatus());
    const Font noFamily(static_cast<const FontFamily*>(nullptr), 10.0f);
    EXPECT_NE(Ok, noFamily.GetLastStatus());
    EXPECT_FALSE(noFamily.IsAvailable());
}
