// The window object and its handle: the map from HWND to object, attachment and detachment.
#include "platform/mfc/Wnd.h"

#include "platform/mfc/HandleMap.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace
{
CHandleMap<HWND, CWnd>& WindowMap()
{
    static CHandleMap<HWND, CWnd> map([](HWND hWnd) { return new CWnd(hWnd); },
                                      [](CWnd* pWnd) { pWnd->m_hWnd = nullptr; });
    return map;
}
}

CWnd::CWnd() : m_hWnd(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(-1)
{
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(-1)
{
}

CWnd::~CWnd()
{
    // A window outliving its object would send messages to freed memory: destroy it first.
    if (m_hWnd != nullptr && this != &wndTop && this != &wndBottom && this != &wndTopMost &&
        this != &wndNoTopMost && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return WindowMap().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != nullptr ? WindowMap().LookupPermanent(hWnd) : nullptr;
}

void CWnd::DeleteTempMap()
{
    WindowMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    WindowMap().SetPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && FromHandlePermanent(hWnd) == this)
        WindowMap().RemovePermanent(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}
