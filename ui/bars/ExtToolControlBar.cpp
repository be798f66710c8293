// The tool bar's data, button management, idle command updates, painting and mouse handling.
#include "ui/bars/ExtToolControlBar.h"

#include "platform/mfc/ClientDC.h"
#include "platform/mfc/DockContext.h"
#include "platform/mfc/FrameWnd.h"
#include "ui/bars/ExtBarContentExpandButton.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"

#include <new>

namespace
{
constexpr SIZE kDefaultButtonSize{23, 22};
constexpr int kCaptionHeight = 10;
constexpr int kCaptionWidth = 8;
constexpr DWORD kMemoryDcFlags = CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND;
constexpr UINT kIdleLayoutAndNotify = 0xC;
// Room a separator's line keeps from the ends of its band.
constexpr int kSeparatorInset = 2;
// A wrap line of a fit-to-dock-area bar stops this far before the chevron.
constexpr int kWrapLineChevronGap = 3;
} // namespace

IMPLEMENT_DYNCREATE(CExtToolControlBar, CExtControlBar)

bool& CExtToolControlBar::g_bButtonMenuTracking = g_bToolBarsTrackMenu;
bool CExtToolControlBar::g_bMenuExpanded = false;
bool CExtToolControlBar::g_bHelpMenuLoopActive = false;
const UINT CExtToolControlBar::g_nMsgTrackButtonMenu =
    ::RegisterWindowMessageA("CExtToolControlBar::g_nMsgTrackButtonMenu");
const UINT CExtToolControlBar::g_nMsgContinueTrackMenu =
    ::RegisterWindowMessageA("CExtToolControlBar::g_nMsgContinueTrackMenu");

CExtToolControlBar::CExtToolControlBar()
{
    m_bFixedSize = true;
    m_bCaptionAlongTop = false;
    m_bFitChildToClient = false;
    m_cxLeftBorder = m_cxRightBorder = 1;
    m_cyTopBorder = m_cyBottomBorder = 0;
    m_nCaptionHeight = kCaptionHeight;
    m_nCaptionWidth = kCaptionWidth;
}

CExtToolControlBar::~CExtToolControlBar() { RemoveAllButtons(); }

// --- options and plain queries ----------------------------------------------------------------

CRect CExtToolControlBar::GetButtonRect(int nIndex, RECT* pRect) const
{
    const CExtBarButton* pButton = GetButtonByIndex(nIndex);
    const CRect rc = pButton != nullptr ? pButton->GetRect() : CRect(0, 0, 0, 0);
    if (pRect != nullptr)
        *pRect = rc;
    return rc;
}

bool CExtToolControlBar::IsLargeIconsOption() const { return false; }
bool CExtToolControlBar::IsTooltipsOption() const { return true; }
bool CExtToolControlBar::IsAccelInTooltipsOption() const { return false; }

CExtBarButton* CExtToolControlBar::CreateButton(UINT nCmdId, DWORD dwStyle)
{
    return new CExtBarButton(this, nCmdId, dwStyle);
}

CExtBarContentExpandButton* CExtToolControlBar::CreateContentExpandButton()
{
    return IsFixedColumn() ? nullptr : new CExtBarContentExpandButton(this);
}

bool CExtToolControlBar::IsRightToLeftLayout() const { return false; }
bool CExtToolControlBar::IsRightToLeftButtonOrder() const { return false; }

void CExtToolControlBar::CalcInsideRectImpl(CRect& rect, bool bHorz) const { CalcInsideRect(rect, bHorz); }

CSize CExtToolControlBar::GetDefaultButtonSize() const { return kDefaultButtonSize; }

bool CExtToolControlBar::IsFitToDockArea() const
{
    if (m_bInDialog || m_pDockSite == nullptr || IsFixedColumn() || IsFloating())
        return false;
    return IsDockedInFrameOnly();
}

CFont* CExtToolControlBar::GetBarFont(bool bVertical) const
{
    return bVertical ? &g_PaintManagerHolder->m_FontNormalVert : &g_PaintManagerHolder->m_FontNormal;
}

bool CExtToolControlBar::IsFixedColumn() const { return (m_nOptionFlags & OPTION_FIXED_COLUMN) != 0; }

void CExtToolControlBar::SetFixedColumn(bool bOn)
{
    m_nOptionFlags = bOn ? (m_nOptionFlags | OPTION_FIXED_COLUMN) : (m_nOptionFlags & ~OPTION_FIXED_COLUMN);
}

bool CExtToolControlBar::IsShowBarsSubmenu() const { return (m_nOptionFlags & OPTION_SHOW_BARS_SUBMENU) != 0; }

void CExtToolControlBar::SetShowBarsSubmenu(bool bOn)
{
    m_nOptionFlags = bOn ? (m_nOptionFlags | OPTION_SHOW_BARS_SUBMENU) : (m_nOptionFlags & ~OPTION_SHOW_BARS_SUBMENU);
}

bool CExtToolControlBar::IsCountedButton(int nIndex) const
{
    const CExtBarButton* pButton = m_buttons[nIndex];
    if ((pButton->GetStyle() & TBBS_HIDDEN) != 0)
        return false;
    return !(pButton->IsSeparator() && nIndex + 1 < GetButtonCount() &&
             (m_buttons[nIndex + 1]->GetStyle() & TBBS_HIDDEN) != 0);
}

int CExtToolControlBar::GetWrapMode() const
{
    if (m_bInDialog || m_hWnd == nullptr || IsFloating())
        return WRAP_MODE_FLOATING;
    return IsDockedAtLeftOrRight() ? WRAP_MODE_VERT : WRAP_MODE_HORZ;
}

// --- button management -------------------------------------------------------------------------

bool CExtToolControlBar::LoadButtonsFromResource(UINT nResourceId, COLORREF clrMask)
{
    UINT* pIds = nullptr;
    UINT nCount = 0;
    if (!g_CmdManagerHolder->ImportToolbarResourceId(g_CmdManagerHolder->FindProfileNameForWindow(m_hWnd),
                                                     nResourceId, &pIds, &nCount, false, true, clrMask)) {
        RemoveAllButtons();
        return false;
    }
    const bool bDone = AssignButtonIds(pIds, static_cast<int>(nCount));
    delete[] pIds;
    return bDone;
}

bool CExtToolControlBar::AssignButtonIds(const UINT* pIds, int nCount)
{
    RemoveAllButtons();
    if (pIds == nullptr || nCount <= 0)
        return true;
    try {
        for (int i = 0; i < nCount; ++i) {
            CExtBarButton* pButton = CreateButton(pIds[i], 0);
            if (IsRightToLeftButtonOrder())
                m_buttons.InsertAt(0, pButton);
            else
                m_buttons.Add(pButton);
        }
        m_pChevron = CreateContentExpandButton();
        if (m_pChevron != nullptr)
            m_buttons.Add(m_pChevron);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CExtToolControlBar::InsertButton(int nIndex, UINT nCmdId, bool bRecalc)
{
    if (nIndex > GetButtonCount())
        return false;
    CExtBarButton* pButton = nullptr;
    try {
        pButton = CreateButton(nCmdId, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return InsertSpecButton(nIndex, pButton, bRecalc);
}

bool CExtToolControlBar::InsertSpecButton(int nIndex, CExtBarButton* pButton, bool bRecalc)
{
    if (pButton == nullptr)
        return false;
    const int nCount = GetButtonCount();
    if (nIndex > nCount) {
        delete pButton;
        return false;
    }
    // An insertion at the end goes before the chevron, which stays last.
    if (nIndex < 0 || nIndex == nCount)
        nIndex = m_pChevron != nullptr ? nCount - 1 : nCount;
    try {
        m_buttons.InsertAt(nIndex, pButton);
    } catch (const std::bad_alloc&) {
        delete pButton;
        return false;
    }
    if (bRecalc)
        RequestFrameLayout();
    return true;
}

bool CExtToolControlBar::RemoveButton(int nIndex, bool bRecalc)
{
    CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (pButton == nullptr || pButton == m_pChevron)
        return false;
    if (m_pChevron != nullptr) {
        CArray<CExtBarButton*, CExtBarButton*>& listed = m_pChevron->GetButtons();
        for (INT_PTR i = listed.GetSize() - 1; i >= 0; --i)
            if (listed[i] == pButton)
                listed.RemoveAt(i);
    }
    m_buttons.RemoveAt(nIndex);
    delete pButton;
    m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHover = -1;
    if (bRecalc)
        RequestFrameLayout();
    return true;
}

void CExtToolControlBar::RemoveAllButtons()
{
    if (m_pChevron != nullptr)
        m_pChevron->GetButtons().RemoveAll();
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
        delete m_buttons[i];
    m_buttons.RemoveAll();
    m_pChevron = nullptr;
    m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHover = -1;
}

int CExtToolControlBar::GetButtonCount() const { return static_cast<int>(m_buttons.GetSize()); }

CExtBarButton* CExtToolControlBar::GetButtonByIndex(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetButtonCount() ? m_buttons[nIndex] : nullptr;
}

int CExtToolControlBar::FindButtonIndex(const CExtBarButton* pButton) const
{
    if (pButton == nullptr)
        return -1;
    for (int i = 0; i < GetButtonCount(); ++i)
        if (m_buttons[i] == pButton)
            return i;
    return -1;
}

UINT CExtToolControlBar::GetButtonID(int nIndex) const
{
    const CExtBarButton* pButton = GetButtonByIndex(nIndex);
    return pButton != nullptr ? pButton->GetCmdID(false) : 0;
}

void CExtToolControlBar::SetButtonStyleAt(int nIndex, DWORD dwStyle)
{
    CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (pButton == nullptr || pButton->GetStyle() == dwStyle)
        return;
    pButton->SetStyle(dwStyle);
    InvalidateButton(nIndex);
    if (m_hWnd != nullptr)
        UpdateWindow();
}

bool CExtToolControlBar::SetButtonMenu(int nIndex, HMENU hMenu, bool bTakeFirstSubmenu, bool bOwned, bool bRecalc)
{
    CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (pButton == nullptr)
        return false;
    pButton->SetMenu(hMenu, bTakeFirstSubmenu, bOwned);
    if (bRecalc)
        RequestFrameLayout();
    return true;
}

bool CExtToolControlBar::SetButtonAppendMdiWindows(int nIndex, bool bOn)
{
    CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (pButton == nullptr)
        return false;
    pButton->SetAppendMdiWindows(bOn);
    return true;
}

void CExtToolControlBar::InvalidateButton(int nIndex)
{
    const CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (pButton == nullptr || m_hWnd == nullptr || pButton->GetRect().IsRectEmpty())
        return;
    CRect rc = pButton->GetRect();
    rc.InflateRect(1, 1);
    if (pButton == m_pChevron && g_PaintManagerHolder->HasBackgroundBehindControls(this, 0)) {
        const SIZE margin = g_PaintManagerHolder->GetButtonRedrawMargin();
        rc.InflateRect(margin.cx + 1, margin.cy + 1);
    }
    InvalidateRect(&rc, TRUE);
}

void CExtToolControlBar::UpdateButtonCmdUI(int nIndex)
{
    CExtBarButton* pButton = GetButtonByIndex(nIndex);
    if (pButton == nullptr)
        return;
    CWnd* pTarget = pButton->GetCmdTargetWnd();
    if (pTarget == nullptr && !m_bInDialog)
        pTarget = GetParentFrame();
    if (pTarget == nullptr)
        return;
    bool bDisableIfNoHandler = true;
    if (pTarget->IsFrameWnd())
        bDisableIfNoHandler = static_cast<CFrameWnd*>(pTarget)->m_bAutoMenuEnable != FALSE;
    pButton->OnUpdateCmdUI(pTarget, bDisableIfNoHandler, nIndex);
}

int CExtToolControlBar::FindButtonByMnemonic(char chUpper) const
{
    for (int i = 0; i < GetButtonCount(); ++i) {
        const CExtBarButton* pButton = m_buttons[i];
        if (!pButton->IsVisible() || (pButton->GetStyle() & TBBS_HIDDEN) != 0 || pButton->IsSeparator() ||
            pButton == m_pChevron || ExtBarDetail::IsKindOfNamed(pButton, "CExtBarMdiDocButton") ||
            ExtBarDetail::IsKindOfNamed(pButton, "CExtBarMdiRightButton"))
            continue;
        const CString sText = pButton->GetText();
        const int nAmp = sText.Find('&');
        if (nAmp < 0 || nAmp + 1 >= sText.GetLength())
            continue;
        const char ch = static_cast<char>(reinterpret_cast<UINT_PTR>(
            ::CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(sText[nAmp + 1]))))));
        if (ch == chUpper)
            return i;
    }
    return -1;
}

int CExtToolControlBar::FindNextButtonForKeyboard(int nFrom, bool bForward, bool bSkipDisabled) const
{
    const int nCount = GetButtonCount();
    if (nCount == 0)
        return -1;
    if (nCount == 1)
        return 0;
    const int nStart = nFrom < 0 || nFrom >= nCount ? (bForward ? nCount - 1 : 0) : nFrom;
    int i = nStart;
    for (;;) {
        i = (i + (bForward ? 1 : nCount - 1)) % nCount;
        if (i == nStart)
            return nStart;
        const CExtBarButton* pButton = m_buttons[i];
        if (!pButton->IsVisible() || (pButton->GetStyle() & TBBS_HIDDEN) != 0 ||
            ExtBarDetail::IsKindOfNamed(pButton, "CExtBarMdiRightButton"))
            continue;
        if (bSkipDisabled && pButton->IsDisabled())
            continue;
        return i;
    }
}

// --- command UI ---------------------------------------------------------------------------------

CExtBarButton* CExtToolControlBar::CExtToolControlBarCmdUI::Button() const
{
    auto* pBar = static_cast<CExtToolControlBar*>(m_pOther);
    CExtBarButton* pButton = pBar != nullptr ? pBar->GetButtonByIndex(static_cast<int>(m_nIndex)) : nullptr;
    return pButton != nullptr && pButton != pBar->m_pChevron ? pButton : nullptr;
}

void CExtToolControlBar::CExtToolControlBarCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CExtBarButton* pButton = Button();
    if (pButton == nullptr)
        return;
    auto* pBar = static_cast<CExtToolControlBar*>(m_pOther);
    const DWORD dwStyle = pButton->GetStyle();
    pBar->SetButtonStyleAt(static_cast<int>(m_nIndex),
                           bOn ? (dwStyle & ~TBBS_DISABLED) : (dwStyle | TBBS_DISABLED));
    if (CExtCmdItem* pItem = pButton->FindCmdItem(false))
        pItem->SetEnabled(bOn != FALSE);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::ApplyCheckStyle(int nCheck)
{
    CExtBarButton* pButton = Button();
    DWORD dwStyle = pButton->GetStyle() & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        dwStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        dwStyle |= TBBS_INDETERMINATE;
    static_cast<CExtToolControlBar*>(m_pOther)->SetButtonStyleAt(static_cast<int>(m_nIndex), dwStyle | TBBS_CHECKBOX);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetCheck(int nCheck)
{
    CExtBarButton* pButton = Button();
    if (pButton == nullptr)
        return;
    ApplyCheckStyle(nCheck);
    if (CExtCmdItem* pItem = pButton->FindCmdItem(false))
        pItem->SetChecked((pButton->GetStyle() & (TBBS_CHECKED | TBBS_INDETERMINATE)) != 0);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetRadio(BOOL bOn)
{
    CExtBarButton* pButton = Button();
    if (pButton == nullptr)
        return;
    ApplyCheckStyle(bOn ? 1 : 0);
    if (CExtCmdItem* pItem = pButton->FindCmdItem(false))
        pItem->SetRadio(bOn != FALSE);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetText(LPCSTR) {}

void CExtToolControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CWnd* pUpdateTarget = pTarget;
    if (!m_bInDialog) {
        CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
        if (GetDraggedBar() != nullptr || pTarget == nullptr)
            return;
    } else {
        if (pTarget != nullptr && pTarget->IsFrameWnd())
            return;
        pUpdateTarget = GetOwner();
        if (pUpdateTarget == nullptr)
            pUpdateTarget = GetParent();
        if (pUpdateTarget == nullptr)
            return;
    }
    if ((GetStyle() & WS_VISIBLE) == 0)
        return;
    // A handler may remove buttons: the count is read again on every step.
    for (int i = 0; i < GetButtonCount(); ++i)
        m_buttons[i]->OnUpdateCmdUI(pUpdateTarget, bDisableIfNoHndler != FALSE, i);
    UpdateDialogControls(pUpdateTarget, bDisableIfNoHndler);
}

// --- painting -------------------------------------------------------------------------------------

void CExtToolControlBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CExtPaintManager::ClipOutChildWindows(pDC->GetSafeHdc(), m_hWnd);
    CExtMemoryDC dc(pDC, &rcClient, kMemoryDcFlags);
    DrawClientBackground(dc, rcClient);
    const bool bHorzBar = (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || IsFixedColumn();
    dc.SetTextColor(g_PaintManagerHolder->ColorByIndex(CExtPaintManager::CLRID_TEXT, this));
    dc.SetBkMode(TRANSPARENT);
    CFont* pOldFont = dc.SelectObject(GetBarFont(!bHorzBar));
    CalcRowRects(nullptr, &dc);
    const bool bFit = IsFitToDockArea();
    const bool bSeparatorAcross = !(bFit && IsDockedAtLeftOrRight() && !IsFixedColumn());
    const int nRowGap = g_PaintManagerHolder->GetToolbarGripperExtent(this);
    const int nMode = GetWrapMode();
    CRect rcClip;
    dc.GetClipBox(&rcClip);
    for (int i = 0; i < GetButtonCount(); ++i) {
        CExtBarButton* pButton = m_buttons[i];
        if (!pButton->IsVisible() || !IsCountedButton(i))
            continue;
        CRect rc = pButton->GetRect();
        if (!pButton->IsSeparator()) {
            CRect rcMeet;
            if (rcMeet.IntersectRect(&rc, &rcClip))
                pButton->Paint(dc, bHorzBar);
            continue;
        }
        bool bVerticalLine = bSeparatorAcross;
        if (pButton->IsWrap(nMode) && !IsFixedColumn()) {
            if (nRowGap == 0)
                continue;
            if (bSeparatorAcross) {
                if (!bFit && IsDockedAtLeftOrRight())
                    rc.OffsetRect(0, -rc.Height());
                rc = CRect(rcClient.left, rc.bottom, rcClient.right, rc.bottom + nRowGap);
            } else {
                rc = CRect(rc.left - nRowGap, rcClient.top, rc.left, rcClient.bottom);
            }
            bVerticalLine = !bVerticalLine;
            if (bFit && m_pChevron != nullptr && m_pChevron->IsVisible()) {
                const CRect rcChevron = m_pChevron->GetRect();
                if (bVerticalLine)
                    rc.bottom = std::min<int>(rc.bottom, rcChevron.top - kWrapLineChevronGap);
                else
                    rc.right = std::min<int>(rc.right, rcChevron.left - kWrapLineChevronGap);
            }
        }
        if (bVerticalLine)
            rc.DeflateRect(0, kSeparatorInset);
        else
            rc.DeflateRect(kSeparatorInset, 0);
        CRect rcMeet;
        if (rcMeet.IntersectRect(&rc, &rcClip))
            g_PaintManagerHolder->DrawSeparatorLine(dc, rc, bVerticalLine, true, this, 0);
    }
    dc.SelectObject(pOldFont);
    g_PaintManagerHolder->NotifyPaintDone(this, 0);
}

void CExtToolControlBar::CalcRowRects(RowRectsInfo_t* pInfo, CDC* pDC)
{
    if (!g_PaintManagerHolder->IsBarBackgroundGradient(this) || m_hWnd == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcRow(rcClient.left, rcClient.top, rcClient.right, rcClient.top);
    const bool bRowsAlongX = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nMode = GetWrapMode();
    auto finishRow = [&](int nEndIndex) {
        if (rcRow.IsRectEmpty())
            return;
        if (pInfo != nullptr) {
            pInfo->m_arrRects.Add(rcRow);
            pInfo->m_arrEndIndexes.Add(nEndIndex);
        }
        if (pDC != nullptr)
            g_PaintManagerHolder->DrawToolbarBackground(*pDC, this, nEndIndex, rcRow);
    };
    for (int i = 0; i < GetButtonCount(); ++i) {
        const CExtBarButton* pButton = m_buttons[i];
        if (!pButton->IsVisible() || !IsCountedButton(i))
            continue;
        if (!pButton->IsSeparator()) {
            const CRect rc = pButton->GetRect();
            rcRow.top = std::min<int>(rcRow.top, rc.top);
            rcRow.bottom = std::max<int>(rcRow.bottom, rc.bottom);
        }
        if (bRowsAlongX && pButton->IsWrap(nMode)) {
            finishRow(i);
            rcRow.top = rcRow.bottom + 1;
        }
    }
    finishRow(GetButtonCount());
}

void CExtToolControlBar::RowRectsInfo_t::Clear()
{
    m_arrRects.RemoveAll();
    m_arrEndIndexes.RemoveAll();
    m_hWndTarget = nullptr;
    m_pBar = nullptr;
    m_pFloatingFrame = nullptr;
}

bool CExtToolControlBar::RowRectsInfo_t::CollectForWindow(HWND hWnd)
{
    Clear();
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return false;
    m_hWndTarget = hWnd;
    for (HWND hWalk = hWnd; hWalk != nullptr; hWalk = ::GetParent(hWalk)) {
        if (m_pFloatingFrame != nullptr && m_pFloatingFrame->GetSafeHwnd() == hWalk)
            return false;
        if (m_pFloatingFrame == nullptr && (::GetWindowLongA(hWalk, GWL_STYLE) & WS_CHILD) == 0)
            return false;
        CWnd* pWnd = CWnd::FromHandlePermanent(hWalk);
        if (pWnd == nullptr)
            continue;
        if (m_pFloatingFrame == nullptr) {
            CFrameWnd* pFrame = pWnd->GetParentFrame();
            if (!ExtBarDetail::IsKindOfNamed(pFrame, "CExtMiniDockFrameWnd"))
                return false;
            m_pFloatingFrame = pFrame;
        }
        if (pWnd->IsKindOf(RUNTIME_CLASS(CExtToolControlBar))) {
            m_pBar = static_cast<CExtToolControlBar*>(pWnd);
            if (hWalk == hWnd)
                return false;
            m_pBar->CalcRowRects(this, nullptr);
            return !m_arrRects.IsEmpty();
        }
    }
    return false;
}

void CExtToolControlBar::RowRectsInfo_t::MapToWindowClient()
{
    if (m_pBar == nullptr)
        return;
    for (INT_PTR i = 0; i < m_arrRects.GetSize(); ++i)
        ::MapWindowPoints(m_pBar->GetSafeHwnd(), m_hWndTarget, reinterpret_cast<POINT*>(&m_arrRects[i]), 2);
}

void CExtToolControlBar::RowRectsInfo_t::MapToWindowRect()
{
    if (m_pBar == nullptr)
        return;
    CRect rcTarget;
    ::GetWindowRect(m_hWndTarget, &rcTarget);
    for (INT_PTR i = 0; i < m_arrRects.GetSize(); ++i) {
        m_pBar->ClientToScreen(&m_arrRects[i]);
        m_arrRects[i].OffsetRect(-rcTarget.left, -rcTarget.top);
    }
}

void CExtToolControlBar::RowRectsInfo_t::PaintRowBackgrounds(CDC& dc)
{
    if (m_pBar == nullptr)
        return;
    CRect rcClip;
    dc.GetClipBox(&rcClip);
    for (INT_PTR i = 0; i < m_arrRects.GetSize(); ++i) {
        CRect rcMeet;
        if (rcMeet.IntersectRect(&m_arrRects[i], &rcClip))
            g_PaintManagerHolder->DrawToolbarBackground(dc, m_pBar, m_arrEndIndexes[i], m_arrRects[i]);
    }
}

// --- window and bar overrides -------------------------------------------------------------------

LRESULT CExtToolControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSELEAVE && m_nBtnIdxCapture < 0) {
        const int nHover = m_nBtnIdxHover;
        m_nBtnIdxHover = -1;
        if (CExtBarButton* pButton = GetButtonByIndex(nHover)) {
            pButton->SetHover(false);
            InvalidateButton(nHover);
            // The button's prompt leaves the status bar with the pointer.
            pButton->OnHover(CPoint(-1, -1), false);
        }
    }
    if (message == WM_SETTINGCHANGE) {
        const LRESULT lResult = CExtControlBar::WindowProc(message, wParam, lParam);
        if (m_bInDialog)
            RequestFrameLayout();
        else if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->m_nIdleFlags |= kIdleLayoutAndNotify;
        return lResult;
    }
    if (message == WM_WINDOWPOSCHANGED && GetDraggedBar() != this)
        RequestFrameLayout();
    if (message == WM_WINDOWPOSCHANGED || message == WM_SIZE) {
        if (m_hWnd != nullptr) {
            RecalcButtonPositions();
            Invalidate();
            if (m_pDockContext == nullptr)
                UpdateWindow();
        }
    }
    return CExtControlBar::WindowProc(message, wParam, lParam);
}

bool CExtToolControlBar::IsFullRowBar() const
{
    return (m_nLayoutFlags & LAYOUT_FULL_ROW) != 0 || CExtControlBar::IsFullRowBar();
}

CExtControlBar::FixedBarPlacement_t* CExtToolControlBar::GetFixedBarPlacement() { return &m_placement; }

void CExtToolControlBar::SetFixedBarPlacement(const FixedBarPlacement_t& placement) { m_placement = placement; }

bool CExtToolControlBar::IsFloatingWithCaption() const { return !IsFixedColumn(); }

void CExtToolControlBar::RequestFrameLayout()
{
    if (m_hWnd == nullptr)
        return;
    CExtControlBar::RequestFrameLayout();
    RecalcButtonPositions();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    if (m_bInDialog)
        UpdateWindow();
}

bool CExtToolControlBar::IsShowContentWhenDragging() const { return true; }

void CExtToolControlBar::SetDragCursor(const POINT& ptClient)
{
    const int nIndex = HitTest(ptClient);
    if (nIndex >= 0 && m_buttons[nIndex]->OnSetCursor(ptClient))
        return;
    CExtControlBar::SetDragCursor(ptClient);
}

bool CExtToolControlBar::CanBeDockedToFrame() const { return false; }
bool CExtToolControlBar::CanBeTabbedWith(CExtControlBar*) const { return false; }

void CExtToolControlBar::ToggleDockedFloating()
{
    if (m_pDockContext == nullptr)
        return;
    m_pDockContext->ToggleDocking();
    CFrameWnd* pFrame = m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
    if (pFrame != nullptr)
        pFrame->m_nIdleFlags |= kIdleLayoutAndNotify;
    RecalcNonClient();
}
