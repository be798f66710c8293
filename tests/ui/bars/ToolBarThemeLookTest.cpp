// How the themes draw tool bars: the gripper of a docked bar in the gradient themes (a gradient
// background, a column of light-and-dark dots every 4 pixels) and a floating bar's title.
#include "ToolBarTestFrame.h"

#include "tests/support/ScreenImage.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"
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
// A caption drawn alone into a memory bitmap, read back.
std::vector<COLORREF> RenderCaption(CObject* pOwner, LPCSTR pszText, const CRect& rcCaption, const CRect& rcText)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rcCaption.Width(), rcCaption.Height());
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    CExtDrawBarCaptionArgs args(pOwner, rcCaption, rcText, false, true, false, false, pszText);
    g_PaintManagerHolder->DrawBarCaption(dc, args);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rcCaption.Height(); ++y)
        for (int x = 0; x < rcCaption.Width(); ++x)
            pixels.push_back(dc.GetPixel(x, y));
    ::SelectObject(dc.m_hDC, hOld);
    ::DeleteObject(hBitmap);
    return pixels;
}

// A floating tool bar's title that does not fit is cut after the last character that fits, with
// no ellipsis; other floating captions end with one.
TEST(ToolBarThemes, AFloatingToolBarsLongTitleIsCutWithoutAnEllipsis)
{
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP)));
    CToolBarTestFrame frame;
    frame.AddCommand(kCmd, RGB(40, 120, 120));
    CExtToolControlBar* pBar = frame.DockToolBar({kCmd});
    frame.Frame()->FloatControlBar(pBar, CPoint(300, 300));
    frame.Settle();
    CObject* pFloatingFrame = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame());
    ASSERT_NE(nullptr, pFloatingFrame);

    const CRect rcCaption(0, 0, 90, 18);
    const CRect rcText(2, 0, 70, 18);
    const CString title = "Drawing tools and more";
    CString fits = title;
    {
        CDC measure;
        measure.CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(measure.m_hDC, g_PaintManagerHolder->m_FontBoldBC.GetSafeHandle());
        while (measure.GetTextExtent(fits).cx > rcText.Width())
            fits = fits.Left(fits.GetLength() - 1);
        ::SelectObject(measure.m_hDC, hOld);
    }
    ASSERT_LT(fits.GetLength(), title.GetLength());
    const std::vector<COLORREF> cut = RenderCaption(nullptr, fits, rcCaption, rcText);
    EXPECT_EQ(cut, RenderCaption(pFloatingFrame, title, rcCaption, rcText));
    EXPECT_NE(cut, RenderCaption(nullptr, title, rcCaption, rcText)) << "elsewhere it ends with an ellipsis";
}
} // namespace
