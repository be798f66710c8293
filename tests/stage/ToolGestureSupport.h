#pragma once
// A stage fixture that plays mouse gestures to the view and reads back what the tools made.
#include "StageTestSupport.h"

#include "platform/gdiplus/GdiPlus.h"

#include <string>
#include <vector>

class CFlashShape;

// The commands that choose the tools.
enum : UINT {
    kCmdEyedropper = 32779,
    kCmdPaintBucket = 32780,
    kCmdPencil = 32782,
    kCmdBrush = 32783,
    kCmdSelect = 32784,
    kCmdLine = 32785,
    kCmdRectangle = 32786,
    kCmdFilledRectangle = 32787,
    kCmdEllipse = 32792,
    kCmdOval = 32793,
    kCmdLasso = 32795,
    kCmdText = 32818,
    kCmdFreeTransform = 32848,
    kCmdSubselection = 32863,
    kCmdEraser = 32866,
    kCmdInkBottle = 32877,
};

// What a shape is, as the tests name it.
enum class ShapeKind { None, Path, Hollow, Solid, Text, Other };

class CToolGestureFixture : public CStageFixture {
public:
    // A client point of a stage point given in pixels at the current zoom.
    POINT Client(int x, int y) const;
    void Post(UINT message, WPARAM flags, POINT at);
    void Command(UINT id);
    // Press at the first point, move through the others (button held) and release at the last;
    // the modifier flags go with every message.
    void Drag(const std::vector<POINT>& stagePoints, UINT modifiers = 0);
    void Click(POINT stagePoint, UINT modifiers = 0);
    // The current layer's shapes at the current frame, bottom first.
    std::vector<CFlashShape*> Shapes() const;
    // The one shape of after that before lacks, or null.
    static CFlashShape* NewShape(const std::vector<CFlashShape*>& before, const std::vector<CFlashShape*>& after);
    static ShapeKind KindOf(const CFlashShape* shape);
    // 0 without a pen or a solid fill.
    static Gdiplus::ARGB PenColor(const CFlashShape* shape);
    static Gdiplus::ARGB FillColor(const CFlashShape* shape);
};
