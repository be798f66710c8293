#include "model/FlashEditorFrameShapeTransform.h"

#include <cmath>
#include <cstddef>
#include <memory>

namespace {
// Where the offset starts among the six elements, and how far the elements may reach: a shape
// scaled 65536 times, or moved as far as twips count.
constexpr std::size_t kOffsetElement = 4;
constexpr Gdiplus::REAL kMostScale = 65536.0f;
constexpr Gdiplus::REAL kMostOffset = 2147483648.0f;
}

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

bool CFlashEditorFrameShapeTransform::IsReadable(const std::array<Gdiplus::REAL, 6>& elements)
{
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const Gdiplus::REAL most = i < kOffsetElement ? kMostScale : kMostOffset;
        // Written so that a NaN fails too.
        if (!(std::fabs(elements[i]) <= most))
            return false;
    }
    return true;
}

void CPlacementEdits::Add(CFlashEditorFrameShapeTransform& placement, const Gdiplus::Matrix& change,
                          const Gdiplus::Matrix* base)
{
    const std::unique_ptr<Gdiplus::Matrix> result((base != nullptr ? base : placement.GetMatrix())->Clone());
    result->Multiply(&change, Gdiplus::MatrixOrderAppend);
    m_results.emplace_back(&placement, std::array<Gdiplus::REAL, 6>{});
    result->GetElements(m_results.back().second.data());
}

bool CPlacementEdits::Apply() const
{
    for (const auto& result : m_results)
        if (!CFlashEditorFrameShapeTransform::IsReadable(result.second))
            return false;
    for (const auto& [placement, e] : m_results)
        placement->GetMatrix()->SetElements(e[0], e[1], e[2], e[3], e[4], e[5]);
    return true;
}
