#pragma once
// The framework's tool bar: a fixed-size docking bar owning an ordered array of buttons, laid
// out in rows or columns by where it docks, with a trailing chevron for what does not fit.
#include "platform/mfc/CmdUI.h"
#include "ui/bars/ExtBarButton.h"
#include "ui/bars/ExtControlBar.h"

class CExtBarContentExpandButton;
class CExtPopupBaseWnd;

class CExtToolControlBar : public CExtControlBar
{
    DECLARE_DYNCREATE(CExtToolControlBar)
public:
    // Layout-mode indexes of the buttons' wrap flags.
    static constexpr int WRAP_MODE_HORZ = 0;
    static constexpr int WRAP_MODE_VERT = 1;
    static constexpr int WRAP_MODE_FLOATING = 2;
    // Length that stands for "no limit" in the layout questions.
    static constexpr int UNLIMITED_LENGTH = 0x7FFF;

    // The idle command update of one button.
    class CExtToolControlBarCmdUI : public CCmdUI
    {
    public:
        void Enable(BOOL bOn = TRUE) override;
        void SetCheck(int nCheck = 1) override;
        void SetRadio(BOOL bOn = TRUE) override;
        void SetText(LPCSTR lpszText) override;

    private:
        // The bar and button this update is about; null for the chevron.
        CExtBarButton* Button() const;
        void ApplyCheckStyle(int nCheck);
    };

    // Rows of a tool bar's background, for painting a child control's background as its row.
    struct RowRectsInfo_t
    {
        CArray<CRect, const CRect&> m_arrRects;
        CArray<int, int> m_arrEndIndexes;
        HWND m_hWndTarget = nullptr;
        CExtToolControlBar* m_pBar = nullptr;
        CWnd* m_pFloatingFrame = nullptr;

        void Clear();
        bool CollectForWindow(HWND hWnd);
        void MapToWindowClient();
        void MapToWindowRect();
        void PaintRowBackgrounds(CDC& dc);
    };

    static bool& g_bButtonMenuTracking;
    static bool g_bMenuExpanded;
    static bool g_bHelpMenuLoopActive;
    static const UINT g_nMsgTrackButtonMenu;
    static const UINT g_nMsgContinueTrackMenu;

    CExtToolControlBar();
    ~CExtToolControlBar() override;

    // Operations the tool bar adds.
    virtual CRect GetButtonRect(int nIndex, RECT* pRect = nullptr) const;
    virtual bool IsLargeIconsOption() const;
    virtual bool IsTooltipsOption() const;
    virtual bool IsAccelInTooltipsOption() const;
    virtual CExtBarButton* CreateButton(UINT nCmdId, DWORD dwStyle);
    virtual CExtBarContentExpandButton* CreateContentExpandButton();
    virtual bool TrackButtonMenu(int nIndex, bool bKeyboardStyle = false, bool bPost = false, bool bSelectFirst = false);
    virtual bool IsRightToLeftLayout() const;
    virtual bool IsRightToLeftButtonOrder() const;
    virtual void RecalcButtonPositions();
    virtual void CalcInsideRectImpl(CRect& rect, bool bHorz) const;
    virtual CSize CalcLayout(DWORD dwMode, int nLength);
    virtual CSize CalcSize(bool bVertical);
    virtual void WrapToolBar(int nLength, bool bLengthIsHeight);
    virtual int WrapVertical(int nHeight);
    virtual int WrapHorizontal(int nWidth, int nHeight = UNLIMITED_LENGTH);
    virtual CSize GetDefaultButtonSize() const;
    virtual bool IsFitToDockArea() const;
    virtual CFont* GetBarFont(bool bVertical) const;
    virtual int HitTest(CPoint point) const;

    // Overridden platform and bar operations.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    bool IsFullRowBar() const override;
    CSize GetMinimalSize() const override;
    FixedBarPlacement_t* GetFixedBarPlacement() override;
    void SetFixedBarPlacement(const FixedBarPlacement_t& placement) override;
    bool IsFloatingWithCaption() const override;
    void RequestFrameLayout() override;
    bool IsShowContentWhenDragging() const override;
    void SetDragCursor(const POINT& ptClient) override;
    bool CanBeDockedToFrame() const override;
    bool CanBeTabbedWith(CExtControlBar* pBar) const override;
    void ToggleDockedFloating() override;
    int HitTestForHelp(int x, int y) override;

    // Button management.
    bool LoadButtonsFromResource(UINT nResourceId, COLORREF clrMask = RGB(192, 192, 192));
    bool AssignButtonIds(const UINT* pIds, int nCount);
    bool InsertButton(int nIndex = -1, UINT nCmdId = 0, bool bRecalc = true);
    // Inserts a button made by the caller (a colour button, a hosted control's place); the bar
    // owns it from then on, and deletes it when the insertion fails.
    bool InsertSpecButton(int nIndex, CExtBarButton* pButton, bool bRecalc = true);
    bool RemoveButton(int nIndex, bool bRecalc = true);
    void RemoveAllButtons();
    int GetButtonCount() const;
    CExtBarButton* GetButtonByIndex(int nIndex) const;
    int FindButtonIndex(const CExtBarButton* pButton) const;
    UINT GetButtonID(int nIndex) const;
    void SetButtonStyleAt(int nIndex, DWORD dwStyle);
    bool SetButtonMenu(int nIndex, HMENU hMenu, bool bTakeFirstSubmenu = false, bool bOwned = true,
                       bool bRecalc = true);
    bool SetButtonAppendMdiWindows(int nIndex, bool bOn = true);
    void InvalidateButton(int nIndex);
    void UpdateButtonCmdUI(int nIndex);
    int FindButtonByMnemonic(char chUpper) const;
    int FindNextButtonForKeyboard(int nFrom, bool bForward, bool bSkipDisabled) const;
    int GetWrapMode() const;
    CExtBarContentExpandButton* GetContentExpandButton() const { return m_pChevron; }

    // The fixed-column flag: the owner's wrap flags stand, no chevron, text always horizontal.
    bool IsFixedColumn() const;
    void SetFixedColumn(bool bOn = true);
    // Show-bars-submenu flag of the chevron's menu.
    bool IsShowBarsSubmenu() const;
    void SetShowBarsSubmenu(bool bOn = true);
    // The button whose drop-down menu is open, -1 when none.
    int GetMenuTrackingButton() const { return m_nBtnIdxMenuTracking; }
    int GetCapturedButton() const { return m_nBtnIdxCapture; }
    int GetHoverButton() const { return m_nBtnIdxHover; }
    // Buttons were hidden for lack of room by the last position pass.
    bool HasHiddenForLackOfRoom() const { return m_bHiddenForRoom; }

    // Row backgrounds (painted when the paint manager draws a gradient behind bars).
    void CalcRowRects(RowRectsInfo_t* pInfo, CDC* pDC);
    int HitTestImpl(CPoint point, DWORD dwRequiredStyle, DWORD dwExcludedStyle, bool bNearest) const;

    // Mouse and drop-down menus.
    // The hot button follows the point (negative: the cursor); true when the hit changed.
    bool UpdateHoverButton(CPoint point = CPoint(-1, -1));
    void SetTrackingButton(int nIndex);
    // Ends the button-menu tracking of every tool bar and the popup it opened.
    static void CancelAllBarsMenuTracking();
    // Context-help mode with a drop-down open: runs until a click on a bar, a command or a
    // system command gives the help id, or help mode ends (-3).
    int RunHelpMenuLoop();
    // Draws the open button over the popup's edge so that the two look joined.
    static void PaintTrackedButtonCallback(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup,
                                           const RECT* pExcludeArea, int nSide);

protected:
    static constexpr BYTE OPTION_SHOW_BARS_SUBMENU = 0x01;
    static constexpr BYTE OPTION_FIXED_COLUMN = 0x02;
    static constexpr BYTE LAYOUT_FULL_ROW = 0x01;
    static constexpr BYTE LAYOUT_RECURSION_GUARD = 0x02;

    // The button is counted by the layout: not hidden, and not a separator before a hidden one.
    bool IsCountedButton(int nIndex) const;
    // The bar is docked (in a dock bar that is not a floating frame's).
    bool IsDockedNotFloating() const;
    // The layout rectangle of the bar's dock bar, or the parent's client area.
    CRect GetDockAreaRect() const;
    // What CalcInsideRect takes off an empty rectangle, as a positive size.
    CSize GetInsideRectLoss(bool bHorz) const;
    // Stores a layout result in the size records of where the bar is.
    void RememberSize(const CSize& size);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CExtBarContentExpandButton* m_pChevron = nullptr;
    CArray<CExtBarButton*, CExtBarButton*> m_buttons;
    BYTE m_nOptionFlags = OPTION_SHOW_BARS_SUBMENU;
    FixedBarPlacement_t m_placement;
    BYTE m_nLayoutFlags = 0;
    int m_nBtnIdxMenuTracking = -1;
    int m_nBtnIdxCapture = -1;
    int m_nBtnIdxHover = -1;
    bool m_bHiddenForRoom = false;

private:
    // Ends a press without touching the button's other style bits.
    void ReleasePress(int nIndex);
};
