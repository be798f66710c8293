#pragma once
// The edit part of a framework combo box: its edit commands never auto-complete, and its
// context menu follows the combo's setting.
#include "ui/core/ExtEditBase.h"

class CExtComboBox;

class CExtComboEditCtrlHook : public CExtEditBase
{
    DECLARE_DYNCREATE(CExtComboEditCtrlHook)
public:
    CExtComboEditCtrlHook() = default;

    // The framework's menu only where the combo allows it; the combo is redrawn afterwards,
    // since the menu took the focus and the hover from it.
    void OnContextMenu(CWnd* pWnd, CPoint point);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Inside a tool bar (the combo's parent) the bar's tip stands for the edit's.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

private:
    CExtComboBox* GetParentCombo() const;
};
