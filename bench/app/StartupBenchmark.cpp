// Ten starts of the editor in a warm prefix: from making the process to its main window shown
// with a document and answering messages. One start before them warms the prefix.
#include "EditorProcess.h"

#include "bench/support/BenchStopwatch.h"
#include "bench/support/BenchTimes.h"

#include <cstdio>

using namespace EditorProcess;

namespace {

constexpr int kStarts = 10;
constexpr UINT kAnswerTimeoutMs = 5000;

// One start timed; a negative time when the editor did not come up.
double TimeOneStart()
{
    const CBenchStopwatch stopwatch;
    if (!StartEditor(EDITOR_LAUNCHER, ""))
        return -1.0;
    HWND main = WaitForMainWindow();
    DWORD_PTR answer = 0;
    if (main == nullptr ||
        !::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer))
        return -1.0;
    const double milliseconds = stopwatch.Milliseconds();
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    WaitUntilGone(main);
    return milliseconds;
}

} // namespace

int main()
{
    if (TimeOneStart() < 0.0) {
        std::printf("the editor did not start\n");
        return 1;
    }
    CBenchTimes times;
    for (int start = 0; start < kStarts; ++start) {
        const double milliseconds = TimeOneStart();
        if (milliseconds < 0.0) {
            std::printf("start %d: the editor did not come up\n", start + 1);
            return 1;
        }
        times.Add(milliseconds);
    }
    std::printf("editor start to main window answering, %d starts: median %.0f ms, worst %.0f ms (target: median "
                "under 1500 ms)\n",
                kStarts, times.Median(), times.Worst());
    return 0;
}
