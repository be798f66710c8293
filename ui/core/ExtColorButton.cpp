#include "ui/core/ExtColorButton.h"

#include "platform/mfc/ColorDialog.h"
#include "ui/core/ExtCustomColorDialog.h"
#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPopupColorMenuWnd.h"
#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"

IMPLEMENT_DYNCREATE(CExtColorButton, CExtButton)

CExtColorButton::CExtColorButton() = default;

void CExtColorButton::MakeColorIcon(HICON* phIcon, bool* pbDestroyAfterUse)
{
    if (phIcon != nullptr)
        *phIcon = CExtPaintManager::CreateSolidColorIcon(m_clrSelected);
    if (pbDestroyAfterUse != nullptr)
        *pbDestroyAfterUse = true;
}

void CExtColorButton::DrawButton(CDC& dc, bool bTransparentBackground, bool bRightToLeft)
{
    HICON hIcon = nullptr;
    bool bDestroy = false;
    MakeColorIcon(&hIcon, &bDestroy);
    const bool bTracking = CExtPopupMenuWnd::IsTrackingActive();
    DrawOptions options;
    options.bOwnIcons = false;
    options.hIcon = hIcon;
    options.bCheckGlyphs = false;
    options.bFocusAllowed = !bTracking && ::GetWindowTextLengthA(m_hWnd) > 0;
    options.bOptionAllowed = !bTracking;
    options.bParentFont = false;
    DrawButtonWith(dc, bTransparentBackground, bRightToLeft, options);
    if (bDestroy && hIcon != nullptr)
        ::DestroyIcon(hIcon);
}

bool CExtColorButton::TrackDropDownMenu(bool bKeyboard)
{
    if (m_hWnd == nullptr)
        return false;
    DropDownOwner owner = FindDropDownOwner();
    if (!owner.bInBar)
        owner.hWnd = m_hWnd;
    auto* pPopup = new CExtPopupColorMenuWnd;
    pPopup->SetLeftBandWidth(m_nLeftBandWidth);
    pPopup->m_lParamCookie = m_lParamCookie;
    if (!pPopup->PrepareEmptyPopup(owner.hWnd)) {
        delete pPopup;
        return false;
    }
    pPopup->m_nButtonFlags = static_cast<BYTE>(
        (m_bEnableBtnColorDefault ? CExtPopupColorMenuWnd::BUTTON_DEFAULT : 0) |
        (m_bEnableBtnColorCustom ? CExtPopupColorMenuWnd::BUTTON_CUSTOM : 0));
    pPopup->m_clrDefault = m_clrDefault;
    pPopup->m_clrInitial = m_clrSelected;
    if (!m_sBtnTextColorDefault.IsEmpty())
        pPopup->m_sDefaultCaption = m_sBtnTextColorDefault;
    if (!m_sBtnTextColorCustom.IsEmpty())
        pPopup->m_sCustomCaption = m_sBtnTextColorCustom;
    ::SetFocus(owner.hWnd);
    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    const UINT nFlags = MenuAlignmentFor(owner) | (bKeyboard ? CExtPopupMenuWnd::TRACK_SELECT_FIRST : 0) |
                        CExtPopupMenuWnd::TRACK_COMBINE_BY_THEME;
    if (!pPopup->StartTracking(nFlags, (rcWindow.left + rcWindow.right) / 2, (rcWindow.top + rcWindow.bottom) / 2,
                               &rcWindow)) {
        delete pPopup;  // a failed tracking leaves the popup to its creator
        return true;
    }
    if (owner.bInBar)
        g_bToolBarsTrackMenu = true;
    return true;
}

void CExtColorButton::OnClick(bool bKeyboard, bool bArrowPart)
{
    if (m_hWnd == nullptr || ::GetParent(m_hWnd) == nullptr)
        return;
    if (((m_nFlags & FLAG_SEPARATE_ARROW) == 0 || bArrowPart) && TrackDropDownMenu(bKeyboard))
        return;
    SendToParent(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, m_clrSelected, m_lParamCookie);
}

LRESULT CExtColorButton::SendToParent(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    return hParent != nullptr ? ::SendMessageA(hParent, message, wParam, lParam) : 0;
}

LRESULT CExtColorButton::OnCustomColor(LPARAM lParam)
{
    const HWND hWnd = m_hWnd;
    COLORREF clrChosen = m_clrSelected;
    if (!m_bUseStdColorDlg) {
        // The framework's colour dialog lives above this layer: the routine the application
        // installed runs it; without one the owner is told and shows what it likes.
        if (CExtCustomColorDialog::GetInstalled() == nullptr)
            return SendToParent(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor, 0, lParam);
        if (!CExtCustomColorDialog::Run(hWnd, m_clrSelected, clrChosen) || !::IsWindow(hWnd))
            return 0;
    } else {
        CColorDialog dlg(m_clrSelected, CC_FULLOPEN, this);
        if (dlg.DoModal() != IDOK || !::IsWindow(hWnd))
            return 0;
        clrChosen = dlg.GetColor();
    }
    m_clrSelected = clrChosen;
    SendToParent(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, m_clrSelected, lParam);
    if (::IsWindow(hWnd))
        Invalidate();
    return 0;
}

LRESULT CExtColorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged)
        return SendToParent(message, wParam, lParam);
    if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally) {
        m_clrSelected = static_cast<COLORREF>(wParam) == NO_COLOR ? RGB(0, 0, 0) : static_cast<COLORREF>(wParam);
        Invalidate();
        return SendToParent(message, wParam, lParam);
    }
    if (message == CExtPopupColorMenuWnd::g_nMsgNotifyCustColor)
        return OnCustomColor(lParam);
    return CExtButton::WindowProc(message, wParam, lParam);
}
