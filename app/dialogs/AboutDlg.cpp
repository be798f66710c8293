#include "app/dialogs/AboutDlg.h"

#include "resources/app/AppResources.h"
#include "resources/dialogs/AboutResources.h"

CAboutDlg::CAboutDlg() : CExtResizableDialog(IDD_ABOUTBOX, nullptr) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
}

BOOL CAboutDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    ShowSizeGripper(false);
    SendMessage(WM_SETICON, ICON_SMALL,
                reinterpret_cast<LPARAM>(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))));
    EnablePlacementPersistence(kPlacementSection, kPlacementEntry, false);
    return TRUE;
}

void CAboutDlg::RestorePlacement(bool bHidden)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || m_hWnd == nullptr)
        return;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (!::GetWindowPlacement(m_hWnd, &wp) ||
        !ParsePlacement(pApp->GetProfileString(m_sPlacementSection, m_sPlacementEntry), wp))
        return;
    const RECT& rc = wp.rcNormalPosition;
    const SIZE minimum = GetMinTrackingSize();
    if (rc.right - rc.left < minimum.cx || rc.bottom - rc.top < minimum.cy ||
        ::MonitorFromRect(&rc, MONITOR_DEFAULTTONULL) == nullptr)
        return;
    CExtResizableDialog::RestorePlacement(bHidden);
}
