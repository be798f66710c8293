// Bar-state records: how a record tree is captured from the live bars and how it brings them
// back in three steps, and how the platform's dock state and the outer items are re-applied.
#include "ui/bars/ExtControlBarState.h"

#include "ui/bars/ExtDockBar.h"
#include "ui/bars/ExtDockDynBar.h"
#include "ui/bars/ExtDynControlBar.h"
#include "ui/bars/ExtDynTabControlBar.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"
#include "ui/core/ExtPaintManager.h"

#include "platform/mfc/DockContext.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/ResourceException.h"

#include <algorithm>

namespace
{
using StateBar = CExtControlBar::InternalDockStateBar;

constexpr DWORD RESET_MRU_WIDTH = 50;
constexpr LONG RESET_EXTENT = 200;
// A re-created container: a child window with every border and tool tips.
constexpr DWORD CONTAINER_WINDOW_STYLE = WS_CHILD | CBRS_BORDER_ANY | CBRS_TOOLTIPS;
constexpr DWORD CONTAINER_DOCKING = 0xF000;
constexpr UINT NO_REDRAW_MOVE = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
constexpr int FLOAT_PROBE_EXTENT = 10;

bool IsSideDockBarId(UINT nId)
{
    return nId >= CExtControlBar::DOCKBAR_TOP && nId <= CExtControlBar::DOCKBAR_BOTTOM;
}

// Entries of a dock bar's array that are bars, not row breaks or placeholders.
CControlBar* BarAt(const CDockBar& dockBar, INT_PTR i)
{
    void* pEntry = dockBar.m_arrBars[i];
    if (pEntry == nullptr || reinterpret_cast<UINT_PTR>(pEntry) < AFX_DOCKBAR_PLACEHOLDER_LIMIT)
        return nullptr;
    return static_cast<CControlBar*>(pEntry);
}

CRect WindowRectIn(CWnd& wnd, CWnd* pReference)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    if (pReference != nullptr && pReference->GetSafeHwnd() != nullptr)
        pReference->ScreenToClient(&rc);
    return rc;
}

void MoveWithoutRedraw(CWnd& wnd, const RECT& rc)
{
    wnd.SetWindowPos(nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, NO_REDRAW_MOVE);
}

// A floating frame kept on the work area of its monitor; true when it had to move.
bool FitFloatingFrame(CFrameWnd& frame)
{
    CRect rc;
    frame.GetWindowRect(&rc);
    const CRect fitted = CExtPaintManager::FitRectToMonitor(rc, true, false);
    if (fitted == rc)
        return false;
    MoveWithoutRedraw(frame, fitted);
    frame.DelayRecalcLayout(TRUE);
    return true;
}

CExtDockBar* FrameDockBar(CFrameWnd* pFrame, UINT nId)
{
    return dynamic_cast<CExtDockBar*>(pFrame->GetControlBar(nId));
}

// A container's own dock bar leaves the frame's bar list once: the frame lays out the container,
// which lays out its dock bar.
void TakeContainerDockBarOffFrameList(CFrameWnd* pFrame, CExtDynControlBar& container)
{
    CExtDockDynBar* pDockBar = container.m_pWndDynDockBar;
    if (pDockBar == nullptr || pDockBar->m_bLeftFrameList)
        return;
    if (POSITION pos = pFrame->m_listControlBars.Find(pDockBar))
        pFrame->m_listControlBars.RemoveAt(pos);
    pDockBar->m_bLeftFrameList = true;
}
}  // namespace

// Record basics -----------------------------------------------------------------------------------

CExtControlBar::InternalDockStateBar::InternalDockStateBar() : m_dwBarStyle(0), m_ptMRUFloatPos(0, 0)
{
    Reset();
}

CExtControlBar::InternalDockStateBar::~InternalDockStateBar()
{
    Clear();
}

void CExtControlBar::InternalDockStateBar::Reset()
{
    m_nBarID = DOCKBAR_FLOAT;
    m_nDockBarID = DOCKBAR_FLOAT;
    m_nRing = 0;
    m_nMRUWidth = RESET_MRU_WIDTH;
    m_dwRecordFlags = 0;
    m_dwMRUFloatStyle = 0;
    m_dwFloatFrameStyle = WS_CHILD;
    m_nReclaimExtent = 0;
    m_ptFloatPos = CPoint(0, 0);
    m_rcMRUDockPos.SetRectEmpty();
    m_rcFloatFrame = CRect(0, 0, RESET_EXTENT, RESET_EXTENT);
    m_rcInDockBar = CRect(0, 0, RESET_EXTENT, RESET_EXTENT);
    m_sizeDockedHorz = m_sizeDockedVert = m_sizeFloating = CSize(RESET_EXTENT, RESET_EXTENT);
    m_nSelectedTab = -1;
    m_pRestoredBar = nullptr;
}

void CExtControlBar::InternalDockStateBar::Clear()
{
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i)
        delete m_arrChildren[i];
    m_arrChildren.RemoveAll();
    Reset();
}

int CExtControlBar::InternalDockStateBar::GetDepth() const
{
    int nDeepest = 0;
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i)
        nDeepest = std::max(nDeepest, m_arrChildren[i]->GetDepth());
    return 1 + nDeepest;
}

// Outer items ------------------------------------------------------------------------------------

CExtControlBar::OuterItemData_t::OuterItemData_t()
    : m_nBarID(DOCKBAR_FLOAT),
      m_ptFloatPos(0, 0),
      m_sizeDockedHorz(RESET_EXTENT, RESET_EXTENT),
      m_sizeDockedVert(RESET_EXTENT, RESET_EXTENT),
      m_sizeFloating(RESET_EXTENT, RESET_EXTENT),
      m_bFloating(false)
{
}

CExtControlBar::OuterItemData_t::OuterItemData_t(const OuterItemData_t& other)
    : m_nBarID(other.m_nBarID),
      m_ptFloatPos(other.m_ptFloatPos),
      m_sizeDockedHorz(other.m_sizeDockedHorz),
      m_sizeDockedVert(other.m_sizeDockedVert),
      m_sizeFloating(other.m_sizeFloating),
      m_placement(other.m_placement),
      m_bFloating(other.m_bFloating)
{
}

CExtControlBar::OuterItemData_t& CExtControlBar::OuterItemData_t::operator=(const OuterItemData_t& other)
{
    m_nBarID = other.m_nBarID;
    m_ptFloatPos = other.m_ptFloatPos;
    m_sizeDockedHorz = other.m_sizeDockedHorz;
    m_sizeDockedVert = other.m_sizeDockedVert;
    m_sizeFloating = other.m_sizeFloating;
    m_placement = other.m_placement;
    m_bFloating = other.m_bFloating;
    return *this;
}

// Capture -----------------------------------------------------------------------------------------

void CExtControlBar::InternalDockStateBar::CaptureFromBar(CExtControlBar* pBar, InternalDockStateBar* /*pParent*/)
{
    Clear();
    m_nBarID = pBar->GetDlgCtrlID();
    m_nDockBarID = pBar->m_pDockBar != nullptr ? pBar->m_pDockBar->GetDlgCtrlID() : DOCKBAR_FLOAT;
    const bool bInFloatingFrame = pBar->m_pDockSite != nullptr && pBar->GetParentFrame() != nullptr &&
                                  !IsSideDockBarId(pBar->GetDockBarId());
    if (auto* pDockBar = dynamic_cast<CExtDockBar*>(pBar->m_pDockBar); pDockBar != nullptr && !bInFloatingFrame)
        m_nRing = pDockBar->m_nRing;
    if (pBar->IsVisible())
        m_dwRecordFlags |= FLAG_VISIBLE;
    if (pBar->m_bAutoHidden)
        m_dwRecordFlags |= FLAG_AUTO_HIDDEN;

    m_nMRUWidth = pBar->m_nMRUWidth;
    if (pBar->m_pDockBar != nullptr)
        m_rcInDockBar = WindowRectIn(*pBar, pBar->m_pDockBar);
    m_ptFloatPos = pBar->m_ptFloatPos;
    m_sizeDockedHorz = pBar->m_sizeDockedHorz;
    m_sizeDockedVert = pBar->m_sizeDockedVert;
    m_sizeFloating = pBar->m_sizeFloating;
    m_nReclaimExtent = static_cast<DWORD>(pBar->m_nReclaimExtent);
    if (const CDockContext* pContext = pBar->m_pDockContext) {
        m_rcMRUDockPos = pContext->m_rectMRUDockPos;
        m_dwMRUFloatStyle = pContext->m_dwMRUFloatStyle;
        m_ptMRUFloatPos = pContext->m_ptMRUFloatPos;
    }
    m_dwBarStyle = pBar->m_dwStyle;

    auto* pContainer = dynamic_cast<CExtDynControlBar*>(pBar);
    if (pContainer == nullptr) {
        m_dwRecordFlags |= KIND_PLAIN;
        return;
    }
    if (auto* pGroup = dynamic_cast<CExtDynTabControlBar*>(pContainer)) {
        m_dwRecordFlags |= KIND_TABBED;
        const int nSelected = (pGroup->GetStyle() & WS_VISIBLE) != 0 ? pGroup->m_wndTabSwitcher.GetSelectedIndex() : -1;
        CArray<CExtControlBar*, CExtControlBar*> pages;
        if (const CExtDockDynTabBar* pTabDockBar = pGroup->GetTabDockBar())
            pTabDockBar->CollectMembers(pages);
        for (INT_PTR i = 0; i < pages.GetSize(); ++i) {
            auto* pChild = new InternalDockStateBar;
            m_arrChildren.Add(pChild);
            pChild->CaptureFromBar(pages[i], this);
            pChild->m_dwRecordFlags |= FLAG_CHILD | FLAG_TAB | (i == nSelected ? FLAG_SELECTED_TAB : 0);
        }
    } else if (const CExtDockDynBar* pDockBar = pContainer->m_pWndDynDockBar) {
        m_dwRecordFlags |= KIND_CONTAINER;
        bool bRowBreak = false;
        for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); ++i) {
            if (pDockBar->m_arrBars[i] == nullptr) {
                bRowBreak = true;
                continue;
            }
            auto* pNested = dynamic_cast<CExtControlBar*>(BarAt(*pDockBar, i));
            if (pNested == nullptr)
                continue;
            auto* pChild = new InternalDockStateBar;
            m_arrChildren.Add(pChild);
            pChild->CaptureFromBar(pNested, this);
            pChild->m_dwRecordFlags |= FLAG_CHILD | (bRowBreak ? FLAG_NEW_ROW : 0);
            bRowBreak = false;
        }
    } else {
        m_dwRecordFlags |= KIND_CONTAINER;
    }
    // Floating information, for a container floating in a frame of its own.
    if (pBar->m_pDockSite == nullptr || IsSideDockBarId(pBar->GetDockBarId()))
        return;
    if (CFrameWnd* pFloatingFrame = pBar->GetParentFrame()) {
        m_dwRecordFlags |= FLAG_FLOATING;
        pFloatingFrame->GetWindowRect(&m_rcFloatFrame);
        m_dwFloatFrameStyle = pFloatingFrame->GetStyle();
    }
}

// Re-application ----------------------------------------------------------------------------------

void CExtControlBar::InternalDockStateBar::GiveValuesToBar(bool bWithStyle) const
{
    CExtControlBar* pBar = m_pRestoredBar;
    if (pBar == nullptr)
        return;
    if (bWithStyle)
        pBar->m_dwStyle = m_dwBarStyle;
    pBar->m_ptFloatPos = m_ptFloatPos;
    pBar->m_sizeDockedHorz = m_sizeDockedHorz;
    pBar->m_sizeDockedVert = m_sizeDockedVert;
    pBar->m_sizeFloating = m_sizeFloating;
    pBar->m_nReclaimExtent = static_cast<int>(m_nReclaimExtent);
    pBar->m_nMRUWidth = m_nMRUWidth;
    if (CDockContext* pContext = pBar->m_pDockContext) {
        pContext->m_rectMRUDockPos = m_rcMRUDockPos;
        pContext->m_dwMRUFloatStyle = m_dwMRUFloatStyle;
        pContext->m_ptMRUFloatPos = m_ptMRUFloatPos;
    }
}

void CExtControlBar::InternalDockStateBar::DockAndFixRow(CDockBar* pDockBar, bool bMove) const
{
    CExtControlBar* pBar = m_pRestoredBar;
    auto* pExtDockBar = dynamic_cast<CExtDockBar*>(pDockBar);
    if (pExtDockBar == nullptr)
        return;
    // The dock bar waits with its own layout until the bar and its row break are in place.
    pExtDockBar->SetLayoutLocked(true);
    pExtDockBar->DockControlBarEx(pBar, nullptr, false);
    if (bMove) {
        pBar->m_bNoSizeHandling = true;
        MoveWithoutRedraw(*pBar, m_rcInDockBar);
        pBar->m_bNoSizeHandling = false;
    }
    pExtDockBar->SetLayoutLocked(false);
    const int i = pExtDockBar->FindBar(pBar);
    if (i <= 1)
        return;
    const bool bNewRow = (m_dwRecordFlags & FLAG_NEW_ROW) != 0;
    if (bNewRow && pExtDockBar->m_arrBars[i - 1] != nullptr)
        pExtDockBar->m_arrBars.InsertAt(i, static_cast<void*>(nullptr));
    else if (!bNewRow && pExtDockBar->m_arrBars[i - 1] == nullptr)
        pExtDockBar->m_arrBars.RemoveAt(i - 1);
}

void CExtControlBar::InternalDockStateBar::ApplyStructure(CFrameWnd* pFrame, InternalDockStateBar* pParent)
{
    m_pRestoredBar = nullptr;
    const bool bChild = (m_dwRecordFlags & FLAG_CHILD) != 0 && pParent != nullptr;
    CExtDockBar* pParentDockBar = nullptr;
    if (bChild)
        if (auto* pContainer = dynamic_cast<CExtDynControlBar*>(pParent->m_pRestoredBar))
            pParentDockBar = pContainer->m_pWndDynDockBar;

    if (GetKind() == KIND_PLAIN) {
        // Loading checked that the bar exists; a bar gone since (destroyed by an earlier step)
        // leaves its record out.
        m_pRestoredBar = dynamic_cast<CExtControlBar*>(pFrame->GetControlBar(m_nBarID));
        if (m_pRestoredBar == nullptr)
            return;
        if (bChild) {
            if (pParentDockBar == nullptr)
                return;
            if ((m_dwRecordFlags & FLAG_TAB) != 0)
                InsertAsTab(pParentDockBar);
            else
                DockAndFixRow(pParentDockBar, true);
        } else {
            CExtDockBar* pSide = FrameDockBar(pFrame, m_nDockBarID);
            CExtDockBar* pRing = pSide != nullptr ? CExtDockBar::GoToRing(pSide, m_nRing) : nullptr;
            if (pRing == nullptr)
                return;
            // The dock bar places a shown bar; a hidden one gets no place from it and takes the
            // recorded one, so that saving again writes what was loaded.
            DockAndFixRow(pRing, (m_dwRecordFlags & FLAG_VISIBLE) == 0);
        }
    } else {
        const bool bFloating = (m_dwRecordFlags & FLAG_FLOATING) != 0;
        CExtMiniDockFrameWnd* pFloatingFrame = nullptr;
        if (bFloating) {
            pFloatingFrame = new CExtMiniDockFrameWnd;
            if (!pFloatingFrame->Create(pFrame, m_dwFloatFrameStyle)) {
                delete pFloatingFrame;
                AfxThrowResourceException();
            }
            MoveWithoutRedraw(*pFloatingFrame, CExtPaintManager::FitRectToMonitor(m_rcFloatFrame, true, false));
            pFloatingFrame->DelayRecalcLayout(TRUE);
        }
        CExtDynControlBar* pContainer = nullptr;
        if (GetKind() == KIND_TABBED) {
            // The frame may give a group of its own class.
            CExtDynTabControlBar* pGroup = nullptr;
            pFrame->SendMessage(g_nMsgCreateTabbedBar, reinterpret_cast<WPARAM>(&pGroup), 0);
            pContainer = pGroup != nullptr ? pGroup : new CExtDynTabControlBar;
        } else {
            pContainer = new CExtDynControlBar;
        }
        pContainer->m_sizeDockedHorz = m_sizeDockedHorz;
        pContainer->m_sizeDockedVert = m_sizeDockedVert;
        pContainer->m_sizeFloating = m_sizeFloating;
        if (!pContainer->CreateBarWindow(nullptr, pFrame, m_nBarID, CONTAINER_WINDOW_STYLE)) {
            delete pContainer;
            return;
        }
        m_pRestoredBar = pContainer;
        pContainer->m_pDockSite = pFrame;
        if (pContainer->m_pWndDynDockBar != nullptr)
            pContainer->m_pWndDynDockBar->m_pDockSite = pFrame;
        pContainer->SetOwner(pFrame);
        pContainer->EnableDocking(CONTAINER_DOCKING | CBRS_ALIGN_ANY);
        if (pFrame->m_listControlBars.Find(pContainer) == nullptr)
            pFrame->m_listControlBars.AddTail(pContainer);
        if (pFloatingFrame != nullptr)
            pContainer->SetParent(&pFloatingFrame->m_wndDockBar);
        TakeContainerDockBarOffFrameList(pFrame, *pContainer);
        if (pFloatingFrame != nullptr) {
            auto& dockBar = static_cast<CDockBar&>(pFloatingFrame->m_wndDockBar);
            if (auto* pExtDockBar = dynamic_cast<CExtDockBar*>(&dockBar))
                pExtDockBar->DockControlBarEx(pContainer, nullptr, false);
            else
                dockBar.DockControlBar(pContainer);
            pContainer->m_bNoSizeHandling = true;
            MoveWithoutRedraw(*pContainer, m_rcInDockBar);
            pContainer->m_bNoSizeHandling = false;
        } else if (bChild) {
            if (pParentDockBar != nullptr)
                DockAndFixRow(pParentDockBar, true);
        } else {
            CExtDockBar* pSide = FrameDockBar(pFrame, m_nDockBarID);
            if (CExtDockBar* pRing = pSide != nullptr ? CExtDockBar::GoToRing(pSide, m_nRing) : nullptr)
                DockAndFixRow(pRing, true);
        }
        m_nSelectedTab = -1;
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i) {
            InternalDockStateBar* pChild = m_arrChildren[i];
            pChild->ApplyStructure(pFrame, this);
            constexpr DWORD SHOWN_SELECTED_TAB = FLAG_SELECTED_TAB | FLAG_VISIBLE;
            if (GetKind() == KIND_TABBED && (pChild->m_dwRecordFlags & SHOWN_SELECTED_TAB) == SHOWN_SELECTED_TAB)
                m_nSelectedTab = static_cast<int>(i);
        }
    }

    CExtControlBar* pBar = m_pRestoredBar;
    pFrame->ShowControlBar(pBar, (m_dwRecordFlags & FLAG_VISIBLE) != 0, TRUE);
    if (auto* pFloatingFrame = dynamic_cast<CExtMiniDockFrameWnd*>(pBar->GetParentFrame())) {
        if (!pFloatingFrame->m_listControlBars.IsEmpty())
            pFloatingFrame->m_listControlBars.RemoveAll();
        FitFloatingFrame(*pFloatingFrame);
    }
    GiveValuesToBar(true);
}

void CExtControlBar::InternalDockStateBar::ApplyValues(CFrameWnd* pFrame, InternalDockStateBar* /*pParent*/)
{
    GiveValuesToBar(false);
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i)
        m_arrChildren[i]->ApplyValues(pFrame, this);
}

void CExtControlBar::InternalDockStateBar::ApplyFinish(CFrameWnd* pFrame, InternalDockStateBar* /*pParent*/)
{
    if (auto* pContainer = dynamic_cast<CExtDynControlBar*>(m_pRestoredBar)) {
        TakeContainerDockBarOffFrameList(pFrame, *pContainer);
        // The structure step placed the container without size handling: its dock bar still
        // has the size it was created with, and the frame's layout gives the container the same
        // place again, which sends no size change.
        pContainer->FitChildToClient(-1, -1, false);
        if ((m_dwRecordFlags & FLAG_FLOATING) != 0)
            if (CFrameWnd* pFloatingFrame = pContainer->GetParentFrame())
                pFloatingFrame->RecalcLayout(TRUE);
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i)
            m_arrChildren[i]->ApplyFinish(pFrame, this);
    }
    GiveValuesToBar(false);
    auto* pGroup = dynamic_cast<CExtDynTabControlBar*>(m_pRestoredBar);
    if (pGroup == nullptr || m_nSelectedTab < 0)
        return;
    if ((pGroup->GetStyle() & WS_VISIBLE) == 0)
        pGroup->ShowWindow(SW_SHOWNA);
    pGroup->SyncTabVisibility();
    // A selected tab past the strip's end names no page and changes nothing.
    CExtControlBar* pPage = pGroup->m_wndTabSwitcher.GetBarAt(m_nSelectedTab, true);
    if (pGroup->m_wndTabSwitcher.GetSelectedIndex() != m_nSelectedTab && pPage != nullptr && pPage->IsVisible())
        pGroup->SelectVisibleTab(m_nSelectedTab, true, true);
}

void CExtControlBar::InternalDockStateBar::InsertAsTab(CExtDockBar* pTabDockBar) const
{
    auto* pGroup = dynamic_cast<CExtDynTabControlBar*>(pTabDockBar->GetParent());
    CExtControlBar* pBar = m_pRestoredBar;
    if (pGroup == nullptr) {
        DockAndFixRow(pTabDockBar, true);
        return;
    }
    const bool bWasLocked = pTabDockBar->m_bLayoutLocked;
    pTabDockBar->SetLayoutLocked(true);
    pBar->m_bNoSizeHandling = true;
    pGroup->InsertBar(pBar, -1, false);
    MoveWithoutRedraw(*pBar, m_rcInDockBar);
    pBar->m_bNoSizeHandling = false;
    pTabDockBar->SetLayoutLocked(bWasLocked);
}

// The fixed-size part -----------------------------------------------------------------------------

void CExtControlBar::ApplyFrameDockState(CFrameWnd* pFrame, const CDockState& state,
                                         const CArray<OuterItemData_t, OuterItemData_t&>& outerItems)
{
    const INT_PTR nInfos = state.m_arrBarInfo.GetSize();
    auto infoAt = [&state](INT_PTR i) { return static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]); };
    for (INT_PTR i = 0; i < nInfos; ++i) {
        CControlBarInfo* pInfo = infoAt(i);
        pInfo->m_pBar = nullptr;
        // A floating frame is made for the dock bar of one; the bars it held name it by id.
        if (pInfo->m_bFloating && pInfo->m_bDockBar) {
            CMiniDockFrameWnd* pFloatingFrame =
                pFrame->CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            if (pFloatingFrame == nullptr)
                continue;
            CRect rc(pInfo->m_pointPos, CSize(FLOAT_PROBE_EXTENT, FLOAT_PROBE_EXTENT));
            pFloatingFrame->CalcWindowRect(&rc);
            pFloatingFrame->SetWindowPos(nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pFloatingFrame->m_wndDockBar;
        } else {
            pInfo->m_pBar = pFrame->GetControlBar(pInfo->m_nBarID);
        }
        if (pInfo->m_pBar != nullptr)
            pInfo->m_pBar->m_nMRUWidth = pInfo->m_nMRUWidth;
    }
    for (INT_PTR i = 0; i < outerItems.GetSize(); ++i) {
        const OuterItemData_t& item = outerItems[i];
        auto* pBar = dynamic_cast<CExtControlBar*>(pFrame->GetControlBar(item.m_nBarID));
        if (pBar == nullptr)
            continue;
        pBar->m_ptFloatPos = item.m_ptFloatPos;
        pBar->m_sizeDockedHorz = item.m_sizeDockedHorz;
        pBar->m_sizeDockedVert = item.m_sizeDockedVert;
        pBar->m_sizeFloating = item.m_sizeFloating;
        pBar->SetFixedBarPlacement(item.m_placement);
    }
    for (INT_PTR i = 0; i < nInfos; ++i) {
        CControlBarInfo* pInfo = infoAt(i);
        if (pInfo->m_pBar == nullptr)
            continue;
        if (auto* pExtBar = dynamic_cast<CExtControlBar*>(pInfo->m_pBar); pExtBar && pExtBar->m_pDockContext)
            pExtBar->m_ptFloatPos = pInfo->m_ptMRUFloatPos;
        pInfo->m_pBar->SetBarInfo(pInfo, pFrame);
        // The platform leaves a floating bar where its frame's dock bar put it, and with it the
        // delayed hide the load began with: the info's visibility decides.
        if (pInfo->m_bFloating && !pInfo->m_bDockBar)
            pInfo->m_pBar->DelayShow(pInfo->m_bVisible);
    }
    for (INT_PTR i = 0; i < outerItems.GetSize(); ++i) {
        const OuterItemData_t& item = outerItems[i];
        auto* pBar = dynamic_cast<CExtControlBar*>(pFrame->GetControlBar(item.m_nBarID));
        if (pBar == nullptr || !item.m_bFloating)
            continue;
        const CRect rc = CExtPaintManager::FitRectToMonitor(CRect(item.m_ptFloatPos, item.m_sizeFloating), true, false);
        if (auto* pFloatingFrame = dynamic_cast<CExtMiniDockFrameWnd*>(pBar->GetParentFrame())) {
            // The stored floating size of a fixed-size bar holds its frame's margins; the bar's
            // own is without them, or every load would grow the frame by its margins.
            if (pBar->IsFixedSizeBar()) {
                pFloatingFrame->RecalcLayout(TRUE);
                CRect rcFrame, rcBar;
                pFloatingFrame->GetWindowRect(&rcFrame);
                pBar->GetWindowRect(&rcBar);
                pBar->m_sizeFloating = item.m_sizeFloating - (rcFrame.Size() - rcBar.Size());
            }
            CRect rcNow;
            pFloatingFrame->GetWindowRect(&rcNow);
            if (rcNow != rc) {
                MoveWithoutRedraw(*pFloatingFrame, rc);
                pFloatingFrame->DelayRecalcLayout(TRUE);
            }
        } else {
            pBar->FloatAt(rc.left, rc.top, CBRS_ALIGN_TOP);
        }
    }
    for (INT_PTR i = 0; i < nInfos; ++i) {
        CControlBarInfo* pInfo = infoAt(i);
        auto* pDockBar = dynamic_cast<CDockBar*>(pInfo->m_pBar);
        if (!pInfo->m_bFloating || !pInfo->m_bDockBar || pDockBar == nullptr || pDockBar->GetDockedVisibleCount() <= 0)
            continue;
        if (CFrameWnd* pFloatingFrame = pDockBar->GetParentFrame()) {
            pFloatingFrame->RecalcLayout(TRUE);
            pFloatingFrame->ShowWindow(SW_SHOWNA);
        }
        for (INT_PTR j = 1; j < pDockBar->m_arrBars.GetSize(); ++j)
            if (auto* pBar = dynamic_cast<CExtControlBar*>(BarAt(*pDockBar, j)); pBar && !pBar->IsFixedSizeBar())
                pBar->RecalcNonClient();
    }
}
