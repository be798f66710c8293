#include "ui/bars/ExtDynDockHighlightWnd.h"

#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDynDockMarkerWnd.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CExtDynDockHighlightWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtDynDockHighlightWnd, CWnd)
    ON_WM_NCCALCSIZE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr UINT CLASS_STYLE = CS_GLOBALCLASS;
constexpr INT_PTR FRAME_MARKER_COUNT = 4;


bool IsDockSiteRightToLeft(CExtControlBar* pBar)
{
    CWnd* pSite = pBar != nullptr ? reinterpret_cast<CWnd*>(pBar->m_pDockSite) : nullptr;
    return pSite != nullptr && pSite->GetSafeHwnd() != nullptr && (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

} // namespace

void CExtDynDockHighlightWnd::CalcTabShape(const RECT& rcIn, bool bRightToLeft, int nTabIndent, RECT& rcBody,
                                           RECT& rcTab)
{
    const CRect rc(rcIn);
    const int nStrip = rc.Height() <= TAB_STRIP_HALVING_LIMIT ? rc.Height() / 2 : TAB_STRIP_HEIGHT;
    rcBody = rc;
    rcBody.bottom = rc.bottom - nStrip;
    const int nRoom = std::max(0, rc.Width() - nTabIndent);
    const int nTab = std::min(TAB_WIDTH, nRoom / 2);
    if (!bRightToLeft)
        rcTab = CRect(rc.left + nTabIndent, rcBody.bottom, rc.left + nTabIndent + nTab, rc.bottom);
    else
        rcTab = CRect(rc.right - nTabIndent - nTab, rcBody.bottom, rc.right - nTabIndent, rc.bottom);
}

CRect CExtDynDockHighlightWnd::CalcHighlightRect(const CExtDynDockMarkerWnd* pMarker)
{
    CRect rc(0, 0, 0, 0);
    CExtControlBar* pDragged = CExtControlBar::GetDraggedBar();
    if (pMarker == nullptr || pDragged == nullptr)
        return rc;
    CWnd* pTarget = pMarker->m_hWndTarget != nullptr ? CWnd::FromHandle(pMarker->m_hWndTarget) : nullptr;
    const bool bBarTarget = pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CExtControlBar));
    CRect base;
    if (pMarker->m_hWndTarget != nullptr) {
        if (!::IsWindow(pMarker->m_hWndTarget))
            return rc;
        ::GetWindowRect(pMarker->m_hWndTarget, &base);
    } else {
        const auto& outer = CExtControlBar::g_arrOuterMarkers;
        if (outer.GetSize() != FRAME_MARKER_COUNT)
            return rc;
        CRect rcSide[FRAME_MARKER_COUNT];
        for (INT_PTR i = 0; i < FRAME_MARKER_COUNT; ++i)
            outer.GetAt(i)->GetWindowRect(&rcSide[i]);
        base.SetRect(rcSide[2].left, rcSide[0].top, rcSide[3].right, rcSide[1].bottom);
        RECT margins{};
        g_PaintManagerHolder->GetDockHighlightMargins(margins);
        base.InflateRect(margins.left, margins.top, margins.right, margins.bottom);
    }
    const int nHorzThickness = std::max(DEFAULT_THICKNESS, static_cast<int>(pDragged->m_sizeDockedHorz.cy));
    const int nVertThickness = std::max(DEFAULT_THICKNESS, static_cast<int>(pDragged->m_sizeDockedVert.cx));
    rc = base;
    switch (pMarker->m_nKind) {
    case CExtDynDockMarkerWnd::KIND_TOP:
        rc.bottom = bBarTarget ? base.top + base.Height() / 2 : std::min(base.bottom, base.top + nHorzThickness);
        break;
    case CExtDynDockMarkerWnd::KIND_BOTTOM:
        rc.top = bBarTarget ? base.bottom - base.Height() / 2 : std::max(base.top, base.bottom - nHorzThickness);
        break;
    case CExtDynDockMarkerWnd::KIND_LEFT:
        rc.right = bBarTarget ? base.left + base.Width() / 2 : std::min(base.right, base.left + nVertThickness);
        break;
    case CExtDynDockMarkerWnd::KIND_RIGHT:
        rc.left = bBarTarget ? base.right - base.Width() / 2 : std::max(base.left, base.right - nVertThickness);
        break;
    case CExtDynDockMarkerWnd::KIND_CENTRE:
        break;
    default:
        rc.SetRectEmpty();
        break;
    }
    return rc;
}

CExtDynDockHighlightWnd::CExtDynDockHighlightWnd(CExtDynDockMarkerWnd* pMarker) : m_pMarker(pMarker)
{
    const CRect rc = CalcHighlightRect(pMarker);
    if (rc.IsRectEmpty())
        return;
    CWnd* pHost = CExtDynDockMarkerWnd::GetHostWindow(true);
    if (pHost == nullptr)
        return;
    // The screen under the window is taken before the window covers it.
    HDC hScreen = ::GetDC(nullptr);
    if (hScreen != nullptr) {
        MakePicture(*CDC::FromHandle(hScreen), rc);
        ::ReleaseDC(nullptr, hScreen);
    }
    if (!CreateEx(WS_EX_TOPMOST, WINDOW_CLASS, "", WS_POPUP, rc, pHost, 0))
        return;
    SetWindowPos(pHost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

CExtDynDockHighlightWnd::~CExtDynDockHighlightWnd() = default;

BOOL CExtDynDockHighlightWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!ExtBarDetail::RegisterBarFamilyClass(CExtDynDockHighlightWnd::WINDOW_CLASS, CLASS_STYLE) || !CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = WINDOW_CLASS;
    return TRUE;
}

void CExtDynDockHighlightWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    // The whole window is client area.
}

int CExtDynDockHighlightWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATEANDEAT;
}

bool CExtDynDockHighlightWnd::MakePicture(CDC& dc, const CRect& rcSource)
{
    const int cx = rcSource.Width();
    const int cy = rcSource.Height();
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy; // bottom-up, as the highlight shape expects
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pvBits = nullptr;
    HBITMAP hDib = ::CreateDIBSection(dc.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (hDib == nullptr || pvBits == nullptr) {
        if (hDib != nullptr)
            ::DeleteObject(hDib);
        return false;
    }
    HDC hMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hMem, hDib);
    ::BitBlt(hMem, 0, 0, cx, cy, dc.GetSafeHdc(), rcSource.left, rcSource.top, SRCCOPY);
    ::GdiFlush();
    const bool bTabShaped = m_pMarker != nullptr && m_pMarker->m_nKind == CExtDynDockMarkerWnd::KIND_CENTRE;
    RECT rcBody{0, 0, cx, cy};
    RECT rcTab{0, 0, 0, 0};
    if (bTabShaped)
        CalcTabShape(CRect(0, 0, cx, cy),
                     IsDockSiteRightToLeft(CExtControlBar::GetDraggedBar()), TAB_INDENT,
                     rcBody, rcTab);
    g_PaintManagerHolder->GetDockHighlightShape(static_cast<DWORD*>(pvBits), cx, cy, bTabShaped, rcBody, rcTab,
                                                COLORREF(-1), COLORREF(-1), BORDER_WIDTH);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    m_bmpPicture.DeleteObject();
    m_bmpPicture.Attach(hDib);
    return true;
}

void CExtDynDockHighlightWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    if (m_bmpPicture.GetSafeHandle() == nullptr && !MakePicture(dc, rcClient))
        return;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
        return;
    CBitmap* pOld = dcMem.SelectObject(&m_bmpPicture);
    dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}
