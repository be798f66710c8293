#include "model/geometry/ContourProcessing.h"
#include "model/geometry/PolygonClipper.h"
#include "tests/model/geometry/PolygonTestHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Outline = std::vector<std::pair<double, double>>;

std::vector<Outline> Outlines(const CFlashPolygonSet& set)
{
    std::vector<Outline> outlines;
    for (int c = 0; c < set.GetContourCount(); ++c) {
        Outline outline;
        for (const CFlashPolygonVertex& v : set.GetContour(c).vertices)
            outline.emplace_back(v.x, v.y);
        outlines.push_back(outline);
    }
    return outlines;
}

bool IsErasedMarker(const CFlashPolygonSet& set)
{
    return set.GetContourCount() == 1 && set.GetHoleFlag(0) == 1 && set.GetContour(0).vertices.empty();
}

// The clip region of every case: the square from (10, 0) to (20, 10).
const CFlashPolygonSet& ClipSquare()
{
    static const CFlashPolygonSet square = MakeSet({MakeRectangle(10, 0, 20, 10)});
    return square;
}

CFlashPolygonSet Segment(double x0, double y0, double x1, double y1)
{
    return MakeSet({MakeContour({{x0, y0}, {x1, y1}}, 4)});
}

TEST(ClipSegment, PiecesOutsideTheClipRegion)
{
    struct Case {
        const char* name;
        CFlashPolygonSet segment;
        std::vector<Outline> pieces;
    } cases[] = {
        {"wholly outside", Segment(0, 20, 30, 20), {}},
        {"across", Segment(0, 5, 30, 5), {{{0, 5}, {10, 5}}, {{20, 5}, {30, 5}}}},
        {"across backwards", Segment(30, 5, 0, 5), {{{30, 5}, {20, 5}}, {{10, 5}, {0, 5}}}},
        {"from inside out", Segment(15, 5, 30, 5), {{{20, 5}, {30, 5}}}},
        {"from outside in", Segment(0, 5, 15, 5), {{{0, 5}, {10, 5}}}},
        {"vertical upwards", Segment(15, -10, 15, 20), {{{15, -10}, {15, 0}}, {{15, 10}, {15, 20}}}},
        {"vertical downwards", Segment(15, 20, 15, -10), {{{15, 20}, {15, 10}}, {{15, 0}, {15, -10}}}},
    };
    for (const Case& c : cases) {
        CFlashPolygonSet result;
        ClipSegment(kClipDifference, c.segment, ClipSquare(), result);
        EXPECT_EQ(c.pieces, Outlines(result)) << c.name;
        for (int i = 0; i < result.GetContourCount(); ++i)
            EXPECT_EQ(0, result.GetHoleFlag(i)) << c.name;
    }
}

TEST(ClipSegment, MarksASegmentInsideAndIgnoresUnionAndExclusiveOr)
{
    CFlashPolygonSet result;
    ClipSegment(kClipIntersection, Segment(12, 5, 18, 5), ClipSquare(), result);
    EXPECT_TRUE(IsErasedMarker(result));
    for (ClipOperation operation : {kClipUnion, kClipExclusiveOr}) {
        ClipSegment(operation, Segment(0, 5, 30, 5), ClipSquare(), result);
        EXPECT_TRUE(result.IsEmpty()) << operation;
    }
}

TEST(ClipSegment, ASetWithoutASegmentGivesNothing)
{
    for (const CFlashPolygonSet& notASegment : {CFlashPolygonSet(), MakeSet({MakeContour({{0, 5}})})}) {
        CFlashPolygonSet result = MakeSet({MakeContour({{1, 1}, {2, 2}})});
        ClipSegment(kClipDifference, notASegment, ClipSquare(), result);
        EXPECT_TRUE(result.IsEmpty());
    }
}

TEST(ClipSegment, EndsKeepTheirSourceIndicesAndCrossingsHaveNone)
{
    CFlashPolygonSet result;
    ClipSegment(kClipDifference, Segment(0, 5, 30, 5), ClipSquare(), result);
    ASSERT_EQ(2, result.GetContourCount());
    EXPECT_EQ(4, result.GetContour(0).vertices[0].nSourceIndex);
    EXPECT_EQ(-1, result.GetContour(0).vertices[1].nSourceIndex);
    EXPECT_EQ(-1, result.GetContour(1).vertices[0].nSourceIndex);
    EXPECT_EQ(4, result.GetContour(1).vertices[1].nSourceIndex);
}

TEST(ClipOpenContours, KeepsTheOutlinePartsOutside)
{
    struct Case {
        const char* name;
        CFlashPolygonSet subject;
        std::vector<Outline> outlines; // empty: the erased marker
    } cases[] = {
        {"wholly outside is kept whole", MakeSet({MakeContour({{0, 20}, {15, 30}, {30, 20}})}),
         {{{0, 20}, {15, 30}, {30, 20}}}},
        {"middle vertex inside", MakeSet({MakeContour({{0, 5}, {15, 5}, {30, 5}})}),
         {{{0, 5}, {10, 5}}, {{20, 5}, {30, 5}}}},
        {"wholly inside", MakeSet({MakeContour({{12, 2}, {18, 2}, {18, 8}})}), {}},
        {"crossing in one segment, then outside",
         MakeSet({MakeContour({{0, 5}, {30, 5}, {30, 20}})}),
         {{{0, 5}, {10, 5}}, {{20, 5}, {30, 5}, {30, 20}}}},
        // Each contour is an outline of its own: neither joined to the one before it nor lost
        // because the one before it ended inside the clip region.
        {"contours ending outside stay apart",
         MakeSet({MakeContour({{0, 20}, {30, 20}}), MakeContour({{0, 30}, {30, 30}})}),
         {{{0, 20}, {30, 20}}, {{0, 30}, {30, 30}}}},
        {"a contour after one ending inside is kept",
         MakeSet({MakeContour({{0, 5}, {15, 5}}), MakeContour({{0, 30}, {30, 30}})}),
         {{{0, 5}, {10, 5}}, {{0, 30}, {30, 30}}}},
        {"a contour after one ending inside keeps its start",
         MakeSet({MakeContour({{0, 5}, {15, 5}}), MakeContour({{25, 5}, {35, 5}, {35, 20}})}),
         {{{0, 5}, {10, 5}}, {{25, 5}, {35, 5}, {35, 20}}}},
        {"a contour starting inside after one outside",
         MakeSet({MakeContour({{0, 20}, {30, 20}}), MakeContour({{15, 5}, {30, 5}})}),
         {{{0, 20}, {30, 20}}, {{20, 5}, {30, 5}}}},
    };
    for (const Case& c : cases) {
        CFlashPolygonSet result;
        ClipOpenContours(kClipIntersection, c.subject, ClipSquare(), result);
        if (c.outlines.empty()) {
            EXPECT_TRUE(IsErasedMarker(result)) << c.name;
            continue;
        }
        EXPECT_EQ(c.outlines, Outlines(result)) << c.name;
        for (int i = 0; i < result.GetContourCount(); ++i)
            EXPECT_EQ(0, result.GetHoleFlag(i)) << c.name;
    }
}

TEST(RemoveDuplicateVertices, KeepsOneOfEachRunInOrder)
{
    struct Case {
        Outline in;
        Outline out;
    } cases[] = {
        {{{0, 0}, {0, 0}, {5, 0}, {5, 0}, {5, 5}}, {{0, 0}, {5, 0}, {5, 5}}},
        {{{0, 0}, {5, 0}, {0, 0}}, {{0, 0}, {5, 0}, {0, 0}}}, // a last vertex equal to the first stays
        {{{1, 1}, {1, 1}, {1, 1}}, {{1, 1}}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        CFlashPolygonContour contour;
        for (const auto& p : c.in)
            contour.vertices.emplace_back(p.first, p.second);
        CFlashPolygonSet set;
        set.AddContour(contour, 0);
        RemoveDuplicateVertices(set);
        EXPECT_EQ(c.out, Outlines(set)[0]);
    }
}

TEST(SubdivideLongEdges, SplitsEveryLongEdgeAndClosesTheContour)
{
    CFlashPolygonSet set = MakeSet({MakeContour({{0, 0}, {10, 0}}, 6)});
    SubdivideLongEdges(set, 4);
    const Outline expected{{0, 0}, {4, 0}, {8, 0}, {10, 0}, {6, 0}, {2, 0}, {0, 0}};
    EXPECT_EQ(expected, Outlines(set)[0]);
    const std::vector<int> sources{6, -1, -1, 6, -1, -1, 6};
    for (size_t i = 0; i < sources.size(); ++i)
        EXPECT_EQ(sources[i], set.GetContour(0).vertices[i].nSourceIndex) << i;

    // An edge of exactly twice the length gets one vertex; one not longer than the length none.
    CFlashPolygonSet exact = MakeSet({MakeContour({{0, 0}, {8, 0}, {4, 0}})});
    SubdivideLongEdges(exact, 4);
    EXPECT_EQ((Outline{{0, 0}, {4, 0}, {8, 0}, {4, 0}, {0, 0}}), Outlines(exact)[0]);
}

TEST(SubdivideLongEdges, IgnoresALengthThatIsNotPositive)
{
    CFlashPolygonSet set = MakeSet({MakeContour({{0, 0}, {10, 0}})});
    SubdivideLongEdges(set, 0.0);
    SubdivideLongEdges(set, -3.0);
    EXPECT_EQ((Outline{{0, 0}, {10, 0}}), Outlines(set)[0]);
}

} // namespace
