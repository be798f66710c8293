#pragma once
// The application's look: Office 2003 colours with its own captions, tabs and dock markers.
#include "ui/core/ExtPaintManagerOffice2003.h"

class CExtPaintManagerStudio2005 : public CExtPaintManagerOffice2003
{
    DECLARE_DYNCREATE(CExtPaintManagerStudio2005)
public:
    CExtPaintManagerStudio2005() = default;

    int GetThemeId() const override;
    bool IsLunaThemeUsable() const override;
    bool GetTaskbandBaseColors(COLORREF* pFace, COLORREF* pAccent) const override;
    void InitTranslatedColors() override;
    int GetDockingStyle() const override;
    int GetAutoHideStyle() const override;
    void GetTabItemSpacingMetrics(CObject* pTabWnd, int* pnBefore, int* pnBetween, int* pnAfter) const override;
    void GetTabItemShift(CObject* pTabWnd, int nItemIndex, bool bReserved, SIZE& size) const override;
    void DrawBarCaption(CDC& dc, CExtDrawBarCaptionArgs& args) override;
    void DrawBarCaptionButton(CDC& dc, CExtDrawCaptionButtonArgs& args) override;
    void DrawBarFrame(CDC& dc, CExtDrawBarFrameArgs& args) override;
    void GetTabColorsOneNote(bool bSelected, bool bHot, COLORREF& clrBorderLight, COLORREF& clrBorderDark,
                             COLORREF& clrFillFrom, COLORREF& clrFillTo, COLORREF& clrText) override;
    void DrawTabItem(CDC& dc, const RECT& rcTabItemsArea, bool bTopLeft, bool bHorizontal, bool bSelected,
                     bool bCenteredText, bool bGroupedMode, bool bInGroupActive, bool bInvertedVerticalText,
                     const RECT& rcEntireItem, SIZE sizeTextMeasured, CFont* pFont, const CString& strText,
                     CExtCmdIcon* pIcon, CObject* pTabWnd, int nItemIndex) override;
};
