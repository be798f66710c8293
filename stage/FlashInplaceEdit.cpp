#include "stage/FlashInplaceEdit.h"

const UINT CFlashInplaceEdit::g_nMsgFlashInplaceEditKillFocus =
    ::RegisterWindowMessageA("CFlashInplaceEdit::g_nMsgFlashInplaceEditKillFocus");

IMPLEMENT_DYNAMIC(CFlashInplaceEdit, CEdit)

BEGIN_MESSAGE_MAP(CFlashInplaceEdit, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CFlashInplaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    if (HWND parent = ::GetParent(GetSafeHwnd()))
        ::SendMessageA(parent, g_nMsgFlashInplaceEditKillFocus, WPARAM(GetSafeHwnd()), 0);
}
