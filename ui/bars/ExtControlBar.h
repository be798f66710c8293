#pragma once
// The framework's docking bar: one window docked in a row of a frame's dock bar, floating in a
// floating frame, nested or tabbed inside another bar, or placed in a dialog. It draws its own
// caption and splitters, negotiates its size inside its row, raises the bar context-menu events
// and is found by frame-level operations through one process-wide registry of bars.
#include "platform/mfc/Afx.h"
#include "ui/core/ExtMouseCaptureSink.h"

class CExtBarNcAreaButton;
class CExtPopupMenuWnd;
class CExtDynDockMarkerWnd;
class CExtDockBar;
class CExtMiniDockFrameWnd;
class CExtDynControlBar;
class CExtDynTabControlBar;
class CDockState;

namespace ExtBarDetail
{
struct RowSpan;
}

class CExtControlBar : public CControlBar, public CExtMouseCaptureSink
{
    DECLARE_DYNAMIC(CExtControlBar)
public:
    // Dock-bar ids of the frame's sides and of a floating frame's dock bar.
    static constexpr UINT DOCKBAR_TOP = 0xE81B;
    static constexpr UINT DOCKBAR_LEFT = 0xE81C;
    static constexpr UINT DOCKBAR_RIGHT = 0xE81D;
    static constexpr UINT DOCKBAR_BOTTOM = 0xE81E;
    static constexpr UINT DOCKBAR_FLOAT = 0xE81F;
    // The style bits the bar keeps: the CBRS_ bits of the low word and the gripper bit.
    static constexpr DWORD STYLE_KEPT_MASK = 0x40FFFF;
    static constexpr DWORD STYLE_GRIPPER = 0x400000;
    // Right-to-left extended styles the bar never keeps (WS_EX_LAYOUTRTL, WS_EX_RTLREADING).
    static constexpr DWORD EXSTYLE_RTL_MASK = 0x402000;
    // Timer that repaints the whole bar with its frame and children at once.
    static constexpr UINT_PTR TIMER_FULL_REDRAW = 0x1005;
    // The bar's window class.
    static constexpr const char* WINDOW_CLASS_NAME = "DadeZAD-ControlBar";

    // Placement record of a fixed-size bar inside an outer dock bar's row.
    struct FixedBarPlacement_t
    {
        DWORD m_dwHasPlacement; // non-zero when the record holds a placement
        RECT m_rcPreferred;
        SIZE m_sizePreferred;
        DWORD m_dwPriority; // starts at 1

        FixedBarPlacement_t();
        FixedBarPlacement_t(const FixedBarPlacement_t& other);
        FixedBarPlacement_t& operator=(const FixedBarPlacement_t& other);
        bool IsEmpty() const;
        void Reset();
        void Serialize(CArchive& ar);
    };

    // The occasion of a bar context or options menu, sent twice to the frame through
    // g_nMsgConstructPopupMenu: before the framework fills the menu and after.
    struct POPUP_MENU_EVENT_DATA
    {
        // Event kinds.
        static constexpr SHORT DOCKBAR_CTX = 0;
        static constexpr SHORT CONTROLBAR_CTX = 1;
        static constexpr SHORT CONTROLBAR_NC_CTX = 2;
        static constexpr SHORT STATUSBAR_CTX = 3;
        static constexpr SHORT AUTOHIDESLIDER_CTX = 4;
        static constexpr SHORT MINIFRAME_NC_CTX = 5;
        static constexpr SHORT MENUBAR_CTX = 6;
        static constexpr SHORT MDITABS_CTX = 7;
        static constexpr SHORT AUTOHIDETABS_CTX = 8;
        static constexpr SHORT DYNCBCTABS_CTX = 9;
        static constexpr SHORT NCBTNMENU_TOP = 10;
        static constexpr SHORT NCBTNMENU_BARS = 11;
        static constexpr SHORT CONTROLBAR_NCBTNMENU_TOP = 12;
        static constexpr SHORT CONTROLBAR_NCBTNMENU_BARS = 13;
        static constexpr SHORT CONTROLBAR_NCBTNMENU_BARS_LIST = 14;

        POPUP_MENU_EVENT_DATA(SHORT nEventKind, CExtPopupMenuWnd* pPopupMenu, CWnd* pSrcWnd, const POINT& ptScreen,
                              UINT nSrcMessage, CObject* pExtra = nullptr);
        virtual ~POPUP_MENU_EVENT_DATA() = default;
        // Kinds whose framework content is the bar list.
        virtual bool IsBarsListMenu() const;
        // Sends the record to the target frame; true when the frame answered non-zero.
        virtual bool NotifyTargetFrame(bool bPostNotification);
        static POPUP_MENU_EVENT_DATA* PassThroughArgument(WPARAM wParam);

        SHORT m_nEventKind;
        CExtPopupMenuWnd* m_pPopupMenu;
        CWnd* m_pSrcWnd;
        UINT m_nSrcMessage;
        CObject* m_pExtra;
        CFrameWnd* m_pTargetFrame;
        bool m_bPostNotification : 1;
        POINT m_ptScreen;
    };

    // The WPARAM record of g_nMsgQueryRepositionCalcEffect.
    struct REPOSITION_QUERY_DATA
    {
        static constexpr WORD KIND_MASK = 0x000F;
        static constexpr WORD KIND_NORMAL = 0;
        static constexpr WORD KIND_QUERY = 1;
        static constexpr WORD KIND_EXTRA = 2;
        static constexpr WORD FLAG_EXCLUDED = 0x0010;

        REPOSITION_QUERY_DATA(UINT nKind, CWnd* pWndParent, UINT nIdFirst, UINT nIdLast, UINT nIdLeftOver,
                              AFX_SIZEPARENTPARAMS* pLayout, RECT* pRectParam, bool bStretch);
        bool IsQueryPass() const;
        bool IsExcluded() const;
        void SetExcluded(bool bExcluded);

        WORD m_wFlags;
        CWnd* m_pWndParent;
        UINT m_nIdFirst;
        UINT m_nIdLast;
        UINT m_nIdLeftOver;
        AFX_SIZEPARENTPARAMS* m_pLayout;
        RECT* m_pRectParam;
        bool m_bStretch;
    };

    // Drag and bar-state types, defined by the owners of those parts in their own headers.
    class InternalDraggingState_t;
    struct InternalDockStateBar;
    struct InternalDockStateSite;
    struct OuterItemData_t;

    CExtControlBar();
    ~CExtControlBar() override;

    // Overridden platform operations.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PreSubclassWindow() override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    void DelayShow(BOOL bShow) override;

    // Own operations, in the order derived bars rely on.
    virtual bool InsertIntoBarsMenu(CExtPopupMenuWnd* pPopup);
    virtual void OnBarHook(LPARAM lParam);
    virtual bool CreateBarWindow(LPCSTR lpszCaption, CWnd* pParentWnd, UINT nID, DWORD dwStyle);
    virtual bool IsDockSiteInPrintPreview();
    virtual bool IsShownOrShow();
    virtual bool IsFixedSizeBar() const;
    virtual bool IsFixedSizeMode() const;
    virtual bool QueryGripper(bool* pbAlongTop, bool* pbShown);
    virtual void ShowBar(bool bShow, bool bDelay, bool bOption);
    virtual bool GetHideOption() const;
    virtual void DrawClientBackground(CDC& dc, const RECT& rc);
    virtual bool IsFullRowBar() const;
    virtual int GetMinimalWidth() const;
    virtual int GetMinimalHeight() const;
    virtual CSize GetMinimalFloatingSize() const;
    virtual CSize GetMinimalSize() const;
    virtual FixedBarPlacement_t* GetFixedBarPlacement();
    virtual void SetFixedBarPlacement(const FixedBarPlacement_t& placement);
    virtual void ApplyFixedBarPlacement();
    virtual void ResetFixedBarPlacement();
    virtual bool IsFloatingWithCaption() const;
    virtual void RequestFrameLayout();
    virtual void RecalcNonClient();
    virtual bool IsShowContentWhenDragging() const;
    virtual bool IsShowContentWhenRowResizing() const;
    virtual bool IsShowContentWhenRowRecalcing() const;
    virtual void FitChildToClient(int cx, int cy, bool bRepaint);
    virtual void RowResizingStart();
    virtual void RowResizingStop(bool bCancel);
    virtual void RowResizingUpdateState();
    virtual void RowRecalcingStart();
    virtual void RowRecalcingStop(bool bCancel);
    virtual void RowRecalcingUpdateState();
    virtual bool IsInRowSplitterActive();
    virtual bool IsLeadSplitterActive();
    virtual void DrawRowResizeTracker(bool bErase);
    virtual void DrawRowRecalcTracker(bool bErase);
    virtual bool NestBarBeside(CExtControlBar* pBar, UINT nSide, int nPercent);
    virtual bool ApplyDragResult(InternalDraggingState_t& state, bool bFinal);
    virtual void BeginDrag(const POINT& ptScreen, const POINT& ptGrabOffset, int nThresholdX, int nThresholdY);
    virtual void EndDrag(bool bCancel);
    virtual void DragStep(const POINT& ptScreen, bool bForceFloat);
    virtual void OnDragStart();
    virtual void OnDragStop(LPARAM lReserved, InternalDraggingState_t* pState, bool bCancel);
    virtual void SetDragCursor(const POINT& ptClient);
    virtual bool IsDockedInFrameOnly() const;
    virtual bool CanBeDockedToFrame() const;
    virtual bool CanBeTabbedWith(CExtControlBar* pBar) const;
    virtual bool CanDockBeside(CExtControlBar* pBar) const;
    virtual CWnd* GetTabbedGroupContainer() const;
    virtual void ToggleVisibility(bool bAllowHide);
    virtual void UpdateToggleCmdUI(CCmdUI* pCmdUI, bool bOption);
    virtual CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    virtual void ToggleDockedFloating();
    virtual bool FloatAt(int x, int y, DWORD dwStyle);
    virtual void DockToFrameSide(UINT nSideId, bool bInner, CFrameWnd* pFrame = nullptr, bool bRecalc = true);
    virtual bool DockNextToBar(int nPercent, CExtControlBar* pTarget, UINT nSide, CFrameWnd* pFrame = nullptr,
                               bool bRecalc = true);
    virtual bool DockBarBesideThis(CExtControlBar* pBar, bool bAlongRow, bool bSecond, CFrameWnd* pFrame = nullptr,
                                   bool bRecalc = true);
    virtual bool DockIntoDockBar(UINT nSideId, UINT nRing, CFrameWnd* pFrame = nullptr, bool bRecalc = true);
    virtual bool DockIntoTabbedGroup(CExtControlBar* pBar, int nTabIndex = -1, CFrameWnd* pFrame = nullptr,
                                     bool bRecalc = true);
    virtual bool CanAutoHide() const;
    virtual bool CanBeMovedToAutoHide() const;
    virtual void GetCaptionText(LPARAM lReserved, CString& sText) const;
    virtual void GetCaptionTextRect(RECT& rc) const;
    virtual void CreateNcButtons();
    virtual void LayoutNcButtons();
    virtual int HitTestForHelp(int x, int y);
    virtual bool OnMouseMoveTracking(UINT nFlags, CPoint point);

    // Non-client area and caption buttons.
    UINT HitTestNcButtons(int xScreen, int yScreen, CExtBarNcAreaButton** ppButton);
    void PaintNcButtons(CDC& dc);
    // The bar is visible, resizable and the only such bar in its floating frame.
    bool IsSingleVisibleInFloatingFrame() const;

    // Row layout and resizing.
    CSize GetDesiredSize(bool bHorz, bool bStretch);
    bool IsCollapsedInRow() const;
    void ExpandInRow();
    void ReclaimRowExtent();
    void MakeRoomInRow();
    void MoveToOwnRow();
    static void MoveRowPastRow(CControlBar* pBar, CControlBar* pReference);
    bool IsSingleVisibleInRow(bool bFixedOnly, bool bFilter) const;
    bool IsFirstVisibleInRow(bool bResizableOnly) const;
    bool IsLastVisibleInRow(bool bResizableOnly) const;
    CExtControlBar* GetLastBarOfRow() const;
    void GetRowInfo(CArray<CExtControlBar*, CExtControlBar*>& arrBars, RECT* pRcUnion = nullptr,
                    int* pIndex = nullptr, bool* pbHasResizable = nullptr, bool* pbFull = nullptr) const;
    void GetAdjacentRowInfo(bool bNext, CArray<CExtControlBar*, CExtControlBar*>& arrBars, RECT* pRcUnion = nullptr,
                            int* pIndex = nullptr, bool* pbHasResizable = nullptr, bool* pbFull = nullptr) const;
    void GetRowInfoAt(CArray<CExtControlBar*, CExtControlBar*>& arrBars, int nRow, RECT* pRcUnion = nullptr,
                      int* pIndex = nullptr, bool* pbHasResizable = nullptr, bool* pbFull = nullptr) const;
    static void RelayoutDockBar(CFrameWnd* pFrame, CDockBar* pDockBar);

    // Context-menu protocol.
    static bool BuildFrameBarsMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, SHORT nEventKind, CWnd* pSrcWnd,
                                   UINT nSrcMessage, CObject* pExtra);

    // Frame-level operations.
    static bool ToggleFrameBar(CFrameWnd* pFrame, UINT nBarId, bool bOption);
    static void UpdateFrameBarToggleUI(CFrameWnd* pFrame, CCmdUI* pCmdUI, bool bOption);
    static void SetFrameStatusMessage(CWnd* pWnd, UINT nId);
    static bool IsFrameInHelpMode(CWnd* pWnd);
    static bool IsFrameInPrintPreview(CFrameWnd* pFrame);
    static bool IsFrameOleInPlaceActive(CFrameWnd* pFrame);
    bool IsDockSiteOleInPlaceActive();
    static void RepositionFrameBars(CWnd* pWndParent, UINT nIdFirst, UINT nIdLast, UINT nIdLeftOver, UINT nKind,
                                    RECT* pRectParam, const RECT* pRectClient, bool bStretch);
    static bool InstallFrameAutoHideAreas(CFrameWnd* pFrame);
    static bool PreTranslateChildBarsMessage(CWnd* pWndDialog, MSG* pMsg);
    static void UpdateChildBarsCmdUI(CWnd* pWndDialog, bool bDisableIfNoHandler);
    bool UpdateCmdUINow(bool bDisableIfNoHandler);
    void FloatAtLastPosition(DWORD dwFlags);
    void MoveFocusToFrame();
    CFrameWnd* GetDockSiteOrFrame() const;
    static CWnd* GetTopLevelNonChild(CWnd* pWnd);
    UINT GetDockBarId() const;
    bool IsDockedAtTopOrBottom() const;
    bool IsDockedAtLeftOrRight() const;
    bool IsDockedAtBottom() const;
    bool IsDockedAtLeft() const;
    bool IsDockedAtRight() const;
    bool IsDockedAtSide() const;
    bool IsInFloatingFrame() const;
    static CExtControlBar* GetDraggedBar();
    // The docking style in force: the override when set, else the paint manager's.
    static int GetEffectiveDockingStyle();

    // Frame docking set-up and rings (bodies with the dock bars).
    static bool InstallFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle = CBRS_ALIGN_ANY,
                                    bool bUseFrameworkFloatingFrames = true);
    static bool InstallFrameDockingImpl(CFrameWnd* pFrame, DWORD dwDockStyle, bool bUseFrameworkFloatingFrames);
    static bool RefreshControlContainerFlags(CWnd* pWnd);
    // The frame has an auto-hide area on the dock bar's side.
    static bool HasAutoHideArea(CDockBar* pDockBar);

    // The registry of bars.
    static void QueryFrameBars(CExtControlBar* pExcludeBar, CFrameWnd* pFrame,
                               CArray<CExtControlBar*, CExtControlBar*>& arrBars, DWORD dwFilter, POINT ptScreen);

    // Filter bits of QueryFrameBars.
    static constexpr DWORD QFB_FIXED = 0x1;
    static constexpr DWORD QFB_RESIZABLE_COLLAPSED = 0x2;
    static constexpr DWORD QFB_RESIZABLE = 0x4;
    static constexpr DWORD QFB_KIND_MASK = 0x7;
    static constexpr DWORD QFB_DOCKED_TOP = 0x8;
    static constexpr DWORD QFB_DOCKED_BOTTOM = 0x10;
    static constexpr DWORD QFB_DOCKED_LEFT = 0x20;
    static constexpr DWORD QFB_DOCKED_RIGHT = 0x40;
    static constexpr DWORD QFB_DOCKED_MASK = 0x78;
    static constexpr DWORD QFB_FLOATING = 0x80;
    static constexpr DWORD QFB_IS_VISIBLE = 0x100;
    static constexpr DWORD QFB_IS_NOT_VISIBLE = 0x200;
    static constexpr DWORD QFB_VISIBILITY_MASK = 0x300;
    static constexpr DWORD QFB_WND_VISIBLE = 0x400;
    static constexpr DWORD QFB_WND_HIDDEN = 0x800;
    static constexpr DWORD QFB_WND_VISIBILITY_MASK = 0xC00;
    static constexpr DWORD QFB_ALL = 0xFFF;
    static constexpr DWORD QFB_FIRST_UNDER_POINT = 0x8000;
    static constexpr DWORD QFB_POINT_IN_CLIENT = 0x10000;
    static constexpr DWORD QFB_POINT_IN_CAPTION = 0x20000;
    static constexpr DWORD QFB_POINT_MASK = 0xF7FF8000;

    // Dragging and drop analysis
    // The current and the previous drop proposal of the running drag.
    static InternalDraggingState_t g_DragStateOld;
    static InternalDraggingState_t g_DragStateNew;
    struct TrackedArea_t;
    // Timer that runs the drag step while the mouse rests.
    static constexpr UINT_PTR TIMER_DRAG_STEP = 0x1004;
    static constexpr UINT DRAG_STEP_PERIOD_MS = 50;
    // Drop targets: the first visible, not collapsed resizable bar under the cursor that floats,
    // or that is docked on any side.
    static constexpr DWORD QUERY_FLOATING_TARGET = 0x8584;
    static constexpr DWORD QUERY_DOCKED_TARGET = 0x857C;
    // The frame the drag docks into: the dock site, or the frame above a floating frame.
    CFrameWnd* GetDragFrame() const;
    // The floating rectangle that keeps the floating grab offset under the cursor.
    CRect CalcFloatingTrackRect(CPoint pt) const;
    // Fills the state with what a release at pt would do.
    // ptLast is where the previous step had the cursor.
    void AnalyzeDrop(InternalDraggingState_t& state, CPoint pt, bool bForceFloat, CPoint ptLast);
    static bool IsCtrlDown();
    static void BuildOuterMarkers(CFrameWnd* pFrame, bool bShow);
    static void UpdateInnerMarkers(CFrameWnd* pFrame, bool bShow);
    static HWND FindBarInContainerAt(CExtDynControlBar* pContainer, POINT ptScreen);

protected:
    // Waits until the cursor leaves the threshold box around the start; false when something
    // else ended the wait (the capture is then released).
    bool WaitForDragThreshold(CPoint ptStart, int nThresholdX, int nThresholdY);
    void RunDragLoop();
    // The feedback of a proposal; drawing it again erases it.
    void DrawDragFeedback(const InternalDraggingState_t& state);
    void AnalyzeDropResizable(InternalDraggingState_t& state, CPoint pt, bool bForceFloat);
    void AnalyzeDropFixed(InternalDraggingState_t& state, CPoint pt, bool bForceFloat, CPoint ptLast);
    // A docking marker under the cursor decides alone; false when there is none.
    bool AnalyzeMarkerDrop(InternalDraggingState_t& state, CPoint pt);
    // The bands over a target bar (rcTarget: its window or floating frame); true when one took it.
    bool AnalyzeTargetBands(InternalDraggingState_t& state, CPoint pt, CExtControlBar* pTarget, const CRect& rcTarget,
                            bool bFloatingTarget, int nMinW, int nMinH);
    void AnalyzeFrameEdges(InternalDraggingState_t& state, CPoint pt, CFrameWnd* pFrame);
    bool AnalyzeClientArea(InternalDraggingState_t& state, CPoint pt, CFrameWnd* pFrame, bool bStyle1);
    void AnalyzeDockedTarget(InternalDraggingState_t& state, CPoint pt, CFrameWnd* pFrame, int nMinW, int nMinH);

public:

    // Docking operations and containers
    static bool SetAutoHideMode(CExtControlBar* pBar, bool bAutoHide, bool bReserved, bool bRecalc,
                                bool bCloseSlider);
    // Shows or hides the container a bar sits in with the bar; from WM_SHOWWINDOW and the
    // visibility operations.
    static void SyncContainerVisibility(CExtControlBar* pBar);
    // Shows the bar and each hidden container that holds it, up to the dock site: the user sees
    // it afterwards.
    void ShowWithContainers();
    // A container holding the bar, at any depth, is hidden.
    bool IsHiddenByContainer() const;
    // Shown, with no hide pending.
    bool IsShownNow() const;
    // The container whose dock bar holds this bar; null when none does.
    CExtControlBar* HoldingContainer() const;
    // The bar FloatAt is moving; the visibility synchronisation leaves it alone.
    static CExtControlBar* g_pBarBeingFloated;

    // Bar-state records
    // The frame's bar layout in the registry of the current user; FALSE leaves the stored layout
    // (saving) or the frame's layout (loading) as it was. A frame without command profile has none.
    static bool LoadFrameBarState(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProductName,
                                  LPCSTR lpszProfileName, WINDOWPLACEMENT* pFrameWp = nullptr, bool bFixedBars = true,
                                  bool bResizableBars = true);
    static bool SaveFrameBarState(CFrameWnd* pFrame, LPCSTR lpszRegistryKey, LPCSTR lpszProductName,
                                  LPCSTR lpszProfileName, WINDOWPLACEMENT* pFrameWp = nullptr, bool bFixedBars = true,
                                  bool bResizableBars = true);
    static bool SerializeFrameBarState(CArchive& ar, CFrameWnd* pFrame, WINDOWPLACEMENT* pFrameWp = nullptr,
                                       bool bFixedBars = true, bool bResizableBars = true);
    static void BuildBarStateKeyPath(LPCSTR lpszProductName, LPCSTR lpszRegistryKey, LPCSTR lpszProfileName,
                                     CString& strOut);
    // Re-applies the fixed-size part of a loaded layout: the platform's dock state and the items.
    static void ApplyFrameDockState(CFrameWnd* pFrame, const CDockState& state,
                                    const CArray<OuterItemData_t, OuterItemData_t&>& outerItems);
    // The frame's bar state is being saved or loaded (*pbLoading tells which).
    static bool IsFrameBarStateBusy(CFrameWnd* pFrame, bool* pbLoading = nullptr);

    // Bar flags.
    bool m_bCaptionAlongTop : 1;
    bool m_bEraseBackground : 1;
    bool m_bInDialog : 1;
    bool m_bTakesPartInLayout : 1;
    bool m_bClosing : 1;
    bool m_bListedInBarsMenu : 1;
    bool m_bFixedSize : 1;
    bool m_bBarFlagReserved : 1;

    int m_nCaptionHeight;
    int m_nCaptionWidth;
    int m_nSplitterHeight;
    int m_nSplitterWidth;
    int m_nNcWidth;
    int m_nNcHeight;
    int m_nTrackPos;
    int m_nTrackValue;
    CSize m_sizeDockedHorz;
    CSize m_sizeDockedVert;
    CSize m_sizeFloating;
    CRect m_rcCaption;
    CRect m_rcRowSplitter;
    CRect m_rcInRowSplitter;
    CRect m_rcLeadSplitter;

    // Tracking flags.
    bool m_bRowResizing : 1;
    bool m_bRowRecalcing : 1;
    bool m_bDragging : 1;
    bool m_bFitChildToClient : 1;
    bool m_bNoSizeHandling : 1;

    int m_nReclaimExtent;
    CPoint m_ptFloatPos;
    CPoint m_ptGrabFloating;
    CPoint m_ptGrabDockedHorz;
    CPoint m_ptGrabDockedVert;

    // State flags.
    bool m_bCaptionActive : 1;
    bool m_bTrackingLeadSplitter : 1;
    bool m_bNcButtonHover : 1;
    bool m_bAutoHidden : 1;

    CPoint m_ptLastDragPos;
    CArray<CExtBarNcAreaButton*, CExtBarNcAreaButton*> m_arrNcButtons;

    // Process-wide data of the bar family.
    static CArray<CExtControlBar*, CExtControlBar*> g_AllBars;
    static CCriticalSection g_csBars;
    static HCURSOR g_hCursorArrow;
    static HCURSOR g_hCursorDrag;
    static HCURSOR g_hCursorResizeV;
    static HCURSOR g_hCursorResizeH;
    static CMap<UINT, UINT, DWORD, DWORD> g_DockBarInfo;
    static CMapPtrToWord g_mapFramesBarStateBusy;
    static CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*> g_arrOuterMarkers;
    static CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*> g_arrInnerMarkers;
    // -1: the paint manager's docking style; any other value replaces it.
    static int g_nDockingStyleOverride;
    static bool g_bHideOption;

    // Registered messages of the bar classes.
    static const UINT g_nMsgQueryRepositionCalcEffect;
    static const UINT g_nMsgQueryIcon;
    static const UINT g_nMsgPutToPopupMenu;
    static const UINT g_nMsgConstructPopupMenu;
    static const UINT g_nMsgCreateTabbedBar;
    static const UINT g_nMsgDrawTackedArea;

protected:
    // Message handlers.
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnDisplayChange(UINT nBitsPerPixel, int cx, int cy);
    afx_msg LRESULT OnThemeChanged();
    DECLARE_MESSAGE_MAP()

    // Deletes every caption button, each through its own delete operation.
    void DeleteNcButtons();
    // The filter tests of QueryFrameBars after the frame test, for one bar.
    bool PassesQueryFilter(DWORD dwFilter, const POINT& ptScreen);
    // The cursor hint of the running drag's current proposal.
    static int DragCursorHint();
    // Right button on the bar: the bar-list menu of the given kind.
    void HandleBarContextMenu(SHORT nEventKind, UINT nMessage);
    // An auto-hidden bar's tab is selected, which slides the bar out, and the slider takes the
    // focus; nothing while the slider shows the bar already.
    void SlideOutFromArea();
    // The modal loop both resizes run until their tracking flag clears.
    void RunResizeLoop(bool bRowResize);
    // The minimal extent along the bar's row.
    int GetMinimalExtent() const;
    // The bar's extent and thickness in its row.
    int GetRowExtent() const;
    void SetRowExtent(int nExtent);
    int GetRowThickness() const;
    void SetRowThickness(int nThickness);

private:
    // Which of the four edge strips a docked resizable bar may have.
    struct SplitterEdges
    {
        bool bLeft = true;
        bool bTop = true;
        bool bRight = true;
        bool bBottom = true;
    };
    SplitterEdges QuerySplitterEdges() const;
    // The bar directly follows a fixed-size bar with a resizable bar earlier in its row.
    bool HasLeadSplitter() const;
    // Lays the bar's row out when the bar is the row's first visible resizable bar.
    void LayoutRow(CDockBar* pDockBar, bool bHorz, int nAvail);
    // Spreads a difference of extent over the row's resizable bars, a pixel at a time.
    static void SpreadRowExtent(CArray<CExtControlBar*, CExtControlBar*>& arrResizable, int nDiff,
                                int nMaxThickness);
    static void PlaceRow(CDockBar* pDockBar, const ExtBarDetail::RowSpan& row, bool bHorz);
    // The next (nStep 1) or previous (-1) visible bar of the row; with bResizableOnly only
    // resizable bars count; a foreign bar answers this bar.
    CExtControlBar* NeighbourInRow(int nStep, bool bResizableOnly) const;
    void CollectRow(const ExtBarDetail::RowSpan& row, CArray<CExtControlBar*, CExtControlBar*>& arrBars,
                    RECT* pRcUnion, bool* pbHasResizable, bool* pbFull) const;
    bool IsSplitterActiveTowards(int nStep) const;
    // Takes up to nWanted pixels from the row's other resizable bars, one from each in turn.
    int TakeExtentFromRow(int nWanted);
    // Resizing steps.
    int FirstResizableThicknessOfRow() const;
    void SetRowThicknessOfRow(int nThickness);
    void GetRecalcTrackerLimits(int& nLower, int& nUpper) const;
    void GiveExtentToNeighbour(int nValue);
    void DrawTrackerBand(const CRect& rcScreen, bool bErase);
};
