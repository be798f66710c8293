#include "app/panels/FlashEditorTool.h"

#include <algorithm>

std::vector<CFlashEditorTool*> g_ToolPanels;

IMPLEMENT_DYNAMIC(CFlashEditorTool, CExtResizableDialog)

CFlashEditorTool::CFlashEditorTool(UINT nIDTemplate, CWnd* pParentWnd)
    : CExtResizableDialog(nIDTemplate, pParentWnd)
{
    g_ToolPanels.push_back(this);
}

CFlashEditorTool::~CFlashEditorTool()
{
    g_ToolPanels.erase(std::remove(g_ToolPanels.begin(), g_ToolPanels.end(), this), g_ToolPanels.end());
}

void CFlashEditorTool::RefreshFromView(CFlashEditorView*)
{
}

void CFlashEditorTool::OnDocumentChanged(CFlashEditorView* pView)
{
    RefreshFromView(pView);
}

void CFlashEditorTool::OnSelectionChanged(CFlashEditorView* pView)
{
    RefreshFromView(pView);
}

void CFlashEditorTool::OnStyleChanged(CFlashEditorView* pView)
{
    RefreshFromView(pView);
}
