#pragma once
// A caption button of a docking bar: Close, AutoHide and the options Menu. The same objects
// measure and draw themselves in the caption of a floating frame that holds a single bar and in
// the auto-hide slider; m_rc is in the coordinates of the window whose caption holds them.
#include "platform/mfc/Afx.h"

class CExtControlBar;
class CExtPopupBaseWnd;

class CExtBarNcAreaButton : public CObject
{
    DECLARE_DYNCREATE(CExtBarNcAreaButton)
public:
    // Glyph ids of the paint manager's caption buttons.
    static constexpr int GLYPH_CLOSE = 1;
    static constexpr int GLYPH_OPTIONS = 3;
    static constexpr int GLYPH_AUTOHIDE_PINNED = 10;
    static constexpr int GLYPH_AUTOHIDE_UNPINNED = 11;

    explicit CExtBarNcAreaButton(CExtControlBar* pBar = nullptr);
    ~CExtBarNcAreaButton() override = default;

    void Serialize(CArchive& ar) override;
    // Deletes the button; the bar calls it for each of its buttons when its window goes.
    virtual void OnNcDestroy();
    virtual bool IsButtonAvailable() const;
    virtual void OnNcAreaReposition(CExtBarNcAreaButton* pPrevVisible);
    virtual bool OnQueryVisibility() const;
    virtual void OnNcDraw(CDC& dc);
    virtual UINT OnNcAreaHitTest(CPoint ptWnd);
    virtual HCURSOR OnNcAreaQueryCursor(CPoint ptWnd);
    virtual bool OnNcAreaClicked(CPoint ptWnd);
    virtual INT_PTR OnToolHitTest(CPoint ptWnd, TOOLINFOA* pTI);

    // The caption rectangle that holds the buttons and the window rectangle it lies in; false
    // when the bar shows no caption for them.
    bool GetNcAreaInfo(RECT* pRcCaption, RECT* pRcWnd, bool* pbHorz = nullptr, bool* pbText = nullptr) const;
    // Fills a tool for the button; the bar's dialog id, or 0 for an auto-hidden bar.
    INT_PTR FillToolInfo(TOOLINFOA* pTI, LPCSTR lpszText) const;

    CExtControlBar* m_pBar;
    CRect m_rc;
    bool m_bHover : 1;
    bool m_bPushed : 1;
    bool m_bDisabled : 1;
    bool m_bPaintOnMenu : 1;

protected:
    // Draws the glyph through the paint manager; nothing for an empty rectangle.
    void DrawGlyph(CDC& dc, int nGlyph);
    // The hit test of the three buttons: HTMINBUTTON over the button, else HTCLIENT.
    UINT HitTestAsCaptionButton(CPoint ptWnd);
    // The point is on the button: hover and pushed clear, true.
    bool TakeClick(CPoint ptWnd);
    // The tool of a button with the tip of string nStringId, or its built-in text.
    INT_PTR ToolHitTestWithTip(CPoint ptWnd, TOOLINFOA* pTI, UINT nStringId, LPCSTR lpszDefault);
};

class CExtBarNcAreaButtonClose : public CExtBarNcAreaButton
{
    DECLARE_DYNCREATE(CExtBarNcAreaButtonClose)
public:
    explicit CExtBarNcAreaButtonClose(CExtControlBar* pBar = nullptr);
    bool OnQueryVisibility() const override;
    void OnNcDraw(CDC& dc) override;
    UINT OnNcAreaHitTest(CPoint ptWnd) override;
    bool OnNcAreaClicked(CPoint ptWnd) override;
    INT_PTR OnToolHitTest(CPoint ptWnd, TOOLINFOA* pTI) override;
};

class CExtBarNcAreaButtonAutoHide : public CExtBarNcAreaButton
{
    DECLARE_DYNCREATE(CExtBarNcAreaButtonAutoHide)
public:
    explicit CExtBarNcAreaButtonAutoHide(CExtControlBar* pBar = nullptr);
    void OnNcAreaReposition(CExtBarNcAreaButton* pPrevVisible) override;
    bool OnQueryVisibility() const override;
    void OnNcDraw(CDC& dc) override;
    UINT OnNcAreaHitTest(CPoint ptWnd) override;
    bool OnNcAreaClicked(CPoint ptWnd) override;
    INT_PTR OnToolHitTest(CPoint ptWnd, TOOLINFOA* pTI) override;
};

class CExtBarNcAreaButtonMenu : public CExtBarNcAreaButton
{
    DECLARE_DYNCREATE(CExtBarNcAreaButtonMenu)
public:
    explicit CExtBarNcAreaButtonMenu(CExtControlBar* pBar = nullptr);
    bool OnQueryVisibility() const override;
    void OnNcDraw(CDC& dc) override;
    UINT OnNcAreaHitTest(CPoint ptWnd) override;
    bool OnNcAreaClicked(CPoint ptWnd) override;
    INT_PTR OnToolHitTest(CPoint ptWnd, TOOLINFOA* pTI) override;

private:
    // Draws the button onto the options menu where the menu covers it.
    static void PaintOnMenu(LPVOID pCookie, CDC& dc, const CExtPopupBaseWnd& popup, const RECT* pExcludeArea,
                            int nSide);
};
