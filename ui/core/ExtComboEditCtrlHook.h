#pragma once
// The edit part of a framework combo box: its edit commands never auto-complete, and its
// context menu follows the combo's setting.
#include "ui/core/ExtEditBase.h"

class CExtComboEditCtrlHook : public CExtEditBase
{
    DECLARE_DYNCREATE(CExtComboEditCtrlHook)
public:
    CExtComboEditCtrlHook() = default;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
