#include "ui/core/ExtPopupMenuInPlaceEditWnd.h"

#include "ui/core/ExtPaintManager.h"
#include "ui/core/ExtPaintManagerHolder.h"

const UINT CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection");
const UINT CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll");

namespace {

// The client area sits inside a thin frame: one pixel left and above, two below.
constexpr int FRAME_LEFT = 1;
constexpr int FRAME_TOP = 1;
constexpr int FRAME_BOTTOM = 2;
constexpr int CLR_WINDOW = 5;

bool IsAltDown(LPARAM lParam)
{
    constexpr LPARAM KEY_ALT_CONTEXT = LPARAM(1) << 29;
    return (lParam & KEY_ALT_CONTEXT) != 0 || (::GetKeyState(VK_MENU) & 0x8000) != 0;
}

}  // namespace

CExtPopupMenuWnd::CInPlaceEditWnd::CInPlaceEditWnd(InplaceValidateCallback pfnValidate,
                                                   InplaceCommitCallback pfnCommit, InplaceWndProcHook pfnWndProc,
                                                   LPARAM lParamCookie, CString* pText)
    : m_pfnValidate(pfnValidate), m_pfnCommit(pfnCommit), m_pfnWndProc(pfnWndProc), m_lParamCookie(lParamCookie),
      m_pText(pText), m_sTextAtCreation(pText != nullptr ? *pText : CString())
{
}

bool CExtPopupMenuWnd::CInPlaceEditWnd::CreateInPopup(CExtPopupMenuWnd& popup, UINT nId, const RECT& rcEdit)
{
    if (!Create(WS_CHILD | ES_AUTOHSCROLL, rcEdit, &popup, nId))
        return false;
    if (popup.IsRightToLeft())
        ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(g_PaintManagerHolder->m_FontNormal.GetSafeHandle()), FALSE);
    SetWindowText(m_sTextAtCreation);
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET, 0, 0);
    return true;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::PostNcDestroy()
{
    delete this;
}

CString CExtPopupMenuWnd::CInPlaceEditWnd::GetText() const
{
    CString sText;
    GetWindowText(sText);
    return sText;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::PostCancelToPopup()
{
    if (HWND hPopup = ::GetParent(m_hWnd))
        ::PostMessageA(hPopup, WM_CANCELMODE, 0, 0);
}

void CExtPopupMenuWnd::CInPlaceEditWnd::Commit()
{
    m_nFlags |= FLAG_COMMITTED;
    const CString sText = GetText();
    const HWND hWnd = m_hWnd;
    // The callback may destroy the edit, and this object with its window.
    if (m_pfnValidate != nullptr && (!m_pfnValidate(this, m_lParamCookie, sText, sText) || !::IsWindow(hWnd)))
        return;
    if (m_pfnCommit != nullptr)
        m_pfnCommit(this, m_lParamCookie, sText);
    else if (m_pText != nullptr)
        *m_pText = sText;
}

LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::ProcessGuarded(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CString sOld = GetText();
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    SetRedraw(FALSE);
    const HWND hWnd = m_hWnd;
    const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
    if (!::IsWindow(hWnd))
        return lResult;
    const CString sNew = GetText();
    if (sNew != sOld && m_pfnValidate != nullptr && !m_pfnValidate(this, m_lParamCookie, sOld, sNew)) {
        if (!::IsWindow(hWnd))
            return lResult;
        SetWindowText(sOld);
        SetSel(nStart, nEnd);
    }
    if (!::IsWindow(hWnd))
        return lResult;
    SetRedraw(TRUE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    return lResult;
}

LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // No exception may leave a window procedure through the platform's frames.
    try {
        LRESULT lHooked = 0;
        if (m_pfnWndProc != nullptr && m_pfnWndProc(&lHooked, message, wParam, lParam, this, m_lParamCookie))
            return lHooked;
        switch (message) {
        case WM_NCCALCSIZE: {
            auto* pRect = reinterpret_cast<RECT*>(lParam);
            pRect->left += FRAME_LEFT;
            pRect->top += FRAME_TOP;
            pRect->bottom -= FRAME_BOTTOM;
            return 0;
        }
        case WM_NCPAINT: {
            HDC hDC = ::GetWindowDC(m_hWnd);
            RECT rcWindow, rcClient;
            ::GetWindowRect(m_hWnd, &rcWindow);
            ::GetClientRect(m_hWnd, &rcClient);
            ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
            ::OffsetRect(&rcClient, -rcWindow.left, -rcWindow.top);
            ::OffsetRect(&rcWindow, -rcWindow.left, -rcWindow.top);
            ::ExcludeClipRect(hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
            HBRUSH hBrush = ::CreateSolidBrush(g_PaintManagerHolder->ColorByIndex(CLR_WINDOW, this));
            ::FillRect(hDC, &rcWindow, hBrush);
            ::DeleteObject(hBrush);
            ::ReleaseDC(m_hWnd, hDC);
            return 0;
        }
        case WM_GETDLGCODE:
            return DLG_CODE;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
                if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)))
                    static_cast<CExtPopupMenuWnd*>(pParent)->ReturnFocusFromInplaceEdit();
                return 0;
            }
            if (wParam == VK_RETURN) {
                const HWND hWnd = m_hWnd;
                const HWND hPopup = ::GetParent(hWnd);
                Commit();
                // Enter ends the whole menu, whatever the callbacks did to the edit.
                if (hPopup != nullptr && ::IsWindow(hPopup))
                    ::PostMessageA(hPopup, WM_CANCELMODE, 0, 0);
                return 0;
            }
            if (wParam == VK_MENU || IsAltDown(lParam)) {
                PostCancelToPopup();
                return 0;
            }
            return ProcessGuarded(message, wParam, lParam);
        case WM_CHAR:
            // Enter and Escape did their work as keys.
            if (wParam == VK_RETURN || wParam == VK_ESCAPE)
                return 0;
            return ProcessGuarded(message, wParam, lParam);
        case WM_NCDESTROY:
            // An edit destroyed on its own (by a callback) leaves its item without a window.
            if (CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
                pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)))
                static_cast<CExtPopupMenuWnd*>(pParent)->ForgetInplaceEdit(this);
            return CEdit::WindowProc(message, wParam, lParam);
        case WM_CONTEXTMENU:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return 0;
        case WM_KILLFOCUS:
            ShowWindow(SW_HIDE);
            if (!IsCommitted() && m_pText != nullptr)
                SetWindowText(*m_pText);
            return CEdit::WindowProc(message, wParam, lParam);
        default:
            break;
        }
        if (message == g_nMsgDeleteSelection) {
            int nStart = 0, nEnd = 0;
            GetSel(nStart, nEnd);
            if (nStart == nEnd) {
                SetRedraw(FALSE);
                SetSel(nStart, nStart + 1);
                SetRedraw(TRUE);
            }
            return ProcessGuarded(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
        }
        if (message == g_nMsgSelectAll) {
            SetSel(0, -1);
            return 0;
        }
        return CEdit::WindowProc(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
