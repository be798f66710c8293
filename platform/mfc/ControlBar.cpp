#include "platform/mfc/ControlBar.h"

#include "platform/mfc/DC.h"
#include "platform/mfc/DockBar.h"
#include "platform/mfc/DockContext.h"
#include "platform/mfc/DockState.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/MiniDockFrameWnd.h"
#include "platform/mfc/PaintDC.h"

#include <algorithm>

namespace
{
// Extent of an unstretched bar's open side, and of the gripper drawn across a docked bar.
constexpr int kStretchExtent = 32767;
constexpr int kGripperExtent = 6;
constexpr int kBorderExtent = 2;
// Help ids answered by WM_HELPHITTEST.
constexpr LRESULT kHelpBaseCommand = 0x10000;
constexpr LRESULT kHelpBaseControl = 0x50000;

// Messages whose unhandled rest belongs to the owner: the bar's controls talk to the frame.
bool IsOwnerMessage(UINT message)
{
    switch (message)
    {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return true;
    default:
        return false;
    }
}
}

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    // Destroyed here, while the message map is still this class's, so that OnDestroy leaves
    // the frame's list and the dock bar.
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete m_pDockContext;
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

CRect CControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    if (m_hWnd != nullptr)
        EnableToolTips((m_dwStyle & CBRS_TOOLTIPS) != 0);
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (dwDockStyle == 0)
    {
        delete m_pDockContext;
        m_pDockContext = nullptr;
        return;
    }
    if (m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
    if (m_hWnd != nullptr && ::GetWindow(m_hWnd, GW_OWNER) == nullptr)
        SetOwner(GetParent());
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != nullptr ? pFrame : m_pDockSite;
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) != 0 || (m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0);
}

BOOL CControlBar::IsDockBar() const { return FALSE; }

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(bStretch && bHorz ? kStretchExtent : 0, bStretch && !bHorz ? kStretchExtent : 0);
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    // The inside of an empty rectangle is negative by the borders: they add to the size.
    size.cx = std::min(kStretchExtent, static_cast<int>(size.cx - rect.Width()));
    size.cy = std::min(kStretchExtent, static_cast<int>(size.cy - rect.Height()));
    return size;
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    const BOOL bStretch = (dwMode & LM_STRETCH) != 0;
    if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout(bStretch, (dwMode & LM_HORZDOCK) != 0);
    return CalcFixedLayout(bStretch, (dwMode & LM_HORZ) != 0);
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBorderExtent;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += kBorderExtent;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= kBorderExtent;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBorderExtent;
    const bool bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz)
    {
        rect.left += m_cxLeftBorder + (bGripper ? kGripperExtent : 0);
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        // A vertical bar turns its borders with it.
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder + (bGripper ? kGripperExtent : 0);
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    ::FillRect(pDC->m_hDC, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    UINT nEdges = 0;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        nEdges |= BF_LEFT;
    if (m_dwStyle & CBRS_BORDER_TOP)
        nEdges |= BF_TOP;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        nEdges |= BF_RIGHT;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        nEdges |= BF_BOTTOM;
    if (nEdges != 0)
        ::DrawEdge(pDC->m_hDC, &rect, EDGE_ETCHED, nEdges | BF_ADJUST);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    CRect rcGripper = rect;
    if (m_dwStyle & CBRS_ORIENT_HORZ)
    {
        rcGripper.left += m_cxLeftBorder / 2;
        rcGripper.right = rcGripper.left + kGripperExtent / 2;
    }
    else
    {
        rcGripper.top += m_cxLeftBorder / 2;
        rcGripper.bottom = rcGripper.top + kGripperExtent / 2;
    }
    ::DrawEdge(pDC->m_hDC, &rcGripper, BDR_RAISEDINNER, BF_RECT);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    const BOOL bVisible = m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = m_dwStyle | (m_hWnd != nullptr ? (GetStyle() & WS_VISIBLE) : 0);
    if (!(m_nStateFlags & (delayHide | delayShow)))
        return dwStyle;
    const bool bShow = (m_nStateFlags & delayShow) != 0;
    dwStyle = bShow ? (dwStyle | WS_VISIBLE) : (dwStyle & ~WS_VISIBLE);
    // A measuring layout only reports the state to come; the real one applies it.
    if (lpLayout == nullptr || lpLayout->hDWP != nullptr)
    {
        m_nStateFlags &= ~(delayHide | delayShow);
        const UINT nFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                            (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
        if (lpLayout != nullptr)
            lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, nFlags);
        else
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, nFlags);
    }
    return dwStyle;
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    if (pInfo == nullptr)
        return;
    pInfo->m_pBar = this;
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_bVisible = IsVisible();
    pInfo->m_bFloating = IsFloating();
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_bDockBar = IsDockBar();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    CRect rect;
    GetWindowRect(&rect);
    if (m_pDockBar != nullptr && m_pDockBar->m_hWnd != nullptr)
        m_pDockBar->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    pInfo->m_bDocking = m_pDockContext != nullptr;
    if (m_pDockContext != nullptr)
    {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
    pInfo->m_arrBarID.RemoveAll();
    if (!IsDockBar())
        return;
    // A dock bar lists its rows by bar ids, placeholders as they stand.
    const CDockBar* pDockBar = static_cast<const CDockBar*>(this);
    for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); ++i)
    {
        void* pEntry = pDockBar->m_arrBars[i];
        UINT_PTR nID = reinterpret_cast<UINT_PTR>(pEntry);
        if (pEntry != nullptr && nID >= AFX_DOCKBAR_PLACEHOLDER_LIMIT)
            nID = static_cast<UINT_PTR>(static_cast<CControlBar*>(pEntry)->GetDlgCtrlID());
        pInfo->m_arrBarID.Add(reinterpret_cast<void*>(nID));
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    if (pInfo == nullptr || m_hWnd == nullptr)
        return;
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (m_pDockContext != nullptr)
    {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    if (IsDockBar() && pFrameWnd != nullptr)
    {
        // Rows come back from the ids; bars the frame lacks are left out.
        CDockBar* pDockBar = static_cast<CDockBar*>(this);
        CPtrArray arrBars;
        arrBars.Add(nullptr);
        for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i)
        {
            const UINT nID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(pInfo->m_arrBarID[i]));
            if (nID == 0)
            {
                if (arrBars[arrBars.GetSize() - 1] != nullptr)
                    arrBars.Add(nullptr);
                continue;
            }
            CControlBar* pBar = pFrameWnd->GetControlBar(nID);
            if (pBar == nullptr || pBar == this || pBar->IsDockBar())
                continue;
            if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar != pDockBar)
                pBar->m_pDockBar->RemoveControlBar(pBar, -1, -1);
            if (pBar->GetParent() != pDockBar)
                pBar->SetParent(pDockBar);
            pBar->m_pDockBar = pDockBar;
            pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) |
                              (pDockBar->m_dwStyle & CBRS_ALIGN_ANY) | (pDockBar->m_bFloating ? CBRS_FLOATING : 0);
            arrBars.Add(pBar);
        }
        if (arrBars[arrBars.GetSize() - 1] != nullptr)
            arrBars.Add(nullptr);
        pDockBar->m_arrBars.RemoveAll();
        pDockBar->m_arrBars.Append(arrBars);
        return;
    }
    const UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (pInfo->m_bFloating)
        return; // the floating frame's dock bar carries the place
    ::SetWindowPos(m_hWnd, nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
    m_nStateFlags &= ~(delayHide | delayShow);
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;
    // Bar styles given with the window style become the bar's own; callers that set m_dwStyle
    // themselves pass none.
    if (cs.style & CBRS_ALL)
    {
        m_dwStyle = cs.style & CBRS_ALL;
        cs.style &= ~CBRS_ALL;
    }
    return TRUE;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsOwnerMessage(message))
    {
        LRESULT lResult = 0;
        if (OnWndMsg(message, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (pOwner != nullptr && pOwner != this && pOwner->m_hWnd != nullptr)
            return pOwner->SendMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

int CControlBar::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips();
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsFrameWnd())
    {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar != nullptr)
    {
        const int nPos = m_pDockBar->FindBar(this);
        if (nPos > 0)
            m_pDockBar->RemoveEntry(nPos);
        m_pDockBar = nullptr;
    }
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    CWnd::OnDestroy();
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockContext != nullptr && OnToolHitTest(point, nullptr) == -1)
    {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext != nullptr && m_pDockBar != nullptr && OnToolHitTest(point, nullptr) == -1)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD dwStyle = RecalcDelayShow(lpLayout);
    if (!(dwStyle & WS_VISIBLE) || !(dwStyle & CBRS_ALIGN_ANY))
        return 0;
    CRect rect(lpLayout->rect);
    const CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = std::max<LONG>(0, std::min<LONG>(size.cx, sizeAvail.cx));
    size.cy = std::max<LONG>(0, std::min<LONG>(size.cy, sizeAvail.cy));
    if (dwStyle & CBRS_ORIENT_HORZ)
    {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max<LONG>(lpLayout->sizeTotal.cx, size.cx);
        if (dwStyle & CBRS_ALIGN_TOP)
            lpLayout->rect.top += size.cy;
        else
        {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max<LONG>(lpLayout->sizeTotal.cy, size.cy);
        if (dwStyle & CBRS_ALIGN_LEFT)
            lpLayout->rect.left += size.cx;
        else
        {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != nullptr)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    const INT_PTR nTool = OnToolHitTest(point, nullptr);
    if (nTool != -1)
        return kHelpBaseCommand + nTool;
    const int nID = GetDlgCtrlID();
    return nID != 0 ? kHelpBaseControl + nID : 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_hWnd == nullptr || !(GetStyle() & WS_VISIBLE))
        return 0;
    // The owner frame handles the bar's commands; a floating bar's owner is still the dock site.
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner != nullptr ? pOwner->AsFrameWnd() : nullptr;
    if (pTarget == nullptr)
        pTarget = GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}
