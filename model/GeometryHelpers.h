#pragma once
// Geometry helpers on integer x-y-w-h rectangles, integer points and GDI+ matrices, shared by the
// model and the stage.
#include "platform/gdiplus/GdiPlus.h"

#include <vector>

int Clamp(int value, int low, int high);
int CeilToInt(double value);
// Nearest integer; halves round towards positive infinity (2.5 -> 3, -2.5 -> -2, -2.7 -> -3).
int RoundToInt(double value);

void ScalePoint(POINT& out, const POINT& point, float factor);
void ScalePointByDouble(POINT& out, const POINT& point, double factor);
void ScaleRect(Gdiplus::Rect& out, const Gdiplus::Rect& rect, float factor);
// A negative width (height) becomes positive and x (y) moves by it.
void NormalizeRect(Gdiplus::Rect& rect);
// Smallest rectangle holding both; true when its width and height are positive.
bool UnionRect(Gdiplus::Rect& out, const Gdiplus::Rect& a, const Gdiplus::Rect& b);
void RectToXYWH(Gdiplus::Rect& out, const RECT& rect);
// Corners clockwise from the top left.
void RectToCorners(const Gdiplus::Rect& rect, POINT corners[4]);
void BoundsOfCorners(const POINT corners[4], Gdiplus::Rect& out);
// The rectangle becomes the bounding box of its corners mapped through the matrix.
void TransformRectBounds(Gdiplus::Rect& rect, const Gdiplus::Matrix* matrix);
// Multiplies m11, m12 by sx and m21, m22 by sy; the offsets stay.
void ScaleMatrix(Gdiplus::Matrix* matrix, float sx, float sy);
void DecomposeMatrix(const Gdiplus::Matrix* matrix, double& sx, double& sy, double& angle);
// Opaque colour whose channels are trunc(t * to + (1 - t) * from).
void LerpColor(Gdiplus::ARGB& out, Gdiplus::ARGB from, Gdiplus::ARGB to, double t);

// Maps points through a matrix with GDI+'s integer mapping (nearest integer); a null matrix
// leaves them unchanged.
void TransformPoints(const Gdiplus::Matrix* matrix, POINT* points, int count);
inline void TransformPoint(const Gdiplus::Matrix* matrix, POINT& point) { TransformPoints(matrix, &point, 1); }

Gdiplus::ARGB ColorRefToArgb(COLORREF color);
COLORREF ArgbToColorRef(Gdiplus::ARGB argb);
