#pragma once
// Lets a frame's ordinary command-update handlers write their state into a command item.
#include "platform/mfc/CmdUI.h"

class CExtCmdItem;

class CExtCmdItemUI : public CCmdUI
{
public:
    CExtCmdItemUI(CExtCmdItem* pCmd, UINT nIndex = 0);

    void Enable(BOOL bOn = TRUE) override;
    // 0 and 1 check and uncheck; any other value marks the item indeterminate.
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCSTR lpszText) override;

private:
    CExtCmdItem* m_pCmd;
};
