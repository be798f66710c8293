#include "platform/mfc/MessageBox.h"

#include "platform/mfc/Globals.h"
#include "platform/mfc/String.h"
#include "platform/mfc/WinApp.h"

int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, UINT nType)
{
    if ((nType & MB_ICONMASK) == 0)
    {
        UINT nButtons = nType & MB_TYPEMASK;
        if (nButtons == MB_OK || nButtons == MB_OKCANCEL)
            nType |= MB_ICONEXCLAMATION;
        else if (nButtons == MB_YESNO || nButtons == MB_YESNOCANCEL)
            nType |= MB_ICONQUESTION;
    }
    return ::MessageBoxA(hWndOwner, lpszText != nullptr ? lpszText : "", AfxGetAppName(), nType);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText != nullptr ? lpszText : "", nType, nIDHelp);
    return AfxShowMessageBox(::GetActiveWindow(), lpszText, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    return AfxMessageBox(strPrompt, nType, nIDHelp == UINT(-1) ? nIDPrompt : nIDHelp);
}
