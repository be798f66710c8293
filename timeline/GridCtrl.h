#pragma once
// The grid window of the timeline: a table of cells with fixed header rows and columns that
// scrolls in pixels, paints off-screen and, given a document, shows its layers against frames.
#include "timeline/GridCellBase.h"
#include "timeline/GridCellId.h"
#include "timeline/GridCellRange.h"
#include "timeline/GridDefaultCell.h"
#include "timeline/GridDropTarget.h"
#include "timeline/GridItem.h"
#include "timeline/TitleTip.h"

#include "platform/mfc/Font.h"
#include "platform/mfc/Wnd.h"

#include <map>
#include <vector>

class CFlashEditorDoc;
class CImageList;
class COleDataObject;
class COleDataSource;
class CPrintInfo;

constexpr char GRIDCTRL_CLASSNAME[] = "ZGridCtrl";

// Notifications to the parent (WM_NOTIFY codes).
constexpr int GRIDN_SELCHANGING = -100;
constexpr int GRIDN_SELCHANGED = -101;
constexpr int GRIDN_BEGINEDIT = -105;
constexpr int GRIDN_ENDEDIT = -106;
constexpr int GRIDN_BEGINDRAG = -109;
constexpr int GRIDN_CACHEHINT = -113;
constexpr int GRIDN_GETDISPINFO = -150;

// Control id of the in-place edit.
constexpr UINT IDC_GRID_INPLACE_EDIT = 8;
constexpr UINT GRID_AUTOSCROLL_TIMER = 513;

// Grid-line modes.
constexpr int GRID_LINES_NONE = 0;
constexpr int GRID_LINES_HORZ = 1;
constexpr int GRID_LINES_VERT = 2;
constexpr int GRID_LINES_BOTH = 3;

// Automatic sizing styles.
constexpr UINT GRID_AUTOSIZE_HEADER = 1;
constexpr UINT GRID_AUTOSIZE_DATA = 2;
constexpr UINT GRID_AUTOSIZE_BOTH = 3;

// The record of most notifications: the cell concerned.
struct NM_GRID
{
    NMHDR hdr;
    int row;
    int col;
};

// The end of an in-place edit: the cell, its new text and the key that ended the edit.
struct NM_GRIDEDIT
{
    NMHDR hdr;
    int row;
    int col;
    LPCSTR text;
    UINT key;
};

// A virtual-mode display request, or (with the range only) a cache hint.
struct NM_GRIDDISPINFO
{
    NMHDR hdr;
    GRIDITEM item;
};

struct NM_GRIDCACHEHINT
{
    NMHDR hdr;
    CGridCellRange range;
};

using GRIDCALLBACK = BOOL (*)(GRIDITEM* pItem, LPARAM lParam);
using GRIDCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

class CGridCtrl : public CWnd
{
    DECLARE_DYNCREATE(CGridCtrl)
public:
    // What the mouse is doing; kept from a press to its release.
    enum MouseMode
    {
        MOUSE_NOTHING = 0,
        MOUSE_SELECT_ALL = 1,
        MOUSE_SELECT_COL = 2,
        MOUSE_SELECT_ROW = 3,
        MOUSE_SELECT_CELLS = 4,
        MOUSE_OVER_ROW_DIVIDE = 6,
        MOUSE_SIZING_ROW = 7,
        MOUSE_OVER_COL_DIVIDE = 8,
        MOUSE_SIZING_COL = 9,
        MOUSE_PREPARE_EDIT = 10,
        MOUSE_PREPARE_DRAG = 11,
        MOUSE_DRAGGING = 12,
    };

    explicit CGridCtrl(CFlashEditorDoc* pDoc = nullptr, int nRows = 0, int nCols = 0, int nFixedRows = 0,
                       int nFixedCols = 0);
    ~CGridCtrl() override;
    // Deletes the grid once no message of its own is being handled: a text drag's loop runs
    // inside a mouse message and may outlive the window and its owner.
    void DeleteWhenIdle();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    CFlashEditorDoc* GetDocument() const { return m_pDocument; }
    void SetDocument(CFlashEditorDoc* pDoc) { m_pDocument = pDoc; }

    // Size.
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int nRows);
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL SetFixedColumnCount(int nFixedCols);
    int InsertRow(LPCSTR strHeading, int nRow = -1);
    BOOL DeleteRow(int nRow);
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetRowHeight(int nRow, int nHeight);
    BOOL SetColumnWidth(int nCol, int nWidth);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualWidth() const;
    long GetVirtualHeight() const;

    // Cells.
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsValid(const CGridCellId& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CGridCellRange& range) const;
    CGridCellBase* GetCell(int nRow, int nCol) const;
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const;
    void SetCellClass(CRuntimeClass* pClass) { m_pRtcDefault = pClass; }
    BOOL SetItem(const GRIDITEM* pItem);
    BOOL SetItemText(int nRow, int nCol, LPCSTR str);
    CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL IsCellEditable(int nRow, int nCol) const;

    // Settings.
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    void EnableDragAndDrop(BOOL bAllow = TRUE) { m_bAllowDragAndDrop = bAllow; }
    void SetListMode(BOOL bEnableListMode = TRUE);
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL bSing = TRUE) { m_bSingleRowSelection = bSing; }
    void SetSingleColSelection(BOOL bSing = TRUE) { m_bSingleColSelection = bSing; }
    void SetFixedRowSelection(BOOL bSelect = TRUE) { m_bFixedRowSelection = bSelect; }
    void EnableSelection(BOOL bEnable = TRUE);
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetRowResize(BOOL bResize = TRUE) { m_bAllowRowResize = bResize; }
    void SetColumnResize(BOOL bResize = TRUE) { m_bAllowColumnResize = bResize; }
    void SetHeaderSort(BOOL bSortOnClick = TRUE) { m_bSortOnClick = bSortOnClick; }
    void SetHandleTabKey(BOOL bHandleTab = TRUE) { m_bHandleTabKey = bHandleTab; }
    void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffer = bBuffer; }
    void EnableTitleTips(BOOL bEnable = TRUE) { m_bTitleTips = bEnable; }
    void SetGridLines(int nWhichLines = GRID_LINES_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    void SetTrackFocusCell(BOOL bTrack) { m_bTrackFocusCell = bTrack; }
    BOOL GetTrackFocusCell() const { return m_bTrackFocusCell; }
    void SetFrameFocusCell(BOOL bFrame) { m_bFrameFocus = bFrame; }
    BOOL GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetAutoSizeStyle(UINT nStyle) { m_nAutoSizeColumnStyle = nStyle; }
    void SetVirtualMode(BOOL bVirtual);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GRIDCALLBACK pCallback, LPARAM lParam);
    void SetImageList(CImageList* pList) { m_pImageList = pList; }
    CImageList* GetImageList() const { return m_pImageList; }
    void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridLineColor(COLORREF clr) { m_crGridLineColour = clr; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetTitleTipColors(COLORREF text, COLORREF back);
    void SetShadedPrintOut(BOOL bEnable = TRUE) { m_bShadedPrintOut = bEnable; }
    BOOL GetShadedPrintOut() const { return m_bShadedPrintOut; }
    void SetPrintScreenSize(BOOL bScreen) { m_bPrintScreenSize = bScreen; }
    void AllowRedraw(BOOL bAllow) { m_bAllowDraw = bAllow; }
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL GetSortAscending() const { return m_bAscending; }
    int GetMouseMode() const { return m_MouseMode; }
    // Rows scrolled per wheel notch (-1: a page per notch).
    int GetWheelScrollLines() const { return m_nRowsPerWheelNotch; }
    // The system's wheel setting as the grid uses it: 0 to 100 lines, or -1 for page scrolling;
    // anything else gives 3.
    static int ReadWheelScrollLines();
    static int ParseWheelScrollLines(LPCSTR text);

    // Geometry.
    BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p);
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetCellRect(const CGridCellId& cell, LPRECT pRect) { return GetCellRect(cell.row, cell.col, pRect); }
    CGridCellId CellAtPoint(CPoint point, BOOL bAllowFixedCellCheck = TRUE);
    CGridCellId GetFirstScrollableCell();
    CGridCellRange GetVisibleScrollableRange(LPRECT pRect = nullptr);
    BOOL IsCellVisible(int nRow, int nCol);
    BOOL IsCellVisible(const CGridCellId& cell) { return IsCellVisible(cell.row, cell.col); }
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CGridCellId& cell) { EnsureVisible(cell.row, cell.col); }

    // Painting.
    // Asks the next paint to draw the cell again.
    BOOL RedrawCell(int nRow, int nCol);
    BOOL RedrawCell(const CGridCellId& cell) { return RedrawCell(cell.row, cell.col); }
    void ResetScrollBars();
    void Refresh();

    // Focus and selection.
    CGridCellId SetFocusCell(int nRow, int nCol);
    CGridCellId SetFocusCell(const CGridCellId& cell) { return SetFocusCell(cell.row, cell.col); }
    CGridCellId GetFocusCell() const { return m_idCurrentCell; }
    // Makes the cell the document's current frame and layer, then the focus cell.
    void SetCurrentCell(int nRow, int nCol);
    void SelectRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE,
                     BOOL bSelectCells = TRUE);
    void SelectRange(const CGridCellRange& range, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void SelectAllCells();
    void SelectColumns(CGridCellId currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectRows(CGridCellId currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectCells(CGridCellId currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void ExtendSelection(CGridCellId cell);
    void ClearSelection();
    CGridCellRange GetSelectionRange() const;
    BOOL IsCellSelected(int nRow, int nCol) const;
    int GetSelectedCount() const { return int(m_SelectedCellMap.size()); }
    void OnLayerCellClick(int nRow, int nCol, int x, int y);

    // Sorting and sizing.
    BOOL SortRows(GRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0, int low = -1, int high = -1);
    BOOL SortRowsByText(int nCol, BOOL bAscending);
    BOOL AutoSizeColumn(int nCol, UINT nAutoSizeStyle = GRID_AUTOSIZE_BOTH, BOOL bResetScroll = TRUE);
    BOOL AutoSizeRow(int nRow, BOOL bResetScroll = TRUE);

    // Clipboard, drag and drop, editing, printing.
    virtual void ClearSelectedTexts();
    virtual COleDataSource* MakeTextDataSource();
    virtual BOOL PasteTextAt(int nRow, int nCol, COleDataObject* pDataObject, BOOL bSelect);
    virtual void BeginTextDrag();
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintHeaderCells(CDC* pDC, int nFirstRow, int nLastRow, int nFirstCol, int nLastCol, int x, int y);
    virtual void PrintColumnHeaderBand(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintRowHeaderBand(CDC* pDC, CPrintInfo* pInfo);
    virtual CImageList* CreateDragImage(CPoint* pHotSpot);
    virtual void OnHeaderColumnClick(CGridCellId /*cell*/) {}
    virtual void OnHeaderRowClick(CGridCellId cell);
    virtual void BeginCellEdit(int nRow, int nCol, CPoint point, UINT nChar);
    virtual void FinishCellEdit(int nRow, int nCol, LPCSTR str);
    virtual BOOL AcceptEditedText(int nRow, int nCol, LPCSTR str);
    virtual void EndCurrentEdit();
    virtual void DrawGrid(CDC* pDC);
    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);

    // Sets a cell's text as an edit would, asking the parent and the cell first.
    BOOL ApplyCellText(int nRow, int nCol, LPCSTR str);
    // The text the grid's copy and drag offer for the selected range ("" without one).
    CString GetSelectedText() const;
    // Registers the drop target; done on the first WM_SIZE.
    BOOL RegisterDropTarget();

    // The window that hears the grid's notifications: its owner, else its parent.
    CWnd* GetNotifyTarget() const;
    // Sends a notification with the cell to the parent.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;

protected:
    void PreSubclassWindow() override;

    // The timeline flags and layer marks of the visible rows from the document.
    void UpdateTimelineStates(int nFirstRow, int nLastRow);
    void DrawTimelineOverlay(CDC* pDC, const CGridCellRange& visible, int nFixedWidth, int nFixedHeight);
    // The rows and columns of a printed page (counted from 0), and the width left for columns.
    void FindPrintPage(int nPage);
    int PrintPageWidth() const;
    // Whether the frame cell ends its span (its right edge gets the span's dark line).
    bool IsLastFrameOfSpan(int nRow, int nCol) const;
    void SendCacheHintToParent(const CGridCellRange& range) const;
    void ResetSelectedRange();
    CGridCellId GetTopLeftNonFixedCell(BOOL bForceRecalculation = FALSE);
    int RowsInPage(int nFirstRow, int nHeight) const;
    void HandleKey(UINT nChar, BOOL bShift, BOOL bCtrl);
    void ScrollLines(int nBar, UINT nSBCode);
    BOOL MouseOverRowResizeArea(CPoint point);
    BOOL MouseOverColumnResizeArea(CPoint point);
    void InvertTrackingLine(CPoint point);
    BOOL IsVisibleVScroll() const { return (m_nBarState & SB_VERT_BIT) != 0; }
    BOOL IsVisibleHScroll() const { return (m_nBarState & SB_HORZ_BIT) != 0; }
    void EnableScrollBars(int nBar, BOOL bEnable);
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE);
    BOOL SetScrollPos32(int nBar, int nPos);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    static constexpr int SB_HORZ_BIT = 1;
    static constexpr int SB_VERT_BIT = 2;

    CFlashEditorDoc* m_pDocument;

    COLORREF m_crGridBkColour;
    COLORREF m_crGridLineColour;
    COLORREF m_crWindowText;
    COLORREF m_crWindowColour;
    COLORREF m_cr3DFace;
    COLORREF m_crShadow;
    COLORREF m_crTTipBackClr = GRID_DEFAULT_COLOR;
    COLORREF m_crTTipTextClr = GRID_DEFAULT_COLOR;

    BOOL m_bVirtualMode = FALSE;
    LPARAM m_lParam = 0;
    GRIDCALLBACK m_pfnCallback = nullptr;

    int m_nGridLines = GRID_LINES_BOTH;
    BOOL m_bEditable = TRUE;
    BOOL m_bAllowDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bSingleColSelection = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bFixedRowSelection = TRUE;
    BOOL m_bSortOnClick = FALSE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;
    int m_nBarState = 0;
    BOOL m_bPrintScreenSize = FALSE;
    BOOL m_bAllowColHide = TRUE;
    BOOL m_bAllowRowHide = TRUE;
    BOOL m_bHiddenColUnhide = TRUE;
    BOOL m_bHiddenRowUnhide = TRUE;
    BOOL m_bTrackFocusCell = TRUE;
    BOOL m_bFrameFocus = TRUE;
    UINT m_nAutoSizeColumnStyle = GRID_AUTOSIZE_BOTH;

    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    std::vector<int> m_arRowHeights;
    std::vector<int> m_arColWidths;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;

    CRuntimeClass* m_pRtcDefault;
    CGridDefaultCell m_cellDefault;
    CGridDefaultCell m_cellFixedColDef;
    CGridDefaultCell m_cellFixedRowDef;
    CGridDefaultCell m_cellFixedRowColDef;

    CFont m_PrinterFont;
    CImageList* m_pImageList = nullptr;

    std::vector<std::vector<CGridCellBase*>> m_RowData;

    int m_MouseMode = MOUSE_NOTHING;
    BOOL m_bLMouseButtonDown = FALSE;
    BOOL m_bRMouseButtonDown = FALSE;
    CPoint m_LeftClickDownPoint;
    CPoint m_LastMousePoint;

    CGridCellId m_LeftClickDownCell;
    CGridCellId m_SelectionStartCell;
    CGridCellId m_idCurrentCell;
    CGridCellId m_idTopLeftCell;

    UINT_PTR m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bAllowColumnResize = TRUE;
    int m_nRowsPerWheelNotch;
    // Wheel movement not yet worth a row (fine-grained wheels send less than a notch).
    int m_nWheelRemainder = 0;

    std::map<DWORD, CGridCellId> m_SelectedCellMap;
    std::map<DWORD, CGridCellId> m_PrevSelectedCellMap;

    CTitleTip m_TitleTip;
    CGridCellId m_LastDragOverCell;
    CGridDropTarget m_DropTarget;

    // Printing state.
    CSize m_CharSize;
    int m_nPageHeight = 0;
    CSize m_LogicalPageSize;
    CSize m_PaperSize;
    int m_nPrintColumn = 0;
    int m_nPrintLastCol = -1;
    int m_nCurrPrintRow = 0;
    int m_nPrintLastRow = -1;
    int m_nPrintGridTop = 0;
    int m_nNumPages = 0;
    int m_nPageMultiplier = 1;
    CSize m_PrinterResolution;
    int m_nHeaderHeight = 2;
    int m_nFooterHeight = 2;
    int m_nLeftMargin = 4;
    int m_nRightMargin = 4;
    int m_nTopMargin = 1;
    int m_nBottomMargin = 1;
    int m_nGap = 1;

    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;
    GRIDCOMPARE m_pfnCompare = nullptr;
    BOOL m_bShadedPrintOut = TRUE;

    CPoint m_ptTrackLast;
    int m_nResizingIndex = -1;
    BOOL m_bInSize = FALSE;
    BOOL m_bInPreSubclass = FALSE;
    int m_nMessageDepth = 0;
    bool m_bDeleteWhenIdle = false;

    friend class CGridDropTarget;
};
