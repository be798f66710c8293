#include "platform/mfc/MiniFrameWnd.h"

#include "platform/mfc/Globals.h"

namespace
{
constexpr const char* kMiniFrameClass = "AfxMiniFrame";
}

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    m_strTitle = lpWindowName != nullptr ? lpWindowName : "";
    if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME))
        dwStyle |= WS_THICKFRAME;
    dwExStyle |= WS_EX_TOOLWINDOW;
    // Only a child window has an id; a pop-up's menu slot stays empty.
    UINT nChildID = (dwStyle & WS_CHILD) ? nID : 0;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nChildID, lpParam);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
    {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kMiniFrameClass;
        if (!AfxRegisterClass(&wc))
            return FALSE;
        cs.lpszClass = kMiniFrameClass;
    }
    return TRUE;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    // A synchronised caption shows the owner's activation rather than its own.
    if (GetStyle() & MFS_SYNCACTIVE)
    {
        CWnd* pOwner = GetTopLevelOwner();
        if (pOwner != nullptr && pOwner != this && ::GetActiveWindow() == pOwner->m_hWnd)
            bActive = TRUE;
    }
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}
