#include "bench/support/BenchBlobs.h"

#include "bench/support/BenchStar.h"
#include "model/FlashBezierCurve.h"
#include "model/FlashSolidShape.h"

namespace {
// Quadratic control points of a blob lie this much farther out than its vertices.
constexpr double kBlobControlReach = 1.3;
constexpr int kBlobMinRadius = 200;
constexpr unsigned kBlobRadiusRange = 600;
// A linear congruential sequence: the same blobs on every machine.
constexpr unsigned kBlobSeed = 12345;
constexpr unsigned kSequenceMultiplier = 1103515245u;
constexpr unsigned kSequenceIncrement = 12345u;
constexpr Gdiplus::ARGB kOpaque = 0xff000000u;
constexpr unsigned kColourRange = 0x1000000u;
}

std::unique_ptr<CFlashSolidShape> MakeBlobShape(int centreX, int centreY, int radius, Gdiplus::ARGB fill,
                                                const Gdiplus::Pen& pen)
{
    // Even vertices of the star are the blob's vertices, odd ones the control points between them.
    const std::vector<CBenchPoint> star = StarVertices(centreX, centreY, 2 * kBlobCurves, 0.0, [radius](int k) {
        return k % 2 != 0 ? radius * kBlobControlReach : double(radius);
    });
    const auto at = [&star](int k) {
        const CBenchPoint& p = star[std::size_t(k) % star.size()];
        return POINT{LONG(p.x), LONG(p.y)};
    };
    const Gdiplus::SolidBrush brush{Gdiplus::Color(fill)};
    auto shape = std::make_unique<CFlashSolidShape>(&brush);
    shape->SetPen(&pen);
    for (int k = 0; k < kBlobCurves; ++k) {
        const POINT a = at(2 * k), q = at(2 * k + 1), b = at(2 * k + 2);
        shape->InsertCurve(new CFlashBezierCurve(a.x, a.y, q.x, q.y, b.x, b.y), false, 0);
    }
    return shape;
}

std::vector<CBenchBlob> ScatterBlobs(int count, int width, int height)
{
    unsigned seed = kBlobSeed;
    const auto next = [&seed](unsigned range) {
        seed = seed * kSequenceMultiplier + kSequenceIncrement;
        return (seed >> 8) % range;
    };
    std::vector<CBenchBlob> blobs;
    for (int i = 0; i < count; ++i) {
        // Braces fix the order in which the sequence is drawn.
        blobs.push_back({int(next(unsigned(width))), int(next(unsigned(height))),
                         kBlobMinRadius + int(next(kBlobRadiusRange)), kOpaque | next(kColourRange)});
    }
    return blobs;
}
