#pragma once
// A month calendar: a grid of months with day cells, optional "Today" and "None" buttons, a
// selected date or range, painted through the paint manager and localised from the locale.
#include "platform/mfc/Afx.h"
#include "platform/mfc/OleDateTime.h"
#include "ui/core/ExtMouseCaptureSink.h"

class CExtDatePickerWnd : public CWnd, public CExtMouseCaptureSink
{
    DECLARE_DYNCREATE(CExtDatePickerWnd)
public:
    // Date-picker styles.
    static constexpr DWORD DPS_BORDER = 0x00001;
    static constexpr DWORD DPS_BORDER_3D = 0x00002;
    static constexpr DWORD DPS_BUTTON_TODAY = 0x00004;
    static constexpr DWORD DPS_BUTTON_NONE = 0x00008;
    static constexpr DWORD DPS_BUTTON_DIVIDER = 0x00010;
    static constexpr DWORD DPS_BOLD_MONTH_TITLES = 0x00020;
    static constexpr DWORD DPS_BOLD_MONTH_LIST = 0x00040;
    static constexpr DWORD DPS_BOLD_DAY_NAMES = 0x00080;
    static constexpr DWORD DPS_BOLD_DAY_NUMBERS = 0x00100;
    static constexpr DWORD DPS_SHOW_NEIGHBOUR_DAYS = 0x00200;
    static constexpr DWORD DPS_NEIGHBOUR_DAYS_AT_ENDS = 0x00400;
    static constexpr DWORD DPS_FRAME_TODAY = 0x00800;
    static constexpr DWORD DPS_MONTH_LIST_SHADOW = 0x01000;
    static constexpr DWORD DPS_MULTIPLE_SELECTION = 0x02000;
    static constexpr DWORD DPS_AUTO_DIMENSIONS = 0x04000;
    static constexpr DWORD DPS_NO_HEADER_BACKGROUND = 0x08000;
    static constexpr DWORD DPS_CENTER_HORIZONTALLY = 0x10000;
    static constexpr DWORD DPS_CENTER_VERTICALLY = 0x20000;
    static constexpr DWORD DPS_DEFAULT = 0x1E17;
    static constexpr DWORD DPS_BUTTONS = DPS_BUTTON_TODAY | DPS_BUTTON_NONE;

    // Tracking codes.
    static constexpr int TRACK_NONE = 0;
    static constexpr int TRACK_PREV = 1;
    static constexpr int TRACK_NEXT = 2;
    static constexpr int TRACK_NONE_BUTTON = 3;
    static constexpr int TRACK_TODAY_BUTTON = 4;
    static constexpr int TRACK_DAYS = 5;

    // Hit codes.
    static constexpr int HT_NOWHERE = 0;
    static constexpr int HT_BUTTON_NONE = 1;
    static constexpr int HT_BUTTON_TODAY = 2;
    static constexpr int HT_MONTHS = 3;
    static constexpr int HT_PREV = 4;
    static constexpr int HT_NEXT = 5;
    static constexpr int HT_TITLE = 6;
    static constexpr int HT_DAY_NAMES = 7;
    static constexpr int HT_DAYS = 8;

    static constexpr UINT SCROLL_TIMER_ID = 1;
    static constexpr UINT SCROLL_PERIOD = 150;

    // WPARAM a SelectionNotificationData*, LPARAM its m_lParam.
    static const UINT g_nMsgSelectionNotification;

    class MONTH_INFO : public CObject
    {
    public:
        class DATE_INFO : public CObject
        {
        public:
            RECT m_rcCell{};
            COleDateTime m_dt;
            CExtDatePickerWnd* m_pDatePicker = nullptr;
            MONTH_INFO* m_pMonth = nullptr;

            DATE_INFO();
            void Draw(CDC& dc) const;
        };

        MONTH_INFO(int nRow, int nCol, int nMonth, int nYear, const RECT& rcMonth, CExtDatePickerWnd* pDatePicker);

        DATE_INFO m_arrDays[42];
        int m_nMonth;
        int m_nYear;
        RECT m_rcPrevButton{}, m_rcNextButton{}, m_rcTitle{}, m_rcHeader{}, m_rcHeaderInterior{}, m_rcDaysArea{},
            m_rcDayNames{};
        CExtDatePickerWnd* m_pDatePicker;
        int m_nRow;
        int m_nCol;
        RECT m_rcMonth;

        void CalcLayout();
        void Paint(CDC& dc) const;
        // A hit code of the month (4 to 8, or 0) and the date under the point.
        int HitTest(POINT pt, COleDateTime* pDate) const;
        bool IsFirstOfGrid() const { return m_nRow == 0 && m_nCol == 0; }
        bool IsLastOfFirstRow() const;
        bool IsLastOfGrid() const;

    private:
        void BuildDays();
    };

    struct SelectionNotificationData
    {
        static constexpr DWORD FLAG_FINAL = 0x01;
        static constexpr DWORD FLAG_CLOSE = 0x02;
        COleDateTime m_dtBegin;
        COleDateTime m_dtEnd;
        HWND m_hWndDatePicker = nullptr;
        LPARAM m_lParam = 0;
        DWORD m_dwFlags = 0;
        COleDateTime* m_pResult = nullptr;
        bool IsFinal() const { return (m_dwFlags & FLAG_FINAL) != 0; }
    };

    CExtDatePickerWnd();
    ~CExtDatePickerWnd() override;

    using CWnd::Create;
    virtual BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nID, int nMinAcross = 1, int nMinDown = 1,
                        int nMaxAcross = 1, int nMaxDown = 1, DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                        DWORD dwDatePickerStyle = DPS_DEFAULT, CCreateContext* pContext = nullptr);
    virtual DWORD GetDatePickerStyle() const;
    virtual DWORD UpdateCalendarStyle(DWORD dwRemove, DWORD dwAdd, bool bRedraw = true);
    virtual void UpdateDatePickerWnd(bool bUpdateNow = false);
    virtual bool IsDateSelected(const COleDateTime& dt) const;
    virtual bool EnsureVisible(const COleDateTime& dt, bool bRedraw = false);
    virtual void SetSelection(const COleDateTime& dtBegin, const COleDateTime& dtEnd, bool bNormalize = false,
                              bool bRedraw = false);
    virtual void GetSelection(COleDateTime& dtBegin, COleDateTime& dtEnd) const;
    virtual void GetDisplayedRange(COleDateTime& dtFirst, COleDateTime& dtLast) const;
    // A null, invalid or out-of-range date is refused (false).
    virtual bool SetCurrentDate(const COleDateTime& dt, bool bRedraw = false);
    bool SetCurrentDate(int nYear, int nMonth, int nDay, bool bRedraw = false);
    virtual COleDateTime GetCurrentDate() const;
    virtual void SetMonthGridDimensions(int nMinAcross, int nMinDown, int nMaxAcross, int nMaxDown, bool bRedraw = false);
    virtual void GetMonthGridDimensions(SIZE* pMin, SIZE* pMax, SIZE* pCurrent) const;
    virtual CString GetMonthName(int nMonth, bool bUpperCase = false) const;
    virtual int GetFirstDayOfWeek() const;
    virtual CString GetDayName(int nDay, bool bUpperCase = false) const;
    virtual COleDateTime GetTodayDate() const;
    virtual HWND GetNotificationTarget() const;
    virtual void DrawTodayFrame(CDC& dc, bool bShowNeighbours, bool bFrameToday, bool bOtherMonth, bool bToday,
                                const RECT& rcCell, const COleDateTime& dt, bool bSelected);
    virtual void DrawDayCell(CDC& dc, bool bShowNeighbours, bool bFrameToday, bool bOtherMonth, bool bToday,
                             const RECT& rcCell, const COleDateTime& dt, bool bSelected);
    virtual void DrawButtonDivider(CDC& dc, const RECT& rc);
    virtual CString GetButtonText(int nKind) const;
    virtual void DrawButton(CDC& dc, const RECT& rc, int nKind, const CString& strText, bool bFlat, bool bEnabled,
                            bool bPushed, bool bHover);
    virtual void DrawMonthHeaderBackground(int nCol, int nRow, CDC& dc, int nYear, int nMonth, const RECT& rcHeader,
                                           const RECT& rcInterior, const RECT& rcTitle, const RECT& rcPrev,
                                           const RECT& rcNext);
    virtual void DrawMonthHeader(int nCol, int nRow, CDC& dc, int nYear, int nMonth, const RECT& rcHeader,
                                 const RECT& rcInterior, const RECT& rcTitle, const RECT& rcPrev, const RECT& rcNext);
    virtual void DrawDayNames(int nYear, int nMonth, CDC& dc, const RECT& rcDayNames);
    virtual void DrawCalendar(CDC& dc, const RECT& rcClient);
    virtual void DrawBackground(CDC& dc, const RECT& rcClient);
    virtual void DrawBorder(CDC& dc, const RECT& rc);
    virtual RECT GetBorderMetrics() const;
    virtual CFont* GetMonthListFont() const;
    virtual CFont* GetDayNumberFont(const COleDateTime& dt) const;
    virtual CFont* GetMonthTitleFont(int nYear, int nMonth) const;
    virtual CFont* GetDayNameFont(int nYear, int nMonth) const;
    virtual int GetDaysAreaMargin() const { return m_nDaysAreaMargin; }
    virtual SIZE GetDayCellSize() const { return m_sizeDayCell; }
    virtual SIZE GetButtonSize() const { return m_sizeButton; }
    virtual SIZE GetScrollButtonSize() const { return m_sizeScrollButton; }
    virtual int GetMonthHeaderHeight() const { return m_nMonthHeaderHeight; }
    virtual int GetDayNamesHeight() const { return m_nDayNamesHeight; }
    virtual int GetButtonAreaHeight() const { return m_nButtonAreaHeight; }
    virtual SIZE GetMonthSize() const { return m_sizeMonth; }
    virtual void MeasureMetrics(CDC& dc, SIZE* pMonth, SIZE* pDayCell, SIZE* pButton, SIZE* pScrollButton,
                                int* pHeaderHeight, int* pButtonAreaHeight, int* pDayNamesHeight, int* pMargin);
    virtual SIZE* CalcWindowSize(SIZE* pSize, const SIZE& sizeMonths);
    virtual void ScrollMonths(int nMonths, bool bRepeat);

    void ClearSelection(bool bRedraw = false);
    int HitTest(POINT pt, COleDateTime* pDate) const;
    void RecalcMetrics();
    void RecalcLayout();
    void RebuildMonths(bool bRedraw = false);
    static bool RegisterDatePickerClass();
    static bool IsDateInRange(const COleDateTime& dt);

    const RECT& GetCalendarRect() const { return m_rcCalendar; }
    const RECT& GetTodayButtonRect() const { return m_rcButtonToday; }
    const RECT& GetNoneButtonRect() const { return m_rcButtonNone; }
    INT_PTR GetMonthCount() const { return m_arrMonths.GetSize(); }
    const MONTH_INFO* GetMonth(INT_PTR nIndex) const;
    int GetTrackingCode() const { return m_nTrackingCode; }

    LPARAM m_lParamNotification = 0;
    HWND m_hWndNotificationTarget = nullptr;
    // Two dates (begin, end): the initial selection, and where a final selection is copied.
    COleDateTime* m_pResult = nullptr;
    static constexpr BYTE FLAG_AUTO_DELETE = 0x01;
    BYTE m_nFlags = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;
    void PostNcDestroy() override;
    // The locale item as text; false when the locale does not have it.
    virtual bool QueryLocaleInfo(LCTYPE lcType, char* pBuffer, int nSize) const;
    // True when the date picker sits in a popup menu, whose own keys and closing rules apply.
    virtual bool IsHostedInPopup() const;

    void OnTrackMouseMove(POINT pt);
    void OnLButton(POINT pt, bool bDown);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    // False when the date picker's window went away while the notification was sent.
    bool SendSelectionNotification(bool bFinal);

private:
    void SetupWindow();
    void DeleteMonths();
    void OnPaint();
    void OnCancelMode();
    // The symbol font's left or right arrow, centred in the button.
    void DrawScrollGlyph(CDC& dc, const RECT& rc, bool bLeft);
    bool IsButtonShown() const { return (m_dwDatePickerStyle & DPS_BUTTONS) != 0; }
    void ApplyResultStorage();
    // The month (1-12) and year of the first month such that the whole grid stays in range.
    void ClampLeadMonth(int& nMonth, int& nYear) const;
    // Drops the month list over the month's header and tracks it while the button is held; false
    // when the date picker went away meanwhile.
    bool TrackMonthList(const MONTH_INFO& month);

    static constexpr BYTE STATE_CREATED = 0x01;
    static constexpr BYTE STATE_IN_CANCEL_MODE = 0x02;
    static constexpr BYTE STATE_IN_UPDATE = 0x04;
    static constexpr BYTE STATE_HOVER_TODAY = 0x08;
    static constexpr BYTE STATE_HOVER_NONE = 0x10;

    int m_nTrackingCode = TRACK_NONE;
    DWORD m_dwDatePickerStyle = DPS_DEFAULT;
    int m_nMinAcross = 1, m_nMinDown = 1, m_nCurrentAcross = 1, m_nCurrentDown = 1, m_nMaxAcross = 1, m_nMaxDown = 1;
    RECT m_rcCalendar{};
    RECT m_rcMonths{};
    RECT m_rcButtonNone{};
    RECT m_rcButtonToday{};
    CTypedPtrArray<CPtrArray, MONTH_INFO*> m_arrMonths;
    COleDateTime m_dtCurrent;
    COleDateTime m_dtSelBegin;
    COleDateTime m_dtSelEnd;
    COleDateTime m_dtDisplayedBegin;
    COleDateTime m_dtDisplayedEnd;
    BYTE m_nStateFlags = 0;
    SIZE m_sizeMonth{};
    SIZE m_sizeDayCell{};
    SIZE m_sizeButton{};
    SIZE m_sizeScrollButton{};
    int m_nMonthHeaderHeight = 0;
    int m_nButtonAreaHeight = 0;
    int m_nDayNamesHeight = 0;
    int m_nDaysAreaMargin = 0;
};
