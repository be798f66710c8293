// The bar button: its state word and flags, its size from icon and text, its painting and its
// command protocol.
#include "ui/bars/ExtBarButton.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/Button.h"
#include "platform/mfc/FrameWnd.h"
#include "ui/bars/ExtBarContentExpandButton.h"
#include "ui/bars/ExtToolControlBar.h"
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtItemCoveringNotification.h"
#include "ui/core/ExtPaintGlyphSet.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <cstring>

namespace
{
constexpr DWORD kPressedBits = TBBS_PRESSED | TBBS_CHECKED;
constexpr UINT kTextAlignment = DT_CENTER | DT_VCENTER;
constexpr int kVerticalTextGap = 3;
constexpr UINT kAlignLeft = 1;
constexpr UINT kAlignRight = 3;
constexpr UINT kAlignBottom = 6;
constexpr UINT kAlignTop = 4;
// Track flags of a drop-down menu opened from a button.
constexpr UINT kTrackFlagsBase = 0x820;
constexpr UINT kTrackKeyboard = 0x40;
constexpr UINT kTrackExpanded = 0x100;
constexpr UINT kTrackSelectFirst = 0x8000;
constexpr UINT kTrackModalResult = 0x280;
// A drop-down button asks the help loop to let its menu run.
constexpr int kHelpHitTrackMenu = -3;

// The drop-down arrow drawn on a button; the layout reads only its size.
SIZE DropDownGlyphSize(bool bHorz)
{
    const SIZE size = g_PaintGlyphSet[CExtPaintGlyphSet::ChevronTriangleH].GetSize();
    return bHorz ? size : SIZE{size.cy, size.cx};
}

// The text as drawn: a doubled ampersand shows one, a single one marks the mnemonic and takes
// no room.
CString TextForMeasure(const CString& sText)
{
    std::string out;
    const char* p = sText.GetString();
    for (size_t i = 0, n = std::strlen(p); i < n; ++i) {
        if (p[i] == '&') {
            if (i + 1 < n && p[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += p[i];
    }
    return CString(out.c_str());
}

bool IsMenuBar(const CExtToolControlBar* pBar)
{
    return pBar != nullptr && CExtPaintManager::IsMenuBarKind(const_cast<CExtToolControlBar*>(pBar));
}
} // namespace

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdId, DWORD dwStyle)
    : m_pBar(pBar), m_nCmdId(nCmdId), m_nEffectiveCmdId(nCmdId),
      m_dwStyle(nCmdId == 0 ? (dwStyle | TBBS_SEPARATOR) : (dwStyle & ~TBBS_SEPARATOR)), m_size(0, 0),
      m_rc(0, 0, 0, 0), m_bWrapH(false), m_bWrapV(false), m_bWrapF(false), m_bVisible(true), m_bHover(false),
      m_bCtrlDeletesItself(false), m_bVerticalLayout(false), m_bTakeFirstSubmenu(false), m_bOwnsMenu(false),
      m_bAppendMdiWindows(false), m_bSplitDropDown(false), m_bDropDownSetsCommand(false), m_bPressedInArrow(false),
      m_bAlwaysHorizontal(false), m_bCtrlVisibleVertically(false), m_bPressedHighlight(false), m_pCtrl(nullptr),
      m_hMenu(nullptr)
{
}

CExtBarButton::~CExtBarButton()
{
    SetCtrl(nullptr);
    if (m_hMenu != nullptr && m_bOwnsMenu)
        ::DestroyMenu(m_hMenu);
}

bool CExtBarButton::IsCtrlShown() const
{
    return m_pCtrl != nullptr && ::IsWindow(m_pCtrl->GetSafeHwnd()) &&
           (!m_bVerticalLayout || m_bCtrlVisibleVertically);
}

void CExtBarButton::UpdateCtrlState()
{
    if (m_pCtrl == nullptr || !::IsWindow(m_pCtrl->GetSafeHwnd()))
        return;
    const bool bShow = m_bVisible && (m_dwStyle & TBBS_HIDDEN) == 0 &&
                       (!m_bVerticalLayout || m_bCtrlVisibleVertically);
    m_pCtrl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    m_pCtrl->EnableWindow((m_dwStyle & TBBS_DISABLED) == 0);
    if (m_pCtrl->IsKindOf(RUNTIME_CLASS(CButton))) {
        WPARAM nCheck = 0;
        if ((m_dwStyle & kPressedBits) != 0)
            nCheck = 1;
        else if ((m_dwStyle & TBBS_INDETERMINATE) != 0)
            nCheck = 2;
        m_pCtrl->SendMessage(BM_SETCHECK, nCheck, 0);
    }
}

bool CExtBarButton::IsLargeIconsMode() const
{
    return !IsSeparator() && m_pBar != nullptr && m_pBar->IsLargeIconsOption();
}

bool CExtBarButton::IsTooltipsMode() const
{
    return !IsSeparator() && m_pBar != nullptr && m_pBar->IsTooltipsOption();
}

bool CExtBarButton::IsAccelInTooltipsMode() const
{
    return !IsSeparator() && m_pBar != nullptr && m_pBar->IsAccelInTooltipsOption();
}

UINT CExtBarButton::GetCmdID(bool bEffective) const { return bEffective ? m_nEffectiveCmdId : m_nCmdId; }

void CExtBarButton::SetCmdID(UINT nCmdId, bool bEffectiveOnly, bool bRedraw)
{
    const bool bChanged = m_nEffectiveCmdId != nCmdId || (!bEffectiveOnly && m_nCmdId != nCmdId);
    m_nEffectiveCmdId = nCmdId;
    if (!bEffectiveOnly) {
        m_nCmdId = nCmdId;
        if (nCmdId == 0)
            m_dwStyle |= TBBS_SEPARATOR;
        else
            m_dwStyle &= ~TBBS_SEPARATOR;
    }
    if (!bRedraw || !bChanged || m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr)
        return;
    m_pBar->Invalidate();
    if (CFrameWnd* pFrame = m_pBar->GetParentFrame())
        pFrame->RecalcLayout();
    else
        m_pBar->RequestFrameLayout();
}

bool CExtBarButton::IsSplitDropDown() const { return m_bSplitDropDown; }

void CExtBarButton::SetSplitDropDown(bool bOn)
{
    if (m_bSplitDropDown == bOn)
        return;
    m_bSplitDropDown = bOn;
    UpdateCtrlState();
}

bool CExtBarButton::IsDropDownSetsCommand() const { return m_bDropDownSetsCommand; }

void CExtBarButton::SetDropDownSetsCommand(bool bOn)
{
    if (m_bDropDownSetsCommand == bOn)
        return;
    m_bDropDownSetsCommand = bOn;
    UpdateCtrlState();
}

bool CExtBarButton::IsAlwaysHorizontal() const { return m_bAlwaysHorizontal; }

void CExtBarButton::SetAlwaysHorizontal(bool bOn)
{
    if (m_bAlwaysHorizontal == bOn)
        return;
    m_bAlwaysHorizontal = bOn;
    UpdateCtrlState();
}

bool CExtBarButton::IsCtrlVisibleVertically() const { return m_bCtrlVisibleVertically; }

void CExtBarButton::SetCtrlVisibleVertically(bool bOn)
{
    m_bCtrlVisibleVertically = bOn;
    UpdateCtrlState();
}

CWnd* CExtBarButton::GetCtrl() { return m_pCtrl; }

void CExtBarButton::SetCtrl(CWnd* pCtrl, bool bCtrlDeletesItself)
{
    if (m_pCtrl != nullptr && m_pCtrl != pCtrl) {
        if (::IsWindow(m_pCtrl->GetSafeHwnd()))
            m_pCtrl->DestroyWindow();
        if (!m_bCtrlDeletesItself)
            delete m_pCtrl;
    }
    m_pCtrl = pCtrl;
    m_bCtrlDeletesItself = bCtrlDeletesItself;
}

DWORD CExtBarButton::GetStyle() const { return m_dwStyle; }

void CExtBarButton::SetStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle;
    if ((m_dwStyle & TBBS_PRESSED) == 0)
        m_bPressedInArrow = false;
    if ((m_dwStyle & TBBS_SEPARATOR) != 0)
        m_nCmdId = m_nEffectiveCmdId = 0;
    UpdateCtrlState();
}

void CExtBarButton::ModifyStyle(DWORD dwAdd, DWORD dwRemove) { SetStyle((m_dwStyle & ~dwRemove) | dwAdd); }

void CExtBarButton::SetPressedHighlight() { m_bPressedHighlight = true; }
void CExtBarButton::ClearPressedHighlight() { m_bPressedHighlight = false; }
bool CExtBarButton::IsPressedHighlight() const { return m_bPressedHighlight; }
void CExtBarButton::SetVerticalLayout(bool bVertical) { m_bVerticalLayout = bVertical; }

bool CExtBarButton::IsWrap(int nMode) const
{
    switch (nMode) {
    case CExtToolControlBar::WRAP_MODE_HORZ:
        return m_bWrapH;
    case CExtToolControlBar::WRAP_MODE_VERT:
        return m_bWrapV;
    default:
        return m_bWrapF;
    }
}

void CExtBarButton::SetWrapFlag(int nMode, bool bWrap)
{
    switch (nMode) {
    case CExtToolControlBar::WRAP_MODE_HORZ:
        m_bWrapH = bWrap;
        break;
    case CExtToolControlBar::WRAP_MODE_VERT:
        m_bWrapV = bWrap;
        break;
    default:
        m_bWrapF = bWrap;
        break;
    }
}

bool CExtBarButton::IsSeparator() const { return (m_dwStyle & TBBS_SEPARATOR) != 0; }
bool CExtBarButton::IsDisabled() const { return (m_dwStyle & TBBS_DISABLED) != 0; }
bool CExtBarButton::IsIndeterminate() const { return (m_dwStyle & TBBS_INDETERMINATE) != 0; }
bool CExtBarButton::IsPressed() const { return (m_dwStyle & kPressedBits) != 0; }

void CExtBarButton::SetVisible(bool bVisible)
{
    m_bVisible = bVisible;
    UpdateCtrlState();
}

bool CExtBarButton::IsVisible() const { return m_bVisible; }

void CExtBarButton::SetHover(bool bHover)
{
    m_bHover = bHover;
    UpdateCtrlState();
}

bool CExtBarButton::IsHover() const { return m_bHover; }

LPCSTR CExtBarButton::GetProfileName() const
{
    return g_CmdManagerHolder->FindProfileNameForWindow(m_pBar != nullptr ? m_pBar->GetSafeHwnd() : nullptr);
}

CExtCmdItem* CExtBarButton::FindCmdItem(bool bEffective) const
{
    const UINT nId = GetCmdID(bEffective);
    if (nId == 0 || IsSeparator())
        return nullptr;
    return g_CmdManagerHolder->FindCommand(GetProfileName(), nId);
}

CString CExtBarButton::GetText() const
{
    const CExtCmdItem* pItem = FindCmdItem(false);
    if (pItem == nullptr)
        return CString();
    CString sText = pItem->m_sToolbarText;
    const int nTab = sText.Find('\t');
    return nTab >= 0 ? sText.Left(nTab) : sText;
}

void CExtBarButton::SetRect(const RECT& rc)
{
    m_rc = rc;
    if (IsCtrlShown()) {
        CRect rcCtrl;
        m_pCtrl->GetWindowRect(&rcCtrl);
        CPoint pt = m_rc.TopLeft();
        if (m_bVerticalLayout)
            pt.x += (m_rc.Width() - rcCtrl.Width()) / 2;
        else
            pt.y += (m_rc.Height() - rcCtrl.Height()) / 2;
        m_pCtrl->SetWindowPos(nullptr, pt.x, pt.y, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    UpdateCtrlState();
}

CRect CExtBarButton::GetRect() const { return m_rc; }

CRect CExtBarButton::GetDropDownRect() const
{
    CRect rc = m_rc;
    const bool bAlongRow = m_bAlwaysHorizontal || m_pBar == nullptr || !m_pBar->IsDockedAtLeftOrRight();
    if (bAlongRow) {
        const int nStrip = DropDownGlyphSize(true).cx + FACE_PADDING;
        CWnd* pLayoutWnd = m_pBar;
        if (m_pBar != nullptr && m_pBar->m_pDockBar == nullptr)
            pLayoutWnd = m_pBar->GetParent();
        const bool bRtl = pLayoutWnd != nullptr && (pLayoutWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        if (bRtl)
            rc.right = rc.left + nStrip;
        else
            rc.left = rc.right - nStrip;
    } else {
        rc.top = rc.bottom - (DropDownGlyphSize(false).cy + FACE_PADDING);
    }
    return rc;
}

CSize CExtBarButton::GetSize() const { return m_size; }

void CExtBarButton::SetMenu(HMENU hMenu, bool bTakeFirstSubmenu, bool bOwned)
{
    if (m_hMenu != nullptr && m_bOwnsMenu && m_hMenu != hMenu)
        ::DestroyMenu(m_hMenu);
    m_hMenu = hMenu;
    m_bOwnsMenu = false;
    if (hMenu == nullptr)
        return;
    g_CmdManagerHolder->ImportMenu(GetProfileName(), hMenu, false, true, true);
    m_bTakeFirstSubmenu = bTakeFirstSubmenu;
    m_dwStyle &= ~TBBS_DISABLED;
    m_bOwnsMenu = bOwned;
}

HMENU CExtBarButton::GetMenu() const { return m_hMenu; }
void CExtBarButton::SetAppendMdiWindows(bool bOn) { m_bAppendMdiWindows = bOn; }
bool CExtBarButton::IsAppendMdiWindows() const { return m_bAppendMdiWindows; }

bool CExtBarButton::CanTrackMenu() const
{
    return m_hMenu != nullptr || IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton));
}

bool CExtBarButton::CanTrackMenuEx(bool) const { return CanTrackMenu(); }
bool CExtBarButton::IsTakeFirstSubmenu() const { return m_bTakeFirstSubmenu; }

CSize CExtBarButton::CalculateLayout(CDC& dc, CSize sizePreset, bool bHorz)
{
    bHorz = bHorz || m_bAlwaysHorizontal;
    if (IsCtrlShown()) {
        CRect rcCtrl;
        m_pCtrl->GetWindowRect(&rcCtrl);
        m_size = CSize(rcCtrl.Width(), std::max<int>(rcCtrl.Height(), sizePreset.cy));
        return m_size;
    }
    m_size = sizePreset;
    if (IsSeparator()) {
        if (bHorz)
            m_size.cx = SEPARATOR_THICKNESS;
        else
            m_size.cy = SEPARATOR_THICKNESS;
        return m_size;
    }
    if (FindCmdItem(true) == nullptr)
        return m_size;
    CSize sizeIcon(0, 0);
    if (CExtCmdIcon* pIcon = GetIcon(); pIcon != nullptr && !pIcon->HasNoImage())
        sizeIcon = pIcon->GetImageSize();
    if (IsLargeIconsMode())
        sizeIcon = CSize(sizeIcon.cx * 2, sizeIcon.cy * 2);
    CSize sizeText(0, 0);
    const CString sText = TextForMeasure(GetText());
    if (!sText.IsEmpty()) {
        CRect rcText(0, 0, 0, 0);
        dc.DrawText(sText, sText.GetLength(), &rcText, DT_CALCRECT | DT_SINGLELINE);
        sizeText = rcText.Size();
    }
    CSize sizeContent;
    if (bHorz)
        sizeContent = CSize(sizeIcon.cx + sizeText.cx + FACE_PADDING, std::max(sizeIcon.cy, sizeText.cy));
    else
        sizeContent = CSize(std::max(sizeIcon.cx, sizeText.cy), sizeIcon.cy + sizeText.cx + kVerticalTextGap);
    m_size.cx = std::max<int>(sizePreset.cx, sizeContent.cx + FACE_PADDING);
    m_size.cy = std::max<int>(sizePreset.cy, sizeContent.cy + FACE_PADDING);
    if (CanTrackMenuEx(false) && !IsMenuBar(m_pBar)) {
        const SIZE glyph = DropDownGlyphSize(bHorz);
        if (bHorz)
            m_size.cx += glyph.cx + FACE_PADDING;
        else
            m_size.cy += glyph.cy + FACE_PADDING;
    }
    return m_size;
}

bool CExtBarButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    if (pPopup == nullptr)
        return false;
    if (m_pCtrl != nullptr && ::IsWindow(m_pCtrl->GetSafeHwnd()) &&
        m_pCtrl->SendMessage(CExtControlBar::g_nMsgPutToPopupMenu, reinterpret_cast<WPARAM>(pPopup), 0) != 0)
        return true;
    CWnd* pTarget = GetCmdTargetWnd();
    const HWND hWndTarget = pTarget != nullptr ? pTarget->GetSafeHwnd() : nullptr;
    if (!CanTrackMenuEx(false))
        return pPopup->InsertCommandItem(GetCmdID(true), -1, nullptr, 0, hWndTarget);
    CString sText;
    HICON hIcon = nullptr;
    if (const CExtCmdItem* pItem = FindCmdItem(false)) {
        sText = pItem->m_sMenuText.IsEmpty() ? pItem->m_sToolbarText : pItem->m_sMenuText;
        hIcon = g_CmdManagerHolder->GetCommandHICON(GetProfileName(), GetCmdID(false));
    }
    auto* pChild = new CExtPopupMenuWnd;
    if (!pChild->FillFromMenu(hWndTarget, CMenu::FromHandle(m_hMenu), IsTakeFirstSubmenu(), false, false) ||
        !pPopup->InsertSubmenuItem(pChild, -1, sText, hIcon)) {
        delete pChild;
        return false;
    }
    return true;
}

CExtCmdIcon* CExtBarButton::GetIcon()
{
    if (IsSeparator() || m_nEffectiveCmdId == 0)
        return nullptr;
    return g_CmdManagerHolder->GetCommandIcon(GetProfileName(), m_nEffectiveCmdId);
}

CWnd* CExtBarButton::GetCmdTargetWnd() const
{
    if (m_pBar == nullptr)
        return nullptr;
    if (CWnd* pOwner = m_pBar->GetOwner())
        return pOwner;
    // A child window keeps no owner here: the frame the bar docks in stands for it, so that a
    // bar moved into a dock bar or a floating frame still reaches its frame's commands.
    if (m_pBar->m_pDockSite != nullptr)
        return m_pBar->m_pDockSite;
    return m_pBar->GetParent();
}

void CExtBarButton::Paint(CDC& dc, bool bHorz)
{
    if (IsCtrlShown() || m_rc.IsRectEmpty() || !m_bVisible || (m_dwStyle & TBBS_HIDDEN) != 0 ||
        !dc.RectVisible(&m_rc))
        return;
    bHorz = bHorz || m_bAlwaysHorizontal;
    bool bPushed = IsPressed();
    bool bEnabled = !IsDisabled();
    bool bIndeterminate = IsIndeterminate();
    bool bHover = IsHover();
    if (m_pBar != nullptr && m_pBar->IsDockedInFrameOnly()) {
        bEnabled = true;
        bPushed = bHover = bIndeterminate = false;
    }
    const bool bMenuTracked = CExtToolControlBar::g_bButtonMenuTracking || CExtPopupMenuWnd::IsTrackingActive();
    if (bMenuTracked)
        bHover = false;
    else if (!bHover && m_bPressedHighlight)
        bHover = true;
    CFont* pFont = m_pBar != nullptr ? m_pBar->GetBarFont(!bHorz) : nullptr;
    const bool bDropDown = CanTrackMenuEx(false) && !IsMenuBar(m_pBar);
    const bool bTransparent = !(bEnabled && (bHover || bPushed));
    const CString sText = GetText();
    CExtDrawPushButtonArgs args(this, bHorz, m_rc, sText, GetIcon(), true, bHover, bPushed, bIndeterminate, bEnabled,
                                true, false, kTextAlignment,
                                pFont != nullptr ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr, false, 0,
                                bDropDown, bTransparent);
    if (m_bSplitDropDown) {
        args.m_bSplit = true;
        args.m_bArrowPressed = bPushed && (m_bPressedInArrow || bMenuTracked);
    }
    g_PaintManagerHolder->DrawPushButton(dc, args);
}

bool CExtBarButton::OnDblClick(CPoint) { return false; }

INT_PTR CExtBarButton::OnToolHitTest(CPoint, TOOLINFOA* pTI)
{
    if (!IsTooltipsMode())
        return -1;
    const CExtCmdItem* pItem = FindCmdItem(true);
    if (pItem == nullptr || pItem->m_sTipTool.IsEmpty())
        return -1;
    if (pTI == nullptr)
        return static_cast<INT_PTR>(m_nEffectiveCmdId);
    pTI->rect = m_rc;
    pTI->uId = m_nEffectiveCmdId;
    pTI->hwnd = m_pBar->GetSafeHwnd();
    const size_t nLength = static_cast<size_t>(pItem->m_sTipTool.GetLength()) + 1;
    auto* pszCopy = static_cast<char*>(::malloc(nLength));
    if (pszCopy != nullptr)
        std::memcpy(pszCopy, pItem->m_sTipTool.GetString(), nLength);
    pTI->lpszText = pszCopy != nullptr ? pszCopy : LPSTR_TEXTCALLBACKA;
    return static_cast<INT_PTR>(m_nEffectiveCmdId);
}

void CExtBarButton::OnUpdateCmdUI(CWnd* pTarget, bool bDisableIfNoHandler, int nIndex)
{
    if (IsSeparator() || m_pBar == nullptr || pTarget == nullptr)
        return;
    if (CanTrackMenuEx(false) && IsMenuBar(m_pBar))
        return;
    CExtToolControlBar::CExtToolControlBarCmdUI state;
    state.m_pOther = m_pBar;
    state.m_nIndex = static_cast<UINT>(nIndex);
    state.m_nIndexMax = static_cast<UINT>(m_pBar->GetButtonCount());
    state.m_nID = m_nCmdId;
    state.DoUpdate(pTarget, bDisableIfNoHandler);
}

bool CExtBarButton::IsNoCtrlButton()
{
    if (IsSeparator())
        return false;
    return m_pCtrl == nullptr || !::IsWindow(m_pCtrl->GetSafeHwnd());
}

void CExtBarButton::RedrawButton(bool bUpdateNow)
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr || !m_bVisible || (m_dwStyle & TBBS_HIDDEN) != 0)
        return;
    m_pBar->InvalidateButton(m_pBar->FindButtonIndex(this));
    if (bUpdateNow)
        m_pBar->UpdateWindow();
}

UINT CExtBarButton::GetTrackPopupAlignment() const
{
    if (m_pBar == nullptr)
        return kAlignTop;
    if (m_pBar->m_bInDialog) {
        if (m_pBar->IsDockedAtRight())
            return kAlignRight;
        if (m_pBar->IsDockedAtLeft())
            return kAlignLeft;
        if (m_pBar->IsDockedAtBottom())
            return kAlignBottom;
        return kAlignTop;
    }
    const UINT nDockId = m_pBar->m_pDockBar != nullptr ? m_pBar->m_pDockBar->GetDlgCtrlID() : 0;
    switch (nDockId) {
    case CExtControlBar::DOCKBAR_LEFT:
        return kAlignLeft;
    case CExtControlBar::DOCKBAR_RIGHT:
        return kAlignRight;
    case CExtControlBar::DOCKBAR_BOTTOM:
        return kAlignBottom;
    default:
        return kAlignTop;
    }
}

bool CExtBarButton::OnSetCursor(CPoint) { return false; }

void CExtBarButton::RaiseFloatingBar()
{
    if (m_pBar->IsFloating()) {
        if (CWnd* pTop = m_pBar->GetTopLevelParent())
            pTop->SetActiveWindow();
        if (CFrameWnd* pFrame = m_pBar->GetParentFrame())
            pFrame->BringWindowToTop();
    }
}

int CExtBarButton::OnTrackPopup(CPoint point, bool bKeyboardStyle, bool bSelectFirst)
{
    if (m_pBar == nullptr || m_pBar->IsDockedInFrameOnly() || (IsDisabled() && !CanTrackMenu()))
        return -1;
    if (m_pCtrl != nullptr && ::IsWindow(m_pCtrl->GetSafeHwnd())) {
        m_pCtrl->SendMessage(CExtToolControlBar::g_nMsgContinueTrackMenu, reinterpret_cast<WPARAM>(this),
                             bKeyboardStyle ? 1 : 0);
        return -1;
    }
    const int nIndex = m_pBar->FindButtonIndex(this);
    if (!CanTrackMenuEx(false) || m_hMenu == nullptr ||
        (CExtToolControlBar::g_bButtonMenuTracking && m_pBar->GetMenuTrackingButton() == nIndex))
        return -1;
    const bool bWasTracking = CExtToolControlBar::g_bButtonMenuTracking;
    CExtToolControlBar::CancelAllBarsMenuTracking();
    RaiseFloatingBar();
    CWnd* pTarget = GetCmdTargetWnd();
    const HWND hWndTarget = pTarget != nullptr ? pTarget->GetSafeHwnd() : nullptr;
    auto* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->FillFromMenu(hWndTarget, CMenu::FromHandle(m_hMenu), IsTakeFirstSubmenu(), true, false)) {
        delete pPopup;
        return -1;
    }
    if (m_bAppendMdiWindows && !m_pBar->IsDockedInFrameOnly())
        pPopup->AppendMdiWindowList(pTarget);
    CExtToolControlBar::g_bButtonMenuTracking = bWasTracking;
    if (!m_bDropDownSetsCommand) {
        TrackButtonPopup(pPopup, point, bKeyboardStyle, bSelectFirst);
        return -1;
    }
    CRect rcExclude = m_rc;
    m_pBar->ClientToScreen(&rcExclude);
    m_pBar->ClientToScreen(&point);
    const HWND hWndBar = m_pBar->GetSafeHwnd();
    m_pBar->SetTrackingButton(nIndex);
    const UINT nFlags = TrackFlags(bKeyboardStyle, bSelectFirst);
    CExtToolControlBar::g_bButtonMenuTracking = true;
    UINT nChosen = 0;
    if (!pPopup->StartTracking(nFlags | kTrackModalResult, point.x, point.y, &rcExclude, m_pBar,
                               &CExtToolControlBar::PaintTrackedButtonCallback, &nChosen, true)) {
        delete pPopup;
        if (::IsWindow(hWndBar))
            CExtToolControlBar::CancelAllBarsMenuTracking();
        return -1;
    }
    // The chosen command may have destroyed the bar.
    if (nChosen != 0 && ::IsWindow(hWndBar)) {
        SetCmdID(nChosen, true, true);
        OnDeliverCmd();
        if (::IsWindow(hWndBar))
            m_pBar->UpdateButtonCmdUI(m_pBar->FindButtonIndex(this));
    }
    return -1;
}

UINT CExtBarButton::TrackFlags(bool bKeyboardStyle, bool bSelectFirst) const
{
    return GetTrackPopupAlignment() | kTrackFlagsBase | (bKeyboardStyle ? kTrackKeyboard : 0) |
           (CExtToolControlBar::g_bMenuExpanded ? kTrackExpanded : 0) | (bSelectFirst ? kTrackSelectFirst : 0);
}

void CExtBarButton::TrackButtonPopup(CExtPopupMenuWnd* pPopup, CPoint point, bool bKeyboardStyle, bool bSelectFirst)
{
    CRect rcExclude = m_rc;
    m_pBar->ClientToScreen(&rcExclude);
    m_pBar->ClientToScreen(&point);
    const HWND hWndBar = m_pBar->GetSafeHwnd();
    const int nIndex = m_pBar->FindButtonIndex(this);
    m_pBar->SetTrackingButton(nIndex);
    if (!pPopup->StartTracking(TrackFlags(bKeyboardStyle, bSelectFirst), point.x, point.y, &rcExclude, m_pBar,
                               &CExtToolControlBar::PaintTrackedButtonCallback, nullptr, true)) {
        delete pPopup;
        CExtToolControlBar::CancelAllBarsMenuTracking();
        return;
    }
    CExtToolControlBar::g_bButtonMenuTracking = true;
    if (::IsWindow(hWndBar))
        m_pBar->SetTrackingButton(nIndex);
}

void CExtBarButton::OnHover(CPoint point, bool bHover)
{
    if (m_pBar == nullptr || m_pBar->IsDockedInFrameOnly())
        return;
    if (!CExtControlBar::IsFrameInHelpMode(m_pBar->m_pDockSite) && !CExtPopupMenuWnd::IsTrackingActive()) {
        const HWND hWndBar = m_pBar->GetSafeHwnd();
        CExtItemCoveringNotification notice(nullptr, this, -1,
                                            bHover ? CExtItemCoveringNotification::KIND_COVERED
                                                   : CExtItemCoveringNotification::KIND_LEFT);
        notice.Notify();
        if (!::IsWindow(hWndBar))
            return;
    }
    if (!bHover) {
        CExtControlBar::SetFrameStatusMessage(m_pBar, AFX_IDS_IDLEMESSAGE);
        return;
    }
    if (CExtToolControlBar::g_bButtonMenuTracking) {
        // Sliding over the bar while a drop-down is open moves the open menu along.
        OnTrackPopup(point, false, false);
        return;
    }
    const bool bNoPrompt = CExtPaintManager::IsMenuBarKind(m_pBar) ||
                           IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)) ||
                           !CExtCmdManager::IsValidCommandId(m_nCmdId);
    CExtControlBar::SetFrameStatusMessage(m_pBar, bNoPrompt ? AFX_IDS_IDLEMESSAGE : m_nEffectiveCmdId);
}

void CExtBarButton::OnClick(CPoint point, bool bDown)
{
    if (m_pBar == nullptr || m_pBar->IsDockedInFrameOnly())
        return;
    const bool bInArrow = m_bSplitDropDown && GetDropDownRect().PtInRect(point);
    if (IsDisabled() && !(bInArrow && CanTrackMenu()))
        return;
    if (bDown) {
        CExtToolControlBar::CancelAllBarsMenuTracking();
        m_bPressedInArrow = bInArrow;
        if ((m_bSplitDropDown && !bInArrow) || !CanTrackMenuEx(false)) {
            CExtControlBar::SetFrameStatusMessage(m_pBar, m_nCmdId);
            return;
        }
        CExtToolControlBar::g_bMenuExpanded = false;
        OnTrackPopup(point, false, false);
        return;
    }
    CExtControlBar::SetFrameStatusMessage(m_pBar, AFX_IDS_IDLEMESSAGE);
    const bool bPressedInArrow = m_bPressedInArrow;
    m_bPressedInArrow = false;
    if ((CanTrackMenuEx(false) && !m_bSplitDropDown) || (bPressedInArrow && bInArrow))
        return;
    if (m_pCtrl != nullptr && ::IsWindow(m_pCtrl->GetSafeHwnd()) && m_pCtrl->IsWindowVisible()) {
        if (::GetCapture() == m_pBar->GetSafeHwnd())
            m_pBar->SendMessage(WM_CANCELMODE);
        return;
    }
    OnDeliverCmd();
}

void CExtBarButton::OnDeliverCmd()
{
    CWnd* pTarget = GetCmdTargetWnd();
    if (pTarget == nullptr || m_nCmdId == 0 || IsSeparator())
        return;
    // Posted: the command may destroy the bar, which must not be touched afterwards.
    pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(m_nEffectiveCmdId, 0), 0);
}

int CExtBarButton::OnHelpHitTest(CPoint point)
{
    if (IsSeparator())
        return -1;
    if (CanTrackMenuEx(false)) {
        if (m_pBar == nullptr || m_pBar->m_pDockSite == nullptr ||
            !CExtControlBar::IsFrameInHelpMode(m_pBar->m_pDockSite))
            return kHelpHitTrackMenu;
        OnTrackPopup(point, false, false);
        return m_pBar->RunHelpMenuLoop();
    }
    return FindCmdItem(false) != nullptr ? static_cast<int>(m_nCmdId) : -1;
}
