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

bool PopupIsBarMenuTracking()
{
    return false;
}

void PopupShowIdlePrompt(HWND hWndOwner)
{
    CWnd* pOwner = hWndOwner != nullptr && ::IsWindow(hWndOwner) ? CWnd::FromHandlePermanent(hWndOwner) : nullptr;
    CFrameWnd* pFrame = pOwner != nullptr ? pOwner->GetTopLevelFrame() : nullptr;
    if (pFrame == nullptr)
        pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pOwner);
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        ::SendMessageA(pFrame->GetSafeHwnd(), WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}
