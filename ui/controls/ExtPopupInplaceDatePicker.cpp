#include "ui/controls/ExtPopupInplaceDatePicker.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtPopupInplaceDatePicker, CExtDatePickerWnd)

const UINT CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent =
    ::RegisterWindowMessageA("CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent");

CExtPopupInplaceDatePicker::CExtPopupInplaceDatePicker() = default;

LRESULT CExtPopupInplaceDatePicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    if (message != WM_CREATE)
        return CExtDatePickerWnd::WindowProc(message, wParam, lParam);
    const LRESULT lResult = CExtDatePickerWnd::WindowProc(message, wParam, lParam);
    if (lResult == -1)
        return lResult;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(g_PaintManagerHolder->m_FontNormal.GetSafeHandle()), TRUE);
    if (m_pfnInitCallback != nullptr && m_pfnInitCallback(*this, m_pInitCookie))
        return lResult;
    const auto* pPopup = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    const HWND hWndTarget = pPopup != nullptr ? pPopup->GetCommandTargetWindow() : nullptr;
    if (hWndTarget != nullptr && ::IsWindow(hWndTarget))
        ::SendMessageA(hWndTarget, g_nMsgPopupDatePickerInitContent, reinterpret_cast<WPARAM>(this), m_lParamInit);
    return lResult;
}
