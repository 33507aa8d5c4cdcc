#include "clock.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

double SecondsNow()
{
    static const double frequency = [] {
        LARGE_INTEGER f{};
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        throw std::logic_error("median of no values");
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Percentile(std::vector<double> values, double percent)
{
    if (values.empty())
        throw std::logic_error("percentile of no values");
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(std::ceil(percent / 100 * static_cast<double>(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}
