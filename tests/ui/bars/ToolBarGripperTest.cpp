// The gripper of a docked tool bar in the gradient themes, as drawn on the screen: a gradient
// background and a column of light-and-dark dots every 4 pixels.
#include "ToolBarTestFrame.h"

#include "tests/support/ScreenImage.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerOffice2003.h"
#include "ui/core/ExtPaintManagerStudio2005.h"
#include "ui/core/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
constexpr UINT kCmd = CToolBarTestFrame::FIRST_CMD;

// The bar's whole window as shown on the screen.
class CWindowPixels
{
public:
    explicit CWindowPixels(CWnd* pWnd)
    {
        pWnd->GetWindowRect(&m_rc);
        HDC hScreen = ::GetDC(nullptr);
        for (int y = 0; y < m_rc.Height(); ++y)
            for (int x = 0; x < m_rc.Width(); ++x)
                m_pixels.push_back(::GetPixel(hScreen, m_rc.left + x, m_rc.top + y));
        ::ReleaseDC(nullptr, hScreen);
    }
    COLORREF At(int x, int y) const
    {
        return x < 0 || y < 0 || x >= m_rc.Width() || y >= m_rc.Height() ? CLR_INVALID
                                                                          : m_pixels[size_t(y) * m_rc.Width() + x];
    }

private:
    CRect m_rc;
    std::vector<COLORREF> m_pixels;
};

bool Between(COLORREF clr, COLORREF a, COLORREF b)
{
    auto within = [](int v, int p, int q) { return v >= std::min(p, q) && v <= std::max(p, q); };
    return within(GetRValue(clr), GetRValue(a), GetRValue(b)) && within(GetGValue(clr), GetGValue(a), GetGValue(b)) &&
           within(GetBValue(clr), GetBValue(a), GetBValue(b));
}

TEST(ToolBarThemes, GradientThemesDrawTheGripperAsDotsOnAGradient)
{
    for (CRuntimeClass* pTheme :
         {RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005)}) {
        SCOPED_TRACE(pTheme->m_lpszClassName);
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(pTheme));
        CToolBarTestFrame frame;
        for (UINT i = 0; i < 4; ++i)
            frame.AddCommand(kCmd + i, RGB(40 * i, 120, 120));
        CExtToolControlBar* pBar = frame.DockToolBar({kCmd, kCmd + 1, kCmd + 2, kCmd + 3});
        frame.Settle();
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        const CRect rcGripper = pBar->m_rcCaption;
        ASSERT_FALSE(rcGripper.IsRectEmpty());
        const CWindowPixels shown(pBar);
        const COLORREF light = g_PaintManagerHolder->ColorByIndex(3002, pBar);
        const COLORREF dark = g_PaintManagerHolder->ColorByIndex(3003, pBar);

        // The dots' column: the dark squares' tops, each with its highlight below and right.
        std::vector<int> dotTops;
        for (int y = rcGripper.top; y < rcGripper.bottom; ++y)
            for (int x = rcGripper.left; x < rcGripper.right; ++x)
                if (shown.At(x, y) == dark && shown.At(x, y - 1) != dark && shown.At(x - 1, y) != dark) {
                    dotTops.push_back(y);
                    EXPECT_EQ(dark, shown.At(x + 1, y + 1)) << y;
                    EXPECT_EQ(light, shown.At(x + 2, y + 2)) << y;
                }
        ASSERT_GE(dotTops.size(), 3u);
        for (size_t i = 1; i < dotTops.size(); ++i)
            EXPECT_EQ(4, dotTops[i] - dotTops[i - 1]) << i;

        // Beside the dots, the background runs from the light colour at the top to the dark one.
        const COLORREF background = shown.At(rcGripper.left + 1, rcGripper.CenterPoint().y);
        EXPECT_TRUE(Between(background, g_PaintManagerHolder->ColorByIndex(3015, pBar),
                            g_PaintManagerHolder->ColorByIndex(3017, pBar)))
            << std::hex << background;
        CRect rcShot;
        pBar->GetWindowRect(&rcShot);
        SaveScreenRectPng(rcShot, std::string("tool-bar-gripper-") + pTheme->m_lpszClassName + ".png");
    }
    g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP));
}
} // namespace
