#include "ui/core/ExtPopupServices.h"

bool PopupIsRightToLeftLanguage()
{
    return false;
}

bool PopupSetContextHelpCursor()
{
    return false;
}
