#include "ui/core/ExtPopupMenuCmdUI.h"

CExtPopupMenuWnd::CExtPopupMenuCmdUI::CExtPopupMenuCmdUI(CExtPopupMenuWnd& popup, MENUITEMDATA& item, UINT nIndex)
    : m_item(item)
{
    m_nID = item.nCmdId;
    m_nIndex = nIndex;
    m_nIndexMax = static_cast<UINT>(popup.CountItems());
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_item.IsSubmenu() || m_item.IsSeparator())
        return;
    if (bOn || (m_item.nFlagsA & MENUITEMDATA::A_ALWAYS_ENABLED) != 0)
        m_item.nFlagsB |= MENUITEMDATA::B_ENABLED;
    else
        m_item.nFlagsB &= static_cast<BYTE>(~MENUITEMDATA::B_ENABLED);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetCheck(int nCheck)
{
    if (nCheck != 0)
        m_item.nFlagsA |= MENUITEMDATA::A_CHECKED;
    else
        m_item.nFlagsA &= static_cast<BYTE>(~MENUITEMDATA::A_CHECKED);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetRadio(BOOL bOn)
{
    if (bOn)
        m_item.nFlagsB |= MENUITEMDATA::B_RADIO;
    else
        m_item.nFlagsB &= static_cast<BYTE>(~MENUITEMDATA::B_RADIO);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetText(LPCSTR lpszText)
{
    if (m_item.IsSubmenu() || lpszText == nullptr)
        return;
    m_item.sAccelText.Empty();
    m_item.SetTexts(lpszText);
    m_item.ComputeItemSize();
}
