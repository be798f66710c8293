#pragma once
// What every grid cell knows and does: state, timeline marks, drawing and printing. The cell
// data itself (text, colours, font...) lives in CGridCell.
#include "platform/mfc/Object.h"
#include "platform/mfc/Point.h"
#include "platform/mfc/Rect.h"
#include "platform/mfc/Size.h"

#include <windows.h>

class CDC;
class CFont;
class CGridCtrl;
class CGridDefaultCell;
class CWnd;

// Cell state bits.
constexpr UINT GCS_FOCUSED = 0x01;
constexpr UINT GCS_SELECTED = 0x02;
constexpr UINT GCS_DROPHILITED = 0x04;
constexpr UINT GCS_READONLY = 0x08;
constexpr UINT GCS_FIXED = 0x10;
constexpr UINT GCS_FIXEDROW = 0x20;
constexpr UINT GCS_FIXEDCOL = 0x40;
constexpr UINT GCS_MODIFIED = 0x80;

// Timeline flags of a frame cell, worked out from the document on every paint.
constexpr UINT TLF_SPANSTART = 0x01;
constexpr UINT TLF_SPANEND = 0x02;
constexpr UINT TLF_CONTENT = 0x04;
constexpr UINT TLF_TWEEN = 0x08;
constexpr UINT TLF_TWEENSTART = 0x10;
constexpr UINT TLF_TWEENJOIN = 0x20;
constexpr UINT TLF_TWEENBROKEN = 0x40;

// Marks a colour, format or margin as "take the default cell's".
constexpr COLORREF GRID_DEFAULT_COLOR = 0xFF000000;
constexpr UINT GRID_DEFAULT_VALUE = 0xFFFFFFFF;

// Images of the grid's image list that the layer cells show.
constexpr int GRID_IMAGE_EYE = 0;
constexpr int GRID_IMAGE_LOCK = 1;
constexpr int GRID_IMAGE_OUTLINE = 2;
constexpr int GRID_IMAGE_CROSS = 3;
constexpr int GRID_IMAGE_DOT = 4;

constexpr COLORREF TIMELINE_SPAN_BACK = RGB(255, 255, 255);
// Tweened frames are pink.
constexpr COLORREF TIMELINE_TWEEN_BACK = RGB(0xFF, 0xCC, 0xCC);
constexpr COLORREF TIMELINE_CONTENT_BACK = 0xF0F0F0;

class CGridCellBase : public CObject
{
    DECLARE_DYNAMIC(CGridCellBase)
public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;

    virtual void SetText(LPCSTR szText) = 0;
    virtual void SetImage(int nImage) = 0;
    virtual void SetData(LPARAM lParam) = 0;
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD nFormat) = 0;
    virtual void SetTextColor(COLORREF clr) = 0;
    virtual void SetBackColor(COLORREF clr) = 0;
    virtual void RestoreBackColor() = 0;
    virtual void SetFont(const LOGFONTA* plf) = 0;
    virtual void SetMargin(UINT nMargin) = 0;
    virtual void SetGrid(CGridCtrl* pGrid) = 0;
    virtual void SetPosition(int nRow, int nCol) = 0;

    virtual LPCSTR GetText() const = 0;
    virtual LPCSTR GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextColor() const = 0;
    virtual COLORREF GetBackColor() const = 0;
    virtual const LOGFONTA* GetFont() const = 0;
    virtual CFont* GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual CWnd* GetEditWindow() const = 0;
    virtual UINT GetMargin() const = 0;
    virtual CGridDefaultCell* GetDefaultCell() const;

    virtual BOOL IsDefaultFont() const = 0;
    virtual BOOL IsEditing() const = 0;
    virtual BOOL IsFocused() const { return (GetState() & GCS_FOCUSED) != 0; }
    virtual BOOL IsFixed() const { return (GetState() & GCS_FIXED) != 0; }
    virtual BOOL IsFixedColumn() const { return (GetState() & GCS_FIXEDCOL) != 0; }
    virtual BOOL IsFixedRow() const { return (GetState() & GCS_FIXEDROW) != 0; }
    virtual BOOL IsSelected() const { return (GetState() & GCS_SELECTED) != 0; }
    virtual BOOL IsReadOnly() const { return (GetState() & GCS_READONLY) != 0; }
    virtual BOOL IsModified() const { return (GetState() & GCS_MODIFIED) != 0; }
    virtual BOOL IsDropHighlighted() const { return (GetState() & GCS_DROPHILITED) != 0; }

    virtual void CopyFrom(const CGridCellBase& cell);
    virtual void Reset() { m_nState = 0; }

    // Draws the cell into the inclusive rectangle rect (left, top, right, bottom).
    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    virtual BOOL GetTextRect(LPRECT pRect);
    virtual BOOL GetTipRect(LPRECT pRect) { return GetTextRect(pRect); }
    virtual CSize GetTextExtent(LPCSTR str, CDC* pDC = nullptr);
    virtual CSize GetContentExtent(CDC* pDC);

    virtual BOOL Edit(int /*nRow*/, int /*nCol*/, CRect /*rect*/, CPoint /*point*/, UINT /*nID*/, UINT /*nChar*/)
    {
        return FALSE;
    }
    virtual BOOL AcceptEditedText(LPCSTR /*szText*/) { return TRUE; }
    virtual void EndEdit() {}
    virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);
    virtual void OnEndEdit() {}
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint /*pointCellRelative*/) {}
    virtual void OnPress(CPoint /*pointCellRelative*/) {}
    virtual void OnRightClick(CPoint /*pointCellRelative*/) {}
    virtual void OnDoubleClick(CPoint /*pointCellRelative*/) {}
    virtual BOOL OnSetCursor();

    // Timeline marks. A cell inside a frame span shows white; outside it shows its own
    // background again, however often either was set.
    void SetHasSpan(bool bHasSpan);
    bool HasSpan() const { return m_bHasSpan; }
    void SetTimelineFlags(UINT nFlags) { m_nTimelineFlags = nFlags; }
    UINT GetTimelineFlags() const { return m_nTimelineFlags; }
    void SetLayerVisible(bool bVisible) { m_bLayerVisible = bVisible; }
    void SetLayerLocked(bool bLocked) { m_bLayerLocked = bLocked; }
    bool IsLayerVisible() const { return m_bLayerVisible; }
    bool IsLayerLocked() const { return m_bLayerLocked; }

protected:
    // Keyframe dots, span-end squares and tween lines inside rect (the text area), with nLeft
    // and nRight the cell's own edges; then the layer icons of a fixed-column cell.
    void DrawTimelineMarks(CDC* pDC, const CRect& rect, int nLeft, int nRight);
    void DrawLayerIcons(CDC* pDC, const CRect& rect);
    void DrawSortArrow(CDC* pDC, CRect& rect);

    DWORD m_nState = 0;
    bool m_bHasSpan = false;
    bool m_bLayerVisible = true;
    bool m_bLayerLocked = false;
    UINT m_nTimelineFlags = 0;
};
