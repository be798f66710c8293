#pragma once
// A popup menu that shows a palette of 40 colour cells instead of items, optionally with a
// "Default Color" button above and a "Custom Color ..." button below. Moving over a cell
// previews its colour, choosing reports it, and the custom button asks the owner for a colour
// dialog; all three reach the owner as posted registered messages.
#include "ui/core/ExtPopupMenuWnd.h"

class CExtPopupColorMenuWnd : public CExtPopupMenuWnd
{
    DECLARE_DYNAMIC(CExtPopupColorMenuWnd)
public:
    static constexpr int COLUMNS = 8;
    static constexpr int ROWS = 5;
    static constexpr int CELL_COUNT = COLUMNS * ROWS;
    static constexpr int CELL_SIZE = 16;
    static constexpr int CELL_PITCH = 20;
    // Hot-index values besides the cells.
    static constexpr int HOT_NONE = -1;
    static constexpr int HOT_DEFAULT = -4;
    static constexpr int HOT_CUSTOM = -5;
    // Button flags.
    static constexpr BYTE BUTTON_DEFAULT = 0x01;
    static constexpr BYTE BUTTON_CUSTOM = 0x02;
    // Stored through the result pointer when the custom button was chosen.
    static constexpr COLORREF CUSTOM_CHOSEN = 0xFFFFFFFEu;
    static constexpr UINT IDS_CUSTOM_CAPTION = 30010;
    static constexpr UINT IDS_DEFAULT_CAPTION = 30011;

    struct PaletteEntry
    {
        COLORREF clr;
        LPCSTR lpszName;
    };
    static const PaletteEntry g_palette[CELL_COUNT];

    // Posted to the notify target with the cookie as LPARAM.
    static const UINT g_nMsgNotifyColorChanged;         // WPARAM the previewed colour
    static const UINT g_nMsgNotifyColorChangedFinally;  // WPARAM the chosen colour
    static const UINT g_nMsgNotifyCustColor;            // WPARAM 0

    // The metrics the palette is laid out with, and what comes of them: rectangles relative to
    // the menu rectangle's top-left corner, before the left band.
    struct LayoutInput
    {
        int nBorder;
        int nShadow;
        int nSeparator;
        int nTextHeight;
        int nDefaultCaptionWidth;
        int nCustomCaptionWidth;
        bool bDefault;
        bool bCustom;
    };
    struct Layout
    {
        CSize sizeContent;
        RECT rcDefault;  // empty when not shown
        RECT rcCustom;
        int nCellsTop;   // top of the first row
    };
    static Layout ComputeLayout(const LayoutInput& in);
    // Cell i of a palette whose first row starts at nCellsTop.
    static RECT CellRect(int nCell, int nBorder, int nCellsTop);

    CExtPopupColorMenuWnd();

    // Nothing while another notification is being posted. Final stores the colour through the
    // result pointer; the custom button stores CUSTOM_CHOSEN and asks for the dialog.
    void NotifyColor(bool bFinal);
    int GetHotIndex() const { return m_nHotIndex; }
    int GetSelectedIndex() const { return m_nSelectedIndex; }
    // Client rectangles once the window exists: a cell, HOT_DEFAULT or HOT_CUSTOM.
    bool GetPartRect(int nPart, RECT* pRect) const;
    // The part under the client point: a cell, HOT_DEFAULT, HOT_CUSTOM or HOT_NONE.
    int HitTestPart(CPoint point) const;

    // A result pointer is kept only while StartTracking waits: a caller's variable dies with it.
    bool StartTracking(UINT nTrackFlags, int x, int y, const RECT* pExclude = nullptr, LPVOID pCookie = nullptr,
                       OpenSidePainter pfnPainter = nullptr, UINT* pResultCmdId = nullptr,
                       bool bCookieGiven = false) override;
    bool IsEveryItemHidden() const override { return false; }
    bool HasOwnContent() const override { return true; }
    bool CreatePopupWindow(CWnd* pWndOwner) override;
    int HitTestItem(CPoint point) const override;
    bool HandleMouseMove(UINT message, CPoint point, bool* pPassThrough) override;
    bool HandleMouseClick(UINT message, CPoint point, bool* pPassThrough) override;
    bool HandleKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags, bool* pPassThrough) override;
    bool CanOpenAsSubmenu() const override;
    CSize MeasureContent() const override;
    bool EndsMenuFromOpeningItem(bool bByKeyboard) const override;
    // Reports the chosen colour (the initial one, else the default one) as final.
    void OnChosenFromOpeningItem() override;

    HWND m_hWndNotifyTarget = nullptr;  // null: the command target
    LPARAM m_lParamCookie = 0;
    COLORREF* m_pClrResult = nullptr;
    COLORREF m_clrDefault = RGB(0, 0, 0);
    COLORREF m_clrInitial = static_cast<COLORREF>(-1);
    BYTE m_nButtonFlags = BUTTON_DEFAULT | BUTTON_CUSTOM;
    CString m_sDefaultCaption;
    CString m_sCustomCaption;

protected:
    void PaintMenuItems(CDC& dc) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr BYTE NOTIFY_BUSY = 0x01;

    Layout MeasureLayout() const;
    // The notify target, else the command target; null when that window is gone.
    HWND GetNotifyTarget() const;
    // Stores a final colour through the result pointer and posts the preview or final notice.
    void ReportColor(COLORREF clr, bool bFinal);
    // The hot part changed: repaint, preview, and show or hide the cell's tip.
    void SetHotIndex(int nIndex, bool bShowTip);
    void MoveHotCell(UINT nKey);
    CPoint PartOffset() const;

    RECT m_rcDefault = {};
    RECT m_rcCustom = {};
    int m_nCellsTop = 0;
    int m_nHotIndex = HOT_NONE;
    int m_nSelectedIndex = HOT_NONE;
    BYTE m_nNotifyFlags = 0;
};
