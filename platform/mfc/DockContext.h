#pragma once
// What a docking bar needs while it is dragged or floated: the outline drag that docks or floats
// it, the resize of a floating bar, and where it was last docked and floated.
#include "platform/mfc/Point.h"
#include "platform/mfc/Rect.h"
#include "platform/mfc/Size.h"

#include <windows.h>

class CControlBar;
class CDC;
class CDockBar;
class CFrameWnd;

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Outline drag from pt (screen): docks where the outline snaps, floats elsewhere; Ctrl keeps
    // it floating, Escape or a right click cancels.
    virtual void StartDrag(CPoint pt);
    // Resize of a floating bar from its border nHitTest (HTLEFT..HTBOTTOM).
    virtual void StartResize(int nHitTest, CPoint pt);
    // Docks a floating bar where it was last docked, floats a docked one where it last floated.
    virtual void ToggleDocking();

    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CRect m_rectDragHorz;       // the outline docked at the top or bottom
    CRect m_rectDragVert;       // docked at the left or right
    CRect m_rectFrameDragHorz;  // floating, horizontal
    CRect m_rectFrameDragVert;  // floating, vertical

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle = 0;     // the sides the bar may dock at
    DWORD m_dwOverDockStyle = 0; // the side under the outline now, 0 floating
    DWORD m_dwStyle = 0;         // the bar's style when the drag began
    BOOL m_bFlip = FALSE;        // Shift: the other orientation
    BOOL m_bForceFrame = FALSE;  // Ctrl: never dock
    CDC* m_pDC = nullptr;
    BOOL m_bDragging = FALSE;
    int m_nHitTest = 0;

    UINT m_uMRUDockID = 0;       // the dock bar the bar was last docked in
    CRect m_rectMRUDockPos;      // its place there (dock-bar client coordinates)
    DWORD m_dwMRUFloatStyle = 0; // its style when last floating
    CPoint m_ptMRUFloatPos;      // the top-left corner of its last floating frame

    CRect m_rectRequestedSize;
    CRect m_rectActualSize;
    CRect m_rectActualFrameSize;
    CRect m_rectFrameBorders;

protected:
    void InitLoop();
    void CancelLoop();
    // The loop of a drag or resize; FALSE when it was cancelled. A WM_QUIT ends it and is posted again.
    BOOL Track();
    void Move(CPoint pt);
    void Stretch(CPoint pt);
    void EndDrag();
    void EndResize();
    void OnKey(int nChar, BOOL bDown);
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    void UpdateState(BOOL* pFlag, BOOL bNewValue);
    // The side the outline would dock at now (CBRS_ALIGN_ bits), 0 when it floats.
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
};
