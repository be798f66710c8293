#pragma once
#include "platform/gdiplus/GdiPlus.h"

// A monochrome cursor of the system cursor size showing the path (brush or eraser shape, drawn
// around the origin) scaled by (sizeIndex + 1) x 0.1 and centred: filled and outlined in black,
// the black pixels invert the screen, all others are transparent; hot spot in the centre.
// Null when the cursor cannot be made. The caller destroys it (DestroyCursor).
HCURSOR CreateShapeCursor(int sizeIndex, const Gdiplus::GraphicsPath* path);
