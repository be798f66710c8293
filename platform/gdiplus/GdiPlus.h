#pragma once
// The GDI+ interface of the system: Wine's flat API with our own C++ classes over it.
// Wine's headers declare Color, Rect and RectF without their members; they are renamed while
// the headers are read and defined in full here, with the same layout.
#include <windows.h>

#define Color WineIncompleteColor
#define Rect WineIncompleteRect
#define RectF WineIncompleteRectF
#include <gdiplus.h>
#undef Color
#undef Rect
#undef RectF

#include "platform/gdiplus/GdiplusColor.h"
