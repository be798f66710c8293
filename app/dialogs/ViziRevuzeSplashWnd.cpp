#include "app/dialogs/ViziRevuzeSplashWnd.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include "platform/mfc/DC.h"

namespace {

constexpr UINT kClassStyle = CS_GLOBALCLASS | CS_SAVEBITS | CS_NOCLOSE | CS_HREDRAW | CS_VREDRAW;
constexpr const char* kWindowText = "ViziRevuze initizlizing ...";
// The status line's band above the bottom edge, and its side margins.
constexpr int kStatusTop = 76;
constexpr int kStatusBottom = 12;
constexpr int kStatusMargin = 16;
constexpr UINT kStatusFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

bool g_bClassRegistered = false;

} // namespace

BEGIN_MESSAGE_MAP(CViziRevuzeSplashWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CViziRevuzeSplashWnd::CViziRevuzeSplashWnd(CWnd* pParentWnd, UINT nBitmapID)
{
    Create(pParentWnd, nBitmapID);
}

CViziRevuzeSplashWnd::~CViziRevuzeSplashWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

bool CViziRevuzeSplashWnd::RegisterWindowClass()
{
    if (g_bClassRegistered)
        return true;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    WNDCLASSA wc = {};
    if (::GetClassInfoA(hInstance, kClassName, &wc))
    {
        g_bClassRegistered = true;
        return true;
    }
    wc.style = kClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_WAIT);
    wc.lpszClassName = kClassName;
    g_bClassRegistered = AfxRegisterClass(&wc) != FALSE;
    return g_bClassRegistered;
}

RECT CViziRevuzeSplashWnd::CentredRect(const RECT& rcWorkArea, int width, int height)
{
    const LONG left = rcWorkArea.left + (rcWorkArea.right - rcWorkArea.left - width) / 2;
    const LONG top = rcWorkArea.top + (rcWorkArea.bottom - rcWorkArea.top - height) / 2;
    return {left, top, left + width, top + height};
}

BOOL CViziRevuzeSplashWnd::Create(CWnd* pParentWnd, UINT nBitmapID)
{
    if (!RegisterWindowClass() || !m_bitmap.LoadBitmap(nBitmapID))
        return FALSE;
    BITMAP info = {};
    m_bitmap.GetBitmap(&info);
    m_nWidth = info.bmWidth;
    m_nHeight = info.bmHeight;

    CExtMonitorRects monitor;
    CExtPaintManager::QueryMonitorRectsForWindow(monitor, pParentWnd);
    const RECT rc = CentredRect(monitor.m_rcWorkArea, m_nWidth, m_nHeight);
    // Made hidden and shown by SetWindowPos without activation: a window activated when shown
    // would take the focus from the user, and the display's window manager would take charge of
    // it (hiding such a window waits for that manager).
    if (!CreateEx(0, kClassName, kWindowText, WS_POPUP, rc, pParentWnd, 0))
    {
        m_bitmap.DeleteObject();
        return FALSE;
    }
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CExtPopupMenuWnd::PumpPendingMessages(false);
    return TRUE;
}

BOOL CViziRevuzeSplashWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!RegisterWindowClass() || !CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kClassName;
    return TRUE;
}

void CViziRevuzeSplashWnd::SetStatusText(LPCSTR lpszText)
{
    const CString text(lpszText != nullptr ? lpszText : "");
    if (text == m_strStatusText)
        return;
    m_strStatusText = text;
    if (m_hWnd != nullptr && IsWindowVisible())
    {
        Invalidate();
        UpdateWindow();
    }
}

BOOL CViziRevuzeSplashWnd::DestroyWindow()
{
    ShowWindow(SW_HIDE);
    CExtPopupMenuWnd::PumpPendingMessages(false);
    return CWnd::DestroyWindow();
}

void CViziRevuzeSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* pOldBitmap = memory.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, m_nWidth, m_nHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(pOldBitmap);
    if (m_strStatusText.IsEmpty())
        return;

    CRect rc;
    GetClientRect(&rc);
    rc.top = rc.bottom - kStatusTop;
    rc.bottom -= kStatusBottom;
    rc.DeflateRect(kStatusMargin, 0);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc.SetTextColor(RGB(0, 0, 0));
    CFont* pOldFont = dc.SelectObject(&g_PaintManagerHolder->m_FontNormal);
    dc.DrawText(m_strStatusText, &rc, kStatusFormat);
    dc.SelectObject(pOldFont);
    dc.SetTextColor(oldColour);
    dc.SetBkMode(nOldMode);
}

BOOL CViziRevuzeSplashWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CViziRevuzeSplashWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}

LRESULT CViziRevuzeSplashWnd::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

void CViziRevuzeSplashWnd::OnClose() {}
