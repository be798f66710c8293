#pragma once
// A button whose image is a square of its current colour and whose click opens the colour
// popup menu; a custom colour is picked in a colour dialog.
#include "ui/core/ExtButton.h"

class CExtColorButton : public CExtButton
{
    DECLARE_DYNCREATE(CExtColorButton)
public:
    // The colour the popup reports for "no colour"; stored as black.
    static constexpr COLORREF NO_COLOR = 0xFFFFFFFFu;

    CExtColorButton();

    void OnClick(bool bKeyboard, bool bArrowPart) override;
    bool TrackDropDownMenu(bool bKeyboard) override;
    void DrawButton(CDC& dc, bool bTransparentBackground, bool bRightToLeft) override;
    // The image shown on the button: a 16 x 16 square of the current colour.
    virtual void MakeColorIcon(HICON* phIcon, bool* pbDestroyAfterUse);

    // Empty captions leave the popup's own.
    CString m_sBtnTextColorDefault;
    CString m_sBtnTextColorCustom;
    bool m_bEnableBtnColorDefault = true;
    bool m_bEnableBtnColorCustom = true;
    bool m_bUseStdColorDlg = true;
    COLORREF m_clrDefault = static_cast<COLORREF>(-1);
    COLORREF m_clrSelected = RGB(0, 0, 0);
    LPARAM m_lParamCookie = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The popup asked for a custom colour; 0 when none was chosen.
    LRESULT OnCustomColor(LPARAM lParam);
    LRESULT SendToParent(UINT message, WPARAM wParam, LPARAM lParam);
};
