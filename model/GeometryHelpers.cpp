#include "model/GeometryHelpers.h"

#include <algorithm>
#include <cmath>
#include <vector>

int Clamp(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

int CeilToInt(double value)
{
    return int(std::ceil(value));
}

int RoundToInt(double value)
{
    return int(std::floor(value + 0.5));
}

void ScalePoint(POINT& out, const POINT& point, float factor)
{
    out.x = LONG(point.x * factor);
    out.y = LONG(point.y * factor);
}

void ScalePointByDouble(POINT& out, const POINT& point, double factor)
{
    out.x = LONG(point.x * factor);
    out.y = LONG(point.y * factor);
}

void ScaleRect(Gdiplus::Rect& out, const Gdiplus::Rect& rect, float factor)
{
    out = Gdiplus::Rect(INT(rect.X * factor), INT(rect.Y * factor), INT(rect.Width * factor),
                        INT(rect.Height * factor));
}

void NormalizeRect(Gdiplus::Rect& rect)
{
    if (rect.Width < 0) {
        rect.X += rect.Width;
        rect.Width = -rect.Width;
    }
    if (rect.Height < 0) {
        rect.Y += rect.Height;
        rect.Height = -rect.Height;
    }
}

bool UnionRect(Gdiplus::Rect& out, const Gdiplus::Rect& a, const Gdiplus::Rect& b)
{
    return Gdiplus::Rect::Union(out, a, b) != FALSE;
}

void RectToXYWH(Gdiplus::Rect& out, const RECT& rect)
{
    out = Gdiplus::Rect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void RectToCorners(const Gdiplus::Rect& rect, POINT corners[4])
{
    corners[0] = {rect.X, rect.Y};
    corners[1] = {rect.X + rect.Width, rect.Y};
    corners[2] = {rect.X + rect.Width, rect.Y + rect.Height};
    corners[3] = {rect.X, rect.Y + rect.Height};
}

void BoundsOfCorners(const POINT corners[4], Gdiplus::Rect& out)
{
    LONG left = corners[0].x, right = corners[0].x, top = corners[0].y, bottom = corners[0].y;
    for (int i = 1; i < 4; ++i) {
        left = std::min(left, corners[i].x);
        right = std::max(right, corners[i].x);
        top = std::min(top, corners[i].y);
        bottom = std::max(bottom, corners[i].y);
    }
    out = Gdiplus::Rect(left, top, right - left, bottom - top);
}

void TransformRectBounds(Gdiplus::Rect& rect, const Gdiplus::Matrix* matrix)
{
    POINT corners[4];
    RectToCorners(rect, corners);
    TransformPoints(matrix, corners, 4);
    BoundsOfCorners(corners, rect);
}

void ScaleMatrix(Gdiplus::Matrix* matrix, float sx, float sy)
{
    Gdiplus::REAL m[6];
    matrix->GetElements(m);
    matrix->SetElements(m[0] * sx, m[1] * sx, m[2] * sy, m[3] * sy, m[4], m[5]);
}

void DecomposeMatrix(const Gdiplus::Matrix* matrix, double& sx, double& sy, double& angle)
{
    Gdiplus::REAL m[6];
    matrix->GetElements(m);
    angle = std::atan2(m[1], m[0]);
    const double sine = std::sin(angle);
    const double cosine = std::cos(angle);
    sy = sine != 0.0 ? -m[2] / sine : m[3];
    sx = cosine != 0.0 ? m[0] / cosine : m[1];
}

void LerpColor(Gdiplus::ARGB& out, Gdiplus::ARGB from, Gdiplus::ARGB to, double t)
{
    const Gdiplus::Color a(from), b(to);
    auto channel = [t](BYTE x, BYTE y) { return BYTE(t * y + (1.0 - t) * x); };
    out = Gdiplus::Color::MakeARGB(255, channel(a.GetR(), b.GetR()), channel(a.GetG(), b.GetG()),
                                   channel(a.GetB(), b.GetB()));
}

void TransformPoints(const Gdiplus::Matrix* matrix, POINT* points, int count)
{
    if (!matrix || count <= 0)
        return;
    std::vector<Gdiplus::Point> mapped;
    mapped.reserve(count);
    for (int i = 0; i < count; ++i)
        mapped.emplace_back(points[i].x, points[i].y);
    matrix->TransformPoints(mapped.data(), count);
    for (int i = 0; i < count; ++i)
        points[i] = {mapped[i].X, mapped[i].Y};
}

Gdiplus::ARGB ColorRefToArgb(COLORREF color)
{
    return Gdiplus::Color::MakeARGB(255, GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF ArgbToColorRef(Gdiplus::ARGB argb)
{
    const Gdiplus::Color color(argb);
    return RGB(color.GetR(), color.GetG(), color.GetB());
}
