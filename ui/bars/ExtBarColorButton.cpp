// The colour button: its icon follows the current colour, its drop-down is the colour palette.
#include "ui/bars/ExtBarColorButton.h"

#include "platform/mfc/FrameWnd.h"
#include "ui/bars/ExtToolControlBar.h"
#include "ui/core/ExtCmdItem.h"
#include "ui/core/ExtCmdManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupColorMenuWnd.h"

namespace
{
// The letter icon's font: a heavy serif half again as tall as the bold menu font.
constexpr LPCSTR kLetterFace = "Times New Roman";
constexpr int kLetterWeight = 900;
constexpr int kLetterScaleNum = 3;
constexpr int kLetterScaleDen = 2;
constexpr char kLetter = 'A';
} // namespace

IMPLEMENT_DYNCREATE(CExtBarColorButton, CExtBarButton)

CExtBarColorButton::CExtBarColorButton(CExtToolControlBar* pBar, UINT nCmdId, int nIconKind)
    : CExtBarButton(pBar, nCmdId), m_nIconKind(nIconKind)
{
    m_dwStyle = 0;
    OnSyncIcon();
}

void CExtBarColorButton::OnSyncIcon()
{
    HICON hIcon = nullptr;
    if (!GenerateColorIcon(&hIcon) || hIcon == nullptr)
        return;
    // Copied so that the icon is ours to destroy whether or not the profile took it.
    g_CmdManagerHolder->SetCommandIconFromHICON(GetProfileName(), GetCmdID(true), hIcon, true);
    ::DestroyIcon(hIcon);
    RedrawButton();
}

COLORREF CExtBarColorButton::ColorGet(bool bCurrent) const { return bCurrent ? m_clrCurrent : m_clrDefault; }

void CExtBarColorButton::ColorSet(COLORREF clr, bool bDefault)
{
    COLORREF& clrField = bDefault ? m_clrDefault : m_clrCurrent;
    if (clrField == clr)
        return;
    clrField = clr;
    OnSyncIcon();
}

LPARAM CExtBarColorButton::LParamCookieGet() const { return m_lParamCookie; }
void CExtBarColorButton::LParamCookieSet(LPARAM lParam) { m_lParamCookie = lParam; }

bool CExtBarColorButton::IsDefaultColorBtnVisible() const { return (m_nMenuButtons & BUTTON_DEFAULT) != 0; }

void CExtBarColorButton::SetDefaultColorBtnVisible(bool bVisible)
{
    m_nMenuButtons = bVisible ? (m_nMenuButtons | BUTTON_DEFAULT) : (m_nMenuButtons & ~BUTTON_DEFAULT);
}

bool CExtBarColorButton::IsCustomColorBtnVisible() const { return (m_nMenuButtons & BUTTON_CUSTOM) != 0; }

void CExtBarColorButton::SetCustomColorBtnVisible(bool bVisible)
{
    m_nMenuButtons = bVisible ? (m_nMenuButtons | BUTTON_CUSTOM) : (m_nMenuButtons & ~BUTTON_CUSTOM);
}

CString CExtBarColorButton::GetDefaultColorBtnText() const { return m_sDefaultBtnText; }

void CExtBarColorButton::SetDefaultColorBtnText(LPCSTR lpszText)
{
    m_sDefaultBtnText = lpszText != nullptr ? lpszText : "";
}

CString CExtBarColorButton::GetCustomColorBtnText() const { return m_sCustomBtnText; }

void CExtBarColorButton::SetCustomColorBtnText(LPCSTR lpszText)
{
    m_sCustomBtnText = lpszText != nullptr ? lpszText : "";
}

bool CExtBarColorButton::GenerateColorIcon(HICON* phIcon)
{
    if (phIcon == nullptr)
        return false;
    switch (m_nIconKind) {
    case ICON_FRAME:
        *phIcon = CExtPaintManager::CreateColorFrameIcon(m_clrCurrent);
        break;
    case ICON_LETTER: {
        LOGFONTA lf{};
        if (g_PaintManagerHolder->m_FontBold.GetSafeHandle() == nullptr ||
            ::GetObjectA(g_PaintManagerHolder->m_FontBold.GetSafeHandle(), sizeof(lf), &lf) == 0)
            return false;
        lf.lfHeight = ::MulDiv(lf.lfHeight, kLetterScaleNum, kLetterScaleDen);
        lf.lfWeight = kLetterWeight;
        ::lstrcpynA(lf.lfFaceName, kLetterFace, LF_FACESIZE);
        HFONT hFont = ::CreateFontIndirectA(&lf);
        if (hFont == nullptr)
            return false;
        *phIcon = CExtPaintManager::CreateLetterColorIcon(m_clrCurrent, hFont, kLetter);
        ::DeleteObject(hFont);
        break;
    }
    default:
        *phIcon = CExtPaintManager::CreateSolidColorIcon(m_clrCurrent);
        break;
    }
    return *phIcon != nullptr;
}

bool CExtBarColorButton::CanTrackMenu() const { return false; }

bool CExtBarColorButton::CanTrackMenuEx(bool bArgument) const { return !bArgument; }

bool CExtBarColorButton::IsNoCtrlButton() { return true; }

void CExtBarColorButton::SetUpColorMenu(CExtPopupColorMenuWnd* pPopup) const
{
    pPopup->m_lParamCookie = m_lParamCookie;
    pPopup->m_nButtonFlags = m_nMenuButtons;
    pPopup->m_clrDefault = m_clrDefault;
    pPopup->m_clrInitial = m_clrCurrent;
    if (!m_sDefaultBtnText.IsEmpty())
        pPopup->m_sDefaultCaption = m_sDefaultBtnText;
    if (!m_sCustomBtnText.IsEmpty())
        pPopup->m_sCustomCaption = m_sCustomBtnText;
}

bool CExtBarColorButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    if (pPopup == nullptr)
        return false;
    CString sText;
    if (const CExtCmdItem* pItem = FindCmdItem(true))
        sText = pItem->m_sMenuText;
    HICON hIcon = nullptr;
    if (CExtCmdIcon* pIcon = GetIcon(); pIcon != nullptr && !pIcon->HasNoImage())
        hIcon = g_CmdManagerHolder->GetCommandHICON(GetProfileName(), GetCmdID(true));
    auto* pColorMenu = new CExtPopupColorMenuWnd;
    SetUpColorMenu(pColorMenu);
    if (!pPopup->InsertSubmenuItem(pColorMenu, -1, sText, hIcon)) {
        delete pColorMenu;
        return false;
    }
    if (auto* pItem = pPopup->ItemDataAt(pPopup->CountItems() - 1)) {
        if (IsDisabled())
            pItem->nFlagsB &= ~CExtPopupMenuWnd::MENUITEMDATA::B_ENABLED;
        else
            pItem->nFlagsB |= CExtPopupMenuWnd::MENUITEMDATA::B_ENABLED;
    }
    return true;
}

int CExtBarColorButton::OnTrackPopup(CPoint point, bool bKeyboardStyle, bool bSelectFirst)
{
    if (m_pBar == nullptr || m_pBar->IsDockedInFrameOnly() || IsDisabled())
        return -1;
    if (CExtToolControlBar::g_bButtonMenuTracking && m_pBar->GetMenuTrackingButton() == m_pBar->FindButtonIndex(this))
        return -1;
    const bool bWasTracking = CExtToolControlBar::g_bButtonMenuTracking;
    CExtToolControlBar::CancelAllBarsMenuTracking();
    CExtToolControlBar::g_bButtonMenuTracking = bWasTracking;
    RaiseFloatingBar();
    CWnd* pTarget = GetCmdTargetWnd();
    auto* pPopup = new CExtPopupColorMenuWnd;
    if (!pPopup->PrepareEmptyPopup(pTarget != nullptr ? pTarget->GetSafeHwnd() : nullptr)) {
        delete pPopup;
        return -1;
    }
    SetUpColorMenu(pPopup);
    TrackButtonPopup(pPopup, point, bKeyboardStyle, bSelectFirst);
    return -1;
}

void CExtBarColorButton::OnDeliverCmd()
{
    CWnd* pTarget = GetCmdTargetWnd();
    if (pTarget == nullptr)
        return;
    pTarget->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, static_cast<WPARAM>(m_clrCurrent),
                         m_lParamCookie);
}

int CExtBarColorButton::OnHelpHitTest(CPoint) { return static_cast<int>(GetCmdID(true)); }
