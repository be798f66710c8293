#pragma once
// The framework's floating frame of docking bars: it draws its own caption and border through
// the paint manager, hit-tests them itself, runs its own resize loop, keeps its caption on the
// work area, drags its bar from the caption and shows the bar-list menu there.
#include "platform/mfc/Afx.h"
#include "ui/core/ExtMouseCaptureSink.h"

class CExtControlBar;

class CExtMiniDockFrameWnd : public CMiniDockFrameWnd, public CExtMouseCaptureSink
{
    DECLARE_DYNCREATE(CExtMiniDockFrameWnd)
public:
    // Timers: caption buttons laid out after a size change, close-button hover, bar-button hover.
    static constexpr UINT_PTR TIMER_LAYOUT_BUTTONS = 1;
    static constexpr UINT_PTR TIMER_CLOSE_HOVER = 2;
    static constexpr UINT_PTR TIMER_BUTTON_HOVER = 4;
    static constexpr UINT LAYOUT_BUTTONS_DELAY_MS = 1;
    static constexpr UINT HOVER_PERIOD_MS = 20;
    // Styles the frame never keeps: its own non-client area replaces the system's.
    static constexpr DWORD REMOVED_STYLES = WS_CAPTION | WS_THICKFRAME | MFS_4THICKFRAME;
    static constexpr DWORD REMOVED_EX_STYLES =
        WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
    static constexpr DWORD RTL_EX_STYLES = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;

    CExtMiniDockFrameWnd();
    ~CExtMiniDockFrameWnd() override;

    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    using CMiniDockFrameWnd::Create;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The framework bar held by the dock bar, or null.
    CExtControlBar* FindContainedBar() const;
    // The hit-test code of a running resize, 0 when none runs.
    UINT GetResizeHitTest() const { return m_nResizeHitTest; }
    // Frame and caption metrics, window coordinates.
    static CRect CalcCaptionRect(const CRect& rcWindow);
    static CRect CalcCloseButtonRect(const CRect& rcCaption);
    // The hit-test code of a window point (screen coordinates) on the frame's own border and
    // caption, before the contained bar is asked.
    static UINT HitTestFrameBorder(const CRect& rcWindow, CPoint ptScreen);
    // The rectangle a resize step makes of the start rectangle for the cursor at pt, at least
    // sizeMin; the edges the code does not name stay put.
    static CRect CalcResizedRect(const CRect& rcStart, UINT nHitTest, CPoint pt, CSize sizeMin);
    // Runs the modal resize from a border press.
    void ResizeLoop(UINT nHitTest, CPoint ptScreen);

    CToolTipCtrl m_wndToolTip;
    CRect m_rcCloseButton;
    bool m_bCloseButtonHover = false;
    CRect m_rcCaption;
    CPoint m_ptLastResizePos;
    UINT m_nResizeHitTest = 0;
    CRect m_rcResizeStart;

protected:
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void ResizeStep(CPoint ptScreen);
    // Ends a running resize at the size reached.
    void EndResize();
    void TrackCloseButtonHover(CPoint ptScreen);
    void UpdateCaptionGeometry();
    // The work area of the monitor the frame is on.
    CRect GetWorkArea() const;

    // Where the resize began; the edges move by the cursor's way from there.
    CPoint m_ptResizeOrigin;
};
