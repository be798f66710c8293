#pragma once
// The framework's resizable dialog: anchored children, a minimum size, a size gripper and a
// placement kept in the application's profile. Tool panels embed it as a child window.
#include "ui/core/ExtADLG.h"
#include "ui/core/ExtResDlg.h"
#include "ui/core/ExtWA.h"
#include "ui/core/ExtWS.h"

constexpr UINT EXT_SYSMENU_TIMER_ID = 301;

extern template class CExtWS<CExtADLG<CExtResDlg>, EXT_SYSMENU_TIMER_ID>;
extern template class CExtWA<CExtWS<CExtADLG<CExtResDlg>, EXT_SYSMENU_TIMER_ID>>;

class CExtResizableDialog : public CExtWA<CExtWS<CExtADLG<CExtResDlg>, EXT_SYSMENU_TIMER_ID>>
{
    DECLARE_DYNAMIC(CExtResizableDialog)
public:
    static constexpr BYTE FLAG_UPDATE_BARS = 0x01;
    static constexpr BYTE FLAG_UPDATING_BARS = 0x02;

    CExtResizableDialog();
    CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

protected:
    // An embedded panel (a child window) is not closed by Enter or Escape.
    void OnOK() override;
    void OnCancel() override;
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BYTE m_nDialogFlags = 0;
};
