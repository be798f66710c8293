#include "timeline/GridDefaultCell.h"

#include "platform/mfc/DC.h"

IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

namespace
{
// Left, vertically centred, single line, no prefix, end ellipsis.
constexpr DWORD DEFAULT_CELL_FORMAT = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr char SIZING_TEXT[] = " XXXXXXXXXXXX ";
// Without a screen to measure on.
constexpr UINT FALLBACK_MARGIN = 3;
constexpr int FALLBACK_WIDTH = 40;
constexpr int FALLBACK_HEIGHT = 16;
}  // namespace

CGridDefaultCell::CGridDefaultCell() : m_Size(30, 10)
{
    m_nFormat = DEFAULT_CELL_FORMAT;
    m_crFgClr = GRID_DEFAULT_COLOR;
    m_crBkClr = GRID_DEFAULT_COLOR;
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
        SetFont(&ncm.lfMessageFont);
    } else {
        LOGFONTA lf{};
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
        SetFont(&lf);
    }
}

void CGridDefaultCell::SetFont(const LOGFONTA* plf)
{
    if (!plf)
        return;
    m_lfFont = *plf;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(plf);

    HDC hScreen = ::GetDC(nullptr);
    if (!hScreen) {
        m_nMargin = FALLBACK_MARGIN;
        m_Size = CSize(FALLBACK_WIDTH, FALLBACK_HEIGHT);
        return;
    }
    HGDIOBJ hOld = ::SelectObject(hScreen, m_Font.GetSafeHandle());
    SIZE space{};
    ::GetTextExtentPoint32A(hScreen, " ", 1, &space);
    SIZE extent{};
    ::GetTextExtentPoint32A(hScreen, SIZING_TEXT, int(sizeof SIZING_TEXT - 1), &extent);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(nullptr, hScreen);
    m_nMargin = UINT(space.cx);
    m_Size = CSize(extent.cx, extent.cy * 3 / 2);
}

CFont* CGridDefaultCell::GetFontObject() const
{
    if (!m_Font.GetSafeHandle())
        m_Font.CreateFontIndirect(&m_lfFont);
    return &m_Font;
}
