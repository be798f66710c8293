#pragma once
#include "model/FlashCurve.h"

// Ends the current figure of a path; carries no geometry, never hits, has zero bounds.
class CFlashCloseFigureOp : public CFlashCurve {
public:
    CFlashCloseFigureOp() = default;

    int GetKind() const override { return kCurveKindCloseFigure; }
    void AddToPath(Gdiplus::GraphicsPath& path) const override;
    void Draw(Gdiplus::Graphics&, const Gdiplus::Pen*) const override {}
    bool HitTest(const POINT&) const override { return false; }
    void Offset(int, int) override {}
    // Its points stay zero under any placement.
    void Transform(const CFlashEditorFrameShapeTransform*) override {}
    void Recalc() override {}
    std::vector<Gdiplus::PointF> GetPointList() const override { return {}; }
    std::vector<POINT> GetPolyline() const override { return {}; }
    int GetControlPoints(std::vector<POINT>& points) const override;
    CFlashCurve* Clone(bool) const override { return new CFlashCloseFigureOp(*this); }
    int GetLastPointIndex() const override { return 0; }

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    CFlashCloseFigureOp(const CFlashCloseFigureOp&) = default;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashCloseFigureOp)
