#pragma once
// The framework's owner-drawn popup menu. This file holds what the menu shares with the tracking
// state, the open animation and the tip balloon; its items, layout and input handling build on it.
#include "ui/core/ExtPopupBaseWnd.h"
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtPopupMenuTipWnd.h"
#include "platform/mfc/Edit.h"

#include <vector>

class CExtPopupMenuTrackingState;

class CExtPopupMenuWnd : public CExtPopupBaseWnd
{
    DECLARE_DYNAMIC(CExtPopupMenuWnd)
public:
    // Menu flags.
    static constexpr BYTE MENU_TOP_LEVEL = 0x01;
    static constexpr BYTE MENU_SCROLLING = 0x02;
    static constexpr BYTE MENU_HAS_EXPAND = 0x04;
    static constexpr BYTE MENU_EXPANDED = 0x08;
    // Current-item values of the service buttons.
    static constexpr int SCROLL_UP_INDEX = -2;
    static constexpr int SCROLL_DOWN_INDEX = -3;
    static constexpr int EXPAND_INDEX = -4;

    // Track flags.
    static constexpr DWORD TRACK_COMBINE = 0x0010;
    static constexpr DWORD TRACK_COMBINE_BY_THEME = 0x0020;
    static constexpr DWORD TRACK_SELECT_FIRST = 0x0040;
    static constexpr DWORD TRACK_WAIT = 0x0080;
    static constexpr DWORD TRACK_SHOW_ALL = 0x0100;
    static constexpr DWORD TRACK_STORE_ONLY = 0x0200;
    static constexpr DWORD TRACK_NO_CMD_UI = 0x0400;
    static constexpr DWORD TRACK_OWNER_DRAW = 0x0800;
    static constexpr DWORD TRACK_NO_SHADOW = 0x1000;
    static constexpr DWORD TRACK_HELP_MODE = 0x2000;
    static constexpr DWORD TRACK_NON_TRACKING = 0x4000;
    static constexpr DWORD TRACK_NO_ANIMATION = 0x8000;

    // Directions of FindNextSelectableItem.
    static constexpr int NEXT_CURRENT = 1;
    static constexpr int NEXT_DOWN = 2;
    static constexpr int NEXT_UP = 3;
    static constexpr int NEXT_PAGE_UP = 4;
    static constexpr int NEXT_PAGE_DOWN = 5;

    static constexpr UINT_PTR SCROLL_TIMER_ID = 668;
    static constexpr UINT_PTR EXPAND_HOVER_TIMER_ID = 670;

    // Command identifiers with a meaning of their own.
    static constexpr UINT ID_SEPARATOR = 0;
    static constexpr UINT ID_SUBMENU = 0xFFFFFFFFu;
    // Longest menu text read from a menu; longer ones are cut.
    static constexpr int MAX_MENU_TEXT = 1024;
    // Kinds of custom items.
    static constexpr int CUSTOM_PLAIN = 0;
    static constexpr int CUSTOM_CHECKED = 1;
    static constexpr int CUSTOM_INDETERMINATE = 2;
    static constexpr int CUSTOM_RADIO = 3;

    struct MENUITEMDATA;
    // TRUE stops the command.
    using PreCommandCallback = bool (*)(CExtPopupMenuWnd* pPopup, MENUITEMDATA* pItem);
    // Called instead of ending the menu when the item is clicked.
    using ClickCallback = void (*)(CExtPopupMenuWnd* pPopup, MENUITEMDATA* pItem);

    // --- In-place edit items ---
    class CInPlaceEditWnd;
    // FALSE rejects the change from the old to the new text.
    using InplaceValidateCallback = bool (*)(CEdit* pEdit, LPARAM lParamCookie, LPCSTR lpszOld, LPCSTR lpszNew);
    // Receives the committed text instead of the item's text storage.
    using InplaceCommitCallback = void (*)(CEdit* pEdit, LPARAM lParamCookie, LPCSTR lpszText);
    // TRUE: the message is handled with *pResult.
    using InplaceWndProcHook = bool (*)(LRESULT* pResult, UINT message, WPARAM wParam, LPARAM lParam, CEdit* pEdit,
                                        LPARAM lParamCookie);
    // What the owner receives with g_nMsgCreateInplaceEdit; an owner that makes the edit window
    // itself stores it through ppEdit.
    struct InplaceEditCreation
    {
        CWnd** ppEdit;
        CExtPopupMenuWnd* pPopup;
        MENUITEMDATA* pItem;
        CString* pText;
        InplaceValidateCallback pfnValidate;
        InplaceCommitCallback pfnCommit;
        InplaceWndProcHook pfnWndProc;
        LPARAM lParamCookie;
        RECT rcEdit;
    };

    struct MENUITEMDATA
    {
        // Flags A.
        static constexpr BYTE A_HIGHLIGHTED = 0x01;
        static constexpr BYTE A_DISPLAYED = 0x02;
        static constexpr BYTE A_FORCE_DISPLAYED = 0x04;
        static constexpr BYTE A_COMBINED_SUBMENU = 0x08;
        static constexpr BYTE A_BUTTON_STYLE = 0x10;
        static constexpr BYTE A_ALWAYS_ENABLED = 0x20;
        static constexpr BYTE A_CHECKED = 0x80;
        // Flags B.
        static constexpr BYTE B_RADIO = 0x01;
        static constexpr BYTE B_ENABLED = 0x02;
        static constexpr BYTE B_INDETERMINATE = 0x04;
        static constexpr BYTE B_TOGGLED = 0x08;
        static constexpr BYTE B_CUSTOM = 0x10;
        static constexpr int FRESH_INDEX = -100;
        static constexpr int MIN_ITEM_HEIGHT = 22;
        static constexpr int MIN_ICON_SIZE = 16;

        CExtPopupMenuWnd* pChild = nullptr;  // owned by the item
        int nIndex = FRESH_INDEX;
        UINT nCmdId = ID_SEPARATOR;
        CString sText;
        CString sAccelText;
        CExtCmdIcon icon;  // submenus and custom items; commands use the command manager's
        int nWidth = 0;
        int nHeight = 0;
        int nIconAreaWidth = 0;
        int nMarginLeft = -1, nMarginTop = -1, nMarginRight = -1, nMarginBottom = -1;
        BYTE nFlagsA = 0;
        BYTE nFlagsB = B_ENABLED;
        PreCommandCallback pfnPreCommand = nullptr;
        ClickCallback pfnClick = nullptr;
        char cAccelChar = 0;
        HWND hWndCmdTarget = nullptr;

        // In-place edit: a text storage makes the item one.
        static constexpr BYTE INPLACE_ENABLED = 0x01;
        static constexpr BYTE INPLACE_PENDING = 0x02;  // the pending text shows instead of the stored one
        CWnd* pInplaceEdit = nullptr;
        CString* pInplaceText = nullptr;  // the caller's
        InplaceValidateCallback pfnInplaceValidate = nullptr;
        InplaceCommitCallback pfnInplaceCommit = nullptr;
        InplaceWndProcHook pfnInplaceWndProc = nullptr;
        LPARAM lParamInplaceCookie = 0;
        int nInplaceEditWidth = 0;
        BYTE nInplaceFlags = INPLACE_ENABLED;
        CString sInplacePending;

        bool IsInplaceEdit() const { return pInplaceText != nullptr; }
        bool IsInplaceEditEnabled() const { return IsInplaceEdit() && (nInplaceFlags & INPLACE_ENABLED) != 0; }
        bool IsInplaceEditVisible() const;
        // The pending text when set, else the stored one.
        CString GetInplaceShownText() const;

        bool IsSeparator() const { return nCmdId == ID_SEPARATOR; }
        bool IsSubmenu() const { return nCmdId == ID_SUBMENU; }
        bool IsCustom() const { return (nFlagsB & B_CUSTOM) != 0; }
        bool IsEnabled() const { return (nFlagsA & A_ALWAYS_ENABLED) != 0 || (nFlagsB & B_ENABLED) != 0; }
        bool IsDisplayed() const { return (nFlagsA & (A_DISPLAYED | A_FORCE_DISPLAYED)) != 0; }
        // Rarely used by the command manager's counts (custom items, separators and submenus never).
        bool IsRarelyUsed() const;
        // The icon painted: the item's own for submenus and custom items, else the command's.
        const CExtCmdIcon* GetDisplayIcon() const;
        // Splits "text<TAB>accelerator" and takes the accelerator character.
        void SetTexts(const CString& sFull);
        // Menu and accelerator texts from the command manager (custom items keep their own).
        bool RefreshFromCommand();
        void UpdateAccelChar();
        void ComputeItemSize();
    };

    class CExtPopupMenuCmdUI;

    // What a menu's owner receives with the prepare messages.
    struct MsgPrepareMenuData
    {
        static constexpr DWORD UPDATE_AGAIN = 0x01;
        static constexpr DWORD CANCEL = 0x02;
        static constexpr DWORD ONE_LEVEL = 0x04;
        DWORD dwFlags;
        CExtPopupMenuWnd* pPopup;
    };

    // Registered messages sent to the command target.
    static const UINT g_nMsgPrepareMenu;
    static const UINT g_nMsgPrepareOneMenuLevel;
    static const UINT g_nMsgPrepareDesktopBk;
    static const UINT g_nMsgPopupNext;
    static const UINT g_nMsgPopupPrev;
    static const UINT g_nMsgNotifyMenuExpanded;
    static const UINT g_nMsgNotifyMenuClosed;
    static const UINT g_nMsgPopupDrawItem;
    static const UINT g_nMsgPopupDrawLeftArea;
    static const UINT g_nMsgCreateInplaceEdit;
    static const UINT g_nMsgItemCoveringNotification;
    static constexpr UINT_PTR SUBMENU_OPEN_TIMER_ID = 667;

    // Alignments of the track flags: where the menu opens beside its exclude area.
    static constexpr UINT ALIGN_MASK = 0x000F;
    static constexpr int ALIGN_RIGHT = 1;   // right of the area, tops in line
    static constexpr int ALIGN_CENTER_HORZ = 2;  // centred horizontally on the point
    static constexpr int ALIGN_LEFT = 3;    // left of the area, tops in line
    static constexpr int ALIGN_BELOW = 4;   // below the area, left edges in line
    static constexpr int ALIGN_CENTER_VERT = 5;  // centred vertically on the point
    static constexpr int ALIGN_ABOVE = 6;   // above the area, left edges in line

    // What placing a menu on the screen needs, and what it decides.
    struct PlacementInput
    {
        RECT rcArea;         // the monitor's work area (or whole monitor)
        POINT ptTrack;       // top-left the menu starts at
        SIZE size;           // window size from MeasureContent
        RECT rcExclude;      // screen area the menu opens beside
        bool bExcludeGiven;
        bool bCombined;      // one outline with the exclude area
        bool bSubmenu;
        bool bTopLevel;
        bool bRightToLeft;
        int nAlign;
        int nShadow;
        int nBorder;
    };
    struct PlacementResult
    {
        RECT rcWindow;       // screen coordinates
        RECT rcMenu;         // the menu without shadow and exclude area, client coordinates
        RECT rcExcludeClient;  // the joined exclude area (combined only), client coordinates
        int nSide;           // SIDE_... of a combined menu
        bool bScrolling;     // taller than the area
        bool bExcludeGiven;  // dropped when a clamp moved a top-level menu
        bool bCombined;
    };
    // The window rectangle of a menu opened beside its exclude area inside the screen area.
    static PlacementResult PlaceMenu(const PlacementInput& in);

    CExtPopupMenuWnd();
    ~CExtPopupMenuWnd() override;

    virtual CExtPopupMenuTrackingState* GetTrackingState() const;
    static bool IsTrackingActive();
    static void EndActiveTracking();
    // Handles the waiting messages; a WM_QUIT met is posted again and ends the pumping.
    static void PumpPendingMessages(bool bRunIdle);

    // The popup that receives the thread's input while tracked.
    virtual void MakeCurrent();
    virtual CExtPopupMenuWnd* GetCurrentPopup() const;
    virtual void ReleaseCurrent();

    // Input routed by the tracking state's hooks; points in client coordinates. Each answers
    // true when it handled the input; *pPassThrough asks the hook to pass it on.
    virtual bool HandleMouseClick(UINT message, CPoint point, bool* pPassThrough);
    virtual bool HandleMouseMove(UINT message, CPoint point, bool* pPassThrough);
    virtual bool HandleMouseWheel(WPARAM wParam, LPARAM lParam, bool* pPassThrough);
    virtual bool HandleKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags, bool* pPassThrough);

    // Closes this popup and its open submenus; the window stays with keepWindow.
    virtual void CloseTree(bool bKeepWindow);
    // Replaces the items by those of the menu; null clears every item and deletes the submenus.
    virtual bool BuildItemsFromMenu(CMenu* pMenu, bool bTopLevel = true, bool bNoCmdUpdate = false);

    // Items and building.
    virtual int GetCurrentItemIndex() const { return m_nCurrentItem; }
    virtual bool BuildFromMenuResource(HWND hWndTarget, UINT nMenuId, bool bPopupMenu = true,
                                       bool bNoCmdUpdate = false);
    // The caller owns the handle.
    virtual HMENU CreateWin32Menu(bool bRecurse = true) const;
    virtual bool FillFromMenu(HWND hWndTarget, CMenu* pMenu, bool bTakeFirstSubmenu = true, bool bTopLevel = true,
                              bool bNoCmdUpdate = false);
    virtual int SetCommandItemsValue(HWND hWndTarget, bool bThisLevelOnly);
    virtual int CountItems() const;
    virtual UINT CommandIdAt(int nIndex) const;
    // A new icon the caller owns.
    virtual HICON ExtractItemIcon(int nIndex) const;
    virtual void GetItemText(CString& sOut, int nIndex) const;
    virtual void GetItemAccelText(CString& sOut, int nIndex) const;
    virtual int FindItemByCommand(UINT nCmdId, int nAfter = -1) const;
    virtual bool SetItemIcon(int nIndex, HICON hIcon);
    virtual bool SetItemText(int nIndex, const CString& sText);
    virtual bool SetItemAccelText(int nIndex, const CString& sText);
    virtual CExtPopupMenuWnd* GetSubmenuAt(int nIndex) const;
    virtual bool IsItemDisplayed(int nIndex) const;
    virtual bool SetItemForcedDisplay(int nIndex, bool bForce);
    // A negative index deletes every item.
    virtual bool DeleteItemAt(int nIndex);
    virtual bool InsertCommandItem(UINT nCmdId, int nPos = -1, LPCSTR lpszText = nullptr, LPARAM lParam = 0,
                                   HWND hWndTarget = nullptr);
    virtual bool InsertCustomItem(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccelText,
                                  const CExtCmdIcon& icon, int nKind = CUSTOM_PLAIN, HWND hWndTarget = nullptr);
    bool InsertCustomItemWithHICON(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccelText, HICON hIcon,
                                   int nKind = CUSTOM_PLAIN, HWND hWndTarget = nullptr);
    virtual bool InsertSubmenuItem(CExtPopupMenuWnd* pChild, int nPos = -1, LPCSTR lpszText = nullptr,
                                   HICON hIcon = nullptr);
    virtual int FindItemByText(LPCSTR lpszText, int nAfter = -1) const;
    virtual bool IsEveryItemHidden() const;
    virtual bool PrepareEmptyPopup(HWND hWndTarget);
    virtual bool AppendMdiWindowList(CWnd* pFrame = nullptr);
    virtual void UpdateItemsCommandUI();
    virtual void ResetTrackingMembers();
    virtual bool CanOpenAsSubmenu() const { return true; }
    // Popups holding one choice (a colour, the actions to undo, a date): a click on the item
    // that opens one, or Enter on it where the popup agrees, ends the menu like a command.
    virtual bool EndsMenuFromOpeningItem(bool /*bByKeyboard*/) const { return false; }
    // The opening item ended the menu: the popup reports the choice it stands for.
    virtual void OnChosenFromOpeningItem() {}
    // Popups that paint content of their own show even without items.
    virtual bool HasOwnContent() const { return false; }
    virtual int GetBorderSize() const;
    // Decides which items show and the content size.
    virtual void RecalcLayout();
    // The window size for the content, with shadow, border and left band.
    virtual CSize MeasureContent() const;
    void GetContentRect(RECT* pRect) const override;
    // SCROLL_UP_INDEX, SCROLL_DOWN_INDEX and EXPAND_INDEX give the service buttons; false for a
    // hidden item or a bad index.
    virtual bool GetItemRect(int nIndex, RECT* pRect, bool bInner) const;
    virtual void ComputeServiceButtonRects();
    virtual int GetMinScrollPos() const;
    // The window rectangle on the screen; sets the menu rectangle and the combined side.
    virtual CRect ComputePlacement();
    virtual bool CreatePopupWindow(CWnd* pWndOwner);

    // Tracking. TRUE when the popup was shown (with TRACK_WAIT: and its tracking ended); the
    // tracking state then owns and deletes it. FALSE leaves the popup to the caller. The result
    // pointer is written only while this call waits (TRACK_WAIT).
    // A popup starting to track closes the list of the combo box that has the focus.
    static void CloseDroppedComboList();
    virtual bool StartTracking(UINT nTrackFlags, int x, int y, const RECT* pExclude = nullptr,
                               LPVOID pCookie = nullptr, OpenSidePainter pfnPainter = nullptr,
                               UINT* pResultCmdId = nullptr, bool bCookieGiven = false);
    virtual bool TrackPopupInternal(DWORD dwTrackFlags, int x, int y, const RECT* pExclude, LPVOID pCookie,
                                    OpenSidePainter pfnPainter, bool bCookieGiven);
    virtual void FinishWithCommand(UINT nCmdId, HWND hWndTarget);
    virtual void HighlightItem(int nIndex, bool bOpenSubmenu, bool bRepaint, bool bByKeyboard);
    virtual void ReleaseCurrentItem(bool bRepaint);
    virtual void ScheduleSubmenuOpen(int nIndex);
    virtual bool StartScrolling(int nButton);
    virtual void ExpandMenu();
    virtual int HitTestItem(CPoint point) const;
    virtual int FindNextSelectableItem(int nDirection) const;
    virtual int FindItemByAccelChar(char cAccel, int nAfter = -1) const;
    bool IsNonTrackingMode() const override;
    bool IsHelpMode() const override;
    bool IsShadowAllowed() const override;
    bool IsCombinedWithParentItem() const override;
    void PaintContent(CDC& dc, bool bBuffered) override;
    virtual bool InsertItemData(int nPos, const MENUITEMDATA& item);
    void SetLeftBandWidth(int nWidth) { m_nLeftBandWidth = nWidth; }
    int GetLeftBandWidth() const { return m_nLeftBandWidth; }
    DWORD GetTrackFlags() const { return m_dwTrackFlags; }
    // Null for an index out of range.
    MENUITEMDATA* ItemDataAt(int nIndex);
    const MENUITEMDATA* ItemDataAt(int nIndex) const;
    // The window under the client point is this popup.
    virtual bool IsPointInWindow(CPoint point) const;
    // Drops the shadows' cached strips and the animation bitmaps.
    virtual void DiscardPaintCaches();

    virtual bool IsTipShown() const;
    virtual void HideTip(bool bFinishAnimation);
    const CExtPopupMenuTipWnd& GetTipWnd() const { return m_wndTip; }

    bool IsTopLevel() const { return (m_nMenuFlags & MENU_TOP_LEVEL) != 0; }
    CExtPopupMenuWnd* GetParentMenuWnd() const { return m_pWndParentMenu; }
    HWND GetCommandTargetWindow() const { return m_hWndCmdReceiver; }
    int GetCombinedSide() const { return m_nCombinedSide; }

    void BeginOpenAnimation() override;
    void OnAnimationFinished() override;
    void PaintAnimationFrame(CDC& dc) override;
    BOOL DestroyWindow() override;

    // --- In-place edit items, owner-drawn items and item tips ---
    // An item with an edit field of the given width holding *pText (the caller's, holding the
    // committed value); with a child popup the item is also a submenu opened by its drop-down part.
    virtual bool InsertInplaceEditItem(int nPos, CString* pText, LPCSTR lpszCaption, int nEditWidth,
                                       UINT nCmdId, InplaceValidateCallback pfnValidate = nullptr,
                                       InplaceCommitCallback pfnCommit = nullptr,
                                       InplaceWndProcHook pfnWndProc = nullptr, LPARAM lParamCookie = 0,
                                       CExtPopupMenuWnd* pChild = nullptr);

    // What the owner receives with g_nMsgPopupDrawItem (LPARAM); a non-zero answer means it drew
    // the item. PaintDefault draws it the popup's own way.
    struct DRAWITEMDATA
    {
        static constexpr BYTE OWNER_DRAW = 0x01;
        static constexpr BYTE SUBMENU = 0x02;
        static constexpr BYTE RARELY_USED = 0x04;
        static constexpr BYTE ABOVE_RARELY_USED = 0x08;
        static constexpr BYTE BELOW_RARELY_USED = 0x10;
        CDC* pDC;
        RECT rcItem;
        RECT rcInner;
        MENUITEMDATA* pItemData;
        CExtPopupMenuWnd* pPopup;
        BYTE nFlags;
        void PaintDefault() const;
    };
    virtual void DrawItemDefault(const DRAWITEMDATA& data);
    // The balloon text of an item: its command's tooltip, a window command's prompt before its
    // last line break; empty for other items.
    CString GetItemTipText(int nIndex) const;

protected:
    // Tracking input is ignored until the open animation ends and while no live tree is tracked.
    bool IsInputIgnored() const;

    // --- Shared by the colour popup, the in-place edits, owner drawing and item tips ---
    // The items, service buttons and their clipping inside the border; popups that show content
    // of their own paint it here.
    virtual void PaintMenuItems(CDC& dc);
    // Shows the tip balloon for a client rectangle of this popup.
    void ShowItemTip(LPCSTR lpszText, const RECT& rcClient);
    // A submenu gives the input back to its parent, whose item is highlighted again; false for a
    // top-level popup.
    bool ReturnToParentMenu();
    // The item's edit field: false for items without one.
    bool GetInplaceEditRect(int nIndex, RECT* pRect) const;
    // The item whose in-place edit window is hWnd, -1 for none.
    int FindInplaceEditItem(HWND hWnd) const;
    // Creates the edit windows of the in-place items once the popup window exists.
    void CreateInplaceEdits();
    void DestroyInplaceEdits();
    void ForgetInplaceEdit(const CWnd* pEdit);
    // Shows a hidden edit at its field and gives it the focus; false when it cannot take it.
    bool FocusInplaceEdit(int nIndex);
    // The keys an in-place edit with the focus needs from the popup's hook; false lets the key
    // reach the edit.
    bool HandleInplaceEditKey(UINT nChar, bool* pPassThrough);
    // The focus leaves the edit for the popup, whose current item is highlighted again.
    void ReturnFocusFromInplaceEdit();
    // Hides the edit of an item losing the highlight and drops its pending text.
    void ReleaseInplaceEdit(MENUITEMDATA& item);
    bool IsFocusInChildWindow() const;
    // The in-place item whose edit window lies under the client point, -1 for none.
    int InplaceEditItemAt(CPoint point) const;

    void PostNcDestroy() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCancelMode();
    // The I-beam over the field of an enabled in-place edit item.
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CExtPopupMenuTipWnd m_wndTip;
    int m_nCurrentItem = -1;
    int m_nPendingSubmenuItem = -1;
    int m_nHoverItem = -1;
    BYTE m_nMenuFlags = MENU_TOP_LEVEL;
    HWND m_hWndCmdReceiver = nullptr;
    DWORD m_dwTrackFlags = 0;
    int m_nExpandHoverCount = 0;
    int m_nScrollPos = 0;
    int m_nScrollDirection = 0;
    RECT m_rcScrollUp = {};
    RECT m_rcScrollDown = {};
    RECT m_rcExpandButton = {};
    int m_nLeftBandWidth = 0;
    RECT m_rcMenu = {};
    RECT m_rcExcludeClient = {};
    CBitmap m_bmpScreenBehind;
    std::vector<MENUITEMDATA> m_items;
    CExtPopupMenuWnd* m_pWndParentMenu = nullptr;
    int m_nCombinedSide = SIDE_NONE;

private:
    // Layout after a change: this popup when it is top-level, else its parent.
    void RecalcLayoutOfTree();
    bool InsertItemChecked(int nPos, MENUITEMDATA& item);
    // Keeps the screen under the window before it shows, for the shadow.
    void CaptureScreenBehind(const RECT& rcScreen);
    void DrawItem(CDC& dc, int nIndex);
    // The nearest displayed item above (nStep -1) or below (+1), -1 for none.
    int DisplayedNeighbour(int nIndex, int nStep) const;
    // Rarely used as the item painting marks it: a separator counts when both displayed
    // neighbours are rarely used items.
    bool IsDisplayedRarelyUsed(int nIndex) const;
    // Draws the parent's item (the cookie's index) into the open side of a combined submenu, so
    // that item and submenu share one outline.
    static void PaintParentItem(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup, const RECT* pExcludeArea,
                                int nSide);
    // False when the owner cancels.
    bool SendPrepareMessage(UINT nMessage, DWORD dwPresetFlags);
    bool IsItemSelectable(int nIndex) const;
    // Window commands follow the target window's styles and state.
    void UpdateSystemCommandStates();
    void ScrollItemIntoView(int nIndex);
    // Ends with the item's command, calls its click callback or opens its submenu.
    void ActivateItem(int nIndex, bool bByKeyboard);
    // The item's submenu ends the menu from its opening item (see EndsMenuFromOpeningItem).
    bool IsChoiceItem(const MENUITEMDATA& item, bool bByKeyboard) const;
    void RepaintNow();
    void OnMenuTimer(UINT_PTR nIDEvent);
    void AppendRecentFiles(int nPos);
    // The window's destruction ends a tracking that is not ending yet; inside DestroyWindow the
    // end (which deletes this popup) waits until the platform's window code is done with it.
    bool m_bDestroying = false;
    bool m_bEndTrackingAfterDestroy = false;
};
