#pragma once
#include "model/ArchiveRecord.h"
#include "model/NamedObject.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "platform/gdiplus/GdiPlus.h"

#include <list>
#include <memory>
#include <vector>

class CFlashEditorFrame;
class CFlashLayerOwner;
class CFlashShape;

// One row of the timeline: a named sequence of frame spans in frame order, with a current
// frame, a locked flag and a visible flag. It owns its spans.
class CFlashEditorLayer : public CNamedObject {
public:
    // No span (archive loading).
    CFlashEditorLayer() = default;
    // One empty span [1, 1], current frame 1, unlocked, visible.
    explicit CFlashEditorLayer(CFlashLayerOwner* document);
    CFlashEditorLayer(const CFlashEditorLayer&) = delete;
    CFlashEditorLayer& operator=(const CFlashEditorLayer&) = delete;
    ~CFlashEditorLayer() override;

    CFlashLayerOwner* GetDocument() const { return m_pDocument; }
    void SetDocument(CFlashLayerOwner* document) { m_pDocument = document; }
    // A locked layer accepts no new shapes and gives none up through the repository.
    bool IsLocked() const { return m_bLocked; }
    void SetLocked(bool locked) { m_bLocked = locked; }
    // An invisible layer is neither drawn nor hit.
    bool IsVisible() const { return m_bVisible; }
    void SetVisible(bool visible) { m_bVisible = visible; }

    const std::list<CFlashEditorFrame*>& GetSpans() const { return m_spans; }
    int GetSpanCount() const { return int(m_spans.size()); }
    // 1-based; null outside 1 to the span count.
    CFlashEditorFrame* GetSpanByIndex(int index) const;
    // The first span with first <= frame <= last; null for frame <= 0 or when none.
    CFlashEditorFrame* FindSpan(int frame) const;
    // The span containing the frame after the last frame of the span containing this frame.
    CFlashEditorFrame* GetNextSpan(int frame) const;
    // -1 when no span contains the frame.
    void SetCurrentFrame(int frame);
    int GetCurrentFrame() const { return m_nCurrentFrame; }
    CFlashEditorFrame* GetCurrentSpan() const;
    // The largest last frame over the spans (0 without spans).
    int GetLastFrame() const;
    // Appends the current span's shapes, topmost first.
    void GetCurrentFrameShapes(std::vector<CFlashShape*>& shapes) const;
    bool ContainsShape(const CFlashShape* shape) const;
    // Whether a span other than the given one holds the shape object; such a shape outlives
    // the span being cleared or deleted.
    bool HoldsElsewhere(const CFlashShape* shape, const CFlashEditorFrame* except) const;

    // Adds the shape to the span containing the frame (<= 0: the current frame) unless the layer
    // is locked or already holds it. Returns whether the layer holds the shape afterwards; on
    // false the shape stays with the caller. The placement (null: a default one) is used only
    // when the shape is added now.
    bool AddShape(CFlashShape* shape, int frame, std::unique_ptr<CFlashEditorFrameShapeTransform> placement);
    // The shape leaves the current span and is handed to the caller; null when the current span
    // does not hold it, or when another span of the layer still holds the same object.
    [[nodiscard]] std::unique_ptr<CFlashShape> RemoveShapeFromCurrentSpan(CFlashShape* shape);
    void DeselectAllShapes();
    void RefreshShapes();

    void RenderCurrentFrame(HDC dc, int stageX, int stageY, double zoom, int filter);
    void RenderCurrentFrame(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom, int filter);
    // Null when the layer is invisible (a locked layer can still be hit).
    CFlashShape* HitTestCurrentFrame(HDC dc, double zoom, const POINT& point) const;

    // The shape's placement at the current frame, interpolated inside a motion tween; null when
    // the current span holds no active placement for it.
    std::unique_ptr<CFlashEditorFrameShapeTransform> GetInterpolatedTransform(const CFlashShape* shape) const;
    // Before an edit: a shape that another span holds too is replaced by a complete copy under
    // a new identifier, which is returned (not yet added to a span) with the shape's placement
    // handed over; otherwise the shape itself is returned.
    CFlashShape* DetachSharedShape(CFlashShape* shape, std::unique_ptr<CFlashEditorFrameShapeTransform>& placement);
    // Whether the span and the following span form a drawable motion tween.
    bool IsTweenValid(const CFlashEditorFrame* span) const;

    // Frame commands of the timeline.
    void InsertFrames(int frame, int count);
    void RemoveFrames(int first, int last);
    // The new span, or null when none was made.
    CFlashEditorFrame* InsertKeyframe(int frame, bool copyContents);
    void ClearFrames(int first, int last);
    // Inserts a keyframe inside a motion tween that plays (its span and the next one flagged),
    // holding the interpolated state; the tween then runs through it. False elsewhere and on a
    // span's first frame. At the layer's current frame, or at the given one.
    bool SplitTweenAtCurrentFrame();
    bool SplitTweenAt(int frame);
    // A tween runs from a flagged span to the next span only when that one is flagged too:
    // the spans holding frames first to last are flagged, and so is the span after each.
    void CreateMotionTween(int first, int last);
    // Takes back what CreateMotionTween set on the same frames: the span after each span of
    // the range loses its flag unless it starts a tween of its own, and a span of the range
    // keeps its flag only while it still ends the tween of a flagged span before the range.
    void RemoveMotionTween(int first, int last);

protected:
    void InitNamePrefix() override;
    int NextSerialNumber() override;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    CFlashEditorFrame* FindSpanStartingAt(int frame) const;
    std::vector<CFlashEditorFrame*> SpansOverlapping(int first, int last) const;

    std::list<CFlashEditorFrame*> m_spans;
    CFlashLayerOwner* m_pDocument = nullptr;
    int m_nCurrentFrame = -1;
    bool m_bLocked = false;
    bool m_bVisible = true;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashEditorLayer)
