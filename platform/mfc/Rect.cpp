#include "platform/mfc/Rect.h"

#include <utility>

BOOL CRect::PtInRect(POINT point) const
{
    return ::PtInRect(this, point);
}

BOOL CRect::EqualRect(LPCRECT lpRect) const
{
    return left == lpRect->left && top == lpRect->top && right == lpRect->right && bottom == lpRect->bottom;
}

void CRect::SetRect(int x1, int y1, int x2, int y2)
{
    left = x1;
    top = y1;
    right = x2;
    bottom = y2;
}

void CRect::InflateRect(int l, int t, int r, int b)
{
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::OffsetRect(int x, int y)
{
    left += x;
    right += x;
    top += y;
    bottom += y;
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    return ::IntersectRect(this, lpRect1, lpRect2);
}

BOOL CRect::UnionRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    return ::UnionRect(this, lpRect1, lpRect2);
}

BOOL CRect::SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2)
{
    return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
}

CRect CRect::operator+(POINT point) const
{
    CRect rect(*this);
    rect.OffsetRect(point);
    return rect;
}

CRect CRect::operator-(POINT point) const
{
    CRect rect(*this);
    rect.OffsetRect(-point.x, -point.y);
    return rect;
}

CRect CRect::operator+(SIZE size) const
{
    CRect rect(*this);
    rect.OffsetRect(size);
    return rect;
}

CRect CRect::operator-(SIZE size) const
{
    CRect rect(*this);
    rect.OffsetRect(-size.cx, -size.cy);
    return rect;
}

CRect CRect::operator&(const RECT& rect) const
{
    CRect result;
    result.IntersectRect(this, &rect);
    return result;
}

CRect CRect::operator|(const RECT& rect) const
{
    CRect result;
    result.UnionRect(this, &rect);
    return result;
}
