#pragma once
// One of the grid's four default cells (normal, fixed row, fixed column, corner): the format,
// colours, font and size that cells take when they have none of their own.
#include "timeline/GridCell.h"

#include "platform/mfc/Font.h"

class CGridDefaultCell : public CGridCell
{
    DECLARE_DYNCREATE(CGridDefaultCell)
public:
    CGridDefaultCell();
    ~CGridDefaultCell() override = default;

    DWORD GetStyle() const { return m_dwStyle; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    int GetWidth() const { return m_Size.cx; }
    int GetHeight() const { return m_Size.cy; }
    void SetWidth(int nWidth) { m_Size.cx = nWidth; }
    void SetHeight(int nHeight) { m_Size.cy = nHeight; }

    // A default cell is never edited and keeps no state, data or position of its own.
    void SetData(LPARAM /*lParam*/) override {}
    void SetState(DWORD /*nState*/) override {}
    DWORD GetState() const override { return CGridCell::GetState() | GCS_READONLY; }
    void SetPosition(int /*nRow*/, int /*nCol*/) override {}
    // Also re-creates the font object and measures the cell's margin and size with it.
    void SetFont(const LOGFONTA* plf) override;
    const LOGFONTA* GetFont() const override { return &m_lfFont; }
    CFont* GetFontObject() const override;
    DWORD GetFormat() const override { return m_nFormat; }
    UINT GetMargin() const override { return m_nMargin; }

private:
    LOGFONTA m_lfFont{};
    mutable CFont m_Font;
    CSize m_Size;
    DWORD m_dwStyle = 0;
};
