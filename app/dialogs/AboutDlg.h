#pragma once
// The about box: the application's picture and an OK button, run modally; its placement is
// kept in the registry and restored when it opens again.
#include "ui/core/ExtButton.h"
#include "ui/core/ExtResizableDialog.h"

class CAboutDlg : public CExtResizableDialog
{
public:
    static constexpr const char* kPlacementSection = "QuorvalisPlivex-resizable-dialog-positions";
    static constexpr const char* kPlacementEntry = "CAboutDlg-Saved-Position";

    CAboutDlg();

    // A saved placement is used only when it parses, is at least the box's first size and
    // lies on a monitor; else the box opens at its default place.
    void RestorePlacement(bool bHidden = false) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    CExtButton m_okButton;
};
