#pragma once
// The image of a command: a bitmap with a transparent colour, or an HICON, with a cached HICON
// made from the bitmap and a cached disabled image.
#include "platform/mfc/Afx.h"

#include <unordered_map>
#include <vector>

class CExtCmdIcon
{
public:
    struct BitmapPart
    {
        HBITMAP m_hBitmap = nullptr;
        COLORREF m_clrTransparent = 0;
        int m_cx = 0;
        int m_cy = 0;
    };
    struct IconPart
    {
        HICON m_hIcon = nullptr;
        int m_cx = 0;
        int m_cy = 0;
        // The icon's mask (1 bit per pixel, set where transparent) and colour pixels (black
        // there), bottom-up rows as a DIB holds them, kept for plain drawing; an icon with an
        // alpha channel keeps the system's drawing instead.
        std::vector<BYTE> m_drawMask;
        std::vector<DWORD> m_drawColor;
        bool m_bSystemDrawing = false;
    };
    // Drawing states of DrawWithState.
    static constexpr int STATE_NORMAL = 0;
    static constexpr int STATE_DISABLED = 1;
    static constexpr int STATE_MONOCHROME = 2;
    static constexpr int STATE_DISABLED_IMAGE = 3;
    static constexpr double DEFAULT_DISABLED_LIGHTNESS = 1.4;
    // Try the alpha method for disabled images first (off unless a program turns it on).
    static bool g_bAlphaDisabledImages;

    CExtCmdIcon() = default;
    CExtCmdIcon(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart = nullptr, bool bCopy = true);
    CExtCmdIcon(HICON hIcon, bool bCopy);
    CExtCmdIcon(const CExtCmdIcon& other);
    CExtCmdIcon& operator=(const CExtCmdIcon& other);
    virtual ~CExtCmdIcon();

    virtual bool HasNoImage() const;
    virtual void Clear();
    // Stores or loads the picture; archive errors reach the caller as archive exceptions.
    virtual void ArchiveImage(CArchive& ar);
    virtual void CopyFrom(const CExtCmdIcon& other);
    virtual void TakeHICON(HICON hIcon, bool bCopy);
    virtual void TakeHBITMAP(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart = nullptr, bool bCopy = true);
    virtual CSize GetImageSize() const;
    virtual bool IsBitmapBased() const;
    virtual HBITMAP GetBitmap() const;
    virtual COLORREF GetTransparentColor() const;
    // A new bitmap of the picture that the caller owns, with a transparent colour the picture
    // does not use when pixel bits are asked for.
    virtual bool MakeBitmapCopy(HBITMAP* phBitmap, COLORREF* pclrTransparent, std::vector<COLORREF>* pColors = nullptr,
                                COLORREF** ppBits = nullptr) const;
    // The icon keeps ownership.
    virtual HICON MakeHICON(bool bRemapSysColors = true);
    // The caller owns the result; the icon is empty afterwards.
    virtual HICON ReleaseAsHICON(bool bRemapSysColors = true);
    virtual HICON GetDisabledHICON();
    virtual void OnSysColorChange();
    virtual void RefreshFromPaintManager();
    virtual void OnSettingChange(WPARAM wParam, LPARAM lParam);
    virtual void OnDisplayChange(int nBitsPerPixel, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual bool GenerateDisabledHICON();
    virtual BOOL DrawWithState(HDC hDC, const POINT& ptTopLeft, int nState, HBRUSH hBrush = nullptr);
    virtual int CountImageColors(std::unordered_map<COLORREF, DWORD>& counts) const;
    virtual int GetBitsPerPixel() const;
    virtual bool ScaleFrom(const CExtCmdIcon& source, int cx, int cy);
    virtual COLORREF GetDisabledBlendColor() const;
    virtual COLORREF SetDisabledBlendColor(COLORREF clr);
    virtual double GetDisabledLightness() const;
    virtual double SetDisabledLightness(double dLightness);
    virtual bool CreateCheckMarkImage(COLORREF clrGlyph, COLORREF clrBackground, int cx, int cy,
                                      COLORREF** ppBits = nullptr);
    virtual bool CreateRadioDotImage(COLORREF clrGlyph, COLORREF clrBackground, int cx, int cy,
                                     COLORREF** ppBits = nullptr);
    virtual bool CreateEmptyImage(COLORREF clrFill, int cx, int cy, COLORREF** ppBits = nullptr);

private:
    void DropDisabledImage();
    void DropIcon(IconPart& part);
    static void DropDrawCache(IconPart& part);
    // Draws the picture unchanged from the icon part's cached mask and colour images.
    bool DrawCached(HDC hDC, const POINT& pt);
    bool BuildDrawCache();
    void DropBitmap();
    bool GenerateBlendedImage();
    bool GenerateAlphaImage();
    // Kind 1 check mark, 2 radio dot, 0 plain fill.
    bool CreateGeneratedImage(int nKind, COLORREF clrGlyph, COLORREF clrBackground, int cx, int cy, COLORREF** ppBits);

    BitmapPart m_bitmap;
    IconPart m_icon;
    IconPart m_disabled;
    COLORREF m_clrDisabledBlend = COLORREF(-1);
    double m_dDisabledLightness = DEFAULT_DISABLED_LIGHTNESS;
};
