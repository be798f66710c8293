#pragma once
// Small geometry helpers shared by the clipping callers, the curve rebuilder and the drawing tools.
#include "platform/gdiplus/GdiPlus.h"

double PointDistance(const Gdiplus::Point& a, const Gdiplus::Point& b);

// Intersection of the lines P1-P2 and P3-P4, stored in x, y unless the lines are parallel;
// true when it lies on both segments (ends included).
bool IntersectSegments(double x1, double y1, double x2, double y2,
                       double x3, double y3, double x4, double y4, double& x, double& y);

// True when P lies less than 5 twips from its foot point on the segment A-B.
bool IsPointNearSegment(const Gdiplus::Point& p, const Gdiplus::Point& a, const Gdiplus::Point& b);

bool AreCollinear(const Gdiplus::Point& a, const Gdiplus::Point& b, const Gdiplus::Point& c);

// Monotone-chain convex hull of points sorted by x, then y. The output, closed by repeating its
// first point, needs room for 2 x count points; returns the number of points written.
int ConvexHullOfSortedPoints(const Gdiplus::Point* points, int count, Gdiplus::Point* hull);
