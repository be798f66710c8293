#include "timeline/GridCellBase.h"

#include "timeline/GridCtrl.h"

#include "platform/mfc/Brush.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/Pen.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)

namespace
{
// Text is drawn without prefix characters and without clipping to the cell.
constexpr UINT DRAW_TEXT_EXTRA = DT_NOPREFIX | DT_NOCLIP;
// The ticks of a header cell in a span reach this far from the cell's corners.
constexpr int HEADER_TICK = 3;
// Keyframe dot and span-end square: a 6-pixel box left in the cell, below its middle.
constexpr int MARK_LEFT = 1;
constexpr int MARK_TOP = 2;
constexpr int MARK_SIZE = 6;
// Tween line height above the bottom of the text area.
constexpr int TWEEN_LINE_RISE = 8;

// Layer icons: the corner's column symbols and a layer row's icons, from the right edge.
constexpr int CORNER_ICON_TOP = 2;
constexpr int CORNER_ICON_X[3] = {21, 39, 57};
constexpr int LAYER_ICON_TOP = -3;
constexpr int LAYER_ICON_X[3] = {16, 34, 52};

bool HasImage(CGridCtrl* pGrid, int nImage)
{
    CImageList* pList = pGrid ? pGrid->GetImageList() : nullptr;
    return pList && nImage >= 0 && nImage < pList->GetImageCount();
}
}  // namespace

CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid)
        return nullptr;
    return pGrid->GetDefaultCell(IsFixedRow(), IsFixedColumn());
}

void CGridCellBase::CopyFrom(const CGridCellBase& cell)
{
    if (&cell == this)
        return;
    SetGrid(cell.GetGrid());
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextColor(cell.GetTextColor());
    SetBackColor(cell.GetBackColor());
    SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
    SetMargin(cell.GetMargin());
}

void CGridCellBase::SetHasSpan(bool bHasSpan)
{
    if (!IsFixed() && bHasSpan != m_bHasSpan) {
        if (bHasSpan)
            SetBackColor(TIMELINE_SPAN_BACK);
        else
            RestoreBackColor();
    }
    m_bHasSpan = bHasSpan;
}

BOOL CGridCellBase::OnSetCursor()
{
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    return TRUE;
}

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    CGridDefaultCell* pDefaultCell = GetDefaultCell();
    if (!pDefaultCell)
        return FALSE;
    // The context's state is put back by hand: saving and restoring the whole context for each
    // of a paint's thousands of cells costs more than the drawing.
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF crOldText = pDC->GetTextColor();
    HGDIOBJ hOldFont = nullptr;

    COLORREF textClr = GetTextColor() == GRID_DEFAULT_COLOR ? pDefaultCell->GetTextColor() : GetTextColor();
    COLORREF backClr;
    if (GetBackColor() == GRID_DEFAULT_COLOR) {
        backClr = pDefaultCell->GetBackColor();
    } else {
        backClr = GetBackColor();
        bEraseBkgnd = TRUE;
    }
    if (m_nTimelineFlags & TLF_TWEEN) {
        backClr = TIMELINE_TWEEN_BACK;
        bEraseBkgnd = TRUE;
    } else if (m_nTimelineFlags & TLF_CONTENT) {
        backClr = TIMELINE_CONTENT_BACK;
        bEraseBkgnd = TRUE;
    }

    const int nLeft = rect.left;
    const int nRight = rect.right;
    if ((IsFocused() || IsDropHighlighted()) && !pDC->IsPrinting()) {
        if (IsSelected()) {
            backClr = ::GetSysColor(COLOR_HIGHLIGHT);
            textClr = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = TRUE;
        }
        rect.right++;
        rect.bottom++;
        if (bEraseBkgnd)
            pDC->FillSolidRect(&rect, backClr);
        if (pGrid->GetGridLines() != GRID_LINES_NONE) {
            rect.right--;
            rect.bottom--;
        }
        if (pGrid->GetFrameFocusCell()) {
            CBrush brush;
            if (brush.CreateSolidBrush(textClr)) {
                pDC->FrameRect(&rect, &brush);
            }
        }
        pDC->SetTextColor(textClr);
        if (pGrid->GetGridLines() == GRID_LINES_NONE) {
            rect.right--;
            rect.bottom--;
        }
    } else if (IsSelected() && !pDC->IsPrinting()) {
        rect.right++;
        rect.bottom++;
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_HIGHLIGHT));
        rect.right--;
        rect.bottom--;
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (bEraseBkgnd) {
            rect.right++;
            rect.bottom++;
            pDC->FillSolidRect(&rect, backClr);
            rect.right--;
            rect.bottom--;
        }
        pDC->SetTextColor(textClr);
    }

    if (IsFixed() && pGrid->GetGridLines() != GRID_LINES_NONE) {
        const CGridCellId focus = pGrid->GetFocusCell();
        if (pGrid->GetTrackFocusCell() && pGrid->IsValid(focus) && (focus.row == nRow || focus.col == nCol)) {
            rect.right++;
            rect.bottom++;
            pDC->DrawEdge(&rect, BDR_SUNKENINNER, BF_RECT);
            rect.DeflateRect(1, 1);
        } else {
            CPen lightPen(PS_SOLID, 1, backClr);
            CPen darkPen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
            CPen* pOldPen = pDC->SelectObject(&lightPen);
            if (m_bHasSpan) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.left, rect.top);
                pDC->LineTo(rect.left, rect.top + HEADER_TICK);
                pDC->MoveTo(rect.left, rect.bottom - HEADER_TICK);
                pDC->LineTo(rect.left, rect.bottom);
                pDC->SelectObject(&darkPen);
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.top + HEADER_TICK);
                pDC->MoveTo(rect.right, rect.bottom - HEADER_TICK);
                pDC->LineTo(rect.right, rect.bottom);
                pDC->LineTo(rect.left, rect.bottom);
            } else {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.left, rect.top);
                pDC->LineTo(rect.left, rect.bottom);
                pDC->SelectObject(&darkPen);
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom);
                pDC->LineTo(rect.left, rect.bottom);
            }
            pDC->SelectObject(pOldPen);
            rect.DeflateRect(1, 1);
        }
    }

    if (!pDC->IsPrinting() && *GetText()) {
        if (CFont* pFont = GetFontObject())
            hOldFont = ::SelectObject(pDC->GetSafeHdc(), pFont->GetSafeHandle());
    }

    const int nMargin = int(GetMargin());
    rect.DeflateRect(nMargin, nMargin);
    rect.right++;
    rect.bottom++;

    if (HasImage(pGrid, GetImage()))
        pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);

    if (pGrid->GetSortColumn() == nCol && nRow == 0)
        DrawSortArrow(pDC, rect);

    GetTextRect(&rect);
    rect.right++;
    rect.bottom++;
    // Most timeline cells are empty: measuring nothing costs a paint dearly.
    if (*GetText())
        pDC->DrawText(GetText(), -1, &rect, GetFormat() | DRAW_TEXT_EXTRA);

    DrawTimelineMarks(pDC, rect, nLeft, nRight);
    DrawLayerIcons(pDC, rect);

    if (hOldFont)
        ::SelectObject(pDC->GetSafeHdc(), hOldFont);
    pDC->SetTextColor(crOldText);
    pDC->SetBkMode(nOldBkMode);
    return TRUE;
}

void CGridCellBase::DrawSortArrow(CDC* pDC, CRect& rect)
{
    const CSize size = pDC->GetTextExtent("M", 1);
    const int nOffset = 2;
    int nArrow = std::min(size.cy - 4, rect.Height() - 4);
    if (nArrow <= 0)
        return;
    const LOGFONTA* plf = GetFont();
    const bool bVertical = plf && (plf->lfEscapement == 900 || plf->lfEscapement == -900);
    const int nLeft = bVertical ? rect.left + (rect.Width() - nArrow) / 2 : rect.right - nOffset - nArrow;
    const int nTop = rect.top + (rect.Height() - nArrow) / 2;
    const int nBottom = nTop + nArrow;
    CPen penShadow(PS_SOLID, 0, ::GetSysColor(COLOR_3DSHADOW));
    CPen penLight(PS_SOLID, 0, ::GetSysColor(COLOR_3DHILIGHT));
    CPen* pOldPen = pDC->SelectObject(&penLight);
    if (GetGrid()->GetSortAscending()) {
        pDC->MoveTo(nLeft + nArrow / 2, nTop);
        pDC->LineTo(nLeft + nArrow, nBottom);
        pDC->LineTo(nLeft, nBottom);
        pDC->SelectObject(&penShadow);
        pDC->LineTo(nLeft + nArrow / 2, nTop);
    } else {
        pDC->MoveTo(nLeft + nArrow / 2, nBottom);
        pDC->LineTo(nLeft + nArrow, nTop);
        pDC->SelectObject(&penShadow);
        pDC->MoveTo(nLeft + nArrow / 2, nBottom);
        pDC->LineTo(nLeft, nTop);
        pDC->LineTo(nLeft + nArrow, nTop);
    }
    pDC->SelectObject(pOldPen);
    if (!bVertical)
        rect.right -= nArrow + 2 * nOffset;
}

void CGridCellBase::DrawTimelineMarks(CDC* pDC, const CRect& rect, int nLeft, int nRight)
{
    const UINT flags = m_nTimelineFlags;
    if (flags == 0)
        return;
    const int mid = (rect.top + rect.bottom) / 2;
    if (flags & TLF_SPANSTART) {
        CGdiObject* pOld = pDC->SelectStockObject(BLACK_BRUSH);
        pDC->Ellipse(rect.left + MARK_LEFT, mid + MARK_TOP, rect.left + MARK_LEFT + MARK_SIZE,
                     mid + MARK_TOP + MARK_SIZE);
        pDC->SelectObject(pOld);
    } else if (flags & TLF_SPANEND) {
        CGdiObject* pOld = pDC->SelectStockObject(BLACK_PEN);
        if (!(flags & TLF_TWEEN)) {
            pDC->Rectangle(rect.left + MARK_LEFT, mid + MARK_TOP, rect.left + MARK_LEFT + MARK_SIZE,
                           mid + MARK_TOP + MARK_SIZE);
        } else if (!(flags & TLF_TWEENBROKEN)) {
            pDC->MoveTo(rect.right - 6, rect.bottom - 10);
            pDC->LineTo(rect.right - 4, rect.bottom - 8);
            pDC->LineTo(rect.right - 7, rect.bottom - 5);
            pDC->MoveTo(rect.right - 4, rect.bottom - TWEEN_LINE_RISE);
            pDC->LineTo(rect.left, rect.bottom - TWEEN_LINE_RISE);
        }
        pDC->SelectObject(pOld);
    }
    if ((flags & TLF_TWEEN) && !(flags & (TLF_TWEENSTART | TLF_TWEENJOIN))) {
        CGdiObject* pOld = pDC->SelectStockObject(BLACK_PEN);
        // A broken tween draws only the right half of each cell: a dashed line.
        const int nFrom = (flags & TLF_TWEENBROKEN) ? nLeft + (nRight - nLeft) / 2 + 1 : nLeft;
        pDC->MoveTo(nFrom, rect.bottom - TWEEN_LINE_RISE);
        pDC->LineTo(nRight + 1, rect.bottom - TWEEN_LINE_RISE);
        pDC->SelectObject(pOld);
    }
}

void CGridCellBase::DrawLayerIcons(CDC* pDC, const CRect& rect)
{
    CGridCtrl* pGrid = GetGrid();
    CImageList* pList = pGrid->GetImageList();
    if (!pList || !IsFixedColumn())
        return;
    if (IsFixedRow()) {
        const int images[3] = {GRID_IMAGE_OUTLINE, GRID_IMAGE_LOCK, GRID_IMAGE_EYE};
        for (int i = 0; i < 3; ++i)
            pList->Draw(pDC, images[i], CPoint(rect.right - CORNER_ICON_X[i], rect.top + CORNER_ICON_TOP), ILD_NORMAL);
        return;
    }
    const int images[3] = {GRID_IMAGE_OUTLINE, m_bLayerLocked ? GRID_IMAGE_LOCK : GRID_IMAGE_DOT,
                           m_bLayerVisible ? GRID_IMAGE_DOT : GRID_IMAGE_CROSS};
    for (int i = 0; i < 3; ++i)
        pList->Draw(pDC, images[i], CPoint(rect.right - LAYER_ICON_X[i], rect.top + LAYER_ICON_TOP), ILD_NORMAL);
}

BOOL CGridCellBase::GetTextRect(LPRECT pRect)
{
    CGridCtrl* pGrid = GetGrid();
    if (HasImage(pGrid, GetImage())) {
        IMAGEINFO info;
        if (pGrid->GetImageList()->GetImageInfo(GetImage(), &info)) {
            const int nImageWidth = info.rcImage.right - info.rcImage.left + 1;
            pRect->left += nImageWidth + int(GetMargin());
        }
    }
    return TRUE;
}

CSize CGridCellBase::GetTextExtent(LPCSTR szText, CDC* pDC)
{
    CGridCtrl* pGrid = GetGrid();
    CGridDefaultCell* pDefCell = GetDefaultCell();
    const bool bNoText = !szText || !*szText;
    if (bNoText && !pDC) {
        if (!pDefCell)
            return CSize(0, 0);
        return CSize(pDefCell->GetWidth(), pDefCell->GetHeight());
    }
    CDC* pUseDC = pDC;
    CDC* pOwnDC = nullptr;
    if (!pUseDC) {
        if (!pGrid || !pGrid->GetSafeHwnd())
            return pDefCell ? CSize(pDefCell->GetWidth(), pDefCell->GetHeight()) : CSize(0, 0);
        pOwnDC = pUseDC = pGrid->GetDC();
        if (!pUseDC)
            return pDefCell ? CSize(pDefCell->GetWidth(), pDefCell->GetHeight()) : CSize(0, 0);
    }
    const int nSaved = pUseDC->SaveDC();
    if (CFont* pFont = GetFontObject())
        pUseDC->SelectObject(pFont);
    const char* text = szText ? szText : "";
    const DWORD nFormat = GetFormat();
    CSize size;
    if ((nFormat & DT_SINGLELINE) || !(nFormat & DT_WORDBREAK)) {
        size = pUseDC->GetTextExtent(text, int(strlen(text)));
    } else {
        // The widest line sets the width; DrawText works out the height at that width.
        const char* start = text;
        int nWidest = 0;
        while (true) {
            const char* end = strchr(start, '\n');
            const int len = end ? int(end - start) : int(strlen(start));
            nWidest = std::max<int>(nWidest, pUseDC->GetTextExtent(start, len).cx);
            if (!end)
                break;
            start = end + 1;
        }
        CRect rect(0, 0, nWidest, 0);
        pUseDC->DrawText(text, -1, &rect, nFormat | DT_CALCRECT);
        size = CSize(rect.Width(), rect.Height());
    }
    pUseDC->RestoreDC(nSaved);
    if (pOwnDC)
        pGrid->ReleaseDC(pOwnDC);
    const int nMargin = int(GetMargin());
    size.cx += 2 * nMargin;
    size.cy += 2 * nMargin;
    const LOGFONTA* plf = GetFont();
    if (plf && (plf->lfEscapement == 900 || plf->lfEscapement == -900)) {
        const int cx = size.cx;
        size.cx = size.cy;
        size.cy = cx + 4 * nMargin;
    }
    return size;
}

CSize CGridCellBase::GetContentExtent(CDC* pDC)
{
    CSize size = GetTextExtent(GetText(), pDC);
    CGridCtrl* pGrid = GetGrid();
    if (HasImage(pGrid, GetImage())) {
        IMAGEINFO info;
        if (pGrid->GetImageList()->GetImageInfo(GetImage(), &info)) {
            const int nMargin = int(GetMargin());
            const int cx = info.rcImage.right - info.rcImage.left;
            const int cy = info.rcImage.bottom - info.rcImage.top;
            if (2 * nMargin < size.cx)
                size.cx += cx + nMargin;
            size.cy = std::max<int>(size.cy, cy + 2 * nMargin);
        }
    }
    size.cx += 1;
    size.cy += 1;
    if (IsFixed()) {
        size.cx += 1;
        size.cy += 1;
    }
    return size;
}

BOOL CGridCellBase::PrintCell(CDC* pDC, int /*nRow*/, int /*nCol*/, CRect rect)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    const int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    if (pGrid->GetShadedPrintOut()) {
        CGridDefaultCell* pDefaultCell = GetDefaultCell();
        if (!pDefaultCell) {
            pDC->RestoreDC(nSavedDC);
            return FALSE;
        }
        COLORREF crBack = GRID_DEFAULT_COLOR;
        if (IsFixed())
            crBack = GetBackColor() != GRID_DEFAULT_COLOR ? GetBackColor() : pDefaultCell->GetBackColor();
        else if (GetBackColor() != GRID_DEFAULT_COLOR && GetBackColor() != pDefaultCell->GetBackColor())
            crBack = GetBackColor();
        // The timeline's colours print as they paint.
        if (m_nTimelineFlags & TLF_TWEEN)
            crBack = TIMELINE_TWEEN_BACK;
        else if (m_nTimelineFlags & TLF_CONTENT)
            crBack = TIMELINE_CONTENT_BACK;
        COLORREF crFore = (crBack != GRID_DEFAULT_COLOR && GetTextColor() != GRID_DEFAULT_COLOR)
                              ? GetTextColor()
                              : pDefaultCell->GetTextColor();
        if (pDC->GetDeviceCaps(NUMCOLORS) == 2 && crBack == GRID_DEFAULT_COLOR) {
            const BYTE grey = BYTE(GetRValue(crFore) * 0.30 + GetGValue(crFore) * 0.59 + GetBValue(crFore) * 0.11);
            crFore = RGB(grey, grey, grey);
        }
        if (crBack != GRID_DEFAULT_COLOR) {
            CRect fill(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
            pDC->FillSolidRect(&fill, crBack);
        }
        pDC->SetTextColor(crFore);
    } else {
        pDC->SetTextColor(RGB(0, 0, 0));
    }
    if (CFont* pFont = GetFontObject())
        pDC->SelectObject(pFont);
    const int nLeft = rect.left;
    const int nRight = rect.right;
    if (IsFixed() && pGrid->GetGridLines() != GRID_LINES_NONE) {
        CPen lightPen(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
        CPen darkPen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
        CPen* pOldPen = pDC->SelectObject(&lightPen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.left, rect.top);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectObject(&darkPen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.right, rect.bottom);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectObject(pOldPen);
        rect.DeflateRect(1, 1);
    }
    const int nMargin = int(GetMargin());
    rect.DeflateRect(nMargin, 0);
    if (HasImage(pGrid, GetImage())) {
        IMAGEINFO info;
        if (pGrid->GetImageList()->GetImageInfo(GetImage(), &info)) {
            pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
            rect.left += info.rcImage.right - info.rcImage.left + 1 + nMargin;
        }
    }
    pDC->DrawText(GetText(), -1, &rect, GetFormat() | DRAW_TEXT_EXTRA);
    // The marks of a printed frame are those it shows on the screen.
    DrawTimelineMarks(pDC, rect, nLeft, nRight);
    pDC->RestoreDC(nSavedDC);
    return TRUE;
}
