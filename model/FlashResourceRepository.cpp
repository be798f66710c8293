#include "model/FlashResourceRepository.h"

#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashLayerOwner.h"
#include "model/FlashShape.h"

#include <algorithm>

CFlashResourceRepository::~CFlashResourceRepository()
{
    Clear();
}

bool CFlashResourceRepository::AddShape(CFlashShape* shape, std::unique_ptr<CFlashEditorFrameShapeTransform> placement)
{
    CFlashEditorLayer* layer = m_pOwner ? m_pOwner->GetCurrentLayer() : nullptr;
    if (!shape || !layer || layer->IsLocked())
        return false;
    if (!layer->AddShape(shape, -1, std::move(placement)))
        return false;
    m_resources.push_back(shape);
    return true;
}

std::unique_ptr<CFlashShape> CFlashResourceRepository::RemoveShape(CFlashShape* shape)
{
    CFlashEditorLayer* layer = m_pOwner ? m_pOwner->GetCurrentLayer() : nullptr;
    if (!layer || layer->IsLocked())
        return nullptr;
    std::unique_ptr<CFlashShape> removed = layer->RemoveShapeFromCurrentSpan(shape);
    const auto listed = std::find(m_resources.begin(), m_resources.end(), shape);
    if (listed != m_resources.end())
        m_resources.erase(listed);
    return removed;
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
    m_resources.clear();
    m_pens.clear();
    m_brushes.clear();
}
