// The month calendar: window class, styles, metrics, layout, month grids, locale names and
// painting.
#include "ui/controls/ExtDatePickerWnd.h"

#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CExtDatePickerWnd, CWnd)

const UINT CExtDatePickerWnd::g_nMsgSelectionNotification =
    ::RegisterWindowMessageA("CExtDatePickerWnd::g_nMsgSelectionNotification");

namespace {
constexpr char DATE_PICKER_CLASS[] = "DadeZAD-DatePickerWnd";
constexpr int FIRST_YEAR = 100;
constexpr int LAST_YEAR = 9999;
constexpr int DAYS_PER_WEEK = 7;
constexpr int GRID_ROWS = 6;
constexpr int BORDER = 4;
constexpr int MIN_MONTH_CX = 143;
constexpr int MIN_MONTH_CY = 125;
constexpr int DAYS_AREA_MARGIN = 11;
constexpr int CLRID_BTNTEXT = 18;
constexpr COLORREF TODAY_FRAME = RGB(128, 0, 0);
// Styles whose change alters the metrics or the grid.
constexpr DWORD METRIC_STYLES = 0x5E1;
constexpr DWORD BOLD_STYLES = 0x1E0;

CExtPaintManager& Manager() { return *g_PaintManagerHolder.GetFirstMember(); }

COleDateTime DayOf(int nYear, int nMonth, int nDay)
{
    COleDateTime dt;
    dt.SetDate(nYear, nMonth, nDay);
    return dt;
}

COleDateTime NullDate()
{
    COleDateTime dt;
    dt.SetStatus(COleDateTime::null);
    return dt;
}

COleDateTime AddDays(const COleDateTime& dt, int nDays)
{
    return dt + COleDateTimeSpan(nDays, 0, 0, 0);
}

void NextMonth(int& nMonth, int& nYear)
{
    if (++nMonth > 12) {
        nMonth = 1;
        ++nYear;
    }
}

SIZE TextSize(CDC& dc, CFont* pFont, const CString& str)
{
    const CRect rc = CExtPaintManager::MeasureText(dc, pFont, str, DT_CALCRECT | DT_SINGLELINE);
    return SIZE{rc.Width(), rc.Height()};
}
} // namespace

// --- MONTH_INFO -------------------------------------------------------------------------------

CExtDatePickerWnd::MONTH_INFO::DATE_INFO::DATE_INFO() : m_dt(NullDate()) {}

CExtDatePickerWnd::MONTH_INFO::MONTH_INFO(int nRow, int nCol, int nMonth, int nYear, const RECT& rcMonth,
                                          CExtDatePickerWnd* pDatePicker)
    : m_nMonth(nMonth), m_nYear(nYear), m_pDatePicker(pDatePicker), m_nRow(nRow), m_nCol(nCol), m_rcMonth(rcMonth)
{
    BuildDays();
    CalcLayout();
}

bool CExtDatePickerWnd::MONTH_INFO::IsLastOfFirstRow() const
{
    return m_nRow == 0 && m_nCol == m_pDatePicker->m_nCurrentAcross - 1;
}

bool CExtDatePickerWnd::MONTH_INFO::IsLastOfGrid() const
{
    return m_nRow == m_pDatePicker->m_nCurrentDown - 1 && m_nCol == m_pDatePicker->m_nCurrentAcross - 1;
}

void CExtDatePickerWnd::MONTH_INFO::BuildDays()
{
    const COleDateTime dtFirst = DayOf(m_nYear, m_nMonth, 1);
    for (DATE_INFO& d : m_arrDays) {
        d.m_pDatePicker = m_pDatePicker;
        d.m_pMonth = this;
        d.m_dt = NullDate();
    }
    if (dtFirst.GetStatus() != COleDateTime::valid)
        return;
    // The grid's first weekday counted 1 Sunday .. 7 Saturday; the locale counts 0 Monday.
    const int nWeekStart = (m_pDatePicker->GetFirstDayOfWeek() + 1) % DAYS_PER_WEEK + 1;
    // Computed, not searched day by day: the grid always shows at least one earlier day.
    int nBack = (dtFirst.GetDayOfWeek() - nWeekStart + DAYS_PER_WEEK) % DAYS_PER_WEEK;
    if (nBack == 0)
        nBack = DAYS_PER_WEEK;
    const DWORD dwStyle = m_pDatePicker->m_dwDatePickerStyle;
    const bool bAtEndsOnly = (dwStyle & DPS_NEIGHBOUR_DAYS_AT_ENDS) != 0;
    for (int i = 0; i < GRID_ROWS * DAYS_PER_WEEK; ++i) {
        DATE_INFO& d = m_arrDays[i];
        // Each cell from the first of the month: a day before year 100 must not spoil the rest.
        const COleDateTime dt = AddDays(dtFirst, i - nBack);
        const bool bInRange = IsDateInRange(dt);
        const int nYear = bInRange ? dt.GetYear() : 0;
        const int nMonth = bInRange ? dt.GetMonth() : 0;
        const bool bOwn = bInRange && nYear == m_nYear && nMonth == m_nMonth;
        const bool bBefore = bInRange && (nYear < m_nYear || (nYear == m_nYear && nMonth < m_nMonth));
        bool bShown = bOwn;
        if (bInRange && !bOwn)
            bShown = !bAtEndsOnly || (IsLastOfGrid() && !bBefore) || (IsFirstOfGrid() && bBefore);
        if (bShown)
            d.m_dt = dt;
    }
}

void CExtDatePickerWnd::MONTH_INFO::CalcLayout()
{
    const CExtDatePickerWnd& dp = *m_pDatePicker;
    const SIZE sizeScroll = dp.GetScrollButtonSize();
    const SIZE sizeCell = dp.GetDayCellSize();
    const int nMargin = dp.GetDaysAreaMargin();
    m_rcHeader = RECT{m_rcMonth.left, m_rcMonth.top, m_rcMonth.right, m_rcMonth.top + dp.GetMonthHeaderHeight()};
    m_rcHeaderInterior = m_rcHeader;
    ::InflateRect(&m_rcHeaderInterior, -1, -1);
    const RECT& in = m_rcHeaderInterior;
    m_rcPrevButton = RECT{in.left, in.top, in.left + sizeScroll.cx, in.top + sizeScroll.cy};
    m_rcNextButton = RECT{in.right - sizeScroll.cx + 4, in.top, in.right, in.top + sizeScroll.cy};
    m_rcTitle = RECT{in.left + sizeScroll.cx, in.top, in.right - sizeScroll.cx + 4, in.bottom};
    m_rcDaysArea = RECT{m_rcMonth.left + nMargin, m_rcHeader.bottom, m_rcMonth.right - nMargin - 2, m_rcMonth.bottom};
    m_rcDayNames = RECT{m_rcDaysArea.left, m_rcDaysArea.top, m_rcDaysArea.right,
                        m_rcDaysArea.top + dp.GetDayNamesHeight()};
    m_rcDaysArea.top = m_rcDayNames.bottom;
    for (int i = 0; i < GRID_ROWS * DAYS_PER_WEEK; ++i) {
        const int r = i / DAYS_PER_WEEK, c = i % DAYS_PER_WEEK;
        const int x = m_rcDaysArea.left + c * sizeCell.cx, y = m_rcDaysArea.top + r * sizeCell.cy;
        m_arrDays[i].m_rcCell = RECT{x, y, x + sizeCell.cx, y + sizeCell.cy};
    }
}

int CExtDatePickerWnd::MONTH_INFO::HitTest(POINT pt, COleDateTime* pDate) const
{
    if (pDate != nullptr)
        *pDate = NullDate();
    if (!::PtInRect(&m_rcMonth, pt))
        return HT_NOWHERE;
    if (IsFirstOfGrid() && ::PtInRect(&m_rcPrevButton, pt))
        return HT_PREV;
    if (IsLastOfFirstRow() && ::PtInRect(&m_rcNextButton, pt))
        return HT_NEXT;
    const COleDateTime dtFirst = DayOf(m_nYear, m_nMonth, 1);
    if (::PtInRect(&m_rcTitle, pt)) {
        if (pDate != nullptr)
            *pDate = dtFirst;
        return HT_TITLE;
    }
    if (::PtInRect(&m_rcDayNames, pt)) {
        if (pDate != nullptr)
            *pDate = dtFirst;
        return HT_DAY_NAMES;
    }
    if (::PtInRect(&m_rcDaysArea, pt)) {
        if (pDate != nullptr) {
            *pDate = dtFirst;
            for (const DATE_INFO& d : m_arrDays)
                if (::PtInRect(&d.m_rcCell, pt)) {
                    *pDate = d.m_dt;
                    break;
                }
        }
        return HT_DAYS;
    }
    return HT_NOWHERE;
}

void CExtDatePickerWnd::MONTH_INFO::Paint(CDC& dc) const
{
    CExtDatePickerWnd& dp = *m_pDatePicker;
    dp.DrawMonthHeader(m_nCol, m_nRow, dc, m_nYear, m_nMonth, m_rcHeader, m_rcHeaderInterior, m_rcTitle,
                       m_rcPrevButton, m_rcNextButton);
    dp.DrawDayNames(m_nYear, m_nMonth, dc, m_rcDayNames);
    for (const DATE_INFO& d : m_arrDays)
        d.Draw(dc);
}

void CExtDatePickerWnd::MONTH_INFO::DATE_INFO::Draw(CDC& dc) const
{
    if (m_dt.GetStatus() != COleDateTime::valid)
        return;
    CExtDatePickerWnd& dp = *m_pDatePicker;
    const DWORD dwStyle = dp.m_dwDatePickerStyle;
    const bool bOtherMonth = m_dt.GetMonth() != m_pMonth->m_nMonth;
    const COleDateTime dtToday = dp.GetTodayDate();
    const bool bToday = m_dt.GetYear() == dtToday.GetYear() && m_dt.GetMonth() == dtToday.GetMonth() &&
                        m_dt.GetDay() == dtToday.GetDay();
    const bool bSelected = dp.IsDateSelected(m_dt);
    dp.DrawDayCell(dc, (dwStyle & DPS_SHOW_NEIGHBOUR_DAYS) != 0, (dwStyle & DPS_FRAME_TODAY) != 0, bOtherMonth,
                   bToday, m_rcCell, m_dt, bSelected);
}

// --- construction and set-up ------------------------------------------------------------------

CExtDatePickerWnd::CExtDatePickerWnd()
    : m_dtCurrent(NullDate()), m_dtSelBegin(NullDate()), m_dtSelEnd(NullDate()), m_dtDisplayedBegin(NullDate()),
      m_dtDisplayedEnd(NullDate())
{
    RegisterDatePickerClass();
    ClearSelection(false);
    SetCurrentDate(GetTodayDate(), false);
}

CExtDatePickerWnd::~CExtDatePickerWnd()
{
    DeleteMonths();
}

bool CExtDatePickerWnd::RegisterDatePickerClass()
{
    WNDCLASSA wc{};
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (::GetClassInfoA(hInstance, DATE_PICKER_CLASS, &wc))
        return true;
    wc = WNDCLASSA{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = DATE_PICKER_CLASS;
    return ::RegisterClassA(&wc) != 0;
}

bool CExtDatePickerWnd::IsDateInRange(const COleDateTime& dt)
{
    if (dt.GetStatus() != COleDateTime::valid)
        return false;
    const int nYear = dt.GetYear();
    return nYear >= FIRST_YEAR && nYear <= LAST_YEAR;
}

BOOL CExtDatePickerWnd::Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nID, int nMinAcross, int nMinDown,
                               int nMaxAcross, int nMaxDown, DWORD dwWindowStyle, DWORD dwDatePickerStyle,
                               CCreateContext* pContext)
{
    if (!RegisterDatePickerClass())
        return FALSE;
    m_nStateFlags |= STATE_CREATED;
    m_dwDatePickerStyle = dwDatePickerStyle;
    if (!CWnd::Create(DATE_PICKER_CLASS, "", dwWindowStyle, rcWnd, pParentWnd, nID, pContext))
        return FALSE;
    m_nMinAcross = m_nMinDown = m_nMaxAcross = m_nMaxDown = 1;
    SetMonthGridDimensions(nMinAcross, nMinDown, nMaxAcross, nMaxDown, false);
    SetupWindow();
    return TRUE;
}

void CExtDatePickerWnd::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if ((m_nStateFlags & STATE_CREATED) != 0)
        return;
    ModifyStyle(0, WS_CLIPCHILDREN);
    SetupWindow();
}

void CExtDatePickerWnd::SetupWindow()
{
    RecalcMetrics();
    RecalcLayout();
    ApplyResultStorage();
}

void CExtDatePickerWnd::ApplyResultStorage()
{
    if (m_pResult == nullptr)
        return;
    SetSelection(m_pResult[0], m_pResult[1], false, true);
    const COleDateTime& dt = m_pResult[0].GetStatus() != COleDateTime::null ? m_pResult[0] : m_pResult[1];
    if (dt.GetStatus() != COleDateTime::null)
        SetCurrentDate(dt, true);
}

void CExtDatePickerWnd::PostNcDestroy()
{
    const bool bDelete = (m_nFlags & FLAG_AUTO_DELETE) != 0;
    CWnd::PostNcDestroy();
    if (bDelete)
        delete this;
}

void CExtDatePickerWnd::DeleteMonths()
{
    for (INT_PTR i = 0; i < m_arrMonths.GetSize(); ++i)
        delete m_arrMonths.GetAt(i);
    m_arrMonths.RemoveAll();
}

const CExtDatePickerWnd::MONTH_INFO* CExtDatePickerWnd::GetMonth(INT_PTR nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrMonths.GetSize() ? m_arrMonths.GetAt(nIndex) : nullptr;
}

// --- styles, dimensions, dates ----------------------------------------------------------------

DWORD CExtDatePickerWnd::GetDatePickerStyle() const
{
    return m_dwDatePickerStyle;
}

DWORD CExtDatePickerWnd::UpdateCalendarStyle(DWORD dwRemove, DWORD dwAdd, bool bRedraw)
{
    const DWORD dwOld = m_dwDatePickerStyle;
    m_dwDatePickerStyle = dwAdd | (dwOld & ~dwRemove);
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return dwOld;
    bool bReset = false;
    if ((dwRemove & DPS_AUTO_DIMENSIONS) != 0) {
        m_nCurrentAcross = m_nMinAcross;
        m_nCurrentDown = m_nMinDown;
        bReset = true;
    }
    if ((dwRemove & DPS_MULTIPLE_SELECTION) != 0)
        m_dtSelEnd = m_dtSelBegin;
    if (((dwRemove | dwAdd) & METRIC_STYLES) != 0 || bReset) {
        RecalcMetrics();
        RebuildMonths(false);
    }
    UpdateDatePickerWnd(bRedraw);
    return dwOld;
}

void CExtDatePickerWnd::SetMonthGridDimensions(int nMinAcross, int nMinDown, int nMaxAcross, int nMaxDown, bool bRedraw)
{
    if (nMinAcross != 0 || nMinDown != 0) {
        m_nMinAcross = std::max(nMinAcross, 1);
        m_nMinDown = std::max(nMinDown, 1);
    }
    if (nMaxAcross != 0 || nMaxDown != 0) {
        m_nMaxAcross = std::max({nMaxAcross, 1, m_nMinAcross});
        m_nMaxDown = std::max({nMaxDown, 1, m_nMinDown});
    }
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    RecalcLayout();
    UpdateDatePickerWnd(bRedraw);
}

void CExtDatePickerWnd::GetMonthGridDimensions(SIZE* pMin, SIZE* pMax, SIZE* pCurrent) const
{
    if (pMin != nullptr)
        *pMin = SIZE{m_nMinAcross, m_nMinDown};
    if (pMax != nullptr)
        *pMax = SIZE{m_nMaxAcross, m_nMaxDown};
    if (pCurrent != nullptr)
        *pCurrent = SIZE{m_nCurrentAcross, m_nCurrentDown};
}

void CExtDatePickerWnd::ClampLeadMonth(int& nMonth, int& nYear) const
{
    const int nCount = std::max(m_nCurrentAcross * m_nCurrentDown, 1);
    const int nFirst = FIRST_YEAR * 12;
    const int nLast = LAST_YEAR * 12 + 11 - (nCount - 1);
    const int nIndex = std::clamp(nYear * 12 + nMonth - 1, nFirst, std::max(nFirst, nLast));
    nYear = nIndex / 12;
    nMonth = nIndex % 12 + 1;
}

bool CExtDatePickerWnd::SetCurrentDate(const COleDateTime& dt, bool bRedraw)
{
    // A date outside the calendar's years would leave no grid to show.
    if (!IsDateInRange(dt))
        return false;
    m_dtCurrent = DayOf(dt.GetYear(), dt.GetMonth(), dt.GetDay());
    RebuildMonths(false);
    UpdateDatePickerWnd(bRedraw);
    return true;
}

bool CExtDatePickerWnd::SetCurrentDate(int nYear, int nMonth, int nDay, bool bRedraw)
{
    return SetCurrentDate(DayOf(nYear, nMonth, nDay), bRedraw);
}

COleDateTime CExtDatePickerWnd::GetCurrentDate() const
{
    return m_dtCurrent;
}

void CExtDatePickerWnd::GetDisplayedRange(COleDateTime& dtFirst, COleDateTime& dtLast) const
{
    dtFirst = m_dtDisplayedBegin;
    dtLast = m_dtDisplayedEnd;
}

COleDateTime CExtDatePickerWnd::GetTodayDate() const
{
    return COleDateTime::GetCurrentTime();
}

// --- locale -----------------------------------------------------------------------------------

bool CExtDatePickerWnd::QueryLocaleInfo(LCTYPE lcType, char* pBuffer, int nSize) const
{
    return ::GetLocaleInfoA(LOCALE_USER_DEFAULT, lcType, pBuffer, nSize) > 0;
}

CString CExtDatePickerWnd::GetMonthName(int nMonth, bool bUpperCase) const
{
    constexpr int BUFFER = 200;
    if (nMonth < 1 || nMonth > 12)
        return CString();
    char sz[BUFFER] = "";
    if (!QueryLocaleInfo(LOCALE_SMONTHNAME1 + nMonth - 1, sz, BUFFER))
        return CString();
    sz[BUFFER - 1] = '\0';
    if (bUpperCase)
        ::CharUpperA(sz);
    return CString(sz);
}

CString CExtDatePickerWnd::GetDayName(int nDay, bool bUpperCase) const
{
    constexpr int BUFFER = 100;
    if (nDay < 1 || nDay > DAYS_PER_WEEK)
        return CString();
    char sz[BUFFER] = "";
    if (!QueryLocaleInfo(LOCALE_SABBREVDAYNAME1 + nDay - 1, sz, BUFFER))
        return CString();
    sz[BUFFER - 1] = '\0';
    // The first whole character, which may take more than one byte.
    char* pNext = ::CharNextA(sz);
    *pNext = '\0';
    if (bUpperCase)
        ::CharUpperA(sz);
    return CString(sz);
}

int CExtDatePickerWnd::GetFirstDayOfWeek() const
{
    constexpr int BUFFER = 24;
    char sz[BUFFER] = "";
    if (!QueryLocaleInfo(LOCALE_IFIRSTDAYOFWEEK, sz, BUFFER))
        return 0;
    sz[BUFFER - 1] = '\0';
    char* pEnd = nullptr;
    const long n = std::strtol(sz, &pEnd, 10);
    if (pEnd == sz || n < 0 || n >= DAYS_PER_WEEK)
        return 0;
    return static_cast<int>(n);
}

// --- metrics and layout -----------------------------------------------------------------------

RECT CExtDatePickerWnd::GetBorderMetrics() const
{
    const int n = (m_dwDatePickerStyle & DPS_BORDER) != 0 ? BORDER : 0;
    return RECT{n, n, n, n};
}

CFont* CExtDatePickerWnd::GetMonthListFont() const
{
    return (m_dwDatePickerStyle & DPS_BOLD_MONTH_LIST) != 0 ? &Manager().m_FontBold : &Manager().m_FontNormal;
}

CFont* CExtDatePickerWnd::GetDayNumberFont(const COleDateTime&) const
{
    return (m_dwDatePickerStyle & DPS_BOLD_DAY_NUMBERS) != 0 ? &Manager().m_FontBold : &Manager().m_FontNormal;
}

CFont* CExtDatePickerWnd::GetMonthTitleFont(int, int) const
{
    return (m_dwDatePickerStyle & DPS_BOLD_MONTH_TITLES) != 0 ? &Manager().m_FontBold : &Manager().m_FontNormal;
}

CFont* CExtDatePickerWnd::GetDayNameFont(int, int) const
{
    return (m_dwDatePickerStyle & DPS_BOLD_DAY_NAMES) != 0 ? &Manager().m_FontBold : &Manager().m_FontNormal;
}

void CExtDatePickerWnd::MeasureMetrics(CDC& dc, SIZE* pMonth, SIZE* pDayCell, SIZE* pButton, SIZE* pScrollButton,
                                       int* pHeaderHeight, int* pButtonAreaHeight, int* pDayNamesHeight, int* pMargin)
{
    CFont* pFont = (m_dwDatePickerStyle & BOLD_STYLES) != 0 ? &Manager().m_FontBold : &Manager().m_FontNormal;
    const int nMargin = DAYS_AREA_MARGIN;
    SIZE sizeName{10, 10};
    for (int d = 1; d <= DAYS_PER_WEEK; ++d) {
        const SIZE s = TextSize(dc, pFont, GetDayName(d, true));
        sizeName.cx = std::max<LONG>(sizeName.cx, s.cx + 2);
        sizeName.cy = std::max<LONG>(sizeName.cy, s.cy + 2);
    }
    SIZE sizeCell{17, 15};
    for (int d = 1; d <= 31; ++d) {
        CString str;
        str.Format("%02d", d);
        const SIZE s = TextSize(dc, pFont, str);
        sizeCell.cx = std::max<LONG>(sizeCell.cx, s.cx + 2);
        sizeCell.cy = std::max<LONG>(sizeCell.cy, s.cy + 2);
    }
    sizeCell.cx = sizeName.cx = std::max(sizeCell.cx, sizeName.cx);
    SIZE sizeButton{47, 18};
    for (int nKind = 1; nKind <= 2; ++nKind) {
        const SIZE s = TextSize(dc, pFont, GetButtonText(nKind));
        sizeButton.cx = std::max<LONG>(sizeButton.cx, s.cx + 10);
        sizeButton.cy = std::max<LONG>(sizeButton.cy, s.cy + 6);
    }
    SIZE sizeScroll{16, 16};
    for (const char* pszGlyph : {"3", "4"}) {
        const SIZE s = TextSize(dc, &Manager().m_FontMarlett, CString(pszGlyph));
        sizeScroll.cx = std::max(sizeScroll.cx, s.cx);
        sizeScroll.cy = std::max(sizeScroll.cy, s.cy);
    }
    SIZE sizeTitle{10, 10};
    for (int m = 1; m <= 12; ++m) {
        const SIZE s = TextSize(dc, GetMonthListFont(), GetMonthName(m) + " 0000");
        sizeTitle.cx = std::max(sizeTitle.cx, s.cx);
        sizeTitle.cy = std::max(sizeTitle.cy, s.cy);
    }
    const int nHeaderWidth = std::max<int>(sizeTitle.cx + 2 * sizeScroll.cx + 4, 7 * sizeCell.cx);
    const int nHeaderHeight = std::max<int>({sizeTitle.cy, sizeScroll.cy + 2, 18});
    const int nDayNamesHeight = sizeName.cy - 2 < 14 ? 16 : sizeName.cy + 2;
    const int nButtonArea = sizeButton.cy < 20 ? 30 : sizeButton.cy + 10;
    SIZE sizeMonth;
    sizeMonth.cx = std::max<int>(std::max<int>({7 * sizeCell.cx, sizeName.cx, nHeaderWidth}) + 2 * nMargin, MIN_MONTH_CX);
    sizeMonth.cy = std::max<int>(nHeaderHeight + GRID_ROWS * sizeCell.cy + nDayNamesHeight, MIN_MONTH_CY);
    *pMonth = sizeMonth;
    *pDayCell = sizeCell;
    *pButton = sizeButton;
    *pScrollButton = sizeScroll;
    *pHeaderHeight = nHeaderHeight;
    *pButtonAreaHeight = nButtonArea;
    *pDayNamesHeight = nDayNamesHeight;
    *pMargin = nMargin;
}

void CExtDatePickerWnd::RecalcMetrics()
{
    CWindowDC dc(nullptr);
    MeasureMetrics(dc, &m_sizeMonth, &m_sizeDayCell, &m_sizeButton, &m_sizeScrollButton, &m_nMonthHeaderHeight,
                   &m_nButtonAreaHeight, &m_nDayNamesHeight, &m_nDaysAreaMargin);
}

SIZE* CExtDatePickerWnd::CalcWindowSize(SIZE* pSize, const SIZE& sizeMonths)
{
    if (m_hWnd == nullptr || m_sizeMonth.cx == 0)
        RecalcMetrics();
    const RECT rcBorder = GetBorderMetrics();
    pSize->cx = sizeMonths.cx * m_sizeMonth.cx + rcBorder.left + rcBorder.right;
    pSize->cy = sizeMonths.cy * m_sizeMonth.cy + rcBorder.top + rcBorder.bottom +
                (IsButtonShown() ? m_nButtonAreaHeight : 0);
    return pSize;
}

void CExtDatePickerWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    m_rcCalendar = m_rcMonths = m_rcButtonNone = m_rcButtonToday = RECT{};
    CRect rcClient;
    GetClientRect(&rcClient);
    const RECT rcBorder = GetBorderMetrics();
    const int nButtonArea = IsButtonShown() ? m_nButtonAreaHeight : 0;
    const SIZE sizeMonth = m_sizeMonth;
    if ((m_dwDatePickerStyle & DPS_AUTO_DIMENSIONS) != 0 && sizeMonth.cx > 0 && sizeMonth.cy > 0) {
        const int nAcross = (rcClient.Width() - rcBorder.left - rcBorder.right) / sizeMonth.cx;
        const int nDown = (rcClient.Height() - rcBorder.top - rcBorder.bottom - nButtonArea) / sizeMonth.cy;
        m_nCurrentAcross = std::max(std::min(nAcross, m_nMaxAcross), m_nMinAcross);
        m_nCurrentDown = std::max(std::min(nDown, m_nMaxDown), m_nMinDown);
    } else {
        m_nCurrentAcross = m_nMinAcross;
        m_nCurrentDown = m_nMinDown;
    }
    const int cx = m_nCurrentAcross * sizeMonth.cx + rcBorder.left + rcBorder.right;
    const int cy = m_nCurrentDown * sizeMonth.cy + rcBorder.top + rcBorder.bottom;
    m_rcCalendar = RECT{rcClient.left, rcClient.top, rcClient.left + cx, rcClient.top + cy};
    const int nFreeX = (rcClient.Width() - cx) / 2;
    const int nFreeY = (rcClient.Height() - cy - nButtonArea) / 2;
    if ((m_dwDatePickerStyle & DPS_CENTER_HORIZONTALLY) != 0 && nFreeX > 0)
        ::OffsetRect(&m_rcCalendar, nFreeX, 0);
    if ((m_dwDatePickerStyle & DPS_CENTER_VERTICALLY) != 0 && nFreeY > 0)
        ::OffsetRect(&m_rcCalendar, 0, nFreeY);
    m_rcMonths = RECT{m_rcCalendar.left + rcBorder.left, m_rcCalendar.top + rcBorder.top,
                      m_rcCalendar.right - rcBorder.right, m_rcCalendar.bottom - rcBorder.bottom};
    if (IsButtonShown()) {
        m_rcCalendar.bottom += nButtonArea;
        const int nRowTop = m_rcMonths.bottom + rcBorder.bottom;
        const int nRowBottom = m_rcCalendar.bottom - rcBorder.bottom;
        const int y = nRowTop + (nRowBottom - nRowTop - m_sizeButton.cy) / 2;
        const int xCentred = (m_rcMonths.left + m_rcMonths.right - m_sizeButton.cx) / 2;
        const bool bBoth = (m_dwDatePickerStyle & DPS_BUTTONS) == DPS_BUTTONS;
        const int nShift = bBoth ? 5 + m_sizeButton.cx / 2 : 0;
        if ((m_dwDatePickerStyle & DPS_BUTTON_TODAY) != 0)
            m_rcButtonToday = RECT{xCentred - nShift, y, xCentred - nShift + m_sizeButton.cx, y + m_sizeButton.cy};
        if ((m_dwDatePickerStyle & DPS_BUTTON_NONE) != 0)
            m_rcButtonNone = RECT{xCentred + nShift, y, xCentred + nShift + m_sizeButton.cx, y + m_sizeButton.cy};
    }
    RebuildMonths(false);
}

void CExtDatePickerWnd::RebuildMonths(bool bRedraw)
{
    DeleteMonths();
    m_dtDisplayedBegin = m_dtDisplayedEnd = NullDate();
    if (m_dtCurrent.GetStatus() != COleDateTime::valid)
        return;
    int nMonth = m_dtCurrent.GetMonth(), nYear = m_dtCurrent.GetYear();
    ClampLeadMonth(nMonth, nYear);
    const RECT rcBorder = GetBorderMetrics();
    const int nCount = m_nCurrentAcross * m_nCurrentDown;
    for (int i = 0; i < nCount; ++i) {
        const int nRow = i / m_nCurrentAcross, nCol = i % m_nCurrentAcross;
        RECT rc{nCol * m_sizeMonth.cx, nRow * m_sizeMonth.cy, (nCol + 1) * m_sizeMonth.cx, (nRow + 1) * m_sizeMonth.cy};
        ::OffsetRect(&rc, m_rcCalendar.left + rcBorder.left, m_rcCalendar.top + rcBorder.top);
        // Rows and columns are needed by the month's own grid rules.
        m_arrMonths.Add(new MONTH_INFO(nRow, nCol, nMonth, nYear, rc, this));
        if (i == 0)
            m_dtDisplayedBegin = DayOf(nYear, nMonth, 1);
        NextMonth(nMonth, nYear);
    }
    // The day before the first of the month after the last one, kept inside the last year.
    m_dtDisplayedEnd = nYear > LAST_YEAR ? DayOf(LAST_YEAR, 12, 31) : AddDays(DayOf(nYear, nMonth, 1), -1);
    UpdateDatePickerWnd(bRedraw);
}

void CExtDatePickerWnd::UpdateDatePickerWnd(bool bUpdateNow)
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || (m_nStateFlags & STATE_IN_UPDATE) != 0)
        return;
    m_nStateFlags |= STATE_IN_UPDATE;
    RecalcLayout();
    Invalidate(TRUE);
    if (bUpdateNow && (GetStyle() & WS_VISIBLE) != 0)
        UpdateWindow();
    m_nStateFlags &= ~STATE_IN_UPDATE;
}

// --- painting ---------------------------------------------------------------------------------

void CExtDatePickerWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
    DrawCalendar(dc, rcClient);
    Manager().NotifyPaintDone(this, 0);
}

void CExtDatePickerWnd::DrawCalendar(CDC& dc, const RECT& rcClient)
{
    DrawBackground(dc, rcClient);
    if ((m_dwDatePickerStyle & (DPS_BORDER | DPS_BORDER_3D)) == (DPS_BORDER | DPS_BORDER_3D))
        DrawBorder(dc, m_rcCalendar);
    for (INT_PTR i = 0; i < m_arrMonths.GetSize(); ++i)
        m_arrMonths.GetAt(i)->Paint(dc);
    if (!IsButtonShown())
        return;
    if ((m_dwDatePickerStyle & DPS_BUTTON_DIVIDER) != 0)
        DrawButtonDivider(dc, RECT{m_rcMonths.left + m_nDaysAreaMargin, m_rcMonths.bottom + 1,
                                   m_rcMonths.right - m_nDaysAreaMargin, m_rcMonths.bottom + 2});
    const bool bHoverToday = (m_nStateFlags & STATE_HOVER_TODAY) != 0;
    const bool bHoverNone = (m_nStateFlags & STATE_HOVER_NONE) != 0;
    if ((m_dwDatePickerStyle & DPS_BUTTON_TODAY) != 0)
        DrawButton(dc, m_rcButtonToday, 2, GetButtonText(2), false, true,
                   m_nTrackingCode == TRACK_TODAY_BUTTON && bHoverToday, bHoverToday && m_nTrackingCode == TRACK_NONE);
    if ((m_dwDatePickerStyle & DPS_BUTTON_NONE) != 0)
        DrawButton(dc, m_rcButtonNone, 1, GetButtonText(1), false, true,
                   m_nTrackingCode == TRACK_NONE_BUTTON && bHoverNone, bHoverNone && m_nTrackingCode == TRACK_NONE);
}

void CExtDatePickerWnd::DrawBackground(CDC& dc, const RECT& rcClient)
{
    Manager().DrawCalendarFrame(dc, rcClient, m_rcCalendar, this);
}

void CExtDatePickerWnd::DrawBorder(CDC& dc, const RECT& rc)
{
    Manager().PaintCalendarBorder(dc, rc, this);
}

void CExtDatePickerWnd::DrawButtonDivider(CDC& dc, const RECT& rc)
{
    dc.FillSolidRect(&rc, Manager().ColorByIndex(COLOR_BTNSHADOW, this));
}

CString CExtDatePickerWnd::GetButtonText(int nKind) const
{
    constexpr UINT IDS_NONE = 30369;
    constexpr UINT IDS_TODAY = 30370;
    char sz[256] = "";
    if (::LoadStringA(AfxGetResourceHandle(), nKind == 1 ? IDS_NONE : IDS_TODAY, sz, sizeof(sz)) > 0)
        return CString(sz);
    return CString(nKind == 1 ? "None" : "Today");
}

void CExtDatePickerWnd::DrawButton(CDC& dc, const RECT& rc, int, const CString& strText, bool bFlat, bool bEnabled,
                                   bool bPushed, bool bHover)
{
    if (::IsRectEmpty(&rc))
        return;
    CExtDrawPushButtonArgs args(this, true, rc, strText, nullptr, bFlat, bHover, bPushed, false, bEnabled, false,
                                false, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                                static_cast<HFONT>(Manager().m_FontNormal.GetSafeHandle()));
    Manager().DrawPushButton(dc, args);
}

void CExtDatePickerWnd::DrawMonthHeaderBackground(int, int, CDC& dc, int, int, const RECT& rcHeader,
                                                  const RECT& rcInterior, const RECT&, const RECT&, const RECT&)
{
    Manager().PaintCalendarMonthHeader(dc, rcHeader, rcInterior, this);
}

void CExtDatePickerWnd::DrawMonthHeader(int nCol, int nRow, CDC& dc, int nYear, int nMonth, const RECT& rcHeader,
                                        const RECT& rcInterior, const RECT& rcTitle, const RECT& rcPrev,
                                        const RECT& rcNext)
{
    if ((m_dwDatePickerStyle & DPS_NO_HEADER_BACKGROUND) == 0)
        DrawMonthHeaderBackground(nCol, nRow, dc, nYear, nMonth, rcHeader, rcInterior, rcTitle, rcPrev, rcNext);
    CString strTitle;
    strTitle.Format("%s %d", GetMonthName(nMonth).GetString(), nYear);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(Manager().ColorByIndex(CLRID_BTNTEXT, this));
    CFont* pOldFont = dc.SelectObject(GetMonthTitleFont(nYear, nMonth));
    RECT rc = rcTitle;
    dc.DrawText(strTitle, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const bool bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    if (nRow == 0 && nCol == 0)
        DrawScrollGlyph(dc, rcPrev, !bRtl);
    if (nRow == 0 && nCol == m_nCurrentAcross - 1)
        DrawScrollGlyph(dc, rcNext, bRtl);
    dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
}

void CExtDatePickerWnd::DrawScrollGlyph(CDC& dc, const RECT& rc, bool bLeft)
{
    CFont* pOldFont = dc.SelectObject(&Manager().m_FontMarlett);
    char szFace[LF_FACESIZE] = "";
    ::GetTextFaceA(dc.m_hDC, LF_FACESIZE, szFace);
    if (lstrcmpiA(szFace, "Marlett") == 0) {
        RECT rcText = rc;
        dc.DrawText(bLeft ? "3" : "4", &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        // Without the symbol font the arrow is drawn as the glyph would show it.
        constexpr int HALF = 4;
        const POINT c{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        const int dx = bLeft ? -HALF / 2 : HALF / 2;
        const POINT pts[3] = {{c.x + dx, c.y}, {c.x - dx, c.y - HALF}, {c.x - dx, c.y + HALF}};
        const COLORREF clr = dc.GetTextColor();
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
        HGDIOBJ hOldBrush = ::SelectObject(dc.m_hDC, hBrush);
        HGDIOBJ hOldPen = ::SelectObject(dc.m_hDC, hPen);
        ::Polygon(dc.m_hDC, pts, 3);
        ::SelectObject(dc.m_hDC, hOldBrush);
        ::SelectObject(dc.m_hDC, hOldPen);
        ::DeleteObject(hBrush);
        ::DeleteObject(hPen);
    }
    dc.SelectObject(pOldFont);
}

void CExtDatePickerWnd::DrawDayNames(int nYear, int nMonth, CDC& dc, const RECT& rcDayNames)
{
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(Manager().ColorByIndex(CLRID_BTNTEXT, this));
    CFont* pOldFont = dc.SelectObject(GetDayNameFont(nYear, nMonth));
    const int nFirst = GetFirstDayOfWeek();
    for (int i = 0; i < DAYS_PER_WEEK; ++i) {
        RECT rc{rcDayNames.left + i * m_sizeDayCell.cx, rcDayNames.top - 1,
                rcDayNames.left + (i + 1) * m_sizeDayCell.cx - 2, rcDayNames.top + m_sizeDayCell.cy - 1};
        dc.DrawText(GetDayName((i + nFirst) % DAYS_PER_WEEK + 1, true), &rc, DT_RIGHT | DT_SINGLELINE);
    }
    const RECT rcLine{rcDayNames.left, rcDayNames.bottom - 2, rcDayNames.right, rcDayNames.bottom - 1};
    dc.FillSolidRect(&rcLine, Manager().ColorByIndex(COLOR_BTNSHADOW, this));
    dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
}

void CExtDatePickerWnd::DrawDayCell(CDC& dc, bool bShowNeighbours, bool bFrameToday, bool bOtherMonth, bool bToday,
                                    const RECT& rcCell, const COleDateTime& dt, bool bSelected)
{
    if (bOtherMonth && !bShowNeighbours)
        return;
    if (bSelected)
        dc.FillSolidRect(&rcCell, Manager().ColorByIndex(CExtPaintManager::CLRID_FACE_ALT, this));
    const COLORREF clrText = bOtherMonth && !bSelected ? Manager().ColorByIndex(COLOR_BTNSHADOW, this)
                                                       : Manager().ColorByIndex(CLRID_BTNTEXT, this);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(clrText);
    CFont* pOldFont = dc.SelectObject(GetDayNumberFont(dt));
    CString str;
    str.Format("%d", dt.GetDay());
    RECT rc{rcCell.left, rcCell.top, rcCell.right - 2, rcCell.bottom};
    dc.DrawText(str, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    DrawTodayFrame(dc, bShowNeighbours, bFrameToday, bOtherMonth, bToday, rcCell, dt, bSelected);
}

void CExtDatePickerWnd::DrawTodayFrame(CDC& dc, bool, bool bFrameToday, bool, bool bToday, const RECT& rcCell,
                                       const COleDateTime&, bool)
{
    if (!bFrameToday || !bToday)
        return;
    const COLORREF clr = dc.GetNearestColor(TODAY_FRAME);
    dc.Draw3dRect(&rcCell, clr, clr);
}
