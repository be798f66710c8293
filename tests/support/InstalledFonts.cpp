#include "tests/support/InstalledFonts.h"

#include <windows.h>

namespace {
int CALLBACK TakeFirstNotTrueType(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD type, LPARAM found)
{
    if (type & TRUETYPE_FONTTYPE)
        return 1;
    *reinterpret_cast<std::string*>(found) = logFont->lfFaceName;
    return 0;
}
}

std::string InstalledUndrawableFace()
{
    std::string face;
    HDC dc = ::CreateCompatibleDC(nullptr);
    LOGFONTA all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(dc, &all, &TakeFirstNotTrueType, reinterpret_cast<LPARAM>(&face), 0);
    ::DeleteDC(dc);
    return face;
}
