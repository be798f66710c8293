#include "model/geometry/FlashPolygonSet.h"

#include <utility>

void CFlashPolygonSet::AddContour(const CFlashPolygonContour& contour, int holeFlag)
{
    AddContour(CFlashPolygonContour(contour), holeFlag);
}

void CFlashPolygonSet::AddContour(CFlashPolygonContour&& contour, int holeFlag)
{
    m_contours.push_back(std::move(contour));
    try {
        m_holeFlags.push_back(holeFlag);
    } catch (...) {
        // Keep the two arrays in step when the flag cannot be stored.
        m_contours.pop_back();
        throw;
    }
}

void CFlashPolygonSet::Clear()
{
    m_holeFlags.clear();
    m_holeFlags.shrink_to_fit();
    m_contours.clear();
    m_contours.shrink_to_fit();
}

void CFlashPolygonSet::Swap(CFlashPolygonSet& other) noexcept
{
    m_holeFlags.swap(other.m_holeFlags);
    m_contours.swap(other.m_contours);
}

void AddContourToPolygonSet(CFlashPolygonSet& set, const CFlashPolygonContour& contour, int holeFlag)
{
    set.AddContour(contour, holeFlag);
}

void FreePolygonSet(CFlashPolygonSet& set)
{
    set.Clear();
}
