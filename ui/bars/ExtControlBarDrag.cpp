// The modal drag of a bar: the threshold wait, the loop, each step's feedback and the end.
#include "ui/bars/ExtControlBar.h"

#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtDynDockMarkerWnd.h"
#include "ui/bars/ExtDynTabControlBar.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"
#include "ui/bars/ExtModalLoop.h"
#include "ui/core/ExtPaintManager.h"

#include <algorithm>

using State = CExtControlBar::InternalDraggingState_t;

namespace {

constexpr WPARAM CTRL_MOVE_FLAGS = MK_LBUTTON | MK_CONTROL;
// Window DC of the tracking frame: the window's, cached, clipped by siblings, drawn over
// locked windows.
constexpr DWORD TRACKING_DC_FLAGS = DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE;

// Drag steps do not nest.
bool g_bInDragStep = false;
// The application's end cancels a drag in every style: nothing is applied on the way out.
bool g_bEndingForQuit = false;

bool IsKeyMessage(UINT nMessage)
{
    return nMessage >= WM_KEYFIRST && nMessage <= WM_KEYLAST;
}

bool IsButtonDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

// A bar destroyed (and, for a container, deleted) during its drag leaves the registry.
bool IsRegisteredBar(const CExtControlBar* pBar)
{
    CSingleLock lock(&CExtControlBar::g_csBars, TRUE);
    for (INT_PTR i = 0; i < CExtControlBar::g_AllBars.GetSize(); ++i)
        if (CExtControlBar::g_AllBars[i] == pBar)
            return true;
    return false;
}

CPoint CursorInClient(HWND hWnd)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(hWnd, &pt);
    return pt;
}

} // namespace

bool CExtControlBar::WaitForDragThreshold(CPoint ptStart, int nThresholdX, int nThresholdY)
{
    const HWND hWnd = m_hWnd;
    CExtModalLoop loop(hWnd);
    MSG msg;
    bool bStart = false;
    for (;;) {
        if (!loop.WaitPeek(msg))
            break;
        const UINT m = msg.message;
        if (m == WM_QUIT) {
            loop.TakeQuit();
            break;
        }
        if (m == WM_MOUSEMOVE && msg.hwnd == hWnd) {
            CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            ::ClientToScreen(hWnd, &pt);
            if (std::abs(pt.x - ptStart.x) < nThresholdX && std::abs(pt.y - ptStart.y) < nThresholdY) {
                CExtModalLoop::Discard(msg);
                continue;
            }
            bStart = true;
            break;
        }
        if (m == WM_KEYDOWN && msg.wParam == VK_CONTROL) {
            CExtModalLoop::Discard(msg);
            continue;
        }
        const bool bOwnMouse = msg.hwnd == hWnd && m >= WM_LBUTTONDOWN && m <= WM_MOUSEWHEEL;
        const bool bOtherMouse = msg.hwnd != hWnd && m >= WM_MOUSEMOVE && m <= WM_MOUSEWHEEL;
        if (m == WM_ACTIVATEAPP || m == WM_CANCELMODE || m == WM_CONTEXTMENU || IsKeyMessage(m) || bOwnMouse ||
            bOtherMouse)
            break;
        if (!loop.Pump() || !::IsWindow(hWnd))
            break;
        if (::GetCapture() != hWnd)
            break;
    }
    if (!bStart && ::IsWindow(hWnd) && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    loop.RepostQuit();
    return bStart && ::IsWindow(hWnd);
}

void CExtControlBar::BeginDrag(const POINT& ptScreen, const POINT& ptGrabOffset, int nThresholdX, int nThresholdY)
{
    CFrameWnd* pSite = GetDragFrame();
    WORD wBusy = 0;
    if (pSite != nullptr && g_mapFramesBarStateBusy.Lookup(pSite, wBusy))
        return;
    CExtDynDockMarkerWnd::InstallPaintManagerHooks();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    const HWND hWnd = m_hWnd;
    SetMouseCapture(hWnd);
    if (nThresholdX > 0 && nThresholdY > 0 && !WaitForDragThreshold(ptScreen, nThresholdX, nThresholdY))
        return;

    g_DragStateOld.m_pBar = this;
    g_DragStateOld.Reset();
    g_DragStateNew.m_pBar = this;
    g_DragStateNew.Reset();
    g_DragStateNew.m_bEmpty = false;
    OnDragStart();
    m_bDragging = true;

    int t = std::min(m_rcCaption.Width(), m_rcCaption.Height());
    int nGrabY = t / 2;
    if (t < 3) {
        t = ::GetSystemMetrics(SM_CYSMCAPTION) / 2;
        nGrabY = ::GetSystemMetrics(SM_CYSMCAPTION) / 2;
    }
    m_ptGrabFloating = m_ptGrabDockedHorz = m_ptGrabDockedVert = CPoint(t, nGrabY);
    if (ptGrabOffset.x != 0 || ptGrabOffset.y != 0) {
        if (IsInFloatingFrame())
            m_ptGrabFloating = ptGrabOffset;
        else if (m_pDockSite != nullptr ? IsDockedAtTopOrBottom() : (m_dwStyle & CBRS_ORIENT_HORZ) != 0)
            m_ptGrabDockedHorz = ptGrabOffset;
        else
            m_ptGrabDockedVert = ptGrabOffset;
    }

    const bool bStyle1 = GetEffectiveDockingStyle() == 1;
    DragStep(ptScreen, IsCtrlDown());
    if (bStyle1 && !IsFixedSizeBar() && !IsFixedSizeMode() && IsRegisteredBar(this) && ::IsWindow(hWnd)) {
        if (g_DragStateNew.m_nCode == State::CODE_FLOAT)
            ApplyDragResult(g_DragStateNew, false);
        BuildOuterMarkers(GetDragFrame(), false);
        UpdateInnerMarkers(GetDragFrame(), false);
    }
    if (IsRegisteredBar(this) && ::IsWindow(hWnd))
        SetTimer(TIMER_DRAG_STEP, DRAG_STEP_PERIOD_MS, nullptr);
    RunDragLoop();
}

bool CExtControlBar::IsCtrlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

void CExtControlBar::RunDragLoop()
{
    const HWND hWnd = m_hWnd;
    CExtModalLoop loop(hWnd);
    MSG msg;
    bool bEndCancelled = false;
    auto alive = [this, hWnd]() { return IsRegisteredBar(this) && ::IsWindow(hWnd); };
    while (alive() && m_bDragging) {
        if (!loop.WaitPeek(msg))
            break;
        const UINT m = msg.message;
        if (m == WM_QUIT) {
            loop.TakeQuit();
            bEndCancelled = true;
            break;
        }
        if (m == WM_TIMER && msg.hwnd == hWnd && msg.wParam == TIMER_DRAG_STEP) {
            CExtModalLoop::Discard(msg);
            const CPoint pt = CursorInClient(hWnd);
            ::PostMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            continue;
        }
        if (m == WM_MOUSEMOVE) {
            const WPARAM wFlags = msg.wParam;
            CPoint pt = loop.TakeLastMouseMove(msg);
            ::ScreenToClient(hWnd, &pt);
            OnMouseMoveTracking(static_cast<UINT>(wFlags), pt);
            continue;
        }
        if (IsKeyMessage(m)) {
            // Ctrl only asks for another step, so it is taken even inside one (else it is lost).
            if ((m == WM_KEYDOWN || m == WM_KEYUP) && msg.wParam == VK_CONTROL) {
                CPoint ptCursor;
                ::GetCursorPos(&ptCursor);
                // The same position would be skipped as no move.
                if (ptCursor == m_ptLastDragPos)
                    --m_ptLastDragPos.x;
                const CPoint pt = CursorInClient(hWnd);
                ::PostMessageA(hWnd, WM_MOUSEMOVE, m == WM_KEYDOWN ? CTRL_MOVE_FLAGS : 0, MAKELPARAM(pt.x, pt.y));
                loop.Pump();
                continue;
            }
            if (g_bInDragStep) {
                loop.Pump();
                continue;
            }
            CExtModalLoop::Discard(msg);
            bEndCancelled = true;
            break;
        }
        switch (m) {
        case WM_ACTIVATEAPP: case WM_CANCELMODE: case WM_CONTEXTMENU: case WM_NCLBUTTONUP: case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            CExtModalLoop::Discard(msg);
            bEndCancelled = true;
            break;
        default:
            if (::GetCapture() == hWnd && IsButtonDown(VK_LBUTTON) && !IsButtonDown(VK_RBUTTON) &&
                !IsButtonDown(VK_MBUTTON)) {
                loop.Pump();
                continue;
            }
            // The release itself comes here only when the capture went: the drag ends.
            if (m == WM_LBUTTONUP) {
                loop.Pump();
                continue;
            }
            bEndCancelled = true;
            break;
        }
        break;
    }
    if (alive()) {
        KillTimer(TIMER_DRAG_STEP);
        if (m_bDragging) {
            g_bEndingForQuit = loop.HasQuit();
            EndDrag(bEndCancelled);
            g_bEndingForQuit = false;
        }
    } else {
        // The bar's window went during its drag: the drag's own state goes, and the bar's flags
        // when the object is still there.
        if (IsRegisteredBar(this)) {
            m_bDragging = false;
            m_ptLastDragPos = CPoint(-1, -1);
        }
        CExtDynDockMarkerWnd::DestroyAllMarkers();
        g_DragStateOld.Reset();
        g_DragStateNew.Reset();
        g_DragStateOld.m_pBar = g_DragStateNew.m_pBar = nullptr;
        if (::GetCapture() == hWnd)
            ::ReleaseCapture();
    }
    loop.RepostQuit();
}

void CExtControlBar::DragStep(const POINT& ptScreen, bool bForceFloat)
{
    if (g_bInDragStep || CPoint(ptScreen) == m_ptLastDragPos)
        return;
    // The first step of a drag has no last position: it starts where it is.
    const CPoint ptLast = m_ptLastDragPos == CPoint(-1, -1) ? CPoint(ptScreen) : m_ptLastDragPos;
    m_ptLastDragPos = ptScreen;
    g_bInDragStep = true;
    const HWND hWnd = m_hWnd;
    State& stNew = g_DragStateNew;
    State& stOld = g_DragStateOld;
    AnalyzeDrop(stNew, ptScreen, bForceFloat, ptLast);
    const bool bStyle1 = IsShowContentWhenDragging() && GetEffectiveDockingStyle() == 1;
    const bool bResizable = !IsFixedSizeBar() && !IsFixedSizeMode();
    CFrameWnd* pSite = GetDragFrame();
    if (stNew.IsEqual(stOld)) {
        if (bForceFloat) {
            CExtDynDockMarkerWnd::ShowAllMarkers(false);
        } else if (bStyle1 && State::IsTabCode(stNew.m_nCode)) {
            CExtDynDockMarkerWnd::ResetAllHighlights(true);
            if (stNew.m_nCode != State::CODE_TAB_AT_INDEX_MARKER)
                CExtDynDockMarkerWnd::ShowAllMarkers(false);
        } else if (bStyle1 && bResizable) {
            UpdateInnerMarkers(pSite, true);
            CExtDynDockMarkerWnd::ShowAllMarkers(true);
        }
        CExtPaintManager::DispatchPendingPaintMessages();
    } else {
        if (!stOld.m_bEmpty) {
            DrawDragFeedback(stOld);
            CExtPaintManager::DispatchPendingPaintMessages();
            if (State::IsTabCode(stOld.m_nCode))
                CExtDynTabControlBar::DropTemporaryTabsOf(stOld.m_pTarget);
        }
        if (!stNew.m_bEmpty) {
            DrawDragFeedback(stNew);
            if (State::IsTabCode(stNew.m_nCode))
                CExtDynTabControlBar::ShowDragProposalTab(stNew);
        }
        if (bStyle1) {
            if (State::IsTabCode(stNew.m_nCode)) {
                CExtDynDockMarkerWnd::ResetAllHighlights(true);
                if (stNew.m_nCode != State::CODE_TAB_AT_INDEX_MARKER)
                    CExtDynDockMarkerWnd::ShowAllMarkers(false);
            } else {
                if (stNew.m_nCode != State::CODE_MARKER_TAB) {
                    UpdateInnerMarkers(pSite, !bForceFloat);
                    if (!bForceFloat)
                        CExtDynDockMarkerWnd::ShowAllMarkers(true);
                }
                if (!stOld.m_bEmpty)
                    ApplyDragResult(stNew, false);
            }
        }
        stOld.Assign(stNew);
    }
    // The markers this step built may already lie under the cursor, unseen by its analysis (moves
    // come merged, so the first step over a bar may land on its markers): the next step analyses
    // the same point again, so the proposal is the marker the user sees lit.
    if (bStyle1 && !bForceFloat && !State::IsMarkerCode(stNew.m_nCode) &&
        stNew.m_nCode != State::CODE_TAB_AT_INDEX_MARKER)
        if (CExtDynDockMarkerWnd* pUnder = CExtDynDockMarkerWnd::FromScreenPoint(ptScreen);
            pUnder != nullptr && pUnder->IsDockingKind())
            m_ptLastDragPos = CPoint(-1, -1);
    // Marker animations keep running while the loop holds the queue.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE)) {
        if (msg.hwnd == hWnd && msg.wParam == TIMER_DRAG_STEP)
            break;
        if (!::PeekMessageA(&msg, msg.hwnd, WM_TIMER, WM_TIMER, PM_REMOVE))
            break;
        ::DispatchMessageA(&msg);
    }
    if (::IsWindow(hWnd) && m_bDragging && ::GetCapture() != hWnd)
        SetMouseCapture(hWnd);
    g_bInDragStep = false;
}

void CExtControlBar::EndDrag(bool bCancel)
{
    CExtDynDockMarkerWnd::DestroyAllMarkers();
    if (!m_bDragging)
        return;
    m_bDragging = false;
    m_ptLastDragPos = CPoint(-1, -1);
    const bool bStyle1 = GetEffectiveDockingStyle() == 1;
    // The marker style applies the last proposal whatever ended the drag, but the application's end.
    if (bStyle1 && !g_bEndingForQuit)
        bCancel = false;
    State& stNew = g_DragStateNew;
    State& stOld = g_DragStateOld;
    if (!stNew.m_bEmpty) {
        if (!State::IsTabCode(stNew.m_nCode))
            CExtPaintManager::DispatchPendingPaintMessages();
        DrawDragFeedback(stNew);
        OnDragStop(reinterpret_cast<LPARAM>(&stOld), &stNew, bCancel);
        if (!bCancel && (!IsShowContentWhenDragging() || (!stOld.m_bEmpty && !stOld.IsEqual(stNew)) || bStyle1)) {
            // Applying may move the bar into other windows: the proposal is taken first.
            State final(stNew);
            ApplyDragResult(final, true);
        }
    }
    stOld.Reset();
    stNew.Reset();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (IsInFloatingFrame() && !IsShowContentWhenDragging())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    if (bCancel) {
        if (CFrameWnd* pSite = GetDragFrame())
            pSite->DelayRecalcLayout();
    }
}

void CExtControlBar::DrawDragFeedback(const InternalDraggingState_t& state)
{
    if (state.m_nCode == State::CODE_NO_CHANGE || IsFixedSizeBar() || IsFixedSizeMode())
        return;
    const bool bStyle1 = GetEffectiveDockingStyle() == 1;
    if (IsShowContentWhenDragging() && !bStyle1)
        return;
    if (State::IsTabCode(state.m_nCode))
        return; // temporary tabs of a tabbed group show these
    if (bStyle1) {
        if (IsInFloatingFrame()) {
            CFrameWnd* pFrame = GetParentFrame();
            if (pFrame != nullptr && !pFrame->IsWindowVisible())
                pFrame->ShowWindow(SW_SHOWNA);
        }
        return;
    }
    CRect rc(state.m_rcTrack);
    if (rc.IsRectEmpty())
        return;
    auto* pTargetBar = (state.m_pTarget != nullptr && state.m_pTarget->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
                           ? static_cast<CExtControlBar*>(state.m_pTarget)
                           : nullptr;
    if (pTargetBar != nullptr && pTargetBar->m_pDockBar != nullptr) {
        CRect rcDockBar;
        pTargetBar->m_pDockBar->GetWindowRect(&rcDockBar);
        if (rcDockBar.IsRectEmpty() || !rc.IntersectRect(&rc, &rcDockBar))
            return;
    }
    if (rc.Width() < 2 * ::GetSystemMetrics(SM_CXFRAME) + 1 || rc.Height() < 2 * ::GetSystemMetrics(SM_CYFRAME) + 1)
        return;
    CFrameWnd* pSite = GetDragFrame();
    const bool bEdgeCode = state.m_nCode >= State::CODE_CLIENT_TOP && state.m_nCode <= State::CODE_EDGE_RIGHT;
    CFrameWnd* pTargetFrame = nullptr;
    if (pTargetBar != nullptr) {
        pTargetFrame = pTargetBar->GetParentFrame();
        if (pTargetFrame == nullptr)
            pTargetFrame = pTargetBar->m_pDockSite;
    }
    const bool bInSite =
        pSite != nullptr && ((pTargetBar == nullptr && bEdgeCode) || (pTargetBar != nullptr && pTargetFrame == pSite));
    CWnd* pDrawWnd = bInSite ? static_cast<CWnd*>(pSite) : CWnd::GetDesktopWindow();
    if (bInSite) {
        CRect rcSite;
        pSite->GetWindowRect(&rcSite);
        rc.OffsetRect(-rcSite.left, -rcSite.top);
    } else if (pTargetBar != nullptr && pTargetFrame != pSite) {
        rc.OffsetRect(-1, -1);
    }
    HDC hDC = ::GetDCEx(pDrawWnd->GetSafeHwnd(), nullptr, TRACKING_DC_FLAGS);
    if (hDC == nullptr)
        return;
    TrackedArea_t area;
    area.m_pBar = this;
    area.m_pDC = CDC::FromHandle(hDC);
    area.m_nAreaKind = state.m_nCode == State::CODE_TAB_INTO_BAR ? TrackedArea_t::KIND_TAB_FRAME
                                                                  : TrackedArea_t::KIND_FRAME;
    area.m_rcArea = rc;
    area.DrawOrOffer();
    ::ReleaseDC(pDrawWnd->GetSafeHwnd(), hDC);
}
