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
};
