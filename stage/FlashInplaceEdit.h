#pragma once
// The stage's multi-line text editor, laid over the stage where a text is edited. When it loses
// the focus it tells its parent through a registered message, so that the text is committed.
#include "platform/mfc/Edit.h"

class CFlashInplaceEdit : public CEdit {
    DECLARE_DYNAMIC(CFlashInplaceEdit)
public:
    // "CFlashInplaceEdit::g_nMsgFlashInplaceEditKillFocus": WPARAM the editor's window, LPARAM 0.
    static const UINT g_nMsgFlashInplaceEditKillFocus;

    CFlashInplaceEdit() = default;

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()
};
