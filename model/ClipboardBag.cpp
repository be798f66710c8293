#include "model/ClipboardBag.h"

#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashShape.h"

CClipboardBag::~CClipboardBag()
{
    DeleteAll();
}

CClipboardBag::CClipboardBag(const std::vector<CFlashShape*>& shapes,
                             const std::vector<CFlashEditorFrameShapeTransform*>& placements)
    : m_shapes(shapes), m_placements(placements), m_bOwning(false)
{
}

void CClipboardBag::DeleteAll()
{
    if (m_bOwning) {
        for (CFlashShape* shape : m_shapes)
            delete shape;
        for (CFlashEditorFrameShapeTransform* placement : m_placements)
            delete placement;
    }
    m_shapes.clear();
    m_placements.clear();
    // What is put in from now on (by reading) belongs to the bag.
    m_bOwning = true;
}

void CClipboardBag::Add(std::unique_ptr<CFlashShape> shape, std::unique_ptr<CFlashEditorFrameShapeTransform> placement)
{
    m_shapes.reserve(m_shapes.size() + 1);
    m_placements.reserve(m_placements.size() + 1);
    m_shapes.push_back(shape.release());
    m_placements.push_back(placement.release());
}

void CClipboardBag::Release(std::vector<std::unique_ptr<CFlashShape>>& shapes,
                            std::vector<std::unique_ptr<CFlashEditorFrameShapeTransform>>& placements)
{
    shapes.clear();
    placements.clear();
    // Room first, so that nothing can fail once ownership starts to move.
    shapes.reserve(m_shapes.size());
    placements.reserve(m_placements.size());
    for (CFlashShape* shape : m_shapes)
        shapes.emplace_back(shape);
    for (CFlashEditorFrameShapeTransform* placement : m_placements)
        placements.emplace_back(placement);
    m_shapes.clear();
    m_placements.clear();
}
