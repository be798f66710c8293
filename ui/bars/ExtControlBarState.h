#pragma once
// The saved layout of a frame's bars: a record tree per resizable bar, container or tabbed group,
// an item per fixed-size bar, and the site that archives them with the platform's dock state and
// the frame's window placement.
#include "ui/bars/ExtControlBar.h"

#include "platform/mfc/Array.h"
#include "platform/mfc/DockState.h"

struct CExtControlBar::InternalDockStateBar : public CObject
{
    // Kinds (the low four bits of m_dwRecordFlags) and the other record flags.
    static constexpr DWORD KIND_MASK = 0x00F;
    static constexpr DWORD KIND_PLAIN = 1;
    static constexpr DWORD KIND_CONTAINER = 2;
    static constexpr DWORD KIND_TABBED = 3;
    static constexpr DWORD FLAG_VISIBLE = 0x010;
    static constexpr DWORD FLAG_FLOATING = 0x020;
    static constexpr DWORD FLAG_NEW_ROW = 0x040;
    static constexpr DWORD FLAG_CHILD = 0x080;
    static constexpr DWORD FLAG_TAB = 0x100;
    static constexpr DWORD FLAG_SELECTED_TAB = 0x200;
    static constexpr DWORD FLAG_AUTO_HIDDEN = 0x400;
    // Nesting a load reads at most; the frame's own bar count is checked after reading.
    static constexpr int MAX_NESTING = 64;

    InternalDockStateBar();
    ~InternalDockStateBar() override;
    InternalDockStateBar(const InternalDockStateBar&) = delete;
    InternalDockStateBar& operator=(const InternalDockStateBar&) = delete;

    void Reset();
    // Deletes the children, depth first, and resets the record.
    void Clear();
    DWORD GetKind() const { return m_dwRecordFlags & KIND_MASK; }
    bool IsContainerKind() const { return GetKind() == KIND_CONTAINER || GetKind() == KIND_TABBED; }
    // How many levels the tree has below and including this record.
    int GetDepth() const;

    // One codec for both directions; a load throws CArchiveException on bad data.
    void Serialize(CArchive& ar) override;
    void SerializeNested(CArchive& ar, int nLevelsLeft);

    void CaptureFromBar(CExtControlBar* pBar, InternalDockStateBar* pParent);
    // The three steps that bring the bars back: the structure, the values, and the finish.
    void ApplyStructure(CFrameWnd* pFrame, InternalDockStateBar* pParent);
    void ApplyValues(CFrameWnd* pFrame, InternalDockStateBar* pParent);
    void ApplyFinish(CFrameWnd* pFrame, InternalDockStateBar* pParent);

    DWORD m_nBarID;
    DWORD m_nDockBarID;
    DWORD m_nRing;
    DWORD m_nMRUWidth;
    DWORD m_dwBarStyle;
    DWORD m_dwRecordFlags;
    DWORD m_dwMRUFloatStyle;
    DWORD m_dwFloatFrameStyle;
    DWORD m_nReclaimExtent;
    CPoint m_ptFloatPos;
    CPoint m_ptMRUFloatPos;
    CRect m_rcMRUDockPos;
    CRect m_rcFloatFrame;
    CRect m_rcInDockBar;
    CSize m_sizeDockedHorz;
    CSize m_sizeDockedVert;
    CSize m_sizeFloating;
    CArray<InternalDockStateBar*, InternalDockStateBar*> m_arrChildren;

    // Transient, while the record is applied.
    int m_nSelectedTab;
    CExtControlBar* m_pRestoredBar;

private:
    // The record's values given to the restored bar (the style only with bWithStyle).
    void GiveValuesToBar(bool bWithStyle) const;
    // Docks the restored bar into the dock bar and puts the record's row break before it.
    void DockAndFixRow(CDockBar* pDockBar, bool bMove) const;
    // Makes the restored bar a page of the group whose dock bar is given.
    void InsertAsTab(CExtDockBar* pTabDockBar) const;
};

struct CExtControlBar::OuterItemData_t
{
    OuterItemData_t();
    OuterItemData_t(const OuterItemData_t& other);
    OuterItemData_t& operator=(const OuterItemData_t& other);

    void Serialize(CArchive& ar);

    DWORD m_nBarID;
    CPoint m_ptFloatPos;
    CSize m_sizeDockedHorz;
    CSize m_sizeDockedVert;
    CSize m_sizeFloating;
    FixedBarPlacement_t m_placement;
    bool m_bFloating : 1;
};

struct CExtControlBar::InternalDockStateSite : public CObject
{
    static constexpr DWORD FLAG_FIXED = 0x1;
    static constexpr DWORD FLAG_RESIZABLE = 0x2;

    InternalDockStateSite(CFrameWnd* pFrame, bool bFixedBars, bool bResizableBars);
    ~InternalDockStateSite() override;
    InternalDockStateSite(const InternalDockStateSite&) = delete;
    InternalDockStateSite& operator=(const InternalDockStateSite&) = delete;

    void Clear();
    // One codec for both directions; a load reads everything into the site and throws
    // CArchiveException on bad data, touching no window.
    void Serialize(CArchive& ar) override;

    // Reads the live layout of the frame.
    void Capture();
    // Checks a loaded site against the frame before anything is applied: false for values no
    // saved layout holds. Records and items naming bars the frame lacks are dropped, and
    // placements off every monitor are brought to the nearest work area.
    bool Validate();
    // Brings the loaded layout back (the window placement only with bApplyPlacement).
    void Apply(bool bApplyPlacement);

    DWORD m_nFlags;
    CFrameWnd* m_pFrame;
    CArray<OuterItemData_t, OuterItemData_t&> m_arrOuterItems;
    WINDOWPLACEMENT m_wp;
    CDockState* m_pDockState;
    CArray<InternalDockStateBar*, InternalDockStateBar*> m_arrBarStates;
    CArray<UINT, UINT> m_arrAutoHiddenIds;

private:
    void SerializePlacement(CArchive& ar);
    void CaptureResizable();
    void CaptureFixed();
    void TakeBarsOutOfLayout();
};
