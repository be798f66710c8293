#pragma once
// Fakes a visual style through the theme binding's public entry points, restoring the real
// ones when it goes.
#include "ui/core/ExtPaintManagerHolder.h"

#include <string>

class CLunaFake
{
public:
    // fileName and colorName as the style would report them; themed false fakes no style.
    CLunaFake(const std::u16string& fileName, const std::u16string& colorName, bool bThemed = true,
              int nColorsReadable = CExtPaintManagerHolder::TASKBAND_COLOR_COUNT);
    ~CLunaFake();
    CLunaFake(const CLunaFake&) = delete;
    CLunaFake& operator=(const CLunaFake&) = delete;

    // A fake for one of the three luna schemes (1 blue, 2 olive, 3 silver), none for 0.
    static CLunaFake* ForScheme(int nScheme);

private:
    CExtThemeApi m_saved;
};
