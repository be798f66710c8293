// Times writing and reading back a document archive of pen and solid-fill records, and
// reports its size.
#include "bench/support/BenchGdiplusSession.h"
#include "bench/support/BenchTimes.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"
#include "model/archive/GdiplusRecords.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

namespace {

constexpr int kRecords = 1000;
constexpr int kRepetitions = 20;

std::string WriteRecords()
{
    std::ostringstream os;
    {
        CDocumentOArchive ar(os);
        for (int i = 0; i < kRecords; ++i) {
            const Gdiplus::Pen pen(Gdiplus::Color(255, BYTE(i), BYTE(i * 3), BYTE(i * 7)), 1.0f + float(i % 10) * 0.25f);
            const Gdiplus::SolidBrush fill(Gdiplus::Color(200, BYTE(i * 5), BYTE(i), BYTE(i * 11)));
            SavePen(ar, pen);
            SaveBrush(ar, &fill);
        }
    }
    return os.str();
}

int ReadRecords(const std::string& text)
{
    std::istringstream is(text);
    CDocumentIArchive ar(is);
    int fills = 0;
    for (int i = 0; i < kRecords; ++i) {
        Gdiplus::Pen pen(Gdiplus::Color(Gdiplus::Color::Black), 1.0f);
        LoadPen(ar, pen);
        fills += LoadBrush(ar) ? 1 : 0;
    }
    return fills;
}

} // namespace

int main()
{
    const CBenchGdiplusSession gdiplus;
    if (!gdiplus.Started())
        return 0;
    std::string text;
    int fills = 0;
    const CBenchTimes write = TimeRuns(kRepetitions, [&] { text = WriteRecords(); });
    const CBenchTimes read = TimeRuns(kRepetitions, [&] { fills = ReadRecords(text); });
    std::printf("%d pen + solid fill records: write %.2f ms, read %.2f ms (best of %d), %zu bytes, %d fills read\n",
                kRecords, write.Best(), read.Best(), kRepetitions, text.size(), fills);
    return 0;
}
