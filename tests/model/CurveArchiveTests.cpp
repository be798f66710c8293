// Curves read from an archive: a Bezier curve flattens itself only when its points or bounds are
// first asked for, and must then answer exactly as the curve that was written.
#include "model/DocumentArchive.h"
#include "model/FlashBezierCurve.h"
#include "tests/model/archive/ArchiveTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string WrittenCurve(const CFlashCurve& curve)
{
    return ArchiveTest::Written([&curve](CDocumentOArchive& ar) {
        RegisterArchiveTypes(ar);
        const CFlashCurve* pointer = &curve;
        ar << pointer;
    });
}

std::unique_ptr<CFlashCurve> ReadCurve(const std::string& text)
{
    CFlashCurve* pointer = nullptr;
    ArchiveTest::ReadText(text, [&pointer](CDocumentIArchive& ar) {
        RegisterArchiveTypes(ar);
        ar >> pointer;
    });
    return std::unique_ptr<CFlashCurve>(pointer);
}

// The text with the curve's stored bounds (followed by its start point) replaced by zeros, as
// a hand-edited file might carry them.
std::string WithZeroBounds(const std::string& text, const CFlashCurve& curve)
{
    const Gdiplus::Rect& b = curve.GetBounds();
    const POINT& s = curve.GetStartPoint();
    const std::string tail = " " + std::to_string(s.x) + " " + std::to_string(s.y);
    const std::string stored =
        std::to_string(b.X) + " " + std::to_string(b.Y) + " " + std::to_string(b.Width) + " " + std::to_string(b.Height);
    std::string edited = text;
    const std::size_t at = edited.find(stored + tail);
    if (at != std::string::npos)
        edited.replace(at, stored.size(), "0 0 0 0");
    return edited;
}

bool SamePoints(const std::vector<Gdiplus::PointF>& a, const std::vector<Gdiplus::PointF>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].X != b[i].X || a[i].Y != b[i].Y)
            return false;
    return true;
}

} // namespace

TEST(CurveArchive, BezierCurveReadBackMeasuresHitsAndWritesAsTheOneWritten)
{
    const struct {
        const char* name;
        int x0, y0, qx, qy, x1, y1;
    } cases[] = {
        {"gentle arc", 0, 0, 300, 300, 600, 0},
        {"stage-sized sweep", 120, 7900, 5400, -2000, 10900, 7800},
        {"negative coordinates", -4000, -100, -2500, -3900, -90, -2000},
        {"point", 1234, 567, 1234, 567, 1234, 567},
    };
    for (const auto& c : cases) {
        const CFlashBezierCurve written(c.x0, c.y0, c.qx, c.qy, c.x1, c.y1);
        const std::string text = WrittenCurve(written);
        const std::string edited = WithZeroBounds(text, written);
        ASSERT_NE(text, edited) << c.name << ": the stored bounds were found";
        // A file's bounds are not trusted: the curve measures itself again.
        for (const std::string& stored : {text, edited}) {
            const std::unique_ptr<CFlashCurve> read = ReadCurve(stored);
            ASSERT_NE(nullptr, read) << c.name;
            EXPECT_EQ(kCurveKindBezier, read->GetKind()) << c.name;
            EXPECT_EQ(text, WrittenCurve(*read)) << c.name << ": written back before any other use";
            EXPECT_TRUE(read->GetBounds().Equals(written.GetBounds())) << c.name;
            EXPECT_TRUE(SamePoints(written.GetPointList(), read->GetPointList())) << c.name;
            const POINT probes[] = {{c.x0, c.y0}, {c.qx, c.qy}, {(c.x0 + c.x1) / 2, (c.y0 + c.y1) / 2}, {c.x1 + 150, c.y1}};
            for (const POINT& p : probes)
                EXPECT_EQ(written.HitTest(p), read->HitTest(p)) << c.name << " at " << p.x << ", " << p.y;
        }
    }
}
