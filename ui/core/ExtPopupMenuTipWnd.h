#pragma once
// The balloon a popup menu shows a second after the mouse comes to rest on an item: a rounded
// window with a pointer toward the item, an information icon and the item's tip text.
#include "ui/core/ExtPopupBaseWnd.h"

class CExtPopupMenuTipWnd : public CExtPopupBaseWnd
{
    DECLARE_DYNAMIC(CExtPopupMenuTipWnd)
public:
    // Pointer flags.
    static constexpr BYTE POINTER_LEFT = 0x01;  // the balloon extends to the right of the anchor
    static constexpr BYTE POINTER_TOP = 0x02;   // the pointer is on the top edge
    // The anchor lies this far right of and below the item's top-left corner.
    static constexpr int ANCHOR_OFFSET = 6;
    static constexpr UINT SHOW_DELAY_MS = 1000;
    static constexpr int TEXT_MARGIN_X = 12;
    static constexpr int TEXT_MARGIN_Y = 10;
    static constexpr int ICON_GAP = 5;
    // The pointer: its height below the body, and its tip's distance from the body's side.
    static constexpr int POINTER_HEIGHT = 25;
    static constexpr int POINTER_INSET = 12;
    static constexpr int POINTER_BASE = 25;
    static constexpr int CORNER_X = 12;
    static constexpr int CORNER_Y = 10;
    // With the pointer on top the window's top lies this far above the item's bottom.
    static constexpr int TOP_POINTER_OVERLAP = 20;

    CExtPopupMenuTipWnd();
    ~CExtPopupMenuTipWnd() override;

    // The text without leading and trailing white space (null as empty).
    void SetText(LPCSTR lpszText);
    const CString& GetText() const { return m_sText; }
    // Places the balloon to point at the item (screen coordinates) and shows it after the delay;
    // false when the window cannot be created.
    bool Show(CWnd* pPopup, const RECT* pItemRect);
    void Hide();
    BYTE GetPointerFlags() const { return m_nPointerFlags; }

    void PaintContent(CDC& dc, bool bBuffered) override;

private:
    // Measures the text and builds the window region; answers the window size.
    CSize BuildRegion(CDC& dc, const RECT& rcArea, CRgn& rgn);

    CSize m_sizeIcon{16, 16};
    HICON m_hIcon = nullptr;
    CString m_sText;
    BYTE m_nPointerFlags = 0;
};
