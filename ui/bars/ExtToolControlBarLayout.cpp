// The tool bar's answers to the frame's layout questions: its size for a dock side or a floating
// width, where its rows break, and how small it may become.
#include "ui/bars/ExtToolControlBar.h"

#include "platform/mfc/ClientDC.h"
#include "platform/mfc/DockBar.h"
#include "ui/bars/ExtBarContentExpandButton.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/core/ExtPaintManagerHolder.h"

namespace
{
// Room a fit-to-dock-area bar keeps free at the end of its dock bar.
constexpr int kFitReserve = 6;
// A bar in a dialog keeps this much room across its dock side.
constexpr int kDialogExtra = 4;

// A client DC of the bar with the bar font selected for the whole of a layout pass.
class CBarFontDC
{
public:
    CBarFontDC(CWnd* pBar, CFont* pFont) : m_dc(pBar), m_pOld(m_dc.SelectObject(pFont)) {}
    ~CBarFontDC() { m_dc.SelectObject(m_pOld); }
    CDC& DC() { return m_dc; }

private:
    CClientDC m_dc;
    CFont* m_pOld;
};
} // namespace

CSize CExtToolControlBar::GetInsideRectLoss(bool bHorz) const
{
    CRect rc(0, 0, 0, 0);
    CalcInsideRectImpl(rc, bHorz);
    return CSize(-rc.Width(), -rc.Height());
}

bool CExtToolControlBar::IsDockedNotFloating() const { return m_pDockBar != nullptr && !IsFloating(); }

CRect CExtToolControlBar::GetDockAreaRect() const
{
    if (m_pDockBar != nullptr)
        return m_pDockBar->m_rectLayout;
    CRect rc(0, 0, 0, 0);
    if (CWnd* pParent = GetParent())
        pParent->GetClientRect(&rc);
    return rc;
}

CSize CExtToolControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CExtToolControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (nLength == -1 && (dwMode & (LM_MRUWIDTH | LM_COMMIT)) == 0 && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return CalcLayout(dwMode, nLength);
}

CSize CExtToolControlBar::CalcLayout(DWORD dwMode, int nLength)
{
    if ((m_nLayoutFlags & LAYOUT_RECURSION_GUARD) == 0)
        m_nLayoutFlags &= ~LAYOUT_FULL_ROW;
    const bool bHorz = (dwMode & LM_HORZ) != 0;
    const bool bFit = IsFitToDockArea();
    const bool bFixedColumn = IsFixedColumn();
    CSize size = GetDefaultButtonSize();
    if (GetButtonCount() > 0) {
        int nL = bHorz ? UNLIMITED_LENGTH : 0;
        bool bLengthIsHeight = false;
        if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0) {
            if ((dwMode & LM_MRUWIDTH) != 0) {
                nL = static_cast<int>(m_nMRUWidth);
            } else if ((dwMode & LM_HORZDOCK) != 0) {
                nL = UNLIMITED_LENGTH;
            } else if ((dwMode & LM_VERTDOCK) != 0) {
                nL = 0;
            } else if (nLength != -1) {
                const CSize loss = GetInsideRectLoss(bHorz);
                bLengthIsHeight = (dwMode & LM_LENGTHY) != 0;
                nL = nLength - (bLengthIsHeight ? loss.cy : loss.cx);
            } else if ((m_dwStyle & CBRS_FLOATING) != 0) {
                nL = static_cast<int>(m_nMRUWidth);
            }
        }
        if (bFit && !bHorz && !bFixedColumn) {
            nL = GetDockAreaRect().Height();
            bLengthIsHeight = true;
        }
        WrapToolBar(nL, bLengthIsHeight);
        size = CalcSize(!bHorz);
        if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0 && bFit && !bFixedColumn) {
            CSize reserve(kFitReserve, kFitReserve);
            if (m_pChevron != nullptr && m_pChevron->IsVisible()) {
                const CSize sizeChevron = m_pChevron->GetSize();
                if (bHorz)
                    reserve.cx += sizeChevron.cx;
                else
                    reserve.cy += sizeChevron.cy;
            }
            const CRect rcArea = GetDockAreaRect();
            int nNewLength = nL;
            if (!bHorz && size.cy + reserve.cy > rcArea.Height())
                nNewLength = rcArea.Height() - reserve.cy;
            else if (bHorz && size.cx + reserve.cx > rcArea.Width())
                nNewLength = rcArea.Width() - reserve.cx;
            nNewLength = std::max(nNewLength, 1);
            if (nNewLength != nL && (m_nLayoutFlags & LAYOUT_RECURSION_GUARD) == 0) {
                m_nLayoutFlags |= LAYOUT_FULL_ROW | LAYOUT_RECURSION_GUARD;
                const CSize sizeWrapped = CalcLayout(dwMode, nNewLength);
                if (nL != UNLIMITED_LENGTH)
                    RecalcButtonPositions();
                m_nLayoutFlags &= ~LAYOUT_RECURSION_GUARD;
                return sizeWrapped;
            }
            if (nL != UNLIMITED_LENGTH)
                RecalcButtonPositions();
        }
        if ((dwMode & LM_COMMIT) != 0 && (m_dwStyle & (CBRS_SIZE_DYNAMIC | CBRS_FLOATING)) != 0 && bHorz)
            m_nMRUWidth = static_cast<UINT>(size.cx);
        size += GetInsideRectLoss(bHorz);
        const CSize sizeBase = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
        size.cx = std::max<int>(size.cx, sizeBase.cx);
        size.cy = std::max<int>(size.cy, sizeBase.cy);
        bool bAlongTop = false;
        bool bShown = false;
        if (IsFloating() && QueryGripper(&bAlongTop, &bShown) && bShown)
            size.cy += std::min<int>(m_rcCaption.Width(), m_rcCaption.Height());
    }
    RememberSize(size);
    if (m_pDockSite == nullptr) {
        if ((m_dwStyle & CBRS_ORIENT_HORZ) != 0)
            size.cy += kDialogExtra;
        else
            size.cx += kDialogExtra;
    }
    return size;
}

void CExtToolControlBar::RememberSize(const CSize& size)
{
    if (IsFloating() || m_pDockBar == nullptr) {
        m_sizeFloating = CSize(std::max<int>(size.cx, GetDefaultButtonSize().cx * 2), size.cy);
    } else if (IsDockedAtLeftOrRight()) {
        m_sizeDockedVert = size;
        m_nNcHeight = size.cx;
    } else {
        m_sizeDockedHorz = size;
        m_nNcWidth = size.cy;
    }
}

CSize CExtToolControlBar::CalcSize(bool bVertical)
{
    const CSize sizeDefault = GetDefaultButtonSize();
    if (GetButtonCount() == 0)
        return sizeDefault;
    const bool bFixedColumn = IsFixedColumn();
    const bool bFit = IsFitToDockArea();
    const bool bFloating = IsFloating() || m_pDockBar == nullptr;
    const bool bColumns = bFit && bVertical && !bFixedColumn;
    const bool bEachOwnRow = bVertical && !bFixedColumn && !bFit;
    const bool bHorzButtons = !(bVertical && !bFixedColumn);
    const int nRowGap = g_PaintManagerHolder->GetToolbarGripperExtent(this);
    const int nMode = GetWrapMode();
    CBarFontDC fontDc(this, GetBarFont(bVertical && !bFixedColumn));
    int x = 0;
    int nRowOffset = 0;
    int nThickness = bColumns ? sizeDefault.cx : sizeDefault.cy;
    int nWraps = 0;
    CSize result = sizeDefault;
    bool bRowStart = true;
    for (int i = 0; i < GetButtonCount(); ++i) {
        CExtBarButton* pButton = m_buttons[i];
        if (!IsCountedButton(i))
            continue;
        if (pButton == m_pChevron) {
            if (bFloating && !bFit)
                break;
            if (bFit) {
                const CSize sizeChevron = pButton->CalculateLayout(fontDc.DC(), sizeDefault, bHorzButtons);
                if (bVertical)
                    result.cy += sizeChevron.cy;
                else
                    result.cx += sizeChevron.cx;
                if (nWraps > 0 && !bFixedColumn)
                    m_nLayoutFlags |= LAYOUT_FULL_ROW;
                break;
            }
        }
        CSize sizeButton = pButton->CalculateLayout(fontDc.DC(), sizeDefault, bHorzButtons);
        if (pButton == m_pChevron) {
            // The positions leave the redraw margin before a docked bar's chevron: without it
            // the last button would never fit and hide in the chevron at the bar's own size.
            const SIZE margin = g_PaintManagerHolder->GetButtonRedrawMargin();
            if (bVertical)
                sizeButton.cy += margin.cy;
            else
                sizeButton.cx += margin.cx;
        }
        const bool bWrap = pButton->IsWrap(nMode);
        if (bEachOwnRow) {
            result.cx = std::max<int>(result.cx, sizeButton.cx);
            result.cy = std::max<int>(result.cy, nRowOffset + sizeButton.cy);
            nRowOffset += sizeButton.cy;
            continue;
        }
        if (pButton->IsSeparator() && (bRowStart || bWrap))
            sizeButton = CSize(0, 0);
        if (bColumns) {
            nThickness = std::max<int>(nThickness, sizeButton.cx);
            result.cx = std::max<int>(result.cx, x + sizeButton.cx);
            const int y = nRowOffset + sizeButton.cy;
            result.cy = std::max(result.cy, y);
            nRowOffset = y;
            bRowStart = false;
            if (bWrap) {
                x += nThickness + nRowGap;
                nRowOffset = 0;
                nThickness = sizeDefault.cx;
                bRowStart = true;
                ++nWraps;
            }
            continue;
        }
        nThickness = std::max<int>(nThickness, sizeButton.cy);
        result.cx = std::max<int>(result.cx, x + sizeButton.cx);
        result.cy = std::max<int>(result.cy, nRowOffset + sizeButton.cy);
        x += sizeButton.cx;
        bRowStart = false;
        if (bWrap) {
            nRowOffset += nThickness + nRowGap;
            x = 0;
            nThickness = sizeDefault.cy;
            bRowStart = true;
            ++nWraps;
        }
    }
    if (bHorzButtons) {
        result.cx += nRowGap / 2 + m_cxLeftBorder + m_cxRightBorder;
    } else {
        result.cx += 1;
        result.cy += m_cyTopBorder + m_cyBottomBorder + nRowGap;
    }
    if (IsFloating()) {
        result.cx += 1;
        result.cy += 1;
    }
    if (bFixedColumn && m_bInDialog) {
        CRect rc(0, 0, 1, 1);
        CalcWindowRect(&rc);
        result.cx += rc.Width() - 1 + m_cxLeftBorder + m_cxRightBorder;
        result.cy += rc.Height() - 1 + m_cyTopBorder + m_cyBottomBorder;
    }
    return result;
}

void CExtToolControlBar::WrapToolBar(int nLength, bool bLengthIsHeight)
{
    if (IsFixedColumn() || GetButtonCount() == 0)
        return;
    const bool bFit = IsFitToDockArea();
    const CSize sizeDefault = GetDefaultButtonSize();
    if (IsDockedNotFloating() && !bFit) {
        if (bLengthIsHeight)
            WrapHorizontal(UNLIMITED_LENGTH, nLength);
        else
            WrapHorizontal(nLength, UNLIMITED_LENGTH);
        return;
    }
    if (bFit) {
        if (!bLengthIsHeight) {
            WrapHorizontal(nLength, UNLIMITED_LENGTH);
            return;
        }
        int c = std::max<int>(nLength - sizeDefault.cy, sizeDefault.cy);
        WrapVertical(c);
        while (CalcSize(true).cy > nLength) {
            c -= sizeDefault.cy / 2;
            if (c <= 0)
                break;
            WrapVertical(c);
        }
        return;
    }
    const int nHalf = sizeDefault.cx / 2;
    if (bLengthIsHeight) {
        CExtMonitorRects monitor;
        CExtPaintManager::QueryMonitorRectsForWindow(monitor, this);
        const int nLimit = (monitor.m_rcMonitor.right - monitor.m_rcMonitor.left) + nHalf;
        CSize size = CalcSize(false);
        if (nLength < UNLIMITED_LENGTH) {
            for (int w = nHalf; w <= nLimit; w += nHalf) {
                WrapHorizontal(w, UNLIMITED_LENGTH);
                size = CalcSize(false);
                if (size.cy <= nLength)
                    break;
            }
        }
        WrapHorizontal(size.cx, UNLIMITED_LENGTH);
        return;
    }
    const int nRows = WrapHorizontal(nLength, UNLIMITED_LENGTH);
    if (nHalf >= nLength || WrapHorizontal(nHalf, UNLIMITED_LENGTH) == nRows) {
        WrapHorizontal(CalcSize(false).cx, UNLIMITED_LENGTH);
        return;
    }
    // The narrowest width that still gives the same rows: low never gives them, high always does.
    int nLow = nHalf;
    int nHigh = nLength;
    while (nHigh - nLow > 1) {
        const int nMid = (nLow + nHigh) / 2;
        if (WrapHorizontal(nMid, UNLIMITED_LENGTH) == nRows)
            nHigh = nMid;
        else
            nLow = nMid;
    }
    WrapHorizontal(nHigh, UNLIMITED_LENGTH);
    WrapHorizontal(CalcSize(false).cx, UNLIMITED_LENGTH);
}

int CExtToolControlBar::WrapHorizontal(int nWidth, int nHeight)
{
    const bool bVertical = (m_dwStyle & CBRS_ORIENT_HORZ) == 0;
    const bool bFixedColumn = IsFixedColumn();
    const bool bWrapAllowed = IsFloating() || m_pDockBar == nullptr || nHeight == UNLIMITED_LENGTH ||
                              IsFitToDockArea();
    const int nMode = GetWrapMode();
    const bool bHorzButtons = !(bVertical && !bFixedColumn);
    CBarFontDC fontDc(this, GetBarFont(bVertical && !bFixedColumn));
    const CSize sizeDefault = GetDefaultButtonSize();
    int nRows = 1;
    int x = 0;
    CExtBarButton* pPrevious = nullptr;
    for (int i = 0; i < GetButtonCount(); ++i) {
        CExtBarButton* pButton = m_buttons[i];
        if (!bFixedColumn)
            pButton->SetWrapFlag(nMode, false);
        if (pButton == m_pChevron)
            break;
        if (!IsCountedButton(i))
            continue;
        CSize sizeButton = pButton->CalculateLayout(fontDc.DC(), sizeDefault, bHorzButtons);
        if (pButton->IsSeparator() && x == 0)
            sizeButton = CSize(0, 0);
        const bool bNewRow =
            bFixedColumn ? (pPrevious != nullptr && pPrevious->IsWrap(nMode))
                         : (bWrapAllowed && pPrevious != nullptr && x + sizeButton.cx > nWidth && !pButton->IsSeparator());
        if (bNewRow) {
            if (!bFixedColumn)
                pPrevious->SetWrapFlag(nMode, true);
            x = 0;
            ++nRows;
        }
        x += sizeButton.cx;
        pPrevious = pButton;
    }
    return nRows;
}

int CExtToolControlBar::WrapVertical(int nHeight)
{
    const int nMode = GetWrapMode();
    CBarFontDC fontDc(this, GetBarFont(true));
    const CSize sizeDefault = GetDefaultButtonSize();
    for (int i = 0; i < GetButtonCount(); ++i)
        m_buttons[i]->SetWrapFlag(nMode, false);
    int nUsable = nHeight;
    if (m_pChevron != nullptr)
        nUsable -= m_pChevron->CalculateLayout(fontDc.DC(), sizeDefault, false).cy;
    int nColumns = 1;
    int y = 0;
    CExtBarButton* pPrevious = nullptr;
    for (int i = 0; i < GetButtonCount(); ++i) {
        CExtBarButton* pButton = m_buttons[i];
        if (pButton == m_pChevron)
            break;
        if (!IsCountedButton(i))
            continue;
        CSize sizeButton = pButton->CalculateLayout(fontDc.DC(), sizeDefault, false);
        if (pButton->IsSeparator() && y == 0)
            sizeButton = CSize(0, 0);
        if (pPrevious != nullptr && !pButton->IsSeparator() && y + sizeButton.cy > nUsable) {
            pPrevious->SetWrapFlag(nMode, true);
            y = 0;
            ++nColumns;
        }
        y += sizeButton.cy;
        pPrevious = pButton;
    }
    return nColumns;
}

CSize CExtToolControlBar::GetMinimalSize() const
{
    auto* pThis = const_cast<CExtToolControlBar*>(this);
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || IsFloating();
    if (IsFixedColumn())
        return pThis->CalcFixedLayout(FALSE, bHorz);
    CBarFontDC fontDc(pThis, GetBarFont(!bHorz));
    const CSize sizeDefault = GetDefaultButtonSize();
    CSize size(0, 0);
    if (m_pChevron != nullptr)
        size = m_pChevron->CalculateLayout(fontDc.DC(), sizeDefault, bHorz);
    int nSmallest = -1;
    for (int i = 0; i < GetButtonCount(); ++i) {
        CExtBarButton* pButton = m_buttons[i];
        if (pButton == m_pChevron)
            break;
        if (!IsCountedButton(i) || pButton->IsSeparator())
            continue;
        const CSize sizeButton = pButton->CalculateLayout(fontDc.DC(), sizeDefault, bHorz);
        const int nExtent = bHorz ? sizeButton.cx : sizeButton.cy;
        if (nSmallest < 0 || nExtent < nSmallest)
            nSmallest = nExtent;
    }
    if (nSmallest > 0) {
        if (bHorz)
            size.cx += nSmallest;
        else
            size.cy += nSmallest;
    }
    if (m_hWnd != nullptr) {
        CRect rcWindow;
        CRect rcClient;
        GetWindowRect(&rcWindow);
        GetClientRect(&rcClient);
        if (bHorz)
            size.cx += rcWindow.Width() - rcClient.Width();
        else
            size.cy += rcWindow.Height() - rcClient.Height();
    }
    return size;
}
