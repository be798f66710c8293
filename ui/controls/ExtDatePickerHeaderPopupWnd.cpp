#include "ui/controls/ExtDatePickerHeaderPopupWnd.h"

#include "ui/controls/ExtDatePickerWnd.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>

namespace {
constexpr int FIRST_YEAR = 100;
constexpr int LAST_YEAR = 9999;
constexpr int CLRID_BTNTEXT = 18;
constexpr int CLRID_WINDOW = 5;

CExtPaintManager& Manager() { return *g_PaintManagerHolder.GetFirstMember(); }

// Months counted from year 0, so that stepping crosses years by itself.
int MonthIndex(int nMonth, int nYear) { return nYear * 12 + nMonth - 1; }
} // namespace

CExtDatePickerHeaderPopupWnd::CExtDatePickerHeaderPopupWnd(CExtDatePickerWnd* pOwner, bool bShadow) : m_pOwner(pOwner)
{
    if (bShadow)
        m_nFlags |= FLAG_SHADOW;
    CalcSize();
}

void CExtDatePickerHeaderPopupWnd::CalcSize()
{
    CWindowDC dc(nullptr);
    int nWidest = 0, nTallest = 0;
    for (int m = 1; m <= 12; ++m) {
        const CRect rc = CExtPaintManager::MeasureText(dc, m_pOwner->GetMonthListFont(),
                                                       m_pOwner->GetMonthName(m) + " 0000", DT_CALCRECT | DT_SINGLELINE);
        nWidest = std::max(nWidest, rc.Width());
        nTallest = std::max(nTallest, rc.Height());
    }
    m_nRowWidth = nWidest + 24;
    m_nRowHeight = nTallest + 2;
    m_nWindowWidth = nWidest + 25 + GetShadowSize();
    m_nWindowHeight = m_nRows * m_nRowHeight + 2 + GetShadowSize();
}

BOOL CExtDatePickerHeaderPopupWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.cx = m_nWindowWidth;
    cs.cy = m_nWindowHeight;
    return CWnd::PreCreateWindow(cs);
}

bool CExtDatePickerHeaderPopupWnd::CreateList()
{
    LPCSTR pszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, pszClass, "", WS_POPUP, 0, 0, m_nWindowWidth, m_nWindowHeight,
                    HwndOf(m_pOwner), nullptr) != FALSE;
}

void CExtDatePickerHeaderPopupWnd::PostNcDestroy()
{
    CWnd::PostNcDestroy();
    delete this;
}

void CExtDatePickerHeaderPopupWnd::SetMonthYear(int nMonth, int nYear)
{
    if (nMonth >= 1 && nMonth <= 12)
        m_nCenterMonth = nMonth;
    if (nYear >= FIRST_YEAR && nYear <= LAST_YEAR)
        m_nCenterYear = nYear;
}

bool CExtDatePickerHeaderPopupWnd::GetSelectedMonth(int& nMonth, int& nYear) const
{
    if (m_nChosenMonth == 0 || m_nChosenYear == 0)
        return false;
    nMonth = m_nChosenMonth;
    nYear = m_nChosenYear;
    return true;
}

int CExtDatePickerHeaderPopupWnd::HitTestRow(int x, int y) const
{
    for (int i = 0; i < m_nRows; ++i) {
        const RECT rc{0, i * m_nRowHeight, m_nRowWidth, (i + 1) * m_nRowHeight};
        if (::PtInRect(&rc, POINT{x, y}))
            return i;
    }
    return -1;
}

void CExtDatePickerHeaderPopupWnd::GetRowMonth(int nRow, int& nMonth, int& nYear) const
{
    const int nIndex = MonthIndex(m_nCenterMonth, m_nCenterYear) - m_nRows / 2 + nRow;
    nMonth = nIndex % 12 + 1;
    nYear = nIndex / 12;
}

UINT CExtDatePickerHeaderPopupWnd::GetAutoScrollPeriod(int nDistance)
{
    constexpr UINT PERIODS[] = {500, 300, 200, 100, 50};
    const int nStep = std::clamp(nDistance / 10, 0, 4);
    return PERIODS[nStep];
}

void CExtDatePickerHeaderPopupWnd::StopTimers()
{
    if ((m_nFlags & FLAG_EARLIER) != 0)
        KillTimer(TIMER_EARLIER);
    if ((m_nFlags & FLAG_LATER) != 0)
        KillTimer(TIMER_LATER);
    m_nFlags &= ~(FLAG_EARLIER | FLAG_LATER);
    m_nPeriodEarlier = m_nPeriodLater = 0;
}

void CExtDatePickerHeaderPopupWnd::RunTimer(UINT nID, BYTE nFlag, UINT& nPeriod, UINT nNewPeriod)
{
    if ((m_nFlags & nFlag) != 0 && nPeriod == nNewPeriod)
        return;
    SetTimer(nID, nNewPeriod, nullptr);
    m_nFlags |= nFlag;
    nPeriod = nNewPeriod;
}

void CExtDatePickerHeaderPopupWnd::OnTrackMouseMove()
{
    POINT pt{};
    if (!::GetCursorPos(&pt) || !::ScreenToClient(m_hWnd, &pt))
        return;
    const int h = m_nWindowHeight;
    if (pt.y > 0 && pt.y < h)
        StopTimers();
    m_nChosenMonth = m_nChosenYear = 0;
    const int nRow = HitTestRow(pt.x, pt.y);
    if (nRow >= 0) {
        GetRowMonth(nRow, m_nChosenMonth, m_nChosenYear);
    } else {
        const int b = h - GetShadowSize();
        if (pt.y < 0)
            RunTimer(TIMER_EARLIER, FLAG_EARLIER, m_nPeriodEarlier, GetAutoScrollPeriod(-pt.y));
        else if (pt.y >= b && pt.y > 0)
            RunTimer(TIMER_LATER, FLAG_LATER, m_nPeriodLater, GetAutoScrollPeriod(pt.y - b));
    }
    Invalidate(FALSE);
}

void CExtDatePickerHeaderPopupWnd::OnTimer(UINT nIDEvent)
{
    int nIndex = MonthIndex(m_nCenterMonth, m_nCenterYear);
    if (nIDEvent == TIMER_EARLIER)
        --nIndex;
    else
        ++nIndex;
    // The list stays within the calendar's years.
    nIndex = std::clamp(nIndex, MonthIndex(1, FIRST_YEAR) + m_nRows / 2, MonthIndex(12, LAST_YEAR) - m_nRows / 2);
    m_nCenterMonth = nIndex % 12 + 1;
    m_nCenterYear = nIndex / 12;
    Invalidate(FALSE);
}

void CExtDatePickerHeaderPopupWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
    dc.FillSolidRect(&rcClient, Manager().ColorByIndex(CLRID_WINDOW, this));
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    CFont* pOldFont = dc.SelectObject(m_pOwner->GetMonthListFont());
    for (int i = 0; i < m_nRows; ++i) {
        int nMonth = 0, nYear = 0;
        GetRowMonth(i, nMonth, nYear);
        RECT rc{0, i * m_nRowHeight - 1, m_nRowWidth, (i + 1) * m_nRowHeight - 1};
        const bool bChosen = nMonth == m_nChosenMonth && nYear == m_nChosenYear;
        if (bChosen) {
            const RECT rcRow{0, i * m_nRowHeight, m_nRowWidth, (i + 1) * m_nRowHeight};
            dc.FillSolidRect(&rcRow, RGB(0, 0, 0));
        }
        dc.SetTextColor(bChosen ? RGB(255, 255, 255) : Manager().ColorByIndex(CLRID_BTNTEXT, this));
        CString str;
        str.Format("%s %d", m_pOwner->GetMonthName(nMonth).GetString(), nYear);
        dc.DrawText(str, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SelectObject(pOldFont);
    dc.SetBkMode(nOldMode);
    Manager().NotifyPaintDone(this, 0);
}

void CExtDatePickerHeaderPopupWnd::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    dc.ExcludeClipRect(&rcClient);
    if (GetShadowSize() > 0) {
        // Where the shadow would fall the list shows the shadow's darkest tone.
        const COLORREF clrShadow = Manager().ColorByIndex(COLOR_BTNSHADOW, this);
        dc.FillSolidRect(CRect(rcWindow.right - SHADOW, rcWindow.top + SHADOW, rcWindow.right, rcWindow.bottom),
                         clrShadow);
        dc.FillSolidRect(CRect(rcWindow.left + SHADOW, rcWindow.bottom - SHADOW, rcWindow.right, rcWindow.bottom),
                         clrShadow);
    }
    CRect rcFrame(rcClient);
    rcFrame.InflateRect(1, 1);
    dc.FillSolidRect(&rcFrame, RGB(0, 0, 0));
}

LRESULT CExtDatePickerHeaderPopupWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_TIMER:
        if (wParam == TIMER_EARLIER || wParam == TIMER_LATER) {
            OnTimer(static_cast<UINT>(wParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_MOUSEACTIVATE:
        return (GetStyle() & WS_TABSTOP) != 0 ? MA_ACTIVATE : MA_NOACTIVATE;
    case WM_NCCALCSIZE: {
        auto* pRect = reinterpret_cast<RECT*>(lParam);
        const int nFar = 1 + GetShadowSize();
        pRect->left += 1;
        pRect->top += 1;
        pRect->right -= nFar;
        pRect->bottom -= nFar;
        return 0;
    }
    case WM_NCPAINT:
        OnNcPaint();
        return 0;
    case WM_ERASEBKGND:
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
