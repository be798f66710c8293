#pragma once
// The framework's static control: its background is the surface it stands on, and its text may
// be bold, italic, underlined or struck out, coloured per state.
#include "platform/mfc/Static.h"

class CExtLabel : public CStatic
{
    DECLARE_DYNCREATE(CExtLabel)
public:
    static constexpr BYTE FONT_BOLD = 0x01;
    static constexpr BYTE FONT_ITALIC = 0x02;
    static constexpr BYTE FONT_UNDERLINE = 0x04;
    static constexpr BYTE FONT_STRIKEOUT = 0x08;
    static constexpr COLORREF DEFAULT_COLOR = static_cast<COLORREF>(-1);

    CExtLabel() = default;
    ~CExtLabel() override;

    virtual void DrawLabelText(CDC* pDC, const RECT& rc, LPCSTR lpszText, UINT nDrawTextFlags, bool bEnabled);
    virtual COLORREF GetTextColor(bool bEnabled);

    void SetFontFlags(BYTE nFlags) { m_nFontFlags = nFlags; }
    void SetTextColor(bool bEnabled, COLORREF clr) { (bEnabled ? m_clrTextEnabled : m_clrTextDisabled) = clr; }
    void SetBkColor(COLORREF clr) { m_clrBackground = clr; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();

    BYTE m_nFontFlags = 0;
    COLORREF m_clrTextEnabled = DEFAULT_COLOR;
    COLORREF m_clrTextDisabled = DEFAULT_COLOR;
    COLORREF m_clrBackground = DEFAULT_COLOR;
};
