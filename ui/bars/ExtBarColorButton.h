#pragma once
// A tool-bar button that drops a colour palette and shows its current colour in its icon; the
// chosen colour reaches the command target through the colour menu's registered messages.
#include "ui/bars/ExtBarButton.h"

class CExtPopupColorMenuWnd;

class CExtBarColorButton : public CExtBarButton
{
    DECLARE_DYNCREATE(CExtBarColorButton)
public:
    // What the icon shows.
    static constexpr int ICON_SOLID = 0;        // a square of the colour
    static constexpr int ICON_FRAME = 1;        // a frame of the colour
    static constexpr int ICON_LETTER = 2;       // a letter "A" over a bar of the colour
    // Menu-button flags.
    static constexpr BYTE BUTTON_DEFAULT = 0x01;
    static constexpr BYTE BUTTON_CUSTOM = 0x02;

    explicit CExtBarColorButton(CExtToolControlBar* pBar = nullptr, UINT nCmdId = 0, int nIconKind = ICON_SOLID);

    // Makes the icon anew and installs it as the command icon of the effective id.
    virtual void OnSyncIcon();
    // True: the current colour; false: the default colour.
    virtual COLORREF ColorGet(bool bCurrent) const;
    // True sets the default colour, false the current one; a change refreshes the icon.
    virtual void ColorSet(COLORREF clr, bool bDefault);
    virtual LPARAM LParamCookieGet() const;
    virtual void LParamCookieSet(LPARAM lParam);
    virtual bool IsDefaultColorBtnVisible() const;
    virtual void SetDefaultColorBtnVisible(bool bVisible);
    virtual bool IsCustomColorBtnVisible() const;
    virtual void SetCustomColorBtnVisible(bool bVisible);
    virtual CString GetDefaultColorBtnText() const;
    virtual void SetDefaultColorBtnText(LPCSTR lpszText);
    virtual CString GetCustomColorBtnText() const;
    virtual void SetCustomColorBtnText(LPCSTR lpszText);
    // The icon of the current colour, or null; the caller destroys it.
    virtual bool GenerateColorIcon(HICON* phIcon);

    int GetIconKind() const { return m_nIconKind; }

    bool CanTrackMenu() const override;
    bool CanTrackMenuEx(bool bArgument = false) const override;
    bool IsNoCtrlButton() override;
    bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override;
    int OnTrackPopup(CPoint point, bool bKeyboardStyle, bool bSelectFirst) override;
    void OnDeliverCmd() override;
    int OnHelpHitTest(CPoint point) override;

private:
    // Hands cookie, flags, colours and captions to a colour menu.
    void SetUpColorMenu(CExtPopupColorMenuWnd* pPopup) const;

    COLORREF m_clrCurrent = RGB(0, 0, 0);
    COLORREF m_clrDefault = RGB(0, 0, 0);
    LPARAM m_lParamCookie = 0;
    BYTE m_nMenuButtons = BUTTON_DEFAULT | BUTTON_CUSTOM;
    CString m_sDefaultBtnText;
    CString m_sCustomBtnText;
    int m_nIconKind = ICON_SOLID;
};
