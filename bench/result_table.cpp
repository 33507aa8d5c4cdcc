#include "result_table.h"

#include <cstdio>

namespace {

std::string Figure(BenchRow::Kind kind, double value)
{
    char text[32];
    if (kind == BenchRow::Kind::Rate)
        std::snprintf(text, sizeof text, "%.0f/s", value);
    else
        std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string Target(const BenchRow& row)
{
    char text[16];
    std::snprintf(text, sizeof text, "%s%.2f", row.kind == BenchRow::Kind::Rate ? ">=" : "<=", row.limit);
    return text;
}

} // namespace

bool BenchRow::Passes() const
{
    return kind == Kind::Rate ? Ratio() >= limit : Ratio() <= limit;
}

void PrintTable(const std::vector<BenchRow>& rows)
{
    std::printf("%-34s %14s   %-11s %-11s %-7s %-7s %s\n", "benchmark", "size", "median", "floor", "ratio", "target",
                "result");
    int passed = 0;
    int failed = 0;
    for (const BenchRow& row : rows) {
        const std::string median = Figure(row.kind, row.median);
        switch (row.status) {
        case BenchRow::Status::Information:
            std::printf("%-34s %14s   %-11s %-11s %-7s %-7s %s\n", row.name.c_str(), row.size.c_str(), median.c_str(),
                        row.floor > 0 ? Figure(row.kind, row.floor).c_str() : "-", "-", "-", "-");
            break;
        case BenchRow::Status::Budget: {
            const bool pass = row.median <= row.limit;
            (pass ? passed : failed) += 1;
            const std::string budget = "<=" + Figure(row.kind, row.limit);
            std::printf("%-34s %14s   %-11s %-11s %-7s %-7s %s\n", row.name.c_str(), row.size.c_str(), median.c_str(),
                        "-", "-", budget.c_str(), pass ? "PASS" : "MISS");
            break;
        }
        case BenchRow::Status::Measured: {
            const bool pass = row.Passes();
            (pass ? passed : failed) += 1;
            std::printf("%-34s %14s   %-11s %-11s %-7.2f %-7s %s\n", row.name.c_str(), row.size.c_str(),
                        median.c_str(), Figure(row.kind, row.floor).c_str(), row.Ratio(), Target(row).c_str(),
                        pass ? "PASS" : "MISS");
            break;
        }
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
}
