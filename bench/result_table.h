#pragma once

#include <string>
#include <vector>

// One benchmark figure beside its floor, both medians of the same runs.
struct BenchRow {
    enum class Kind { Rate, Milliseconds };
    enum class Status {
        Measured,    // a figure, its floor and a target
        Information, // a figure alone, with no floor or target
        Budget,      // a figure against an absolute limit, with no floor
    };

    std::string name;
    std::string size; // "-" when the benchmark has no size
    Kind kind;
    double median;
    double floor;
    double limit; // bound on median/floor: a lower bound for rates, an upper one for times
    Status status = Status::Measured;

    double Ratio() const { return median / floor; }
    bool Passes() const;
};

// Prints the table and the closing "N passed, M failed" line.
void PrintTable(const std::vector<BenchRow>& rows);
