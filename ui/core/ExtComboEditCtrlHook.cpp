#include "ui/core/ExtComboEditCtrlHook.h"

#include "ui/core/ExtComboBox.h"
#include "ui/core/ExtTipText.h"

IMPLEMENT_DYNCREATE(CExtComboEditCtrlHook, CExtEditBase)

namespace
{
constexpr UINT FIRST_EDIT_COMMAND = 0xE120;
constexpr UINT LAST_EDIT_COMMAND = 0xE12C;
constexpr UINT COMBO_REDRAW = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME;
} // namespace

CExtComboBox* CExtComboEditCtrlHook::GetParentCombo() const
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CExtComboBox)) ? static_cast<CExtComboBox*>(pParent)
                                                                                 : nullptr;
}

void CExtComboEditCtrlHook::OnContextMenu(CWnd* pWnd, CPoint point)
{
    const WPARAM wParam = reinterpret_cast<WPARAM>(HwndOf(pWnd));
    const LPARAM lParam = MAKELPARAM(point.x, point.y);
    CExtComboBox* pCombo = GetParentCombo();
    if ((m_nEditFlags & FLAG_HANDLE_COMMANDS) == 0 || pCombo == nullptr)
    {
        CExtEditBase::WindowProc(WM_CONTEXTMENU, wParam, lParam);
        return;
    }
    if ((pCombo->GetFlags() & CExtComboBox::FLAG_EDIT_CONTEXT_MENU) == 0)
        m_nEditFlags &= ~FLAG_HANDLE_COMMANDS;
    const HWND hCombo = pCombo->m_hWnd;
    ::SetFocus(m_hWnd);
    CExtEditBase::WindowProc(WM_CONTEXTMENU, wParam, lParam);
    // The menu's reaction may have destroyed the combo.
    if (::IsWindow(hCombo))
        ::RedrawWindow(hCombo, nullptr, nullptr, COMBO_REDRAW);
}

INT_PTR CExtComboEditCtrlHook::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    auto* pThis = const_cast<CExtComboEditCtrlHook*>(this);
    if (TakeToolBarTip(pThis->m_tip, pThis, point, GetTooltipMaxWidth(), ::GetParent(m_hWnd)))
        return -1;
    return CExtEditBase::OnToolHitTest(point, pTI);
}

LRESULT CExtComboEditCtrlHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bEditCommand = message == WM_COMMAND && LOWORD(wParam) >= FIRST_EDIT_COMMAND &&
                              LOWORD(wParam) <= LAST_EDIT_COMMAND;
    if (bEditCommand || message == WM_CUT || message == WM_COPY || message == WM_PASTE || message == WM_CLEAR ||
        message == WM_UNDO)
    {
        // A change made by an edit command is not typing: it must not complete.
        if (CExtComboBox* pCombo = GetParentCombo())
            pCombo->DisarmCompletion();
    }
    if (message == WM_CONTEXTMENU)
    {
        OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                      CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    }
    return CExtEditBase::WindowProc(message, wParam, lParam);
}
