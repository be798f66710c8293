// The status bar: indicator panes, colours, painting through the paint manager, the common
// control kept from painting, hit test, bars menu, pane tooltips and pane controls.
#include "ui/bars/ExtStatusControlBar.h"

#include "platform/mfc/ClientDC.h"
#include "platform/mfc/FrameWnd.h"
#include "platform/mfc/MiniFrameWnd.h"
#include "platform/mfc/PaintDC.h"
#include "platform/mfc/WindowDC.h"
#include "ui/bars/ExtControlBar.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"
#include "ui/core/ExtResourceManager.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CExtStatusControlBar, CStatusBar)

namespace {
constexpr UINT PANE_EXTRAS_HASH_SIZE = 17;
constexpr INT_PTR PANE_EXTRAS_BLOCK_SIZE = 10;
constexpr UINT MESSAGE_PANE_STYLE = SBPS_STRETCH | SBPS_NOBORDERS;
// The message pane is at least a quarter of the screen wide.
constexpr int MESSAGE_PANE_SCREEN_DIVISOR = 4;
constexpr UINT BARS_MENU_TRACK_FLAGS = 0x800;
constexpr int PANE_TEXT_INSET = 2;
constexpr DWORD PAINT_BUFFER_OPTIONS = CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND;
constexpr UINT PANE_CONTROL_PLACEMENT = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW |
                                        SWP_NOCOPYBITS | SWP_NOOWNERZORDER;
constexpr UINT TOP_OF_SIBLINGS = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                                 SWP_NOSENDCHANGING;

CExtPaintManager* PaintManager() { return g_PaintManagerHolder.GetFirstMember(); }

bool IsParentSizedByGripper(HWND hWnd)
{
    HWND hWndParent = ::GetParent(hWnd);
    return hWndParent != nullptr && !::IsZoomed(hWndParent) &&
           (::GetWindowLongPtrA(hWndParent, GWL_STYLE) & WS_BORDER) != 0;
}
} // namespace

BEGIN_MESSAGE_MAP(CExtStatusControlBar, CStatusBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_CONTEXTMENU()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

CExtStatusControlBar::CExtStatusControlBar() : m_mapPaneExtras(PANE_EXTRAS_BLOCK_SIZE)
{
    m_mapPaneExtras.InitHashTable(PANE_EXTRAS_HASH_SIZE, FALSE);
    m_clrPaneText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrPaneTextDisabled = ::GetSysColor(COLOR_BTNSHADOW);
}

CExtStatusControlBar::~CExtStatusControlBar()
{
    DestroyPaneControls();
}

// --- indicators, colours and queries -----------------------------------------------------------

bool CExtStatusControlBar::SetupIndicatorPanes(const UINT* pIndicators, int nCount)
{
    if (!AllocElements(nCount))
        return false;
    if (pIndicators != nullptr && nCount > 0) {
        CClientDC dcScreen(nullptr);
        HGDIOBJ hOldFont = nullptr;
        if (m_hWnd != nullptr)
            if (HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))
                hOldFont = ::SelectObject(dcScreen.m_hDC, hFont);
        bool bResult = true;
        for (int i = 0; i < nCount && bResult; ++i) {
            AFX_STATUSPANE* pPane = GetPanePtr(i);
            pPane->nID = pIndicators[i];
            pPane->nFlags |= SBPF_UPDATE;
            if (pPane->nID == 0) {
                pPane->cxText = ::GetSystemMetrics(SM_CXSCREEN) / MESSAGE_PANE_SCREEN_DIVISOR;
                if (i == 0)
                    pPane->nStyle |= MESSAGE_PANE_STYLE;
                continue;
            }
            const CString strText = g_ResourceManagerHolder->LoadStringOrDefault(pPane->nID, "");
            SIZE size = {0, 0};
            ::GetTextExtentPoint32A(dcScreen.m_hDC, strText, strText.GetLength(), &size);
            pPane->cxText = size.cx;
            bResult = SetPaneText(i, strText, FALSE) != FALSE;
        }
        if (hOldFont != nullptr)
            ::SelectObject(dcScreen.m_hDC, hOldFont);
        if (!bResult)
            return false;
    }
    UpdateAllPanes(TRUE, TRUE);
    return true;
}

void CExtStatusControlBar::RefreshColors()
{
    const COLORREF clrFace = PaintManager()->ColorByIndex(CExtPaintManager::CLRID_FACE);
    if (clrFace != m_clrBackground) {
        m_clrBackground = clrFace;
        if (m_hWnd != nullptr)
            CStatusBar::DefWindowProc(SB_SETBKCOLOR, 0, static_cast<LPARAM>(clrFace));
    }
    m_clrPaneText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrPaneTextDisabled = ::GetSysColor(COLOR_BTNSHADOW);
}

bool CExtStatusControlBar::GetPaneInfoEx(int nIndex, AFX_STATUSPANE* pInfo) const
{
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    if (pPane == nullptr || pInfo == nullptr)
        return false;
    *pInfo = *pPane;
    return true;
}

UINT CExtStatusControlBar::GetPaneIdAt(int nIndex) const
{
    return m_hWnd != nullptr ? GetItemID(nIndex) : 0;
}

UINT CExtStatusControlBar::GetPaneDrawTextFormat(int nIndex) const
{
    _ED_ extras;
    if (GetPanePtr(nIndex) != nullptr && m_mapPaneExtras.Lookup(GetItemID(nIndex), extras))
        return extras.m_nDrawTextFormat;
    return m_nDefaultDrawTextFormat;
}

CString CExtStatusControlBar::GetPaneTipText(int nIndex) const
{
    _ED_ extras;
    if (GetPanePtr(nIndex) != nullptr && m_mapPaneExtras.Lookup(GetItemID(nIndex), extras))
        return extras.m_strTipText;
    return CString();
}

void CExtStatusControlBar::SetPaneDrawTextFormat(UINT nID, UINT nDrawTextFormat)
{
    _ED_ extras;
    m_mapPaneExtras.Lookup(nID, extras);
    extras.m_nDrawTextFormat = nDrawTextFormat;
    m_mapPaneExtras.SetAt(nID, extras);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CExtStatusControlBar::SetPaneTipText(UINT nID, LPCSTR lpszTipText)
{
    _ED_ extras;
    if (!m_mapPaneExtras.Lookup(nID, extras))
        extras.m_nDrawTextFormat = m_nDefaultDrawTextFormat;
    extras.m_strTipText = lpszTipText != nullptr ? lpszTipText : "";
    m_mapPaneExtras.SetAt(nID, extras);
}

bool CExtStatusControlBar::AddPaneControl(HWND hWnd, UINT nID, bool bAutoDestroy)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return false;
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); ++i)
        if (m_arrPaneControls[i]->m_hWnd == hWnd)
            return false;
    auto* pControl = new _STATUSBAR_PANE_CTRL_{hWnd, nID, bAutoDestroy};
    m_arrPaneControls.Add(pControl);
    RepositionPaneControls();
    return true;
}

bool CExtStatusControlBar::RemovePaneControl(UINT nID)
{
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); ++i) {
        _STATUSBAR_PANE_CTRL_* pControl = m_arrPaneControls[i];
        if (pControl->m_nID != nID)
            continue;
        m_arrPaneControls.RemoveAt(i);
        if (::IsWindow(pControl->m_hWnd)) {
            ::ShowWindow(pControl->m_hWnd, SW_HIDE);
            if (pControl->m_bAutoDestroy)
                ::DestroyWindow(pControl->m_hWnd);
        }
        delete pControl;
        return true;
    }
    return false;
}

void CExtStatusControlBar::DestroyPaneControls()
{
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); ++i) {
        _STATUSBAR_PANE_CTRL_* pControl = m_arrPaneControls[i];
        if (::IsWindow(pControl->m_hWnd)) {
            ::ShowWindow(pControl->m_hWnd, SW_HIDE);
            if (pControl->m_bAutoDestroy)
                ::DestroyWindow(pControl->m_hWnd);
        }
        delete pControl;
    }
    m_arrPaneControls.RemoveAll();
    m_mapPaneExtras.RemoveAll();
}

// --- geometry ----------------------------------------------------------------------------------

int CExtStatusControlBar::HitTestPane(POINT ptScreen) const
{
    if (m_hWnd == nullptr || GetCount() == 0)
        return -1;
    HWND hWndUnder = ::WindowFromPoint(ptScreen);
    if (hWndUnder != m_hWnd && !::IsChild(m_hWnd, hWndUnder))
        return -1;
    POINT ptClient = ptScreen;
    ::ScreenToClient(m_hWnd, &ptClient);
    for (int i = 0; i < GetCount(); ++i) {
        RECT rc{};
        GetItemRect(i, &rc);
        if (::PtInRect(&rc, ptClient))
            return i;
    }
    return -1;
}

RECT CExtStatusControlBar::PaintedPaneRect(int nIndex) const
{
    RECT rc{};
    GetItemRect(nIndex, &rc);
    if (nIndex != GetCount() - 1)
        return rc;
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    if ((pPane->nStyle & SBPS_STRETCH) != 0) {
        RECT rcClient{};
        GetClientRect(&rcClient);
        rc.right = rcClient.right;
        if ((GetStyle() & SBARS_SIZEGRIP) != 0)
            rc.right -= ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXSMICON);
    }
    else {
        rc.right = rc.left + pPane->cxText + 3 * ::GetSystemMetrics(SM_CXEDGE);
    }
    return rc;
}

bool CExtStatusControlBar::GetGripperRect(RECT* pRect) const
{
    if (m_hWnd == nullptr || !IsParentSizedByGripper(m_hWnd))
        return false;
    GetClientRect(pRect);
    pRect->left = pRect->right - ::GetSystemMetrics(SM_CXVSCROLL);
    return true;
}

void CExtStatusControlBar::RepositionPaneControls()
{
    if (m_hWnd == nullptr || m_arrPaneControls.GetSize() == 0)
        return;
    HDWP hDWP = ::BeginDeferWindowPos(static_cast<int>(m_arrPaneControls.GetSize()));
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    for (INT_PTR i = 0; i < m_arrPaneControls.GetSize(); ++i) {
        const _STATUSBAR_PANE_CTRL_* pControl = m_arrPaneControls[i];
        const int nIndex = CommandToIndex(pControl->m_nID);
        if (nIndex < 0 || !::IsWindow(pControl->m_hWnd))
            continue;
        RECT rc = PaintedPaneRect(nIndex);
        if ((GetPaneStyle(nIndex) & SBPS_NOBORDERS) != 0 || (m_nDrawingFlags & DRAW_SEPARATORS) != 0)
            ::InflateRect(&rc, -cxEdge, -1);
        else
            ::InflateRect(&rc, -cxEdge, -cxEdge);
        if (hDWP != nullptr)
            hDWP = ::DeferWindowPos(hDWP, pControl->m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left,
                                    rc.bottom - rc.top, PANE_CONTROL_PLACEMENT);
    }
    if (hDWP != nullptr)
        ::EndDeferWindowPos(hDWP);
    ::RedrawWindow(m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
}

// --- painting ----------------------------------------------------------------------------------

void CExtStatusControlBar::DrawBackground(CDC* pDC, const RECT& rc)
{
    if (!IsFrameworkDrawn()) {
        CStatusBar::DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(pDC->m_hDC), 0);
        return;
    }
    CExtPaintManager* pPM = PaintManager();
    if (pPM->HasBackgroundBehindControls(this, 0) && pPM->DrawBackgroundBehind(true, *pDC, this, 0))
        return;
    pDC->FillSolidRect(&rc, m_clrBackground);
}

void CExtStatusControlBar::OnPaintPaneBackground(CDC* /*pDC*/, int /*nIndex*/, const RECT& /*rc*/) {}

void CExtStatusControlBar::DrawPane(CDC* pDC, int nIndex, const RECT& rc, UINT nStyle, HICON hIcon, LPCSTR lpszText,
                                    UINT nDrawTextFormat)
{
    RECT rcText = rc;
    if (IsFrameworkDrawn()) {
        if (hIcon != nullptr) {
            const int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
            const int cyIcon = ::GetSystemMetrics(SM_CYSMICON);
            ::DrawIconEx(pDC->m_hDC, rc.left + 1, rc.top + (rc.bottom - rc.top - cyIcon) / 2, hIcon, cxIcon, cyIcon, 0,
                         nullptr, DI_NORMAL);
            rcText.left += cxIcon + 1;
        }
        const bool bDisabled = (nStyle & SBPS_DISABLED) != 0;
        const bool bEmpty = lpszText == nullptr || *lpszText == '\0';
        if (!bEmpty && !(bDisabled && (m_nDrawingFlags & DRAW_HIDE_DISABLED_TEXT) != 0)) {
            ::InflateRect(&rcText, -PANE_TEXT_INSET, 0);
            if (rcText.right > rcText.left) {
                COLORREF clrText = GetPaneTextColor(nIndex);
                if (clrText == static_cast<COLORREF>(-1))
                    clrText = bDisabled ? m_clrPaneTextDisabled : m_clrPaneText;
                const COLORREF clrOld = pDC->SetTextColor(clrText);
                ::DrawTextA(pDC->m_hDC, lpszText, -1, &rcText, nDrawTextFormat);
                pDC->SetTextColor(clrOld);
            }
        }
    }
    if (DrawsSeparators())
        return;
    const bool bBorder = nIndex == 0 ? (m_nDrawingFlags & DRAW_PANE_ZERO_BORDER) != 0
                                     : (nStyle & SBPS_NOBORDERS) == 0;
    if (bBorder) {
        CExtDrawBarBordersArgs args(this, CExtDrawBarBordersArgs::BORDER_3D_PANE, 0, rc);
        PaintManager()->DrawBarBorders(*pDC, args);
    }
    // The control's classic pane frame shows through a themed look: cover it.
    if (!IsFrameworkDrawn() && g_PaintManagerHolder.g_ThemeApi.IsAppThemed()) {
        RECT rcInner = rc;
        ::InflateRect(&rcInner, -1, -1);
        pDC->Draw3dRect(&rcInner, m_clrBackground, m_clrBackground);
    }
}

COLORREF CExtStatusControlBar::GetPaneTextColor(int /*nIndex*/) const { return static_cast<COLORREF>(-1); }

bool CExtStatusControlBar::IsSizeGripperVisible() const { return true; }

void CExtStatusControlBar::DrawSizeGripper(CDC* pDC, const RECT& rc)
{
    if (!IsFrameworkDrawn())
        pDC->FillSolidRect(&rc, m_clrBackground);
    if (!IsSizeGripperVisible())
        return;
    RECT rcGripper = rc;
    ::OffsetRect(&rcGripper, -1, -1);
    PaintManager()->DrawSizeGripper(*pDC, rcGripper, this, 0);
}

void CExtStatusControlBar::DrawPaneSeparator(CDC* pDC, int nIndex, const RECT& rcPrevious, const RECT& rc)
{
    const RECT rcGap = {rcPrevious.right, rc.top + 1, rc.left, rc.bottom - 1};
    PaintManager()->DrawSeparatorLine(*pDC, rcGap, true, true, this, nIndex);
}

void CExtStatusControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    CExtDrawBarBordersArgs args(this, CExtDrawBarBordersArgs::BORDER_BAR_FRAME, m_dwStyle, rect);
    PaintManager()->DrawBarBorders(*pDC, args);
}

void CExtStatusControlBar::OnPaint()
{
    CPaintDC dcPaint(this);
    if (m_bGuard)
        return;
    RefreshColors();
    CExtPaintManager::ClipOutChildWindows(dcPaint.m_hDC, m_hWnd);
    RECT rcClient{};
    GetClientRect(&rcClient);
    CExtMemoryDC dc(&dcPaint, &rcClient, PAINT_BUFFER_OPTIONS);
    UpdateAllPanes(FALSE, TRUE);
    DrawBackground(&dc, rcClient);
    RECT rcGripper{};
    const bool bGripper = GetGripperRect(&rcGripper);
    if (bGripper)
        dc.ExcludeClipRect(&rcGripper);
    HGDIOBJ hOldFont = nullptr;
    int nOldMode = 0;
    COLORREF clrOldText = 0;
    if (IsFrameworkDrawn()) {
        hOldFont = ::SelectObject(dc.m_hDC, PaintManager()->m_FontNormal.GetSafeHandle());
        nOldMode = dc.SetBkMode(TRANSPARENT);
        clrOldText = dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    }
    RECT rcPrevious{};
    for (int i = 0; i < GetCount(); ++i) {
        const RECT rc = PaintedPaneRect(i);
        HICON hIcon = (m_nDrawingFlags & DRAW_NO_PANE_ICONS) != 0
                          ? nullptr
                          : reinterpret_cast<HICON>(CStatusBar::DefWindowProc(SB_GETICON, static_cast<WPARAM>(i), 0));
        OnPaintPaneBackground(&dc, i, rc);
        const CString strText = GetPaneText(i);
        DrawPane(&dc, i, rc, GetPaneStyle(i), hIcon, strText.IsEmpty() ? nullptr : strText.GetString(),
                 GetPaneDrawTextFormat(i));
        if (DrawsSeparators() && i > 0)
            DrawPaneSeparator(&dc, i, rcPrevious, rc);
        rcPrevious = rc;
    }
    if (IsFrameworkDrawn()) {
        ::SelectObject(dc.m_hDC, hOldFont);
        dc.SetBkMode(nOldMode);
        dc.SetTextColor(clrOldText);
    }
    if (bGripper) {
        dc.SelectClipRgn(nullptr);
        DrawSizeGripper(&dc, rcGripper);
    }
}

void CExtStatusControlBar::OnNcPaint()
{
    RefreshColors();
    CWindowDC dc(this);
    RECT rcWindow{}, rcClient{};
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    ::OffsetRect(&rcClient, -rcWindow.left, -rcWindow.top);
    ::OffsetRect(&rcWindow, -rcWindow.left, -rcWindow.top);
    dc.ExcludeClipRect(&rcClient);
    CExtDrawBarBordersArgs args(this, CExtDrawBarBordersArgs::BORDER_BAR_FRAME, m_dwStyle, rcWindow);
    PaintManager()->DrawBarBorders(dc, args);
}

// --- messages ----------------------------------------------------------------------------------

int CExtStatusControlBar::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CStatusBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    EnableToolTips(TRUE);
    ModifyStyle(0, WS_CLIPCHILDREN);
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, TOP_OF_SIBLINGS);
    RefreshColors();
    return 0;
}

LRESULT CExtStatusControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The bar paints everything over its buffer: nothing to erase first.
    if (message == WM_ERASEBKGND && IsFrameworkDrawn())
        return 1;
    const LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE)
        RepositionPaneControls();
    return lResult;
}

LRESULT CExtStatusControlBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != SB_SETTEXTA && message != SB_SETICON && message != WM_ERASEBKGND && message != WM_PAINT)
        return CStatusBar::DefWindowProc(message, wParam, lParam);
    if (m_bGuard && (message == WM_PAINT || message == WM_ERASEBKGND))
        return message == WM_ERASEBKGND ? 1 : 0;
    // The bar's own background asks the control to paint into its buffer: no repaint after it,
    // which would paint again without end.
    if (message == WM_PAINT && wParam != 0)
        return CStatusBar::DefWindowProc(message, wParam, lParam);
    m_bGuard = true;
    const LRESULT lResult = CStatusBar::DefWindowProc(message, wParam, lParam);
    m_bGuard = false;
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        ::UpdateWindow(m_hWnd);
    }
    return lResult;
}

LRESULT CExtStatusControlBar::OnNcHitTest(CPoint point)
{
    RECT rcGripper{};
    if (GetGripperRect(&rcGripper)) {
        POINT ptClient = point;
        ScreenToClient(&ptClient);
        if (::PtInRect(&rcGripper, ptClient))
            return (GetExStyle() & WS_EX_LAYOUTRTL) != 0 ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
    }
    const LRESULT lResult = CStatusBar::OnNcHitTest(point);
    return IsSizeGripperVisible() ? lResult : HTCLIENT;
}

void CExtStatusControlBar::OnContextMenu(CWnd* /*pWnd*/, CPoint point)
{
    if (CExtControlBar::IsFrameInHelpMode(this))
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    if (pFrame == nullptr) {
        Default();
        return;
    }
    // From the keyboard the point is (-1, -1): the menu opens at the mouse.
    if (point.x == -1 && point.y == -1)
        ::GetCursorPos(&point);
    CWnd* pOwner = GetOwner();
    const HWND hWndOwner = pOwner != nullptr ? pOwner->m_hWnd : ::GetParent(m_hWnd);
    auto* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->PrepareEmptyPopup(hWndOwner) ||
        !CExtControlBar::BuildFrameBarsMenu(pFrame, pPopup, CExtControlBar::POPUP_MENU_EVENT_DATA::STATUSBAR_CTX,
                                            this, WM_CONTEXTMENU, nullptr) ||
        pPopup->CountItems() == 0) {
        delete pPopup;
        return;
    }
    ::SetFocus(hWndOwner);
    if (!pPopup->StartTracking(BARS_MENU_TRACK_FLAGS, point.x, point.y))
        delete pPopup;
}

INT_PTR CExtStatusControlBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    if (m_hWnd == nullptr || g_bToolBarsTrackMenu || CExtPopupMenuWnd::IsTrackingActive())
        return -1;
    POINT ptScreen = point;
    ::ClientToScreen(m_hWnd, &ptScreen);
    const int nIndex = HitTestPane(ptScreen);
    if (nIndex < 0)
        return -1;
    const UINT nID = GetItemID(nIndex);
    if (pTI != nullptr) {
        GetItemRect(nIndex, &pTI->rect);
        pTI->uId = nID;
        pTI->hwnd = m_hWnd;
        const CString strTip = GetPaneTipText(nIndex);
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
        if (!strTip.IsEmpty()) {
            // The tool-tip support frees the copy.
            auto* pszCopy = static_cast<char*>(std::malloc(static_cast<size_t>(strTip.GetLength()) + 1));
            if (pszCopy != nullptr) {
                std::memcpy(pszCopy, strTip.GetString(), static_cast<size_t>(strTip.GetLength()) + 1);
                pTI->lpszText = pszCopy;
            }
        }
    }
    return static_cast<INT_PTR>(nID);
}

void CExtStatusControlBar::OnSysColorChange()
{
    CStatusBar::OnSysColorChange();
    g_PaintManagerHolder.RelaySysColorChange(this);
    g_CmdManagerHolder.RelaySysColorChange(this);
    RefreshColors();
}

void CExtStatusControlBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CStatusBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManagerHolder.RelaySettingChange(this, uFlags, reinterpret_cast<LPARAM>(lpszSection));
    g_CmdManagerHolder.RelaySettingChange(this, uFlags, reinterpret_cast<LPARAM>(lpszSection));
    RefreshColors();
}

LRESULT CExtStatusControlBar::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    const int nBitsPerPixel = static_cast<int>(wParam);
    g_PaintManagerHolder.RelayDisplayChange(this, nBitsPerPixel, LOWORD(lParam), HIWORD(lParam));
    g_CmdManagerHolder.RelayDisplayChange(this, nBitsPerPixel, LOWORD(lParam), HIWORD(lParam));
    return lResult;
}

LRESULT CExtStatusControlBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    g_PaintManagerHolder.RelayThemeChanged(this, wParam, lParam);
    g_CmdManagerHolder.RelayThemeChanged(this, wParam, lParam);
    return lResult;
}
