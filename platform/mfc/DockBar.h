#pragma once
// One of a frame's side bars that holds docked bars; its window id names the side
// (AFX_IDW_DOCKBAR_TOP, _LEFT, _RIGHT, _BOTTOM, or _FLOAT inside a floating frame). The bars
// stand in rows (columns at the left and right) in m_arrBars.
#include "platform/mfc/AfxRes.h"
#include "platform/mfc/ControlBar.h"
#include "platform/mfc/PtrArray.h"

// The four side dock bars with the style each gives its bars, in the order the frame lays them out.
struct AFX_DOCKBAR_SIDE
{
    UINT nID;
    DWORD dwStyle;
};
constexpr AFX_DOCKBAR_SIDE afxDockBarMap[4] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};
// Entries of m_arrBars below this value are placeholders: the id of a bar that left and may come back.
constexpr UINT_PTR AFX_DOCKBAR_PLACEHOLDER_LIMIT = 0x10000;

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    BOOL m_bFloating;     // the dock bar of a floating frame
    CPtrArray m_arrBars;  // entry 0 null; a null entry ends a row; small values are placeholders
    BOOL m_bLayoutQuery = FALSE; // the running layout only measures
    CRect m_rectLayout;          // the room of the running layout

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // The side id given at creation (the window id), 0 without a window.
    UINT GetDockSide() const;

    // Bars held (placeholders not counted), and of those the visible ones.
    int GetDockedCount() const;
    virtual int GetDockedVisibleCount() const;
    // The bar at index nPos, null for a row break or a placeholder.
    CControlBar* GetDockedControlBar(int nPos) const;
    // Whether an entry of m_arrBars is a bar: not a row break, not a placeholder.
    static bool IsBarEntry(const void* pEntry);
    // How a docked bar is measured: a floating dynamic bar by its remembered width, any other
    // by its orientation.
    static DWORD LayoutModeOf(const CControlBar* pBar);
    // Puts the bar in: at the rectangle (screen coordinates) when given, else as a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Puts a bar back where its placeholder stands (or as DockControlBar when it has none).
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out; nAddPlaceHolder 1 leaves its id behind, -1 keeps its other placeholders.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    // The index of the bar (or of its placeholder) other than nPosExclude, -1 when absent.
    int FindBar(CControlBar* pBar, int nPosExclude = -1);
    void ShowAll(BOOL bShow);

    BOOL IsDockBar() const override;
    // The rows laid out one after another; bars that no longer fit their row start the next.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // A dock bar has no gripper.
    void DrawGripper(CDC* pDC, const CRect& rect) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // Measures (or lays out) the rows in the room the frame's layout offers.
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

protected:
    // Inserts the bar where a bar dropped at rect (client coordinates) belongs: into the row
    // whose band holds the middle point, before the first bar starting right of it; answers the index.
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
    // Removes entry nPos and the row break it leaves doubled.
    void RemoveEntry(INT_PTR nPos);
    // Restyles the bar for this dock bar: its alignment, all borders, floating exactly when it does.
    void TakeBarStyle(CControlBar* pBar) const;
    // The first steps of docking a bar (lpRect in screen coordinates): false when it stands there
    // already. Else the dock bar takes the bar's sizing style and, holding it alone, its title;
    // the bar takes the dock bar's style and, visible and arriving from elsewhere, hides so that
    // it does not flash in between (bHidden says so).
    bool PrepareToDock(CControlBar* pBar, LPCRECT lpRect, bool& bHidden);

    friend class CControlBar; // a destroyed bar leaves without the layout's side effects

    DECLARE_MESSAGE_MAP()
};
