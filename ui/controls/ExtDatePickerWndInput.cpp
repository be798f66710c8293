// The month calendar's mouse and keyboard input, selection, scrolling and notifications.
#include "ui/controls/ExtDatePickerWnd.h"

#include "ui/controls/ExtDatePickerHeaderPopupWnd.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupControlMenuWnd.h"

#include <algorithm>

namespace {
constexpr int DAYS_PER_WEEK = 7;

COleDateTime NullDate()
{
    COleDateTime dt;
    dt.SetStatus(COleDateTime::null);
    return dt;
}

COleDateTime DayOnly(const COleDateTime& dt)
{
    COleDateTime day;
    day.SetDate(dt.GetYear(), dt.GetMonth(), dt.GetDay());
    return day;
}

bool IsNull(const COleDateTime& dt)
{
    return dt.GetStatus() == COleDateTime::null;
}

bool SameDay(const COleDateTime& a, const COleDateTime& b)
{
    if (a.GetStatus() != b.GetStatus())
        return false;
    if (a.GetStatus() != COleDateTime::valid)
        return true;
    return a.GetYear() == b.GetYear() && a.GetMonth() == b.GetMonth() && a.GetDay() == b.GetDay();
}

bool IsKeyDown(int nKey) { return (::GetKeyState(nKey) & 0x8000) != 0; }
} // namespace

// --- selection --------------------------------------------------------------------------------

void CExtDatePickerWnd::GetSelection(COleDateTime& dtBegin, COleDateTime& dtEnd) const
{
    dtBegin = m_dtSelBegin;
    dtEnd = m_dtSelEnd;
}

void CExtDatePickerWnd::SetSelection(const COleDateTime& dtBegin, const COleDateTime& dtEnd, bool bNormalize,
                                     bool bRedraw)
{
    if (SameDay(dtBegin, m_dtSelBegin) && SameDay(dtEnd, m_dtSelEnd))
        return;
    if (!IsDateInRange(dtBegin) || !IsDateInRange(dtEnd)) {
        m_dtSelBegin = m_dtSelEnd = NullDate();
    } else {
        m_dtSelBegin = DayOnly(dtBegin);
        m_dtSelEnd = DayOnly(dtEnd);
        if (bNormalize && m_dtSelBegin > m_dtSelEnd)
            std::swap(m_dtSelBegin, m_dtSelEnd);
    }
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    UpdateDatePickerWnd(bRedraw);
    SendSelectionNotification(false);
}

void CExtDatePickerWnd::ClearSelection(bool bRedraw)
{
    SetSelection(NullDate(), NullDate(), false, bRedraw);
}

bool CExtDatePickerWnd::IsDateSelected(const COleDateTime& dt) const
{
    if (IsNull(m_dtSelBegin) || IsNull(m_dtSelEnd) || dt.GetStatus() != COleDateTime::valid)
        return false;
    const COleDateTime day = DayOnly(dt);
    const COleDateTime& lo = std::min(m_dtSelBegin, m_dtSelEnd);
    const COleDateTime& hi = std::max(m_dtSelBegin, m_dtSelEnd);
    return day >= lo && day <= hi;
}

bool CExtDatePickerWnd::EnsureVisible(const COleDateTime& dt, bool bRedraw)
{
    if (!IsDateInRange(dt))
        return false;
    const COleDateTime day = DayOnly(dt);
    if (IsNull(m_dtDisplayedBegin) || day < m_dtDisplayedBegin || day > m_dtDisplayedEnd) {
        m_dtCurrent = day;
        RebuildMonths(bRedraw);
    }
    return true;
}

HWND CExtDatePickerWnd::GetNotificationTarget() const
{
    if (m_hWndNotificationTarget != nullptr && ::IsWindow(m_hWndNotificationTarget))
        return m_hWndNotificationTarget;
    return m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
}

bool CExtDatePickerWnd::SendSelectionNotification(bool bFinal)
{
    // The handler may close a hosting popup and with it this object: only saved values are
    // used after the sending.
    const HWND hWndOwn = m_hWnd;
    SelectionNotificationData data;
    GetSelection(data.m_dtBegin, data.m_dtEnd);
    data.m_hWndDatePicker = hWndOwn;
    data.m_lParam = m_lParamNotification;
    data.m_dwFlags = SelectionNotificationData::FLAG_CLOSE | (bFinal ? SelectionNotificationData::FLAG_FINAL : 0);
    data.m_pResult = m_pResult;
    if (bFinal && m_pResult != nullptr) {
        m_pResult[0] = data.m_dtBegin;
        m_pResult[1] = data.m_dtEnd;
    }
    const HWND hWndParent = ::GetParent(hWndOwn);
    const HWND hWndTarget = GetNotificationTarget();
    if (hWndTarget != nullptr)
        ::SendMessageA(hWndTarget, g_nMsgSelectionNotification, reinterpret_cast<WPARAM>(&data), data.m_lParam);
    if (!::IsWindow(hWndOwn))
        return false;
    if (bFinal && hWndParent != nullptr)
        ::SendMessageA(hWndParent, WM_CANCELMODE, 0, 0);
    return ::IsWindow(hWndOwn) != FALSE;
}

// --- scrolling --------------------------------------------------------------------------------

void CExtDatePickerWnd::ScrollMonths(int nMonths, bool bRepeat)
{
    int nStep = 0;
    if (m_nTrackingCode == TRACK_PREV)
        nStep = -std::max(nMonths, 1);
    else if (m_nTrackingCode == TRACK_NEXT)
        nStep = std::max(nMonths, 1);
    else
        return;
    // Scrolling stops where the grid would leave the calendar's years.
    const int nCount = m_nCurrentAcross * m_nCurrentDown;
    const int nIndex = m_dtCurrent.GetYear() * 12 + m_dtCurrent.GetMonth() - 1 + nStep;
    const int nFirst = 100 * 12, nLast = 9999 * 12 + 11 - (nCount - 1);
    if (nIndex < nFirst || nIndex > nLast)
        return;
    m_dtCurrent.SetDate(nIndex / 12, nIndex % 12 + 1, 1);
    RebuildMonths(false);
    if (!bRepeat || m_hWnd == nullptr)
        return;
    UpdateDatePickerWnd(true);
    ::Sleep(SCROLL_PERIOD);
    SetTimer(SCROLL_TIMER_ID, SCROLL_PERIOD, nullptr);
}

// --- hit testing and the mouse ----------------------------------------------------------------

int CExtDatePickerWnd::HitTest(POINT pt, COleDateTime* pDate) const
{
    if (pDate != nullptr)
        *pDate = NullDate();
    if ((m_dwDatePickerStyle & DPS_BUTTON_NONE) != 0 && ::PtInRect(&m_rcButtonNone, pt))
        return HT_BUTTON_NONE;
    if ((m_dwDatePickerStyle & DPS_BUTTON_TODAY) != 0 && ::PtInRect(&m_rcButtonToday, pt))
        return HT_BUTTON_TODAY;
    if (!::PtInRect(&m_rcMonths, pt))
        return HT_NOWHERE;
    for (INT_PTR i = 0; i < m_arrMonths.GetSize(); ++i) {
        const int nHit = m_arrMonths.GetAt(i)->HitTest(pt, pDate);
        if (nHit != HT_NOWHERE)
            return nHit;
    }
    return HT_MONTHS;
}

void CExtDatePickerWnd::OnTrackMouseMove(POINT pt)
{
    COleDateTime dt;
    const int nHit = HitTest(pt, &dt);
    const BYTE nOldHover = m_nStateFlags & (STATE_HOVER_TODAY | STATE_HOVER_NONE);
    if (nHit == HT_BUTTON_NONE)
        m_nStateFlags = static_cast<BYTE>((m_nStateFlags & ~STATE_HOVER_TODAY) | STATE_HOVER_NONE);
    else if (nHit == HT_BUTTON_TODAY)
        m_nStateFlags = static_cast<BYTE>((m_nStateFlags & ~STATE_HOVER_NONE) | STATE_HOVER_TODAY);
    else if (nHit != HT_MONTHS)
        m_nStateFlags &= static_cast<BYTE>(~(STATE_HOVER_TODAY | STATE_HOVER_NONE));
    if (nHit == HT_DAYS && m_nTrackingCode == TRACK_DAYS && dt.GetStatus() == COleDateTime::valid) {
        // Only the notification of the release is final; a drag does not report.
        if ((m_dwDatePickerStyle & DPS_MULTIPLE_SELECTION) != 0 && !IsNull(m_dtSelBegin))
            m_dtSelEnd = DayOnly(dt);
        else
            m_dtSelBegin = m_dtSelEnd = DayOnly(dt);
        Invalidate(FALSE);
    }
    if ((m_nStateFlags & (STATE_HOVER_TODAY | STATE_HOVER_NONE)) != nOldHover)
        Invalidate(FALSE);
}

void CExtDatePickerWnd::OnLButton(POINT pt, bool bDown)
{
    if ((GetStyle() & WS_TABSTOP) != 0)
        ::SetFocus(m_hWnd);
    const int nPrevTracking = m_nTrackingCode;
    m_nTrackingCode = TRACK_NONE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    COleDateTime dt;
    const int nHit = HitTest(pt, &dt);
    bool bAlive = true;
    switch (nHit) {
    case HT_BUTTON_NONE:
        if (bDown) {
            SetMouseCapture(m_hWnd);
            m_nTrackingCode = TRACK_NONE_BUTTON;
        } else if (nPrevTracking == TRACK_NONE_BUTTON) {
            m_dtSelBegin = m_dtSelEnd = NullDate();
            bAlive = SendSelectionNotification(true);
        }
        break;
    case HT_BUTTON_TODAY:
        if (bDown) {
            SetMouseCapture(m_hWnd);
            m_nTrackingCode = TRACK_TODAY_BUTTON;
        } else if (nPrevTracking == TRACK_TODAY_BUTTON) {
            const COleDateTime dtToday = DayOnly(GetTodayDate());
            SetCurrentDate(dtToday, false);
            if (EnsureVisible(dtToday, false))
                m_dtSelBegin = m_dtSelEnd = dtToday;
            bAlive = SendSelectionNotification(true);
        }
        break;
    case HT_PREV:
    case HT_NEXT:
        if (bDown) {
            SetMouseCapture(m_hWnd);
            m_nTrackingCode = nHit == HT_PREV ? TRACK_PREV : TRACK_NEXT;
            ScrollMonths(1, true);
        }
        break;
    case HT_TITLE:
        if (bDown) {
            for (INT_PTR i = 0; i < m_arrMonths.GetSize(); ++i)
                if (::PtInRect(&m_arrMonths.GetAt(i)->m_rcTitle, pt)) {
                    bAlive = TrackMonthList(*m_arrMonths.GetAt(i));
                    break;
                }
        }
        break;
    case HT_DAYS: {
        if (dt.GetStatus() != COleDateTime::valid)
            break;
        bool bOwnMonth = (m_dwDatePickerStyle & DPS_SHOW_NEIGHBOUR_DAYS) != 0;
        for (INT_PTR i = 0; i < m_arrMonths.GetSize() && !bOwnMonth; ++i) {
            const MONTH_INFO* pMonth = m_arrMonths.GetAt(i);
            bOwnMonth = ::PtInRect(&pMonth->m_rcMonth, pt) && pMonth->m_nMonth == dt.GetMonth();
        }
        if (!bOwnMonth)
            break;
        if (bDown) {
            m_nTrackingCode = TRACK_DAYS;
            SetMouseCapture(m_hWnd);
            m_dtSelBegin = m_dtSelEnd = DayOnly(dt);
        } else if (nPrevTracking == TRACK_DAYS) {
            EnsureVisible(dt, false);
            const COleDateTime day = DayOnly(dt);
            if ((m_dwDatePickerStyle & DPS_MULTIPLE_SELECTION) != 0 && !IsNull(m_dtSelBegin))
                m_dtSelEnd = day;
            else
                m_dtSelBegin = m_dtSelEnd = day;
            bAlive = SendSelectionNotification(true);
        }
        break;
    }
    default:
        break;
    }
    if (bAlive)
        UpdateDatePickerWnd(false);
}

// --- the month list -------------------------------------------------------------------------

namespace {
// Messages that end the month list's tracking.
bool EndsMonthList(const MSG& msg, HWND hList)
{
    switch (msg.message) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_ACTIVATEAPP:
    case WM_CANCELMODE:
    case WM_CONTEXTMENU:
        return true;
    case WM_CAPTURECHANGED:
        return reinterpret_cast<HWND>(msg.lParam) != hList;
    default:
        break;
    }
    return (msg.message >= WM_NCLBUTTONDOWN && msg.message <= WM_NCMBUTTONDBLCLK) ||
           (msg.message >= WM_KEYDOWN && msg.message <= WM_KEYLAST) ||
           (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MOUSEWHEEL);
}
} // namespace

bool CExtDatePickerWnd::TrackMonthList(const MONTH_INFO& month)
{
    const HWND hWndOwn = m_hWnd;
    auto* pList = new CExtDatePickerHeaderPopupWnd(this, (m_dwDatePickerStyle & DPS_MONTH_LIST_SHADOW) != 0);
    if (!pList->CreateList()) {
        if (pList->m_hWnd == nullptr)
            delete pList;
        return true;
    }
    const HWND hList = pList->m_hWnd;
    pList->SetMonthYear(month.m_nMonth, month.m_nYear);
    const SIZE size = pList->GetWindowSize();
    const int nShadow = pList->GetShadowSize();
    POINT ptCentre{(month.m_rcHeader.left + month.m_rcHeader.right) / 2,
                   (month.m_rcHeader.top + month.m_rcHeader.bottom) / 2};
    ::ClientToScreen(hWndOwn, &ptCentre);
    ::SetWindowPos(hList, HWND_TOP, ptCentre.x - (size.cx - nShadow) / 2, ptCentre.y - (size.cy - nShadow) / 2, 0, 0,
                   SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::SetCapture(hList);
    bool bAccept = false;
    for (;;) {
        if (!::IsWindow(hList) || ::GetCapture() != hList || !IsKeyDown(VK_LBUTTON) || IsKeyDown(VK_MBUTTON) ||
            IsKeyDown(VK_RBUTTON))
            break;
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!::WaitMessage())
                break;
            continue;
        }
        if (msg.message == WM_MOUSEMOVE)
            pList->OnTrackMouseMove();
        if (msg.message == WM_LBUTTONUP) {
            bAccept = true;
            break;
        }
        if (EndsMonthList(msg, hList) || !AfxPumpMessage())
            break;
    }
    if (!::IsWindow(hList))
        return ::IsWindow(hWndOwn) != FALSE;
    if (::GetCapture() == hList)
        ::ReleaseCapture();
    int nMonth = 0, nYear = 0;
    if (bAccept) {
        pList->OnTrackMouseMove();
        bAccept = pList->GetSelectedMonth(nMonth, nYear);
    }
    ::DestroyWindow(hList);
    if (!::IsWindow(hWndOwn))
        return false;
    if (bAccept) {
        // The chosen month takes the pressed month's place in the grid.
        const int nIndex = std::max(nYear * 12 + nMonth - 1 - (month.m_nRow * m_nCurrentAcross + month.m_nCol),
                                    100 * 12);
        m_dtCurrent.SetDate(nIndex / 12, nIndex % 12 + 1, 1);
        RebuildMonths(false);
    }
    return true;
}

// --- the keyboard -----------------------------------------------------------------------------

bool CExtDatePickerWnd::IsHostedInPopup() const
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return false;
    const CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd));
}

void CExtDatePickerWnd::OnKeyDown(UINT nChar, UINT, UINT)
{
    const bool bInPopup = IsHostedInPopup();
    COleDateTime dtBegin, dtEnd;
    GetSelection(dtBegin, dtEnd);
    // Outside a popup a key with no selection changes nothing: there is no day to move from.
    if ((IsNull(dtBegin) || IsNull(dtEnd)) && !bInPopup && nChar != VK_TAB)
        return;
    if (IsNull(dtBegin))
        dtBegin = DayOnly(GetTodayDate());
    if (IsNull(dtEnd))
        dtEnd = DayOnly(GetTodayDate());
    const bool bExtend = (m_dwDatePickerStyle & DPS_MULTIPLE_SELECTION) != 0 && IsKeyDown(VK_SHIFT) &&
                         !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU);
    bool bFinal = !bInPopup;
    int nDays = 0;
    switch (nChar) {
    case VK_TAB:
        if ((GetStyle() & WS_TABSTOP) != 0)
            ::SendMessageA(::GetParent(m_hWnd), WM_NEXTDLGCTL, IsKeyDown(VK_SHIFT) ? 1 : 0, 0);
        return;
    case VK_RETURN:
        if (m_pResult != nullptr) {
            m_pResult[0] = m_dtSelBegin;
            m_pResult[1] = m_dtSelEnd;
        } else {
            bFinal = true;
        }
        ::PostMessageA(::GetParent(m_hWnd), WM_CANCELMODE, 0, 0);
        break;
    case VK_ESCAPE:
        if (!bInPopup)
            return;
        ::PostMessageA(::GetParent(m_hWnd), WM_CANCELMODE, 0, 0);
        break;
    case VK_LEFT: nDays = -1; break;
    case VK_RIGHT: nDays = 1; break;
    case VK_UP: nDays = -DAYS_PER_WEEK; break;
    case VK_DOWN: nDays = DAYS_PER_WEEK; break;
    default:
        return;
    }
    if (nDays != 0) {
        const COleDateTime dtMoved = dtEnd + COleDateTimeSpan(nDays, 0, 0, 0);
        // At the calendar's ends the selection stays where it is.
        if (!IsDateInRange(dtMoved))
            return;
        dtEnd = dtMoved;
        if (!bExtend)
            dtBegin = dtEnd;
    }
    m_dtSelBegin = DayOnly(dtBegin);
    m_dtSelEnd = DayOnly(dtEnd);
    SetCurrentDate(m_dtSelEnd, false);
    EnsureVisible(m_dtSelEnd, false);
    if (SendSelectionNotification(bFinal))
        UpdateDatePickerWnd(false);
}

// --- window messages --------------------------------------------------------------------------

void CExtDatePickerWnd::OnCancelMode()
{
    if ((m_nStateFlags & STATE_IN_CANCEL_MODE) != 0)
        return;
    m_nStateFlags |= STATE_IN_CANCEL_MODE;
    if (m_nTrackingCode != TRACK_NONE) {
        Invalidate(FALSE);
        m_nTrackingCode = TRACK_NONE;
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_nStateFlags &= ~STATE_IN_CANCEL_MODE;
}

LRESULT CExtDatePickerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLButton(pt, true);
        return 0;
    case WM_LBUTTONUP:
        OnLButton(pt, false);
        return 0;
    case WM_MOUSEMOVE:
        OnTrackMouseMove(pt);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == SCROLL_TIMER_ID) {
            if (m_nTrackingCode == TRACK_PREV || m_nTrackingCode == TRACK_NEXT) {
                ScrollMonths(1, false);
                UpdateDatePickerWnd(true);
            } else {
                KillTimer(SCROLL_TIMER_ID);
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_CANCELMODE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        OnCancelMode();
        return lResult;
    }
    case WM_CAPTURECHANGED: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (m_nTrackingCode != TRACK_NONE && ::GetCapture() != m_hWnd)
            ::SendMessageA(m_hWnd, WM_CANCELMODE, 0, 0);
        return lResult;
    }
    case WM_GETDLGCODE:
        if ((GetStyle() & WS_TABSTOP) != 0)
            return DLGC_WANTARROWS;
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_KILLFOCUS: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if ((GetStyle() & WS_TABSTOP) != 0)
            ::SendMessageA(m_hWnd, WM_CANCELMODE, 0, 0);
        return lResult;
    }
    case WM_ACTIVATEAPP: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (wParam == 0)
            ::SendMessageA(m_hWnd, WM_CANCELMODE, 0, 0);
        return lResult;
    }
    case WM_MOUSEACTIVATE:
        if ((GetStyle() & WS_TABSTOP) != 0)
            return CWnd::WindowProc(message, wParam, lParam);
        return MA_NOACTIVATE;
    case WM_SIZE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        UpdateDatePickerWnd(false);
        return lResult;
    }
    case WM_TIMECHANGE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        RebuildMonths(false);
        return lResult;
    }
    case WM_SYSCOLORCHANGE: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        g_PaintManagerHolder.RelaySysColorChange(this);
        UpdateDatePickerWnd(false);
        return lResult;
    }
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        RecalcMetrics();
        RebuildMonths(false);
        if (message == WM_SETTINGCHANGE)
            g_PaintManagerHolder.RelaySettingChange(this, wParam, lParam);
        else if (message == WM_THEMECHANGED)
            g_PaintManagerHolder.RelayThemeChanged(this, wParam, lParam);
        UpdateDatePickerWnd(false);
        return lResult;
    }
    default:
        if (message == CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate) {
            // A hosting popup hands on the keys its hooks catch; the calendar eats them.
            auto* pData = reinterpret_cast<CExtPopupControlMenuWnd::ControlInputData*>(wParam);
            if (pData == nullptr || pData->m_nKind != CExtPopupControlMenuWnd::INPUT_KEY_DOWN)
                return 0;
            if (pData->m_pPassOn != nullptr)
                *pData->m_pPassOn = false;
            OnKeyDown(pData->m_nChar, pData->m_nRepCnt, pData->m_nFlags);
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
