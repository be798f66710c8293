#pragma once
// The edit box of a popup menu's in-place edit item. The popup's keyboard hook sees every key
// first and forwards the editing keys it would otherwise take; Enter commits the text (when the
// validation callback accepts it) and ends the menu, losing the focus without a commit reverts.
#include "ui/core/ExtPopupMenuWnd.h"

class CExtPopupMenuWnd::CInPlaceEditWnd : public CEdit
{
public:
    static constexpr BYTE FLAG_COMMITTED = 0x01;
    static constexpr UINT DLG_CODE = 0x86;  // arrows, characters and Enter

    // Sent by the popup's key handling: the selection, or the character after the caret, is
    // deleted; everything is selected.
    static const UINT g_nMsgDeleteSelection;
    static const UINT g_nMsgSelectAll;

    CInPlaceEditWnd(InplaceValidateCallback pfnValidate, InplaceCommitCallback pfnCommit,
                    InplaceWndProcHook pfnWndProc, LPARAM lParamCookie, CString* pText);

    // The window at the field, hidden, in the menu font with the stored text selected; false
    // when the window cannot be made.
    bool CreateInPopup(CExtPopupMenuWnd& popup, UINT nId, const RECT& rcEdit);
    bool IsCommitted() const { return (m_nFlags & FLAG_COMMITTED) != 0; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The object goes with its window.
    void PostNcDestroy() override;

private:
    // A key or character processed with the old text kept for the validation callback to refuse.
    LRESULT ProcessGuarded(UINT message, WPARAM wParam, LPARAM lParam);
    void Commit();
    void PostCancelToPopup();
    CString GetText() const;

    InplaceValidateCallback m_pfnValidate;
    InplaceCommitCallback m_pfnCommit;
    InplaceWndProcHook m_pfnWndProc;
    LPARAM m_lParamCookie;
    CString* m_pText;
    CString m_sTextAtCreation;
    BYTE m_nFlags = 0;
};
