#pragma once
// A dock marker: a small topmost window shown over the frame or over a bar while a bar is
// dragged in the marker docking style. It lights up under the cursor and then shows a
// translucent highlight of the area the bar would take.
#include "platform/mfc/Afx.h"

#include <vector>

class CExtDynDockHighlightWnd;

class CExtDynDockMarkerWnd : public CWnd
{
    DECLARE_DYNAMIC(CExtDynDockMarkerWnd)
public:
    // Marker kinds.
    static constexpr int KIND_TOP = 0;
    static constexpr int KIND_BOTTOM = 1;
    static constexpr int KIND_LEFT = 2;
    static constexpr int KIND_RIGHT = 3;
    static constexpr int KIND_CENTRE_BACKGROUND = 4;
    static constexpr int KIND_CENTRE = 8;
    // Hover states.
    static constexpr int HOVER_UNKNOWN = 0;
    static constexpr int HOVER_IN = 1;
    static constexpr int HOVER_OUT = 2;
    // Timers: the hover poll and the fade step.
    static constexpr UINT_PTR TIMER_HOVER = 77;
    static constexpr UINT HOVER_PERIOD_MS = 50;
    static constexpr UINT_PTR TIMER_FADE = 88;
    static constexpr UINT FADE_PERIOD_MS = 4;
    static constexpr int FADE_STEP_PERCENT = 25;
    static constexpr LPCSTR WINDOW_CLASS = "DadeZAD-DynDockMarker";

    // The window owns both pictures and the region from here on, made or not; the background
    // is copied (the caller keeps its own).
    CExtDynDockMarkerWnd(HWND hWndTarget, int nKind, HBITMAP hBmpHover, HBITMAP hBmpNormal, HRGN hRgn, int nLeft,
                         int nTop, int nRight, int nBottom, HBITMAP hBmpBack, int nPictureX, int nPictureY,
                         bool bOuter);
    ~CExtDynDockMarkerWnd() override;

    virtual void DrawMarker(CDC* pDC);

    // On: lights this marker (every other one goes dark); false when the highlight could not be
    // shown. Off: removes the highlight.
    bool Highlight(bool bOn);
    void StartFade(bool bFadeIn);
    void FinishFade();
    // The drag-state code this marker proposes, 0 when it proposes none.
    int GetMarkerImageId() const;
    bool IsDockingKind() const;
    bool IsHovered() const { return m_nHoverState == HOVER_IN; }
    // The screen point lies on the shown marker (its region, when it has one). The highlight
    // window may cover markers in the window order, so markers are found by their own shape.
    bool IsUnderPoint(POINT ptScreen) const;

    BOOL DestroyWindow() override;

    // --- Marker sets (the bar family's outer and inner arrays) ---------------------------------
    using MarkerArray = CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*>;
    // The window the inner markers belong to, null when none.
    static HWND g_hWndInnerTarget;

    // Lets the paint manager lay out a set of the given kind around the rectangle (screen
    // coordinates); the set's old markers go first.
    static bool PrepareMarkerSet(CWnd* pTarget, int nSetKind, const RECT& rcScreen, MarkerArray& arrMarkers);
    static void ShowMarkers(MarkerArray& arrMarkers, bool bShow, bool bAnimate);
    // Outer markers at once, inner ones animated.
    static void ShowAllMarkers(bool bShow);
    static void DestroyMarkerArray(MarkerArray& arrMarkers, bool bAnimate);
    // Both sets at once and the host window.
    static void DestroyAllMarkers();
    // A null target matches any.
    static CExtDynDockMarkerWnd* FindMarker(HWND hWndTarget, int nKind, bool bOuter);
    static void ResetHighlightsExcept(MarkerArray& arrMarkers, CExtDynDockMarkerWnd* pExcept,
                                      bool bDispatchPaints);
    static void ResetAllHighlights(bool bDispatchPaints);
    // The marker under the screen point, or null.
    static CExtDynDockMarkerWnd* FromScreenPoint(POINT ptScreen);
    // Fades run only where windows can be translucent.
    static bool CanFade();
    // The hidden window that owns every marker and highlight; made on first need, null when it
    // cannot be.
    static CWnd* GetHostWindow(bool bCreate);
    // Lets the paint manager make and drop marker windows.
    static void InstallPaintManagerHooks();

    bool m_bOuter;
    int m_nKind;
    HWND m_hWndHoverSibling = nullptr;
    CExtDynDockHighlightWnd* m_pHighlightWnd = nullptr;
    HWND m_hWndTarget;
    CBitmap m_bmpHover;
    CBitmap m_bmpNormal;
    CBitmap m_bmpBack;
    CPoint m_ptPicture;
    CRgn m_rgnWindow;
    int m_nHoverState = HOVER_UNKNOWN;
    bool m_bDestroyAfterFade : 1;
    bool m_bFading : 1;
    bool m_bFadingIn : 1;
    int m_nAlphaPercent = 100;

protected:
    void PostNcDestroy() override;

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void FadeStep();
    void HoverStep();
    void SetAlpha(int nPercent);
};
