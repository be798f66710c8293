#pragma once
// The frame's menu drawn as a dockable tool bar: one button per top-level item of the frame's
// (or the active MDI child's) menu, each opening its popup as a framework popup menu. It hooks
// the frame, the MDI client and the active child to follow their menus and to give the bar the
// keyboard behaviour of a window menu.
#include "platform/mfc/Menu.h"
#include "ui/bars/ExtBarMdiRightButton.h"
#include "ui/bars/ExtHookSink.h"
#include "ui/bars/ExtToolControlBar.h"

class CExtMenuControlBar : public CExtToolControlBar, public CExtHookSink
{
    DECLARE_DYNCREATE(CExtMenuControlBar)
public:
    // Option bits (see m_nOptionBits).
    static constexpr BYTE OPT_MDI_APP = 0x01;
    static constexpr BYTE OPT_NO_CHEVRON_WRAP = 0x02;
    static constexpr BYTE OPT_REHOOK_PENDING = 0x04;
    static constexpr BYTE OPT_REBUILD_PENDING = 0x08;
    static constexpr BYTE OPT_KEYBOARD_SELECT_FIRST = 0x10;
    static constexpr BYTE OPT_TRACK_FRAME_SYSMENU = 0x20;
    static constexpr BYTE OPT_TRACK_CHILD_SYSMENU = 0x40;
    static constexpr BYTE OPT_DOC_BUTTON_SYSMENU_ICON = 0x80;
    static constexpr BYTE OPT_DEFAULT = 0xF2;
    // Timers on the bar's window.
    static constexpr UINT_PTR TIMER_REHOOK = 13;
    static constexpr UINT_PTR TIMER_REBUILD = 14;
    static constexpr UINT_PTR TIMER_FIND_MDI_CLIENT = 15;

    static const UINT g_nMsgPrepareSystemMenu;
    // The next release of Alt does not enter keyboard mode.
    static bool g_bIgnoreNextAltUp;

    CExtMenuControlBar();
    ~CExtMenuControlBar() override;

    // Operations the menu bar adds.
    // The caption buttons of the MDI child the button serves, and their total size; the flags.
    virtual DWORD GetMdiButtonsInfo(CExtBarMdiRightButton::MdiButtonsInfo_t& info, CExtBarButton* pButton, bool bHorz);
    virtual void UpdateKeyboardHighlight(bool bRedraw);
    virtual bool IsMdiApp() const;
    virtual bool UpdateMenuBar(bool bRedraw = true);
    virtual CMenu* GetMenuToShow();
    virtual HWND GetActiveMdiChild(BOOL* pbMaximized = nullptr);
    virtual bool SyncMdiButtons(bool bRecalc);
    virtual bool RehookActiveMdiChild();
    virtual bool TrackSystemMenu(CWnd* pTarget, const POINT* pPoint, bool bFromKeyboardOrButton, const RECT* pExclude,
                                 UINT nAlignment, bool bCombined);
    virtual bool HookMdiClient(HWND hWndMdiClient);
    virtual void PostRehookActiveMdiChild();
    virtual void PostUpdateMenuBar();
    virtual void SetWindowMenuCaption(LPCSTR lpszCaption);
    virtual bool LoadMenuBar(UINT nResourceId);
    virtual bool PreTranslateFrameMessage(MSG* pMsg);
    virtual bool TrackFrameSystemMenu(const POINT* pPoint, bool bKeyboard);
    virtual bool TrackMdiChildSystemMenu(const POINT* pPoint, bool bKeyboard);
    virtual void RemoveFrameWin32Menu();
    virtual bool IsMdiButtonsVisible() const;

    // The MDI client of the bar's frame, or null.
    HWND FindMdiClient() const;
    // Keyboard mode: a top-level item is highlighted for keyboard navigation.
    bool IsKeyboardMode() const { return (m_nMenuBarState & STATE_KEYBOARD_MODE) != 0; }
    int GetKeyboardIndex() const { return m_nKeyboardIndex; }
    // A system or document-button menu opened from the bar is up.
    bool IsPopupFromBarUp() const { return (m_nMenuBarState & STATE_POPUP_UP) != 0; }
    void SetPopupFromBarUp(bool bUp);
    BYTE GetOptionBits() const { return m_nOptionBits; }
    void ModifyOptionBits(BYTE nAdd, BYTE nRemove = 0);
    UINT GetMdiButtonsCmdId() const { return m_nMdiButtonsCmdId; }
    HWND GetHookedMdiChild() const { return m_hWndHooked; }
    const CString& GetWindowMenuCaption() const { return m_sWindowMenuCaption; }

    // Overridden window, bar and tool-bar operations.
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RequestFrameLayout() override;
    void OnDragStart() override;
    void OnDragStop(LPARAM lReserved, InternalDraggingState_t* pState, bool bCancel) override;
    bool OnMouseMoveTracking(UINT nFlags, CPoint point) override;
    CExtBarContentExpandButton* CreateContentExpandButton() override;
    bool TrackButtonMenu(int nIndex, bool bKeyboardStyle = false, bool bPost = false,
                         bool bSelectFirst = false) override;
    bool IsRightToLeftLayout() const override;
    bool IsRightToLeftButtonOrder() const override;
    void RecalcButtonPositions() override;
    CSize GetDefaultButtonSize() const override;
    bool IsFitToDockArea() const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    int HitTestForHelp(int x, int y) override;
    bool DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                               LPARAM& lParam) override;

protected:
    static constexpr BYTE STATE_KEYBOARD_MODE = 0x01;
    static constexpr BYTE STATE_POPUP_UP = 0x02;

    // Enters or leaves keyboard mode on the given button (-1 with leaving).
    void SetKeyboardMode(bool bOn, int nIndex, bool bRedraw);
    // The window whose enabled state gates the keys: the frame, or the owner outside a frame.
    CWnd* GetKeyTargetWindow() const;
    // The key part of PreTranslateFrameMessage.
    bool PreTranslateKey(MSG* pMsg, CFrameWnd* pFrame);
    // Opens (or runs) the first button with the mnemonic in this bar, then the frame's other
    // tool bars; false when none has it.
    bool OpenByMnemonic(char chMnemonic, CFrameWnd* pFrame);
    // The frame (or host window) shows print preview, or a combo box has its list dropped.
    bool IsKeyInputBlocked() const;
    // The bar lives in a frame that shows an in-place active OLE item.
    bool IsFrameOleInPlace() const;
    // The document button is at position 0.
    bool HasMdiDocButtonFirst() const;
    // Hooks the host window of a bar that lives outside a frame.
    void HookHostWindow();
    // The hooked-message branches of the MDI client, the frame and the active child.
    bool DispatchMdiClientMessage(LRESULT& lResult, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool DispatchFrameMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool DispatchMdiChildMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // Ends keyboard mode and tool-bar menu tracking on size, activation and command messages.
    void CancelOnFrameChange();
    // Moves between open popups on the popups' next / previous notices; false passes it on.
    bool OnFramePopupNextPrev(bool bNext);
    bool OnChildPopupNextPrev(bool bNext);
    // The visible, enabled, non-right button next to nFrom, wrapping.
    int NeighbourButton(int nFrom, bool bNext) const;
    // Opens the button's menu while another popup is open.
    void OpenNeighbour(int nIndex);
    // Cancels the focus window's modes (a drop-down list, a capture) unless a popup is tracked.
    static void CancelFocusMode();
    // Runs PreTranslateFrameMessage for a hooked message (no time, no point).
    bool PreTranslateHooked(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

    afx_msg int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    UINT m_nMdiButtonsCmdId = 0;
    HWND m_hWndHooked = nullptr;
    CString m_sWindowMenuCaption;
    BYTE m_nMenuBarState = 0;
    int m_nKeyboardIndex = -1;
    int m_nKeyboardIndexPrev = -1;
    CMenu m_menuFrame;
    CMenu m_menuDoc;
    BYTE m_nOptionBits = OPT_DEFAULT;
};
