#include "stage/DrawTextTool.h"

#include "stage/FlashInplaceEdit.h"

void CDrawTextTool::Deactivate()
{
    HideEditor();
    Commit();
}

void CDrawTextTool::Commit()
{
    // No text is being edited until the text tool gets its operations.
}

void CDrawTextTool::HideEditor()
{
    if (m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr && m_pEditor->IsWindowVisible())
        m_pEditor->ShowWindow(SW_HIDE);
}
