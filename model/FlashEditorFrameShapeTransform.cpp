#include "model/FlashEditorFrameShapeTransform.h"

CPlacementMatrix::CPlacementMatrix(const CPlacementMatrix& source) : Gdiplus::Matrix()
{
    *this = source;
}

CPlacementMatrix& CPlacementMatrix::operator=(const CPlacementMatrix& source)
{
    Gdiplus::REAL elements[6];
    source.GetElements(elements);
    SetElements(elements[0], elements[1], elements[2], elements[3], elements[4], elements[5]);
    return *this;
}

void CFlashEditorFrameShapeTransform::Interpolate(const CFlashEditorFrameShapeTransform* to,
                                                  CFlashEditorFrameShapeTransform* out, double t) const
{
    if (!to || !out || t < 0.0 || t > 1.0)
        return;
    auto lerpInt = [t](int a, int b) { return int(a + t * (b - a)); };
    auto lerp = [t](double a, double b) { return a + t * (b - a); };
    out->m_nTweenValue1 = lerpInt(m_nTweenValue1, to->m_nTweenValue1);
    out->m_nTweenValue2 = lerpInt(m_nTweenValue2, to->m_nTweenValue2);
    out->m_dTweenValue1 = lerp(m_dTweenValue1, to->m_dTweenValue1);
    out->m_dTweenValue2 = lerp(m_dTweenValue2, to->m_dTweenValue2);
    out->m_nTweenValue3 = lerpInt(m_nTweenValue3, to->m_nTweenValue3);
    Gdiplus::REAL from[6], target[6], result[6];
    m_matrix.GetElements(from);
    to->m_matrix.GetElements(target);
    for (int i = 0; i < 6; ++i)
        result[i] = Gdiplus::REAL(from[i] + t * (target[i] - from[i]));
    out->m_matrix.SetElements(result[0], result[1], result[2], result[3], result[4], result[5]);
}
