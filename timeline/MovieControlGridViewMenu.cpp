// The timeline view's context menu: the framework's popup with a band the view paints.
#include "timeline/MovieControlGridView.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include "platform/mfc/Globals.h"
#include "platform/mfc/Menu.h"

#include <memory>

namespace
{
constexpr int BAND_WIDTH = 30;
// Opens beside the point without waiting for the menu to close; the owner paints the band.
constexpr UINT CONTEXT_TRACK_FLAGS = 0x0805;
constexpr COLORREF BAND_BOTTOM = RGB(0, 0, 0);
constexpr COLORREF BAND_TOP = RGB(100, 100, 255);
constexpr UINT BAND_GRADIENT_STEPS = 256;
constexpr char BAND_TEXT[] = "Quorvalis";
constexpr char BAND_FACE[] = "Times New Roman";
constexpr LONG BAND_FONT_HEIGHT = -18;
constexpr LONG BAND_FONT_WEIGHT = 900;
// The text is drawn twice, a black shadow under the white face.
constexpr POINT SHADOW_OFFSET = {4, -5};
constexpr POINT FACE_OFFSET = {3, -7};
constexpr int BAND_ICON_SIZE = 24;

// What the popup hands its owner with the band message: only the first two fields are read.
struct LeftAreaRequest
{
    CDC* pDC;
    const RECT* pRect;
};

void DrawBandText(HDC hDC, const RECT& band, POINT offset, COLORREF colour)
{
    ::SetTextColor(hDC, colour);
    ::DrawStateA(hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(BAND_TEXT), 0, band.left + offset.x,
                 band.bottom + offset.y, band.right - band.left, band.bottom - band.top, DST_PREFIXTEXT);
}
}  // namespace

CPoint CMovieControlGridView::ContextMenuAnchor() const
{
    CPoint anchor(0, 0);
    if (!m_pGrid || !m_pGrid->GetSafeHwnd())
        return anchor;
    CGridCellId cell = m_pGrid->GetFocusCell();
    if (!m_pGrid->IsValid(cell)) {
        const CGridCellRange selection = m_pGrid->GetSelectionRange();
        cell = CGridCellId(selection.GetMinRow(), selection.GetMinCol());
    }
    CRect rect;
    if (m_pGrid->IsValid(cell) && m_pGrid->GetCellRect(cell, &rect))
        anchor = rect.CenterPoint();
    m_pGrid->ClientToScreen(&anchor);
    return anchor;
}

void CMovieControlGridView::OnContextMenu(CWnd* /*pWnd*/, CPoint point)
{
    if (!m_pGrid || !m_pGrid->GetSafeHwnd())
        return;
    if (!m_pGrid->GetSelectionRange().IsValid() && !m_pGrid->IsValid(m_pGrid->GetFocusCell()))
        return;
    // The keyboard's menu key sends (-1, -1); the screen corner is no place for the menu.
    if (point.x == -1 && point.y == -1)
        point = ContextMenuAnchor();

    CExtPopupMenuWnd::g_bHideRarelyUsedItems = false;
    CExtPopupMenuWnd::g_bPopupShadows = true;
    CExtPopupMenuWnd::g_nDefaultPopupAnimation = 4;
    CExtPopupMenuWnd::g_bLargeMenuIcons = false;

    CMenu menu;
    if (!menu.LoadMenu(IDR_TIMELINE_MENU))
        return;
    auto pPopup = std::make_unique<CExtPopupMenuWnd>();
    pPopup->SetLeftBandWidth(BAND_WIDTH);
    const bool bFilled = pPopup->FillFromMenu(GetSafeHwnd(), &menu, true, true, false);
    menu.DestroyMenu();
    // Once tracking starts, the tracking state owns the popup and deletes it when it closes.
    if (bFilled && pPopup->StartTracking(CONTEXT_TRACK_FLAGS, point.x, point.y))
        pPopup.release();
}

LRESULT CMovieControlGridView::OnDrawPopupLeftArea(WPARAM /*wParam*/, LPARAM lParam)
{
    const auto* pRequest = reinterpret_cast<const LeftAreaRequest*>(lParam);
    if (!pRequest || !pRequest->pDC || !pRequest->pRect)
        return 0;
    CDC& dc = *pRequest->pDC;
    const RECT band = *pRequest->pRect;
    CExtPaintManager::FillGradientRect(dc, band, dc.GetNearestColor(BAND_BOTTOM), dc.GetNearestColor(BAND_TOP), true,
                                       BAND_GRADIENT_STEPS);

    LOGFONTA lf{};
    CExtPaintManager* pPM = g_PaintManagerHolder.GetFirstMember();
    if (pPM && pPM->m_FontNormalVertX.GetSafeHandle())
        pPM->m_FontNormalVertX.GetLogFont(&lf);
    else
        lf.lfEscapement = lf.lfOrientation = 900;
    lstrcpynA(lf.lfFaceName, BAND_FACE, LF_FACESIZE);
    lf.lfHeight = BAND_FONT_HEIGHT;
    lf.lfWidth = 0;
    lf.lfWeight = BAND_FONT_WEIGHT;
    CFont font;
    font.CreateFontIndirect(&lf);

    const HDC hDC = dc.GetSafeHdc();
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    const COLORREF clrOldText = ::GetTextColor(hDC);
    const HGDIOBJ hOldFont = font.GetSafeHandle() ? ::SelectObject(hDC, font.GetSafeHandle()) : nullptr;
    DrawBandText(hDC, band, SHADOW_OFFSET, RGB(0, 0, 0));
    DrawBandText(hDC, band, FACE_OFFSET, RGB(255, 255, 255));

    if (HICON hIcon = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_TIMELINE_BAND),
                                                       IMAGE_ICON, BAND_ICON_SIZE, BAND_ICON_SIZE, 0))) {
        const int d = (band.right - band.left - BAND_ICON_SIZE) / 2;
        ::DrawIconEx(hDC, band.left + d, band.top + d, hIcon, BAND_ICON_SIZE, BAND_ICON_SIZE, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(hIcon);
    }

    if (hOldFont)
        ::SelectObject(hDC, hOldFont);
    ::SetTextColor(hDC, clrOldText);
    ::SetBkMode(hDC, nOldMode);
    return 1;
}
