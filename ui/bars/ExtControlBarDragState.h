#pragma once
// One drop proposal of a running drag, and the area the tracking frame draws for it.
#include "ui/bars/ExtControlBar.h"

class CExtControlBar::InternalDraggingState_t : public CObject
{
public:
    // What the drop does.
    static constexpr int CODE_FLOAT = 0;
    static constexpr int CODE_NEST_TOP = 1;            // to CODE_NEST_RIGHT = 4
    static constexpr int CODE_NEST_RIGHT = 4;
    static constexpr int CODE_CLIENT_TOP = 5;          // to 8: a side of the free client area
    static constexpr int CODE_CLIENT_RIGHT = 8;
    static constexpr int CODE_EDGE_TOP = 9;            // to 12: just inside the outer dock bars
    static constexpr int CODE_EDGE_RIGHT = 12;
    static constexpr int CODE_NO_CHANGE = 13;
    static constexpr int CODE_FRAME_OUTER_TOP = 14;    // to 17: frame markers outside every ring
    static constexpr int CODE_FRAME_OUTER_RIGHT = 17;
    static constexpr int CODE_FRAME_INNER_TOP = 18;    // to 21: frame markers inside every ring
    static constexpr int CODE_FRAME_INNER_RIGHT = 21;
    static constexpr int CODE_MARKER_NEST_TOP = 22;    // to 25: a bar's side markers
    static constexpr int CODE_MARKER_NEST_RIGHT = 25;
    static constexpr int CODE_MARKER_TAB = 26;
    static constexpr int CODE_TAB_INTO_BAR = 27;
    static constexpr int CODE_TAB_INTO_GROUP = 28;
    static constexpr int CODE_TAB_AT_INDEX = 29;
    static constexpr int CODE_TAB_AT_INDEX_MARKER = 30;

    explicit InternalDraggingState_t(CExtControlBar* pBar = nullptr);
    InternalDraggingState_t(const InternalDraggingState_t& other);
    InternalDraggingState_t& operator=(const InternalDraggingState_t& other);
    ~InternalDraggingState_t() override;

    // The cursor hint is not compared.
    bool IsEqual(const InternalDraggingState_t& other) const;
    void Assign(const InternalDraggingState_t& other);
    // The previous target; an old tabbed-group target drops its temporary tabs unless kept.
    CWnd* SetTarget(CWnd* pTarget, bool bKeepOldTemporaryTab = false);
    int HitTestTargetTabs(POINT ptScreen);
    // Moves the dragged bar (docked or floating) so that the cursor stays on its caption.
    void FloatBarAt(int x, int y);
    void SetTrackingRect(const RECT& rc);
    // The tab index of a drop into a tab strip (codes 29 and 30), else -1.
    int GetTabIndex() const;
    // Empty, with no target, tab index and cursor hint 0, an empty rectangle; the code stays.
    void Reset();

    static bool IsTabCode(int nCode) { return nCode >= CODE_TAB_INTO_GROUP && nCode <= CODE_TAB_AT_INDEX_MARKER; }
    static bool IsMarkerCode(int nCode) { return nCode >= CODE_FRAME_OUTER_TOP && nCode <= CODE_MARKER_TAB; }

    bool m_bEmpty : 1;
    bool m_bAlternate : 1;
    int m_nCode = CODE_FLOAT;
    int m_nCursorHint = 0;
    int m_nRing = 0;
    CRect m_rcTrack;
    CExtControlBar* m_pBar;
    CWnd* m_pTarget = nullptr;
    int m_nTabIndex = 0;
};

// An area drawn with an inverting brush: the tracking frame of a drag or a resize tracker. The
// frame may draw it itself (g_nMsgDrawTackedArea).
struct CExtControlBar::TrackedArea_t
{
    static constexpr int KIND_BAND = 0;
    static constexpr int KIND_RECT = 1;
    static constexpr int KIND_FRAME = 2;
    static constexpr int KIND_TAB_FRAME = 3;

    void DrawTrackedArea(CBrush* pBrush, DWORD dwRop);
    // True when the frame drew the area itself.
    bool OfferToFrame();
    void DrawOrOffer();

    CExtControlBar* m_pBar = nullptr;
    CDC* m_pDC = nullptr;
    int m_nAreaKind = KIND_BAND;
    CRect m_rcArea;
    bool m_bErase : 1;
    bool m_bDrawnByFrame : 1;

    TrackedArea_t() : m_bErase(false), m_bDrawnByFrame(false) {}
};
