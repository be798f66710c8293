#include "ui/bars/ExtHookSink.h"

#include "platform/mfc/Wnd.h"

#include <memory>
#include <vector>

namespace
{
// The map's 17 buckets are its default size.
constexpr INT_PTR kHookChainsBlockSize = 10;
}

CExtHookSink::HookChainsMap_t CExtHookSink::g_HookChainsMap(kHookChainsBlockSize);

// ---------------------------------------------------------------------------------------------
// The chain of one window

INT_PTR CExtHookSink::HookSinkArray_t::Find(const CExtHookSink* pHookSink) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (GetAt(i) == pHookSink)
            return i;
    }
    return -1;
}

void CExtHookSink::HookSinkArray_t::AddHead(CExtHookSink* pHookSink)
{
    InsertAt(0, pHookSink);
}

CExtHookSink::HookChains_t::HookChains_t(HWND hWndToHook)
    : m_hWndHooked(hWndToHook),
      // The full pointer width: a procedure does not fit the 32-bit window long.
      m_pWNDPROC(reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
          hWndToHook, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CExtHookSink::HookChainsWindowProc))))
{
}

CExtHookSink::HookChains_t::~HookChains_t()
{
    Dissolve();
}

void CExtHookSink::HookChains_t::Dissolve()
{
    // Deleting an auto-delete sink takes it out of every chain: empty this one first.
    std::vector<CExtHookSink*> sinks(m_HookSinkArray.GetData(), m_HookSinkArray.GetData() + m_HookSinkArray.GetSize());
    m_HookSinkArray.RemoveAll();
    m_HookSinkArray.FreeExtra();
    for (CExtHookSink* pHookSink : sinks)
    {
        if (pHookSink->IsAutoDeleteSink())
            delete pHookSink;
    }
    if (m_pWNDPROC != nullptr)
        ::SetWindowLongPtrA(m_hWndHooked, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pWNDPROC));
    m_pWNDPROC = nullptr;
}

void CExtHookSink::HookChains_t::DestroyChains(bool bDelete)
{
    if (bDelete)
        delete this;
    else
        Dissolve();
}

LRESULT CExtHookSink::HookChains_t::ProcessMessage(UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
    // Sinks may join, leave, be destroyed or destroy the window while the message runs: walk the
    // chain as it stood at entry, call only sinks still in it, and stop once the chain is gone.
    const HWND hWnd = m_hWndHooked;
    const WNDPROC pSavedProc = m_pWNDPROC;
    const std::vector<CExtHookSink*> sinks(m_HookSinkArray.GetData(),
                                           m_HookSinkArray.GetData() + m_HookSinkArray.GetSize());
    const bool bNcDestroy = nMessage == WM_NCDESTROY;
    for (CExtHookSink* pHookSink : sinks)
    {
        if (!IsLiveChain(hWnd, this))
            return 0;
        if (m_HookSinkArray.Find(pHookSink) < 0)
            continue;
        if (bNcDestroy)
        {
            pHookSink->HandleHookedNcDestroy();
            continue;
        }
        LRESULT lResult = 0;
        if (pHookSink->DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam))
            return lResult;
    }
    if (!IsLiveChain(hWnd, this))
        return 0;
    if (bNcDestroy)
    {
        // Out of the map before the record goes: the window's own procedure may destroy
        // sinks, whose destructors walk the map.
        g_HookChainsMap.RemoveKey(hWnd);
        DestroyChains(true);
    }
    return ::CallWindowProcA(pSavedProc, hWnd, nMessage, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// The sink

CExtHookSink::CExtHookSink(bool bEnableHookedWindowDispatch)
    : m_nHookSinkFlags(bEnableHookedWindowDispatch ? DISPATCH_ENABLED : 0)
{
}

CExtHookSink::~CExtHookSink()
{
    // A chain must never call a sink that is gone.
    POSITION pos = g_HookChainsMap.GetStartPosition();
    while (pos != nullptr)
    {
        HWND hWnd = nullptr;
        HookChains_t* pChains = nullptr;
        g_HookChainsMap.GetNextAssoc(pos, hWnd, pChains);
        const INT_PTR nIndex = pChains->m_HookSinkArray.Find(this);
        if (nIndex >= 0)
            pChains->m_HookSinkArray.RemoveAt(nIndex);
    }
}

bool CExtHookSink::IsAutoDeleteSink()
{
    return false;
}

bool CExtHookSink::IsLiveChain(HWND hWnd, const HookChains_t* pChains)
{
    HookChains_t* pFound = nullptr;
    return g_HookChainsMap.Lookup(hWnd, pFound) && pFound == pChains;
}

LRESULT CExtHookSink::CallSavedProcWithParams(WPARAM wParam, LPARAM lParam)
{
    return CallSavedProc(CWnd::GetCurrentMessage()->message, wParam, lParam);
}

LRESULT CExtHookSink::CallSavedProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = CWnd::GetCurrentMessage()->hwnd;
    HookChains_t* pChains = nullptr;
    if (hWnd == nullptr || !g_HookChainsMap.Lookup(hWnd, pChains))
        return 0;
    return ::CallWindowProcA(pChains->m_pWNDPROC, hWnd, nMessage, wParam, lParam);
}

LRESULT CExtHookSink::CallSavedProcForCurrentMessage()
{
    const MSG* pMsg = CWnd::GetCurrentMessage();
    return CallSavedProc(pMsg->message, pMsg->wParam, pMsg->lParam);
}

bool CExtHookSink::DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                         LPARAM& lParam)
{
    if ((m_nHookSinkFlags & DISPATCH_ENABLED) == 0)
        return false;
    switch (nMessage)
    {
    case WM_COMMAND:
        return HandleHookedCommand(lResult, hWndHooked, HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return HandleHookedNotify(lResult, hWndHooked, wParam, lParam);
    case WM_PAINT:
        return HandleHookedPaint(lResult, hWndHooked, wParam);
    case WM_ERASEBKGND:
        return HandleHookedEraseBkgnd(lResult, hWndHooked, reinterpret_cast<HDC>(wParam));
    case WM_PRINT:
        return HandleHookedPrint(lResult, hWndHooked, reinterpret_cast<HDC>(wParam));
    case WM_NCPAINT:
        return HandleHookedNcPaint(lResult, hWndHooked, reinterpret_cast<HRGN>(wParam));
    default:
        return false;
    }
}

bool CExtHookSink::HandleHookedCommand(LRESULT&, HWND, UINT, UINT, HWND) { return false; }
bool CExtHookSink::HandleHookedNotify(LRESULT&, HWND, WPARAM, LPARAM) { return false; }
bool CExtHookSink::HandleHookedPaint(LRESULT&, HWND, WPARAM) { return false; }
bool CExtHookSink::HandleHookedEraseBkgnd(LRESULT&, HWND, HDC) { return false; }
bool CExtHookSink::HandleHookedPrint(LRESULT&, HWND, HDC) { return false; }
bool CExtHookSink::HandleHookedNcPaint(LRESULT&, HWND, HRGN) { return false; }
void CExtHookSink::HandleHookedNcDestroy() {}
void CExtHookSink::OnWindowHooked(HWND) {}
void CExtHookSink::OnWindowUnhooked(HWND) {}

bool CExtHookSink::HookWindow(HWND hWnd, bool bRemove, bool bAddToHead)
{
    if (hWnd == nullptr)
        return false;
    if (bRemove)
    {
        UnhookWindow(hWnd, true);
        return true;
    }
    if (!::IsWindow(hWnd))
        return false;
    HookChains_t* pChains = nullptr;
    if (!g_HookChainsMap.Lookup(hWnd, pChains))
    {
        auto pNewChains = std::make_unique<HookChains_t>(hWnd);
        // A window of another process refuses to be subclassed.
        if (!pNewChains->IsValid())
            return false;
        pChains = pNewChains.release();
        g_HookChainsMap.SetAt(hWnd, pChains);
    }
    else if (pChains->m_HookSinkArray.Find(this) >= 0)
    {
        return true;
    }
    if (bAddToHead)
        pChains->m_HookSinkArray.AddHead(this);
    else
        pChains->m_HookSinkArray.Add(this);
    OnWindowHooked(hWnd);
    return true;
}

void CExtHookSink::UnhookWindow(HWND hWnd, bool bAllowDelete)
{
    HookChains_t* pChains = nullptr;
    if (!g_HookChainsMap.Lookup(hWnd, pChains) || pChains->m_HookSinkArray.Find(this) < 0)
        return;
    OnWindowUnhooked(hWnd);
    // The notification may have changed the chain or destroyed the window.
    if (g_HookChainsMap.Lookup(hWnd, pChains))
    {
        const INT_PTR nIndex = pChains->m_HookSinkArray.Find(this);
        if (nIndex >= 0)
            pChains->m_HookSinkArray.RemoveAt(nIndex);
    }
    if (bAllowDelete && IsAutoDeleteSink())
        delete this;
}

void CExtHookSink::UnhookAllWindows()
{
    CList<HWND, HWND> listHookedWindows(kHookChainsBlockSize);
    GetHookedWindows(listHookedWindows);
    // An auto-delete sink leaves every window before it goes, once.
    POSITION pos = listHookedWindows.GetHeadPosition();
    while (pos != nullptr)
        UnhookWindow(listHookedWindows.GetNext(pos), false);
    if (!listHookedWindows.IsEmpty() && IsAutoDeleteSink())
        delete this;
}

bool CExtHookSink::IsHookingWindow(HWND hWnd) const
{
    HookChains_t* pChains = nullptr;
    return hWnd != nullptr && g_HookChainsMap.Lookup(hWnd, pChains) && pChains->m_HookSinkArray.Find(this) >= 0;
}

void CExtHookSink::GetHookedWindows(CList<HWND, HWND>& listHookedWindows) const
{
    listHookedWindows.RemoveAll();
    POSITION pos = g_HookChainsMap.GetStartPosition();
    while (pos != nullptr)
    {
        HWND hWnd = nullptr;
        HookChains_t* pChains = nullptr;
        g_HookChainsMap.GetNextAssoc(pos, hWnd, pChains);
        if (pChains->m_HookSinkArray.Find(this) >= 0)
            listHookedWindows.AddTail(hWnd);
    }
}

LRESULT CALLBACK CExtHookSink::HookChainsWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    MSG& msgCurrent = *CWnd::GetCurrentMessageRecord();
    const MSG msgSaved = msgCurrent;
    msgCurrent.hwnd = hWnd;
    msgCurrent.message = nMessage;
    msgCurrent.wParam = wParam;
    msgCurrent.lParam = lParam;
    LRESULT lResult = 0;
    HookChains_t* pChains = nullptr;
    if (g_HookChainsMap.Lookup(hWnd, pChains))
        lResult = pChains->ProcessMessage(nMessage, wParam, lParam);
    msgCurrent = msgSaved;
    return lResult;
}
