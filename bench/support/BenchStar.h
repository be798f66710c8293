#pragma once
#include <functional>
#include <vector>

struct CBenchPoint {
    double x, y;
};

// Vertex k of a star of count vertices around the centre lies at the angle
// phase + 2 pi k / count (radians), radius(k) away from the centre.
std::vector<CBenchPoint> StarVertices(double centreX, double centreY, int count, double phase,
                                      const std::function<double(int)>& radius);
