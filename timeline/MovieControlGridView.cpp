#include "timeline/MovieControlGridView.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/UndoManager.h"

#include "ui/core/ExtPopupMenuWnd.h"

#include "platform/mfc/AfxRes.h"
#include "platform/mfc/CmdUI.h"
#include "platform/mfc/MessageBox.h"

#include <algorithm>
#include <new>

IMPLEMENT_DYNCREATE(CMovieControlGridView, CView)

namespace
{
constexpr int FRAME_COLUMNS = 600;
constexpr int COLUMNS_PAST_LAST_FRAME = 100;
constexpr int MAX_FRAME_COLUMNS = 10000;
constexpr int NAME_COLUMN_WIDTH = 150;
constexpr int FRAME_COLUMN_WIDTH = 10;
constexpr int CELL_HEIGHT = 22;
constexpr COLORREF GRID_BACK = 0xC6C6C6;
constexpr COLORREF GRID_LINES = 0xADADAD;
constexpr COLORREF FIFTH_FRAME_BACK = 0xD6D6D6;
constexpr COLORREF ICON_MASK = 0xADADAD;
constexpr int HEADER_FONT_HEIGHT = 13;
constexpr int NAME_FONT_HEIGHT = 15;
constexpr UINT NAME_MARGIN = 5;
constexpr UINT HEADER_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
constexpr UINT NAME_FORMAT = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_LEFT;
constexpr UINT FRAME_FORMAT = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_CENTER;
constexpr int MS_PER_SECOND = 1000;
constexpr int PLAYBACK_TICK_MS = 10;

bool IsShadedColumn(int col)
{
    return col % 5 == 0;
}

// The grid's font at another height.
bool GridFontAt(CGridCtrl& grid, int height, LOGFONTA& lf)
{
    HGDIOBJ hFont = reinterpret_cast<HGDIOBJ>(grid.SendMessage(WM_GETFONT));
    if (!hFont || !::GetObjectA(hFont, sizeof lf, &lf))
        return false;
    lf.lfHeight = height;
    return true;
}
}  // namespace

BEGIN_MESSAGE_MAP(CMovieControlGridView, CView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
    ON_REGISTERED_MESSAGE(CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea, OnDrawPopupLeftArea)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
    ON_COMMAND(ID_TIMELINE_INSERT_KEYFRAME, OnInsertKeyframe)
    ON_COMMAND(ID_TIMELINE_INSERT_BLANK_KEYFRAME, OnInsertBlankKeyframe)
    ON_COMMAND(ID_TIMELINE_INSERT_FRAME, OnInsertFrame)
    ON_COMMAND(ID_TIMELINE_CONVERT_TO_KEYFRAME, OnConvertToKeyframe)
    ON_COMMAND(ID_TIMELINE_CREATE_MOTION_TWEEN, OnCreateMotionTween)
    ON_COMMAND(ID_TIMELINE_REMOVE_MOTION_TWEEN, OnRemoveMotionTween)
    ON_UPDATE_COMMAND_UI(ID_TIMELINE_REMOVE_MOTION_TWEEN, OnUpdateRemoveMotionTween)
    ON_COMMAND(ID_TIMELINE_REMOVE_FRAMES, OnRemoveFrames)
    ON_UPDATE_COMMAND_UI(ID_TIMELINE_REMOVE_FRAMES, OnUpdateRemoveFrames)
    ON_COMMAND(ID_TIMELINE_CLEAR_FRAMES, OnClearFrames)
    ON_UPDATE_COMMAND_UI(ID_TIMELINE_CLEAR_FRAMES, OnUpdateClearFrames)
    ON_COMMAND(ID_TIMELINE_CONVERT_TO_BLANK_KEYFRAME, OnConvertToBlankKeyframe)
    ON_UPDATE_COMMAND_UI(ID_TIMELINE_CONVERT_TO_BLANK_KEYFRAME, OnUpdateConvertToBlankKeyframe)
    ON_COMMAND(ID_TIMELINE_PLAY, OnPlay)
    ON_COMMAND(ID_TIMELINE_REWIND, OnRewind)
    ON_COMMAND(ID_TIMELINE_GO_TO_END, OnGoToEnd)
    ON_COMMAND(ID_TIMELINE_TOUCH_ALL_SHAPES, OnTouchAllShapes)
END_MESSAGE_MAP()

CMovieControlGridView::CMovieControlGridView() = default;

CMovieControlGridView::~CMovieControlGridView()
{
    // Closing the window during a text drag destroys the view inside the grid's drag loop.
    if (m_pGrid)
        m_pGrid.release()->DeleteWhenIdle();
}

CFlashEditorDoc* CMovieControlGridView::GetFlashDocument() const
{
    return dynamic_cast<CFlashEditorDoc*>(GetDocument());
}

BOOL CMovieControlGridView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pGrid && m_pGrid->GetSafeHwnd() && m_pGrid->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMovieControlGridView::OnDraw(CDC* /*pDC*/)
{
    // The grid paints everything. Undo, redo and opening a file repaint the views without a
    // word to the timeline, so a document that now reaches the last column widens it here.
    EnsureFrameColumns();
}

// Layout ------------------------------------------------------------------------------------

void CMovieControlGridView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (m_pGrid)
        return;
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!pDoc)
        return;
    m_pGrid = std::make_unique<CGridCtrl>(pDoc);
    CRect rect;
    GetClientRect(&rect);
    if (!m_pGrid->Create(rect, this, IDC_TIMELINE_GRID, WS_CHILD | WS_VISIBLE | WS_TABSTOP)) {
        m_pGrid.reset();
        return;
    }
    CGridCtrl& grid = *m_pGrid;
    grid.EnableDragAndDrop(TRUE);
    grid.SetGridBkColor(GRID_BACK);
    grid.SetGridLineColor(GRID_LINES);
    grid.SetEditable(FALSE);
    grid.SetRowResize(FALSE);
    grid.SetColumnResize(FALSE);
    for (BOOL fixedRow : {FALSE, TRUE})
        for (BOOL fixedCol : {FALSE, TRUE}) {
            CGridDefaultCell* pCell = grid.GetDefaultCell(fixedRow, fixedCol);
            pCell->SetHeight(CELL_HEIGHT);
            pCell->SetWidth(FRAME_COLUMN_WIDTH);
            pCell->SetMargin(0);
        }
    if (!grid.SetRowCount(pDoc->GetLayerCount() + 1) || !grid.SetColumnCount(FRAME_COLUMNS) ||
        !grid.SetFixedRowCount(1) || !grid.SetFixedColumnCount(1)) {
        AfxMessageBox("Out of memory.");
        return;
    }
    LayOutCells(0, grid.GetRowCount() - 1, 0, grid.GetColumnCount() - 1);
    // The icons come from the application's resources; without them the names show alone.
    if (m_images.Create(IDB_TIMELINE_ICONS, 16, 1, ICON_MASK))
        grid.SetImageList(&m_images);
    EnsureFrameColumns();
    grid.SetCurrentCell(1, 1);
}

void CMovieControlGridView::LayOutCells(int firstRow, int lastRow, int firstCol, int lastCol)
{
    CGridCtrl& grid = *m_pGrid;
    LOGFONTA headerFont{}, nameFont{};
    const bool bFonts = GridFontAt(grid, HEADER_FONT_HEIGHT, headerFont) && GridFontAt(grid, NAME_FONT_HEIGHT, nameFont);
    for (int col = firstCol; col <= lastCol; ++col)
        grid.SetColumnWidth(col, col == 0 ? NAME_COLUMN_WIDTH : FRAME_COLUMN_WIDTH);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int col = firstCol; col <= lastCol; ++col) {
            GRIDITEM item;
            item.row = row;
            item.col = col;
            item.mask = GRIDITEM_TEXT | GRIDITEM_FORMAT;
            if (row == 0) {
                item.format = HEADER_FORMAT;
                if (col == 1 || (col > 0 && IsShadedColumn(col)))
                    item.text.Format("%d", col);
            } else if (col == 0) {
                item.format = NAME_FORMAT;
                item.text.Format("Layer %d", row);
            } else {
                item.format = FRAME_FORMAT;
            }
            grid.SetItem(&item);
            CGridCellBase* pCell = grid.GetCell(row, col);
            if (!pCell)
                continue;
            if (row > 0 && col > 0 && IsShadedColumn(col) && !pCell->HasSpan())
                pCell->SetBackColor(FIFTH_FRAME_BACK);
            if (row == 0 && col > 0) {
                pCell->SetHasSpan(true);
                if (bFonts)
                    pCell->SetFont(&headerFont);
            }
            if (row > 0 && col == 0) {
                if (bFonts)
                    pCell->SetFont(&nameFont);
                pCell->SetMargin(NAME_MARGIN);
            }
        }
    }
    grid.SetModified(FALSE);
}

void CMovieControlGridView::EnsureFrameColumns()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!m_pGrid || !pDoc)
        return;
    const int columns = m_pGrid->GetColumnCount();
    const int lastFrame = pDoc->GetLastFrame();
    if (lastFrame < columns - 1)
        return;
    const int wanted = std::min(MAX_FRAME_COLUMNS, std::max(FRAME_COLUMNS, lastFrame + COLUMNS_PAST_LAST_FRAME));
    if (wanted <= columns || !m_pGrid->SetColumnCount(wanted))
        return;
    LayOutCells(0, m_pGrid->GetRowCount() - 1, columns, wanted - 1);
    m_pGrid->ResetScrollBars();
    m_pGrid->Invalidate();
}

void CMovieControlGridView::RebuildGrid()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!m_pGrid || !pDoc)
        return;
    CGridCtrl& grid = *m_pGrid;
    // Rows are named by position and their frames drawn from the document, so only the rows
    // added or removed change; the scroll bars are set once at the end.
    const int oldRows = grid.GetRowCount();
    grid.AllowRedraw(FALSE);
    while (grid.GetRowCount() <= pDoc->GetLayerCount())
        if (grid.InsertRow("", -1) < 0)
            break;
    while (grid.GetRowCount() > pDoc->GetLayerCount() + 1)
        grid.DeleteRow(grid.GetRowCount() - 1);
    const int firstNew = std::max(1, oldRows);
    for (int row = firstNew; row < grid.GetRowCount(); ++row)
        grid.SetRowHeight(row, CELL_HEIGHT);
    if (firstNew < grid.GetRowCount())
        LayOutCells(firstNew, grid.GetRowCount() - 1, 0, grid.GetColumnCount() - 1);
    grid.AllowRedraw(TRUE);
    grid.ResetScrollBars();
    EnsureFrameColumns();
    grid.Invalidate();
}

void CMovieControlGridView::OnAfterUndo(CUndoStep* /*step*/)
{
    RebuildGrid();
}

void CMovieControlGridView::OnAfterRedo(CUndoStep* /*step*/)
{
    RebuildGrid();
}

void CMovieControlGridView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    // A minimised or empty pane keeps the grid as it was.
    if (m_pGrid && m_pGrid->GetSafeHwnd() && cx > 0 && cy > 0)
        m_pGrid->MoveWindow(0, 0, cx, cy);
}

BOOL CMovieControlGridView::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

// Printing ----------------------------------------------------------------------------------

BOOL CMovieControlGridView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CMovieControlGridView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pGrid)
        m_pGrid->OnBeginPrinting(pDC, pInfo);
}

void CMovieControlGridView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pGrid)
        m_pGrid->OnPrint(pDC, pInfo);
}

void CMovieControlGridView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pGrid)
        m_pGrid->OnEndPrinting(pDC, pInfo);
}

// Frame commands ----------------------------------------------------------------------------

void CMovieControlGridView::RecordStep(const char* name)
{
    if (CFlashEditorDoc* pDoc = GetFlashDocument())
        pDoc->GetUndoManager().AddUndoStep(name, nullptr, true);
}

void CMovieControlGridView::OnInsertKeyframe()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!m_pGrid || !pDoc)
        return;
    const CGridCellId focus = m_pGrid->GetFocusCell();
    CFlashEditorLayer* pLayer = pDoc->GetLayer(focus.row);
    if (!pLayer)
        return;
    if (!pLayer->SplitTweenAtCurrentFrame())
        pLayer->InsertKeyframe(focus.col, true);
    pLayer->RefreshShapes();
    m_pGrid->SetCurrentCell(focus.row, focus.col);
    RecordStep("Insert Keyframe");
    EnsureFrameColumns();
    pDoc->InvalidateViews();
}

void CMovieControlGridView::OnInsertBlankKeyframe()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!m_pGrid || !pDoc)
        return;
    const CGridCellId focus = m_pGrid->GetFocusCell();
    CFlashEditorLayer* pLayer = pDoc->GetLayer(focus.row);
    if (!pLayer)
        return;
    pLayer->InsertKeyframe(focus.col, false);
    RecordStep("Insert Blank Keyframe");
    EnsureFrameColumns();
    pDoc->InvalidateViews();
}

void CMovieControlGridView::OnInsertFrame()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!m_pGrid || !pDoc)
        return;
    const CGridCellRange selection = m_pGrid->GetSelectionRange();
    const CGridCellId focus = m_pGrid->GetFocusCell();
    CFlashEditorLayer* pLayer = nullptr;
    if (selection.IsValid()) {
        pLayer = pDoc->GetLayer(selection.GetMinRow());
        if (pLayer)
            pLayer->InsertFrames(selection.GetMinCol(), selection.GetMaxCol() - selection.GetMinCol() + 1);
    } else if (m_pGrid->IsValid(focus)) {
        pLayer = pDoc->GetLayer(focus.row);
        if (pLayer)
            pLayer->InsertFrames(focus.col, 1);
    }
    if (!pLayer)
        return;
    RecordStep("Insert Frame");
    EnsureFrameColumns();
    pDoc->InvalidateViews();
}

void CMovieControlGridView::OnConvertToKeyframe()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    const CGridCellRange selection = m_pGrid ? m_pGrid->GetSelectionRange() : CGridCellRange();
    if (!pDoc || !selection.IsValid())
        return;
    bool changed = false;
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); ++row) {
        CFlashEditorLayer* pLayer = pDoc->GetLayer(row);
        if (!pLayer)
            continue;
        for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); ++col) {
            const CFlashEditorFrame* span = pLayer->FindSpan(col);
            // Inside a tween the keyframe holds the in-between state, as Insert Keyframe's does.
            if (span && span->GetStartFrame() != col &&
                (pLayer->SplitTweenAt(col) || pLayer->InsertKeyframe(col, true)))
                changed = true;
        }
        pLayer->RefreshShapes();
    }
    if (!changed)
        return;
    RecordStep("Convert to Keyframes");
    pDoc->InvalidateViews();
}

void CMovieControlGridView::OnCreateMotionTween()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    const CGridCellRange selection = m_pGrid ? m_pGrid->GetSelectionRange() : CGridCellRange();
    CFlashEditorLayer* pLayer = pDoc && selection.IsValid() ? pDoc->GetLayer(selection.GetMinRow()) : nullptr;
    if (!pLayer)
        return;
    pLayer->CreateMotionTween(selection.GetMinCol(), selection.GetMaxCol());
    pDoc->InvalidateViews();
    RecordStep("Create Motion Tween");
}

void CMovieControlGridView::OnRemoveMotionTween()
{
    const bool applied = ApplyToSelectedLayers(
        [](CFlashEditorLayer& layer, int first, int last) { layer.RemoveMotionTween(first, last); });
    if (!applied)
        return;
    RecordStep("Remove Motion Tween");
    GetFlashDocument()->InvalidateViews();
}

bool CMovieControlGridView::SelectionHasTween() const
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    const CGridCellRange selection = m_pGrid ? m_pGrid->GetSelectionRange() : CGridCellRange();
    if (!pDoc || !selection.IsValid())
        return false;
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); ++row)
        if (const CFlashEditorLayer* pLayer = pDoc->GetLayer(row))
            for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); ++col)
                if (const CFlashEditorFrame* span = pLayer->FindSpan(col))
                    if (span->IsMotionTween())
                        return true;
    return false;
}

void CMovieControlGridView::OnUpdateRemoveMotionTween(CCmdUI* pCmdUI)
{
    const CFlashEditorDoc* pDoc = GetFlashDocument();
    if (pDoc && pDoc->IsPlaying())
        pCmdUI->Enable(FALSE);
    else if (SelectionHasTween())
        pCmdUI->Enable(TRUE);
}

bool CMovieControlGridView::ApplyToSelectedLayers(const std::function<void(CFlashEditorLayer&, int, int)>& apply)
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    const CGridCellRange selection = m_pGrid ? m_pGrid->GetSelectionRange() : CGridCellRange();
    if (!pDoc || !selection.IsValid())
        return false;
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); ++row)
        if (CFlashEditorLayer* pLayer = pDoc->GetLayer(row))
            apply(*pLayer, selection.GetMinCol(), selection.GetMaxCol());
    return true;
}

void CMovieControlGridView::OnRemoveFrames()
{
    if (!ApplyToSelectedLayers([](CFlashEditorLayer& layer, int first, int last) { layer.RemoveFrames(first, last); }))
        return;
    RecordStep("Remove Frame");
    GetFlashDocument()->InvalidateViews();
}

void CMovieControlGridView::OnUpdateRemoveFrames(CCmdUI* pCmdUI)
{
    const CFlashEditorDoc* pDoc = GetFlashDocument();
    pCmdUI->Enable(FALSE);
    if (!pDoc || pDoc->IsPlaying() || !m_pGrid)
        return;
    const CGridCellRange selection = m_pGrid->GetSelectionRange();
    const CFlashEditorLayer* pLayer = selection.IsValid() ? pDoc->GetLayer(selection.GetMinRow()) : nullptr;
    if (pLayer && pLayer->GetSpanCount() > 1 && selection.GetMinCol() <= pLayer->GetLastFrame())
        pCmdUI->Enable(TRUE);
}

void CMovieControlGridView::OnClearFrames()
{
    if (!ApplyToSelectedLayers([](CFlashEditorLayer& layer, int first, int last) { layer.ClearFrames(first, last); }))
        return;
    GetFlashDocument()->InvalidateViews();
    RecordStep("Clear Frames");
}

void CMovieControlGridView::OnUpdateClearFrames(CCmdUI* pCmdUI)
{
    OnUpdateRemoveMotionTween(pCmdUI);
}

void CMovieControlGridView::OnConvertToBlankKeyframe()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    const CGridCellRange selection = m_pGrid ? m_pGrid->GetSelectionRange() : CGridCellRange();
    if (!pDoc || !selection.IsValid())
        return;
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); ++row) {
        CFlashEditorLayer* pLayer = pDoc->GetLayer(row);
        if (!pLayer)
            continue;
        for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); ++col) {
            CFlashEditorFrame* span = pLayer->FindSpan(col);
            if (!span)
                continue;
            if (span->GetStartFrame() == span->GetEndFrame()) {
                span->Clear();
            } else if (CFlashEditorFrame* made = pLayer->InsertKeyframe(col, false)) {
                made->Clear();
            }
        }
    }
    RecordStep("Convert to Blank Keyframes");
    pDoc->InvalidateViews();
}

void CMovieControlGridView::OnUpdateConvertToBlankKeyframe(CCmdUI* pCmdUI)
{
    const CFlashEditorDoc* pDoc = GetFlashDocument();
    pCmdUI->Enable(!(pDoc && pDoc->IsPlaying()));
}

void CMovieControlGridView::OnTouchAllShapes()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!pDoc)
        return;
    for (int layer = 1; layer <= pDoc->GetLayerCount(); ++layer)
        if (CFlashEditorLayer* pLayer = pDoc->GetLayer(layer))
            pLayer->RefreshShapes();
}

int CMovieControlGridView::FocusRowOrFirst() const
{
    const int row = m_pGrid ? m_pGrid->GetFocusCell().row : -1;
    return row > 0 ? row : 1;
}

void CMovieControlGridView::OnRewind()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!pDoc || !m_pGrid)
        return;
    pDoc->SetCurrentFrame(1);
    m_pGrid->SetCurrentCell(FocusRowOrFirst(), 1);
    m_pGrid->EnsureVisible(FocusRowOrFirst(), 1);
    pDoc->InvalidateViews();
}

void CMovieControlGridView::OnGoToEnd()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!pDoc || !m_pGrid)
        return;
    EnsureFrameColumns();
    // Frames past the widest grid cannot be shown; the last column stands for them.
    const int last = std::clamp(pDoc->GetLastFrame(), 1, m_pGrid->GetColumnCount() - 1);
    m_pGrid->SetCurrentCell(FocusRowOrFirst(), last);
    m_pGrid->EnsureVisible(FocusRowOrFirst(), last);
    pDoc->InvalidateViews();
}

// Playback ----------------------------------------------------------------------------------

void CMovieControlGridView::OnPlay()
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (!pDoc || !m_pGrid || !GetSafeHwnd())
        return;
    const int rate = std::max(1, pDoc->GetFrameRate());
    // The timer only looks at the clock: ticking finer than the frames keeps each frame near
    // its time.
    const UINT_PTR id = reinterpret_cast<UINT_PTR>(this);
    m_nTimerID = SetTimer(id, UINT(std::clamp(MS_PER_SECOND / rate, 1, PLAYBACK_TICK_MS)));
    const CGridCellId focus = m_pGrid->GetFocusCell();
    const int start = m_pGrid->IsValid(focus) && focus.col > 0 ? focus.col : std::max(1, pDoc->GetCurrentFrame());
    m_clock.Start(start, ::GetTickCount(), rate);
    pDoc->SetPlaying(true);
    // The first frame shows at once, not a frame's time later.
    m_pGrid->SetCurrentCell(FocusRowOrFirst(), start);
    pDoc->InvalidateViews();
}

void CMovieControlGridView::StopPlaying()
{
    if (m_nTimerID) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    if (CFlashEditorDoc* pDoc = GetFlashDocument())
        if (pDoc->IsPlaying())
            pDoc->SetPlaying(false);
}

void CMovieControlGridView::OnTimer(UINT_PTR nIDEvent)
{
    CFlashEditorDoc* pDoc = GetFlashDocument();
    if (nIDEvent != reinterpret_cast<UINT_PTR>(this) || !pDoc || !m_pGrid) {
        CView::OnTimer(nIDEvent);
        return;
    }
    const CGridCellId focus = m_pGrid->GetFocusCell();
    const int last = pDoc->GetLastFrame();
    if (focus.col >= last) {
        StopPlaying();
        Invalidate(TRUE);
        pDoc->InvalidateViews();
        return;
    }
    const int frame = std::min(m_clock.Advance(::GetTickCount()), last);
    if (frame == focus.col)
        return;
    m_pGrid->SetCurrentCell(FocusRowOrFirst(), frame);
    pDoc->InvalidateViews();
}

void CMovieControlGridView::OnDestroy()
{
    // A view closed while playing leaves no timer and no playing document behind.
    StopPlaying();
    CView::OnDestroy();
}
