#pragma once
// What the timeline shows of a document's layers without it being an edit: each layer's lock
// and visibility and which layer is current. A history step reads the whole document back;
// this keeps those as the user left them for the layers found again (by object identifier,
// which the snapshots keep).
#include <vector>

class CFlashEditorDoc;

class CLayerViewState {
public:
    explicit CLayerViewState(const CFlashEditorDoc& document);
    void ApplyTo(CFlashEditorDoc& document) const;

private:
    struct CEntry {
        int id;
        bool locked;
        bool visible;
    };
    std::vector<CEntry> m_layers;
    // The current layer's identifier; 0 when the document had none.
    int m_nCurrentId = 0;
};
