#pragma once
#include "model/ArchiveRecord.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "platform/gdiplus/GdiPlus.h"

#include <memory>
#include <vector>

namespace boost { namespace serialization { class access; } }
class CFlashLayerOwner;
class CFlashResource;
class CFlashShape;

// The door through which new shapes enter the document's current layer. It lists the shapes that
// the owner's spans own, and owns the pens and brushes handed to the stage.
class CFlashResourceRepository {
public:
    CFlashResourceRepository() = default;
    CFlashResourceRepository(const CFlashResourceRepository&) = delete;
    CFlashResourceRepository& operator=(const CFlashResourceRepository&) = delete;
    // Releases the pens and brushes; the listed shapes belong to their spans.
    ~CFlashResourceRepository();

    CFlashLayerOwner* GetOwnerDocument() const { return m_pOwner; }
    void SetOwnerDocument(CFlashLayerOwner* document) { m_pOwner = document; }

    // Adds the shape to the owner's current layer at its current frame. Returns whether the
    // layer holds the shape afterwards; on false (no current layer, a locked one, or no span at
    // the current frame) the shape stays with the caller, who deletes or refuses it.
    bool AddShape(CFlashShape* shape, std::unique_ptr<CFlashEditorFrameShapeTransform> placement = nullptr);
    // The shape leaves the current layer's current span and is handed to the caller; null when
    // the layer is missing or locked or does not give it up.
    [[nodiscard]] std::unique_ptr<CFlashShape> RemoveShape(CFlashShape* shape);
    // The repository owns what it receives.
    void AddPen(Gdiplus::Pen* pen);
    void AddBrush(Gdiplus::Brush* brush);
    // Releases the pens and brushes.
    void Clear();

    // Every shape that a span of the owner owns, each object once: layers bottom first, spans in
    // frame order, shapes bottom first. Built from the spans on each call, so that no path that takes a
    // shape out of a span (and perhaps frees it) can leave it listed.
    std::vector<CFlashResource*> GetResources() const;
    const std::vector<Gdiplus::Pen*>& GetPens() const { return m_pens; }
    const std::vector<Gdiplus::Brush*>& GetBrushes() const { return m_brushes; }

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    std::vector<Gdiplus::Pen*> m_pens;
    std::vector<Gdiplus::Brush*> m_brushes;
    CFlashLayerOwner* m_pOwner = nullptr;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashResourceRepository)
