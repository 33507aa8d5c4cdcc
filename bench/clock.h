#pragma once

#include <vector>

// Seconds on the high-resolution counter, from an arbitrary origin.
double SecondsNow();

// The middle value (the mean of the two middle ones for an even count).
double Median(std::vector<double> values);

// The value that `percent` of the values do not exceed (nearest rank).
double Percentile(std::vector<double> values, double percent);
