#pragma once
// Writes a sequence of palette images as one animated GIF89a file.
#include "export/gif/RasterImage.h"

#include <cstdio>

class CxFile;

class CRasterImageGIF : public CRasterImage
{
public:
    CRasterImageGIF();

    // Keeps at most 255 characters; an empty comment writes no comment block.
    void SetCommentText(const char* text);
    // 1 plays once; any other count writes a looping block for count - 1 repeats (0 = forever).
    void SetRepeatCount(int count) { m_repeatCount = count; }
    void SetFrameDisposal(int method) { m_disposal = method; }

    // The stream stays open and belongs to the caller. False, with the last error set, when an
    // image cannot be encoded or the file cannot be written.
    bool EncodeAnimationToFile(FILE* stream, const CRasterImage* const* images, int imageCount,
                               bool localColorTables = false);
    bool EncodeAnimation(CxFile* file, const CRasterImage* const* images, int imageCount,
                         bool localColorTables = false);

private:
    bool CheckImages(const CRasterImage* const* images, int imageCount);

    std::string m_comment;
    int m_repeatCount = 0;
    int m_disposal = 0;
};
