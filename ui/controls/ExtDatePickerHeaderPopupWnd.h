#pragma once
// The list of seven months a date picker drops over a month header while the left button is
// held on its title; it never takes the focus, scrolls when dragged beyond and reports the month
// under the mouse.
#include "platform/mfc/Afx.h"

class CExtDatePickerWnd;

class CExtDatePickerHeaderPopupWnd : public CWnd
{
public:
    static constexpr UINT TIMER_EARLIER = 2;
    static constexpr UINT TIMER_LATER = 3;
    static constexpr int SHADOW = 3;

    CExtDatePickerHeaderPopupWnd(CExtDatePickerWnd* pOwner, bool bShadow);

    // Creates the list as a top-most tool window owned by the date picker.
    bool CreateList();
    // Ignores a month outside 1-12 and a year outside 100-9999.
    void SetMonthYear(int nMonth, int nYear);
    bool GetSelectedMonth(int& nMonth, int& nYear) const;
    int HitTestRow(int x, int y) const;
    void OnTrackMouseMove();
    SIZE GetWindowSize() const { return SIZE{m_nWindowWidth, m_nWindowHeight}; }
    int GetShadowSize() const { return (m_nFlags & FLAG_SHADOW) != 0 ? SHADOW : 0; }
    // The month and year shown in a row.
    void GetRowMonth(int nRow, int& nMonth, int& nYear) const;
    // The scroll period for a distance beyond the list, in milliseconds.
    static UINT GetAutoScrollPeriod(int nDistance);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;

private:
    void CalcSize();
    void OnPaint();
    void OnNcPaint();
    void OnTimer(UINT nIDEvent);
    void RunTimer(UINT nID, BYTE nFlag, UINT& nPeriod, UINT nNewPeriod);
    void StopTimers();

    static constexpr BYTE FLAG_EARLIER = 0x01;
    static constexpr BYTE FLAG_LATER = 0x02;
    static constexpr BYTE FLAG_SHADOW = 0x04;

    int m_nWindowWidth = 0;
    int m_nWindowHeight = 0;
    int m_nRowWidth = 0;
    int m_nRowHeight = 0;
    int m_nCenterMonth = 0;
    int m_nCenterYear = 0;
    int m_nChosenMonth = 0;
    int m_nChosenYear = 0;
    int m_nRows = 7;
    CExtDatePickerWnd* m_pOwner;
    BYTE m_nFlags = 0;
    UINT m_nPeriodEarlier = 0;
    UINT m_nPeriodLater = 0;
};
