#include "ui/bars/ExtDockBar.h"

#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDynAutoHideArea.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <algorithm>

using namespace ExtBarDetail;

namespace
{
// Class style of the dock bars' window class: global, double clicks.
constexpr UINT kDockBarClassStyle = CS_GLOBALCLASS | CS_DBLCLKS;
// The bar-list menu is tracked at the cursor as a plain popup.
constexpr UINT kBarListMenuTrackFlags = 0x800;
// Neighbouring rows overlap by one pixel; the dock bar's border adds one.
constexpr int kRowOverlap = 1;
constexpr int kBorderExtent = 1;

// The dock bar a container keeps for its nested bars: its child framework dock bar.
CExtDockBar* ContainerDockBar(CControlBar* pContainer)
{
    for (HWND hChild = ::GetWindow(pContainer->m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CWnd* pChild = PermanentOf(hChild);
        if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
            return static_cast<CExtDockBar*>(pChild);
    }
    return nullptr;
}

bool IsContainer(const CObject* pBar)
{
    return IsKindOfNamed(pBar, kDynControlBar);
}

void DestroyDockBar(CExtDockBar* pDockBar)
{
    CFrameWnd* pFrame = pDockBar->m_pDockSite;
    if (pFrame != nullptr)
        pFrame->RemoveControlBar(pDockBar);
    pDockBar->m_pDockSite = nullptr;
    const BOOL bAutoDelete = pDockBar->m_bAutoDelete;
    pDockBar->DestroyWindow();
    if (!bAutoDelete)
        delete pDockBar;
}
}

IMPLEMENT_DYNAMIC(CExtDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CExtDockBar, CDockBar)
    ON_WM_CONTEXTMENU()
    ON_WM_CANCELMODE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CExtDockBar::CExtDockBar(UINT nRing) : m_nRing(nRing)
{
    // The outcome shows in PreCreateWindow.
    ExtBarDetail::RegisterBarFamilyClass(CExtDockBar::WINDOW_CLASS_NAME, kDockBarClassStyle);
}

CExtDockBar::~CExtDockBar()
{
    UnlinkRing();
}

void CExtDockBar::PreSubclassWindow() {}

BOOL CExtDockBar::DestroyWindow()
{
    ReleaseAllBars();
    return CControlBar::DestroyWindow();
}

BOOL CExtDockBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!ExtBarDetail::RegisterBarFamilyClass(CExtDockBar::WINDOW_CLASS_NAME, kDockBarClassStyle))
        return FALSE;
    if (!CDockBar::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = WINDOW_CLASS_NAME;
    return TRUE;
}

LRESULT CExtDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
        EnableToolTips();
        break;
    case WM_DESTROY:
    case WM_NCDESTROY:
        UnlinkRing();
        break;
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

void CExtDockBar::UnlinkRing()
{
    if (m_pOuterRingBar != nullptr && m_pOuterRingBar->m_pInnerRingBar == this)
        m_pOuterRingBar->m_pInnerRingBar = nullptr;
    if (m_pInnerRingBar != nullptr && m_pInnerRingBar->m_pOuterRingBar == this)
        m_pInnerRingBar->m_pOuterRingBar = nullptr;
    m_pOuterRingBar = nullptr;
    m_pInnerRingBar = nullptr;
}

BOOL CExtDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!CDockBar::Create(pParentWnd, dwStyle, nID))
        return FALSE;
    // A line on the parent's edge of its side until the first layout gives it room.
    CRect rc;
    pParentWnd->GetClientRect(&rc);
    switch (nID)
    {
    case AFX_IDW_DOCKBAR_TOP:
        rc.bottom = rc.top;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        rc.right = rc.left;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        rc.left = rc.right;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        rc.top = rc.bottom;
        break;
    default:
        break;
    }
    SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ModifyStyleEx(CExtControlBar::EXSTYLE_RTL_MASK, 0, SWP_FRAMECHANGED);
    return TRUE;
}

CFrameWnd* CExtDockBar::DockSiteFrame() const
{
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    return FrameSkippingFloating(this);
}

CExtDynAutoHideArea* CExtDockBar::GetAutoHideArea() const { return m_pAutoHideArea; }

void CExtDockBar::SetLayoutLocked(bool bLocked) { m_bLayoutLocked = bLocked; }

void CExtDockBar::UpdateNestedLayout()
{
    if (m_bLayoutLocked || m_bInNestedUpdate)
        return;
    m_bInNestedUpdate = true;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
        if (pBar == nullptr || !IsContainer(pBar) || !pBar->IsVisible())
            continue;
        CExtControlBar* pContainer = static_cast<CExtControlBar*>(pBar);
        if (pContainer->IsFixedSizeBar() || pContainer->IsFixedSizeMode())
            continue;
        if (CExtDockBar* pInner = ContainerDockBar(pContainer))
            pInner->UpdateNestedLayout();
    }
    m_bInNestedUpdate = false;
}

void CExtDockBar::CollapseRedundantContainers()
{
    if (m_bLayoutLocked)
        return;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
        if (pBar == nullptr || !IsContainer(pBar))
            continue;
        if (CExtDockBar* pInner = ContainerDockBar(pBar))
            pInner->CollapseRedundantContainers();
    }
}

// ---------------------------------------------------------------------------------------------
// Rings

void CExtDockBar::CollectFrameDockBars(CFrameWnd* pFrame, CArray<CExtDockBar*, CExtDockBar*>& arrDockBars)
{
    arrDockBars.RemoveAll();
    if (pFrame == nullptr)
        return;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        // A container's dock bar and a floating frame's live elsewhere than on the frame.
        if (pBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)) && pBar->m_hWnd != nullptr && !pBar->IsFloating() &&
            ::GetParent(pBar->m_hWnd) == pFrame->m_hWnd)
            arrDockBars.Add(static_cast<CExtDockBar*>(pBar));
    }
}

namespace
{
// New rings go in after the right outer dock bar: the auto-hide areas take their place back
// before them in the window order the frame's layout follows.
void UpdateAreasZOrder(CFrameWnd* pFrame)
{
    CExtDynAutoHideArea* apAreas[4];
    CExtDynAutoHideArea::GetFrameAreas(pFrame, &apAreas[0], &apAreas[1], &apAreas[2], &apAreas[3]);
    for (CExtDynAutoHideArea* pArea : apAreas)
        if (pArea != nullptr)
            pArea->UpdateZOrder();
}

// The innermost framework dock bar of each side (top, bottom, left, right); null when missing.
void InnermostDockBars(CFrameWnd* pFrame, CExtDockBar* apInnermost[4])
{
    CArray<CExtDockBar*, CExtDockBar*> arrDockBars;
    CExtDockBar::CollectFrameDockBars(pFrame, arrDockBars);
    for (int nSide = 0; nSide < 4; ++nSide)
    {
        apInnermost[nSide] = nullptr;
        for (INT_PTR i = 0; i < arrDockBars.GetSize(); ++i)
        {
            CExtDockBar* pDockBar = arrDockBars[i];
            if (pDockBar->GetDockSide() == afxDockBarMap[nSide].nID &&
                (apInnermost[nSide] == nullptr || pDockBar->m_nRing > apInnermost[nSide]->m_nRing))
                apInnermost[nSide] = pDockBar;
        }
    }
}

// How far in rings may go: every inner ring must be able to hold a bar of its own, so a frame
// with n bars never needs more than n inner rings.
UINT RingLimit(CFrameWnd* pFrame)
{
    UINT nBars = 0;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
        if (!static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos))->IsDockBar())
            ++nBars;
    return std::max(nBars, 1U);
}

// A dock bar of ring nRing for a side, styled and linked after pOuter, placed in window order after hWndAfter.
CExtDockBar* NewRingBar(CFrameWnd* pFrame, CExtDockBar* pOuter, UINT nRing, int nSide, HWND hWndAfter)
{
    CExtDockBar* pDockBar = new CExtDockBar(nRing);
    pDockBar->m_bAutoDelete = TRUE;
    const DWORD dwStyle = CExtDockBar::DOCKBAR_WINDOW_STYLE | afxDockBarMap[nSide].dwStyle;
    if (!pDockBar->Create(pFrame, dwStyle, afxDockBarMap[nSide].nID))
    {
        if (pDockBar->m_hWnd == nullptr)
            delete pDockBar;
        return nullptr;
    }
    pDockBar->SetBarStyle(pOuter->GetBarStyle());
    pDockBar->m_pAutoHideArea = pOuter->m_pAutoHideArea;
    CExtDockBar* pInner = pOuter->m_pInnerRingBar;
    pDockBar->m_pOuterRingBar = pOuter;
    pDockBar->m_pInnerRingBar = pInner;
    pOuter->m_pInnerRingBar = pDockBar;
    if (pInner != nullptr)
        pInner->m_pOuterRingBar = pDockBar;
    // The inner edge starts where the outer dock bar's ends.
    if (pOuter->IsWindowVisible() && pOuter->GetDockedVisibleCount() > 0)
    {
        CRect rc;
        pOuter->GetWindowRect(&rc);
        switch (afxDockBarMap[nSide].nID)
        {
        case AFX_IDW_DOCKBAR_TOP:
            rc.top = rc.bottom;
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            rc.bottom = rc.top;
            break;
        case AFX_IDW_DOCKBAR_LEFT:
            rc.left = rc.right;
            break;
        default:
            rc.right = rc.left;
            break;
        }
        pDockBar->m_rcInnerEdge = rc;
    }
    else
        pDockBar->m_rcInnerEdge = pOuter->m_rcInnerEdge;
    ::SetWindowPos(pDockBar->m_hWnd, hWndAfter, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
    return pDockBar;
}
}

UINT CExtDockBar::CreateInnerRing(CFrameWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return 0;
    CExtDockBar* apInnermost[4];
    InnermostDockBars(pFrame, apInnermost);
    UINT nRing = 0;
    for (CExtDockBar* pDockBar : apInnermost)
    {
        if (pDockBar == nullptr)
            return 0;
        nRing = std::max(nRing, pDockBar->m_nRing);
    }
    ++nRing;
    // Top after the previous innermost right dock bar, then bottom, left, right in turn.
    HWND hWndAfter = apInnermost[3]->m_hWnd;
    for (int nSide = 0; nSide < 4; ++nSide)
    {
        CExtDockBar* pNew = NewRingBar(pFrame, apInnermost[nSide], nRing, nSide, hWndAfter);
        if (pNew == nullptr)
            return 0;
        hWndAfter = pNew->m_hWnd;
    }
    UpdateAreasZOrder(pFrame);
    return nRing;
}

void CExtDockBar::InsertRingAt(CFrameWnd* pFrame, UINT nRing)
{
    if (pFrame == nullptr || nRing == 0)
        return;
    CExtDockBar* apRing[4];
    for (int nSide = 0; nSide < 4; ++nSide)
    {
        apRing[nSide] = FindRingBar(pFrame, nRing, afxDockBarMap[nSide].nID, true);
        if (apRing[nSide] == nullptr)
            return;
    }
    if (IsRingEmpty(pFrame, nRing)) {
        UpdateAreasZOrder(pFrame);
        return;
    }
    // The fresh ring goes between ring nRing - 1 and the old ring nRing, in window order after
    // the previous ring's right dock bar.
    CExtDockBar* apOuter[4];
    for (int nSide = 0; nSide < 4; ++nSide)
    {
        apOuter[nSide] = apRing[nSide]->m_pOuterRingBar;
        if (apOuter[nSide] == nullptr)
            return;
    }
    for (int nSide = 0; nSide < 4; ++nSide)
        for (CExtDockBar* pDockBar = apRing[nSide]; pDockBar != nullptr; pDockBar = pDockBar->m_pInnerRingBar)
            ++pDockBar->m_nRing;
    HWND hWndAfter = apOuter[3]->m_hWnd;
    for (int nSide = 0; nSide < 4; ++nSide)
    {
        CExtDockBar* pNew = NewRingBar(pFrame, apOuter[nSide], nRing, nSide, hWndAfter);
        if (pNew == nullptr)
            return;
        hWndAfter = pNew->m_hWnd;
    }
    UpdateAreasZOrder(pFrame);
}

bool CExtDockBar::IsRingEmpty(CFrameWnd* pFrame, UINT nRing)
{
    for (const AFX_DOCKBAR_SIDE& side : afxDockBarMap)
    {
        CExtDockBar* pDockBar = FindRingBar(pFrame, nRing, side.nID, false);
        if (pDockBar != nullptr && !pDockBar->IsDockBarEmpty())
            return false;
    }
    return true;
}

void CExtDockBar::RemoveEmptyRings(CFrameWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return;
    // Repeats only while a pass dissolved a container: a container whose dock bar is locked
    // stays, and must not keep the removal going.
    for (bool bAgain = true; bAgain;)
    {
        bAgain = false;
        CExtDockBar* apRing[4];
        for (int nSide = 0; nSide < 4; ++nSide)
        {
            CExtDockBar* pOuter = FindRingBar(pFrame, 0, afxDockBarMap[nSide].nID, false);
            apRing[nSide] = pOuter != nullptr ? pOuter->m_pInnerRingBar : nullptr;
        }
        if (std::any_of(std::begin(apRing), std::end(apRing), [](CExtDockBar* p) { return p == nullptr; }))
            return;
        UpdateAreasZOrder(pFrame);
        UINT nRemoved = 0;
        while (std::all_of(std::begin(apRing), std::end(apRing), [](CExtDockBar* p) { return p != nullptr; }))
        {
            CExtDockBar* apNext[4];
            const bool bEmpty = std::all_of(std::begin(apRing), std::end(apRing),
                                            [](CExtDockBar* p) { return p->IsDockBarEmpty(); });
            for (int nSide = 0; nSide < 4; ++nSide)
            {
                CExtDockBar* pDockBar = apRing[nSide];
                apNext[nSide] = pDockBar->m_pInnerRingBar;
                if (!bEmpty)
                {
                    pDockBar->m_nRing -= nRemoved;
                    pDockBar->CollapseRedundantContainers();
                    continue;
                }
                CExtDockBar* pOuter = pDockBar->m_pOuterRingBar;
                CExtDockBar* pInner = pDockBar->m_pInnerRingBar;
                pDockBar->m_pOuterRingBar = pDockBar->m_pInnerRingBar = nullptr;
                if (pOuter != nullptr)
                    pOuter->m_pInnerRingBar = pInner;
                if (pInner != nullptr)
                    pInner->m_pOuterRingBar = pOuter;
                DestroyDockBar(pDockBar);
            }
            if (bEmpty)
                ++nRemoved;
            std::copy(std::begin(apNext), std::end(apNext), apRing);
        }
        // Containers left without bars dissolve through their dock bars.
        CArray<HWND, HWND> arrEmptyContainers;
        CArray<CExtDockBar*, CExtDockBar*> arrContainerDockBars;
        for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
        {
            CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
            if (!IsContainer(pBar) || pBar->m_hWnd == nullptr)
                continue;
            CExtDockBar* pInner = ContainerDockBar(pBar);
            if (pInner != nullptr && pInner->GetDockedCount() == 0)
            {
                arrEmptyContainers.Add(pBar->m_hWnd);
                arrContainerDockBars.Add(pInner);
            }
        }
        for (INT_PTR i = 0; i < arrContainerDockBars.GetSize(); ++i)
            if (::IsWindow(arrEmptyContainers[i]))
                arrContainerDockBars[i]->CollapseRedundantContainers();
        for (INT_PTR i = 0; i < arrEmptyContainers.GetSize(); ++i)
            if (!::IsWindow(arrEmptyContainers[i]))
                bAgain = true;
    }
}

CExtDockBar* CExtDockBar::FindRingBar(CFrameWnd* pFrame, UINT nRing, UINT nSideId, bool bCreate)
{
    CArray<CExtDockBar*, CExtDockBar*> arrDockBars;
    CollectFrameDockBars(pFrame, arrDockBars);
    CExtDockBar* pOuter = nullptr;
    for (INT_PTR i = 0; i < arrDockBars.GetSize(); ++i)
    {
        CExtDockBar* pDockBar = arrDockBars[i];
        if (pDockBar->GetDockSide() != nSideId)
            continue;
        if (pDockBar->m_nRing == nRing)
            return pDockBar;
        if (pDockBar->m_nRing == 0)
            pOuter = pDockBar;
    }
    return bCreate && pOuter != nullptr ? GoToRing(pOuter, nRing) : nullptr;
}

CExtDockBar* CExtDockBar::GoToRing(CExtDockBar* pFrom, UINT nRing)
{
    if (pFrom == nullptr)
        return nullptr;
    CFrameWnd* pFrame = pFrom->DockSiteFrame();
    if (pFrame == nullptr || nRing > RingLimit(pFrame))
        return nullptr;
    CExtDockBar* pDockBar = pFrom;
    while (pDockBar != nullptr && pDockBar->m_nRing > nRing)
        pDockBar = pDockBar->m_pOuterRingBar;
    while (pDockBar != nullptr && pDockBar->m_nRing < nRing)
    {
        if (pDockBar->m_pInnerRingBar == nullptr && CreateInnerRing(pFrame) == 0)
            return nullptr;
        pDockBar = pDockBar->m_pInnerRingBar;
    }
    return pDockBar;
}

CExtDockBar* CExtDockBar::SameRingBar(CExtDockBar* pDockBar, UINT nSideId, bool bCreate)
{
    if (pDockBar == nullptr)
        return nullptr;
    return FindRingBar(pDockBar->DockSiteFrame(), pDockBar->m_nRing, nSideId, bCreate);
}

bool CExtDockBar::IsDockBarEmpty() const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i] != nullptr)
            return false;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Putting bars in and taking them out

void CExtDockBar::DockControlBarEx(CControlBar* pBar, const RECT* pRectScreen, bool)
{
    bool bShow = false;
    if (!PrepareToDock(pBar, pRectScreen, bShow))
        return;
    CExtControlBar* pExtBar = pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ? static_cast<CExtControlBar*>(pBar) : nullptr;
    int nPos = -1;
    if (pRectScreen != nullptr)
    {
        CRect rect(*pRectScreen);
        ScreenToClient(&rect);
        nPos = Insert(pBar, rect, rect.CenterPoint());
        // A full-row fixed-size bar next to the insertion point stays alone in its row.
        for (const int nNeighbour : {nPos - 1, nPos + 1})
        {
            CControlBar* pNeighbour = GetDockedControlBar(nNeighbour);
            if (pNeighbour == nullptr || !pNeighbour->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
                continue;
            CExtControlBar* pFull = static_cast<CExtControlBar*>(pNeighbour);
            if (pFull->IsFullRowBar() && pFull->IsFixedSizeMode())
            {
                m_arrBars.InsertAt(nNeighbour < nPos ? nPos : nPos + 1, static_cast<void*>(nullptr));
                if (nNeighbour < nPos)
                    ++nPos;
            }
        }
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    else
    {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
        pBar->SetWindowPos(nullptr, -2 * ::GetSystemMetrics(SM_CXBORDER), -2 * ::GetSystemMetrics(SM_CYBORDER), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (pBar->GetParent() != this)
    {
        // A fixed-size bar leaving a floating frame of its own: the frame goes out of sight first.
        if (pExtBar != nullptr && pExtBar->IsFixedSizeBar() && pExtBar->IsFixedSizeMode())
        {
            CFrameWnd* pOldFrame = pBar->GetParentFrame();
            if (pOldFrame != nullptr && pOldFrame != m_pDockSite && pOldFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
            {
                pOldFrame->ShowWindow(SW_HIDE);
                MSG msg;
                while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) && msg.message == WM_PAINT)
                    ::DispatchMessageA(&msg);
            }
        }
        pBar->SetParent(this);
    }
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar == this)
        RemoveEntry(FindBar(pBar, nPos));
    else if (pOldDockBar != nullptr && pOldDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
    {
        CExtDockBar* pOldExt = static_cast<CExtDockBar*>(pOldDockBar);
        const bool bOldFloats = pOldExt->m_bFloating != FALSE;
        pOldExt->RemoveControlBarEx(pBar, -1, m_bFloating && !bOldFloats ? 1 : 0, false);
        // The old floating frame may be gone with that: only a docked one is touched again.
        if (!bOldFloats && !pOldExt->m_bLayoutLocked)
            pOldExt->CollapseRedundantContainers();
    }
    else if (pOldDockBar != nullptr)
        pOldDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pOldDockBar->m_bFloating ? 1 : 0);
    pBar->m_pDockBar = this;
    if (bShow)
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    bool bFound = false;
    RemovePlaceholder(pBar, false, &bFound);
    if (!bFound)
        RemovePlaceholder(pBar, true, nullptr);
    if (pExtBar != nullptr && pExtBar->IsFullRowBar())
    {
        const int nAt = FindBar(pBar);
        if (nAt > 0 && m_arrBars[nAt - 1] != nullptr)
            m_arrBars.InsertAt(nAt, static_cast<void*>(nullptr));
        const int nAfter = FindBar(pBar) + 1;
        if (nAfter < m_arrBars.GetSize() && m_arrBars[nAfter] != nullptr)
            m_arrBars.InsertAt(nAfter, static_cast<void*>(nullptr));
    }
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

bool CExtDockBar::RemoveControlBarEx(CControlBar* pBar, int nIndex, int nPlaceholderMode, bool bDelayedLayout)
{
    const int nPos = nIndex > 0 && nIndex < m_arrBars.GetSize() && m_arrBars[nIndex] == pBar ? nIndex : FindBar(pBar);
    if (nPos <= 0)
        return false;
    // Resizable bars never leave placeholders.
    if (pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && !static_cast<CExtControlBar*>(pBar)->IsFixedSizeBar())
        nPlaceholderMode = 0;
    if (nPlaceholderMode == 1)
    {
        void* pPlaceholder = reinterpret_cast<void*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID()));
        m_arrBars[nPos] = pPlaceholder;
        const int nOld = FindBar(static_cast<CControlBar*>(pPlaceholder), nPos);
        if (nOld > 0)
            RemoveEntry(nOld);
    }
    else
    {
        RemoveEntry(nPos);
        if (nPlaceholderMode != -1)
            RemovePlaceholder(pBar, true, nullptr);
    }
    if (m_hWnd == nullptr)
        return true;
    const int nVisible = GetDockedVisibleCount();
    if (!m_bFloating || nVisible > 0)
    {
        if (IsKindOfNamed(this, kDockDynTabBar))
            if (CWnd* pGroup = GetParent(); pGroup != nullptr && pGroup->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
                static_cast<CExtControlBar*>(pGroup)->FitChildToClient(-1, -1, true);
        if (bDelayedLayout)
            if (CFrameWnd* pFrame = GetDockingFrame())
                pFrame->DelayRecalcLayout();
        return true;
    }
    // A floating dock bar without visible bars: its frame hides while it holds bars, else goes.
    if (CFrameWnd* pFloating = GetParentFrame())
    {
        if (GetDockedCount() > 0)
            pFloating->ShowWindow(SW_HIDE);
        else
            pFloating->DestroyWindow();
    }
    return true;
}

void CExtDockBar::RemovePlaceholder(UINT nBarId, bool bSearchOtherDockBars, bool* pbFound)
{
    if (pbFound != nullptr)
        *pbFound = false;
    if (nBarId == 0 || nBarId >= AFX_DOCKBAR_PLACEHOLDER_LIMIT)
        return;
    CControlBar* pPlaceholder = reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(nBarId));
    const int nPos = FindBar(pPlaceholder);
    if (nPos > 0)
    {
        RemoveEntry(nPos);
        if (pbFound != nullptr)
            *pbFound = true;
        return;
    }
    if (!bSearchOtherDockBars)
        return;
    CArray<CExtDockBar*, CExtDockBar*> arrDockBars;
    CollectFrameDockBars(DockSiteFrame(), arrDockBars);
    for (INT_PTR i = 0; i < arrDockBars.GetSize(); ++i)
    {
        if (arrDockBars[i] == this)
            continue;
        bool bFound = false;
        arrDockBars[i]->RemovePlaceholder(nBarId, false, &bFound);
        if (bFound)
        {
            if (pbFound != nullptr)
                *pbFound = true;
            return;
        }
    }
}

void CExtDockBar::RemovePlaceholder(CControlBar* pBar, bool bSearchOtherDockBars, bool* pbFound)
{
    if (pbFound != nullptr)
        *pbFound = false;
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    RemovePlaceholder(static_cast<UINT>(pBar->GetDlgCtrlID()), bSearchOtherDockBars, pbFound);
}

void CExtDockBar::RemoveAllPlaceholders(bool bSearchOtherDockBars)
{
    for (INT_PTR i = m_arrBars.GetSize() - 1; i > 0; --i)
        if (m_arrBars[i] != nullptr && !CDockBar::IsBarEntry(m_arrBars[i]))
            RemoveEntry(i);
    if (!bSearchOtherDockBars)
        return;
    CArray<CExtDockBar*, CExtDockBar*> arrDockBars;
    CollectFrameDockBars(DockSiteFrame(), arrDockBars);
    for (INT_PTR i = 0; i < arrDockBars.GetSize(); ++i)
        if (arrDockBars[i] != this)
            arrDockBars[i]->RemoveAllPlaceholders(false);
}

void CExtDockBar::ReleaseAllBars()
{
    const bool bLocked = m_bLayoutLocked;
    m_bLayoutLocked = true;
    CFrameWnd* pSite = m_pDockSite;
    // The last entry (a row break) stays; entry 0 is never a bar.
    for (INT_PTR i = m_arrBars.GetSize() - 2; i >= 1; --i)
    {
        if (i >= m_arrBars.GetSize())
            continue;
        void* pEntry = m_arrBars[i];
        if (CDockBar::IsBarEntry(pEntry))
        {
            CControlBar* pBar = static_cast<CControlBar*>(pEntry);
            pBar->m_pDockBar = nullptr;
            if (IsContainer(pBar) && pBar->m_hWnd != nullptr)
                if (CExtDockBar* pInner = ContainerDockBar(pBar))
                    pInner->ReleaseAllBars();
            if (pSite != nullptr && pSite->m_hWnd != nullptr && pBar->m_hWnd != nullptr && pBar->GetParent() != pSite)
            {
                CExtControlBar* pExtBar =
                    pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ? static_cast<CExtControlBar*>(pBar) : nullptr;
                const bool bNoSize = pExtBar != nullptr && pExtBar->m_bNoSizeHandling;
                if (pExtBar != nullptr)
                    pExtBar->m_bNoSizeHandling = true;
                pBar->SetParent(pSite);
                if (pExtBar != nullptr)
                    pExtBar->m_bNoSizeHandling = bNoSize;
            }
        }
        m_arrBars.RemoveAt(i);
    }
    m_bLayoutLocked = bLocked;
}

void CExtDockBar::AppendBarAsRow(CExtControlBar* pBar, bool bClientSideFirst)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || m_hWnd == nullptr)
        return;
    const UINT nSide = GetDockSide();
    const bool bFirst = bClientSideFirst && (nSide == AFX_IDW_DOCKBAR_RIGHT || nSide == AFX_IDW_DOCKBAR_BOTTOM);
    if (pBar->m_pDockBar == this)
        RemoveEntry(FindBar(pBar));
    else
    {
        if (pBar->IsWindowVisible())
            pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        if (pBar->GetParent() != this)
            pBar->SetParent(this);
        TakeBarStyle(pBar);
        if (CDockBar* pOld = pBar->m_pDockBar)
        {
            if (pOld->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
            {
                CExtDockBar* pOldExt = static_cast<CExtDockBar*>(pOld);
                const bool bOldFloats = pOldExt->m_bFloating != FALSE;
                pOldExt->RemoveControlBarEx(pBar, -1, 0, false);
                if (!bOldFloats)
                    pOldExt->CollapseRedundantContainers();
            }
            else
                pOld->RemoveControlBar(pBar);
        }
        if (pBar->m_pDockContext != nullptr)
            pBar->m_pDockContext->m_uMRUDockID = nSide;
    }
    if (bFirst)
    {
        m_arrBars.InsertAt(1, static_cast<void*>(nullptr));
        m_arrBars.InsertAt(1, pBar);
    }
    else
    {
        if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
            m_arrBars.Add(nullptr);
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
    }
    pBar->m_pDockBar = this;
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    if (!m_bLayoutLocked)
        RemoveEmptyRings(DockSiteFrame());
}

// ---------------------------------------------------------------------------------------------
// Layout and painting

CSize CExtDockBar::AvailableLayoutSize() const
{
    if (!m_rectLayout.IsRectEmpty())
        return m_rectLayout.Size();
    CRect rc(0, 0, 0, 0);
    if (CFrameWnd* pFrame = DockSiteFrame(); pFrame != nullptr && pFrame->m_hWnd != nullptr)
        pFrame->GetClientRect(&rc);
    return rc.Size();
}

CSize CExtDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize sizeMax = AvailableLayoutSize();
    const int nMaxAlong = bHorz ? sizeMax.cx : sizeMax.cy;
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    CSize sizeResult(0, 0);
    int nAlong = 0;
    int nCross = 0;
    int nRowExtent = 0;
    bool bRowHasBar = false;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
        if (pBar != nullptr && pBar->IsVisible())
        {
            const CSize sizeBar = pBar->CalcDynamicLayout(-1, CDockBar::LayoutModeOf(pBar));
            const int nExtent = bHorz ? sizeBar.cx : sizeBar.cy;
            CRect rcCurrent;
            pBar->GetWindowRect(&rcCurrent);
            ScreenToClient(&rcCurrent);
            int nStart = nAlong;
            int nLength = nExtent;
            if (!m_bFloating)
            {
                nStart = std::max(nStart, 0);
                if (nStart + nLength > nMaxAlong)
                {
                    nStart = std::max(nMaxAlong - nLength, nAlong);
                    nLength = std::max(0, std::min(nLength, nMaxAlong - nStart));
                }
            }
            // Fixed-size and plain bars that no longer fit start the next row.
            CExtControlBar* pExtBar = pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ? static_cast<CExtControlBar*>(pBar) : nullptr;
            const bool bResizable = pExtBar != nullptr && !pExtBar->IsFixedSizeBar();
            int nMinimal = nExtent;
            if (pExtBar != nullptr)
                nMinimal = bHorz ? pExtBar->GetMinimalWidth() : pExtBar->GetMinimalHeight();
            if (!bResizable && !m_bFloating && bRowHasBar && (nLength < nMinimal || nStart >= nMaxAlong))
            {
                m_arrBars.InsertAt(i, static_cast<void*>(nullptr));
                pBar = nullptr;
            }
            else
            {
                const CSize sizePlaced = bHorz ? CSize(nLength, sizeBar.cy) : CSize(sizeBar.cx, nLength);
                CRect rect = bHorz ? CRect(CPoint(nStart, nCross), sizePlaced) : CRect(CPoint(nCross, nStart), sizePlaced);
                if (rect != rcCurrent)
                {
                    if (!m_bLayoutQuery && !(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext != nullptr)
                        pBar->m_pDockContext->m_rectMRUDockPos = rect;
                    AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
                }
                nAlong = nStart + nLength;
                nRowExtent = std::max(nRowExtent, static_cast<int>(bHorz ? sizeBar.cy : sizeBar.cx));
                bRowHasBar = true;
                if (bHorz)
                    sizeResult.cx = std::max<LONG>(sizeResult.cx, nAlong);
                else
                    sizeResult.cy = std::max<LONG>(sizeResult.cy, nAlong);
            }
        }
        if (pBar != nullptr)
            pBar->RecalcDelayShow(&layout);
        if (m_arrBars[i] == nullptr && bRowHasBar)
        {
            nCross += nRowExtent;
            (bHorz ? sizeResult.cy : sizeResult.cx) = nCross - kRowOverlap;
            nCross -= kRowOverlap;
            nAlong = 0;
            nRowExtent = 0;
            bRowHasBar = false;
        }
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    if ((!bStretch || !bHorz) && sizeResult.cx != 0)
        sizeResult.cx += kBorderExtent;
    if ((!bStretch || bHorz) && sizeResult.cy != 0)
        sizeResult.cy += kBorderExtent;
    if (bStretch)
        (bHorz ? sizeResult.cx : sizeResult.cy) = nMaxAlong;
    if (!m_bLayoutQuery)
        UpdateNestedLayout();
    return sizeResult;
}

void CExtDockBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CExtMemoryDC dc(pDC, &rcClient);
    g_PaintManagerHolder->FillDockAreaBackground(dc, rcClient, this, 0);
    g_PaintManagerHolder->NotifyPaintDone(this, 0);
}

void CExtDockBar::DrawBorders(CDC* pDC, CRect& rect)
{
    CExtDrawBarBordersArgs args(this, CExtDrawBarBordersArgs::BORDER_BAR_FRAME, m_dwStyle, rect);
    g_PaintManagerHolder->DrawBarBorders(*pDC, args);
}

void CExtDockBar::DrawGripper(CDC*, const CRect&) {}

LRESULT CExtDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    if (m_bLayoutLocked)
        return 0;
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const LRESULT lResult = CDockBar::OnSizeParent(wParam, lParam);
    const UINT nSide = GetDockSide();
    if (!(m_dwStyle & CBRS_ALIGN_ANY) || nSide == AFX_IDW_DOCKBAR_FLOAT)
        return lResult;
    if (lpLayout->hDWP != nullptr)
        Invalidate();
    // What the layout leaves, collapsed onto this dock bar's inner edge: the drop analysis reads it.
    CRect rcEdge(lpLayout->rect);
    switch (nSide)
    {
    case AFX_IDW_DOCKBAR_TOP:
        rcEdge.bottom = rcEdge.top;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        rcEdge.right = rcEdge.left;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        rcEdge.left = rcEdge.right;
        break;
    default:
        rcEdge.top = rcEdge.bottom;
        break;
    }
    if (CWnd* pParent = GetParent())
        pParent->ClientToScreen(&rcEdge);
    m_rcInnerEdge = rcEdge;
    return lResult;
}

void CExtDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}

void CExtDockBar::OnNcPaint() {}

BOOL CExtDockBar::OnEraseBkgnd(CDC*) { return TRUE; }

void CExtDockBar::OnDestroy()
{
    ReleaseAllBars();
    CDockBar::OnDestroy();
}

LRESULT CExtDockBar::OnHelpHitTest(WPARAM, LPARAM) { return 0; }

void CExtDockBar::OnCancelMode()
{
    CDockBar::OnCancelMode();
    // A modal dialog disables the frame: its menus are not ours to end.
    CFrameWnd* pFrame = DockSiteFrame();
    const bool bModal = pFrame != nullptr && pFrame->m_hWnd != nullptr && !pFrame->IsWindowEnabled();
    if (!bModal && !CExtControlBar::IsFrameInHelpMode(this))
        CExtPopupMenuWnd::EndActiveTracking();
    CancelToolTips();
}

void CExtDockBar::OnContextMenu(CWnd*, CPoint)
{
    CFrameWnd* pFrame = DockSiteFrame();
    if (pFrame == nullptr || CExtControlBar::IsFrameInHelpMode(this) || GetDockedCount() == 0)
        return;
    CPoint ptCursor;
    if (!::GetCursorPos(&ptCursor))
        return;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    pPopup->PrepareEmptyPopup(pFrame->m_hWnd);
    if (!CExtControlBar::BuildFrameBarsMenu(pFrame, pPopup, CExtControlBar::POPUP_MENU_EVENT_DATA::DOCKBAR_CTX, this,
                                            WM_CONTEXTMENU, nullptr) ||
        pPopup->CountItems() == 0)
    {
        delete pPopup;
        return;
    }
    pFrame->SetFocus();
    if (!pPopup->StartTracking(kBarListMenuTrackFlags, ptCursor.x, ptCursor.y))
        delete pPopup;
}

CExtDockBar* CExtDockBar::GetInnermostRingBar()
{
    CExtDockBar* pDockBar = this;
    while (pDockBar->m_pInnerRingBar != nullptr)
        pDockBar = pDockBar->m_pInnerRingBar;
    return pDockBar;
}

void CExtDockBar::InsertRowBreak(int nIndex)
{
    m_arrBars.InsertAt(nIndex, static_cast<void*>(nullptr), 1);
}
