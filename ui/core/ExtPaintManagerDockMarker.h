#pragma once
// The images, shapes and places of the dock markers shown while a bar is dragged.
#include "ui/core/ExtPaintManager.h"

#include <vector>

class CExtPaintManager::DockMarkerBase
{
public:
    // Simple kinds 0 top, 1 bottom, 2 left, 3 right, 4 centre, 8 tab; compound kinds 5 the four
    // edge markers, 6 the centre cross, 7 the cross with a tab marker.
    static constexpr int KIND_NONE = -1;
    static constexpr BYTE FLAG_OUTER = 0x01;
    static constexpr COLORREF TRANSPARENT_KEY = RGB(0, 255, 0);

    DockMarkerBase() = default;
    virtual ~DockMarkerBase();
    DockMarkerBase(const DockMarkerBase&) = delete;
    DockMarkerBase& operator=(const DockMarkerBase&) = delete;

    virtual void DeleteChildren();
    // Gives up the images and the region without deleting them.
    virtual void DetachBitmaps();
    virtual bool IsEmpty() const;
    virtual void Reset();
    // Loads the images from bitmap resources (a null module is the application's resource
    // module; without a hover name the normal image serves both) and applies them.
    virtual bool LoadFromResources(const RECT& rc, int nKind, COLORREF clrTransparent, LPCSTR pszName,
                                   LPCSTR pszHoverName = nullptr, LPCSTR pszType = RT_BITMAP,
                                   LPCSTR pszHoverType = RT_BITMAP, HINSTANCE hModule = nullptr,
                                   HINSTANCE hHoverModule = nullptr);
    virtual bool ApplyBitmaps(const RECT& rc, int nKind, COLORREF clrTransparent, HBITMAP hNormal, HBITMAP hHover);
    virtual bool Prepare(bool bPartOfCross, int nKind, const RECT& rc);
    virtual bool CreateWindows(CWnd* pParent, std::vector<CWnd*>& windows);
    virtual void Place(int nKind, const RECT& rcArea, const DockMarkerBase* pGroupCentre = nullptr);
    bool LoadFromMemory(const RECT& rc, int nKind, COLORREF clrTransparent, const BYTE* pImage, DWORD dwSize,
                        const BYTE* pHoverImage = nullptr, DWORD dwHoverSize = 0);

    int m_nKind = KIND_NONE;
    CBitmap m_bmpNormal;
    CBitmap m_bmpHover;
    CBitmap m_bmpFrame;
    int m_nFrameX = 0;
    int m_nFrameY = 0;
    CRgn m_rgn;
    int m_cx = 0;
    int m_cy = 0;
    std::vector<DockMarkerBase*> m_children;
    RECT m_rc{};
    BYTE m_nFlags = 0;

protected:
    // The picture of a simple kind in this marker's style, as a BMP file image.
    virtual const std::vector<BYTE>& Picture(int nKind) const;
};

class CExtPaintManager::DockMarkerBeta2 : public CExtPaintManager::DockMarkerBase
{
public:
    DockMarkerBeta2() = default;
    ~DockMarkerBeta2() override;
    void Place(int nKind, const RECT& rcArea, const DockMarkerBase* pGroupCentre = nullptr) override;

protected:
    const std::vector<BYTE>& Picture(int nKind) const override;
};
