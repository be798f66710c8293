#include "stage/FlashInplaceEdit.h"

const UINT CFlashInplaceEdit::g_nMsgFlashInplaceEditKillFocus =
    ::RegisterWindowMessageA("CFlashInplaceEdit::g_nMsgFlashInplaceEditKillFocus");

const UINT CFlashInplaceEdit::g_nMsgFlashInplaceEditCancel =
    ::RegisterWindowMessageA("CFlashInplaceEdit::g_nMsgFlashInplaceEditCancel");

IMPLEMENT_DYNAMIC(CFlashInplaceEdit, CEdit)

BEGIN_MESSAGE_MAP(CFlashInplaceEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CFlashInplaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    if (HWND parent = ::GetParent(GetSafeHwnd()))
        ::SendMessageA(parent, g_nMsgFlashInplaceEditKillFocus, WPARAM(GetSafeHwnd()), 0);
}

void CFlashInplaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        if (HWND parent = ::GetParent(GetSafeHwnd()))
            ::SendMessageA(parent, g_nMsgFlashInplaceEditCancel, WPARAM(GetSafeHwnd()), 0);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}
