#pragma once
#include "model/FlashShape.h"

// A closed outline without fill, drawn curve by curve with a dashed ellipse inscribed in its bounds.
class CFlashHollowShape : public CFlashShape {
public:
    CFlashHollowShape() = default;
    // The pen is a clone of the given one; no fill.
    explicit CFlashHollowShape(const Gdiplus::Pen* pen);

    void Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
              const CFlashEditorFrameShapeTransform* placement) override;
    // On the stroked outline of any single curve.
    bool HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement) override;
    CFlashShape* Duplicate() const override;
    bool IsClosed() const override { return true; }

private:
    CFlashHollowShape(const CFlashHollowShape&) = default;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashHollowShape)
