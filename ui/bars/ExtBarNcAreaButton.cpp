#include "ui/bars/ExtBarNcAreaButton.h"

#include <cstring>

#include "ui/bars/ExtControlBar.h"
#include "ui/bars/ExtControlBarInternal.h"
#include "ui/bars/ExtDynAutoHideSlider.h"
#include "ui/bars/ExtMiniDockFrameWnd.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtResourceManager.h"

using namespace ExtBarDetail;

namespace
{
constexpr UINT kIdsHide = 30048;
constexpr UINT kIdsOptions = 30049;
constexpr UINT kIdsAutoHide = 30056;
constexpr UINT kIdsShowHidePanels = 30009;
constexpr DWORD kOptionsMenuTrackFlags = 0x824;
constexpr int kButtonGap = 3;

bool IsLeftButtonOnlyDown()
{
    return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 && (::GetAsyncKeyState(VK_MBUTTON) & 0x8000) == 0
        && (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) == 0;
}
} // namespace

IMPLEMENT_DYNCREATE(CExtBarNcAreaButton, CObject)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonClose, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonAutoHide, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonMenu, CExtBarNcAreaButton)

CExtBarNcAreaButton::CExtBarNcAreaButton(CExtControlBar* pBar)
    : m_pBar(pBar), m_rc(0, 0, 0, 0), m_bHover(false), m_bPushed(false), m_bDisabled(false), m_bPaintOnMenu(false)
{
}

void CExtBarNcAreaButton::Serialize(CArchive& /*ar*/) {}

void CExtBarNcAreaButton::OnNcDestroy()
{
    delete this;
}

bool CExtBarNcAreaButton::IsButtonAvailable() const
{
    return true;
}

bool CExtBarNcAreaButton::GetNcAreaInfo(RECT* pRcCaption, RECT* pRcWnd, bool* pbHorz, bool* pbText) const
{
    if (pRcCaption != nullptr)
        ::SetRectEmpty(pRcCaption);
    if (pRcWnd != nullptr)
        ::SetRectEmpty(pRcWnd);
    if (pbHorz != nullptr)
        *pbHorz = true;
    if (pbText != nullptr)
        *pbText = false;
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr)
        return false;
    // An auto-hidden bar's buttons live in the caption of the slider that shows it.
    if (m_pBar->m_bAutoHidden) {
        CExtDynAutoHideSlider* pSlider = CExtDynAutoHideSlider::FindShowingSlider(m_pBar);
        if (pSlider == nullptr)
            return false;
        CRect rcCaption;
        pSlider->CalcNcRects(nullptr, nullptr, nullptr, &rcCaption);
        bool bAlongTop = false;
        m_pBar->QueryGripper(&bAlongTop, nullptr);
        if (pRcCaption != nullptr)
            *pRcCaption = rcCaption;
        if (pRcWnd != nullptr)
            pSlider->GetWindowRect(pRcWnd);
        if (pbHorz != nullptr)
            *pbHorz = bAlongTop;
        if (pbText != nullptr)
            *pbText = !rcCaption.IsRectEmpty();
        return true;
    }
    if (CExtMiniDockFrameWnd* pFloating = FloatingCaptionHolder()) {
        if (pRcCaption != nullptr)
            *pRcCaption = pFloating->m_rcCaption;
        if (pRcWnd != nullptr)
            pFloating->GetWindowRect(pRcWnd);
        return true;
    }
    if (m_pBar->IsFloating())
        return false;
    bool bAlongTop = false;
    bool bShown = false;
    if (!m_pBar->QueryGripper(&bAlongTop, &bShown))
        return false;
    if (pRcCaption != nullptr)
        *pRcCaption = m_pBar->m_rcCaption;
    if (pRcWnd != nullptr)
        m_pBar->GetWindowRect(pRcWnd);
    if (pbHorz != nullptr)
        *pbHorz = bAlongTop;
    if (pbText != nullptr)
        *pbText = bShown;
    return true;
}

CExtMiniDockFrameWnd* CExtBarNcAreaButton::FloatingCaptionHolder() const
{
    CExtMiniDockFrameWnd* pFloating = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, m_pBar->GetParentFrame());
    if (pFloating == nullptr)
        return nullptr;
    if (m_pBar->IsFloating() || (!m_pBar->IsFixedSizeBar() && m_pBar->IsSingleVisibleInFloatingFrame()))
        return pFloating;
    return nullptr;
}

void CExtBarNcAreaButton::OnNcAreaReposition(CExtBarNcAreaButton* pPrevVisible)
{
    CRect rcCaption;
    bool bHorz = true;
    if (!GetNcAreaInfo(&rcCaption, nullptr, &bHorz)) {
        m_rc.SetRectEmpty();
        return;
    }
    m_rc = rcCaption;
    if (bHorz) {
        m_rc.InflateRect(-2, -3);
        m_rc.left = m_rc.right - m_rc.Height();
        m_rc.OffsetRect(-1, 0);
        if (pPrevVisible != nullptr)
            m_rc.OffsetRect(pPrevVisible->m_rc.left - kButtonGap - m_rc.right, 0);
    } else {
        m_rc.InflateRect(-3, -2);
        m_rc.bottom = m_rc.top + m_rc.Width();
        m_rc.OffsetRect(0, 1);
        if (pPrevVisible != nullptr)
            m_rc.OffsetRect(0, pPrevVisible->m_rc.bottom + kButtonGap - m_rc.top);
    }
}

bool CExtBarNcAreaButton::OnQueryVisibility() const
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr)
        return false;
    // An auto-hidden bar shows its buttons only while the auto-hide slider shows the bar.
    if (m_pBar->m_bAutoHidden) {
        CRect rcCaption;
        return GetNcAreaInfo(&rcCaption, nullptr) && !rcCaption.IsRectEmpty();
    }
    if (!m_pBar->IsVisible())
        return false;
    if (CExtMiniDockFrameWnd* pFloating = FloatingCaptionHolder()) {
        CRect rcCaption(pFloating->m_rcCaption);
        rcCaption.InflateRect(2, 2, 1, 2);
        return !rcCaption.IsRectEmpty();
    }
    CRect rcCaption;
    if (!GetNcAreaInfo(&rcCaption, nullptr))
        return false;
    return !rcCaption.IsRectEmpty();
}

void CExtBarNcAreaButton::OnNcDraw(CDC& /*dc*/) {}

UINT CExtBarNcAreaButton::OnNcAreaHitTest(CPoint ptWnd)
{
    if (m_rc.PtInRect(ptWnd)) {
        m_bHover = true;
        m_bPushed = IsLeftButtonOnlyDown();
        return HTNOWHERE;
    }
    m_bHover = false;
    m_bPushed = false;
    return HTCLIENT;
}

HCURSOR CExtBarNcAreaButton::OnNcAreaQueryCursor(CPoint ptWnd)
{
    return m_rc.PtInRect(ptWnd) ? CExtControlBar::g_hCursorArrow : nullptr;
}

bool CExtBarNcAreaButton::OnNcAreaClicked(CPoint ptWnd)
{
    return m_rc.PtInRect(ptWnd) != FALSE;
}

INT_PTR CExtBarNcAreaButton::OnToolHitTest(CPoint /*ptWnd*/, TOOLINFOA* /*pTI*/)
{
    return -1;
}

namespace
{
// A heap copy the tool-tip owner frees; the callback marker when none can be made.
LPSTR CopyTipText(LPCSTR lpszText)
{
    const size_t nLength = lpszText != nullptr ? std::strlen(lpszText) : 0;
    char* pszCopy = static_cast<char*>(::malloc(nLength + 1));
    if (pszCopy == nullptr)
        return LPSTR_TEXTCALLBACKA;
    std::memcpy(pszCopy, lpszText != nullptr ? lpszText : "", nLength + 1);
    return pszCopy;
}
} // namespace

INT_PTR CExtBarNcAreaButton::FillToolInfo(TOOLINFOA* pTI, LPCSTR lpszText) const
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr)
        return 0;
    const UINT nBarId = static_cast<UINT>(m_pBar->GetDlgCtrlID());
    if (pTI == nullptr)
        return m_pBar->m_bAutoHidden ? 0 : nBarId;
    // The auto-hide slider makes the tool of an auto-hidden bar's button: only the text here.
    if (m_pBar->m_bAutoHidden) {
        pTI->lpszText = CopyTipText(lpszText);
        return 0;
    }
    CRect rcTool(m_rc);
    CWnd* pHolder = m_pBar;
    CFrameWnd* pFloating = m_pBar->IsFloating() ? m_pBar->GetParentFrame() : nullptr;
    if (pFloating != nullptr)
        pHolder = pFloating;
    CRect rcHolderWnd;
    pHolder->GetWindowRect(&rcHolderWnd);
    rcTool.OffsetRect(rcHolderWnd.TopLeft());
    m_pBar->ScreenToClient(&rcTool);
    pTI->rect = rcTool;
    pTI->uId = nBarId;
    pTI->hwnd = m_pBar->GetSafeHwnd();
    pTI->lpszText = CopyTipText(lpszText);
    return nBarId;
}

void CExtBarNcAreaButton::DrawGlyph(CDC& dc, int nGlyph)
{
    if (m_rc.IsRectEmpty() || m_pBar == nullptr)
        return;
    const bool bTracking = CExtPopupMenuWnd::IsTrackingActive();
    const bool bLive = !m_bDisabled && !m_bPaintOnMenu && !bTracking;
    const bool bFloating = m_pBar->IsFloating() != FALSE;
    bool bActive = m_pBar->m_bCaptionActive;
    if (m_pBar->m_bAutoHidden) {
        CExtDynAutoHideSlider* pSlider = CExtDynAutoHideSlider::FindShowingSlider(m_pBar);
        bActive = pSlider != nullptr && pSlider->IsFocusInside();
    } else if (bFloating) {
        CFrameWnd* pFrame = m_pBar->GetParentFrame();
        const HWND hWndFocus = ::GetFocus();
        bActive = pFrame != nullptr && hWndFocus != nullptr
            && (hWndFocus == pFrame->GetSafeHwnd() || ::IsChild(pFrame->GetSafeHwnd(), hWndFocus));
    }
    CExtDrawCaptionButtonArgs args(this, m_rc, nGlyph, m_bHover && bLive, m_bPushed && bLive, !m_bDisabled,
                                   !m_pBar->IsFixedSizeBar() || m_bPaintOnMenu, bActive, bFloating);
    g_PaintManagerHolder->DrawBarCaptionButton(dc, args);
}

UINT CExtBarNcAreaButton::HitTestAsCaptionButton(CPoint ptWnd)
{
    return CExtBarNcAreaButton::OnNcAreaHitTest(ptWnd) == HTNOWHERE ? HTMINBUTTON : HTCLIENT;
}

bool CExtBarNcAreaButton::TakeClick(CPoint ptWnd)
{
    if (!m_rc.PtInRect(ptWnd))
        return false;
    m_bHover = false;
    m_bPushed = false;
    return true;
}

INT_PTR CExtBarNcAreaButton::ToolHitTestWithTip(CPoint ptWnd, TOOLINFOA* pTI, UINT nStringId, LPCSTR lpszDefault)
{
    if (!m_rc.PtInRect(ptWnd))
        return -1;
    const CString sTip = g_ResourceManagerHolder->LoadStringOrDefault(nStringId, lpszDefault);
    return FillToolInfo(pTI, sTip);
}

CExtBarNcAreaButtonClose::CExtBarNcAreaButtonClose(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}

bool CExtBarNcAreaButtonClose::OnQueryVisibility() const
{
    return CExtBarNcAreaButton::OnQueryVisibility() && (!m_pBar->IsFixedSizeBar() || m_pBar->IsFloating());
}

void CExtBarNcAreaButtonClose::OnNcDraw(CDC& dc)
{
    DrawGlyph(dc, GLYPH_CLOSE);
}

UINT CExtBarNcAreaButtonClose::OnNcAreaHitTest(CPoint ptWnd)
{
    return HitTestAsCaptionButton(ptWnd);
}

bool CExtBarNcAreaButtonClose::OnNcAreaClicked(CPoint ptWnd)
{
    if (!TakeClick(ptWnd))
        return false;
    if (m_pBar->m_bAutoHidden && !m_pBar->IsFixedSizeBar()) {
        CExtControlBar::SetAutoHideMode(m_pBar, false, false, true, true);
        m_pBar->ShowBar(false, false, false);
    } else {
        m_pBar->ShowBar(false, false, m_pBar->GetHideOption());
    }
    return true;
}

INT_PTR CExtBarNcAreaButtonClose::OnToolHitTest(CPoint ptWnd, TOOLINFOA* pTI)
{
    return ToolHitTestWithTip(ptWnd, pTI, kIdsHide, "Hide");
}

CExtBarNcAreaButtonAutoHide::CExtBarNcAreaButtonAutoHide(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}

void CExtBarNcAreaButtonAutoHide::OnNcAreaReposition(CExtBarNcAreaButton* pPrevVisible)
{
    if (m_pBar != nullptr && !m_pBar->m_bAutoHidden) {
        m_bHover = false;
        m_bPushed = false;
    }
    CExtBarNcAreaButton::OnNcAreaReposition(pPrevVisible);
}

bool CExtBarNcAreaButtonAutoHide::OnQueryVisibility() const
{
    if (!CExtBarNcAreaButton::OnQueryVisibility() || m_pBar->IsFixedSizeBar() || m_pBar->IsFloating())
        return false;
    CFrameWnd* pParentFrame = m_pBar->GetParentFrame();
    if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return false;
    return IsKindOfNamed(m_pBar->m_pDockBar, kDockBar) && CExtControlBar::HasAutoHideArea(m_pBar->m_pDockBar);
}

void CExtBarNcAreaButtonAutoHide::OnNcDraw(CDC& dc)
{
    DrawGlyph(dc, m_pBar != nullptr && m_pBar->m_bAutoHidden ? GLYPH_AUTOHIDE_UNPINNED : GLYPH_AUTOHIDE_PINNED);
}

UINT CExtBarNcAreaButtonAutoHide::OnNcAreaHitTest(CPoint ptWnd)
{
    return HitTestAsCaptionButton(ptWnd);
}

bool CExtBarNcAreaButtonAutoHide::OnNcAreaClicked(CPoint ptWnd)
{
    if (!TakeClick(ptWnd))
        return false;
    CExtControlBar* pBar = m_pBar;
    if (CExtControlBar* pGroup = DYNAMIC_DOWNCAST(CExtControlBar, m_pBar->GetTabbedGroupContainer()))
        pBar = pGroup;
    CExtControlBar::SetAutoHideMode(pBar, !pBar->m_bAutoHidden, false, true, true);
    return true;
}

INT_PTR CExtBarNcAreaButtonAutoHide::OnToolHitTest(CPoint ptWnd, TOOLINFOA* pTI)
{
    return ToolHitTestWithTip(ptWnd, pTI, kIdsAutoHide, "Auto Hide");
}

CExtBarNcAreaButtonMenu::CExtBarNcAreaButtonMenu(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}

bool CExtBarNcAreaButtonMenu::OnQueryVisibility() const
{
    return CExtBarNcAreaButton::OnQueryVisibility() && m_pBar->IsFixedSizeBar() && m_pBar->IsFloating();
}

void CExtBarNcAreaButtonMenu::OnNcDraw(CDC& dc)
{
    DrawGlyph(dc, GLYPH_OPTIONS);
}

UINT CExtBarNcAreaButtonMenu::OnNcAreaHitTest(CPoint ptWnd)
{
    return HitTestAsCaptionButton(ptWnd);
}

bool CExtBarNcAreaButtonMenu::OnNcAreaClicked(CPoint ptWnd)
{
    if (!TakeClick(ptWnd))
        return false;
    if (CExtControlBar::IsFrameInHelpMode(m_pBar))
        return true;
    CFrameWnd* pFrame = m_pBar->GetDockSiteOrFrame();
    if (pFrame == nullptr)
        return false;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    pPopup->PrepareEmptyPopup(pFrame->GetSafeHwnd());
    CExtControlBar::POPUP_MENU_EVENT_DATA data(CExtControlBar::POPUP_MENU_EVENT_DATA::NCBTNMENU_TOP, pPopup, m_pBar,
                                               CPoint(-1, -1), WM_NCLBUTTONDOWN, this);
    if (!data.NotifyTargetFrame(false)) {
        const CString sText = g_ResourceManagerHolder->LoadStringOrDefault(kIdsShowHidePanels, "&Show/hide panels");
        if (pPopup->InsertCommandItem(CExtPopupMenuWnd::ID_SUBMENU, -1, sText)) {
            const int nSubmenu = pPopup->CountItems() - 1;
            CExtPopupMenuWnd* pSubmenu = pPopup->GetSubmenuAt(nSubmenu);
            if (pSubmenu == nullptr
                || !CExtControlBar::BuildFrameBarsMenu(pFrame, pSubmenu,
                                                       CExtControlBar::POPUP_MENU_EVENT_DATA::NCBTNMENU_BARS, m_pBar,
                                                       WM_NCLBUTTONDOWN, this))
                pPopup->DeleteItemAt(nSubmenu);
        }
    }
    data.NotifyTargetFrame(true);
    if (pPopup->CountItems() == 0) {
        delete pPopup;
        return false;
    }
    CRect rcWnd;
    CWnd* pHolder = m_pBar->IsFloating() ? static_cast<CWnd*>(m_pBar->GetParentFrame()) : m_pBar;
    pHolder->GetWindowRect(&rcWnd);
    CRect rcButton(m_rc);
    rcButton.OffsetRect(rcWnd.TopLeft());
    rcButton.InflateRect(1, 1);
    pFrame->SetFocus();
    if (!pPopup->StartTracking(kOptionsMenuTrackFlags, rcButton.CenterPoint().x, rcButton.CenterPoint().y, &rcButton,
                               this, &CExtBarNcAreaButtonMenu::PaintOnMenu, nullptr, true))
        delete pPopup;
    return true;
}

void CExtBarNcAreaButtonMenu::PaintOnMenu(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup,
                                          const RECT* /*pExcludeArea*/, int /*nSide*/)
{
    CExtBarNcAreaButtonMenu* pButton = static_cast<CExtBarNcAreaButtonMenu*>(pCookie);
    if (pButton == nullptr || pButton->m_pBar == nullptr || pButton->m_pBar->GetSafeHwnd() == nullptr)
        return;
    CWnd* pHolder = pButton->m_pBar->IsFloating() ? static_cast<CWnd*>(pButton->m_pBar->GetParentFrame())
                                                   : static_cast<CWnd*>(pButton->m_pBar);
    if (pHolder == nullptr)
        return;
    CRect rcHolder;
    pHolder->GetWindowRect(&rcHolder);
    CPoint ptMenuOrigin(0, 0);
    ::ClientToScreen(popup.GetSafeHwnd(), &ptMenuOrigin);
    const CPoint ptShift(rcHolder.left - ptMenuOrigin.x, rcHolder.top - ptMenuOrigin.y);
    POINT ptOldOrg{};
    ::OffsetViewportOrgEx(dc.GetSafeHdc(), ptShift.x, ptShift.y, &ptOldOrg);
    pButton->m_bPaintOnMenu = true;
    pButton->OnNcDraw(dc);
    pButton->m_bPaintOnMenu = false;
    ::SetViewportOrgEx(dc.GetSafeHdc(), ptOldOrg.x, ptOldOrg.y, nullptr);
}

INT_PTR CExtBarNcAreaButtonMenu::OnToolHitTest(CPoint ptWnd, TOOLINFOA* pTI)
{
    return ToolHitTestWithTip(ptWnd, pTI, kIdsOptions, "Options");
}
