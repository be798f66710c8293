#pragma once
// Argument records of the paint manager's drawing slots. Each starts with the object being
// painted and an LPARAM; callers build them on the stack.
#include "platform/mfc/Afx.h"

struct CExtDrawCaptionButtonArgs
{
    CExtDrawCaptionButtonArgs(CObject* pOwner, const RECT& rc, int nGlyph, bool bHover, bool bPushed, bool bEnabled,
                              bool bBarCaption = false, bool bCaptionActive = false, bool bFloating = false,
                              LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_rc(rc), m_nGlyph(nGlyph), m_bHover(bHover), m_bPushed(bPushed),
          m_bEnabled(bEnabled), m_bBarCaption(bBarCaption), m_bCaptionActive(bCaptionActive), m_bFloating(bFloating)
    {
    }
    CObject* m_pOwner;
    LPARAM m_lParam;
    RECT m_rc;
    int m_nGlyph;
    bool m_bHover, m_bPushed, m_bEnabled, m_bBarCaption, m_bCaptionActive, m_bFloating;
};

struct CExtDrawBarFrameArgs
{
    CExtDrawBarFrameArgs(CObject* pOwner, const RECT& rcOuter, const RECT& rcClient, bool bFloating,
                         bool bResizable, bool bFixedSize, LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_rcOuter(rcOuter), m_rcClient(rcClient), m_bFloating(bFloating),
          m_bResizable(bResizable), m_bFixedSize(bFixedSize)
    {
    }
    CObject* m_pOwner;
    LPARAM m_lParam;
    RECT m_rcOuter;
    RECT m_rcClient;
    bool m_bFloating, m_bResizable, m_bFixedSize;
};

struct CExtDrawBarBordersArgs
{
    // Border kinds.
    static constexpr int BORDER_BAR_FRAME = 1;
    static constexpr int BORDER_3D_PANE = 2;
    // Side flags of the style.
    static constexpr DWORD SIDE_LEFT = 0x100;
    static constexpr DWORD SIDE_TOP = 0x200;
    static constexpr DWORD SIDE_RIGHT = 0x400;
    static constexpr DWORD SIDE_BOTTOM = 0x800;
    static constexpr DWORD SIDES = 0xF00;
    static constexpr DWORD SECOND_LINE = 0x80;

    CExtDrawBarBordersArgs(CObject* pBar, int nBorderKind, DWORD dwStyle, const RECT& rc, LPARAM lParam = 0)
        : m_pBar(pBar), m_lParam(lParam), m_nBorderKind(nBorderKind), m_dwStyle(dwStyle), m_rc(rc)
    {
    }
    CObject* m_pBar;
    LPARAM m_lParam;
    int m_nBorderKind;
    DWORD m_dwStyle;
    RECT m_rc;
};

struct CExtDrawEditFrameArgs
{
    CExtDrawEditFrameArgs(CObject* pOwner, const RECT& rc, bool bOwnerFlag, bool bHighlight, bool bEnabled,
                          bool bFocused, LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_rc(rc), m_bOwnerFlag(bOwnerFlag), m_bHighlight(bHighlight),
          m_bEnabled(bEnabled), m_bFocused(bFocused)
    {
    }
    CObject* m_pOwner;
    LPARAM m_lParam;
    RECT m_rc;
    // The two highlight states (hovered and focused) raise the frame.
    bool m_bOwnerFlag, m_bHighlight, m_bEnabled, m_bFocused;
};

class CExtCmdIcon;

struct CExtDrawPushButtonArgs
{
    CExtDrawPushButtonArgs(CObject* pOwner, bool bHorizontal, const RECT& rc, LPCSTR pszText, CExtCmdIcon* pIcon,
                           bool bFlat, bool bHover, bool bPushed, bool bIndeterminate, bool bEnabled,
                           bool bBorderWhenHot, bool bFocus, UINT nTextAlignment = DT_CENTER | DT_VCENTER,
                           HFONT hFont = nullptr, bool bDefault = false, UINT nGlyphCmd = 0, bool bDropDown = false,
                           bool bTransparent = false, LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_bHorizontal(bHorizontal), m_rc(rc),
          m_strText(pszText != nullptr ? pszText : ""), m_pIcon(pIcon), m_bFlat(bFlat),
          m_bHover(bEnabled && bHover), m_bPushed(bPushed), m_bIndeterminate(bEnabled && bIndeterminate),
          m_bEnabled(bEnabled), m_bBorderWhenHot(bBorderWhenHot), m_bFocus(bEnabled && bFocus),
          m_nTextAlignment(nTextAlignment), m_hFont(hFont), m_bDefault(bDefault), m_nGlyphCmd(nGlyphCmd),
          m_bDropDown(bDropDown), m_bTransparent(bTransparent)
    {
    }
    // Right to left when forced, or when the owner lays itself out so.
    bool IsRightToLeft() const;

    CObject* m_pOwner;
    LPARAM m_lParam;
    bool m_bHorizontal;
    RECT m_rc;
    CString m_strText;
    CExtCmdIcon* m_pIcon;
    bool m_bFlat, m_bHover, m_bPushed, m_bIndeterminate, m_bEnabled, m_bBorderWhenHot, m_bFocus;
    UINT m_nTextAlignment;
    HFONT m_hFont;
    bool m_bDefault;
    UINT m_nGlyphCmd;
    bool m_bDropDown, m_bTransparent;
    // Set by a bar button after construction.
    bool m_bSplit = false, m_bArrowPressed = false, m_bMultiLine = false;
    COLORREF m_clrForceTextDisabled = COLORREF(-1);
    COLORREF m_clrForceTextNormal = COLORREF(-1);
    COLORREF m_clrForceTextHover = COLORREF(-1);
    COLORREF m_clrForceTextPressed = COLORREF(-1);
    COLORREF m_clrForceBk = COLORREF(-1);
    bool m_bForceRtl = false, m_bRtlReading = false;
};

struct CExtDrawMenuItemArgs
{
    CExtDrawMenuItemArgs(CObject* pOwner, const RECT& rcSelection, const RECT& rcItem, int nIconBandWidth,
                         LPCSTR pszText, LPCSTR pszAccelText, CExtCmdIcon* pIcon, bool bPopup, bool bSelected,
                         bool bChecked, bool bRadio, bool bIndeterminate, bool bEnabled, bool bRarelyUsed = false,
                         bool bRarelyUsedAbove = false, bool bRarelyUsedBelow = false, LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_rcSelection(rcSelection), m_rcItem(rcItem),
          m_nIconBandWidth(nIconBandWidth), m_strText(pszText != nullptr ? pszText : ""),
          m_strAccelText(pszAccelText != nullptr ? pszAccelText : ""), m_pIcon(pIcon), m_bPopup(bPopup),
          m_bSelected(bSelected), m_bChecked(bChecked), m_bRadio(bRadio), m_bIndeterminate(bIndeterminate),
          m_bEnabled(bEnabled), m_bRarelyUsed(bRarelyUsed), m_bRarelyUsedAbove(bRarelyUsedAbove),
          m_bRarelyUsedBelow(bRarelyUsedBelow)
    {
    }
    // Right to left when the owner popup lays itself out so.
    bool IsRightToLeft() const;

    CObject* m_pOwner;
    LPARAM m_lParam;
    RECT m_rcSelection;
    RECT m_rcItem;
    int m_nIconBandWidth;
    CString m_strText;
    CString m_strAccelText;
    CExtCmdIcon* m_pIcon;
    bool m_bPopup, m_bSelected, m_bChecked, m_bRadio, m_bIndeterminate, m_bEnabled;
    bool m_bRarelyUsed, m_bRarelyUsedAbove, m_bRarelyUsedBelow;
    // Set by the popup menu after construction.
    bool m_bNoIconBand = false, m_bGlyphArrow = false, m_bSplitPopup = false;
    bool m_bCheckColumn = false, m_bCheckedInColumn = false;
    UINT m_nGlyphCmd = 0;
    RECT m_rcInplaceEdit{};
    CString m_strInplaceEdit;
    bool m_bInplaceDropPushed = false;
};

struct CExtDrawBarCaptionArgs
{
    static constexpr BYTE PAINTED_BACKGROUND = 0x03;
    static constexpr BYTE PAINTED_RIGHT_TO_LEFT = 0x04;

    CExtDrawBarCaptionArgs(CObject* pOwner, const RECT& rcCaption, const RECT& rcText, bool bActive, bool bFloating,
                           bool bSideCaption, bool bBarCaption, LPCSTR pszText = "", LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_rcCaption(rcCaption), m_rcText(rcText), m_bActive(bActive),
          m_bFloating(bFloating), m_bSideCaption(bSideCaption), m_bBarCaption(bBarCaption),
          m_strText(pszText != nullptr ? pszText : "")
    {
    }
    bool IsBackgroundDone() const { return (m_nPainted & PAINTED_BACKGROUND) != 0; }
    bool IsRightToLeft() const { return (m_nPainted & PAINTED_RIGHT_TO_LEFT) != 0; }

    CObject* m_pOwner;
    LPARAM m_lParam;
    RECT m_rcCaption;
    RECT m_rcText;
    bool m_bActive, m_bFloating, m_bSideCaption, m_bBarCaption;
    CString m_strText;
    BYTE m_nPainted = 0;
};

struct CExtDrawComboFrameArgs
{
    CExtDrawComboFrameArgs(CObject* pOwner, const RECT& rc, bool bHover, bool bPushed, bool bEnabled,
                           LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_rc(rc), m_bHover(bHover), m_bPushed(bPushed), m_bEnabled(bEnabled)
    {
    }
    CObject* m_pOwner;
    LPARAM m_lParam;
    RECT m_rc;
    bool m_bHover, m_bPushed, m_bEnabled;
    // Stands in for the button, line and fill colours; -1 for the theme's.
    COLORREF m_clrForceButton = COLORREF(-1);
    COLORREF m_clrForceFrameOuter = COLORREF(-1);
    COLORREF m_clrForceFrameOuterHot = COLORREF(-1);
    bool m_bNoOuterFrame = false;
};

struct CExtDrawIconTextItemArgs
{
    static constexpr DWORD PUSHED = 0x01;
    static constexpr DWORD HOVER = 0x02;
    static constexpr DWORD VERTICAL = 0x04;
    static constexpr DWORD INFO_COLORS = 0x10;
    static constexpr DWORD FIRST_ICON = 0x40;
    static constexpr DWORD TIP_STYLE = 0x80000000;

    CExtDrawIconTextItemArgs(CObject* pOwner, DWORD dwFlags, const RECT& rcIcon, const RECT& rcText,
                             const RECT& rcClip, LPCSTR pszText, HFONT hFont, CExtCmdIcon* pIconFirst,
                             CExtCmdIcon* pIconSecond, LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_dwFlags(dwFlags), m_rcIcon(rcIcon), m_rcText(rcText),
          m_rcClip(rcClip), m_strText(pszText != nullptr ? pszText : ""), m_hFont(hFont), m_pIconFirst(pIconFirst),
          m_pIconSecond(pIconSecond)
    {
    }
    bool Has(DWORD dwFlag) const { return (m_dwFlags & dwFlag) != 0; }

    CObject* m_pOwner;
    LPARAM m_lParam;
    DWORD m_dwFlags;
    RECT m_rcIcon;
    RECT m_rcText;
    RECT m_rcClip;
    CString m_strText;
    HFONT m_hFont;
    CExtCmdIcon* m_pIconFirst;
    CExtCmdIcon* m_pIconSecond;
};

struct CExtDrawTextFieldArgs
{
    static constexpr DWORD DROP_BUTTON = 0x01;
    static constexpr DWORD HOVER = 0x02;
    static constexpr DWORD PUSHED = 0x04;
    static constexpr DWORD ENABLED = 0x08;

    CExtDrawTextFieldArgs(CObject* pOwner, DWORD dwFlags, const RECT& rcFrame, const RECT& rcField, LPCSTR pszText,
                          UINT nFormat = DT_SINGLELINE | DT_NOPREFIX, LPARAM lParam = 0)
        : m_pOwner(pOwner), m_lParam(lParam), m_dwFlags(dwFlags), m_rcFrame(rcFrame), m_rcField(rcField),
          m_strText(pszText != nullptr ? pszText : ""), m_nFormat(nFormat)
    {
    }
    bool Has(DWORD dwFlag) const { return (m_dwFlags & dwFlag) != 0; }

    CObject* m_pOwner;
    LPARAM m_lParam;
    DWORD m_dwFlags;
    RECT m_rcFrame;
    RECT m_rcField;
    CString m_strText;
    UINT m_nFormat;
};
