#pragma once
#include "model/FlashShape.h"

// A closed, filled shape: its outline drawn curve by curve, then the fill painted over it.
class CFlashSolidShape : public CFlashShape {
public:
    CFlashSolidShape() = default;
    // The fill is a clone of the brush (null: no fill); no pen.
    explicit CFlashSolidShape(const Gdiplus::Brush* brush);

    void Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
              const CFlashEditorFrameShapeTransform* placement) override;
    // Inside the filled path (alternate fill mode).
    bool HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement) override;
    CFlashShape* Duplicate() const override;
    bool IsClosed() const override { return true; }
    bool IsFilled() const override { return true; }

private:
    CFlashSolidShape(const CFlashSolidShape&) = default;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashSolidShape)
