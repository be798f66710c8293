#include "tests/ui/core/ControlPopupTestSupport.h"

#include "ui/core/ExtPopupInplaceListBox.h"

namespace {

constexpr char OWNER_CLASS[] = "ControlPopupTestOwner";
// Key-downs closer together than the popups' repeat interval are dropped.
constexpr DWORD KEY_SETTLE_MS = 60;
constexpr DWORD MOUSE_SETTLE_MS = 60;

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    std::vector<INPUT> inputs;
    for (const auto& [vk, bUp] : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(KEY_SETTLE_MS);
}

void SendMouse(DWORD dwFlags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    ::SendInput(1, &in, sizeof(INPUT));
    PumpFor(MOUSE_SETTLE_MS);
}

}  // namespace

CListOwnerWindow::CListOwnerWindow(const RECT& rc) : m_rc(rc)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = &WndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = OWNER_CLASS;
    wc.hbrBackground = ::CreateSolidBrush(BACKDROP);
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, OWNER_CLASS, "", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                               rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Prepare();
}

CListOwnerWindow::~CListOwnerWindow()
{
    if (::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

void CListOwnerWindow::Prepare()
{
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    // A cursor resting where a popup opens would hover its items.
    ::SetCursorPos(m_rc.right - 10, m_rc.bottom - 10);
    PumpFor(60);
    m_notices.clear();
    m_commands.clear();
}

int CListOwnerWindow::CountNotices(UINT nMessage) const
{
    int nCount = 0;
    for (const Notice& notice : m_notices)
        nCount += notice.nMessage == nMessage ? 1 : 0;
    return nCount;
}

LRESULT CALLBACK CListOwnerWindow::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pThis = reinterpret_cast<CListOwnerWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pThis != nullptr)
        return pThis->OnMessage(message, wParam, lParam);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CListOwnerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    using List = CExtPopupInplaceListBox;
    if (message == WM_COMMAND) {
        m_commands.push_back(LOWORD(wParam));
        return 0;
    }
    if (message == List::g_nMsgPopupListBoxInitContent) {
        auto* pList = reinterpret_cast<List*>(wParam);
        for (const std::string& item : m_items)
            pList->AddString(item.c_str());
        if (m_nInitialSelection >= 0)
            pList->SetCurSel(m_nInitialSelection);
        m_notices.push_back({message, -1});
        return 0;
    }
    if (message == List::g_nMsgPopupListBoxItemMeasure) {
        reinterpret_cast<List::ItemMeasureData*>(wParam)->m_pMeasure->itemHeight = ITEM_HEIGHT;
        return TRUE;
    }
    if (message == List::g_nMsgPopupListBoxItemDraw) {
        const DRAWITEMSTRUCT* pDraw = reinterpret_cast<List::ItemDrawData*>(wParam)->m_pDraw;
        if (pDraw->itemID == static_cast<UINT>(-1))
            return TRUE;
        const bool bSelected = (pDraw->itemState & ODS_SELECTED) != 0;
        ::SetBkColor(pDraw->hDC, bSelected ? SELECTED : ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(pDraw->hDC, bSelected ? RGB(255, 255, 255) : ::GetSysColor(COLOR_WINDOWTEXT));
        char szText[256] = {};
        ::SendMessageA(pDraw->hwndItem, LB_GETTEXT, pDraw->itemID, reinterpret_cast<LPARAM>(szText));
        RECT rc = pDraw->rcItem;
        ::ExtTextOutA(pDraw->hDC, rc.left + 4, rc.top + 2, ETO_OPAQUE, &rc, szText,
                      static_cast<UINT>(::lstrlenA(szText)), nullptr);
        return TRUE;
    }
    if (message == List::g_nMsgPopupListBoxSelEndOK || message == List::g_nMsgPopupListBoxSelEndCancel ||
        message == List::g_nMsgPopupListBoxSelChange) {
        m_notices.push_back({message, reinterpret_cast<List::SelectionData*>(wParam)->m_nSelection});
        return 0;
    }
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void PressKey(WORD vk)
{
    SendKeys({{vk, false}, {vk, true}});
}

void PressKeyWith(WORD vkModifier, WORD vk)
{
    SendKeys({{vkModifier, false}, {vk, false}, {vk, true}, {vkModifier, true}});
}

void MoveCursorTo(POINT ptScreen)
{
    // Two steps: a move to the very point the cursor rests on reports nothing.
    ::SetCursorPos(ptScreen.x - 1, ptScreen.y);
    PumpFor(10);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &in, sizeof(INPUT));
    PumpFor(MOUSE_SETTLE_MS);
}

void ClickAt(POINT ptScreen)
{
    MoveCursorTo(ptScreen);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void PumpFor(DWORD dwMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < dwMilliseconds);
}

POINT ItemCentreOnScreen(HWND hWndList, int nItem)
{
    RECT rc{};
    ::SendMessageA(hWndList, LB_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&rc));
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(hWndList, &pt);
    return pt;
}

