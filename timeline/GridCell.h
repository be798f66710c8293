#pragma once
// The grid's ordinary cell: text, image, format, colours, font and margin, each of which may
// defer to the grid's default cell; and the in-place edit while it is being edited.
#include "timeline/GridCellBase.h"

#include "platform/mfc/String.h"

#include <memory>

class CGridCell : public CGridCellBase
{
    DECLARE_DYNCREATE(CGridCell)
public:
    CGridCell();
    ~CGridCell() override;

    void SetText(LPCSTR szText) override { m_strText = szText ? szText : ""; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextColor(COLORREF clr) override { m_crFgClr = clr; }
    void SetBackColor(COLORREF clr) override;
    void RestoreBackColor() override { m_crBkClr = m_crPrevBkClr; }
    void SetFont(const LOGFONTA* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }
    void SetPosition(int /*nRow*/, int /*nCol*/) override {}

    LPCSTR GetText() const override { return m_strText.IsEmpty() ? "" : static_cast<LPCSTR>(m_strText); }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextColor() const override { return m_crFgClr; }
    COLORREF GetBackColor() const override { return m_crBkClr; }
    const LOGFONTA* GetFont() const override;
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    CWnd* GetEditWindow() const override { return m_pEditWnd; }
    UINT GetMargin() const override;

    BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
    BOOL IsEditing() const override { return m_bEditing; }

    void CopyFrom(const CGridCellBase& cell) override;
    void Reset() override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    CString m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = GRID_DEFAULT_VALUE;
    COLORREF m_crFgClr = GRID_DEFAULT_COLOR;
    COLORREF m_crBkClr = GRID_DEFAULT_COLOR;
    COLORREF m_crPrevBkClr = GRID_DEFAULT_COLOR;
    std::unique_ptr<LOGFONTA> m_plfFont;
    UINT m_nMargin = GRID_DEFAULT_VALUE;
    BOOL m_bEditing = FALSE;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr;
};
