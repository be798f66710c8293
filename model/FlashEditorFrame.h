#pragma once
#include "model/ArchiveRecord.h"
#include "platform/gdiplus/GdiPlus.h"

#include <list>
#include <map>
#include <unordered_map>
#include <memory>
#include <vector>

namespace boost { namespace serialization { class access; } }
class CFlashEditorFrameShapeTransform;
class CFlashEditorLayer;
class CFlashShape;

// While set, selected shapes drawn outside a tween show a handle at each curve end point.
extern bool g_bShowEndpointHandles;

// State filter of rendering: every shape, or only shapes in that state (kResourceState...).
constexpr int kRenderAllStates = 0;

// A frame span: a range of frames of one layer, starting at a keyframe, holding its shapes with
// one placement each and their stacking order. A span holds a shape exactly when the shape has a
// placement here; it owns those shapes and placements.
class CFlashEditorFrame {
public:
    using PlacementMap = std::map<CFlashShape*, CFlashEditorFrameShapeTransform*>;

    // Empty (archive loading).
    CFlashEditorFrame() = default;
    CFlashEditorFrame(int first, int last, CFlashEditorLayer* layer);
    // Filled with complete copies of the source's placed shapes (identifiers and names kept,
    // selected ones made normal), with copies of their placements and the whole stacking order;
    // not tweened.
    CFlashEditorFrame(int first, int last, CFlashEditorLayer* layer, const CFlashEditorFrame& source);
    CFlashEditorFrame(const CFlashEditorFrame&) = delete;
    CFlashEditorFrame& operator=(const CFlashEditorFrame&) = delete;
    ~CFlashEditorFrame();

    int GetStartFrame() const { return m_nFirstFrame; }
    int GetEndFrame() const { return m_nLastFrame; }
    void SetStartFrame(int frame) { m_nFirstFrame = frame; }
    void SetEndFrame(int frame) { m_nLastFrame = frame; }
    bool IsMotionTween() const { return m_bMotionTween; }
    void SetMotionTween(bool tween) { m_bMotionTween = tween; }
    CFlashEditorLayer* GetLayer() const { return m_pLayer; }
    void SetLayer(CFlashEditorLayer* layer) { m_pLayer = layer; }

    // Takes ownership of the shape and the placement (a default one when null) and makes the
    // shape topmost. A shape already held gets the new placement.
    void AddShape(CFlashShape* shape, CFlashEditorFrameShapeTransform* placement);
    // The shape leaves the span: its placement is deleted, or handed over when asked for, and
    // the shape is handed to the caller. Null when the span does not hold it.
    [[nodiscard]] std::unique_ptr<CFlashShape>
    RemoveShape(CFlashShape* shape, std::unique_ptr<CFlashEditorFrameShapeTransform>* placement = nullptr);

    // Looks up without changing the span; null when the shape has no placement here.
    CFlashEditorFrameShapeTransform* GetShapeTransform(const CFlashShape* shape) const;
    // The shape with this identifier that has a placement here, or null.
    CFlashShape* GetShapeById(int objectId) const;
    const PlacementMap& GetTransformRange() const { return m_placements; }
    // Front (topmost) first; may list identifiers of shapes no longer held.
    const std::list<int>& GetStackingOrder() const { return m_stackingOrder; }
    // Appends the held shapes from front (topmost) to back.
    void CollectShapes(std::vector<CFlashShape*>& shapes) const;
    // Appends every shape the span owns, each once: back to front as stacked, then in identifier
    // order those that the stacking order does not reach.
    void CollectOwnedShapes(std::vector<CFlashShape*>& shapes) const;
    void MoveShapeToFront(const CFlashShape* shape);
    void MoveShapeToBack(const CFlashShape* shape);
    // Appended to the shape's placement matrix; false, with the shape where it was, when the
    // span does not place it or the placement would leave the readable bounds.
    bool TranslateShape(const CFlashShape* shape, float dx, float dy);
    bool IsEmpty() const;
    // Deletes every held shape and placement.
    void Clear();
    void RefreshShapes();

    // Draws the shapes back to front at the frame, interpolated towards the following span
    // when both spans are motion tweens. Filter: kRenderAllStates or a state to draw alone.
    void Render(HDC dc, int stageX, int stageY, double zoom, int filter, int frame);
    void Render(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom, int filter, int frame);
    // Topmost shape hit under its placement at the layer's current frame, or null.
    CFlashShape* HitTest(HDC dc, double zoom, const POINT& point) const;

    // Sets from's tween overrides to its fill and pen interpolated towards to's at t.
    static void InterpolateShapeStyle(CFlashShape* from, const CFlashShape* to, double t);
    // Gives this span (lying between two keyframes) the interpolated placements and styles.
    void InterpolateFrom(const CFlashEditorFrame& from, const CFlashEditorFrame& to);

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    CFlashEditorFrameShapeTransform* GetActiveTransform(const CFlashShape* shape) const;
    // The stacking order's entry of the identifier, or its end; builds the index first when the
    // order was filled without it (a copied span, a span read from a file).
    std::list<int>::iterator FindStackingEntry(int objectId);
    static void DrawSelectionFrame(Gdiplus::Graphics& graphics, const CFlashShape& shape,
                                   const CFlashEditorFrameShapeTransform& placement, const Gdiplus::Matrix& device);
    static void DrawEndpointHandles(Gdiplus::Graphics& graphics, const CFlashShape& shape,
                                    const CFlashEditorFrameShapeTransform& placement, const Gdiplus::Matrix& device);

    std::map<int, CFlashShape*> m_shapesById;
    PlacementMap m_placements;
    std::list<int> m_stackingOrder;
    // Where each identifier of the stacking order sits, so that restacking does not walk it.
    std::unordered_map<int, std::list<int>::iterator> m_stackingIndex;
    bool m_bStackingIndexBuilt = false;
    int m_nFirstFrame = 0;
    int m_nLastFrame = 0;
    CFlashEditorLayer* m_pLayer = nullptr;
    bool m_bMotionTween = false;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashEditorFrame)
