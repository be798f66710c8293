#pragma once
#include <vector>

// A polygon vertex in twips with the shape curve point it came from.
struct CFlashPolygonVertex {
    static constexpr int kNoSource = -1;

    CFlashPolygonVertex() = default;
    CFlashPolygonVertex(double x, double y, int sourceIndex = kNoSource)
        : x(x), y(y), nSourceIndex(sourceIndex) {}

    double x = 0.0;
    double y = 0.0;
    // 3 x curve index + point kind (0 start, 1 interior, 2 end), or kNoSource.
    int nSourceIndex = kNoSource;
};

// One closed contour: its vertices in order, the closing edge implied.
struct CFlashPolygonContour {
    int GetVertexCount() const { return int(vertices.size()); }

    std::vector<CFlashPolygonVertex> vertices;
};

// Contours with one hole flag each (1 hole, 0 outer contour): input and output of the clipper.
// The flags live beside the contours and are kept in step by every operation of the set.
class CFlashPolygonSet {
public:
    int GetContourCount() const { return int(m_contours.size()); }
    bool IsEmpty() const { return m_contours.empty(); }

    const CFlashPolygonContour& GetContour(int index) const { return m_contours[index]; }
    CFlashPolygonContour& GetContour(int index) { return m_contours[index]; }
    int GetHoleFlag(int index) const { return m_holeFlags[index]; }
    void SetHoleFlag(int index, int holeFlag) { m_holeFlags[index] = holeFlag; }

    // Appends a copy of the contour (source indices included) with its hole flag.
    void AddContour(const CFlashPolygonContour& contour, int holeFlag);
    void AddContour(CFlashPolygonContour&& contour, int holeFlag);
    // Releases every contour and flag; the set is then empty.
    void Clear();
    void Swap(CFlashPolygonSet& other) noexcept;

private:
    std::vector<int> m_holeFlags;
    std::vector<CFlashPolygonContour> m_contours;
};

// The plain-function interface the shape operations use.
void AddContourToPolygonSet(CFlashPolygonSet& set, const CFlashPolygonContour& contour, int holeFlag);
void FreePolygonSet(CFlashPolygonSet& set);
