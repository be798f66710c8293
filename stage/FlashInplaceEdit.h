#pragma once
// The stage's multi-line text editor, laid over the stage where a text is edited. When it loses
// the focus it tells its parent through a registered message, so that the text is committed;
// Escape tells it through another, so that the typing is discarded.
#include "platform/mfc/Edit.h"

class CFlashInplaceEdit : public CEdit {
    DECLARE_DYNAMIC(CFlashInplaceEdit)
public:
    // "CFlashInplaceEdit::g_nMsgFlashInplaceEditKillFocus": WPARAM the editor's window, LPARAM 0.
    static const UINT g_nMsgFlashInplaceEditKillFocus;
    // "CFlashInplaceEdit::g_nMsgFlashInplaceEditCancel": WPARAM the editor's window, LPARAM 0.
    static const UINT g_nMsgFlashInplaceEditCancel;

    CFlashInplaceEdit() = default;

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
