#include "ui/controls/ExtPopupDatePickerMenuWnd.h"

#include "ui/controls/ExtDatePickerHeaderPopupWnd.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPopupDatePickerMenuWnd, CExtPopupControlMenuWnd)

CExtPopupDatePickerMenuWnd::CExtPopupDatePickerMenuWnd(LPARAM lParamInit, int nMonthsAcross, int nMonthsDown,
                                                       DWORD dwCalendarStyle, DWORD dwDatePickerStyle)
    : m_lParamInit(lParamInit),
      m_nMonthsAcross(nMonthsAcross),
      m_nMonthsDown(nMonthsDown),
      m_dwCalendarStyle(dwCalendarStyle),
      m_dwDatePickerStyle(dwDatePickerStyle)
{
    // A calendar without a window measures the months the popup must hold.
    CExtDatePickerWnd measure;
    measure.SetMonthGridDimensions(nMonthsAcross, nMonthsDown, nMonthsAcross, nMonthsDown);
    measure.UpdateCalendarStyle(measure.GetDatePickerStyle(), dwDatePickerStyle, false);
    SIZE size{};
    measure.CalcWindowSize(&size, SIZE{std::max(nMonthsAcross, 1), std::max(nMonthsDown, 1)});
    m_nControlWidth = size.cx;
    m_nControlHeight = size.cy;
}

bool CExtPopupDatePickerMenuWnd::IsShadowAllowed() const
{
    return CExtPopupMenuWnd::IsShadowAllowed();
}

bool CExtPopupDatePickerMenuWnd::HandleMouseWheel(WPARAM /*wParam*/, LPARAM /*lParam*/, bool* /*pPassThrough*/)
{
    // The calendar does not scroll by the wheel, and nothing below the popup may.
    return true;
}

bool CExtPopupDatePickerMenuWnd::IsPointOverCalendar(CPoint ptClient) const
{
    POINT ptScreen = ptClient;
    ::ClientToScreen(m_hWnd, &ptScreen);
    const HWND hWnd = ::WindowFromPoint(ptScreen);
    if (hWnd == nullptr)
        return false;
    if ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        return IsInsideControl(hWnd);
    // The month list is a top-level window of its own, often reaching beyond the popup.
    return dynamic_cast<CExtDatePickerHeaderPopupWnd*>(CWnd::FromHandlePermanent(hWnd)) != nullptr;
}

std::optional<bool> CExtPopupDatePickerMenuWnd::RouteMouseToCalendar(CPoint point, bool* pPassThrough) const
{
    if (!IsWindowAlive())
        return false;
    if (IsTrackingInterrupted())
        return true;
    if (IsPointOverCalendar(point)) {
        *pPassThrough = true;
        return false;
    }
    return std::nullopt;
}

bool CExtPopupDatePickerMenuWnd::HandleMouseMove(UINT message, CPoint point, bool* pPassThrough)
{
    if (const std::optional<bool> settled = RouteMouseToCalendar(point, pPassThrough))
        return *settled;
    return CExtPopupControlMenuWnd::HandleMouseMove(message, point, pPassThrough);
}

bool CExtPopupDatePickerMenuWnd::HandleMouseClick(UINT message, CPoint point, bool* pPassThrough)
{
    if (const std::optional<bool> settled = RouteMouseToCalendar(point, pPassThrough))
        return *settled;
    return CExtPopupControlMenuWnd::HandleMouseClick(message, point, pPassThrough);
}

HWND CExtPopupDatePickerMenuWnd::CreateChildControl(const RECT& rcControl)
{
    auto* pCalendar = new CExtPopupInplaceDatePicker;
    pCalendar->m_pResult = m_pResult;
    pCalendar->m_pfnInitCallback = m_pfnInitCallback;
    pCalendar->m_pInitCookie = m_pInitCookie;
    pCalendar->m_pfnSelectionCallback = m_pfnSelectionCallback;
    pCalendar->m_pSelectionCookie = m_pSelectionCookie;
    pCalendar->m_lParamInit = m_lParamInit;
    if (!pCalendar->Create(this, rcControl, static_cast<UINT>(-1), m_nMonthsAcross, m_nMonthsDown, m_nMonthsAcross,
                           m_nMonthsDown, m_dwCalendarStyle, m_dwDatePickerStyle)) {
        delete pCalendar;
        return nullptr;
    }
    pCalendar->m_nFlags |= CExtDatePickerWnd::FLAG_AUTO_DELETE;
    return pCalendar->GetSafeHwnd();
}

LRESULT CExtPopupDatePickerMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != CExtDatePickerWnd::g_nMsgSelectionNotification)
        return CExtPopupControlMenuWnd::WindowProc(message, wParam, lParam);
    const auto* pData = reinterpret_cast<const CExtDatePickerWnd::SelectionNotificationData*>(wParam);
    if (pData != nullptr && m_pfnSelectionCallback != nullptr && m_pfnSelectionCallback(*pData, m_pSelectionCookie))
        return 1;
    const HWND hWndTarget = GetCommandTargetWindow();
    if (hWndTarget == nullptr || !::IsWindow(hWndTarget))
        return 0;
    return ::SendMessageA(hWndTarget, message, wParam, lParam);
}
