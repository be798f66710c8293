#pragma once
// The command-UI object that lets the owner's update handlers set a popup menu item's state.
#include "ui/core/ExtPopupMenuWnd.h"

class CExtPopupMenuWnd::CExtPopupMenuCmdUI : public CCmdUI
{
public:
    CExtPopupMenuCmdUI(CExtPopupMenuWnd& popup, MENUITEMDATA& item, UINT nIndex);

    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCSTR lpszText) override;

private:
    MENUITEMDATA& m_item;
};
