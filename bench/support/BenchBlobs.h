#pragma once
#include "platform/gdiplus/GdiPlus.h"

#include <memory>
#include <vector>

class CFlashSolidShape;

// Curves of every blob shape.
constexpr int kBlobCurves = 8;

// A closed blob of kBlobCurves Bezier curves around the centre, in twips: its vertices lie on
// the radius and their quadratic control points 1.3 times as far out, filled with the colour
// and outlined with the pen.
std::unique_ptr<CFlashSolidShape> MakeBlobShape(int centreX, int centreY, int radius, Gdiplus::ARGB fill,
                                                const Gdiplus::Pen& pen);

// Where a blob lies, how large it is and its fill.
struct CBenchBlob {
    int centreX, centreY, radius;
    Gdiplus::ARGB fill;
};

// Opaque blobs with radii of 200 to 800 twips scattered over width x height twips by a fixed
// pseudo-random sequence, so that every run builds the same document.
std::vector<CBenchBlob> ScatterBlobs(int count, int width, int height);
