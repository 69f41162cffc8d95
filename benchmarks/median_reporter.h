#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>

// One line of a summary: the figure, and the verdict where it has a target.
void printFigure(const char *what, std::optional<double> value, const char *unit,
                 const char *target = nullptr, bool met = false);

// Prints to the console as usual and keeps the median of every repeated benchmark, so that the
// figures can be set against their targets once all have run.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;

    // The median real time in milliseconds of a benchmark named "function" or "function/args".
    std::optional<double> medianMilliseconds(const std::string &name) const;
    // The median of one of its user counters.
    std::optional<double> medianCounter(const std::string &name, const std::string &counter) const;
    // Whether a benchmark ended with an error, such as a page that did not load whole.
    bool anyFailed() const { return m_anyFailed; }

private:
    struct Median
    {
        double milliseconds = 0;
        std::map<std::string, double> counters;
    };
    std::map<std::string, Median> m_medians;
    bool m_anyFailed = false;
};
