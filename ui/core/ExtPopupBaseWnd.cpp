#include "ui/core/ExtPopupBaseWnd.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupServices.h"
#include "ui/core/ExtSoundPlayer.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CExtPopupBaseWnd, CWnd)

bool CExtPopupBaseWnd::g_bPopupShadows = true;
bool CExtPopupBaseWnd::g_bHideRarelyUsedItems = true;
bool CExtPopupBaseWnd::g_bExpandOnHover = true;
bool CExtPopupBaseWnd::g_bMarkRarelyUsedItems = true;
bool CExtPopupBaseWnd::g_bPopupItemTips = true;
bool CExtPopupBaseWnd::g_bAnimateMenuExpand = true;
bool CExtPopupBaseWnd::g_bSwallowOutsideClicks = true;
bool CExtPopupBaseWnd::g_bFitPopupsToWorkArea = true;
int CExtPopupBaseWnd::g_nDefaultPopupAnimation = CExtPopupBaseWnd::ANIMATION_FADE;
bool CExtPopupBaseWnd::g_bLargeMenuIcons = false;

namespace {

constexpr int PALETTE_DISPLAY_MAX_BPP = 8;
// The cell of the stripes and circles animations, and the circles' largest radius.
constexpr int ANIMATION_CELL = 32;
constexpr int ANIMATION_CELL_HALF = ANIMATION_CELL / 2;
constexpr int RANDOM_TYPE_COUNT = 11;

bool IsPixelAnimation(int nType)
{
    return nType == CExtPopupBaseWnd::ANIMATION_FADE || nType == CExtPopupBaseWnd::ANIMATION_NOISE ||
           nType == CExtPopupBaseWnd::ANIMATION_STRIPES || nType == CExtPopupBaseWnd::ANIMATION_CIRCLES ||
           nType == CExtPopupBaseWnd::ANIMATION_HOLES;
}

HBITMAP CreateFrameSection(HDC hDC, const CSize& size, RGBQUAD** ppBits)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = size.cx;
    bmi.bmiHeader.biHeight = -size.cy;  // top-down: row y starts at y x width
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    *ppBits = hBitmap != nullptr ? static_cast<RGBQUAD*>(pBits) : nullptr;
    return hBitmap;
}

} // namespace

BEGIN_MESSAGE_MAP(CExtPopupBaseWnd, CWnd)
    ON_WM_MOUSEACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CExtPopupBaseWnd::CExtPopupBaseWnd()
    : m_nAnimationType(g_nDefaultPopupAnimation)
{
    PickAnimationType();
}

CExtPopupBaseWnd::~CExtPopupBaseWnd()
{
    FreeAnimationStorage();
}

LPCSTR CExtPopupBaseWnd::GetPopupWindowClass()
{
    return AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
}

bool CExtPopupBaseWnd::IsWindowAlive() const
{
    return m_hWnd != nullptr && ::IsWindow(m_hWnd);
}

BOOL CExtPopupBaseWnd::DestroyWindow()
{
    if (!IsWindowAlive())
        return TRUE;
    return CWnd::DestroyWindow();
}

void CExtPopupBaseWnd::SetExcludeArea(const RECT* pExclude, POINT ptTrack)
{
    m_ptTrack = ptTrack;
    if (pExclude != nullptr) {
        m_rcExclude = *pExclude;
        m_rcExclude.NormalizeRect();
        m_nPlacementFlags |= PLACEMENT_EXCLUDE_GIVEN;
        return;
    }
    constexpr int half = DEFAULT_EXCLUDE_SIZE / 2;
    m_rcExclude.SetRect(ptTrack.x - half, ptTrack.y - half, ptTrack.x + half, ptTrack.y + half);
    m_nPlacementFlags &= BYTE(~PLACEMENT_EXCLUDE_GIVEN);
}

void CExtPopupBaseWnd::SetOpenSidePainter(OpenSidePainter pfnPainter, LPVOID pCookie)
{
    m_pfnOpenSidePainter = pfnPainter;
    m_pCallbackCookie = pCookie;
    m_bCookieGiven = pCookie != nullptr;
}

bool CExtPopupBaseWnd::IsRightToLeft() const
{
    return PopupIsRightToLeftLanguage();
}

LPVOID CExtPopupBaseWnd::GetCallbackCookie() const
{
    return m_bCookieGiven ? m_pCallbackCookie : nullptr;
}

bool CExtPopupBaseWnd::IsCombinedWithParentItem() const
{
    return false;
}

bool CExtPopupBaseWnd::IsNonTrackingMode() const
{
    return false;
}

void CExtPopupBaseWnd::AdjustAnimationType(int* /*pType*/)
{
}

void CExtPopupBaseWnd::PickAnimationType()
{
    m_nAnimationStep = 0;
    m_nAnimationStepPrev = 0;
    AdjustAnimationType(&m_nAnimationType);
    int& type = m_nAnimationType;
    if ((type < ANIMATION_NONE || type > ANIMATION_LAST) && type != ANIMATION_IMMEDIATE && type != ANIMATION_EXPAND)
        type = ANIMATION_NONE;
    if (type == ANIMATION_RANDOM) {
        // 0 and 1 also draw the fade, so it comes out three times as often as any other type.
        type = std::rand() % RANDOM_TYPE_COUNT;
        if (type == ANIMATION_NONE || type == ANIMATION_RANDOM)
            type = ANIMATION_FADE;
    }
    bool bFinished = type == ANIMATION_NONE;
    if (type != ANIMATION_IMMEDIATE && type != ANIMATION_EXPAND &&
        CExtPaintManager::GetDisplayBitsPerPixel() <= PALETTE_DISPLAY_MAX_BPP) {
        type = ANIMATION_NONE;
        bFinished = true;
    }
    if (bFinished)
        m_nStateFlags |= STATE_ANIMATION_FINISHED;
    else
        m_nStateFlags &= BYTE(~STATE_ANIMATION_FINISHED);
}

void CExtPopupBaseWnd::BeginOpenAnimation()
{
    PickAnimationType();
    if (m_nAnimationType != ANIMATION_NONE && IsWindowAlive())
        SetTimer(ANIMATION_TIMER_ID, ANIMATION_PERIOD_MS);
}

void CExtPopupBaseWnd::OnAnimationFinished()
{
    FreeAnimationStorage();
}

bool CExtPopupBaseWnd::IsShadowAllowed() const
{
    return g_bPopupShadows;
}

void CExtPopupBaseWnd::PaintAnimationFrame(CDC& dc)
{
    PaintContent(dc, true);
}

int CExtPopupBaseWnd::GetShadowSize() const
{
    return IsShadowAllowed() ? g_PaintManagerHolder->ShadowSize() : 0;
}

void CExtPopupBaseWnd::PaintContent(CDC& /*dc*/, bool /*bBuffered*/)
{
}

void CExtPopupBaseWnd::GetContentRect(RECT* pRect) const
{
    if (pRect == nullptr)
        return;
    ::SetRectEmpty(pRect);
    if (IsWindowAlive())
        ::GetClientRect(m_hWnd, pRect);
}

bool CExtPopupBaseWnd::IsHelpMode() const
{
    return false;
}

int CExtPopupBaseWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    if (IsNonTrackingMode()) {
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return MA_NOACTIVATE;
    }
    if (::GetWindow(m_hWnd, GW_CHILD) != nullptr) {
        POINT pt{};
        ::GetCursorPos(&pt);
        HWND hUnder = ::WindowFromPoint(pt);
        if (hUnder != nullptr && (::GetWindowLongA(hUnder, GWL_STYLE) & WS_CHILD) != 0 &&
            ::GetParent(hUnder) == m_hWnd)
            return MA_ACTIVATE;
    }
    return MA_NOACTIVATEANDEAT;
}

BOOL CExtPopupBaseWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CExtPopupBaseWnd::OnNcPaint()
{
}

void CExtPopupBaseWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/)
{
}

void CExtPopupBaseWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Invalidate(FALSE);
}

BOOL CExtPopupBaseWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (IsHelpMode() && PopupSetContextHelpCursor())
        return TRUE;
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CExtPopupBaseWnd::OnPaint()
{
    PAINTSTRUCT ps{};
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    if (hDC == nullptr)
        return;
    if (IsWindowAlive() && ::IsWindowVisible(m_hWnd)) {
        CDC dc;
        dc.Attach(hDC);
        CExtPaintManager::ClipOutChildWindows(hDC, m_hWnd);
        if (IsAnimationFinished())
            PaintContent(dc, true);
        else
            PaintAnimationFrame(dc);
        dc.Detach();
    }
    ::EndPaint(m_hWnd, &ps);
}

void CExtPopupBaseWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == DELAYED_SHOW_TIMER_ID) {
        KillTimer(DELAYED_SHOW_TIMER_ID);
        ShowWindow(SW_SHOWNA);
        Invalidate(FALSE);
        UpdateWindow();
        return;
    }
    if (nIDEvent != ANIMATION_TIMER_ID) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (IsAnimationFinished()) {
        KillTimer(ANIMATION_TIMER_ID);
        return;
    }
    if ((m_nAnimationType >= ANIMATION_SLIDE && m_nAnimationType <= ANIMATION_LAST) ||
        m_nAnimationType == ANIMATION_EXPAND) {
        m_nAnimationStepPrev = m_nAnimationStep;
        m_nAnimationStep += ANIMATION_STEP_PERCENT;
        if (m_nAnimationStep > 100)
            m_nStateFlags |= STATE_ANIMATION_FINISHED;
    } else if (m_nAnimationType == ANIMATION_IMMEDIATE) {
        m_nStateFlags |= STATE_ANIMATION_FINISHED;
    }
    const bool bFinished = IsAnimationFinished();
    if (bFinished) {
        if (!IsNonTrackingMode()) {
            if (CExtSoundPlayer* pPlayer = CExtSoundPlayer::GetInstance())
                pPlayer->PlayUiSound(m_nClosingSound);
            m_nClosingSound = 0;
        }
        KillTimer(ANIMATION_TIMER_ID);
        m_nAnimationType = g_nDefaultPopupAnimation;
    }
    if (IsWindowAlive()) {
        if (bFinished)
            OnAnimationFinished();
        else
            Invalidate(FALSE);
    }
}

void CExtPopupBaseWnd::FreeAnimationStorage()
{
    m_bmpBackground.DeleteObject();
    m_bmpFinal.DeleteObject();
    m_bmpFrame.DeleteObject();
    m_pBitsBackground = nullptr;
    m_pBitsFinal = nullptr;
    m_pBitsFrame = nullptr;
    m_sizeFrames = CSize(0, 0);
    m_nComposedStep = -1;
}

bool CExtPopupBaseWnd::CreateAnimationBitmaps(CDC& dc, const CSize& size)
{
    HBITMAP hBackground = CreateFrameSection(dc.GetSafeHdc(), size, &m_pBitsBackground);
    HBITMAP hFinal = CreateFrameSection(dc.GetSafeHdc(), size, &m_pBitsFinal);
    HBITMAP hFrame = CreateFrameSection(dc.GetSafeHdc(), size, &m_pBitsFrame);
    HDC hMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    if (hBackground == nullptr || hFinal == nullptr || hFrame == nullptr || hMem == nullptr) {
        for (HBITMAP h : {hBackground, hFinal, hFrame})
            if (h != nullptr)
                ::DeleteObject(h);
        if (hMem != nullptr)
            ::DeleteDC(hMem);
        m_pBitsBackground = m_pBitsFinal = m_pBitsFrame = nullptr;
        return false;
    }
    m_bmpBackground.Attach(hBackground);
    m_bmpFinal.Attach(hFinal);
    m_bmpFrame.Attach(hFrame);
    m_sizeFrames = size;

    // The window is not painted yet: the screen under it is what the popup opens over.
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    HDC hScreen = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, hBackground);
    ::BitBlt(hMem, 0, 0, size.cx, size.cy, hScreen, rcWindow.left, rcWindow.top, SRCCOPY);
    ::ReleaseDC(nullptr, hScreen);
    ::GdiFlush();
    const size_t nBytes = size_t(size.cx) * size_t(size.cy) * sizeof(RGBQUAD);
    std::memcpy(m_pBitsFinal, m_pBitsBackground, nBytes);
    // The noise reveals pixels one tick at a time over the background, never over black.
    std::memcpy(m_pBitsFrame, m_pBitsBackground, nBytes);
    ::SelectObject(hMem, hFinal);
    CDC dcMem;
    dcMem.Attach(hMem);
    PaintContent(dcMem, false);
    dcMem.Detach();
    ::GdiFlush();
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return true;
}

void CExtPopupBaseWnd::ComposeFrame()
{
    if (m_pBitsFrame == nullptr || m_pBitsFinal == nullptr || m_pBitsBackground == nullptr)
        return;
    // A repaint within one tick shows the same frame: the noise must not reveal more.
    if (m_nAnimationStep == m_nComposedStep)
        return;
    m_nComposedStep = m_nAnimationStep;
    const int cx = m_sizeFrames.cx;
    const int cy = m_sizeFrames.cy;
    const int step = std::min(m_nAnimationStep, 100);
    const RGBQUAD* pBack = m_pBitsBackground;
    const RGBQUAD* pFinal = m_pBitsFinal;
    RGBQUAD* pFrame = m_pBitsFrame;
    const size_t nCount = size_t(cx) * size_t(cy);
    switch (m_nAnimationType) {
    case ANIMATION_FADE: {
        const int back = 100 - step;
        for (size_t n = 0; n < nCount; ++n) {
            pFrame[n].rgbRed = BYTE((pBack[n].rgbRed * back + pFinal[n].rgbRed * step) / 100);
            pFrame[n].rgbGreen = BYTE((pBack[n].rgbGreen * back + pFinal[n].rgbGreen * step) / 100);
            pFrame[n].rgbBlue = BYTE((pBack[n].rgbBlue * back + pFinal[n].rgbBlue * step) / 100);
            pFrame[n].rgbReserved = 0;
        }
        break;
    }
    case ANIMATION_NOISE: {
        const int d = m_nAnimationStep - m_nAnimationStepPrev;
        if (d <= 0)
            break;
        for (size_t n = 0; n < nCount; ++n)
            if (std::rand() % d > d / 2 + 1)
                pFrame[n] = pFinal[n];
        break;
    }
    case ANIMATION_STRIPES:
        for (int y = 0; y < cy; ++y) {
            const size_t row = size_t(y) * size_t(cx);
            if (100 - (y % ANIMATION_CELL) * 100 / ANIMATION_CELL < step) {
                std::memcpy(pFrame + row, pBack + row, size_t(cx) * sizeof(RGBQUAD));
                continue;
            }
            for (int x = 0; x < cx; ++x)
                pFrame[row + x] = (x % ANIMATION_CELL) * 100 / ANIMATION_CELL < step ? pFinal[row + x] : pBack[row + x];
        }
        break;
    case ANIMATION_CIRCLES:
    case ANIMATION_HOLES: {
        const int s = m_nAnimationType == ANIMATION_CIRCLES ? step : 100 - step;
        const double r = s * ANIMATION_CELL_HALF * 0.01;
        if (r <= 0.0)
            break;
        for (int y = 0; y < cy; ++y) {
            const int dy = std::abs(y % ANIMATION_CELL - ANIMATION_CELL_HALF);
            const size_t row = size_t(y) * size_t(cx);
            for (int x = 0; x < cx; ++x) {
                const int dx = std::abs(x % ANIMATION_CELL - ANIMATION_CELL_HALF);
                const bool bInside = std::sqrt(double(dx * dx + dy * dy)) < r;
                const bool bFinal = m_nAnimationType == ANIMATION_CIRCLES ? bInside : !bInside;
                pFrame[row + x] = bFinal ? pFinal[row + x] : pBack[row + x];
            }
        }
        break;
    }
    default:
        break;
    }
}

void CExtPopupBaseWnd::BlitFrame(CDC& dc, HDC hSource, HDC hFinal, const CSize& size, int nSide)
{
    // The shadow strips are painted once the content is, not frame by frame.
    const int nShadow = GetShadowSize();
    const int cx = std::max(0, size.cx - nShadow);
    const int cy = std::max(0, size.cy - nShadow);
    ::BitBlt(dc.GetSafeHdc(), 0, 0, cx, cy, hSource, 0, 0, SRCCOPY);
    if ((m_nPlacementFlags & PLACEMENT_COMBINED) == 0 || nSide == SIDE_NONE)
        return;
    // The exclude area of a combined popup shows its final look at once.
    CRect rcExclude = m_rcExclude;
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rcExclude.left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rcExclude.right));
    if (nSide != SIDE_LEFT)
        rcExclude.right -= nShadow;
    if (nSide != SIDE_ABOVE)
        rcExclude.bottom -= nShadow;
    if (!rcExclude.IsRectEmpty())
        ::BitBlt(dc.GetSafeHdc(), rcExclude.left, rcExclude.top, rcExclude.Width(), rcExclude.Height(),
                 hFinal, rcExclude.left, rcExclude.top, SRCCOPY);
}

bool CExtPopupBaseWnd::PaintAnimationFrames(CDC& dc, int nSide)
{
    if (!IsWindowAlive())
        return false;
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    const CSize size = rcClient.Size();
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    HPALETTE hPalette = nullptr;
    if (CExtPaintManager::GetDisplayBitsPerPixel() <= PALETTE_DISPLAY_MAX_BPP) {
        hPalette = ::SelectPalette(dc.GetSafeHdc(),
                                   HPALETTE(g_PaintManagerHolder->m_PaletteWide.GetSafeHandle()), FALSE);
        ::RealizePalette(dc.GetSafeHdc());
    }
    if (m_bmpFinal.GetSafeHandle() == nullptr && !CreateAnimationBitmaps(dc, size)) {
        if (hPalette != nullptr)
            ::SelectPalette(dc.GetSafeHdc(), hPalette, FALSE);
        return false;
    }
    HDC hMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    HDC hFinal = ::CreateCompatibleDC(dc.GetSafeHdc());
    if (hMem != nullptr && hFinal != nullptr) {
        HGDIOBJ hOldFinal = ::SelectObject(hFinal, m_bmpFinal.GetSafeHandle());
        if (IsPixelAnimation(m_nAnimationType))
            ComposeFrame();
        else
            DrawGeometricFrame(hMem, hFinal, size, nSide);
        ::GdiFlush();
        HGDIOBJ hOld = ::SelectObject(hMem, m_bmpFrame.GetSafeHandle());
        BlitFrame(dc, hMem, hFinal, size, nSide);
        ::SelectObject(hMem, hOld);
        ::SelectObject(hFinal, hOldFinal);
    }
    if (hMem != nullptr)
        ::DeleteDC(hMem);
    if (hFinal != nullptr)
        ::DeleteDC(hFinal);
    if (hPalette != nullptr)
        ::SelectPalette(dc.GetSafeHdc(), hPalette, FALSE);
    return true;
}

void CExtPopupBaseWnd::DrawGeometricFrame(HDC hMem, HDC hFinal, const CSize& size, int nSide)
{
    // The final image placed over the background in the frame bitmap.
    std::memcpy(m_pBitsFrame, m_pBitsBackground, size_t(size.cx) * size_t(size.cy) * sizeof(RGBQUAD));
    HGDIOBJ hOld = ::SelectObject(hMem, m_bmpFrame.GetSafeHandle());
    ::SetStretchBltMode(hMem, g_PaintManagerHolder.IsWinNT() ? HALFTONE : COLORONCOLOR);
    const int step = std::min(std::max(m_nAnimationStep, 0), 100);
    const int w = size.cx * step / 100;
    const int h = size.cy * step / 100;
    switch (m_nAnimationType) {
    case ANIMATION_SLIDE:
    case ANIMATION_ROLL: {
        int dx = m_nAnimationType == ANIMATION_SLIDE ? -(size.cx - w) : 0;
        int dy = -(size.cy - h);
        if (nSide == SIDE_LEFT && m_nAnimationType == ANIMATION_SLIDE)
            dx = -dx;
        if (nSide == SIDE_ABOVE)
            dy = -dy;
        ::BitBlt(hMem, dx, dy, size.cx, size.cy, hFinal, 0, 0, SRCCOPY);
        break;
    }
    case ANIMATION_UNFOLD:
    case ANIMATION_UNROLL: {
        const int cw = m_nAnimationType == ANIMATION_UNFOLD ? w : size.cx;
        const int x = nSide == SIDE_LEFT && m_nAnimationType == ANIMATION_UNFOLD ? size.cx - cw : 0;
        const int y = nSide == SIDE_ABOVE ? size.cy - h : 0;
        if (cw > 0 && h > 0)
            ::StretchBlt(hMem, x, y, cw, h, hFinal, 0, 0, size.cx, size.cy, SRCCOPY);
        break;
    }
    case ANIMATION_EXPAND: {
        // The menu unfolds its rows itself; a popup without rows stretches its whole content.
        const int y = nSide == SIDE_ABOVE ? size.cy - h : 0;
        if (h > 0)
            ::StretchBlt(hMem, 0, y, size.cx, h, hFinal, 0, 0, size.cx, size.cy, SRCCOPY);
        break;
    }
    default:  // immediate: the final image as it is
        ::BitBlt(hMem, 0, 0, size.cx, size.cy, hFinal, 0, 0, SRCCOPY);
        break;
    }
    ::SelectObject(hMem, hOld);
}
