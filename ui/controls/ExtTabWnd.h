#pragma once
// The framework's tab strip: a row (or column) of tabs with text, icon, tip and caller's data,
// optional scroll, Home, End, Help, Close and tab-list buttons, painted through the current paint
// manager. Derived strips give the items their meaning (tabbed bar groups, auto-hide areas,
// notebook tabs, MDI tabs).
#include "platform/mfc/Afx.h"
#include "platform/mfc/ToolTipCtrl.h"
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtMouseCaptureSink.h"

#include <functional>

class CExtTabWnd : public CWnd, public CExtMouseCaptureSink
{
    DECLARE_DYNCREATE(CExtTabWnd)
public:
    // Style word.
    static constexpr DWORD STYLE_ORIENT_MASK = 0x00000003;
    static constexpr DWORD STYLE_ORIENT_TOP = 0;
    static constexpr DWORD STYLE_ORIENT_BOTTOM = 1;
    static constexpr DWORD STYLE_ORIENT_LEFT = 2;
    static constexpr DWORD STYLE_ORIENT_RIGHT = 3;
    static constexpr DWORD STYLE_FIT = 0x00000004;
    static constexpr DWORD STYLE_HELP = 0x00000008;
    static constexpr DWORD STYLE_CLOSE = 0x00000010;
    static constexpr DWORD STYLE_INVERT_VERT_FONT = 0x00000020;
    static constexpr DWORD STYLE_BOLD_SELECTION = 0x00000040;
    static constexpr DWORD STYLE_GROUPED = 0x00000080;
    static constexpr DWORD STYLE_HELP_ENABLED = 0x00000100;
    static constexpr DWORD STYLE_CLOSE_ENABLED = 0x00000200;
    static constexpr DWORD STYLE_PREV_ENABLED = 0x00000400;
    static constexpr DWORD STYLE_NEXT_ENABLED = 0x00000800;
    static constexpr DWORD STYLE_CENTER_TEXT = 0x00001000;
    static constexpr DWORD STYLE_FIT_EQUAL = 0x00002000;
    static constexpr DWORD STYLE_SCROLL_ONLY_WHEN_NEEDED = 0x00004000;
    static constexpr DWORD STYLE_HOVER_SELECT = 0x00008000;
    static constexpr DWORD STYLE_SCROLL_BY_PAGE = 0x00010000;
    static constexpr DWORD STYLE_HOME = 0x00020000;
    static constexpr DWORD STYLE_END = 0x00040000;
    static constexpr DWORD STYLE_TAB_LIST = 0x00080000;
    static constexpr DWORD STYLE_TAB_LIST_ENABLED = 0x00100000;
    static constexpr DWORD STYLE_GROUP_TEXT = 0x00200000;
    static constexpr DWORD STYLE_ITEM_DRAGGING = 0x00400000;
    static constexpr DWORD STYLE_NO_ICONS = 0x00800000;
    static constexpr DWORD STYLE_HOME_ENABLED = 0x01000000;
    static constexpr DWORD STYLE_END_ENABLED = 0x02000000;

    // Item flags.
    static constexpr DWORD ITEM_HIDDEN = 0x01;
    static constexpr DWORD ITEM_GROUP_START = 0x02;
    static constexpr DWORD ITEM_SELECTED = 0x04;
    static constexpr DWORD ITEM_IN_GROUP_ACTIVE = 0x08;
    static constexpr DWORD ITEM_TEMPORARY = 0x10;

    // Hit codes (item indexes are 0 or more).
    static constexpr int HT_NOWHERE = -1;
    static constexpr int HT_OUTSIDE = -2;
    static constexpr int HT_ITEMS_AREA = -3;
    static constexpr int HT_PREV = -4;
    static constexpr int HT_NEXT = -5;
    static constexpr int HT_HELP = -6;
    static constexpr int HT_CLOSE = -7;
    static constexpr int HT_TAB_LIST = -8;
    static constexpr int HT_HOME = -9;
    static constexpr int HT_END = -10;

    // State byte.
    static constexpr BYTE STATE_SIZEPARENT = 0x01;
    static constexpr BYTE STATE_CREATED = 0x02;
    static constexpr BYTE STATE_LAYOUT_DIRTY = 0x04;
    static constexpr BYTE STATE_PRESS_TRACKED = 0x08;
    static constexpr BYTE STATE_HOT_TRACKING = 0x10;
    static constexpr BYTE STATE_SHRUNK = 0x20;
    static constexpr BYTE STATE_PREV_PRESSED = 0x40;
    static constexpr BYTE STATE_NEXT_PRESSED = 0x80;

    // The MDI flag byte and the drag flag byte.
    static constexpr BYTE MDI_TEMPLATE = 0x01;
    static constexpr BYTE DRAG_RUNNING = 0x01;

    // Pressed-button byte.
    static constexpr BYTE PRESSED_HOME = 0x01;
    static constexpr BYTE PRESSED_END = 0x02;
    static constexpr BYTE PRESSED_HELP = 0x04;
    static constexpr BYTE PRESSED_CLOSE = 0x08;
    static constexpr BYTE PRESSED_TAB_LIST = 0x10;

    // Tracked mouse buttons.
    static constexpr int MOUSE_LEFT = 1;
    static constexpr int MOUSE_RIGHT = 2;
    static constexpr int MOUSE_MIDDLE = 16;

    // Window timers.
    static constexpr UINT_PTR TIMER_SCROLL = 1;
    static constexpr UINT_PTR TIMER_HOVER_SELECT = 2;
    static constexpr UINT SCROLL_PERIOD = 20;
    static constexpr int SCROLL_STEP = 10;
    static constexpr UINT HOVER_SELECT_PERIOD = 200;
    // The cursor moves this far from the press before an item is dragged.
    static constexpr int DRAG_START_DISTANCE = 5;
    // The tab-list menu's commands are this plus the item index.
    static constexpr UINT TAB_LIST_FIRST_CMD = 0xFFFF;
    static constexpr int BUTTON_COUNT = 7;

    static constexpr char WINDOW_CLASS_NAME[] = "DadeZAD-TabWindow";
    // The cursor of every strip; loaded at start-up, the arrow when null.
    static HCURSOR g_hTabWindowCursor;

    class TAB_ITEM_INFO : public CObject
    {
    public:
        TAB_ITEM_INFO(CExtTabWnd* pOwner, TAB_ITEM_INFO* pPrev, TAB_ITEM_INFO* pNext, LPCSTR lpszText, HICON hIcon,
                      bool bCopyIcon, DWORD dwFlags, LPARAM lParam, LPCSTR lpszTipText);
        ~TAB_ITEM_INFO() override;
        TAB_ITEM_INFO(const TAB_ITEM_INFO&) = delete;
        TAB_ITEM_INFO& operator=(const TAB_ITEM_INFO&) = delete;

        // New flags = add | (old & ~remove); keeps the visible count and the group's one active
        // item in step. Answers the old flags.
        DWORD ChangeFlags(DWORD dwRemove, DWORD dwAdd);
        DWORD GetFlags() const { return m_dwFlags; }
        bool IsVisible() const { return (m_dwFlags & ITEM_HIDDEN) == 0; }
        bool IsSelected() const { return (m_dwFlags & ITEM_SELECTED) != 0; }
        bool IsGroupStart() const { return (m_dwFlags & ITEM_GROUP_START) != 0; }
        bool IsInGroupActive() const { return (m_dwFlags & ITEM_IN_GROUP_ACTIVE) != 0; }
        TAB_ITEM_INFO* GetPrevItem() const { return m_pPrev; }
        TAB_ITEM_INFO* GetNextItem() const { return m_pNext; }
        LPARAM GetItemLParam() const { return m_lParam; }
        void SetItemLParam(LPARAM lParam) { m_lParam = lParam; }
        CExtTabWnd* GetOwner() const { return m_pOwner; }
        int GetIndex() const;
        // This item or the nearest earlier group start; the last item before the next one.
        TAB_ITEM_INFO* FindGroupStart();
        TAB_ITEM_INFO* FindGroupEnd();

        // The owner's text when it gives one, else the item's own.
        CString GetText() const;
        CString GetTipText() const;
        void SetText(LPCSTR lpszText);
        void SetTipText(LPCSTR lpszTipText);
        // The owner's icon when not empty, else the own one when not empty, else null.
        CExtCmdIcon* GetIcon();
        SIZE GetIconSize();
        CExtCmdIcon& GetOwnIcon() { return m_icon; }

        // Measures text and icon for the owner's orientation and stores the extent.
        void Measure(SIZE& sizeOut, CDC* pDC);
        // The point in item coordinates lies on this visible, non-empty item.
        bool HitTest(POINT ptItem) const;

        const SIZE& GetExtent() const { return m_sizeExtent; }
        const SIZE& GetTextSize() const { return m_sizeText; }
        const RECT& GetItemRect() const { return m_rcItem; }
        bool IsShrunk() const { return (m_nShrunk & 0x01) != 0; }

    private:
        friend class CExtTabWnd;
        CExtTabWnd* m_pOwner;
        DWORD m_dwFlags;
        CString m_strText;
        CString m_strTipText;
        CExtCmdIcon m_icon;
        SIZE m_sizeExtent{24, 20};
        SIZE m_sizeText{0, 0};
        SIZE m_sizeIcon{0, 0};
        RECT m_rcItem{0, 0, 24, 20};
        LPARAM m_lParam;
        BYTE m_nShrunk = 0;
        TAB_ITEM_INFO* m_pPrev;
        TAB_ITEM_INFO* m_pNext;
    };

    CExtTabWnd();
    ~CExtTabWnd() override;

    static bool RegisterTabWindowClass();

    // --- Virtual operations, in slot order -------------------------------------------------
    virtual bool IsMdiTemplate() const;
    // The paint manager's font for the orientation (-1: the strip's own), bold when asked and
    // the style shows the selection in bold outside group mode.
    virtual CFont* GetItemFont(bool bBoldCandidate, int nOrientation = -1);
    virtual BOOL CreateTabWnd(CWnd* pParentWnd, const RECT& rc = CRect(0, 0, 0, 0), UINT nDlgCtrlID = UINT(-1),
                              DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              DWORD dwTabStyle = STYLE_ORIENT_TOP, CCreateContext* pContext = nullptr);
    virtual void MoveItemImpl(int nFrom, int nTo);
    virtual bool OnMouseButton(POINT pt, bool bDown, int nMouseButton, UINT nKeys);
    virtual void OnMouseMoveTracking(UINT nKeys, POINT pt);
    virtual void UpdateStripVisibility();
    virtual bool BeginPressTracking(int nMouseButton, int nCode);
    virtual void EndPressTracking(bool bReleaseCapture);
    virtual bool TrackHover(int nCode);
    virtual void EndHover(bool bReleaseCapture);
    virtual bool RedrawsOnItemHover() const;
    virtual bool CanDragItem(int nIndex) const;
    virtual bool TrackItemDrag(int nIndex);
    virtual bool OnButtonClick(int nCode, bool bDown, int nMouseButton, UINT nKeys);
    virtual bool OnItemClick(int nIndex, bool bDown, int nMouseButton, UINT nKeys);
    // Called before (veto with false) and after the selection changes.
    virtual bool NotifySelectionChange(int nOldIndex, int nNewIndex, bool bBefore);
    virtual CExtCmdIcon* GetItemIcon(TAB_ITEM_INFO* pItem);
    virtual LPCSTR GetItemText(const TAB_ITEM_INFO* pItem) const;
    virtual LPCSTR GetItemTipText(const TAB_ITEM_INFO* pItem) const;
    virtual void OnItemInserted(int nIndex, TAB_ITEM_INFO* pItem);
    virtual void OnItemsRemoved(int nIndex, int nCount, bool bBefore);
    virtual void OnRemovingAllItems(bool bBefore);
    virtual void GetItemSpacingMetrics(int& nLeading, int& nTrailing, int& nOuter);
    virtual void PaintStrip(CDC& dc, const RECT& rcClient);
    virtual void DrawStripArea(CDC& dc, const RECT& rcClient, const RECT& rcItemArea, const RECT& rcOutside,
                               int nOrientation, bool bGroupMode);
    virtual void AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* pDC, SIZE& size);
    virtual void DrawTabItem(CDC& dc, const RECT& rcItemArea, int nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
                             bool bHorizontal, bool bSelected, bool bCenteredText, bool bGroupMode,
                             bool bInGroupActive, bool bInvertedVerticalText, const RECT& rcItem, SIZE sizeText,
                             CFont* pFont, const CString& strText, CExtCmdIcon* pIcon);
    virtual void DrawStripButton(CDC& dc, const RECT& rc, int nCode, bool bTopLeft, bool bHorizontal, bool bEnabled,
                                 bool bHot, bool bPressed, bool bGroupMode);
    virtual SIZE GetButtonSize() const;
    virtual void ScrollItems(int nStep, bool bSmooth);
    virtual bool AreToolTipsEnabled() const;
    virtual bool CanMoveItem(int nFrom, int nTo) const;
    virtual void OnItemMoved(int nFrom, int nTo);
    virtual int GetButtonsExtent(int nSide, int nGap) const;
    virtual void LayoutButtons(RECT& rcFirst, int nSide, int nGap);

    // --- Operations -------------------------------------------------------------------------
    TAB_ITEM_INFO* InsertTabItem(LPCSTR lpszText, HICON hIcon = nullptr, bool bCopyIcon = true, DWORD dwFlags = 0,
                                 int nIndex = -1, LPARAM lParam = 0, bool bRedraw = true);
    int RemoveTabItems(int nIndex, int nCount = 1, bool bRedraw = true);
    void RemoveAllTabItems(bool bRedraw = true);
    int SetSelectedItem(int nIndex, bool bEnsureVisible = true, bool bRedraw = true);
    bool EnsureVisible(int nIndex, bool bRedraw = true);
    bool MoveTabItem(int nFrom, int nTo, bool bRedraw = true);
    DWORD UpdateStripStyle(DWORD dwRemove, DWORD dwAdd, bool bRedraw = true);
    void InvalidateLayout(bool bRedraw = true);
    TAB_ITEM_INFO* GetItemAt(int nIndex) const;
    LPARAM GetItemLParamAt(int nIndex) const;
    TAB_ITEM_INFO* GetSelectedItem() const;
    int GetItemCount() const { return static_cast<int>(m_arrItems.GetSize()); }
    int GetVisibleItemCount() const { return m_nVisibleItemCount; }
    int GetSelectedIndex() const { return m_nSelIndex; }
    DWORD GetStripStyle() const { return m_dwStripStyle; }
    int GetOrientation() const { return static_cast<int>(m_dwStripStyle & STYLE_ORIENT_MASK); }
    bool IsHorizontalLayout() const { return GetOrientation() <= static_cast<int>(STYLE_ORIENT_BOTTOM); }
    bool IsVerticalLayout() const { return !IsHorizontalLayout(); }
    bool IsGroupMode() const { return (m_dwStripStyle & STYLE_GROUPED) != 0; }
    int FindItemIndex(const TAB_ITEM_INFO* pItem) const;
    int FindItemByLParam(LPARAM lParam, int nStart = -1, bool bVisible = true, bool bHidden = true) const;
    int FindItemByFlags(DWORD dwAnyOf, DWORD dwNoneOf = 0, int nStart = -1) const;
    // The first and last index of the group of the item; false for an index out of range.
    bool GetGroupRange(int nIndex, int& nFirst, int& nLast, TAB_ITEM_INFO** ppFirst = nullptr,
                       TAB_ITEM_INFO** ppLast = nullptr) const;
    bool StartHoverSelect(int nIndex, UINT nMilliseconds);
    int HitTestItem(POINT ptClient) const;
    void ComputeItemLayout();
    void InitToolTips();

    // --- Layout results -----------------------------------------------------------------------
    const RECT& GetItemArea() const { return m_rcItemArea; }
    const RECT& GetOutsideArea() const { return m_rcOutside; }
    // In the order Previous, Next, Home, End, Help, Close, tab list.
    const RECT& GetButtonRect(int nCode) const;
    int GetScrollPos() const { return m_nScrollPos; }
    int GetScrollMax() const { return m_nScrollMax; }
    int GetTotalExtent() const { return m_nTotalExtent; }
    int GetFirstVisibleIndex() const { return m_nFirstVisible; }
    int GetLastVisibleIndex() const { return m_nLastVisible; }
    int GetRemainingScroll() const { return m_nRemainingScroll; }
    int GetHotCode() const { return m_nHotCode; }
    int GetTrackedCode() const { return m_nTrackedCode; }
    BYTE GetStateFlags() const { return m_nStateFlags; }
    bool IsDragging() const { return (m_nDragFlags & DRAG_RUNNING) != 0; }
    // The rectangle of an item where it is drawn, in client coordinates; empty when hidden.
    CRect GetItemClientRect(int nIndex) const;
    void SetCustomClientRect(const RECT& rc) { m_rcCustomClient = rc; }
    // The tool tip text of a button code; empty when the button shows none.
    static CString GetButtonTipText(int nCode);

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    void OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout);
    void OnTimer(UINT_PTR nIDEvent);
    void OnCancelMode();
    void OnCaptureChanged(HWND hWndNew);
    void OnSmoothScrollTick();
    void OnHoverSelectTimer();
    void StopSmoothScroll();
    // Lays out at once, invalidates and updates the window.
    void RelayoutAndRepaint();
    // Tool 1 of the tip control over the rectangle; an empty text removes it.
    void SetTipTool(const CString& strText, const RECT& rc);
    void RemoveTipTool();
    // The tab-list button: the menu of every item, and the chosen one selected.
    void TrackTabListMenu();
    // Enabled and pressed state of a button code from the style and state bits.
    bool IsButtonEnabled(int nCode) const;
    bool IsButtonPressed(int nCode) const;
    void SetButtonPressed(int nCode, bool bPressed);
    // The index into the button rectangles, -1 for anything but a button code.
    static int ButtonSlot(int nCode);
    // Item rectangles move by this along the strip to reach client coordinates.
    int ItemOffsetAlong() const;
    // The item area's length along the strip.
    int ItemAreaLength() const;
    // Re-links every item to its neighbours in array order.
    void RelinkItems();
    // The index an insertion at nIndex lands at: out of range appends.
    int ClampInsertIndex(int nIndex) const;
    // A new item linked to its neighbours; strips with their own kind of item make that kind.
    virtual TAB_ITEM_INFO* CreateItemObject(TAB_ITEM_INFO* pPrev, TAB_ITEM_INFO* pNext, LPCSTR lpszText,
                                            HICON hIcon, bool bCopyIcon, DWORD dwFlags, LPARAM lParam);
    // Puts an item made for nIndex (already linked to its neighbours) into the strip.
    TAB_ITEM_INFO* AdoptItem(TAB_ITEM_INFO* pItem, int nIndex, DWORD dwFlags, bool bRedraw);
    // Moves an item by inserting a copy through the callback (given the source item) and
    // removing the original.
    using ReinsertItem = std::function<TAB_ITEM_INFO*(TAB_ITEM_INFO* pSource, LPCSTR lpszText, HICON hIcon,
                                                      DWORD dwFlags, int nIndex, LPARAM lParam)>;
    void MoveItemThrough(int nFrom, int nTo, const ReinsertItem& reinsert);

    CRuntimeClass* m_pPaintManagerClass = nullptr;
    CToolTipCtrl m_wndToolTip;
    BYTE m_nMdiFlags = 0;
    DWORD m_dwStripStyle = 0;
    int m_nSelIndex = -1;
    int m_nFirstVisible = 0;
    int m_nLastVisible = 0;
    int m_nPendingHoverSelect = -1;
    int m_nHoveredCode = -1;
    int m_nVisibleItemCount = 0;
    int m_nTotalExtent = 0;
    int m_nScrollPos = 0;
    int m_nScrollMax = 0;
    int m_nRemainingScroll = 0;
    RECT m_rcItemArea{};
    RECT m_rcOutside{};
    RECT m_rcButtons[BUTTON_COUNT]{};
    CArray<TAB_ITEM_INFO*, TAB_ITEM_INFO*> m_arrItems;
    BYTE m_nStateFlags = STATE_SIZEPARENT | STATE_LAYOUT_DIRTY;
    BYTE m_nPressedButtons = 0;
    int m_nTrackedCode = -1;
    int m_nTrackedButton = -1;
    int m_nHotCode = -1;
    RECT m_rcCustomClient{};
    POINT m_ptPress{-1, -1};
    RECT m_rcLastSwap{};
    BYTE m_nDragFlags = 0;

    friend class TAB_ITEM_INFO;
};
