#include "ui/core/ExtComboEditCtrlHook.h"

#include "ui/core/ExtComboBox.h"

IMPLEMENT_DYNCREATE(CExtComboEditCtrlHook, CExtEditBase)

namespace
{
constexpr UINT FIRST_EDIT_COMMAND = 0xE120;
constexpr UINT LAST_EDIT_COMMAND = 0xE12C;
} // namespace

LRESULT CExtComboEditCtrlHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bEditCommand = message == WM_COMMAND && LOWORD(wParam) >= FIRST_EDIT_COMMAND &&
                              LOWORD(wParam) <= LAST_EDIT_COMMAND;
    if (bEditCommand || message == WM_CUT || message == WM_COPY || message == WM_PASTE || message == WM_CLEAR ||
        message == WM_UNDO)
    {
        // A change made by an edit command is not typing: it must not complete.
        CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
        if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CExtComboBox)))
            static_cast<CExtComboBox*>(pParent)->DisarmCompletion();
    }
    return CExtEditBase::WindowProc(message, wParam, lParam);
}
