#include "ui/core/ExtPopupServices.h"

bool PopupIsRightToLeftLanguage()
{
    return false;
}

bool PopupSetContextHelpCursor()
{
    return false;
}

bool PopupIsBarMenuTracking()
{
    return false;
}

void PopupShowIdlePrompt(HWND /*hWndOwner*/)
{
}
