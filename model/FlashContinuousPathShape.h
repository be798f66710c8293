#pragma once
#include "model/FlashShape.h"

// An open path (lines, pencil and brush strokes) drawn as one path with the pen.
class CFlashContinuousPathShape : public CFlashShape {
public:
    CFlashContinuousPathShape() = default;
    // The pen is a clone of the given one; no fill.
    explicit CFlashContinuousPathShape(const Gdiplus::Pen* pen);

    void Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
              const CFlashEditorFrameShapeTransform* placement) override;
    // On the stroked outline of the whole path.
    bool HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement) override;
    CFlashShape* Duplicate() const override;
    bool IsClosed() const override { return false; }

private:
    CFlashContinuousPathShape(const CFlashContinuousPathShape&) = default;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashContinuousPathShape)
