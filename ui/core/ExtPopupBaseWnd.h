#pragma once
// The base of every popup window of the framework: a window without a non-client area, the open
// animation driven by one timer, the drop shadows and the area the popup must not cover.
#include "platform/mfc/Afx.h"
#include "ui/core/ExtDropShadow.h"

class CExtPopupBaseWnd : public CWnd
{
    DECLARE_DYNAMIC(CExtPopupBaseWnd)
public:
    // Animation types.
    static constexpr int ANIMATION_EXPAND = -2;     // the rows of the menu unfold
    static constexpr int ANIMATION_IMMEDIATE = -1;  // one tick, then the content
    static constexpr int ANIMATION_NONE = 0;
    static constexpr int ANIMATION_RANDOM = 1;
    static constexpr int ANIMATION_SLIDE = 2;
    static constexpr int ANIMATION_ROLL = 3;
    static constexpr int ANIMATION_FADE = 4;
    static constexpr int ANIMATION_UNFOLD = 5;
    static constexpr int ANIMATION_UNROLL = 6;
    static constexpr int ANIMATION_NOISE = 7;
    static constexpr int ANIMATION_STRIPES = 8;
    static constexpr int ANIMATION_CIRCLES = 9;
    static constexpr int ANIMATION_HOLES = 10;
    static constexpr int ANIMATION_LAST = ANIMATION_HOLES;

    static constexpr UINT_PTR ANIMATION_TIMER_ID = 666;
    static constexpr UINT ANIMATION_PERIOD_MS = 30;
    // Percent per tick: 20, 40, 60, 80, 100, and the sixth tick ends the animation.
    static constexpr int ANIMATION_STEP_PERCENT = 20;
    static constexpr UINT_PTR DELAYED_SHOW_TIMER_ID = 669;

    // Placement flags.
    static constexpr BYTE PLACEMENT_EXCLUDE_GIVEN = 0x01;
    static constexpr BYTE PLACEMENT_COMBINED = 0x02;
    // The exclude area made around a bare tracking point.
    static constexpr int DEFAULT_EXCLUDE_SIZE = 6;

    // Sides of a combined popup relative to its exclude area.
    static constexpr int SIDE_NONE = 0;
    static constexpr int SIDE_BELOW = 1;
    static constexpr int SIDE_ABOVE = 2;
    static constexpr int SIDE_LEFT = 3;
    static constexpr int SIDE_RIGHT = 4;

    // Paints the open side of a popup toward what opened it.
    using OpenSidePainter = void (*)(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup,
                                     const RECT* pExcludeArea, int nSide);

    // Process-wide popup options.
    static bool g_bPopupShadows;
    static bool g_bHideRarelyUsedItems;
    static bool g_bExpandOnHover;
    static bool g_bMarkRarelyUsedItems;
    static bool g_bPopupItemTips;
    static bool g_bAnimateMenuExpand;
    static bool g_bSwallowOutsideClicks;
    static bool g_bFitPopupsToWorkArea;
    static int g_nDefaultPopupAnimation;
    static bool g_bLargeMenuIcons;

    CExtPopupBaseWnd();
    ~CExtPopupBaseWnd() override;

    // Destroys the window only while it exists.
    BOOL DestroyWindow() override;

    virtual bool IsRightToLeft() const;
    virtual LPVOID GetCallbackCookie() const;
    virtual bool IsCombinedWithParentItem() const;
    virtual bool IsNonTrackingMode() const;
    virtual void PickAnimationType();
    virtual void BeginOpenAnimation();
    virtual void AdjustAnimationType(int* pType);
    virtual void OnAnimationFinished();
    virtual bool IsShadowAllowed() const;
    virtual void PaintAnimationFrame(CDC& dc);
    virtual int GetShadowSize() const;
    virtual void PaintContent(CDC& dc, bool bBuffered);
    virtual void GetContentRect(RECT* pRect) const;
    virtual bool IsHelpMode() const;

    int GetAnimationType() const { return m_nAnimationType; }
    void SetAnimationType(int nType) { m_nAnimationType = nType; }
    int GetAnimationStep() const { return m_nAnimationStep; }
    bool IsAnimationFinished() const { return (m_nStateFlags & STATE_ANIMATION_FINISHED) != 0; }
    void SetClosingSound(int nSoundId) { m_nClosingSound = nSoundId; }
    int GetClosingSound() const { return m_nClosingSound; }
    const CRect& GetExcludeArea() const { return m_rcExclude; }
    // With no area the exclude area is the small square centred on the tracking point.
    void SetExcludeArea(const RECT* pExclude, POINT ptTrack);
    void SetOpenSidePainter(OpenSidePainter pfnPainter, LPVOID pCookie);
    OpenSidePainter GetOpenSidePainter() const { return m_pfnOpenSidePainter; }
    CSize GetContentSize() const { return m_sizeContent; }

    // Registers (once) the popups' window class: CS_SAVEBITS, the arrow, the button face.
    static LPCSTR GetPopupWindowClass();

    // One animation frame composed from the background and final-image pixels (the fade's and
    // the cell types'); exposed for timing.
    void ComposeFrame();

protected:
    static constexpr BYTE STATE_ANIMATION_FINISHED = 0x01;

    // The frame drawing shared by the popups that animate their content: the first call grabs the
    // screen under the popup and draws the final image over it, each call blits the frame of the
    // current step. nSide is the combined side (SIDE_...). False when the bitmaps could not be
    // made (the next tick tries again).
    bool PaintAnimationFrames(CDC& dc, int nSide);
    // Deletes the three animation bitmaps.
    void FreeAnimationStorage();
    // The window exists and has not been destroyed.
    bool IsWindowAlive() const;

    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    CRect m_rcExclude;
    CPoint m_ptTrack;
    BYTE m_nPlacementFlags = 0;
    LPVOID m_pCallbackCookie = nullptr;
    OpenSidePainter m_pfnOpenSidePainter = nullptr;
    bool m_bCookieGiven = false;
    int m_nAnimationType = ANIMATION_NONE;
    int m_nClosingSound = 0;
    RGBQUAD* m_pBitsBackground = nullptr;
    RGBQUAD* m_pBitsFinal = nullptr;
    RGBQUAD* m_pBitsFrame = nullptr;
    int m_nAnimationStep = 0;
    int m_nAnimationStepPrev = 0;
    BYTE m_nStateFlags = 0;
    CSize m_sizeContent{1, 1};
    CExtDropShadow m_shadowPopup;
    CExtDropShadow m_shadowExclude;
    CBitmap m_bmpBackground;
    CBitmap m_bmpFinal;
    CBitmap m_bmpFrame;

private:
    bool CreateAnimationBitmaps(CDC& dc, const CSize& size);
    void DrawGeometricFrame(HDC hMem, HDC hFinal, const CSize& size, int nSide);
    void BlitFrame(CDC& dc, HDC hSource, HDC hFinal, const CSize& size, int nSide);
    CSize m_sizeFrames;
    int m_nComposedStep = -1;
};
