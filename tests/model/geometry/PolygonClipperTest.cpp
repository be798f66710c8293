#include "model/geometry/PolygonClipper.h"
#include "tests/model/geometry/ContourNesting.h"
#include "tests/model/geometry/PolygonTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kAreaTolerance = 1e-6;

CFlashPolygonSet Clip(ClipOperation operation, const CFlashPolygonSet& subject, const CFlashPolygonSet& clip)
{
    CFlashPolygonSet result;
    ClipPolygonSets(operation, subject, clip, result);
    return result;
}

int CountVertices(const CFlashPolygonSet& set)
{
    int count = 0;
    for (int i = 0; i < set.GetContourCount(); ++i)
        count += set.GetContour(i).GetVertexCount();
    return count;
}

// A star of vertexCount points around (cx, cy) with radii drawn between rMin and rMax.
CFlashPolygonContour MakeStar(std::mt19937& random, double cx, double cy, double rMin, double rMax, int vertexCount)
{
    std::uniform_real_distribution<double> radius(rMin, rMax);
    CFlashPolygonContour star;
    for (int i = 0; i < vertexCount; ++i) {
        const double angle = 2.0 * M_PI * i / vertexCount;
        const double r = radius(random);
        star.vertices.emplace_back(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    return star;
}

TEST(PolygonClipper, TrivialCasesYieldEmptyResults)
{
    const CFlashPolygonSet square = MakeSet({MakeRectangle(0, 0, 10, 10)});
    const CFlashPolygonSet empty;
    struct Case {
        ClipOperation operation;
        const CFlashPolygonSet* subject;
        const CFlashPolygonSet* clip;
    } cases[] = {
        {kClipDifference, &empty, &square},
        {kClipIntersection, &empty, &square},
        {kClipIntersection, &square, &empty},
        {kClipUnion, &empty, &empty},
        {kClipExclusiveOr, &empty, &empty},
    };
    for (const Case& c : cases) {
        CFlashPolygonSet result = MakeSet({MakeRectangle(1, 1, 2, 2)}); // replaced, not appended to
        ClipPolygonSets(c.operation, *c.subject, *c.clip, result);
        EXPECT_TRUE(result.IsEmpty()) << "operation " << c.operation;
    }
}

TEST(PolygonClipper, OneEmptyOperandKeepsTheOther)
{
    const CFlashPolygonSet square = MakeSet({MakeRectangle(0, 0, 10, 10)});
    const CFlashPolygonSet empty;
    EXPECT_NEAR(100.0, CoveredArea(Clip(kClipUnion, square, empty)), kAreaTolerance);
    EXPECT_NEAR(100.0, CoveredArea(Clip(kClipUnion, empty, square)), kAreaTolerance);
    EXPECT_NEAR(100.0, CoveredArea(Clip(kClipDifference, square, empty)), kAreaTolerance);
}

TEST(PolygonClipper, SquaresOverlappingByAQuarter)
{
    const CFlashPolygonSet a = MakeSet({MakeContour({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 7)});
    const CFlashPolygonSet b = MakeSet({MakeContour({{5, 5}, {15, 5}, {15, 15}, {5, 15}}, 9)});
    struct Case {
        ClipOperation operation;
        int vertexCount;
        double area;
    } cases[] = {
        {kClipUnion, 8, 175.0},
        {kClipIntersection, 4, 25.0},
        {kClipDifference, 6, 75.0},
        {kClipExclusiveOr, 12, 150.0},
    };
    for (const Case& c : cases) {
        const CFlashPolygonSet result = Clip(c.operation, a, b);
        SCOPED_TRACE(c.operation);
        if (c.operation != kClipExclusiveOr) {
            ASSERT_EQ(1, result.GetContourCount());
            EXPECT_EQ(0, result.GetHoleFlag(0));
        }
        EXPECT_EQ(c.vertexCount, CountVertices(result));
        EXPECT_NEAR(c.area, CoveredArea(result), kAreaTolerance);
        // The measure the random cases are checked against agrees on this one.
        EXPECT_NEAR(c.area, AreaBySlabs(c.operation, a, b), kAreaTolerance);
        for (int i = 0; i < result.GetContourCount(); ++i)
            for (const CFlashPolygonVertex& v : result.GetContour(i).vertices)
                EXPECT_EQ(CFlashPolygonVertex::kNoSource, v.nSourceIndex);
    }
}

TEST(PolygonClipper, DistantClipContourTakesNoPartAndIsLeftAsItWas)
{
    const CFlashPolygonSet subject = MakeSet({MakeRectangle(0, 0, 10, 10)});
    const CFlashPolygonSet clip = MakeSet({MakeRectangle(100, 100, 110, 110), MakeRectangle(5, 5, 15, 15)});
    const CFlashPolygonSet result = Clip(kClipDifference, subject, clip);
    EXPECT_NEAR(75.0, CoveredArea(result), kAreaTolerance);
    ASSERT_EQ(2, clip.GetContourCount());
    EXPECT_EQ(4, clip.GetContour(0).GetVertexCount());
    EXPECT_EQ(100.0, clip.GetContour(0).vertices[0].x);
}

TEST(PolygonClipper, EdgesWithinTheBundleToleranceActAsOne)
{
    // The facing sides lie 0.05 apart with the same slope: they bundle and the union is one piece.
    const CFlashPolygonSet left = MakeSet({MakeRectangle(0, 0, 10, 10)});
    const CFlashPolygonSet right = MakeSet({MakeRectangle(10.05, 0, 20, 10)});
    EXPECT_EQ(1, Clip(kClipUnion, left, right).GetContourCount());
    // Farther apart than the tolerance they stay two pieces.
    const CFlashPolygonSet apart = MakeSet({MakeRectangle(10.5, 0, 20, 10)});
    EXPECT_EQ(2, Clip(kClipUnion, left, apart).GetContourCount());
}

TEST(PolygonClipper, NarrowSpikesKeepTheirArea)
{
    // 6 twips wide and 1,000 high: its sides leave the apex within the bundle tolerance in x and
    // slope but part by far more before the next scan beam boundary.
    const CFlashPolygonSet rising = MakeSet({MakeContour({{0, 0}, {3, 1000}, {-3, 1000}})});
    const CFlashPolygonSet falling = MakeSet({MakeContour({{0, 1000}, {-3, 0}, {3, 0}})});
    // The band covers the spike from 400 to 600 high, 600 square twips of either spike.
    const CFlashPolygonSet band = MakeSet({MakeRectangle(-100, 400, 100, 600)});
    const CFlashPolygonSet distant = MakeSet({MakeRectangle(100, 0, 200, 100)});
    struct Case {
        const char* name;
        const CFlashPolygonSet* spike;
        const CFlashPolygonSet* clip;
        ClipOperation operation;
        double area;
    } cases[] = {
        {"rising minus distant", &rising, &distant, kClipDifference, 3000},
        {"rising with distant", &rising, &distant, kClipUnion, 13000},
        {"falling minus distant", &falling, &distant, kClipDifference, 3000},
        {"rising minus band", &rising, &band, kClipDifference, 2400},
        {"rising and band", &rising, &band, kClipIntersection, 600},
        {"rising with band", &rising, &band, kClipUnion, 42400},
        {"falling minus band", &falling, &band, kClipDifference, 2400},
        {"falling and band", &falling, &band, kClipIntersection, 600},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.area, CoveredArea(Clip(c.operation, *c.spike, *c.clip)), 1e-6) << c.name;
}

TEST(PolygonClipper, ContourInsideAnother)
{
    const CFlashPolygonContour big = MakeRectangle(0, 0, 100, 100);
    const CFlashPolygonContour inner = MakeRectangle(10, 10, 20, 20);
    const CFlashPolygonContour across = MakeRectangle(90, 90, 120, 120);
    EXPECT_TRUE(IsContourInside(big, inner));
    EXPECT_FALSE(IsContourInside(inner, big));
    EXPECT_FALSE(IsContourInside(big, across));
}

TEST(PolygonClipper, HolesComeOutFlagged)
{
    // A frame: the big square minus a small one inside it.
    const CFlashPolygonSet result =
        Clip(kClipDifference, MakeSet({MakeRectangle(0, 0, 30, 30)}), MakeSet({MakeRectangle(10, 10, 20, 20)}));
    ASSERT_EQ(2, result.GetContourCount());
    EXPECT_EQ(1, result.GetHoleFlag(0) + result.GetHoleFlag(1));
    EXPECT_NEAR(800.0, CoveredArea(result), kAreaTolerance);
    // An operand with a hole: its even-odd interior is what counts.
    CFlashPolygonSet frame = MakeSet({MakeRectangle(0, 0, 30, 30)});
    frame.AddContour(MakeRectangle(10, 10, 20, 20), 1);
    EXPECT_NEAR(800.0 - 25.0, CoveredArea(Clip(kClipDifference, frame, MakeSet({MakeRectangle(0, 0, 5, 5)}))),
                kAreaTolerance);
    EXPECT_NEAR(0.0, CoveredArea(Clip(kClipIntersection, frame, MakeSet({MakeRectangle(12, 12, 18, 18)}))),
                kAreaTolerance);
}

// Degenerate operands, each with the areas its union, intersection and difference must cover.
struct DegenerateCase {
    const char* name;
    CFlashPolygonSet a;
    CFlashPolygonSet b;
    double unionArea;
    double intersectionArea;
    double differenceArea;
};

std::vector<DegenerateCase> DegenerateCases()
{
    std::vector<DegenerateCase> cases;
    cases.push_back({"shared edge", MakeSet({MakeRectangle(0, 0, 10, 10)}), MakeSet({MakeRectangle(10, 0, 20, 10)}),
                     200, 0, 100});
    cases.push_back({"identical squares", MakeSet({MakeRectangle(0, 0, 10, 10)}),
                     MakeSet({MakeRectangle(0, 0, 10, 10)}), 100, 100, 0});
    cases.push_back({"shared corner only", MakeSet({MakeRectangle(0, 0, 10, 10)}),
                     MakeSet({MakeRectangle(10, 10, 20, 20)}), 200, 0, 100});
    cases.push_back({"coincident vertices and collinear runs",
                     MakeSet({MakeContour({{0, 0}, {0, 0}, {5, 0}, {10, 0}, {10, 0}, {10, 5}, {10, 10}, {0, 10}, {0, 5}})}),
                     MakeSet({MakeContour({{5, 0}, {15, 0}, {15, 10}, {5, 10}, {5, 10}})}), 150, 50, 50});
    cases.push_back({"self-touching bow tie", MakeSet({MakeContour({{0, 0}, {10, 10}, {20, 0}, {20, 20}, {10, 10}, {0, 20}})}),
                     MakeSet({MakeRectangle(5, 0, 15, 20)}), 350, 50, 150});
    cases.push_back({"contained with a shared side", MakeSet({MakeRectangle(0, 0, 20, 20)}),
                     MakeSet({MakeRectangle(0, 5, 10, 15)}), 400, 100, 300});
    cases.push_back({"hole in the clip", MakeSet({MakeRectangle(5, 5, 25, 25)}),
                     [] {
                         CFlashPolygonSet frame = MakeSet({MakeRectangle(0, 0, 30, 30)});
                         frame.AddContour(MakeRectangle(10, 10, 20, 20), 1);
                         return frame;
                     }(),
                     900 - 100 + 100, 400 - 100, 100});
    cases.push_back({"triangle on a square's top side", MakeSet({MakeRectangle(0, 0, 10, 10)}),
                     MakeSet({MakeContour({{2, 10}, {8, 10}, {5, 20}})}), 130, 0, 100});
    return cases;
}

TEST(PolygonClipper, DegenerateOperandsCoverTheRightAreas)
{
    for (const DegenerateCase& c : DegenerateCases()) {
        SCOPED_TRACE(c.name);
        const std::pair<ClipOperation, double> expected[] = {
            {kClipUnion, c.unionArea}, {kClipIntersection, c.intersectionArea}, {kClipDifference, c.differenceArea}};
        for (const auto& [operation, area] : expected) {
            EXPECT_NEAR(area, CoveredArea(Clip(operation, c.a, c.b)), 1e-3) << "operation " << operation;
            // So do the slab measure's, which the random cases rely on.
            EXPECT_NEAR(area, AreaBySlabs(operation, c.a, c.b), 1e-3) << "operation " << operation;
        }
    }
}

constexpr ClipOperation kOperations[] = {kClipUnion, kClipIntersection, kClipDifference, kClipExclusiveOr};

// Every operation covers the area the slab measure finds for it.
void ExpectAreasMatchSlabs(const CFlashPolygonSet& a, const CFlashPolygonSet& b, double tolerance)
{
    for (ClipOperation operation : kOperations)
        EXPECT_NEAR(AreaBySlabs(operation, a, b), CoveredArea(Clip(operation, a, b)), tolerance)
            << "operation " << operation;
}

TEST(PolygonClipper, EdgesCrossingAtOnePoint)
{
    // Three edges cross at (1.8, 1.8); the crossings must be taken in an order that swaps
    // neighbours only.
    const CFlashPolygonSet triangle = MakeSet({MakeContour({{1, 3}, {0, 0}, {3, 0}})});
    const CFlashPolygonSet bowTie = MakeSet({MakeContour({{1, 1}, {2, 2}, {3, 1}, {0, 3}})});
    ExpectAreasMatchSlabs(triangle, bowTie, 1e-9);
    EXPECT_NEAR(0.8727, CoveredArea(Clip(kClipIntersection, triangle, bowTie)), 1e-3);

    const CFlashPolygonSet two = MakeSet({MakeContour({{6, 6}, {0, 0}, {4, 3}, {6, 8}}),
                                          MakeContour({{6, 4}, {6, 1}, {1, 3}, {5, 4}})});
    const CFlashPolygonSet quad = MakeSet({MakeContour({{3, 0}, {8, 3}, {4, 4}, {8, 2}})});
    ExpectAreasMatchSlabs(two, quad, 1e-9);
}

TEST(PolygonClipper, SmallGridPolygonsCoverTheRightAreas)
{
    // Few grid points make shared vertices, overlapping edges, self-crossings and crossings at
    // one point common. Stretched in x, no two distinct edges from one point come within the
    // bundle tolerance in slope.
    constexpr double kStretch = 20.0;
    std::mt19937 random(42);
    for (int i = 0; i < 3000; ++i) {
        const int grid = 2 + int(random() % 8);
        auto polygon = [&] {
            CFlashPolygonSet set;
            const int contours = 1 + int(random() % 2);
            for (int c = 0; c < contours; ++c) {
                CFlashPolygonContour contour;
                const int vertices = 3 + int(random() % 6);
                for (int v = 0; v < vertices; ++v)
                    contour.vertices.emplace_back(kStretch * (random() % grid), double(random() % grid));
                set.AddContour(contour, 0);
            }
            return set;
        };
        const CFlashPolygonSet a = polygon();
        const CFlashPolygonSet b = polygon();
        SCOPED_TRACE(i);
        ExpectAreasMatchSlabs(a, b, 1e-6);
        if (HasFailure())
            break;
    }
}

// A random pair of operands. Stretched in x, edges that do not coincide stay apart by more than
// the bundle tolerance in slope, so the areas agree exactly. Every fourth pair is snapped to a
// grid, which makes shared vertices, shared edges and collinear runs common.
struct RandomPair {
    CFlashPolygonSet a;
    CFlashPolygonSet b;
};

std::vector<RandomPair> RandomPairs()
{
    constexpr double kStretch = 20.0;
    std::mt19937 random(20261210);
    std::uniform_real_distribution<double> centre(0.0, 60.0);
    std::uniform_int_distribution<int> vertices(3, 40);
    std::vector<RandomPair> pairs;
    for (int i = 0; i < 60; ++i) {
        RandomPair pair;
        pair.a.AddContour(MakeStar(random, centre(random), centre(random), 5, 60, vertices(random)), 0);
        pair.b.AddContour(MakeStar(random, centre(random), centre(random), 5, 60, vertices(random)), 0);
        if (i % 3 == 0) // a second contour, often overlapping the first
            pair.a.AddContour(MakeStar(random, centre(random), centre(random), 5, 30, vertices(random)), 0);
        const bool snap = i % 4 == 0;
        for (CFlashPolygonSet* set : {&pair.a, &pair.b})
            for (int c = 0; c < set->GetContourCount(); ++c)
                for (CFlashPolygonVertex& v : set->GetContour(c).vertices) {
                    v.x = (snap ? std::round(v.x / 10) * 10 : v.x) * kStretch;
                    v.y = snap ? std::round(v.y / 10) * 10 : v.y;
                }
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

TEST(PolygonClipper, AreasOfRandomOperandsMatchTheSlabMeasure)
{
    int index = 0;
    for (const RandomPair& pair : RandomPairs()) {
        SCOPED_TRACE(index++);
        const double scale = AreaBySlabs(kClipUnion, pair.a, pair.b);
        ExpectAreasMatchSlabs(pair.a, pair.b, 1e-9 * scale + 1e-6);
    }
}

TEST(PolygonClipper, RandomResultVerticesLieInTheRightOperands)
{
    constexpr double kOnBoundary = 1e-6;
    int index = 0;
    for (const RandomPair& pair : RandomPairs()) {
        SCOPED_TRACE(index++);
        auto inOrOn = [&](const CFlashPolygonSet& set, const CFlashPolygonVertex& v) {
            return ContainsPoint(set, v.x, v.y) || IsOnBoundary(set, v.x, v.y, kOnBoundary);
        };
        auto strictlyIn = [&](const CFlashPolygonSet& set, const CFlashPolygonVertex& v) {
            return ContainsPoint(set, v.x, v.y) && !IsOnBoundary(set, v.x, v.y, kOnBoundary);
        };
        const CFlashPolygonSet unionSet = Clip(kClipUnion, pair.a, pair.b);
        const CFlashPolygonSet intersection = Clip(kClipIntersection, pair.a, pair.b);
        const CFlashPolygonSet difference = Clip(kClipDifference, pair.a, pair.b);
        for (int c = 0; c < unionSet.GetContourCount(); ++c)
            for (const CFlashPolygonVertex& v : unionSet.GetContour(c).vertices)
                EXPECT_TRUE(inOrOn(pair.a, v) || inOrOn(pair.b, v)) << v.x << "," << v.y;
        for (int c = 0; c < intersection.GetContourCount(); ++c)
            for (const CFlashPolygonVertex& v : intersection.GetContour(c).vertices)
                EXPECT_TRUE(inOrOn(pair.a, v) && inOrOn(pair.b, v)) << v.x << "," << v.y;
        for (int c = 0; c < difference.GetContourCount(); ++c)
            for (const CFlashPolygonVertex& v : difference.GetContour(c).vertices)
                EXPECT_TRUE(inOrOn(pair.a, v) && !strictlyIn(pair.b, v)) << v.x << "," << v.y;
    }
}

// Operands for the hole flags: the random pairs above, and stars at the editor's scale (radius
// 4,000 twips) whose spikes cross each other many times on one scan line. The spikiest leave
// slivers a few hundredths of a twip wide between nearly parallel edges.
struct StarCase {
    int vertexCount;
    double innerRadius; // the outer one is 4,000
    int pairs;
};

std::vector<RandomPair> SpikyPairs()
{
    constexpr double kRadius = 4000.0;
    const StarCase cases[] = {{300, 1000, 12}, {1000, 1000, 8}, {1000, 2000, 8}, {3000, 2000, 6}, {16000, 3600, 1}};
    std::mt19937 random(4000);
    std::uniform_real_distribution<double> offset(0.0, 1500.0);
    std::vector<RandomPair> pairs;
    for (const StarCase& c : cases) {
        for (int i = 0; i < c.pairs; ++i) {
            RandomPair pair;
            pair.a.AddContour(MakeStar(random, kRadius, kRadius, c.innerRadius, kRadius, c.vertexCount), 0);
            pair.b.AddContour(
                MakeStar(random, kRadius + offset(random), kRadius + offset(random), c.innerRadius, kRadius, c.vertexCount), 0);
            pairs.push_back(std::move(pair));
        }
    }
    return pairs;
}

// A contour is a hole exactly when an odd number of the result's other contours encloses it.
TEST(PolygonClipper, HoleFlagsFollowTheNesting)
{
    std::vector<RandomPair> pairs = RandomPairs();
    for (RandomPair& pair : SpikyPairs())
        pairs.push_back(std::move(pair));
    for (size_t i = 0; i < pairs.size(); ++i) {
        for (ClipOperation operation : {kClipUnion, kClipIntersection, kClipDifference}) {
            const CFlashPolygonSet result = Clip(operation, pairs[i].a, pairs[i].b);
            const NestingReport report = CheckHoleFlagsAgainstNesting(result, 1e-6);
            SCOPED_TRACE(testing::Message() << "pair " << i << ", operation " << operation);
            EXPECT_EQ(0, report.unprobed);
            for (int c : report.misoriented)
                ADD_FAILURE() << "contour " << c << " of " << result.GetContourCount() << " ("
                              << result.GetContour(c).GetVertexCount() << " vertices, hole flag "
                              << result.GetHoleFlag(c) << ") turns the wrong way round";
            for (const NestingMismatch& m : report.mismatches)
                ADD_FAILURE() << "contour " << m.contour << " of " << result.GetContourCount() << " (" << m.vertexCount
                              << " vertices, area " << m.area << "): hole flag " << m.holeFlag << ", inside "
                              << m.enclosing << " contours";
        }
    }
}

} // namespace
