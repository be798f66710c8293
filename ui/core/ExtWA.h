#pragma once
// The anchoring layer of framework dialogs: children keep their distances to percentages of the
// client area, and the window never becomes smaller than it was first shown.
#include "platform/mfc/Afx.h"

#include <unordered_map>

template <class TBase>
class CExtWA : public TBase
{
public:
    static constexpr BYTE FLAG_INITIALISED = 0x01;
    static constexpr BYTE FLAG_MAX_TRACKING = 0x02;
    static constexpr BYTE FLAG_MIN_TRACKING = 0x04;
    static constexpr BYTE FLAG_MAXIMISED_PLACE = 0x08;

    // Distances of a child's edges to percentages of the client size.
    struct AnchorRecord
    {
        int nLeftPercent;
        int nTopPercent;
        int nLeftOffset;
        int nTopOffset;
        int nRightPercent;
        int nBottomPercent;
        int nRightOffset;
        int nBottomOffset;
    };

    using TBase::TBase;
    CExtWA() = default;

    // Right and bottom both -1 take left and top (the child moves and keeps its size).
    virtual bool AnchorItem(HWND hWndChild, int nLeftPercent, int nTopPercent, int nRightPercent = -1,
                            int nBottomPercent = -1);
    bool AnchorDialogItem(UINT nControlId, int nLeftPercent, int nTopPercent, int nRightPercent = -1,
                          int nBottomPercent = -1);
    // Negative sizes mean the current client size.
    virtual void ArrangeLayout(int cx = -1, int cy = -1);

    SIZE GetMinTrackingSize() const { return m_sizeMinTrack; }
    bool HasAnchor(HWND hWndChild) const { return m_anchors.count(hWndChild) != 0; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BYTE m_nWaFlags = FLAG_MIN_TRACKING;
    SIZE m_sizeMinTrack = {0, 0};
    SIZE m_sizeMaxTrack = {0, 0};
    POINT m_ptMaximisedPos = {0, 0};
    SIZE m_sizeMaximised = {0, 0};
    std::unordered_map<HWND, AnchorRecord> m_anchors;
};
