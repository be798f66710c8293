#pragma once
#include "bench/support/BenchStopwatch.h"

#include <vector>

// The times of repeated runs of one piece of work, in milliseconds. Other programs share the
// machine, so benchmarks report the best run (the work itself, undisturbed) or the median.
class CBenchTimes {
public:
    void Add(double milliseconds) { m_times.push_back(milliseconds); }
    // All 0 when nothing was timed.
    double Best() const;
    double Median() const;
    double Worst() const;

private:
    std::vector<double> m_times;
};

// Times runs calls of work().
template <class Work>
CBenchTimes TimeRuns(int runs, Work work)
{
    CBenchTimes times;
    for (int run = 0; run < runs; ++run) {
        const CBenchStopwatch stopwatch;
        work();
        times.Add(stopwatch.Milliseconds());
    }
    return times;
}
