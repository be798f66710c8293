#pragma once
// The Shape panel's editor of gradient stops: a bar showing the gradient with one marker per stop
// beneath it. A click selects a marker or adds one on the bar, inner markers are dragged sideways
// and removed by dragging them below the control. Every selection or change is sent to the parent
// as g_nMsgMarkerChanged.
#include "model/GradientMarker.h"
#include "platform/mfc/Afx.h"
#include "ui/core/ExtMouseCaptureSink.h"

#include <vector>

class CGradientPicker : public CWnd, public CExtMouseCaptureSink
{
public:
    // WPARAM the picker's window, LPARAM the address of its selected index (an int). Sent, not
    // posted.
    static const UINT g_nMsgMarkerChanged;
    // A click on the bar adds no marker once there are this many.
    static constexpr size_t kMaxMarkersByClick = 8;

    CGradientPicker();

    // Both clamp the selected index into the list first.
    COLORREF GetSelectedMarkerColor();
    void SetSelectedMarkerColor(COLORREF color);
    // Stops that are not sorted from 0 to 1 load as the brush's two end colours.
    void LoadFromLinearBrush(const Gdiplus::LinearGradientBrush* brush);
    void LoadFromPathBrush(const Gdiplus::PathGradientBrush* brush);

    // Sorted by position, the first at 0 and the last at 1.
    const std::vector<CGradientMarker>& GetMarkers() const { return m_markers; }
    int GetSelectedMarker() const { return m_nSelectedMarker; }
    bool IsTracking() const { return m_bTracking; }

    // Client geometry: the gradient bar, and the marker's box below it.
    RECT GetBarRect() const;
    RECT GetMarkerRect(size_t index) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void OnLButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnLButtonUp(POINT point);
    bool OnSetCursor();
    // Index of the hit marker (inner markers before the ends, the last end before the first), or
    // -1.
    int HitTestMarker(POINT point) const;
    // Adds a marker where the bar was clicked, its colour blended from its neighbours; its index,
    // or -1 when none was added.
    int InsertMarkerAt(POINT point);
    void SelectAndNotify(int index);
    void Notify();
    void ClampSelection();
    bool IsInnerMarker(int index) const { return index > 0 && index + 1 < int(m_markers.size()); }
    void LoadMarkers(std::vector<CGradientMarker> markers, std::vector<CGradientMarker> ends);
    void PaintMarker(Gdiplus::Graphics& graphics, size_t index) const;

    bool m_bTracking = false;
    int m_nDraggedMarker = -1;
    int m_nSelectedMarker = 0;
    HCURSOR m_hMarkerCursor = nullptr;
    std::vector<CGradientMarker> m_markers;
};
