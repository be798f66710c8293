#include "model/archive/DrawableFont.h"

bool CDrawableFont::IsDrawableType(DWORD fontType)
{
    return (fontType & TRUETYPE_FONTTYPE) != 0;
}

LOGFONTA CDrawableFont::Resolve(HDC dc, const LOGFONTA& logfont)
{
    // GDI+ itself answers: it makes no font of a face it cannot draw (NotTrueTypeFont).
    const Gdiplus::Font trial(dc, &logfont);
    if (trial.GetLastStatus() == Gdiplus::Ok)
        return logfont;
    LOGFONTA replaced = logfont;
    ::lstrcpynA(replaced.lfFaceName, kReplacementFace, LF_FACESIZE);
    return replaced;
}

std::unique_ptr<Gdiplus::Font> CDrawableFont::Make(HDC dc, const LOGFONTA& logfont)
{
    const LOGFONTA drawable = Resolve(dc, logfont);
    return std::make_unique<Gdiplus::Font>(dc, &drawable);
}
