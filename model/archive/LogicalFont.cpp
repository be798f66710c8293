#include "model/archive/LogicalFont.h"

#include "model/archive/DrawableFont.h"
#include "model/archive/FontDeviceContext.h"

#include <algorithm>
#include <cstring>

CLogicalFont::CLogicalFont(const std::string& face, int height, int weight, bool italic)
    : height(height), weight(weight), italic(italic ? 1 : 0)
{
    std::memcpy(faceName, face.data(), std::min(face.size(), sizeof(faceName) - 1));
}

bool CLogicalFont::Query(const Gdiplus::Font& font, CLogicalFont& result)
{
    LOGFONTA logfont = {};
    const CFontDeviceContext dc;
    if (!dc.Get())
        return false;
    const Gdiplus::Graphics graphics(dc.Get());
    if (font.GetLogFontA(&graphics, &logfont) != Gdiplus::Ok)
        return false;
    std::memcpy(result.faceName, logfont.lfFaceName, sizeof(result.faceName));
    result.height = logfont.lfHeight;
    result.weight = logfont.lfWeight;
    result.italic = logfont.lfItalic;
    return true;
}

std::string CLogicalFont::GetFaceName() const
{
    return std::string(faceName, ::strnlen(faceName, sizeof(faceName) - 1));
}

LOGFONTA CLogicalFont::ToLogFont() const
{
    LOGFONTA logfont = {};
    std::memcpy(logfont.lfFaceName, faceName, sizeof(logfont.lfFaceName));
    logfont.lfFaceName[LF_FACESIZE - 1] = '\0';
    logfont.lfHeight = height;
    logfont.lfWeight = weight;
    logfont.lfItalic = italic;
    return logfont;
}

std::unique_ptr<Gdiplus::Font> CLogicalFont::MakeFont() const
{
    const LOGFONTA logfont = ToLogFont();
    const CFontDeviceContext dc;
    return CDrawableFont::Make(dc.Get(), logfont);
}
