#pragma once
// The translucent picture of the area a dragged bar would take when dropped on the lit marker.
#include "platform/mfc/Afx.h"

class CExtDynDockMarkerWnd;

class CExtDynDockHighlightWnd : public CWnd
{
    DECLARE_DYNAMIC(CExtDynDockHighlightWnd)
public:
    static constexpr LPCSTR WINDOW_CLASS = "DadeZAD-DynDockHighlightWnd";
    // Thickness of a frame side's highlight when the dragged bar asks for less.
    static constexpr int DEFAULT_THICKNESS = 30;
    // The tab-shaped outline of a tab drop: strip height (half the height when that is at most
    // TAB_STRIP_HALVING_LIMIT), tab width and the tab's distance from the edge.
    static constexpr int TAB_STRIP_HEIGHT = 18;
    static constexpr int TAB_STRIP_HALVING_LIMIT = 35;
    static constexpr int TAB_WIDTH = 36;
    static constexpr int TAB_INDENT = 8;
    static constexpr int BORDER_WIDTH = 2;

    // Creates the window over the area the marker stands for, only while a drag runs; the
    // window stays unmade (null handle) when the marker stands for no area.
    explicit CExtDynDockHighlightWnd(CExtDynDockMarkerWnd* pMarker);
    ~CExtDynDockHighlightWnd() override;

    // The screen area a marker stands for during the running drag; empty when none.
    static CRect CalcHighlightRect(const CExtDynDockMarkerWnd* pMarker);
    // Splits a tab-shaped area (coordinates of the rectangle) into its body above and the tab
    // below; the tab sits at the right in a right-to-left frame.
    static void CalcTabShape(const RECT& rc, bool bRightToLeft, int nTabIndent, RECT& rcBody, RECT& rcTab);

    CExtDynDockMarkerWnd* m_pMarker;
    CBitmap m_bmpPicture;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // What the DC shows in the source rectangle, with the highlight shape drawn over it.
    bool MakePicture(CDC& dc, const CRect& rcSource);
};
