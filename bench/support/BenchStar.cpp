#include "bench/support/BenchStar.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

std::vector<CBenchPoint> StarVertices(double centreX, double centreY, int count, double phase,
                                      const std::function<double(int)>& radius)
{
    std::vector<CBenchPoint> vertices;
    vertices.reserve(std::size_t(count));
    for (int k = 0; k < count; ++k) {
        const double angle = phase + 2 * kPi * k / count;
        const double r = radius(k);
        vertices.push_back({centreX + r * std::cos(angle), centreY + r * std::sin(angle)});
    }
    return vertices;
}
