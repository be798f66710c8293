#include "timeline/TitleTip.h"

#include "platform/mfc/DC.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/ResourceException.h"

#include <string>

namespace
{
constexpr DWORD TITLETIP_STYLE = WS_POPUP | WS_BORDER;
constexpr DWORD TITLETIP_EXSTYLE = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr COLORREF DEFAULT_COLOR_MARKER = 0xFF000000;
}  // namespace

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CTitleTip::CTitleTip() : m_dwDblClickMsecs(::GetDoubleClickTime())
{
    WNDCLASSA wndcls{};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!::GetClassInfoA(hInst, TITLETIP_CLASSNAME, &wndcls)) {
        wndcls.style = CS_SAVEBITS;
        wndcls.lpfnWndProc = ::DefWindowProcA;
        wndcls.hInstance = hInst;
        wndcls.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wndcls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
        wndcls.lpszClassName = TITLETIP_CLASSNAME;
        if (!AfxRegisterClass(&wndcls))
            AfxThrowResourceException();
    }
}

CTitleTip::~CTitleTip()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    if (m_bCreated && GetSafeHwnd())
        return TRUE;
    m_pParentWnd = pParentWnd;
    m_bCreated = CreateEx(TITLETIP_EXSTYLE, TITLETIP_CLASSNAME, nullptr, TITLETIP_STYLE, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr);
    return m_bCreated;
}

void CTitleTip::Show(CRect rectTitle, LPCSTR lpszTitleText, int xoffset, LPRECT lpHoverRect,
                     const LOGFONTA* lpLogFont, COLORREF crTextClr, COLORREF crBackClr)
{
    if (!m_pParentWnd || !m_pParentWnd->GetSafeHwnd())
        return;
    if (!GetSafeHwnd() && !Create(m_pParentWnd))
        return;
    if (rectTitle.IsRectEmpty() || IsWindowVisible())
        return;
    // Only while a window of this application has the keyboard focus.
    if (!CWnd::GetFocus())
        return;

    m_rectHover = lpHoverRect ? CRect(*lpHoverRect) : rectTitle;
    m_rectHover.right++;
    m_rectHover.bottom++;
    m_pParentWnd->ClientToScreen(&m_rectHover);
    ScreenToClient(&m_rectHover);

    m_pParentWnd->ClientToScreen(&rectTitle);
    CDC* pDC = GetDC();
    if (!pDC)
        return;
    const std::string text = std::string(" ") + (lpszTitleText ? lpszTitleText : "") + " ";
    CFont font;
    CFont* pOldFont = nullptr;
    if (lpLogFont && font.CreateFontIndirect(lpLogFont))
        pOldFont = pDC->SelectObject(&font);
    else if (CFont* pParentFont = m_pParentWnd->GetFont())
        pOldFont = pDC->SelectObject(pParentFont);
    CSize size = pDC->GetTextExtent(text.c_str(), int(text.size()));
    TEXTMETRICA tm{};
    pDC->GetTextMetrics(&tm);
    size.cx += tm.tmOverhang;

    CRect rectDisplay(rectTitle);
    rectDisplay.left += xoffset;
    rectDisplay.right = rectDisplay.left + size.cx + xoffset;
    // Shown only when the text does not fit in its cell.
    if (rectTitle.right - xoffset < rectTitle.left + size.cx + 2 * xoffset) {
        SetWindowPos(&wndTopMost, rectDisplay.left, rectDisplay.top, rectDisplay.Width(), rectDisplay.Height(),
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
        if (crBackClr != DEFAULT_COLOR_MARKER) {
            CRect client;
            GetClientRect(&client);
            pDC->FillSolidRect(&client, crBackClr);
        }
        if (crTextClr != DEFAULT_COLOR_MARKER)
            pDC->SetTextColor(crTextClr);
        pDC->SetBkMode(TRANSPARENT);
        pDC->TextOut(0, 0, text.c_str(), int(text.size()));
        SetCapture();
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);
}

void CTitleTip::Hide()
{
    if (!GetSafeHwnd())
        return;
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_rectHover.PtInRect(point)) {
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    Hide();
    // The move belongs to the window under the pointer.
    ClientToScreen(&point);
    CWnd* pWnd = CWnd::WindowFromPoint(point);
    if (!pWnd || pWnd == this)
        pWnd = m_pParentWnd;
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    const LRESULT hitTest = pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (hitTest == HTCLIENT) {
        pWnd->ScreenToClient(&point);
        pWnd->PostMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
    } else {
        pWnd->PostMessage(WM_NCMOUSEMOVE, WPARAM(hitTest), MAKELPARAM(point.x, point.y));
    }
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg)
{
    if (!m_pParentWnd || !m_pParentWnd->GetSafeHwnd())
        return CWnd::PreTranslateMessage(pMsg);
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        POINT pt;
        pt.x = short(LOWORD(pMsg->lParam));
        pt.y = short(HIWORD(pMsg->lParam));
        ClientToScreen(&pt);
        UINT message = pMsg->message;
        if (message == WM_LBUTTONDOWN) {
            const DWORD now = ::GetTickCount();
            // A second press within the double-click time is a double click.
            if (m_dwLastLButtonDown != DWORD(-1) && now - m_dwLastLButtonDown < m_dwDblClickMsecs)
                message = WM_LBUTTONDBLCLK;
            m_dwLastLButtonDown = now;
        }
        Hide();
        CWnd* pWnd = CWnd::WindowFromPoint(pt);
        if (!pWnd || pWnd == this)
            pWnd = m_pParentWnd;
        const LRESULT hitTest = pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (hitTest == HTCLIENT) {
            pWnd->ScreenToClient(&pt);
            pWnd->PostMessage(message, pMsg->wParam, MAKELPARAM(pt.x, pt.y));
        } else {
            // Non-client presses are 0x160 below their client counterparts.
            pWnd->PostMessage(message - (WM_LBUTTONDOWN - WM_NCLBUTTONDOWN), WPARAM(hitTest), MAKELPARAM(pt.x, pt.y));
        }
        return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        m_pParentWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    default:
        break;
    }
    if (CWnd::GetFocus() == nullptr) {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}
