// Times the polygon clipper's operations on star shapes and on many small squares.
#include "model/geometry/PolygonClipper.h"

#include <algorithm>
#include <chrono>
#include <cmath>
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
    for (int i = 0; i < vertexCount; ++i) {
        const double angle = 2.0 * M_PI * i / vertexCount;
        const double r = radius(random);
        star.vertices.emplace_back(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
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
    std::vector<double> times;
    CFlashPolygonSet result;
    for (int i = 0; i < kRepetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        ClipPolygonSets(operation, subject, clip, result);
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    contours = result.GetContourCount();
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
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
