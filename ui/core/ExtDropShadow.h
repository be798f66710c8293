#pragma once
// The soft shadow to the right of and below a rectangle on the screen. It is computed once from
// what lies under it, kept as two strip bitmaps and blitted back on every later paint, so that
// repainting never darkens an area that already holds the shadow.
#include "platform/mfc/Afx.h"

class CExtDropShadow
{
public:
    // Lightness of the popups' shadow next to the rectangle and at its outer edge, percent.
    static constexpr UINT POPUP_MIN_LIGHTNESS = 75;
    static constexpr UINT POPUP_MAX_LIGHTNESS = 100;

    CExtDropShadow();
    ~CExtDropShadow();
    CExtDropShadow(const CExtDropShadow&) = delete;
    CExtDropShadow& operator=(const CExtDropShadow&) = delete;

    // rcShaded is in the DC's coordinates; rcScreen (the same rectangle on the screen) and
    // rcOther (the shape the shadow meets) may be empty.
    bool Draw(CDC& dc, const RECT& rcShaded, const RECT& rcScreen, const RECT& rcOther, UINT nShadowSize,
              UINT nMinLightness, UINT nMaxLightness, bool bCache, bool bTint, bool bBuffered);
    bool Paint(CDC& dc, bool bBuffered);
    // Forgets the cached strips; the next paint computes them again from the screen.
    void Reset();

    // Without a tint each channel becomes c x L / 100; a tint channel t lightens it to
    // c x min(100, L + (100 - L) x t / 255) / 100. clrTint is COLORREF(-1) for none.
    static COLORREF DarkenColor(COLORREF clr, UINT nLightness, COLORREF clrTint);

    bool HasCachedStrips() const { return m_bmpRight.GetSafeHandle() != nullptr && m_bmpBottom.GetSafeHandle() != nullptr; }

private:
    static constexpr BYTE FLAG_CACHE = 0x01;
    static constexpr BYTE FLAG_TINT = 0x02;

    // Where the strips of one distance run and which corner pieces are drawn, in coordinates
    // relative to the shaded rectangle's top-left.
    struct StripPlan
    {
        int nRightFrom, nRightTo;     // rows of the right strip, inclusive
        int nBottomFrom, nBottomTo;   // columns of the bottom strip, inclusive
        int nRightGapFrom, nRightGapCount;  // rows the right strip leaves out
        bool bCornerBottomRight, bCornerRightStart, bCornerBottomStart;
    };

    bool RestoreSavedBits(CDC& dc);
    bool PaintPatternShadow(CDC& dc);
    bool PaintBlendedShadow(CDC& dc);
    void SaveBackground(CDC& dc);
    void DarkenPixel(UINT nLightness, int x, int y, COLORREF clrTint);
    StripPlan PlanStrips(int i) const;
    void BuildClipRegion();

    CBitmap m_bmpRight;
    CBitmap m_bmpBottom;
    RGBQUAD* m_pPixels = nullptr;
    int m_nPixelsWidth = 0;
    CRect m_rcShaded;
    CRect m_rcScreen;
    CRect m_rcOther;
    UINT m_nShadowSize = 0;
    UINT m_nMinLightness = 0;
    UINT m_nMaxLightness = 0;
    CRgn m_rgnClip;
    BYTE m_nFlags = 0;
};
