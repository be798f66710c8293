#pragma once
// The stage view a panel's change goes to: the active document window's, or null when none is
// active (the change then stays in the panel).
#include "app/FlashEditorMainFrame.h"

inline CFlashEditorView* ActiveStageView()
{
    auto* pMain = dynamic_cast<CFlashEditorMainFrame*>(AfxGetMainWnd());
    return pMain != nullptr ? pMain->GetActiveStageView() : nullptr;
}
