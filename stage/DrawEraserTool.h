#pragma once
#include "stage/DrawFreeHandTool.h"

// Cuts away the parts of shapes its stroke covers.
class CDrawEraserTool : public CDrawFreeHandTool {
public:
    CDrawEraserTool() = default;
};
