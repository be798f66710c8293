#include "model/geometry/PolygonClipper.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <map>
#include <vector>

// Vatti's scan-beam clipping: both sets are cut into bounds (chains of edges rising from a local
// minimum to a local maximum); the plane is swept bottom-up between the distinct vertex heights
// (scan beams). At each beam boundary the active edges are classified by the operation into
// output vertices; inside each beam the edge crossings are classified the same way. Output
// contours grow as left and right vertex chains and are joined at local maxima.
namespace {

enum { kClip = 0, kSubject = 1 };
enum { kLeft = 0, kRight = 1 };
enum { kAbove = 0, kBelow = 1 };

enum HorizontalState { kNoHorizontal = 0, kBottomHorizontal = 1, kTopHorizontal = 2 };
enum BundleState : unsigned char { kUnbundled, kBundleHead, kBundleTail };

// Output vertex classes, from the occupancy of the four quadrants around a point:
// bit 0 top right, bit 1 top left, bit 2 bottom right, bit 3 bottom left.
enum VertexClass {
    kEmpty = 0,
    kExternalMax = 1,
    kExternalLeft = 2,
    kTopEdge = 3,
    kExternalRight = 4,
    kRightEdge = 5,
    kInternalMaxAndMin = 6,
    kInternalMin = 7,
    kExternalMin = 8,
    kExternalMaxAndMin = 9,
    kLeftEdge = 10,
    kInternalLeft = 11,
    kBottomEdge = 12,
    kInternalRight = 13,
    kInternalMax = 14,
    kFull = 15,
};

// Next horizontal-edge state, by current state and by (presence above only / below only /
// both) x parity after the edge.
constexpr HorizontalState kNextHorizontalState[3][6] = {
    {kBottomHorizontal, kTopHorizontal, kTopHorizontal, kBottomHorizontal, kNoHorizontal, kNoHorizontal},
    {kNoHorizontal, kNoHorizontal, kNoHorizontal, kNoHorizontal, kTopHorizontal, kTopHorizontal},
    {kNoHorizontal, kNoHorizontal, kNoHorizontal, kNoHorizontal, kBottomHorizontal, kBottomHorizontal},
};

// Edges closer than this in x at a beam boundary and in slope travel as one bundle.
constexpr double kBundleTolerance = double(0.1f);
// A new edge and an edge of the sorted table whose x spans differ by no more do not cross.
constexpr double kCrossingEpsilon = std::numeric_limits<double>::epsilon();

struct OutVertex {
    double x;
    double y;
    OutVertex* next;
};

// An output contour under construction. Contours joined at a maximum share one proxy, which
// holds the vertex chain; the others become inactive. A proxy reached through another is
// followed to the end, so that joining contours costs no walk over all of them.
struct OutPolygon {
    int active;
    bool hole;
    OutVertex* chain[2]; // left and right ends
    OutPolygon* proxy;
};

struct Edge {
    double xb; // x at the bottom of the current beam
    double xt; // x at the top of the current beam
    double dx; // x change per unit of y
    double botX, botY;
    double topX, topY;
    Edge* prev;
    Edge* next;
    bool bundle[2][2];                 // [above/below][clip/subject]: the bundle holds such an edge
    BundleState bundleState[2];        // [above/below]
    unsigned char side[2];             // bundle side, per type
    unsigned char type;
    OutPolygon* out[2];                // [above/below]
    Edge* successor;                   // next edge of the same bound
    Edge* nextBound;                   // next bound starting at the same local minimum
};

// Running state of the walk along the active edges at a beam boundary.
struct BoundaryWalk {
    int parity[2];         // inside each type's region, left of the current edge
    int horizontal[2];     // horizontal-edge state per type
    double px;             // x of the last output vertex
    OutPolygon* current;   // contour left open by the previous edge
};

struct Intersection {
    Edge* edge0;
    Edge* edge1;
    double x;
    double y; // above the bottom of the beam
};

struct BoundingBox {
    double xmin, ymin, xmax, ymax;
};

bool NearlyEqual(double a, double b)
{
    return (a > b ? a - b : b - a) <= kBundleTolerance;
}

// The edge's x at height y, exact at its top vertex.
double XAt(const Edge& edge, double y)
{
    return edge.topY == y ? edge.topX : edge.botX + edge.dx * (y - edge.botY);
}

class ScanBeamClipper {
public:
    ScanBeamClipper(ClipOperation operation, const CFlashPolygonSet& subject, const CFlashPolygonSet& clip)
        : m_operation(operation), m_subject(subject), m_clip(clip) {}

    void Run(CFlashPolygonSet& result);

private:
    bool IsTriviallyEmpty() const;
    void MarkContributingContours();
    void BuildLocalMinima(const CFlashPolygonSet& set, int type, const std::vector<bool>& contributing,
                          std::vector<Edge>& table);
    void AddBound(const CFlashPolygonContour& contour, int type, int first, int count, int step,
                  std::vector<Edge>& table);
    void InsertActiveEdge(Edge* edge);
    void RemoveActiveEdge(Edge* edge);
    void ProcessBoundary(double yb, double yt, bool hasTop);
    void ClassifyAtBoundary(Edge* edge, double yb, BoundaryWalk& walk);
    bool RetireOrAdvance(Edge* edge, double yb, double yt);
    void FindCrossings(Edge* edge, double dy);
    void ProcessIntersections(double yb);
    static bool AreAdjacent(const Intersection& crossing);
    void SwapBundles(Edge* e0, Edge* e1);
    void PrepareNextBeam(double yt);
    void RestoreOrder();
    int CombineQuadrants(int clipQuadrants, int subjectQuadrants) const;

    OutPolygon* AddLocalMin(Edge* edge, double x, double y);
    OutVertex* NewVertex(double x, double y);
    void AddLeft(OutPolygon* polygon, double x, double y);
    void AddRight(OutPolygon* polygon, double x, double y);
    void MergeLeft(OutPolygon* p, OutPolygon* q);
    void MergeRight(OutPolygon* p, OutPolygon* q);
    static OutPolygon* Proxy(OutPolygon* polygon);
    void BuildResult(CFlashPolygonSet& result);

    const ClipOperation m_operation;
    const CFlashPolygonSet& m_subject;
    const CFlashPolygonSet& m_clip;

    std::vector<bool> m_subjectContributes;
    std::vector<bool> m_clipContributes;
    std::vector<Edge> m_subjectEdges;
    std::vector<Edge> m_clipEdges;
    std::map<double, Edge*> m_localMinima; // first bound of each local minimum height
    std::vector<double> m_scanBeams;

    Edge* m_active = nullptr;
    std::vector<Edge*> m_sorted; // bundle heads by x at the top of the beam
    std::vector<Intersection> m_intersections;

    std::deque<OutPolygon> m_polygons; // in creation order
    std::deque<OutVertex> m_vertices;
};

bool ScanBeamClipper::IsTriviallyEmpty() const
{
    const bool noSubject = m_subject.IsEmpty();
    const bool noClip = m_clip.IsEmpty();
    return (noSubject && noClip)
        || (noSubject && (m_operation == kClipIntersection || m_operation == kClipDifference))
        || (noClip && m_operation == kClipIntersection);
}

BoundingBox ContourBounds(const CFlashPolygonContour& contour)
{
    BoundingBox box{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                    -std::numeric_limits<double>::max(), -std::numeric_limits<double>::max()};
    for (const CFlashPolygonVertex& v : contour.vertices) {
        box.xmin = std::min(box.xmin, v.x);
        box.ymin = std::min(box.ymin, v.y);
        box.xmax = std::max(box.xmax, v.x);
        box.ymax = std::max(box.ymax, v.y);
    }
    return box;
}

// Contours whose bounding box meets no contour of the other set cannot change a difference (clip
// contours) or an intersection (both sets), so they stay out of the sweep.
void ScanBeamClipper::MarkContributingContours()
{
    m_subjectContributes.assign(m_subject.GetContourCount(), true);
    m_clipContributes.assign(m_clip.GetContourCount(), true);
    if ((m_operation != kClipIntersection && m_operation != kClipDifference) || m_subject.IsEmpty()
        || m_clip.IsEmpty())
        return;

    std::vector<BoundingBox> subjectBoxes;
    subjectBoxes.reserve(m_subject.GetContourCount());
    for (int s = 0; s < m_subject.GetContourCount(); ++s)
        subjectBoxes.push_back(ContourBounds(m_subject.GetContour(s)));
    std::vector<BoundingBox> clipBoxes;
    clipBoxes.reserve(m_clip.GetContourCount());
    for (int c = 0; c < m_clip.GetContourCount(); ++c)
        clipBoxes.push_back(ContourBounds(m_clip.GetContour(c)));

    auto overlap = [&](int s, int c) {
        const BoundingBox& a = subjectBoxes[s];
        const BoundingBox& b = clipBoxes[c];
        return !(a.xmax < b.xmin || a.xmin > b.xmax) && !(a.ymax < b.ymin || a.ymin > b.ymax);
    };
    for (int c = 0; c < m_clip.GetContourCount(); ++c) {
        bool any = false;
        for (int s = 0; s < m_subject.GetContourCount() && !any; ++s)
            any = overlap(s, c);
        m_clipContributes[c] = any;
    }
    if (m_operation == kClipIntersection) {
        for (int s = 0; s < m_subject.GetContourCount(); ++s) {
            bool any = false;
            for (int c = 0; c < m_clip.GetContourCount() && !any; ++c)
                any = overlap(s, c);
            m_subjectContributes[s] = any;
        }
    }
}

// Cuts every contributing contour into bounds: chains of edges rising strictly from a local
// minimum, walked forwards and backwards around the contour. Horizontal edges belong to no bound;
// the horizontal states of the sweep account for them.
void ScanBeamClipper::BuildLocalMinima(const CFlashPolygonSet& set, int type,
                                       const std::vector<bool>& contributing, std::vector<Edge>& table)
{
    size_t total = 0;
    for (int c = 0; c < set.GetContourCount(); ++c)
        if (contributing[c])
            total += set.GetContour(c).vertices.size();
    // Bounds point into the table, so it must never move: each vertex starts at most one edge.
    table.reserve(total);

    for (int c = 0; c < set.GetContourCount(); ++c) {
        if (!contributing[c])
            continue;
        const CFlashPolygonContour& contour = set.GetContour(c);
        const std::vector<CFlashPolygonVertex>& v = contour.vertices;
        const int n = int(v.size());
        for (const CFlashPolygonVertex& vertex : v)
            m_scanBeams.push_back(vertex.y);
        auto next = [n](int i) { return (i + 1) % n; };
        auto prev = [n](int i) { return (i - 1 + n) % n; };

        for (int min = 0; min < n; ++min) {
            if (v[prev(min)].y >= v[min].y && v[next(min)].y > v[min].y) {
                int count = 1;
                for (int max = next(min); v[next(max)].y > v[max].y; max = next(max))
                    ++count;
                AddBound(contour, type, min, count, 1, table);
            }
        }
        for (int min = 0; min < n; ++min) {
            if (v[prev(min)].y > v[min].y && v[next(min)].y >= v[min].y) {
                int count = 1;
                for (int max = prev(min); v[prev(max)].y > v[max].y; max = prev(max))
                    ++count;
                AddBound(contour, type, min, count, -1, table);
            }
        }
    }
}

void ScanBeamClipper::AddBound(const CFlashPolygonContour& contour, int type, int first, int count,
                               int step, std::vector<Edge>& table)
{
    const std::vector<CFlashPolygonVertex>& v = contour.vertices;
    const int n = int(v.size());
    const size_t start = table.size();
    int index = first;
    for (int i = 0; i < count; ++i) {
        const CFlashPolygonVertex& bottom = v[index];
        index = (index + step + n) % n;
        const CFlashPolygonVertex& top = v[index];
        Edge e{};
        e.botX = bottom.x;
        e.botY = bottom.y;
        e.topX = top.x;
        e.topY = top.y;
        e.xb = bottom.x;
        e.dx = (top.x - bottom.x) / (top.y - bottom.y);
        e.type = type;
        e.bundleState[kAbove] = e.bundleState[kBelow] = kUnbundled;
        e.side[kClip] = m_operation == kClipDifference ? kRight : kLeft;
        e.side[kSubject] = kLeft;
        table.push_back(e);
    }
    for (int i = 0; i + 1 < count; ++i)
        table[start + i].successor = &table[start + i + 1];

    // Bounds at one minimum are kept in x order, then slope; later ones go after equal ones.
    Edge* bound = &table[start];
    auto found = m_localMinima.emplace(v[first].y, bound);
    if (found.second)
        return;
    Edge** link = &found.first->second;
    while (*link && ((*link)->xb < bound->xb || ((*link)->xb == bound->xb && (*link)->dx <= bound->dx)))
        link = &(*link)->nextBound;
    bound->nextBound = *link;
    *link = bound;
}

// The active edge table is kept in x order, then slope; a new edge goes after equal ones.
void ScanBeamClipper::InsertActiveEdge(Edge* edge)
{
    Edge* prev = nullptr;
    Edge* at = m_active;
    while (at && (at->xb < edge->xb || (at->xb == edge->xb && at->dx <= edge->dx))) {
        prev = at;
        at = at->next;
    }
    edge->prev = prev;
    edge->next = at;
    if (prev)
        prev->next = edge;
    else
        m_active = edge;
    if (at)
        at->prev = edge;
}

void ScanBeamClipper::RemoveActiveEdge(Edge* edge)
{
    if (edge->prev)
        edge->prev->next = edge->next;
    else
        m_active = edge->next;
    if (edge->next)
        edge->next->prev = edge->prev;
}

// Quadrant masks hold one bit per quadrant around a point (the bits of VertexClass), set where
// the point's neighbourhood lies inside the clip or subject region; the operation combines them.
int ScanBeamClipper::CombineQuadrants(int clipQuadrants, int subjectQuadrants) const
{
    switch (m_operation) {
    case kClipExclusiveOr:
        return clipQuadrants ^ subjectQuadrants;
    case kClipUnion:
        return clipQuadrants | subjectQuadrants;
    default: // difference (the clip parity starts inverted) and intersection
        return clipQuadrants & subjectQuadrants;
    }
}

// Each argument is 0 or 1.
int QuadrantMask(int topRight, int topLeft, int bottomRight, int bottomLeft)
{
    return topRight | topLeft << 1 | bottomRight << 2 | bottomLeft << 3;
}

OutVertex* ScanBeamClipper::NewVertex(double x, double y)
{
    m_vertices.push_back(OutVertex{x, y, nullptr});
    return &m_vertices.back();
}

OutPolygon* ScanBeamClipper::AddLocalMin(Edge* edge, double x, double y)
{
    OutVertex* vertex = NewVertex(x, y);
    m_polygons.push_back(OutPolygon{1, false, {vertex, vertex}, nullptr});
    OutPolygon* polygon = &m_polygons.back();
    polygon->proxy = polygon;
    edge->out[kAbove] = polygon;
    return polygon;
}

// Edges crossing at one point, or meeting within the bundle tolerance, can leave a vertex class
// that names a contour no edge carries; the output operations then pass over it.
OutPolygon* ScanBeamClipper::Proxy(OutPolygon* polygon)
{
    while (polygon->proxy != polygon) {
        polygon->proxy = polygon->proxy->proxy;
        polygon = polygon->proxy;
    }
    return polygon;
}

void ScanBeamClipper::AddLeft(OutPolygon* polygon, double x, double y)
{
    if (!polygon)
        return;
    OutVertex* vertex = NewVertex(x, y);
    OutPolygon* proxy = Proxy(polygon);
    vertex->next = proxy->chain[kLeft];
    proxy->chain[kLeft] = vertex;
}

void ScanBeamClipper::AddRight(OutPolygon* polygon, double x, double y)
{
    if (!polygon)
        return;
    OutVertex* vertex = NewVertex(x, y);
    OutPolygon* proxy = Proxy(polygon);
    proxy->chain[kRight]->next = vertex;
    proxy->chain[kRight] = vertex;
}

// Joins p's chain in front of q's at an internal maximum: the contour they close is a hole.
void ScanBeamClipper::MergeLeft(OutPolygon* p, OutPolygon* q)
{
    if (!p || !q)
        return;
    OutPolygon* from = Proxy(p);
    OutPolygon* to = Proxy(q);
    to->hole = true;
    if (from == to)
        return;
    from->chain[kRight]->next = to->chain[kLeft];
    to->chain[kLeft] = from->chain[kLeft];
    from->active = 0;
    from->proxy = to;
}

// Joins p's chain behind q's at an external maximum: the contour they close is an outer one.
void ScanBeamClipper::MergeRight(OutPolygon* p, OutPolygon* q)
{
    if (!p || !q)
        return;
    OutPolygon* from = Proxy(p);
    OutPolygon* to = Proxy(q);
    to->hole = false;
    if (from == to)
        return;
    to->chain[kRight]->next = from->chain[kLeft];
    to->chain[kRight] = from->chain[kRight];
    from->active = 0;
    from->proxy = to;
}

void ScanBeamClipper::ProcessBoundary(double yb, double yt, bool hasTop)
{
    m_sorted.clear();
    m_intersections.clear();
    if (!m_localMinima.empty() && m_localMinima.begin()->first == yb) {
        for (Edge* bound = m_localMinima.begin()->second; bound; bound = bound->nextBound)
            InsertActiveEdge(bound);
        m_localMinima.erase(m_localMinima.begin());
    }
    if (!m_active)
        return;

    // Bundle coincident edges above the boundary: the last edge of a bundle (its head) carries
    // the bundle's type flags, the others (tails) carry none. Edges close in x and slope at the
    // boundary that part by more than the tolerance within the beam are not coincident: two
    // near-vertical sides of a narrow spike rising from one vertex would otherwise cancel up to
    // the next boundary, however far that is, and the spike would vanish.
    Edge* e0 = m_active;
    for (Edge* edge = m_active; edge; edge = edge->next) {
        edge->bundle[kAbove][edge->type] = edge->topY != yb;
        edge->bundle[kAbove][!edge->type] = false;
        edge->bundleState[kAbove] = kUnbundled;
        if (edge == m_active || !edge->bundle[kAbove][edge->type])
            continue;
        if (NearlyEqual(e0->xb, edge->xb) && NearlyEqual(e0->dx, edge->dx) && e0->topY != yb
            && (!hasTop || NearlyEqual(XAt(*e0, yt), XAt(*edge, yt)))) {
            edge->bundle[kAbove][edge->type] ^= e0->bundle[kAbove][edge->type];
            edge->bundle[kAbove][!edge->type] = e0->bundle[kAbove][!edge->type];
            edge->bundleState[kAbove] = kBundleHead;
            e0->bundle[kAbove][kClip] = false;
            e0->bundle[kAbove][kSubject] = false;
            e0->bundleState[kAbove] = kBundleTail;
        }
        e0 = edge;
    }

    // Edges ending at the boundary leave the table once classified; the others get their x at
    // the top of the beam and are checked for crossings inside it.
    BoundaryWalk walk{{m_operation == kClipDifference ? kRight : kLeft, kLeft},
                      {kNoHorizontal, kNoHorizontal},
                      -std::numeric_limits<double>::max(),
                      nullptr};
    for (Edge* edge = m_active; edge;) {
        Edge* next = edge->next;
        ClassifyAtBoundary(edge, yb, walk);
        if (RetireOrAdvance(edge, yb, yt) && hasTop)
            FindCrossings(edge, yt - yb);
        edge = next;
    }
    if (m_intersections.size() > 1)
        std::stable_sort(m_intersections.begin(), m_intersections.end(),
                         [](const Intersection& a, const Intersection& b) { return a.y < b.y; });
}

void ScanBeamClipper::ClassifyAtBoundary(Edge* edge, double yb, BoundaryWalk& walk)
{
    int* parity = walk.parity;
    int* horizontal = walk.horizontal;
    double& px = walk.px;
    OutPolygon*& current = walk.current;

    const bool* above = edge->bundle[kAbove];
    const bool* below = edge->bundle[kBelow];
    // Most edges run on through the boundary with nothing pending beside them: their own
    // bundles alone flip the parities, and they can do no more than carry their contour on, as a
    // left or a right edge, where the combined region changes across them.
    if (above[kClip] == below[kClip] && above[kSubject] == below[kSubject] && edge->botY != yb
        && horizontal[kClip] == kNoHorizontal && horizontal[kSubject] == kNoHorizontal) {
        if (!above[kClip] && !above[kSubject])
            return;
        edge->side[kClip] = parity[kClip];
        edge->side[kSubject] = parity[kSubject];
        const int before = CombineQuadrants(parity[kClip], parity[kSubject]);
        parity[kClip] ^= int(above[kClip]);
        parity[kSubject] ^= int(above[kSubject]);
        if (CombineQuadrants(parity[kClip], parity[kSubject]) != before) {
            edge->out[kAbove] = edge->out[kBelow];
            px = edge->xb;
        }
        return;
    }

    int exists[2];
    for (int t = 0; t < 2; ++t)
        exists[t] = above[t] + (below[t] << 1);
    if (!exists[kClip] && !exists[kSubject])
        return;

    edge->side[kClip] = parity[kClip];
    edge->side[kSubject] = parity[kSubject];

    bool contributing;
    switch (m_operation) {
    case kClipExclusiveOr:
        contributing = true;
        break;
    case kClipUnion:
        contributing = (exists[kClip] && (!parity[kSubject] || horizontal[kSubject]))
                    || (exists[kSubject] && (!parity[kClip] || horizontal[kClip]))
                    || (exists[kClip] && exists[kSubject] && parity[kClip] == parity[kSubject]);
        break;
    default:
        contributing = (exists[kClip] && (parity[kSubject] || horizontal[kSubject]))
                    || (exists[kSubject] && (parity[kClip] || horizontal[kClip]))
                    || (exists[kClip] && exists[kSubject] && parity[kClip] == parity[kSubject]);
        break;
    }

    // Per type: the parity left of the edge, flipped across a pending horizontal edge, and across
    // the edge's bundle on either side of the boundary.
    int quadrants[2];
    for (int t = 0; t < 2; ++t) {
        const int p = parity[t];
        const int ph = p ^ int(horizontal[t] != kNoHorizontal);
        quadrants[t] = QuadrantMask(ph, ph ^ int(edge->bundle[kBelow][t]), p, p ^ int(edge->bundle[kAbove][t]));
    }
    const int vertexClass = CombineQuadrants(quadrants[kClip], quadrants[kSubject]);

    for (int t = 0; t < 2; ++t) {
        parity[t] ^= int(edge->bundle[kAbove][t]);
        if (exists[t])
            horizontal[t] = kNextHorizontalState[horizontal[t]][((exists[t] - 1) << 1) + parity[t]];
    }

    if (!contributing)
        return;
    const double xb = edge->xb;
    switch (vertexClass) {
    case kExternalMin:
    case kInternalMin:
        current = AddLocalMin(edge, xb, yb);
        px = xb;
        break;
    case kExternalRight:
        if (xb != px) {
            AddRight(current, xb, yb);
            px = xb;
        }
        edge->out[kAbove] = current;
        current = nullptr;
        break;
    case kExternalLeft:
        AddLeft(edge->out[kBelow], xb, yb);
        px = xb;
        current = edge->out[kBelow];
        break;
    case kExternalMax:
        if (xb != px) {
            AddLeft(current, xb, yb);
            px = xb;
        }
        MergeRight(current, edge->out[kBelow]);
        current = nullptr;
        break;
    case kInternalLeft:
        if (xb != px) {
            AddLeft(current, xb, yb);
            px = xb;
        }
        edge->out[kAbove] = current;
        current = nullptr;
        break;
    case kInternalRight:
        AddRight(edge->out[kBelow], xb, yb);
        px = xb;
        current = edge->out[kBelow];
        edge->out[kBelow] = nullptr;
        break;
    case kInternalMax:
        if (xb != px) {
            AddRight(current, xb, yb);
            px = xb;
        }
        MergeLeft(current, edge->out[kBelow]);
        current = nullptr;
        edge->out[kBelow] = nullptr;
        break;
    case kInternalMaxAndMin:
        if (xb != px) {
            AddRight(current, xb, yb);
            px = xb;
        }
        MergeLeft(current, edge->out[kBelow]);
        edge->out[kBelow] = nullptr;
        current = AddLocalMin(edge, xb, yb);
        break;
    case kExternalMaxAndMin:
        if (xb != px) {
            AddLeft(current, xb, yb);
            px = xb;
        }
        MergeRight(current, edge->out[kBelow]);
        edge->out[kBelow] = nullptr;
        current = AddLocalMin(edge, xb, yb);
        break;
    case kLeftEdge:
        if (edge->botY == yb)
            AddLeft(edge->out[kBelow], xb, yb);
        edge->out[kAbove] = edge->out[kBelow];
        px = xb;
        break;
    case kRightEdge:
        if (edge->botY == yb)
            AddRight(edge->out[kBelow], xb, yb);
        edge->out[kAbove] = edge->out[kBelow];
        px = xb;
        break;
    default:
        break;
    }
}

// Returns whether the edge stays in the table.
bool ScanBeamClipper::RetireOrAdvance(Edge* edge, double yb, double yt)
{
    if (edge->topY != yb) {
        edge->xt = XAt(*edge, yt);
        return true;
    }
    Edge* prev = edge->prev;
    RemoveActiveEdge(edge);
    // A bundle head leaving the table hands its output over to the tail before it.
    if (edge->bundleState[kBelow] == kBundleHead && prev && prev->bundleState[kBelow] == kBundleTail) {
        prev->out[kBelow] = edge->out[kBelow];
        prev->bundleState[kBelow] = kUnbundled;
        if (prev->prev && prev->prev->bundleState[kBelow] == kBundleTail)
            prev->bundleState[kBelow] = kBundleHead;
    }
    return false;
}

// The bundle heads, taken left to right, are inserted into a table sorted by their x at the top
// of the beam; every edge a new one passes on its way left crosses it inside the beam.
void ScanBeamClipper::FindCrossings(Edge* edge, double dy)
{
    if (edge->bundleState[kAbove] != kBundleHead && !edge->bundle[kAbove][kClip] && !edge->bundle[kAbove][kSubject])
        return;
    // Most edges keep their order and pass nothing.
    if (m_sorted.empty() || edge->xt >= m_sorted.back()->xt) {
        m_sorted.push_back(edge);
        return;
    }
    size_t position = m_sorted.size();
    while (position > 0) {
        const Edge* other = m_sorted[position - 1];
        const double den = (other->xt - other->xb) - (edge->xt - edge->xb);
        if (edge->xt >= other->xt || edge->dx == other->dx || std::fabs(den) <= kCrossingEpsilon)
            break;
        const double r = (edge->xb - other->xb) / den;
        m_intersections.push_back(Intersection{m_sorted[position - 1], edge,
                                               other->xb + r * (other->xt - other->xb), r * dy});
        --position;
    }
    m_sorted.insert(m_sorted.begin() + position, edge);
}

void ScanBeamClipper::ProcessIntersections(double yb)
{
    for (size_t i = 0; i < m_intersections.size(); ++i) {
        // Crossings at one point (nearly one height) may come out of the sort in an order that
        // pairs edges not yet side by side: the first later crossing of neighbours goes first.
        if (!AreAdjacent(m_intersections[i])) {
            size_t j = i + 1;
            while (j < m_intersections.size() && !AreAdjacent(m_intersections[j]))
                ++j;
            if (j == m_intersections.size())
                continue;
            std::rotate(m_intersections.begin() + i, m_intersections.begin() + j, m_intersections.begin() + j + 1);
        }
        const Intersection& crossing = m_intersections[i];
        Edge* e0 = crossing.edge0;
        Edge* e1 = crossing.edge1;
        const bool e0Counts = e0->bundle[kAbove][kClip] || e0->bundle[kAbove][kSubject];
        const bool e1Counts = e1->bundle[kAbove][kClip] || e1->bundle[kAbove][kSubject];
        if (e0Counts && e1Counts) {
            OutPolygon* p = e0->out[kAbove];
            OutPolygon* q = e1->out[kAbove];
            const double ix = crossing.x;
            const double iy = crossing.y + yb;

            bool in[2];
            for (int t = 0; t < 2; ++t)
                in[t] = (e0->bundle[kAbove][t] && !e0->side[t]) || (e1->bundle[kAbove][t] && e1->side[t])
                     || (!e0->bundle[kAbove][t] && !e1->bundle[kAbove][t] && e0->side[t] && e1->side[t]);
            // Per type: inside beside the crossing, flipped across either edge's bundle.
            int quadrants[2];
            for (int t = 0; t < 2; ++t) {
                const int inside = int(in[t]);
                const int across1 = int(e1->bundle[kAbove][t]);
                const int across0 = int(e0->bundle[kAbove][t]);
                quadrants[t] = QuadrantMask(inside, inside ^ across1, inside ^ across0, inside ^ across1 ^ across0);
            }
            switch (CombineQuadrants(quadrants[kClip], quadrants[kSubject])) {
            case kExternalMin:
            case kInternalMin:
                AddLocalMin(e0, ix, iy);
                e1->out[kAbove] = e0->out[kAbove];
                break;
            case kExternalRight:
                if (p) {
                    AddRight(p, ix, iy);
                    e1->out[kAbove] = p;
                    e0->out[kAbove] = nullptr;
                }
                break;
            case kExternalLeft:
                if (q) {
                    AddLeft(q, ix, iy);
                    e0->out[kAbove] = q;
                    e1->out[kAbove] = nullptr;
                }
                break;
            case kExternalMax:
                if (p && q) {
                    AddLeft(p, ix, iy);
                    MergeRight(p, q);
                    e0->out[kAbove] = nullptr;
                    e1->out[kAbove] = nullptr;
                }
                break;
            case kInternalLeft:
                if (p) {
                    AddLeft(p, ix, iy);
                    e1->out[kAbove] = p;
                    e0->out[kAbove] = nullptr;
                }
                break;
            case kInternalRight:
                if (q) {
                    AddRight(q, ix, iy);
                    e0->out[kAbove] = q;
                    e1->out[kAbove] = nullptr;
                }
                break;
            case kInternalMax:
                if (p && q) {
                    AddRight(p, ix, iy);
                    MergeLeft(p, q);
                    e0->out[kAbove] = nullptr;
                    e1->out[kAbove] = nullptr;
                }
                break;
            case kInternalMaxAndMin:
                if (p && q) {
                    AddRight(p, ix, iy);
                    MergeLeft(p, q);
                    AddLocalMin(e0, ix, iy);
                    e1->out[kAbove] = e0->out[kAbove];
                }
                break;
            case kExternalMaxAndMin:
                if (p && q) {
                    AddLeft(p, ix, iy);
                    MergeRight(p, q);
                    AddLocalMin(e0, ix, iy);
                    e1->out[kAbove] = e0->out[kAbove];
                }
                break;
            default:
                break;
            }
        }

        // Crossing an edge of a type changes which side of that type's region the other is on.
        for (int t = 0; t < 2; ++t) {
            if (e0->bundle[kAbove][t])
                e1->side[t] = !e1->side[t];
            if (e1->bundle[kAbove][t])
                e0->side[t] = !e0->side[t];
        }
        SwapBundles(e0, e1);
    }
}

// True when e1's bundle comes right after e0 in the active edge table: only then can they swap.
bool ScanBeamClipper::AreAdjacent(const Intersection& crossing)
{
    const Edge* edge = crossing.edge0->next;
    while (edge && edge != crossing.edge1 && edge->bundleState[kAbove] == kBundleTail)
        edge = edge->next;
    return edge == crossing.edge1;
}

// Moves e1's bundle (the edges after e0 up to e1) in front of e0's bundle (e0 and its tails).
void ScanBeamClipper::SwapBundles(Edge* e0, Edge* e1)
{
    Edge* prev = e0->prev;
    Edge* next = e1->next;
    if (next)
        next->prev = e0;
    if (e0->bundleState[kAbove] == kBundleHead) {
        while (prev && prev->bundleState[kAbove] == kBundleTail)
            prev = prev->prev;
    }
    Edge* first = e0->next;
    if (!prev) {
        m_active->prev = e1;
        e1->next = m_active;
        m_active = first;
    } else {
        prev->next->prev = e1;
        e1->next = prev->next;
        prev->next = first;
    }
    first->prev = prev;
    e0->next = next;
}

void ScanBeamClipper::PrepareNextBeam(double yt)
{
    bool ordered = true;
    for (Edge* edge = m_active, *next = nullptr; edge; edge = next) {
        next = edge->next;
        Edge* successor = edge->successor;
        Edge* placed = edge;
        if (edge->topY == yt && successor) {
            placed = successor;
            successor->out[kBelow] = edge->out[kAbove];
            successor->bundleState[kBelow] = edge->bundleState[kAbove];
            successor->bundle[kBelow][kClip] = edge->bundle[kAbove][kClip];
            successor->bundle[kBelow][kSubject] = edge->bundle[kAbove][kSubject];
            successor->prev = edge->prev;
            successor->next = next;
            if (edge->prev)
                edge->prev->next = successor;
            else
                m_active = successor;
            if (next)
                next->prev = successor;
        } else {
            edge->out[kBelow] = edge->out[kAbove];
            edge->bundleState[kBelow] = edge->bundleState[kAbove];
            edge->bundle[kBelow][kClip] = edge->bundle[kAbove][kClip];
            edge->bundle[kBelow][kSubject] = edge->bundle[kAbove][kSubject];
            edge->xb = edge->xt;
        }
        edge->out[kAbove] = nullptr;
        ordered = ordered && !(placed->prev && placed->prev->xb > placed->xb);
    }
    if (!ordered)
        RestoreOrder();
}

// A bundle crosses other edges as one, at its head's position, while each of its tails is back on
// its own line at the top of the beam: an edge that crossed only the head now sits on the wrong
// side of a tail, and the crossings of the next beam would be taken between edges out of order.
// Such tails carry nothing below the boundary (their bundle did), so moving them back to their
// place by x changes none of the regions the sweep has built. Two edges that both carry a region
// keep the order their crossings gave them.
void ScanBeamClipper::RestoreOrder()
{
    auto carries = [](const Edge* edge) { return edge->bundle[kBelow][kClip] || edge->bundle[kBelow][kSubject]; };
    for (Edge* edge = m_active ? m_active->next : nullptr, *next = nullptr; edge; edge = next) {
        next = edge->next;
        Edge* at = edge->prev;
        while (at && at->xb > edge->xb && !(carries(at) && carries(edge)))
            at = at->prev;
        if (at == edge->prev)
            continue;
        RemoveActiveEdge(edge);
        edge->prev = at;
        edge->next = at ? at->next : m_active;
        if (at)
            at->next = edge;
        else
            m_active = edge;
        edge->next->prev = edge;
    }
}

// Each contour's vertices are its left chain written from the end of the array backwards.
void ScanBeamClipper::BuildResult(CFlashPolygonSet& result)
{
    for (auto it = m_polygons.rbegin(); it != m_polygons.rend(); ++it) {
        if (!it->active)
            continue;
        int count = 0;
        for (const OutVertex* v = it->chain[kLeft]; v; v = v->next)
            ++count;
        if (count <= 2)
            continue;
        CFlashPolygonContour contour;
        contour.vertices.resize(count);
        int index = count - 1;
        for (const OutVertex* v = it->chain[kLeft]; v; v = v->next)
            contour.vertices[index--] = CFlashPolygonVertex(v->x, v->y);
        result.AddContour(std::move(contour), it->hole ? 1 : 0);
    }
}

void ScanBeamClipper::Run(CFlashPolygonSet& result)
{
    if (IsTriviallyEmpty())
        return;
    MarkContributingContours();
    BuildLocalMinima(m_subject, kSubject, m_subjectContributes, m_subjectEdges);
    BuildLocalMinima(m_clip, kClip, m_clipContributes, m_clipEdges);
    if (m_localMinima.empty())
        return;
    std::sort(m_scanBeams.begin(), m_scanBeams.end());
    m_scanBeams.erase(std::unique(m_scanBeams.begin(), m_scanBeams.end()), m_scanBeams.end());

    double yt = 0.0;
    for (size_t beam = 0; beam < m_scanBeams.size(); ++beam) {
        const double yb = m_scanBeams[beam];
        const bool hasTop = beam + 1 < m_scanBeams.size();
        if (hasTop)
            yt = m_scanBeams[beam + 1];
        ProcessBoundary(yb, yt, hasTop);
        if (hasTop) {
            ProcessIntersections(yb);
            PrepareNextBeam(yt);
        }
    }
    BuildResult(result);
}

} // namespace

void ClipPolygonSets(ClipOperation operation, const CFlashPolygonSet& subject, const CFlashPolygonSet& clip,
                     CFlashPolygonSet& result)
{
    // Built aside and swapped in, so that a failure leaves the result as it was.
    CFlashPolygonSet output;
    ScanBeamClipper(operation, subject, clip).Run(output);
    result.Swap(output);
}

bool IsContourInside(const CFlashPolygonContour& a, const CFlashPolygonContour& b)
{
    CFlashPolygonSet outer;
    outer.AddContour(a, 0);
    CFlashPolygonSet inner;
    inner.AddContour(b, 0);
    CFlashPolygonSet remainder;
    ClipPolygonSets(kClipDifference, inner, outer, remainder);
    return remainder.IsEmpty();
}
