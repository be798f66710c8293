#pragma once
// The XP look: flat borders, a light menu background and blended highlight colours.
#include "ui/core/ExtPaintManager.h"

class CExtPaintManagerXP : public CExtPaintManager
{
    DECLARE_DYNCREATE(CExtPaintManagerXP)
public:
    // DrawState style of disabled text in this look.
    static constexpr DWORD XP_DISABLED_TEXT_STYLE = DSS_MONO;

    CExtPaintManagerXP() = default;

    int GetThemeId() const override;
    int GetMenuSeparatorHeight() const override;
    bool IsLunaThemeUsable() const override;
    COLORREF GetControlFaceColor(CObject* pOwner = nullptr, LPARAM lParam = 0) override;
    SIZE GetPressedShift() const override;
    int GetMenuBorderMetric() const override;
    bool IsXpOrNewerTheme() const override;
    void InitTranslatedColors() override;

    void DrawSystemCommandGlyph(CDC& dc, UINT nSysCmd, const RECT& rc, bool bHover, bool bPushed,
                                bool bEnabled) override;
    void DrawBarCaptionButton(CDC& dc, CExtDrawCaptionButtonArgs& args) override;
    void DrawBarCaption(CDC& dc, CExtDrawBarCaptionArgs& args) override;
    void DrawSeparatorLine(CDC& dc, const RECT& rc, bool bHorizontalBar, bool bTransparent, CObject* pOwner = nullptr,
                           LPARAM lParam = 0) override;
    void DrawMenuSeparator(CDC& dc, const RECT& rc, int nIconBandWidth, bool bRarelyUsed, CWnd* pOwner = nullptr,
                           LPARAM lParam = 0) override;
    void DrawBarFrame(CDC& dc, CExtDrawBarFrameArgs& args) override;
    void DrawBarBorders(CDC& dc, CExtDrawBarBordersArgs& args) override;
    void DrawClientEdge(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0) override;
    void DrawEditFrame(CDC& dc, CExtDrawEditFrameArgs& args) override;
    void PaintComboFrame(CDC& dc, CExtDrawComboFrameArgs& args) override;
    void PaintUndoRedoCaption(CDC& dc, const RECT& rc, LPCSTR pszText, CObject* pOwner = nullptr,
                              LPARAM lParam = 0) override;
    void DrawMenuBorder(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0) override;
    void DrawMenuBorderOpenSide(CDC& dc, const RECT& rc, const RECT& rcExclude, int nSide, CObject* pOwner = nullptr,
                                LPARAM lParam = 0) override;
    bool DrawBackgroundBehind(bool bClientArea, CDC& dc, CWnd* pWnd, LPARAM lParam = 0) override;
    void FillPopupClientArea(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0) override;
    void DrawCalendarBorder(CDC& dc, const RECT& rc) override;
    void DrawIconBesideText(CDC& dc, bool bHorizontal, const CString& strText, CExtCmdIcon* pIcon, const RECT& rcArea,
                            RECT& rcText, bool bPushed, bool bEnabled, bool bHover, UINT nAlignment,
                            bool bRightToLeft) override;
    void DrawPushButton(CDC& dc, CExtDrawPushButtonArgs& args) override;
    void DrawMenuItem(CDC& dc, CExtDrawMenuItemArgs& args) override;
    void DrawMenuExpandButton(CDC& dc, const RECT& rc, bool bHover, bool bReserved, CObject* pOwner = nullptr,
                              LPARAM lParam = 0) override;
    void DrawChevronButton(CDC& dc, const RECT& rc, bool bHorizontal, bool bNoHiddenItems, bool bEnabled, bool bPushed,
                           bool bHover, CObject* pOwner = nullptr, LPARAM lParam = 0, bool bTransparent = false) override;
    void DrawTabStripArea(CDC& dc, const RECT& rcWhole, int nReserved, const RECT& rcInner, int nSide, bool bGroupMode,
                          CWnd* pOwner = nullptr, LPARAM lParam = 0) override;
    void DrawIconTextItem(CDC& dc, CExtDrawIconTextItemArgs& args) override;
    void DrawTextFieldBox(CDC& dc, CExtDrawTextFieldArgs& args) override;

protected:
    ChevronGlyphs m_chevronGlyphs{CExtPaintManager::CLASSIC_CHEVRON_GLYPHS};
    // The chevron's glyphs in one colour, the shadow (-1 for none) a pixel down and forward.
    void DrawChevronGlyphs(CDC& dc, const RECT& rc, bool bHorizontal, bool bWithDouble, COLORREF clrGlyph,
                           COLORREF clrShadow);
    // The XP look lifts a hovered glyph over its shadow; later themes turn this off.
    bool m_bHoverLift = true;
    // Colour ids of the popup icon band's three-colour gradient (start, middle, end) for normal
    // and rarely used items; -1 for a plain band.
    int m_nIdxClrMlaNormLeft = -1, m_nIdxClrMlaNormMiddle = -1, m_nIdxClrMlaNormRight = -1;
    int m_nIdxClrMlaRarelyLeft = -1, m_nIdxClrMlaRarelyMiddle = -1, m_nIdxClrMlaRarelyRight = -1;
    TabItemColors GetTabItemColors(bool bSelected, bool bGroupedMode) const override;
    // The expand button's face: pushed when hovered, else a plain menu row.
    void DrawExpandButtonFace(CDC& dc, const RECT& rc, const RECT& rcItem, bool bHover, CObject* pOwner);
    // The state-gradient pair of a button state, or false for a solid fill.
    virtual bool GetStateGradient(bool bHover, bool bPushed, int& nFirst, int& nSecond) const;
};
