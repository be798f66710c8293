#pragma once
// One user-interface item (a menu item, or a window such as a bar button or a dialog control)
// whose state an update handler sets for command m_nID.
#include <windows.h>

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's routing for an update handler; without one and with bDisableIfNoHndler,
    // the item is enabled exactly when some target handles the command.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;           // menu item or other index
    CMenu* m_pMenu;          // the menu holding the item, or null
    CMenu* m_pSubMenu;       // the popup the item opens, or null
    CWnd* m_pOther;          // the window that shows the item when it is not a menu item
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;        // number of menu items, to step over items a handler inserted
    CMenu* m_pParentMenu;
};
