#include "ui/core/ExtPopupServices.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/FrameWnd.h"
#include "ui/core/ExtResourceManager.h"

bool PopupIsRightToLeftLanguage()
{
    return g_ResourceManagerHolder->IsRightToLeftLanguage();
}

bool PopupSetContextHelpCursor()
{
    return false;
}

namespace
{
CExtPopupBarServices* g_pBarServices = nullptr;
void (*g_pfnCancelBarsMenuTracking)() = nullptr;
} // namespace

void PopupSetBarsMenuTrackingCanceller(void (*pfnCancel)())
{
    g_pfnCancelBarsMenuTracking = pfnCancel;
}

void PopupCancelBarsMenuTracking()
{
    if (g_pfnCancelBarsMenuTracking != nullptr)
        g_pfnCancelBarsMenuTracking();
    else
        g_bToolBarsTrackMenu = false;
}

void PopupSetBarServices(CExtPopupBarServices* pServices)
{
    g_pBarServices = pServices;
}

bool PopupIsBarMenuTracking()
{
    return g_bToolBarsTrackMenu;
}

bool PopupIsFrameInHelpMode(HWND hWnd)
{
    return g_pBarServices != nullptr && hWnd != nullptr && ::IsWindow(hWnd) && g_pBarServices->IsFrameInHelpMode(hWnd);
}

bool PopupIsToolBarWindow(HWND hWnd)
{
    return g_pBarServices != nullptr && hWnd != nullptr && ::IsWindow(hWnd) && g_pBarServices->IsToolBarWindow(hWnd);
}

bool PopupIsOnMenuTrackingButton(const POINT& ptScreen)
{
    return g_pBarServices != nullptr && g_pBarServices->IsOnMenuTrackingButton(ptScreen);
}

HWND PopupButtonNoticeTarget(const CExtBarButton* pButton)
{
    return g_pBarServices != nullptr && pButton != nullptr ? g_pBarServices->GetButtonNoticeTarget(pButton) : nullptr;
}

void PopupShowIdlePrompt(HWND hWndOwner)
{
    if (g_pBarServices != nullptr) {
        if (hWndOwner != nullptr && ::IsWindow(hWndOwner))
            g_pBarServices->SetFrameStatusMessage(hWndOwner, AFX_IDS_IDLEMESSAGE);
        return;
    }
    CWnd* pOwner = hWndOwner != nullptr && ::IsWindow(hWndOwner) ? CWnd::FromHandlePermanent(hWndOwner) : nullptr;
    CFrameWnd* pFrame = pOwner != nullptr ? pOwner->GetTopLevelFrame() : nullptr;
    if (pFrame == nullptr)
        pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pOwner);
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        ::SendMessageA(pFrame->GetSafeHwnd(), WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}
