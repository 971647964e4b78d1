#pragma once
// The medians the benchmarks quote: one run's figure can be far off on a busy machine.
#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <vector>

inline double MedianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Milliseconds that `work` takes, the median of `runs` runs.
inline double MedianMs(const std::function<void()>& work, int runs = 21)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return MedianOf(times);
}
