#include "platform/mfc/DockBar.h"

#include "platform/mfc/DockContext.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/Globals.h"

#include <algorithm>

namespace
{
// Neighbouring bars overlap by their borders.
constexpr int kBarOverlap = 2;
}

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

bool CDockBar::IsBarEntry(const void* pEntry)
{
    return pEntry != nullptr && reinterpret_cast<UINT_PTR>(pEntry) >= AFX_DOCKBAR_PLACEHOLDER_LIMIT;
}

DWORD CDockBar::LayoutModeOf(const CControlBar* pBar)
{
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
        return LM_HORZ | LM_MRUWIDTH;
    if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
        return LM_HORZ | LM_HORZDOCK;
    return LM_VERTDOCK;
}

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_arrBars.Add(nullptr);
    // A dock bar's bars draw their own borders.
    SetBorders(0, 0, 0, 0);
}

CDockBar::~CDockBar()
{
    // Bars still held forget this dock bar: they may outlive it.
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (IsBarEntry(m_arrBars[i]) && static_cast<CControlBar*>(m_arrBars[i])->m_pDockBar == this)
            static_cast<CControlBar*>(m_arrBars[i])->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr)
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    const RECT rc = {0, 0, 0, 0};
    return CWnd::Create(nullptr, "", (dwStyle & ~CBRS_ALL) | WS_CHILD, rc, pParentWnd, nID);
}

BOOL CDockBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CControlBar::PreCreateWindow(cs);
}

BOOL CDockBar::IsDockBar() const { return TRUE; }

UINT CDockBar::GetDockSide() const
{
    return m_hWnd != nullptr ? static_cast<UINT>(::GetDlgCtrlID(m_hWnd)) : 0U;
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (IsBarEntry(m_arrBars[i]))
            ++nCount;
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
        if (pBar != nullptr && pBar->IsVisible())
            ++nCount;
    }
    return nCount;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrBars.GetSize() || !IsBarEntry(m_arrBars[nPos]))
        return nullptr;
    return static_cast<CControlBar*>(m_arrBars[nPos]);
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return static_cast<int>(i);
    return -1;
}

void CDockBar::RemoveEntry(INT_PTR nPos)
{
    if (nPos <= 0 || nPos >= m_arrBars.GetSize())
        return;
    m_arrBars.RemoveAt(nPos);
    if (nPos < m_arrBars.GetSize() && m_arrBars[nPos - 1] == nullptr && m_arrBars[nPos] == nullptr)
        m_arrBars.RemoveAt(nPos);
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    const UINT_PTR nID = static_cast<UINT_PTR>(pBar->GetDlgCtrlID());
    if (nID == 0 || nID >= AFX_DOCKBAR_PLACEHOLDER_LIMIT)
        return;
    const int nPos = FindBar(reinterpret_cast<CControlBar*>(nID));
    if (nPos > 0)
        RemoveEntry(nPos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    if (nAddPlaceHolder == 1)
    {
        void* pPlaceHolder = reinterpret_cast<void*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID()));
        m_arrBars[nPos] = pPlaceHolder;
        const int nOld = FindBar(static_cast<CControlBar*>(pPlaceHolder), nPos);
        if (nOld > 0)
            RemoveEntry(nOld);
    }
    else
    {
        RemoveEntry(nPos);
        if (nAddPlaceHolder != -1)
            RemovePlaceHolder(pBar);
    }
    if (m_hWnd == nullptr)
        return TRUE;
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return TRUE;
    if (m_bFloating && GetDockedVisibleCount() == 0)
    {
        // A floating frame lives only while it holds bars, and shows only while one is visible.
        if (GetDockedCount() == 0)
            pFrame->DestroyWindow();
        else
            pFrame->ShowWindow(SW_HIDE);
    }
    else
        pFrame->DelayRecalcLayout();
    return TRUE;
}

int CDockBar::Insert(CControlBar* pBar, CRect rect, CPoint ptMid)
{
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nMid = bHorz ? ptMid.y : ptMid.x;
    const int nAlong = bHorz ? rect.left : rect.top;
    INT_PTR nInsertAfter = 0; // the entry the bar goes after
    int nRowStart = -kBarOverlap;
    int nRowExtent = 0;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pCur = GetDockedControlBar(static_cast<int>(i));
        if (pCur != nullptr && pCur != pBar && pCur->IsVisible())
        {
            CRect rcCur;
            pCur->GetWindowRect(&rcCur);
            ScreenToClient(&rcCur);
            nRowExtent = std::max(nRowExtent, bHorz ? rcCur.Height() : rcCur.Width());
            if (nAlong > (bHorz ? rcCur.left : rcCur.top))
                nInsertAfter = i;
            continue;
        }
        if (m_arrBars[i] != nullptr)
            continue;
        // End of a row: the middle point inside its band puts the bar into it.
        const int nRowEnd = nRowStart + nRowExtent;
        if (nRowExtent > 0 && nMid < nRowEnd)
        {
            INT_PTR nFirst = i;
            while (nFirst > 1 && m_arrBars[nFirst - 1] != nullptr)
                --nFirst;
            if (nMid < nRowStart)
            {
                // Before this row: a row of its own in front of it.
                m_arrBars.InsertAt(nFirst, static_cast<void*>(nullptr));
                m_arrBars.InsertAt(nFirst, pBar);
                return static_cast<int>(nFirst);
            }
            const INT_PTR nAt = std::max(nInsertAfter + 1, nFirst);
            m_arrBars.InsertAt(nAt, pBar);
            return static_cast<int>(nAt);
        }
        if (nRowExtent > 0)
            nRowStart = nRowEnd - kBarOverlap;
        nRowExtent = 0;
        nInsertAfter = i;
    }
    // A new row: after the row whose end was passed last, or first.
    INT_PTR nAt = nInsertAfter + 1;
    if (nAt > m_arrBars.GetSize())
        nAt = m_arrBars.GetSize();
    if (m_arrBars[nAt - 1] != nullptr)
    {
        m_arrBars.InsertAt(nAt, static_cast<void*>(nullptr));
        ++nAt;
    }
    m_arrBars.InsertAt(nAt, static_cast<void*>(nullptr));
    m_arrBars.InsertAt(nAt, pBar);
    return static_cast<int>(nAt);
}

void CDockBar::TakeBarStyle(CControlBar* pBar) const
{
    DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    dwStyle = m_bFloating ? (dwStyle | CBRS_FLOATING) : (dwStyle & ~CBRS_FLOATING);
    pBar->SetBarStyle(dwStyle);
}

bool CDockBar::PrepareToDock(CControlBar* pBar, LPCRECT lpRect, bool& bHidden)
{
    bHidden = false;
    if (pBar == nullptr || pBar->m_hWnd == nullptr || m_hWnd == nullptr)
        return false;
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    if (pBar->m_pDockBar == this && (lpRect == nullptr || rcBar == *lpRect))
        return false;
    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) | (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
    if (!(m_dwStyle & CBRS_FLOAT_MULTI))
    {
        // A floating frame with one bar shows the bar's title.
        char szTitle[256] = "";
        ::GetWindowTextA(pBar->m_hWnd, szTitle, sizeof szTitle);
        ::SetWindowTextA(m_hWnd, szTitle);
    }
    TakeBarStyle(pBar);
    if (pBar->m_pDockBar != this && pBar->IsWindowVisible())
    {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        bHidden = true;
    }
    return true;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    bool bShow = false;
    if (!PrepareToDock(pBar, lpRect, bShow))
        return;
    int nPos = -1;
    if (lpRect != nullptr)
    {
        CRect rect(*lpRect);
        ScreenToClient(&rect);
        nPos = Insert(pBar, rect, rect.CenterPoint());
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    else
    {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
        pBar->SetWindowPos(nullptr, -kBarOverlap, -kBarOverlap, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pBar->m_pDockBar == this)
        RemoveControlBar(pBar, nPos);
    else if (pBar->m_pDockBar != nullptr)
        pBar->m_pDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating ? 1 : 0);
    pBar->m_pDockBar = this;
    if (bShow)
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RemovePlaceHolder(pBar);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    const UINT_PTR nID = static_cast<UINT_PTR>(pBar->GetDlgCtrlID());
    const int nPlaceHolder = nID != 0 && nID < AFX_DOCKBAR_PLACEHOLDER_LIMIT
                                 ? FindBar(reinterpret_cast<CControlBar*>(nID))
                                 : -1;
    if (nPlaceHolder <= 0 || lpRect != nullptr)
    {
        DockControlBar(pBar, lpRect);
        return;
    }
    // The bar takes its placeholder's entry back.
    DWORD dwStyle = (pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
    const bool bShow = pBar->IsWindowVisible() != FALSE;
    if (bShow)
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    m_arrBars[nPlaceHolder] = pBar;
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar != this)
        pBar->m_pDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating ? 1 : 0);
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != nullptr)
    {
        const CRect& rc = pBar->m_pDockContext->m_rectMRUDockPos;
        pBar->SetWindowPos(nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (bShow)
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

void CDockBar::ShowAll(BOOL bShow)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
        if (pBar == nullptr)
            continue;
        if (CFrameWnd* pFrame = pBar->m_pDockSite != nullptr ? pBar->m_pDockSite : pBar->GetDockingFrame())
            pFrame->ShowControlBar(pBar, bShow, FALSE);
    }
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize sizeMax;
    if (!m_rectLayout.IsRectEmpty())
        sizeMax = m_rectLayout.Size();
    else
    {
        CRect rcFrame(0, 0, 0, 0);
        if (CWnd* pParent = GetParent())
            pParent->GetClientRect(&rcFrame);
        sizeMax = rcFrame.Size();
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    const int nMaxAlong = bHorz ? sizeMax.cx : sizeMax.cy;
    int nPos = -kBarOverlap;   // along the row
    int nCross = -kBarOverlap; // the row's start across
    int nRowExtent = 0;
    bool bWrapped = false;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
        if (pBar != nullptr && pBar->IsVisible())
        {
            const CSize sizeBar = pBar->CalcDynamicLayout(-1, LayoutModeOf(pBar));
            const int nExtent = bHorz ? sizeBar.cx : sizeBar.cy;
            CRect rcBar;
            pBar->GetWindowRect(&rcBar);
            ScreenToClient(&rcBar);
            int nStart = nPos;
            const int nCurrent = bHorz ? rcBar.left : rcBar.top;
            // Bars keep gaps the user left, and come back inside the dock bar's end.
            if (nCurrent > nStart && !m_bFloating)
                nStart = nCurrent;
            if (nStart + nExtent > nMaxAlong && !m_bFloating)
                nStart = std::max(nMaxAlong - (nExtent - kBarOverlap), nPos);
            if (bWrapped)
            {
                bWrapped = false;
                nStart = -kBarOverlap;
            }
            else if (nStart >= nMaxAlong - kBarOverlap && i > 0 && m_arrBars[i - 1] != nullptr)
            {
                // Nothing of it would show: it starts the next row.
                m_arrBars.InsertAt(i, static_cast<void*>(nullptr));
                bWrapped = true;
                pBar = nullptr;
            }
            if (pBar != nullptr)
            {
                CRect rect = bHorz ? CRect(CPoint(nStart, nCross), sizeBar) : CRect(CPoint(nCross, nStart), sizeBar);
                if (rect != rcBar)
                {
                    if (!m_bLayoutQuery && !(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext != nullptr)
                        pBar->m_pDockContext->m_rectMRUDockPos = rect;
                    AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
                }
                nPos = nStart + nExtent - kBarOverlap;
                nRowExtent = std::max(nRowExtent, static_cast<int>(bHorz ? sizeBar.cy : sizeBar.cx));
            }
        }
        if (pBar != nullptr)
            pBar->RecalcDelayShow(&layout);
        if (m_arrBars[i] == nullptr && nRowExtent != 0)
        {
            nCross += nRowExtent - kBarOverlap;
            if (bHorz)
            {
                sizeFixed.cx = std::max(static_cast<int>(sizeFixed.cx), nPos);
                sizeFixed.cy = std::max(static_cast<int>(sizeFixed.cy), nCross);
            }
            else
            {
                sizeFixed.cx = std::max(static_cast<int>(sizeFixed.cx), nCross);
                sizeFixed.cy = std::max(static_cast<int>(sizeFixed.cy), nPos);
            }
            nPos = -kBarOverlap;
            nRowExtent = 0;
        }
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    CRect rcInside(0, 0, 0, 0);
    CalcInsideRect(rcInside, bHorz);
    if ((!bStretch || !bHorz) && sizeFixed.cx != 0)
        sizeFixed.cx -= rcInside.Width();
    if ((!bStretch || bHorz) && sizeFixed.cy != 0)
        sizeFixed.cy -= rcInside.Height();
    return sizeFixed;
}

void CDockBar::DrawGripper(CDC*, const CRect&) {}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const BOOL bLayoutQuery = m_bLayoutQuery;
    const CRect rectLayout = m_rectLayout;
    m_bLayoutQuery = lpLayout->hDWP == nullptr;
    m_rectLayout = lpLayout->rect;
    const LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = bLayoutQuery;
    m_rectLayout = rectLayout;
    return lResult;
}
