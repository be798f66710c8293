#include "ui/core/ExtCmdItemUI.h"

#include "ui/core/ExtCmdItem.h"

CExtCmdItemUI::CExtCmdItemUI(CExtCmdItem* pCmd, UINT nIndex) : m_pCmd(pCmd)
{
    m_nID = pCmd->m_nCmdId;
    m_nIndex = nIndex;
}

void CExtCmdItemUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    m_pCmd->SetEnabled(bOn != FALSE);
}

void CExtCmdItemUI::SetCheck(int nCheck)
{
    if (nCheck == 0 || nCheck == 1)
        m_pCmd->SetChecked(nCheck != 0);
    else
        m_pCmd->SetIndeterminate(true);
}

void CExtCmdItemUI::SetRadio(BOOL bOn) { m_pCmd->SetRadio(bOn != FALSE); }

void CExtCmdItemUI::SetText(LPCSTR lpszText) { m_pCmd->m_sMenuText = lpszText != nullptr ? lpszText : ""; }
