// Times writing and reading back a document archive of pen and solid-fill records, and
// reports its size.
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"
#include "model/archive/GdiplusRecords.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

namespace {

constexpr int kRecords = 1000;
constexpr int kRepetitions = 20;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

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
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        std::printf("GDI+ could not be started\n");
        return 0;
    }
    double bestWrite = 1e300;
    double bestRead = 1e300;
    std::string text;
    int fills = 0;
    for (int repetition = 0; repetition < kRepetitions; ++repetition) {
        Clock::time_point start = Clock::now();
        text = WriteRecords();
        bestWrite = std::min(bestWrite, MillisecondsSince(start));
        start = Clock::now();
        fills = ReadRecords(text);
        bestRead = std::min(bestRead, MillisecondsSince(start));
    }
    std::printf("%d pen + solid fill records: write %.2f ms, read %.2f ms (best of %d), %zu bytes, %d fills read\n",
                kRecords, bestWrite, bestRead, kRepetitions, text.size(), fills);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
