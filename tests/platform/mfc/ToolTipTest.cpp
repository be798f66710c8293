#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>
#include <cstring>

namespace
{
constexpr INT_PTR ID_HOT_TOOL = 77;
const CRect kHotRect(10, 10, 60, 40);

// A window with one tool, a rectangle whose tip text is made on demand.
class CTipWnd : public CWnd
{
public:
    int m_nHitTests = 0;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override
    {
        ++const_cast<CTipWnd*>(this)->m_nHitTests;
        if (!kHotRect.PtInRect(point))
            return -1;
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(ID_HOT_TOOL);
        pTI->rect = kHotRect;
        pTI->lpszText = static_cast<LPSTR>(std::malloc(16));
        std::strcpy(pTI->lpszText, "Hot tool");
        return ID_HOT_TOOL;
    }
};

MSG MouseMove(const CWnd& wnd, POINT ptClient)
{
    MSG msg = {};
    msg.hwnd = wnd.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
    msg.pt = ptClient;
    ::ClientToScreen(wnd.m_hWnd, &msg.pt);
    return msg;
}

HWND FindTipWindowOwnedBy(HWND hWndOwner)
{
    for (HWND hWnd = ::FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); hWnd != nullptr;
         hWnd = ::FindWindowExA(nullptr, hWnd, TOOLTIPS_CLASSA, nullptr))
    {
        if (::GetWindow(hWnd, GW_OWNER) == hWndOwner)
            return hWnd;
    }
    return nullptr;
}
}

TEST(ToolTips, HitToolsAreAddedWithTheirTextAndRemovedWhenLeft)
{
    CTipWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 120,
                             nullptr, nullptr));
    EXPECT_FALSE(wnd.EnableToolTips(TRUE));

    MSG inside = MouseMove(wnd, CPoint(20, 20));
    EXPECT_FALSE(wnd.PreTranslateMessage(&inside)) << "tool tips never eat the message";
    EXPECT_EQ(1, wnd.m_nHitTests);
    HWND hTip = FindTipWindowOwnedBy(wnd.m_hWnd);
    ASSERT_NE(nullptr, hTip);
    EXPECT_EQ(1, ::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.hwnd = wnd.m_hWnd;
    ti.uId = static_cast<UINT_PTR>(ID_HOT_TOOL);
    char text[32] = {};
    ti.lpszText = text;
    ::SendMessageA(hTip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ("Hot tool", text);

    MSG outside = MouseMove(wnd, CPoint(150, 90));
    wnd.PreTranslateMessage(&outside);
    EXPECT_EQ(0, ::SendMessageA(hTip, TTM_GETTOOLCOUNT, 0, 0));

    wnd.EnableToolTips(FALSE);
    EXPECT_FALSE(::IsWindow(hTip)) << "the owner's shared tip window goes when tips are disabled";
    wnd.DestroyWindow();
}
