#include "bench/support/BenchTimes.h"

#include <algorithm>

double CBenchTimes::Best() const
{
    return m_times.empty() ? 0.0 : *std::min_element(m_times.begin(), m_times.end());
}

double CBenchTimes::Worst() const
{
    return m_times.empty() ? 0.0 : *std::max_element(m_times.begin(), m_times.end());
}

double CBenchTimes::Median() const
{
    if (m_times.empty())
        return 0.0;
    std::vector<double> sorted = m_times;
    const auto middle = sorted.begin() + std::ptrdiff_t(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    return *middle;
}
