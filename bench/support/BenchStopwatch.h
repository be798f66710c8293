#pragma once
#include <chrono>

// Wall-clock time on the steady clock (the C library's clock counts processor time here).
class CBenchStopwatch {
public:
    CBenchStopwatch() : m_start(Clock::now()) {}

    void Restart() { m_start = Clock::now(); }
    double Milliseconds() const { return std::chrono::duration<double, std::milli>(Clock::now() - m_start).count(); }
    double Seconds() const { return Milliseconds() / 1000.0; }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point m_start;
};
