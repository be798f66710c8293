// Construction, the registry of bars, window creation, the window procedure, the message table
// and the bar's plain queries.
#include "ui/bars/ExtControlBar.h"

#include "ui/bars/ExtBarNcAreaButton.h"
#include "ui/bars/ExtControlBarDragState.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDynAutoHideArea.h"
#include "ui/bars/ExtDynAutoHideSlider.h"
#include "ui/bars/ExtDynTabControlBar.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"
#include "ui/core/ExtResourceManager.h"

using namespace ExtBarDetail;

namespace
{
constexpr UINT kBarClassStyle = 0x400B; // CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_GLOBALCLASS
// Window-style bits the created window keeps: not the CBRS_ bits, not the gripper bit.
constexpr DWORD kWindowStyleMask = 0xFFBF0000;
constexpr DWORD kStateDelayHide = 1;
constexpr DWORD kStateDelayShow = 2;
constexpr DWORD kStateTempHidden = 4;
constexpr int kMinimalWidthAlongTop = 10;
constexpr SIZE kMinimalFloatingSize{80, 60};
constexpr SIZE kDockedHorzSize{200, 150};
constexpr SIZE kDockedVertSize{150, 200};
constexpr SIZE kFloatingSize{200, 200};
constexpr int kMaxSplitter = 4;
constexpr UINT kFullRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME;
constexpr UINT kIdleLayoutAndNotify = 0xC;
constexpr UINT kFrameOnlyFromStyleId = 0xF000;
// Hit-test answers of WM_HELPHITTEST's own protocol.
constexpr int kHelpHitNone = -3;
constexpr int kHelpHitNoHelp = -2;
constexpr int kHelpHitDefault = -1;
constexpr LRESULT kHelpHitIdBase = 0x10000;
constexpr UINT kIdsDragPrompt = 30057;

// Hit-code bits of QueryFrameBars' filter: a bar passes when its answer is one of those set.
struct QueryHitBit
{
    DWORD dwBit;
    LRESULT nHitCode;
};
constexpr QueryHitBit kQueryHitBits[] = {
    {0x40000, HTLEFT},        {0x80000, HTRIGHT},        {0x100000, HTTOP},        {0x200000, HTBOTTOM},
    {0x400000, HTTOPLEFT},    {0x800000, HTTOPRIGHT},    {0x1000000, HTBOTTOMLEFT}, {0x2000000, HTBOTTOMRIGHT},
    {0x4000000, HTNOWHERE},   {0x10000000, HTSIZE},      {0x20000000, HTMINBUTTON}, {0x40000000, HTMAXBUTTON},
    {0x80000000, HTCLIENT},
};
constexpr DWORD kQueryHitMask = 0xF7FC0000;

// A title from a command's menu text: every ampersand goes.
CString StripAmpersands(const CString& sText)
{
    CString sOut;
    for (int i = 0; i < sText.GetLength(); ++i)
        if (sText[i] != '&')
            sOut += sText[i];
    return sOut;
}

} // namespace

namespace ExtBarDetail
{
bool RegisterBarFamilyClass(LPCSTR lpszClassName, UINT nClassStyle)
{
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    WNDCLASSA wc{};
    if (::GetClassInfoA(hInstance, lpszClassName, &wc))
        return true;
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wc) != FALSE;
}

bool IsKindOfNamed(const CObject* pObject, LPCSTR lpszClassName)
{
    if (pObject == nullptr)
        return false;
    const CRuntimeClass* pClass = CRuntimeClass::FromName(lpszClassName);
    return pClass != nullptr && pObject->IsKindOf(pClass);
}

CWnd* PermanentOf(HWND hWnd)
{
    return hWnd != nullptr && ::IsWindow(hWnd) ? CWnd::FromHandlePermanent(hWnd) : nullptr;
}

CFrameWnd* FrameSkippingFloating(const CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    CFrameWnd* pFrame = pWnd->GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

HWND OwnerOrParent(HWND hWnd)
{
    HWND hWndOwner = ::GetWindow(hWnd, GW_OWNER);
    return hWndOwner != nullptr ? hWndOwner : ::GetParent(hWnd);
}
} // namespace ExtBarDetail

IMPLEMENT_DYNAMIC(CExtControlBar, CControlBar)

CExtControlBar::FixedBarPlacement_t::FixedBarPlacement_t()
{
    Reset();
}

CExtControlBar::FixedBarPlacement_t::FixedBarPlacement_t(const FixedBarPlacement_t& other)
{
    *this = other;
}

CExtControlBar::FixedBarPlacement_t& CExtControlBar::FixedBarPlacement_t::operator=(const FixedBarPlacement_t& other)
{
    m_dwHasPlacement = other.m_dwHasPlacement;
    m_rcPreferred = other.m_rcPreferred;
    m_sizePreferred = other.m_sizePreferred;
    m_dwPriority = other.m_dwPriority;
    return *this;
}

bool CExtControlBar::FixedBarPlacement_t::IsEmpty() const
{
    return m_dwHasPlacement == 0;
}

void CExtControlBar::FixedBarPlacement_t::Reset()
{
    m_dwHasPlacement = 0;
    ::SetRectEmpty(&m_rcPreferred);
    m_sizePreferred.cx = m_sizePreferred.cy = 0;
    m_dwPriority = 1;
}

CExtControlBar::CExtControlBar()
    : m_bCaptionAlongTop(true), m_bEraseBackground(false), m_bInDialog(false), m_bTakesPartInLayout(true),
      m_bClosing(false), m_bListedInBarsMenu(true), m_bFixedSize(false), m_bBarFlagReserved(false),
      m_nCaptionHeight(::GetSystemMetrics(SM_CYSMCAPTION) + 1), m_nCaptionWidth(::GetSystemMetrics(SM_CYSMCAPTION) + 1),
      m_nSplitterHeight(std::min(::GetSystemMetrics(SM_CYFRAME), kMaxSplitter)),
      m_nSplitterWidth(std::min(::GetSystemMetrics(SM_CXFRAME), kMaxSplitter)),
      m_nNcWidth(::GetSystemMetrics(SM_CYSMCAPTION) + m_nSplitterHeight + 1), m_nNcHeight(m_nNcWidth), m_nTrackPos(0),
      m_nTrackValue(0), m_sizeDockedHorz(kDockedHorzSize), m_sizeDockedVert(kDockedVertSize),
      m_sizeFloating(kFloatingSize), m_rcCaption(0, 0, 0, 0), m_rcRowSplitter(0, 0, 0, 0),
      m_rcInRowSplitter(0, 0, 0, 0), m_rcLeadSplitter(0, 0, 0, 0), m_bRowResizing(false), m_bRowRecalcing(false),
      m_bDragging(false), m_bFitChildToClient(true), m_bNoSizeHandling(false), m_nReclaimExtent(0),
      m_ptFloatPos(0, 0), m_ptGrabFloating(0, 0), m_ptGrabDockedHorz(0, 0), m_ptGrabDockedVert(0, 0),
      m_bCaptionActive(false), m_bTrackingLeadSplitter(false), m_bNcButtonHover(false), m_bAutoHidden(false),
      m_ptLastDragPos(-1, -1)
{
    RegisterBarFamilyClass(CExtControlBar::WINDOW_CLASS_NAME, kBarClassStyle);
    CSingleLock lock(&g_csBars, TRUE);
    g_AllBars.Add(this);
}

CExtControlBar::~CExtControlBar()
{
    {
        CSingleLock lock(&g_csBars, TRUE);
        for (INT_PTR i = 0; i < g_AllBars.GetSize(); ++i) {
            if (g_AllBars[i] == this) {
                g_AllBars.RemoveAt(i);
                break;
            }
        }
    }
    DeleteNcButtons();
}

void CExtControlBar::DeleteNcButtons()
{
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i)
        m_arrNcButtons[i]->OnNcDestroy();
    m_arrNcButtons.RemoveAll();
}

BOOL CExtControlBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!RegisterBarFamilyClass(CExtControlBar::WINDOW_CLASS_NAME, kBarClassStyle) || !CControlBar::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = WINDOW_CLASS_NAME;
    return TRUE;
}

void CExtControlBar::PreSubclassWindow()
{
    CControlBar::PreSubclassWindow();
    m_bClosing = false;
    CWnd* pParent = GetParent();
    if (pParent != nullptr && !pParent->IsKindOf(RUNTIME_CLASS(CControlBar))
        && !pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) && !m_bInDialog) {
        m_dwStyle = GetStyle() & STYLE_KEPT_MASK;
        m_bInDialog = true;
    }
    if ((m_dwStyle & CBRS_TOOLTIPS) != 0)
        EnableToolTips(TRUE);
    if ((GetExStyle() & EXSTYLE_RTL_MASK) != 0)
        ModifyStyleEx(EXSTYLE_RTL_MASK, 0, SWP_FRAMECHANGED);
}

bool CExtControlBar::CreateBarWindow(LPCSTR lpszCaption, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!RegisterBarFamilyClass(CExtControlBar::WINDOW_CLASS_NAME, kBarClassStyle))
        return false;
    m_dwStyle = dwStyle & STYLE_KEPT_MASK;
    CString sTitle;
    if (lpszCaption != nullptr) {
        sTitle = lpszCaption;
    } else if (nID != 0 && nID != 0xFFFFFFFFu) {
        LPCSTR lpszProfile =
            g_CmdManagerHolder->FindProfileNameForWindow(pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr);
        CExtCmdItem* pCmd = lpszProfile != nullptr ? g_CmdManagerHolder->FindCommand(lpszProfile, nID) : nullptr;
        if (pCmd != nullptr)
            sTitle = StripAmpersands(pCmd->m_sMenuText);
        else
            sTitle = g_ResourceManagerHolder->LoadStringOrDefault(nID, "");
    }
    const int nLineFeed = sTitle.Find('\n');
    if (nLineFeed >= 0)
        sTitle = sTitle.Left(nLineFeed);
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           g_PaintManagerHolder->BrushByIndex(COLOR_BTNFACE), nullptr);
    const DWORD dwWindowStyle = (dwStyle & kWindowStyleMask) | WS_CLIPCHILDREN;
    if (!CWnd::Create(lpszClass, sTitle, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return false;
    if ((GetExStyle() & EXSTYLE_RTL_MASK) != 0)
        ModifyStyleEx(EXSTYLE_RTL_MASK, 0, SWP_FRAMECHANGED);
    return true;
}

INT_PTR CExtControlBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    if (g_bToolBarsTrackMenu || CExtPopupMenuWnd::IsTrackingActive())
        return -1;
    CExtControlBar* pThis = const_cast<CExtControlBar*>(this);
    CPoint ptScreen(point);
    pThis->ClientToScreen(&ptScreen);
    CExtBarNcAreaButton* pButton = nullptr;
    pThis->HitTestNcButtons(ptScreen.x, ptScreen.y, &pButton);
    if (pButton == nullptr)
        return -1;
    CRect rcWnd;
    pThis->GetWindowRect(&rcWnd);
    return pButton->OnToolHitTest(CPoint(ptScreen.x - rcWnd.left, ptScreen.y - rcWnd.top), pTI);
}

BOOL CExtControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    CWnd* pParent = GetParent();
    if (IsKindOfNamed(pParent, kDockDynBar) && pParent->PreTranslateMessage(pMsg))
        return TRUE;
    // No OLE controls live in bars here, so the in-place accelerator step has nothing to ask.
    if (IsFrameInHelpMode(this))
        return FALSE;
    if (!m_bInDialog) {
        HWND hWndFrame = OwnerOrParent(m_hWnd);
        for (CWnd* pWnd = PermanentOf(hWndFrame); pWnd != nullptr;) {
            CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pWnd);
            if (pFrame == nullptr)
                pFrame = pWnd->GetParentFrame();
            if (pFrame == nullptr)
                break;
            if (pFrame->PreTranslateMessage(pMsg))
                return TRUE;
            pWnd = pFrame->GetParentFrame();
        }
        return FALSE;
    }
    return PreTranslateInput(pMsg);
}

LRESULT CExtControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (!m_bInDialog && !IsFixedSizeBar()) {
            CFrameWnd* pFrame = FrameSkippingFloating(this);
            if (pFrame != nullptr)
                InstallFrameDockingImpl(pFrame, kFrameOnlyFromStyleId, true);
        }
        break;
    case WM_DESTROY:
        m_bClosing = true;
        if (m_bAutoHidden)
            CExtDynAutoHideArea::OnBarDestroyed(this);
        break;
    case WM_SETFOCUS: {
        const LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
        if (IsCollapsedInRow())
            ExpandInRow();
        if (!IsFixedSizeBar()) {
            HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
            if (hWndChild != nullptr && ::IsWindowVisible(hWndChild))
                ::SetFocus(hWndChild);
        }
        return lResult;
    }
    case WM_CLOSE:
        // The window stays; closing it is the owner's business, and m_bClosing must not stick.
        return 0;
    case WM_ERASEBKGND:
        if (!m_bEraseBackground)
            return 1;
        CExtPaintManager::ClipOutChildWindows(reinterpret_cast<HDC>(wParam), m_hWnd);
        break;
    case WM_WINDOWPOSCHANGING:
        if (m_pDockBar != nullptr || m_bInDialog)
            reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_FRAMECHANGED;
        break;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
        if (m_pDockBar != nullptr || m_bInDialog) {
            if (!IsFixedSizeBar())
                ReclaimRowExtent();
            if ((reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_FRAMECHANGED) != 0)
                LayoutNcButtons();
            else
                RecalcNonClient();
        }
        if ((reinterpret_cast<WINDOWPOS*>(lParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0)
            SyncContainerVisibility(this);
        return lResult;
    }
    case WM_NCDESTROY:
        m_bClosing = true;
        DeleteNcButtons();
        break;
    case WM_TIMER:
        if (wParam == TIMER_FULL_REDRAW) {
            ::RedrawWindow(m_hWnd, nullptr, nullptr, kFullRedraw);
            return 0;
        }
        break;
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

// clang-format off
BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_NCRBUTTONUP()
    ON_WM_CONTEXTMENU()
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_DISPLAYCHANGE()
    ON_WM_THEMECHANGED()
END_MESSAGE_MAP()
// clang-format on

void CExtControlBar::OnCancelMode()
{
    if (m_bRowResizing)
        RowResizingStop(true);
    if (m_bRowRecalcing)
        RowRecalcingStop(true);
    if (m_bDragging)
        EndDrag(true);
    CExtPopupMenuWnd::EndActiveTracking();
    CWnd::CancelToolTips(TRUE);
    if (m_bNcButtonHover) {
        m_bNcButtonHover = false;
        ::PostMessageA(m_hWnd, WM_NCPAINT, 0, 0);
    }
    Default();
}

void CExtControlBar::OnCaptureChanged(CWnd* /*pWnd*/)
{
    if (m_bRowResizing)
        RowResizingStop(true);
    if (m_bRowRecalcing)
        RowRecalcingStop(true);
    Default();
}

void CExtControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!OnMouseMoveTracking(nFlags, point))
        Default();
}

bool CExtControlBar::OnMouseMoveTracking(UINT nFlags, CPoint point)
{
    SetDragCursor(point);
    if (m_bNcButtonHover)
        return true;
    if (m_bRowResizing) {
        RowResizingUpdateState();
        return true;
    }
    if (m_bRowRecalcing) {
        RowRecalcingUpdateState();
        return true;
    }
    if (m_bDragging) {
        CPoint ptScreen(point);
        ClientToScreen(&ptScreen);
        DragStep(ptScreen, (nFlags & MK_CONTROL) != 0);
        return true;
    }
    return false;
}

void CExtControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockBar == nullptr || CExtPopupMenuWnd::IsTrackingActive()) {
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    if (IsFixedSizeBar() && !IsShowContentWhenDragging()) {
        if (m_pDockContext != nullptr)
            m_pDockContext->StartDrag(ptScreen);
        return;
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (IsFloating() && IsKindOfNamed(pParentFrame, kMiniDockFrameWnd)) {
        pParentFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptScreen.x, ptScreen.y));
        return;
    }
    if (!IsFixedSizeBar())
        SetFocus();
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    BeginDrag(ptScreen, CPoint(ptScreen.x - rcWnd.left, ptScreen.y - rcWnd.top), TRUE, TRUE);
}

void CExtControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bRowResizing)
        RowResizingStop(false);
    else if (m_bRowRecalcing)
        RowRecalcingStop(false);
    else if (m_bDragging)
        EndDrag(false);
    else
        CControlBar::OnLButtonUp(nFlags, point);
}

void CExtControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockBar != nullptr)
        ToggleDockedFloating();
    else
        CControlBar::OnLButtonDblClk(nFlags, point);
}

void CExtControlBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (m_bNoSizeHandling)
        return;
    FitChildToClient(cx, cy, true);
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
        LayoutNcButtons();
        pParentFrame->SendMessage(WM_NCPAINT);
    }
}

void CExtControlBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CControlBar::OnShowWindow(bShow, nStatus);
    if (nStatus == 0 && (m_pDockBar != nullptr || m_bInDialog) && !IsFixedSizeBar())
        ReclaimRowExtent();
}

LRESULT CExtControlBar::OnSetText(WPARAM /*wParam*/, LPARAM lParam)
{
    const LRESULT lResult = Default();
    const UINT nDockBarId = GetDockBarId();
    CFrameWnd* pParentFrame = GetParentFrame();
    if (m_pDockSite != nullptr && (nDockBarId < DOCKBAR_TOP || nDockBarId > DOCKBAR_BOTTOM)
        && pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
        LPCSTR lpszText = reinterpret_cast<LPCSTR>(lParam);
        if (m_pDockBar != nullptr)
            ::SetWindowTextA(m_pDockBar->GetSafeHwnd(), lpszText);
        pParentFrame->SetWindowText(lpszText);
        pParentFrame->DelayRecalcLayout(TRUE);
        pParentFrame->SendMessage(WM_NCPAINT);
    }
    if (m_bAutoHidden && !IsKindOfNamed(this, kDynControlBar)) {
        if (CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAreaOfBar(this))
            pArea->InvalidateLayout(true);
        if (CExtDynAutoHideSlider* pSlider = CExtDynAutoHideSlider::FindShowingSlider(this))
            pSlider->SendMessage(WM_NCPAINT);
        return lResult;
    }
    bool bShown = false;
    if (QueryGripper(nullptr, &bShown) && bShown)
        SendMessage(WM_NCPAINT);
    if (!IsFixedSizeBar() && !IsKindOfNamed(this, kDynControlBar) && IsVisible())
        RecalcNonClient();
    return lResult;
}

LRESULT CExtControlBar::OnSizeParent(WPARAM /*wParam*/, LPARAM lParam)
{
    if (!m_bTakesPartInLayout)
        return 0;
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (pLayout == nullptr)
        return 0;
    const DWORD dwStyle = RecalcDelayShow(pLayout);
    if ((dwStyle & WS_VISIBLE) == 0 || (dwStyle & CBRS_ALIGN_ANY) == 0)
        return 0;
    CRect rect(pLayout->rect);
    DWORD dwMode = pLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0 && (m_dwStyle & CBRS_FLOATING) != 0)
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if ((dwStyle & CBRS_ORIENT_HORZ) != 0)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = std::min<LONG>(size.cx, rect.Width());
    size.cy = std::min<LONG>(size.cy, rect.Height());
    if ((dwStyle & CBRS_ORIENT_HORZ) != 0) {
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max<LONG>(pLayout->sizeTotal.cx, size.cx);
        if ((dwStyle & CBRS_ALIGN_TOP) != 0) {
            pLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            pLayout->rect.bottom -= size.cy;
        }
    } else {
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max<LONG>(pLayout->sizeTotal.cy, size.cy);
        // A docked bar in a right-to-left parent takes its width from the opposite edge.
        const bool bMirrored =
            m_pDockBar != nullptr && (::GetWindowLongA(::GetParent(m_hWnd), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        const bool bFromLeft = ((dwStyle & CBRS_ALIGN_LEFT) != 0) != bMirrored;
        if (bFromLeft) {
            pLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            pLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (pLayout->hDWP != nullptr) {
        CRect rcOld;
        GetWindowRect(&rcOld);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rcOld), 2);
        if (rcOld != rect)
            pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                             rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    }
    return 0;
}

LRESULT CExtControlBar::OnHelpHitTest(WPARAM /*wParam*/, LPARAM lParam)
{
    SendMessage(WM_CANCELMODE);
    const int nHit = HitTestForHelp(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (nHit) {
    case kHelpHitNone:
        return 0;
    case kHelpHitNoHelp:
        return -1;
    case kHelpHitDefault:
        return CControlBar::OnHelpHitTest(0, lParam);
    default:
        return nHit + kHelpHitIdBase;
    }
}

void CExtControlBar::OnSysColorChange()
{
    CControlBar::OnSysColorChange();
    g_CmdManagerHolder.RelaySysColorChange(this);
    g_PaintManagerHolder.RelaySysColorChange(this);
    RequestFrameLayout();
}

void CExtControlBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CControlBar::OnSettingChange(uFlags, lpszSection);
    g_CmdManagerHolder.RelaySettingChange(this, uFlags, reinterpret_cast<LPARAM>(lpszSection));
    g_PaintManagerHolder.RelaySettingChange(this, uFlags, reinterpret_cast<LPARAM>(lpszSection));
    RequestFrameLayout();
}

void CExtControlBar::OnDisplayChange(UINT nBitsPerPixel, int cx, int cy)
{
    Default();
    g_CmdManagerHolder.RelayDisplayChange(this, static_cast<int>(nBitsPerPixel), cx, cy);
    g_PaintManagerHolder.RelayDisplayChange(this, static_cast<int>(nBitsPerPixel), cx, cy);
}

LRESULT CExtControlBar::OnThemeChanged()
{
    const LRESULT lResult = Default();
    g_CmdManagerHolder.RelayThemeChanged(this, 0, 0);
    g_PaintManagerHolder.RelayThemeChanged(this, 0, 0);
    return lResult;
}

CSize CExtControlBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL bHorz)
{
    return GetDesiredSize(bHorz != FALSE, false);
}

void CExtControlBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_bFitChildToClient && !IsFixedSizeBar()) {
        HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
        if (hWndChild != nullptr && ::IsWindowVisible(hWndChild)) {
            CRect rcChild;
            ::GetWindowRect(hWndChild, &rcChild);
            ScreenToClient(&rcChild);
            if (rcChild == rcClient)
                return;
        }
    }
    if (rcClient.IsRectEmpty() || !pDC->RectVisible(&rcClient))
        return;
    CExtPaintManager::ClipOutChildWindows(pDC->GetSafeHdc(), m_hWnd);
    {
        CExtMemoryDC dc(pDC, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
        DrawClientBackground(dc, rcClient);
    }
    g_PaintManagerHolder->NotifyPaintDone(this, 0);
}

void CExtControlBar::DelayShow(BOOL bShow)
{
    CControlBar::DelayShow(m_bAutoHidden ? FALSE : bShow);
}

bool CExtControlBar::InsertIntoBarsMenu(CExtPopupMenuWnd* pPopup)
{
    if (!m_bListedInBarsMenu || pPopup == nullptr)
        return false;
    return pPopup->InsertCommandItem(GetDlgCtrlID(), -1);
}

void CExtControlBar::OnBarHook(LPARAM /*lParam*/) {}

bool CExtControlBar::IsDockSiteInPrintPreview()
{
    return m_pDockSite != nullptr && !m_bInDialog && IsFrameInPrintPreview(m_pDockSite);
}

bool CExtControlBar::IsShownOrShow()
{
    if (m_bInDialog)
        return (GetStyle() & WS_VISIBLE) != 0;
    if (IsVisible() && (m_nStateFlags & kStateDelayShow) == 0)
        return true;
    if ((m_nStateFlags & kStateTempHidden) != 0)
        return false;
    CFrameWnd* pFrame = GetDockSiteOrFrame();
    if (IsFrameOleInPlaceActive(pFrame) && (m_dwStyle & CBRS_HIDE_INPLACE) != 0)
        return false;
    ToggleFrameBar(pFrame, GetDlgCtrlID(), false);
    CExtPopupMenuWnd::PumpPendingMessages(false);
    return ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd);
}

bool CExtControlBar::IsFixedSizeBar() const
{
    return m_bFixedSize;
}

bool CExtControlBar::IsFixedSizeMode() const
{
    return IsFixedSizeBar();
}

bool CExtControlBar::QueryGripper(bool* pbAlongTop, bool* pbShown)
{
    if (pbAlongTop != nullptr)
        *pbAlongTop = false;
    if (pbShown != nullptr)
        *pbShown = false;
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || (m_dwStyle & STYLE_GRIPPER) == 0 || IsFloating())
        return false;
    if (IsKindOfNamed(GetParentFrame(), kMiniDockFrameWnd) && IsSingleVisibleInFloatingFrame())
        return false;
    if (IsKindOfNamed(GetParent(), kDockDynTabBar) && !m_bAutoHidden)
        return false;
    if (pbAlongTop != nullptr)
        *pbAlongTop = m_bCaptionAlongTop || IsDockedAtLeftOrRight();
    if (pbShown != nullptr)
        *pbShown = true;
    return true;
}

bool CExtControlBar::IsSingleVisibleInFloatingFrame() const
{
    if (m_pDockSite == nullptr || m_hWnd == nullptr || !IsVisible() || IsFixedSizeBar())
        return false;
    CFrameWnd* pFloatingFrame = GetParentFrame();
    if (pFloatingFrame == nullptr || !pFloatingFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return false;
    for (POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CExtControlBar* pBar =
            DYNAMIC_DOWNCAST(CExtControlBar, static_cast<CObject*>(m_pDockSite->m_listControlBars.GetNext(pos)));
        if (pBar == nullptr || pBar == this || pBar->m_hWnd == nullptr || pBar->IsFixedSizeBar()
            || !pBar->IsVisible())
            continue;
        if (IsKindOfNamed(pBar, kDynControlBar) && !IsKindOfNamed(pBar, kDynTabControlBar))
            continue;
        if (IsKindOfNamed(pBar->GetParent(), kDockDynTabBar))
            continue;
        if (pBar->GetParentFrame() == pFloatingFrame)
            return false;
    }
    return true;
}

void CExtControlBar::ShowBar(bool bShow, bool bDelay, bool /*bOption*/)
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == nullptr) {
        pFrame = GetParentFrame();
        if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
            pFrame = pFrame->GetParentFrame();
    }
    if (pFrame != nullptr)
        pFrame->ShowControlBar(this, bShow, bDelay);
}

bool CExtControlBar::GetHideOption() const
{
    return g_bHideOption;
}

void CExtControlBar::DrawClientBackground(CDC& dc, const RECT& rc)
{
    g_PaintManagerHolder->DrawBarClientArea(dc, rc, this);
}

bool CExtControlBar::IsFullRowBar() const
{
    return false;
}

int CExtControlBar::GetMinimalWidth() const
{
    const int nWidth = m_rcLeadSplitter.Width() + m_nNcWidth;
    if (m_bCaptionAlongTop && nWidth <= kMinimalWidthAlongTop)
        return kMinimalWidthAlongTop;
    return nWidth;
}

int CExtControlBar::GetMinimalHeight() const
{
    return m_rcLeadSplitter.Height() + m_nNcHeight;
}

CSize CExtControlBar::GetMinimalFloatingSize() const
{
    return kMinimalFloatingSize;
}

CSize CExtControlBar::GetMinimalSize() const
{
    return CSize(GetMinimalWidth(), GetMinimalHeight());
}

CExtControlBar::FixedBarPlacement_t* CExtControlBar::GetFixedBarPlacement()
{
    return nullptr;
}

void CExtControlBar::SetFixedBarPlacement(const FixedBarPlacement_t& /*placement*/) {}

void CExtControlBar::ResetFixedBarPlacement()
{
    if (FixedBarPlacement_t* pPlacement = GetFixedBarPlacement())
        pPlacement->Reset();
}

bool CExtControlBar::IsFloatingWithCaption() const
{
    return false;
}

void CExtControlBar::RequestFrameLayout()
{
    if (!m_bTakesPartInLayout || m_bInDialog || m_hWnd == nullptr)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr || pFrame->m_bInRecalcLayout)
        return;
    CWnd* pTop = GetTopLevelNonChild(pFrame);
    if (pTop != nullptr) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        if (::GetWindowPlacement(pTop->GetSafeHwnd(), &wp) && wp.showCmd == SW_SHOWMINIMIZED)
            return;
    }
    WORD wBusy = 0;
    const bool bStateBusy = g_mapFramesBarStateBusy.Lookup(pFrame, wBusy) != FALSE;
    if (IsFixedSizeBar() && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
        if (pFrame->IsWindowVisible() && !bStateBusy)
            pFrame->RecalcLayout(TRUE);
        return;
    }
    pFrame->m_nIdleFlags |= kIdleLayoutAndNotify;
}

void CExtControlBar::RecalcNonClient()
{
    if (IsVisible())
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
}

int CExtControlBar::GetEffectiveDockingStyle()
{
    return g_nDockingStyleOverride != -1 ? g_nDockingStyleOverride : g_PaintManagerHolder->GetDockingStyle();
}

bool CExtControlBar::IsShowContentWhenDragging() const
{
    return GetEffectiveDockingStyle() == 1;
}

bool CExtControlBar::IsShowContentWhenRowResizing() const
{
    if (GetEffectiveDockingStyle() == 1)
        return false;
    return IsShowContentWhenDragging();
}

bool CExtControlBar::IsShowContentWhenRowRecalcing() const
{
    return IsShowContentWhenRowResizing();
}

void CExtControlBar::FitChildToClient(int cx, int cy, bool bRepaint)
{
    if (!m_bFitChildToClient || m_hWnd == nullptr)
        return;
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hWndChild == nullptr)
        return;
    CRect rcTarget(0, 0, cx, cy);
    if (cx < 0 || cy < 0)
        GetClientRect(&rcTarget);
    if (IsFloating())
        rcTarget.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    CRect rcChild;
    ::GetWindowRect(hWndChild, &rcChild);
    ScreenToClient(&rcChild);
    if (rcChild != rcTarget)
        ::MoveWindow(hWndChild, rcTarget.left, rcTarget.top, rcTarget.Width(), rcTarget.Height(), bRepaint);
}

void CExtControlBar::OnDragStart()
{
    CWnd::CancelToolTips(TRUE);
    CExtPopupMenuWnd::EndActiveTracking();
    CExtDynTabControlBar::OnPageDragStart(this);
    ::SendMessageA(OwnerOrParent(m_hWnd), WM_SETMESSAGESTRING, kIdsDragPrompt, 0);
}

void CExtControlBar::OnDragStop(LPARAM /*lReserved*/, InternalDraggingState_t* pState, bool bCancel)
{
    ::SendMessageA(OwnerOrParent(m_hWnd), WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    if (IsFixedSizeBar())
        return;
    CExtDynTabControlBar::OnPageDragStop(this, pState != nullptr ? pState->m_pTarget : nullptr, bCancel);
}

void CExtControlBar::SetDragCursor(const POINT& ptClient)
{
    if (IsFrameInHelpMode(this))
        return;
    HCURSOR hCursor = reinterpret_cast<HCURSOR>(::GetClassLongPtrA(m_hWnd, GCLP_HCURSOR));
    if (m_bInDialog) {
        // the class cursor
    } else if (m_bRowResizing) {
        hCursor = IsDockedAtLeftOrRight() ? g_hCursorResizeH : g_hCursorResizeV;
    } else if (m_bRowRecalcing) {
        hCursor = IsDockedAtLeftOrRight() ? g_hCursorResizeV : g_hCursorResizeH;
    } else if (m_bDragging) {
        if (IsFixedSizeBar()) {
            const int nHint = DragCursorHint();
            hCursor = nHint == 1 ? g_hCursorResizeH : nHint == 2 ? g_hCursorResizeV : g_hCursorDrag;
        }
    } else if (!IsFloating()) {
        CPoint ptWnd(ptClient);
        ClientToScreen(&ptWnd);
        CRect rcWnd;
        GetWindowRect(&rcWnd);
        ptWnd.Offset(-rcWnd.left, -rcWnd.top);
        if (m_rcCaption.PtInRect(ptWnd)) {
            hCursor = g_hCursorDrag;
            for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
                if (m_arrNcButtons[i]->OnNcAreaQueryCursor(ptWnd) != nullptr) {
                    hCursor = g_hCursorArrow;
                    break;
                }
            }
        }
    }
    if (hCursor != nullptr && hCursor != ::GetCursor())
        ::SetCursor(hCursor);
}

bool CExtControlBar::IsDockedInFrameOnly() const
{
    return false;
}

bool CExtControlBar::CanBeDockedToFrame() const
{
    return true;
}

bool CExtControlBar::CanBeTabbedWith(CExtControlBar* /*pBar*/) const
{
    return !(IsShowContentWhenDragging() && GetEffectiveDockingStyle() != 1);
}

bool CExtControlBar::CanDockBeside(CExtControlBar* /*pBar*/) const
{
    return true;
}

CWnd* CExtControlBar::GetTabbedGroupContainer() const
{
    CWnd* pParent = GetParent();
    return IsKindOfNamed(pParent, kDockDynTabBar) ? pParent->GetParent() : nullptr;
}

bool CExtControlBar::CanAutoHide() const
{
    return true;
}

bool CExtControlBar::CanBeMovedToAutoHide() const
{
    return true;
}

void CExtControlBar::GetCaptionText(LPARAM /*lReserved*/, CString& sText) const
{
    sText.Empty();
    if (m_hWnd != nullptr)
        GetWindowText(sText);
}

int CExtControlBar::HitTestForHelp(int /*x*/, int /*y*/)
{
    return kHelpHitDefault;
}

void CExtControlBar::QueryFrameBars(CExtControlBar* pExcludeBar, CFrameWnd* pFrame,
                                    CArray<CExtControlBar*, CExtControlBar*>& arrBars, DWORD dwFilter, POINT ptScreen)
{
    arrBars.RemoveAll();
    if ((dwFilter & QFB_KIND_MASK) == 0 || (dwFilter & QFB_VISIBILITY_MASK) == 0
        || (dwFilter & QFB_WND_VISIBILITY_MASK) == 0)
        return;
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_AllBars.GetSize(); ++i) {
        CExtControlBar* pBar = g_AllBars[i];
        const HWND hWndBar = pBar->GetSafeHwnd();
        if (hWndBar == nullptr || !::IsWindow(hWndBar))
            continue;
        if (pExcludeBar != nullptr
            && (pBar == pExcludeBar
                || (pExcludeBar->GetSafeHwnd() != nullptr && ::IsChild(pExcludeBar->GetSafeHwnd(), hWndBar))))
            continue;
        if (IsKindOfNamed(pBar, kDynControlBar) && !IsKindOfNamed(pBar, kDynTabControlBar))
            continue;
        if (pBar->m_bInDialog)
            continue;
        CFrameWnd* pBarFrame = pBar->m_pDockSite != nullptr ? pBar->m_pDockSite : FrameSkippingFloating(pBar);
        if (pBarFrame != pFrame)
            continue;
        if (dwFilter == QFB_ALL) {
            arrBars.Add(pBar);
            continue;
        }
        if (!pBar->PassesQueryFilter(dwFilter, ptScreen))
            continue;
        CExtControlBar* pReported = pBar;
        for (CWnd* pGroup = pReported->GetTabbedGroupContainer(); pGroup != nullptr;
             pGroup = pReported->GetTabbedGroupContainer()) {
            CExtControlBar* pGroupBar = DYNAMIC_DOWNCAST(CExtControlBar, pGroup);
            if (pGroupBar == nullptr)
                break;
            pReported = pGroupBar;
        }
        bool bListed = false;
        for (INT_PTR j = 0; j < arrBars.GetSize() && !bListed; ++j)
            bListed = arrBars[j] == pReported;
        if (!bListed)
            arrBars.Add(pReported);
        if ((dwFilter & QFB_FIRST_UNDER_POINT) != 0)
            break;
    }
}

bool CExtControlBar::PassesQueryFilter(DWORD dwFilter, const POINT& ptScreen)
{
    const DWORD dwKind =
        IsFixedSizeBar() ? QFB_FIXED : (IsCollapsedInRow() ? QFB_RESIZABLE_COLLAPSED : QFB_RESIZABLE);
    if ((dwFilter & dwKind) == 0)
        return false;
    if ((dwFilter & (IsVisible() ? QFB_IS_VISIBLE : QFB_IS_NOT_VISIBLE)) == 0)
        return false;
    if ((dwFilter & (::IsWindowVisible(m_hWnd) ? QFB_WND_VISIBLE : QFB_WND_HIDDEN)) == 0)
        return false;
    const bool bFloating = IsFloating();
    if (bFloating) {
        if ((dwFilter & QFB_FLOATING) == 0)
            return false;
    } else if ((dwFilter & QFB_DOCKED_MASK) != QFB_DOCKED_MASK) {
        DWORD dwSide = 0;
        switch (GetDockBarId()) {
        case DOCKBAR_TOP: dwSide = QFB_DOCKED_TOP; break;
        case DOCKBAR_BOTTOM: dwSide = QFB_DOCKED_BOTTOM; break;
        case DOCKBAR_LEFT: dwSide = QFB_DOCKED_LEFT; break;
        case DOCKBAR_RIGHT: dwSide = QFB_DOCKED_RIGHT; break;
        default: break;
        }
        if (dwSide != 0 && (dwFilter & dwSide) == 0)
            return false;
    }
    if ((dwFilter & QFB_POINT_MASK) == 0)
        return true;
    CRect rcWnd;
    CFrameWnd* pFloatingFrame = bFloating ? GetParentFrame() : nullptr;
    if (pFloatingFrame != nullptr)
        pFloatingFrame->GetWindowRect(&rcWnd);
    else
        GetWindowRect(&rcWnd);
    if (!rcWnd.PtInRect(ptScreen))
        return false;
    if ((dwFilter & QFB_FIRST_UNDER_POINT) != 0)
        return true;
    CRect rcBarWnd;
    GetWindowRect(&rcBarWnd);
    if ((dwFilter & QFB_POINT_IN_CAPTION) != 0 && !m_rcCaption.PtInRect(CPoint(ptScreen.x - rcBarWnd.left, ptScreen.y - rcBarWnd.top)))
        return false;
    if ((dwFilter & QFB_POINT_IN_CLIENT) != 0) {
        CRect rcClient;
        GetClientRect(&rcClient);
        ClientToScreen(&rcClient);
        if (!rcClient.PtInRect(ptScreen))
            return false;
    }
    const DWORD dwHitBits = dwFilter & kQueryHitMask;
    if (dwHitBits == 0)
        return true;
    const LRESULT nHit = ::SendMessageA(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    for (const QueryHitBit& bit : kQueryHitBits)
        if ((dwHitBits & bit.dwBit) != 0 && nHit == bit.nHitCode)
            return true;
    return false;
}
