#include "platform/mfc/OleDropSource.h"

#include "platform/mfc/Wnd.h"

namespace
{
constexpr UINT kDefaultDragDelay = 200;  // milliseconds, as the system's default
}

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

UINT COleDropSource::nDragDelay = ::GetProfileIntA("windows", "DragDelay", kDefaultDragDelay);

COleDropSource::COleDropSource()
{
    m_xDropSource.m_pThis = this;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & m_dwButtonCancel) != 0)
    {
        m_bDragStarted = FALSE;
        return DRAGDROP_S_CANCEL;
    }
    if ((dwKeyState & m_dwButtonDrop) == 0)
        return m_bDragStarted ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd)
{
    m_bDragStarted = FALSE;
    if (m_rectStartDrag.IsRectEmpty())
    {
        m_bDragStarted = TRUE;
        return TRUE;
    }
    HWND hWnd = HwndOf(pWnd);
    if (hWnd != nullptr)
        ::SetCapture(hWnd);
    DWORD dwStart = ::GetTickCount();
    BOOL bResult = TRUE;
    for (;;)
    {
        if (::GetTickCount() - dwStart >= nDragDelay)
            break;
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, nDragDelay, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            bResult = FALSE;
            break;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_CANCELMODE ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
        {
            bResult = FALSE;
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            POINT pt;
            ::GetCursorPos(&pt);
            if (!m_rectStartDrag.PtInRect(pt))
                break;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (hWnd != nullptr && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bDragStarted = bResult;
    return bResult;
}

HRESULT STDMETHODCALLTYPE COleDropSource::XDropSource::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource))
    {
        *ppv = static_cast<IDropSource*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleDropSource::XDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    return m_pThis->QueryContinueDrag(fEscapePressed, grfKeyState);
}

HRESULT STDMETHODCALLTYPE COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect)
{
    return m_pThis->GiveFeedback(dwEffect);
}
