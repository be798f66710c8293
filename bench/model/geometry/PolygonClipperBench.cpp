// Times the polygon clipper's operations on star shapes and on many small squares.
#include "bench/support/BenchStar.h"
#include "bench/support/BenchTimes.h"
#include "model/geometry/PolygonClipper.h"

#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kRepetitions = 50;
constexpr double kTargetMilliseconds = 5.0;

CFlashPolygonSet Star(std::mt19937& random, double cx, double cy, double rMin, double rMax, int vertexCount)
{
    std::uniform_real_distribution<double> radius(rMin, rMax);
    CFlashPolygonContour star;
    for (const CBenchPoint& p : StarVertices(cx, cy, vertexCount, 0.0, [&](int) { return radius(random); }))
        star.vertices.emplace_back(p.x, p.y);
    CFlashPolygonSet set;
    set.AddContour(star, 0);
    return set;
}

CFlashPolygonSet Squares(std::mt19937& random, int count, double extent, double side)
{
    std::uniform_real_distribution<double> position(0.0, extent);
    CFlashPolygonSet set;
    for (int i = 0; i < count; ++i) {
        const double x = position(random), y = position(random);
        CFlashPolygonContour square;
        square.vertices = {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
        set.AddContour(square, 0);
    }
    return set;
}

// Median time of one operation in milliseconds.
double Time(ClipOperation operation, const CFlashPolygonSet& subject, const CFlashPolygonSet& clip, int& contours)
{
    CFlashPolygonSet result;
    const CBenchTimes times = TimeRuns(kRepetitions, [&] { ClipPolygonSets(operation, subject, clip, result); });
    contours = result.GetContourCount();
    return times.Median();
}

void Report(const char* name, const CFlashPolygonSet& subject, const CFlashPolygonSet& clip)
{
    const struct {
        ClipOperation operation;
        const char* name;
    } operations[] = {{kClipUnion, "union"}, {kClipIntersection, "intersection"}, {kClipDifference, "difference"}};
    for (const auto& op : operations) {
        int contours = 0;
        const double ms = Time(op.operation, subject, clip, contours);
        std::printf("%-40s %-13s %8.3f ms  (%d contours)  %s\n", name, op.name, ms, contours,
                    ms < kTargetMilliseconds ? "within 5 ms" : "over 5 ms");
    }
}

} // namespace

int main()
{
    std::mt19937 random(1234);
    // Twips: shapes a few hundred pixels across. Spiky stars, whose radii vary fourfold from
    // vertex to vertex, cross a scan line hundreds of times; rounder ones far fewer.
    const CFlashPolygonSet roundA = Star(random, 4000, 4000, 3000, 4000, 1000);
    const CFlashPolygonSet roundB = Star(random, 5500, 4500, 3000, 4000, 1000);
    Report("two stars of 1000 vertices, r 75-100%", roundA, roundB);
    const CFlashPolygonSet starA = Star(random, 4000, 4000, 1000, 4000, 1000);
    const CFlashPolygonSet starB = Star(random, 5500, 4500, 1000, 4000, 1000);
    Report("two stars of 1000 vertices, r 25-100%", starA, starB);

    const CFlashPolygonSet squares = Squares(random, 100, 8000, 300);
    const CFlashPolygonSet large = Star(random, 4000, 4000, 2500, 4000, 1000);
    Report("100 squares, one large polygon", squares, large);
    return 0;
}
