#include "platform/mfc/MessageBox.h"

#include "platform/mfc/Globals.h"
#include "platform/mfc/String.h"

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    HWND hWndOwner = GetActiveWindow();
    // Without an icon style the framework picks one from the buttons, as the classic library does.
    if ((nType & MB_ICONMASK) == 0)
    {
        UINT nButtons = nType & MB_TYPEMASK;
        nType |= (nButtons == MB_OK || nButtons == MB_OKCANCEL) ? MB_ICONEXCLAMATION
                 : (nButtons == MB_YESNO || nButtons == MB_YESNOCANCEL) ? MB_ICONQUESTION
                                                                         : 0;
    }
    return MessageBoxA(hWndOwner, lpszText != nullptr ? lpszText : "", AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    return AfxMessageBox(strPrompt, nType);
}
