#include "ui/bars/ExtDynDockMarkerWnd.h"

#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDynDockHighlightWnd.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CExtDynDockMarkerWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtDynDockMarkerWnd, CWnd)
    ON_WM_NCCALCSIZE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

HWND CExtDynDockMarkerWnd::g_hWndInnerTarget = nullptr;

namespace {

constexpr UINT CLASS_STYLE = CS_GLOBALCLASS;
constexpr WPARAM CTRL_MOVE_FLAGS = MK_LBUTTON | MK_CONTROL;
constexpr int OPAQUE_ALPHA = 255;
constexpr int FULL_PERCENT = 100;

CWnd* g_pHostWnd = nullptr;

CExtDynDockMarkerWnd* AsMarker(CWnd* pWnd)
{
    return (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CExtDynDockMarkerWnd)))
               ? static_cast<CExtDynDockMarkerWnd*>(pWnd)
               : nullptr;
}

// The paint manager hands over the images of each marker it lays out.
CWnd* CreateMarkerFromPaintManager(CWnd* pTarget, int nKind, HBITMAP hNormal, HBITMAP hHover, HRGN hRegion,
                                   const RECT& rc, HBITMAP hFrame, int nFrameX, int nFrameY, bool bOuter)
{
    auto* pMarker = new CExtDynDockMarkerWnd(pTarget != nullptr ? pTarget->GetSafeHwnd() : nullptr, nKind,
                                             hHover, hNormal, hRegion, rc.left, rc.top,
                                             rc.right, rc.bottom, hFrame, nFrameX, nFrameY, bOuter);
    // The window copied the frame picture; the one given is ours to free.
    if (hFrame != nullptr)
        ::DeleteObject(hFrame);
    if (pMarker->GetSafeHwnd() == nullptr) {
        delete pMarker;
        return nullptr;
    }
    return pMarker;
}

CExtDynDockMarkerWnd* AsMarker(CWnd* pWnd);

void DestroyMarkersFromPaintManager(std::vector<CWnd*>& windows)
{
    CExtDynDockMarkerWnd::MarkerArray arr;
    for (CWnd* pWnd : windows)
        if (CExtDynDockMarkerWnd* pMarker = AsMarker(pWnd))
            arr.Add(pMarker);
    windows.clear();
    CExtDynDockMarkerWnd::DestroyMarkerArray(arr, false);
}

// A copy to walk: showing, hiding and destroying may take markers out of the set.
std::vector<CExtDynDockMarkerWnd*> Snapshot(const CExtDynDockMarkerWnd::MarkerArray& arr)
{
    std::vector<CExtDynDockMarkerWnd*> out;
    out.reserve(static_cast<size_t>(arr.GetSize()));
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        out.push_back(arr.GetAt(i));
    return out;
}

bool IsMarkerHovered(CObject* pObject)
{
    const auto* pMarker = dynamic_cast<CExtDynDockMarkerWnd*>(pObject);
    return pMarker != nullptr && pMarker->IsHovered();
}

int HoveredArmOf(CObject* pObject)
{
    const auto* pCentre = dynamic_cast<CExtDynDockMarkerWnd*>(pObject);
    if (pCentre == nullptr || pCentre->m_hWndHoverSibling == nullptr)
        return -1;
    const CExtDynDockMarkerWnd* pArm = AsMarker(CWnd::FromHandlePermanent(pCentre->m_hWndHoverSibling));
    return pArm != nullptr ? pArm->m_nKind : -1;
}

struct HooksInstaller
{
    HooksInstaller() { CExtDynDockMarkerWnd::InstallPaintManagerHooks(); }
} g_HooksInstaller;

} // namespace

void CExtDynDockMarkerWnd::InstallPaintManagerHooks()
{
    auto& hooks = CExtPaintManager::g_DockMarkerWindowHooks;
    hooks.pfnCreate = &CreateMarkerFromPaintManager;
    hooks.pfnDestroyAll = &DestroyMarkersFromPaintManager;
    hooks.pfnIsHovered = &IsMarkerHovered;
    hooks.pfnHoveredArm = &HoveredArmOf;
}

CWnd* CExtDynDockMarkerWnd::GetHostWindow(bool bCreate)
{
    if (g_pHostWnd != nullptr && ::IsWindow(g_pHostWnd->GetSafeHwnd()))
        return g_pHostWnd;
    if (!bCreate || !ExtBarDetail::RegisterBarFamilyClass(CExtDynDockMarkerWnd::WINDOW_CLASS, CLASS_STYLE))
        return nullptr;
    delete g_pHostWnd;
    g_pHostWnd = new CWnd;
    if (!g_pHostWnd->CreateEx(WS_EX_TOPMOST, WINDOW_CLASS, "", WS_POPUP, CRect(0, 0, 0, 0), CWnd::GetDesktopWindow(),
                              0)) {
        delete g_pHostWnd;
        g_pHostWnd = nullptr;
    }
    return g_pHostWnd;
}

CExtDynDockMarkerWnd::CExtDynDockMarkerWnd(HWND hWndTarget, int nKind, HBITMAP hBmpHover, HBITMAP hBmpNormal,
                                           HRGN hRgn, int nLeft, int nTop, int nRight, int nBottom, HBITMAP hBmpBack,
                                           int nPictureX, int nPictureY, bool bOuter)
    : m_bOuter(bOuter), m_nKind(nKind), m_hWndTarget(hWndTarget), m_ptPicture(nPictureX, nPictureY),
      m_bDestroyAfterFade(false), m_bFading(false), m_bFadingIn(false)
{
    if (hBmpHover != nullptr && hBmpHover != hBmpNormal)
        m_bmpHover.Attach(hBmpHover);
    if (hBmpNormal != nullptr)
        m_bmpNormal.Attach(hBmpNormal);
    if (hRgn != nullptr)
        m_rgnWindow.Attach(hRgn);
    if (hBmpBack != nullptr)
        m_bmpBack.Attach(static_cast<HBITMAP>(::CopyImage(hBmpBack, IMAGE_BITMAP, 0, 0, 0)));

    CWnd* pHost = GetHostWindow(true);
    if (pHost == nullptr)
        return;
    if (!CreateEx(WS_EX_TOPMOST, WINDOW_CLASS, "", WS_POPUP, CRect(nLeft, nTop, nRight, nBottom), pHost, 0))
        return;
    if (m_rgnWindow.GetSafeHandle() != nullptr) {
        // The system takes the region it is given: it gets a copy, the marker keeps its own.
        HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(hCopy, static_cast<HRGN>(m_rgnWindow.GetSafeHandle()), nullptr, RGN_COPY);
        if (SetWindowRgn(hCopy, FALSE) == 0)
            ::DeleteObject(hCopy);
    }
    SetTimer(TIMER_HOVER, HOVER_PERIOD_MS, nullptr);
}

CExtDynDockMarkerWnd::~CExtDynDockMarkerWnd()
{
    if (m_pHighlightWnd != nullptr) {
        if (m_pHighlightWnd->GetSafeHwnd() != nullptr)
            m_pHighlightWnd->DestroyWindow();
        delete m_pHighlightWnd;
    }
}

void CExtDynDockMarkerWnd::PostNcDestroy()
{
    // Markers are always made with new and leave the sets on their own.
    for (MarkerArray* pArray : {&CExtControlBar::g_arrOuterMarkers, &CExtControlBar::g_arrInnerMarkers})
        for (INT_PTR i = pArray->GetSize() - 1; i >= 0; --i)
            if (pArray->GetAt(i) == this)
                pArray->RemoveAt(i);
    delete this;
}

BOOL CExtDynDockMarkerWnd::DestroyWindow()
{
    Highlight(false);
    return CWnd::DestroyWindow();
}

void CExtDynDockMarkerWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    // The whole window is client area.
}

int CExtDynDockMarkerWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATEANDEAT;
}

void CExtDynDockMarkerWnd::OnPaint()
{
    CPaintDC dc(this);
    DrawMarker(&dc);
}

LRESULT CExtDynDockMarkerWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (HDC hDC = reinterpret_cast<HDC>(wParam))
        DrawMarker(CDC::FromHandle(hDC));
    return result;
}

void CExtDynDockMarkerWnd::DrawMarker(CDC* pDC)
{
    if (pDC == nullptr || GetSafeHwnd() == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return;
    CBitmap bmpMem;
    if (!bmpMem.CreateCompatibleBitmap(pDC, rcClient.Width(), rcClient.Height()))
        return;
    CBitmap* pOldMem = dcMem.SelectObject(&bmpMem);
    CDC dcPicture;
    dcPicture.CreateCompatibleDC(pDC);
    auto blit = [&](CBitmap& bmp, int x, int y) {
        if (bmp.GetSafeHandle() == nullptr)
            return;
        BITMAP bm{};
        bmp.GetBitmap(&bm);
        CBitmap* pOld = dcPicture.SelectObject(&bmp);
        dcMem.BitBlt(x, y, bm.bmWidth, bm.bmHeight, &dcPicture, 0, 0, SRCCOPY);
        dcPicture.SelectObject(pOld);
    };
    blit(m_bmpBack, rcClient.left, rcClient.top);
    const bool bHover = m_nHoverState == HOVER_IN;
    CBitmap& picture = (bHover && m_bmpHover.GetSafeHandle() != nullptr) ? m_bmpHover : m_bmpNormal;
    blit(picture, rcClient.left + m_ptPicture.x, rcClient.top + m_ptPicture.y);
    g_PaintManagerHolder->DrawDockMarker(dcMem, rcClient, m_nKind, bHover, this, 0);
    pDC->BitBlt(rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldMem);
}

void CExtDynDockMarkerWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_FADE)
        FadeStep();
    else if (nIDEvent == TIMER_HOVER)
        HoverStep();
    else
        CWnd::OnTimer(nIDEvent);
}

bool CExtDynDockMarkerWnd::CanFade()
{
    return g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes != nullptr &&
           !g_PaintManagerHolder->IsPaletteDisplay();
}

void CExtDynDockMarkerWnd::SetAlpha(int nPercent)
{
    m_nAlphaPercent = nPercent;
    if (!CanFade())
        return;
    g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes(
        m_hWnd, 0, static_cast<BYTE>(std::clamp(nPercent, 0, FULL_PERCENT) * OPAQUE_ALPHA / FULL_PERCENT), LWA_ALPHA);
}

void CExtDynDockMarkerWnd::FadeStep()
{
    if ((!m_bFadingIn && m_nAlphaPercent < 1) || (m_bFadingIn && m_nAlphaPercent > FULL_PERCENT - 1)) {
        FinishFade();
        return;
    }
    const int nNext = m_nAlphaPercent + (m_bFadingIn ? FADE_STEP_PERCENT : -FADE_STEP_PERCENT);
    if (CanFade()) {
        SetAlpha(nNext);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    } else {
        m_nAlphaPercent = nNext;
    }
}

void CExtDynDockMarkerWnd::StartFade(bool bFadeIn)
{
    if (m_hWnd == nullptr)
        return;
    if (m_bFading)
        FinishFade();
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisible == bFadeIn)
        return;
    if (CanFade()) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        if (bFadeIn) {
            SetAlpha(0);
            ShowWindow(SW_SHOWNOACTIVATE);
        } else {
            SetAlpha(FULL_PERCENT);
        }
    }
    m_bFading = true;
    m_bFadingIn = bFadeIn;
    m_bDestroyAfterFade = false;
    SetTimer(TIMER_FADE, FADE_PERIOD_MS, nullptr);
    FadeStep();
}

void CExtDynDockMarkerWnd::FinishFade()
{
    if (m_hWnd == nullptr)
        return;
    KillTimer(TIMER_FADE);
    ShowWindow(m_bFadingIn ? SW_SHOWNOACTIVATE : SW_HIDE);
    if ((GetExStyle() & WS_EX_LAYERED) != 0) {
        ModifyStyleEx(WS_EX_LAYERED, 0);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_FRAME);
    }
    m_nAlphaPercent = m_bFadingIn ? FULL_PERCENT : 0;
    m_bFading = false;
    if (m_bDestroyAfterFade)
        DestroyWindow();
}

void CExtDynDockMarkerWnd::HoverStep()
{
    if ((GetStyle() & WS_VISIBLE) == 0)
        return;
    if (m_hWndTarget != nullptr && !::IsWindow(m_hWndTarget)) {
        ShowMarkers(CExtControlBar::g_arrInnerMarkers, false, true);
        // The area under the cursor changed without a move: the drag step runs again.
        CExtControlBar* pBar = CExtControlBar::GetDraggedBar();
        if (pBar != nullptr && ::IsWindow(pBar->GetSafeHwnd())) {
            CPoint pt;
            ::GetCursorPos(&pt);
            pBar->ScreenToClient(&pt);
            const WPARAM flags = (::GetKeyState(VK_CONTROL) & 0x8000) != 0 ? CTRL_MOVE_FLAGS : 0;
            pBar->PostMessage(WM_MOUSEMOVE, flags, MAKELPARAM(pt.x, pt.y));
        }
        return;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    const int nState = IsUnderPoint(pt) ? HOVER_IN : HOVER_OUT;
    if (nState == m_nHoverState)
        return;
    m_nHoverState = nState;
    if (nState == HOVER_OUT)
        Highlight(false);
    if (!m_bOuter && m_nKind != KIND_CENTRE_BACKGROUND) {
        CExtDynDockMarkerWnd* pCentre = FindMarker(m_hWndTarget, KIND_CENTRE_BACKGROUND, false);
        if (pCentre != nullptr) {
            if (nState == HOVER_IN)
                pCentre->m_hWndHoverSibling = m_hWnd;
            else if (pCentre->m_hWndHoverSibling == m_hWnd)
                pCentre->m_hWndHoverSibling = nullptr;
            pCentre->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool CExtDynDockMarkerWnd::Highlight(bool bOn)
{
    if (!bOn) {
        if (m_pHighlightWnd != nullptr) {
            CExtDynDockHighlightWnd* pHighlight = m_pHighlightWnd;
            m_pHighlightWnd = nullptr;
            if (pHighlight->GetSafeHwnd() != nullptr)
                pHighlight->DestroyWindow();
            delete pHighlight;
        }
        return true;
    }
    if (m_pHighlightWnd != nullptr)
        return m_pHighlightWnd->GetSafeHwnd() != nullptr;
    ResetHighlightsExcept(CExtControlBar::g_arrOuterMarkers, this, false);
    ResetHighlightsExcept(CExtControlBar::g_arrInnerMarkers, this, true);
    m_pHighlightWnd = new CExtDynDockHighlightWnd(this);
    if (m_pHighlightWnd->GetSafeHwnd() == nullptr) {
        Highlight(false);
        return false;
    }
    return true;
}

int CExtDynDockMarkerWnd::GetMarkerImageId() const
{
    constexpr int BAR_SIDES = 22;
    constexpr int WINDOW_SIDES = 18;
    constexpr int FRAME_SIDES = 14;
    constexpr int BAR_CENTRE = 26;
    CWnd* pTarget = m_hWndTarget != nullptr ? CWnd::FromHandlePermanent(m_hWndTarget) : nullptr;
    const bool bBarTarget = pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CExtControlBar));
    if (m_nKind >= KIND_TOP && m_nKind <= KIND_RIGHT) {
        if (bBarTarget)
            return BAR_SIDES + m_nKind;
        return (m_hWndTarget != nullptr ? WINDOW_SIDES : FRAME_SIDES) + m_nKind;
    }
    return (m_nKind == KIND_CENTRE && bBarTarget) ? BAR_CENTRE : 0;
}

bool CExtDynDockMarkerWnd::IsDockingKind() const
{
    return (m_nKind >= KIND_TOP && m_nKind <= KIND_RIGHT) || m_nKind == KIND_CENTRE;
}

// --- Marker sets ------------------------------------------------------------------------------

void CExtDynDockMarkerWnd::ShowMarkers(MarkerArray& arrMarkers, bool bShow, bool bAnimate)
{
    const bool bFade = bAnimate && CanFade();
    for (CExtDynDockMarkerWnd* pMarker : Snapshot(arrMarkers)) {
        if (pMarker == nullptr || !::IsWindow(pMarker->GetSafeHwnd()))
            continue;
        const bool bVisible = (pMarker->GetStyle() & WS_VISIBLE) != 0;
        if (bVisible == bShow && !pMarker->m_bFading)
            continue;
        if (bFade) {
            pMarker->StartFade(bShow);
            continue;
        }
        if (pMarker->m_bFading) {
            pMarker->KillTimer(TIMER_FADE);
            pMarker->m_bFading = false;
        }
        pMarker->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    CExtPaintManager::DispatchPendingPaintMessages(true, true, true);
}

void CExtDynDockMarkerWnd::ShowAllMarkers(bool bShow)
{
    ShowMarkers(CExtControlBar::g_arrOuterMarkers, bShow, false);
    ShowMarkers(CExtControlBar::g_arrInnerMarkers, bShow, true);
}

void CExtDynDockMarkerWnd::DestroyMarkerArray(MarkerArray& arrMarkers, bool bAnimate)
{
    ShowMarkers(arrMarkers, false, bAnimate);
    const std::vector<CExtDynDockMarkerWnd*> markers = Snapshot(arrMarkers);
    arrMarkers.RemoveAll();
    for (CExtDynDockMarkerWnd* pMarker : markers) {
        if (pMarker == nullptr)
            continue;
        if (!::IsWindow(pMarker->GetSafeHwnd())) {
            // A marker whose window never came: nothing deletes it but this.
            if (pMarker->GetSafeHwnd() == nullptr)
                delete pMarker;
            continue;
        }
        if (pMarker->m_bFading)
            pMarker->m_bDestroyAfterFade = true;
        else
            pMarker->DestroyWindow();
    }
}

void CExtDynDockMarkerWnd::DestroyAllMarkers()
{
    DestroyMarkerArray(CExtControlBar::g_arrOuterMarkers, false);
    DestroyMarkerArray(CExtControlBar::g_arrInnerMarkers, false);
    g_hWndInnerTarget = nullptr;
    if (g_pHostWnd != nullptr) {
        // Markers still fading belong to the host: they go with it.
        if (::IsWindow(g_pHostWnd->GetSafeHwnd()))
            g_pHostWnd->DestroyWindow();
        delete g_pHostWnd;
        g_pHostWnd = nullptr;
    }
}

CExtDynDockMarkerWnd* CExtDynDockMarkerWnd::FindMarker(HWND hWndTarget, int nKind, bool bOuter)
{
    const MarkerArray& arr = bOuter ? CExtControlBar::g_arrOuterMarkers : CExtControlBar::g_arrInnerMarkers;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
        CExtDynDockMarkerWnd* pMarker = arr.GetAt(i);
        if (pMarker != nullptr && pMarker->m_nKind == nKind && pMarker->m_bOuter == bOuter &&
            (hWndTarget == nullptr || pMarker->m_hWndTarget == hWndTarget))
            return pMarker;
    }
    return nullptr;
}

void CExtDynDockMarkerWnd::ResetHighlightsExcept(MarkerArray& arrMarkers, CExtDynDockMarkerWnd* pExcept,
                                                 bool bDispatchPaints)
{
    for (CExtDynDockMarkerWnd* pMarker : Snapshot(arrMarkers)) {
        if (pMarker != nullptr && pMarker != pExcept)
            pMarker->Highlight(false);
    }
    if (bDispatchPaints)
        CExtPaintManager::DispatchPendingPaintMessages(true, true, true);
}

void CExtDynDockMarkerWnd::ResetAllHighlights(bool bDispatchPaints)
{
    ResetHighlightsExcept(CExtControlBar::g_arrOuterMarkers, nullptr, false);
    ResetHighlightsExcept(CExtControlBar::g_arrInnerMarkers, nullptr, bDispatchPaints);
}

bool CExtDynDockMarkerWnd::IsUnderPoint(POINT ptScreen) const
{
    if (m_hWnd == nullptr || !::IsWindowVisible(m_hWnd))
        return false;
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    if (!rc.PtInRect(ptScreen))
        return false;
    const HRGN hRgn = static_cast<HRGN>(m_rgnWindow.GetSafeHandle());
    return hRgn == nullptr || ::PtInRegion(hRgn, ptScreen.x - rc.left, ptScreen.y - rc.top);
}

CExtDynDockMarkerWnd* CExtDynDockMarkerWnd::FromScreenPoint(POINT ptScreen)
{
    // The inner markers lie over the outer ones' area: they are asked first. A docking marker
    // wins over the cross drawn behind it.
    CExtDynDockMarkerWnd* pOther = nullptr;
    for (const MarkerArray* pArray : {&CExtControlBar::g_arrInnerMarkers, &CExtControlBar::g_arrOuterMarkers})
        for (INT_PTR i = 0; i < pArray->GetSize(); ++i)
            if (CExtDynDockMarkerWnd* pMarker = pArray->GetAt(i); pMarker != nullptr && pMarker->IsUnderPoint(ptScreen)) {
                if (pMarker->IsDockingKind())
                    return pMarker;
                if (pOther == nullptr)
                    pOther = pMarker;
            }
    return pOther;
}

bool CExtDynDockMarkerWnd::PrepareMarkerSet(CWnd* pTarget, int nSetKind, const RECT& rcScreen, MarkerArray& arrMarkers)
{
    InstallPaintManagerHooks();
    DestroyMarkerArray(arrMarkers, false);
    std::vector<CWnd*> windows;
    bool bOk = false;
    try {
        bOk = g_PaintManagerHolder->PrepareDockMarker(pTarget, nSetKind, rcScreen, windows);
    } catch (CException* e) {
        // A theme without markers: the set stays empty.
        e->Delete();
    }
    for (CWnd* pWnd : windows)
        if (CExtDynDockMarkerWnd* pMarker = AsMarker(pWnd))
            arrMarkers.Add(pMarker);
    return bOk;
}
