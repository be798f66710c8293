#include "ui/core/ExtButton.h"

#include "platform/mfc/ClientDC.h"
#include "platform/mfc/ControlBar.h"
#include "platform/mfc/DockBar.h"
#include "platform/mfc/MiniFrameWnd.h"
#include "platform/mfc/PaintDC.h"
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtMemoryDC.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerArgs.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuTrackingState.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"
#include "ui/core/ExtTipText.h"

#include <memory>
#include <utility>

IMPLEMENT_DYNCREATE(CExtButton, CButton)

namespace
{
constexpr int CLRID_CONTROL_FACE = 1000;
constexpr DWORD BUTTON_TYPE_MASK = 0x0F;
constexpr UINT ALIGN_LEFT = DT_LEFT | DT_VCENTER;
constexpr UINT ALIGN_CENTER = DT_CENTER | DT_VCENTER;
constexpr UINT ALIGN_RIGHT = DT_RIGHT | DT_VCENTER;
constexpr int ARROW_PART_EXTRA = 6;
constexpr int ARROW_GLYPH_WIDTH = 7;
constexpr int CHECK_GLYPH_SIZE = 13;
constexpr int AUTO_3STATE_STATES = 3;
// The tool bars' requests to a button they host, registered from the bars' own names.
const UINT g_nMsgContinueTrackMenu = ::RegisterWindowMessageA("CExtToolControlBar::g_nMsgContinueTrackMenu");
const UINT g_nMsgPutToPopupMenu = ::RegisterWindowMessageA("CExtControlBar::g_nMsgPutToPopupMenu");

CExtPaintManager* PaintManager()
{
    if (g_PaintManagerHolder.GetFirstMember() == nullptr)
        g_PaintManagerHolder.ReplaceManager(nullptr);
    return g_PaintManagerHolder.GetFirstMember();
}

// The popup opens away from the side the bar is docked at.
int DockSideCode(UINT nDockBarId)
{
    switch (nDockBarId) {
    case AFX_IDW_DOCKBAR_LEFT: return CExtPopupMenuWnd::ALIGN_RIGHT;
    case AFX_IDW_DOCKBAR_RIGHT: return CExtPopupMenuWnd::ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_BOTTOM: return CExtPopupMenuWnd::ALIGN_ABOVE;
    case AFX_IDW_DOCKBAR_TOP:
    case AFX_IDW_DOCKBAR_FLOAT: return CExtPopupMenuWnd::ALIGN_BELOW;
    default: return 0;
    }
}

bool IsCheckOrRadioType(int nType)
{
    return (nType >= BS_CHECKBOX && nType <= BS_AUTO3STATE) || nType == BS_AUTORADIOBUTTON;
}

void DestroyIcons(HICON& hHover, HICON& hNormal)
{
    // One icon may serve both looks: it is destroyed once.
    if (hNormal != nullptr && hNormal != hHover)
        ::DestroyIcon(hNormal);
    if (hHover != nullptr)
        ::DestroyIcon(hHover);
    hHover = hNormal = nullptr;
}
} // namespace

CExtButton::CExtButton()
{
    for (COLORREF& clr : m_colors)
        clr = static_cast<COLORREF>(-1);
}

CExtButton::~CExtButton()
{
    if (m_pbDestroyed != nullptr)
        *m_pbDestroyed = true;
    DestroyIcons(m_hIconHover, m_hIconNormal);
    if (m_hCursor != nullptr)
        ::DestroyCursor(m_hCursor);
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

void CExtButton::SetFlag(BYTE nFlag, bool bOn)
{
    m_nFlags = static_cast<BYTE>(bOn ? (m_nFlags | nFlag) : (m_nFlags & ~nFlag));
}

void CExtButton::SetIcons(HICON hIconHover, HICON hIconNormal)
{
    if (hIconNormal == nullptr)
        hIconNormal = hIconHover;
    // Each old icon is destroyed once, and not at all when it is set again.
    for (HICON hOld : {m_hIconHover, m_hIconNormal != m_hIconHover ? m_hIconNormal : nullptr})
        if (hOld != nullptr && hOld != hIconHover && hOld != hIconNormal)
            ::DestroyIcon(hOld);
    m_hIconHover = hIconHover;
    m_hIconNormal = hIconNormal;
    if (m_hWnd != nullptr)
        Invalidate();
}

bool CExtButton::SetIconsFromResource(UINT nIdHover, UINT nIdNormal)
{
    HINSTANCE hModule = AfxGetResourceHandle();
    auto load = [hModule](UINT nId) {
        return static_cast<HICON>(::LoadImageA(hModule, MAKEINTRESOURCEA(nId), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    };
    HICON hHover = load(nIdHover);
    HICON hNormal = nIdNormal != 0 ? load(nIdNormal) : nullptr;
    if (hHover == nullptr)
    {
        if (hNormal != nullptr)
            ::DestroyIcon(hNormal);
        return false;
    }
    SetIcons(hHover, hNormal);
    return true;
}

void CExtButton::SetTipText(LPCSTR lpszText, bool bActivate)
{
    SetWindowTipText(m_tip, this, lpszText, bActivate, GetTooltipMaxWidth());
}

bool CExtButton::IsButtonEnabled() const { return m_hWnd != nullptr && IsWindowEnabled() != FALSE; }

bool CExtButton::IsPushType() const
{
    return m_nButtonType == BS_PUSHBUTTON || m_nButtonType == BS_DEFPUSHBUTTON || m_nButtonType == BS_USERBUTTON ||
           m_nButtonType == BS_OWNERDRAW;
}

bool CExtButton::NotifyParent()
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr)
        return true;
    const HWND hWnd = m_hWnd;
    bool bDestroyed = false;
    bool* const pOuter = std::exchange(m_pbDestroyed, &bDestroyed);
    ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hWnd), BN_CLICKED), reinterpret_cast<LPARAM>(hWnd));
    if (bDestroyed)
    {
        // The parent's reaction deleted the button: nothing of it may be touched.
        if (pOuter != nullptr)
            *pOuter = true;
        return false;
    }
    m_pbDestroyed = pOuter;
    return m_hWnd == hWnd && ::IsWindow(hWnd);
}

void CExtButton::OnClick(bool bKeyboard, bool bArrowPart)
{
    if (m_hWnd == nullptr || ::GetParent(m_hWnd) == nullptr)
        return;
    if (IsPushType())
    {
        if (((m_nFlags & FLAG_SEPARATE_ARROW) == 0 || bArrowPart) && TrackDropDownMenu(bKeyboard))
            return;
        if (HasDropDownMenu() && ((m_nFlags & FLAG_SEPARATE_ARROW) == 0 || bArrowPart))
            return;
    }
    else if (m_nButtonType == BS_AUTOCHECKBOX)
        m_nCheck = m_nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    else if (m_nButtonType == BS_AUTO3STATE)
        m_nCheck = (m_nCheck + 1) % AUTO_3STATE_STATES;
    else if (m_nButtonType == BS_AUTORADIOBUTTON)
    {
        // A click checks the radio button and clears the others of its group; it never
        // unchecks itself.
        m_nCheck = BST_CHECKED;
        HWND hParent = ::GetParent(m_hWnd);
        for (HWND hOther = ::GetNextDlgGroupItem(hParent, m_hWnd, FALSE); hOther != nullptr && hOther != m_hWnd;
             hOther = ::GetNextDlgGroupItem(hParent, hOther, FALSE))
        {
            CWnd* pOther = CWnd::FromHandlePermanent(hOther);
            const bool bOtherAutoRadio =
                pOther != nullptr && pOther->IsKindOf(RUNTIME_CLASS(CExtButton))
                    ? static_cast<CExtButton*>(pOther)->GetButtonType() == BS_AUTORADIOBUTTON
                    : (::GetWindowLongA(hOther, GWL_STYLE) & BUTTON_TYPE_MASK) == BS_AUTORADIOBUTTON;
            if (bOtherAutoRadio)
                ::SendMessageA(hOther, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
    else if (!IsCheckOrRadioType(m_nButtonType))
        return;
    // Check, radio and 3-state buttons that are not automatic leave their state to the parent.
    if (NotifyParent())
        Invalidate();
}

void CExtButton::PaintIntoExcludeArea(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup, const RECT*, int)
{
    // The cookie is the button's window: a button gone while its menu shows paints nothing.
    CWnd* pWnd = CWnd::FromHandlePermanent(static_cast<HWND>(pCookie));
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CExtButton)) || popup.GetSafeHwnd() == nullptr)
        return;
    auto* pButton = static_cast<CExtButton*>(pWnd);
    POINT ptButton = {0, 0}, ptPopup = {0, 0};
    ::ClientToScreen(pButton->m_hWnd, &ptButton);
    ::ClientToScreen(popup.GetSafeHwnd(), &ptPopup);
    const int nSaved = dc.SaveDC();
    ::OffsetViewportOrgEx(dc.m_hDC, ptButton.x - ptPopup.x, ptButton.y - ptPopup.y, nullptr);
    pButton->DrawButton(dc, true, true);
    dc.RestoreDC(nSaved);
}

bool CExtButton::TrackDropDownMenu(bool bKeyboard)
{
    if (!HasDropDownMenu() || m_hWnd == nullptr)
        return false;
    if (LPCSTR lpszProfile = g_CmdManager->FindProfileNameForWindow(m_hWnd))
        g_CmdManager->ImportMenu(lpszProfile, m_menu.m_hMenu, false, true, true);
    const DropDownOwner owner = FindDropDownOwner();
    auto* pPopup = new CExtPopupMenuWnd;
    pPopup->SetLeftBandWidth(m_nLeftBandWidth);
    if (!pPopup->FillFromMenu(owner.hWnd, &m_menu, true, true, false)) {
        delete pPopup;
        return false;
    }
    ::SetFocus(m_hWnd);
    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    const POINT ptCentre = {(rcWindow.left + rcWindow.right) / 2, (rcWindow.top + rcWindow.bottom) / 2};
    UINT nFlags = MenuAlignmentFor(owner) | (bKeyboard ? CExtPopupMenuWnd::TRACK_SELECT_FIRST : 0) |
                  CExtPopupMenuWnd::TRACK_COMBINE_BY_THEME;
    const bool bChooses = (m_nFlags & FLAG_MENU_CHOOSES_COMMAND) != 0;
    if (bChooses)
        nFlags |= CExtPopupMenuWnd::TRACK_WAIT | CExtPopupMenuWnd::TRACK_STORE_ONLY;
    UINT nChosen = 0;
    const HWND hWnd = m_hWnd;
    bool bDestroyed = false;
    bool* const pOuter = std::exchange(m_pbDestroyed, &bDestroyed);
    const bool bTracked = pPopup->StartTracking(nFlags, ptCentre.x, ptCentre.y, &rcWindow, hWnd,
                                                &CExtButton::PaintIntoExcludeArea, bChooses ? &nChosen : nullptr,
                                                true);
    if (bDestroyed) {
        // The menu's command destroyed the button: nothing of it may be touched.
        if (pOuter != nullptr)
            *pOuter = true;
        return true;
    }
    m_pbDestroyed = pOuter;
    if (!bTracked) {
        delete pPopup;  // a failed tracking leaves the popup to its creator
        return true;
    }
    if (!bChooses || nChosen == 0 || !::IsWindow(hWnd))
        return true;
    SetDlgCtrlID(static_cast<int>(nChosen));
    if ((m_nOptions & OPTION_TAKE_CHOSEN_COMMAND) != 0)
        TakeCommandLook(nChosen);
    if (HWND hParent = ::GetParent(hWnd))
        ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(nChosen, BN_CLICKED), reinterpret_cast<LPARAM>(hWnd));
    if (::IsWindow(hWnd))
        ::InvalidateRect(hWnd, nullptr, FALSE);
    return true;
}

void CExtButton::TakeCommandLook(UINT nCmdId)
{
    LPCSTR lpszProfile = g_CmdManager->FindProfileNameForWindow(m_hWnd);
    CExtCmdItem* pCmd = lpszProfile != nullptr ? g_CmdManager->FindCommand(lpszProfile, nCmdId) : nullptr;
    if (pCmd == nullptr)
        return;
    SetWindowText(pCmd->m_sToolbarText.IsEmpty() ? pCmd->m_sMenuText : pCmd->m_sToolbarText);
    CExtCmdIcon* pIcon = g_CmdManager->GetCommandIcon(lpszProfile, nCmdId);
    // The command's icon keeps its handle: the button owns a copy.
    HICON hShared = pIcon != nullptr ? pIcon->MakeHICON() : nullptr;
    SetIcons(hShared != nullptr ? ::CopyIcon(hShared) : nullptr);
}

bool CExtButton::HasDropDownMenu() const { return m_menu.m_hMenu != nullptr && ::IsMenu(m_menu.m_hMenu); }

bool CExtButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    if (pPopup == nullptr || !HasDropDownMenu())
        return false;
    const HWND hOwner = pPopup->GetCommandTargetWindow();
    auto* pChild = new CExtPopupMenuWnd;
    if (!pChild->FillFromMenu(hOwner, &m_menu, true, true, false)) {
        delete pChild;
        return false;
    }
    CString sText;
    LPCSTR lpszProfile = m_hWnd != nullptr ? g_CmdManager->FindProfileNameForWindow(m_hWnd) : nullptr;
    if (const CExtCmdItem* pCmd = lpszProfile != nullptr
                                      ? g_CmdManager->FindCommand(lpszProfile, static_cast<UINT>(GetDlgCtrlID()))
                                      : nullptr)
        sText = pCmd->m_sMenuText;
    if (sText.IsEmpty())
        GetWindowTextString(sText);
    HICON hIcon = m_hIconHover != nullptr ? ::CopyIcon(m_hIconHover) : nullptr;
    if (!pPopup->InsertSubmenuItem(pChild, -1, sText, hIcon)) {
        if (hIcon != nullptr)
            ::DestroyIcon(hIcon);
        delete pChild;
        return false;
    }
    return true;
}

int CExtButton::GetTooltipMaxWidth() const { return TOOLTIP_MAX_WIDTH; }

void CExtButton::GetWindowTextString(CString& strOut) const
{
    strOut.Empty();
    if (m_hWnd != nullptr)
        GetWindowText(strOut);
}

HFONT CExtButton::GetParentFont() const
{
    HWND hParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    return hParent != nullptr ? reinterpret_cast<HFONT>(::SendMessageA(hParent, WM_GETFONT, 0, 0)) : nullptr;
}

CExtButton::DropDownOwner CExtButton::FindDropDownOwner() const
{
    DropDownOwner owner;
    CWnd* pParent = m_hWnd != nullptr ? CWnd::FromHandlePermanent(::GetParent(m_hWnd)) : nullptr;
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        owner.hWnd = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
        return owner;
    }
    owner.bInBar = true;
    HWND hWnd = pParent->m_hWnd;
    bool bSideFound = false;
    for (;;) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
            break;
        const CControlBar* pBar = static_cast<const CControlBar*>(pWnd);
        if (!bSideFound && pBar->m_pDockBar != nullptr) {
            bSideFound = true;
            owner.nDockSide = DockSideCode(pBar->m_pDockBar->GetDockSide());
        }
        hWnd = ::GetParent(hWnd);
    }
    CWnd* pAbove = hWnd != nullptr ? CWnd::FromHandlePermanent(hWnd) : nullptr;
    if (pAbove != nullptr && pAbove->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        hWnd = ::GetWindow(hWnd, GW_OWNER);
    owner.hWnd = hWnd;
    return owner;
}

DWORD CExtButton::MenuAlignmentFor(const DropDownOwner& owner) const
{
    if (owner.nDockSide == 0)
        return m_dwMenuAlignment;
    return (m_dwMenuAlignment & ~CExtPopupMenuWnd::ALIGN_MASK) | static_cast<DWORD>(owner.nDockSide);
}

int CExtButton::HitTestPart() const
{
    POINT pt;
    ::GetCursorPos(&pt);
    if (::WindowFromPoint(pt) != m_hWnd)
        return PART_NONE;
    if ((m_nFlags & FLAG_SEPARATE_ARROW) == 0)
        return PART_BUTTON;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ::ScreenToClient(m_hWnd, &pt);
    return pt.x >= rc.right - (ARROW_GLYPH_WIDTH + ARROW_PART_EXTRA) ? PART_ARROW : PART_BUTTON;
}

void CExtButton::DrawButton(CDC& dc, bool bTransparentBackground, bool bRightToLeft)
{
    DrawButtonWith(dc, bTransparentBackground, bRightToLeft, DrawOptions{});
}

void CExtButton::DrawButtonWith(CDC& dc, bool bTransparentBackground, bool bRightToLeft, const DrawOptions& options)
{
    CExtPaintManager* pPM = PaintManager();
    if (pPM == nullptr)
        return;
    CString text;
    GetWindowTextString(text);
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    const bool bEnabled = IsButtonEnabled();
    bool bFocus = options.bFocusAllowed && ::GetFocus() == m_hWnd && (m_nFlags & FLAG_FOCUS_RECT) != 0;
    bool bPushed = (m_nFlags & FLAG_PUSHED) != 0;
    bool bFlat = (GetStyle() & BS_FLAT) != 0;
    // An open popup menu takes the hover look from the button under it.
    const bool bHover = (m_nFlags & FLAG_HOVER) != 0 && !CExtPopupMenuWnd::IsTrackingActive();
    HICON hIcon = !options.bOwnIcons ? options.hIcon : (m_nFlags & FLAG_HOVER) != 0 ? m_hIconHover : m_hIconNormal;
    std::unique_ptr<CExtCmdIcon> pIcon;
    if (options.bCheckGlyphs && IsCheckOrRadioType(m_nButtonType))
    {
        if ((GetStyle() & BS_PUSHLIKE) != 0)
            bPushed = bPushed || m_nCheck == BST_CHECKED;
        else
        {
            pIcon = std::make_unique<CExtCmdIcon>();
            const COLORREF clrGlyph = pPM->ColorByIndex(COLOR_BTNTEXT, this);
            const COLORREF clrBack = pPM->ColorByIndex(COLOR_WINDOW, this);
            const bool bRadio = m_nButtonType == BS_RADIOBUTTON || m_nButtonType == BS_AUTORADIOBUTTON;
            if (m_nCheck == BST_UNCHECKED)
                pIcon->CreateEmptyImage(clrBack, CHECK_GLYPH_SIZE, CHECK_GLYPH_SIZE);
            else if (bRadio)
                pIcon->CreateRadioDotImage(clrGlyph, clrBack, CHECK_GLYPH_SIZE, CHECK_GLYPH_SIZE);
            else
                pIcon->CreateCheckMarkImage(clrGlyph, clrBack, CHECK_GLYPH_SIZE, CHECK_GLYPH_SIZE);
            bFlat = true;
            bFocus = false;
        }
    }
    if (!pIcon && hIcon != nullptr)
        pIcon = std::make_unique<CExtCmdIcon>(hIcon, true);
    bool bTransparent = false;
    if (!bTransparentBackground)
    {
        const COLORREF clrFace =
            m_colors[0] != static_cast<COLORREF>(-1) ? m_colors[0] : pPM->ColorByIndex(CLRID_CONTROL_FACE, this);
        if (bPushed || bHover || !pPM->HasBackgroundBehindControls(this, 0) || m_colors[0] != static_cast<COLORREF>(-1))
            dc.FillSolidRect(&rcClient, clrFace);
        else
        {
            if (!pPM->DrawBackgroundBehind(true, dc, this))
                dc.FillSolidRect(&rcClient, clrFace);
            bTransparent = true;
        }
    }
    CExtDrawPushButtonArgs args(this, true, rcClient, text, pIcon.get(), bFlat, bHover, bPushed, false, bEnabled,
                                options.bOptionAllowed && (m_nFlags & FLAG_PM_OPTION) != 0, bFocus, m_nTextAlignment,
                                options.bParentFont ? GetParentFont() : nullptr,
                                m_nButtonType == BS_DEFPUSHBUTTON, 0, HasDropDownMenu(),
                                bTransparent || bTransparentBackground);
    args.m_bSplit = (m_nFlags & FLAG_SEPARATE_ARROW) != 0;
    if (args.m_bSplit && m_nPressedPart == PART_ARROW)
    {
        args.m_bPushed = false;
        args.m_bArrowPressed = bPushed;
    }
    args.m_clrForceBk = m_colors[0];
    args.m_clrForceTextNormal = m_colors[1];
    args.m_clrForceTextHover = m_colors[2];
    args.m_clrForceTextPressed = m_colors[3];
    args.m_clrForceTextDisabled = m_colors[4];
    args.m_bForceRtl = bRightToLeft && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    args.m_bMultiLine = (GetStyle() & BS_MULTILINE) != 0;
    pPM->DrawPushButton(dc, args);
}

void CExtButton::PaintBuffered(CDC& dc)
{
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CExtMemoryDC dcMem(&dc, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BACKGROUND);
    DrawButton(dcMem, false, true);
}

void CExtButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC != nullptr)
        PaintBuffered(*pDC);
}

void CExtButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const DWORD dwStyle = GetStyle();
    m_nButtonType = static_cast<int>(dwStyle & BUTTON_TYPE_MASK);
    if (m_nButtonType == BS_OWNERDRAW)
        m_nButtonType = BS_PUSHBUTTON;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>((dwStyle & ~BUTTON_TYPE_MASK) | BS_OWNERDRAW));
    if (CExtPaintManager* pPM = PaintManager())
    {
        HFONT hFont = m_nButtonType == BS_DEFPUSHBUTTON ? static_cast<HFONT>(pPM->m_FontBold)
                                                        : static_cast<HFONT>(pPM->m_FontNormal);
        if (hFont != nullptr)
            ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    }
    const DWORD dwAlign = dwStyle & BS_CENTER;
    if (dwAlign == BS_CENTER)
        m_nTextAlignment = ALIGN_CENTER;
    else if (dwAlign == BS_LEFT)
        m_nTextAlignment = ALIGN_LEFT;
    else if (dwAlign == BS_RIGHT)
        m_nTextAlignment = ALIGN_RIGHT;
    else
        m_nTextAlignment = IsPushType() || (dwStyle & BS_PUSHLIKE) != 0 ? ALIGN_CENTER : ALIGN_LEFT;
    ::PostMessageA(m_hWnd, WM_ENABLE, IsWindowEnabled(), 0);
}

BOOL CExtButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_tip.m_hWnd != nullptr)
        m_tip.RelayEvent(pMsg);
    const bool bKey = pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP;
    if (!bKey || (pMsg->wParam != VK_RETURN && pMsg->wParam != VK_SPACE) || pMsg->hwnd != m_hWnd)
        return CButton::PreTranslateMessage(pMsg);
    if (!IsButtonEnabled() || IsWindowVisible() == FALSE || (m_nFlags & FLAG_MOUSE_PRESSED) != 0)
        return TRUE;
    const BYTE nClickFlags = FLAG_HOVER | FLAG_PUSHED | FLAG_MOUSE_PRESSED | FLAG_KEY_PRESSED;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
    {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        SetFlag(nClickFlags, false);
        OnClick(true, false);
    }
    else if (pMsg->message == WM_KEYDOWN)
    {
        SetFlag(FLAG_HOVER | FLAG_PUSHED | FLAG_KEY_PRESSED, true);
        SetMouseCapture(m_hWnd);
        Invalidate();
    }
    else if (pMsg->wParam == VK_SPACE &&
             (m_nFlags & (FLAG_PUSHED | FLAG_KEY_PRESSED)) == (FLAG_PUSHED | FLAG_KEY_PRESSED))
    {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        SetFlag(nClickFlags, false);
        OnClick(true, false);
    }
    return TRUE;
}

LRESULT CExtButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A menu the button owns talks to the button's parent.
    for (UINT nPopupMessage :
         {CExtPopupMenuWnd::g_nMsgPrepareMenu, CExtPopupMenuWnd::g_nMsgPopupNext, CExtPopupMenuWnd::g_nMsgPopupPrev,
          CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded, CExtPopupMenuWnd::g_nMsgNotifyMenuClosed,
          CExtPopupMenuWnd::g_nMsgPopupDrawItem, CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea}) {
        if (message == nPopupMessage) {
            HWND hParent = ::GetParent(m_hWnd);
            return hParent != nullptr ? ::SendMessageA(hParent, message, wParam, lParam) : 0;
        }
    }
    if (message == g_nMsgContinueTrackMenu) {
        TrackDropDownMenu(lParam != 0);
        return 1;
    }
    if (message == g_nMsgPutToPopupMenu)
        return PutToPopupMenu(reinterpret_cast<CExtPopupMenuWnd*>(wParam)) ? 1 : 0;
    const bool bKeyPressed = (m_nFlags & FLAG_KEY_PRESSED) != 0;
    switch (message)
    {
    case WM_MOUSEMOVE:
    {
        // Sliding onto the button while its tool bar's drop-down is open moves the menu here,
        // unless the open menu is already this button's (it opens beside the button's window).
        if (g_bToolBarsTrackMenu && PopupIsToolBarWindow(::GetParent(m_hWnd)) && !IsOwnMenuTracked()) {
            TrackDropDownMenu(false);
            return 0;
        }
        const LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
        if (bKeyPressed)
            return lResult;
        const int nPart = HitTestPart();
        const bool bMousePressed = (m_nFlags & FLAG_MOUSE_PRESSED) != 0;
        if (((!bMousePressed && nPart != PART_NONE) || (bMousePressed && nPart == m_nPressedPart)) &&
            IsHoverAllowedForActiveWindow(m_hWnd, ::GetActiveWindow(), true, true, true))
        {
            if (::GetCapture() != m_hWnd)
                SetMouseCapture(m_hWnd);
            if ((m_nFlags & FLAG_HOVER) == 0)
            {
                SetFlag(FLAG_HOVER, true);
                if ((wParam & MK_LBUTTON) != 0 && bMousePressed)
                    SetFlag(FLAG_PUSHED, true);
                Invalidate();
            }
        }
        else
        {
            if (::GetCapture() == m_hWnd && !bMousePressed)
                ::ReleaseCapture();
            if ((m_nFlags & FLAG_HOVER) != 0)
            {
                SetFlag(FLAG_HOVER | FLAG_PUSHED, false);
                Invalidate();
            }
        }
        return lResult;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        if (bKeyPressed)
            return 0;
        // The standard control takes the focus; the click itself is ours.
        if (::GetFocus() != m_hWnd)
            ::SetFocus(m_hWnd);
        m_nPressedPart = HitTestPart();
        if (m_nPressedPart != PART_NONE)
        {
            SetFlag(FLAG_HOVER | FLAG_PUSHED | FLAG_MOUSE_PRESSED, true);
            SetMouseCapture(m_hWnd);
            Invalidate();
        }
        return 0;
    }
    case WM_LBUTTONUP:
    {
        if (bKeyPressed)
            return 0;
        const int nPart = HitTestPart();
        const bool bClicked = (m_nFlags & (FLAG_PUSHED | FLAG_MOUSE_PRESSED)) == (FLAG_PUSHED | FLAG_MOUSE_PRESSED) &&
                              nPart == m_nPressedPart && nPart != PART_NONE;
        const bool bArrow = (m_nFlags & FLAG_SEPARATE_ARROW) != 0 && m_nPressedPart == PART_ARROW;
        SetFlag(FLAG_HOVER | FLAG_PUSHED | FLAG_MOUSE_PRESSED, false);
        m_nPressedPart = PART_NONE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        Invalidate();
        if (bClicked && IsButtonEnabled() && IsWindowVisible())
            OnClick(false, bArrow);
        return 0;
    }
    case WM_KILLFOCUS:
    case WM_CAPTURECHANGED:
    {
        const LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
        if (message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) == m_hWnd)
            return lResult;
        SetFlag(FLAG_HOVER | FLAG_PUSHED, false);
        Invalidate();
        return lResult;
    }
    case WM_SETCURSOR:
        if (m_hCursor != nullptr)
        {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_ENABLE:
    case WM_SETTEXT:
    {
        const LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
        Invalidate();
        UpdateWindow();
        return lResult;
    }
    case BM_GETCHECK:
        return m_nCheck;
    case BM_SETCHECK:
        m_nCheck = static_cast<int>(wParam);
        Invalidate();
        return 0;
    case BM_SETSTYLE:
    {
        // The standard control stays owner-drawn; the type is kept here.
        if ((wParam & BUTTON_TYPE_MASK) != BS_OWNERDRAW)
            m_nButtonType = static_cast<int>(wParam & BUTTON_TYPE_MASK);
        CButton::WindowProc(message, (wParam & ~BUTTON_TYPE_MASK) | BS_OWNERDRAW, lParam);
        Invalidate();
        return 0;
    }
    case WM_UPDATEUISTATE:
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED:
    {
        const LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
        if (message == WM_SYSCOLORCHANGE)
        {
            g_PaintManagerHolder.RelaySysColorChange(this);
            g_CmdManagerHolder.RelaySysColorChange(this);
        }
        else if (message == WM_SETTINGCHANGE)
        {
            g_PaintManagerHolder.RelaySettingChange(this, wParam, lParam);
            g_CmdManagerHolder.RelaySettingChange(this, wParam, lParam);
        }
        else if (message == WM_DISPLAYCHANGE)
        {
            g_PaintManagerHolder.RelayDisplayChange(this, static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
            g_CmdManagerHolder.RelayDisplayChange(this, static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
        }
        else
        {
            g_PaintManagerHolder.RelayThemeChanged(this, wParam, lParam);
            g_CmdManagerHolder.RelayThemeChanged(this, wParam, lParam);
        }
        return lResult;
    }
    default:
        break;
    }
    const LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE || message == WM_WINDOWPOSCHANGED || message == BM_SETSTATE || message == BM_CLICK ||
        message == BM_SETIMAGE)
        Invalidate();
    return lResult;
}

INT_PTR CExtButton::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    auto* pThis = const_cast<CExtButton*>(this);
    if (TakeToolBarTip(pThis->m_tip, pThis, point, GetTooltipMaxWidth()))
        return -1;
    return CButton::OnToolHitTest(point, pTI);
}

bool CExtButton::IsOwnMenuTracked() const
{
    const CExtPopupMenuWnd* pTracked = g_PopupMenuTrackingState.m_pTrackedPopup;
    if (pTracked == nullptr || !CExtPopupMenuWnd::IsTrackingActive())
        return false;
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    return pTracked->GetExcludeArea() == rcWindow;
}
