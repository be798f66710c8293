#pragma once
#include <vector>

class CFlashEditorLayer;

// What the model asks of the document that owns the layers; the document implements it, so that
// layers and the resource repository depend on nothing above the model.
class CFlashLayerOwner {
public:
    // The current layer, or null when the current layer index is out of range.
    virtual CFlashEditorLayer* GetCurrentLayer() const = 0;
    // Every layer, bottom first.
    virtual const std::vector<CFlashEditorLayer*>& GetLayerRange() const = 0;

protected:
    ~CFlashLayerOwner() = default;
};
