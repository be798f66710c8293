#pragma once
#include "stage/SelectTool.h"

#include <memory>

// Scales, rotates and moves the selection by handles laid out around its bounds.
class CFreeTransformTool : public CSelectTool {
public:
    CFreeTransformTool();
    ~CFreeTransformTool() override;

    void Activate(CFlashEditorView* view) override;
    void Deactivate() override;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
    void CancelDrag() override;
    void DrawOverlay(Gdiplus::Graphics& graphics) override;
    // Places the handles around the selection's bounds.
    virtual void LayoutHandles();

    // The frame in stage twips: as last laid out, and as the drag changes it.
    const Gdiplus::Rect& GetLayoutBounds() const { return m_layoutBounds; }
    const Gdiplus::Rect& GetCurrentBounds() const { return m_currentBounds; }
    const Gdiplus::Matrix& GetToolMatrix() const { return *m_pMatrix; }
    Gdiplus::PointF GetCentreFractions() const { return {m_fCentreX, m_fCentreY}; }
    // The centre of the centre mark in stage twips.
    Gdiplus::PointF GetCentre() const;

    // Cursor resources over the centre mark and the rotation zones.
    static constexpr int kCentreCursorId = 158;
    static constexpr int kRotateCursorId = 159;
    // Handle sizes on screen, in pixels.
    static constexpr int kHandleSize = 6;
    static constexpr int kZoneSize = 10;

private:
    enum class HandleKind { None, Corner, Zone, Edge, Centre };
    struct CHit {
        HandleKind kind;
        int index;
    };
    // The first handle under the client point: corners, rotation zones, edges, centre mark.
    CHit FindHandle(int x, int y) const;
    bool HitsHandle(const Gdiplus::Rect& handle, int size, const Gdiplus::PointF& stage) const;
    void PlaceHandles(const Gdiplus::Rect& bounds);
    static void PlaceHandles(const Gdiplus::Rect& bounds, Gdiplus::Rect corners[4], Gdiplus::Rect edges[4],
                             Gdiplus::Rect zones[4]);
    // The centre mark of the current bounds, or of a frame of the given bounds.
    Gdiplus::Rect CentreMark() const;
    Gdiplus::Rect CentreMarkOf(const Gdiplus::Rect& bounds) const;
    // Rotation in degrees about the centre from the press point to the client point.
    double StepAngle(int x, int y) const;
    void FinishScale();
    void ClearDrag();
    void DrawFrame(Gdiplus::Graphics& graphics, const Gdiplus::Rect& bounds, bool dashed);

    Gdiplus::Rect m_corners[4];
    Gdiplus::Rect m_edges[4];
    Gdiplus::Rect m_zones[4];
    HCURSOR m_cursors[10] = {};
    Gdiplus::Rect m_currentBounds;
    Gdiplus::Rect m_layoutBounds;
    Gdiplus::Rect m_pressBounds;
    std::unique_ptr<Gdiplus::Matrix> m_pMatrix;
    // The frame's matrix and centre mark at the press, which a cancelled drag goes back to.
    std::unique_ptr<Gdiplus::Matrix> m_pPressMatrix;
    Gdiplus::PointF m_pressCentre;
    double m_dAngle = 0.0;
    int m_nCorner = -1;
    int m_nEdge = -1;
    int m_nZone = -1;
    bool m_bCentreDragged = false;
    float m_fCentreX = 0.5f;
    float m_fCentreY = 0.5f;
};
