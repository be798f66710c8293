// Times a text shape of many lines, as a pasted text of that many lines becomes: building all
// its glyph outlines (export, the first hit test), drawing it onto a stage bitmap, and
// hit-testing it again. Each should grow with the number of lines, not with its square.
#include "bench/support/BenchGdiplusSession.h"
#include "bench/support/BenchTimes.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashTextShape.h"
#include "model/archive/LogicalFont.h"

#include <cstdio>
#include <string>

namespace {
constexpr int kLineCounts[] = {250, 500, 1000, 2000, 4000};
// Drawing before the lines were laid out each in a path of their own and only where they show,
// in ms, best of 3 on the same machine while the test suite ran beside it (the longer texts were
// not waited for). Hit tests took about as long as drawing, every time.
constexpr double kDrawBefore[] = {293.0, 2498.0, 16229.0, 0.0, 0.0};
constexpr int kRuns = 3;
constexpr int kStageWidth = 550;
constexpr int kStageHeight = 400;
// The box of pasted text, in twips.
constexpr int kPastedBox = 1000;
constexpr int kFontHeight = -12;

std::string NumberedLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "Line " + std::to_string(i) + " of the pasted text\r\n";
    return text;
}
}

int main()
{
    const CBenchGdiplusSession gdiplus;
    if (!gdiplus.Started())
        return 0;
    const Gdiplus::SolidBrush fill(Gdiplus::Color(255, 0, 0, 0));
    Gdiplus::Bitmap stage(kStageWidth, kStageHeight, PixelFormat32bppARGB);
    HDC measuring = ::CreateCompatibleDC(nullptr);
    const CFlashEditorFrameShapeTransform placement;
    std::printf("text shape of N lines in a %d-twip box, Arial %d px, best of %d runs (ms)\n", kPastedBox,
                -kFontHeight, kRuns);
    std::printf("%6s %8s %9s %9s %9s %9s %11s\n", "lines", "chars", "outlines", "1st hit", "hit", "draw",
                "draw before");
    int index = 0;
    for (const int lines : kLineCounts) {
        const std::string text = NumberedLines(lines);
        CFlashTextShape shape;
        shape.SetLogicalFont(CLogicalFont("Arial", kFontHeight, FW_NORMAL, false));
        shape.SetBrush(&fill);
        shape.SetText(text);
        shape.SetRect(Gdiplus::Rect(kPastedBox, kPastedBox, kPastedBox, kPastedBox));
        Gdiplus::Graphics graphics(&stage);
        const CBenchTimes outlines = TimeRuns(kRuns, [&] {
            Gdiplus::GraphicsPath path;
            shape.AddToPath(path, graphics, 1.0);
        });
        const POINT point = {60, 60};
        // Setting the text again makes the next hit test lay it out.
        const CBenchTimes firstHit = TimeRuns(kRuns, [&] {
            shape.SetText(text);
            shape.HitTest(measuring, 1.0, point, &placement);
        });
        const CBenchTimes hit = TimeRuns(kRuns, [&] { shape.HitTest(measuring, 1.0, point, &placement); });
        const CBenchTimes draw = TimeRuns(kRuns, [&] { shape.Draw(graphics, 0, 0, 1.0, &placement); });
        std::printf("%6d %8zu %9.1f %9.1f %9.3f %9.2f", lines, text.size(), outlines.Best(), firstHit.Best(),
                    hit.Best(), draw.Best());
        if (kDrawBefore[index] > 0.0)
            std::printf(" %11.0f\n", kDrawBefore[index]);
        else
            std::printf(" %11s\n", "-");
        std::fflush(stdout);
        ++index;
    }
    ::DeleteDC(measuring);
    return 0;
}
