#pragma once
#include "model/ArchiveRecord.h"

#include <memory>
#include <vector>

class CFlashEditorFrameShapeTransform;
class CFlashShape;

// The root object of the clipboard text: shapes with one placement each, in the same order.
// The bag owns what it holds, unless it was made to show a copy's shapes to the archive.
class CClipboardBag {
public:
    CClipboardBag() = default;
    // Holds the caller's shapes and placements, without owning them, for writing them as they
    // are.
    CClipboardBag(const std::vector<CFlashShape*>& shapes,
                  const std::vector<CFlashEditorFrameShapeTransform*>& placements);
    CClipboardBag(const CClipboardBag&) = delete;
    CClipboardBag& operator=(const CClipboardBag&) = delete;
    ~CClipboardBag();

    // Takes the shape and its placement (null: none).
    void Add(std::unique_ptr<CFlashShape> shape, std::unique_ptr<CFlashEditorFrameShapeTransform> placement);
    const std::vector<CFlashShape*>& GetShapes() const { return m_shapes; }
    const std::vector<CFlashEditorFrameShapeTransform*>& GetPlacements() const { return m_placements; }
    // Hands every shape and placement to the caller, leaving the bag empty.
    void Release(std::vector<std::unique_ptr<CFlashShape>>& shapes,
                 std::vector<std::unique_ptr<CFlashEditorFrameShapeTransform>>& placements);

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    void DeleteAll();

    std::vector<CFlashShape*> m_shapes;
    std::vector<CFlashEditorFrameShapeTransform*> m_placements;
    bool m_bOwning = true;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CClipboardBag)
