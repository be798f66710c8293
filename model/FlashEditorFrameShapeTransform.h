#pragma once
#include "model/ArchiveRecord.h"
#include "platform/gdiplus/GdiPlus.h"

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

    Gdiplus::Matrix* GetMatrix() { return &m_matrix; }
    const Gdiplus::Matrix* GetMatrix() const { return &m_matrix; }

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

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashEditorFrameShapeTransform)
