#pragma once
// A saved layout of a frame's bars: per bar where it is docked or floats and what it looked
// like, in a form an archive moves both ways.
#include "platform/mfc/Object.h"
#include "platform/mfc/Point.h"
#include "platform/mfc/PtrArray.h"
#include "platform/mfc/Rect.h"

class CArchive;
class CControlBar;
class CDockState;

class CControlBarInfo
{
public:
    CControlBarInfo();
    CControlBarInfo(const CControlBarInfo&) = delete;
    CControlBarInfo& operator=(const CControlBarInfo&) = delete;

    // One codec for both directions; a load throws CArchiveException on bad data.
    void Serialize(CArchive& ar, CDockState* pDockState);

    UINT m_nBarID = 0;
    BOOL m_bVisible = FALSE;
    BOOL m_bFloating = FALSE;
    BOOL m_bHorz = FALSE;
    BOOL m_bDockBar = FALSE;  // the record is a dock bar's: m_arrBarID lists its rows
    CPoint m_pointPos;        // floating: the frame's position; docked: the bar's in its dock bar
    UINT m_nMRUWidth = 32767;
    BOOL m_bDocking = FALSE;  // the bar has a dock context
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    CPtrArray m_arrBarID;     // a dock bar's entries: bar ids, 0 for row breaks
    CControlBar* m_pBar = nullptr; // the live bar, not stored
};

class CDockState : public CObject
{
    DECLARE_SERIAL(CDockState)
public:
    CDockState() = default;
    ~CDockState() override;

    // Reads everything before keeping anything: a failed load leaves the state empty.
    void Serialize(CArchive& ar) override;
    void Clear();

    CPtrArray m_arrBarInfo; // owned CControlBarInfo records
};
