#pragma once
// The one window per frame in which a parked bar is shown while it is slid out of its auto-hide
// area: the bar's content window moves into it, its caption and caption buttons are drawn in its
// non-client area, its inner edge resizes it, and thread hooks watch the mouse and keyboard while
// it is shown so that it slides back when the user leaves it.
#include "platform/mfc/Afx.h"
#include "platform/mfc/ToolTipCtrl.h"

class CExtBarNcAreaButton;
class CExtControlBar;
class CExtDynAutoHideArea;

class CExtDynAutoHideSlider : public CWnd
{
    DECLARE_DYNCREATE(CExtDynAutoHideSlider)
public:
    static constexpr char WINDOW_CLASS_NAME[] = "DadeZAD-AutohideSlider";
    static constexpr UINT SLIDER_ID = 0xFFFF;

    // Flags byte.
    static constexpr BYTE FLAG_SHOWN = 0x01;
    static constexpr BYTE FLAG_FOCUS_INSIDE = 0x02;
    static constexpr BYTE FLAG_HIDE_TIMER = 0x04;
    static constexpr BYTE FLAG_ANIMATING = 0x08;
    // The resize edge while no edge is dragged.
    static constexpr int NOT_RESIZING = 1;
    // Non-client margins: every side, and the edge that resizes.
    static constexpr int NC_MARGIN = 2;
    static constexpr int RESIZE_EDGE_MARGIN = 5;
    // A slid-out bar is at least this large, and its resize edge stops this far short of the
    // free region's far side.
    static constexpr int MIN_EXTENT = 20;
    static constexpr UINT_PTR TIMER_WATCH = 1;
    static constexpr UINT_PTR TIMER_HIDE = 2;
    static constexpr UINT WATCH_PERIOD_MS = 100;
    static constexpr UINT HIDE_DELAY_MS = 500;

    static int g_AutoHideSlideSteps;
    static DWORD g_AutoHideSlideStepDelay;
    // The shown slider that owns the thread hooks; null while none is shown.
    static CExtDynAutoHideSlider* g_pHookedSlider;
    static HHOOK g_hMouseHook;
    static HHOOK g_hKeyboardHook;

    CExtDynAutoHideSlider();
    ~CExtDynAutoHideSlider() override;

    static bool RegisterSliderWindowClass();
    // The slider showing the bar now, or null.
    static CExtDynAutoHideSlider* FindShowingSlider(CExtControlBar* pBar);
    virtual BOOL Create(CFrameWnd* pFrame);
    // Shows (slides out) or hides (slides back) the bar; bAnimate asks for the slide steps.
    void SlideBar(CExtControlBar* pBar, bool bShow, bool bAnimate, bool bReserved = false);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

    bool IsShown() const { return (m_nSliderFlags & FLAG_SHOWN) != 0; }
    bool IsAnimating() const { return (m_nSliderFlags & FLAG_ANIMATING) != 0; }
    bool IsResizing() const { return m_nResizeEdge != NOT_RESIZING; }
    bool IsFocusInside() const { return (m_nSliderFlags & FLAG_FOCUS_INSIDE) != 0; }
    CExtControlBar* GetShownBar() const { return m_pBar; }
    CExtDynAutoHideArea* GetShownArea() const { return m_pArea; }
    const CRect& GetLimitRect() const { return m_rcLimit; }
    // The slider's window, client, outer-frame and caption rectangles with the window at the
    // origin; the caption is empty when the bar shows none.
    void CalcNcRects(RECT* pRcWnd, RECT* pRcClient, RECT* pRcFrame, RECT* pRcCaption) const;
    // The non-client margins of the shown bar's content, caption included (without its extra
    // pixel).
    CRect CalcNcMargins() const;
    // Moves the edge being dragged to the cursor; FALSE when not resizing (the caption buttons'
    // hover is updated then).
    bool TrackResize(POINT ptScreen);
    // Ends a resize of the edge, releasing the mouse.
    void EndResize();
    bool OnHookMouseButton(int nButton, bool bDown, bool bNonClient, POINT ptScreen);
    bool OnHookKey(UINT nVirtKey, LPARAM lKeyData);
    void UpdateNcHover(POINT ptScreen);

    CExtDynAutoHideArea* m_pArea = nullptr;
    CExtControlBar* m_pBar = nullptr;
    int m_nContentWidth = 0;
    int m_nContentHeight = 0;
    BYTE m_nSliderFlags = 0;
    int m_nResizeEdge = NOT_RESIZING;
    int m_nResizeStart = 0;
    int m_nResizePos = 0;
    CExtBarNcAreaButton* m_pHoveredButton = nullptr;
    CExtBarNcAreaButton* m_pTipButton = nullptr;
    CExtBarNcAreaButton* m_pPressedButton = nullptr;
    CToolTipCtrl m_wndToolTip;
    CRect m_rcLimit;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    void InstallHooks();
    // Removes the hooks when this slider owns them; safe to call at any time.
    void RemoveHooks();

    // The side the shown bar's area lies on (0 top, 1 bottom, 2 left, 3 right), right and left
    // exchanged when the frame lays out right to left.
    int GetAreaSide() const;
    // The hit code of the edge facing the frame's centre, the one that resizes.
    int GetResizeHitCode() const;
    // The frame's client rectangle less the visible areas (or outer dock bars) on each side.
    CRect CalcFreeRegion() const;
    // The slider's rectangle in frame client coordinates at extent nExtent from the area's side
    // of rcBase.
    CRect RectAtExtent(const CRect& rcBase, int nExtent) const;
    int ExtentOf(const CRect& rc) const;
    // One slide step: the slider at rc, the content window anchored as the side asks.
    void PlaceStep(const CRect& rc, UINT nFlags);
    void PaceStep(DWORD& dwLast) const;
    bool ShowBar(CExtControlBar* pBar, bool bAnimate);
    void HideBar(bool bAnimate);
    void ResetCaptionButtons();
    CWnd* GetContentWindow() const;
    CFrameWnd* GetFrame() const;
    bool IsFocusInSlider() const;
    bool IsCursorOverSliderOrArea() const;
    bool IsLive() const;

    void OnNcCalcSize(NCCALCSIZE_PARAMS* pParams);
    LRESULT OnNcHitTest(POINT ptScreen);
    void OnNcPaint();
    void OnPaint();
    void OnTimer(UINT_PTR nIdEvent);
    void OnSizeMsg();
    void OnContextMenu(CPoint ptScreen);
};
