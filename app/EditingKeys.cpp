#include "app/EditingKeys.h"

namespace {

bool IsEditControl(HWND window)
{
    char name[8] = {};
    return window != nullptr && ::GetClassNameA(window, name, int(sizeof name)) > 0 && ::lstrcmpiA(name, "Edit") == 0;
}

bool IsEditingKey(WPARAM key)
{
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    const bool alt = ::GetKeyState(VK_MENU) < 0;
    switch (key) {
    case VK_DELETE:
    case VK_BACK:
    case VK_INSERT:
        return true;
    case 'A':
    case 'C':
    case 'V':
    case 'X':
    case 'Y':
    case 'Z':
        return control && !alt;
    default:
        return false;
    }
}

} // namespace

bool IsEditingKeyForEditControl(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    return IsEditingKey(msg.wParam) && IsEditControl(msg.hwnd);
}
