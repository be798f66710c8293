#pragma once
// The Office 2003 look: gradients and, under a luna visual style, the style's colours.
#include "ui/core/ExtPaintManagerXP.h"

class CExtPaintManagerOffice2003 : public CExtPaintManagerXP
{
    DECLARE_DYNCREATE(CExtPaintManagerOffice2003)
public:
    static constexpr int MIN_MENU_CHECK_HEIGHT = 18;

    CExtPaintManagerOffice2003();

    int GetThemeId() const override;
    bool IsLunaThemeUsable() const override;
    // The face and accent colours of the luna scheme; false (outputs untouched) without one.
    virtual bool GetTaskbandBaseColors(COLORREF* pFace, COLORREF* pAccent) const;
    void InitTranslatedColors() override;
    COLORREF GetShadowTintColor() override;
    int GetMenuCheckHeight() const override;
    SIZE GetToolbarButtonShift(bool bShift) const override;
    COLORREF GetDisabledIconBlendColor() const override;
    double GetDisabledIconLightness() const override;
    SIZE GetButtonRedrawMargin() const override;
    bool HasBackgroundBehindControls(CObject* pOwner, LPARAM lParam) override;

    bool FillFaceBackground(bool bFlag, CDC& dc, const RECT& rc, const RECT& rcWhole, LPARAM lParam = 0) override;
    void DrawBarCaption(CDC& dc, CExtDrawBarCaptionArgs& args) override;
    void GetDockHighlightShape(DWORD* pBits, int cx, int cy, bool bTabShaped, const RECT& rcBody, const RECT& rcTab,
                               COLORREF clrFill, COLORREF clrBorder, int nBorderWidth) override;
    void DrawToolbarBackground(CDC& dc, CObject* pBar, LPARAM lParam, const RECT& rc) override;
    void DrawBarBorders(CDC& dc, CExtDrawBarBordersArgs& args) override;
    void DrawSizeGripper(CDC& dc, const RECT& rc, CWnd* pOwner = nullptr, LPARAM lParam = 0) override;
    void DrawCalendarBorder(CDC& dc, const RECT& rc) override;
    void DrawCalendarCaptionArea(CDC& dc, const RECT& rc, LPCSTR pszText) override;
    void PaintCalendarBorder(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0) override;
    bool GetStateGradient(bool bHover, bool bPushed, int& nFirst, int& nSecond) const override;
    void DrawMenuExpandButton(CDC& dc, const RECT& rc, bool bHover, bool bReserved, CObject* pOwner = nullptr,
                              LPARAM lParam = 0) override;
    void PaintCalendarMonthHeader(CDC& dc, const RECT& rcLine, const RECT& rcFill, CObject* pOwner = nullptr,
                                  LPARAM lParam = 0) override;
    bool DrawBackgroundBehind(bool bClientArea, CDC& dc, CWnd* pWnd, LPARAM lParam = 0) override;
    void DrawBarClientArea(CDC& dc, const RECT& rc, CWnd* pOwner = nullptr, LPARAM lParam = 0) override;
    void FillDockAreaBackground(CDC& dc, const RECT& rc, CWnd* pOwner = nullptr, LPARAM lParam = 0) override;
    void DrawToolbarGradient(CDC& dc, CObject* pBar, LPARAM lParam = 0) override;
    void DrawMenuBorderOpenSide(CDC& dc, const RECT& rc, const RECT& rcExclude, int nSide, CObject* pOwner = nullptr,
                                LPARAM lParam = 0) override;
    void AdjustBarClientRect(CObject* pBar, RECT& rc) const override;
    int GetToolbarGripperExtent(CObject* pBar) const override;
    bool IsBarBackgroundGradient(CObject* pBar) const override;
    void DrawSeparatorLine(CDC& dc, const RECT& rc, bool bHorizontalBar, bool bTransparent, CObject* pOwner = nullptr,
                           LPARAM lParam = 0) override;
    void DrawEditFrame(CDC& dc, CExtDrawEditFrameArgs& args) override;
    void PaintComboFrame(CDC& dc, CExtDrawComboFrameArgs& args) override;
    void DrawBarFrame(CDC& dc, CExtDrawBarFrameArgs& args) override;
    void DrawChevronButton(CDC& dc, const RECT& rc, bool bHorizontal, bool bNoHiddenItems, bool bEnabled, bool bPushed,
                           bool bHover, CObject* pOwner = nullptr, LPARAM lParam = 0, bool bTransparent = false) override;
    void DrawTabStripArea(CDC& dc, const RECT& rcWhole, int nReserved, const RECT& rcInner, int nSide, bool bGroupMode,
                          CWnd* pOwner = nullptr, LPARAM lParam = 0) override;
    void GetTabColorsOneNote(bool bSelected, bool bHot, COLORREF& clrBorderLight, COLORREF& clrBorderDark,
                             COLORREF& clrFillFrom, COLORREF& clrFillTo, COLORREF& clrText) override;
    void GetTabColorsFlat(bool bSelected, bool bReserved, COLORREF& clrBorder, COLORREF& clrFillFrom,
                          COLORREF& clrFillTo, COLORREF& clrText) override;

    // Colour ids of the two-colour state gradients (hovered, pushed or checked, both), -1 for
    // a solid fill, and of the tool-bar outline.
    int m_nIdxClrBtnHoverLeft = -1, m_nIdxClrBtnHoverRight = -1;
    int m_nIdxClrBtnPressedLeft = -1, m_nIdxClrBtnPressedRight = -1;
    int m_nIdxClrBtnHovPresLeft = -1, m_nIdxClrBtnHovPresRight = -1;
    int m_nIdxClrTbFillMargin = -1;

protected:
    // Colours derived from a luna face: the menu's light face, the separator's darker face and
    // the band of rarely used items.
    static COLORREF LunaLightFace(COLORREF clrFace);
    static COLORREF LunaSeparatorFace(COLORREF clrFace);
    static COLORREF LunaRarelyUsedFace(COLORREF clrFace);
    // Sets the state-gradient and outline ids of a luna scheme, or clears them.
    void SetLunaGradientIds(bool bLuna);
    // A framework bar docked in a frame, shown with gradients above 8 bits per pixel.
    bool IsDockedGradientBar(CObject* pBar) const;
    // The background of a docked bar across its rectangle: the scheme's three colours, or the
    // light-to-dark band colours without a scheme.
    void PaintDockedBarBackground(CDC& dc, const RECT& rcBar, bool bVerticalBar, CObject* pOwner, LPARAM lParam);
    // A tool bar's own gradient over its client rectangle.
    void PaintToolbarGradient(CDC& dc, const RECT& rcClient, CObject* pBar, LPARAM lParam);
    // Captions of docked bars reach this far into the owner's client area.
    static constexpr int CAPTION_INTO_CLIENT = 4;
    // The bottom of a bar caption's fill, in the owner's window coordinates.
    static int CaptionBottomInClient(const CExtDrawBarCaptionArgs& args);
    // The gripper of a docked fixed-size bar: its rounded gradient background with the tool-bar
    // outline, and its dots.
    void PaintGripperBackground(CDC& dc, const CExtDrawBarCaptionArgs& args);
    void PaintGripperDots(CDC& dc, const CExtDrawBarCaptionArgs& args);
    // Maps each id to a newly appended colour.
    void InstallColors(std::initializer_list<std::pair<int, COLORREF>> colors);

private:
    void InstallPlainColors();
    void InstallLunaColors(COLORREF clrFace, COLORREF clrAccent);
};
