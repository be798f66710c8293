#pragma once
// The control popup that drops down a month calendar: it sizes itself to the calendar, hands
// it the keys its hooks catch, lets the mouse reach the calendar and its month list directly and
// passes the calendar's selection notices on to its command receiver.
#include "ui/controls/ExtPopupInplaceDatePicker.h"
#include "ui/core/ExtPopupControlMenuWnd.h"

class CExtPopupDatePickerMenuWnd : public CExtPopupControlMenuWnd
{
    DECLARE_DYNCREATE(CExtPopupDatePickerMenuWnd)
public:
    static constexpr DWORD DEFAULT_CALENDAR_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;

    explicit CExtPopupDatePickerMenuWnd(LPARAM lParamInit = 0, int nMonthsAcross = 1, int nMonthsDown = 1,
                                        DWORD dwCalendarStyle = DEFAULT_CALENDAR_STYLE,
                                        DWORD dwDatePickerStyle = CExtDatePickerWnd::DPS_DEFAULT);

    bool IsShadowAllowed() const override;
    // A click on the opening item ends the menu; Enter there opens the calendar.
    bool EndsMenuFromOpeningItem(bool bByKeyboard) const override { return !bByKeyboard; }
    bool HandleMouseWheel(WPARAM wParam, LPARAM lParam, bool* pPassThrough) override;
    bool HandleMouseMove(UINT message, CPoint point, bool* pPassThrough) override;
    bool HandleMouseClick(UINT message, CPoint point, bool* pPassThrough) override;
    HWND CreateChildControl(const RECT& rcControl) override;

    // Two dates (begin, end): shown when the calendar opens, and where a final choice is left.
    COleDateTime* m_pResult = nullptr;
    LPARAM m_lParamInit;
    int m_nMonthsAcross;
    int m_nMonthsDown;
    DWORD m_dwCalendarStyle;
    DWORD m_dwDatePickerStyle;
    CExtPopupInplaceDatePicker::SelectionCallback m_pfnSelectionCallback = nullptr;
    LPVOID m_pSelectionCookie = nullptr;
    CExtPopupInplaceDatePicker::InitCallback m_pfnInitCallback = nullptr;
    LPVOID m_pInitCookie = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The window under the point is the calendar or its month list: the mouse goes to it.
    bool IsPointOverCalendar(CPoint ptClient) const;
    // Settles a move or click before the popup's own handling: eaten while tracking is
    // interrupted, passed on over the calendar. Empty when the popup is to handle it.
    std::optional<bool> RouteMouseToCalendar(CPoint point, bool* pPassThrough) const;
};
