#pragma once
// The base of every tool option panel: a modeless child dialog that re-reads the stage view it is
// told about. Every live panel is in g_ToolPanels, which the main frame's notifications walk.
#include "ui/core/ExtResizableDialog.h"

#include <vector>

class CFlashEditorView;

class CFlashEditorTool : public CExtResizableDialog
{
    DECLARE_DYNAMIC(CFlashEditorTool)
public:
    CFlashEditorTool(UINT nIDTemplate, CWnd* pParentWnd);
    // Leaves g_ToolPanels, so that no notification reaches a freed panel.
    ~CFlashEditorTool() override;

    virtual void RefreshFromView(CFlashEditorView* pView);
    virtual void OnDocumentChanged(CFlashEditorView* pView);
    virtual void OnSelectionChanged(CFlashEditorView* pView);
    virtual void OnStyleChanged(CFlashEditorView* pView);

    // Set while the panel writes its controls from the view (or the view from its controls):
    // control notifications that arrive meanwhile are ignored.
    bool updating = false;
};

// Every constructed panel, in construction order.
extern std::vector<CFlashEditorTool*> g_ToolPanels;
