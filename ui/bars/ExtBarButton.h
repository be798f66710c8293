#pragma once
// One item of a tool bar: a command button, a separator, a drop-down button or the place of a
// child control; it takes texts and icon from its command's item in the bar window's profile.
#include "platform/mfc/Afx.h"

class CExtToolControlBar;
class CExtPopupMenuWnd;
class CExtCmdIcon;
class CExtCmdItem;

// Button style and state bits.
constexpr DWORD TBBS_SEPARATOR = 0x00000001;
constexpr DWORD TBBS_CHECKBOX = 0x00000002;
constexpr DWORD TBBS_CHECKED = 0x00010000;
constexpr DWORD TBBS_PRESSED = 0x00020000;
constexpr DWORD TBBS_DISABLED = 0x00040000;
constexpr DWORD TBBS_HIDDEN = 0x00080000;
constexpr DWORD TBBS_INDETERMINATE = 0x00100000;

class CExtBarButton : public CObject
{
    DECLARE_DYNCREATE(CExtBarButton)
public:
    // Thickness of a separator along the bar.
    static constexpr int SEPARATOR_THICKNESS = 6;
    // Room around the icon and text inside the button face.
    static constexpr int FACE_PADDING = 6;

    explicit CExtBarButton(CExtToolControlBar* pBar = nullptr, UINT nCmdId = 0, DWORD dwStyle = 0);
    ~CExtBarButton() override;

    virtual void UpdateCtrlState();
    virtual bool IsLargeIconsMode() const;
    virtual bool IsTooltipsMode() const;
    virtual bool IsAccelInTooltipsMode() const;
    virtual UINT GetCmdID(bool bEffective = true) const;
    virtual void SetCmdID(UINT nCmdId, bool bEffectiveOnly = false, bool bRedraw = false);
    virtual bool IsSplitDropDown() const;
    virtual void SetSplitDropDown(bool bOn = true);
    virtual bool IsDropDownSetsCommand() const;
    virtual void SetDropDownSetsCommand(bool bOn = true);
    virtual bool IsAlwaysHorizontal() const;
    virtual void SetAlwaysHorizontal(bool bOn = true);
    virtual bool IsCtrlVisibleVertically() const;
    virtual void SetCtrlVisibleVertically(bool bOn = true);
    virtual CWnd* GetCtrl();
    virtual void SetCtrl(CWnd* pCtrl, bool bCtrlDeletesItself = false);
    virtual DWORD GetStyle() const;
    virtual void SetStyle(DWORD dwStyle);
    virtual void ModifyStyle(DWORD dwAdd, DWORD dwRemove = 0);
    virtual void SetPressedHighlight();
    virtual void ClearPressedHighlight();
    virtual bool IsPressedHighlight() const;
    virtual void SetVerticalLayout(bool bVertical);
    virtual bool IsWrap(int nMode) const;
    virtual void SetWrapFlag(int nMode, bool bWrap);
    virtual bool IsSeparator() const;
    virtual bool IsDisabled() const;
    virtual bool IsIndeterminate() const;
    virtual bool IsPressed() const;
    virtual void SetVisible(bool bVisible = true);
    virtual bool IsVisible() const;
    virtual void SetHover(bool bHover = true);
    virtual bool IsHover() const;
    virtual CString GetText() const;
    virtual void SetRect(const RECT& rc);
    virtual CRect GetRect() const;
    virtual CRect GetDropDownRect() const;
    virtual CSize GetSize() const;
    virtual void SetMenu(HMENU hMenu, bool bTakeFirstSubmenu, bool bOwned);
    virtual HMENU GetMenu() const;
    virtual void SetAppendMdiWindows(bool bOn = true);
    virtual bool IsAppendMdiWindows() const;
    virtual bool CanTrackMenu() const;
    virtual bool CanTrackMenuEx(bool bArgument = false) const;
    virtual bool IsTakeFirstSubmenu() const;
    virtual CSize CalculateLayout(CDC& dc, CSize sizePreset, bool bHorz);
    virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
    virtual CExtCmdIcon* GetIcon();
    virtual CWnd* GetCmdTargetWnd() const;
    virtual void Paint(CDC& dc, bool bHorz);
    virtual bool OnDblClick(CPoint point);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI);
    virtual void OnUpdateCmdUI(CWnd* pTarget, bool bDisableIfNoHandler, int nIndex);
    virtual bool IsNoCtrlButton();
    virtual void RedrawButton(bool bUpdateNow = false);
    virtual UINT GetTrackPopupAlignment() const;
    virtual bool OnSetCursor(CPoint point);
    // Mouse, menu and command protocol the bar routes to the button.
    virtual int OnTrackPopup(CPoint point, bool bKeyboardStyle, bool bSelectFirst);
    virtual void OnHover(CPoint point, bool bHover);
    virtual void OnClick(CPoint point, bool bDown);
    virtual void OnDeliverCmd();
    virtual int OnHelpHitTest(CPoint point);

    CExtToolControlBar* GetBar() const { return m_pBar; }
    // The command item of the base or effective id in the bar window's profile, or null.
    CExtCmdItem* FindCmdItem(bool bEffective) const;
    // The profile the bar's window uses.
    LPCSTR GetProfileName() const;

protected:
    // The hosted control is to be shown in place of the button.
    bool IsCtrlShown() const;
    // Track flags of a menu opened from this button.
    UINT TrackFlags(bool bKeyboardStyle, bool bSelectFirst) const;
    // Before this button opens its own popup: a floating bar's frame comes forward, active.
    void RaiseFloatingBar();
    // Opens the popup as this button's menu (point in bar client coordinates); the popup is
    // deleted when it cannot be shown.
    void TrackButtonPopup(CExtPopupMenuWnd* pPopup, CPoint point, bool bKeyboardStyle, bool bSelectFirst);

    CExtToolControlBar* m_pBar;
    UINT m_nCmdId;
    UINT m_nEffectiveCmdId;
    DWORD m_dwStyle;
    CSize m_size;
    CRect m_rc;
    // Flags A.
    bool m_bWrapH : 1;
    bool m_bWrapV : 1;
    bool m_bWrapF : 1;
    bool m_bVisible : 1;
    bool m_bHover : 1;
    bool m_bCtrlDeletesItself : 1;
    bool m_bVerticalLayout : 1;
    bool m_bTakeFirstSubmenu : 1;
    // Flags B.
    bool m_bOwnsMenu : 1;
    bool m_bAppendMdiWindows : 1;
    bool m_bSplitDropDown : 1;
    bool m_bDropDownSetsCommand : 1;
    bool m_bPressedInArrow : 1;
    bool m_bAlwaysHorizontal : 1;
    bool m_bCtrlVisibleVertically : 1;
    bool m_bPressedHighlight : 1;
    CWnd* m_pCtrl;
    HMENU m_hMenu;
};
