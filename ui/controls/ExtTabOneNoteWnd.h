#pragma once
// A tab strip drawn like the tabs of a paper notebook: every tab has its own pair of pastel
// colours, tabs overlap with a sloped leading edge, and the page beside the strip takes the
// colour of the selected tab.
#include "ui/controls/ExtTabWnd.h"

class CExtTabOneNoteWnd : public CExtTabWnd
{
    DECLARE_DYNCREATE(CExtTabOneNoteWnd)
public:
    static constexpr int AUTO_COLOR_COUNT = 7;
    // Passing this as either colour takes the next automatic pair.
    static constexpr COLORREF AUTO_COLOR = COLORREF(-1);
    // The style a strip made from a dialog template gets.
    static constexpr DWORD TEMPLATE_STYLE = 0x105340;
    // The first tab is this much longer along the strip, and later tabs slide this far under
    // their predecessor's slope.
    static constexpr int SLOPE_LENGTH = 16;
    static constexpr int TAB_THICKNESS = 19;

    class TAB_ITEM_INFO_ONENOTE : public TAB_ITEM_INFO
    {
    public:
        TAB_ITEM_INFO_ONENOTE(CExtTabWnd* pOwner, TAB_ITEM_INFO* pPrev, TAB_ITEM_INFO* pNext, LPCSTR lpszText,
                              HICON hIcon, bool bCopyIcon, DWORD dwFlags, LPARAM lParam, COLORREF clrLight,
                              COLORREF clrDark);
        COLORREF GetColorLight() const { return m_clrLight; }
        COLORREF GetColorDark() const { return m_clrDark; }

    private:
        COLORREF m_clrLight;
        COLORREF m_clrDark;
    };

    CExtTabOneNoteWnd() = default;

    // The light and dark colour of an automatic pair; a negative index gives the face colour.
    static void GetAutoColors(int nIndex, COLORREF& clrLight, COLORREF& clrDark);

    // The plain insertion gives the item the next automatic pair.
    using CExtTabWnd::InsertTabItem;
    TAB_ITEM_INFO* InsertTabItem(LPCSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwFlags, int nIndex,
                                 LPARAM lParam, COLORREF clrLight, COLORREF clrDark, bool bRedraw = true);
    // Outline, inner outline, gradient start and end, and text of a tab; an item that is not hot
    // fills with its own pair.
    virtual void GetItemColors(int nIndex, bool bSelected, bool bHot, COLORREF* pclrOutline = nullptr,
                               COLORREF* pclrInnerOutline = nullptr, COLORREF* pclrGradientStart = nullptr,
                               COLORREF* pclrGradientEnd = nullptr, COLORREF* pclrText = nullptr) const;

    BOOL CreateTabWnd(CWnd* pParentWnd, const RECT& rc = CRect(0, 0, 0, 0), UINT nDlgCtrlID = UINT(-1),
                      DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                      DWORD dwTabStyle = STYLE_ORIENT_TOP, CCreateContext* pContext = nullptr) override;
    void MoveItemImpl(int nFrom, int nTo) override;
    bool RedrawsOnItemHover() const override;
    void GetItemSpacingMetrics(int& nLeading, int& nTrailing, int& nOuter) override;
    void DrawStripArea(CDC& dc, const RECT& rcClient, const RECT& rcItemArea, const RECT& rcOutside, int nOrientation,
                       bool bGroupMode) override;
    void AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* pDC, SIZE& size) override;
    void DrawTabItem(CDC& dc, const RECT& rcItemArea, int nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
                     bool bHorizontal, bool bSelected, bool bCenteredText, bool bGroupMode, bool bInGroupActive,
                     bool bInvertedVerticalText, const RECT& rcItem, SIZE sizeText, CFont* pFont,
                     const CString& strText, CExtCmdIcon* pIcon) override;

    int GetNextColorIndex() const { return m_nNextColorIndex; }

protected:
    void PreSubclassWindow() override;
    TAB_ITEM_INFO* CreateItemObject(TAB_ITEM_INFO* pPrev, TAB_ITEM_INFO* pNext, LPCSTR lpszText, HICON hIcon,
                                    bool bCopyIcon, DWORD dwFlags, LPARAM lParam) override;

private:
    int m_nNextColorIndex = 0;
};
