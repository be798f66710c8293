#pragma once
#include "stage/SelectTool.h"

// Scales, rotates and moves the selection by handles laid out around its bounds.
class CFreeTransformTool : public CSelectTool {
public:
    CFreeTransformTool() = default;
    // Places the handles around the selection's bounds.
    virtual void LayoutHandles();
};
