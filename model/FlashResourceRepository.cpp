#include "model/FlashResourceRepository.h"

#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashLayerOwner.h"
#include "model/FlashShape.h"

#include <unordered_set>

CFlashResourceRepository::~CFlashResourceRepository()
{
    Clear();
}

bool CFlashResourceRepository::AddShape(CFlashShape* shape, std::unique_ptr<CFlashEditorFrameShapeTransform> placement)
{
    CFlashEditorLayer* layer = m_pOwner ? m_pOwner->GetCurrentLayer() : nullptr;
    if (!shape || !layer || layer->IsLocked())
        return false;
    return layer->AddShape(shape, -1, std::move(placement));
}

std::unique_ptr<CFlashShape> CFlashResourceRepository::RemoveShape(CFlashShape* shape)
{
    CFlashEditorLayer* layer = m_pOwner ? m_pOwner->GetCurrentLayer() : nullptr;
    if (!layer || layer->IsLocked())
        return nullptr;
    return layer->RemoveShapeFromCurrentSpan(shape);
}

void CFlashResourceRepository::AddPen(Gdiplus::Pen* pen)
{
    m_pens.push_back(pen);
}

void CFlashResourceRepository::AddBrush(Gdiplus::Brush* brush)
{
    m_brushes.push_back(brush);
}

void CFlashResourceRepository::Clear()
{
    for (Gdiplus::Pen* pen : m_pens)
        delete pen;
    for (Gdiplus::Brush* brush : m_brushes)
        delete brush;
    m_pens.clear();
    m_brushes.clear();
}

std::vector<CFlashResource*> CFlashResourceRepository::GetResources() const
{
    std::vector<CFlashResource*> resources;
    if (!m_pOwner)
        return resources;
    std::vector<CFlashShape*> shapes;
    for (const CFlashEditorLayer* layer : m_pOwner->GetLayerRange())
        for (const CFlashEditorFrame* span : layer->GetSpans())
            span->CollectOwnedShapes(shapes);
    // A shape object that several spans hold is listed where it is met first.
    std::unordered_set<const CFlashShape*> listed;
    for (CFlashShape* shape : shapes)
        if (listed.insert(shape).second)
            resources.push_back(shape);
    return resources;
}
