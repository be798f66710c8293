#include "model/LayerViewState.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"

#include <algorithm>

CLayerViewState::CLayerViewState(const CFlashEditorDoc& document)
{
    for (const CFlashEditorLayer* layer : document.GetLayerRange())
        m_layers.push_back({layer->GetObjectId(), layer->IsLocked(), layer->IsVisible()});
    if (const CFlashEditorLayer* current = document.GetCurrentLayer())
        m_nCurrentId = current->GetObjectId();
}

void CLayerViewState::ApplyTo(CFlashEditorDoc& document) const
{
    const std::vector<CFlashEditorLayer*>& layers = document.GetLayerRange();
    for (size_t i = 0; i < layers.size(); ++i) {
        const int id = layers[i]->GetObjectId();
        auto kept = std::find_if(m_layers.begin(), m_layers.end(), [id](const CEntry& entry) { return entry.id == id; });
        if (kept == m_layers.end())
            continue;
        layers[i]->SetLocked(kept->locked);
        layers[i]->SetVisible(kept->visible);
        if (id == m_nCurrentId)
            document.SetCurrentLayer(int(i) + 1);
    }
}
