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
    void PaintCalendarBorder(CDC& dc, const RECT& rc, CObject* pOwner = nullptr, LPARAM lParam = 0) override;
    bool GetStateGradient(bool bHover, bool bPushed, int& nFirst, int& nSecond) const override;
    void DrawMenuExpandButton(CDC& dc, const RECT& rc, bool bHover, bool bReserved, CObject* pOwner = nullptr,
                              LPARAM lParam = 0) override;
    void PaintCalendarMonthHeader(CDC& dc, const RECT& rcLine, const RECT& rcFill, CObject* pOwner = nullptr,
                                  LPARAM lParam = 0) override;

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
    // Maps each id to a newly appended colour.
    void InstallColors(std::initializer_list<std::pair<int, COLORREF>> colors);

private:
    void InstallPlainColors();
    void InstallLunaColors(COLORREF clrFace, COLORREF clrAccent);
};
