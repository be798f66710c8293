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
#include "platform/gdiplus/GdiplusTypes.h"
#include "platform/gdiplus/GdiplusBase.h"
#include "platform/gdiplus/Matrix.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/LinearGradientBrush.h"
#include "platform/gdiplus/PathGradientBrush.h"
#include "platform/gdiplus/TextureBrush.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/GraphicsPath.h"
#include "platform/gdiplus/Region.h"
#include "platform/gdiplus/Image.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/FontFamily.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/gdiplus/Graphics.h"
