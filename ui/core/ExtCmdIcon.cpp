#include "ui/core/ExtCmdIcon.h"

#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cmath>
#include <commctrl.h>
#include <memory>

bool CExtCmdIcon::g_bAlphaDisabledImages = false;

namespace {
constexpr BYTE KIND_EMPTY = 0;
constexpr BYTE KIND_BITMAP = 1;
constexpr BYTE KIND_ICON = 2;
constexpr BYTE ICON_FLAG_IS_ICON = 0x01;
constexpr BYTE ICON_FLAG_COLOR = 0x02;
constexpr BYTE ICON_FLAG_MASK = 0x04;
constexpr COLORREF MAGENTA = RGB(255, 0, 255);
constexpr COLORREF MAGENTA_ALTERNATIVE = 0x80FF80;
constexpr COLORREF TRANSPARENT_CANDIDATES[] = {0xFF00FF, 0x00FF00, 0xC0C0C0};
constexpr COLORREF LAST_TRANSPARENT_CANDIDATE = 0xFFFFFD;
constexpr int PALETTE_DISPLAY_BITS = 8;
constexpr int GLYPH_HALF_EXTENT = 3;
constexpr double ALPHA_GAMMA = 0.9;

// The 0x00RRGGBB pixel of a DIB section for a COLORREF.
DWORD ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A 1-bit DIB's header with its black and white colour table.
struct MaskInfo
{
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
};

// Bytes in a row of a 1-bit DIB: rows are padded to whole DWORDs.
size_t MaskRowBytes(int cx) { return static_cast<size_t>((cx + 31) / 32) * 4; }

void BitmapSize(HBITMAP hBitmap, int& cx, int& cy)
{
    BITMAP bm{};
    cx = cy = 0;
    if (hBitmap != nullptr && ::GetObjectA(hBitmap, sizeof(bm), &bm) != 0) {
        cx = bm.bmWidth;
        cy = bm.bmHeight;
    }
}

// The size of an icon is twice its hot spot (in 8 bits), else its bitmap's.
void SizeFromInfo(const ICONINFO& ii, int& cx, int& cy)
{
    cx = static_cast<int>((2 * ii.xHotspot) & 0xFF);
    cy = static_cast<int>((2 * ii.yHotspot) & 0xFF);
    if (cx != 0 && cy != 0)
        return;
    BitmapSize(ii.hbmColor != nullptr ? ii.hbmColor : ii.hbmMask, cx, cy);
}

void FreeInfo(ICONINFO& ii)
{
    if (ii.hbmColor != nullptr)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask != nullptr)
        ::DeleteObject(ii.hbmMask);
    ii.hbmColor = ii.hbmMask = nullptr;
}

void IconSize(HICON hIcon, int& cx, int& cy)
{
    cx = cy = 0;
    ICONINFO ii{};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &ii))
        return;
    SizeFromInfo(ii, cx, cy);
    FreeInfo(ii);
}

HICON DuplicateIcon(HICON hIcon, int& cx, int& cy)
{
    cx = cy = 0;
    ICONINFO ii{};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &ii))
        return nullptr;
    HICON hCopy = ::CreateIconIndirect(&ii);
    if (hCopy != nullptr)
        SizeFromInfo(ii, cx, cy);
    FreeInfo(ii);
    return hCopy;
}

COLORREF ChooseTransparent(const std::vector<COLORREF>& used, bool& bFound)
{
    auto isUsed = [&used](COLORREF c) { return std::find(used.begin(), used.end(), c) != used.end(); };
    bFound = true;
    for (COLORREF c : TRANSPARENT_CANDIDATES)
        if (!isUsed(c))
            return c;
    std::vector<COLORREF> sorted(used);
    std::sort(sorted.begin(), sorted.end());
    COLORREF c = 1;
    for (COLORREF u : sorted)
        if (u == c)
            ++c;
        else if (u > c)
            break;
    bFound = c <= LAST_TRANSPARENT_CANDIDATE;
    return c;
}

// A 32-bit colour image with any non-zero alpha byte is blended by the system; one whose alpha
// bytes are all zero is drawn through its mask like any other icon.
bool HasAlphaChannel(HBITMAP hColor)
{
    BITMAP bm{};
    if (::GetObjectA(hColor, sizeof(bm), &bm) == 0)
        return true;
    if (bm.bmBitsPixel != 32)
        return false;
    BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    HDC hScreen = ::GetDC(nullptr);
    const int nRows = ::GetDIBits(hScreen, hColor, 0, static_cast<UINT>(bm.bmHeight), pixels.data(),
                                  reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hScreen);
    return nRows != bm.bmHeight ||
           std::any_of(pixels.begin(), pixels.end(), [](DWORD px) { return (px & 0xFF000000) != 0; });
}

HBITMAP NewSection(int cx, int cy, COLORREF** ppBits)
{
    BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), cx, cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hSection = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hSection != nullptr && pBits == nullptr) {
        ::DeleteObject(hSection);
        return nullptr;
    }
    *ppBits = static_cast<COLORREF*>(pBits);
    return hSection;
}
} // namespace

CExtCmdIcon::CExtCmdIcon(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart, bool bCopy)
{
    TakeHBITMAP(hBitmap, clrTransparent, pPart, bCopy);
}

CExtCmdIcon::CExtCmdIcon(HICON hIcon, bool bCopy) { TakeHICON(hIcon, bCopy); }

CExtCmdIcon::CExtCmdIcon(const CExtCmdIcon& other) { CopyFrom(other); }

CExtCmdIcon& CExtCmdIcon::operator=(const CExtCmdIcon& other)
{
    CopyFrom(other);
    return *this;
}

CExtCmdIcon::~CExtCmdIcon()
{
    DropDisabledImage();
    DropIcon(m_icon);
    DropBitmap();
}

void CExtCmdIcon::DropDrawCache(IconPart& part)
{
    part.m_drawMask.clear();
    part.m_drawColor.clear();
}

void CExtCmdIcon::DropIcon(IconPart& part)
{
    DropDrawCache(part);
    if (part.m_hIcon != nullptr)
        ::DestroyIcon(part.m_hIcon);
    part = IconPart{};
}

bool CExtCmdIcon::BuildDrawCache()
{
    COLORREF* pBits = nullptr;
    HBITMAP hColor = nullptr;
    COLORREF clrTransparent = 0;
    int cx = 0, cy = 0;
    if (m_bitmap.m_hBitmap != nullptr) {
        hColor = CExtPaintManager::CopyBitmapPart(m_bitmap.m_hBitmap, nullptr, &pBits);
        clrTransparent = m_bitmap.m_clrTransparent;
        cx = m_bitmap.m_cx;
        cy = m_bitmap.m_cy;
        if (hColor != nullptr)
            CExtPaintManager::MapSysColorsInPixels(pBits, static_cast<size_t>(cx) * cy, clrTransparent);
    } else {
        ICONINFO ii{};
        if (m_icon.m_hIcon == nullptr || !::GetIconInfo(m_icon.m_hIcon, &ii))
            return false;
        const bool bSystemOnly = ii.hbmColor == nullptr || HasAlphaChannel(ii.hbmColor);
        FreeInfo(ii);
        if (bSystemOnly)
            return false;
        // The picture as a bitmap with a colour of its own for what is transparent.
        if (!MakeBitmapCopy(&hColor, &clrTransparent, nullptr, &pBits))
            return false;
        cx = m_icon.m_cx;
        cy = m_icon.m_cy;
    }
    if (hColor == nullptr)
        return false;
    const COLORREF transparentPixel = ToPixel(clrTransparent);
    const size_t nMaskStride = MaskRowBytes(cx);
    std::vector<BYTE> mask(nMaskStride * cy, 0);
    std::vector<DWORD> color(pBits, pBits + static_cast<size_t>(cx) * cy);
    ::DeleteObject(hColor);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            DWORD& px = color[static_cast<size_t>(y) * cx + x];
            if ((px & 0x00FFFFFF) != transparentPixel)
                continue;
            mask[y * nMaskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            px = 0;
        }
    m_icon.m_drawMask = std::move(mask);
    m_icon.m_drawColor = std::move(color);
    return true;
}

bool CExtCmdIcon::DrawCached(HDC hDC, const POINT& pt)
{
    if (m_icon.m_bSystemDrawing)
        return false;
    if (m_icon.m_drawColor.empty() && !BuildDrawCache()) {
        m_icon.m_bSystemDrawing = true;
        return false;
    }
    // Straight from memory: a scratch DC per drawing costs more than the drawing itself.
    const CSize size = GetImageSize();
    MaskInfo maskInfo{};
    maskInfo.header = {sizeof(BITMAPINFOHEADER), size.cx, size.cy, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    maskInfo.colors[1] = RGBQUAD{255, 255, 255, 0};
    BITMAPINFO colorInfo{};
    colorInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    ::StretchDIBits(hDC, pt.x, pt.y, size.cx, size.cy, 0, 0, size.cx, size.cy, m_icon.m_drawMask.data(),
                    reinterpret_cast<const BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS, SRCAND);
    ::StretchDIBits(hDC, pt.x, pt.y, size.cx, size.cy, 0, 0, size.cx, size.cy, m_icon.m_drawColor.data(), &colorInfo,
                    DIB_RGB_COLORS, SRCPAINT);
    return true;
}

void CExtCmdIcon::DropDisabledImage() { DropIcon(m_disabled); }

void CExtCmdIcon::DropBitmap()
{
    if (m_bitmap.m_hBitmap != nullptr)
        ::DeleteObject(m_bitmap.m_hBitmap);
    m_bitmap = BitmapPart{};
}

bool CExtCmdIcon::HasNoImage() const { return m_bitmap.m_hBitmap == nullptr && m_icon.m_hIcon == nullptr; }

void CExtCmdIcon::Clear()
{
    DropDisabledImage();
    DropIcon(m_icon);
    DropBitmap();
    m_dDisabledLightness = DEFAULT_DISABLED_LIGHTNESS;
    m_clrDisabledBlend = COLORREF(-1);
}

void CExtCmdIcon::TakeHICON(HICON hIcon, bool bCopy)
{
    if (!bCopy && hIcon != nullptr && hIcon == m_icon.m_hIcon && m_bitmap.m_hBitmap == nullptr)
        return;
    // A copy is made before the held handle goes, so that copying the icon's own handle works.
    IconPart fresh;
    if (bCopy)
        fresh.m_hIcon = DuplicateIcon(hIcon, fresh.m_cx, fresh.m_cy);
    else if (hIcon != nullptr) {
        fresh.m_hIcon = hIcon;
        IconSize(hIcon, fresh.m_cx, fresh.m_cy);
    }
    DropDisabledImage();
    DropBitmap();
    if (fresh.m_hIcon != m_icon.m_hIcon)
        DropIcon(m_icon);
    DropDrawCache(m_icon);
    m_icon = fresh;
}

void CExtCmdIcon::TakeHBITMAP(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart, bool bCopy)
{
    DropDisabledImage();
    DropIcon(m_icon);
    if (hBitmap == nullptr) {
        DropBitmap();
        return;
    }
    if (hBitmap == m_bitmap.m_hBitmap && pPart == nullptr) {
        m_bitmap.m_clrTransparent = clrTransparent;
        return;
    }
    HBITMAP hNew = bCopy ? CExtPaintManager::CopyBitmapPart(hBitmap, pPart, nullptr) : hBitmap;
    if (hNew == nullptr)
        return;
    if (hNew != m_bitmap.m_hBitmap)
        DropBitmap();
    m_bitmap.m_hBitmap = hNew;
    m_bitmap.m_clrTransparent = clrTransparent;
    BitmapSize(hNew, m_bitmap.m_cx, m_bitmap.m_cy);
}

void CExtCmdIcon::CopyFrom(const CExtCmdIcon& other)
{
    if (&other == this)
        return;
    DropDisabledImage();
    if (other.m_bitmap.m_hBitmap != nullptr) {
        DropIcon(m_icon);
        if (other.m_bitmap.m_hBitmap == m_bitmap.m_hBitmap) {
            m_bitmap.m_clrTransparent = other.m_bitmap.m_clrTransparent;
        } else if (HBITMAP hCopy = CExtPaintManager::CopyBitmapPart(other.m_bitmap.m_hBitmap, nullptr, nullptr)) {
            DropBitmap();
            m_bitmap.m_hBitmap = hCopy;
            m_bitmap.m_clrTransparent = other.m_bitmap.m_clrTransparent;
            BitmapSize(hCopy, m_bitmap.m_cx, m_bitmap.m_cy);
        }
    } else {
        DropBitmap();
        DropIcon(m_icon);
        m_icon.m_hIcon = DuplicateIcon(other.m_icon.m_hIcon, m_icon.m_cx, m_icon.m_cy);
    }
    m_clrDisabledBlend = other.m_clrDisabledBlend;
    m_dDisabledLightness = other.m_dDisabledLightness;
}

CSize CExtCmdIcon::GetImageSize() const
{
    if (m_bitmap.m_hBitmap != nullptr)
        return CSize(m_bitmap.m_cx, m_bitmap.m_cy);
    if (m_icon.m_hIcon != nullptr)
        return CSize(m_icon.m_cx, m_icon.m_cy);
    return CSize(0, 0);
}

bool CExtCmdIcon::IsBitmapBased() const { return m_bitmap.m_hBitmap != nullptr; }
HBITMAP CExtCmdIcon::GetBitmap() const { return m_bitmap.m_hBitmap; }
COLORREF CExtCmdIcon::GetTransparentColor() const { return m_bitmap.m_clrTransparent; }

bool CExtCmdIcon::MakeBitmapCopy(HBITMAP* phBitmap, COLORREF* pclrTransparent, std::vector<COLORREF>* pColors,
                                 COLORREF** ppBits) const
{
    if (phBitmap == nullptr || pclrTransparent == nullptr || HasNoImage())
        return false;
    *phBitmap = nullptr;
    if (ppBits != nullptr)
        *ppBits = nullptr;
    if (m_bitmap.m_hBitmap != nullptr) {
        std::vector<COLORREF> used;
        CExtPaintManager::CollectBitmapColors(m_bitmap.m_hBitmap, used, true);
        COLORREF clrTransparent = m_bitmap.m_clrTransparent;
        if (ppBits != nullptr) {
            bool bFound = false;
            clrTransparent = ChooseTransparent(used, bFound);
            if (!bFound)
                return false;
        } else if (clrTransparent == COLORREF(-1)) {
            return false;
        }
        COLORREF* pBits = nullptr;
        HBITMAP hCopy = CExtPaintManager::CopyBitmapPart(m_bitmap.m_hBitmap, nullptr, ppBits != nullptr ? &pBits : nullptr);
        if (hCopy == nullptr)
            return false;
        if (pBits != nullptr && clrTransparent != m_bitmap.m_clrTransparent) {
            const DWORD from = ToPixel(m_bitmap.m_clrTransparent);
            const DWORD to = ToPixel(clrTransparent);
            const size_t n = static_cast<size_t>(m_bitmap.m_cx) * m_bitmap.m_cy;
            for (size_t i = 0; i < n; ++i)
                if ((pBits[i] & 0x00FFFFFF) == from)
                    pBits[i] = to;
        }
        if (pColors != nullptr) {
            *pColors = used;
            pColors->erase(std::remove(pColors->begin(), pColors->end(), clrTransparent), pColors->end());
            pColors->insert(pColors->begin(), clrTransparent);
        }
        *phBitmap = hCopy;
        *pclrTransparent = clrTransparent;
        if (ppBits != nullptr)
            *ppBits = pBits;
        return true;
    }

    ICONINFO ii{};
    if (!::GetIconInfo(m_icon.m_hIcon, &ii))
        return false;
    std::unordered_map<COLORREF, DWORD> counts;
    CExtPaintManager::CountBitmapColors(ii.hbmColor != nullptr ? ii.hbmColor : ii.hbmMask, counts);
    std::vector<COLORREF> used;
    for (const auto& entry : counts)
        used.push_back(entry.first);
    bool bFound = false;
    const COLORREF clrTransparent = ChooseTransparent(used, bFound);
    const int cx = m_icon.m_cx;
    const int cy = m_icon.m_cy;
    COLORREF* pBits = nullptr;
    HBITMAP hSection = bFound && cx > 0 && cy > 0 ? NewSection(cx, cy, &pBits) : nullptr;
    if (hSection == nullptr) {
        FreeInfo(ii);
        return false;
    }
    const size_t n = static_cast<size_t>(cx) * cy;
    std::fill(pBits, pBits + n, ToPixel(clrTransparent));
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hSection);
    ::DrawIconEx(hDC, 0, 0, m_icon.m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    if (ii.hbmColor != nullptr && ii.hbmMask != nullptr) {
        HDC hMaskDC = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOldMask = ::SelectObject(hMaskDC, ii.hbmMask);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                if (::GetPixel(hMaskDC, x, y) == RGB(255, 255, 255))
                    pBits[static_cast<size_t>(cy - 1 - y) * cx + x] = ToPixel(clrTransparent);
        ::SelectObject(hMaskDC, hOldMask);
        ::DeleteDC(hMaskDC);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    FreeInfo(ii);
    if (pColors != nullptr) {
        pColors->assign(1, clrTransparent);
        pColors->insert(pColors->end(), used.begin(), used.end());
    }
    *phBitmap = hSection;
    *pclrTransparent = clrTransparent;
    if (ppBits != nullptr)
        *ppBits = pBits;
    return true;
}

HICON CExtCmdIcon::MakeHICON(bool bRemapSysColors)
{
    if (m_icon.m_hIcon == nullptr && m_bitmap.m_hBitmap != nullptr) {
        m_icon.m_hIcon = CExtPaintManager::CreateIconFromBitmap(m_bitmap.m_hBitmap, m_bitmap.m_clrTransparent, nullptr,
                                                                bRemapSysColors);
        IconSize(m_icon.m_hIcon, m_icon.m_cx, m_icon.m_cy);
    }
    return m_icon.m_hIcon;
}

HICON CExtCmdIcon::ReleaseAsHICON(bool bRemapSysColors)
{
    if (HasNoImage())
        return nullptr;
    DropDisabledImage();
    HICON hIcon = MakeHICON(bRemapSysColors);
    DropDrawCache(m_icon);
    m_icon = IconPart{};
    DropBitmap();
    return hIcon;
}

COLORREF CExtCmdIcon::GetDisabledBlendColor() const { return m_clrDisabledBlend; }

COLORREF CExtCmdIcon::SetDisabledBlendColor(COLORREF clr)
{
    const COLORREF clrOld = m_clrDisabledBlend;
    if (clr != clrOld) {
        m_clrDisabledBlend = clr;
        DropDisabledImage();
    }
    return clrOld;
}

double CExtCmdIcon::GetDisabledLightness() const { return m_dDisabledLightness; }

double CExtCmdIcon::SetDisabledLightness(double dLightness)
{
    const double dOld = m_dDisabledLightness;
    if (dLightness != dOld) {
        m_dDisabledLightness = dLightness;
        DropDisabledImage();
    }
    return dOld;
}

HICON CExtCmdIcon::GetDisabledHICON()
{
    if (m_clrDisabledBlend == COLORREF(-1))
        return nullptr;
    if (m_disabled.m_hIcon == nullptr && !GenerateDisabledHICON())
        return nullptr;
    return m_disabled.m_hIcon;
}

void CExtCmdIcon::OnSysColorChange()
{
    CExtPaintManager* pManager = g_PaintManagerHolder.GetFirstMember();
    SetDisabledBlendColor(pManager->GetDisabledIconBlendColor());
    SetDisabledLightness(pManager->GetDisabledIconLightness());
    // The HICON made from the bitmap is remade with the current system colours.
    if (IsBitmapBased())
        DropIcon(m_icon);
}

void CExtCmdIcon::RefreshFromPaintManager() { OnSysColorChange(); }
void CExtCmdIcon::OnSettingChange(WPARAM, LPARAM) { OnSysColorChange(); }
void CExtCmdIcon::OnDisplayChange(int, int, int) { OnSysColorChange(); }
void CExtCmdIcon::OnThemeChanged(WPARAM, LPARAM) { OnSysColorChange(); }

bool CExtCmdIcon::GenerateDisabledHICON()
{
    if (g_bAlphaDisabledImages && g_PaintManagerHolder.IsWinXPOrLater() && GenerateAlphaImage())
        return true;
    return GenerateBlendedImage();
}

bool CExtCmdIcon::GenerateBlendedImage()
{
    DropDisabledImage();
    if (m_clrDisabledBlend == COLORREF(-1) || HasNoImage())
        return false;
    HBITMAP hCopy = nullptr;
    COLORREF clrTransparent = 0;
    COLORREF* pBits = nullptr;
    if (!MakeBitmapCopy(&hCopy, &clrTransparent, nullptr, &pBits))
        return false;
    const CSize size = GetImageSize();
    const DWORD transparentPixel = ToPixel(clrTransparent);
    const size_t n = static_cast<size_t>(size.cx) * size.cy;
    for (size_t i = 0; i < n; ++i) {
        const DWORD px = pBits[i] & 0x00FFFFFF;
        if (px == transparentPixel)
            continue;
        double l = (0.3 * ((px >> 16) & 0xFF) + 0.5 * ((px >> 8) & 0xFF) + 0.2 * (px & 0xFF)) / 255.0;
        const double d = m_dDisabledLightness;
        if (d > 0)
            l += d * (1.0 - l);
        else if (d < 0)
            l *= 1.0 + d;
        l = std::clamp(l, 0.0, 1.0);
        const int nLevel = static_cast<int>(l * 255.0);
        auto channel = [nLevel](int c) { return (nLevel + 3 * ::MulDiv(c, nLevel, 255)) / 4; };
        pBits[i] = ToPixel(RGB(channel(GetRValue(m_clrDisabledBlend)), channel(GetGValue(m_clrDisabledBlend)),
                               channel(GetBValue(m_clrDisabledBlend))));
    }
    m_disabled.m_hIcon = CExtPaintManager::CreateIconFromBitmap(hCopy, clrTransparent, nullptr, false);
    IconSize(m_disabled.m_hIcon, m_disabled.m_cx, m_disabled.m_cy);
    ::DeleteObject(hCopy);
    return m_disabled.m_hIcon != nullptr;
}

bool CExtCmdIcon::GenerateAlphaImage()
{
    DropDisabledImage();
    if (HasNoImage())
        return false;
    ICONINFO ii{};
    HICON hIcon = MakeHICON(true);
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &ii))
        return false;
    BITMAP bm{};
    bool bOk = ii.hbmColor != nullptr && ::GetObjectA(ii.hbmColor, sizeof(bm), &bm) != 0 && bm.bmBitsPixel == 32;
    COLORREF* pBits = nullptr;
    HBITMAP hSection = bOk ? NewSection(bm.bmWidth, bm.bmHeight, &pBits) : nullptr;
    if (hSection != nullptr) {
        BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC hDC = ::CreateCompatibleDC(nullptr);
        bOk = ::GetDIBits(hDC, ii.hbmColor, 0, bm.bmHeight, pBits, reinterpret_cast<BITMAPINFO*>(&bih),
                          DIB_RGB_COLORS) != 0;
        ::DeleteDC(hDC);
        const size_t n = static_cast<size_t>(bm.bmWidth) * bm.bmHeight;
        for (size_t i = 0; bOk && i < n; ++i) {
            const DWORD px = pBits[i];
            const double l = (0.299 * ((px >> 16) & 0xFF) + 0.587 * ((px >> 8) & 0xFF) + 0.114 * (px & 0xFF)) / 255.0;
            const DWORD v = static_cast<DWORD>(std::pow(l, ALPHA_GAMMA) * 255.0) & 0xFF;
            const DWORD a = static_cast<DWORD>(((px >> 24) & 0xFF) / 3.0);
            pBits[i] = (a << 24) | (v << 16) | (v << 8) | v;
        }
        if (bOk) {
            HIMAGELIST hList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR32 | ILC_MASK, 0, 1);
            bOk = hList != nullptr && ImageList_Add(hList, hSection, nullptr) >= 0;
            if (bOk)
                m_disabled.m_hIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
            if (hList != nullptr)
                ImageList_Destroy(hList);
        }
        ::DeleteObject(hSection);
    }
    FreeInfo(ii);
    IconSize(m_disabled.m_hIcon, m_disabled.m_cx, m_disabled.m_cy);
    return m_disabled.m_hIcon != nullptr;
}

BOOL CExtCmdIcon::DrawWithState(HDC hDC, const POINT& ptTopLeft, int nState, HBRUSH hBrush)
{
    if (nState == STATE_DISABLED_IMAGE) {
        HICON hDisabled = nullptr;
        if (g_PaintManagerHolder.IsWin2000OrLater() && ::GetDeviceCaps(hDC, BITSPIXEL) > PALETTE_DISPLAY_BITS)
            hDisabled = GetDisabledHICON();
        if (hDisabled != nullptr)
            return ::DrawStateA(hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(hDisabled), 0, ptTopLeft.x,
                                ptTopLeft.y, m_disabled.m_cx, m_disabled.m_cy, DST_ICON | DSS_NORMAL);
        nState = STATE_MONOCHROME;
    }
    HICON hIcon = MakeHICON(true);
    if (hIcon == nullptr)
        return FALSE;
    UINT nFlags = DSS_NORMAL;
    if (nState == STATE_DISABLED)
        nFlags = DSS_DISABLED;
    else if (nState == STATE_MONOCHROME)
        nFlags = DSS_MONO;
    const CSize size = GetImageSize();
    // The plain state is drawn from the icon's own mask and colour images, kept with it: the
    // system's icon drawing builds intermediate images on every call, which a tool bar of
    // forty buttons cannot afford.
    if (nFlags == DSS_NORMAL && DrawCached(hDC, ptTopLeft))
        return TRUE;
    return ::DrawStateA(hDC, nFlags == DSS_MONO ? hBrush : nullptr, nullptr, reinterpret_cast<LPARAM>(hIcon), 0,
                        ptTopLeft.x, ptTopLeft.y, size.cx, size.cy, DST_ICON | nFlags);
}

int CExtCmdIcon::CountImageColors(std::unordered_map<COLORREF, DWORD>& counts) const
{
    counts.clear();
    if (m_bitmap.m_hBitmap != nullptr)
        return CExtPaintManager::CountBitmapColors(m_bitmap.m_hBitmap, counts);
    ICONINFO ii{};
    if (m_icon.m_hIcon == nullptr || !::GetIconInfo(m_icon.m_hIcon, &ii))
        return 0;
    const int nBits = CExtPaintManager::CountBitmapColors(ii.hbmColor != nullptr ? ii.hbmColor : ii.hbmMask, counts);
    FreeInfo(ii);
    return nBits;
}

int CExtCmdIcon::GetBitsPerPixel() const
{
    BITMAP bm{};
    if (m_bitmap.m_hBitmap != nullptr)
        return ::GetObjectA(m_bitmap.m_hBitmap, sizeof(bm), &bm) != 0 ? bm.bmBitsPixel : 0;
    ICONINFO ii{};
    if (m_icon.m_hIcon == nullptr || !::GetIconInfo(m_icon.m_hIcon, &ii))
        return 0;
    int nBits = 1;
    if (ii.hbmColor != nullptr && ::GetObjectA(ii.hbmColor, sizeof(bm), &bm) != 0)
        nBits = bm.bmBitsPixel;
    FreeInfo(ii);
    return nBits;
}

bool CExtCmdIcon::ScaleFrom(const CExtCmdIcon& sourceIn, int cx, int cy)
{
    if (sourceIn.HasNoImage() || cx < 1 || cy < 1)
        return false;
    // Scaling an icon from itself works on a copy, since this icon is cleared first.
    std::unique_ptr<CExtCmdIcon> selfCopy;
    if (&sourceIn == this)
        selfCopy = std::make_unique<CExtCmdIcon>(sourceIn);
    const CExtCmdIcon& source = selfCopy ? *selfCopy : sourceIn;
    Clear();
    const CSize size = source.GetImageSize();
    if (size.cx == cx && size.cy == cy) {
        CopyFrom(source);
        return !HasNoImage();
    }
    HBITMAP hSource = nullptr;
    COLORREF clrTransparent = 0;
    if (!source.MakeBitmapCopy(&hSource, &clrTransparent))
        return false;
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hScaled = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(nullptr, hScreen);
    HDC hSrcDC = ::CreateCompatibleDC(nullptr);
    HDC hDstDC = ::CreateCompatibleDC(nullptr);
    if (hScaled != nullptr && hSrcDC != nullptr && hDstDC != nullptr) {
        HGDIOBJ hOldSrc = ::SelectObject(hSrcDC, hSource);
        HGDIOBJ hOldDst = ::SelectObject(hDstDC, hScaled);
        const RECT rc{0, 0, cx, cy};
        HBRUSH hFill = ::CreateSolidBrush(clrTransparent);
        ::FillRect(hDstDC, &rc, hFill);
        ::DeleteObject(hFill);
        CExtPaintManager::TransparentBltByMask(hDstDC, 0, 0, cx, cy, hSrcDC, 0, 0, size.cx, size.cy, clrTransparent);
        ::SelectObject(hSrcDC, hOldSrc);
        ::SelectObject(hDstDC, hOldDst);
        if (source.IsBitmapBased()) {
            TakeHBITMAP(hScaled, clrTransparent, nullptr, true);
        } else {
            CExtCmdIcon temporary(hScaled, clrTransparent, nullptr, true);
            TakeHICON(temporary.ReleaseAsHICON(true), false);
        }
    }
    if (hSrcDC != nullptr)
        ::DeleteDC(hSrcDC);
    if (hDstDC != nullptr)
        ::DeleteDC(hDstDC);
    if (hScaled != nullptr)
        ::DeleteObject(hScaled);
    ::DeleteObject(hSource);
    return !HasNoImage();
}

bool CExtCmdIcon::CreateGeneratedImage(int nKind, COLORREF clrGlyph, COLORREF clrBackground, int cx, int cy,
                                       COLORREF** ppBits)
{
    if (ppBits != nullptr)
        *ppBits = nullptr;
    if (cx <= 0 || cy <= 0)
        return false;
    Clear();
    if (nKind != 0 && clrGlyph == COLORREF(-1))
        clrGlyph = g_PaintManagerHolder->ColorByIndex(CExtPaintManager::CLRID_TEXT);
    if (clrBackground == COLORREF(-1))
        clrBackground = (nKind != 0 && clrGlyph == MAGENTA) ? MAGENTA_ALTERNATIVE : MAGENTA;
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return false;
    COLORREF* pBits = nullptr;
    HBITMAP hSection = NewSection(cx, cy, &pBits);
    if (hSection == nullptr)
        return false;
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hSection);
    dc.FillSolidRect(0, 0, cx, cy, clrBackground);
    const int x = cx / 2 - GLYPH_HALF_EXTENT;
    const int y = cy / 2 - GLYPH_HALF_EXTENT;
    if (nKind == 1)
        CExtPaintManager::DrawCheckMark(dc, x, y, clrGlyph);
    else if (nKind == 2)
        CExtPaintManager::DrawRadioDot(dc, x, y, clrGlyph);
    ::SelectObject(dc.m_hDC, hOld);
    ::GdiFlush();
    TakeHBITMAP(hSection, clrBackground, nullptr, false);
    if (ppBits != nullptr)
        *ppBits = pBits;
    return true;
}

bool CExtCmdIcon::CreateCheckMarkImage(COLORREF clrGlyph, COLORREF clrBackground, int cx, int cy, COLORREF** ppBits)
{
    return CreateGeneratedImage(1, clrGlyph, clrBackground, cx, cy, ppBits);
}

bool CExtCmdIcon::CreateRadioDotImage(COLORREF clrGlyph, COLORREF clrBackground, int cx, int cy, COLORREF** ppBits)
{
    return CreateGeneratedImage(2, clrGlyph, clrBackground, cx, cy, ppBits);
}

bool CExtCmdIcon::CreateEmptyImage(COLORREF clrFill, int cx, int cy, COLORREF** ppBits)
{
    return CreateGeneratedImage(0, COLORREF(-1), clrFill, cx, cy, ppBits);
}

void CExtCmdIcon::ArchiveImage(CArchive& ar)
{
    if (ar.IsStoring()) {
        if (m_bitmap.m_hBitmap != nullptr) {
            ar << KIND_BITMAP;
            HBITMAP hBitmap = m_bitmap.m_hBitmap;
            if (!CExtPaintManager::SerializeBitmap(ar, &hBitmap))
                AfxThrowArchiveException(CArchiveException::genericException);
            ar << static_cast<DWORD>(m_bitmap.m_clrTransparent);
            return;
        }
        ICONINFO ii{};
        if (m_icon.m_hIcon == nullptr || !::GetIconInfo(m_icon.m_hIcon, &ii)) {
            ar << KIND_EMPTY;
            return;
        }
        BYTE nFlags = ii.fIcon ? ICON_FLAG_IS_ICON : 0;
        if (ii.hbmColor != nullptr)
            nFlags |= ICON_FLAG_COLOR;
        if (ii.hbmMask != nullptr)
            nFlags |= ICON_FLAG_MASK;
        ar << KIND_ICON << nFlags << static_cast<DWORD>(ii.xHotspot) << static_cast<DWORD>(ii.yHotspot);
        bool bOk = true;
        if (ii.hbmColor != nullptr)
            bOk = CExtPaintManager::SerializeBitmap(ar, &ii.hbmColor);
        if (bOk && ii.hbmMask != nullptr)
            bOk = CExtPaintManager::SerializeBitmap(ar, &ii.hbmMask);
        FreeInfo(ii);
        if (!bOk)
            AfxThrowArchiveException(CArchiveException::genericException);
        return;
    }

    Clear();
    BYTE nKind = 0;
    ar >> nKind;
    if ((nKind & KIND_BITMAP) != 0) {
        HBITMAP hBitmap = nullptr;
        const bool bLoaded = CExtPaintManager::SerializeBitmap(ar, &hBitmap);
        DWORD clrTransparent = 0;
        try {
            ar >> clrTransparent;
        } catch (CException*) {
            if (hBitmap != nullptr)
                ::DeleteObject(hBitmap);
            throw;
        }
        if (bLoaded)
            TakeHBITMAP(hBitmap, clrTransparent, nullptr, false);
        return;
    }
    if ((nKind & KIND_ICON) == 0)
        return;
    BYTE nFlags = 0;
    DWORD x = 0, y = 0;
    ar >> nFlags >> x >> y;
    ICONINFO ii{(nFlags & ICON_FLAG_IS_ICON) != 0 ? TRUE : FALSE, x, y, nullptr, nullptr};
    bool bOk = true;
    try {
        if ((nFlags & ICON_FLAG_COLOR) != 0)
            bOk = CExtPaintManager::SerializeBitmap(ar, &ii.hbmColor);
        if ((nFlags & ICON_FLAG_MASK) != 0)
            bOk = CExtPaintManager::SerializeBitmap(ar, &ii.hbmMask) && bOk;
    } catch (CException*) {
        FreeInfo(ii);
        throw;
    }
    if (bOk && ii.hbmMask != nullptr)
        TakeHICON(::CreateIconIndirect(&ii), false);
    FreeInfo(ii);
}
