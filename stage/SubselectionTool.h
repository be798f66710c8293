#pragma once
#include "stage/DrawingTool.h"

#include <vector>

class CFlashShape;
struct CFlashVertexHandle;

// Edits the vertices and control points of the selected shapes.
class CSubselectionTool : public CDrawingTool {
public:
    CSubselectionTool();
    ~CSubselectionTool() override;

    void Activate(CFlashEditorView* view) override;
    void Deactivate() override;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
    void DrawOverlay(Gdiplus::Graphics& graphics) override;

    // Parts of a joint that a drag moves.
    static constexpr int kJoint = -1;
    static constexpr int kControlBefore = 0;
    static constexpr int kControlAfter = 1;
    // Cursor resource over a joint or a control point.
    static constexpr int kHandleCursorId = 156;
    // Handles are squares of this many pixels at any zoom.
    static constexpr int kHandleSize = 6;

    const std::vector<CFlashVertexHandle>& GetHandles() const { return m_handles; }
    const std::vector<int>& GetPickedJoints() const { return m_picked; }
    int GetActiveJoint() const { return m_nActive; }

private:
    void RebuildHandles();
    // Whether the stage point (twips) lies on the part of the handle.
    bool HitsHandle(const POINT& stage, int index, int part) const;
    static bool HasPart(const CFlashVertexHandle& handle, int part);
    static POINT PartPoint(const CFlashVertexHandle& handle, int part);
    bool IsPicked(int index) const;
    // Moves the picked joints (or the dragged control points) by the drag offset.
    void MovePickedPoints();
    void PickJointsInMarquee(int x, int y);

    int m_nActive = -1;
    int m_nPart = kJoint;
    std::vector<int> m_picked;
    int m_nDragX = 0;
    int m_nDragY = 0;
    std::vector<CFlashVertexHandle> m_handles;
};
