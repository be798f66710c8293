// Where each button of a tool bar sits once the bar's size is known: rows and columns, the
// chevron at the far end of a docked bar, and the buttons hidden in it for lack of room.
#include "ui/bars/ExtToolControlBar.h"

#include "platform/mfc/ClientDC.h"
#include "ui/bars/ExtBarContentExpandButton.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/core/ExtPaintManagerHolder.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace
{
// Width a document button of the menu bar keeps at a row's start when it reports none.
constexpr int kMdiDocButtonWidth = 20;
// A floating right-to-left row stops short of the frame's edge by this much.
constexpr int kFloatingRtlInset = 3;

struct Placed
{
    CRect rc;
    bool bShown = false;
    bool bSeparator = false;
};

bool IsMdiRightButton(const CExtBarButton* pButton)
{
    return ExtBarDetail::IsKindOfNamed(pButton, "CExtBarMdiRightButton");
}

bool IsMdiDocButton(const CExtBarButton* pButton)
{
    return ExtBarDetail::IsKindOfNamed(pButton, "CExtBarMdiDocButton") && !IsMdiRightButton(pButton);
}
} // namespace

void CExtToolControlBar::RecalcButtonPositions()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || GetButtonCount() == 0)
        return;
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const bool bFloating = IsFloating() || m_pDockBar == nullptr;
    const bool bFit = IsFitToDockArea();
    const bool bFixedColumn = IsFixedColumn();
    const bool bAlongX = bHorz || bFixedColumn;
    const bool bFitVertical = bFit && !bHorz;
    const bool bFollowWraps = bFloating || bFit || bFixedColumn;
    const int nMode = GetWrapMode();
    const int nRowGap = g_PaintManagerHolder->GetToolbarGripperExtent(this);
    const CSize sizeDefault = GetDefaultButtonSize();

    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcArea(rcClient.left + m_cxLeftBorder, rcClient.top + m_cyTopBorder, rcClient.right - m_cxRightBorder,
                 rcClient.bottom - m_cyBottomBorder);
    CClientDC dcClient(this);
    CFont* pOldFont = dcClient.SelectObject(GetBarFont(!bHorz && !bFixedColumn));

    if (m_pChevron != nullptr) {
        m_pChevron->GetButtons().RemoveAll();
        const CSize sizeChevron = m_pChevron->CalculateLayout(dcClient, sizeDefault, bAlongX);
        if (bFloating || bFixedColumn) {
            m_pChevron->SetVisible(false);
            m_pChevron->SetRect(CRect(rcArea.TopLeft(), sizeChevron));
            if (GetButtonCount() == 1) {
                dcClient.SelectObject(pOldFont);
                return;
            }
        } else {
            const SIZE margin = g_PaintManagerHolder->GetButtonRedrawMargin();
            m_pChevron->SetVisible(true);
            if (bHorz) {
                m_pChevron->SetRect(CRect(rcArea.right - sizeChevron.cx, rcArea.top, rcArea.right, rcArea.bottom));
                rcArea.right -= sizeChevron.cx + margin.cx;
            } else {
                m_pChevron->SetRect(CRect(rcArea.left, rcArea.bottom - sizeChevron.cy, rcArea.right, rcArea.bottom));
                rcArea.bottom -= sizeChevron.cy + margin.cy;
            }
        }
    }
    const int nCount = m_pChevron != nullptr ? GetButtonCount() - 1 : GetButtonCount();
    std::vector<Placed> placed(static_cast<size_t>(nCount));
    const bool bBackground = g_PaintManagerHolder->HasBackgroundBehindControls(this, 0);
    if (bFit && !bFloating) {
        if (!bHorz) {
            rcArea.right -= bBackground ? 2 : 1;
            rcArea.top -= 1;
        } else if (bBackground) {
            rcArea.top += 1;
        }
    }

    int x = bFitVertical ? rcArea.right : rcArea.left;
    int y = rcArea.top;
    int nThickness = bFitVertical ? sizeDefault.cx : sizeDefault.cy;
    bool bPreviousShownSeparator = false;
    bool bAnyShown = false;
    m_bHiddenForRoom = false;
    std::vector<CExtBarButton*> listed;
    auto length = [&](const CRect& rc) { return bAlongX ? rc.Width() : rc.Height(); };
    auto moveBack = [&](CRect& rc, int nBy) {
        if (bAlongX)
            rc.OffsetRect(-nBy, 0);
        else
            rc.OffsetRect(0, -nBy);
    };
    for (int i = 0; i < nCount; ++i) {
        CExtBarButton* pButton = m_buttons[i];
        Placed& rec = placed[static_cast<size_t>(i)];
        rec.bSeparator = pButton->IsSeparator();
        if (!IsCountedButton(i))
            continue;
        pButton->SetVerticalLayout(!bHorz && !bFixedColumn);
        rec.bShown = !(rec.bSeparator && (!bAnyShown || bPreviousShownSeparator));
        const CSize size = pButton->CalculateLayout(dcClient, sizeDefault, bAlongX);
        rec.rc = CRect(x, y, x + size.cx, y + size.cy);
        if (!rec.bShown) {
            rec.rc = CRect(x, y, x, y);
            continue;
        }
        nThickness = std::max<int>(nThickness, bFitVertical ? size.cx : size.cy);
        bool bHiddenHere = false;
        if (bFollowWraps && pButton->IsWrap(nMode)) {
            if (bFitVertical) {
                x -= nRowGap + nThickness;
                y = rcArea.top;
                nThickness = sizeDefault.cx;
            } else {
                y += nRowGap + nThickness;
                x = rcArea.left;
                nThickness = sizeDefault.cy;
            }
        } else {
            if (bAlongX)
                x += size.cx;
            else
                y += size.cy;
            const int nOverflow = bFit ? 0 : (bAlongX ? x - rcArea.right : y - rcArea.bottom);
            if (!bFit && nOverflow > 0) {
                // Hide the one button whose length leaves the smallest remainder; the current
                // button wins ties.
                int nBest = i;
                int nBestRemainder = nOverflow - length(rec.rc);
                for (int j = 0; j < i; ++j) {
                    const Placed& earlier = placed[static_cast<size_t>(j)];
                    if (!earlier.bShown || earlier.bSeparator || length(earlier.rc) > nOverflow)
                        continue;
                    const int nRemainder = nOverflow - length(earlier.rc);
                    if (nRemainder < nBestRemainder) {
                        nBest = j;
                        nBestRemainder = nRemainder;
                    }
                }
                if (!bFixedColumn && !bFloating)
                    m_bHiddenForRoom = true;
                if (nBest == i) {
                    rec.bShown = false;
                    bHiddenHere = true;
                    if (bAlongX)
                        x -= size.cx;
                    else
                        y -= size.cy;
                } else {
                    Placed& hidden = placed[static_cast<size_t>(nBest)];
                    int nRemoved = length(hidden.rc);
                    hidden.bShown = false;
                    listed.push_back(m_buttons[nBest]);
                    int nPrevShown = -1;
                    for (int j = nBest - 1; j >= 0 && nPrevShown < 0; --j)
                        if (placed[static_cast<size_t>(j)].bShown)
                            nPrevShown = j;
                    int nNextShown = -1;
                    for (int j = nBest + 1; j <= i && nNextShown < 0; ++j)
                        if (placed[static_cast<size_t>(j)].bShown)
                            nNextShown = j;
                    if (nPrevShown >= 0 && nNextShown >= 0 && placed[static_cast<size_t>(nPrevShown)].bSeparator &&
                        placed[static_cast<size_t>(nNextShown)].bSeparator) {
                        placed[static_cast<size_t>(nPrevShown)].bShown = false;
                        nRemoved += length(placed[static_cast<size_t>(nPrevShown)].rc);
                    }
                    for (int j = nBest + 1; j <= i; ++j)
                        moveBack(placed[static_cast<size_t>(j)].rc, nRemoved);
                    if (bAlongX)
                        x -= nRemoved;
                    else
                        y -= nRemoved;
                }
            }
        }
        if (bFitVertical)
            rec.rc.OffsetRect(-rec.rc.Width(), 0);
        if (rec.bShown) {
            bAnyShown = true;
            bPreviousShownSeparator = rec.bSeparator;
        }
        if (bHiddenHere && !rec.bSeparator)
            listed.push_back(pButton);
    }

    // Separators never start or end what shows after buttons were hidden.
    if (m_bHiddenForRoom) {
        int nRemoved = 0;
        bool bLeading = true;
        for (int i = 0; i < nCount; ++i) {
            Placed& rec = placed[static_cast<size_t>(i)];
            if (!rec.bShown)
                continue;
            if (bLeading && rec.bSeparator) {
                rec.bShown = false;
                nRemoved += length(rec.rc);
                continue;
            }
            bLeading = false;
            moveBack(rec.rc, nRemoved);
        }
        for (int i = nCount - 1; i >= 0; --i) {
            Placed& rec = placed[static_cast<size_t>(i)];
            if (!rec.bShown)
                continue;
            if (!rec.bSeparator)
                break;
            rec.bShown = false;
        }
    }

    // Rows end at a wrap flag (when wraps are followed) or at the last button.
    auto rowEnds = [&](int i) { return i == nCount - 1 || (bFollowWraps && m_buttons[i]->IsWrap(nMode)); };

    if (!bFitVertical && bAlongX && IsRightToLeftLayout()) {
        int nRowStart = 0;
        for (int i = 0; i < nCount; ++i) {
            if (!rowEnds(i) && !IsMdiRightButton(m_buttons[i]))
                continue;
            int nTotal = 0;
            int nDoc = 0;
            for (int j = nRowStart; j <= i; ++j) {
                const Placed& rec = placed[static_cast<size_t>(j)];
                if (!rec.bShown)
                    continue;
                if (IsMdiDocButton(m_buttons[j]))
                    nDoc = rec.rc.Width() != 0 ? rec.rc.Width() : kMdiDocButtonWidth;
                else
                    nTotal += rec.rc.Width();
            }
            const int nShift = rcArea.Width() - nTotal - nDoc - (bFloating ? kFloatingRtlInset : 0);
            for (int j = nRowStart; j <= i; ++j)
                if (!IsMdiDocButton(m_buttons[j]))
                    placed[static_cast<size_t>(j)].rc.OffsetRect(nShift, 0);
            nRowStart = i + 1;
        }
    }

    int nRowStart = 0;
    int nRows = 0;
    for (int i = 0; i < nCount; ++i) {
        if (!rowEnds(i))
            continue;
        ++nRows;
        int nRowThickness = 0;
        for (int j = nRowStart; j <= i; ++j) {
            const Placed& rec = placed[static_cast<size_t>(j)];
            if (rec.bShown && !rec.bSeparator)
                nRowThickness = std::max<int>(nRowThickness, bFitVertical ? rec.rc.Width() : rec.rc.Height());
        }
        for (int j = nRowStart; j <= i; ++j) {
            Placed& rec = placed[static_cast<size_t>(j)];
            m_buttons[j]->SetVisible(rec.bShown);
            if (!rec.bShown)
                continue;
            if (rec.bSeparator) {
                if (bFitVertical)
                    rec.rc.left = rec.rc.right - nRowThickness;
                else
                    rec.rc.bottom = rec.rc.top + nRowThickness;
            } else if (bFitVertical) {
                rec.rc.OffsetRect(-(nRowThickness - rec.rc.Width()) / 2, 0);
            } else {
                rec.rc.OffsetRect(0, (nRowThickness - rec.rc.Height()) / 2);
            }
            if (bFloating || bFit)
                rec.rc.OffsetRect(0, 1);
            m_buttons[j]->SetRect(rec.rc);
        }
        nRowStart = i + 1;
    }

    if (!bFloating && !bFit && !bFixedColumn && nRows == 1) {
        for (int i = 0; i < nCount; ++i) {
            Placed& rec = placed[static_cast<size_t>(i)];
            if (!rec.bShown)
                continue;
            if (bHorz) {
                if (rec.bSeparator) {
                    rec.rc.top = m_cyTopBorder;
                    rec.rc.bottom = rcClient.Height() + m_cyBottomBorder;
                } else {
                    rec.rc.OffsetRect(0, (rcClient.Height() - rec.rc.Height()) / 2 - rec.rc.top);
                }
            } else if (rec.bSeparator) {
                rec.rc.left = m_cxLeftBorder;
                rec.rc.right = rcClient.Width() + m_cxRightBorder;
            } else {
                rec.rc.OffsetRect((rcClient.Width() - rec.rc.Width()) / 2 - rec.rc.left, 0);
            }
            m_buttons[i]->SetRect(rec.rc);
        }
    }

    if (!bFixedColumn) {
        const int nGrow = bBackground ? 2 : 1;
        int nStart = 0;
        for (int i = 0; i < nCount; ++i) {
            if (!(i == nCount - 1 || m_buttons[i]->IsWrap(nMode)))
                continue;
            int nLow = INT_MAX;
            int nHigh = INT_MIN;
            for (int j = nStart; j <= i; ++j) {
                const Placed& rec = placed[static_cast<size_t>(j)];
                if (!rec.bShown)
                    continue;
                nLow = std::min<int>(nLow, bHorz ? rec.rc.top : rec.rc.left);
                nHigh = std::max<int>(nHigh, bHorz ? rec.rc.bottom : rec.rc.right);
            }
            for (int j = nStart; j < i; ++j) {
                Placed& rec = placed[static_cast<size_t>(j)];
                if (!rec.bShown || !rec.bSeparator)
                    continue;
                if (bHorz) {
                    rec.rc.top = nLow - nGrow;
                    rec.rc.bottom = nHigh + nGrow;
                } else {
                    rec.rc.left = nLow - nGrow;
                    rec.rc.right = nHigh + nGrow + 1;
                }
                m_buttons[j]->SetRect(rec.rc);
            }
            nStart = i + 1;
        }
    }

    if (m_pChevron != nullptr) {
        CArray<CExtBarButton*, CExtBarButton*>& chevronList = m_pChevron->GetButtons();
        // Listed in bar order, whatever order the overflow step hid them in.
        for (int i = 0; i < nCount; ++i) {
            CExtBarButton* pButton = m_buttons[i];
            if (std::find(listed.begin(), listed.end(), pButton) == listed.end())
                continue;
            if (!bFixedColumn && (pButton->GetStyle() & TBBS_HIDDEN) != 0)
                continue;
            chevronList.Add(pButton);
        }
        if (m_bInDialog)
            m_pChevron->ModifyStyle(chevronList.IsEmpty() ? TBBS_DISABLED : 0,
                                    chevronList.IsEmpty() ? 0 : TBBS_DISABLED);
        if (!bFloating && !bFit && !bFixedColumn && chevronList.GetSize() >= 2) {
            for (INT_PTR k = 0; k + 1 < chevronList.GetSize(); ++k) {
                const int nFirst = FindButtonIndex(chevronList[k]);
                const int nSecond = FindButtonIndex(chevronList[k + 1]);
                if (nFirst < 0 || nSecond <= nFirst + 1 || chevronList[k]->IsSeparator())
                    continue;
                for (int j = nFirst + 1; j < nSecond; ++j) {
                    if (m_buttons[j]->IsSeparator()) {
                        chevronList.InsertAt(k + 1, m_buttons[j]);
                        ++k;
                        break;
                    }
                }
            }
        }
    }
    dcClient.SelectObject(pOldFont);
    if (bFloating)
        return;

    SIZE shift = g_PaintManagerHolder->GetToolbarButtonShift(bHorz);
    if (bFixedColumn) {
        if (bHorz)
            shift.cy += 2;
        else
            shift.cx += 2;
    }
    if (shift.cx == 0 && shift.cy == 0)
        return;
    for (int i = 0; i < nCount; ++i) {
        CExtBarButton* pButton = m_buttons[i];
        if (!placed[static_cast<size_t>(i)].bShown || (pButton->GetStyle() & TBBS_HIDDEN) != 0)
            continue;
        CRect rc = pButton->GetRect();
        rc.OffsetRect(shift.cx, shift.cy);
        pButton->SetRect(rc);
    }
}
