// Writes a whole document of 1,000 outlined, filled shapes into memory as an archive and reads
// it back into a document; prints the times of both and the snapshot's size.
#include "model/FlashBezierCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashSolidShape.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"
#include "platform/gdiplus/GdiPlus.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>
#include <vector>

namespace {
constexpr int kShapeCount = 1000;
constexpr int kCurvesPerShape = 8;
constexpr int kRuns = 9;
constexpr double kTargetMilliseconds = 25.0;
constexpr double kPi = 3.14159265358979323846;

// A closed ring of Bezier curves around (0, 0) in twips, with a pen and a solid fill.
CFlashSolidShape* MakeShape(int radius, Gdiplus::ARGB fill)
{
    const Gdiplus::SolidBrush brush{Gdiplus::Color(fill)};
    auto* shape = new CFlashSolidShape(&brush);
    const Gdiplus::Pen pen(Gdiplus::Color(255, 0, 0, 0), 2.0f);
    shape->SetPen(&pen);
    const auto at = [radius](double angle, double scale) {
        return POINT{LONG(std::lround(radius * scale * std::cos(angle))), LONG(std::lround(radius * scale * std::sin(angle)))};
    };
    for (int i = 0; i < kCurvesPerShape; ++i) {
        const double a0 = 2 * kPi * i / kCurvesPerShape;
        const double a1 = 2 * kPi * (i + 1) / kCurvesPerShape;
        const POINT p0 = at(a0, 1.0), q = at((a0 + a1) / 2, 1.2), p1 = at(a1, 1.0);
        shape->InsertCurve(new CFlashBezierCurve(p0.x, p0.y, q.x, q.y, p1.x, p1.y), false, 0);
    }
    return shape;
}

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    {
        CFlashEditorDoc doc;
        for (int i = 0; i < kShapeCount; ++i) {
            auto placement = std::make_unique<CFlashEditorFrameShapeTransform>();
            placement->GetMatrix()->Translate(Gdiplus::REAL(i % 40 * 250), Gdiplus::REAL(i / 40 * 300));
            doc.AddShape(MakeShape(200 + i % 7 * 20, 0xFF000000u | Gdiplus::ARGB(i * 2654435761u >> 8)),
                         std::move(placement));
        }
        std::vector<double> writes, loads;
        std::size_t size = 0;
        for (int run = 0; run < kRuns; ++run) {
            const auto start = std::chrono::steady_clock::now();
            std::ostringstream os;
            {
                CDocumentOArchive ar(os);
                doc.SaveToArchive(ar);
            }
            const std::string snapshot = os.str();
            const auto written = std::chrono::steady_clock::now();
            std::istringstream is(snapshot);
            CDocumentIArchive ar(is);
            CFlashEditorDoc copy;
            copy.LoadFromArchive(ar);
            const auto loaded = std::chrono::steady_clock::now();
            writes.push_back(Milliseconds(written - start));
            loads.push_back(Milliseconds(loaded - written));
            size = snapshot.size();
        }
        const double write = Median(writes), load = Median(loads);
        std::printf("document archive, %d shapes of %d Bezier curves: write %.2f ms, load %.2f ms, "
                    "together %.2f ms (target %.0f ms), snapshot %zu bytes\n",
                    kShapeCount, kCurvesPerShape, write, load, write + load, kTargetMilliseconds, size);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
