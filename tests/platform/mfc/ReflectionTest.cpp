#include "platform/mfc/Afx.h"

#include <gtest/gtest.h>

namespace
{
constexpr UINT ID_OWNER_DRAWN = 500;
constexpr UINT ID_COLOURED = 501;
constexpr UINT ID_PLAIN = 502;

// An owner-drawn button that paints itself from the parent's WM_DRAWITEM.
class CSelfDrawnButton : public CButton
{
public:
    int m_nDraws = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++m_nDraws;
        EXPECT_EQ(m_hWnd, lpDrawItemStruct->hwndItem);
    }
};

// A label that chooses its own background brush.
class CColouredStatic : public CStatic
{
public:
    CBrush m_brush{RGB(10, 20, 30)};
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetTextColor(RGB(255, 0, 0));
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColouredStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CWnd
{
public:
    int m_nParentDraws = 0;
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        if (nIDCtl == static_cast<int>(ID_PLAIN))
            ++m_nParentDraws;
        CWnd::OnDrawItem(nIDCtl, lpDrawItemStruct);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()
}

TEST(Reflection, OwnerDrawAndControlColoursGoBackToTheControl)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                nullptr));
    CSelfDrawnButton button;
    ASSERT_TRUE(button.Create("draw", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(5, 5, 80, 30), &parent, ID_OWNER_DRAWN));
    CColouredStatic label;
    ASSERT_TRUE(label.Create("label", WS_CHILD | WS_VISIBLE, CRect(5, 40, 80, 60), &parent, ID_COLOURED));
    CStatic plain;
    ASSERT_TRUE(plain.Create("plain", WS_CHILD | WS_VISIBLE, CRect(5, 70, 80, 90), &parent, ID_PLAIN));

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = ID_OWNER_DRAWN;
    dis.hwndItem = button.m_hWnd;
    EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, ID_OWNER_DRAWN, reinterpret_cast<LPARAM>(&dis)));
    EXPECT_EQ(1, button.m_nDraws);
    EXPECT_EQ(0, parent.m_nParentDraws);

    dis.CtlID = ID_PLAIN;
    dis.hwndItem = plain.m_hWnd;
    parent.SendMessage(WM_DRAWITEM, ID_PLAIN, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(1, parent.m_nParentDraws) << "the parent's own handler runs first";

    HDC hDC = ::GetDC(label.m_hWnd);
    LRESULT hBrush = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                        reinterpret_cast<LPARAM>(label.m_hWnd));
    EXPECT_EQ(reinterpret_cast<LRESULT>(static_cast<HBRUSH>(label.m_brush)), hBrush);
    EXPECT_EQ(RGB(255, 0, 0), ::GetTextColor(hDC));
    LRESULT hDefault = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                          reinterpret_cast<LPARAM>(plain.m_hWnd));
    EXPECT_NE(reinterpret_cast<LRESULT>(static_cast<HBRUSH>(label.m_brush)), hDefault);
    ::ReleaseDC(label.m_hWnd, hDC);
    parent.DestroyWindow();
    EXPECT_EQ(nullptr, button.m_hWnd);
}
