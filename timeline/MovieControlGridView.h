#pragma once
// The timeline pane above the stage: a grid of the document's layers against its frames, the
// frame and tween commands, and playback.
#include "timeline/GridCtrl.h"
#include "timeline/PlaybackClock.h"

#include "model/UndoEvent.h"

#include "resources/timeline/TimelineResources.h"

#include "platform/mfc/ImageList.h"
#include "platform/mfc/View.h"

#include <functional>
#include <memory>

class CFlashEditorLayer;

class CFlashEditorDoc;

// Commands of the timeline; those of its context menu take their numbers from the menu resource.
constexpr UINT ID_TIMELINE_CREATE_MOTION_TWEEN = IDM_TIMELINE_CREATE_MOTION_TWEEN;
constexpr UINT ID_TIMELINE_INSERT_FRAME = IDM_TIMELINE_INSERT_FRAME;
constexpr UINT ID_TIMELINE_REMOVE_FRAMES = IDM_TIMELINE_REMOVE_FRAMES;
constexpr UINT ID_TIMELINE_INSERT_KEYFRAME = IDM_TIMELINE_INSERT_KEYFRAME;
constexpr UINT ID_TIMELINE_INSERT_BLANK_KEYFRAME = IDM_TIMELINE_INSERT_BLANK_KEYFRAME;
constexpr UINT ID_TIMELINE_CLEAR_FRAMES = IDM_TIMELINE_CLEAR_FRAMES;
constexpr UINT ID_TIMELINE_CONVERT_TO_KEYFRAME = IDM_TIMELINE_CONVERT_TO_KEYFRAME;
constexpr UINT ID_TIMELINE_CONVERT_TO_BLANK_KEYFRAME = IDM_TIMELINE_CONVERT_TO_BLANK_KEYFRAME;
constexpr UINT ID_TIMELINE_REMOVE_MOTION_TWEEN = IDM_TIMELINE_REMOVE_MOTION_TWEEN;
constexpr UINT ID_TIMELINE_INSERT_LAYER = IDM_TIMELINE_INSERT_LAYER;
constexpr UINT ID_TIMELINE_REMOVE_LAYER = IDM_TIMELINE_REMOVE_LAYER;
constexpr UINT ID_TIMELINE_PLAY = 32838;
constexpr UINT ID_TIMELINE_REWIND = 32839;
constexpr UINT ID_TIMELINE_GO_TO_END = 32840;
constexpr UINT ID_TIMELINE_TOUCH_ALL_SHAPES = 32843;

constexpr UINT IDC_TIMELINE_GRID = 100;

class CMovieControlGridView : public CView, public CUndoEvent
{
    DECLARE_DYNCREATE(CMovieControlGridView)
public:
    CMovieControlGridView();
    ~CMovieControlGridView() override;

    CFlashEditorDoc* GetFlashDocument() const;
    CGridCtrl* GetGrid() const { return m_pGrid.get(); }
    // Brings the rows in step with the document's layers and lays their cells out again.
    void RebuildGrid();
    // Widens the grid when the document reaches its last column: 600 columns, or the last frame
    // plus 100, at most 10,000.
    void EnsureFrameColumns();
    bool IsPlaying() const { return m_nTimerID != 0; }


    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    void OnAfterUndo(CUndoStep* step) override;
    void OnAfterRedo(CUndoStep* step) override;

    afx_msg void OnInsertKeyframe();
    afx_msg void OnInsertBlankKeyframe();
    afx_msg void OnInsertFrame();
    afx_msg void OnConvertToKeyframe();
    afx_msg void OnCreateMotionTween();
    afx_msg void OnRemoveMotionTween();
    afx_msg void OnUpdateRemoveMotionTween(CCmdUI* pCmdUI);
    afx_msg void OnRemoveFrames();
    afx_msg void OnUpdateRemoveFrames(CCmdUI* pCmdUI);
    afx_msg void OnClearFrames();
    afx_msg void OnUpdateClearFrames(CCmdUI* pCmdUI);
    afx_msg void OnConvertToBlankKeyframe();
    afx_msg void OnUpdateConvertToBlankKeyframe(CCmdUI* pCmdUI);
    afx_msg void OnPlay();
    afx_msg void OnRewind();
    afx_msg void OnGoToEnd();
    afx_msg void OnTouchAllShapes();
    // Offers the frame and layer commands over the grid; a keyboard request (-1, -1) opens the
    // menu at the focus cell.
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    // Paints the menu's left band; lParam points to the device context and the band's rectangle.
    afx_msg LRESULT OnDrawPopupLeftArea(WPARAM wParam, LPARAM lParam);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Texts, formats, shading and fonts of the cells of rows [firstRow, lastRow] and columns
    // [firstCol, lastCol].
    void LayOutCells(int firstRow, int lastRow, int firstCol, int lastCol);
    void RecordStep(const char* name);
    // Calls apply with each existing layer of the selected rows and the selected columns, as
    // first and last frame; false (nothing called) without a document or a selection.
    bool ApplyToSelectedLayers(const std::function<void(CFlashEditorLayer&, int, int)>& apply);
    // Whether a span holding a selected frame of a selected layer is tweened.
    bool SelectionHasTween() const;
    void StopPlaying();
    int FocusRowOrFirst() const;
    // Where a keyboard-opened context menu shows: the focus cell, else the selection's first
    // cell, else the grid's corner, in screen coordinates.
    CPoint ContextMenuAnchor() const;

    std::unique_ptr<CGridCtrl> m_pGrid;
    CImageList m_images;
    UINT_PTR m_nTimerID = 0;
    CPlaybackClock m_clock;
};
