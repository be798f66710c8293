#pragma once
// The menu bar's first button while an MDI child is maximised: the child's icon, opening the
// child's system menu; a double click closes the child.
#include "ui/bars/ExtBarButton.h"
#include "ui/core/ExtCmdIcon.h"

class CExtMenuControlBar;

class CExtBarMdiDocButton : public CExtBarButton
{
    DECLARE_DYNCREATE(CExtBarMdiDocButton)
public:
    // The button's face without an icon.
    static constexpr int EMPTY_SIZE = 19;
    // Room around the icon.
    static constexpr int ICON_MARGIN = 3;
    // Size of the icon copy the button keeps.
    static constexpr int ICON_SIZE = 16;

    explicit CExtBarMdiDocButton(CExtToolControlBar* pBar = nullptr, UINT nCmdId = 0, DWORD dwStyle = 0);

    // The stored child while it is a window, else the active MDI child; null when none.
    HWND GetMdiChildHwnd() const;
    // Stores the child whose icon and system menu the button shows; another child drops the
    // old icon.
    void SetMdiChildHwnd(HWND hWndChild);
    // The child's system menu has an enabled close command.
    static bool IsCloseEnabled(HWND hWndChild);
    // The window's icon (the bars' icon query, its small then big icon, then its class's) as
    // a 16 x 16 copy; the icon is left as it was when the window gives none.
    static void LoadWindowIcon(HWND hWnd, CExtCmdIcon& icon);

    // With it, a double click closes the child and the menu opens as a plain popup; without
    // it, the menu opens joined to the button and double clicks do nothing.
    bool IsSysMenuIcon() const { return m_bSysMenuIcon; }
    void SetSysMenuIcon(bool bOn = true) { m_bSysMenuIcon = bOn; }

    // The button is never disabled.
    DWORD GetStyle() const override;
    void SetStyle(DWORD dwStyle) override;
    void ModifyStyle(DWORD dwAdd, DWORD dwRemove = 0) override;
    CSize CalculateLayout(CDC& dc, CSize sizePreset, bool bHorz) override;
    CExtCmdIcon* GetIcon() override;
    CWnd* GetCmdTargetWnd() const override;
    bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override;
    int OnTrackPopup(CPoint point, bool bKeyboardStyle, bool bSelectFirst) override;
    bool OnDblClick(CPoint point) override;

protected:
    // The bar as a menu bar; null for any other bar.
    CExtMenuControlBar* GetMenuBar() const;

    CExtCmdIcon m_icon;
    HWND m_hWndChild = nullptr;

private:
    bool m_bSysMenuIcon = true;
};
