#include "ToolBarTestFrame.h"

#include "ui/bars/ExtPanelControlBar.h"

#include <gtest/gtest.h>

namespace
{
constexpr SIZE kChildSize{100, 40};

// The child's top-left corner and size in the bar's client coordinates.
CRect ChildRect(CExtPanelControlBar* pBar)
{
    CRect rc;
    ::GetWindowRect(::GetWindow(pBar->GetSafeHwnd(), GW_CHILD), &rc);
    pBar->ScreenToClient(&rc);
    return rc;
}

CExtPanelControlBar* DockPanel(CToolBarTestFrame& frame, UINT nSide, bool bWithChild)
{
    auto* pPanel = static_cast<CExtPanelControlBar*>(
        frame.DockBar(std::make_unique<CExtPanelControlBar>(), nSide));
    if (bWithChild) {
        ::CreateWindowExA(0, "STATIC", "panel", WS_CHILD | WS_VISIBLE, 0, 0, kChildSize.cx, kChildSize.cy,
                          pPanel->GetSafeHwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
        pPanel->RequestFrameLayout();
        frame.Settle();
    }
    return pPanel;
}

TEST(PanelControlBar, SizeIsTheChildsPlusMarginsWhereverItDocks)
{
    struct Case
    {
        const char* pszWhat;
        UINT nSide;
        bool bWithChild;
    };
    const Case cases[] = {
        {"empty at the top", AFX_IDW_DOCKBAR_TOP, false},
        {"empty at the left", AFX_IDW_DOCKBAR_LEFT, false},
        {"child at the top", AFX_IDW_DOCKBAR_TOP, true},
        {"child at the left", AFX_IDW_DOCKBAR_LEFT, true},
    };
    for (const Case& c : cases) {
        CToolBarTestFrame frame;
        CExtPanelControlBar* pPanel = DockPanel(frame, c.nSide, c.bWithChild);
        const CSize sizeChild = c.bWithChild ? CSize(kChildSize) : CSize(0, 0);
        const CSize sizeNeeded(sizeChild.cx + 10, sizeChild.cy + 10);
        EXPECT_EQ(sizeNeeded, pPanel->GetNeededSize(0)) << c.pszWhat;
        EXPECT_EQ(nullptr, pPanel->GetContentExpandButton()) << c.pszWhat;
        EXPECT_FALSE(pPanel->IsFloatingWithCaption()) << c.pszWhat;
        const bool bHorz = c.nSide == AFX_IDW_DOCKBAR_TOP;
        const CSize size = pPanel->CalcFixedLayout(FALSE, bHorz);
        // Two pixels of spacing each way; the gripper's extent adds to one side only.
        const CSize sizeSpacing = size - sizeNeeded;
        EXPECT_EQ(2, std::min(sizeSpacing.cx, sizeSpacing.cy)) << c.pszWhat;
        EXPECT_GT(std::max(sizeSpacing.cx, sizeSpacing.cy), 2) << c.pszWhat << ": gripper";
        EXPECT_EQ(bHorz ? sizeSpacing.cx > 2 : sizeSpacing.cy > 2, true) << c.pszWhat << ": gripper side";
        EXPECT_EQ(pPanel->GetMinimalSize(), sizeNeeded) << c.pszWhat;
        if (c.bWithChild) {
            EXPECT_EQ(CRect(CPoint(5, 5), sizeChild), ChildRect(pPanel)) << c.pszWhat;
        }
    }
}

TEST(PanelControlBar, FloatingWithoutChildIsTenByTenAndResizingKeepsTheChild)
{
    CToolBarTestFrame frame;
    CExtPanelControlBar* pEmpty = DockPanel(frame, AFX_IDW_DOCKBAR_TOP, false);
    frame.Frame()->FloatControlBar(pEmpty, CPoint(300, 300));
    frame.Settle();
    ASSERT_TRUE(pEmpty->IsFloating());
    EXPECT_EQ(CSize(10, 10), pEmpty->CalcDynamicLayout(-1, LM_HORZ));

    CExtPanelControlBar* pPanel = DockPanel(frame, AFX_IDW_DOCKBAR_TOP, true);
    pPanel->SetWindowPos(nullptr, 0, 0, 300, 90, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(CRect(CPoint(5, 5), CSize(kChildSize)), ChildRect(pPanel));
    pPanel->SetWindowPos(nullptr, 0, 0, 60, 20, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(CRect(CPoint(5, 5), CSize(kChildSize)), ChildRect(pPanel)) << "the child is never resized";
}
} // namespace
