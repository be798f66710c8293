#pragma once
#include "model/ArchiveRecord.h"
#include "platform/gdiplus/GdiPlus.h"

#include <array>
#include <utility>
#include <vector>

namespace boost { namespace serialization { class access; } }

// A GDI+ matrix that copies its elements, so that the placement holding it can be copied
// member-wise.
class CPlacementMatrix : public Gdiplus::Matrix {
public:
    CPlacementMatrix() = default;
    CPlacementMatrix(const CPlacementMatrix& source);
    CPlacementMatrix& operator=(const CPlacementMatrix& source);
};

// The placement of one shape in one frame span: a matrix from the shape's own twips to stage
// twips, and further tween values that are carried along (copied, interpolated and stored).
// Copies are member-wise.
class CFlashEditorFrameShapeTransform {
public:
    // Active, identity matrix, integers 0, doubles 1.0.
    CFlashEditorFrameShapeTransform() = default;

    // A placement that is not active counts as absent for drawing, hit testing and tweening.
    bool IsActive() const { return m_bActive; }
    void SetActive(bool active) { m_bActive = active; }

    // For building a placement; the editor changes a held one through CPlacementEdits, so that
    // it never holds a matrix the document file refuses.
    Gdiplus::Matrix* GetMatrix() { return &m_matrix; }
    const Gdiplus::Matrix* GetMatrix() const { return &m_matrix; }

    // Whether the elements (m11, m12, m21, m22, dx, dy) are a placement the document file reads
    // back: scale and rotation elements of at most 65536, an offset of at most 2^31 twips.
    // Beyond these a placement is damage, and drawing it takes the platform time in proportion
    // to the size it reaches.
    static bool IsReadable(const std::array<Gdiplus::REAL, 6>& elements);

    // Writes into out the values this + t * (to - this) (integers truncated, matrix elements in
    // single precision); nothing when to or out is null or t lies outside [0, 1]. out's active
    // flag is not touched.
    void Interpolate(const CFlashEditorFrameShapeTransform* to, CFlashEditorFrameShapeTransform* out, double t) const;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    bool m_bActive = true;
    int m_nTweenValue1 = 0;
    int m_nTweenValue2 = 0;
    double m_dTweenValue1 = 1.0;
    double m_dTweenValue2 = 1.0;
    int m_nTweenValue3 = 0;
    CPlacementMatrix m_matrix;
};

// Edits of placements that take effect together: a group moves whole or not at all.
class CPlacementEdits {
public:
    // The placement is to become base (its own matrix when null) with the change appended.
    void Add(CFlashEditorFrameShapeTransform& placement, const Gdiplus::Matrix& change,
             const Gdiplus::Matrix* base = nullptr);
    // Gives every placement its new matrix; false, with none changed, when any of them would
    // not be readable.
    bool Apply() const;

private:
    std::vector<std::pair<CFlashEditorFrameShapeTransform*, std::array<Gdiplus::REAL, 6>>> m_results;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashEditorFrameShapeTransform)
