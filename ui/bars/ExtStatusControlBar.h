#pragma once
// The frame's status bar drawn by the paint manager: panes, borders, separators and the size
// gripper, indicator panes sized from their texts, the frame's bars menu on a right click, pane
// tooltips and child windows placed inside panes. The common status control never paints.
#include "platform/mfc/Array.h"
#include "platform/mfc/Map.h"
#include "platform/mfc/StatusBar.h"

class CExtStatusControlBar : public CStatusBar
{
    DECLARE_DYNCREATE(CExtStatusControlBar)
public:
    // Drawing flags.
    static constexpr BYTE DRAW_PANE_ZERO_BORDER = 0x01;
    static constexpr BYTE DRAW_BY_FRAMEWORK = 0x02;
    static constexpr BYTE DRAW_SEPARATORS = 0x04;
    static constexpr BYTE DRAW_HIDE_DISABLED_TEXT = 0x08;
    static constexpr BYTE DRAW_NO_PANE_ICONS = 0x10;
    static constexpr UINT DEFAULT_TEXT_FORMAT = DT_SINGLELINE | DT_VCENTER;

    // What a pane id adds to its pane: its DrawText format and tooltip.
    struct _ED_
    {
        UINT m_nDrawTextFormat = DEFAULT_TEXT_FORMAT;
        CString m_strTipText;
    };
    // A window shown inside the pane of an id.
    struct _STATUSBAR_PANE_CTRL_
    {
        HWND m_hWnd = nullptr;
        UINT m_nID = 0;
        bool m_bAutoDestroy = false;
    };

    CExtStatusControlBar();
    ~CExtStatusControlBar() override;

    // Panes for the ids (0 the stretching message pane, others sized from their string); the
    // panes' texts are the strings, empty when missing.
    bool SetupIndicatorPanes(const UINT* pIndicators, int nCount);
    void RefreshColors();
    bool GetPaneInfoEx(int nIndex, AFX_STATUSPANE* pInfo) const;
    UINT GetPaneIdAt(int nIndex) const;
    UINT GetPaneDrawTextFormat(int nIndex) const;
    CString GetPaneTipText(int nIndex) const;

    // Pane extras and controls, by pane id.
    void SetPaneDrawTextFormat(UINT nID, UINT nDrawTextFormat);
    void SetPaneTipText(UINT nID, LPCSTR lpszTipText);
    // The window moves into the pane at every size change; false for a window already placed.
    bool AddPaneControl(HWND hWnd, UINT nID, bool bAutoDestroy);
    // Hides the window of the id (destroying it when asked at adding) and forgets it.
    bool RemovePaneControl(UINT nID);

    BYTE GetDrawingFlags() const { return m_nDrawingFlags; }
    void SetDrawingFlags(BYTE nFlags) { m_nDrawingFlags = nFlags; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }

    virtual int HitTestPane(POINT ptScreen) const;
    virtual void DrawBackground(CDC* pDC, const RECT& rc);
    virtual void OnPaintPaneBackground(CDC* pDC, int nIndex, const RECT& rc);
    virtual void DrawPane(CDC* pDC, int nIndex, const RECT& rc, UINT nStyle, HICON hIcon, LPCSTR lpszText,
                          UINT nDrawTextFormat);
    virtual COLORREF GetPaneTextColor(int nIndex) const;
    virtual bool IsSizeGripperVisible() const;
    virtual void DrawSizeGripper(CDC* pDC, const RECT& rc);
    virtual void DrawPaneSeparator(CDC* pDC, int nIndex, const RECT& rcPrevious, const RECT& rc);

    void DrawBorders(CDC* pDC, CRect& rect) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    bool m_bGuard = false;
    CMap<UINT, UINT, _ED_, _ED_> m_mapPaneExtras;
    BYTE m_nDrawingFlags = DRAW_BY_FRAMEWORK | DRAW_HIDE_DISABLED_TEXT;
    UINT m_nDefaultDrawTextFormat = DEFAULT_TEXT_FORMAT;
    COLORREF m_clrBackground = static_cast<COLORREF>(-1);
    COLORREF m_clrPaneText = 0;
    COLORREF m_clrPaneTextDisabled = 0;
    CArray<_STATUSBAR_PANE_CTRL_*, _STATUSBAR_PANE_CTRL_*> m_arrPaneControls;

private:
    bool IsFrameworkDrawn() const { return (m_nDrawingFlags & DRAW_BY_FRAMEWORK) != 0; }
    bool DrawsSeparators() const { return IsFrameworkDrawn() && (m_nDrawingFlags & DRAW_SEPARATORS) != 0; }
    // The pane's rectangle as painted: the last pane reaches the client's right edge.
    RECT PaintedPaneRect(int nIndex) const;
    // The rightmost scroll-bar width of the client area while the parent can be sized by it.
    bool GetGripperRect(RECT* pRect) const;
    void RepositionPaneControls();
    void DestroyPaneControls();
};
