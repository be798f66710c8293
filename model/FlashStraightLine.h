#pragma once
#include "model/FlashCurve.h"

// A straight segment from start to end.
class CFlashStraightLine : public CFlashCurve {
public:
    // All points zero (archive loading).
    CFlashStraightLine() = default;
    CFlashStraightLine(int x0, int y0, int x1, int y1);

    int GetKind() const override { return kCurveKindStraightLine; }
    // 1 for a 45-degree line, 4 for a horizontal or vertical one.
    double GetWeight() const { return m_dWeight; }

    void AddToPath(Gdiplus::GraphicsPath& path) const override;
    void Draw(Gdiplus::Graphics& graphics, const Gdiplus::Pen* pen) const override;
    bool HitTest(const POINT& point) const override;
    void Offset(int dx, int dy) override;
    void Recalc() override;
    // Evenly spaced points, one per 80 twips, at least the two end points.
    std::vector<POINT> GetPolyline() const override;
    CFlashCurve* Clone(bool reversed) const override;
    int GetLastPointIndex() const override { return 1; }

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()
    double m_dWeight = 0.0;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashStraightLine)
