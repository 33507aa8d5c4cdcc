#pragma once

#include <vector>

// Seconds on the high-resolution counter, from an arbitrary origin.
double SecondsNow();

// The middle value (the mean of the two middle ones for an even count).
double Median(std::vector<double> values);
