#pragma once
// A dialog's push, check or radio button painted by the current paint manager, with hover and
// pressed looks, its own tip, normal and hover icons and an optional drop-down menu.
#include "platform/mfc/Button.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/ToolTipCtrl.h"
#include "ui/core/ExtMouseCaptureSink.h"

class CDC;
class CExtPopupBaseWnd;
class CExtPopupMenuWnd;

class CExtButton : public CButton, public CExtMouseCaptureSink
{
    DECLARE_DYNCREATE(CExtButton)
public:
    // Flag bits.
    static constexpr BYTE FLAG_FOCUS_RECT = 0x01;
    static constexpr BYTE FLAG_PM_OPTION = 0x02;
    static constexpr BYTE FLAG_HOVER = 0x04;
    static constexpr BYTE FLAG_PUSHED = 0x08;
    static constexpr BYTE FLAG_MOUSE_PRESSED = 0x10;
    static constexpr BYTE FLAG_KEY_PRESSED = 0x20;
    static constexpr BYTE FLAG_SEPARATE_ARROW = 0x40;
    static constexpr BYTE FLAG_MENU_CHOOSES_COMMAND = 0x80;
    // Options.
    static constexpr BYTE OPTION_TAKE_CHOSEN_COMMAND = 0x01;  // text and icon of the command chosen
    // Pressed parts.
    static constexpr int PART_NONE = 0;
    static constexpr int PART_BUTTON = 1;
    static constexpr int PART_ARROW = 2;
    static constexpr int TOOLTIP_MAX_WIDTH = 250;
    static constexpr int COLOR_COUNT = 5;

    CExtButton();
    ~CExtButton() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual bool IsButtonEnabled() const;
    virtual void OnClick(bool bKeyboard, bool bArrowPart);
    // The popup menus open the drop-down; without them nothing is tracked.
    virtual bool TrackDropDownMenu(bool bKeyboard);
    virtual bool HasDropDownMenu() const;
    virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
    virtual int GetTooltipMaxWidth() const;
    virtual void DrawButton(CDC& dc, bool bTransparentBackground, bool bRightToLeft);
    virtual void GetWindowTextString(CString& strOut) const;
    virtual HFONT GetParentFont() const;

    // Setting only one icon uses it for both looks; the button owns the icons.
    void SetIcons(HICON hIconHover, HICON hIconNormal = nullptr);
    bool SetIconsFromResource(UINT nIdHover, UINT nIdNormal = 0);
    void SetTipText(LPCSTR lpszText, bool bActivate = true);
    int GetCheckState() const { return m_nCheck; }
    BYTE GetFlags() const { return m_nFlags; }
    int GetButtonType() const { return m_nButtonType; }
    UINT GetTextAlignment() const { return m_nTextAlignment; }

    CMenu m_menu;
    DWORD m_dwMenuAlignment = 4;
    int m_nLeftBandWidth = 0;
    BYTE m_nOptions = 0;
    HCURSOR m_hCursor = nullptr;
    COLORREF m_colors[COLOR_COUNT];

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Inside a tool bar the bar's tip stands for the control's.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

    // What a derived button paints differently from the dialog button.
    struct DrawOptions
    {
        bool bOwnIcons = true;       // the hover or normal icon; else hIcon
        HICON hIcon = nullptr;
        bool bCheckGlyphs = true;    // check and radio types show their glyph
        bool bFocusAllowed = true;
        bool bOptionAllowed = true;  // flags bit 1 reaches the paint manager
        bool bParentFont = true;
    };
    void DrawButtonWith(CDC& dc, bool bTransparentBackground, bool bRightToLeft, const DrawOptions& options);
    // Who owns a drop-down popup: inside a control bar the frame above the bars (the frame owning
    // a floating mini frame) with the side code of the dock bar holding them; else the parent.
    struct DropDownOwner
    {
        HWND hWnd = nullptr;
        int nDockSide = 0;
        bool bInBar = false;
    };
    DropDownOwner FindDropDownOwner() const;
    // Alignment flags with the dock side's code in their low bits.
    DWORD MenuAlignmentFor(const DropDownOwner& owner) const;

    // Paints the button (the cookie's window) into its menu's exclude area.
    static void PaintIntoExcludeArea(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup, const RECT* pExclude,
                                     int nSide);
    // The button shows the command's toolbar text (else its menu text) and a copy of its icon.
    void TakeCommandLook(UINT nCmdId);

    // The part under the cursor: none off the window, the arrow part at its right edge.
    int HitTestPart() const;
    void SetFlag(BYTE nFlag, bool bOn);
    void PaintBuffered(CDC& dc);
    bool IsPushType() const;
    // Sends the click to the parent; false when the reaction destroyed the button.
    bool NotifyParent();

    UINT m_nTextAlignment = DT_CENTER | DT_VCENTER;
    int m_nButtonType = BS_PUSHBUTTON;
    int m_nCheck = BST_UNCHECKED;
    BYTE m_nFlags = FLAG_FOCUS_RECT | FLAG_PM_OPTION;
    int m_nPressedPart = PART_NONE;
    CToolTipCtrl m_tip;
    HICON m_hIconHover = nullptr;
    HICON m_hIconNormal = nullptr;
    // Set by the destructor for a handler still on the stack.
    bool* m_pbDestroyed = nullptr;
};
