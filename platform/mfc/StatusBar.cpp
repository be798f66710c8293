#include "platform/mfc/StatusBar.h"

#include "platform/mfc/ClientDC.h"
#include "platform/mfc/CmdUI.h"
#include "platform/mfc/FrameWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <new>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {
// The styles of a pane that the control itself knows.
constexpr UINT CONTROL_PANE_STYLES = SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW;
// The frame places the control: it must neither align nor size itself.
constexpr DWORD FRAME_PLACED_STYLES = CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
constexpr int STRETCH_WIDTH = 32767;

// The idle update of one pane: enabled and text.
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        auto* pBar = static_cast<CStatusBar*>(m_pOther);
        const UINT nOldStyle = pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        const UINT nNewStyle = bOn ? (nOldStyle & ~SBPS_DISABLED) : (nOldStyle | SBPS_DISABLED);
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), nNewStyle);
    }
    void SetCheck(int nCheck) override
    {
        auto* pBar = static_cast<CStatusBar*>(m_pOther);
        const UINT nOldStyle = pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck ? (nOldStyle | SBPS_POPOUT) : (nOldStyle & ~SBPS_POPOUT));
    }
    void SetText(LPCSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText);
    }
};
} // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr || pParentWnd->m_hWnd == nullptr)
        return FALSE;
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    // The bar's own styles share bits with the control's: keep them apart.
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | FRAME_PLACED_STYLES | dwCtrlStyle;
    if ((pParentWnd->GetStyle() & WS_THICKFRAME) != 0)
        dwWindowStyle |= SBARS_SIZEGRIP;
    if (!CWnd::Create(STATUSCLASSNAMEA, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
        m_fontStatus.CreateFontIndirect(&metrics.lfStatusFont))
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontStatus.GetSafeHandle()), FALSE);
    return TRUE;
}

BOOL CStatusBar::AllocElements(int nElements)
{
    if (nElements < 0)
        return FALSE;
    try {
        std::vector<AFX_STATUSPANE>(static_cast<size_t>(nElements)).swap(m_panes);
    }
    catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

AFX_STATUSPANE* CStatusBar::GetPanePtr(int nIndex)
{
    return nIndex >= 0 && nIndex < GetCount() ? &m_panes[static_cast<size_t>(nIndex)] : nullptr;
}

const AFX_STATUSPANE* CStatusBar::GetPanePtr(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? &m_panes[static_cast<size_t>(nIndex)] : nullptr;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[static_cast<size_t>(i)].nID == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    return pPane != nullptr ? pPane->nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect == nullptr)
        return;
    ::SetRectEmpty(lpRect);
    if (m_hWnd == nullptr || GetPanePtr(nIndex) == nullptr)
        return;
    ::SendMessageA(m_hWnd, SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    nID = pPane != nullptr ? pPane->nID : 0;
    nStyle = pPane != nullptr ? pPane->nStyle : 0;
    cxWidth = pPane != nullptr ? pPane->cxText : 0;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    if (pPane == nullptr)
        return;
    pPane->nID = nID;
    bool bMoved = false;
    if (pPane->nStyle != nStyle) {
        if (((pPane->nStyle ^ nStyle) & SBPS_STRETCH) != 0)
            bMoved = true;
        else {
            pPane->nStyle = nStyle;
            pPane->nFlags |= SBPF_UPDATE;
            SetPaneText(nIndex, pPane->strText);
        }
        pPane->nStyle = nStyle;
    }
    if (pPane->cxText != cxWidth) {
        pPane->cxText = cxWidth;
        bMoved = true;
    }
    if (bMoved)
        UpdateAllPanes(TRUE, FALSE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    return pPane != nullptr ? pPane->nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    if (pPane == nullptr || pPane->nStyle == nStyle)
        return;
    // A stretching pane changes every pane's place; the text is given again with the new style.
    const bool bMoved = ((pPane->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    pPane->nStyle = nStyle;
    if (bMoved)
        UpdateAllPanes(TRUE, FALSE);
    pPane->nFlags |= SBPF_UPDATE;
    SetPaneText(nIndex, pPane->strText);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    return pPane != nullptr ? pPane->strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    if (pPane == nullptr)
        return FALSE;
    const CString strNew(lpszNewText != nullptr ? lpszNewText : "");
    if ((pPane->nFlags & SBPF_UPDATE) == 0 && pPane->strText == strNew)
        return TRUE;
    pPane->strText = strNew;
    if (!bUpdate || m_hWnd == nullptr) {
        pPane->nFlags |= SBPF_UPDATE;
        return TRUE;
    }
    pPane->nFlags &= ~SBPF_UPDATE;
    const char* pszShown = (pPane->nStyle & SBPS_DISABLED) != 0 ? "" : pPane->strText.GetString();
    // Through DefWindowProc: a bar that paints itself sees the control's update there.
    DefWindowProc(SB_SETTEXT, static_cast<WPARAM>(nIndex) | (pPane->nStyle & CONTROL_PANE_STYLES),
                  reinterpret_cast<LPARAM>(pszShown));
    return TRUE;
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == nullptr)
        return;
    const int nCount = GetCount();
    if (bUpdateRects) {
        RECT rcClient{};
        ::GetClientRect(m_hWnd, &rcClient);
        int arrBorders[3] = {};
        DefWindowProc(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(arrBorders));
        const int cxGap = arrBorders[2];
        int cxExtra = rcClient.right - rcClient.left - arrBorders[0] + cxGap;
        int nStretching = 0;
        for (const AFX_STATUSPANE& pane : m_panes) {
            if ((pane.nStyle & SBPS_STRETCH) != 0)
                ++nStretching;
            cxExtra -= pane.cxText + CX_PANE_BORDER + cxGap;
        }
        std::vector<int> arrRights(static_cast<size_t>(std::max(nCount, 1)), -1);
        int nRight = arrBorders[0];
        for (int i = 0; i < nCount; ++i) {
            const AFX_STATUSPANE& pane = m_panes[static_cast<size_t>(i)];
            nRight += pane.cxText + CX_PANE_BORDER;
            if ((pane.nStyle & SBPS_STRETCH) != 0 && cxExtra > 0) {
                const int cxShare = cxExtra / nStretching;
                nRight += cxShare;
                cxExtra -= cxShare;
                --nStretching;
            }
            arrRights[static_cast<size_t>(i)] = nRight;
            nRight += cxGap;
        }
        DefWindowProc(SB_SETPARTS, static_cast<WPARAM>(nCount), reinterpret_cast<LPARAM>(arrRights.data()));
    }
    if (bUpdateText) {
        for (int i = 0; i < GetCount(); ++i) {
            AFX_STATUSPANE* pPane = GetPanePtr(i);
            if ((pPane->nFlags & SBPF_UPDATE) != 0)
                SetPaneText(i, CString(pPane->strText));
        }
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL /*bHorz*/)
{
    CSize size(0, 0);
    if (m_hWnd == nullptr)
        return size;
    // A line of the bar's font, the control's borders and the bar's own.
    TEXTMETRICA tm = {};
    {
        CClientDC dc(this);
        HGDIOBJ hOldFont = nullptr;
        if (HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))
            hOldFont = ::SelectObject(dc.m_hDC, hFont);
        ::GetTextMetricsA(dc.m_hDC, &tm);
        if (hOldFont != nullptr)
            ::SelectObject(dc.m_hDC, hOldFont);
    }
    int arrBorders[3] = {};
    DefWindowProc(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(arrBorders));
    RECT rcWindow{}, rcClient{};
    ::GetWindowRect(m_hWnd, &rcWindow);
    ::GetClientRect(m_hWnd, &rcClient);
    const int cyNonClient = (rcWindow.bottom - rcWindow.top) - rcClient.bottom;
    size.cy = tm.tmHeight - tm.tmInternalLeading - 1 + arrBorders[1] * 2 + ::GetSystemMetrics(SM_CYBORDER) * 2 +
              m_cyTopBorder + m_cyBottomBorder + cyNonClient;
    size.cy = std::max<LONG>(size.cy, m_nMinHeight);
    size.cx = bStretch ? STRETCH_WIDTH : rcWindow.right - rcWindow.left;
    return size;
}

BOOL CStatusBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    // Not the control bar's: it would take the control's styles for bar styles and strip them,
    // and the bar would then take no part in the frame's layout.
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL /*bDisableIfNoHndler*/)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        // A pane without an update handler keeps its state: panes are not commands.
        if (state.m_nID != 0)
            state.DoUpdate(pTarget, FALSE);
        if (m_hWnd == nullptr || static_cast<UINT>(GetCount()) != state.m_nIndexMax)
            return;
    }
}

void CStatusBar::OnPaint()
{
    // Texts set without an update reach the control first; the control paints itself.
    UpdateAllPanes(FALSE, TRUE);
    Default();
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnNcHitTest(CPoint /*point*/)
{
    // Only the control's size gripper sizes the frame; the rest is client area.
    const LRESULT lResult = Default();
    return lResult == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return FALSE;
    return SetPaneText(nIndex, reinterpret_cast<LPCSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    auto* pszBuffer = reinterpret_cast<char*>(lParam);
    if (pszBuffer == nullptr || wParam == 0)
        return 0;
    const CString strText = GetPaneText(CommandToIndex(0));
    const size_t nCopied = std::min(static_cast<size_t>(strText.GetLength()), static_cast<size_t>(wParam) - 1);
    std::memcpy(pszBuffer, strText.GetString(), nCopied);
    pszBuffer[nCopied] = '\0';
    return static_cast<LRESULT>(nCopied);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return GetPaneText(CommandToIndex(0)).GetLength();
}
