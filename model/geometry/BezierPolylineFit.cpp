#include "model/geometry/BezierPolylineFit.h"

#include <cmath>
#include <vector>

// Schneider's least-squares method (1990): chord-length parameters, control-point distances
// along the end tangents from the 2 x 2 normal equations, Newton-Raphson reparameterisation.
namespace {

constexpr double kResampleFactor = 5.0;
constexpr int kReparameterisationRounds = 4;
constexpr double kSingularScale = 1e-11;
// More points than this between two input points cannot come from a sane stroke.
constexpr double kMaxInsertedPoints = 1e7;

struct Vec {
    double x;
    double y;
};

Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Length(Vec a) { return std::sqrt(Dot(a, a)); }

Vec Normalised(Vec a)
{
    const double length = Length(a);
    return length > 0.0 ? a * (1.0 / length) : a;
}

double B0(double u) { const double t = 1.0 - u; return t * t * t; }
double B1(double u) { const double t = 1.0 - u; return 3.0 * u * t * t; }
double B2(double u) { const double t = 1.0 - u; return 3.0 * u * u * t; }
double B3(double u) { return u * u * u; }

Vec Evaluate(const Vec (&c)[4], double u)
{
    return c[0] * B0(u) + c[1] * B1(u) + c[2] * B2(u) + c[3] * B3(u);
}

Vec FirstDerivative(const Vec (&c)[4], double u)
{
    const double t = 1.0 - u;
    return (c[1] - c[0]) * (3.0 * t * t) + (c[2] - c[1]) * (6.0 * t * u) + (c[3] - c[2]) * (3.0 * u * u);
}

Vec SecondDerivative(const Vec (&c)[4], double u)
{
    return (c[2] - c[1] * 2.0 + c[0]) * (6.0 * (1.0 - u)) + (c[3] - c[2] * 2.0 + c[1]) * (6.0 * u);
}

bool Resample(const CFlashDoublePoint* points, int count, double tolerance, std::vector<Vec>& out)
{
    const double spacing = kResampleFactor * tolerance;
    out.push_back({points[0].x, points[0].y});
    for (int i = 1; i < count; ++i) {
        const Vec from{points[i - 1].x, points[i - 1].y};
        const Vec to{points[i].x, points[i].y};
        const double distance = Length(to - from);
        if (distance > spacing) {
            const double inserted = std::ceil(distance / spacing) - 1.0;
            if (!(inserted < kMaxInsertedPoints))
                return false;
            const int gaps = int(inserted) + 1;
            for (int j = 1; j < gaps; ++j)
                out.push_back(from + (to - from) * (double(j) / gaps));
        }
        out.push_back(to);
    }
    return true;
}

void ChordLengthParameters(const std::vector<Vec>& d, std::vector<double>& u)
{
    u.assign(d.size(), 0.0);
    for (size_t i = 1; i < d.size(); ++i)
        u[i] = u[i - 1] + Length(d[i] - d[i - 1]);
    const double total = u.back();
    for (size_t i = 1; i < d.size(); ++i)
        u[i] = total > 0.0 ? u[i] / total : double(i) / double(d.size() - 1);
}

void GenerateBezier(const std::vector<Vec>& d, const std::vector<double>& u, Vec tHat1, Vec tHat2, Vec (&c)[4])
{
    const Vec first = d.front();
    const Vec last = d.back();
    c[0] = first;
    c[3] = last;
    const double chord = Length(last - first);

    double alphaLeft = -1.0;
    double alphaRight = -1.0;
    if (d.size() > 2) {
        double m[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
        double x[2] = {0.0, 0.0};
        for (size_t i = 0; i < d.size(); ++i) {
            const Vec a0 = tHat1 * B1(u[i]);
            const Vec a1 = tHat2 * B2(u[i]);
            m[0][0] += Dot(a0, a0);
            m[0][1] += Dot(a0, a1);
            m[1][1] += Dot(a1, a1);
            const Vec rest = d[i] - (first * (B0(u[i]) + B1(u[i])) + last * (B2(u[i]) + B3(u[i])));
            x[0] += Dot(a0, rest);
            x[1] += Dot(a1, rest);
        }
        m[1][0] = m[0][1];
        double det = m[0][0] * m[1][1] - m[1][0] * m[0][1];
        if (det == 0.0)
            det = m[0][0] * m[1][1] * kSingularScale;
        alphaLeft = (x[0] * m[1][1] - x[1] * m[0][1]) / det;
        alphaRight = (m[0][0] * x[1] - m[1][0] * x[0]) / det;
    }
    // Two points, or a solution that turns a control point backwards: a third of the chord.
    if (!(alphaLeft >= 0.0) || !(alphaRight >= 0.0))
        alphaLeft = alphaRight = chord / 3.0;
    c[1] = first + tHat1 * alphaLeft;
    c[2] = last + tHat2 * alphaRight;
}

double MaxSquaredError(const std::vector<Vec>& d, const std::vector<double>& u, const Vec (&c)[4])
{
    double worst = 0.0;
    for (size_t i = 0; i < d.size(); ++i) {
        const Vec diff = Evaluate(c, u[i]) - d[i];
        worst = std::fmax(worst, Dot(diff, diff));
    }
    return worst;
}

void Reparameterise(const std::vector<Vec>& d, std::vector<double>& u, const Vec (&c)[4])
{
    for (size_t i = 0; i < d.size(); ++i) {
        const Vec diff = Evaluate(c, u[i]) - d[i];
        const Vec d1 = FirstDerivative(c, u[i]);
        const Vec d2 = SecondDerivative(c, u[i]);
        const double denominator = Dot(d1, d1) + Dot(diff, d2);
        if (denominator != 0.0)
            u[i] -= Dot(diff, d1) / denominator;
    }
}

} // namespace

bool FitBezierCurvesToPolyline(const CFlashDoublePoint* points, int count, double tolerance,
                               CFlashCubicBezier& curve, int& degree)
{
    degree = 0;
    if (count < 2 || !(tolerance > 0.0))
        return false;
    std::vector<Vec> d;
    if (!Resample(points, count, tolerance, d))
        return false;
    const Vec tHat1 = Normalised(d[1] - d[0]);
    const Vec tHat2 = Normalised(d[d.size() - 2] - d.back());

    std::vector<double> u;
    ChordLengthParameters(d, u);
    Vec c[4];
    GenerateBezier(d, u, tHat1, tHat2, c);
    double error = MaxSquaredError(d, u, c);
    bool fitted = error < tolerance;
    if (!fitted && error < tolerance * tolerance) {
        for (int round = 0; round < kReparameterisationRounds && !fitted; ++round) {
            Reparameterise(d, u, c);
            GenerateBezier(d, u, tHat1, tHat2, c);
            error = MaxSquaredError(d, u, c);
            fitted = error < tolerance;
        }
    }
    if (!fitted)
        return false;
    for (int i = 0; i < 4; ++i)
        curve[i] = CFlashDoublePoint{c[i].x, c[i].y};
    degree = 3;
    return true;
}
