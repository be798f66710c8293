#include "ui/core/ExtItemCoveringNotification.h"

#include "ui/core/ExtPopupMenuWnd.h"
#include "ui/core/ExtPopupServices.h"

bool CExtItemCoveringNotification::Notify()
{
    HWND hWndTarget = nullptr;
    if (m_pPopup != nullptr) {
        hWndTarget = m_pPopup->GetCommandTargetWindow();
        if (hWndTarget == nullptr || !::IsWindow(hWndTarget) || PopupIsFrameInHelpMode(hWndTarget))
            return false;
    } else {
        hWndTarget = PopupButtonNoticeTarget(m_pButton);
        if (hWndTarget == nullptr || !::IsWindow(hWndTarget))
            return false;
    }
    ::SendMessageA(hWndTarget, CExtPopupMenuWnd::g_nMsgItemCoveringNotification, reinterpret_cast<WPARAM>(this), 0);
    return true;
}
