// CGridCtrl: printing page by page, with a header, the fixed rows and columns on every page
// and a footer.
#include "timeline/GridCtrl.h"

#include "platform/mfc/DC.h"
#include "platform/mfc/Globals.h"
#include "platform/mfc/Pen.h"
#include "platform/mfc/PrintInfo.h"

#include <algorithm>
#include <ctime>

namespace
{
constexpr char PRINTER_FONT_FACE[] = "Arial";
constexpr int PRINTER_FONT_HEIGHT = -10;
constexpr char AVERAGE_WIDTH_TEXT[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
constexpr int AVERAGE_WIDTH_CHARS = 52;
constexpr UINT BAND_TEXT_FORMAT = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;

void MakeBoldFont(CFont& boldFont, CFont& printerFont)
{
    LOGFONTA lf{};
    if (printerFont.GetSafeHandle() && ::GetObjectA(printerFont.GetSafeHandle(), sizeof lf, &lf)) {
        lf.lfWeight = FW_BOLD;
        boldFont.CreateFontIndirect(&lf);
    }
}
}  // namespace

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    HDC hScreen = ::GetDC(nullptr);
    const int screenPixelsX = hScreen ? ::GetDeviceCaps(hScreen, LOGPIXELSX) : 96;
    if (hScreen)
        ::ReleaseDC(nullptr, hScreen);
    const int printerPixelsX = std::max(1, pDC->GetDeviceCaps(LOGPIXELSX));

    m_PrinterFont.DeleteObject();
    m_PrinterFont.CreateFont(PRINTER_FONT_HEIGHT, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                             CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, PRINTER_FONT_FACE);
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    m_CharSize = pDC->GetTextExtent(AVERAGE_WIDTH_TEXT, AVERAGE_WIDTH_CHARS);
    m_CharSize.cx = std::max<LONG>(1, m_CharSize.cx / AVERAGE_WIDTH_CHARS);
    m_CharSize.cy = std::max<LONG>(1, m_CharSize.cy);
    pDC->SelectObject(pOldFont);

    m_PaperSize = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    m_PrinterResolution = CSize(std::max(1, pDC->GetDeviceCaps(LOGPIXELSX)), std::max(1, pDC->GetDeviceCaps(LOGPIXELSY)));
    if (m_bPrintScreenSize) {
        m_LogicalPageSize.cx = MulDiv(m_PaperSize.cx, screenPixelsX, printerPixelsX) * 3 / 4;
    } else {
        m_LogicalPageSize.cx = GetVirtualWidth() + (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
    }
    // The page keeps the printer's proportions.
    m_LogicalPageSize.cy = std::max<LONG>(1, MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, std::max<LONG>(1, m_PaperSize.cx)));
    m_LogicalPageSize.cx = std::max<LONG>(1, m_LogicalPageSize.cx);

    m_nPageHeight = m_LogicalPageSize.cy - (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy -
                    GetFixedRowHeight();
    m_nNumPages = 1;
    int nTotalRowHeight = 0;
    // Each page holds at least one row, however tall.
    for (int row = m_nFixedRows; row < m_nRows; ++row) {
        const int h = GetRowHeight(row);
        if (nTotalRowHeight + h > m_nPageHeight && nTotalRowHeight > 0) {
            ++m_nNumPages;
            nTotalRowHeight = 0;
        }
        nTotalRowHeight += h;
    }
    m_nPageMultiplier = 1;
    if (m_bPrintScreenSize) {
        const int pageWidth = std::max<LONG>(1, m_LogicalPageSize.cx - GetFixedColumnWidth() -
                                                    (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx);
        int width = 0;
        for (int col = m_nFixedCols; col < m_nCols; ++col) {
            const int w = GetColumnWidth(col);
            if (width + w > pageWidth && width > 0) {
                ++m_nPageMultiplier;
                width = 0;
            }
            width += w;
        }
        m_nNumPages *= m_nPageMultiplier;
    }
    pInfo->SetMaxPage(UINT(m_nNumPages));
    pInfo->m_nCurPage = 1;
}

int CGridCtrl::PrintPageWidth() const
{
    return std::max<int>(1, m_LogicalPageSize.cx - GetFixedColumnWidth() - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx);
}

void CGridCtrl::FindPrintPage(int nPage)
{
    // Pages run across the columns first, then down the rows.
    const int rowPage = nPage / std::max(1, m_nPageMultiplier);
    const int colPage = nPage % std::max(1, m_nPageMultiplier);
    m_nCurrPrintRow = m_nFixedRows;
    int page = 0, height = 0;
    for (int row = m_nFixedRows; row < m_nRows && page < rowPage; ++row) {
        const int h = GetRowHeight(row);
        if (height + h > m_nPageHeight && height > 0) {
            ++page;
            height = 0;
            m_nCurrPrintRow = row;
        }
        height += h;
    }
    m_nPrintLastRow = m_nCurrPrintRow - 1;
    height = 0;
    for (int row = m_nCurrPrintRow; row < m_nRows; ++row) {
        const int h = GetRowHeight(row);
        if (height + h > m_nPageHeight && height > 0)
            break;
        height += h;
        m_nPrintLastRow = row;
    }

    m_nPrintColumn = m_nFixedCols;
    m_nPrintLastCol = m_nCols - 1;
    if (!m_bPrintScreenSize)
        return;
    const int pageWidth = PrintPageWidth();
    page = 0;
    int width = 0;
    for (int col = m_nFixedCols; col < m_nCols && page < colPage; ++col) {
        const int w = GetColumnWidth(col);
        if (width + w > pageWidth && width > 0) {
            ++page;
            width = 0;
            m_nPrintColumn = col;
        }
        width += w;
    }
    width = 0;
    for (int col = m_nPrintColumn; col < m_nCols; ++col) {
        width += GetColumnWidth(col);
        if (width > pageWidth && col > m_nPrintColumn) {
            m_nPrintLastCol = col - 1;
            break;
        }
    }
}

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || m_nNumPages <= 0 || pInfo->m_nCurPage < 1)
        return;
    const int nSavedDC = pDC->SaveDC();
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_LogicalPageSize.cx, m_LogicalPageSize.cy);
    pDC->SetViewportExt(m_PaperSize.cx, m_PaperSize.cy);
    pDC->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx, 0);
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    const int bandWidth = m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;

    pInfo->m_rectDraw.SetRect(0, m_nTopMargin * m_CharSize.cy, bandWidth,
                              (m_nTopMargin + m_nHeaderHeight) * m_CharSize.cy);
    PrintHeader(pDC, pInfo);

    FindPrintPage(int(pInfo->m_nCurPage) - 1);
    m_nPrintGridTop = (m_nTopMargin + m_nHeaderHeight + m_nGap) * m_CharSize.cy;
    PrintColumnHeaderBand(pDC, pInfo);
    PrintRowHeaderBand(pDC, pInfo);

    // The page's cells, each followed by its grid lines.
    UpdateTimelineStates(m_nCurrPrintRow, m_nPrintLastRow);
    CPen gridPen(PS_SOLID, 0, m_crGridLineColour);
    CRect rect;
    rect.top = m_nPrintGridTop + GetFixedRowHeight();
    for (int row = m_nCurrPrintRow; row <= m_nPrintLastRow; ++row) {
        const int h = GetRowHeight(row);
        if (h <= 0)
            continue;
        rect.bottom = rect.top + h - 1;
        rect.left = GetFixedColumnWidth();
        for (int col = m_nPrintColumn; col <= m_nPrintLastCol; ++col) {
            const int w = GetColumnWidth(col);
            if (w <= 0)
                continue;
            rect.right = rect.left + w - 1;
            if (CGridCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            CPen* pOldPen = pDC->SelectObject(&gridPen);
            if (m_nGridLines == GRID_LINES_HORZ || m_nGridLines == GRID_LINES_BOTH) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GRID_LINES_VERT || m_nGridLines == GRID_LINES_BOTH) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
            pDC->SelectObject(pOldPen);
            rect.left = rect.right + 1;
        }
        rect.top = rect.bottom + 1;
    }

    const int footerTop = m_LogicalPageSize.cy - (m_nFooterHeight + m_nBottomMargin) * m_CharSize.cy;
    pInfo->m_rectDraw.SetRect(0, footerTop, bandWidth, footerTop + m_nFooterHeight * m_CharSize.cy);
    PrintFooter(pDC, pInfo);

    pDC->SelectObject(pOldFont);
    pDC->RestoreDC(nSavedDC);
}

void CGridCtrl::PrintColumnHeaderBand(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    PrintHeaderCells(pDC, 0, m_nFixedRows - 1, 0, m_nFixedCols - 1, 0, m_nPrintGridTop);
    PrintHeaderCells(pDC, 0, m_nFixedRows - 1, m_nPrintColumn, m_nPrintLastCol, GetFixedColumnWidth(), m_nPrintGridTop);
}

void CGridCtrl::PrintRowHeaderBand(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    PrintHeaderCells(pDC, m_nCurrPrintRow, m_nPrintLastRow, 0, m_nFixedCols - 1, 0,
                     m_nPrintGridTop + GetFixedRowHeight());
}

void CGridCtrl::PrintHeaderCells(CDC* pDC, int nFirstRow, int nLastRow, int nFirstCol, int nLastCol, int x, int y)
{
    CRect rect;
    rect.top = y;
    for (int row = nFirstRow; row <= nLastRow; ++row) {
        const int h = GetRowHeight(row);
        if (h <= 0)
            continue;
        rect.bottom = rect.top + h - 1;
        rect.left = x;
        for (int col = nFirstCol; col <= nLastCol; ++col) {
            const int w = GetColumnWidth(col);
            if (w <= 0)
                continue;
            rect.right = rect.left + w - 1;
            if (CGridCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            rect.left = rect.right + 1;
        }
        rect.top = rect.bottom + 1;
    }
}

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    CFont boldFont;
    MakeBoldFont(boldFont, m_PrinterFont);
    CFont* pOldFont = boldFont.GetSafeHandle() ? pDC->SelectObject(&boldFont) : nullptr;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);

    CString title;
    for (CWnd* pWnd = GetParent(); pWnd && pWnd->GetSafeHwnd(); pWnd = pWnd->GetParent()) {
        pWnd->GetWindowText(title);
        if (!title.IsEmpty())
            break;
    }
    CRect rc(pInfo->m_rectDraw);
    if (!title.IsEmpty())
        pDC->DrawText(title, &rc, DT_CENTER | BAND_TEXT_FORMAT);
    const LPCSTR appName = AfxGetAppName();
    if (appName && *appName)
        pDC->DrawText(appName, -1, &rc, DT_RIGHT | BAND_TEXT_FORMAT);

    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rc.left, rc.bottom);
    pDC->LineTo(rc.right, rc.bottom);
    pDC->SelectObject(pOldPen);
    pDC->SetBkMode(nOldMode);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CFont boldFont;
    MakeBoldFont(boldFont, m_PrinterFont);
    CFont* pOldFont = boldFont.GetSafeHandle() ? pDC->SelectObject(&boldFont) : nullptr;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rc(pInfo->m_rectDraw);

    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rc.left, rc.top);
    pDC->LineTo(rc.right, rc.top);
    pDC->SelectObject(pOldPen);

    char pageText[64];
    wsprintfA(pageText, "Page %d of %d", int(pInfo->m_nCurPage), m_nNumPages);
    pDC->DrawText(pageText, -1, &rc, DT_LEFT | BAND_TEXT_FORMAT);
    char timeText[128] = {};
    const std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now))
        std::strftime(timeText, sizeof timeText, "%c", local);
    pDC->DrawText(timeText, -1, &rc, DT_RIGHT | BAND_TEXT_FORMAT);

    pDC->SetBkMode(nOldMode);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

void CGridCtrl::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
    m_PrinterFont.DeleteObject();
}
