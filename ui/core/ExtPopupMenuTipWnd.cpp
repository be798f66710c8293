#include "ui/core/ExtPopupMenuTipWnd.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

IMPLEMENT_DYNAMIC(CExtPopupMenuTipWnd, CExtPopupBaseWnd)

namespace {

constexpr int FRAME_OUTER = 3;
constexpr int FRAME_INNER = 1;

} // namespace

CExtPopupMenuTipWnd::CExtPopupMenuTipWnd()
    : m_hIcon(::LoadIconA(nullptr, MAKEINTRESOURCEA(32516)))  // IDI_INFORMATION
{
    // A tip never animates.
    m_nAnimationType = ANIMATION_NONE;
    m_nStateFlags |= STATE_ANIMATION_FINISHED;
}

CExtPopupMenuTipWnd::~CExtPopupMenuTipWnd()
{
    DestroyWindow();
}

void CExtPopupMenuTipWnd::SetText(LPCSTR lpszText)
{
    m_sText = lpszText != nullptr ? lpszText : "";
    m_sText.TrimLeft();
    m_sText.TrimRight();
}

CSize CExtPopupMenuTipWnd::BuildRegion(CDC& dc, const RECT& rcArea, CRgn& rgn)
{
    CRect rcText(0, 0, 0, 0);
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), g_PaintManagerHolder->m_FontNormal.GetSafeHandle());
    ::DrawTextA(dc.GetSafeHdc(), m_sText, m_sText.GetLength(), &rcText, DT_CALCRECT);
    ::SelectObject(dc.GetSafeHdc(), hOldFont);
    rcText.InflateRect(TEXT_MARGIN_X, TEXT_MARGIN_Y);
    int w = rcText.Width();
    int h = rcText.Height();
    if (m_hIcon != nullptr) {
        w += m_sizeIcon.cx + ICON_GAP;
        h = std::max(h, int(m_sizeIcon.cy));
    }
    m_nPointerFlags = 0;
    const CPoint anchor = m_ptTrack;
    if (anchor.x - (w - POINTER_INSET) < rcArea.left)
        m_nPointerFlags |= POINTER_LEFT;
    if (anchor.y - h - TOP_POINTER_OVERLAP < rcArea.top)
        m_nPointerFlags |= POINTER_TOP;

    const bool bLeft = (m_nPointerFlags & POINTER_LEFT) != 0;
    const int xTip = bLeft ? POINTER_INSET : w - POINTER_INSET;
    const int xBase = bLeft ? POINTER_INSET + POINTER_BASE : w - POINTER_INSET - POINTER_BASE;
    POINT triangle[3] = {{xTip, h - CORNER_Y}, {xTip, h + POINTER_HEIGHT - CORNER_Y}, {xBase, h - CORNER_Y}};
    int yBody = 0;
    if ((m_nPointerFlags & POINTER_TOP) != 0) {
        // Mirrored so that the pointer rises from the top edge of a body moved down.
        const int nTotal = h + POINTER_HEIGHT;
        for (POINT& pt : triangle)
            pt.y = nTotal - pt.y;
        yBody = POINTER_HEIGHT;
    }
    rgn.CreateRoundRectRgn(0, yBody, w, yBody + h, CORNER_X, CORNER_Y);
    CRgn rgnPointer;
    rgnPointer.CreatePolygonRgn(triangle, 3, ALTERNATE);
    ::CombineRgn(HRGN(rgn.GetSafeHandle()), HRGN(rgn.GetSafeHandle()), HRGN(rgnPointer.GetSafeHandle()), RGN_OR);
    return CSize(w, h);
}

bool CExtPopupMenuTipWnd::Show(CWnd* pPopup, const RECT* pItemRect)
{
    if (pItemRect == nullptr)
        return false;
    if (!IsWindowAlive()) {
        const CRect rcNone(0, 0, 0, 0);
        if (!CreateEx(WS_EX_TOPMOST | WS_EX_NOINHERITLAYOUT, GetPopupWindowClass(), "", WS_POPUP, rcNone,
                      pPopup, 0))
            return false;
    }
    KillTimer(DELAYED_SHOW_TIMER_ID);
    m_rcExclude = *pItemRect;
    m_rcExclude.NormalizeRect();
    m_ptTrack = CPoint(m_rcExclude.left + ANCHOR_OFFSET, m_rcExclude.top + ANCHOR_OFFSET);

    CExtMonitorRects mr;
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        CExtPaintManager::QueryMonitorRectsForWindow(mr, pPopup);
    else
        CExtPaintManager::QueryMonitorRectsForPoint(mr, m_ptTrack);
    const RECT rcArea = g_bFitPopupsToWorkArea ? mr.m_rcWorkArea : mr.m_rcMonitor;

    CRgn rgn;
    CSize size;
    {
        HDC hDC = ::GetDC(m_hWnd);
        CDC dc;
        dc.Attach(hDC);
        size = BuildRegion(dc, rcArea, rgn);
        dc.Detach();
        ::ReleaseDC(m_hWnd, hDC);
    }
    const int nHeight = size.cy + POINTER_HEIGHT;
    int x = m_ptTrack.x - (size.cx - POINTER_INSET);
    int y = m_ptTrack.y - (size.cy + POINTER_HEIGHT - CORNER_Y);
    if ((m_nPointerFlags & POINTER_LEFT) != 0)
        x = m_rcExclude.right - ANCHOR_OFFSET - POINTER_INSET;
    if ((m_nPointerFlags & POINTER_TOP) != 0)
        y = m_rcExclude.bottom - TOP_POINTER_OVERLAP;
    // The window owns the region from here on.
    ::SetWindowRgn(m_hWnd, HRGN(rgn.Detach()), FALSE);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, size.cx, nHeight, SWP_NOACTIVATE);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    SetTimer(DELAYED_SHOW_TIMER_ID, SHOW_DELAY_MS);
    return true;
}

void CExtPopupMenuTipWnd::Hide()
{
    if (IsWindowAlive()) {
        KillTimer(DELAYED_SHOW_TIMER_ID);
        ShowWindow(SW_HIDE);
    }
    m_rcExclude.SetRectEmpty();
}

void CExtPopupMenuTipWnd::PaintContent(CDC& dc, bool /*bBuffered*/)
{
    CRgn rgn;
    if (!rgn.CreateRectRgn(0, 0, 0, 0) || ::GetWindowRgn(m_hWnd, HRGN(rgn.GetSafeHandle())) == ERROR)
        return;
    CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
    CBrush brFill, brOuter, brInner;
    brFill.CreateSolidBrush(pPM->ColorByIndex(COLOR_INFOBK));
    brOuter.CreateSolidBrush(pPM->ColorByIndex(COLOR_BTNFACE));
    brInner.CreateSolidBrush(pPM->ColorByIndex(COLOR_3DDKSHADOW));
    const HRGN hRgn = HRGN(rgn.GetSafeHandle());
    ::FillRgn(dc.GetSafeHdc(), hRgn, HBRUSH(brFill.GetSafeHandle()));
    ::FrameRgn(dc.GetSafeHdc(), hRgn, HBRUSH(brOuter.GetSafeHandle()), FRAME_OUTER, FRAME_OUTER);
    ::FrameRgn(dc.GetSafeHdc(), hRgn, HBRUSH(brInner.GetSafeHandle()), FRAME_INNER, FRAME_INNER);

    const int yShift = (m_nPointerFlags & POINTER_TOP) != 0 ? POINTER_HEIGHT : 0;
    const int xText = m_hIcon != nullptr ? TEXT_MARGIN_X + m_sizeIcon.cx + ICON_GAP : TEXT_MARGIN_X;
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CRect rcText(xText, TEXT_MARGIN_Y + yShift, rcClient.right, rcClient.bottom);
    const int nOldMode = ::SetBkMode(dc.GetSafeHdc(), TRANSPARENT);
    const COLORREF clrOld = ::SetTextColor(dc.GetSafeHdc(), pPM->ColorByIndex(COLOR_INFOTEXT));
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), pPM->m_FontNormal.GetSafeHandle());
    ::DrawTextA(dc.GetSafeHdc(), m_sText, m_sText.GetLength(), &rcText, DT_NOPREFIX);
    ::SelectObject(dc.GetSafeHdc(), hOldFont);
    ::SetTextColor(dc.GetSafeHdc(), clrOld);
    ::SetBkMode(dc.GetSafeHdc(), nOldMode);
    if (m_hIcon != nullptr)
        ::DrawIconEx(dc.GetSafeHdc(), TEXT_MARGIN_X, TEXT_MARGIN_Y + yShift, m_hIcon, m_sizeIcon.cx, m_sizeIcon.cy,
                     0, nullptr, DI_NORMAL);
}
