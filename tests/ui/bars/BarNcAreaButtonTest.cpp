// Caption buttons of a floating bar: they lay themselves out in the floating frame's caption.
#include "DockingTestFrame.h"

#include "ui/bars/ExtBarNcAreaButton.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
const CRect kFrameRect(60, 60, 700, 520);
} // namespace

TEST(BarNcAreaButtonFloating, CloseButtonSitsInTheFloatingFramesCaptionAndAnswersMinButton)
{
    auto frame = std::make_unique<CDockTestFrame>();
    ASSERT_TRUE(frame->Open(kFrameRect));
    CExtControlBar* pBar = frame->AddBar("Floating", AFX_IDW_DOCKBAR_LEFT, 1, CSize(200, 150));
    ASSERT_NE(pBar, nullptr);
    ASSERT_TRUE(pBar->FloatAt(kFrameRect.left + 200, kFrameRect.top + 120, CBRS_ALIGN_TOP));
    frame->Settle();
    auto* pFloating = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame());
    ASSERT_NE(pFloating, nullptr);
    pBar->LayoutNcButtons();
    CExtBarNcAreaButton* pClose = pBar->m_arrNcButtons[0];
    ASSERT_TRUE(pClose->OnQueryVisibility());
    CRect rcInCaption;
    EXPECT_TRUE(rcInCaption.IntersectRect(&pClose->m_rc, &pFloating->m_rcCaption));
    EXPECT_EQ(rcInCaption, pClose->m_rc);
    const CRect rcFrame = CDockTestFrame::WindowRectOf(pFloating);
    const CPoint ptButton = pClose->m_rc.CenterPoint();
    CExtBarNcAreaButton* pHit = nullptr;
    EXPECT_EQ(pBar->HitTestNcButtons(rcFrame.left + ptButton.x, rcFrame.top + ptButton.y, &pHit),
              static_cast<UINT>(HTMINBUTTON));
    EXPECT_EQ(pHit, pClose);
    // The options button shows only for a floating fixed-size bar.
    EXPECT_FALSE(pBar->m_arrNcButtons[2]->OnQueryVisibility());
}
