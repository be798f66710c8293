#include "ui/core/ExtPaintManagerDockMarker.h"

#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

namespace {
constexpr COLORREF MARKER_FACE = RGB(226, 232, 244);
constexpr COLORREF MARKER_EDGE = RGB(96, 112, 140);
constexpr COLORREF MARKER_ARROW = RGB(40, 80, 170);
constexpr int CROSS_MARGIN = 12;

struct PictureSize
{
    int cx, cy;
};

// Sizes of the simple kinds' pictures (0 top, 1 bottom, 2 left, 3 right, 4 centre, 8 tab).
PictureSize SizeOf(int nKind, int nStyle, bool bFrame)
{
    const bool bVertical = nKind == 2 || nKind == 3;
    if (bFrame)
        return bVertical ? PictureSize{31, 29} : PictureSize{29, 31};
    if (nStyle == 1) {
        if (nKind == 4)
            return {83, 83};
        if (nKind == 8)
            return {33, 33};
        return bVertical ? PictureSize{30, 43} : PictureSize{43, 30};
    }
    if (nKind == 4)
        return {88, 88};
    if (nKind == 8)
        return {25, 25};
    return bVertical ? PictureSize{26, 23} : PictureSize{23, 26};
}

// An arrow toward the side the kind names, inside a rounded plate.
void DrawArrow(CDC& dc, const CRect& rc, int nKind)
{
    const CPoint c = rc.CenterPoint();
    const int n = std::max(2, std::min(rc.Width(), rc.Height()) / 4);
    POINT pts[3];
    switch (nKind) {
    case 0: pts[0] = {c.x, c.y - n}; pts[1] = {c.x - n, c.y + n / 2}; pts[2] = {c.x + n, c.y + n / 2}; break;
    case 1: pts[0] = {c.x, c.y + n}; pts[1] = {c.x - n, c.y - n / 2}; pts[2] = {c.x + n, c.y - n / 2}; break;
    case 2: pts[0] = {c.x - n, c.y}; pts[1] = {c.x + n / 2, c.y - n}; pts[2] = {c.x + n / 2, c.y + n}; break;
    default: pts[0] = {c.x + n, c.y}; pts[1] = {c.x - n / 2, c.y - n}; pts[2] = {c.x - n / 2, c.y + n}; break;
    }
    CBrush brush;
    brush.CreateSolidBrush(MARKER_ARROW);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, MARKER_ARROW);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.Polygon(pts, 3);
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
}

void DrawPlate(CDC& dc, const CRect& rc)
{
    CBrush brush;
    brush.CreateSolidBrush(MARKER_FACE);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, MARKER_EDGE);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.RoundRect(&rc, POINT{6, 6});
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
}

// Draws a kind's picture and answers it as a BMP file image.
std::vector<BYTE> MakePicture(int nKind, int nStyle, bool bFrame)
{
    const PictureSize size = SizeOf(nKind, nStyle, bFrame);
    BITMAPINFOHEADER bih{sizeof(BITMAPINFOHEADER), size.cx, size.cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits, nullptr, 0);
    std::vector<BYTE> bytes;
    if (hBitmap == nullptr)
        return bytes;
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
        const CRect all(0, 0, size.cx, size.cy);
        dc.FillSolidRect(&all, CExtPaintManager::DockMarkerBase::TRANSPARENT_KEY);
        if (bFrame) {
            DrawPlate(dc, all);
        } else if (nKind == 4) {
            const int third = size.cx / 3;
            DrawPlate(dc, CRect(third, 0, size.cx - third, size.cy));
            DrawPlate(dc, CRect(0, third, size.cx, size.cy - third));
            for (int k = 0; k < 4; ++k) {
                const CRect arm = k == 0 ? CRect(third, 0, size.cx - third, third)
                                : k == 1 ? CRect(third, size.cy - third, size.cx - third, size.cy)
                                : k == 2 ? CRect(0, third, third, size.cy - third)
                                         : CRect(size.cx - third, third, size.cx, size.cy - third);
                DrawArrow(dc, arm, k);
            }
        } else {
            DrawPlate(dc, all);
            if (nKind == 8)
                dc.FillSolidRect(size.cx / 4, size.cy / 4, size.cx / 2, size.cy / 2, MARKER_ARROW);
            else
                DrawArrow(dc, all, nKind);
        }
        ::SelectObject(dc.m_hDC, hOld);
    }
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CExtPaintManager::SerializeBitmap(ar, &hBitmap);
        ar.Close();
    }
    ::DeleteObject(hBitmap);
    bytes.resize(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// The pictures are drawn once and kept for the process, like stored images.
const std::vector<BYTE>& CachedPicture(int nKind, int nStyle, bool bFrame)
{
    static std::map<std::tuple<int, int, bool>, std::vector<BYTE>> pictures;
    const auto key = std::make_tuple(nKind, nStyle, bFrame);
    auto it = pictures.find(key);
    if (it == pictures.end())
        it = pictures.emplace(key, MakePicture(nKind, nStyle, bFrame)).first;
    return it->second;
}

bool IsSimpleKind(int nKind) { return (nKind >= 0 && nKind <= 4) || nKind == 8; }
} // namespace

CExtPaintManager::DockMarkerBase::~DockMarkerBase() { Reset(); }

void CExtPaintManager::DockMarkerBase::DeleteChildren()
{
    for (DockMarkerBase* pChild : m_children)
        delete pChild;
    m_children.clear();
}

void CExtPaintManager::DockMarkerBase::DetachBitmaps()
{
    m_bmpNormal.Detach();
    m_bmpHover.Detach();
    m_bmpFrame.Detach();
    m_rgn.Detach();
}

bool CExtPaintManager::DockMarkerBase::IsEmpty() const
{
    return m_nKind == KIND_NONE && m_bmpNormal.GetSafeHandle() == nullptr && m_children.empty();
}

void CExtPaintManager::DockMarkerBase::Reset()
{
    m_bmpNormal.DeleteObject();
    m_bmpHover.DeleteObject();
    m_rgn.DeleteObject();
    m_nKind = KIND_NONE;
    m_cx = m_cy = 0;
    m_rc = RECT{};
    DeleteChildren();
}

const std::vector<BYTE>& CExtPaintManager::DockMarkerBase::Picture(int nKind) const
{
    return CachedPicture(nKind, 1, false);
}

bool CExtPaintManager::DockMarkerBase::LoadFromMemory(const RECT& rc, int nKind, COLORREF clrTransparent,
                                                      const BYTE* pImage, DWORD dwSize, const BYTE* pHoverImage,
                                                      DWORD dwHoverSize)
{
    if (pHoverImage == nullptr) {
        pHoverImage = pImage;
        dwHoverSize = dwSize;
    }
    HBITMAP hNormal = LoadBitmapFromMemory(pImage, dwSize);
    HBITMAP hHover = LoadBitmapFromMemory(pHoverImage, dwHoverSize);
    if (hNormal == nullptr || hHover == nullptr) {
        if (hNormal != nullptr)
            ::DeleteObject(hNormal);
        if (hHover != nullptr)
            ::DeleteObject(hHover);
        return false;
    }
    return ApplyBitmaps(rc, nKind, clrTransparent, hNormal, hHover);
}

bool CExtPaintManager::DockMarkerBase::LoadFromResources(const RECT& rc, int nKind, COLORREF clrTransparent,
                                                         LPCSTR pszName, LPCSTR pszHoverName, LPCSTR pszType,
                                                         LPCSTR pszHoverType, HINSTANCE hModule,
                                                         HINSTANCE hHoverModule)
{
    if (pszHoverName == nullptr) {
        pszHoverName = pszName;
        pszHoverType = pszType;
        hHoverModule = hModule;
    }
    auto load = [](HINSTANCE hInstance, LPCSTR pszResName, LPCSTR pszResType) -> HBITMAP {
        if (hInstance == nullptr)
            hInstance = AfxGetResourceHandle();
        if (pszResName == nullptr || pszResType == nullptr)
            return nullptr;
        return LoadBitmapFromResource(hInstance, ::FindResourceA(hInstance, pszResName, pszResType));
    };
    HBITMAP hNormal = load(hModule, pszName, pszType);
    HBITMAP hHover = load(hHoverModule, pszHoverName, pszHoverType);
    if (hNormal == nullptr || hHover == nullptr) {
        if (hNormal != nullptr)
            ::DeleteObject(hNormal);
        if (hHover != nullptr)
            ::DeleteObject(hHover);
        return false;
    }
    return ApplyBitmaps(rc, nKind, clrTransparent, hNormal, hHover);
}

bool CExtPaintManager::DockMarkerBase::ApplyBitmaps(const RECT& rc, int nKind, COLORREF clrTransparent, HBITMAP hNormal,
                                                    HBITMAP hHover)
{
    BITMAP a{}, b{};
    ::GetObjectA(hNormal, sizeof(a), &a);
    ::GetObjectA(hHover, sizeof(b), &b);
    HRGN hRgn = (a.bmWidth == b.bmWidth && a.bmHeight == b.bmHeight) ? BitmapToRegion(hNormal, clrTransparent) : nullptr;
    if (hRgn == nullptr) {
        ::DeleteObject(hNormal);
        ::DeleteObject(hHover);
        return false;
    }
    m_cx = a.bmWidth;
    m_cy = a.bmHeight;
    m_bmpNormal.Attach(hNormal);
    m_bmpHover.Attach(hHover);
    m_rgn.Attach(hRgn);
    m_nKind = nKind;
    Place(nKind, rc);
    g_PaintManagerHolder->AdjustDockMarkerBitmaps(nKind, m_bmpNormal, clrTransparent, m_bmpHover, clrTransparent);
    return true;
}

bool CExtPaintManager::DockMarkerBase::Prepare(bool bPartOfCross, int nKind, const RECT& rc)
{
    Reset();
    if (IsSimpleKind(nKind)) {
        const std::vector<BYTE>& picture = Picture(nKind);
        return LoadFromMemory(rc, nKind, TRANSPARENT_KEY, picture.data(), static_cast<DWORD>(picture.size()));
    }
    if (nKind == 5) {
        std::vector<DockMarkerBase*> made;
        bool bOk = true;
        try {
            for (int nEdge = 0; nEdge < 4 && bOk; ++nEdge) {
                DockMarkerBase* pMarker = g_PaintManagerHolder->CreateDockMarker();
                if (pMarker == nullptr) {
                    bOk = false;
                    break;
                }
                made.push_back(pMarker);
                if (!bPartOfCross)
                    pMarker->m_nFlags |= FLAG_OUTER;
                bOk = pMarker->Prepare(bPartOfCross, nEdge, rc);
            }
        } catch (CException* e) {
            e->Delete();
            bOk = false;
        }
        if (!bOk) {
            for (DockMarkerBase* pMarker : made)
                delete pMarker;
            return false;
        }
        m_nKind = 5;
        m_children = made;
        return true;
    }
    if (nKind == 6 || nKind == 7) {
        if (!Prepare(true, 5, rc))
            return false;
        DockMarkerBase* pCentre = nullptr;
        try {
            pCentre = g_PaintManagerHolder->CreateDockMarker();
        } catch (CException* e) {
            e->Delete();
        }
        if (pCentre == nullptr || !pCentre->Prepare(true, 4, rc)) {
            delete pCentre;
            Reset();
            return false;
        }
        CRect square(0, 0, pCentre->m_cx + CROSS_MARGIN, pCentre->m_cy + CROSS_MARGIN);
        const CPoint centre = CRect(rc).CenterPoint();
        square.OffsetRect(centre.x - square.Width() / 2, centre.y - square.Height() / 2);
        for (DockMarkerBase* pEdge : m_children) {
            pEdge->m_nFlags &= static_cast<BYTE>(~FLAG_OUTER);
            pEdge->Place(pEdge->m_nKind, square, pCentre);
        }
        m_nKind = 6;
        m_children.push_back(pCentre);
        if (nKind == 6)
            return true;
        DockMarkerBase* pTab = nullptr;
        try {
            pTab = g_PaintManagerHolder->CreateDockMarker();
        } catch (CException* e) {
            e->Delete();
        }
        if (pTab == nullptr || !pTab->Prepare(true, 8, rc)) {
            delete pTab;
            Reset();
            return false;
        }
        m_children.push_back(pTab);
        m_nKind = 7;
        return true;
    }
    return nKind == KIND_NONE;
}

void CExtPaintManager::DockMarkerBase::Place(int nKind, const RECT& rcArea, const DockMarkerBase*)
{
    const CRect area(rcArea);
    CRect rc(area);
    switch (nKind) {
    case 0: rc.SetRect(area.left + (area.Width() - m_cx) / 2, area.top, 0, 0); break;
    case 1: rc.SetRect(area.left + (area.Width() - m_cx) / 2, area.bottom - m_cy, 0, 0); break;
    case 2: rc.SetRect(area.left, area.top + (area.Height() - m_cy) / 2, 0, 0); break;
    case 3: rc.SetRect(area.right - m_cx, area.top + (area.Height() - m_cy) / 2, 0, 0); break;
    case 4: case 8: rc.SetRect(area.left + (area.Width() - m_cx) / 2, area.top + (area.Height() - m_cy) / 2, 0, 0); break;
    default: m_rc = area; return;
    }
    rc.right = rc.left + m_cx;
    rc.bottom = rc.top + m_cy;
    m_rc = rc;
}

bool CExtPaintManager::DockMarkerBase::CreateWindows(CWnd* pParent, std::vector<CWnd*>& windows)
{
    bool bOk = true;
    if (m_bmpNormal.GetSafeHandle() != nullptr) {
        const auto pfnCreate = CExtPaintManager::g_DockMarkerWindowHooks.pfnCreate;
        if (pfnCreate == nullptr) {
            // Nobody can take the images: they stay with the marker and go with it.
            bOk = false;
        } else {
            HBITMAP hNormal = static_cast<HBITMAP>(m_bmpNormal.GetSafeHandle());
            HBITMAP hHover = static_cast<HBITMAP>(m_bmpHover.GetSafeHandle());
            HBITMAP hFrame = static_cast<HBITMAP>(m_bmpFrame.GetSafeHandle());
            HRGN hRgn = static_cast<HRGN>(m_rgn.GetSafeHandle());
            // The window owns them from here, made or not.
            DetachBitmaps();
            CWnd* pWnd = pfnCreate(pParent, m_nKind, hNormal, hHover, hRgn, m_rc, hFrame, m_nFrameX, m_nFrameY,
                                   (m_nFlags & FLAG_OUTER) != 0);
            if (pWnd != nullptr)
                windows.push_back(pWnd);
            else
                bOk = false;
        }
    }
    for (DockMarkerBase* pChild : m_children)
        bOk = pChild->CreateWindows(pParent, windows) && bOk;
    return bOk;
}

CExtPaintManager::DockMarkerBeta2::~DockMarkerBeta2() = default;

const std::vector<BYTE>& CExtPaintManager::DockMarkerBeta2::Picture(int nKind) const
{
    return CachedPicture(nKind, 2, false);
}

void CExtPaintManager::DockMarkerBeta2::Place(int nKind, const RECT& rcArea, const DockMarkerBase* pGroupCentre)
{
    DockMarkerBase::Place(nKind, rcArea, pGroupCentre);
    if ((m_nFlags & FLAG_OUTER) != 0 && m_bmpFrame.GetSafeHandle() == nullptr && nKind >= 0 && nKind <= 3) {
        RECT margins{};
        g_PaintManagerHolder->GetDockHighlightMargins(margins);
        const std::vector<BYTE>& picture = CachedPicture(nKind, 2, true);
        HBITMAP hFrame = LoadBitmapFromMemory(picture.data(), static_cast<DWORD>(picture.size()));
        HRGN hRgn = hFrame != nullptr ? BitmapToRegion(hFrame, TRANSPARENT_KEY) : nullptr;
        if (hRgn != nullptr) {
            BITMAP bm{};
            ::GetObjectA(hFrame, sizeof(bm), &bm);
            const bool bVertical = nKind == 2 || nKind == 3;
            if (bVertical) {
                m_nFrameY = (bm.bmHeight - m_cy) / 2 + 1;
                m_nFrameX = nKind == 2 ? 4 : 3;
            } else {
                m_nFrameX = (bm.bmWidth - m_cx) / 2 + 1;
                m_nFrameY = nKind == 0 ? 4 : 3;
            }
            CRect rc(m_rc);
            const CPoint centre = rc.CenterPoint();
            // Grown to the frame around the centre line across the edge, kept at its edge.
            switch (nKind) {
            case 0: rc.SetRect(centre.x - bm.bmWidth / 2, rc.top, 0, rc.top + bm.bmHeight); rc.OffsetRect(0, margins.top); break;
            case 1: rc.SetRect(centre.x - bm.bmWidth / 2, rc.bottom - bm.bmHeight, 0, rc.bottom); rc.OffsetRect(0, -margins.bottom); break;
            case 2: rc.SetRect(rc.left, centre.y - bm.bmHeight / 2, rc.left + bm.bmWidth, 0); rc.OffsetRect(margins.left, 0); break;
            default: rc.SetRect(rc.right - bm.bmWidth, centre.y - bm.bmHeight / 2, rc.right, 0); rc.OffsetRect(-margins.right, 0); break;
            }
            if (bVertical)
                rc.bottom = rc.top + bm.bmHeight;
            else
                rc.right = rc.left + bm.bmWidth;
            m_rc = rc;
            m_cx = bm.bmWidth;
            m_cy = bm.bmHeight;
            m_bmpFrame.Attach(hFrame);
            m_rgn.DeleteObject();
            m_rgn.Attach(hRgn);
        } else if (hFrame != nullptr) {
            ::DeleteObject(hFrame);
        }
    }
    static const std::pair<int, POINT> GROUP_SHIFTS[] = {
        {0, {1, 10}}, {1, {1, -8}}, {2, {10, 1}}, {3, {-8, 1}}, {8, {1, 1}}};
    for (const auto& [nShiftKind, shift] : GROUP_SHIFTS)
        if (nShiftKind == nKind && (pGroupCentre != nullptr || nKind == 8))
            ::OffsetRect(&m_rc, shift.x, shift.y);
}
